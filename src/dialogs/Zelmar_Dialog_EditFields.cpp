#include "Zelmar_Dialog_EditFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "Zelmar_FieldListDelegate.h"
#include "Zelmar_HelpHeader.h"
#include "Zelmar_MessageBoxes.h"
#include "Zelmar_TextFormat.h"
#include "Zelmar_Translater.h"
#include "vesk_Guard.h"
#include "vesk_TextPainter.h"

namespace {

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

// What a built-in field is called on the screen when it has no caption of its own: the
// caption it is made with, never its internal name.
std::string StandardCaption(const TZelmarField& field) {
    switch (field.Kind) {
        case ecsdtChemistry:
            return LoadTranslatedText("ZelmarField##  Molekül");
        case ecsdtFormula:
            return LoadTranslatedText("ZelmarField##  Summenformel");
        case ecsdtMolweight:
            return LoadTranslatedText("ZelmarField##  Molekulargewicht");
        case ecsdtSmiles:
            return LoadTranslatedText("ZelmarField##  SMILES");
        case ecsdtInchi:
            return LoadTranslatedText("ZelmarField##  InChI");
        case ecsdtInchiKey:
            return LoadTranslatedText("ZelmarField##  InChIKey");
        default:
            return field.Name;
    }
}

// A built-in field keeps a caption, so that its internal name never reaches a header.
void KeepCaption(TZelmarField& field) {
    if (field.IsBuiltIn() && TrimBlanks(TextFromBytes(field.Caption)).isEmpty())
        field.Caption = StandardCaption(field);
}

// The SD format ends a data item's name at '>': such a name could never be written.
bool IsNameBreaker(QChar c) {
    return c == QLatin1Char('>');
}

QToolButton* MakeToolButton(const QString& hint, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setFixedSize(26, 26);
    return button;
}

}  // namespace

TZelmarDialog_EditFields::TZelmarDialog_EditFields(QWidget* owner, TCopyFieldsEvent copyFields)
    : QDialog(owner),
      FCopyFields(std::move(copyFields)),
      FFields(std::make_unique<TZelmarFieldList>()) {
    if (!FCopyFields) throw std::invalid_argument("No Copy Proc defined");
    setObjectName(QStringLiteral("ZelmarDialog_EditFields"));
    setWindowTitle(Shown("ZelmarDialog_EditFields##  Felder bearbeiten"));
    HelpHeader = new TZelmarHelpHeader(this);
    HelpHeader->SetTitle(Shown("ZelmarDialog_EditFields##  Felder bearbeiten"));
    HelpHeader->SetInfoText(Shown(
        "ZelmarDialog_EditFields##  Bitte wählen Sie ein Feld aus der Liste aus, um die "
        "Detaildaten zu verändern.<BR>Mit dem '+' Button können Sie neue Felder hinzufügen und "
        "mit dem '-' Button können Sie das aktuell ausgewählte Feld löschen, sofern dies erlaubt "
        "ist.<BR>Aktivieren Sie das Häkchen in der Liste, um das entsprechende Feld einzublenden "
        "bzw. auszublenden.<BR>Drücken Sie auf OK, um Ihre Änderungen zu übernehmen, andernfalls "
        "auf Abbrechen."));

    LabelFields = new QLabel(Shown("ZelmarDialog_EditFields##  Felder"), this);
    LabelFields->setObjectName(QStringLiteral("LabelFields"));
    LbFieldList = new QListWidget(this);
    LbFieldList->setObjectName(QStringLiteral("LbFieldList"));
    FieldDelegate =
        new TZelmarFieldListDelegate("TZelmarDialog_EditFields.LbFieldListDrawItem", LbFieldList);
    LbFieldList->setItemDelegate(FieldDelegate);
    LbFieldList->setUniformItemSizes(true);
    LabelFields->setBuddy(LbFieldList);

    EdFieldName = new QLineEdit(this);
    EdFieldName->setObjectName(QStringLiteral("EdFieldName"));
    EdFieldName->installEventFilter(this);
    LabelFieldName = new QLabel(Shown("ZelmarDialog_EditFields##  Feldname:"), this);
    LabelFieldName->setBuddy(EdFieldName);
    EdFriendlyName = new QLineEdit(this);
    EdFriendlyName->setObjectName(QStringLiteral("EdFriendlyName"));
    LabelFriendlyName = new QLabel(Shown("ZelmarDialog_EditFields##  Angezeigter Name:"), this);
    LabelFriendlyName->setBuddy(EdFriendlyName);
    CbValueKind = new QComboBox(this);
    CbValueKind->setObjectName(QStringLiteral("CbValueKind"));
    CbValueKind->addItems(
        {Shown("ZelmarDialog_EditFields##  Text"), Shown("ZelmarDialog_EditFields##  Zahlen")});
    LabelValueKind = new QLabel(Shown("ZelmarDialog_EditFields##  Werte:"), this);
    LabelValueKind->setBuddy(CbValueKind);
    ChkShowCheckbox =
        new QCheckBox(Shown("ZelmarDialog_EditFields##  Zeige Aktivierungsspalte"), this);
    ChkShowCheckbox->setObjectName(QStringLiteral("ChkShowCheckbox"));

    SpeedButtonNew =
        MakeToolButton(Shown("ZelmarDialog_EditFields##  Add new field"), "SpeedButtonNew", this);
    SpeedButtonNew->setText(QStringLiteral("+"));
    SpeedButtonDelete = MakeToolButton(Shown("ZelmarDialog_EditFields##  Delete selected field"),
                                       "SpeedButtonDelete", this);
    SpeedButtonDelete->setText(QStringLiteral("-"));
    SpeedButtonTop = MakeToolButton(Shown("ZelmarDialog_EditFields##  Move selected field up"),
                                    "SpeedButtonTop", this);
    SpeedButtonTop->setArrowType(Qt::UpArrow);
    SpeedButtonDown = MakeToolButton(Shown("ZelmarDialog_EditFields##  Move selected field down"),
                                     "SpeedButtonDown", this);
    SpeedButtonDown->setArrowType(Qt::DownArrow);

    BtnOk = new QPushButton(Shown("ZelmarDialog_EditFields##  OK"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setDefault(true);
    BtnCancel = new QPushButton(Shown("ZelmarDialog_EditFields##  Abbrechen"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));

    connect(BtnOk, &QPushButton::clicked, this, &TZelmarDialog_EditFields::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &TZelmarDialog_EditFields::reject);
    connect(LbFieldList, &QListWidget::currentItemChanged, this, [this] { LbFieldListClick(); });
    connect(LbFieldList, &QListWidget::itemChanged, this, [this] { LbFieldListClickCheck(); });
    connect(EdFieldName, &QLineEdit::textChanged, this, [this] { EdFieldNameChange(); });
    connect(EdFriendlyName, &QLineEdit::textChanged, this, [this] { EditChange(); });
    connect(ChkShowCheckbox, &QCheckBox::clicked, this, [this] { FetchCurrentFieldData(); });
    connect(CbValueKind, QOverload<int>::of(&QComboBox::activated), this,
            [this] { FetchCurrentFieldData(); });
    connect(SpeedButtonNew, &QToolButton::clicked, this, [this] { SpeedButtonNewClick(); });
    connect(SpeedButtonDelete, &QToolButton::clicked, this, [this] { SpeedButtonDeleteClick(); });
    connect(SpeedButtonTop, &QToolButton::clicked, this, [this] { SpeedButtonTopClick(); });
    connect(SpeedButtonDown, &QToolButton::clicked, this, [this] { SpeedButtonDownClick(); });

    auto* tools = new QHBoxLayout;
    tools->setSpacing(2);
    tools->addWidget(SpeedButtonNew);
    tools->addWidget(SpeedButtonDelete);
    tools->addStretch(1);
    tools->addWidget(SpeedButtonTop);
    tools->addWidget(SpeedButtonDown);
    auto* list = new QVBoxLayout;
    list->setSpacing(2);
    list->addWidget(LabelFields);
    list->addWidget(LbFieldList, 1);
    list->addLayout(tools);
    auto* details = new QGridLayout;
    details->addWidget(LabelFieldName, 0, 0);
    details->addWidget(EdFieldName, 1, 0);
    details->addWidget(LabelFriendlyName, 2, 0);
    details->addWidget(EdFriendlyName, 3, 0);
    details->addWidget(LabelValueKind, 4, 0);
    details->addWidget(CbValueKind, 5, 0);
    details->setRowMinimumHeight(6, 12);
    details->addWidget(ChkShowCheckbox, 7, 0);
    details->setRowStretch(8, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);
    details->addLayout(buttons, 9, 0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 12, 12, 12);
    body->setSpacing(12);
    body->addLayout(list, 1);
    body->addLayout(details, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(HelpHeader);
    layout->addLayout(body, 1);
    resize(560, 460);
    EnableControls();
}

TZelmarDialog_EditFields::~TZelmarDialog_EditFields() {
    GuardedVoid("TZelmarDialog_EditFields.Destroy", [&] {
        // The list's entries point into the copy: empty the list first.
        const QSignalBlocker quiet(LbFieldList);
        LbFieldList->clear();
    });
}

std::string TZelmarDialog_EditFields::NewFieldName() {
    return LoadTranslatedText("ZelmarDialog_EditFields##  <Neues Feld>");
}

bool TZelmarDialog_EditFields::Init() {
    return Guarded("TZelmarDialog_EditFields.Init", false, [&] {
        FFields->Clear();
        if (!FCopyFields(*FFields)) return false;
        for (int i = 0; i < FFields->GetCount(); ++i) KeepCaption(*FFields->GetField(i));
        FillListBoxFields();
        SetCurrentField(nullptr);
        FFields->SaveOrigFieldNames();
        return true;
    });
}

void TZelmarDialog_EditFields::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    GuardedVoid("TZelmarDialog_EditFields.FormShow", [&] {
        if (LbFieldList->count() > 0) ShowField(FieldOfItem(LbFieldList->item(0)));
        BtnOk->setFocus();
    });
}

void TZelmarDialog_EditFields::FillListBoxFields() {
    GuardedVoid("TZelmarDialog_EditFields.FillListBoxFields", [&] {
        const bool wasUpdating = FUpdating;
        FUpdating = true;
        {
            const QSignalBlocker quiet(LbFieldList);
            LbFieldList->clear();
            for (int i = 0; i < FFields->GetCount(); ++i) {
                TZelmarField* field = FFields->GetField(i);
                if (field == nullptr || field->Fixed) continue;
                QListWidgetItem* item = AddFieldItem(LbFieldList, field);
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(field->Visible ? Qt::Checked : Qt::Unchecked);
            }
        }
        FUpdating = wasUpdating;
    });
}

void TZelmarDialog_EditFields::SetCurrentField(TZelmarField* field) {
    GuardedVoid("TZelmarDialog_EditFields.SetCurrentField", [&] {
        FCurrentField = field;
        EnableControls();
    });
}

void TZelmarDialog_EditFields::SetCurrentFieldData() {
    GuardedVoid("TZelmarDialog_EditFields.SetCurrentFieldData", [&] {
        const bool wasUpdating = FUpdating;
        FUpdating = true;
        if (FCurrentField != nullptr) {
            // A built-in field's name is internal: its edit box shows what the field is.
            EdFieldName->setText(FCurrentField->IsBuiltIn()
                                     ? QString::fromStdString(StandardCaption(*FCurrentField))
                                     : TextFromBytes(FCurrentField->Name));
            const QString caption = TrimBlanks(TextFromBytes(FCurrentField->Caption));
            EdFriendlyName->setText(caption.isEmpty() ? TextFromBytes(FCurrentField->Name)
                                                      : caption);
            CbValueKind->setCurrentIndex(FCurrentField->IsNumericData() ? 1 : 0);
        } else {
            EdFieldName->clear();
            EdFriendlyName->clear();
            CbValueKind->setCurrentIndex(0);
        }
        ChkShowCheckbox->setChecked(FFields->IsCheckboxVisible());
        FUpdating = wasUpdating;
    });
}

void TZelmarDialog_EditFields::FetchCurrentFieldData() {
    GuardedVoid("TZelmarDialog_EditFields.FetchCurrentFieldData", [&] {
        if (FUpdating || FCurrentField == nullptr) return;
        // A name read from a file keeps its bytes until the user changes it: shown text
        // turned back into bytes need not give the same bytes.
        if (!FCurrentField->IsBuiltIn() &&
            EdFieldName->text() != TextFromBytes(FCurrentField->Name))
            FCurrentField->Name = TrimBlanks(EdFieldName->text()).toStdString();
        FCurrentField->Caption = TrimBlanks(EdFriendlyName->text()).toStdString();
        KeepCaption(*FCurrentField);
        const bool numbers = CbValueKind->currentIndex() == 1;
        if (FCurrentField->Kind == ecsdtDataText && numbers != FCurrentField->Numeric) {
            FCurrentField->Numeric = numbers;
            FCurrentField->KindChosen = true;
        }
        FFields->SetCheckboxVisible(ChkShowCheckbox->isChecked());
    });
}

void TZelmarDialog_EditFields::SelectCurrentField() {
    GuardedVoid("TZelmarDialog_EditFields.SelectCurrentField", [&] {
        const QSignalBlocker quiet(LbFieldList);
        for (int row = 0; row < LbFieldList->count(); ++row) {
            if (FieldOfItem(LbFieldList->item(row)) == FCurrentField) {
                LbFieldList->setCurrentRow(row);
                LbFieldList->scrollToItem(LbFieldList->item(row));
                break;
            }
        }
        EnableControls();
        LbFieldList->viewport()->update();
    });
}

void TZelmarDialog_EditFields::EnableControls() {
    GuardedVoid("TZelmarDialog_EditFields.EnableControls", [&] {
        const bool renamable = FCurrentField != nullptr && !FCurrentField->IsBuiltIn();
        EdFieldName->setEnabled(renamable);
        SpeedButtonDelete->setEnabled(renamable);
        EdFriendlyName->setEnabled(FCurrentField != nullptr);
        CbValueKind->setEnabled(FCurrentField != nullptr && FCurrentField->Kind == ecsdtDataText);
        const int row = LbFieldList->currentRow();
        SpeedButtonTop->setEnabled(row > 0);
        SpeedButtonDown->setEnabled(row >= 0 && row < LbFieldList->count() - 1);
    });
}

// Makes the field current, shows its data and selects its entry.
void TZelmarDialog_EditFields::ShowField(TZelmarField* field) {
    SetCurrentField(field);
    SetCurrentFieldData();
    SelectCurrentField();
}

void TZelmarDialog_EditFields::LbFieldListClick() {
    GuardedVoid("TZelmarDialog_EditFields.LbFieldListClick", [&] {
        FetchCurrentFieldData();
        SetCurrentField(FieldOfItem(LbFieldList->currentItem()));
        SetCurrentFieldData();
        LbFieldList->viewport()->update();
    });
}

// A display name that only repeated the old name, or was empty, follows the new name: the
// column would otherwise keep showing the old one.
void TZelmarDialog_EditFields::EdFieldNameChange() {
    GuardedVoid("TZelmarDialog_EditFields.EdFieldNameChange", [&] {
        if (FUpdating || FCurrentField == nullptr || FCurrentField->IsBuiltIn()) return;
        const QString shown = TrimBlanks(EdFriendlyName->text());
        if (shown.isEmpty() || shown == TrimBlanks(TextFromBytes(FCurrentField->Name))) {
            FUpdating = true;
            EdFriendlyName->setText(TrimBlanks(EdFieldName->text()));
            FUpdating = false;
        }
    });
    EditChange();
}

void TZelmarDialog_EditFields::EditChange() {
    GuardedVoid("TZelmarDialog_EditFields.EditChange", [&] {
        if (FUpdating) return;
        FetchCurrentFieldData();
        if (QListWidgetItem* item = LbFieldList->currentItem(); item != nullptr && FCurrentField) {
            const QSignalBlocker quiet(LbFieldList);
            item->setText(TextFromBytes(FCurrentField->GetDisplayName()));
        }
        LbFieldList->viewport()->update();
    });
}

void TZelmarDialog_EditFields::LbFieldListClickCheck() {
    GuardedVoid("TZelmarDialog_EditFields.LbFieldListClickCheck", [&] {
        if (FUpdating) return;
        for (int row = 0; row < LbFieldList->count(); ++row) {
            QListWidgetItem* item = LbFieldList->item(row);
            if (TZelmarField* field = FieldOfItem(item))
                field->Visible = item->checkState() == Qt::Checked;
        }
    });
}

void TZelmarDialog_EditFields::Move(int by, const char* source) {
    GuardedVoid(source, [&] {
        const int row = LbFieldList->currentRow();
        if (row < 0 || row + by < 0 || row + by >= LbFieldList->count()) return;
        FetchCurrentFieldData();
        // List positions count the fields behind the fixed ones, as Exchange does.
        FFields->Exchange(row, row + by);
        FillListBoxFields();
        SelectCurrentField();
    });
}

void TZelmarDialog_EditFields::SpeedButtonTopClick() {
    Move(-1, "TZelmarDialog_EditFields.SpeedButtonTopClick");
}

void TZelmarDialog_EditFields::SpeedButtonDownClick() {
    Move(1, "TZelmarDialog_EditFields.SpeedButtonDownClick");
}

void TZelmarDialog_EditFields::SpeedButtonNewClick() {
    GuardedVoid("TZelmarDialog_EditFields.SpeedButtonNewClick", [&] {
        const std::string name = NewFieldName();
        for (int i = 0; i < FFields->GetCount(); ++i) {
            const TZelmarField* field = FFields->GetField(i);
            if (field->Name == name ||
                TrimBlanks(TextFromBytes(field->GetDisplayName())).toStdString() == name) {
                MessageBoxes().ShowError(
                    "ZelmarDialog_EditFields##  Es gibt bereits neue, noch nicht definierte "
                    "Felder. Bitte verwenden Sie diese, bevor Sie weitere Felder anlegen.");
                return;
            }
        }
        FetchCurrentFieldData();
        TZelmarField* field = FFields->CreateField(name, ecsdtDataText, std::string());
        field->ColWidth = 128;
        field->Visible = true;
        FillListBoxFields();
        ShowField(field);
        // The new field wants a name first.
        EdFieldName->setFocus();
        EdFieldName->selectAll();
    });
}

void TZelmarDialog_EditFields::SpeedButtonDeleteClick() {
    GuardedVoid("TZelmarDialog_EditFields.SpeedButtonDeleteClick", [&] {
        if (FCurrentField == nullptr || FCurrentField->IsBuiltIn()) return;
        const int row = LbFieldList->currentRow();
        TZelmarField* gone = FCurrentField;
        SetCurrentField(nullptr);
        {
            // No entry may point to the field once it is freed.
            const QSignalBlocker quiet(LbFieldList);
            LbFieldList->clear();
        }
        FFields->DeleteField(gone);
        FillListBoxFields();
        const int count = LbFieldList->count();
        if (count == 0) {
            ShowField(nullptr);
            return;
        }
        ShowField(FieldOfItem(LbFieldList->item(row < count ? row : count - 1)));
    });
}

TZelmarField* TZelmarDialog_EditFields::FindUnusableName(std::string& message) const {
    return Guarded<TZelmarField*>("TZelmarDialog_EditFields.FormCloseQuery", nullptr, [&] {
        if (TZelmarField* field = FFields->GetFieldByName(NewFieldName())) {
            message =
                "ZelmarDialog_EditFields##  Bitte geben Sie einen anderen Namen für die neu "
                "definierten Felder an.";
            return field;
        }
        // Two fields of one name would mix their data items, and an empty name or one with
        // '>' cannot be written to an SD file.
        for (int i = 0; i < FFields->GetCount(); ++i) {
            TZelmarField* field = FFields->GetField(i);
            if (field->IsBuiltIn()) continue;
            if (field->Name.empty()) {
                message = "ZelmarDialog_EditFields##  Bitte geben Sie einen Namen für das Feld an.";
                return field;
            }
            if (field->Name.find('>') != std::string::npos) {
                message =
                    "ZelmarDialog_EditFields##  Ein Feldname darf das Zeichen '>' nicht "
                    "enthalten.";
                return field;
            }
            if (FFields->GetFieldByName(field->Name) != field) {
                message = FillPlaceholders(
                    LoadTranslatedText("ZelmarDialog_EditFields##  Der Feldname '%s' wird bereits "
                                       "verwendet. Bitte geben Sie einen anderen Namen an."),
                    {field->Name});
                return field;
            }
        }
        return static_cast<TZelmarField*>(nullptr);
    });
}

void TZelmarDialog_EditFields::accept() {
    GuardedVoid("TZelmarDialog_EditFields.FormCloseQuery", [&] {
        FetchCurrentFieldData();
        std::string message;
        if (TZelmarField* field = FindUnusableName(message)) {
            MessageBoxes().ShowWarning(message);
            ShowField(field);
            EdFieldName->setFocus();
            return;
        }
        FFields->SetEditedFlags();
        QDialog::accept();
    });
}

void TZelmarDialog_EditFields::reject() {
    GuardedVoid("TZelmarDialog_EditFields.FormCloseQuery", [&] {
        FFields->SetEditedFlags();
        QDialog::reject();
    });
}

bool TZelmarDialog_EditFields::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EdFieldName && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        for (const QChar c : text)
            if (IsNameBreaker(c)) return true;
    }
    return QDialog::eventFilter(watched, event);
}
