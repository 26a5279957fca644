#include "Zelmar_DrawletDialog.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <cstring>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_BusyCursor.h"
#include "Zelmar_DrawletBridge.h"
#include "Zelmar_DrawletButtons.h"
#include "Zelmar_FileDialogs.h"
#include "Zelmar_Icons.h"
#include "Zelmar_MessageBoxes.h"
#include "Zelmar_Translater.h"
#include "vesk_Folders.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QString& DrawletFolderSetting() {
    static QString folder;
    return folder;
}

QString& PageLanguageSetting() {
    static QString language = QStringLiteral("de");
    return language;
}

// Under load the browser engine takes many seconds to start; it never takes minutes.
constexpr int kPageTimeoutMs = 90000;
// A page that takes a text through its structure service shows it a moment later.
constexpr int kDrawingTimeoutMs = 15000;

// Whether a molfile or reaction text has anything to draw: an empty molecule reads back from
// the page as an empty text.
bool DrawsSomething(const QString& text) {
    if (text.contains(QLatin1String("$RXN"))) return true;
    static const QRegularExpression v3000(QStringLiteral("M  V30 COUNTS (\\d+)"));
    const QRegularExpressionMatch counts = v3000.match(text);
    if (counts.hasMatch()) return counts.captured(1).toInt() > 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    return lines.size() > 3 && lines[3].left(3).trimmed().toInt() > 0;
}

// Shows "Kein Chemieeditor vorhanden" in place of the browser.
class TNoEditorPaintBox : public QWidget {
public:
    explicit TNoEditorPaintBox(const char* message) : Message(message) {
        setObjectName(QStringLiteral("PaintBoxNoDrawlet"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawText(rect().adjusted(20, 20, -20, -20), Qt::AlignCenter | Qt::TextWordWrap,
                         ShownText(Message));
    }

private:
    const char* const Message;
};

// The short part of a two-part hint goes to the tool tip, the long one to the hint line.
void SetHint(QWidget* widget, const char* stored) {
    const QString hint = ShownText(stored);
    const int bar = hint.indexOf(QLatin1Char('|'));
    widget->setToolTip(bar < 0 ? hint : hint.left(bar));
    widget->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

QToolButton* ToolButtonFor(QWidget* bar, QAction* action) {
    auto* button = new QToolButton(bar);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(QSize(24, 24));
    return button;
}

}  // namespace

void TZelmarDrawletDialog::PrepareBrowserEnvironment() {
#ifdef Q_OS_UNIX
    if (getuid() != 0) return;
#else
    return;
#endif
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    TraceMessage("Zelmar.PrepareBrowserEnvironment", tlWarning, "%s",
                 "Running as root: the molecule editor's browser runs without its sandbox.");
}

void TZelmarDrawletDialog::SetDrawletFolder(const QString& folder) {
    DrawletFolderSetting() = folder;
}

QString TZelmarDrawletDialog::DrawletFolder() {
    if (!DrawletFolderSetting().isEmpty()) return DrawletFolderSetting();
    return QString::fromStdString(platform::GetProgramFolder()) + QStringLiteral("/Drawlet");
}

void TZelmarDrawletDialog::SetPageLanguage(const QString& code) {
    PageLanguageSetting() = code.left(2).toLower();
}

QString TZelmarDrawletDialog::EditorVersion() {
    return QStringLiteral(ZELMAR_DRAWLET_EDITOR_VERSION);
}

TZelmarDrawletDialog::TZelmarDrawletDialog(QWidget* parent, const char* className,
                                           const TZelmarDrawletMessages& messages)
    : QDialog(parent), FClassName(className), FMessages(messages) {
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    CreateToolBars(outer);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("PanelBottom"));
    BottomLayout = new QHBoxLayout(bottom);
    FHintLabel = new QLabel(bottom);
    FHintLabel->setObjectName(QStringLiteral("HintLabel"));
    BtnHelp = new QPushButton(bottom);
    BtnHelp->setObjectName(QStringLiteral("BtnHelp"));
    BtnHelp->setAutoDefault(false);
    BtnOK = new QPushButton(bottom);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(bottom);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnCancel->setAutoDefault(false);
    // OK and Cancel stay a centred pair at any width; the hint line takes the room left.
    BottomLayout->addWidget(FHintLabel, 1);
    BottomLayout->addWidget(BtnOK);
    BottomLayout->addWidget(BtnCancel);
    BottomLayout->addStretch(1);
    outer->addWidget(bottom);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnHelp, &QPushButton::clicked, this, [this] { HelpExecute(); });

    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto clipboardChanged = [this, clipboard] {
        const QMimeData* data = clipboard->mimeData();
        FClipboardHasText = data != nullptr && data->hasText();
        UpdateActions();
    };
    connect(clipboard, &QClipboard::dataChanged, this, clipboardChanged);
    clipboardChanged();

    FEditorPage = DrawletFolder() + QStringLiteral("/drawlet.htm");
    FEditorAvailable = QFileInfo::exists(FEditorPage);
    if (FEditorAvailable) {
        CreateBrowser();
    } else {
        TraceMessage(Source("FormCreate").c_str(), tlError,
                     "Could not find dlt-applet. (FileName: %s)", FEditorPage.toUtf8().constData());
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr && screen->geometry().width() > 800)
        resize(924, 668);
    else
        resize(782, 548);
    ApplyLayout();
    TraceMessage(Source("FormCreate").c_str(), tlInformation, "Dialog initialized.");
}

TZelmarDrawletDialog::~TZelmarDrawletDialog() = default;

std::string TZelmarDrawletDialog::Source(const char* method) const {
    return FClassName + "." + method;
}

void TZelmarDrawletDialog::CreateToolBars(QVBoxLayout* outer) {
    FTopBar = new QWidget(this);
    FTopBar->setObjectName(QStringLiteral("ToolBarTop"));
    auto* top = new QHBoxLayout(FTopBar);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(1);
    FLeftBar = new QWidget(this);
    FLeftBar->setObjectName(QStringLiteral("ToolBarLeft"));
    auto* left = new QGridLayout(FLeftBar);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(1);

    auto* modes = new QButtonGroup(this);
    modes->setExclusive(true);
    int leftIndex = 0;
    bool clipboardPlaced = false;
    for (const TZelmarDrawletButton& button : DrawletButtons()) {
        QToolButton* tool = AddButton(button.LeftBar ? FLeftBar : FTopBar, button);
        if (button.ModeGroup) modes->addButton(tool);
        if (button.LeftBar) {
            // The atoms begin a row of their own below the rings.
            if (std::strcmp(button.Name, "BtnC") == 0) leftIndex += leftIndex % 2;
            left->addWidget(tool, leftIndex / 2, leftIndex % 2);
            ++leftIndex;
            continue;
        }
        top->addWidget(tool);
        if (!clipboardPlaced) {  // the file and clipboard buttons follow "new"
            CreateActions(FTopBar);
            clipboardPlaced = true;
        }
        const QString name = QString::fromLatin1(button.Name);
        if (name == QLatin1String("BtnDelete") || name == QLatin1String("BtnSingleBondChains") ||
            name == QLatin1String("BtnChiral"))
            top->addSpacing(8);
    }
    top->addStretch(1);
    left->setRowStretch(leftIndex / 2 + 1, 1);
    ButtonNamed("BtnSingleBond")->setChecked(true);
    outer->addWidget(FTopBar);

    MiddleLayout = new QHBoxLayout();
    MiddleLayout->addWidget(FLeftBar);
    FEditorArea = new QStackedWidget(this);
    FNoEditor = new TNoEditorPaintBox(FMessages.NoEditor);
    FEditorArea->addWidget(FNoEditor);
    MiddleLayout->addWidget(FEditorArea, 1);
    outer->addLayout(MiddleLayout, 1);
}

QToolButton* TZelmarDrawletDialog::AddButton(QWidget* bar, const TZelmarDrawletButton& button) {
    auto* tool = new QToolButton(bar);
    tool->setObjectName(QString::fromLatin1(button.Name));
    tool->setAutoRaise(true);
    tool->setCheckable(button.ModeGroup);
    tool->setIcon(DrawletButtonIcon(button));
    tool->setIconSize(QSize(24, 24));
    tool->setFocusPolicy(Qt::NoFocus);
    connect(tool, &QToolButton::clicked, this,
            [this, &button, tool] { ButtonClicked(button, tool); });
    return tool;
}

void TZelmarDrawletDialog::CreateActions(QWidget* topBar) {
    ActCopy = MakeAction(this, "ActCopy", QStringLiteral("edit-copy"));
    ActCut = MakeAction(this, "ActCut", QStringLiteral("edit-cut"));
    ActionPasteFromClipboard =
        MakeAction(this, "ActionPasteFromClipboard", QStringLiteral("edit-paste"));
    ActImport = MakeAction(this, "ActImport", QStringLiteral("mol-import"));
    ActExport = MakeAction(this, "ActExport", QStringLiteral("mol-export"));
    connect(ActCopy, &QAction::triggered, this, [this] { CopyExecute(); });
    connect(ActCut, &QAction::triggered, this, [this] { CutExecute(); });
    connect(ActionPasteFromClipboard, &QAction::triggered, this, [this] { PasteExecute(); });
    connect(ActImport, &QAction::triggered, this, [this] { ImportExecute(); });
    connect(ActExport, &QAction::triggered, this, [this] { ExportExecute(); });
    auto* layout = static_cast<QHBoxLayout*>(topBar->layout());
    const char* names[] = {"BtnCopy", "BtnCut", "BtnPaste", "BtnImport", "BtnExport"};
    int i = 0;
    for (QAction* action : {ActCopy, ActCut, ActionPasteFromClipboard, ActImport, ActExport}) {
        QToolButton* button = ToolButtonFor(topBar, action);
        button->setObjectName(QString::fromLatin1(names[i++]));
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
    }
    layout->addSpacing(8);
}

void TZelmarDrawletDialog::CreateBrowser() {
    FBrowser = new QWebEngineView(FEditorArea);
    FBrowser->setObjectName(QStringLiteral("WebBrowser"));
    FEditorArea->addWidget(FBrowser);
    FBridge = std::make_unique<TZelmarDrawletBridge>(FBrowser, FEditorPage, PageLanguageSetting());
    connect(FBridge.get(), &TZelmarDrawletBridge::DrawingChanged, this,
            &TZelmarDrawletDialog::UpdateActions);
    // The page opens dialogs of its own, for example on a double click on an atom.
    FBrowser->installEventFilter(this);
    FBridge->Load();
}

void TZelmarDrawletDialog::Retranslate() {
    BtnCancel->setText(ShownText("ZelmarDialogEditChemistry##  Abbrechen"));
    BtnHelp->setText(ShownText("ZelmarDialogEditChemistry##  Editor-Hilfe"));
    for (const TZelmarDrawletButton& button : DrawletButtons())
        SetHint(ButtonNamed(button.Name), button.Hint);
    SetCaptionAndHint(ActCopy, "ZelmarDialogEditChemistry##  Kopieren",
                      "ZelmarDialogEditChemistry##  Copy chemistry to clipboard");
    SetCaptionAndHint(ActCut, "ZelmarDialogEditChemistry##  Ausschneiden",
                      "ZelmarDialogEditChemistry##  Cut chemistry to clipboard");
    SetCaptionAndHint(ActionPasteFromClipboard, "ZelmarDialogEditChemistry##  Einfügen",
                      "ZelmarDialogEditChemistry##  Paste chemistry from clipboard");
    SetCaptionAndHint(ActImport, "ZelmarDialogEditChemistry##  Importieren",
                      "ZelmarDialogEditChemistry##  Import chemistry from file");
    SetCaptionAndHint(ActExport, "ZelmarDialogEditChemistry##  Exportieren",
                      "ZelmarDialogEditChemistry##  Export chemistry to file");
}

QToolButton* TZelmarDrawletDialog::ButtonNamed(const char* name) const {
    return findChild<QToolButton*>(QString::fromLatin1(name));
}

void TZelmarDrawletDialog::ShowError(const char* text) const {
    MessageBoxes().ShowError(text);
}

void TZelmarDrawletDialog::Preload() {
    GuardedVoid(Source("Preload").c_str(), [&] {
        const QPoint place = pos();
        FPreloading = true;
        // Never takes the focus from the window the user works in.
        const bool quiet = testAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_ShowWithoutActivating, true);
        move(place.x(), -10000);
        show();
        hide();
        move(place);
        setAttribute(Qt::WA_ShowWithoutActivating, quiet);
        FPreloading = false;
    });
}

void TZelmarDrawletDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (FPreloading) return;
    FInShowEvent = true;
    GuardedVoid(Source("FormShow").c_str(), [&] {
        const std::string source = Source("FormShow");
        TraceMessage(source.c_str(), tlInformation, "Setting chemistry editor state...");
        if (FBrowser != nullptr && !FPageReady) {
            TraceMessage(source.c_str(), tlInformation, "(Re)loading the editor...");
            ReloadDrawlet();
            TraceMessage(source.c_str(), tlInformation, "Done.");
        }
        CheckValidEditor();
        WatchPageInput();
        (FEditorAvailable ? static_cast<QWidget*>(BtnOK) : BtnCancel)->setFocus();
        TraceMessage(source.c_str(), tlInformation, "Chemistry editor state set.");
    });
    FInShowEvent = false;
}

bool TZelmarDrawletDialog::ReloadDrawlet() {
    if (FBrowser == nullptr) return false;
    if (FPageReady) return true;
    return Guarded(Source("ReloadDrawlet").c_str(), false, [&] {
        const std::string source = Source("ReloadDrawlet");
        TraceMessage(source.c_str(), tlInformation, "Loading editor from '%s'...",
                     FEditorPage.toUtf8().constData());
        if (FBridge->LoadFailed()) FBridge->Load();
        TraceMessage(source.c_str(), tlInformation, "Web browser navigation started.");
        {
            const TBusyCursor busy;
            FPageReady = FBridge->WaitUntilReady(kPageTimeoutMs);
        }
        if (!FPageReady) {
            TraceMessage(source.c_str(), tlError, "The editor page did not become ready.");
            MessageBoxes().ShowError("Could not load veskdrawlet");
            return false;
        }
        // The page starts with the tool of the pressed mode button.
        for (const TZelmarDrawletButton& button : DrawletButtons())
            if (button.ModeGroup && ButtonNamed(button.Name)->isChecked())
                FBridge->Call(QString::fromLatin1(button.Method));
        TraceMessage(source.c_str(), tlInformation, "Done.");
        return true;
    });
}

bool TZelmarDrawletDialog::CheckValidEditor() {
    const std::string source = Source("CheckValidEditor");
    TraceMessage(source.c_str(), tlInformation, "Checking chemistry editor...");
    const bool valid = Guarded(source.c_str(), false, [&] {
        return FBrowser != nullptr && FPageReady && FBridge->HasApplet();
    });
    TraceMessage(source.c_str(), tlInformation, "Done.");
    FEditorAvailable = valid;
    ApplyLayout();
    return valid;
}

void TZelmarDrawletDialog::ApplyLayout() {
    if (FEditorAvailable && FBrowser != nullptr)
        FEditorArea->setCurrentWidget(FBrowser);
    else
        FEditorArea->setCurrentWidget(FNoEditor);
    BtnOK->setEnabled(FEditorAvailable && !FPageDialogOpen);
    UpdateActions();
}

QString TZelmarDrawletDialog::DrawingText(bool askReaction, bool* ok) {
    if (ok != nullptr) *ok = false;
    if (FBridge == nullptr || !FEditorAvailable) return QString();
    bool answered = false;
    QString text;
    if (askReaction) {
        text = FBridge->CallText(QStringLiteral("getRxnFile"), &answered);
        if (!answered) return QString();
    }
    if (text.isEmpty()) text = FBridge->CallText(QStringLiteral("getMolFile"), &answered);
    if (ok != nullptr) *ok = answered;
    return text;
}

bool TZelmarDrawletDialog::PushMoleculeToEditor() {
    // Covers the wait for a page that is still starting as well as the drawing's own.
    const TBusyCursor busy;
    return Guarded(Source("PushMoleculeToEditor").c_str(), false, [&] {
        if (FBrowser == nullptr || !ReloadDrawlet() || !CheckValidEditor()) return false;
        const QString text = QString::fromStdString(MoleculeText);
        if (text.trimmed().isEmpty()) return FBridge->Call(QStringLiteral("NewClick")).toBool();
        const QString method = text.contains(QLatin1String("$RXN")) ? QStringLiteral("setRxnFile")
                                                                    : QStringLiteral("setMolFile");
        if (FBridge->Call(method, {text}, nullptr, kPageTimeoutMs).toBool()) {
            if (!DrawsSomething(text)) return true;
            // Texts the page reads through its structure service appear a moment later;
            // until then the page would answer with an empty drawing.
            QElapsedTimer clock;
            clock.start();
            while (!clock.hasExpired(kDrawingTimeoutMs)) {
                bool answered = false;
                if (!FBridge->CallText(QStringLiteral("getMolFile"), &answered).isEmpty())
                    return true;
                if (!answered) break;  // a page that does not answer will not draw it either
                QEventLoop loop;
                QTimer::singleShot(50, &loop, &QEventLoop::quit);
                loop.exec(QEventLoop::ExcludeUserInputEvents);
            }
        }
        // Never leave the drawing of an earlier molecule in place of one the page refused.
        TraceMessage(Source("PushMoleculeToEditor").c_str(), tlWarning,
                     "The editor could not take the molecule.");
        FBridge->Call(QStringLiteral("NewClick"));
        return false;
    });
}

void TZelmarDrawletDialog::SetToolBarsEnabled(bool enabled) {
    FTopBar->setEnabled(enabled);
    FLeftBar->setEnabled(enabled);
}

void TZelmarDrawletDialog::ButtonClicked(const TZelmarDrawletButton& button, QToolButton* pressed) {
    GuardedVoid(Source("ButtonClicked").c_str(), [&] {
        if (button.ModeGroup) pressed->setChecked(true);
        if (!CheckValidEditor()) {
            ShowError(FMessages.NoEditor);
            return;
        }
        FBridge->Call(QString::fromLatin1(button.Method));
        if (button.OpensPageDialog) StartWatching();
    });
}

std::string TZelmarDrawletDialog::GetDLTActiveDialogCaption() {
    return Guarded(Source("GetDLTActiveDialogCaption").c_str(), std::string(), [&] {
        if (FBridge == nullptr || !FEditorAvailable) return std::string();
        return FBridge->CallText(QStringLiteral("getActiveDialogCaption")).toStdString();
    });
}

// The page's dialogs live inside the page: while one is open, the host's tool bars and OK
// wait and the page keeps the focus. Asked without waiting, so that nothing re-enters.
void TZelmarDrawletDialog::StartWatching() {
    if (!isVisible() || FWatching || FBridge == nullptr || !FEditorAvailable) return;
    FWatching = true;
    FWatchRounds = 0;
    WatchStep();
}

void TZelmarDrawletDialog::WatchStep() {
    if (!isVisible()) {
        EndWatching();
        return;
    }
    FBridge->Ask(QStringLiteral("getActiveDialogCaption"), [this](const QVariant& caption) {
        if (!caption.toString().isEmpty()) {
            if (!FPageDialogOpen) {
                FPageDialogOpen = true;
                SetToolBarsEnabled(false);
                BtnOK->setEnabled(false);
            }
            if (FBrowser->focusProxy() != nullptr && !FBrowser->focusProxy()->hasFocus())
                FBrowser->setFocus();
            QTimer::singleShot(100, this, [this] { WatchStep(); });
        } else if (FPageDialogOpen || ++FWatchRounds >= 100) {
            EndWatching();
        } else {
            QTimer::singleShot(10, this, [this] { WatchStep(); });
        }
    });
}

void TZelmarDrawletDialog::EndWatching() {
    const bool wasOpen = FPageDialogOpen;
    FWatching = false;
    FPageDialogOpen = false;
    SetToolBarsEnabled(true);
    BtnOK->setEnabled(FEditorAvailable);
    if (wasOpen && isVisible()) {
        raise();
        activateWindow();
    }
}

void TZelmarDrawletDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) Retranslate();
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) StartWatching();
}

bool TZelmarDrawletDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FBrowser && event->type() == QEvent::ChildAdded) {
        // The view's input widget is made later, and becomes its focus proxy after this.
        QTimer::singleShot(0, this, [this] { WatchPageInput(); });
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        QTimer::singleShot(200, this, [this] { StartWatching(); });
    } else if (event->type() == QEvent::KeyPress && FBrowser != nullptr &&
               watched == FBrowser->focusProxy()) {
        if (PasteKeyInPage(static_cast<QKeyEvent*>(event))) return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The page's own paste handler reads the clipboard through the browser's clipboard
// permission, which the view does not grant; the tool bar's command needs none and
// accepts exactly what the paste button accepts.
bool TZelmarDrawletDialog::PasteKeyInPage(QKeyEvent* key) {
    if (!key->matches(QKeySequence::Paste) || !FEditorAvailable || FPageDialogOpen) return false;
    if (!GetDLTActiveDialogCaption().empty()) return false;
    if (ActionPasteFromClipboard->isEnabled()) ActionPasteFromClipboard->trigger();
    return true;
}

// The page's double clicks and keys arrive at the view's input widget.
void TZelmarDrawletDialog::WatchPageInput() {
    if (FBrowser == nullptr) return;
    if (QWidget* input = FBrowser->focusProxy()) input->installEventFilter(this);
}

bool TZelmarDrawletDialog::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        FHintLabel->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

void TZelmarDrawletDialog::done(int result) {
    // exec() starts its loop after the show event: closed during it (the page calls there
    // let timers run), the dialog would be gone with its loop still waiting.
    if (FInShowEvent) {
        QTimer::singleShot(0, this, [this, result] { done(result); });
        return;
    }
    if (result == QDialog::Accepted && !AcceptClose()) return;
    if (FWatching) EndWatching();
    QDialog::done(result);
}

void TZelmarDrawletDialog::UpdateActions() {
    if (ActExport == nullptr) return;
    const bool shown = FEditorAvailable && FBrowser != nullptr;
    ActCopy->setEnabled(shown);
    ActCut->setEnabled(shown);
    ActImport->setEnabled(shown);
    ActionPasteFromClipboard->setEnabled(shown && FClipboardHasText);
    // The page tells every change of its drawing, so this costs no call into the page.
    ActExport->setEnabled(shown && FBridge != nullptr && !FBridge->Drawing().MolText.isEmpty());
}

void TZelmarDrawletDialog::CopyExecute() {
    GetChemString();
    QGuiApplication::clipboard()->setText(QString::fromStdString(MoleculeText));
}

void TZelmarDrawletDialog::CutExecute() {
    CopyExecute();
    MoleculeText.clear();
    PushMoleculeToEditor();
}

bool TZelmarDrawletDialog::TakeMolecule(const std::string& text, const char* refusal) {
    if (!MolChecker.IsValidMolString(text)) {
        ShowError(refusal);
        return false;
    }
    MoleculeText = text;
    PushMoleculeToEditor();
    return true;
}

void TZelmarDrawletDialog::PasteExecute() {
    GuardedVoid(Source("ActionPasteFromClipboardExecute").c_str(), [&] {
        if (!FEditorAvailable) return;
        TakeMolecule(QGuiApplication::clipboard()->text().toStdString(), FMessages.BadClipboard);
    });
}

std::string TZelmarDrawletDialog::AskFileName(bool save) {
    return AskMolFileName(this, save,
                          save
                              ? ShownText("ZelmarDialogEditChemistry##  Molekül in Datei speichern")
                              : ShownText("ZelmarDialogEditChemistry##  Lade Molekül von Datei"),
                          ShownText("ZelmarDialogEditChemistry##  Mol files (*.mol)|*.mol"),
                          save ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"));
}

void TZelmarDrawletDialog::ImportExecute() {
    GuardedVoid(Source("BtnImportClick").c_str(), [&] {
        if (!FEditorAvailable) return;
        const QString path = QString::fromStdString(AskFileName(false));
        if (path.isEmpty()) return;
        if (QFileInfo(path).suffix().toUpper() != QLatin1String("MOL")) {
            ShowError(FMessages.BadExtension);
            return;
        }
        QFile file(path);
        const std::string text =
            file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
        TakeMolecule(text, FMessages.BadFile);
    });
}

void TZelmarDrawletDialog::ExportExecute() {
    const std::string before = MoleculeText;
    const bool written = Guarded(Source("ActExportExecute").c_str(), false, [&] {
        GetChemString();
        const QString path = QString::fromStdString(AskFileName(true));
        if (path.isEmpty()) {
            MoleculeText = before;
            return true;
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return false;
        file.write(MoleculeText.data(), static_cast<qint64>(MoleculeText.size()));
        if (!file.commit()) {
            TraceMessage(Source("ActExportExecute").c_str(), tlError, "could not write %s: %s",
                         path.toUtf8().constData(), file.errorString().toUtf8().constData());
            return false;
        }
        return true;
    });
    if (!written) ShowError(FMessages.SaveFailed);
}

void TZelmarDrawletDialog::HelpExecute() {
    GuardedVoid(Source("BtnHelpClick").c_str(), [&] {
        if (!FEditorAvailable) {
            ShowError(FMessages.NoEditor);
            return;
        }
        const QString help = DrawletFolder() + QStringLiteral("/drawletHelp.htm");
        if (!QFileInfo::exists(help)) {
            TraceMessage(Source("BtnHelpClick").c_str(), tlError, "Editors help page not defined.");
            ShowError(FMessages.NoHelpPage);
            return;
        }
        if (FHelpWindow == nullptr) {
            FHelpWindow = new QWebEngineView(this);
            FHelpWindow->setObjectName(QStringLiteral("HelpWindow"));
            FHelpWindow->setWindowFlag(Qt::Window);
            FHelpWindow->resize(760, 620);
            FHelpBridge =
                std::make_unique<TZelmarDrawletBridge>(FHelpWindow, help, PageLanguageSetting());
            FHelpBridge->Load();
        }
        FHelpWindow->setWindowTitle(BtnHelp->text());
        FHelpWindow->show();
        FHelpWindow->raise();
        FHelpWindow->activateWindow();
    });
}
