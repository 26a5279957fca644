#pragma once
// The "Edit" menu of the main window: the current cell's clipboard commands, MOL file import
// and export, and the dialogs that edit a sheet's fields, combine sheets and set up the
// molecule display.

#include <QObject>

#include "Zelmar_SheetActionList.h"

class QAction;
class QMenu;
class TZelmar_FormMain;

class TZelmarEditCommands : public QObject {
    Q_OBJECT
public:
    explicit TZelmarEditCommands(TZelmar_FormMain* form);

    void FillMenu(QMenu* menu) const;
    void UpdateActions();
    void Retranslate();

    // Named after the step they take back or do again.
    QAction* ActionUndo;
    QAction* ActionRedo;
    QAction* ActionCut;
    QAction* ActionCopy;
    QAction* ActionPaste;
    QAction* ActionImportMOLFile;
    QAction* ActionExportMOLFile;
    // Reached only by its shortcut (Del): it has no menu entry.
    QAction* ActionClearCell;
    QAction* ActEditFields;
    QAction* ActMixSheets;
    QAction* ActEditMolPropertys;

    void ActEditFieldsExecute();
    void ActMixSheetsExecute();
    void ActEditMolPropertysExecute();

private:
    void UpdateUndoCaptions();

    TZelmar_FormMain* const Form;
    TZelmarSheetActionList Actions;
};
