#include "Zelmar_Dialog_MixSheets.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QThread>
#include <QVBoxLayout>
#include <filesystem>

#include "Zelmar_HelpHeader.h"
#include "Zelmar_Object_PolicyKeys.h"
#include "Zelmar_PolicyChoice.h"
#include "Zelmar_SetOperations.h"
#include "Zelmar_Translater.h"
#include "vesk_Guard.h"
#include "vesk_TextPainter.h"

namespace {

constexpr int kSheetRole = Qt::UserRole + 1;
constexpr int kEntryHeight = 18;
// Pending events run at most this often while mixing: often enough for Esc and the cancel
// button, rarely enough not to cost the mix its speed.
constexpr qint64 kEventIntervalMs = 30;

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

// The operation's picture: two overlapping circles, the part the result keeps filled.
QPixmap OperationPicture(int operation) {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath left;
    left.addEllipse(QRectF(1, 4, 10, 10));
    QPainterPath right;
    right.addEllipse(QRectF(7, 4, 10, 10));
    QPainterPath kept;
    switch (operation) {
        case TZelmarMixWindows::moIntersect:
            kept = left.intersected(right);
            break;
        case TZelmarMixWindows::moMerge:
            kept = left.united(right);
            break;
        case TZelmarMixWindows::moLeftMinusRight:
            kept = left.subtracted(right);
            break;
        default:
            kept = right.subtracted(left);
            break;
    }
    painter.fillPath(kept, QColor(0, 0, 160));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPath(left);
    painter.drawPath(right);
    return pixmap;
}

// A group caption: bold white on grey, across the group's width.
QLabel* MakeCaption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(QLatin1Char(' ') + text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setMinimumHeight(label->fontMetrics().height() + 4);
    return label;
}

// A sheet list entry: the file name, vertically centred, 2 pixels in from the sides.
class TSheetEntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {1, kEntryHeight};
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        GuardedVoid("TZelmarDialogMixSheets.LbSheetsDrawItem", [&] {
            const bool selected = option.state & QStyle::State_Selected;
            painter->save();
            painter->fillRect(option.rect,
                              selected ? option.palette.highlight() : option.palette.base());
            painter->setFont(option.font);
            painter->setPen(selected ? option.palette.highlightedText().color()
                                     : option.palette.text().color());
            QRect area = option.rect.adjusted(2, 0, -2, 0);
            DrawWrappedText(painter, index.data(Qt::DisplayRole).toString(), -1,
                            dtVCenter | dtSingleLine, area);
            painter->restore();
        });
    }
};

// Waits a little for the sheet's worker, letting its posted notifications in.
void WaitForWorker() {
    QThread::msleep(5);
    QCoreApplication::processEvents();
}

bool VerifySheet(const TZelmarMixSheet& sheet, const TZelmarMixWindows::TProgress& progress) {
    // A sheet that still counts its file's entries would mix as an empty one.
    // The progress handler comes first after events ran: it stops the mix when the sheet closed.
    while (sheet.Indexing) {
        if (progress && !progress(sheet.List, 0, 0)) return false;
        if (!sheet.Indexing()) break;
        WaitForWorker();
    }
    return sheet.List->VerifyAllLoaded(progress);
}

}  // namespace

// One operation of the dialog: a square with the operation's picture and its caption.
// A press anywhere on it chooses the operation.
class TZelmarMixSelector : public QWidget {
public:
    TZelmarMixSelector(int operation, const QString& caption, QWidget* parent,
                       std::function<void(int)> onSelect)
        : QWidget(parent), FOperation(operation), FOnSelect(std::move(onSelect)) {
        setObjectName(QStringLiteral("Selector%1").arg(operation));
        FSquare = new QFrame(this);
        FSquare->setObjectName(QStringLiteral("Square%1").arg(operation));
        FSquare->setFixedSize(30, 30);
        FSquare->setFrameShape(QFrame::Box);
        FSquare->setAutoFillBackground(true);
        auto* picture = new QLabel(FSquare);
        picture->setPixmap(OperationPicture(operation));
        picture->setGeometry(6, 6, 18, 18);
        FLabel = new QLabel(caption, this);
        FLabel->setObjectName(QStringLiteral("LabelOperation%1").arg(operation));
        FLabel->setWordWrap(true);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(6, 5, 4, 5);
        layout->addWidget(FSquare);
        layout->addWidget(FLabel, 1);
        setFixedHeight(40);
        SetSelected(false);
    }

    void SetSelected(bool selected) {
        FSelected = selected;
        QPalette palette = FSquare->palette();
        palette.setColor(QPalette::Window, selected
                                               ? QColor(Qt::white)
                                               : QApplication::palette().color(QPalette::Button));
        FSquare->setPalette(palette);
        QFont font = FLabel->font();
        font.setBold(selected);
        FLabel->setFont(font);
    }
    bool Selected() const { return FSelected; }
    QLabel* Label() const { return FLabel; }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && isEnabled() && FOnSelect) FOnSelect(FOperation);
    }

private:
    int FOperation;
    std::function<void(int)> FOnSelect;
    QFrame* FSquare;
    QLabel* FLabel;
    bool FSelected = false;
};

// ---- the window side of mixing ---------------------------------------------------------------

bool TZelmarMixWindows::MixWindows(const TZelmarMixSheet* left, const TZelmarMixSheet* right,
                                   const TProgress& mixing, const TProgress& verifyRight,
                                   const TProgress& verifyLeft, TZelmarRecordRefs& result,
                                   const TZelmarField* field, int operation, int policy) {
    return Guarded("TZelmarWindowHelper.MixWindows", false, [&] {
        if (left == nullptr || right == nullptr || left->List == nullptr ||
            right->List == nullptr || field == nullptr)
            return false;
        if (!VerifySheet(*left, verifyLeft) || !VerifySheet(*right, verifyRight)) return false;
        TZelmarSDFileDataList target(nullptr);
        if (mixing) target.OnMixProgress = mixing;
        TZelmarWindowHelper helper;
        if (!helper.Mix(operation, left->List, right->List, field, &target, policy)) return false;
        TZelmarRecordRefs copies;
        if (!target.GetCopyAsStringList(copies)) return false;
        for (auto& item : copies) result.AddOwnedObject(std::string(), std::move(item.Owned));
        return true;
    });
}

std::string TZelmarMixWindows::GetCaption(const TZelmarMixSheet* sheet, bool shortName) {
    return Guarded("TZelmarWindowHelper.GetCaption", std::string(), [&] {
        if (sheet == nullptr) return std::string();
        if (!shortName) return sheet->Caption;
        return std::filesystem::path(sheet->Caption).stem().string();
    });
}

// ---- the dialog ------------------------------------------------------------------------------

TZelmarDialogMixSheets::TZelmarDialogMixSheets(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("ZelmarDialogMixSheets"));
    setWindowTitle(Shown("ZelmarDialogMixSheets##  Datenblätter zusammenführen"));
    // The comparison field of every operation: the records' molecules.
    FChemistryField.Name = kFieldNameChemistry;
    FChemistryField.Kind = ecsdtChemistry;

    HelpHeader = new TZelmarHelpHeader(this);
    // 161 pixels, or what the long help text needs in the language shown.
    HelpHeader->setMinimumHeight(161);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(8);
    columns->addWidget(MakeSheetColumn(Shown("ZelmarDialogMixSheets##  Verfügbare Datenblätter"),
                                       LbLeftSheets, "LbLeftSheets", 200));
    columns->addWidget(MakeOperationColumn(), 1);
    columns->addWidget(MakeSheetColumn(Shown("ZelmarDialogMixSheets##  Verfügbare Datenblätter"),
                                       LbRightSheets, "LbRightSheets", 212));

    BtnOk = new QPushButton(Shown("ZelmarDialogMixSheets##  OK"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setDefault(true);
    BtnCancel = new QPushButton(Shown("ZelmarDialogMixSheets##  Abbrechen"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    connect(BtnOk, &QPushButton::clicked, this, &TZelmarDialogMixSheets::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &TZelmarDialogMixSheets::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(MakeProgressPanel(), 1);
    bottom->addSpacing(12);
    bottom->addWidget(BtnOk, 0, Qt::AlignBottom);
    bottom->addWidget(BtnCancel, 0, Qt::AlignBottom);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 10, 10, 10);
    body->setSpacing(8);
    body->addLayout(columns, 1);
    body->addWidget(MakePolicyGroup());
    body->addWidget(MakeOutputGroup());
    body->addLayout(bottom);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(HelpHeader);
    layout->addLayout(body, 1);
    // The design's 515 pixels and the comparison rules under the columns.
    setFixedSize(712, 655);
    PanelProgress->hide();
    FSinceEvents.start();
    // Looked up once: the progress handlers run for every record.
    FActionVerifyLeft = Shown("ZelmarDialogMixSheets##  Verifying left data integrity");
    FActionVerifyRight = Shown("ZelmarDialogMixSheets##  Verifying right data integrity");
    FActionMixing = Shown("ZelmarDialogMixSheets##  Mixing Sheets");
}

TZelmarDialogMixSheets::~TZelmarDialogMixSheets() {
    GuardedVoid("TZelmarDialogMixSheets.FormDestroy", [&] { DeleteResultList(); });
}

QWidget* TZelmarDialogMixSheets::MakeSheetColumn(const QString& caption, QListWidget*& list,
                                                 const char* name, int width) {
    auto* column = new QWidget(this);
    column->setFixedWidth(width);
    list = new QListWidget(column);
    list->setObjectName(QString::fromLatin1(name));
    list->setItemDelegate(new TSheetEntryDelegate(list));
    list->setUniformItemSizes(true);
    connect(list, &QListWidget::itemSelectionChanged, this, [this] { CheckOkButton(); });
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(MakeCaption(caption, column));
    layout->addWidget(list, 1);
    FChoices.push_back(list);
    return column;
}

QWidget* TZelmarDialogMixSheets::MakeOperationColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(MakeCaption(Shown("ZelmarDialogMixSheets##  Mischoperation"), column));
    const QString captions[4] = {
        Shown("ZelmarDialogMixSheets##  Gleiche Moleküle zusammenfassen"),
        Shown("ZelmarDialogMixSheets##  Alle Datensätze zusammenfassen"),
        Shown("ZelmarDialogMixSheets##  Rechte Moleküle aus den Linken entfernen"),
        Shown("ZelmarDialogMixSheets##  Linke Moleküle aus den Rechten entfernen")};
    auto* frame = new QFrame(column);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* rows = new QVBoxLayout(frame);
    rows->setContentsMargins(0, 2, 0, 2);
    rows->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        Selectors[i] = new TZelmarMixSelector(
            i + 1, captions[i], frame, [this](int operation) { SelectOperation(operation); });
        rows->addWidget(Selectors[i]);
        FChoices.push_back(Selectors[i]);
    }
    rows->addStretch(1);
    layout->addWidget(frame, 1);
    return column;
}

QWidget* TZelmarDialogMixSheets::MakeOutputGroup() {
    auto* group = new QWidget(this);
    auto* label =
        new QLabel(Shown("ZelmarDialogMixSheets##  Name des neuen Ausgabefensters:"), group);
    EdOutputName = new QLineEdit(group);
    EdOutputName->setObjectName(QStringLiteral("EdOutputName"));
    label->setBuddy(EdOutputName);
    connect(EdOutputName, &QLineEdit::textChanged, this, [this] { CheckOkButton(); });
    auto* line = new QHBoxLayout;
    line->setContentsMargins(6, 6, 6, 6);
    line->addWidget(label);
    line->addWidget(EdOutputName, 1);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(MakeCaption(Shown("ZelmarDialogMixSheets##  Ausgabeeinstellungen"), group));
    layout->addLayout(line);
    FChoices.push_back(EdOutputName);
    return group;
}

QWidget* TZelmarDialogMixSheets::MakePolicyGroup() {
    auto* group = new QWidget(this);
    PolicyChoice = new TZelmarPolicyChoice(group, 2);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(MakeCaption(Shown("ZelmarDialogMixSheets##  Vergleich der Moleküle"), group));
    auto* inner = new QHBoxLayout;
    inner->setContentsMargins(6, 0, 6, 0);
    inner->addWidget(PolicyChoice);
    layout->addLayout(inner);
    return group;
}

void TZelmarDialogMixSheets::UpdatePolicyChoice() {
    // Merging compares nothing; the rules need a library that makes policy keys.
    PolicyChoice->setEnabled(!FMixing && FPolicyKeys && FOperation != TZelmarMixWindows::moMerge);
}

int TZelmarDialogMixSheets::GetPolicy() const {
    return Guarded("TZelmarDialogMixSheets.GetPolicy", 0, [&] { return PolicyChoice->Policy(); });
}

void TZelmarDialogMixSheets::SetPolicy(int policy) {
    GuardedVoid("TZelmarDialogMixSheets.SetPolicy", [&] { PolicyChoice->SetPolicy(policy); });
}

QWidget* TZelmarDialogMixSheets::MakeProgressPanel() {
    PanelProgress = new QFrame(this);
    PanelProgress->setObjectName(QStringLiteral("PanelProgress"));
    static_cast<QFrame*>(PanelProgress)->setFrameShape(QFrame::StyledPanel);
    LabelAction = new QLabel(PanelProgress);
    LabelAction->setObjectName(QStringLiteral("LabelAction"));
    ProgressBar = new QProgressBar(PanelProgress);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setTextVisible(true);
    BtnAbort = new QPushButton(Shown("ZelmarDialogMixSheets##  Abbrechen"), PanelProgress);
    BtnAbort->setObjectName(QStringLiteral("BtnAbort"));
    BtnAbort->setAutoDefault(false);
    connect(BtnAbort, &QPushButton::clicked, this, [this] { BtnAbortClick(); });
    auto* layout = new QHBoxLayout(PanelProgress);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(LabelAction);
    layout->addWidget(ProgressBar, 1);
    layout->addWidget(BtnAbort);
    // The panel's place stays when it is hidden, so the buttons do not jump.
    QSizePolicy policy = PanelProgress->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    PanelProgress->setSizePolicy(policy);
    return PanelProgress;
}

void TZelmarDialogMixSheets::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    GuardedVoid("TZelmarDialogMixSheets.FormShow", [&] {
        HelpHeader->SetTitle(Shown("ZelmarDialogMixSheets##  Mischen von Datenblättern"));
        HelpHeader->SetInfoText(Shown(
            "ZelmarDialogMixSheets##  Mischoperationen lassen sich zwischen 2 verschiedenen "
            "Datenblättern realisieren. Diese müssen Sie aus den Listen der verfügbaren "
            "Blätter auswählen. <BR>Die Mischoperationen beziehen sich auf Molekülebene. Dies "
            "bedeutet, dass Vergleiche über eine exakte Chemiesuche gemacht werden. Werden "
            "Schnittmengen erstellt oder Mengen addiert, dann werden die Daten aus beiden "
            "Referenzen zur Ergebnismenge hinzugefügt. Diese Duplikate werden nicht automatisch "
            "ausgefiltert oder zusammengeführt, da die Detaildaten unterschiedlich aufbereitet "
            "sein können.<BR>Bei den Ausgabeeinstellungen können Sie den Namen des neuen "
            "Datenblattes angeben, oder den Vorschlag von Zelmar verwenden, der automatisch "
            "generiert wird. Mischoperationen können aufgrund eventueller Komplexität der Daten "
            "zeitaufwendig sein. Daher erscheint während einer Mischoperation unten links eine "
            "Status-Anzeige. Dort haben Sie die Gelegenheit, das Mischen abzubrechen, um neue "
            "Kriterien festzulegen, oder den Dialog zu verlassen."));
        FPolicyKeys = ZelmarPolicyKeysAvailable();
        FSheets.clear();
        if (OnGetAvailableSheets) OnGetAvailableSheets(this, FSheets);
        FillListBox(LbLeftSheets);
        FillListBox(LbRightSheets);
        if (LbLeftSheets->count() > 0) LbLeftSheets->setCurrentRow(0);
        LbRightSheets->clearSelection();
        LbRightSheets->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
        SelectOperation(TZelmarMixWindows::moIntersect);
        std::string caption;
        if (OnGetNextSearchResultCaption) OnGetNextSearchResultCaption(this, caption);
        EdOutputName->setText(QString::fromStdString(caption));
        PanelProgress->hide();
        CheckOkButton();
    });
}

void TZelmarDialogMixSheets::FillListBox(QListWidget* list) {
    GuardedVoid("TZelmarDialogMixSheets.FillListBox", [&] {
        const QSignalBlocker quiet(list);
        list->clear();
        for (std::size_t i = 0; i < FSheets.size(); ++i) {
            auto* item = new QListWidgetItem(
                TextFromBytes(TZelmarMixWindows::GetCaption(&FSheets[i], true)), list);
            item->setToolTip(TextFromBytes(FSheets[i].Caption));
            item->setData(kSheetRole, static_cast<int>(i));
        }
    });
}

const TZelmarMixSheet* TZelmarDialogMixSheets::SheetOf(const QListWidget* list) const {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) return nullptr;
    const int index = selected.first()->data(kSheetRole).toInt();
    return index >= 0 && index < static_cast<int>(FSheets.size()) ? &FSheets[index] : nullptr;
}

const TZelmarMixSheet* TZelmarDialogMixSheets::GetCurrentLeftWindow() const {
    return Guarded<const TZelmarMixSheet*>("TZelmarDialogMixSheets.GetCurrentLeftWindow", nullptr,
                                           [&] { return SheetOf(LbLeftSheets); });
}

const TZelmarMixSheet* TZelmarDialogMixSheets::GetCurrentRightWindow() const {
    return Guarded<const TZelmarMixSheet*>("TZelmarDialogMixSheets.GetCurrentRightWindow", nullptr,
                                           [&] { return SheetOf(LbRightSheets); });
}

std::string TZelmarDialogMixSheets::GetOutputName() const {
    return Guarded("TZelmarDialogMixSheets.GetOutputName", std::string(),
                   [&] { return TrimBlanks(EdOutputName->text()).toStdString(); });
}

void TZelmarDialogMixSheets::SelectOperation(int operation) {
    GuardedVoid("TZelmarDialogMixSheets.OnSelectOperator", [&] {
        if (FMixing) return;
        FOperation = operation;
        for (int k = 0; k < 4; ++k) Selectors[k]->SetSelected(k + 1 == operation);
        UpdatePolicyChoice();
        CheckOkButton();
    });
}

void TZelmarDialogMixSheets::CheckOkButton() {
    GuardedVoid("TZelmarDialogMixSheets.CheckOkButton", [&] {
        const TZelmarMixSheet* left = GetCurrentLeftWindow();
        const TZelmarMixSheet* right = GetCurrentRightWindow();
        BtnOk->setEnabled(!FMixing && left != nullptr && right != nullptr &&
                          left->List != right->List && !GetOutputName().empty());
    });
}

void TZelmarDialogMixSheets::DeleteResultList() {
    FResultList.Clear();
}

void TZelmarDialogMixSheets::SetChoicesEnabled(bool enabled) {
    for (QWidget* choice : FChoices) choice->setEnabled(enabled);
    UpdatePolicyChoice();
}

void TZelmarDialogMixSheets::accept() {
    GuardedVoid("TZelmarDialogMixSheets.FormCloseQuery", [&] {
        if (FMixing || !BtnOk->isEnabled()) return;
        FMixPolicy = GetPolicy();
        FMixing = true;
        FAbort = false;
        FMixLeft = GetCurrentLeftWindow();
        FMixRight = GetCurrentRightWindow();
        FLeftHadWindow = FMixLeft != nullptr && FMixLeft->Window;
        FRightHadWindow = FMixRight != nullptr && FMixRight->Window;
        SetChoicesEnabled(false);
        BtnOk->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        DeleteResultList();
        const bool done = DoMakeMixOperation();
        QApplication::restoreOverrideCursor();
        PanelProgress->hide();
        FMixing = false;
        SetChoicesEnabled(true);
        CheckOkButton();
        if (done) {
            QDialog::accept();
            return;
        }
        // The user may change the choice and try again.
        DeleteResultList();
        FAbort = false;
    });
}

void TZelmarDialogMixSheets::reject() {
    // While mixing, Esc, the window's close box and Cancel stop the mix; the dialog stays.
    if (FMixing) {
        BtnAbortClick();
        return;
    }
    QDialog::reject();
}

bool TZelmarDialogMixSheets::DoMakeMixOperation() {
    return Guarded("TZelmarDialogMixSheets.DoMakeMixOperation", false, [&] {
        const auto mixing = [this](TZelmarSDFileDataList* list, int position, int count) {
            return HandleOnMixingData(list, position, count);
        };
        const auto verifyRight = [this](TZelmarSDFileDataList* list, int position, int count) {
            return HandleOnVerifyRightDataConsistency(list, position, count);
        };
        const auto verifyLeft = [this](TZelmarSDFileDataList* list, int position, int count) {
            return HandleOnVerifyLeftDataConsistency(list, position, count);
        };
        return TZelmarMixWindows::MixWindows(GetCurrentLeftWindow(), GetCurrentRightWindow(),
                                             mixing, verifyRight, verifyLeft, FResultList,
                                             &FChemistryField, FOperation, FMixPolicy);
    });
}

bool TZelmarDialogMixSheets::ShowProgress(const QString& action, int position, int count) {
    if (FAbort) return false;
    if (!PanelProgress->isVisible()) {
        PanelProgress->show();
        FSinceEvents.invalidate();
    }
    if (LabelAction->text() != action) {
        // A new step shows at once, however short it is.
        LabelAction->setText(action);
        FSinceEvents.invalidate();
    }
    if (ProgressBar->maximum() != std::max(count, 0)) ProgressBar->setRange(0, std::max(count, 0));
    ProgressBar->setValue(std::max(0, std::min(position, count)));
    if (!FSinceEvents.isValid() || FSinceEvents.elapsed() >= kEventIntervalMs) {
        QCoreApplication::processEvents();
        FSinceEvents.start();
    }
    // Checked on every call: events may also have run outside this handler.
    if (ChosenSheetClosed()) FAbort = true;
    if (FAbort) PanelProgress->hide();
    return !FAbort;
}

bool TZelmarDialogMixSheets::ChosenSheetClosed() const {
    const auto closed = [](const TZelmarMixSheet* sheet, bool hadWindow) {
        return sheet != nullptr && hadWindow && sheet->Window.isNull();
    };
    return closed(FMixLeft, FLeftHadWindow) || closed(FMixRight, FRightHadWindow);
}

bool TZelmarDialogMixSheets::HandleOnVerifyLeftDataConsistency(TZelmarSDFileDataList*, int position,
                                                               int count) {
    return Guarded("TZelmarDialogMixSheets.HandleOnVerifyLeftDataConsistency", false,
                   [&] { return ShowProgress(FActionVerifyLeft, position, count); });
}

bool TZelmarDialogMixSheets::HandleOnVerifyRightDataConsistency(TZelmarSDFileDataList*,
                                                                int position, int count) {
    return Guarded("TZelmarDialogMixSheets.HandleOnVerifyRightDataConsistency", false,
                   [&] { return ShowProgress(FActionVerifyRight, position, count); });
}

bool TZelmarDialogMixSheets::HandleOnMixingData(TZelmarSDFileDataList*, int position, int count) {
    return Guarded("TZelmarDialogMixSheets.HandleOnMixingData", false,
                   [&] { return ShowProgress(FActionMixing, position, count); });
}

void TZelmarDialogMixSheets::BtnAbortClick() {
    FAbort = true;
}
