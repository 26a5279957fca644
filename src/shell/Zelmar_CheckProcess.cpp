#include "Zelmar_CheckProcess.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>

#include <pwd.h>
#include <unistd.h>
#include <cctype>
#include <filesystem>
#include <vector>

#include "vesk_Guard.h"
#include "vesk_Trace.h"

namespace {

constexpr int ConnectTimeoutMs = 1000;
constexpr int ConnectAttempts = 3;
const QByteArray Acknowledgement = "ACK\n";

QString UserName() {
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_name != nullptr)
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(getuid());
}

// The "/OPEN=" value of the first argument whose key (up to and including its first "=")
// is "/OPEN=" in any case. False when there is none.
bool FindOpenArgument(const TCommandLine& args, std::string& value) {
    for (const auto& arg : args) {
        const auto equals = arg.find('=');
        if (equals == std::string::npos) continue;
        std::string key = arg.substr(0, equals + 1);
        for (auto& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (key == "/OPEN=") {
            value = arg.substr(equals + 1);
            return true;
        }
    }
    return false;
}

// The receiver runs in another working directory: a relative path must be made absolute here.
std::string AbsolutePath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

bool ConnectToRunningInstance(QLocalSocket& socket) {
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    for (int attempt = 0; attempt < ConnectAttempts; ++attempt) {
        socket.connectToServer(MainWindowServerName());
        if (socket.waitForConnected(ConnectTimeoutMs)) return true;
        // No server at all: nothing runs. Other errors may come from a window that starts up.
        if (socket.error() == QLocalSocket::ServerNotFoundError ||
            socket.error() == QLocalSocket::ConnectionRefusedError)
            return false;
        QThread::msleep(100);
    }
    return false;
}

}  // namespace

// The display the windows of this start appear on: the Wayland socket under Wayland, else
// the X display without its screen number (":0.0" and ":0" are one display).
QString DisplayName() {
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        const QString socket = qEnvironmentVariable("WAYLAND_DISPLAY");
        return QStringLiteral("wayland:") +
               (socket.isEmpty() ? QStringLiteral("wayland-0") : socket);
    }
    QString display = qEnvironmentVariable("DISPLAY");
    const int colon = display.lastIndexOf(QLatin1Char(':'));
    const int dot = display.indexOf(QLatin1Char('.'), colon + 1);
    if (colon >= 0 && dot > colon) display.truncate(dot);
    return display;
}

// One running window per user and display takes the files of later starts; a start on another
// display opens its own. ZELMAR_INSTANCE_SCOPE keeps test programs that run at the same time
// from handing files to each other's windows.
QString MainWindowServerName() {
    return QStringLiteral("Zelmar$MainWindow-") + UserName() + QStringLiteral("-") + DisplayName() +
           qEnvironmentVariable("ZELMAR_INSTANCE_SCOPE");
}

namespace {

// The files a start hands over: the "/OPEN=" file first, then the plain file arguments.
// False when the start names no file.
bool FilesToHandOver(const TCommandLine& args, std::vector<std::string>& files) {
    std::string openValue;
    if (FindOpenArgument(args, openValue)) files.push_back(openValue);
    for (auto& file : GetFileArguments(args)) files.push_back(std::move(file));
    return !files.empty();
}

// Sends one open request and waits until the running window has handled it, message boxes
// included. False when no main window answers.
bool SendOpenRequest(const std::string& file) {
    QLocalSocket socket;
    if (!ConnectToRunningInstance(socket)) return false;
    const QByteArray path = QByteArray::fromStdString(AbsolutePath(file));
    socket.write(QByteArray::number(path.size()) + '\n' + path);
    socket.flush();
    QByteArray answer;
    while (!answer.endsWith(Acknowledgement) && socket.state() == QLocalSocket::ConnectedState) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(-1)) break;
        answer += socket.readAll();
    }
    TraceMessage("Zelmar.HandOverToRunningInstance", tlInformation,
                 "file handed over to the running main window: %s", path.constData());
    return true;
}

}  // namespace

bool HandOverToRunningInstance(const TCommandLine& args) {
    bool handedOver = false;
    GuardedVoid("Zelmar.HandOverToRunningInstance", [&] {
        std::vector<std::string> files;
        if (!FilesToHandOver(args, files)) return;
        // One request per file, in order; a window that goes away meanwhile gets no more.
        for (const auto& file : files) {
            if (!SendOpenRequest(file)) {
                if (handedOver)
                    TraceMessage("Zelmar.HandOverToRunningInstance", tlWarning,
                                 "the running main window went away; not handed over: %s",
                                 file.c_str());
                return;
            }
            handedOver = true;
        }
    });
    return handedOver;
}

TZelmarOpenFileServer::TZelmarOpenFileServer(THandler handler, QObject* parent)
    : QObject(parent),
      OnOpenFileRequest(std::move(handler)),
      Server(std::make_unique<QLocalServer>()) {
    Server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(Server.get(), &QLocalServer::newConnection, this,
            &TZelmarOpenFileServer::HandleNewConnection);
}

TZelmarOpenFileServer::~TZelmarOpenFileServer() = default;

bool TZelmarOpenFileServer::Listen() {
    return Guarded("TZelmarOpenFileServer.Listen", false, [&] {
        if (Server->listen(MainWindowServerName())) return true;
        TraceMessage("TZelmarOpenFileServer.Listen", tlWarning,
                     "cannot listen for open requests: %s",
                     Server->errorString().toLocal8Bit().constData());
        return false;
    });
}

bool TZelmarOpenFileServer::IsListening() const {
    return Server->isListening();
}

void TZelmarOpenFileServer::HandleNewConnection() {
    while (QLocalSocket* socket = Server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Reads until the whole request is there, then handles it once.
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            const int newline = buffer->indexOf('\n');
            if (newline < 0) return;
            bool ok = false;
            const qint64 length = buffer->left(newline).toLongLong(&ok);
            if (!ok || length < 0) {
                socket->disconnectFromServer();
                return;
            }
            if (buffer->size() - newline - 1 < length) return;
            const std::string path = buffer->mid(newline + 1, length).toStdString();
            buffer->clear();
            QPointer<QLocalSocket> alive(socket);
            GuardedVoid("TZelmar_FormMain.HandleOpenFileRequest", [&] { OnOpenFileRequest(path); });
            if (alive) {
                alive->write(Acknowledgement);
                alive->flush();
                alive->disconnectFromServer();
            }
        });
    }
}
