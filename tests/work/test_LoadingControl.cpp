// The loading control on its own, over a record store and a client that records what it is
// told: the order of its events and that no lock is held while they run, load errors, refusing
// a second file, stopping, pausing, shutting down midway, and posted worker events.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ModelTestSupport.h"
#include "Zelmar_Object_LoadingControl.h"
#include "Zelmar_Object_SDFileData.h"
#include "vesk_ChemRoutines.h"

using namespace testing_support;
using namespace std::chrono_literals;

namespace {

// Records the events by name; each checks that no thread holds the record lock meanwhile.
class TClient final : public IZelmarLoadingClient {
public:
    explicit TClient(TZelmarRecordStore& store) : FStore(store) {}

    void IndexingStarted() override { Note("indexing started"); }
    void IndexingEnded() override { Note("indexing ended"); }
    void LoadingStarted() override { Note("loading started"); }
    void LoadingEnded() override { Note("loading ended"); }
    void IndexingProgress(int) override { Note("indexing progress"); }
    bool LoadingProgress(int percent) override {
        Note("loading progress");
        ProgressThreads.push_back(std::this_thread::get_id());
        Percents.push_back(percent);
        return Progress ? Progress(percent) : true;
    }
    void RecordRead() override {
        ++RecordsRead;
        std::this_thread::sleep_for(RecordDelay);
    }
    void Failed(const std::string& error) override {
        std::lock_guard<std::mutex> lock(Mutex);
        Failures.push_back(error);
    }

    std::vector<std::string> Names() {
        std::lock_guard<std::mutex> lock(Mutex);
        std::vector<std::string> names;
        for (const auto& name : Events)
            if (names.empty() || names.back() != name) names.push_back(name);
        return names;
    }

    std::mutex Mutex;
    std::vector<std::string> Events;
    std::vector<std::string> Failures;
    std::vector<int> Percents;  // loading progress, in the thread it runs in
    std::vector<std::thread::id> ProgressThreads;
    std::atomic<int> RecordsRead{0};
    std::atomic<int> HeldLocks{0};
    std::function<bool(int percent)> Progress;
    std::chrono::milliseconds RecordDelay{0};

private:
    void Note(const char* name) {
        // From another thread: a recursive mutex held by this one would still let it in.
        auto tryLock = [this] {
            if (!FStore.CriticalSection().try_lock()) return false;
            FStore.CriticalSection().unlock();
            return true;
        };
        if (!std::async(std::launch::async, tryLock).get()) ++HeldLocks;
        std::lock_guard<std::mutex> lock(Mutex);
        Events.emplace_back(name);
    }
    TZelmarRecordStore& FStore;
};

// A list's loading machinery without the list: the store reads through the control.
struct TLoading {
    platform::TQueuedUiDispatcher Ui;
    TZelmarRecordStore Store;
    TClient Client{Store};
    TZelmarLoadingControl Control;

    explicit TLoading(platform::TUiDispatcher* dispatcher = nullptr)
        : Control(dispatcher ? dispatcher : &Ui, Store, Client) {
        Store.SetReader([this](TZelmarSDFileData& record) { Control.ReadEntry(record); });
    }
    bool Start(const std::string& file, bool posted = false) {
        return Control.MayLoad(file) && Control.StartIndexing(file, posted);
    }
    bool Finish() {
        return PumpUntil(Ui, [this] { return Control.LoadFinished(); });
    }
    int Loaded() {
        std::lock_guard<std::recursive_mutex> lock(Store.CriticalSection());
        int loaded = 0;
        for (int i = 0; i < Store.Count(); ++i) loaded += Store.At(i)->IsLoaded() ? 1 : 0;
        return loaded;
    }
};

std::string NumberedFile(const TTempDir& dir, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += SDRecord(MolBlock("record", {"C", "O"}), {{"No", {std::to_string(i)}}});
    std::string path = dir.File("numbered.sdf");
    WriteText(path, text);
    return path;
}

}  // namespace

TEST(LoadingControl, LoadsEveryEntryWithEventsInOrderAndNoLockHeld) {
    TTempDir dir;
    const std::string file = dir.File("three.sdf");
    std::string broken = MolBlock("broken", {"C"});
    broken.erase(broken.find("M  END"));
    WriteText(file, SDRecord(MolBlock("a", {"C"}), {}) + SDRecord(broken, {}) +
                        SDRecord(MolBlock("c", {"N"}), {}));
    TLoading loading;
    ASSERT_TRUE(loading.Start(file));
    EXPECT_EQ(loading.Control.LoadErrors(), nullptr);
    ASSERT_TRUE(loading.Finish());

    EXPECT_EQ(loading.Client.Names(),
              (std::vector<std::string>{"indexing started", "indexing progress", "indexing ended",
                                        "loading started", "loading progress", "loading ended"}));
    EXPECT_EQ(loading.Client.HeldLocks.load(), 0);
    EXPECT_EQ(loading.Client.RecordsRead.load(), 3);
    EXPECT_EQ(loading.Client.Percents, (std::vector<int>{0, 33, 67}));
    ASSERT_EQ(loading.Store.Count(), 3);
    EXPECT_EQ(loading.Store.At(2)->EntryNo(), 2);
    EXPECT_EQ(loading.Loaded(), 2);
    EXPECT_TRUE(loading.Control.AllLoaded());
    EXPECT_EQ(loading.Control.Manager()->FileHandle(), 0u);  // every record tried

    // The broken record: listed once, its bytes kept, its reason reported.
    TZelmarSDFileData* bad = loading.Store.At(1);
    ASSERT_TRUE(loading.Control.HasLoadErrors());
    ASSERT_EQ(loading.Control.LoadErrors()->GetCount(), 1);
    EXPECT_EQ(loading.Control.LoadErrors()->GetObject(0), bad);
    EXPECT_FALSE(bad->Texts().OrgText().empty());
    ASSERT_EQ(loading.Client.Failures.size(), 1u);
    EXPECT_EQ(loading.Client.Failures[0], "record 2: " + bad->LoadError);
    EXPECT_EQ(loading.Control.ReadEntry(*bad), TZelmarEntryRead::NotRead);  // file let go
    EXPECT_EQ(loading.Control.FailedRecords().count(bad), 1u);
    loading.Control.ForgetLoadError(bad);
    EXPECT_FALSE(loading.Control.HasLoadErrors());
}

TEST(LoadingControl, ReadsOneFileOnlyAndNeverWithoutADispatcher) {
    TTempDir dir;
    const std::string file = NumberedFile(dir, 2);
    TLoading loading;
    ASSERT_TRUE(loading.Start(file));
    ASSERT_TRUE(loading.Finish());
    EXPECT_FALSE(loading.Control.MayLoad(file));
    EXPECT_FALSE(loading.Control.StartIndexing(file, false));
    loading.Control.StartLoader();  // once only: nothing more happens
    loading.Ui.WaitAndProcess(20ms);
    EXPECT_EQ(loading.Client.RecordsRead.load(), 2);
    ASSERT_EQ(loading.Client.Failures.size(), 1u);
    EXPECT_NE(loading.Client.Failures[0].find("has read a file already"), std::string::npos);

    TZelmarRecordStore store;
    TClient client(store);
    TZelmarLoadingControl alone(nullptr, store, client);
    EXPECT_FALSE(alone.MayLoad(file));
    EXPECT_FALSE(alone.StartIndexing(file, false));
    ASSERT_EQ(client.Failures.size(), 1u);
    EXPECT_NE(client.Failures[0].find("no dispatcher"), std::string::npos);
    EXPECT_TRUE(client.Names().empty());
}

TEST(LoadingControl, AFileThatCannotBeReadEndsWithNoRecordsAndItsReason) {
    TTempDir dir;
    TLoading loading;
    ASSERT_TRUE(loading.Start(dir.File("missing.sdf")));
    ASSERT_TRUE(loading.Finish());
    EXPECT_EQ(loading.Store.Count(), 0);
    ASSERT_FALSE(loading.Client.Failures.empty());
    EXPECT_EQ(loading.Client.Failures[0], loading.Control.Manager()->LastError);
}

TEST(LoadingControl, StoppedLoaderKeepsTheFileForTheUnreadRecords) {
    TTempDir dir;
    TLoading loading;
    loading.Client.Progress = [](int) { return false; };
    ASSERT_TRUE(loading.Start(NumberedFile(dir, 50)));
    ASSERT_TRUE(loading.Finish());
    EXPECT_EQ(loading.Client.RecordsRead.load(), 1);
    EXPECT_EQ(loading.Loaded(), 1);
    EXPECT_NE(loading.Control.Manager()->FileHandle(), 0u);
    EXPECT_TRUE(loading.Store.Fetch(49)->IsLoaded());
}

TEST(LoadingControl, PausedLoaderReadsNothingUntilContinued) {
    TTempDir dir;
    TLoading loading;
    std::atomic<int> calls{0};
    loading.Client.Progress = [&](int) {
        if (++calls == 1) std::this_thread::sleep_for(50ms);
        return true;
    };
    ASSERT_TRUE(loading.Start(NumberedFile(dir, 300)));
    ASSERT_TRUE(PumpUntil(loading.Ui, [&] { return calls.load() > 0; }));
    ASSERT_TRUE(loading.Control.Pause());
    EXPECT_FALSE(loading.Control.Pause());  // paused already
    const int read = loading.Client.RecordsRead.load();
    // Paused between two records: the record lock is free and nothing more is read.
    {
        std::lock_guard<std::recursive_mutex> lock(loading.Store.CriticalSection());
        std::this_thread::sleep_for(30ms);
    }
    EXPECT_EQ(loading.Client.RecordsRead.load(), read);
    EXPECT_LT(read, 300);
    loading.Control.Continue();
    ASSERT_TRUE(loading.Finish());
    EXPECT_EQ(loading.Loaded(), 300);
    EXPECT_FALSE(loading.Control.Pause());  // finished: nothing to pause
}

TEST(LoadingControl, ShutdownMidwayReadsNoFurtherRecordAndEndsNothingLater) {
    TTempDir dir;
    TLoading loading;
    std::atomic<int> calls{0};
    loading.Client.Progress = [&](int) {
        ++calls;
        std::this_thread::sleep_for(1ms);
        return true;
    };
    ASSERT_TRUE(loading.Start(NumberedFile(dir, 300)));
    ASSERT_TRUE(PumpUntil(loading.Ui, [&] { return calls.load() > 2; }));
    loading.Control.Shutdown();
    const int read = loading.Client.RecordsRead.load();
    loading.Ui.WaitAndProcess(20ms);
    loading.Ui.ProcessPending();
    EXPECT_EQ(loading.Client.RecordsRead.load(), read);
    EXPECT_LT(read, 300);
    EXPECT_FALSE(loading.Control.LoadFinished());
    const auto names = loading.Client.Names();
    EXPECT_EQ(std::count(names.begin(), names.end(), "loading ended"), 0);
}

TEST(LoadingControl, PostedProgressRunsOnTheUiThreadOncePerPercentAndCanStop) {
    TTempDir dir;
    TLoading loading;
    // A slow loader: the stop answered on the UI thread reaches it long before its end.
    loading.Client.RecordDelay = 1ms;
    loading.Client.Progress = [](int percent) { return percent < 50; };
    ASSERT_TRUE(loading.Start(NumberedFile(dir, 400), true));
    ASSERT_TRUE(loading.Finish());
    const auto& percents = loading.Client.Percents;
    ASSERT_FALSE(percents.empty());
    EXPECT_TRUE(std::adjacent_find(percents.begin(), percents.end()) == percents.end());
    for (const auto& id : loading.Client.ProgressThreads) EXPECT_EQ(id, std::this_thread::get_id());
    EXPECT_GE(percents.back(), 50);
    EXPECT_LT(loading.Loaded(), 400);
}
