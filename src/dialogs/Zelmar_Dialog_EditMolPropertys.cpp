#include "Zelmar_Dialog_EditMolPropertys.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Zelmar_HelpHeader.h"
#include "Zelmar_Translater.h"
#include "vesk_Guard.h"

namespace {

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

QRadioButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QCheckBox* MakeCheckBox(const QString& caption, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

TZelmarDialogEditMolPropertys::TZelmarDialogEditMolPropertys(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("ZelmarDialogEditMolPropertys"));
    setWindowTitle(Shown("ZelmarDialogEditMolPropertys##  Molekülansicht einstellen"));
    HelpHeader = new TZelmarHelpHeader(this);
    HelpHeader->SetTitle(
        Shown("ZelmarDialogEditMolPropertys##  Anzeigeeinstellung von Molekülen verändern"));
    HelpHeader->SetInfoText(
        Shown("ZelmarDialogEditMolPropertys##  Hier können Sie die Anzeige von "
              "Wasserstoffatomen der Moleküle verändern. Diese Einstellungen gelten global."));
    LabelHydrogens =
        new QLabel(Shown("ZelmarDialogEditMolPropertys##  Anzeige von Wasserstoffatomen:"), this);
    LabelHydrogens->setObjectName(QStringLiteral("LabelHydrogens"));
    RbOff = MakeButton(Shown("ZelmarDialogEditMolPropertys##  Ausblenden"), "RbOff", this);
    RbHetero = MakeButton(Shown("ZelmarDialogEditMolPropertys##  Anzeige an Heteroatomen"),
                          "RbHetero", this);
    RbTerminal = MakeButton(Shown("ZelmarDialogEditMolPropertys##  Anzeige an Terminalatomen"),
                            "RbTerminal", this);
    RbHeteroTerminal =
        MakeButton(Shown("ZelmarDialogEditMolPropertys##  Anzeige an Hetero- und Terminalatomen"),
                   "RbHeteroTerminal", this);
    RbAll =
        MakeButton(Shown("ZelmarDialogEditMolPropertys##  Anzeige an allen Atomen"), "RbAll", this);
    LabelIdentifiers = new QLabel(
        Shown("ZelmarDialogEditMolPropertys##  Spalten des aktuellen Datenblatts:"), this);
    LabelIdentifiers->setObjectName(QStringLiteral("LabelIdentifiers"));
    CbSmiles = MakeCheckBox(Shown("ZelmarDialogEditMolPropertys##  SMILES"), "CbSmiles", this);
    CbInchi = MakeCheckBox(Shown("ZelmarDialogEditMolPropertys##  InChI"), "CbInchi", this);
    CbInchiKey =
        MakeCheckBox(Shown("ZelmarDialogEditMolPropertys##  InChIKey"), "CbInchiKey", this);
    ButtonOK = new QPushButton(Shown("ZelmarDialogEditMolPropertys##  OK"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(Shown("ZelmarDialogEditMolPropertys##  Abbrechen"), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* choices = new QVBoxLayout;
    choices->addWidget(LabelHydrogens);
    auto* buttons = new QVBoxLayout;
    buttons->setContentsMargins(16, 4, 0, 0);
    for (QRadioButton* button : Buttons()) buttons->addWidget(button);
    choices->addLayout(buttons);
    choices->addSpacing(8);
    choices->addWidget(LabelIdentifiers);
    auto* boxes = new QVBoxLayout;
    boxes->setContentsMargins(16, 4, 0, 0);
    for (QCheckBox* box : {CbSmiles, CbInchi, CbInchiKey}) boxes->addWidget(box);
    choices->addLayout(boxes);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ButtonOK);
    bottom->addWidget(ButtonCancel);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 12, 12, 12);
    body->addLayout(choices);
    body->addStretch(1);
    body->addLayout(bottom);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(HelpHeader);
    layout->addLayout(body, 1);
    setFixedWidth(420);
}

std::array<QRadioButton*, 5> TZelmarDialogEditMolPropertys::Buttons() const {
    return {RbOff, RbHetero, RbTerminal, RbHeteroTerminal, RbAll};
}

void TZelmarDialogEditMolPropertys::SetHydrogens(int mode) {
    GuardedVoid("TZelmarDialogEditMolPropertys.SetHydrogens", [&] {
        // Radio buttons of one parent never let the last checked one go; alone for a moment,
        // each takes the state it is given.
        const auto buttons = Buttons();
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            buttons[i]->setAutoExclusive(false);
            buttons[i]->setChecked(static_cast<int>(i) == mode);
            buttons[i]->setAutoExclusive(true);
        }
    });
}

int TZelmarDialogEditMolPropertys::GetHydrogens() const {
    return Guarded("TZelmarDialogEditMolPropertys.GetHydrogens", 0, [&] {
        const auto buttons = Buttons();
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i]->isChecked()) return static_cast<int>(i);
        return 0;
    });
}

void TZelmarDialogEditMolPropertys::SetIdentifierColumns(const std::array<bool, 3>& shown,
                                                         bool haveSheet) {
    const std::array<QCheckBox*, 3> boxes = {CbSmiles, CbInchi, CbInchiKey};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setChecked(haveSheet && shown[i]);
        boxes[i]->setEnabled(haveSheet);
    }
    LabelIdentifiers->setEnabled(haveSheet);
}

std::array<bool, 3> TZelmarDialogEditMolPropertys::GetIdentifierColumns() const {
    return {CbSmiles->isChecked(), CbInchi->isChecked(), CbInchiKey->isChecked()};
}

void TZelmarDialogEditMolPropertys::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ButtonOK->setFocus();
}
