#pragma once
// What a sheet's grid cell shows, answered from the record list: grid row r > 0 is the record
// at r - 1, grid column k > 0 the visible field at k - 1; row 0 holds the captions and column 0
// the row numbers. Written once and shared by the sheet window, the benchmark and the tests.

#include <QColor>
#include <QRect>
#include <functional>
#include <string>
#include <unordered_map>

#include "Zelmar_Object_DataPainter.h"

class QPainter;
class TZelmarSDFileDataList;
class TZelmarSDFileData;
class TZelmarField;

class TZelmarSheetCells {
public:
    explicit TZelmarSheetCells(TZelmarSDFileDataList* list) : List(list) {}

    // Connects the painter's data and background events to this sheet.
    void Wire(TZelmarDataPainter& painter);

    // The visible field shown in a grid column; none for column 0 and past the last.
    TZelmarField* GetFieldForGridColumn(int column) const;
    // The record shown in a grid row; none for row 0 and the new-record row.
    TZelmarSDFileData* GetRecordForGridRow(int row) const;
    // Empty for a fixed field, otherwise the field's display name.
    std::string GetFieldName(int column) const;

    // The sort arrow of a column's caption: the direction of the last sort (1 ascending,
    // 2 descending) on the column's field while that order can still hold, else 0. Records
    // added or removed, or another field list, end it. NoteSort after each successful sort.
    int SortMarkForGridColumn(int column) const;
    void NoteSort();

    bool HandleOnGetData(int row, int column, TZelmarDataCarrier& data) const;
    bool HandleOnGetBgColor(int row, int column, QColor& color, TZelmarGridDrawState state) const;
    bool HandleOnPaintSpecialBackground(TZelmarDataPainter* painter, QPainter& canvas,
                                        const QRect& rect, const QColor& color, int column,
                                        int row) const;

    // Groups of a duplicate search's result (record -> group number): the records of every
    // second group get a shaded background, so one sees where a group ends. Records that
    // leave the list must leave the groups too (ForgetGoneRecords).
    void SetRecordGroups(std::unordered_map<const TZelmarSDFileData*, int> groups);
    void ForgetGoneRecords();
    bool HasRecordGroups() const { return !Groups.empty(); }
    static QColor GroupShade() { return QColor(226, 236, 248); }

    // An identifier cell of the grid row was painted before its value was made.
    std::function<void(int row)> OnIdentifierMissing;

    TZelmarSDFileDataList* const List;
    // The grid's column count, for the rounded right corner of the caption row.
    int ColumnCount = 0;

private:
    std::unordered_map<const TZelmarSDFileData*, int> Groups;
    // The list's sort state when it was last noted; the field is compared, never used.
    const TZelmarField* SortedField = nullptr;
    int SortedDirection = 0;
    int SortedCount = -1;
};
