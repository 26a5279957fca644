// Loading a sheet's file: the indexing thread scans it, then the loader thread reads record
// after record while the UI thread may read any record on demand; their events, raised after
// the list's locks are released, and the failures they leave.
#include <climits>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "Zelmar_Object_IndexingThread.h"
#include "Zelmar_Object_LoaderThread.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SDFileData_Internal.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

// ---- loading ------------------------------------------------------------------------------

bool TZelmarSDFileDataList::LoadFile(const std::string& fileName) {
    bool started = false;
    constexpr const char* kSource = "TZelmarSDFileDataList.LoadFile";
    GuardedVoid(kSource, [&] {
        if (!FIndexingThread) return;
        // The threads run once: a second file would silently never load, and the records
        // of the first would be gone.
        if (FIndexingStarted) {
            SetLastError("the sheet has read a file already, " + fileName + " is not read");
            TraceMessage(kSource, tlError, "%s", GetLastError().c_str());
            return;
        }
        if (FDispatcher == nullptr) {
            SetLastError("no dispatcher for the end of indexing, " + fileName + " is not read");
            TraceMessage(kSource, tlError, "%s", GetLastError().c_str());
            return;
        }
        FFileName = fileName;
        ClearRecords();
        TZelmarIndexingThread& thread = *FIndexingThread;
        thread.FileName = fileName;
        thread.Manager = FManager.get();
        thread.OnProgress = [this](TveskSDFileManager* sender, double progress) {
            HandleOnIndexingThreadProgress(sender, progress);
        };
        thread.OnTerminate = [end = FLifetime.Guard([this] { HandleOnIndexingThreadTerminate(); })](
                                 platform::TThread*) { end(); };
        if (OnStartIndexing) OnStartIndexing(this);
        FIndexingStarted = true;
        started = true;
        thread.Resume();
    });
    return started && FIndexingThread && !FIndexingThread->Suspended();
}

void TZelmarSDFileDataList::HandleOnIndexingThreadProgress(TveskSDFileManager* /*sender*/,
                                                           double progress) {
    GuardedVoid("TZelmarSDFileDataList.HandleOnIndexingThreadProgress", [&] {
        if (!OnIndexingProgress) return;
        const double percent = std::trunc(progress);
        if (!(percent >= INT_MIN && percent <= INT_MAX))
            throw std::range_error("indexing progress out of range");
        const int whole = static_cast<int>(percent);
        if (!PostWorkerEvents) {
            OnIndexingProgress(this, whole);
        } else if (FPostedIndexingPercent.exchange(whole) != whole) {
            Post([this, whole] {
                if (OnIndexingProgress) OnIndexingProgress(this, whole);
            });
        }
    });
}

void TZelmarSDFileDataList::HandleOnIndexingThreadTerminate() {
    GuardedVoid("TZelmarSDFileDataList.HandleOnIndexingThreadTerminate", [&] {
        if (FManager->TotalCount() < 0) {
            const std::string& why = FManager->LastError;
            SetLastError(why.empty() ? "the file " + FFileName + " could not be read" : why);
        }
        if (!CreateLoadableRecords(FManager->TotalCount())) return;
        if (OnEndIndexing) OnEndIndexing(this);
        LoadData();
    });
}

bool TZelmarSDFileDataList::CreateLoadableRecords(int count) {
    return Guarded("TZelmarSDFileDataList.CreateLoadableRecords", false, [&] {
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        ClearRecords();
        try {
            FRecords.Reserve(count);
            for (int entryNo = 0; entryNo < count; ++entryNo)
                AppendRecord(std::make_unique<TZelmarSDFileData>(true, entryNo));
        } catch (...) {
            ClearRecords();
            throw;
        }
        return true;
    });
}

void TZelmarSDFileDataList::LoadData() {
    GuardedVoid("TZelmarSDFileDataList.LoadData", [&] {
        if (!FLoaderThread || FLoaderStarted) return;
        TZelmarLoaderThread& thread = *FLoaderThread;
        thread.RecordCount = GetCount();
        thread.SetOnLoadRecord([this](int index) { return HandleOnLoaderThreadLoadData(index); });
        thread.OnRecordRead = [this](int index) { return HandleOnLoaderThreadRecordRead(index); };
        thread.OnTerminate = [end = FLifetime.Guard([this] { HandleOnLoaderThreadTerminate(); })](
                                 platform::TThread*) { end(); };
        if (OnStartLoadData) OnStartLoadData(this);
        FAllLoaded = false;
        FLoaderStarted = true;
        thread.Resume();
    });
}

bool TZelmarSDFileDataList::HandleOnLoaderThreadLoadData(int index) {
    return Guarded("TZelmarSDFileDataList.HandleOnLoaderThreadLoadData", false, [&] {
        int count = 0;
        if (FetchRecord(index, &count) == nullptr) return false;
        FLoaderCount = count;
        return true;
    });
}

bool TZelmarSDFileDataList::HandleOnLoaderThreadRecordRead(int index) {
    return Guarded("TZelmarSDFileDataList.HandleOnLoaderThreadRecordRead", false, [&] {
        AnnounceFieldListChanges();
        // The progress event is optional: without it loading goes on.
        if (!OnLoadDataProgress) return true;
        const int percent = sdfiledata_internal::Percent(index, FLoaderCount.load());
        if (!PostWorkerEvents) return OnLoadDataProgress(this, percent);
        if (FPostedLoadPercent.exchange(percent) != percent) {
            Post([this, percent] {
                if (OnLoadDataProgress && !OnLoadDataProgress(this, percent)) FStopLoading = true;
            });
        }
        return !FStopLoading.load();
    });
}

void TZelmarSDFileDataList::AnnounceFieldListChanges() {
    bool changed = false;
    {
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        changed = std::exchange(FFieldsChanged, false);
    }
    if (!changed || !OnFieldListChanged) return;
    if (!PostWorkerEvents) {
        OnFieldListChanged(this);
        return;
    }
    Post([this] {
        if (OnFieldListChanged) OnFieldListChanged(this);
    });
}

void TZelmarSDFileDataList::Post(std::function<void()> event) {
    if (FDispatcher != nullptr) FDispatcher->Post(FLifetime.Guard(std::move(event)));
}

void TZelmarSDFileDataList::SetLastError(const std::string& error) {
    std::lock_guard<std::mutex> lock(FErrorMutex);
    FLastError = error;
}

std::string TZelmarSDFileDataList::GetLastError() const {
    std::lock_guard<std::mutex> lock(FErrorMutex);
    return FLastError;
}

void TZelmarSDFileDataList::HandleOnLoaderThreadTerminate() {
    FLoadFinished = true;
    GuardedVoid("TZelmarSDFileDataList.HandleOnLoaderThreadTerminate", [&] {
        {
            // A loader that stopped early leaves records unread; they are still read on
            // demand, so the file stays open for them.
            std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
            if (EveryRecordTried()) FManager->CloseSDFile();
        }
        if (OnEndLoadData) OnEndLoadData(this);
        FAllLoaded = true;
    });
}

bool TZelmarSDFileDataList::EveryRecordTried() const {
    for (const auto& item : FRecords) {
        const TZelmarSDFileData* record = item.Object;
        if (!record->IsLoaded() && record->LoadError.empty() && record->EntryNo() >= 0)
            return false;
    }
    return true;
}

bool TZelmarSDFileDataList::LoadEntryData(int /*index*/, TZelmarSDFileData* record) {
    return Guarded("TZelmarSDFileDataList.LoadEntryData", false, [&] {
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        if (!FManager || record == nullptr) return false;
        if (record->IsLoaded()) return true;
        // Records remember their entry number: the position may have changed since.
        const int entryNo = record->EntryNo();
        if (entryNo < 0 || FManager->FileHandle() == 0) return false;
        TveskSDFileRecord read;
        const bool loaded = FManager->ReadEntry(entryNo, read);
        if (loaded) {
            record->Texts().TakeRecord(read);
            // Filled here, in the loading thread, rather than by painting.
            record->GetMolweight();
        } else {
            // Also a record that cannot be shown keeps its bytes, to be written back unchanged.
            record->Texts().KeepText(read.Text());
            record->LoadError = FManager->LastError;
            // An empty reason would have the record tried again and listed again.
            if (record->LoadError.empty())
                record->LoadError = "entry " + std::to_string(entryNo + 1) + " could not be read";
            FLoadErrors.AddObject(record->LoadError, record);
            SetLastError("record " + std::to_string(entryNo + 1) + ": " + record->LoadError);
        }
        // Announced once the record lock is released (AnnounceFieldListChanges).
        if (SynchronizeFieldList(record)) FFieldsChanged = true;
        return loaded;
    });
}

bool TZelmarSDFileDataList::PauseLoaderThread() {
    return Guarded("TZelmarSDFileDataList.PauseLoaderThread", false, [&] {
        // Not under CriticalSection: the loader may be waiting for it, and it parks only
        // between two records, where it holds no record access.
        if (FAllLoaded || FLoaderPaused || !FLoaderThread || !FLoaderStarted) return false;
        if (FLoaderThread->Finished()) return false;
        FLoaderThread->Suspend();
        FLoaderPaused = true;
        return true;
    });
}

void TZelmarSDFileDataList::ContinueLoaderThread() {
    GuardedVoid("TZelmarSDFileDataList.ContinueLoaderThread", [&] {
        if (!FLoaderPaused) return;
        FLoaderPaused = false;
        FLoaderThread->Resume();
    });
}

void TZelmarSDFileDataList::TerminateLoaderThread() {
    GuardedVoid("TZelmarSDFileDataList.TerminateLoaderThread", [&] {
        if (!FLoaderThread) return;
        // Detached first, so that no record is read once stopping has begun.
        FLoaderThread->SetOnLoadRecord(nullptr);
        if (FLoaderStarted) FLoaderThread->TerminateAndWait();
    });
}

void TZelmarSDFileDataList::TerminateIndexingThread() {
    GuardedVoid("TZelmarSDFileDataList.TerminateIndexingThread", [&] {
        if (FIndexingThread && FIndexingStarted) FIndexingThread->TerminateAndWait();
    });
}
