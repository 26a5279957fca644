#include "Zelmar_Dialog_SearchMolecules.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_MessageBoxes.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

namespace {

const TZelmarDrawletMessages kMessages = {
    "ZelmarDialog_SearchMolecules##  Kein Chemieeditor vorhanden",
    "ZelmarDialog_SearchMolecules##  Hilfeseite konnte nicht gefunden werden.",
    "ZelmarDialog_SearchMolecules##  Ungültige Chemiedaten im Clipboard",
    "ZelmarDialog_SearchMolecules##  Unbekannte Dateierweiterung",
    "ZelmarDialog_SearchMolecules##  Ungültige Chemiedaten in Datei",
    "ZelmarDialog_SearchMolecules##  Fehler beim Speichern der Daten",
};

}  // namespace

TZelmarDialog_SearchMolecules::TZelmarDialog_SearchMolecules(QWidget* parent)
    : TZelmarDrawletDialog(parent, "TZelmarDialog_SearchMolecules", kMessages) {
    setObjectName(QStringLiteral("ZelmarDialog_SearchMolecules"));
    auto* right = new QWidget(this);
    right->setObjectName(QStringLiteral("PanelRight"));
    auto* column = new QVBoxLayout(right);
    column->setContentsMargins(4, 0, 0, 0);
    column->addWidget(BtnHelp);
    FModeBox = new QGroupBox(right);
    auto* modes = new QVBoxLayout(FModeBox);
    RbExact = new QRadioButton(FModeBox);
    RbExact->setObjectName(QStringLiteral("RbExact"));
    RbSSS = new QRadioButton(FModeBox);
    RbSSS->setObjectName(QStringLiteral("RbSSS"));
    modes->addWidget(RbExact);
    modes->addWidget(RbSSS);
    column->addWidget(FModeBox);
    CbConsiderStereoChem = new QCheckBox(right);
    CbConsiderStereoChem->setObjectName(QStringLiteral("CbConsiderStereoChem"));
    column->addWidget(CbConsiderStereoChem);
    column->addStretch(1);
    MiddleLayout->addWidget(right);
    // Reaction parts appear only once a query is set; mapping numbers mean nothing here.
    for (const char* name : {"BtnReacPlus", "BtnReacArrow", "BtnMap"}) ButtonNamed(name)->hide();
    Retranslate();
}

void TZelmarDialog_SearchMolecules::Retranslate() {
    TZelmarDrawletDialog::Retranslate();
    setWindowTitle(ShownText("ZelmarDialog_SearchMolecules##  Suche nach Molekülen"));
    BtnOK->setText(ShownText("ZelmarDialog_SearchMolecules##  Suchen"));
    FModeBox->setTitle(ShownText("ZelmarDialog_SearchMolecules##  Suchmodus"));
    RbExact->setText(ShownText("ZelmarDialog_SearchMolecules##  exakte Suche"));
    RbSSS->setText(ShownText("ZelmarDialog_SearchMolecules##  Substruktursuche"));
    CbConsiderStereoChem->setText(
        ShownText("ZelmarDialog_SearchMolecules##  Tetraedrische Stereochemie<BR>berücksichtigen"));
}

void TZelmarDialog_SearchMolecules::SetMolecule(const std::string& molecule) {
    GuardedVoid(Source("SetMolecule").c_str(), [&] {
        if (!molecule.empty()) MoleculeText = molecule;
        SetToolBarsEnabled(false);
        PushMoleculeToEditor();
        ButtonNamed("BtnReacPlus")->show();
        ButtonNamed("BtnReacArrow")->show();
        ButtonNamed("BtnMap")->hide();
        SetToolBarsEnabled(true);
    });
}

void TZelmarDialog_SearchMolecules::showEvent(QShowEvent* event) {
    TZelmarDrawletDialog::showEvent(event);
    // Substructure search until the user chooses; a chosen mode stays for the next search.
    if (!RbExact->isChecked() && !RbSSS->isChecked()) RbSSS->setChecked(true);
}

std::string TZelmarDialog_SearchMolecules::GetQueryMolecule() {
    GetChemString();
    return MoleculeText;
}

int TZelmarDialog_SearchMolecules::GetSearchMode() const {
    if (RbExact->isChecked()) return 4;
    return RbSSS->isChecked() ? 2 : 1;
}

bool TZelmarDialog_SearchMolecules::GetConsiderStereo() const {
    return CbConsiderStereoChem->isChecked();
}

void TZelmarDialog_SearchMolecules::GetChemString() {
    GuardedVoid(Source("GetChemString").c_str(), [&] {
        if (WebBrowser() == nullptr) {
            MoleculeText.clear();
            return;
        }
        bool ok = false;
        const QString text = DrawingText(false, &ok);
        if (ok)
            MoleculeText = text.toStdString();
        else
            TraceMessage(Source("GetChemString").c_str(), tlError, "%s",
                         "The drawing could not be read from the editor.");
    });
}

bool TZelmarDialog_SearchMolecules::AcceptClose() {
    GetChemString();
    if (!MoleculeText.empty()) return true;
    MessageBoxes().ShowWarning(
        "ZelmarDialog_SearchMolecules##  Bitte definieren Sie die chemischen Daten, nach denen "
        "Sie suchen möchten.");
    return false;
}
