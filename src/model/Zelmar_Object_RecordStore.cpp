#include "Zelmar_Object_RecordStore.h"

#include <algorithm>
#include <string>
#include <utility>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SDFileData_Internal.h"

namespace {

bool Untried(const TZelmarSDFileData* record) {
    return record != nullptr && !record->IsLoaded() && record->LoadError.empty();
}

}  // namespace

TZelmarRecordStore::TZelmarRecordStore() = default;

TZelmarRecordStore::~TZelmarRecordStore() = default;

int TZelmarRecordStore::IndexOf(const TZelmarSDFileData* record) const {
    return FRecords.IndexOfObject(record);
}

TZelmarSDFileData* TZelmarRecordStore::Fetch(int index, int* count) {
    sdfiledata_internal::TTracedLock lock(FCriticalSection, "TZelmarSDFileDataList.GetSDFileData",
                                          sdfiledata_internal::kCriticalSection);
    if (count != nullptr) *count = FRecords.GetCount();
    TZelmarSDFileData* record = FRecords.GetObject(index);
    if (Untried(record) && FReader) FReader(*record);
    return record;
}

void TZelmarRecordStore::FetchRange(int first, int count, std::vector<TZelmarSDFileData*>& out) {
    out.assign(static_cast<std::size_t>(std::max(count, 0)), nullptr);
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    // After a sort the records lie in memory in another order than in the list: fetching a
    // few ahead keeps the processor from waiting for each one.
    constexpr int kAhead = 16;
    for (int k = 0; k < count; ++k) {
        if (k + kAhead < count) __builtin_prefetch(FRecords.GetObject(first + k + kAhead));
        TZelmarSDFileData* record = FRecords.GetObject(first + k);
        if (Untried(record) && FReader) FReader(*record);
        out[static_cast<std::size_t>(k)] = record;
    }
}

TZelmarSDFileData* TZelmarRecordStore::Append(std::unique_ptr<TZelmarSDFileData> record) {
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    ++FGeneration;
    TZelmarSDFileData* result = record.get();
    FRecords.AddOwnedObject(std::string(), std::move(record));
    return result;
}

TZelmarSDFileData* TZelmarRecordStore::AppendNew(bool lazy) {
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    return Append(std::make_unique<TZelmarSDFileData>(lazy, Count()));
}

bool TZelmarRecordStore::AppendCopy(const TZelmarSDFileData* source) {
    if (source == nullptr) return false;
    auto copy = std::make_unique<TZelmarSDFileData>(false);
    copy->Assign(source);
    Append(std::move(copy));
    return true;
}

void TZelmarRecordStore::ReplaceWithEntries(int count) {
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    ++FGeneration;
    FRecords.Clear();
    try {
        FRecords.Reserve(count);
        for (int entryNo = 0; entryNo < count; ++entryNo)
            FRecords.AddOwnedObject(std::string(),
                                    std::make_unique<TZelmarSDFileData>(true, entryNo));
    } catch (...) {
        FRecords.Clear();
        throw;
    }
}

bool TZelmarRecordStore::Delete(const TZelmarSDFileData* record) {
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    const int index = FRecords.IndexOfObject(record);
    if (index < 0) return false;
    ++FGeneration;
    FRecords.Delete(index);
    return true;
}

void TZelmarRecordStore::Remove(const TRecordSet& records) {
    if (records.empty()) return;
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    ++FGeneration;
    FRecords.RemoveIf([&](const auto& item) { return records.count(item.Object) != 0; });
}

TZelmarRecordStore::TTaken TZelmarRecordStore::Take(const TRecordSet& records) {
    if (records.empty()) return {};
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    ++FGeneration;
    return FRecords.TakeIf([&](const auto& item) { return records.count(item.Object) != 0; });
}

void TZelmarRecordStore::PutBack(TTaken records) {
    if (records.empty()) return;
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    ++FGeneration;
    FRecords.PutBack(std::move(records));
}

void TZelmarRecordStore::Clear() {
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    ++FGeneration;
    FRecords.Clear();
}

void TZelmarRecordStore::Reorder(const std::vector<int>& order) {
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    const std::size_t sorted = order.size();
    if (sorted > static_cast<std::size_t>(FRecords.GetCount())) return;
    ++FGeneration;
    using TItem = TZelmarStringList<TZelmarSDFileData>::TItem;
    std::vector<TItem> moved;
    moved.reserve(sorted);
    auto first = FRecords.begin();
    // The items are read in the new order, all over the list: asked for a few ahead.
    constexpr std::size_t kAhead = 16;
    for (std::size_t k = 0; k < sorted; ++k) {
        if (k + kAhead < sorted) __builtin_prefetch(&first[order[k + kAhead]]);
        moved.push_back(std::move(first[order[k]]));
    }
    std::move(moved.begin(), moved.end(), first);
}

TZelmarRecordStore::TRecordSet TZelmarRecordStore::Unselected() const {
    // The check mark is the record's own: nothing needs to be read from the file for it.
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    TRecordSet unselected;
    for (const auto& item : FRecords) {
        if (!item.Object->Selected) unselected.insert(item.Object);
    }
    return unselected;
}

bool TZelmarRecordStore::EveryRecordTried() const {
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    for (const auto& item : FRecords) {
        if (Untried(item.Object) && item.Object->EntryNo() >= 0) return false;
    }
    return true;
}

void TZelmarRecordStore::ForEach(
    const std::function<bool(const TZelmarSDFileData& record)>& visit) const {
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    for (const auto& item : FRecords) {
        if (!visit(*item.Object)) return;
    }
}
