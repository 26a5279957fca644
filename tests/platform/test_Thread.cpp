#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "PlatformTestSupport.h"
#include "vesk_Dispatcher.h"
#include "vesk_Thread.h"
#include "vesk_Trace.h"

namespace {

using namespace platform;
using namespace std::chrono_literals;

// Spins (yielding) until the condition holds; the generous limit only keeps a broken build
// from hanging the test run.
template <typename Condition>
bool Eventually(Condition condition) {
    const auto giveUp = std::chrono::steady_clock::now() + 20s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > giveUp) return false;
        std::this_thread::yield();
    }
    return true;
}

// ---- dispatcher and lifetime -------------------------------------------------------------

TEST(QueuedUiDispatcher, RunsCallsFromManyThreadsInTheirOrder) {
    TQueuedUiDispatcher dispatcher;
    constexpr int Producers = 4;
    constexpr int CallsEach = 200;
    std::vector<std::vector<int>> seen(Producers);
    std::vector<std::thread> producers;
    for (int p = 0; p < Producers; ++p)
        producers.emplace_back([&dispatcher, &seen, p] {
            for (int i = 0; i < CallsEach; ++i) dispatcher.Post([&seen, p, i] { seen[p].push_back(i); });
        });
    std::size_t run = 0;
    while (run < std::size_t(Producers * CallsEach)) {
        const std::size_t now = dispatcher.WaitAndProcess(5s);
        ASSERT_GT(now, 0u);
        run += now;
    }
    for (auto& producer : producers) producer.join();
    for (int p = 0; p < Producers; ++p) {
        ASSERT_EQ(seen[p].size(), std::size_t(CallsEach));
        for (int i = 0; i < CallsEach; ++i) EXPECT_EQ(seen[p][i], i);
    }
    EXPECT_EQ(dispatcher.ProcessPending(), 0u);
}

TEST(QueuedUiDispatcher, CallsPostedWhileProcessingWaitForTheNextRound) {
    TQueuedUiDispatcher dispatcher;
    std::vector<std::string> log;
    dispatcher.Post([&] {
        log.emplace_back("first");
        dispatcher.Post([&] { log.emplace_back("posted by first"); });
    });
    dispatcher.Post([] { throw std::runtime_error("a failing call"); });
    dispatcher.Post({});  // nothing to run
    dispatcher.Post([&] { log.emplace_back("after the failure"); });
    EXPECT_EQ(dispatcher.PendingCount(), 3u);
    EXPECT_EQ(dispatcher.ProcessPending(), 3u);
    EXPECT_EQ(log, (std::vector<std::string>{"first", "after the failure"}));
    EXPECT_EQ(dispatcher.WaitAndProcess(1ms), 1u);
    EXPECT_EQ(log.back(), "posted by first");
    EXPECT_EQ(dispatcher.WaitAndProcess(1ms), 0u);
}

TEST(Lifetime, GuardedCallsStopWithTheirOwner) {
    int calls = 0;
    std::function<void()> guarded;
    std::function<void()> revoked;
    {
        TLifetime owner;
        guarded = owner.Guard([&] { ++calls; });
        guarded();
        EXPECT_EQ(calls, 1);
        TLifetime early;
        revoked = early.Guard([&] { ++calls; });
        early.Revoke();
        EXPECT_FALSE(early.Alive());
        revoked();
        EXPECT_EQ(calls, 1);
    }
    guarded();
    EXPECT_EQ(calls, 1);

    // The call may end its own owner's life.
    auto owner = std::make_unique<TLifetime>();
    auto selfEnding = owner->Guard([&] {
        owner.reset();
        ++calls;
    });
    selfEnding();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(owner, nullptr);
}

TEST(Lifetime, OwnerGoingAwayElsewhereWaitsForARunningCall) {
    auto owner = std::make_unique<TLifetime>();
    std::atomic<bool> inCall{false};
    std::atomic<bool> release{false};
    std::atomic<bool> ownerGone{false};
    auto call = owner->Guard([&] {
        inCall = true;
        while (!release) std::this_thread::yield();
    });
    std::thread ui(call);
    ASSERT_TRUE(Eventually([&] { return inCall.load(); }));
    std::thread other([&] {
        owner.reset();
        ownerGone = true;
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(ownerGone);
    release = true;
    ui.join();
    other.join();
    EXPECT_TRUE(ownerGone);
}

// ---- TThread -----------------------------------------------------------------------------

// Works in small units with a safe point before each, until terminated or out of units.
class TCountingThread : public TThread {
public:
    explicit TCountingThread(TUiDispatcher* dispatcher = nullptr, int units = -1)
        : TThread(dispatcher), FUnits(units) {}
    ~TCountingThread() override { TerminateAndWait(); }
    std::atomic<int> Done{0};
    std::atomic<bool> InUnit{false};
    std::atomic<bool> SuspendItself{false};

protected:
    void Execute() override {
        while (CheckSuspended() && (FUnits < 0 || Done < FUnits)) {
            if (SuspendItself.exchange(false)) Suspend();
            InUnit = true;
            std::this_thread::yield();
            ++Done;
            InUnit = false;
        }
    }

private:
    const int FUnits;
};

TEST(Thread, CreatedSuspendedAndStartedByResume) {
    TCountingThread thread(nullptr, 3);
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(thread.Suspended());
    EXPECT_FALSE(thread.Finished());
    EXPECT_EQ(thread.Done, 0);
    thread.WaitFor();  // not started: returns at once
    thread.Resume();
    thread.WaitFor();
    EXPECT_EQ(thread.Done, 3);
    EXPECT_TRUE(thread.Finished());
    EXPECT_FALSE(thread.Suspended());
    EXPECT_FALSE(thread.Terminated());
}

TEST(Thread, SuspendStopsAtASafePointAndCounts) {
    TCountingThread thread;
    thread.Resume();
    ASSERT_TRUE(Eventually([&] { return thread.Done > 0; }));

    thread.Suspend();
    EXPECT_TRUE(thread.Suspended());
    EXPECT_FALSE(thread.InUnit);  // stopped between units, not inside one
    const int stoppedAt = thread.Done;
    thread.Suspend();  // two suspends ...
    thread.Resume();   // ... need two resumes
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(thread.Done, stoppedAt);
    EXPECT_TRUE(thread.Suspended());

    thread.Resume();
    EXPECT_FALSE(thread.Suspended());
    ASSERT_TRUE(Eventually([&] { return thread.Done > stoppedAt; }));

    thread.Terminate();
    thread.WaitFor();
    EXPECT_TRUE(thread.Terminated());
    EXPECT_TRUE(thread.Finished());
    thread.Suspend();  // a finished worker: nothing to wait for
    EXPECT_FALSE(thread.Suspended());
}

TEST(Thread, WorkerMaySuspendItself) {
    TCountingThread thread;
    thread.SuspendItself = true;
    thread.Resume();
    ASSERT_TRUE(Eventually([&] { return thread.Suspended(); }));
    thread.Suspend();  // waits until the worker has reached its safe point
    const int stoppedAt = thread.Done;
    EXPECT_FALSE(thread.InUnit);
    thread.Resume();
    thread.Resume();
    ASSERT_TRUE(Eventually([&] { return thread.Done > stoppedAt; }));
}

// Its worker touches nothing of the subclass, so the base destructor alone may stop it.
std::atomic<int> BareUnits{0};
std::atomic<bool> BareRan{false};
class TBareThread : public TThread {
protected:
    void Execute() override {
        BareRan = true;
        while (CheckSuspended()) ++BareUnits;
    }
};

TEST(Thread, DestructorReleasesASuspendedWorkerAndNeverStartsOne) {
    BareRan = false;
    { TBareThread neverStarted; }
    EXPECT_FALSE(BareRan);

    auto thread = std::make_unique<TBareThread>();
    thread->Resume();
    ASSERT_TRUE(Eventually([] { return BareUnits > 0; }));
    thread->Suspend();
    thread.reset();  // terminates, resumes and joins
    EXPECT_TRUE(BareRan);
}

class TFailingThread : public TThread {
public:
    using TThread::TThread;

protected:
    void Execute() override { throw std::runtime_error("disk on fire"); }
};

TEST(Thread, EndIsAnnouncedInTheUiThreadWhileTheOwnerLives) {
    TQueuedUiDispatcher dispatcher;
    TCountingThread thread(&dispatcher, 2);
    std::vector<TThread*> senders;
    std::thread::id announcedIn;
    thread.OnTerminate = [&](TThread* sender) {
        senders.push_back(sender);
        announcedIn = std::this_thread::get_id();
    };
    thread.Resume();
    thread.WaitFor();
    EXPECT_TRUE(senders.empty());  // posted, not called from the worker
    EXPECT_EQ(dispatcher.ProcessPending(), 1u);
    EXPECT_EQ(senders, std::vector<TThread*>{&thread});
    EXPECT_EQ(announcedIn, std::this_thread::get_id());

    // An owner destroyed before the UI thread gets to the call is not called.
    bool called = false;
    auto gone = std::make_unique<TCountingThread>(&dispatcher, 1);
    gone->OnTerminate = [&](TThread*) { called = true; };
    gone->Resume();
    gone->WaitFor();
    gone.reset();
    EXPECT_EQ(dispatcher.ProcessPending(), 1u);
    EXPECT_FALSE(called);
}

TEST(Thread, ExceptionInExecuteIsTracedAndEndsTheWorker) {
    platformtest::TScratchFolder folder;
    const std::string trace = folder.File("trace.txt");
    {
        std::ofstream config(folder.File("probe.ETC"));
        config << "[TRACE]\nTrace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=" << trace << "\n";
    }
    TraceReadConfiguration(folder.File("probe.so"), folder.File("probe"));

    TQueuedUiDispatcher dispatcher;
    bool announced = false;
    {
        TFailingThread thread(&dispatcher);
        thread.OnTerminate = [&](TThread*) { announced = true; };
        thread.Resume();
        thread.WaitFor();
        EXPECT_TRUE(thread.Finished());
        dispatcher.ProcessPending();
    }
    EXPECT_TRUE(announced);

    TraceReadConfiguration(folder.File("none.so"), folder.File("none"));  // tracing off
    const auto bytes = platformtest::ReadBytes(trace);
    const std::string lines(bytes.begin(), bytes.end());
    EXPECT_NE(lines.find("[TThread.Execute]"), std::string::npos) << lines;
    EXPECT_NE(lines.find("disk on fire"), std::string::npos) << lines;
}

}  // namespace
