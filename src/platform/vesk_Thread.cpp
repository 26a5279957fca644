#include "vesk_Thread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#include "vesk_Guard.h"

namespace platform {

namespace {

// One step below normal: one nice level above the process's, for this thread only (Linux
// keeps a nice value per thread). Not being allowed is no reason to stop.
void LowerOwnPriority() {
#ifdef __linux__
    const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, tid);
    if (current == -1 && errno != 0) return;
    if (current < 19) (void)::setpriority(PRIO_PROCESS, tid, current + 1);
#endif
}

}  // namespace

TThread::TThread(TUiDispatcher* dispatcher) : FDispatcher(dispatcher) {}

TThread::~TThread() {
    // First, so that an end notification still queued or about to be posted finds us gone.
    FLifetime.Revoke();
    TerminateAndWait();
    // Only left joinable when the worker destroys its own object: it cannot join itself.
    std::lock_guard<std::mutex> join(FJoinMutex);
    if (FThread.joinable()) FThread.detach();
}

void TThread::TerminateAndWait() {
    GuardedVoid("TThread.TerminateAndWait", [this] {
        bool ownWorker = false;
        {
            std::lock_guard<std::mutex> lock(FMutex);
            if (!FStarted) return;
            ownWorker = std::this_thread::get_id() == FWorkerId;
            FTerminated = true;
            FSuspendCount = 0;
        }
        FChanged.notify_all();
        if (ownWorker) return;  // the worker ends when it returns from Execute
        std::lock_guard<std::mutex> join(FJoinMutex);
        if (FThread.joinable()) FThread.join();
    });
}

void TThread::Resume() {
    GuardedVoid("TThread.Resume", [this] {
        std::unique_lock<std::mutex> lock(FMutex);
        if (!FStarted) {
            FThread = std::thread(&TThread::Run, this);
            FWorkerId = FThread.get_id();
            FStarted = true;
            return;
        }
        if (FSuspendCount > 0 && --FSuspendCount == 0) {
            lock.unlock();
            FChanged.notify_all();
        }
    });
}

void TThread::Suspend() {
    GuardedVoid("TThread.Suspend", [this] {
        std::unique_lock<std::mutex> lock(FMutex);
        if (!FStarted || FFinished) return;
        ++FSuspendCount;
        if (std::this_thread::get_id() == FWorkerId) return;
        // Also stop waiting if somebody else resumed it before it got to a safe point.
        FChanged.wait(lock, [this] { return FParked || FFinished || FSuspendCount == 0; });
    });
}

void TThread::Terminate() {
    FTerminated = true;
}

void TThread::WaitFor() {
    GuardedVoid("TThread.WaitFor", [this] {
        {
            std::lock_guard<std::mutex> lock(FMutex);
            if (!FStarted || std::this_thread::get_id() == FWorkerId) return;
        }
        std::lock_guard<std::mutex> join(FJoinMutex);
        if (FThread.joinable()) FThread.join();
    });
}

bool TThread::Suspended() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return !FStarted || (FSuspendCount > 0 && !FFinished);
}

bool TThread::Finished() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FFinished;
}

bool TThread::CheckSuspended() {
    std::unique_lock<std::mutex> lock(FMutex);
    if (FSuspendCount > 0) {
        FParked = true;
        FChanged.notify_all();
        FChanged.wait(lock, [this] { return FSuspendCount == 0; });
        FParked = false;
    }
    return !FTerminated;
}

void TThread::Run() {
    LowerOwnPriority();
    GuardedVoid("TThread.Execute", [this] { Execute(); });
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FFinished = true;
    }
    FChanged.notify_all();
    if (FDispatcher == nullptr) return;
    GuardedVoid("TThread.DoTerminate", [this] {
        FDispatcher->Post(FLifetime.Guard([this] {
            if (OnTerminate) OnTerminate(this);
        }));
    });
}

}  // namespace platform
