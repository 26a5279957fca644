#include "Zelmar_Object_LoaderThread.h"

#include <utility>

#include "vesk_Guard.h"

TZelmarLoaderThread::TZelmarLoaderThread(platform::TUiDispatcher* dispatcher)
    : platform::TThread(dispatcher) {}

TZelmarLoaderThread::~TZelmarLoaderThread() {
    // Execute uses our members: stop it while they still exist.
    TerminateAndWait();
}

void TZelmarLoaderThread::SetOnLoadRecord(TLoadRecordEvent onLoadRecord) {
    const bool detach = !onLoadRecord;
    if (detach) FDetached = true;
    std::lock_guard<std::mutex> lock(FEventMutex);
    FOnLoadRecord = std::move(onLoadRecord);
    if (!detach) FDetached = false;
}

void TZelmarLoaderThread::Execute() {
    GuardedVoid("TZelmarLoaderThread.Execute", [this] {
        for (int index = 0; CheckSuspended() && index < RecordCount.load(); ++index) {
            if (FDetached) continue;
            {
                std::lock_guard<std::mutex> lock(FEventMutex);
                // Without a procedure the index is skipped; the loop goes on.
                if (!FOnLoadRecord) continue;
                if (!FOnLoadRecord(index)) break;
            }
            if (!FDetached && OnRecordRead && !OnRecordRead(index)) break;
        }
    });
}
