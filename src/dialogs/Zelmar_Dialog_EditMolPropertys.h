#pragma once
// Chooses at which atoms structure drawings show hydrogen atoms (the viewer pool's display
// mode, 0 to 4), and which identifier columns the current sheet shows. Use: create,
// SetHydrogens(pool's mode), SetIdentifierColumns(the sheet's), exec(); on Accepted store
// GetHydrogens() in the pool, apply GetIdentifierColumns() to the sheet and redraw.

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TZelmarHelpHeader;

class TZelmarDialogEditMolPropertys : public QDialog {
    Q_OBJECT
public:
    explicit TZelmarDialogEditMolPropertys(QWidget* owner = nullptr);

    // Selects the button of the mode; a mode outside 0 to 4 selects none.
    void SetHydrogens(int mode);
    // The mode of the selected button; 0 when none is selected.
    int GetHydrogens() const;
    // SMILES, InChI, InChIKey of the current sheet; without a sheet the boxes are disabled.
    void SetIdentifierColumns(const std::array<bool, 3>& shown, bool haveSheet);
    std::array<bool, 3> GetIdentifierColumns() const;

    TZelmarHelpHeader* HelpHeader;
    QLabel* LabelHydrogens;
    QRadioButton* RbOff;
    QRadioButton* RbHetero;
    QRadioButton* RbTerminal;
    QRadioButton* RbHeteroTerminal;
    QRadioButton* RbAll;
    QLabel* LabelIdentifiers;
    QCheckBox* CbSmiles;
    QCheckBox* CbInchi;
    QCheckBox* CbInchiKey;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // In the order of the modes they stand for.
    std::array<QRadioButton*, 5> Buttons() const;
};
