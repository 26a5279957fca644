#pragma once
// The "Current data sheet" commands of the main window (new record, deleting records, check
// marks, go to record), and the sheet's small dialogs that the main window plugs into each
// sheet window: go to record and the load-error list.

#include <QObject>

#include "Zelmar_SheetActionList.h"

class QAction;
class QMenu;
class QWidget;
class TZelmar_FormMain;
class TZelmarWindow;

class TZelmarSheetCommands : public QObject {
    Q_OBJECT
public:
    explicit TZelmarSheetCommands(TZelmar_FormMain* form);

    void FillMenu(QMenu* menu) const;
    void UpdateActions();
    void Retranslate();

    // Gives a new sheet window its go-to-record and load-error dialogs.
    static void PlugDialogs(TZelmarWindow* sheet);
    // The go-to-record dialog over the owner; false when cancelled.
    static bool AskRecordNo(QWidget* owner, int recordCount, int& recordNo);

    QAction* ActNewRecord;
    QAction* ActDeleteUnSelected;
    QAction* ActDeleteLoadErrors;
    QAction* ActSelectAll;
    QAction* ActUnselectAll;
    QAction* ActGotoRecord;

private:
    TZelmarSheetActionList Actions;
};
