#pragma once
// A worker thread in the manner of Windows threads: created suspended, started by
// Resume, stopped cooperatively by Suspend at the worker's safe points, asked to end by
// Terminate, waited for by WaitFor. Runs one step below normal priority. Its end is
// announced through the UI dispatcher, never to an owner that is already gone.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "vesk_Dispatcher.h"

namespace platform {

class TThread {
public:
    // Does not start the worker. The dispatcher (may be null: no end notification) must
    // outlive the worker.
    explicit TThread(TUiDispatcher* dispatcher = nullptr);
    // TerminateAndWait. A subclass whose Execute uses the subclass's own members must call
    // TerminateAndWait in its own destructor: by the time this one runs, they are gone.
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Starts the worker, or takes back one Suspend. Suspends are counted, as on the platform
    // Zelmar comes from: two Suspends need two Resumes.
    void Resume();
    // Asks the worker to stop at its next safe point and waits until it has stopped there or
    // has finished. From the worker itself it only asks. Does nothing before the start.
    void Suspend();
    // Sets Terminated; Execute is expected to look at it and return.
    void Terminate();
    // Waits until the worker has ended. Returns at once if it was never started or when
    // called from the worker. Waiting for a suspended worker waits until someone resumes it.
    void WaitFor();
    // Terminates, takes back every Suspend and waits for the worker. A worker that was never
    // started is not started now (its Execute does not run at all).
    void TerminateAndWait();

    bool Suspended() const;
    bool Finished() const;
    bool Terminated() const { return FTerminated.load(); }

    // Runs in the UI thread (through the dispatcher) after Execute has returned, unless this
    // object has been destroyed by then. Set it before Resume, from the UI thread.
    std::function<void(TThread* sender)> OnTerminate;

protected:
    // The work, in the worker thread. Exceptions that leave it are traced and end the worker.
    virtual void Execute() = 0;
    // A safe point: blocks while the thread is suspended. Returns !Terminated().
    bool CheckSuspended();

private:
    void Run();

    TUiDispatcher* const FDispatcher;
    std::atomic<bool> FTerminated{false};

    mutable std::mutex FMutex;  // guards the fields below and the start of FThread
    std::condition_variable FChanged;
    bool FStarted = false;
    bool FFinished = false;
    bool FParked = false;  // the worker waits in CheckSuspended
    unsigned FSuspendCount = 0;
    std::thread::id FWorkerId;

    std::mutex FJoinMutex;  // one joiner at a time
    std::thread FThread;

    TLifetime FLifetime;
};

}  // namespace platform
