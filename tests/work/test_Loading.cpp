// The two-phase load of a sheet: indexing, then the loader thread while the UI thread (this
// test's thread, pumping a queued dispatcher) reads records on demand; stopping, pausing,
// destroying midway, files that cannot be read, and saving, also over the file being read.
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

#include "ModelTestSupport.h"
#include "Zelmar_Object_SDFileData.h"

using namespace testing_support;
using namespace std::chrono_literals;

namespace {

// Lets a worker wait until the test opens it; opened at the latest when it goes out of scope,
// so that a failing test never leaves a worker waiting (declare it after the sheet).
class TGate {
public:
    ~TGate() { Open(); }
    void Open() {
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FOpen = true;
        }
        FChanged.notify_all();
    }
    void Wait() {
        std::unique_lock<std::mutex> lock(FMutex);
        FChanged.wait_for(lock, 60s, [this] { return FOpen; });
    }

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    bool FOpen = false;
};

// A sheet as the window drives it: the UI-thread events in order, the worker events counted.
struct TSheet {
    platform::TQueuedUiDispatcher Ui;
    std::vector<std::string> Events;  // UI thread only
    std::mutex ProgressMutex;
    std::vector<int> IndexingProgress;
    std::vector<int> LoadProgress;
    std::atomic<int> FieldListChanges{0};
    std::unique_ptr<TZelmarSDFileDataList> List;

    explicit TSheet(bool withLoadProgress = true) {
        List = std::make_unique<TZelmarSDFileDataList>(
            &Ui, [this](TZelmarSDFileDataList*) { Events.push_back("start load"); },
            [this](TZelmarSDFileDataList*) { Events.push_back("end load"); },
            nullptr, [this](TZelmarSDFileDataList*) { Events.push_back("start indexing"); },
            [this](TZelmarSDFileDataList* sender) {
                Events.push_back("end indexing " + std::to_string(sender->GetCount()));
            },
            [this](TZelmarSDFileDataList*, int percent) {
                std::lock_guard<std::mutex> lock(ProgressMutex);
                IndexingProgress.push_back(percent);
                return true;
            });
        if (withLoadProgress)
            List->OnLoadDataProgress = [this](TZelmarSDFileDataList*, int percent) {
                std::lock_guard<std::mutex> lock(ProgressMutex);
                LoadProgress.push_back(percent);
                return true;
            };
        List->OnFieldListChanged = [this](TZelmarSDFileDataList*) { ++FieldListChanges; };
    }
    bool WaitLoaded() {
        return PumpUntil(Ui, [this] { return List->GetLoadFinished(); });
    }
};

std::string NumberedRecord(int i) {
    return SDRecord(MolBlock("record " + std::to_string(i), {"C", "C", "O"}),
                    {{"No", {std::to_string(i)}}, {"Name", {"name " + std::to_string(i)}}});
}

void WriteNumberedFile(const std::string& path, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += NumberedRecord(i);
    WriteText(path, text);
}

std::string Value(TZelmarSDFileData* record, const std::string& name) {
    TZelmarField field;
    field.Name = name;
    field.Kind = ecsdtDataText;
    TZelmarDataCarrier carrier;
    return record != nullptr && record->GetDataForField(&field, &carrier) ? carrier.Text()
                                                                          : "<none>";
}

// Everything a record holds that a file keeps, as one text.
std::string Content(const TZelmarSDFileData* record) {
    std::string text = record->Entry()->MolString() + "|";
    for (const auto& item : record->Entry()->DataItems()) {
        text += "<" + item->Name + ">";
        for (const auto& line : item->Lines) text += line + "\n";
    }
    return text;
}

std::string SharedDataDir() {
    return ZELMAR_SDF_DATA_DIR;
}

}  // namespace

TEST(Loading, IndexingThenLoadingFillsRecordsAndFields) {
    TTempDir dir;
    const std::string file = dir.File("three.sdf");
    WriteText(file, SDRecord(MolBlock("a", {"C"}), {{"A", {"1"}}, {"B", {"2"}}}) +
                        SDRecord(MolBlock("b", {"O"}), {{"B", {"3"}}, {"C", {"4", "5"}}}) +
                        SDRecord(MolBlock("c", {"N"}), {}));
    TSheet sheet;
    ASSERT_TRUE(sheet.List->LoadFile(file));
    EXPECT_EQ(sheet.List->GetFileName(), file);
    ASSERT_TRUE(sheet.WaitLoaded());
    TZelmarSDFileDataList& list = *sheet.List;

    EXPECT_EQ(sheet.Events, (std::vector<std::string>{"start indexing", "end indexing 3",
                                                      "start load", "end load"}));
    EXPECT_TRUE(list.GetAllLoaded());
    EXPECT_FALSE(list.HasLoadErrors());
    ASSERT_NE(list.GetLoadErrors(), nullptr);
    EXPECT_EQ(sheet.LoadProgress, (std::vector<int>{0, 33, 67}));
    ASSERT_FALSE(sheet.IndexingProgress.empty());
    EXPECT_EQ(sheet.IndexingProgress.back(), 100);
    EXPECT_TRUE(std::is_sorted(sheet.IndexingProgress.begin(), sheet.IndexingProgress.end()));
    // Every record was read by the loader, so the file is let go.
    EXPECT_EQ(list.GetManager()->FileHandle(), 0u);

    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetLoadedCount(), 3);
    EXPECT_EQ(Value(list.GetSDFileData(1), "C"), "4\r\n5");
    EXPECT_EQ(list.GetSDFileData(2)->Entry()->MolString(), MolBlock("c", {"N"}));
    EXPECT_EQ(list.GetSDFileData(2)->GetFormula(), "H3N");
    EXPECT_EQ(list.GetSDFileData(0)->EntryNo(), 0);
    EXPECT_EQ(sheet.FieldListChanges.load(), 2);
    ASSERT_EQ(list.GetFieldCount(), 7);
    EXPECT_EQ(list.GetField(4)->Name, "A");
    EXPECT_EQ(list.GetField(6)->Name, "C");

    // One file per sheet: a second one is refused and changes nothing.
    EXPECT_FALSE(list.LoadFile(dir.File("other.sdf")));
    EXPECT_EQ(list.GetFileName(), file);
    EXPECT_EQ(list.GetCount(), 3);
    list.LoadData();
    sheet.Ui.WaitAndProcess(20ms);
    EXPECT_EQ(std::count(sheet.Events.begin(), sheet.Events.end(), "start load"), 1);
}

TEST(Loading, FilesWithoutRecordsEndWithAnEmptySheet) {
    TTempDir dir;
    WriteText(dir.File("empty.sdf"), "");
    for (const std::string& file : {dir.File("missing.sdf"), dir.File("empty.sdf")}) {
        SCOPED_TRACE(file);
        TSheet sheet;
        ASSERT_TRUE(sheet.List->LoadFile(file));
        ASSERT_TRUE(sheet.WaitLoaded());
        EXPECT_EQ(sheet.Events, (std::vector<std::string>{"start indexing", "end indexing 0",
                                                          "start load", "end load"}));
        EXPECT_EQ(sheet.List->GetCount(), 0);
        EXPECT_EQ(sheet.List->GetLoadedCount(), 0);
        EXPECT_EQ(sheet.List->GetManager()->TotalCount(), -1);
        EXPECT_FALSE(sheet.List->GetManager()->LastError.empty());
        EXPECT_TRUE(sheet.LoadProgress.empty());
    }
}

TEST(Loading, FailedRecordIsListedOnceAndShownOnlyWhenLoadingEnded) {
    TTempDir dir;
    const std::string file = dir.File("bad.sdf");
    std::string broken = MolBlock("broken", {"C"});
    broken.erase(broken.find("M  END"));
    WriteText(file, NumberedRecord(0) + SDRecord(broken, {{"No", {"1"}}}) + NumberedRecord(2));

    TSheet sheet;
    TGate gate;
    sheet.List->OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
        gate.Wait();
        return true;
    };
    ASSERT_TRUE(sheet.List->LoadFile(file));
    TZelmarSDFileDataList& list = *sheet.List;
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return list.GetCount() == 3; }));

    // The loader waits after its first record; the UI thread reads the broken one itself.
    TZelmarSDFileData* bad = list.GetSDFileData(1);
    ASSERT_NE(bad, nullptr);
    EXPECT_FALSE(bad->IsLoaded());
    EXPECT_FALSE(bad->LoadError.empty());
    EXPECT_EQ(list.GetSDFileData(1), bad);  // not tried again
    EXPECT_FALSE(list.HasLoadErrors());
    EXPECT_EQ(list.GetLoadErrors(), nullptr);
    gate.Open();
    ASSERT_TRUE(sheet.WaitLoaded());

    ASSERT_TRUE(list.HasLoadErrors());
    const TZelmarRecordRefs* errors = list.GetLoadErrors();
    ASSERT_EQ(errors->GetCount(), 1);
    EXPECT_EQ(errors->GetObject(0), bad);
    EXPECT_EQ(errors->GetText(0), bad->LoadError);
    EXPECT_EQ(list.GetLoadedCount(), 2);
    EXPECT_EQ(Value(list.GetSDFileData(2), "No"), "2");

    list.DeleteLoadErrors();
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_FALSE(list.HasLoadErrors());
    EXPECT_EQ(Value(list.GetSDFileData(1), "No"), "2");
}

TEST(Loading, RecordsReadAheadOrAfterDeletionsAreTheRightEntries) {
    TTempDir dir;
    const std::string file = dir.File("numbered.sdf");
    WriteNumberedFile(file, 20);
    TSheet sheet;
    TGate gate;
    std::atomic<int> loaderCalls{0};
    sheet.List->OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
        ++loaderCalls;
        gate.Wait();
        return true;
    };
    ASSERT_TRUE(sheet.List->LoadFile(file));
    TZelmarSDFileDataList& list = *sheet.List;
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return loaderCalls.load() == 1; }));

    // Beyond the loader: read at once.
    EXPECT_EQ(Value(list.GetSDFileData(15), "No"), "15");
    // Rows removed while the rest is unread: the rows that move up keep their own entries.
    list.DeleteSDFileData(list.GetSDFileData(0));
    list.DeleteSDFileData(list.GetSDFileData(3));  // entry 4
    EXPECT_EQ(Value(list.GetSDFileData(0), "No"), "1");
    EXPECT_EQ(Value(list.GetSDFileData(3), "No"), "5");
    gate.Open();
    ASSERT_TRUE(sheet.WaitLoaded());

    ASSERT_EQ(list.GetCount(), 18);
    std::vector<std::string> numbers;
    for (int i = 0; i < list.GetCount(); ++i) numbers.push_back(Value(list.GetSDFileData(i), "No"));
    std::vector<std::string> expected;
    for (int i = 1; i < 20; ++i)
        if (i != 4) expected.push_back(std::to_string(i));
    EXPECT_EQ(numbers, expected);
    EXPECT_FALSE(list.HasLoadErrors());
}

TEST(Loading, StoppedLoaderLeavesTheRestReadableOnDemand) {
    TTempDir dir;
    const std::string file = dir.File("numbered.sdf");
    WriteNumberedFile(file, 10);
    TSheet sheet;
    sheet.List->OnLoadDataProgress = [](TZelmarSDFileDataList*, int) { return false; };
    ASSERT_TRUE(sheet.List->LoadFile(file));
    ASSERT_TRUE(sheet.WaitLoaded());
    TZelmarSDFileDataList& list = *sheet.List;
    EXPECT_TRUE(list.GetAllLoaded());
    EXPECT_NE(list.GetManager()->FileHandle(), 0u);  // still needed for the unread records
    EXPECT_EQ(Value(list.GetSDFileData(9), "No"), "9");
    EXPECT_EQ(list.GetLoadedCount(), 10);
    EXPECT_FALSE(list.HasLoadErrors());
}

TEST(Loading, WithoutProgressHandlerTheLoaderReadsEverything) {
    TTempDir dir;
    const std::string file = dir.File("numbered.sdf");
    WriteNumberedFile(file, 50);
    TSheet sheet(false);
    ASSERT_TRUE(sheet.List->LoadFile(file));
    ASSERT_TRUE(sheet.WaitLoaded());
    // The file is closed only once every record has been tried, and nobody else read any.
    EXPECT_EQ(sheet.List->GetManager()->FileHandle(), 0u);
    EXPECT_EQ(sheet.List->GetLoadedCount(), 50);
}

TEST(Loading, PausedLoaderReadsNothingUntilItContinues) {
    TTempDir dir;
    const std::string file = dir.File("numbered.sdf");
    WriteNumberedFile(file, 3000);
    TSheet sheet(false);
    std::atomic<int> calls{0};
    sheet.List->OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
        ++calls;
        return true;
    };
    ASSERT_TRUE(sheet.List->LoadFile(file));
    TZelmarSDFileDataList& list = *sheet.List;
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return calls.load() > 5 || list.GetLoadFinished(); }));
    if (list.GetLoadFinished()) GTEST_SKIP() << "the loader was done before it could be paused";

    ASSERT_TRUE(list.PauseLoaderThread());
    EXPECT_FALSE(list.PauseLoaderThread());  // once is enough
    const int paused = calls.load();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(calls.load(), paused);
    // The paused loader holds no record access: the UI thread reads freely.
    EXPECT_EQ(Value(list.GetSDFileData(2999), "No"), "2999");
    list.ContinueLoaderThread();
    ASSERT_TRUE(sheet.WaitLoaded());
    EXPECT_EQ(list.GetLoadedCount(), 3000);
    EXPECT_FALSE(list.PauseLoaderThread());
}

TEST(Loading, DestroyingDuringIndexingWaitsForTheScanAndCallsNothingLater) {
    TTempDir dir;
    const std::string file = dir.File("large.sdf");
    WriteNumberedFile(file, 20000);
    auto sheet = std::make_unique<TSheet>();
    std::atomic<bool> destroying{false};
    std::atomic<int> lastPercent{-1};
    sheet->List->OnIndexingProgress = [&](TZelmarSDFileDataList*, int percent) {
        // Halfway through the scan, hold it until the destructor has begun.
        if (percent == 50)
            for (int i = 0; i < 6000 && !destroying; ++i) std::this_thread::sleep_for(1ms);
        lastPercent = percent;
        return true;
    };
    ASSERT_TRUE(sheet->List->LoadFile(file));
    ASSERT_TRUE(PumpUntil(sheet->Ui, [&] { return lastPercent.load() >= 49; }));

    destroying = true;
    sheet->List.reset();
    EXPECT_EQ(lastPercent.load(), 100);  // the scan ran to its end before the list went
    sheet->Ui.WaitAndProcess(50ms);
    EXPECT_EQ(sheet->Events, (std::vector<std::string>{"start indexing"}));
}

TEST(Loading, DestroyingDuringLoadingReadsNoFurtherRecord) {
    TTempDir dir;
    const std::string file = dir.File("numbered.sdf");
    WriteNumberedFile(file, 2000);
    auto sheet = std::make_unique<TSheet>();
    std::atomic<bool> destroying{false};
    std::atomic<int> calls{0};
    std::atomic<int> callsAfterDestruction{0};
    std::atomic<bool> destroyed{false};
    sheet->List->OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
        if (destroyed) ++callsAfterDestruction;
        if (++calls == 10) {
            for (int i = 0; i < 6000 && !destroying; ++i) std::this_thread::sleep_for(1ms);
            // Time for the destructor to begin stopping the loader, which then waits for
            // this call to return.
            std::this_thread::sleep_for(100ms);
        }
        return true;
    };
    ASSERT_TRUE(sheet->List->LoadFile(file));
    ASSERT_TRUE(PumpUntil(sheet->Ui, [&] { return calls.load() >= 10; }));

    destroying = true;
    sheet->List.reset();
    destroyed = true;
    EXPECT_EQ(calls.load(), 10);  // the record being reported was the last one read
    std::this_thread::sleep_for(20ms);
    sheet->Ui.WaitAndProcess(20ms);
    EXPECT_EQ(callsAfterDestruction.load(), 0);
    EXPECT_EQ(std::count(sheet->Events.begin(), sheet->Events.end(), "end load"), 0);
}

TEST(Loading, SavingOverTheFileBeingReadKeepsEveryRecord) {
    TTempDir dir;
    const std::string file = dir.File("numbered.sdf");
    WriteNumberedFile(file, 40);
    TSheet sheet;
    TGate gate;
    std::atomic<int> loaderCalls{0};
    sheet.List->OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
        ++loaderCalls;
        gate.Wait();
        return true;
    };
    ASSERT_TRUE(sheet.List->LoadFile(file));
    TZelmarSDFileDataList& list = *sheet.List;
    ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return loaderCalls.load() == 1; }));

    // Most records are still unread while the file is overwritten, through another path.
    list.GetSDFileData(7)->Selected = false;
    const std::string samePath = dir.File("./numbered.sdf");
    ASSERT_TRUE(list.SaveFile(samePath));
    gate.Open();
    ASSERT_TRUE(sheet.WaitLoaded());
    EXPECT_FALSE(list.HasLoadErrors());
    EXPECT_EQ(list.GetFileName(), samePath);

    TSheet reread;
    ASSERT_TRUE(reread.List->LoadFile(file));
    ASSERT_TRUE(reread.WaitLoaded());
    ASSERT_EQ(reread.List->GetCount(), 39);
    EXPECT_FALSE(reread.List->HasLoadErrors());
    for (int i = 0; i < 39; ++i) {
        const int no = i < 7 ? i : i + 1;
        EXPECT_EQ(Value(reread.List->GetSDFileData(i), "No"), std::to_string(no));
        EXPECT_EQ(Value(reread.List->GetSDFileData(i), "Name"), "name " + std::to_string(no));
    }
}

// The UI thread reads records and their cells at random while the loader works; afterwards
// every record must hold exactly what an undisturbed load gives.
TEST(Loading, RealFilesReadWhileTheUiThreadReadsRecords) {
    const std::string dataDir = SharedDataDir();
    if (!std::filesystem::is_directory(dataDir)) GTEST_SKIP() << "no SD files in " << dataDir;
    for (const char* name : {"pubchem_sample.sdf", "nci_aids_props.sdf", "crlf_utf8_names.sdf"}) {
        const std::string file = dataDir + "/" + name;
        if (!std::filesystem::exists(file)) continue;
        SCOPED_TRACE(name);

        TSheet reference(false);
        ASSERT_TRUE(reference.List->LoadFile(file));
        ASSERT_TRUE(reference.WaitLoaded());

        TSheet sheet;
        ASSERT_TRUE(sheet.List->LoadFile(file));
        TZelmarSDFileDataList& list = *sheet.List;
        std::mt19937 random(42);
        int reads = 0;
        TZelmarDataCarrier carrier;
        ASSERT_TRUE(PumpUntil(sheet.Ui, [&] {
            if (list.GetCount() > 0) {
                const int index = static_cast<int>(random() % list.GetCount());
                if (TZelmarSDFileData* record = list.GetSDFileData(index)) {
                    for (int f = 0; f < list.GetVisibleFieldCount(); ++f)
                        record->GetDataForField(list.GetVisibleField(f), &carrier);
                    ++reads;
                }
            }
            return list.GetLoadFinished();
        }));
        EXPECT_GT(reads, 0);
        ASSERT_EQ(list.GetCount(), reference.List->GetCount());
        EXPECT_EQ(list.GetFieldCount(), reference.List->GetFieldCount());
        for (int i = 0; i < list.GetCount(); ++i) {
            ASSERT_EQ(Content(list.GetSDFileData(i)), Content(reference.List->GetSDFileData(i)))
                << "record " << i;
            EXPECT_EQ(list.GetSDFileData(i)->GetFormula(),
                      reference.List->GetSDFileData(i)->GetFormula());
        }
    }
}

// Every well-formed shared file: read, saved, read again gives the same records, byte for
// byte, and saving that again gives the same file.
TEST(Loading, RoundTripOverTheSharedFiles) {
    const std::string dataDir = SharedDataDir();
    if (!std::filesystem::is_directory(dataDir)) GTEST_SKIP() << "no SD files in " << dataDir;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dataDir))
        if (entry.path().extension() == ".sdf") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    TTempDir dir;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        TSheet original;
        ASSERT_TRUE(original.List->LoadFile(file));
        ASSERT_TRUE(original.WaitLoaded());
        TZelmarSDFileDataList& list = *original.List;
        ASSERT_GT(list.GetLoadedCount(), 0);
        std::vector<std::string> saveErrors;
        list.OnSaveDataError = [&](TZelmarSDFileDataList*, const std::string&, bool,
                                   const std::string& error, int index) {
            saveErrors.push_back(std::to_string(index) + ": " + error);
            return true;
        };
        ASSERT_TRUE(list.SaveFile(dir.File("first.sdf")));
        EXPECT_TRUE(saveErrors.empty()) << saveErrors.front();

        TSheet copy;
        ASSERT_TRUE(copy.List->LoadFile(dir.File("first.sdf")));
        ASSERT_TRUE(copy.WaitLoaded());
        ASSERT_EQ(copy.List->GetCount(), list.GetCount());
        EXPECT_FALSE(copy.List->HasLoadErrors());
        for (int i = 0; i < list.GetCount(); ++i) {
            TZelmarSDFileData* record = list.GetSDFileData(i);
            if (!record->LoadError.empty()) continue;  // written as an empty record
            ASSERT_EQ(Content(copy.List->GetSDFileData(i)), Content(record)) << "record " << i;
        }
        ASSERT_TRUE(copy.List->SaveFile(dir.File("second.sdf")));
        EXPECT_EQ(ReadText(dir.File("second.sdf")), ReadText(dir.File("first.sdf")));
    }
}
