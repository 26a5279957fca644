#pragma once
// The menu of a column header: whether a data field's values are numbers or text, natural
// order for a text field, and the column's statistics.

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

private:
    TZelmarWindow* const FSheet;
    QMenu* FMenu;
    int FColumn = -1;  // the grid column the menu was opened for
};
