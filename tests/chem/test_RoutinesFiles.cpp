// Reading and writing SD files through the binding and the real library.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <thread>

#include "ChemTestSupport.h"
#include "vesk_ChemRoutines.h"

using namespace chemTest;

namespace {

const std::string kEthanol = MolBlock("ethanol", {"C", "C", "O"});
const std::string kWater = MolBlock("water", {"O"});
const std::string kBroken = "broken\n\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n$$$$\n";

class RoutinesFiles : public ::testing::Test {
protected:
    TTempDir Dir;
    TveskSDFileManager Manager;
};

TEST_F(RoutinesFiles, RandomAccessInAnyOrderUntilClosed) {
    EXPECT_FALSE(Manager.OpenSDFile(Dir.Path("none.sdf"), "", nullptr, nullptr, true));
    EXPECT_FALSE(Manager.LastError.empty());
    EXPECT_EQ(Manager.TotalCount(), -1);

    const std::string path =
        Dir.Write("three.sdf", Record(kEthanol, {{"ID", {"E1"}}, {"Note", {"two", " lines\xB1"}}}) +
                                   kBroken + Record(kWater, {{"ID", {"W1"}}}));
    ASSERT_TRUE(Manager.OpenSDFile(path, "", nullptr, nullptr, true)) << Manager.LastError;
    ASSERT_EQ(Manager.TotalCount(), 3);

    TveskSDFileEntry water, ethanol, failed;
    ASSERT_TRUE(Manager.LoadEntryData(2, &water)) << Manager.LastError;
    ASSERT_TRUE(Manager.LoadEntryData(0, &ethanol)) << Manager.LastError;
    EXPECT_EQ(ethanol.MolString(), kEthanol);
    ASSERT_EQ(ethanol.DataCount(), 2);
    EXPECT_EQ(ethanol.Data(1)->Name, "Note");
    EXPECT_EQ(ethanol.Data(1)->Lines, (std::vector<std::string>{"two", " lines\xB1"}));
    EXPECT_EQ(water.FindData("ID")->Lines, (std::vector<std::string>{"W1"}));
    EXPECT_FALSE(Manager.LoadEntryData(1, &failed)) << "no M  END";
    EXPECT_FALSE(Manager.LastError.empty());
    EXPECT_FALSE(failed.Loaded());

    ASSERT_TRUE(Manager.LoadEntryData(2, &ethanol)) << "loaded already: left alone";
    EXPECT_EQ(ethanol.MolString(), kEthanol);
    ASSERT_TRUE(Manager.CloseSDFile());
    TveskSDFileEntry later;
    EXPECT_TRUE(Manager.LoadEntryData(0, &later));
    EXPECT_FALSE(later.Loaded());
}

TEST_F(RoutinesFiles, SequentialReadingKeepsFailedRecordsAndTitles) {
    const std::string path =
        Dir.Write("seq.sdf", Record(kEthanol, {{"Name", {"  ethanol", "alcohol  "}}}) + kBroken +
                                 Record(kWater, {{"ID", {"W"}}}));
    std::vector<std::pair<int, int>> counts;
    int progressCalls = 0;
    ASSERT_TRUE(Manager.OpenSDFile(
        path, "Name", [&](TveskSDFileManager*, double) { return ++progressCalls > 0; },
        [&](TveskSDFileManager*, int count, int total) { counts.emplace_back(count, total); },
        false))
        << Manager.LastError;
    EXPECT_EQ(counts, (std::vector<std::pair<int, int>>{{1, -1}, {2, -1}, {3, -1}, {3, 3}}));
    EXPECT_EQ(progressCalls, 4);
    const auto& entries = Manager.Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0]->Title, "ethanol\nalcohol");
    EXPECT_FALSE(entries[1]->Loaded()) << "the broken record stays, marked";
    EXPECT_FALSE(entries[1]->LastError.empty());
    EXPECT_EQ(entries[2]->MolString(), kWater);
}

// Read by index, a record comes over whole in one piece; read item by item (sequentially),
// long lines pass the fixed buffers whole, with one warning each.
TEST_F(RoutinesFiles, LongDataLinesStayWhole) {
    TTraceCapture trace(Dir, "WARNING");
    const std::string exact(64000, 'x');
    std::string longer(100000, 'y');
    longer.replace(64000 - 2, 3, "\xE2\x82\xAC");  // a character across the buffer's end
    const std::string path = Dir.Write(
        "long.sdf", Record(kWater, {{"A", {"short", exact}}, {"B", {longer}}, {"C", {"after"}}}));
    auto expectWhole = [&](const TveskSDFileEntry& entry) {
        ASSERT_EQ(entry.DataCount(), 3);
        EXPECT_EQ(entry.Data(0)->Lines, (std::vector<std::string>{"short", exact}));
        EXPECT_EQ(entry.Data(1)->Lines, (std::vector<std::string>{longer}));
        EXPECT_EQ(entry.Data(2)->Lines, (std::vector<std::string>{"after"}));
    };
    ASSERT_TRUE(Manager.OpenSDFile(path, "", nullptr, nullptr, false));
    ASSERT_EQ(Manager.Entries().size(), 1u);
    expectWhole(*Manager.Entries()[0]);
    ASSERT_TRUE(Manager.OpenSDFile(path, "", nullptr, nullptr, true));
    TveskSDFileEntry entry;
    ASSERT_TRUE(Manager.LoadEntryData(0, &entry)) << Manager.LastError;
    expectWhole(entry);
    // Only the item by item reading warned.
    const auto warnings = trace.Lines("size of databuffer (64001) might be exceeded");
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].rfind("$WARNING", 0), 0u);
    EXPECT_NE(warnings[0].find("[TveskSDFileEntryData.GetData]"), std::string::npos);
}

TEST_F(RoutinesFiles, WriterAppendsEveryRecordAndReportsRefusedOnes) {
    const std::string out = Dir.Path("out.sdf");
    {
        TveskSDFileWriter writer(out);
        ASSERT_TRUE(writer.IsOpen()) << writer.LastError;
        TveskSDFileEntry empty, refused, good;
        empty.AddData("ID")->Lines = {"no molecule"};
        EXPECT_TRUE(writer.WriteEntry(&empty)) << empty.LastError;
        refused.SetMolString(kWater);
        refused.AddData("V")->Lines = {"$$$$"};
        EXPECT_FALSE(writer.WriteEntry(&refused)) << "would not read back as written";
        EXPECT_FALSE(refused.LastError.empty());
        good.SetMolString(kEthanol);
        good.LastError = "left from loading";
        EXPECT_TRUE(writer.WriteEntry(&good));
        EXPECT_EQ(good.LastError, "");
        ASSERT_TRUE(writer.CloseFile());
        EXPECT_FALSE(writer.WriteEntry(&good)) << "closed";
    }
    ASSERT_TRUE(Manager.OpenSDFile(out, "", nullptr, nullptr, true)) << Manager.LastError;
    ASSERT_EQ(Manager.TotalCount(), 2);
    TveskSDFileEntry first, second;
    ASSERT_TRUE(Manager.LoadEntryData(0, &first) && Manager.LoadEntryData(1, &second));
    EXPECT_EQ(first.FindData("ID")->Lines[0], "no molecule");
    EXPECT_EQ(first.GetMolweight(), 0.0) << "the empty molecule block";
    EXPECT_EQ(second.MolString(), kEthanol);

    TveskSDFileWriter nowhere(Dir.Path("no/folder/x.sdf"));
    EXPECT_FALSE(nowhere.IsOpen());
    EXPECT_FALSE(nowhere.LastError.empty());
}

TEST_F(RoutinesFiles, ProgressRisesOnTheOpeningThreadAndTheRelayNeverBlocks) {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += Record(kEthanol, {{"ID", {std::to_string(i)}}});
    const std::string path = Dir.Write("many.sdf", text);
    const std::string small = Dir.Write("small.sdf", Record(kWater, {}));
    std::vector<double> seen;
    TveskSDFileManager inner;
    const auto opener = std::this_thread::get_id();
    ASSERT_TRUE(Manager.OpenSDFile(
        path, "",
        [&](TveskSDFileManager*, double progress) {
            EXPECT_EQ(std::this_thread::get_id(), opener);
            seen.push_back(progress);
            // The handler opening a file re-enters the relay, lock and all, on this thread.
            if (progress == 50.0) {
                EXPECT_TRUE(inner.OpenSDFile(small, "", nullptr, nullptr, true));
            }
            return true;
        },
        nullptr, true));
    EXPECT_EQ(Manager.TotalCount(), 2000);
    EXPECT_EQ(inner.TotalCount(), 1);
    ASSERT_GE(seen.size(), 10u);
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end(), std::greater_equal<>()), seen.end());
    EXPECT_EQ(seen.back(), 100.0);

    std::vector<int> totals(3);
    std::vector<std::thread> threads;
    for (int& total : totals) {
        threads.emplace_back([&path, &total] {
            TveskSDFileManager manager;
            int calls = 0;
            const auto failing = [&calls](TveskSDFileManager*, double) -> bool {
                ++calls;
                throw std::runtime_error("handler failed");
            };
            manager.OpenSDFile(path, "", failing, nullptr, true);
            total = calls > 10 ? manager.TotalCount() : -calls;
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(totals, (std::vector<int>{2000, 2000, 2000})) << "handlers that throw stop nothing";
}

}  // namespace
