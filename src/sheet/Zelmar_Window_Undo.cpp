// Undo and redo of the sheet's changes: the steps are the record list's; the sheet names them,
// records the cell edits begun in its grid and shows the records as each step leaves them.
#include "Zelmar_FilterBar.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_TextFormat.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

bool TZelmarWindow::CanUndo() const {
    return IsIdle() && !FLoading && FList->Undo().CanUndo();
}

bool TZelmarWindow::CanRedo() const {
    return IsIdle() && !FLoading && FList->Undo().CanRedo();
}

std::string TZelmarWindow::UndoName() const {
    return FList->Undo().UndoName();
}

std::string TZelmarWindow::RedoName() const {
    return FList->Undo().RedoName();
}

void TZelmarWindow::Undo() {
    if (!CanUndo()) return;
    // An open editor's text is a change of its own, taken back first.
    FGrid->CloseEditor();
    GuardedVoid("TZelmarWindow.Undo", [&] { FList->Undo().Undo(); });
    AfterUndoOrRedo();
}

void TZelmarWindow::Redo() {
    if (!CanRedo()) return;
    FGrid->CloseEditor();
    GuardedVoid("TZelmarWindow.Redo", [&] { FList->Undo().Redo(); });
    AfterUndoOrRedo();
}

void TZelmarWindow::AfterUndoOrRedo() {
    FEditStart = TEditStart();
    UpdateAfterNewOrDeleteRecord();
    // A step may bring back another field list, whose columns keep their widths.
    RestoreColWidths();
    if (FFilterBar->isVisible()) OfferFilterFields();
    FModified = !FList->Undo().AtSavePoint();
    UpdateStatusIcons();
}

std::string TZelmarWindow::CellStepName(const TZelmarField* field) const {
    return FillPlaceholders(LoadTranslatedText("ZelmarWindow##  Zelle %s"),
                            {field != nullptr ? field->GetDisplayName() : std::string()});
}

void TZelmarWindow::NoteEditStart(TZelmarSDFileData* record, const TZelmarField* field) {
    FEditStart = TEditStart();
    FEditStart.Record = record;
    FEditStart.Field = field;
    FEditStart.Texts.Assign(record->Texts());
    FEditStart.Selected = record->Selected;
    FEditStart.Created = FEditCreatedRecord;
    TZelmarDataCarrier value;
    if (record->GetDataForField(field, &value)) FEditStart.Value = value.Text();
}

void TZelmarWindow::EditFinished() {
    GuardedVoid("TZelmarWindow.EditFinished", [&] {
        const TEditStart start = std::move(FEditStart);
        FEditStart = TEditStart();
        if (start.Record == nullptr || FList->GetIndexOfSDFileData(start.Record) < 0) return;
        TZelmarDataCarrier value;
        const std::string now =
            start.Record->GetDataForField(start.Field, &value) ? value.Text() : std::string();
        // Leaving a cell as it was is no step; a record made by the edit is.
        if (!start.Created && now == start.Value) return;
        TZelmarUndoStack& undo = FList->Undo();
        TZelmarUndoStep step(undo, CellStepName(start.Field));
        if (start.Created) undo.NoteAdded(start.Record);
        undo.NoteContent(start.Record, start.Texts, start.Selected);
    });
    SetModified();
}
