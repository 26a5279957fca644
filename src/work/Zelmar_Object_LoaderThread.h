#pragma once
// Visits every record index once, in order, and has the record list read that record.
// Between two records it is a safe point: terminating and pausing take effect there.

#include <atomic>
#include <functional>
#include <mutex>

#include "vesk_Thread.h"

class TZelmarLoaderThread : public platform::TThread {
public:
    // Answer false to stop the loader.
    using TLoadRecordEvent = std::function<bool(int index)>;

    explicit TZelmarLoaderThread(platform::TUiDispatcher* dispatcher);
    ~TZelmarLoaderThread() override;

    // Set before Resume. -1 until then.
    std::atomic<int> RecordCount{-1};
    // Called after each record was read, outside every lock of the loader, unless the
    // procedure was detached meanwhile; false stops the loader. Set before Resume.
    TLoadRecordEvent OnRecordRead;

    // Replaces the per-index procedure. Waits while the loader is inside the old one, so
    // that after detaching (null) no further record is read.
    void SetOnLoadRecord(TLoadRecordEvent onLoadRecord);

protected:
    void Execute() override;

private:
    std::mutex FEventMutex;  // held while OnLoadRecord runs, never while OnRecordRead does
    TLoadRecordEvent FOnLoadRecord;
    // Looked at before taking FEventMutex, so that a detaching thread does not have to win
    // the mutex against a loader that takes it again at once.
    std::atomic<bool> FDetached{false};
};
