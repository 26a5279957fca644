#pragma once
// A sheet's records in their order and the record lock (CriticalSection) around them. Every
// change of the records' order or number, and every reading of a record on demand, happens
// under that lock, so that the loader thread never sees the list half changed. Records
// remember their file entry number, so reordering while records are still unread reads the
// right ones. The store knows no files and no threads: reading a record is its reader's work.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

#include "Zelmar_Object_StringList.h"

class TZelmarSDFileData;

class TZelmarRecordStore {
public:
    // Reads a record that has been neither loaded nor failed yet; runs under the record lock.
    using TReader = std::function<void(TZelmarSDFileData& record)>;
    using TRecordSet = std::unordered_set<const TZelmarSDFileData*>;

    TZelmarRecordStore();
    ~TZelmarRecordStore();
    TZelmarRecordStore(const TZelmarRecordStore&) = delete;
    TZelmarRecordStore& operator=(const TZelmarRecordStore&) = delete;

    // Set before any thread reaches the store.
    void SetReader(TReader reader) { FReader = std::move(reader); }
    // For operations that span several calls (saving a record, changing fields). The field
    // lock, when needed too, is taken after this one.
    std::recursive_mutex& CriticalSection() const { return FCriticalSection; }

    int Count() const { return FRecords.GetCount(); }
    // Null outside 0..count-1. Neither reads nor locks: hold the lock while the list may change.
    TZelmarSDFileData* At(int index) const { return FRecords.GetObject(index); }
    int IndexOf(const TZelmarSDFileData* record) const;
    // The record at index, read first when it has not been tried; null outside 0..count-1.
    // count, when given, receives the record count seen under the same lock.
    TZelmarSDFileData* Fetch(int index, int* count = nullptr);
    // The records at first..first+count-1 the same way (null outside), under one lock.
    void FetchRange(int first, int count, std::vector<TZelmarSDFileData*>& out);

    TZelmarSDFileData* Append(std::unique_ptr<TZelmarSDFileData> record);
    // A new record at the end; a lazy one stands for the file entry at its position.
    TZelmarSDFileData* AppendNew(bool lazy);
    // A loaded copy of the source at the end; false for a null source.
    bool AppendCopy(const TZelmarSDFileData* source);
    // Every record replaced by lazy records for the entries 0..count-1; on failure the store
    // is left empty.
    void ReplaceWithEntries(int count);
    // False when the record is not in the store.
    bool Delete(const TZelmarSDFileData* record);
    // Removes the records of the set in one pass: sheets have 100 000 rows.
    void Remove(const TRecordSet& records);
    // Records taken out of the store, still alive, each with the position it had.
    using TTaken = std::vector<std::pair<int, TZelmarStringList<TZelmarSDFileData>::TItem>>;
    // Removes the records of the set in one pass and hands them over.
    TTaken Take(const TRecordSet& records);
    // Puts taken records back where they were (when nothing else changed since).
    void PutBack(TTaken records);
    void Clear();
    // The k-th record becomes the one that was at order[k] (order: the positions
    // 0..order.size()-1 in some order). Records beyond order.size() stay behind them. An order
    // longer than the store changes nothing.
    void Reorder(const std::vector<int>& order);

    // Counts every change of the records' order or number: who keeps positions of the store
    // knows by it when they are out of date. Read under the lock.
    std::uint64_t Generation() const { return FGeneration; }

    TRecordSet Unselected() const;
    // No record is left that is neither loaded nor failed and could still be read from a file.
    bool EveryRecordTried() const;
    // Visits the records in order under the lock while visit answers true.
    void ForEach(const std::function<bool(const TZelmarSDFileData& record)>& visit) const;

private:
    mutable std::recursive_mutex FCriticalSection;
    TZelmarStringList<TZelmarSDFileData> FRecords;
    TReader FReader;
    std::uint64_t FGeneration = 0;
};
