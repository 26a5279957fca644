#include "Zelmar_SheetCells.h"

#include <QGuiApplication>
#include <QPalette>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_RecordIdentifiers.h"
#include "vesk_Guard.h"

void TZelmarSheetCells::Wire(TZelmarDataPainter& painter) {
    painter.OnGetData = [this](TZelmarDataPainter*, int row, int column, TZelmarDataCarrier& data) {
        return HandleOnGetData(row, column, data);
    };
    painter.OnGetBgColor = [this](TZelmarDataPainter*, int row, int column, QColor& color,
                                  TZelmarGridDrawState state) {
        return HandleOnGetBgColor(row, column, color, state);
    };
    painter.OnPaintSpecialBackground = [this](TZelmarDataPainter* sender, QPainter& canvas,
                                              const QRect& rect, const QColor& color, int column,
                                              int row) {
        return HandleOnPaintSpecialBackground(sender, canvas, rect, color, column, row);
    };
    painter.OnIsNumberColumn = [this](int column) {
        const TZelmarField* field = GetFieldForGridColumn(column);
        return field != nullptr && field->IsNumericData();
    };
}

TZelmarField* TZelmarSheetCells::GetFieldForGridColumn(int column) const {
    return Guarded<TZelmarField*>("TZelmarWindow.GetFieldForGridColumn", nullptr, [&] {
        if (List == nullptr || column < 1) return static_cast<TZelmarField*>(nullptr);
        return List->GetVisibleField(column - 1);
    });
}

TZelmarSDFileData* TZelmarSheetCells::GetRecordForGridRow(int row) const {
    return Guarded<TZelmarSDFileData*>("TZelmarWindow.GetSelectedData", nullptr, [&] {
        const int index = List != nullptr && row > 0 ? List->Rows().ListIndex(row - 1) : -1;
        if (index < 0) return static_cast<TZelmarSDFileData*>(nullptr);
        return List->GetSDFileData(index);
    });
}

std::string TZelmarSheetCells::GetFieldName(int column) const {
    return Guarded<std::string>("TZelmarWindow.GetFieldName", std::string(), [&] {
        const TZelmarField* field = GetFieldForGridColumn(column);
        if (field == nullptr || field->Fixed) return std::string();
        return field->GetDisplayName();
    });
}

int TZelmarSheetCells::SortMarkForGridColumn(int column) const {
    return Guarded("TZelmarWindow.SortMarkForGridColumn", 0, [&] {
        if (List == nullptr || List->SortField == nullptr) return 0;
        // SetNewFields hands the sort field over to the new list: the noted one is then gone.
        if (List->SortField != SortedField || List->SortDirection != SortedDirection ||
            List->GetCount() != SortedCount)
            return 0;
        return GetFieldForGridColumn(column) == SortedField ? SortedDirection : 0;
    });
}

void TZelmarSheetCells::NoteSort() {
    if (List == nullptr) return;
    SortedField = List->SortField;
    SortedDirection = List->SortDirection;
    SortedCount = List->GetCount();
}

bool TZelmarSheetCells::HandleOnGetData(int row, int column, TZelmarDataCarrier& data) const {
    return Guarded("TZelmarWindow.HandleOnGetData", false, [&] {
        if (row == 0 && column == 0) return false;
        if (column == 0) {
            data.SetKind(ecsdtDataText);
            data.SetText(std::to_string(row));
            return true;
        }
        if (row == 0) {
            data.SetKind(ecsdtDataText);
            data.SetText(GetFieldName(column));
            return true;
        }
        TZelmarField* field = GetFieldForGridColumn(column);
        TZelmarSDFileData* record = field != nullptr ? GetRecordForGridRow(row) : nullptr;
        if (record == nullptr) return false;
        if (ZelmarIsIdentifierKind(field->Kind)) {
            // Never made while painting: an empty carrier until the background has made it.
            data.SetKind(field->Kind);
            std::string value;
            if (ZelmarKeptIdentifier(*record, field->Kind, value))
                data.SetText(std::move(value));
            else if (OnIdentifierMissing)
                OnIdentifierMissing(row);
            return true;
        }
        return record->GetDataForField(field, &data);
    });
}

bool TZelmarSheetCells::HandleOnGetBgColor(int row, int column, QColor& color,
                                           TZelmarGridDrawState state) const {
    return Guarded("TZelmarWindow.HandleOnGetBgColor", true, [&] {
        const QPalette palette = QGuiApplication::palette();
        color = (row != 0 && column != 0) ? QColor(245, 245, 245) : palette.color(QPalette::Button);
        if (row != 0 && column != 0 && !Groups.empty()) {
            const auto group = Groups.find(GetRecordForGridRow(row));
            if (group != Groups.end() && group->second % 2 == 0) color = GroupShade();
        }
        if ((state & gdSelected) != 0) color = palette.color(QPalette::Highlight);
        return true;
    });
}

void TZelmarSheetCells::SetRecordGroups(std::unordered_map<const TZelmarSDFileData*, int> groups) {
    Groups = std::move(groups);
}

void TZelmarSheetCells::ForgetGoneRecords() {
    if (Groups.empty() || List == nullptr) return;
    std::unordered_map<const TZelmarSDFileData*, int> kept;
    for (int i = 0; i < List->GetCount(); ++i) {
        const auto group = Groups.find(List->GetSDFileData(i));
        if (group != Groups.end()) kept.insert(*group);
    }
    Groups = std::move(kept);
}

bool TZelmarSheetCells::HandleOnPaintSpecialBackground(TZelmarDataPainter* painter,
                                                       QPainter& canvas, const QRect& rect,
                                                       const QColor& color, int column,
                                                       int row) const {
    return Guarded("TZelmarWindow.HandleOnPaintSpecialBackground", false, [&] {
        if (row != 0 || painter == nullptr) return false;
        if (column == 0) {
            painter->PaintLeftEcke(&canvas, rect, color);
            return true;
        }
        if (column == ColumnCount - 1) {
            painter->PaintRightEcke(&canvas, rect.adjusted(0, 0, 1, 0), color);
            return true;
        }
        return false;
    });
}
