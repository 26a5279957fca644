#pragma once
// Calls handed to the user-interface thread. Workers post and never wait; the UI thread runs
// the calls later, in the order they were posted. An owner that may be destroyed before its
// calls run guards them with a TLifetime.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace platform {

class TUiDispatcher {
public:
    virtual ~TUiDispatcher() = default;
    // Queues the call for the UI thread and returns at once; callable from any thread.
    virtual void Post(std::function<void()> call) = 0;
};

// A dispatcher whose queue the owner pumps: for tests and tools without a Qt event loop.
// The thread that pumps is the "UI thread".
class TQueuedUiDispatcher : public TUiDispatcher {
public:
    void Post(std::function<void()> call) override;
    // Runs the calls queued when it starts; calls they post wait for the next round. A call
    // that throws is traced and the others still run. Returns the number of calls run.
    std::size_t ProcessPending();
    // Waits up to the timeout until a call is queued, then processes as ProcessPending.
    std::size_t WaitAndProcess(std::chrono::milliseconds timeout);

private:
    std::mutex FMutex;
    std::condition_variable FQueued;
    std::deque<std::function<void()>> FCalls;
};

// Held by an owner whose calls are posted: once the owner (and with it this object) is gone,
// a guarded call does nothing. Destroying or revoking it on another thread while a guarded
// call runs waits until that call has returned; doing so from inside the call is allowed.
class TLifetime {
public:
    TLifetime();
    ~TLifetime();
    TLifetime(const TLifetime&) = delete;
    TLifetime& operator=(const TLifetime&) = delete;

    // A call that runs the given one only while this object lives and has not been revoked.
    std::function<void()> Guard(std::function<void()> call) const;
    // Ends the owner's life early (first thing in a destructor, before members go).
    void Revoke();

private:
    struct TState {
        std::recursive_mutex Mutex;
        bool Alive = true;
    };
    std::shared_ptr<TState> FState;
};

}  // namespace platform
