#pragma once
// Chooses at which atoms structure drawings show hydrogen atoms (the viewer pool's display
// mode, 0 to 4). Use: create, SetHydrogens(pool's mode), exec(); on Accepted store
// GetHydrogens() in the pool and redraw the sheets.

#include <QDialog>
#include <array>

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

    TZelmarHelpHeader* HelpHeader;
    QLabel* LabelHydrogens;
    QRadioButton* RbOff;
    QRadioButton* RbHetero;
    QRadioButton* RbTerminal;
    QRadioButton* RbHeteroTerminal;
    QRadioButton* RbAll;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // In the order of the modes they stand for.
    std::array<QRadioButton*, 5> Buttons() const;
};
