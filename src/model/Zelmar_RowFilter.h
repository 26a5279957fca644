#pragma once
// A sheet narrowed in place: which records its rows show while a filter is on, and how the
// filter bar's text reads as a query. The rows are the records the filter has not put aside,
// in the list's order; records that come into the list while it is narrowed (typed, pasted,
// brought back by undo) are shown. The list keeps every record, so sorting, searching and
// saving see them all. The mark is the record's own, so nothing here outlives a record.
// Qt-free; UI thread.

#include <cstdint>
#include <string>
#include <vector>

#include "Zelmar_Object_Fields.h"
#include "Zelmar_Object_RecordStore.h"

// What the user typed into the filter bar, as a query for the search engine.
struct TZelmarFilterQuery {
    TZelmarFieldKind Kind = ecsdtNone;  // ecsdtMolweight: compared as a number
    std::string Text;
    double From = 0.0;
    double To = 0.0;
    int Options = 0;  // TZelmarSearchOption
};

// For a field of numbers: "<5", "<=5", ">2,5", ">=2.5", "=7" or "7", "1..10" (both ends
// included) compare as numbers, with a point or the given decimal separator. Any other text,
// and every text for a field of texts (kind: ecsdtDataText or ecsdtFormula), is looked for as
// contained text, case ignored. False for an empty text, and for a weight field when the text
// is not a number query.
bool ZelmarParseFilterQuery(const std::string& typed, TZelmarFieldKind kind, bool numbers,
                            char decimalSeparator, TZelmarFilterQuery& query);

class TZelmarRowFilter {
public:
    explicit TZelmarRowFilter(TZelmarRecordStore& store) : FStore(store) {}

    bool Active() const { return FActive; }
    // The rows show only the records of the set (and those that come later).
    void ShowOnly(const TZelmarRecordStore::TRecordSet& shown);
    // Every record is shown again.
    void Clear();

    // How many rows there are: all records while no filter is on.
    int RowCount();
    // The list position of the record in a row; -1 outside 0..RowCount()-1.
    int ListIndex(int row);
    // The row that shows the record at a list position; -1 when it is put aside or outside.
    int RowOfListIndex(int index);

private:
    // The rows again after the store changed its order or number.
    void Update();

    TZelmarRecordStore& FStore;
    bool FActive = false;
    std::uint64_t FGeneration = 0;
    bool FCurrent = false;
    std::vector<int> FPositions;
};
