// The sheet window's grid: its shape and sizing rules, and what mouse, keyboard and the
// in-place editor do to the sheet.
#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "Zelmar_ColumnMenu.h"
#include "Zelmar_Object_HintManager.h"
#include "Zelmar_Object_PictureRenderer.h"
#include "Zelmar_SheetActions.h"
#include "Zelmar_SheetCells.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_SheetStatusBar.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_ChemView2.h"
#include "vesk_Guard.h"
#include "vesk_TextPainter.h"

namespace {
constexpr int kRow0Height = 24;
constexpr int kFixedFieldWidth = 32;
constexpr int kMinColWidth = 64;
constexpr int kMinRowHeight = 24;
}  // namespace

void TZelmarWindow::WirePictures() {
    // Its workers get their views once the main window lends views (SetOnGetMolViewer).
    FRenderer = std::make_unique<TZelmarPictureRenderer>(&FDispatcher);
    FRenderer->OnPictureReady = [this](const TZelmarCellPictureKey& key, const QImage& picture,
                                       const std::vector<TZelmarPictureRenderer::TCell>& cells) {
        if (FPainter->PictureCache == nullptr) return;
        FPainter->PictureCache->Insert(key, picture);
        for (const auto& cell : cells) FGrid->RepaintCell(cell.Column, cell.Row);
    };
    FPainter->Renderer = FRenderer.get();
    // Before the new rows are painted: their pictures then come before those scrolled past.
    connect(FGrid->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { DropPicturesOutOfView(); });
}

void TZelmarWindow::DropPicturesOutOfView() {
    GuardedVoid("TZelmarWindow.DropPicturesOutOfView", [&] {
        if (!FRenderer || FRenderer->Pending() == 0) return;
        const int top = FGrid->TopRow();
        const int bottom = FGrid->rowAt(FGrid->viewport()->height() - 1);
        // rowAt counts model rows, which start at grid row 1; -1 below the last row.
        FRenderer->DropRowsOutside(top, bottom < 0 ? FGrid->RowCount() - 1 : bottom + 1);
    });
}

void TZelmarWindow::SetDrawPicturesInPlace(bool inPlace) {
    FPainter->Renderer = inPlace ? nullptr : FRenderer.get();
}

void TZelmarWindow::WireGrid() {
    FGrid->OnCaptionPressed = [this](int column) {
        if (!FLoading && !FSearching && !FIndexing) DoSortColumn(column);
    };
    FGrid->OnCellPressed = [this](int column, int row) {
        if (row > 0) DoToggleCheckbox(column, row);
    };
    FGrid->OnMouseOver = [this](int column, int row) { MouseOverData(column, row); };
    FGrid->OnMouseUp = [this] {
        SynchronizeStringGridHeights();
        RestrictStringGridWidths();
    };
    FGrid->OnSelectCell = [this](int column, int row) { StringGridSelectCell(column, row); };
    FGrid->OnGetEditText = [this](int column, int row, QString& text) {
        return StringGridGetEditText(column, row, text);
    };
    FGrid->OnEditTextChanged = [this](const QString& text) { NewEditString(text); };
    FGrid->OnEndEdit = [this](const QString& text, bool abort) {
        if (abort) FEscapeInGrid = FEscapePressed = true;
        EndEditString(text, abort);
    };
    FGrid->OnKeyPress = [this](int key) { GridKeyPress(key); };
    FGrid->OnZoom = [this](int steps) { Zoom(steps); };
    FGrid->OnGetSortMark = [this](int column) { return FCells->SortMarkForGridColumn(column); };
    // A right click on a column header opens the column's menu.
    QHeaderView* header = FGrid->horizontalHeader();
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QWidget::customContextMenuRequested, this, [this, header](const QPoint& pos) {
        const int section = header->logicalIndexAt(pos);
        if (section >= 0 && !FLoading && !FIndexing)
            FColumnMenu->Popup(section + FGrid->FixedCols(), header->mapToGlobal(pos));
    });
    // Right clicks on the data cells and on the fixed columns open the pop-up menu. Both are
    // scroll areas: they ask for it in their viewport's coordinates.
    auto* rows = qobject_cast<QAbstractScrollArea*>(FGrid->RowHeaderWidget());
    for (QAbstractScrollArea* area : {static_cast<QAbstractScrollArea*>(FGrid), rows}) {
        if (area == nullptr) continue;
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(area, &QWidget::customContextMenuRequested, this, [this, area](const QPoint& pos) {
            ShowPopupMenu(area->viewport()->mapTo(FGrid, pos));
        });
    }
}

void TZelmarWindow::ShowPopupMenu(const QPoint& gridPos) {
    GuardedVoid("TZelmarWindow.ShowPopupMenu", [&] {
        // As in other tables, the commands act on the cell that was clicked, or on the
        // selection when it was clicked inside it.
        int column = -1;
        int row = -1;
        if (FGrid->CellAt(gridPos, column, row) && row > 0 && !FGrid->IsEditorOpen()) {
            const std::vector<int> rows = FGrid->SelectedRows();
            const bool inSelection =
                FGrid->HasWideSelection() && std::binary_search(rows.begin(), rows.end(), row);
            if (!inSelection) FGrid->SelectCell(column, row);
        }
        FActions->Popup(FGrid->mapToGlobal(gridPos));
    });
}

void TZelmarWindow::InitStringGrid(int rows) {
    GuardedVoid("TZelmarWindow.InitStringGrid", [&] {
        if (FGrid == nullptr || FList == nullptr) return;
        const int rowCount = std::max(2, rows == -1 ? FList->Rows().RowCount() + 2 : rows + 1);
        const int visible = FList->GetVisibleFieldCount();
        const int fixed = FList->GetFixedFieldCount() - (FList->IsCheckboxVisible() ? 0 : 1);
        const int colCount = std::max(visible + 1, fixed + 2);
        FCells->ColumnCount = colCount;
        FGrid->SetShape(rowCount, colCount, fixed + 1);
        FGrid->SetRowHeight(0, kRow0Height);
        for (int column = 1; column <= fixed; ++column)
            FGrid->SetColWidth(column, kFixedFieldWidth);
        const int numberWidth =
            QFontMetrics(FGrid->font()).horizontalAdvance(QString::number(rowCount) + "  ");
        if (FGrid->ColWidth(0) != numberWidth) FGrid->SetColWidth(0, numberWidth);
        // The molecule, when it is the first column, stays in view while the others scroll.
        const TZelmarField* first = FieldOfColumn(fixed + 1);
        FGrid->SetFrozenColumn(first != nullptr && first->IsChemistry() ? fixed + 1 : -1);
        ShowGrid();
        // The empty sheet's notice lies over the grid: it goes once there are records.
        if (FList->GetCount() > 0) FLabelNoData->hide();
    });
}

void TZelmarWindow::SynchronizeStringGridHeights() {
    GuardedVoid("TZelmarWindow.SynchronizeStringGridHeights", [&] {
        const int row0 = FGrid->RowHeight(0);
        const int off = FGrid->FirstRowOffDefaultHeight();
        if (off > 0) FGrid->SetDefaultDataRowHeight(std::max(kMinRowHeight, FGrid->RowHeight(off)));
        FGrid->SetRowHeight(0, row0);
    });
}

void TZelmarWindow::RestrictStringGridWidths() {
    GuardedVoid("TZelmarWindow.RestrictStringGridWidths", [&] {
        for (int column = FGrid->FixedCols(); column < FGrid->ColCount(); ++column)
            if (FGrid->ColWidth(column) < kMinColWidth) FGrid->SetColWidth(column, kMinColWidth);
    });
}

void TZelmarWindow::SaveColWidths() {
    GuardedVoid("TZelmarWindow.SaveColWidths", [&] {
        for (int column = 1; column < FGrid->ColCount(); ++column)
            if (TZelmarField* field = FList->GetVisibleField(column - 1))
                field->ColWidth = FGrid->ColWidth(column);
    });
}

void TZelmarWindow::RestoreColWidths() {
    GuardedVoid("TZelmarWindow.RestoreColWidths", [&] {
        for (int column = 1; column < FGrid->ColCount(); ++column)
            if (const TZelmarField* field = FList->GetVisibleField(column - 1))
                if (field->ColWidth > 0) FGrid->SetColWidth(column, field->ColWidth);
    });
}

void TZelmarWindow::GotoIndex(int n) {
    GuardedVoid("TZelmarWindow.GotoIndex", [&] {
        if (n < 0 || n > FGrid->RowCount() - 1) return;
        // The record becomes the current row, in the current column: highlighted, and the
        // edit transaction follows it as for any other cell change.
        const int column =
            FGrid->CurrentCol() >= FGrid->FixedCols() ? FGrid->CurrentCol() : FGrid->FixedCols();
        FGrid->SelectCell(column, n);
        FGrid->SetTopRow(n);
    });
}

void TZelmarWindow::NewSelected(int column, int row) {
    GuardedVoid("TZelmarWindow.NewSelected", [&] {
        if (!OnUpdateDataExchange) return;
        TZelmarField* field = FCells->GetFieldForGridColumn(column);
        TZelmarSDFileData* record = FCells->GetRecordForGridRow(row);
        OnUpdateDataExchange(this, record, field);
    });
}

bool TZelmarWindow::IsCurrentSheet() const {
    const auto* child = qobject_cast<const QMdiSubWindow*>(parentWidget());
    if (child == nullptr) return isActiveWindow();
    return child->mdiArea() != nullptr && child->mdiArea()->activeSubWindow() == child;
}

void TZelmarWindow::PointEditAtCurrentCell() {
    NewSelected(FGrid->CurrentCol(), FGrid->CurrentRow());
}

void TZelmarWindow::DoSortColumn(int column) {
    GuardedVoid("TZelmarWindow.DoSortColumn", [&] {
        if (FSorting || FSaving) return;
        TZelmarField* field = FCells->GetFieldForGridColumn(column);
        if (field == nullptr) return;
        FGrid->CloseEditor();
        if (FList->SortForField(field, 0)) {
            FCells->NoteSort();
            Refresh();
            NewSelected(FSelectedCol, FSelectedRow);
        }
    });
}

int TZelmarWindow::PictureHeight() const {
    return FGrid->DefaultDataRowHeight();
}

void TZelmarWindow::SetPictureHeight(int height) {
    GuardedVoid("TZelmarWindow.SetPictureHeight", [&] {
        height = std::clamp(height, kSmallestPictureHeight, kLargestPictureHeight);
        FGrid->SetDefaultDataRowHeight(height);
        // The molecule column keeps the pictures' shape.
        const int width =
            height * TZelmarSheetGrid::DefaultColWidth / TZelmarSheetGrid::DefaultRowHeight;
        for (int column = FGrid->FixedCols(); column < FGrid->ColCount(); ++column) {
            TZelmarField* field = FieldOfColumn(column);
            if (field == nullptr || !field->IsChemistry()) continue;
            field->ColWidth = width;
            FGrid->SetColWidth(column, width);
        }
        FGrid->RepaintAll();
    });
}

void TZelmarWindow::Zoom(int steps) {
    GuardedVoid("TZelmarWindow.Zoom", [&] {
        double height = PictureHeight();
        for (int i = 0; i < std::abs(steps); ++i)
            height = steps > 0 ? height * 1.25 : height / 1.25;
        SetPictureHeight(static_cast<int>(std::lround(height)));
        if (OnPictureHeightChanged) OnPictureHeightChanged(PictureHeight());
    });
}

TZelmarField* TZelmarWindow::FieldOfColumn(int gridColumn) const {
    return FCells->GetFieldForGridColumn(gridColumn);
}

void TZelmarWindow::SetColumnNumbers(int gridColumn, bool numbers) {
    GuardedVoid("TZelmarWindow.SetColumnNumbers", [&] {
        TZelmarField* field = FieldOfColumn(gridColumn);
        if (field == nullptr || field->Kind != ecsdtDataText) return;
        field->Numeric = numbers;
        field->KindChosen = true;
        ColumnChoiceChanged(field);
    });
}

void TZelmarWindow::SetColumnNaturalOrder(int gridColumn, bool natural) {
    GuardedVoid("TZelmarWindow.SetColumnNaturalOrder", [&] {
        TZelmarField* field = FieldOfColumn(gridColumn);
        if (field == nullptr || field->Kind != ecsdtDataText) return;
        field->NaturalOrder = natural;
        ColumnChoiceChanged(field);
    });
}

void TZelmarWindow::ColumnChoiceChanged(TZelmarField* field) {
    if (OnColumnChoiceChanged) OnColumnChoiceChanged(this, field);
    // A column sorted by the old rule is sorted again by the new one, in the same direction.
    if (FList->SortField == field && !FSorting && !FSaving) {
        FGrid->CloseEditor();
        if (FList->SortForField(field, FList->SortDirection)) FCells->NoteSort();
    }
    Refresh();
}

void TZelmarWindow::ShowColumnStatistics(int gridColumn) {
    GuardedVoid("TZelmarWindow.ShowColumnStatistics", [&] {
        TZelmarField* field = FieldOfColumn(gridColumn);
        if (field != nullptr && OnShowColumnStatistics) OnShowColumnStatistics(this, field);
    });
}

void TZelmarWindow::DoToggleCheckbox(int column, int row) {
    GuardedVoid("TZelmarWindow.DoToggleCheckbox", [&] {
        TZelmarField* field = FCells->GetFieldForGridColumn(column);
        if (field == nullptr || field->Kind != ecsdtCheckbox) return;
        TZelmarSDFileData* record = FCells->GetRecordForGridRow(row);
        if (record == nullptr) return;
        TZelmarUndoStep step(FList->Undo(), LoadTranslatedText("ZelmarWindow##  Häkchen"));
        FList->Undo().NoteCheck(record);
        record->Selected = !record->Selected;
        FGrid->RepaintCell(column, row);
        SetModified();
    });
}

void TZelmarWindow::MouseOverData(int column, int row) {
    GuardedVoid("TZelmarWindow.MouseOverData", [&] {
        if (column > 0 && row > 0) {
            TZelmarField* field = FCells->GetFieldForGridColumn(column);
            TZelmarSDFileData* record = FCells->GetRecordForGridRow(row);
            TZelmarDataCarrier data;
            if (field != nullptr && record != nullptr && field->Kind == ecsdtChemistry &&
                record->GetDataForField(field, &data)) {
                // A search hit's match shows in the large picture as in the cell.
                TveskChemView2Highlight marks;
                StructureHighlight(row, column, data.Text(), marks);
                FHintManager->SetMoleculeHint(FGrid, width(),
                                              QString::fromStdString(field->GetDisplayName()),
                                              data.Text(), height(), marks);
                return;
            }
        }
        FHintManager->SetNoHint(FGrid);
    });
}

void TZelmarWindow::StringGridSelectCell(int column, int row) {
    GuardedVoid("TZelmarWindow.StringGridSelectCell", [&] {
        if (FEditing) EndEditString(FGrid->EditorText(), false);
        FSelectedCol = column;
        FSelectedRow = row;
        NewSelected(column, row);
    });
}

bool TZelmarWindow::StringGridGetEditText(int column, int row, QString& text) {
    return Guarded("TZelmarWindow.StringGridGetEditText", false, [&] {
        if (FSaving) return false;
        TZelmarField* field = nullptr;
        TZelmarSDFileData* record = nullptr;
        if (row == FGrid->RowCount() - 1) {
            if (!IsIdle()) return false;
            if (FList->CreateSDFileData(false) == nullptr) return false;
            field = FCells->GetFieldForGridColumn(column);
            record = FList->GetSDFileData(FList->GetCount() - 1);
            if (field == nullptr || !field->IsEditable()) {
                UpdateAfterNewOrDeleteRecord();
                return false;
            }
            FEditCreatedRecord = true;
            InitNewSDFileData(record);
            UpdateAfterNewOrDeleteRecord();
            FSelectedCol = column;
            FSelectedRow = row;
            NewSelected(column, row);
        } else {
            FEditCreatedRecord = false;
            field = FCells->GetFieldForGridColumn(column);
            record = FCells->GetRecordForGridRow(row);
            if (field == nullptr || record == nullptr) return false;
            // The edit always writes to the cell it starts in, whatever happened to the
            // records and fields since the transaction was last pointed.
            NewSelected(column, row);
        }
        if (!IsIdle() || !field->IsEditable()) return false;
        NoteEditStart(record, field);
        if (field->Kind == ecsdtChemistry) {
            ChemistryEditStarted();
            return false;
        }
        FEditing = true;
        TZelmarDataCarrier data;
        record->GetDataForField(field, &data);
        text = TextFromBytes(data.Text());
        FEditAsWindows1252 = ValuesAreWindows1252();
        if (OnChangeExternalData)
            OnChangeExternalData(this, data.Text(), false, false, false, true);
        return true;
    });
}

void TZelmarWindow::NewEditString(const QString& text) {
    GuardedVoid("TZelmarWindow.NewEditString", [&] {
        if (FEditing && OnChangeExternalData)
            OnChangeExternalData(this, BytesFromText(text, FEditAsWindows1252), false, false, false,
                                 false);
    });
}

void TZelmarWindow::EndEditString(const QString& text, bool abort) {
    GuardedVoid("TZelmarWindow.EndEditString", [&] {
        if (!FEditing) return;
        FEditing = false;
        if (!OnChangeExternalData) return;
        const std::string bytes = BytesFromText(text, FEditAsWindows1252);
        if (abort || FEscapeInGrid) {
            OnChangeExternalData(this, bytes, false, true, false, false);
        } else {
            OnChangeExternalData(this, bytes, false, false, true, false);
        }
    });
}

void TZelmarWindow::ChemistryEditStarted() {
    GuardedVoid("TZelmarWindow.ChemistryEditStarted", [&] {
        if (OnChangeExternalData) OnChangeExternalData(this, "", true, false, false, false);
    });
}

bool TZelmarWindow::ValuesAreWindows1252() {
    // Once found, a Windows-1252 file stays one; a UTF-8 answer holds until records come or go.
    if (FValuesAreWindows1252 || FValuesEncodingKnown) return FValuesAreWindows1252;
    FValuesAreWindows1252 = FList->HasWindows1252Text();
    FValuesEncodingKnown = !FLoading && !FIndexing;
    return FValuesAreWindows1252;
}

void TZelmarWindow::ForgetValuesEncoding() {
    FValuesEncodingKnown = false;
}

void TZelmarWindow::GridKeyPress(int key) {
    const bool escape = key == Qt::Key_Escape;
    FEscapeInGrid = FEscapePressed = escape;
}
