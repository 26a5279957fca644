#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include "PlatformTestSupport.h"
#include "vesk_Thread.h"
#include "vesk_Trace.h"

namespace {

using namespace platform;
using namespace std::chrono_literals;

// Yields until the condition holds; the limit only keeps a broken build from hanging.
template <typename Condition>
bool Eventually(Condition condition) {
    const auto giveUp = std::chrono::steady_clock::now() + 20s;
    while (!condition() && std::chrono::steady_clock::now() < giveUp) std::this_thread::yield();
    return condition();
}

TEST(QueuedUiDispatcher, RunsCallsInOrderOneRoundAtATime) {
    TQueuedUiDispatcher dispatcher;
    std::vector<int> seen;
    std::thread worker([&] {
        for (int i = 0; i < 500; ++i) dispatcher.Post([&seen, i] { seen.push_back(i); });
    });
    while (seen.size() < 500) ASSERT_GT(dispatcher.WaitAndProcess(5s), 0u);
    worker.join();
    for (int i = 0; i < 500; ++i) ASSERT_EQ(seen[i], i);

    seen.clear();
    dispatcher.Post([&] { dispatcher.Post([&] { seen.push_back(2); }); });
    dispatcher.Post([] { throw std::runtime_error("a failing call"); });
    dispatcher.Post({});
    dispatcher.Post([&] { seen.push_back(1); });
    EXPECT_EQ(dispatcher.ProcessPending(), 3u);  // the call posted meanwhile waits
    EXPECT_EQ(dispatcher.WaitAndProcess(1ms), 1u);
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
}

// Works in small units with a safe point before each, until terminated or out of units.
struct TCountingThread : TThread {
    explicit TCountingThread(TUiDispatcher* dispatcher = nullptr, int units = -1)
        : TThread(dispatcher), Units(units) {}
    ~TCountingThread() override { TerminateAndWait(); }
    void Execute() override {
        while (CheckSuspended() && Done != Units)
            InUnit = true, std::this_thread::yield(), ++Done, InUnit = false;
    }
    const int Units;
    std::atomic<int> Done{0};
    std::atomic<bool> InUnit{false};
};

TEST(Thread, CreatedSuspendedThenSuspendedAtSafePoints) {
    TCountingThread thread;
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(thread.Suspended());
    EXPECT_EQ(thread.Done, 0);
    thread.Resume();
    ASSERT_TRUE(Eventually([&] { return thread.Done > 0; }));
    thread.Suspend();
    EXPECT_FALSE(thread.InUnit);
    const int stoppedAt = thread.Done;
    thread.Suspend(), thread.Resume();  // two suspends need two resumes
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(thread.Done, stoppedAt);
    thread.Resume();
    ASSERT_TRUE(Eventually([&] { return thread.Done > stoppedAt; }));
    thread.Terminate();
    thread.WaitFor();
    EXPECT_TRUE(thread.Finished());
    thread.Suspend();  // finished: returns at once
}

// Touches nothing of its own, so the base destructor alone may stop it.
std::atomic<int> BareRuns{0};
struct TBareThread : TThread {
    void Execute() override {
        for (++BareRuns; CheckSuspended();) std::this_thread::yield();
    }
};

TEST(Thread, DestructorReleasesASuspendedWorkerAndStartsNone) {
    BareRuns = 0;
    { TBareThread neverStarted; }
    auto thread = std::make_unique<TBareThread>();
    thread->Resume();
    thread->Suspend();
    thread.reset();
    EXPECT_EQ(BareRuns, 1);
}

struct TFailingThread : TThread {
    using TThread::TThread;
    void Execute() override { throw std::runtime_error("disk on fire"); }
};

TEST(Thread, EndIsAnnouncedInTheUiThreadOnlyWhileTheOwnerLives) {
    platformtest::TScratchFolder folder;
    std::ofstream(folder.File("t.ETC"))
        << "[TRACE]\nTrace=1\nLevel=ERROR\nOutput=TEXT\nTraceFile=trace.txt\n";
    TraceReadConfiguration(folder.File("t.so"), folder.File("t"));
    TQueuedUiDispatcher dispatcher;
    std::vector<TThread*> senders;
    auto failing = std::make_unique<TFailingThread>(&dispatcher);
    auto gone = std::make_unique<TCountingThread>(&dispatcher, 1);
    for (TThread* thread :
         {static_cast<TThread*>(failing.get()), static_cast<TThread*>(gone.get())}) {
        thread->OnTerminate = [&](TThread* sender) { senders.push_back(sender); };
        thread->Resume();
        thread->WaitFor();
    }
    EXPECT_TRUE(senders.empty());  // posted, not called by the worker
    gone.reset();
    EXPECT_EQ(dispatcher.ProcessPending(), 2u);
    EXPECT_EQ(senders, std::vector<TThread*>{failing.get()});
    TraceReadConfiguration(folder.File("none.so"), folder.File("none"));  // tracing off again
    const std::string trace = platformtest::ReadText(folder.File("trace.txt"));
    EXPECT_NE(
        trace.find(
            "[TThread.Execute], exception of type std::runtime_error with message disk on fire"),
        std::string::npos)
        << trace;
}

}  // namespace
