#include "Zelmar_Form_Main.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>

#include "Zelmar_CheckProcess.h"
#include "Zelmar_Collation.h"
#include "Zelmar_Dialog_EditChemistry.h"
#include "Zelmar_Dialog_SearchMolecules.h"
#include "Zelmar_EditCommands.h"
#include "Zelmar_FileCommands.h"
#include "Zelmar_HelpCommands.h"
#include "Zelmar_MessageBoxes.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_Object_DataExchange.h"
#include "Zelmar_Object_HintManager.h"
#include "Zelmar_QtTranslations.h"
#include "Zelmar_SearchCommands.h"
#include "Zelmar_Settings.h"
#include "Zelmar_SheetCommands.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_Splash.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "Zelmar_WindowCommands.h"
#include "vesk_ChemView2.h"
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

// The version text keeps the width it needs in every language. A hint takes the rest of the
// bar; one that needs more pushes the version text aside until the hint goes.
void FitStatusPanels(const QStatusBar* bar, QLabel* hints, QLabel* version) {
    // Frames, margins, spacing and the size grip around the two texts.
    constexpr int kAround = 48;
    const int versionWidth = version->fontMetrics().horizontalAdvance(version->text()) + 8;
    version->setMinimumWidth(versionWidth);
    const int hintWidth =
        hints->text().isEmpty() ? 0 : hints->fontMetrics().horizontalAdvance(hints->text());
    version->setVisible(hintWidth + versionWidth + kAround <= bar->width());
}

}  // namespace

TZelmar_FormMain::TZelmar_FormMain(TCommandLine args, QWidget* parent)
    : QMainWindow(parent),
      CommandLine(std::move(args)),
      Dictionary(std::make_unique<QTranslator>()) {
    setObjectName(QStringLiteral("Zelmar_FormMain"));
    Mdi = new QMdiArea(this);
    Mdi->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(Mdi);
    HintPanel = new QLabel(this);
    HintPanel->setObjectName(QStringLiteral("HintPanel"));
    VersionPanel = new QLabel(this);
    VersionPanel->setObjectName(QStringLiteral("VersionPanel"));
    // The hint panel never widens the window: it takes the room the version text leaves.
    HintPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(HintPanel, 1);
    statusBar()->addPermanentWidget(VersionPanel);
    resize(1000, 700);
    setAcceptDrops(true);
    Files = new TZelmarFileCommands(this);
    Edits = new TZelmarEditCommands(this);
    Sheets = new TZelmarSheetCommands(this);
    Searches = new TZelmarSearchCommands(this);
    Windows = new TZelmarWindowCommands(this);
    Help = new TZelmarHelpCommands(this);
    CreateMenus();
    CreateToolBar();
    connect(Mdi, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* child) { HandleSubWindowActivated(child); });
    FormCreate();
    // Commands are enabled from the sheets' states, which their workers change at any time.
    IdleUpdate = new QTimer(this);
    connect(IdleUpdate, &QTimer::timeout, this, [this] { UpdateActions(); });
    IdleUpdate->start(200);
    UpdateActions();
}

TZelmar_FormMain::~TZelmar_FormMain() {
    // Sheets go first: they hand their cells back to the exchange and their viewers to the pool.
    for (QMdiSubWindow* child : Mdi->subWindowList()) delete child;
    EditChemistry.reset();
    SearchMolecules.reset();
    // Texts must not be looked up in a dictionary that is gone.
    SetTranslationLookup({});
}

void TZelmar_FormMain::CreateMenus() {
    FileMenu = menuBar()->addMenu(QString());
    FileMenu->setObjectName(QStringLiteral("MenuFile"));
    Files->FillMenu(FileMenu);
    EditMenu = menuBar()->addMenu(QString());
    EditMenu->setObjectName(QStringLiteral("MenuEdit"));
    Edits->FillMenu(EditMenu);
    SheetMenu = menuBar()->addMenu(QString());
    SheetMenu->setObjectName(QStringLiteral("MenuCurrentSheet"));
    Sheets->FillMenu(SheetMenu);
    SearchMenu = menuBar()->addMenu(QString());
    SearchMenu->setObjectName(QStringLiteral("MenuSearch"));
    Searches->FillMenu(SearchMenu);
    WindowMenu = menuBar()->addMenu(QString());
    WindowMenu->setObjectName(QStringLiteral("MenuWindow"));
    Windows->FillMenu(WindowMenu);
    HelpMenu = menuBar()->addMenu(QString());
    HelpMenu->setObjectName(QStringLiteral("MenuHelp"));
    Help->FillMenu(HelpMenu);
    RetranslateMenus();
}

void TZelmar_FormMain::CreateToolBar() {
    ToolBar = addToolBar(QString());
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setIconSize(QSize(24, 24));
    ToolBar->addActions({Files->FileNew, Files->FileOpen, Files->FileSave});
    ToolBar->addSeparator();
    ToolBar->addActions({Edits->ActionCut, Edits->ActionCopy, Edits->ActionPaste});
    ToolBar->addSeparator();
    ToolBar->addActions(
        {Windows->WindowCascade, Windows->WindowTileHorizontal, Windows->WindowTileVertical});
}

void TZelmar_FormMain::RetranslateMenus() {
    if (FileMenu == nullptr) return;
    FileMenu->setTitle(QString::fromStdString(LoadTranslatedText("Zelmar_FormMain##  &Datei")));
    EditMenu->setTitle(
        QString::fromStdString(LoadTranslatedText("Zelmar_FormMain##  B&earbeiten")));
    SheetMenu->setTitle(
        QString::fromStdString(LoadTranslatedText("Zelmar_FormMain##  &Aktuelles Datenblatt")));
    SearchMenu->setTitle(QString::fromStdString(LoadTranslatedText("Zelmar_FormMain##  &Suchen")));
    WindowMenu->setTitle(QString::fromStdString(LoadTranslatedText("Zelmar_FormMain##  &Fenster")));
    Files->Retranslate();
    Edits->Retranslate();
    Sheets->Retranslate();
    Searches->Retranslate();
    Windows->Retranslate();
    HelpMenu->setTitle(QString::fromStdString(LoadTranslatedText("Zelmar_FormMain##  &Hilfe")));
    Help->Retranslate();
}

void TZelmar_FormMain::InitMolViewers() {
    GuardedVoid("TZelmar_FormMain.InitMolViewers", [&] {
        Viewers = std::make_unique<TveskChemView2Pool>();
        Viewers->Margins->Mode = TveskChemView2Margins::mmPercent;
        Viewers->Margins->Left = Viewers->Margins->Top = Viewers->Margins->Right =
            Viewers->Margins->Bottom = 5;
        if (Viewers->PoolValid()) Viewers->WriteDefaults();
    });
}

void TZelmar_FormMain::ConnectDataExchange() {
    Exchange = std::make_unique<TZelmarDataExchange>();
    Exchange->OnDataChanged = [this](TZelmarDataExchange*) { HandleOnDataChanged(); };
    Exchange->OnFinishEditData = [this](TZelmarDataExchange*) { HandleOnFinishEditData(); };
    Exchange->OnAbortEditData = [this](TZelmarDataExchange*) { HandleOnAbortEditData(); };
    Exchange->OnEditChemistry = [this](TZelmarDataExchange*, std::string& molFile) {
        return HandleOnEditChemistry(molFile);
    };
}

void TZelmar_FormMain::FormCreate() {
    GuardedVoid("TZelmar_FormMain.FormCreate", [&] {
        ExpandSearchPath();
        ConnectDataExchange();
        InitMolViewers();
        // Made here rather than on first showing: a sheet cannot exist without it, and files
        // may be opened before the window is shown.
        Hints = std::make_unique<TZelmarHintManager>();
        Hints->OnGetMolViewerPool = [this] { return Viewers.get(); };
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
    SetTranslationLookup(
        [dictionary = Dictionary.get()](const std::string& scope, const std::string& native) {
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
        if (!file.isEmpty() && Dictionary->load(file))
            QCoreApplication::installTranslator(Dictionary.get());
        HandDictionaryToTranslater();
        const std::string code = language.substr(0, 2);
        SetDisplayDecimalSeparator(DecimalSeparatorOfLanguage(code));  // weights as shown, typed
        SetCollationLanguage(code);  // text sorts by the language when the locale is C
        UseQtTranslations(code);
        // The editor page shows its few texts in the same language (German for Spanish).
        TZelmarDrawletDialog::SetPageLanguage(
            code == "EN" || code == "FR" ? QString::fromStdString(code) : QStringLiteral("de"));
        UpdateStatusBar();
        RetranslateMenus();
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
        const TZelmarSplash splash(this);
        PreloadEditorDialogs();
        TraceMessage("TZelmar_FormMain.FormShow", tlInformation, "Initializing hint manager...");
        // The hint manager itself is made with the window: files may open before it shows.
        UpdateStatusBar();
        // The title is the window commands' (the program's name and the current sheet's). No
        // application display name: the platform would append it to every title once more.
        Windows->UpdateTitle();
        TraceMessage("TZelmar_FormMain.FormShow", tlInformation,
                     "Processing command line parameters...");
        ProcessCommandLine();
        TraceMessage("TZelmar_FormMain.FormShow", tlInformation,
                     "Checking necessary DLL versions...");
        CheckLibraryVersions();
    });
    // The splash took the activation: the keyboard comes back to the frame and its sheet.
    activateWindow();
    if (TZelmarWindow* sheet = GetCurrentChildWindow())
        sheet->setFocus(Qt::ActiveWindowFocusReason);
}

// Both dialogs start loading their editor page now, off-screen, so that the page is ready
// when the user first edits or searches a structure.
void TZelmar_FormMain::PreloadEditorDialogs() {
    TraceMessage("TZelmar_FormMain.FormShow", tlInformation,
                 "Initializing drawlet dialog (edit molecule)...");
    EditChemistryDialog()->Preload();
    TraceMessage("TZelmar_FormMain.FormShow", tlInformation,
                 "Initializing drawlet dialog (search molecule)...");
    SearchMoleculesDialog()->Preload();
}

TZelmarDialogEditChemistry* TZelmar_FormMain::EditChemistryDialog() {
    if (!EditChemistry) {
        EditChemistry = std::make_unique<TZelmarDialogEditChemistry>(this);
        TraceMessage("TZelmar_FormMain.FormShow", tlInformation, "Dialog created.");
    }
    return EditChemistry.get();
}

TZelmarDialog_SearchMolecules* TZelmar_FormMain::SearchMoleculesDialog() {
    if (!SearchMolecules) {
        SearchMolecules = std::make_unique<TZelmarDialog_SearchMolecules>(this);
        TraceMessage("TZelmar_FormMain.FormShow", tlInformation, "Dialog created.");
    }
    return SearchMolecules.get();
}

void TZelmar_FormMain::ProcessCommandLine() {
    const std::string file = GetCommandLineParameter(CommandLine, "/OPEN=");
    if (!file.empty()) DoOpenNewFile(file);
    // Plain file arguments, as the desktop passes them: each in a sheet of its own.
    for (const std::string& plainFile : GetFileArguments(CommandLine)) DoOpenNewFile(plainFile);
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
        if (TZelmarWindow* sheet = CreateSheetWindow(path)) {
            // Only files that are there make the list of recent files.
            if (sheet->LoadFile(path) && QFileInfo(QString::fromStdString(path)).isFile())
                zelmarSettings::AddRecentFile(path);
        }
    });
}

void TZelmar_FormMain::PlaceNewSheet(QMdiSubWindow* child) const {
    // A sheet opens large enough to show its rows and columns, each next one a little lower
    // and further right, as the platform's document windows do.
    const QSize area = Mdi->viewport()->size();
    const int step = 24 * (Mdi->subWindowList().size() - 1) % std::max(1, area.height() / 4);
    child->resize(std::max(area.width() * 3 / 4, 400), std::max(area.height() * 3 / 4, 300));
    child->move(step, step);
}

TZelmarWindow* TZelmar_FormMain::CreateSheetWindow(const std::string& caption) {
    return Guarded<TZelmarWindow*>("TZelmar_FormMain.CreateSheetWindow", nullptr, [&] {
        auto sheet = std::make_unique<TZelmarWindow>(nullptr, Hints.get());
        sheet->OnUpdateDataExchange = [this](TZelmarWindow* sender, TZelmarSDFileData* record,
                                             TZelmarField* field) {
            if (Exchange) Exchange->HandleOnUpdateDataExchange(sender, record, field);
        };
        sheet->OnChangeExternalData = [this](TZelmarWindow* sender, const std::string& text,
                                             bool chemistry, bool abort, bool finish, bool start) {
            ReportingSheet = sender;
            if (Exchange)
                Exchange->HandleOnChangeExternalData(sender, text, chemistry, abort, finish, start);
        };
        sheet->SetOnGetMolViewer([this](TZelmarDataPainter*, const std::string& molText, int) {
            return Guarded<std::unique_ptr<TveskMolView2>>(
                "TZelmar_FormMain.HandleOnGetMolViewer", nullptr,
                [&] { return Viewers ? Viewers->CreateMolViewFromString(molText) : nullptr; });
        });
        sheet->SetOnReleaseMolViewer(
            [this](TZelmarDataPainter*, std::unique_ptr<TveskMolView2> view) {
                GuardedVoid("TZelmar_FormMain.HandleOnReleaseMolViewer", [&] {
                    if (Viewers) Viewers->ReleaseMolView(std::move(view));
                });
            });
        sheet->SetOnGetMolViewerSettings([this](TZelmarDataPainter*) {
            return Viewers ? Viewers->SettingsKey() : std::string();
        });
        TZelmarSheetCommands::PlugDialogs(sheet.get());
        Searches->PlugFilter(sheet.get());
        sheet->SetCaption(caption);
        TZelmarWindow* window = sheet.release();
        QMdiSubWindow* child = Mdi->addSubWindow(window);
        child->setAttribute(Qt::WA_DeleteOnClose);
        PlaceNewSheet(child);
        child->show();
        // The new sheet is the current one even while the frame is not the active window (a
        // file dropped or handed over from a second start): it also takes the focus the
        // frame gives back when it is activated again.
        Mdi->setActiveSubWindow(child);
        window->Grid()->setFocus(Qt::OtherFocusReason);
        UpdateActions();
        return window;
    });
}

TZelmarWindow* TZelmar_FormMain::GetCurrentChildWindow() const {
    return Guarded<TZelmarWindow*>("TZelmar_FormMain.GetCurrentChildWindow", nullptr, [&] {
        QMdiSubWindow* child = Mdi->currentSubWindow();
        return child != nullptr ? qobject_cast<TZelmarWindow*>(child->widget()) : nullptr;
    });
}

QList<TZelmarWindow*> TZelmar_FormMain::SheetWindows() const {
    QList<TZelmarWindow*> sheets;
    for (QMdiSubWindow* child : Mdi->subWindowList())
        if (auto* sheet = qobject_cast<TZelmarWindow*>(child->widget())) sheets << sheet;
    return sheets;
}

bool TZelmar_FormMain::HasChildWindows() const {
    return !Mdi->subWindowList().isEmpty();
}

void TZelmar_FormMain::RefreshAllSheets() {
    for (TZelmarWindow* sheet : SheetWindows()) sheet->Refresh();
}

std::string TZelmar_FormMain::GetNextSearchWindowCaption() const {
    return Guarded<std::string>("TZelmar_FormMain.GetNextSearchWindowCaption", std::string(), [&] {
        const std::string base = LoadTranslatedText("Zelmar_FormMain##  Suchergebnis");
        int n = 1;
        for (TZelmarWindow* sheet : SheetWindows())
            if (sheet->Caption().find(base) != std::string::npos) ++n;
        return base + " - " + std::to_string(n);
    });
}

TZelmarWindow* TZelmar_FormMain::CreateSearchResultWindow(const TZelmarRecordRefs* records,
                                                          std::string caption,
                                                          const QString& origin) {
    return Guarded<TZelmarWindow*>("TZelmar_FormMain.CreateSearchResultWindow", nullptr, [&] {
        if (records == nullptr) return static_cast<TZelmarWindow*>(nullptr);
        if (records->GetCount() == 0) {
            MessageBoxes().ShowInformation("Zelmar_FormMain##  Keine Suchergebnisse vorhanden");
            return static_cast<TZelmarWindow*>(nullptr);
        }
        if (caption.empty()) caption = GetNextSearchWindowCaption();
        TZelmarWindow* sheet = CreateSheetWindow(caption);
        if (sheet == nullptr) return sheet;
        sheet->AssignSDFileData(*records);
        if (!origin.isEmpty()) sheet->parentWidget()->setToolTip(origin);
        return sheet;
    });
}

void TZelmar_FormMain::UpdateActions() {
    Files->UpdateActions();
    Edits->UpdateActions();
    Sheets->UpdateActions();
    Searches->UpdateActions();
    Windows->UpdateActions();
}

void TZelmar_FormMain::HandleSubWindowActivated(QMdiSubWindow* child) {
    TZelmarWindow* sheet =
        child != nullptr ? qobject_cast<TZelmarWindow*>(child->widget()) : nullptr;
    if (sheet == ActiveSheet) return;
    if (ActiveSheet) ActiveSheet->Deactivated();
    ActiveSheet = sheet;
    if (sheet != nullptr) sheet->Activated();
    UpdateActions();
}

TZelmarWindow* TZelmar_FormMain::EditSheet() const {
    if (ReportingSheet) return ReportingSheet.data();
    return GetCurrentChildWindow();
}

void TZelmar_FormMain::HandleOnDataChanged() {
    GuardedVoid("TZelmar_FormMain.HandleOnDataChanged", [&] {
        if (TZelmarWindow* sheet = EditSheet()) sheet->RefreshSelection();
    });
}

void TZelmar_FormMain::HandleOnFinishEditData() {
    GuardedVoid("TZelmar_FormMain.HandleOnFinishEditData", [&] {
        TZelmarWindow* sheet = EditSheet();
        if (sheet == nullptr) return;
        sheet->Grid()->setFocus();
        sheet->EditFinished();
        sheet->Refresh();
    });
}

void TZelmar_FormMain::HandleOnAbortEditData() {
    GuardedVoid("TZelmar_FormMain.HandleOnAbortEditData", [&] {
        TZelmarWindow* sheet = EditSheet();
        if (sheet == nullptr) return;
        sheet->Grid()->setFocus();
        sheet->AbortEdit();
    });
}

bool TZelmar_FormMain::HandleOnEditChemistry(std::string& molFile) {
    return Guarded("TZelmar_FormMain.HandleOnEditChemistry", false, [&] {
        TZelmarDialogEditChemistry* dialog = EditChemistryDialog();
        QCoreApplication::processEvents();
        dialog->hide();
        // An unchanged drawing is no edit: the cell and the sheet stay as they were.
        if (!dialog->SetMolecule(molFile) || dialog->exec() != QDialog::Accepted ||
            !dialog->MoleculeChanged())
            return false;
        molFile = dialog->MoleculeText;
        return true;
    });
}

bool TZelmar_FormMain::event(QEvent* event) {
    // Action hints go to panel 0, not over the whole status bar.
    if (event->type() == QEvent::StatusTip) {
        HintPanel->setText(static_cast<QStatusTipEvent*>(event)->tip());
        FitStatusPanels(statusBar(), HintPanel, VersionPanel);
        return true;
    }
    return QMainWindow::event(event);
}

QString TZelmar_FormMain::HintText() const {
    return HintPanel->text();
}

void TZelmar_FormMain::closeEvent(QCloseEvent* event) {
    // Each sheet may ask about its changes or refuse while busy; Cancel on one question keeps
    // the program and the sheets not yet asked open. The front sheet is asked first.
    const QList<QMdiSubWindow*> children = Mdi->subWindowList(QMdiArea::StackingOrder);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        if (!(*child)->close()) {
            event->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(event);
}

void TZelmar_FormMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (VersionPanel != nullptr) UpdateStatusBar();
}

void TZelmar_FormMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TZelmar_FormMain::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    DropFiles(urls);
}

void TZelmar_FormMain::DropFiles(const QList<QUrl>& urls) {
    GuardedVoid("TZelmar_FormMain.WMDROPFILES", [&] {
        // Files before a rejected one are opened; the rejected one and all after it are not.
        for (const QUrl& url : urls) {
            const QString path =
                url.isLocalFile() ? QFileInfo(url.toLocalFile()).absoluteFilePath() : QString();
            if (path.isEmpty()) {
                MessageBoxes().ShowError(
                    "Zelmar_FormMain##  Zelmar was unable to retrive the dropped files' full path "
                    "names");
                return;
            }
            if (!path.toUpper().endsWith(QLatin1String(".SDF"))) {
                MessageBoxes().ShowError(
                    "Zelmar_FormMain##  Invalid file selected. Please select a SD file");
                return;
            }
            DoOpenNewFile(path.toStdString());
        }
    });
}

void TZelmar_FormMain::HandleOpenFileRequest(const std::string& path) {
    if (path.empty()) {
        MessageBoxes().ShowError(
            "Zelmar_FormMain##  Zelmar has received an invalid \"file open\" command (zero atom "
            "ID)");
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
        FitStatusPanels(statusBar(), HintPanel, VersionPanel);
    });
}

QString TZelmar_FormMain::StatusText() const {
    return VersionPanel->text();
}

bool TZelmar_FormMain::AcceptsOpenRequests() const {
    return OpenFileServer != nullptr && OpenFileServer->IsListening();
}
