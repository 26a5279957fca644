#include "Zelmar_Object_IndexingThread.h"

#include "vesk_Guard.h"

TZelmarIndexingThread::TZelmarIndexingThread(platform::TUiDispatcher* dispatcher)
    : platform::TThread(dispatcher) {}

TZelmarIndexingThread::~TZelmarIndexingThread() {
    // Execute uses our members: wait for the scan while they still exist.
    TerminateAndWait();
}

void TZelmarIndexingThread::DoProgress(TveskSDFileManager* sender, double progress) {
    if (OnProgress) OnProgress(sender, progress);
}

void TZelmarIndexingThread::Execute() {
    GuardedVoid("TZelmarIndexingThread.Execute", [this] {
        if (Manager == nullptr) return;
        // A failure leaves the manager's TotalCount at -1 and its reason in LastError; the
        // hand-over then makes no records.
        Manager->OpenSDFile(
            FileName, std::string(),
            [this](TveskSDFileManager* sender, double progress) {
                DoProgress(sender, progress);
                return true;
            },
            nullptr, true);
    });
}
