// The record list's sorting face, and what its collaborators see of it: the sorting itself is
// TZelmarSorter's.
#include <vector>

#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"

int TZelmarSDFileDataList::TRecordAccess::RecordCount() {
    return FList.GetCount();
}

void TZelmarSDFileDataList::TRecordAccess::RecordsAt(int first, int count,
                                                     std::vector<TZelmarSDFileData*>& out) {
    FList.FStore->FetchRange(first, count, out);
}

void TZelmarSDFileDataList::TRecordAccess::ReorderRecords(const std::vector<int>& order) {
    FList.FStore->Reorder(order);
}

bool TZelmarSDFileDataList::TRecordAccess::SortProgress(int percent) {
    return !FList.OnSortProgress || FList.OnSortProgress(&FList, percent);
}

bool TZelmarSDFileDataList::TRecordAccess::SearchProgress(int percent) {
    return !FList.OnSearchProgress || FList.OnSearchProgress(&FList, percent);
}

bool TZelmarSDFileDataList::SortForField(TZelmarField* field, std::uint8_t direction) {
    if (field == nullptr || !field->IsSortable() || direction > 2) return false;
    return Guarded("TZelmarSDFileDataList.SortForField", false, [&] {
        std::uint8_t newDirection = direction;
        if (newDirection == 0) newDirection = (field == SortField && SortDirection == 1) ? 2 : 1;
        if (OnStartSort) OnStartSort(this);
        const bool sorted = FSorter.Sort(field, newDirection == 2);
        if (sorted) {
            SortDirection = newDirection;
            SortField = field;
        }
        if (OnEndSort) OnEndSort(this);
        return sorted;
    });
}
