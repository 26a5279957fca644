// The record list's sorting face, and what its collaborators see of it: the sorting itself is
// TZelmarSorter's.
#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"

int TZelmarSDFileDataList::TRecordAccess::RecordCount() {
    return FList.GetCount();
}

void TZelmarSDFileDataList::TRecordAccess::RecordsAt(int first, int count,
                                                     std::vector<TZelmarSDFileData*>& out) {
    out.assign(static_cast<std::size_t>(std::max(count, 0)), nullptr);
    std::lock_guard<std::recursive_mutex> lock(FList.FCriticalSection);
    // After a sort the records lie in memory in another order than in the list: fetching a
    // few ahead keeps the processor from waiting for each one.
    constexpr int kAhead = 16;
    for (int k = 0; k < count; ++k) {
        if (k + kAhead < count) __builtin_prefetch(FList.FRecords.GetObject(first + k + kAhead));
        TZelmarSDFileData* record = FList.FRecords.GetObject(first + k);
        if (record != nullptr && !record->IsLoaded() && record->LoadError.empty())
            FList.LoadEntryData(first + k, record);
        out[static_cast<std::size_t>(k)] = record;
    }
}

void TZelmarSDFileDataList::TRecordAccess::ReorderRecords(const std::vector<int>& order) {
    std::lock_guard<std::recursive_mutex> lock(FList.FCriticalSection);
    auto& records = FList.FRecords;
    const std::size_t sorted = order.size();
    if (sorted > static_cast<std::size_t>(records.GetCount())) return;
    using TItem = TZelmarStringList<TZelmarSDFileData>::TItem;
    std::vector<TItem> moved;
    moved.reserve(sorted);
    auto first = records.begin();
    // The items are read in the new order, all over the list: asked for a few ahead.
    constexpr std::size_t kAhead = 16;
    for (std::size_t k = 0; k < sorted; ++k) {
        if (k + kAhead < sorted) __builtin_prefetch(&first[order[k + kAhead]]);
        moved.push_back(std::move(first[order[k]]));
    }
    std::move(moved.begin(), moved.end(), first);
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
