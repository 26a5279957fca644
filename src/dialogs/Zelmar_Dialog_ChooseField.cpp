#include "Zelmar_Dialog_ChooseField.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <stdexcept>

#include "Zelmar_FieldListDelegate.h"
#include "Zelmar_HelpHeader.h"
#include "Zelmar_Object_PolicyKeys.h"
#include "Zelmar_PolicyChoice.h"
#include "Zelmar_Translater.h"
#include "vesk_Guard.h"

namespace {

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

}  // namespace

TZelmarDialogChooseFields::TZelmarDialogChooseFields(QWidget* owner, TEnumFieldsEvent enumFields)
    : QDialog(owner), FEnumFields(std::move(enumFields)) {
    if (!FEnumFields) throw std::invalid_argument("No Enum Proc defined");
    setObjectName(QStringLiteral("ZelmarDialogChooseFields"));
    setWindowTitle(Shown("ZelmarDialogChooseFields##  Felder auswählen"));
    HelpHeader = new TZelmarHelpHeader(this);
    HelpHeader->SetTitle(Shown("ZelmarDialogChooseFields##  Feld auswählen"));
    HelpHeader->SetInfoText(
        Shown("ZelmarDialogChooseFields##  Bitte wählen Sie aus der Liste ein entsprechendes Feld "
              "aus.<BR>Drücken Sie danach OK, um fortzufahren."));
    LabelFields = new QLabel(Shown("ZelmarDialogChooseFields##  Felder"), this);
    LabelFields->setObjectName(QStringLiteral("LabelFields"));
    LbFieldList = new QListWidget(this);
    LbFieldList->setObjectName(QStringLiteral("LbFieldList"));
    FieldDelegate =
        new TZelmarFieldListDelegate("TZelmarDialogChooseFields.LbFieldListDrawItem", LbFieldList);
    LbFieldList->setItemDelegate(FieldDelegate);
    LbFieldList->setUniformItemSizes(true);
    LabelFields->setBuddy(LbFieldList);
    CbConsiderStereoChem = new QCheckBox(
        Shown("ZelmarDialogChooseFields##  Tetraedrische Stereochemie<BR>berücksichtigen"), this);
    CbConsiderStereoChem->setObjectName(QStringLiteral("CbConsiderStereoChem"));
    PolicyChoice = new TZelmarPolicyChoice(this);
    PolicyChoice->setEnabled(false);
    BtnOk = new QPushButton(Shown("ZelmarDialogChooseFields##  OK"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setDefault(true);
    BtnCancel = new QPushButton(Shown("ZelmarDialogChooseFields##  Abbrechen"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    // Keys move the selection as clicks do.
    connect(LbFieldList, &QListWidget::currentRowChanged, this, [this] { LbFieldListClick(); });
    connect(LbFieldList, &QListWidget::itemSelectionChanged, this, [this] { LbFieldListClick(); });

    auto* list = new QVBoxLayout;
    list->setSpacing(2);
    list->addWidget(LabelFields);
    list->addWidget(LbFieldList, 1);
    auto* sidePanel = new QWidget(this);
    // Wide enough for the rules' explanations in two or three lines.
    sidePanel->setFixedWidth(280);
    auto* side = new QVBoxLayout(sidePanel);
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(CbConsiderStereoChem);
    side->addSpacing(8);
    side->addWidget(PolicyChoice);
    side->addStretch(1);
    side->addWidget(BtnOk);
    side->addWidget(BtnCancel);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 12, 12, 12);
    body->addLayout(list, 1);
    body->addSpacing(8);
    body->addWidget(sidePanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(HelpHeader);
    layout->addLayout(body, 1);
    resize(620, 470);
}

void TZelmarDialogChooseFields::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    FPolicyKeys = ZelmarPolicyKeysAvailable();
    FillListBox();
    if (LbFieldList->count() > 0) LbFieldList->setCurrentRow(0);
    BtnOk->setFocus();
}

void TZelmarDialogChooseFields::FillListBox() {
    GuardedVoid("TZelmarDialogChooseFields.FillListBox", [&] {
        const QSignalBlocker quiet(LbFieldList);
        LbFieldList->clear();
        FFields.Clear();
        FEnumFields(FFields);
        for (const auto& entry : FFields) AddFieldItem(LbFieldList, entry.Object);
    });
}

void TZelmarDialogChooseFields::LbFieldListClick() {
    GuardedVoid("TZelmarDialogChooseFields.LbFieldListClick", [&] {
        const TZelmarField* field = GetCurrentField();
        BtnOk->setEnabled(field != nullptr);
        // Stereochemistry means something only for molecules; an empty list searches the
        // molecule field.
        const bool molecules = field == nullptr ? LbFieldList->count() == 0 : field->IsChemistry();
        CbConsiderStereoChem->setEnabled(molecules);
        PolicyChoice->setEnabled(molecules && FPolicyKeys);
    });
}

TZelmarField* TZelmarDialogChooseFields::GetCurrentField() const {
    return Guarded<TZelmarField*>("TZelmarDialogChooseFields.GetCurrentField", nullptr, [&] {
        const QList<QListWidgetItem*> selected = LbFieldList->selectedItems();
        return selected.isEmpty() ? nullptr : FieldOfItem(selected.first());
    });
}

bool TZelmarDialogChooseFields::ConsiderStereoChem() const {
    return CbConsiderStereoChem->isEnabled() && CbConsiderStereoChem->isChecked();
}

void TZelmarDialogChooseFields::SetConsiderStereoChem(bool flag) {
    CbConsiderStereoChem->setChecked(flag);
}

int TZelmarDialogChooseFields::Policy() const {
    return Guarded("TZelmarDialogChooseFields.Policy", 0, [&] { return PolicyChoice->Policy(); });
}

void TZelmarDialogChooseFields::SetPolicy(int policy) {
    GuardedVoid("TZelmarDialogChooseFields.SetPolicy", [&] { PolicyChoice->SetPolicy(policy); });
}
