// Saving a sheet never loses a record: unedited records go back byte for byte (also those that
// could not be read), a file changed on disk meanwhile is either saved whole or not at all,
// and a save that fails or is killed leaves the user's file as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "LoadingTestSupport.h"
#include "ZelmarFileTestSupport.h"

using namespace loading_support;

namespace {

const std::string kBlock = MolBlock("record", {"C", "C", "O"});

// The saved file equals the original, but for a "$$$$" line closing a last record without one.
::testing::AssertionResult SavedAsItWas(const std::string& original, const std::string& saved) {
    if (saved == original) return ::testing::AssertionSuccess();
    static const std::regex kClosing("(\r?\n)?\\$\\$\\$\\$\r?\n");
    if (saved.compare(0, original.size(), original) == 0 &&
        std::regex_match(saved.substr(original.size()), kClosing))
        return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < original.size() && at < saved.size() && original[at] == saved[at]) ++at;
    return ::testing::AssertionFailure()
           << "first difference at byte " << at << " of " << original.size() << ": original \""
           << original.substr(at, 60) << "\", saved \"" << saved.substr(at, 60) << "\"";
}

// Collects the save errors; each one stops the save.
void SaveErrorsOf(TZelmarSDFileDataList& list, std::vector<std::string>& errors) {
    list.OnSaveDataError = [&errors](TZelmarSDFileDataList*, const std::string&, bool,
                                     const std::string& error, int) {
        errors.push_back(error);
        return false;
    };
}

std::string CrLf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

// Records of one size, so that a byte position names its record.
std::string EqualRecords(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%08d", i);
        text += SDRecord(kBlock, {{"No", {number}}, {"Text", {std::string(200, 'v')}}});
    }
    return text;
}

}  // namespace

// Every file of the shared folder that opens as a sheet, saved unedited, fully read and with
// its records still unread (their bytes come straight from the file).
TEST(Saving, EveryReadableSharedFileComesBackByteForByte) {
    const std::string dataDir = ZELMAR_SDF_DATA_DIR;
    ASSERT_TRUE(std::filesystem::is_directory(dataDir)) << "no SD files in " << dataDir;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dataDir)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".sdf" || ext == ".mol" || ext == ".rxn"))
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    TTempDir dir;
    int compared = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string original = ReadText(file);
        for (const bool readFirst : {true, false}) {
            TSheet sheet;
            TGate gate;
            TZelmarSDFileDataList& list = *sheet.List;
            if (!readFirst) {
                list.OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
                    gate.Wait();
                    return true;
                };
            }
            if (!list.LoadFile(file)) break;
            ASSERT_TRUE(PumpUntil(sheet.Ui, [&] {
                return list.GetLoadFinished() || (!readFirst && list.GetCount() > 0) ||
                       std::find(sheet.Events.begin(), sheet.Events.end(), "end load") !=
                           sheet.Events.end();
            }));
            if (list.GetCount() == 0) break;  // no record: not a readable file
            std::vector<std::string> errors;
            SaveErrorsOf(list, errors);
            const std::string out = dir.File("out.sdf");
            EXPECT_TRUE(list.SaveFile(out)) << (errors.empty() ? "" : errors[0]);
            EXPECT_TRUE(SavedAsItWas(original, ReadText(out))) << (readFirst ? "read" : "unread");
            gate.Open();
            ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return list.GetLoadFinished(); }));
            ++compared;
        }
    }
    EXPECT_GE(compared, 2 * 40) << "of " << files.size() << " files";
}

TEST(Saving, FileChangedOnDiskDuringASaveOverItself) {
    TTempDir dir;
    const std::string original = EqualRecords(3000);
    const std::string file = dir.File("sheet.sdf");
    struct TChange {
        const char* What;
        std::function<void()> Apply;
        bool Saves;
        std::string LeftOnDisk;  // by the other program, when the save fails
    };
    std::string rewritten = original;
    rewritten[original.size() * 3 / 4] = 'w';
    const std::vector<TChange> changes = {
        {"touched", [&] { utimensat(AT_FDCWD, file.c_str(), nullptr, 0); }, true, ""},
        {"appended", [&] { std::ofstream(file, std::ios::app) << SDRecord(kBlock, {}); }, true, ""},
        {"truncated", [&] { truncate(file.c_str(), static_cast<off_t>(original.size() / 2)); },
         false, original.substr(0, original.size() / 2)},
        {"rewritten", [&] { WriteText(file, rewritten); }, false, rewritten},
    };
    for (const TChange& change : changes) {
        SCOPED_TRACE(change.What);
        WriteText(file, original);
        TSheet sheet;
        TGate gate;
        TZelmarSDFileDataList& list = *sheet.List;
        list.OnLoadDataProgress = [&](TZelmarSDFileDataList*, int) {
            gate.Wait();
            return true;
        };
        ASSERT_TRUE(list.LoadFile(file));
        ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return list.GetCount() == 3000; }));
        std::vector<std::string> errors;
        SaveErrorsOf(list, errors);
        bool changed = false;
        list.OnSaveDataProgress = [&](TZelmarSDFileDataList*, int percent) {
            if (percent >= 10 && !changed) {
                usleep(10000);  // a later modification time
                change.Apply();
                changed = true;
            }
            return true;
        };
        ASSERT_EQ(list.SaveFile(file), change.Saves) << (errors.empty() ? "" : errors[0]);
        if (change.Saves) {
            EXPECT_EQ(ReadText(file), original);
            EXPECT_TRUE(errors.empty());
        } else {
            // What the other program left is untouched; the message names the record.
            EXPECT_EQ(ReadText(file), change.LeftOnDisk);
            ASSERT_EQ(errors.size(), 1u);
            EXPECT_NE(errors[0].find("cannot be read"), std::string::npos) << errors[0];
            EXPECT_NE(errors[0].find("changed"), std::string::npos) << errors[0];
        }
        EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"sheet.sdf"});
        gate.Open();
        ASSERT_TRUE(PumpUntil(sheet.Ui, [&] { return list.GetLoadFinished(); }));
    }
}

TEST(Saving, RecordsThatCannotBeReadComeBackUnchanged) {
    TTempDir dir;
    const std::string good = SDRecord(kBlock, {{"No", {"1"}}});
    const std::string noEnd = kBlock.substr(0, kBlock.find("M  END")) + "> <No>\n2\n\n$$$$\n";
    const std::string withNul =
        SDRecord(kBlock, {{"No", {std::string("3\0three", 7)}}, {"After", {"x"}}});
    const std::string junk("\x1f\x8b\x08\x00 binary\x01\x02\n\xff\xfe\n$$$$\n", 22);
    const std::string file = dir.File("mixed.sdf");
    WriteText(file, good + noEnd + withNul + junk + good);
    TSheet sheet;
    ASSERT_TRUE(sheet.Load(file));
    TZelmarSDFileDataList& list = *sheet.List;
    ASSERT_EQ(list.GetCount(), 5);
    ASSERT_TRUE(list.HasLoadErrors());
    ASSERT_EQ(list.GetLoadErrors()->GetCount(), 3);
    EXPECT_NE(list.GetSDFileData(2)->LoadError.find("NUL byte"), std::string::npos)
        << list.GetSDFileData(2)->LoadError;

    // Their bytes are what is saved, so they take no content, only a check mark.
    TZelmarField field;
    field.Kind = ecsdtDataText;
    field.Name = "No";
    TZelmarDataCarrier value;
    value.SetText("typed");
    list.GetSDFileData(1)->SetDataForField(&field, &value);
    field.Kind = ecsdtChemistry;
    list.GetSDFileData(1)->SetDataForField(&field, &value);
    EXPECT_FALSE(list.GetSDFileData(1)->IsLoaded());

    std::vector<std::string> errors;
    SaveErrorsOf(list, errors);
    ASSERT_TRUE(list.SaveFile(dir.File("out.sdf")));
    EXPECT_EQ(ReadText(dir.File("out.sdf")), good + noEnd + withNul + junk + good);
    // Records the user chose to delete are the only ones that go.
    list.DeleteLoadErrors();
    ASSERT_TRUE(list.SaveFile(file));
    EXPECT_EQ(ReadText(file), good + good);
    EXPECT_TRUE(errors.empty());
}

TEST(Saving, FailedWriteLeavesTheFileAsItWasAndNamesTheRecord) {
    TTempDir dir;
    const std::string original = EqualRecords(8000);
    const std::size_t recordSize = original.size() / 8000;
    const std::string file = dir.File("sheet.sdf");
    WriteText(file, original);
    TSheet sheet;
    ASSERT_TRUE(sheet.Load(file));
    TZelmarSDFileDataList& list = *sheet.List;
    std::vector<std::string> errors;
    SaveErrorsOf(list, errors);
    {
        TFileSizeLimit limit(recordSize * 100 + recordSize / 2);
        EXPECT_FALSE(list.SaveFile(file));
        EXPECT_FALSE(list.SaveFile(dir.File("new.sdf")));
    }
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("cannot write record 101 to \"" + file + "\": File too large"),
              std::string::npos)
        << errors[0];
    EXPECT_EQ(ReadText(file), original);
    EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"sheet.sdf"});
    EXPECT_EQ(list.GetFileName(), file);
    EXPECT_EQ(list.GetLastError(), errors[1]) << "the window can show why";
}

TEST(Saving, KilledSaveLeavesTheFileAsItWas) {
    TTempDir dir;
    const std::string original = EqualRecords(20000);  // several flushes before the kill
    const std::string file = dir.File("sheet.sdf");
    WriteText(file, original);
    pid_t child = 0;
    std::string percent = "80";
    char* argv[] = {const_cast<char*>(ZELMAR_SAVE_CHILD), const_cast<char*>(file.c_str()),
                    percent.data(), nullptr};
    ASSERT_EQ(posix_spawn(&child, ZELMAR_SAVE_CHILD, nullptr, nullptr, argv, environ), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the child ended on its own with " << WEXITSTATUS(status);
    EXPECT_EQ(ReadText(file), original);
    EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"sheet.sdf"});
}

// Only an empty line ends a value; an edited record keeps what the user did not touch: item
// headers, values, the molecule part and the file's line ends.
TEST(Saving, EditedRecordsKeepWhatWasNotTouched) {
    TTempDir dir;
    const std::string edited =
        CrLf(kBlock + "> 25 <MELTING.POINT> \n12\n\n" +
             ">  <ID> (MFCD00006594)\nfoo\nbar\n \nbaz\n\n" + "> <Blank>\n \n\n$$$$\n");
    const std::string other = CrLf(SDRecord(kBlock, {{"ID", {"other"}}}));
    const std::string file = dir.File("crlf.sdf");
    WriteText(file, edited + other);
    TSheet sheet;
    ASSERT_TRUE(sheet.Load(file));
    TZelmarSDFileDataList& list = *sheet.List;
    TZelmarSDFileData* record = list.GetSDFileData(0);
    const TZelmarRecordTexts& texts = record->Texts();
    ASSERT_EQ(texts.DataLines(texts.FindData("ID")),
              (std::vector<std::string>{"foo", "bar", " ", "baz"}));
    ASSERT_EQ(texts.DataLines(texts.FindData("Blank")), std::vector<std::string>{" "});

    TZelmarField field;
    field.Kind = ecsdtDataText;
    field.Name = "MELTING.POINT";
    TZelmarDataCarrier value;
    value.SetText("13");
    record->SetDataForField(&field, &value);
    field.Name = "ID";
    value.SetText("foo\r\nbar\r\n \r\nbaz");  // as the grid hands a value back: no change
    record->SetDataForField(&field, &value);
    field.Name = "New";
    value.SetText("n");
    record->SetDataForField(&field, &value);
    ASSERT_TRUE(list.SaveFile(dir.File("out.sdf")));
    EXPECT_EQ(ReadText(dir.File("out.sdf")), CrLf(kBlock + "> 25 <MELTING.POINT> \n13\n\n" +
                                                  ">  <ID> (MFCD00006594)\nfoo\nbar\n \nbaz\n\n" +
                                                  "> <Blank>\n \n\n" + "> <New>\nn\n\n$$$$\n") +
                                                 other);

    // A new molecule is written in the file's line ends too.
    field.Kind = ecsdtChemistry;
    value.SetText(MolBlock("new", {"N"}));
    list.GetSDFileData(1)->SetDataForField(&field, &value);
    ASSERT_TRUE(list.SaveFile(dir.File("out.sdf")));
    EXPECT_NE(ReadText(dir.File("out.sdf"))
                  .find(CrLf(MolBlock("new", {"N"}) + "> <ID>\nother\n\n$$$$\n")),
              std::string::npos);
}
