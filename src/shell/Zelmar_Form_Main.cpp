#include "Zelmar_Form_Main.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QStatusBar>
#include <QTimer>
#include <QTranslator>

#include "Zelmar_CheckProcess.h"
#include "Zelmar_MessageBoxes.h"
#include "Zelmar_Translater.h"
#include "vesk_Folders.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

namespace {

// The dictionary file (compiled into the program) of a two-letter language code, or empty
// when the code leaves the dictionary as it is. There is no Spanish dictionary: native texts.
QString DictionaryFor(const std::string& code, bool& known) {
    known = true;
    if (code == "DE") return QStringLiteral(":/i18n/zelmar_de.qm");
    if (code == "EN") return QStringLiteral(":/i18n/zelmar_en.qm");
    if (code == "FR") return QStringLiteral(":/i18n/zelmar_fr.qm");
    if (code == "ES") return QString();
    known = false;
    return QString();
}

}  // namespace

TZelmar_FormMain::TZelmar_FormMain(TCommandLine args, QWidget* parent)
    : QMainWindow(parent),
      CommandLine(std::move(args)),
      Dictionary(std::make_unique<QTranslator>()) {
    setObjectName(QStringLiteral("Zelmar_FormMain"));
    Mdi = new QMdiArea(this);
    setCentralWidget(Mdi);
    HintPanel = new QLabel(this);
    VersionPanel = new QLabel(this);
    statusBar()->addWidget(HintPanel, 1);
    statusBar()->addPermanentWidget(VersionPanel);
    resize(1000, 700);
    FormCreate();
}

TZelmar_FormMain::~TZelmar_FormMain() {
    // Texts must not be looked up in a dictionary that is gone.
    SetTranslationLookup({});
}

void TZelmar_FormMain::FormCreate() {
    GuardedVoid("TZelmar_FormMain.FormCreate", [&] {
        ExpandSearchPath();
        HandDictionaryToTranslater();
        SetNewLanguage(GetLanguage(CommandLine, true));
        TraceMessage("TZelmar_FormMain.FormCreate", tlInformation, "Language set.");

        OpenFileServer = std::make_unique<TZelmarOpenFileServer>(
            [this](const std::string& path) { HandleOpenFileRequest(path); });
        OpenFileServer->Listen();
        TraceMessage("TZelmar_FormMain.FormCreate", tlInformation, "Initialization done.");
    });
}

void TZelmar_FormMain::HandDictionaryToTranslater() {
    SetTranslationLookup([dictionary = Dictionary.get()](const std::string& scope,
                                                         const std::string& native) {
        return dictionary->translate(scope.c_str(), native.c_str()).toStdString();
    });
}

void TZelmar_FormMain::SetNewLanguage(const std::string& language) {
    TraceMessage("TZelmar_FormMain.SetNewLanguage", tlInformation, "new language: %s",
                 language.c_str());
    if (language.empty()) return;
    GuardedVoid("TZelmar_FormMain.SetNewLanguage", [&] {
        bool known = false;
        const QString file = DictionaryFor(language.substr(0, 2), known);
        if (!known) return;
        QCoreApplication::removeTranslator(Dictionary.get());
        Dictionary = std::make_unique<QTranslator>();
        if (!file.isEmpty() && Dictionary->load(file)) QCoreApplication::installTranslator(Dictionary.get());
        HandDictionaryToTranslater();
        UpdateStatusBar();
    });
}

void TZelmar_FormMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (Shown) return;
    Shown = true;
    // The start-up work runs once the window is on the screen.
    QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TZelmar_FormMain::FormShow() {
    GuardedVoid("TZelmar_FormMain.FormShow", [&] {
        UpdateStatusBar();
        QApplication::setApplicationDisplayName(
            QString::fromStdString(LoadTranslatedText("Zelmar_FormMain##  Zelmar")));
        setWindowTitle(QApplication::applicationDisplayName());
        TraceMessage("TZelmar_FormMain.FormShow", tlInformation, "Processing command line parameters...");
        ProcessCommandLine();
        TraceMessage("TZelmar_FormMain.FormShow", tlInformation, "Checking necessary DLL versions...");
        CheckLibraryVersions();
    });
}

void TZelmar_FormMain::ProcessCommandLine() {
    const std::string file = GetCommandLineParameter(CommandLine, "/OPEN=");
    if (!file.empty()) DoOpenNewFile(file);
}

void TZelmar_FormMain::CheckLibraryVersions() {
    const std::string failure = VerifyLibraryVersions();
    if (failure.empty()) return;
    MessageBoxes().ShowError(failure);
    // The message loop ends after the current message; open windows close normally.
    QCoreApplication::exit(1);
}

void TZelmar_FormMain::DoOpenNewFile(const std::string& path) {
    GuardedVoid("TZelmar_FormMain.DoOpenNewFile", [&] {
        TraceMessage("TZelmar_FormMain.DoOpenNewFile", tlInformation, "opening %s", path.c_str());
        emit FileOpenRequested(QString::fromStdString(path));
    });
}

void TZelmar_FormMain::HandleOpenFileRequest(const std::string& path) {
    if (path.empty()) {
        MessageBoxes().ShowError(
            "Zelmar_FormMain##  Zelmar has received an invalid \"file open\" command (zero atom ID)");
        return;
    }
    DoOpenNewFile(path);
    // Bring the application to the front.
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

void TZelmar_FormMain::UpdateStatusBar() {
    GuardedVoid("TZelmar_FormMain.UpdateStatusBar", [&] {
        const std::string version = GetFileVersionString(platform::GetProgramPath());
        std::string text = LoadTranslatedText(
            "Zelmar_FormMain##  Dateiversion: %s - Zelmar, ein Werkzeug für SD-Dateien");
        const auto placeholder = text.find("%s");
        if (placeholder != std::string::npos) text.replace(placeholder, 2, version);
        VersionPanel->setText(QString::fromStdString(" " + text));
    });
}

QString TZelmar_FormMain::StatusText() const { return VersionPanel->text(); }

bool TZelmar_FormMain::AcceptsOpenRequests() const {
    return OpenFileServer != nullptr && OpenFileServer->IsListening();
}
