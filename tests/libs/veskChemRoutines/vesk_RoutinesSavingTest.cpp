// Saving without loss: records read and written back byte for byte, edited records close to
// their original text, files changed on disk after the scan, and output that replaces its
// target only when complete.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "ZelmarFileTestSupport.h"

#include "vesk_RoutinesTestSupport.h"

using namespace routines_test;

namespace {

const std::string kBlock = Block({"C 0 0", "O 0 0"}, {"1 2 1"});

struct RecordTexts {
    std::vector<std::string> texts;
    std::vector<std::string> errors;  // per record: why it could not be split, or empty
};

// Every record's bytes as the library hands them out, and whether each splits.
RecordTexts ReadTexts(const std::string& file) {
    RecordTexts result;
    char err[256];
    uintptr_t handle = 0;
    int32_t count = 0;
    if (!OK(OpenSDFileRA3(&handle, file.c_str(), nullptr, nullptr, err, 256))) return result;
    EXPECT_TRUE(OK(GetSDFileEntryCountRA(handle, &count, err, 256)));
    for (int32_t i = 0; i < count; ++i) {
        char* text = nullptr;
        int32_t length = 0;
        EXPECT_TRUE(OK(GetSDFileEntryTextRA(handle, i, &text, &length, err, 256))) << err;
        if (text == nullptr) continue;
        result.texts.emplace_back(text, static_cast<std::size_t>(length));
        free(text);
        uintptr_t mol = 0, list = 0;
        const std::string& t = result.texts.back();
        const bool split = OK(OpenSDFileEntryText(t.data(), static_cast<int32_t>(t.size()), &mol, 0,
                                                  &list, err, 256));
        result.errors.push_back(split ? "" : err);
        if (mol) DestroyMolFile(mol, err, 256);
        if (list) DestroySDFileDataEntryList(list, err, 256);
    }
    DestroySDFile(handle, err, 256);
    return result;
}

std::string WriteTexts(const std::string& file, const std::vector<std::string>& texts) {
    char err[256];
    uintptr_t producer = 0;
    EXPECT_TRUE(OK(CreateNewSDFile(&producer, file.c_str(), err, 256))) << err;
    for (const std::string& t : texts)
        EXPECT_TRUE(
            OK(AddSDFileEntryText(producer, t.data(), static_cast<int32_t>(t.size()), err, 256)))
            << err;
    EXPECT_TRUE(OK(DestroySDFileProducer(producer, err, 256))) << err;
    return ReadBytes(file);
}

}  // namespace

TEST(RoutinesSaving, RecordTextsComeBackByteForByte) {
    TempDir dir;
    const std::string rec = kBlock + "> 25 <MP> (MFCD1)\n12\n \nafter a blank line\n\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {rec + "$$$$\n" + rec + "$$$$\n", ""},
        {CrLf(rec + "$$$$\n" + rec + "$$$$\n"), ""},
        {rec + "$$$$\n\n  \n$$$$\n" + rec + "$$$$ \t", ""},  // blank stretch, open last line
        {rec + "$$$$\n" + rec, "$$$$\n"},                    // no final "$$$$"
        {CrLf(rec + "$$$$\n" + kBlock + "> <A>\n1"), "\r\n$$$$\r\n"},
        {rec + "$$$$\n" + kBlock + "> <A>\nx" + std::string(1, '\0') + "y\n\n$$$$\n", ""},
    };
    for (const auto& [file, added] : cases) {
        const std::string in = dir.Write("in.sdf", file);
        RecordTexts read = ReadTexts(in);
        ASSERT_EQ(read.texts.size(), 2u) << file;
        EXPECT_EQ(WriteTexts(dir.Path("out.sdf"), read.texts), file + added);
        // Records written in another order still start on lines of their own.
        const std::string swapped = WriteTexts(dir.Path("out.sdf"), {read.texts[1], read.texts[0]});
        EXPECT_EQ(ReadTexts(dir.Path("out.sdf")).texts.size(), 2u) << swapped;
    }
    // A NUL byte cannot pass the text boundary: splitting names its line, the bytes survive.
    RecordTexts nul = ReadTexts(dir.Path("in.sdf"));
    EXPECT_EQ(nul.errors[0], "");
    EXPECT_NE(nul.errors[1].find("line 10 of the record holds a NUL byte"), std::string::npos)
        << nul.errors[1];
}

TEST(RoutinesSaving, FileChangedAfterTheScanReadsOnlyWhileItsBytesAreThere) {
    TempDir dir;
    std::string file;
    for (int i = 0; i < 3000; ++i) file += kBlock + "> <N>\n" + std::to_string(i) + "\n\n$$$$\n";
    const std::string path = dir.Write("f.sdf", file);
    char err[256];
    auto readAll = [&](uintptr_t handle) {
        std::string all;
        for (int32_t i = 0; i < 3000; ++i) {
            char* text = nullptr;
            int32_t length = 0;
            if (!OK(GetSDFileEntryTextRA(handle, i, &text, &length, err, 256)))
                return std::string(err);
            all.append(text, static_cast<std::size_t>(length));
            free(text);
        }
        return all;
    };
    struct Change {
        const char* what;
        std::function<void()> apply;
        bool readable;
    };
    const std::vector<Change> changes = {
        {"touched", [&] { utimensat(AT_FDCWD, path.c_str(), nullptr, 0); }, true},
        {"appended", [&] { std::ofstream(path, std::ios::app) << kBlock << "$$$$\n"; }, true},
        {"rewritten",
         [&] {
             std::string other = file;
             other[other.size() / 2] = other[other.size() / 2] == 'C' ? 'N' : 'C';
             dir.Write("f.sdf", other);
         },
         false},
        {"truncated", [&] { truncate(path.c_str(), static_cast<off_t>(file.size() / 2)); }, false},
    };
    for (const Change& change : changes) {
        dir.Write("f.sdf", file);
        uintptr_t handle = 0;
        ASSERT_TRUE(OK(OpenSDFileRA3(&handle, path.c_str(), nullptr, nullptr, err, 256)));
        usleep(10000);  // a later modification time
        change.apply();
        const std::string all = readAll(handle);
        if (change.readable)
            EXPECT_EQ(all, file) << change.what;
        else
            EXPECT_NE(all.find("changed"), std::string::npos)
                << change.what << ": " << all.substr(0, 200);
        DestroySDFile(handle, err, 256);
    }
}

TEST(RoutinesSaving, TargetIsReplacedOnlyWhenComplete) {
    TempDir dir;
    const std::string original = kBlock + "$$$$\n";
    const std::string target = dir.Write("t.sdf", original);
    chmod(target.c_str(), 0640);
    char err[256];
    std::string big;
    for (int i = 0; i < 400; ++i) big += kBlock + "> <N>\n" + std::string(5000, 'v') + "\n\n$$$$\n";

    // Aborted, and failed while writing (a file size limit): the target stays, nothing is left.
    uintptr_t producer = 0;
    ASSERT_TRUE(OK(CreateNewSDFile(&producer, target.c_str(), err, 256)));
    ASSERT_TRUE(OK(AddSDFileEntryText(producer, big.data(), 100, err, 256)));
    EXPECT_TRUE(OK(AbortSDFileProducer(producer, err, 256)));
    {
        TFileSizeLimit limit(300000);
        ASSERT_TRUE(OK(CreateNewSDFile(&producer, target.c_str(), err, 256)));
        bool added = true;
        for (int i = 0; i < 400 && added; ++i) {
            const std::string rec = kBlock + "> <N>\n" + std::string(5000, 'v') + "\n\n$$$$\n";
            added = OK(AddSDFileEntryText(producer, rec.data(), static_cast<int32_t>(rec.size()),
                                          err, 256));
        }
        EXPECT_FALSE(added && OK(DestroySDFileProducer(producer, err, 256)));
        if (added) AbortSDFileProducer(producer, err, 256);
        // 300,000 bytes hold 57 whole records of 5,200 bytes; the 58th could not be written.
        EXPECT_NE(std::string(err).find("cannot write record 58 to \"" + target + "\""),
                  std::string::npos)
            << err;
    }
    EXPECT_EQ(ReadBytes(target), original);
    EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"t.sdf"});

    // Complete: replaced, mode kept; through a symbolic link the linked file is replaced.
    EXPECT_EQ(WriteTexts(target, {kBlock + "> <A>\n1\n\n$$$$\n"}), kBlock + "> <A>\n1\n\n$$$$\n");
    struct stat st {};
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    const std::string link = dir.Path("link.sdf");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    WriteTexts(link, {original});
    EXPECT_EQ(ReadBytes(target), original);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(FolderEntries(dir), (std::vector<std::string>{"link.sdf", "t.sdf"}));
}

TEST(RoutinesSaving, EditedRecordsKeepWhatWasNotChanged) {
    TempDir dir;
    const std::string original = kBlock + "extra line after the block\n" +
                                 "> 25 <MP> (MFCD1)\n 12 \n  \n\n" + ">  <ID>  (7) \nA-1\n\n" +
                                 "> <OLD>\nx\n\n$$$$\n";
    char err[256];
    uintptr_t list = 0, item = 0, mol = 0, producer = 0;
    auto add = [&](const char* name, std::vector<std::string> lines) {
        ASSERT_TRUE(OK(CreateSDFileDataEntry(&item, name, -1, err, 256)));
        for (const std::string& line : lines) AddSDFileDataLine(item, line.c_str(), err, 256);
        ASSERT_TRUE(OK(AddSDFileDataEntry(list, item, err, 256)));
        DestroySDFileDataEntry(item, err, 256);
    };
    ASSERT_TRUE(OK(CreateEmptySDFileDataEntryList(&list, err, 256)));
    add("MP", {" 12 ", "  "});   // unchanged: copied as it was
    add("ID", {"A-2", " "});     // changed: its header stays, a blank line is kept
    add("NEW", {"n", "", "m"});  // new: plain header, the empty line cannot be written
    auto write = [&](int32_t writeMolecule, const std::string& org, int32_t lineEnds) {
        EXPECT_TRUE(OK(CreateNewSDFile(&producer, dir.Path("o.sdf").c_str(), err, 256)));
        EXPECT_TRUE(OK(AddSDFileEntryEx(producer, mol, writeMolecule, list, org.data(),
                                        static_cast<int32_t>(org.size()), lineEnds, err, 256)))
            << err;
        EXPECT_TRUE(OK(DestroySDFileProducer(producer, err, 256)));
        return ReadBytes(dir.Path("o.sdf"));
    };
    const std::string items =
        "> 25 <MP> (MFCD1)\n 12 \n  \n\n>  <ID>  (7) \nA-2\n \n\n> <NEW>\nn\nm\n\n$$$$\n";
    EXPECT_EQ(write(VESK_WRITE_ORIGINAL_MOLECULE, original, VESK_LINE_ENDS_LF),
              kBlock + "extra line after the block\n" + items);
    EXPECT_EQ(write(VESK_WRITE_ORIGINAL_MOLECULE, CrLf(original), VESK_LINE_ENDS_LF),
              CrLf(kBlock + "extra line after the block\n" + items));
    ASSERT_TRUE(OK(OpenMolString(&mol, Block({"N 0 0"}, {}).c_str(), 0, 0, err, 256)));
    EXPECT_EQ(write(VESK_WRITE_MOLECULE, original, VESK_LINE_ENDS_CRLF),
              Block({"N 0 0"}, {}) + items);
    EXPECT_EQ(write(VESK_WRITE_MOLECULE, "", VESK_LINE_ENDS_CRLF),
              CrLf(Block({"N 0 0"}, {}) +
                   "> <MP>\n 12 \n  \n\n> <ID>\nA-2\n \n\n> <NEW>\nn\nm\n\n$$$$\n"));
    EXPECT_FALSE(
        OK(AddSDFileEntryEx(0, mol, VESK_WRITE_ORIGINAL_MOLECULE, list, nullptr, 0, 0, err, 256)));
    // An original without a molecule to copy is refused, never written with an empty one.
    const std::string noBlock =
        "x\n  y\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n> <A>\n1\n\n$$$$\n";
    ASSERT_TRUE(OK(CreateNewSDFile(&producer, dir.Path("o.sdf").c_str(), err, 256)));
    EXPECT_FALSE(
        OK(AddSDFileEntryEx(producer, 0, VESK_WRITE_ORIGINAL_MOLECULE, list, noBlock.data(),
                            static_cast<int32_t>(noBlock.size()), VESK_LINE_ENDS_LF, err, 256)));
    EXPECT_NE(std::string(err).find("could not be found"), std::string::npos) << err;
    AbortSDFileProducer(producer, err, 256);
    DestroyMolFile(mol, err, 256);
    DestroySDFileDataEntryList(list, err, 256);
}
