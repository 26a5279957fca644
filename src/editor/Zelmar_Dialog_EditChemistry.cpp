#include "Zelmar_Dialog_EditChemistry.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_BusyCursor.h"
#include "Zelmar_DrawletBridge.h"
#include "Zelmar_MessageBoxes.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

namespace {

const TZelmarDrawletMessages kMessages = {
    "ZelmarDialogEditChemistry##  Kein Chemieeditor vorhanden",
    "ZelmarDialogEditChemistry##  Hilfeseite konnte nicht gefunden werden.",
    "ZelmarDialogEditChemistry##  Ungültige Chemiedaten im Clipboard",
    "ZelmarDialogEditChemistry##  Unbekannte Dateierweiterung",
    "ZelmarDialogEditChemistry##  Ungültige Chemiedaten in Datei",
    "ZelmarDialogEditChemistry##  Fehler beim Speichern der Daten",
};

bool IsReaction(const std::string& text) {
    return text.find("$RXN") != std::string::npos;
}

}  // namespace

TZelmarDialogEditChemistry::TZelmarDialogEditChemistry(QWidget* parent)
    : TZelmarDrawletDialog(parent, "TZelmarDialogEditChemistry", kMessages) {
    setObjectName(QStringLiteral("ZelmarDialogEditChemistry"));
    BottomLayout->insertWidget(0, BtnHelp);
    Retranslate();
}

void TZelmarDialogEditChemistry::Retranslate() {
    TZelmarDrawletDialog::Retranslate();
    setWindowTitle(ShownText("ZelmarDialogEditChemistry##  Molekül Bearbeiten"));
    BtnOK->setText(ShownText("ZelmarDialogEditChemistry##  OK"));
}

bool TZelmarDialogEditChemistry::SetMolecule(const std::string& molecule) {
    return Guarded(Source("SetMolecule").c_str(), false, [&] {
        MoleculeText = molecule;
        FGiven = molecule;
        FChanged = true;
        FGivenDrawing.reset();
        // A molecule cell holds molecules; the page would hand a reaction back as one.
        if (IsReaction(molecule)) {
            MessageBoxes().ShowError(
                "ZelmarDialogEditChemistry##  Eine Reaktion kann nicht als Molekül bearbeitet "
                "werden.");
            return false;
        }
        SetToolBarsEnabled(false);
        bool taken = false;
        {
            const TBusyCursor busy;  // the page may still be starting: seconds on a cold start
            taken = PushMoleculeToEditor();
            // The page's own text of the molecule, not the cell's: the page writes a molecule
            // its own way, and only a change of the drawing counts.
            bool read = false;
            const QString drawing = taken ? DrawingText(false, &read) : QString();
            if (read) FGivenDrawing = drawing;
        }
        ButtonNamed("BtnA")->hide();
        ButtonNamed("BtnQ")->hide();
        SetToolBarsEnabled(true);
        if (!taken && EditorAvailable()) {
            MessageBoxes().ShowError(
                "ZelmarDialogEditChemistry##  Dieses Molekül kann der Editor nicht lesen. Es "
                "bleibt unverändert.");
            return false;
        }
        return true;
    });
}

void TZelmarDialogEditChemistry::GetChemString() {
    GuardedVoid(Source("GetChemString").c_str(), [&] {
        if (!EditorAvailable()) {
            MoleculeText.clear();
            return;
        }
        bool ok = false;
        const QString text = DrawingText(true, &ok);
        if (ok)
            MoleculeText = text.toStdString();
        else
            TraceMessage(Source("GetChemString").c_str(), tlError, "%s",
                         "The drawing could not be read from the editor.");
    });
}

bool TZelmarDialogEditChemistry::AcceptClose() {
    return Guarded(Source("FormCloseQuery").c_str(), false, [&] {
        if (!EditorAvailable()) return true;
        bool ok = false;
        const QString reaction = Bridge()->CallText(QStringLiteral("getRxnFile"), &ok);
        const QString molecule =
            ok ? Bridge()->CallText(QStringLiteral("getMolFile"), &ok) : QString();
        // Keeping the dialog open keeps the drawing; the user may still cancel.
        if (!ok) {
            MessageBoxes().ShowError(
                "ZelmarDialogEditChemistry##  Das Molekül konnte nicht aus dem Editor gelesen "
                "werden.");
            return false;
        }
        if (!reaction.isEmpty()) {
            MessageBoxes().ShowError(
                "ZelmarDialogEditChemistry##  Bitte zeichnen Sie ein Molekül, keine Reaktion.");
            return false;
        }
        FChanged = !FGivenDrawing || molecule != *FGivenDrawing;
        MoleculeText = FChanged ? molecule.toStdString() : FGiven;
        return true;
    });
}
