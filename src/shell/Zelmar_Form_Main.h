#pragma once
// The main window: owner of the program's shared services and the frame of the sheet windows.

#include <QMainWindow>

#include <memory>
#include <string>

#include "Zelmar_Global.h"

class QLabel;
class QMdiArea;
class QTranslator;
class TZelmarOpenFileServer;

class TZelmar_FormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TZelmar_FormMain(TCommandLine args, QWidget* parent = nullptr);
    ~TZelmar_FormMain() override;

    // Selects the dictionary by the first two characters of a language code (DE, EN, FR, ES);
    // any other code leaves it unchanged.
    void SetNewLanguage(const std::string& language);
    // Opens a file in a new sheet window.
    void DoOpenNewFile(const std::string& path);
    // Handles an open-file request of a second start; an empty path is an invalid request.
    void HandleOpenFileRequest(const std::string& path);
    // Writes the program's file version into the status bar.
    void UpdateStatusBar();

    QMdiArea* MdiArea() const { return Mdi; }
    QString StatusText() const;
    bool AcceptsOpenRequests() const;

signals:
    // A file is about to be opened in a new sheet window.
    void FileOpenRequested(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void HandDictionaryToTranslater();
    void FormShow();
    void ProcessCommandLine();
    void CheckLibraryVersions();

    TCommandLine CommandLine;
    bool Shown = false;
    QMdiArea* Mdi = nullptr;            // owned by the window
    QLabel* HintPanel = nullptr;        // status bar panel 0
    QLabel* VersionPanel = nullptr;     // status bar panel 1
    std::unique_ptr<QTranslator> Dictionary;
    std::unique_ptr<TZelmarOpenFileServer> OpenFileServer;
};
