#include "Zelmar_Object_SDFileData.h"

#include <unordered_set>
#include <utility>

#include "Zelmar_Object_IndexingThread.h"
#include "Zelmar_Object_LoaderThread.h"
#include "Zelmar_Object_SDFileData_Internal.h"
#include "vesk_Dispatcher.h"
#include "vesk_Guard.h"
#include "vesk_MulDiv.h"
#include "vesk_Trace.h"

namespace {

constexpr const char* kCriticalSection = "CriticalSection";
constexpr const char* kCritSectFields = "CritSectFields";

// Holds one of the list's two locks for a scope; every acquisition and release is traced
// under the operation's name, so that lock waits can be read from the trace.
class TTracedLock {
public:
    TTracedLock(std::recursive_mutex& mutex, const char* source, const char* lockName)
        : FMutex(mutex), FSource(source), FLockName(lockName) {
        TraceMessage(FSource, tlSuccess, "Entering %s", FLockName);
        FMutex.lock();
        TraceMessage(FSource, tlSuccess, "%s Entered", FLockName);
    }
    ~TTracedLock() {
        TraceMessage(FSource, tlSuccess, "Leaving %s", FLockName);
        FMutex.unlock();
        TraceMessage(FSource, tlSuccess, "%s Leaved", FLockName);
    }
    TTracedLock(const TTracedLock&) = delete;
    TTracedLock& operator=(const TTracedLock&) = delete;

private:
    std::recursive_mutex& FMutex;
    const char* FSource;
    const char* FLockName;
};

}  // namespace

// ---- TZelmarSDFileDataList: life ----------------------------------------------------------

TZelmarSDFileDataList::TZelmarSDFileDataList(
    platform::TUiDispatcher* dispatcher, TNotifyEvent onStartLoadData, TNotifyEvent onEndLoadData,
    TProgressEvent onLoadDataProgress, TNotifyEvent onStartIndexing, TNotifyEvent onEndIndexing,
    TProgressEvent onIndexingProgress)
    : OnStartLoadData(std::move(onStartLoadData)),
      OnEndLoadData(std::move(onEndLoadData)),
      OnLoadDataProgress(std::move(onLoadDataProgress)),
      OnStartIndexing(std::move(onStartIndexing)),
      OnEndIndexing(std::move(onEndIndexing)),
      OnIndexingProgress(std::move(onIndexingProgress)),
      FDispatcher(dispatcher),
      FManager(std::make_unique<TveskSDFileManager>()),
      FFields(std::make_unique<TZelmarFieldList>()),
      FLoaderThread(std::make_unique<TZelmarLoaderThread>(dispatcher)),
      FIndexingThread(std::make_unique<TZelmarIndexingThread>(dispatcher)) {
    FFields->CreateDefaultFields();
}

TZelmarSDFileDataList::~TZelmarSDFileDataList() {
    // First: an end notification that runs now in another thread finishes before we go on,
    // one that comes later finds the list gone.
    FLifetime.Revoke();
    TerminateLoaderThread();
    TerminateIndexingThread();
    Clear();
    FLoadErrors.Clear();
    FRecords.Clear();
    FLoaderThread.reset();
    FIndexingThread.reset();
    FManager.reset();
    FFields.reset();
}

// ---- records ------------------------------------------------------------------------------

int TZelmarSDFileDataList::GetCount() const {
    return FRecords.GetCount();
}

TZelmarSDFileData* TZelmarSDFileDataList::FetchRecord(int index, int* count) {
    TTracedLock lock(FCriticalSection, "TZelmarSDFileDataList.GetSDFileData", kCriticalSection);
    if (count != nullptr) *count = FRecords.GetCount();
    TZelmarSDFileData* record = FRecords.GetObject(index);
    if (record != nullptr && !record->IsLoaded() && record->LoadError.empty())
        LoadEntryData(index, record);
    return record;
}

TZelmarSDFileData* TZelmarSDFileDataList::GetSDFileData(int index) {
    return Guarded("TZelmarSDFileDataList.GetSDFileData", static_cast<TZelmarSDFileData*>(nullptr),
                   [&] {
                       TZelmarSDFileData* record = FetchRecord(index, nullptr);
                       AnnounceFieldListChanges();
                       return record;
                   });
}

int TZelmarSDFileDataList::GetIndexOfSDFileData(const TZelmarSDFileData* record) const {
    return Guarded("TZelmarSDFileDataList.GetIndexOfSDFileData", -1,
                   [&] { return FRecords.IndexOfObject(record); });
}

int TZelmarSDFileDataList::GetLoadedCount() {
    int count = 0;
    GuardedVoid("TZelmarSDFileDataList.GetLoadedCount", [&] {
        for (int index = 0;; ++index) {
            const TZelmarSDFileData* record = GetSDFileData(index);
            if (record == nullptr) break;
            if (record->IsLoaded()) ++count;
        }
    });
    return count;
}

TZelmarSDFileData* TZelmarSDFileDataList::AppendRecord(std::unique_ptr<TZelmarSDFileData> record) {
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    TZelmarSDFileData* result = record.get();
    FRecords.AddOwnedObject(std::string(), std::move(record));
    return result;
}

TZelmarSDFileData* TZelmarSDFileDataList::CreateSDFileData(bool lazy) {
    return Guarded("TZelmarSDFileDataList.CreateSDFileData",
                   static_cast<TZelmarSDFileData*>(nullptr), [&] {
                       std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
                       // A lazy record stands for the file entry at its position.
                       return AppendRecord(std::make_unique<TZelmarSDFileData>(lazy, GetCount()));
                   });
}

void TZelmarSDFileDataList::DeleteSDFileData(TZelmarSDFileData* record) {
    GuardedVoid("TZelmarSDFileDataList.DeleteSDFileData", [&] {
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        const int index = FRecords.IndexOfObject(record);
        if (index < 0) return;
        const int errorIndex = FLoadErrors.IndexOfObject(record);
        if (errorIndex >= 0) FLoadErrors.Delete(errorIndex);
        FRecords.Delete(index);
    });
}

void TZelmarSDFileDataList::ClearRecords() {
    std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
    FLoadErrors.Clear();
    FRecords.Clear();
}

void TZelmarSDFileDataList::Clear() {
    GuardedVoid("TZelmarSDFileDataList.Clear", [&] { ClearRecords(); });
}

void TZelmarSDFileDataList::SelectAll() {
    GuardedVoid("TZelmarSDFileDataList.SelectAll", [&] {
        for (int index = 0;; ++index) {
            TZelmarSDFileData* record = GetSDFileData(index);
            if (record == nullptr) break;
            record->Selected = true;
        }
    });
}

void TZelmarSDFileDataList::UnselectAll() {
    GuardedVoid("TZelmarSDFileDataList.UnselectAll", [&] {
        for (int index = 0;; ++index) {
            TZelmarSDFileData* record = GetSDFileData(index);
            if (record == nullptr) break;
            record->Selected = false;
        }
    });
}

void TZelmarSDFileDataList::DeleteUnselected() {
    GuardedVoid("TZelmarSDFileDataList.DeleteUnselected", [&] {
        // The check mark is the record's own: nothing needs to be read from the file for it.
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        std::unordered_set<const TZelmarSDFileData*> unselected;
        for (const auto& item : FRecords) {
            if (!item.Object->Selected) unselected.insert(item.Object);
        }
        if (unselected.empty()) return;
        // One pass instead of one erase per record: sheets have 100 000 rows.
        auto listed = [&](const auto& item) { return unselected.count(item.Object) != 0; };
        FLoadErrors.RemoveIf(listed);
        FRecords.RemoveIf(listed);
    });
}

bool TZelmarSDFileDataList::HasLoadErrors() const {
    return FLoadFinished && !FLoadErrors.IsEmpty();
}

const TZelmarRecordRefs* TZelmarSDFileDataList::GetLoadErrors() const {
    return FLoadFinished ? &FLoadErrors : nullptr;
}

void TZelmarSDFileDataList::DeleteFromLoadErrors(TZelmarSDFileData* record) {
    GuardedVoid("TZelmarSDFileDataList.DeleteFromLoadErrors", [&] {
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        const int index = FLoadErrors.IndexOfObject(record);
        if (index >= 0) FLoadErrors.Delete(index);
    });
}

void TZelmarSDFileDataList::DeleteLoadErrors() {
    GuardedVoid("TZelmarSDFileDataList.DeleteLoadErrors", [&] {
        if (!HasLoadErrors()) return;
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        std::unordered_set<const TZelmarSDFileData*> failed;
        for (const auto& item : FLoadErrors) failed.insert(item.Object);
        FRecords.RemoveIf([&](const auto& item) { return failed.count(item.Object) != 0; });
        FLoadErrors.Clear();
    });
}

bool TZelmarSDFileDataList::DeleteData(const TZelmarField* field) {
    return Guarded("TZelmarSDFileDataList.DeleteData", false, [&] {
        if (field == nullptr) return false;
        // An empty sheet has nothing to delete: that is a success, or field edits on an
        // empty sheet could never be applied.
        bool result = true;
        for (int index = 0; result; ++index) {
            TZelmarSDFileData* record = GetSDFileData(index);
            if (record == nullptr) break;
            result = record->DeleteData(field);
        }
        return result;
    });
}

bool TZelmarSDFileDataList::RenameData(const TZelmarField* field) {
    return Guarded("TZelmarSDFileDataList.RenameData", false, [&] {
        if (field == nullptr) return false;
        bool result = true;  // as DeleteData: an empty sheet is no failure
        for (int index = 0; result; ++index) {
            TZelmarSDFileData* record = GetSDFileData(index);
            if (record == nullptr) break;
            result = record->RenameData(field);
        }
        return result;
    });
}

bool TZelmarSDFileDataList::VerifyAllLoaded(const TVerifyProgress& progress) {
    return Guarded("TZelmarSDFileDataList.VerifyAllLoaded", false, [&] {
        for (int index = 0; index < GetCount(); ++index) {
            if (progress && !progress(this, index, GetCount())) return false;
            GetSDFileData(index);
        }
        return true;
    });
}

// ---- copies -------------------------------------------------------------------------------

bool TZelmarSDFileDataList::AppendCopy(const TZelmarSDFileData* source) {
    if (source == nullptr) return false;
    auto copy = std::make_unique<TZelmarSDFileData>(false);
    copy->Assign(source);
    AppendRecord(std::move(copy));
    return true;
}

bool TZelmarSDFileDataList::GetCopyAsStringList(TZelmarStringList<TZelmarSDFileData>& target) {
    return Guarded("TZelmarSDFileDataList.GetCopyAsStringList", false, [&] {
        for (int index = 0;; ++index) {
            const TZelmarSDFileData* record = GetSDFileData(index);
            if (record == nullptr) break;
            auto copy = std::make_unique<TZelmarSDFileData>(false);
            copy->Assign(record);
            target.AddOwnedObject(std::string(), std::move(copy));
        }
        return true;
    });
}

void TZelmarSDFileDataList::Assign(TZelmarSDFileDataList* other) {
    constexpr const char* kSource = "TZelmarSDFileDataList.Assign";
    GuardedVoid(kSource, [&] {
        if (other == this) return;
        GuardedVoid(kSource, [&] {
            Clear();
            if (other == nullptr) return;
            for (int index = 0;; ++index)
                if (!AppendCopy(other->GetSDFileData(index))) break;
        });
        InitFieldNamesFromData();
    });
}

void TZelmarSDFileDataList::Assign(const TZelmarRecordRefs& records) {
    constexpr const char* kSource = "TZelmarSDFileDataList.Assign";
    GuardedVoid(kSource, [&] {
        GuardedVoid(kSource, [&] {
            Clear();
            for (const auto& item : records) AppendCopy(item.Object);
        });
        InitFieldNamesFromData();
    });
}

bool TZelmarSDFileDataList::Add(TZelmarSDFileDataList* other) {
    return Guarded("TZelmarSDFileDataList.Add", false, [&] {
        const bool result = Guarded("TZelmarSDFileDataList.Add", false, [&] {
            if (other == nullptr || other == this) return false;
            const int count = other->GetCount();
            for (int index = 0; index < count; ++index) {
                if (OnMixProgress && !OnMixProgress(this, index, count)) return false;
                AppendCopy(other->GetSDFileData(index));
            }
            return true;
        });
        InitFieldNamesFromData();
        return result;
    });
}

void TZelmarSDFileDataList::AddNewItemsFromList(const TZelmarRecordRefs& records) {
    GuardedVoid("TZelmarSDFileDataList.AddNewItemsFromList", [&] {
        GuardedVoid("TZelmarSDFileDataList.AddNewItemsFromList", [&] {
            for (const auto& item : records) AppendCopy(item.Object);
        });
        InitFieldNamesFromData();
    });
}

// ---- fields -------------------------------------------------------------------------------

int TZelmarSDFileDataList::GetFieldCount() {
    return Guarded("TZelmarSDFileDataList.GetFieldCount", 0, [&] {
        TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.GetFieldCount", kCritSectFields);
        return FFields->GetCount();
    });
}

TZelmarField* TZelmarSDFileDataList::GetField(int index) {
    return Guarded("TZelmarSDFileDataList.GetField", static_cast<TZelmarField*>(nullptr), [&] {
        TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.GetField", kCritSectFields);
        return FFields->GetField(index);
    });
}

TZelmarField* TZelmarSDFileDataList::GetFieldByName(const std::string& name) {
    return Guarded("TZelmarSDFileDataList.GetFieldByName", static_cast<TZelmarField*>(nullptr),
                   [&] {
                       TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.GetFieldByName",
                                        kCritSectFields);
                       return FFields->GetFieldByName(name);
                   });
}

TZelmarField* TZelmarSDFileDataList::GetVisibleField(int visibleIndex) {
    return Guarded("TZelmarSDFileDataList.GetVisibleField", static_cast<TZelmarField*>(nullptr),
                   [&] {
                       TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.GetVisibleField",
                                        kCritSectFields);
                       return FFields->GetVisibleField(visibleIndex);
                   });
}

int TZelmarSDFileDataList::GetVisibleFieldCount() {
    return Guarded("TZelmarSDFileDataList.GetVisibleFieldCount", 0, [&] {
        TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.GetVisibleFieldCount",
                         kCritSectFields);
        return FFields->GetVisibleFieldCount();
    });
}

int TZelmarSDFileDataList::GetFixedFieldCount() {
    return Guarded("TZelmarSDFileDataList.GetFixedFieldCount", 0, [&] {
        TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.GetFixedFieldCount",
                         kCritSectFields);
        return FFields->GetFixedCount();
    });
}

bool TZelmarSDFileDataList::IsCheckboxVisible() {
    return Guarded("TZelmarSDFileDataList.IsCheckboxVisible", false, [&] {
        TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.IsCheckboxVisible",
                         kCritSectFields);
        return FFields->IsCheckboxVisible();
    });
}

TZelmarField* TZelmarSDFileDataList::GetChemistryField() {
    return Guarded("TZelmarSDFileDataList.GetChemistryField", static_cast<TZelmarField*>(nullptr),
                   [&] {
                       TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.GetChemistryField",
                                        kCritSectFields);
                       return FFields->GetFieldByName(kFieldNameChemistry);
                   });
}

void TZelmarSDFileDataList::EnumSearchableFields(TZelmarFieldRefs& out) {
    GuardedVoid("TZelmarSDFileDataList.EnumSearchableFields", [&] {
        TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.EnumSearchableFields",
                         kCritSectFields);
        FFields->EnumSearchableFields(out);
    });
}

void TZelmarSDFileDataList::EnumSelectableFields(TZelmarFieldRefs& out) {
    GuardedVoid("TZelmarSDFileDataList.EnumSelectableFields", [&] {
        TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.EnumSelectableFields",
                         kCritSectFields);
        FFields->EnumSelectableFields(out);
    });
}

bool TZelmarSDFileDataList::FillCopyOfFieldList(TZelmarFieldList& target) {
    return Guarded("TZelmarSDFileDataList.FillCopyOfFieldList", false, [&] {
        TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.FillCopyOfFieldList",
                         kCritSectFields);
        target.Assign(FFields.get());
        return true;
    });
}

namespace {

// Whether a field of the edited list carries the data of the field of this name: a renamed
// field the data of its original name, any other field that of its own name.
bool KeepsDataOf(const TZelmarFieldList& edited, const std::string& name) {
    for (int i = 0; i < edited.GetCount(); ++i) {
        const TZelmarField* field = edited.GetField(i);
        if ((field->Edited ? field->OrigName : field->Name) == name) return true;
    }
    return false;
}

}  // namespace

bool TZelmarSDFileDataList::SetNewFields(const TZelmarFieldList* newList) {
    constexpr const char* kSource = "TZelmarSDFileDataList.SetNewFields";
    return Guarded(kSource, false, [&] {
        if (newList == nullptr) return false;
        // Records are reached while the fields are held: take the locks in the one order
        // the loader takes them too, or the two threads could wait for each other.
        TTracedLock records(FCriticalSection, kSource, kCriticalSection);
        TTracedLock fields(FCritSectFields, kSource, kCritSectFields);
        // Items of removed fields go first: a field renamed to a removed field's name must
        // not meet the old items under it.
        for (int i = 0; i < FFields->GetCount(); ++i) {
            const TZelmarField* field = FFields->GetField(i);
            if (!KeepsDataOf(*newList, field->Name) && !DeleteData(field)) return false;
        }
        // Renamed in two steps, through names no item has, so that fields that swap their
        // names (or rename in a chain) each keep their own items.
        TZelmarFieldList renamed;
        TZelmarFieldList::FindModifiedFields(newList, renamed);
        TZelmarFieldList parked;
        for (int i = 0; i < renamed.GetCount(); ++i) {
            TZelmarField* toParking = renamed.GetField(i);
            TZelmarField* fromParking = parked.AddField(toParking);
            toParking->Name = "\x01zelmar-rename-" + std::to_string(i);
            fromParking->OrigName = toParking->Name;
            if (!RenameData(toParking)) return false;
        }
        for (int i = 0; i < parked.GetCount(); ++i)
            if (!RenameData(parked.GetField(i))) return false;
        // The sort field points into the old list: keep it by name, or forget it.
        const std::string sortName = SortField != nullptr ? SortField->Name : std::string();
        FFields->Assign(newList);
        SortField = sortName.empty() ? nullptr : FFields->GetFieldByName(sortName);
        return true;
    });
}

void TZelmarSDFileDataList::InitFieldNamesFromData() {
    constexpr const char* kSource = "TZelmarSDFileDataList.InitFieldNamesFromData";
    GuardedVoid(kSource, [&] {
        TTracedLock records(FCriticalSection, kSource, kCriticalSection);
        TTracedLock fields(FCritSectFields, kSource, kCritSectFields);
        // Names gather in order of first occurrence, record by record; adding the fields
        // once at the end gives the same order as adding them after each record.
        std::vector<std::string> names;
        for (int index = 0;; ++index) {
            const TZelmarSDFileData* record = FetchRecord(index, nullptr);
            if (record == nullptr) break;
            record->Texts().AppendNamesTo(names);
        }
        FFields->AddStringFields(names);
    });
}

bool TZelmarSDFileDataList::SynchronizeFieldList(TZelmarSDFileData* record) {
    constexpr const char* kSource = "TZelmarSDFileDataList.SynchronizeFieldList";
    return Guarded(kSource, false, [&] {
        if (record == nullptr) return false;
        TTracedLock lock(FCritSectFields, kSource, kCritSectFields);
        std::vector<std::string> names;
        record->Texts().AppendNamesTo(names);
        const int before = FFields->GetCount();
        FFields->AddStringFields(names);
        return FFields->GetCount() != before;
    });
}
