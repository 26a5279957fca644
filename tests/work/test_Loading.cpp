// The two-phase load of a sheet: indexing, then the loader thread while the UI thread (this
// test's thread, pumping a queued dispatcher) reads records on demand; stopping, pausing,
// destroying midway, files without records, and saving, also over the file being read.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "LoadingTestSupport.h"

using namespace testing_support;
using namespace loading_support;
using namespace std::chrono_literals;

TEST(Loading, IndexingThenLoadingFillsRecordsAndFieldsOnce) {
    TTempDir dir;
    const std::string file = dir.File("three.sdf");
    WriteText(file, SDRecord(MolBlock("a", {"C"}), {{"A", {"1"}}, {"B", {"2"}}}) +
                        SDRecord(MolBlock("b", {"O"}), {{"B", {"3"}}, {"C", {"4", "5"}}}) +
                        SDRecord(MolBlock("c", {"N"}), {}));
    TSheet sheet;
    ASSERT_TRUE(sheet.Load(file));
    TZelmarSDFileDataList& list = *sheet.List;
    EXPECT_EQ(sheet.Events, (std::vector<std::string>{"start indexing", "end indexing",
                                                      "start load", "end load"}));
    EXPECT_TRUE(list.GetAllLoaded());
    EXPECT_FALSE(list.HasLoadErrors());
    EXPECT_EQ(sheet.LoadProgressCalls.load(), 3);
    EXPECT_EQ(sheet.IndexingProgress.back(), 100);
    EXPECT_TRUE(std::is_sorted(sheet.IndexingProgress.begin(), sheet.IndexingProgress.end()));
    EXPECT_EQ(list.GetManager()->FileHandle(), 0u);  // every record read: the file is let go

    ASSERT_EQ(list.GetLoadedCount(), 3);
    EXPECT_EQ(list.GetSDFileData(2)->GetFormula(), "H3N");
    EXPECT_EQ(sheet.FieldListChanges.load(), 2);
    EXPECT_EQ(list.GetField(6)->Name, "C");

    // One file per sheet: a second one is refused and changes nothing.
    EXPECT_FALSE(list.LoadFile(dir.File("other.sdf")));
    EXPECT_EQ(list.GetFileName(), file);
    list.LoadData();
    sheet.Ui.WaitAndProcess(20ms);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(sheet.Events.size(), 4u);
}

TEST(Loading, FilesWithoutRecordsEndWithAnEmptySheet) {
    TTempDir dir;
    WriteText(dir.File("empty.sdf"), "");
    for (const std::string& file : {dir.File("missing.sdf"), dir.File("empty.sdf")}) {
        TSheet sheet;
        ASSERT_TRUE(sheet.Load(file)) << file;
        EXPECT_EQ(sheet.Events.size(), 4u);
        EXPECT_EQ(sheet.List->GetLoadedCount(), 0);
        EXPECT_FALSE(sheet.List->GetManager()->LastError.empty());
    }
}

TEST(Loading, FailedRecordIsListedOnceAndShownOnlyWhenLoadingEnded) {
    TTempDir dir;
    const std::string file = dir.File("bad.sdf");
    std::string broken = MolBlock("broken", {"C"});
    broken.erase(broken.find("M  END"));
    WriteText(file, SDRecord(MolBlock("a", {"C"}), {}) + SDRecord(broken, {{"No", {"1"}}}) +
                        SDRecord(MolBlock("c", {"O"}), {{"No", {"2"}}}));
    TSheet sheet;
    TGate gate;
    sheet.List->OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
        gate.Wait();
        return true;
    };
    TZelmarSDFileDataList& list = *sheet.List;
    ASSERT_TRUE(list.LoadFile(file));
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return list.GetCount() == 3; }));

    // The loader waits after its first record; the UI thread reads the broken one itself.
    TZelmarSDFileData* bad = list.GetSDFileData(1);
    EXPECT_FALSE(bad->IsLoaded());
    EXPECT_FALSE(bad->LoadError.empty());
    list.GetSDFileData(1);  // not tried again
    EXPECT_FALSE(list.HasLoadErrors());
    EXPECT_EQ(list.GetLoadErrors(), nullptr);
    gate.Open();
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return list.GetLoadFinished(); }));
    ASSERT_EQ(list.GetLoadErrors()->GetCount(), 1);
    EXPECT_EQ(list.GetLoadErrors()->GetObject(0), bad);
    EXPECT_EQ(list.GetLoadErrors()->GetText(0), bad->LoadError);
    EXPECT_EQ(list.GetLoadedCount(), 2);
    list.DeleteLoadErrors();
    EXPECT_FALSE(list.HasLoadErrors());
    EXPECT_EQ(No(list.GetSDFileData(1)), "2");
}

// Connection tables cut short: the record splits into molecule and data items, but its
// molecule cannot be read. Listed with the reason, without a weight (not 0), written back as
// it was read.
TEST(Loading, RecordsWhoseMoleculeCannotBeReadAreLoadErrorsWithoutAWeight) {
    TTempDir dir;
    const std::string good = MolBlock("good", {"C", "C", "O"});
    // Three bonds announced, two bond lines.
    std::string bonds = MolBlock("bonds", {"C", "C", "O"});
    bonds.replace(bonds.find("  3  2  0"), 9, "  3  3  0");
    // The second atom line ends after two coordinates.
    std::string atoms = MolBlock("atoms", {"C", "C", "O"});
    const std::size_t first = atoms.find('\n', atoms.find("V2000")) + 1;
    const std::size_t second = atoms.find('\n', first) + 1;
    atoms.erase(second + 20, atoms.find('\n', second) - (second + 20));
    const std::string file = dir.File("broken.sdf");
    const std::string text = SDRecord(good, {{"No", {"0"}}}) + SDRecord(bonds, {{"No", {"1"}}}) +
                             SDRecord(atoms, {{"No", {"2"}}});
    WriteText(file, text);

    TSheet sheet;
    ASSERT_TRUE(sheet.Load(file));
    TZelmarSDFileDataList& list = *sheet.List;
    ASSERT_EQ(list.GetCount(), 3);
    const TZelmarField* weight = list.GetFieldByName(kFieldNameMolweight);
    ASSERT_NE(weight, nullptr);
    ASSERT_NE(list.GetLoadErrors(), nullptr);
    ASSERT_EQ(list.GetLoadErrors()->GetCount(), 2);
    EXPECT_EQ(list.GetLoadErrors()->GetObject(0), list.GetSDFileData(1));
    EXPECT_EQ(list.GetLoadErrors()->GetObject(1), list.GetSDFileData(2));
    EXPECT_NE(list.GetSDFileData(1)->LoadError.find("Bond line"), std::string::npos)
        << list.GetSDFileData(1)->LoadError;
    EXPECT_NE(list.GetSDFileData(2)->LoadError.find("Atom line"), std::string::npos)
        << list.GetSDFileData(2)->LoadError;
    EXPECT_TRUE(list.GetSDFileData(0)->LoadError.empty());
    for (int i = 0; i < 3; ++i) {
        TZelmarSDFileData* record = list.GetSDFileData(i);
        EXPECT_EQ(No(record), std::to_string(i)) << "its data items still show";
        TZelmarDataCarrier value;
        EXPECT_EQ(record->GetDataForField(weight, &value), i == 0) << i;
        EXPECT_EQ(value.Empty(), i != 0) << i;
    }
    EXPECT_EQ(list.GetSDFileData(1)->GetPrecheckForSearch(weight), "0");

    // Saved, the records come back byte for byte, and fail again for the same reasons.
    ASSERT_TRUE(list.SaveFile(dir.File("saved.sdf")));
    EXPECT_EQ(ReadText(dir.File("saved.sdf")), text);
}

TEST(Loading, RecordsReadAheadOrAfterDeletionsAreTheRightEntries) {
    TTempDir dir;
    TSheet sheet;
    TGate gate;
    TZelmarSDFileDataList& list = *sheet.List;
    list.OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
        ++sheet.LoadProgressCalls;
        gate.Wait();
        return true;
    };
    ASSERT_TRUE(list.LoadFile(NumberedFile(dir, 20)));
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return sheet.LoadProgressCalls.load() == 1; }));

    EXPECT_EQ(No(list.GetSDFileData(15)), "15");  // beyond the loader: read at once
    // Rows removed while the rest is unread: the rows that move up keep their own entries.
    list.DeleteSDFileData(list.GetSDFileData(0));
    list.DeleteSDFileData(list.GetSDFileData(3));
    gate.Open();
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return list.GetLoadFinished(); }));
    std::vector<std::string> numbers, expected;
    for (int i = 0; i < list.GetCount(); ++i) numbers.push_back(No(list.GetSDFileData(i)));
    for (int i = 1; i < 20; ++i)
        if (i != 4) expected.push_back(std::to_string(i));
    EXPECT_EQ(numbers, expected);
}

TEST(Loading, StoppedOrPausedLoaderLeavesRecordsReadableOnDemand) {
    TTempDir dir;
    const std::string file = NumberedFile(dir, 300);
    TSheet stopped;
    stopped.List->OnLoadDataProgress = [](TZelmarSDFileDataList*, int) { return false; };
    ASSERT_TRUE(stopped.Load(file));
    EXPECT_NE(stopped.List->GetManager()->FileHandle(), 0u);  // kept for the unread records
    EXPECT_EQ(No(stopped.List->GetSDFileData(299)), "299");

    // Without a progress handler the loader reads everything (and then lets the file go).
    TSheet quiet;
    quiet.List->OnLoadDataProgress = nullptr;
    ASSERT_TRUE(quiet.Load(file));
    EXPECT_EQ(quiet.List->GetManager()->FileHandle(), 0u);

    // Paused between two records, the loader reads nothing and holds no record lock.
    TSheet paused;
    TZelmarSDFileDataList& list = *paused.List;
    list.OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
        if (++paused.LoadProgressCalls == 1) std::this_thread::sleep_for(50ms);
        return true;
    };
    ASSERT_TRUE(list.LoadFile(file));
    ASSERT_TRUE(PumpUntil(paused.Ui, [&] { return paused.LoadProgressCalls.load() == 1; }));
    ASSERT_TRUE(list.PauseLoaderThread());
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(paused.LoadProgressCalls.load(), 1);
    EXPECT_EQ(No(list.GetSDFileData(299)), "299");
    list.ContinueLoaderThread();
    ASSERT_TRUE(PumpUntil(paused.Ui, [&] { return list.GetLoadFinished(); }));
    EXPECT_EQ(paused.LoadProgressCalls.load(), 300);
}

TEST(Loading, DestroyingDuringIndexingWaitsForTheScanAndCallsNothingLater) {
    TTempDir dir;
    auto sheet = std::make_unique<TSheet>();
    std::atomic<bool> destroying{false};
    std::atomic<int> lastPercent{-1};
    sheet->List->OnIndexingProgress = [&](TZelmarSDFileDataList*, int percent) {
        if (percent == 50)  // hold the scan until the destructor has begun
            for (int i = 0; i < 6000 && !destroying; ++i) std::this_thread::sleep_for(1ms);
        lastPercent = percent;
        return true;
    };
    ASSERT_TRUE(sheet->List->LoadFile(NumberedFile(dir, 20000)));
    ASSERT_TRUE(PumpUntil(sheet->Ui, [&] { return lastPercent.load() >= 49; }));
    destroying = true;
    sheet->List.reset();
    EXPECT_EQ(lastPercent.load(), 100);  // the scan ran to its end before the list went
    sheet->Ui.WaitAndProcess(50ms);
    EXPECT_EQ(sheet->Events, (std::vector<std::string>{"start indexing"}));
}

TEST(Loading, DestroyingDuringLoadingReadsNoFurtherRecord) {
    TTempDir dir;
    auto sheet = std::make_unique<TSheet>();
    std::atomic<bool> destroying{false};
    std::atomic<int> calls{0};
    sheet->List->OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
        if (++calls == 10) {
            for (int i = 0; i < 6000 && !destroying; ++i) std::this_thread::sleep_for(1ms);
            std::this_thread::sleep_for(100ms);  // the destructor now waits for this call
        }
        return true;
    };
    ASSERT_TRUE(sheet->List->LoadFile(NumberedFile(dir, 2000)));
    ASSERT_TRUE(PumpUntil(sheet->Ui, [&] { return calls.load() >= 10; }));
    destroying = true;
    sheet->List.reset();
    std::this_thread::sleep_for(20ms);
    sheet->Ui.WaitAndProcess(20ms);
    EXPECT_EQ(calls.load(), 10);
    EXPECT_EQ(std::count(sheet->Events.begin(), sheet->Events.end(), "end load"), 0);
}

TEST(Loading, SavingOverTheFileBeingReadKeepsEveryRecord) {
    TTempDir dir;
    const std::string file = NumberedFile(dir, 40);
    TSheet sheet;
    TGate gate;
    TZelmarSDFileDataList& list = *sheet.List;
    list.OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
        ++sheet.LoadProgressCalls;
        gate.Wait();
        return true;
    };
    ASSERT_TRUE(list.LoadFile(file));
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return sheet.LoadProgressCalls.load() == 1; }));
    // Most records are unread while the file is overwritten, named by another path.
    list.GetSDFileData(7)->Selected = false;
    ASSERT_TRUE(list.SaveFile(dir.File("./numbered40.sdf")));
    gate.Open();
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return list.GetLoadFinished(); }));

    TSheet reread;
    ASSERT_TRUE(reread.Load(file));
    ASSERT_EQ(reread.List->GetCount(), 39);
    EXPECT_FALSE(reread.List->HasLoadErrors());
    for (int i = 0; i < 39; ++i)
        EXPECT_EQ(No(reread.List->GetSDFileData(i)), std::to_string(i < 7 ? i : i + 1));
}

// The UI thread reads records and cells at random while the loader works; afterwards every
// record holds what an undisturbed load gives.
TEST(Loading, RealFilesReadWhileTheUiThreadReadsRecords) {
    const std::string dataDir = ZELMAR_SDF_DATA_DIR;
    if (!std::filesystem::is_directory(dataDir)) GTEST_SKIP() << "no SD files in " << dataDir;
    for (const char* name : {"pubchem_sample.sdf", "nci_aids_props.sdf", "crlf_utf8_names.sdf"}) {
        const std::string file = dataDir + "/" + name;
        SCOPED_TRACE(name);
        TSheet reference;
        ASSERT_TRUE(reference.Load(file));

        TSheet sheet;
        TZelmarSDFileDataList& list = *sheet.List;
        ASSERT_TRUE(list.LoadFile(file));
        std::mt19937 random(42);
        TZelmarDataCarrier carrier;
        ASSERT_TRUE(PumpUntil(sheet.Ui, [&] {
            if (list.GetCount() > 0)
                if (TZelmarSDFileData* record = list.GetSDFileData(random() % list.GetCount()))
                    for (int f = 0; f < list.GetVisibleFieldCount(); ++f)
                        record->GetDataForField(list.GetVisibleField(f), &carrier);
            return list.GetLoadFinished();
        }));
        ASSERT_EQ(list.GetCount(), reference.List->GetCount());
        EXPECT_EQ(list.GetFieldCount(), reference.List->GetFieldCount());
        for (int i = 0; i < list.GetCount(); ++i)
            ASSERT_EQ(Content(list.GetSDFileData(i)) + list.GetSDFileData(i)->GetFormula(),
                      Content(reference.List->GetSDFileData(i)) +
                          reference.List->GetSDFileData(i)->GetFormula())
                << "record " << i;
    }
}

// Every well-formed shared file: read, saved and read again gives the same records byte for
// byte, and saving that again gives the same file.
TEST(Loading, RoundTripOverTheSharedFiles) {
    const std::string dataDir = ZELMAR_SDF_DATA_DIR;
    if (!std::filesystem::is_directory(dataDir)) GTEST_SKIP() << "no SD files in " << dataDir;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dataDir))
        if (entry.path().extension() == ".sdf") files.push_back(entry.path().string());
    ASSERT_FALSE(files.empty());
    TTempDir dir;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        TSheet original, copy;
        ASSERT_TRUE(original.Load(file));
        TZelmarSDFileDataList& list = *original.List;
        ASSERT_GT(list.GetLoadedCount(), 0);
        std::string saveErrors;
        list.OnSaveDataError = [&](TZelmarSDFileDataList*, const std::string&, bool,
                                   const std::string& error, int) {
            saveErrors += error + "\n";
            return true;
        };
        ASSERT_TRUE(list.SaveFile(dir.File("first.sdf")));
        EXPECT_EQ(saveErrors, "");

        ASSERT_TRUE(copy.Load(dir.File("first.sdf")));
        ASSERT_EQ(copy.List->GetCount(), list.GetCount());
        // Records written as they were read fail as they did (molecules the library cannot
        // read); nothing else fails.
        for (int i = 0; i < list.GetCount(); ++i)
            EXPECT_EQ(copy.List->GetSDFileData(i)->LoadError, list.GetSDFileData(i)->LoadError)
                << "record " << i;
        for (int i = 0; i < list.GetCount(); ++i) {
            if (!list.GetSDFileData(i)->LoadError.empty()) continue;  // written empty
            ASSERT_EQ(Content(copy.List->GetSDFileData(i)), Content(list.GetSDFileData(i)))
                << "record " << i;
        }
        ASSERT_TRUE(copy.List->SaveFile(dir.File("second.sdf")));
        EXPECT_EQ(ReadText(dir.File("second.sdf")), ReadText(dir.File("first.sdf")));
    }
}

// Worker-thread events come after the record lock is released: a handler that waits for the
// UI thread, while that thread paints rows (reading records under the lock), gets its answer.
TEST(Loading, HandlersThatWaitForTheUiThreadDoNotBlockPainting) {
    TTempDir dir;
    std::string text;
    for (int i = 0; i < 300; ++i)  // every record brings a field of its own
        text += SDRecord(MolBlock("r", {"C", "O"}), {{"F" + std::to_string(i), {"x"}}});
    const std::string file = dir.File("fields.sdf");
    WriteText(file, text);
    TSheet sheet;
    TZelmarSDFileDataList& list = *sheet.List;
    std::atomic<int> answered{0};
    std::atomic<int> timedOut{0};
    // Asks the UI thread and waits for its answer, as a handler using a blocking call would
    // (on the UI thread itself it answers at once).
    const std::thread::id ui = std::this_thread::get_id();
    auto askUiThread = [&] {
        if (std::this_thread::get_id() == ui) return;
        auto done = std::make_shared<TGate>();
        sheet.Ui.Post([done] { done->Open(); });
        if (done->WaitFor(10s))
            ++answered;
        else
            ++timedOut;
    };
    list.OnFieldListChanged = [&](TZelmarSDFileDataList*) { askUiThread(); };
    list.OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
        askUiThread();
        return true;
    };
    ASSERT_TRUE(list.LoadFile(file));
    TZelmarDataCarrier carrier;
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] {
        for (int row = 0; row < list.GetCount() && row < 40; ++row) {
            TZelmarSDFileData* record = list.GetSDFileData((row * 7) % list.GetCount());
            record->GetDataForField(list.GetChemistryField(), &carrier);
        }
        return list.GetLoadFinished() || timedOut > 0;
    }));
    EXPECT_EQ(timedOut.load(), 0);
    EXPECT_GT(answered.load(), 300);
    EXPECT_EQ(list.GetFieldCount(), 4 + 300);
}

// Posted worker events reach the UI thread in order, progress once per per cent, and a
// progress handler there can still stop loading.
TEST(Loading, PostedWorkerEventsRunOnTheUiThread) {
    TTempDir dir;
    // Big enough that loading cannot end before the posted answer is back.
    const std::string file = NumberedFile(dir, 20000);
    TSheet sheet;
    TZelmarSDFileDataList& list = *sheet.List;
    list.PostWorkerEvents = true;
    const std::thread::id ui = std::this_thread::get_id();
    std::vector<int> percents;
    int fieldEvents = 0;
    bool onOtherThread = false;
    list.OnFieldListChanged = [&](TZelmarSDFileDataList*) {
        onOtherThread |= std::this_thread::get_id() != ui;
        ++fieldEvents;
    };
    list.OnLoadDataProgress = [&](TZelmarSDFileDataList*, int percent) {
        onOtherThread |= std::this_thread::get_id() != ui;
        percents.push_back(percent);
        return percent < 50;
    };
    ASSERT_TRUE(list.LoadFile(file));
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return list.GetLoadFinished(); }));
    sheet.Ui.ProcessPending();
    EXPECT_FALSE(onOtherThread);
    EXPECT_EQ(fieldEvents, 1) << "one new field, No";
    ASSERT_FALSE(percents.empty());
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(std::adjacent_find(percents.begin(), percents.end()), percents.end());
    // The answer reaches the loader a little later than a direct one would.
    EXPECT_GE(percents.back(), 50);
    EXPECT_LT(percents.back(), 99) << "stopped soon after the first answer false";
}

// The list keeps the text of its last failure for the window to show.
TEST(Loading, FailureTextsReachTheCaller) {
    TTempDir dir;
    {
        TSheet sheet;
        ASSERT_TRUE(sheet.List->LoadFile(dir.File("missing.sdf")));
        ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return sheet.List->GetLoadFinished(); }));
        EXPECT_NE(sheet.List->GetLastError().find("cannot open"), std::string::npos)
            << sheet.List->GetLastError();
    }
    {
        const std::string file = dir.File("broken.sdf");
        WriteText(file, SDRecord(MolBlock("a", {"C"}), {}) +
                            "b\n  x\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n$$$$\n");
        TSheet sheet;
        ASSERT_TRUE(sheet.Load(file));
        EXPECT_NE(sheet.List->GetLastError().find("record 2: "), std::string::npos)
            << sheet.List->GetLastError();
        EXPECT_FALSE(sheet.List->SaveFile(dir.File("no/such/folder/out.sdf")));
        EXPECT_NE(sheet.List->GetLastError().find("cannot create"), std::string::npos)
            << sheet.List->GetLastError();
    }
}
