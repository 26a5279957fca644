#include "vesk_Dispatcher.h"

#include <utility>

#include "vesk_Guard.h"

namespace platform {

void TQueuedUiDispatcher::Post(std::function<void()> call) {
    // An empty call would throw in the UI thread; there is nothing to run.
    if (!call) return;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FCalls.push_back(std::move(call));
    }
    FQueued.notify_all();
}

std::size_t TQueuedUiDispatcher::ProcessPending() {
    std::deque<std::function<void()>> calls;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        calls.swap(FCalls);
    }
    for (auto& call : calls) GuardedVoid("TQueuedUiDispatcher.ProcessPending", call);
    return calls.size();
}

std::size_t TQueuedUiDispatcher::WaitAndProcess(std::chrono::milliseconds timeout) {
    {
        std::unique_lock<std::mutex> lock(FMutex);
        if (!FQueued.wait_for(lock, timeout, [this] { return !FCalls.empty(); })) return 0;
    }
    return ProcessPending();
}

TLifetime::TLifetime() : FState(std::make_shared<TState>()) {}

TLifetime::~TLifetime() {
    Revoke();
}

void TLifetime::Revoke() {
    std::lock_guard<std::recursive_mutex> lock(FState->Mutex);
    FState->Alive = false;
}

std::function<void()> TLifetime::Guard(std::function<void()> call) const {
    return [state = FState, call = std::move(call)] {
        // Held while the call runs, so that the owner cannot go away in the middle of it.
        std::lock_guard<std::recursive_mutex> lock(state->Mutex);
        if (state->Alive && call) call();
    };
}

}  // namespace platform
