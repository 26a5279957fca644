#include "Zelmar_Dialog_SearchAlphanumeric.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <stdexcept>

#include "Zelmar_FieldListDelegate.h"
#include "Zelmar_HelpHeader.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SearchEngine.h"
#include "Zelmar_Translater.h"
#include "vesk_Guard.h"
#include "vesk_TextPainter.h"

namespace {

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

QRadioButton* MakeRadio(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

bool IsTextKind(TZelmarFieldKind kind) {
    return kind == ecsdtDataText || kind == ecsdtFormula || ZelmarIsIdentifierKind(kind);
}

}  // namespace

TZelmarDialog_SearchAlphanumeric::TZelmarDialog_SearchAlphanumeric(QWidget* owner,
                                                                   TEnumFieldsEvent enumFields)
    : QDialog(owner), FEnumFields(std::move(enumFields)) {
    if (!FEnumFields) throw std::invalid_argument("No Enum Proc defined");
    QueryCarrier = std::make_unique<TZelmarDataCarrier>();
    setObjectName(QStringLiteral("ZelmarDialog_SearchAlphanumeric"));
    setWindowTitle(Shown("ZelmarDialog_SearchAlphanumeric##  Alphanumerische Suche"));
    vwh = new TZelmarHelpHeader(this);
    vwh->setObjectName(QStringLiteral("vwh"));
    vwh->SetTitle(Shown("ZelmarDialog_SearchAlphanumeric##  Suche nach alphanumerischen Daten"));
    vwh->SetInfoText(Shown(
        "ZelmarDialog_SearchAlphanumeric##  Bitte wählen Sie aus der Liste ein Feld aus, in dem "
        "Sie suchen möchten. Diese Liste enthält die z.Zt. suchbaren Felder.<BR>Die "
        "entsprechenden Suchmöglichkeiten werden daraufhin eingeblendet. Definieren Sie "
        "anschließend Ihre Suchkriterien und drücken Sie auf 'Suchen', um mit der Suche zu "
        "beginnen. Drücken Sie auf 'Abbrechen', um nicht zu suchen."));

    LabelFields = new QLabel(Shown("ZelmarDialog_SearchAlphanumeric##  Felder"), this);
    LabelFields->setObjectName(QStringLiteral("LabelFields"));
    LbFieldList = new QListWidget(this);
    LbFieldList->setObjectName(QStringLiteral("LbFieldList"));
    FieldDelegate = new TZelmarFieldListDelegate(
        "TZelmarDialog_SearchAlphanumeric.LbFieldListDrawItem", LbFieldList);
    LbFieldList->setItemDelegate(FieldDelegate);
    LbFieldList->setUniformItemSizes(true);
    LbFieldList->setFixedWidth(190);
    LabelFields->setBuddy(LbFieldList);

    PanelSearchString = MakeStringPanel();
    PanelSearchFloat = MakeFloatPanel();

    BtnOk = new QPushButton(Shown("ZelmarDialog_SearchAlphanumeric##  Suchen"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setDefault(true);
    BtnCancel = new QPushButton(Shown("ZelmarDialog_SearchAlphanumeric##  Abbrechen"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(LbFieldList, &QListWidget::currentRowChanged, this, [this] { CheckButtons(); });

    auto* list = new QVBoxLayout;
    list->setSpacing(2);
    list->addWidget(LabelFields);
    list->addWidget(LbFieldList, 1);
    // Both panels share the area right of the list; one at most is shown.
    auto* query = new QVBoxLayout;
    query->setContentsMargins(0, 0, 0, 0);
    query->addWidget(PanelSearchString);
    query->addWidget(PanelSearchFloat);
    query->addStretch(1);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 10, 12, 6);
    body->setSpacing(12);
    body->addLayout(list);
    body->addLayout(query, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 4, 12, 10);
    buttons->addStretch(1);
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(vwh);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    setFixedSize(537, 375);
    PanelSearchString->hide();
    PanelSearchFloat->hide();
}

TZelmarDialog_SearchAlphanumeric::~TZelmarDialog_SearchAlphanumeric() {
    GuardedVoid("TZelmarDialog_SearchAlphanumeric.Destroy", [&] { QueryCarrier.reset(); });
}

QWidget* TZelmarDialog_SearchAlphanumeric::MakeStringPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelSearchString"));
    LabelSearchString = new QLabel(Shown("ZelmarDialog_SearchAlphanumeric##  Textsuche:"), panel);
    EdSearchString = new QLineEdit(panel);
    EdSearchString->setObjectName(QStringLiteral("EdSearchString"));
    LabelSearchString->setBuddy(EdSearchString);
    RbExactSearch =
        MakeRadio(Shown("ZelmarDialog_SearchAlphanumeric##  Exakte Suche"), "RbExactSearch", panel);
    RbBeginWith =
        MakeRadio(Shown("ZelmarDialog_SearchAlphanumeric##  Beginnt mit"), "RbBeginWith", panel);
    RbSubstringSearch = MakeRadio(Shown("ZelmarDialog_SearchAlphanumeric##  Substringsuche"),
                                  "RbSubstringSearch", panel);
    RbExactSearch->setChecked(true);
    ChkCaseSensitive = new QCheckBox(
        Shown("ZelmarDialog_SearchAlphanumeric##  Groß-/Kleinschreibung berücksichtigen"), panel);
    ChkCaseSensitive->setObjectName(QStringLiteral("ChkCaseSensitive"));
    connect(EdSearchString, &QLineEdit::textChanged, this, [this] { CheckButtons(); });

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(LabelSearchString);
    layout->addWidget(EdSearchString);
    layout->addSpacing(6);
    for (QRadioButton* button : {RbExactSearch, RbBeginWith, RbSubstringSearch})
        layout->addWidget(button);
    layout->addSpacing(6);
    layout->addWidget(ChkCaseSensitive);
    return panel;
}

QWidget* TZelmarDialog_SearchAlphanumeric::MakeFloatPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelSearchFloat"));
    LabelSearchFloat =
        new QLabel(Shown("ZelmarDialog_SearchAlphanumeric##  Fließkommasuche:"), panel);
    EdFloatStart = new QLineEdit(panel);
    EdFloatStart->setObjectName(QStringLiteral("EdFloatStart"));
    EdFloatEnd = new QLineEdit(panel);
    EdFloatEnd->setObjectName(QStringLiteral("EdFloatEnd"));
    LabelSearchFloat->setBuddy(EdFloatStart);
    for (QLineEdit* edit : {EdFloatStart, EdFloatEnd}) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this] { CheckButtons(); });
    }
    RbSearchExact =
        MakeRadio(Shown("ZelmarDialog_SearchAlphanumeric##  Exakte Suche"), "RbSearchExact", panel);
    RbSearchBelow =
        MakeRadio(Shown("ZelmarDialog_SearchAlphanumeric##  Kleiner als"), "RbSearchBelow", panel);
    RbSearchOver =
        MakeRadio(Shown("ZelmarDialog_SearchAlphanumeric##  Größer als"), "RbSearchOver", panel);
    RbSearchBetween = MakeRadio(Shown("ZelmarDialog_SearchAlphanumeric##  Bereichssuche"),
                                "RbSearchBetween", panel);
    RbSearchExact->setChecked(true);
    for (QRadioButton* button : {RbSearchExact, RbSearchBelow, RbSearchOver, RbSearchBetween})
        connect(button, &QRadioButton::toggled, this, [this] { CheckButtons(); });

    auto* edits = new QHBoxLayout;
    edits->addWidget(EdFloatStart);
    auto* dash = new QLabel(QStringLiteral("–"), panel);
    edits->addWidget(dash);
    edits->addWidget(EdFloatEnd);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(LabelSearchFloat);
    layout->addLayout(edits);
    layout->addSpacing(6);
    for (QRadioButton* button : {RbSearchExact, RbSearchBelow, RbSearchOver, RbSearchBetween})
        layout->addWidget(button);
    return panel;
}

void TZelmarDialog_SearchAlphanumeric::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    InitListBox();
    if (LbFieldList->count() > 0) LbFieldList->setCurrentRow(0);
    CheckButtons();
}

void TZelmarDialog_SearchAlphanumeric::InitListBox() {
    GuardedVoid("TZelmarDialog_SearchAlphanumeric.InitListBox", [&] {
        const QSignalBlocker quiet(LbFieldList);
        LbFieldList->clear();
        FFields.Clear();
        FEnumFields(FFields);
        for (const auto& entry : FFields) AddFieldItem(LbFieldList, entry.Object);
    });
}

TZelmarField* TZelmarDialog_SearchAlphanumeric::GetCurrentSearchField() const {
    return Guarded<TZelmarField*>("TZelmarDialog_SearchAlphanumeric.GetCurrentSearchField", nullptr,
                                  [&] { return FieldOfItem(LbFieldList->currentItem()); });
}

TZelmarFieldKind TZelmarDialog_SearchAlphanumeric::SelectedKind() const {
    const TZelmarField* field = GetCurrentSearchField();
    if (field == nullptr) return ecsdtNone;
    // A data field of numbers is searched as the weight is: equal, below, above, between.
    return field->IsNumericData() ? ecsdtMolweight : field->Kind;
}

void TZelmarDialog_SearchAlphanumeric::CheckButtons() {
    GuardedVoid("TZelmarDialog_SearchAlphanumeric.CheckButtons", [&] {
        const TZelmarFieldKind kind = SelectedKind();
        PanelSearchString->setVisible(IsTextKind(kind));
        PanelSearchFloat->setVisible(kind == ecsdtMolweight);
        EdFloatEnd->setEnabled((GetSearchOptions() & soRange) != 0);
        BtnOk->setEnabled(GetCurrentSearchField() != nullptr && GetCurrentSearchData() != nullptr);
    });
}

bool TZelmarDialog_SearchAlphanumeric::ParseFloat(const QString& text, double& value) {
    // With the interface language's separator, as the sheet shows weights.
    return ::ParseFloat(TrimBlanks(text).toStdString(), value, DisplayDecimalSeparator());
}

bool TZelmarDialog_SearchAlphanumeric::ValidDialogValues() const {
    return Guarded("TZelmarDialog_SearchAlphanumeric.ValidDialogValues", false, [&] {
        const TZelmarFieldKind kind = SelectedKind();
        double value = 0.0;
        if (IsTextKind(kind)) return !TrimBlanks(EdSearchString->text()).isEmpty();
        if (kind != ecsdtMolweight) return false;
        if (!ParseFloat(EdFloatStart->text(), value)) return false;
        return (GetSearchOptions() & soRange) == 0 || ParseFloat(EdFloatEnd->text(), value);
    });
}

const TZelmarDataCarrier* TZelmarDialog_SearchAlphanumeric::GetCurrentSearchData() {
    return Guarded<const TZelmarDataCarrier*>(
        "TZelmarDialog_SearchAlphanumeric.GetCurrentSearchData", nullptr,
        [&]() -> const TZelmarDataCarrier* {
            const TZelmarField* field = GetCurrentSearchField();
            if (field == nullptr || !ValidDialogValues()) return nullptr;
            const TZelmarFieldKind kind = SelectedKind();
            QueryCarrier->SetKind(kind);
            if (IsTextKind(kind)) {
                QueryCarrier->SetText(TrimBlanks(EdSearchString->text()).toStdString());
            } else if (kind == ecsdtMolweight) {
                double value = 0.0;
                ParseFloat(EdFloatStart->text(), value);
                QueryCarrier->SetValueFrom(value);
                if ((GetSearchOptions() & soRange) != 0 && ParseFloat(EdFloatEnd->text(), value))
                    QueryCarrier->SetValueTo(value);
            }
            return QueryCarrier.get();
        });
}

int TZelmarDialog_SearchAlphanumeric::GetSearchOptions() const {
    return Guarded("TZelmarDialog_SearchAlphanumeric.GetSearchOptions", 0, [&] {
        // Only the shown panel counts: a choice left in the hidden one must not change how
        // the other kind of value is compared.
        if (SelectedKind() == ecsdtMolweight) {
            if (RbSearchBelow->isChecked()) return int(soLessThan);
            if (RbSearchOver->isChecked()) return int(soGreaterThan);
            if (RbSearchBetween->isChecked()) return int(soRange);
            return int(soExact);
        }
        int options = RbExactSearch->isChecked() ? soExact : soContains;
        if (RbBeginWith->isChecked()) options = soBeginsWith;
        if (ChkCaseSensitive->isChecked()) options += soCaseSensitive;
        return options;
    });
}

bool TZelmarDialog_SearchAlphanumeric::ValidateFloatField(const QLineEdit* edit,
                                                          const QKeyEvent* key) const {
    return Guarded("TZelmarDialog_SearchAlphanumeric.ValidateFloatField", false, [&] {
        const QString text = key->text();
        // Keys that type nothing (arrows, Delete, Enter, Esc) and shortcuts keep their meaning;
        // a pasted text is checked with the input.
        if (text.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
            return true;
        const QString separator = QChar::fromLatin1(DisplayDecimalSeparator());
        for (const QChar c : text) {
            if (c == QChar(8) || c == QChar(9) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
                continue;
            if (c.unicode() < 32 || c.unicode() == 127) continue;
            // A minus in front for data such as logP; weights are never negative.
            const TZelmarField* field = GetCurrentSearchField();
            if (c == QLatin1Char('-') && field != nullptr && field->IsNumericData() &&
                edit->cursorPosition() == 0 && !edit->text().contains(c))
                continue;
            if (!separator.contains(c)) return false;
            // One separator, and never as the first thing typed.
            QString rest = edit->text();
            if (edit->hasSelectedText())
                rest.remove(edit->selectionStart(), edit->selectedText().size());
            if (rest.isEmpty() || rest.contains(separator)) return false;
        }
        return true;
    });
}

bool TZelmarDialog_SearchAlphanumeric::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == EdFloatStart || watched == EdFloatEnd) && event->type() == QEvent::KeyPress &&
        !ValidateFloatField(static_cast<QLineEdit*>(watched), static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}
