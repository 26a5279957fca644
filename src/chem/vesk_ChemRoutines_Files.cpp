// The binding's file wrappers: the SD file being read (by index or in sequence) and the one
// being written.
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <typeinfo>
#include <utility>

#include "vesk_ChemRoutines.h"
#include "vesk_ChemRoutinesCalls.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

namespace routines_binding {

// The scan's progress goes to the manager that opened the file, on the scanning thread. No
// lock is held meanwhile: a handler that waits for another thread must not hold up every
// other file being scanned.
std::int32_t OnProgressCallback(std::int32_t progress, void* userData) noexcept {
    auto* manager = static_cast<TveskSDFileManager*>(userData);
    if (manager == nullptr) return 1;
    GuardedVoid("OnProgressCallback", [&] {
        // The scan cannot be stopped halfway, so the handler's answer is not used.
        if (manager->OnProgress) manager->OnProgress(manager, static_cast<double>(progress));
    });
    return 1;
}

}  // namespace routines_binding

using namespace routines_binding;

// ==== TveskSDFileManager =====================================================================

TveskSDFileManager::TveskSDFileManager()
    : FLib(LoadRoutines(LastError)), FMolManager(std::make_unique<TveskMolManager>()) {
    // A missing library shows at the first call ("library handle not set").
    LastError.clear();
}

TveskSDFileManager::~TveskSDFileManager() {
    CloseSDFile();
    ClearEntries();
}

void TveskSDFileManager::ClearEntries() {
    FEntries.clear();
    FEntryCount = 0;
    FTotalCount = -1;
}

bool TveskSDFileManager::OpenSDFile(const std::string& fileName, const std::string& titleField,
                                    TveskProgressEvent onProgress,
                                    TveskEntryCountEvent onEntryCount, bool randomAccess) {
    try {
        // Opening anew over an open file would lose its handle.
        if (FFileHandle != 0 && !CloseSDFile()) return false;
        ClearEntries();
        LastError.clear();
        OnProgress = std::move(onProgress);
        OnEntryCount = std::move(onEntryCount);
        FTitleField = titleField;
        FRandomAccess = randomAccess;
        TFinally reset([&] {
            OnProgress = nullptr;
            OnEntryCount = nullptr;
            FTitleField.clear();
            FRandomAccess = false;
        });
        THandle handle = 0;
        if (!randomAccess) {
            if (!Call(xOpenSDFile, kManager, FLib, LastError, &handle, fileName.c_str()))
                return false;
            FFileHandle = handle;
            return ReadAllEntries();
        }
        if (!Call(xOpenSDFileRA3, kManager, FLib, LastError, &handle, fileName.c_str(),
                  static_cast<void*>(this), &OnProgressCallback))
            return false;
        FFileHandle = handle;
        TInt count = 0;
        if (!Call(xGetSDFileEntryCountRA, kManager, FLib, LastError, FFileHandle, &count))
            return false;
        FTotalCount = count;
        return true;
    } catch (const std::exception& e) {
        GuardedVoid("TveskSDFileManager.OpenSDFile",
                    [&] { LastError = "[" + DemangledTypeName(typeid(e)) + "]: " + e.what(); });
        TraceException("TveskSDFileManager.OpenSDFile", e);
    } catch (...) {
        GuardedVoid("TveskSDFileManager.OpenSDFile",
                    [&] { LastError = "[unknown]: unknown exception"; });
        TraceException("TveskSDFileManager.OpenSDFile");
    }
    return false;
}

bool TveskSDFileManager::DestroyRecordHandles(std::uintptr_t molHandle,
                                              std::uintptr_t dataEntryList) {
    bool ok = true;
    if (molHandle != 0) ok = Call(xDestroyMolFile, kManager, FLib, LastError, molHandle);
    if (dataEntryList != 0)
        ok = Call(xDestroySDFileDataEntryList, kManager, FLib, LastError, dataEntryList) && ok;
    return ok;
}

bool TveskSDFileManager::ReadEntryText(int index, std::string& text) {
    text.clear();
    return Guarded("TveskSDFileManager.ReadEntryText", false, [&] {
        char* bytes = nullptr;
        TInt length = 0;
        TFinally release([&] { std::free(bytes); });
        if (!Call(xGetSDFileEntryTextRA, kManager, FLib, LastError, FFileHandle, index, &bytes,
                  &length))
            return false;
        if (bytes != nullptr) text.assign(bytes, static_cast<std::size_t>(std::max(length, 0)));
        return true;
    });
}

bool TveskSDFileManager::ReadEntry(int index, TveskSDFileRecord& record, bool withFormula) {
    record.Release();
    return Guarded("TveskSDFileManager.ReadEntry", false, [&] {
        // One call hands over the record's bytes and the record taken apart, with its formula
        // and mass: per-item calls would cost as much as the reading itself.
        char* text = nullptr;
        char* packed = nullptr;
        TInt textLength = 0;
        TInt packedLength = 0;
        const bool read =
            Call(xReadSDFileEntryRA, kManager, FLib, LastError, FFileHandle, index,
                 withFormula ? kReadFormula : 0, &text, &textLength, &packed, &packedLength);
        // The record owns both buffers from here on, whatever the answer.
        std::string why;
        const bool unpacked =
            record.Take(text, static_cast<std::size_t>(std::max(textLength, 0)), packed,
                        static_cast<std::size_t>(std::max(packedLength, 0)), why);
        if (!read) return false;
        if (!unpacked) LastError = why;
        return unpacked;
    });
}

bool TveskSDFileManager::LoadEntryData(int index, TveskSDFileEntry* entry) {
    return Guarded("TveskSDFileManager.LoadEntryData", false, [&] {
        if (entry == nullptr || entry->Loaded() || FFileHandle == 0) return true;
        TveskSDFileRecord record;
        const bool loaded = ReadEntry(index, record);
        if (loaded)
            entry->TakeRecord(record);
        else
            entry->ClearEntry();
        if (!loaded && record.Text().empty()) return false;
        // Also a record that cannot be shown keeps its bytes, to be written back unchanged.
        entry->SetOrgText(std::string(record.Text()));
        return loaded;
    });
}

bool TveskSDFileManager::ReadAllEntries() {
    std::string lastFailure;
    for (;;) {
        double progress = 0.0;
        if (OnProgress && GetProgress(progress)) OnProgress(this, progress);
        std::uint8_t atEnd = 0;
        if (!Call(xSDFileEndReached, kManager, FLib, LastError, FFileHandle, &atEnd)) return false;
        if (atEnd != 0) {
            FTotalCount = FEntryCount;
            if (OnEntryCount) OnEntryCount(this, FEntryCount, FEntryCount);
            return true;
        }
        THandle mol = 0;
        THandle list = 0;
        std::string failure;
        auto entry = std::make_unique<TveskSDFileEntry>();
        if (Call(xGetNextSDFileEntry, kManager, FLib, failure, FFileHandle, &mol, 0, &list)) {
            TFinally release([&] { DestroyRecordHandles(mol, list); });
            if (entry->ReadDataEntries(list, FTitleField)) {
                std::string text;
                FMolManager->GetMolStringFromHandle(mol, text);
                if (FMolManager->LastError.empty())
                    entry->SetMolString(text);
                else
                    entry->LastError = FMolManager->LastError;
            }
            lastFailure.clear();
        } else {
            // The library passes a record it cannot read; it stays as a failed entry instead
            // of ending the reading and dropping every record after it. The same failure
            // twice in a row means the reading no longer moves.
            if (failure == lastFailure) {
                LastError = failure;
                return false;
            }
            lastFailure = failure;
            entry->LastError = failure;
        }
        FEntries.push_back(std::move(entry));
        ++FEntryCount;
        if (OnEntryCount) OnEntryCount(this, FEntryCount, FTotalCount);
    }
}

bool TveskSDFileManager::GetProgress(double& progress) {
    progress = 0.0;
    return Guarded("TveskSDFileManager.GetProgress", false, [&] {
        return Call(xGetSDFileProgress, kManager, FLib, LastError, FFileHandle, &progress);
    });
}

bool TveskSDFileManager::CloseSDFile() {
    return Guarded("TveskSDFileManager.CloseSDFile", false, [&] {
        if (FFileHandle == 0) return true;
        if (!Call(xDestroySDFile, kManager, FLib, LastError, FFileHandle)) return false;
        FFileHandle = 0;
        return true;
    });
}

// ==== TveskSDFileWriter ======================================================================

TveskSDFileWriter::TveskSDFileWriter(const std::string& fileName) : FLib(LoadRoutines(LastError)) {
    OpenFile(fileName);
}

TveskSDFileWriter::~TveskSDFileWriter() {
    // A writer that was not completed leaves the target as it was.
    AbortFile();
}

bool TveskSDFileWriter::OpenFile(const std::string& fileName) {
    return Guarded("TveskSDFileWriter.OpenFile", false, [&] {
        if (IsOpen()) return true;
        THandle producer = 0;
        if (!Call(xCreateNewSDFile, kWriter, FLib, LastError, &producer, fileName.c_str()))
            return false;
        FProducer = producer;
        return IsOpen();
    });
}

bool TveskSDFileWriter::WriteEntry(TveskSDFileEntry* entry, bool crlf) {
    return Guarded("TveskSDFileWriter.WriteEntry", false, [&] {
        return entry != nullptr && IsOpen() && entry->WriteToProducer(FProducer, crlf);
    });
}

bool TveskSDFileWriter::WriteEntryText(std::string_view text) {
    return Guarded("TveskSDFileWriter.WriteEntryText", false, [&] {
        return IsOpen() && Call(xAddSDFileEntryText, kWriter, FLib, LastError, FProducer,
                                text.data(), static_cast<TInt>(text.size()));
    });
}

bool TveskSDFileWriter::CloseFile() {
    return Guarded("TveskSDFileWriter.CloseFile", false, [&] {
        if (!IsOpen()) return true;
        // The producer is gone whatever the answer: a failed completion discards the file.
        const THandle producer = FProducer;
        FProducer = 0;
        return Call(xDestroySDFileProducer, kWriter, FLib, LastError, producer);
    });
}

bool TveskSDFileWriter::AbortFile() {
    return Guarded("TveskSDFileWriter.AbortFile", false, [&] {
        if (!IsOpen()) return true;
        const THandle producer = FProducer;
        FProducer = 0;
        return Call(xAbortSDFileProducer, kWriter, FLib, LastError, producer);
    });
}
