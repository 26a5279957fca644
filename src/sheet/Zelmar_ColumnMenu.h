#pragma once
// The menu of a column header: whether a data field's values are numbers or text, natural
// order for a text field, the column's statistics, and the sheet's identifier columns (shown
// or not, and one taken over as a data field).

#include <QObject>

class QAction;
class QMenu;
class QPoint;
class TZelmarField;
class TZelmarWindow;

class TZelmarColumnMenu : public QObject {
    Q_OBJECT
public:
    explicit TZelmarColumnMenu(TZelmarWindow* sheet);

    void Retranslate();
    // The menu for the field of the grid column at a point of the screen.
    void Popup(int gridColumn, const QPoint& globalPos);
    // Checks and enables the actions for the field; run before the menu shows.
    void UpdateActions(const TZelmarField* field);
    QMenu* Menu() const { return FMenu; }

    QAction* ActColumnNumbers;
    QAction* ActColumnNaturalOrder;
    QAction* ActColumnStatistics;
    // Checkable, in the submenu "Kennungen einblenden": the identifier columns of the sheet.
    QAction* ActColumnSmiles;
    QAction* ActColumnInchi;
    QAction* ActColumnInchiKey;
    // For an identifier column: it becomes a data field holding its values.
    QAction* ActColumnTakeOver;
    QMenu* IdentifiersMenu() const { return FIdentifiers; }

private:
    TZelmarWindow* const FSheet;
    QMenu* FMenu;
    QMenu* FIdentifiers;
    int FColumn = -1;  // the grid column the menu was opened for
};
