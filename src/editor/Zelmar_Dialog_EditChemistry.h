#pragma once
// "Molekül Bearbeiten": draws or edits the molecule of one structure cell. One instance
// serves the whole program; it is loaded off-screen at start and reused for every edit.

#include <QString>
#include <optional>

#include "Zelmar_DrawletDialog.h"

class TZelmarDialogEditChemistry : public TZelmarDrawletDialog {
    Q_OBJECT
public:
    explicit TZelmarDialogEditChemistry(QWidget* parent = nullptr);

    // The molecule to edit; empty for a new drawing. False, after telling the user, when
    // the editor cannot take it: a reaction, or a text the page cannot read.
    bool SetMolecule(const std::string& molecule);
    // The page's drawing into MoleculeText: the reaction when it is one, else the molecule.
    void GetChemString() override;
    // After OK: whether the drawing differs from the molecule handed to SetMolecule. An
    // unchanged drawing leaves that molecule in MoleculeText, byte for byte.
    bool MoleculeChanged() const { return FChanged; }

protected:
    bool AcceptClose() override;
    void Retranslate() override;

private:
    std::string FGiven;                    // the molecule handed in
    std::optional<QString> FGivenDrawing;  // the page's text of it before any edit
    bool FChanged = true;
};
