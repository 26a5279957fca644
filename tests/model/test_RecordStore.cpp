// The record store on its own: reading on demand through its reader, positions against file
// entry numbers, removing and reordering, and the record lock keeping readers out.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "Zelmar_Object_RecordStore.h"
#include "Zelmar_Object_SDFileData.h"

namespace {

using namespace std::chrono_literals;

// A store whose reader notes the entry numbers it was asked for; entries listed in Failing
// fail, the others load.
struct TReadingStore {
    TZelmarRecordStore Store;
    std::vector<int> ReadEntries;
    std::vector<int> Failing;

    TReadingStore() {
        Store.SetReader([this](TZelmarSDFileData& record) {
            ReadEntries.push_back(record.EntryNo());
            for (const int entry : Failing) {
                if (entry == record.EntryNo()) {
                    record.LoadError = "broken";
                    return;
                }
            }
            record.Texts().MakeEmpty();
        });
    }
    std::vector<int> EntryNumbers() const {
        std::vector<int> entries;
        entries.reserve(static_cast<std::size_t>(Store.Count()));
        for (int i = 0; i < Store.Count(); ++i) entries.push_back(Store.At(i)->EntryNo());
        return entries;
    }
};

}  // namespace

TEST(RecordStore, FetchReadsEachUntriedRecordOnceAndNeverOutsideTheList) {
    TReadingStore reading;
    TZelmarRecordStore& store = reading.Store;
    reading.Failing = {1};
    store.ReplaceWithEntries(3);
    store.AppendNew(false);  // made in the program: loaded from the start

    int count = -1;
    EXPECT_TRUE(store.Fetch(0, &count)->IsLoaded());
    EXPECT_EQ(count, 4);
    EXPECT_EQ(store.Fetch(1)->LoadError, "broken");
    store.Fetch(0);
    store.Fetch(1);  // failed: not tried again
    store.Fetch(3);
    EXPECT_EQ(store.Fetch(4, &count), nullptr);
    EXPECT_EQ(store.Fetch(-1), nullptr);
    EXPECT_EQ(reading.ReadEntries, (std::vector<int>{0, 1}));
    EXPECT_FALSE(store.EveryRecordTried());

    std::vector<TZelmarSDFileData*> range;
    store.FetchRange(2, 4, range);
    ASSERT_EQ(range.size(), 4u);
    EXPECT_EQ(range[0], store.At(2));
    EXPECT_EQ(range[1], store.At(3));
    EXPECT_EQ(range[2], nullptr);
    EXPECT_EQ(range[3], nullptr);
    EXPECT_EQ(reading.ReadEntries, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(store.EveryRecordTried());
}

TEST(RecordStore, RecordsKeepTheirEntriesWhenMovedOrRemoved) {
    TReadingStore reading;
    TZelmarRecordStore& store = reading.Store;
    store.ReplaceWithEntries(5);
    EXPECT_EQ(reading.EntryNumbers(), (std::vector<int>{0, 1, 2, 3, 4}));

    // A sort of the first three; the rest stays behind them.
    store.Reorder({2, 0, 1});
    EXPECT_EQ(reading.EntryNumbers(), (std::vector<int>{2, 0, 1, 3, 4}));
    store.Reorder({0, 1, 2, 3, 4, 5});  // longer than the store: nothing changes
    EXPECT_EQ(reading.EntryNumbers(), (std::vector<int>{2, 0, 1, 3, 4}));

    EXPECT_TRUE(store.Delete(store.At(1)));
    EXPECT_FALSE(store.Delete(nullptr));
    store.At(2)->Selected = false;
    store.Remove(store.Unselected());
    EXPECT_EQ(reading.EntryNumbers(), (std::vector<int>{2, 1, 4}));
    EXPECT_EQ(store.IndexOf(store.At(2)), 2);

    // Reading at a position reads that record's own entry.
    store.Fetch(1);
    EXPECT_EQ(reading.ReadEntries, (std::vector<int>{1}));

    // A new lazy record stands for the entry at its position; a copy for none.
    EXPECT_EQ(store.AppendNew(true)->EntryNo(), 3);
    EXPECT_TRUE(store.AppendCopy(store.At(1)));
    EXPECT_FALSE(store.AppendCopy(nullptr));
    EXPECT_EQ(store.At(4)->EntryNo(), -1);
    EXPECT_TRUE(store.At(4)->IsLoaded());

    store.ReplaceWithEntries(2);
    EXPECT_EQ(reading.EntryNumbers(), (std::vector<int>{0, 1}));
    store.Clear();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_TRUE(store.EveryRecordTried());
}

TEST(RecordStore, ForEachVisitsInOrderUntilToldToStop) {
    TZelmarRecordStore store;
    store.ReplaceWithEntries(4);
    std::vector<int> seen;
    store.ForEach([&](const TZelmarSDFileData& record) {
        seen.push_back(record.EntryNo());
        return record.EntryNo() < 2;
    });
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
}

TEST(RecordStore, ARecordIsNotReadWhileAnotherThreadHoldsTheRecordLock) {
    TReadingStore reading;
    TZelmarRecordStore& store = reading.Store;
    store.ReplaceWithEntries(1);
    std::atomic<bool> fetched{false};
    std::thread loader;
    {
        std::lock_guard<std::recursive_mutex> lock(store.CriticalSection());
        loader = std::thread([&] {
            store.Fetch(0);
            fetched = true;
        });
        std::this_thread::sleep_for(50ms);
        EXPECT_FALSE(fetched.load());
        EXPECT_TRUE(reading.ReadEntries.empty());
    }
    loader.join();
    EXPECT_EQ(reading.ReadEntries, (std::vector<int>{0}));
}
