#pragma once
// What the molecule editor dialog and the molecule search dialog share: the editor page in
// a browser view, the tool bars that drive it, the no-editor layout, help, clipboard and MOL
// files, and keeping the page's own dialogs in front while they are open.

#include <QDialog>

#include <memory>
#include <string>

#include "vesk_ChemRoutines.h"

class QAction;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;
class QWebEngineView;
class TZelmarDrawletBridge;
struct TZelmarDrawletButton;

// The stored messages a dialog shows, each in the dialog's own scope.
struct TZelmarDrawletMessages {
    const char* NoEditor;
    const char* NoHelpPage;
    const char* BadClipboard;
    const char* BadExtension;
    const char* BadFile;
    const char* SaveFailed;
};

class TZelmarDrawletDialog : public QDialog {
    Q_OBJECT
public:
    ~TZelmarDrawletDialog() override;

    // The browser engine refuses to start as root with its sandbox: switched off then, and
    // only then. Call before the application object is made.
    static void PrepareBrowserEnvironment();
    // The folder of the editor page; empty means the program folder's "Drawlet".
    static void SetDrawletFolder(const QString& folder);
    static QString DrawletFolder();
    // The language of the page's own texts ("de", "en", "fr"), for pages loaded from now on.
    static void SetPageLanguage(const QString& code);
    // The version of the editor the page is built on (its licence is bundled with the page).
    static QString EditorVersion();

    // The molecule in the dialog (MDL molfile text, or a reaction file text).
    std::string MoleculeText;

    const QString& EditorPage() const { return FEditorPage; }
    bool EditorAvailable() const { return FEditorAvailable; }
    // Whether the page has been found ready (it stays so).
    bool PageReady() const { return FPageReady; }
    // Whether the page with its DRAWLET object is there; sets the layout to match.
    bool CheckValidEditor();
    // Loads the page if it is not loaded yet and waits until it is ready.
    bool ReloadDrawlet();
    // The caption of a dialog the page has open, or empty.
    std::string GetDLTActiveDialogCaption();
    // Shows the dialog off-screen and hides it at once, so that the page starts loading
    // before the user first needs it.
    void Preload();
    // Reads the page's drawing into MoleculeText.
    virtual void GetChemString() = 0;

    // True while one of the page's own dialogs is open and the host waits for it.
    bool PageDialogOpen() const { return FPageDialogOpen; }
    TZelmarDrawletBridge* Bridge() const { return FBridge.get(); }
    QWebEngineView* WebBrowser() const { return FBrowser; }

protected:
    TZelmarDrawletDialog(QWidget* parent, const char* className,
                         const TZelmarDrawletMessages& messages);

    // "Class.Method" for the trace log.
    std::string Source(const char* method) const;
    // An error box with a stored message.
    void ShowError(const char* text) const;

    // Hands MoleculeText to the page: a new drawing when empty, a reaction or a molecule.
    // False when the page could not take a text (it then shows an empty drawing).
    bool PushMoleculeToEditor();
    // The page's drawing: its reaction text when it is a reaction, else its molfile.
    QString DrawingText(bool askReaction, bool* ok = nullptr);
    void SetToolBarsEnabled(bool enabled);
    QToolButton* ButtonNamed(const char* name) const;
    // Called by done() for OK; false keeps the dialog open.
    virtual bool AcceptClose() = 0;
    virtual void Retranslate();

    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QHBoxLayout* MiddleLayout = nullptr;  // left tool bar, editor area; a right panel may follow
    QHBoxLayout* BottomLayout = nullptr;  // hint text, then the centred OK and Cancel
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
    QPushButton* BtnHelp = nullptr;
    QAction* ActCopy = nullptr;
    QAction* ActCut = nullptr;
    QAction* ActionPasteFromClipboard = nullptr;
    QAction* ActImport = nullptr;
    QAction* ActExport = nullptr;
    TveskMolManager MolChecker;

private:
    void CreateToolBars(QVBoxLayout* outer);
    QToolButton* AddButton(QWidget* bar, const TZelmarDrawletButton& button);
    void CreateActions(QWidget* topBar);
    void CreateBrowser();
    void ApplyLayout();
    void ButtonClicked(const TZelmarDrawletButton& button, QToolButton* pressed);
    void StartWatching();
    void WatchStep();
    void EndWatching();
    void UpdateActions();
    void CopyExecute();
    void CutExecute();
    void PasteExecute();
    void ImportExecute();
    void ExportExecute();
    void HelpExecute();
    bool TakeMolecule(const std::string& text, const char* refusal);
    // Ctrl+V in the page is the dialog's paste command, unless a dialog of the page is open
    // (its text fields paste for themselves).
    bool PasteKeyInPage(QKeyEvent* key);
    void WatchPageInput();
    std::string AskFileName(bool save);

    const std::string FClassName;
    const TZelmarDrawletMessages FMessages;
    QString FEditorPage;
    bool FEditorAvailable = false;
    bool FPageReady = false;
    bool FPreloading = false;
    bool FInShowEvent = false;
    bool FClipboardHasText = false;
    bool FWatching = false;
    bool FPageDialogOpen = false;
    int FWatchRounds = 0;
    QStackedWidget* FEditorArea = nullptr;
    QWidget* FNoEditor = nullptr;  // PaintBoxNoDrawlet
    QWebEngineView* FBrowser = nullptr;
    QLabel* FHintLabel = nullptr;
    QWidget* FTopBar = nullptr;
    QWidget* FLeftBar = nullptr;
    // Bridges go before the views they serve (child widgets, freed after the members).
    std::unique_ptr<TZelmarDrawletBridge> FBridge;
    QWebEngineView* FHelpWindow = nullptr;
    std::unique_ptr<TZelmarDrawletBridge> FHelpBridge;
};
