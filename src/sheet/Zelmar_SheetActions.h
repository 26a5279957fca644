#pragma once
// The sheet window's pop-up menu: its record commands as actions, enabled by the same rules
// as the main window's menus, and shown over the grid on a right click.

#include <QObject>

class QAction;
class QMenu;
class QPoint;
class TZelmarWindow;

class TZelmarSheetActions : public QObject {
    Q_OBJECT
public:
    explicit TZelmarSheetActions(TZelmarWindow* sheet);

    void Retranslate();
    // Enables each action from the sheet's state; run before the menu shows.
    void UpdateActions();
    // The pop-up menu at a point of the screen.
    void Popup(const QPoint& globalPos);
    QMenu* Menu() const { return FMenu; }

    QAction* ActNewRecord;
    QAction* ActDeleteUnSelected;
    QAction* ActDeleteLoadErrors;
    QAction* ActSelectAll;
    QAction* ActUnselectAll;
    // Check marks for the selected rows (selection and check marks are two things).
    QAction* ActTickSelection;
    QAction* ActUntickSelection;
    QAction* ActionCut;
    QAction* ActionCopy;
    QAction* ActionPaste;
    QAction* ActionClearCell;
    QAction* ActionImportMolFile;
    QAction* ActionExportMolFile;
    QAction* ActGotoRecord;

private:
    void FillMenu();

    TZelmarWindow* const FSheet;
    QMenu* FMenu;
};
