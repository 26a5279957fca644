// Reading SD files: record boundaries, molecule blocks, data item headers and values, errors.

#include <algorithm>
#include <regex>

#include "vesk_RoutinesTestSupport.h"

using namespace routines_test;

namespace {

const std::string kEthanol = Block({"C 0 0", "C 0 0", "O 0 0"}, {"1 2 1", "2 3 1"});

std::string CrLf(const std::string& text) {
    return std::regex_replace(text, std::regex("\n"), "\r\n");
}

}  // namespace

TEST(RoutinesReading, DataHeaderFormsGiveTheirNames) {
    const std::vector<std::pair<std::string, std::string>> forms = {
        {"> <NAME>", "NAME"},
        {">  <NAME>  (12) ", "NAME"},
        {"> 25 <MELTING.POINT> ", "MELTING.POINT"},
        {"> <Probability> $type=real", "Probability"},
        {">  <ID> (MFCD00006594)", "ID"},
        {"> DT12", "DT12"},
        {">  <ID", "ID"},  // unclosed
        {"> < spaced name >", " spaced name "},
        {"> <>", ""},
    };
    std::string text = kEthanol;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        text += forms[i].first + "\nvalue " + std::to_string(i) + "\n\n";
    }
    std::vector<Record> records = ReadText(text + "$$$$\n");
    ASSERT_EQ(records.size(), 1u);
    ASSERT_EQ(records[0].items.size(), forms.size());
    for (std::size_t i = 0; i < forms.size(); ++i) {
        EXPECT_EQ(records[0].items[i].name, forms[i].second) << forms[i].first;
        EXPECT_EQ(records[0].items[i].lines, std::vector<std::string>{"value " + std::to_string(i)});
    }
}

TEST(RoutinesReading, ValuesRunToTheNextBlankLineAndKeepTheirBytes) {
    std::string text = kEthanol +
                       "junk before the first item\n"
                       "> <MULTI>\n  first line with blanks  \n\xB1 Latin-1 and \xE2\x82\xAC\n"
                       "> <not a header inside a value>\n \t \n"  // a line of blanks ends it
                       "ignored junk\n\n"
                       "> <EMPTY>\n\n\n"
                       "> <LAST>\nruns into the separator\n$$$$\n";
    std::vector<Record> records = ReadText(text);
    ASSERT_EQ(records.size(), 1u);
    std::vector<Item> expected = {
        {"MULTI",
         {"  first line with blanks  ", "\xB1 Latin-1 and \xE2\x82\xAC",
          "> <not a header inside a value>"}},
        {"EMPTY", {}},
        {"LAST", {"runs into the separator"}}};
    EXPECT_EQ(records[0].items, expected);
    EXPECT_EQ(records[0].molBlock, kEthanol);
}

TEST(RoutinesReading, RecordBoundaries) {
    const std::string rec = kEthanol + "> <A>\n1\n\n";
    struct Case {
        const char* what;
        std::string text;
        std::size_t records;
    };
    const std::vector<Case> cases = {
        {"plain", rec + "$$$$\n" + rec + "$$$$\n", 2},
        {"last record without $$$$", rec + "$$$$\n" + rec, 2},
        {"last record without line end", rec + "$$$$\n" + kEthanol + "> <A>\n1", 2},
        {"trailing blanks and CR on $$$$", rec + "$$$$  \r\n" + rec + "$$$$\t \r", 2},
        {"blank lines between and after records",
         rec + "$$$$\n\n  \n\r\n$$$$\n" + rec + "$$$$\n\n\n", 2},
        {"blank lines only after the last $$$$", rec + "$$$$\n \t\n", 1},
        {"$$$$ with text or a leading blank is no boundary",
         kEthanol + "> <A>\n$$$$x\n $$$$\n\n$$$$\n", 1},
    };
    for (const Case& c : cases) {
        std::vector<Record> records = ReadText(c.text);
        ASSERT_EQ(records.size(), c.records) << c.what;
        for (const Record& r : records) {
            EXPECT_TRUE(r.ok) << c.what << ": " << r.error;
            EXPECT_EQ(r.molBlock, kEthanol) << c.what;
            ASSERT_EQ(r.items.size(), 1u) << c.what;
        }
    }
    EXPECT_EQ(ReadText(cases.back().text)[0].items[0].lines,
              (std::vector<std::string>{"$$$$x", " $$$$"}));
}

TEST(RoutinesReading, CrLfReadsLikeLf) {
    const std::string text = kEthanol + "> <A>\nvalue\nsecond\n\n$$$$\n" + kEthanol + "$$$$\n";
    std::vector<Record> lf = ReadText(text);
    std::vector<Record> crlf = ReadText(CrLf(text));
    ASSERT_EQ(crlf.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(crlf[i].molBlock, lf[i].molBlock);
        EXPECT_EQ(crlf[i].items, lf[i].items);
    }
    EXPECT_EQ(crlf[0].molBlock, kEthanol);
}

TEST(RoutinesReading, MoleculeBlockEdges) {
    // A blank name line belongs to the block; blank lines written before a record do not.
    std::string blankName = "\n  -ISIS-  07200413512D\n\n" + kEthanol.substr(kEthanol.find("  3"));
    std::vector<Record> records = ReadText(blankName + "$$$$\n\n" + kEthanol + "$$$$\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].molBlock, blankName);
    EXPECT_EQ(records[1].molBlock, kEthanol);

    const std::string v3000 =
        "v3\n  test\n\n  0  0  0     0  0            999 V3000\nM  V30 BEGIN CTAB\n"
        "M  V30 COUNTS 2 1 0 0 0\nM  V30 BEGIN ATOM\nM  V30 1 C 0 0 0 0\nM  V30 2 O 1 0 0 0\n"
        "M  V30 END ATOM\nM  V30 BEGIN BOND\nM  V30 1 1 1 2\nM  V30 END BOND\n"
        "M  V30 END CTAB\nM  END\n";
    records = ReadText(v3000 + "> <X>\n1\n\n$$$$\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].molBlock, v3000);
    EXPECT_EQ(ChemOf(records[0].molBlock).formula, "CH4O");
}

TEST(RoutinesReading, FailedRecordsAreReportedAndOthersStillRead) {
    const std::string truncated = "cut\n  test\n\n  2  1  0  0  0  0  0  0  0  0999 V2000\n"
                                  "    0.0000    0.0000    0.0000 C   0  0\n";
    std::vector<Record> records = ReadText(kEthanol + "$$$$\n" + truncated + "> <A>\n1\n\n$$$$\n" +
                                           "hello\n$$$$\n" + kEthanol + "$$$$\n");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_TRUE(records[0].ok);
    EXPECT_FALSE(records[1].ok);
    EXPECT_NE(records[1].error.find("record 2 of 4"), std::string::npos) << records[1].error;
    EXPECT_NE(records[1].error.find("M  END"), std::string::npos) << records[1].error;
    EXPECT_FALSE(records[2].ok);
    EXPECT_NE(records[2].error.find("too few"), std::string::npos) << records[2].error;
    EXPECT_TRUE(records[3].ok);
}

TEST(RoutinesReading, FilesThatDoNotOpen) {
    TempDir dir;
    struct Case {
        std::string file;
        const char* message;
    };
    const std::vector<Case> cases = {
        {dir.Write("empty.sdf", ""), "is empty"},
        {dir.Write("blank.sdf", "\r\n \n\t\r\n"), "no SD record"},
        {dir.Path("missing.sdf"), "No such file"},
        {dir.Path(""), "not a regular file"},
    };
    for (const Case& c : cases) {
        char err[256];
        uintptr_t handle = 123;
        EXPECT_FALSE(OpenSDFileRA3(&handle, c.file.c_str(), nullptr, nullptr, err, 256) & 0xFF);
        EXPECT_EQ(handle, 0u);
        EXPECT_NE(std::string(err).find(c.message), std::string::npos) << c.file << ": " << err;
        EXPECT_FALSE(OpenSDFile(&handle, c.file.c_str(), err, 256) & 0xFF);
    }
}

TEST(RoutinesReading, OverlongValueLinesNeedABufferThatHoldsThem) {
    const std::string exact(64000, 'x');
    const std::string longer = std::string(69999, 'y') + "\xE2\x82\xAC";  // ends in a 3-byte char
    std::vector<Record> records = ReadText(kEthanol + "> <L>\n" + exact + "\n\n");
    ASSERT_EQ(records.size(), 1u);
    // ReadItems uses 64001-byte buffers: the 64000-byte line fits, the longer one does not.
    EXPECT_EQ(records[0].items[0].lines[0], exact);

    TempDir dir;
    char err[256];
    uintptr_t file = 0, mol = 0, list = 0, entry = 0;
    ASSERT_TRUE(OpenSDFile(&file, dir.Write("l.sdf", kEthanol + "> <L>\n" + longer + "\n").c_str(),
                           err, 256));
    ASSERT_TRUE(GetNextSDFileEntry(file, &mol, 0, &list, err, 256) & 0xFF) << err;
    ASSERT_TRUE(GetSDFileDataEntryNo(list, &entry, 0, err, 256) & 0xFF);
    std::vector<char> buf(70005, '#');
    EXPECT_FALSE(GetSDFileDataLineNo(entry, 0, buf.data(), 64001, err, 256) & 0xFF);
    EXPECT_NE(std::string(err).find("does not fit"), std::string::npos) << err;
    EXPECT_EQ(std::string(buf.data()), longer.substr(0, 64000));
    EXPECT_EQ(buf[64001], '#');
    // Cut before a character that would not fit whole.
    EXPECT_FALSE(GetSDFileDataLineNo(entry, 0, buf.data(), 70002, err, 256) & 0xFF);
    EXPECT_EQ(std::string(buf.data()), longer.substr(0, 69999));
    EXPECT_TRUE(GetSDFileDataLineNo(entry, 0, buf.data(), 70003, err, 256) & 0xFF);
    EXPECT_EQ(std::string(buf.data()), longer);
    DestroySDFileDataEntry(entry, err, 256);
    DestroySDFileDataEntryList(list, err, 256);
    DestroyMolFile(mol, err, 256);
    DestroySDFile(file, err, 256);
}

TEST(RoutinesReading, ProgressInWholePerCentsOnlyWhenItChangesAndCancel) {
    std::string text;
    for (int i = 0; i < 500; ++i) text += kEthanol + "> <N>\n" + std::to_string(i) + "\n\n$$$$\n";
    TempDir dir;
    std::string file = dir.Write("p.sdf", text);
    struct Seen {
        std::vector<int32_t> values;
        int32_t stopAt = 1000;
    };
    auto callback = [](int32_t progress, void* data) -> int32_t {
        auto* seen = static_cast<Seen*>(data);
        seen->values.push_back(progress);
        return progress < seen->stopAt;
    };
    char err[256];
    Seen seen;
    uintptr_t handle = 0;
    ASSERT_TRUE(OpenSDFileRA3(&handle, file.c_str(), &seen, callback, err, 256) & 0xFF) << err;
    ASSERT_FALSE(seen.values.empty());
    EXPECT_EQ(seen.values.front(), 0);
    EXPECT_EQ(seen.values.back(), 100);
    EXPECT_TRUE(std::adjacent_find(seen.values.begin(), seen.values.end(),
                                   [](int32_t a, int32_t b) { return b <= a; }) ==
                seen.values.end());
    EXPECT_GE(seen.values.size(), 90u);  // 500 records: nearly every per cent is seen
    int32_t count = 0;
    EXPECT_TRUE(GetSDFileEntryCountRA(handle, &count, err, 256) & 0xFF);
    EXPECT_EQ(count, 500);
    DestroySDFile(handle, err, 256);

    Seen cancel;
    cancel.stopAt = 50;
    EXPECT_FALSE(OpenSDFileRA3(&handle, file.c_str(), &cancel, callback, err, 256) & 0xFF);
    EXPECT_EQ(handle, 0u);
    EXPECT_EQ(cancel.values.back(), 50);
    EXPECT_NE(std::string(err).find("cancelled"), std::string::npos) << err;
}

TEST(RoutinesReading, SequentialReadingPassesFailedRecords) {
    TempDir dir;
    std::string file = dir.Write("s.sdf", kEthanol + "$$$$\nbroken\n$$$$\n" + kEthanol);
    char err[256];
    uintptr_t handle = 0;
    ASSERT_TRUE(OpenSDFile(&handle, file.c_str(), err, 256) & 0xFF) << err;
    std::vector<bool> results;
    std::vector<double> progress;
    uint8_t end = 0;
    while ((SDFileEndReached(handle, &end, err, 256) & 0xFF) && !end) {
        double p = -1;
        EXPECT_TRUE(GetSDFileProgress(handle, &p, err, 256) & 0xFF);
        progress.push_back(p);
        uintptr_t mol = 0, list = 0;
        results.push_back(GetNextSDFileEntry(handle, &mol, 0, &list, err, 256) & 0xFF);
        DestroyMolFile(mol, err, 256);
        DestroySDFileDataEntryList(list, err, 256);
    }
    EXPECT_EQ(results, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.front(), 0.0);
    double last = 0;
    EXPECT_TRUE(GetSDFileProgress(handle, &last, err, 256) & 0xFF);
    EXPECT_EQ(last, 100.0);
    uintptr_t mol = 0, list = 0;
    EXPECT_FALSE(GetNextSDFileEntry(handle, &mol, 0, &list, err, 256) & 0xFF);
    DestroySDFile(handle, err, 256);
}

TEST(RoutinesReading, AFileChangedAfterOpeningIsNotMisread) {
    TempDir dir;
    std::string file = dir.Write("c.sdf", kEthanol + "$$$$\n" + kEthanol + "$$$$\n");
    char err[256];
    uintptr_t handle = 0, mol = 0, list = 0;
    ASSERT_TRUE(OpenSDFileRA3(&handle, file.c_str(), nullptr, nullptr, err, 256) & 0xFF);
    dir.Write("c.sdf", "something else entirely\n");
    EXPECT_FALSE(GetSDFileEntryRA(handle, 1, &mol, 0, &list, err, 256) & 0xFF);
    EXPECT_NE(std::string(err).find("changed"), std::string::npos) << err;
    DestroySDFile(handle, err, 256);
}
