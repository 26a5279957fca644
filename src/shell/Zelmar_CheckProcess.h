#pragma once
// Hand-over of files to a main window that already runs. A running main window listens on a
// local socket named after "Zelmar$MainWindow" and the user; a second start that names files
// ("/OPEN=" or plain file arguments) sends each path there, waits until the running window
// has handled it, and ends.
//
// Message: the path's length in decimal, a newline, the path's bytes. Answer: "ACK\n" once
// the request has been handled. An empty path is an invalid request.

#include <QLocalServer>
#include <QObject>

#include <functional>
#include <memory>
#include <string>

#include "Zelmar_Global.h"

// The server name of the running main window for this user.
QString MainWindowServerName();

// True if the named files ("/OPEN=" first, then the plain file arguments) were handed to a
// running main window: this process must end.
bool HandOverToRunningInstance(const TCommandLine& args);

// The receiving end, owned by the main window.
class TZelmarOpenFileServer : public QObject {
    Q_OBJECT
public:
    using THandler = std::function<void(const std::string& path)>;

    TZelmarOpenFileServer(THandler handler, QObject* parent = nullptr);
    ~TZelmarOpenFileServer() override;

    // False when another main window of this user listens already.
    bool Listen();
    bool IsListening() const;

private:
    void HandleNewConnection();

    THandler OnOpenFileRequest;
    std::unique_ptr<QLocalServer> Server;
};
