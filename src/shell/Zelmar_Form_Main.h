#pragma once
// The main window: owner of the program's shared services (the edit transaction, the viewer
// pool, the hint manager) and the frame of the sheet windows. Commands live in their own
// units; this class wires them.

#include <QMainWindow>
#include <QPointer>
#include <QUrl>

#include <memory>
#include <string>

#include "Zelmar_Global.h"
#include "Zelmar_Object_SDFileData.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;
class QTranslator;
class TveskChemView2Pool;
class QToolBar;
class TZelmarDataExchange;
class TZelmarDialogEditChemistry;
class TZelmarDialog_SearchMolecules;
class TZelmarEditCommands;
class TZelmarHelpCommands;
class TZelmarSearchCommands;
class TZelmarFileCommands;
class TZelmarHintManager;
class TZelmarOpenFileServer;
class TZelmarSheetCommands;
class TZelmarWindow;
class TZelmarWindowCommands;

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
    // Files dropped onto the frame, in the order of the drop.
    void DropFiles(const QList<QUrl>& urls);
    // Handles an open-file request of a second start; an empty path is an invalid request.
    void HandleOpenFileRequest(const std::string& path);
    // Writes the program's file version into the status bar.
    void UpdateStatusBar();
    // A new sheet window in the frame with the caption; none if it cannot be made.
    TZelmarWindow* CreateSheetWindow(const std::string& caption);
    // The active child window if it is a sheet window.
    TZelmarWindow* GetCurrentChildWindow() const;
    QList<TZelmarWindow*> SheetWindows() const;
    bool HasChildWindows() const;
    void RefreshAllSheets();
    // A search result as a new sheet of copies of the records, with no file name; an empty
    // result says so and opens nothing. An empty caption takes the next result caption; the
    // origin (what produced the result) becomes the window's tool tip.
    TZelmarWindow* CreateSearchResultWindow(const TZelmarRecordRefs* records, std::string caption,
                                            const QString& origin = {});
    // "Suchergebnis - n", n one more than the result windows open now.
    std::string GetNextSearchWindowCaption() const;
    // Recomputes every command's enabled state (also done by a timer while idle).
    void UpdateActions();

    QMdiArea* MdiArea() const { return Mdi; }
    QString StatusText() const;
    QString HintText() const;
    bool AcceptsOpenRequests() const;
    TZelmarDataExchange* DataExchange() const { return Exchange.get(); }
    TZelmarHintManager* HintManager() const { return Hints.get(); }
    TveskChemView2Pool* ViewerPool() const { return Viewers.get(); }
    TZelmarFileCommands* FileCommands() const { return Files; }
    TZelmarEditCommands* EditCommands() const { return Edits; }
    TZelmarWindowCommands* WindowCommands() const { return Windows; }
    TZelmarSheetCommands* SheetCommands() const { return Sheets; }
    TZelmarSearchCommands* SearchCommands() const { return Searches; }
    // The program's one molecule editor and one molecule search dialog, made on first need.
    TZelmarDialogEditChemistry* EditChemistryDialog();
    TZelmarDialog_SearchMolecules* SearchMoleculesDialog();

    // The query of the last molecule search, in whichever sheet it ran.
    std::string LastMoleculeQuery;

signals:
    // A file is about to be opened in a new sheet window.
    void FileOpenRequested(const QString& path);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void PlaceNewSheet(QMdiSubWindow* child) const;
    void FormCreate();
    void CreateMenus();
    void CreateToolBar();
    void RetranslateMenus();
    void InitMolViewers();
    void ConnectDataExchange();
    void HandDictionaryToTranslater();
    void FormShow();
    void PreloadEditorDialogs();
    void ProcessCommandLine();
    void CheckLibraryVersions();
    void HandleSubWindowActivated(QMdiSubWindow* child);
    // The sheet whose edit the data exchange reports: the one that reported last, else the
    // current one.
    TZelmarWindow* EditSheet() const;
    void HandleOnDataChanged();
    void HandleOnFinishEditData();
    void HandleOnAbortEditData();
    bool HandleOnEditChemistry(std::string& molFile);

    TCommandLine CommandLine;
    bool Shown = false;
    QMdiArea* Mdi = nullptr;         // owned by the window
    QLabel* HintPanel = nullptr;     // status bar panel 0
    QLabel* VersionPanel = nullptr;  // status bar panel 1
    QMenu* FileMenu = nullptr;
    QMenu* EditMenu = nullptr;
    QMenu* SheetMenu = nullptr;
    QMenu* SearchMenu = nullptr;
    QMenu* WindowMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    QToolBar* ToolBar = nullptr;
    QTimer* IdleUpdate = nullptr;
    std::unique_ptr<QTranslator> Dictionary;
    std::unique_ptr<TZelmarOpenFileServer> OpenFileServer;
    std::unique_ptr<TZelmarDataExchange> Exchange;
    std::unique_ptr<TveskChemView2Pool> Viewers;
    std::unique_ptr<TZelmarHintManager> Hints;
    std::unique_ptr<TZelmarDialogEditChemistry> EditChemistry;
    std::unique_ptr<TZelmarDialog_SearchMolecules> SearchMolecules;
    TZelmarFileCommands* Files = nullptr;
    TZelmarEditCommands* Edits = nullptr;
    TZelmarSheetCommands* Sheets = nullptr;
    TZelmarSearchCommands* Searches = nullptr;
    TZelmarWindowCommands* Windows = nullptr;
    TZelmarHelpCommands* Help = nullptr;
    QPointer<TZelmarWindow> ReportingSheet;
    QPointer<TZelmarWindow> ActiveSheet;
};
