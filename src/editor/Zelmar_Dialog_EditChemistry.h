#pragma once
// "Molekül Bearbeiten": draws or edits the molecule of one structure cell. One instance
// serves the whole program; it is loaded off-screen at start and reused for every edit.

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

protected:
    bool AcceptClose() override;
    void Retranslate() override;
};
