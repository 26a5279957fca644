#include "Zelmar_Object_LoadingControl.h"

#include <climits>
#include <cmath>
#include <mutex>
#include <stdexcept>
#include <utility>

#include "Zelmar_Object_IndexingThread.h"
#include "Zelmar_Object_LoaderThread.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SDFileData_Internal.h"
#include "vesk_ChemRoutines.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

TZelmarLoadingControl::TZelmarLoadingControl(platform::TUiDispatcher* dispatcher,
                                             TZelmarRecordStore& records,
                                             IZelmarLoadingClient& client)
    : FDispatcher(dispatcher),
      FRecords(records),
      FClient(client),
      FManager(std::make_unique<TveskSDFileManager>()),
      FLoaderThread(std::make_unique<TZelmarLoaderThread>(dispatcher)),
      FIndexingThread(std::make_unique<TZelmarIndexingThread>(dispatcher)) {}

TZelmarLoadingControl::~TZelmarLoadingControl() {
    Shutdown();
    FLoaderThread.reset();
    FIndexingThread.reset();
    FManager.reset();
}

void TZelmarLoadingControl::Shutdown() {
    // First: an end notification that runs now in another thread finishes before we go on,
    // one that comes later finds the control gone.
    FLifetime.Revoke();
    TerminateLoader();
    TerminateIndexing();
}

// ---- indexing -----------------------------------------------------------------------------

bool TZelmarLoadingControl::MayLoad(const std::string& fileName) {
    constexpr const char* kSource = "TZelmarSDFileDataList.LoadFile";
    std::string refusal;
    // The threads run once: a second file would silently never load, and the records of the
    // first would be gone.
    if (FIndexingStarted)
        refusal = "the sheet has read a file already, " + fileName + " is not read";
    else if (FDispatcher == nullptr)
        refusal = "no dispatcher for the end of indexing, " + fileName + " is not read";
    if (refusal.empty()) return FIndexingThread != nullptr;
    FClient.Failed(refusal);
    TraceMessage(kSource, tlError, "%s", refusal.c_str());
    return false;
}

bool TZelmarLoadingControl::StartIndexing(const std::string& fileName, bool postWorkerEvents) {
    bool started = false;
    GuardedVoid("TZelmarSDFileDataList.LoadFile", [&] {
        if (!FIndexingThread || FIndexingStarted || FDispatcher == nullptr) return;
        FFileName = fileName;
        FPostWorkerEvents = postWorkerEvents;
        {
            std::lock_guard<std::recursive_mutex> lock(FRecords.CriticalSection());
            FLoadErrors.Clear();
            FRecords.Clear();
        }
        TZelmarIndexingThread& thread = *FIndexingThread;
        thread.FileName = fileName;
        thread.Manager = FManager.get();
        thread.OnProgress = [this](TveskSDFileManager*, double progress) {
            HandleOnIndexingThreadProgress(progress);
        };
        thread.OnTerminate = [end = FLifetime.Guard([this] { HandleOnIndexingThreadTerminate(); })](
                                 platform::TThread*) { end(); };
        FClient.IndexingStarted();
        FIndexingStarted = true;
        started = true;
        thread.Resume();
    });
    return started && FIndexingThread && !FIndexingThread->Suspended();
}

void TZelmarLoadingControl::HandleOnIndexingThreadProgress(double progress) {
    GuardedVoid("TZelmarSDFileDataList.HandleOnIndexingThreadProgress", [&] {
        const double percent = std::trunc(progress);
        if (!(percent >= INT_MIN && percent <= INT_MAX))
            throw std::range_error("indexing progress out of range");
        const int whole = static_cast<int>(percent);
        if (!FPostWorkerEvents) {
            FClient.IndexingProgress(whole);
        } else if (FPostedIndexingPercent.exchange(whole) != whole) {
            Post([this, whole] { FClient.IndexingProgress(whole); });
        }
    });
}

void TZelmarLoadingControl::HandleOnIndexingThreadTerminate() {
    GuardedVoid("TZelmarSDFileDataList.HandleOnIndexingThreadTerminate", [&] {
        if (FManager->TotalCount() < 0) {
            const std::string& why = FManager->LastError;
            FClient.Failed(why.empty() ? "the file " + FFileName + " could not be read" : why);
        }
        const bool created = Guarded("TZelmarSDFileDataList.CreateLoadableRecords", false, [&] {
            std::lock_guard<std::recursive_mutex> lock(FRecords.CriticalSection());
            FLoadErrors.Clear();
            FRecords.ReplaceWithEntries(FManager->TotalCount());
            return true;
        });
        if (!created) return;
        FClient.IndexingEnded();
        StartLoader();
    });
}

// ---- the loader ---------------------------------------------------------------------------

void TZelmarLoadingControl::StartLoader() {
    GuardedVoid("TZelmarSDFileDataList.LoadData", [&] {
        if (!FLoaderThread || FLoaderStarted) return;
        TZelmarLoaderThread& thread = *FLoaderThread;
        thread.RecordCount = FRecords.Count();
        thread.SetOnLoadRecord([this](int index) { return HandleOnLoaderThreadLoadData(index); });
        thread.OnRecordRead = [this](int index) { return HandleOnLoaderThreadRecordRead(index); };
        thread.OnTerminate = [end = FLifetime.Guard([this] { HandleOnLoaderThreadTerminate(); })](
                                 platform::TThread*) { end(); };
        FClient.LoadingStarted();
        FAllLoaded = false;
        FLoaderStarted = true;
        thread.Resume();
    });
}

bool TZelmarLoadingControl::HandleOnLoaderThreadLoadData(int index) {
    return Guarded("TZelmarSDFileDataList.HandleOnLoaderThreadLoadData", false, [&] {
        int count = 0;
        if (FRecords.Fetch(index, &count) == nullptr) return false;
        FLoaderCount = count;
        return true;
    });
}

bool TZelmarLoadingControl::HandleOnLoaderThreadRecordRead(int index) {
    return Guarded("TZelmarSDFileDataList.HandleOnLoaderThreadRecordRead", false, [&] {
        FClient.RecordRead();
        const int percent = sdfiledata_internal::Percent(index, FLoaderCount.load());
        if (!FPostWorkerEvents) return FClient.LoadingProgress(percent);
        if (FPostedLoadPercent.exchange(percent) != percent) {
            Post([this, percent] {
                if (!FClient.LoadingProgress(percent)) FStopLoading = true;
            });
        }
        return !FStopLoading.load();
    });
}

void TZelmarLoadingControl::HandleOnLoaderThreadTerminate() {
    FLoadFinished = true;
    GuardedVoid("TZelmarSDFileDataList.HandleOnLoaderThreadTerminate", [&] {
        {
            // A loader that stopped early leaves records unread; they are still read on
            // demand, so the file stays open for them.
            std::lock_guard<std::recursive_mutex> lock(FRecords.CriticalSection());
            if (FRecords.EveryRecordTried()) FManager->CloseSDFile();
        }
        FClient.LoadingEnded();
        FAllLoaded = true;
    });
}

TZelmarEntryRead TZelmarLoadingControl::ReadEntry(TZelmarSDFileData& record) {
    if (record.IsLoaded()) return TZelmarEntryRead::Loaded;
    // Records remember their entry number: the position may have changed since.
    const int entryNo = record.EntryNo();
    if (entryNo < 0 || FManager->FileHandle() == 0) return TZelmarEntryRead::NotRead;
    TveskSDFileRecord read;
    if (FManager->ReadEntry(entryNo, read)) {
        record.Texts().TakeRecord(read);
        // Filled here, in the loading thread, rather than by painting.
        record.GetMolweight();
        // Its texts show, but a molecule the library cannot read (a connection table cut
        // short) is a load error: listed, and the record kept as it was read.
        if (!read.MoleculeError().empty())
            AddLoadError(record, entryNo, std::string(read.MoleculeError()));
        return TZelmarEntryRead::Loaded;
    }
    // Also a record that cannot be shown keeps its bytes, to be written back unchanged.
    record.Texts().KeepText(read.Text());
    AddLoadError(record, entryNo, FManager->LastError);
    return TZelmarEntryRead::Failed;
}

void TZelmarLoadingControl::AddLoadError(TZelmarSDFileData& record, int entryNo,
                                         std::string reason) {
    // An empty reason would have the record tried again and listed again.
    if (reason.empty()) reason = "entry " + std::to_string(entryNo + 1) + " could not be read";
    record.LoadError = std::move(reason);
    FLoadErrors.AddObject(record.LoadError, &record);
    FClient.Failed("record " + std::to_string(entryNo + 1) + ": " + record.LoadError);
}

bool TZelmarLoadingControl::Pause() {
    return Guarded("TZelmarSDFileDataList.PauseLoaderThread", false, [&] {
        // Not under the record lock: the loader may be waiting for it, and it parks only
        // between two records, where it holds no record access.
        if (FAllLoaded || FLoaderPaused || !FLoaderThread || !FLoaderStarted) return false;
        if (FLoaderThread->Finished()) return false;
        FLoaderThread->Suspend();
        FLoaderPaused = true;
        return true;
    });
}

void TZelmarLoadingControl::Continue() {
    GuardedVoid("TZelmarSDFileDataList.ContinueLoaderThread", [&] {
        if (!FLoaderPaused) return;
        FLoaderPaused = false;
        FLoaderThread->Resume();
    });
}

void TZelmarLoadingControl::TerminateLoader() {
    GuardedVoid("TZelmarSDFileDataList.TerminateLoaderThread", [&] {
        if (!FLoaderThread) return;
        // Detached first, so that no record is read once stopping has begun.
        FLoaderThread->SetOnLoadRecord(nullptr);
        if (FLoaderStarted) FLoaderThread->TerminateAndWait();
    });
}

void TZelmarLoadingControl::TerminateIndexing() {
    GuardedVoid("TZelmarSDFileDataList.TerminateIndexingThread", [&] {
        if (FIndexingThread && FIndexingStarted) FIndexingThread->TerminateAndWait();
    });
}

// ---- load errors --------------------------------------------------------------------------

void TZelmarLoadingControl::ForgetLoadError(const TZelmarSDFileData* record) {
    const int index = FLoadErrors.IndexOfObject(record);
    if (index >= 0) FLoadErrors.Delete(index);
}

void TZelmarLoadingControl::ForgetLoadErrors(const TZelmarRecordStore::TRecordSet& records) {
    if (records.empty()) return;
    FLoadErrors.RemoveIf([&](const auto& item) { return records.count(item.Object) != 0; });
}

TZelmarRecordStore::TRecordSet TZelmarLoadingControl::FailedRecords() const {
    TZelmarRecordStore::TRecordSet failed;
    for (const auto& item : FLoadErrors) failed.insert(item.Object);
    return failed;
}

void TZelmarLoadingControl::Post(std::function<void()> event) {
    if (FDispatcher != nullptr) FDispatcher->Post(FLifetime.Guard(std::move(event)));
}
