// Reading and writing SD files through the binding and the real library.

#include <gtest/gtest.h>

#include <thread>

#include "ChemTestSupport.h"
#include "vesk_ChemRoutines.h"

using namespace chemTest;

namespace {

const std::string kEthanol = MolBlock("ethanol", {"C", "C", "O"});
const std::string kWater = MolBlock("water", {"O"});

class RoutinesFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        WriteFile(Dir.Path(name), text);
        return Dir.Path(name);
    }
    TTempDir Dir;
    TveskSDFileManager Manager;
};

TEST_F(RoutinesFiles, RandomAccessReadsRecordsInAnyOrder) {
    const std::string broken = "broken\n\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n$$$$\n";
    const std::string path =
        Write("three.sdf", Record(kEthanol, {{"ID", {"E1"}}, {"Note", {"two", " lines\xB1"}}}) +
                               broken + Record(kWater, {{"ID", {"W1"}}}));
    ASSERT_TRUE(Manager.OpenSDFile(path, "", nullptr, nullptr, true)) << Manager.LastError;
    ASSERT_EQ(Manager.TotalCount(), 3);
    EXPECT_FALSE(Manager.RandomAccess());

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
    EXPECT_FALSE(Manager.LoadEntryData(3, &failed));

    // A loaded entry is left as it is, whatever the index.
    ASSERT_TRUE(Manager.LoadEntryData(2, &ethanol));
    EXPECT_EQ(ethanol.MolString(), kEthanol);
    EXPECT_EQ(ethanol.DataCount(), 2);

    ASSERT_TRUE(Manager.CloseSDFile());
    EXPECT_EQ(Manager.FileHandle(), 0u);
    TveskSDFileEntry later;
    EXPECT_TRUE(Manager.LoadEntryData(0, &later));
    EXPECT_FALSE(later.Loaded());
    EXPECT_EQ(later.DataCount(), 0);
    EXPECT_TRUE(Manager.CloseSDFile());
}

TEST_F(RoutinesFiles, FailedOpenIsReportedAndReopenClosesTheFirstFile) {
    EXPECT_FALSE(Manager.OpenSDFile(Dir.Path("none.sdf"), "", nullptr, nullptr, true));
    EXPECT_FALSE(Manager.LastError.empty());
    EXPECT_EQ(Manager.TotalCount(), -1);
    EXPECT_EQ(Manager.FileHandle(), 0u);
    EXPECT_FALSE(Manager.OpenSDFile(Write("empty.sdf", ""), "", nullptr, nullptr, true));

    const std::string one = Write("one.sdf", Record(kWater, {}));
    const std::string two = Write("two.sdf", Record(kWater, {}) + Record(kEthanol, {}));
    ASSERT_TRUE(Manager.OpenSDFile(one, "", nullptr, nullptr, true));
    ASSERT_TRUE(Manager.OpenSDFile(two, "", nullptr, nullptr, true));
    EXPECT_EQ(Manager.TotalCount(), 2);
    EXPECT_EQ(Manager.LastError, "");
}

TEST_F(RoutinesFiles, SequentialReadingKeepsFailedRecordsAndTitles) {
    const std::string broken = "broken\n\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n$$$$\n";
    const std::string path =
        Write("seq.sdf", Record(kEthanol, {{"Name", {"  ethanol", "alcohol  "}}}) + broken +
                             Record(kWater, {{"ID", {"W"}}}));
    std::vector<std::pair<int, int>> counts;
    int progressCalls = 0;
    ASSERT_TRUE(Manager.OpenSDFile(
        path, "Name",
        [&](TveskSDFileManager*, double) {
            ++progressCalls;
            return true;
        },
        [&](TveskSDFileManager*, int count, int total) { counts.emplace_back(count, total); },
        false))
        << Manager.LastError;
    ASSERT_EQ(Manager.Entries().size(), 3u);
    EXPECT_EQ(Manager.EntryCount(), 3);
    EXPECT_EQ(Manager.TotalCount(), 3);
    EXPECT_EQ(counts,
              (std::vector<std::pair<int, int>>{{1, -1}, {2, -1}, {3, -1}, {3, 3}}));
    EXPECT_EQ(progressCalls, 4);

    const auto& entries = Manager.Entries();
    EXPECT_EQ(entries[0]->Title, "ethanol\nalcohol");
    EXPECT_TRUE(entries[0]->Loaded());
    EXPECT_FALSE(entries[1]->Loaded()) << "the broken record stays, marked";
    EXPECT_FALSE(entries[1]->LastError.empty());
    EXPECT_TRUE(entries[2]->Loaded());
    EXPECT_EQ(entries[2]->MolString(), kWater);
    EXPECT_EQ(entries[2]->Title, "");
}

TEST_F(RoutinesFiles, LongDataLinesStayWholeWithOneWarningEach) {
    TTraceCapture trace(Dir, "WARNING");
    const std::string exact(64000, 'x');
    std::string longer(100000, 'y');
    longer.replace(64000 - 2, 3, "\xE2\x82\xAC");  // a character across the buffer's end
    const std::string path = Write(
        "long.sdf", Record(kWater, {{"A", {"short", exact}}, {"B", {longer}}, {"C", {"after"}}}));
    ASSERT_TRUE(Manager.OpenSDFile(path, "", nullptr, nullptr, true));
    TveskSDFileEntry entry;
    ASSERT_TRUE(Manager.LoadEntryData(0, &entry)) << Manager.LastError;
    ASSERT_EQ(entry.DataCount(), 3);
    EXPECT_EQ(entry.Data(0)->Lines, (std::vector<std::string>{"short", exact}));
    EXPECT_EQ(entry.Data(1)->Lines, (std::vector<std::string>{longer}));
    EXPECT_EQ(entry.Data(2)->Lines, (std::vector<std::string>{"after"}));
    const auto warnings = trace.Lines("size of databuffer (64001) might be exceeded");
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find("[TveskSDFileEntryData.GetData]"), std::string::npos);
    EXPECT_EQ(warnings[0].rfind("$WARNING", 0), 0u);
}

TEST_F(RoutinesFiles, WriterAppendsEveryRecordAndReportsRefusedOnes) {
    const std::string out = Dir.Path("out.sdf");
    {
        TveskSDFileWriter writer(out);
        ASSERT_TRUE(writer.IsOpen()) << writer.LastError;
        EXPECT_EQ(writer.LastError, "");
        TveskSDFileEntry empty, bad, good;
        empty.AddData("ID")->Lines = {"no molecule"};
        EXPECT_TRUE(writer.WriteEntry(&empty)) << empty.LastError;
        bad.SetMolString(kWater);
        bad.AddData("V")->Lines = {"$$$$"};
        EXPECT_FALSE(writer.WriteEntry(&bad)) << "cannot be read back as written";
        EXPECT_FALSE(bad.LastError.empty());
        good.SetMolString(kEthanol);
        good.LastError = "stale";
        good.AddData("ID")->Lines = {"E"};
        EXPECT_TRUE(writer.WriteEntry(&good));
        EXPECT_EQ(good.LastError, "");
        EXPECT_FALSE(writer.WriteEntry(nullptr));
        ASSERT_TRUE(writer.CloseFile());
        EXPECT_FALSE(writer.WriteEntry(&good)) << "closed";
        EXPECT_TRUE(writer.CloseFile());
    }
    ASSERT_TRUE(Manager.OpenSDFile(out, "", nullptr, nullptr, true)) << Manager.LastError;
    ASSERT_EQ(Manager.TotalCount(), 2);
    TveskSDFileEntry first, second;
    ASSERT_TRUE(Manager.LoadEntryData(0, &first)) << Manager.LastError;
    ASSERT_TRUE(Manager.LoadEntryData(1, &second)) << Manager.LastError;
    EXPECT_EQ(first.FindData("ID")->Lines[0], "no molecule");
    EXPECT_EQ(first.GetMolweight(), 0.0) << "the empty molecule block";
    EXPECT_EQ(second.MolString(), kEthanol);

    TveskSDFileWriter nowhere(Dir.Path("no/such/folder/x.sdf"));
    EXPECT_FALSE(nowhere.IsOpen());
    EXPECT_FALSE(nowhere.LastError.empty());
}

// Enough records for the scan to report many distinct per cents.
std::string ManyRecords(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += Record(kEthanol, {{"ID", {std::to_string(i)}}, {"Pad", {std::string(200, 'p')}}});
    return text;
}

TEST_F(RoutinesFiles, ProgressRisesToAHundredOnTheOpeningThread) {
    const std::string path = Write("many.sdf", ManyRecords(2000));
    std::vector<double> seen;
    const auto caller = std::this_thread::get_id();
    ASSERT_TRUE(Manager.OpenSDFile(
        path, "",
        [&](TveskSDFileManager* sender, double progress) {
            EXPECT_EQ(sender, &Manager);
            EXPECT_EQ(std::this_thread::get_id(), caller);
            seen.push_back(progress);
            return true;
        },
        nullptr, true));
    EXPECT_EQ(Manager.TotalCount(), 2000);
    ASSERT_GE(seen.size(), 10u);
    for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_GT(seen[i], seen[i - 1]);
    EXPECT_EQ(seen.back(), 100.0);

    // A handler that throws does not stop the scan.
    TveskSDFileManager other;
    EXPECT_TRUE(other.OpenSDFile(
        path, "", [](TveskSDFileManager*, double) -> bool { throw std::runtime_error("x"); },
        nullptr, true));
    EXPECT_EQ(other.TotalCount(), 2000);
}

TEST_F(RoutinesFiles, ProgressRelayIsReentrantAndSharedBetweenThreads) {
    const std::string path = Write("many.sdf", ManyRecords(1000));
    const std::string small = Write("small.sdf", Record(kWater, {}));
    // A handler that opens another file re-enters the callback on the same thread.
    TveskSDFileManager inner;
    int innerOpened = 0;
    ASSERT_TRUE(Manager.OpenSDFile(
        path, "",
        [&](TveskSDFileManager*, double progress) {
            if (progress == 50.0) innerOpened += inner.OpenSDFile(small, "", nullptr, nullptr, true);
            return true;
        },
        nullptr, true));
    EXPECT_EQ(innerOpened, 1);

    std::vector<int> calls(4, 0);
    std::vector<std::thread> threads;
    std::vector<int> totals(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            TveskSDFileManager manager;
            manager.OpenSDFile(
                path, "",
                [&calls, t](TveskSDFileManager*, double) {
                    ++calls[static_cast<std::size_t>(t)];
                    return true;
                },
                nullptr, true);
            totals[static_cast<std::size_t>(t)] = manager.TotalCount();
        });
    }
    for (auto& thread : threads) thread.join();
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(totals[static_cast<std::size_t>(t)], 1000);
        EXPECT_GT(calls[static_cast<std::size_t>(t)], 10);
    }
}

}  // namespace
