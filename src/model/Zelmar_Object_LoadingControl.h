#pragma once
// Loading a sheet's file: the indexing thread scans it and counts its entries, the loader
// thread then has record after record read while the UI thread may read any record on demand.
// Pausing, continuing and stopping the threads, the file being read, and the records that
// could not be read (the load errors, kept under the record lock).
//
// Threads: everything runs in the UI thread except the threads' own handlers, which stay
// private here. Events reach the owner through IZelmarLoadingClient, never while a lock is
// held; with postWorkerEvents the workers' events are posted to the UI thread instead.

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "Zelmar_Object_RecordStore.h"
#include "Zelmar_Object_StringList.h"
#include "vesk_Dispatcher.h"

class TveskSDFileManager;
class TZelmarIndexingThread;
class TZelmarLoaderThread;
class TZelmarSDFileData;

// What the loading control asks of the record list that owns it.
class IZelmarLoadingClient {
public:
    virtual ~IZelmarLoadingClient() = default;
    // UI thread.
    virtual void IndexingStarted() = 0;
    virtual void IndexingEnded() = 0;
    virtual void LoadingStarted() = 0;
    virtual void LoadingEnded() = 0;
    // The worker's thread, or the UI thread when posted. false stops the loader.
    virtual void IndexingProgress(int percent) = 0;
    virtual bool LoadingProgress(int percent) = 0;
    // Loader thread, after each record and before its progress.
    virtual void RecordRead() = 0;
    // A failure to remember as the last error; may come under the record lock, so it must
    // raise nothing.
    virtual void Failed(const std::string& error) = 0;
};

enum class TZelmarEntryRead { NotRead, Loaded, Failed };

class TZelmarLoadingControl {
public:
    using TRecordRefs = TZelmarStringList<TZelmarSDFileData>;

    // Without a dispatcher no file can be loaded (the end notifications need the UI thread).
    TZelmarLoadingControl(platform::TUiDispatcher* dispatcher, TZelmarRecordStore& records,
                          IZelmarLoadingClient& client);
    // Shutdown.
    ~TZelmarLoadingControl();
    TZelmarLoadingControl(const TZelmarLoadingControl&) = delete;
    TZelmarLoadingControl& operator=(const TZelmarLoadingControl&) = delete;

    // Whether this file may be read: a control reads one file in its life, and only with a
    // dispatcher. A refusal is reported through Failed.
    bool MayLoad(const std::string& fileName);
    // Empties the store and starts indexing; once it ends, the store gets a lazy record per
    // entry and the loader starts. True when indexing runs.
    bool StartIndexing(const std::string& fileName, bool postWorkerEvents);
    // Starts the loader thread over the store's records (once).
    void StartLoader();
    // The loader stops at its next record boundary and holds no record access until Continue;
    // true when it was running and is now paused.
    bool Pause();
    void Continue();
    void TerminateLoader();
    void TerminateIndexing();
    // Stops both threads; no end notification or posted event runs afterwards. First thing
    // in the owner's destructor.
    void Shutdown();

    // Under the record lock: reads the record from its file entry. A record that cannot be
    // read keeps its bytes and its reason, and is listed as a load error; so is one whose
    // texts were read but whose molecule cannot be (it counts as loaded).
    TZelmarEntryRead ReadEntry(TZelmarSDFileData& record);

    // The load errors, under the record lock. Listed only once loading has finished.
    bool HasLoadErrors() const { return FLoadFinished && !FLoadErrors.IsEmpty(); }
    const TRecordRefs* LoadErrors() const { return FLoadFinished ? &FLoadErrors : nullptr; }
    void ForgetLoadError(const TZelmarSDFileData* record);
    void ForgetLoadErrors(const TZelmarRecordStore::TRecordSet& records);
    void ClearLoadErrors() { FLoadErrors.Clear(); }
    TZelmarRecordStore::TRecordSet FailedRecords() const;

    // Runs the event on the UI thread while the control lives.
    void Post(std::function<void()> event);

    bool LoadFinished() const { return FLoadFinished; }
    bool AllLoaded() const { return FAllLoaded; }
    TveskSDFileManager* Manager() const { return FManager.get(); }

private:
    void HandleOnIndexingThreadProgress(double progress);
    void HandleOnIndexingThreadTerminate();
    bool HandleOnLoaderThreadLoadData(int index);
    bool HandleOnLoaderThreadRecordRead(int index);
    void HandleOnLoaderThreadTerminate();
    // The reason goes onto the record and into the load errors.
    void AddLoadError(TZelmarSDFileData& record, int entryNo, std::string reason);

    platform::TUiDispatcher* const FDispatcher;
    TZelmarRecordStore& FRecords;
    IZelmarLoadingClient& FClient;
    // Guards the threads' end notifications and posted events: none runs after Shutdown.
    platform::TLifetime FLifetime;
    std::unique_ptr<TveskSDFileManager> FManager;
    std::unique_ptr<TZelmarLoaderThread> FLoaderThread;
    std::unique_ptr<TZelmarIndexingThread> FIndexingThread;
    std::string FFileName;
    TRecordRefs FLoadErrors;
    bool FPostWorkerEvents = false;
    bool FLoadFinished = false;
    bool FAllLoaded = false;
    bool FIndexingStarted = false;
    bool FLoaderStarted = false;
    bool FLoaderPaused = false;
    std::atomic<int> FLoaderCount{0};
    std::atomic<int> FPostedLoadPercent{-1};
    std::atomic<int> FPostedIndexingPercent{-1};
    std::atomic<bool> FStopLoading{false};
};
