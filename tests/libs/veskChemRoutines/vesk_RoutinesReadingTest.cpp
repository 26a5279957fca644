// Reading SD files: record boundaries, molecule blocks, data item headers and values, errors.

#include <algorithm>
#include <cstring>
#include "vesk_RoutinesTestSupport.h"

using namespace routines_test;

namespace {

const std::string kEthanol = Block({"C 0 0", "C 0 0", "O 0 0"}, {"1 2 1", "2 3 1"});

}  // namespace

TEST(RoutinesReading, DataHeaderFormsAndValues) {
    const std::vector<std::pair<std::string, std::string>> forms = {
        {"> <NAME>", "NAME"},
        {">  <NAME>  (12) ", "NAME"},
        {"> 25 <MELTING.POINT> ", "MELTING.POINT"},
        {"> <Probability> $type=real", "Probability"},
        {">  <ID> (MFCD00006594)", "ID"},
        {"> DT12", "DT12"},
        {">  <ID", "ID"} /* unclosed */,
        {"> < spaced >", " spaced "},
        {"> <>", ""}};
    std::string text = kEthanol + "junk before the first item\n";
    std::vector<Item> expected;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        text += forms[i].first + "\nvalue " + std::to_string(i) + "\n\n";
        expected.push_back({forms[i].second, {"value " + std::to_string(i)}});
    }
    text +=
        "> <MULTI>\n  blanks kept  \n\xB1 Latin-1, \xE2\x82\xAC\n> <a header inside a value>\n"
        " \t \nkept: only an empty line ends a value\n\nignored\n> <EMPTY>\n\n\n> <LAST>\n"
        "runs into $$$$\n$$$$\n";
    expected.push_back(
        {"MULTI",
         {"  blanks kept  ", "\xB1 Latin-1, \xE2\x82\xAC", "> <a header inside a value>", " \t ",
          "kept: only an empty line ends a value"}});
    expected.push_back({"EMPTY", {}});
    expected.push_back({"LAST", {"runs into $$$$"}});
    std::vector<Record> records = ReadText(text);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].molBlock, kEthanol);
    EXPECT_EQ(records[0].items, expected);
}

TEST(RoutinesReading, RecordBoundariesAndLineEnds) {
    const std::string rec = kEthanol + "> <A>\n1\n\n";
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {rec + "$$$$\n" + rec + "$$$$\n", 2},
        {CrLf(rec + "$$$$\n" + rec), 2},                              // CR LF
        {rec + "$$$$\n" + kEthanol + "> <A>\n1", 2},                  // no $$$$, no line end
        {rec + "$$$$  \r\n" + rec + "$$$$\t \r", 2},                  // blanks and CR after $$$$
        {rec + "$$$$\n\n  \n\r\n$$$$\n" + rec + "$$$$\n\n \t\n", 2},  // blank stretches
        {kEthanol + "> <A>\n1\n$$$$x\n $$$$\n\n$$$$\n", 1},           // no boundaries
    };
    for (const auto& [text, count] : cases) {
        std::vector<Record> records = ReadText(text);
        ASSERT_EQ(records.size(), count) << text;
        for (const Record& r : records) {
            EXPECT_EQ(r.molBlock, kEthanol) << text;
            ASSERT_EQ(r.items.size(), 1u) << text;
            EXPECT_EQ(r.items[0].lines[0], "1") << text;
        }
    }
    EXPECT_EQ(ReadText(cases.back().first)[0].items[0].lines,
              (std::vector<std::string>{"1", "$$$$x", " $$$$"}));
}

TEST(RoutinesReading, MoleculeBlockEdges) {
    // A blank name line belongs to the block; blank lines written before a record do not.
    std::string blankName =
        "\n  -ISIS-  07200413512D\n\n" + kEthanol.substr(kEthanol.find("  3  2"));
    std::vector<Record> records = ReadText(blankName + "$$$$\n\n" + kEthanol + "$$$$\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].molBlock, blankName);
    EXPECT_EQ(records[1].molBlock, kEthanol);

    const std::string v3000 =
        "v3\n  test\n\n  0  0  0     0  0            999 V3000\nM  V30 BEGIN CTAB\n"
        "M  V30 COUNTS 2 1 0 0 0\nM  V30 BEGIN ATOM\nM  V30 1 C 0 0 0 0\nM  V30 2 O 1 0 0 0\n"
        "M  V30 END ATOM\nM  V30 BEGIN BOND\nM  V30 1 1 1 2\nM  V30 END BOND\nM  V30 END CTAB\n"
        "M  END\n";
    records = ReadText(v3000 + "> <X>\n1\n\n$$$$\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].molBlock, v3000);
    EXPECT_EQ(ChemOf(records[0].molBlock).formula, "CH4O");
}

TEST(RoutinesReading, FailedRecordsAreReportedAndOthersStillRead) {
    const std::string truncated =
        "cut\n  test\n\n  2  1  0  0  0  0  0  0  0  0999 V2000\n"
        "    0.0000    0.0000    0.0000 C   0  0\n";
    std::vector<Record> records = ReadText(kEthanol + "$$$$\n" + truncated + "> <A>\n1\n\n$$$$\n" +
                                           "hello\n$$$$\n" + kEthanol + "$$$$\n");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_TRUE(records[0].ok && records[3].ok);
    EXPECT_FALSE(records[1].ok);
    EXPECT_NE(records[1].error.find("record 2 of 4"), std::string::npos) << records[1].error;
    EXPECT_NE(records[1].error.find("M  END"), std::string::npos) << records[1].error;
    EXPECT_FALSE(records[2].ok);
    EXPECT_NE(records[2].error.find("too few"), std::string::npos) << records[2].error;
}

TEST(RoutinesReading, FilesThatDoNotOpen) {
    TempDir dir;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {dir.Write("empty.sdf", ""), "is empty"},
        {dir.Write("blank.sdf", "\r\n \n\t\r\n"), "no SD record"},
        {dir.Path("missing.sdf"), "No such file"},
        {dir.Path(""), "not a regular file"}};
    for (const auto& [file, message] : cases) {
        char err[256];
        uintptr_t handle = 123;
        EXPECT_FALSE(OK(OpenSDFileRA3(&handle, file.c_str(), nullptr, nullptr, err, 256)));
        EXPECT_EQ(handle, 0u);
        EXPECT_NE(std::string(err).find(message), std::string::npos) << file << ": " << err;
        EXPECT_FALSE(OK(OpenSDFile(&handle, file.c_str(), err, 256)));
    }
}

TEST(RoutinesReading, OverlongValueLines) {
    const std::string exact(64000, 'x');  // fits the binding's 64001-byte buffer
    const std::string longer = std::string(69999, 'y') + "\xE2\x82\xAC";
    TempDir dir;
    std::string file = dir.Write("l.sdf", kEthanol + "> <L>\n" + exact + "\n" + longer + "\n");
    char err[256];
    uintptr_t handle = 0, mol = 0, list = 0, entry = 0;
    ASSERT_TRUE(OK(OpenSDFile(&handle, file.c_str(), err, 256)));
    ASSERT_TRUE(OK(GetNextSDFileEntry(handle, &mol, 0, &list, err, 256))) << err;
    ASSERT_TRUE(OK(GetSDFileDataEntryNo(list, &entry, 0, err, 256)));
    std::vector<char> buf(70005, '#');
    EXPECT_TRUE(OK(GetSDFileDataLineNo(entry, 0, buf.data(), 64001, err, 256)));
    EXPECT_EQ(std::string(buf.data()), exact);
    EXPECT_FALSE(OK(GetSDFileDataLineNo(entry, 1, buf.data(), 64001, err, 256)));
    EXPECT_NE(std::string(err).find("does not fit"), std::string::npos) << err;
    EXPECT_EQ(std::string(buf.data()), longer.substr(0, 64000));
    EXPECT_EQ(buf[64001], '#');
    // The cut never splits a character.
    EXPECT_FALSE(OK(GetSDFileDataLineNo(entry, 1, buf.data(), 70002, err, 256)));
    EXPECT_EQ(std::string(buf.data()), longer.substr(0, 69999));
    EXPECT_TRUE(OK(GetSDFileDataLineNo(entry, 1, buf.data(), 70003, err, 256)));
    EXPECT_EQ(std::string(buf.data()), longer);
    DestroySDFileDataEntry(entry, err, 256);
    DestroySDFileDataEntryList(list, err, 256);
    DestroyMolFile(mol, err, 256);
    DestroySDFile(handle, err, 256);
}

TEST(RoutinesReading, ProgressInWholePerCentsOnlyOnChangeAndCancel) {
    std::string text;
    for (int i = 0; i < 500; ++i) text += kEthanol + "> <N>\n" + std::to_string(i) + "\n\n$$$$\n";
    TempDir dir;
    std::string file = dir.Write("p.sdf", text);
    struct Seen {
        std::vector<int32_t> values;
        int32_t stopAt;
    };
    auto callback = [](int32_t progress, void* data) -> int32_t {
        static_cast<Seen*>(data)->values.push_back(progress);
        return progress < static_cast<Seen*>(data)->stopAt;
    };
    char err[256];
    Seen seen{{}, 1000};
    uintptr_t handle = 0;
    int32_t count = 0;
    ASSERT_TRUE(OK(OpenSDFileRA3(&handle, file.c_str(), &seen, callback, err, 256))) << err;
    ASSERT_TRUE(OK(GetSDFileEntryCountRA(handle, &count, err, 256)));
    EXPECT_EQ(count, 500);
    DestroySDFile(handle, err, 256);
    ASSERT_GE(seen.values.size(), 90u);  // 500 records: nearly every per cent shows
    EXPECT_EQ(seen.values.front(), 0);
    EXPECT_EQ(seen.values.back(), 100);
    EXPECT_TRUE(std::adjacent_find(seen.values.begin(), seen.values.end(),
                                   std::greater_equal<int32_t>()) == seen.values.end());

    Seen cancel{{}, 50};
    EXPECT_FALSE(OK(OpenSDFileRA3(&handle, file.c_str(), &cancel, callback, err, 256)));
    EXPECT_EQ(handle, 0u);
    EXPECT_EQ(cancel.values.back(), 50);
    EXPECT_NE(std::string(err).find("cancelled"), std::string::npos) << err;
}

TEST(RoutinesReading, SequentialReadingAndAFileChangedOnDisk) {
    TempDir dir;
    std::string file = dir.Write("s.sdf", kEthanol + "$$$$\nbroken\n$$$$\n" + kEthanol);
    char err[256];
    uintptr_t handle = 0, mol = 0, list = 0;
    ASSERT_TRUE(OK(OpenSDFile(&handle, file.c_str(), err, 256))) << err;
    std::vector<bool> results;
    std::vector<double> progress;
    uint8_t end = 0;
    double p = -1;
    while (OK(SDFileEndReached(handle, &end, err, 256)) && !end) {
        EXPECT_TRUE(OK(GetSDFileProgress(handle, &p, err, 256)));
        progress.push_back(p);
        results.push_back(OK(GetNextSDFileEntry(handle, &mol, 0, &list, err, 256)));
        DestroyMolFile(mol, err, 256);
        DestroySDFileDataEntryList(list, err, 256);
    }
    EXPECT_EQ(results, (std::vector<bool>{true, false, true}));  // a failed record is passed
    EXPECT_TRUE(progress.front() == 0.0 && std::is_sorted(progress.begin(), progress.end()));
    EXPECT_TRUE(OK(GetSDFileProgress(handle, &p, err, 256)) && p == 100.0);
    EXPECT_FALSE(OK(GetNextSDFileEntry(handle, &mol, 0, &list, err, 256)));
    // Offsets of a file that changed since would point anywhere: refused, not misread.
    dir.Write("s.sdf", "something else entirely\n");
    EXPECT_FALSE(OK(GetSDFileEntryRA(handle, 2, &mol, 0, &list, err, 256)));
    EXPECT_NE(std::string(err).find("changed"), std::string::npos) << err;
    DestroySDFile(handle, err, 256);
}

// One call hands over a record's bytes and the record taken apart, formula and mass included;
// a record that cannot be taken apart still gives its bytes, and the reason.
TEST(RoutinesReading, WholeRecordInOneCall) {
    TempDir dir;
    const std::string good = kEthanol + "> <A>\n1\n2\n\n> <B>\n\n$$$$\n";
    const std::string broken =
        "x\n  y\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n> <A>\n1\n\n$$$$\n";
    const std::string path = dir.Write("two.sdf", good + broken);
    char err[256];
    uintptr_t file = 0;
    ASSERT_TRUE(OK(OpenSDFileRA3(&file, path.c_str(), nullptr, nullptr, err, 256)));
    struct TUnpacked {
        std::string text, packed;
        std::size_t at = 0;
        int32_t Int() {
            int32_t v = 0;
            std::memcpy(&v, packed.data() + at, sizeof v);
            at += sizeof v;
            return v;
        }
        std::string Text() {
            const int32_t n = Int();
            std::string t = packed.substr(at, static_cast<std::size_t>(n));
            at += static_cast<std::size_t>(n);
            return t;
        }
        double Double() {
            double v = 0;
            std::memcpy(&v, packed.data() + at, sizeof v);
            at += sizeof v;
            return v;
        }
    };
    auto read = [&](int32_t index, int32_t flags) {
        TUnpacked r;
        char *text = nullptr, *packed = nullptr;
        int32_t textLength = 0, packedLength = 0;
        EXPECT_TRUE(OK(ReadSDFileEntryRA(file, index, flags, &text, &textLength, &packed,
                                         &packedLength, err, 256)))
            << err;
        r.text.assign(text, static_cast<std::size_t>(textLength));
        r.packed.assign(packed, static_cast<std::size_t>(packedLength));
        free(text);
        free(packed);
        return r;
    };
    TUnpacked first = read(0, VESK_READ_FORMULA);
    EXPECT_EQ(first.text, good);
    EXPECT_EQ(first.Int(), 1);
    EXPECT_EQ(first.Text(), kEthanol);
    EXPECT_EQ(first.Int(), 1);
    EXPECT_EQ(first.Text(), "C2H6O");
    EXPECT_NEAR(first.Double(), 46.069, 0.01);
    ASSERT_EQ(first.Int(), 2);
    EXPECT_EQ(first.Text(), "A");
    ASSERT_EQ(first.Int(), 2);
    EXPECT_EQ(first.Text(), "1");
    EXPECT_EQ(first.Text(), "2");
    EXPECT_EQ(first.Text(), "B");
    EXPECT_EQ(first.Int(), 0);
    EXPECT_EQ(first.at, first.packed.size());

    TUnpacked plain = read(0, 0);
    plain.Int();
    plain.Text();
    EXPECT_EQ(plain.Int(), -1) << "formula not asked for";

    TUnpacked second = read(1, VESK_READ_FORMULA);
    EXPECT_EQ(second.text, broken);
    EXPECT_EQ(second.Int(), 0);
    EXPECT_NE(second.Text().find("M  END"), std::string::npos);
    EXPECT_EQ(second.at, second.packed.size());
    DestroySDFile(file, err, 256);
}
