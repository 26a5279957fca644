#include "Zelmar_Object_SDFileData.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "Zelmar_Object_SDFileData_Internal.h"
#include "Zelmar_TableExport.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

using sdfiledata_internal::kCriticalSection;
using sdfiledata_internal::kCritSectFields;
using sdfiledata_internal::TTracedLock;

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
      FStore(std::make_unique<TZelmarRecordStore>()),
      FUndo(std::make_unique<TZelmarUndoStack>(*FStore)),
      FRows(std::make_unique<TZelmarRowFilter>(*FStore)),
      FFields(std::make_unique<TZelmarFieldList>()),
      FLoading(std::make_unique<TZelmarLoadingControl>(dispatcher, *FStore, FLoadingClient)) {
    FFields->CreateDefaultFields();
    FStore->SetReader([this](TZelmarSDFileData& record) { LoadEntryData(&record); });
}

TZelmarSDFileDataList::~TZelmarSDFileDataList() {
    // First: no thread reads a record and no end notification runs once the list goes.
    FLoading->Shutdown();
    Clear();
    FLoading.reset();
    FStore.reset();
    FFields.reset();
}

// ---- records ------------------------------------------------------------------------------

int TZelmarSDFileDataList::GetCount() const {
    return FStore->Count();
}

TZelmarSDFileData* TZelmarSDFileDataList::GetSDFileData(int index) {
    return Guarded("TZelmarSDFileDataList.GetSDFileData", static_cast<TZelmarSDFileData*>(nullptr),
                   [&] {
                       TZelmarSDFileData* record = FStore->Fetch(index);
                       AnnounceFieldListChanges();
                       return record;
                   });
}

int TZelmarSDFileDataList::GetIndexOfSDFileData(const TZelmarSDFileData* record) const {
    return Guarded("TZelmarSDFileDataList.GetIndexOfSDFileData", -1,
                   [&] { return FStore->IndexOf(record); });
}

int TZelmarSDFileDataList::GetLoadedCount() {
    int count = 0;
    GuardedVoid("TZelmarSDFileDataList.GetLoadedCount", [&] {
        // Counting must not read the records still waiting for the loader.
        FStore->ForEach([&](const TZelmarSDFileData& record) {
            if (record.IsLoaded()) ++count;
            return true;
        });
    });
    return count;
}

TZelmarSDFileData* TZelmarSDFileDataList::CreateSDFileData(bool lazy) {
    return Guarded("TZelmarSDFileDataList.CreateSDFileData",
                   static_cast<TZelmarSDFileData*>(nullptr), [&] {
                       TZelmarSDFileData* record = FStore->AppendNew(lazy);
                       if (FUndo->InStep()) FUndo->NoteAdded(record);
                       return record;
                   });
}

int TZelmarSDFileDataList::AppendRecordsFromText(const std::string& text, int& failed,
                                                 std::string& error) {
    failed = 0;
    return Guarded("TZelmarSDFileDataList.AppendRecordsFromText", -1, [&] {
        // The routines library reads files: the text goes through one of its own.
        std::string path =
            (std::filesystem::temp_directory_path() / "zelmar-paste-XXXXXX").string();
        const int fd = ::mkstemp(path.data());
        if (fd < 0) {
            error = std::strerror(errno);
            return -1;
        }
        const bool written = ZelmarWriteAll(fd, text);
        ::close(fd);
        const int appended = written ? AppendRecordsOfFile(path, failed, error) : -1;
        if (!written) error = std::strerror(errno);
        std::remove(path.c_str());
        return appended;
    });
}

int TZelmarSDFileDataList::AppendRecordsOfFile(const std::string& path, int& failed,
                                               std::string& error) {
    TveskSDFileManager reader;
    if (!reader.OpenSDFile(path, "", nullptr, nullptr, true)) {
        error = reader.LastError;
        return -1;
    }
    int appended = 0;
    for (int index = 0; index < reader.TotalCount(); ++index) {
        TveskSDFileRecord read;
        // A pasted record that cannot be read has no place to be mended: it is counted.
        if (!reader.ReadEntry(index, read) || !read.MoleculeError().empty()) {
            ++failed;
            continue;
        }
        TZelmarSDFileData* record = CreateSDFileData(false);
        if (record == nullptr) break;
        record->Texts().TakeRecord(read);
        record->GetMolweight();
        SynchronizeFieldList(record);
        ++appended;
    }
    reader.CloseSDFile();
    return appended;
}

void TZelmarSDFileDataList::DeleteSDFileData(TZelmarSDFileData* record) {
    GuardedVoid("TZelmarSDFileDataList.DeleteSDFileData", [&] {
        std::lock_guard<std::recursive_mutex> lock(FStore->CriticalSection());
        if (FStore->IndexOf(record) < 0) return;
        FLoading->ForgetLoadError(record);
        FUndo->Forget(record);
        FStore->Delete(record);
    });
}

void TZelmarSDFileDataList::Clear() {
    GuardedVoid("TZelmarSDFileDataList.Clear", [&] {
        std::lock_guard<std::recursive_mutex> lock(FStore->CriticalSection());
        FLoading->ClearLoadErrors();
        FUndo->Clear();
        FRows->Clear();
        FStore->Clear();
    });
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
        std::lock_guard<std::recursive_mutex> lock(FStore->CriticalSection());
        const TZelmarRecordStore::TRecordSet unselected = FStore->Unselected();
        if (unselected.empty()) return;
        FLoading->ForgetLoadErrors(unselected);
        FUndo->BeginStep(std::string());
        FUndo->Remove(unselected);
        FUndo->EndStep();
    });
}

int TZelmarSDFileDataList::GetUnselectedCount() const {
    return Guarded("TZelmarSDFileDataList.GetUnselectedCount", 0,
                   [&] { return static_cast<int>(FStore->Unselected().size()); });
}

namespace {

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no surrogates, nothing
// beyond U+10FFFF.
bool IsUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (end - p <= more) return false;
        if (p[1] < low || p[1] > high) return false;
        for (int k = 2; k <= more; ++k)
            if ((p[k] & 0xC0) != 0x80) return false;
        p += more + 1;
    }
    return true;
}

}  // namespace

bool TZelmarSDFileDataList::HasWindows1252Text() const {
    return Guarded("TZelmarSDFileDataList.HasWindows1252Text", false, [&] {
        bool found = false;
        FStore->ForEach([&](const TZelmarSDFileData& record) {
            found = !IsUtf8(record.Texts().OrgText());
            return !found;
        });
        return found;
    });
}

bool TZelmarSDFileDataList::HasLoadErrors() const {
    return FLoading->HasLoadErrors();
}

const TZelmarRecordRefs* TZelmarSDFileDataList::GetLoadErrors() const {
    return FLoading->LoadErrors();
}

void TZelmarSDFileDataList::DeleteFromLoadErrors(TZelmarSDFileData* record) {
    GuardedVoid("TZelmarSDFileDataList.DeleteFromLoadErrors", [&] {
        std::lock_guard<std::recursive_mutex> lock(FStore->CriticalSection());
        FLoading->ForgetLoadError(record);
    });
}

void TZelmarSDFileDataList::DeleteLoadErrors() {
    GuardedVoid("TZelmarSDFileDataList.DeleteLoadErrors", [&] {
        if (!HasLoadErrors()) return;
        std::lock_guard<std::recursive_mutex> lock(FStore->CriticalSection());
        // The steps may know the records that go.
        FUndo->Clear();
        FStore->Remove(FLoading->FailedRecords());
        FLoading->ClearLoadErrors();
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
                if (!FStore->AppendCopy(other->GetSDFileData(index))) break;
        });
        InitFieldNamesFromData();
    });
}

void TZelmarSDFileDataList::Assign(const TZelmarRecordRefs& records) {
    constexpr const char* kSource = "TZelmarSDFileDataList.Assign";
    GuardedVoid(kSource, [&] {
        GuardedVoid(kSource, [&] {
            Clear();
            for (const auto& item : records) FStore->AppendCopy(item.Object);
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
                FStore->AppendCopy(other->GetSDFileData(index));
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
            for (const auto& item : records) FStore->AppendCopy(item.Object);
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
        TTracedLock records(FStore->CriticalSection(), kSource, kCriticalSection);
        TTracedLock fields(FCritSectFields, kSource, kCritSectFields);
        // Inside a step the change is one: the records' items before, the field lists on
        // both sides. Outside one, the items are renamed and deleted behind the steps' backs,
        // and texts a step kept would bring back the old names.
        if (FUndo->InStep()) {
            for (int index = 0; index < FStore->Count(); ++index)
                FUndo->NoteContent(FStore->At(index));
            auto before = std::make_shared<TZelmarFieldList>();
            auto after = std::make_shared<TZelmarFieldList>();
            before->Assign(FFields.get());
            after->Assign(newList);
            FUndo->NoteDone(
                [this, before, after](bool forward) { TakeFieldList(forward ? *after : *before); });
        } else {
            FUndo->Clear();
        }
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
        TakeFieldList(*newList);
        return true;
    });
}

void TZelmarSDFileDataList::TakeFieldList(const TZelmarFieldList& fields) {
    TTracedLock lock(FCritSectFields, "TZelmarSDFileDataList.TakeFieldList", kCritSectFields);
    // The sort field points into the old list: keep it by name, or forget it.
    const std::string sortName = SortField != nullptr ? SortField->Name : std::string();
    FFields->Assign(&fields);
    FNamesWithField.clear();
    SortField = sortName.empty() ? nullptr : FFields->GetFieldByName(sortName);
}

void TZelmarSDFileDataList::InitFieldNamesFromData() {
    constexpr const char* kSource = "TZelmarSDFileDataList.InitFieldNamesFromData";
    GuardedVoid(kSource, [&] {
        TTracedLock records(FStore->CriticalSection(), kSource, kCriticalSection);
        TTracedLock fields(FCritSectFields, kSource, kCritSectFields);
        // Names gather in order of first occurrence, record by record; adding the fields
        // once at the end gives the same order as adding them after each record.
        std::vector<std::string> names;
        for (int index = 0;; ++index) {
            const TZelmarSDFileData* record = FStore->Fetch(index);
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
        // The loader asks for every record, and nearly all bring only names the fields have
        // already: those are known by their index, without a search through the fields.
        const TZelmarRecordTexts& texts = record->Texts();
        std::vector<std::string> names;
        std::vector<std::uint32_t> indices;
        for (int item = 0; item < texts.DataCount(); ++item) {
            const std::uint32_t index = texts.DataNameIndex(item);
            if (index < FNamesWithField.size() && FNamesWithField[index]) continue;
            const std::string_view name = texts.DataName(item);
            if (std::find(names.begin(), names.end(), name) != names.end()) continue;
            names.emplace_back(name);
            indices.push_back(index);
        }
        if (names.empty()) return false;
        const int before = FFields->GetCount();
        FFields->AddStringFields(names);
        for (std::size_t k = 0; k < names.size(); ++k) {
            if (indices[k] == TZelmarNamePool::kNone || !FFields->HasFieldName(names[k])) continue;
            if (indices[k] >= FNamesWithField.size()) FNamesWithField.resize(indices[k] + 1);
            FNamesWithField[indices[k]] = true;
        }
        return FFields->GetCount() != before;
    });
}
