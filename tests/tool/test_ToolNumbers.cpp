// Data fields that hold numbers through zelmar-tool: the kinds the sheet decides, its numeric and
// natural orders, number searches with qualifiers and numeric duplicates, byte for byte as the
// sheet's own commands give them.
#include <gtest/gtest.h>

#include <algorithm>

#include "ToolTestSupport.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SearchEngine.h"

namespace {

// ACT: 20 numbers (qualified ones among them), "n/a", an empty line and a missing item: 95 %.
// LOGP: decimal commas only. ID: names with numbers. CODE: plain integers.
const char* const kActs[] = {"10",    ">10", "<0.5", "2E-4",  "1.50", "",    nullptr, "n/a",
                             ">= 10", ".5",  "1.5",  "<=0.5", "-3",   "1e1", "5",     "6",
                             "7",     "8",   "9",    "20",    "0.4",  "3",   "4"};
const int kIds[] = {10, 9, 100, 1,  2,  11, 19, 3,  200, 4,  5, 6,
                    7,  8, 12,  13, 14, 15, 16, 17, 18,  21, 22};

std::string MadeFile(const TTestTempDir& dir) {
    std::string sd;
    for (std::size_t i = 0; i < std::size(kActs); ++i) {
        sd +=
            "\n  made\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
            "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\nM  END\n";
        if (kActs[i] != nullptr) sd += ">  <ACT>\n" + std::string(kActs[i]) + "\n\n";
        sd += ">  <ID>\nCHEMBL" + std::to_string(kIds[i]) + "\n\n>  <CODE>\n" +
              std::to_string(kIds[i]) + "\n\n>  <LOGP>\n" +
              (i % 3 == 0   ? "1,5"
               : i % 3 == 1 ? "-0,25"
                            : "1,50") +
              "\n\n$$$$\n";
    }
    return dir.Write("made.sdf", sd);
}

// The first line of the field's value in each record of an SD text; empty where there is none.
std::vector<std::string> Values(const std::string& sd, const std::string& name) {
    std::vector<std::string> values;
    for (const std::string& record : Records(sd)) {
        const std::size_t at = record.find("<" + name + ">\n");
        const std::size_t from = at == std::string::npos ? 0 : at + name.size() + 3;
        values.push_back(
            at == std::string::npos ? "" : record.substr(from, record.find('\n', from) - from));
    }
    return values;
}

std::vector<std::string> Sorted(std::vector<std::string> values) {
    std::sort(values.begin(), values.end());
    return values;
}

// The sheet's sort after the field's kind or order is set as the tool's options set it.
std::string SheetSorted(const TTestTempDir& dir, const std::string& file, const std::string& by,
                        bool descending, const char* kind = nullptr, bool natural = false) {
    TSheetList sheet(file);
    TZelmarField* field = sheet.Field(by);
    if (kind != nullptr) field->Numeric = std::string(kind) == "number";
    field->KindChosen = kind != nullptr;
    field->NaturalOrder = natural;
    if (!sheet.List->SortForField(field, descending ? 2 : 1)) return "sort failed";
    return SavedBytes(*sheet.List, dir);
}

class ToolNumbers : public ::testing::Test {
protected:
    TToolRun Run(std::vector<std::string> args) {
        args.insert(args.begin() + 1, File);
        args.insert(args.end(), {"-o", Dir.Path("out.sdf")});
        return RunTool(Dir, args);
    }
    std::string Out() const { return ReadBytes(Dir.Path("out.sdf")); }
    TTestTempDir Dir;
    std::string File = MadeFile(Dir);
};

TEST_F(ToolNumbers, InfoAndSortFollowTheKindsTheSheetDecides) {
    const TToolRun info = RunTool(Dir, {"info", File, "--json"});
    for (const char* field :
         {"{\"name\":\"ACT\",\"kind\":\"number\"}", "{\"name\":\"ID\",\"kind\":\"text\"}",
          "{\"name\":\"LOGP\",\"kind\":\"number\"}", "{\"name\":\"CODE\",\"kind\":\"number\"}"})
        EXPECT_NE(info.Out.find(field), std::string::npos) << field << "\n" << info.Out;

    ASSERT_EQ(Run({"sort", "--by", "ACT"}).Status, 0);
    EXPECT_EQ(Out(), SheetSorted(Dir, File, "ACT", false));
    const std::vector<std::string> up = {
        "-3", "2E-4", "0.4", "<0.5", "<=0.5", ".5",    "1.50", "1.5", "3",   "4", "5", "6",
        "7",  "8",    "9",   "10",   "1e1",   ">= 10", ">10",  "20",  "n/a", "",  ""};
    EXPECT_EQ(Values(Out(), "ACT"), up);
    ASSERT_EQ(Run({"sort", "--by", "ACT", "--desc"}).Status, 0);
    EXPECT_EQ(Out(), SheetSorted(Dir, File, "ACT", true));
    EXPECT_EQ(Values(Out(), "ACT")[1], ">10");
    EXPECT_EQ(Values(Out(), "ACT")[20], "n/a");  // texts and empty values last in both directions

    // CODE as text: "10" before "9"; ID in natural order: CHEMBL9 before CHEMBL10.
    ASSERT_EQ(Run({"sort", "--by", "CODE", "--kind", "text"}).Status, 0);
    EXPECT_EQ(Out(), SheetSorted(Dir, File, "CODE", false, "text"));
    EXPECT_EQ(Values(Out(), "CODE")[1], "10");
    for (const bool descending : {false, true}) {
        std::vector<std::string> args = {"sort", "--by", "ID", "--natural"};
        if (descending) args.push_back("--desc");
        ASSERT_EQ(Run(args).Status, 0);
        EXPECT_EQ(Out(), SheetSorted(Dir, File, "ID", descending, nullptr, true));
        const std::vector<std::string> ids = Values(Out(), "ID");
        const auto at = [&](const char* id) {
            return std::find(ids.begin(), ids.end(), id) - ids.begin();
        };
        EXPECT_EQ(at("CHEMBL9") < at("CHEMBL10"), !descending);
        EXPECT_EQ(at("CHEMBL100") < at("CHEMBL22"), descending);
    }
}

TEST_F(ToolNumbers, NumberSearchesReadQualifiersAndTextSearchesStayText) {
    struct TCase {
        std::vector<std::string> Args;
        std::vector<std::string> Found;  // ACT values, or ID values for the ID search
    };
    const std::vector<TCase> cases = {
        {{"--field", "ACT", "--min", "9"}, {"10", ">10", ">= 10", "1e1", "20"}},
        // "<0.5" is certainly below 0.5, "<=0.5" is not.
        {{"--field", "ACT", "--max", "0.5"}, {"-3", "2E-4", "0.4", "<0.5"}},
        {{"--field", "ACT", "--min", "0.3", "--max", "1.6"}, {"0.4", ".5", "1.50", "1.5"}},
        {{"--field", "ACT", "--equal", "10"}, {"10", "1e1"}},
        {{"--field", "ACT", "--equal", "1.50", "--kind", "text"}, {"1.50"}},
        {{"--field", "ACT", "--text", "<", "--contains"}, {"<0.5", "<=0.5"}},
        {{"--field", "ID", "--equal", "CHEMBL9"}, {"CHEMBL9"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Args[1] + " " + c.Args[2] + " " + c.Args[3]);
        std::vector<std::string> args = {"search"};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const TToolRun run = Run(args);
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(Sorted(Values(Out(), c.Args[1])), Sorted(c.Found));
    }
    // Commas in the file, a point on the command line; the sheet's number search finds the same.
    ASSERT_EQ(Run({"search", "--field", "LOGP", "--equal", "1.5"}).Status, 0);
    TSheetList sheet(File);
    TZelmarDataCarrier query;
    query.SetKind(ecsdtMolweight);
    query.SetValueFrom(1.5);
    TZelmarRecordRefs hits;
    ASSERT_TRUE(
        sheet.List->SearchDataForField(sheet.Field("LOGP"), &query, true, &hits, false, soExact));
    EXPECT_EQ(hits.GetCount(), 15);
    EXPECT_EQ(Out(), SavedBytes(hits, Dir));
    EXPECT_EQ(Run({"search", "--field", "ACT", "--min", "20"}).Status, 1);
}

TEST_F(ToolNumbers, DuplicatesCompareNumbersUnlessReadAsText) {
    const TToolRun run = Run({"duplicates", "--by", "ACT", "--json"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    // The empty line and the missing item are one empty value, as in a text field.
    EXPECT_EQ(Sorted(Values(Out(), "ACT")), Sorted({"1.50", "1.5", "10", "1e1", "", ""}));
    EXPECT_NE(run.Err.find("{\"groups\":3,\"records\":6,"), std::string::npos) << run.Err;
    TSheetList sheet(File);
    TZelmarRecordRefs groups;
    ASSERT_TRUE(sheet.List->SearchForDuplicates(sheet.Field("ACT"), false, &groups));
    EXPECT_EQ(Out(), SavedBytes(groups, Dir));
    ASSERT_EQ(Run({"duplicates", "--by", "ACT", "--kind", "text"}).Status, 0);
    EXPECT_EQ(Values(Out(), "ACT"), (std::vector<std::string>{"", ""}));
}

TEST_F(ToolNumbers, KindsAndOrdersOnlyForDataFields) {
    const auto refused = [&](std::vector<std::string> args, const std::string& what) {
        const TToolRun run = Run(std::move(args));
        EXPECT_EQ(run.Status, 2) << run.Err;
        EXPECT_NE(run.Err.find(what), std::string::npos) << run.Err;
        EXPECT_FALSE(std::ifstream(Dir.Path("out.sdf")).good());
    };
    for (const std::string by : {"weight", "formula", "molecule"})
        refused({"sort", "--by", by, "--natural"},
                "--natural applies only to data fields, not to " + by);
    refused({"duplicates", "--by", "weight", "--kind", "text"},
            "--kind applies only to data fields");
    refused({"sort", "--by", "ACT", "--kind", "numeric"},
            "--kind is text or number, not \"numeric\"");
    refused({"search", "--field", "ID", "--min", "5"},
            "apply only to weight and to number fields, not to ID");
    refused({"search", "--field", "CODE", "--kind", "text", "--max", "5"}, "not to CODE");
    refused({"search", "--field", "ACT", "--equal", "3", "--min", "1"},
            "--equal excludes --min and --max");
    refused({"search", "--field", "ACT", "--text", "3", "--min", "1"}, "--text searches text");
    const TToolRun french =
        RunTool(Dir, {"sort", File, "--by", "weight", "--natural", "-o", "-"}, "", "fr_FR.UTF-8");
    EXPECT_NE(french.Err.find("ne vaut que pour les champs de données"), std::string::npos)
        << french.Err;
}

TEST(ToolNumbersShared, SharedFilesSortAndGroupAsTheSheet) {
    if (!SharedFilesThere()) GTEST_SKIP() << "shared test files not available";
    TTestTempDir dir;
    // 73 of 245 records have XLOGP3 (16.6 among values below 10); the others come last.
    const std::string pubchem = SharedFile("pubchem_sample.sdf");
    for (const bool descending : {false, true}) {
        std::vector<std::string> args = {"sort",           pubchem, "--by",
                                         "PUBCHEM_XLOGP3", "-o",    dir.Path("out.sdf")};
        if (descending) args.push_back("--desc");
        ASSERT_EQ(RunTool(dir, args).Status, 0);
        const std::string out = ReadBytes(dir.Path("out.sdf"));
        EXPECT_EQ(out, SheetSorted(dir, pubchem, "PUBCHEM_XLOGP3", descending));
        const std::vector<std::string> values = Values(out, "PUBCHEM_XLOGP3");
        std::vector<double> numbers(73);
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(i < numbers.size() && ParseFloat(values[i], numbers[i]), i < numbers.size())
                << i;
        EXPECT_TRUE(descending ? std::is_sorted(numbers.rbegin(), numbers.rend())
                               : std::is_sorted(numbers.begin(), numbers.end()));
    }
    ASSERT_EQ(
        RunTool(dir, {"duplicates", pubchem, "--by", "PUBCHEM_XLOGP3", "-o", dir.Path("out.sdf")})
            .Status,
        0);
    TSheetList sheet(pubchem);
    TZelmarRecordRefs groups;
    ASSERT_TRUE(sheet.List->SearchForDuplicates(sheet.Field("PUBCHEM_XLOGP3"), false, &groups));
    EXPECT_EQ(ReadBytes(dir.Path("out.sdf")), SavedBytes(groups, dir));
    // Text order puts CHEMBL1946170 first; natural order last.
    const std::string chembl = SharedFile("chembl_examples.sdf");
    ASSERT_EQ(
        RunTool(dir, {"sort", chembl, "--by", "chembl_id", "--natural", "-o", dir.Path("out.sdf")})
            .Status,
        0);
    EXPECT_EQ(Values(ReadBytes(dir.Path("out.sdf")), "chembl_id"),
              (std::vector<std::string>{"CHEMBL564829", "CHEMBL603469", "CHEMBL1946170"}));
    EXPECT_EQ(ReadBytes(dir.Path("out.sdf")),
              SheetSorted(dir, chembl, "chembl_id", false, nullptr, true));
}

}  // namespace
