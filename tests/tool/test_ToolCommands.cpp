// Each command of zelmar-tool on the shared files gives what the sheet's own operations give:
// the same records in the same order, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ToolTestSupport.h"
#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_Object_PolicyKeys.h"
#include "Zelmar_Object_SearchEngine.h"
#include "Zelmar_SetOperations.h"
#include "vesk_ChemRoutines.h"

namespace {

const char* const kBenzene =
    "\n  ring\n\n  6  6  0  0  0  0  0  0  0  0999 V2000\n"
    "    0.0000    1.4000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    1.2124    0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    1.2124   -0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    0.0000   -1.4000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -1.2124   -0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -1.2124    0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "  1  2  2  0\n  2  3  1  0\n  3  4  2  0\n  4  5  1  0\n  5  6  2  0\n  6  1  1  0\n"
    "M  END\n";

// RFC 4180 rows: quoted cells may hold separators, doubled quotes and line breaks.
std::vector<std::vector<std::string>> ParseCsv(const std::string& csv) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        std::string& cell = rows.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            ++i;
            if (i + 1 < csv.size()) rows.emplace_back(1);
        } else {
            cell += c;
        }
    }
    return rows;
}

class Tool : public ::testing::Test {
protected:
    void SetUp() override {
        if (!SharedFilesThere()) GTEST_SKIP() << "shared test files not available";
    }
    TTestTempDir Dir;
};

TEST_F(Tool, InfoTellsRecordsFieldsLoadErrorsAndEncoding) {
    for (const char* name : {"pubchem_sample.sdf", "malformed/missing_m_end.sdf",
                             "malformed/bad_records_interleaved.sdf", "latin1_values.sdf"}) {
        SCOPED_TRACE(name);
        const std::string file = SharedFile(name);
        const TToolRun run = RunTool(Dir, {"info", file, "--json"});
        ASSERT_EQ(run.Status, 0) << run.Err;
        TSheetList sheet(file);
        EXPECT_NE(run.Out.find("\"records\":" + std::to_string(sheet.List->GetCount()) + ","),
                  std::string::npos);
        for (int i = 0; i < sheet.List->GetFieldCount(); ++i) {
            const TZelmarField* field = sheet.List->GetField(i);
            if (field->Kind != ecsdtDataText) continue;
            // The kind the sheet decided when the file was read.
            const std::string kind = field->Numeric ? "number" : "text";
            EXPECT_NE(run.Out.find("{\"name\":\"" + field->Name + "\",\"kind\":\"" + kind + "\"}"),
                      std::string::npos)
                << field->Name;
        }
        // Every load error the sheet has, with the line its record starts on.
        const std::vector<std::string> lines = [&] {
            std::vector<std::string> all;
            std::string bytes = ReadBytes(file);
            for (std::size_t pos = 0; pos < bytes.size();) {
                const std::size_t end = std::min(bytes.find('\n', pos), bytes.size());
                all.push_back(bytes.substr(pos, end - pos));
                pos = end + 1;
            }
            return all;
        }();
        const TZelmarRecordRefs* errors = sheet.List->GetLoadErrors();
        for (const auto& error : *errors) {
            const int record = sheet.List->GetIndexOfSDFileData(error.Object) + 1;
            const std::string key = "{\"record\":" + std::to_string(record) + ",\"line\":";
            const std::size_t at = run.Out.find(key);
            ASSERT_NE(at, std::string::npos) << record;
            const int line = std::atoi(run.Out.c_str() + at + key.size());
            ASSERT_GE(line, 1);
            if (line > 1) {
                EXPECT_EQ(lines[static_cast<std::size_t>(line) - 2].substr(0, 4), "$$$$");
            }
        }
        EXPECT_EQ(errors->GetCount() == 0, run.Out.find("\"load_errors\":[]") != std::string::npos);
    }
    EXPECT_NE(RunTool(Dir, {"info", SharedFile("latin1_values.sdf"), "--json"})
                  .Out.find("\"encoding\":\"windows-1252\""),
              std::string::npos);
    const TToolRun numbers = RunTool(Dir, {"info", SharedFile("pubchem_sample.sdf"), "--json"});
    EXPECT_NE(numbers.Out.find("{\"name\":\"PUBCHEM_COMPOUND_CID\",\"kind\":\"number\"}"),
              std::string::npos);
    EXPECT_NE(numbers.Out.find("{\"name\":\"PUBCHEM_IUPAC_NAME\",\"kind\":\"text\"}"),
              std::string::npos);
}

TEST_F(Tool, SortGivesTheSheetsOrderByteForByte) {
    const std::string file = SharedFile("pubchem_sample.sdf");
    const std::multiset<std::string> input = [&] {
        const auto records = Records(ReadBytes(file));
        return std::multiset<std::string>(records.begin(), records.end());
    }();
    for (const std::string by : {"weight", "formula", "molecule", "PUBCHEM_IUPAC_NAME"})
        for (const bool descending : {false, true}) {
            SCOPED_TRACE(by + (descending ? " descending" : ""));
            std::vector<std::string> args = {"sort", file, "--by", by, "-o", Dir.Path("out.sdf")};
            if (descending) args.push_back("--desc");
            const TToolRun run = RunTool(Dir, args);
            ASSERT_EQ(run.Status, 0) << run.Err;
            TSheetList sheet(file);
            ASSERT_TRUE(sheet.List->SortForField(sheet.Field(by), descending ? 2 : 1));
            const std::string out = ReadBytes(Dir.Path("out.sdf"));
            EXPECT_EQ(out, SavedBytes(*sheet.List, Dir));
            // Nothing lost, nothing rewritten.
            const auto records = Records(out);
            EXPECT_EQ(std::multiset<std::string>(records.begin(), records.end()), input);
        }
}

TEST_F(Tool, SearchWritesTheHitsTheSheetFinds) {
    const std::string file = SharedFile("pubchem_sample.sdf");
    const std::string ring = Dir.Write("ring.mol", kBenzene);
    const std::string firstMolecule = [&] {
        const std::string first = Records(ReadBytes(file)).front();
        return Dir.Write("first.mol", first.substr(0, first.find("M  END") + 7));
    }();
    struct TCase {
        std::vector<std::string> Args;
        std::string Field;
        TZelmarDataCarrier Query;
        int Options;
        bool Stereo;
    };
    auto text = [](const std::string& t) {
        TZelmarDataCarrier query;
        query.SetKind(ecsdtDataText);
        query.SetText(t);
        return query;
    };
    auto molecule = [](const std::string& path) {
        TZelmarDataCarrier query;
        query.SetKind(ecsdtChemistry);
        query.SetText(ReadBytes(path));
        return query;
    };
    TZelmarDataCarrier range;
    range.SetKind(ecsdtMolweight);
    range.SetValueFrom(100);
    range.SetValueTo(200.5);
    TZelmarDataCarrier above;
    above.SetKind(ecsdtMolweight);
    above.SetValueFrom(400);
    TZelmarDataCarrier formula = text("C9H17NO4");
    formula.SetKind(ecsdtFormula);
    const std::vector<TCase> cases = {
        {{"--substructure", ring}, "molecule", molecule(ring), soContains, false},
        {{"--exact", firstMolecule, "--stereo"},
         "molecule",
         molecule(firstMolecule),
         soExact,
         true},
        {{"--field", "PUBCHEM_IUPAC_NAME", "--text", "ACID", "--contains"},
         "PUBCHEM_IUPAC_NAME",
         text("ACID"),
         soContains,
         false},
        {{"--field", "PUBCHEM_IUPAC_NAME", "--text", "amino", "--contains", "--case"},
         "PUBCHEM_IUPAC_NAME",
         text("amino"),
         soContains + soCaseSensitive,
         false},
        {{"--field", "PUBCHEM_IUPAC_NAME", "--text", "3-hydroxy", "--begins"},
         "PUBCHEM_IUPAC_NAME",
         text("3-hydroxy"),
         soBeginsWith,
         false},
        {{"--field", "formula", "--equal", "C9H17NO4"}, "formula", formula, soExact, false},
        {{"--field", "weight", "--min", "100", "--max", "200.5"}, "weight", range, soRange, false},
        {{"--field", "weight", "--min", "400"}, "weight", above, soGreaterThan, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Args[0] + " " + c.Args[1]);
        std::vector<std::string> args = {"search", file, "-o", Dir.Path("out.sdf")};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const TToolRun run = RunTool(Dir, args);
        TSheetList sheet(file);
        TZelmarRecordRefs hits;
        ASSERT_TRUE(sheet.List->SearchDataForField(sheet.Field(c.Field), &c.Query, true, &hits,
                                                   c.Stereo, c.Options));
        ASSERT_GT(hits.GetCount(), 0);
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(ReadBytes(Dir.Path("out.sdf")), SavedBytes(hits, Dir));
        EXPECT_EQ(static_cast<int>(Records(ReadBytes(Dir.Path("out.sdf"))).size()),
                  hits.GetCount());
    }
    // Nothing found: status 1, and the output holds no record.
    // Upper case "ACID" occurs in no name: with --case nothing is found.
    const TToolRun none = RunTool(Dir, {"search", file, "--field", "PUBCHEM_IUPAC_NAME", "--text",
                                        "ACID", "--contains", "--case", "-o", Dir.Path("out.sdf")});
    EXPECT_EQ(none.Status, 1) << none.Err;
    EXPECT_TRUE(Records(ReadBytes(Dir.Path("out.sdf"))).empty());
}

TEST_F(Tool, DuplicatesWriteTheSheetsGroupsOneAfterAnother) {
    for (const auto& [name, by] : std::vector<std::pair<std::string, std::string>>{
             {"pubchem_sample.sdf", "formula"},
             {"pubchem_hard_subset.sdf", "molecule"},
             {"library_formula_weight.sdf", "CHEMIST"}}) {
        SCOPED_TRACE(name + " " + by);
        const std::string file = SharedFile(name);
        const TToolRun run =
            RunTool(Dir, {"duplicates", file, "--by", by, "--json", "-o", Dir.Path("out.sdf")});
        ASSERT_EQ(run.Status, 0) << run.Err;
        TSheetList sheet(file);
        TZelmarRecordRefs groups;
        ASSERT_TRUE(sheet.List->SearchForDuplicates(sheet.Field(by), false, &groups));
        EXPECT_EQ(ReadBytes(Dir.Path("out.sdf")), SavedBytes(groups, Dir));
        std::set<std::string> numbers;
        for (const auto& item : groups) numbers.insert(item.Text);
        EXPECT_NE(run.Err.find("{\"groups\":" + std::to_string(numbers.size()) +
                               ",\"records\":" + std::to_string(groups.GetCount()) + ","),
                  std::string::npos)
            << run.Err;
    }
    const TToolRun unique = RunTool(Dir, {"duplicates", SharedFile("pubchem_sample.sdf"), "--by",
                                          "molecule", "-o", Dir.Path("out.sdf")});
    EXPECT_EQ(unique.Status, 1);
    EXPECT_TRUE(Records(ReadBytes(Dir.Path("out.sdf"))).empty());
}

TEST_F(Tool, MixCombinesAsTheMixingDialog) {
    // The right side shares some molecules with the left one and brings others.
    const std::string left = SharedFile("pubchem_sample.sdf");
    std::string rightText;
    const auto sample = Records(ReadBytes(left));
    for (std::size_t i = 0; i < sample.size(); i += 7) rightText += sample[i];
    rightText += ReadBytes(SharedFile("nci_aids_props.sdf"));
    const std::string right = Dir.Write("right.sdf", rightText);
    const std::vector<std::pair<std::string, int>> operations = {
        {"intersect", TZelmarSetOperations::opIntersect},
        {"merge", TZelmarSetOperations::opMerge},
        {"left-minus-right", TZelmarSetOperations::opLeftMinusRight},
        {"right-minus-left", TZelmarSetOperations::opRightMinusLeft}};
    for (const auto& [op, operation] : operations) {
        SCOPED_TRACE(op);
        const TToolRun run =
            RunTool(Dir, {"mix", left, right, "--op", op, "-o", Dir.Path("out.sdf")});
        ASSERT_EQ(run.Status, 0) << run.Err;
        TSheetList a(left);
        TSheetList b(right);
        TZelmarSDFileDataList target(nullptr);
        TZelmarSetOperations operations;
        ASSERT_TRUE(operations.Mix(operation, a.List.get(), b.List.get(),
                                   a.List->GetChemistryField(), &target));
        ASSERT_GT(target.GetCount(), 0);
        EXPECT_EQ(ReadBytes(Dir.Path("out.sdf")), SavedBytes(target, Dir));
    }
}

TEST_F(Tool, DuplicatesAndMixUnderAPolicyAsTheSheetGivesThem) {
    // PubChem's sample holds salts and charged forms of the same parents.
    const std::string file = SharedFile("pubchem_sample.sdf");
    TSheetList sheet(file);
    TZelmarRecordRefs exact;
    ASSERT_TRUE(sheet.List->SearchForDuplicates(sheet.Field("molecule"), false, &exact));
    ASSERT_EQ(exact.GetCount(), 0);
    for (const auto& [words, policy] : std::vector<std::pair<std::string, int>>{
             {"salts,charges", dpSalts | dpCharges},
             {"charges,salts", dpSalts | dpCharges},
             {"tautomers,isotopes,charges,salts", kZelmarAllPolicies}}) {
        SCOPED_TRACE(words);
        for (const bool stereo : {false, true}) {
            std::vector<std::string> args = {"duplicates", file,  "--by", "molecule",
                                             "--policy",   words, "-o",   Dir.Path("out.sdf")};
            if (stereo) args.push_back("--stereo");
            const TToolRun run = RunTool(Dir, args);
            ASSERT_EQ(run.Status, 0) << run.Err;
            TZelmarRecordRefs groups;
            ASSERT_TRUE(
                sheet.List->SearchForDuplicates(sheet.Field("molecule"), stereo, &groups, policy));
            ASSERT_GT(groups.GetCount(), 0);
            EXPECT_EQ(ReadBytes(Dir.Path("out.sdf")), SavedBytes(groups, Dir));
        }
    }
    // The parents of the sample's salts on the right: intersecting without the salts finds
    // them, exactly it finds none of the salts.
    const std::string right =
        Dir.Write("right.sdf", ReadBytes(SharedFile("nci_aids_props.sdf")) + ReadBytes(file));
    for (const std::string& op : {std::string("intersect"), std::string("left-minus-right")}) {
        SCOPED_TRACE(op);
        const TToolRun run = RunTool(Dir, {"mix", file, right, "--op", op, "--policy",
                                           "salts,charges", "-o", Dir.Path("out.sdf")});
        ASSERT_LE(run.Status, 1) << run.Err;
        TSheetList a(file);
        TSheetList b(right);
        TZelmarSDFileDataList target(nullptr);
        TZelmarSetOperations operations;
        ASSERT_TRUE(operations.Mix(op == "intersect" ? TZelmarSetOperations::opIntersect
                                                     : TZelmarSetOperations::opLeftMinusRight,
                                   a.List.get(), b.List.get(), a.List->GetChemistryField(), &target,
                                   dpSalts | dpCharges));
        EXPECT_EQ(ReadBytes(Dir.Path("out.sdf")), SavedBytes(target, Dir));
    }
}

TEST_F(Tool, ExportWritesTheSheetsValuesAsCsvAndTsvInEveryLocale) {
    const std::string file = SharedFile("pubchem_sample.sdf");
    TSheetList sheet(file);
    // A German locale must not turn the weights' decimal point into a comma.
    for (const std::string locale : {"C", "de_DE.UTF-8"}) {
        const TToolRun run = RunTool(
            Dir,
            {"export", file, "--fields", "PUBCHEM_COMPOUND_CID,weight", "-o", Dir.Path("out.csv")},
            "", locale);
        ASSERT_EQ(run.Status, 0) << run.Err;
        std::string expected = "PUBCHEM_COMPOUND_CID,weight\r\n";
        for (int i = 0; i < sheet.List->GetCount(); ++i) {
            TZelmarSDFileData* record = sheet.List->GetSDFileData(i);
            TZelmarDataCarrier id;
            TZelmarDataCarrier weight;
            record->GetDataForField(sheet.Field("PUBCHEM_COMPOUND_CID"), &id);
            ASSERT_TRUE(record->GetDataForField(sheet.Field("weight"), &weight));
            expected += id.Text() + "," + FormatFloatGeneral(RoundWeight(weight.Value())) + "\r\n";
        }
        EXPECT_EQ(ReadBytes(Dir.Path("out.csv")), expected) << locale;
    }
    // Every data field, then formula and weight; multi-line values quoted, rows intact.
    ASSERT_EQ(RunTool(Dir, {"export", file, "-o", Dir.Path("all.csv")}).Status, 0);
    const std::string csv = ReadBytes(Dir.Path("all.csv"));
    EXPECT_NE(csv.find(",formula,weight\r\n"), std::string::npos);
    const auto rows = ParseCsv(csv);
    ASSERT_EQ(static_cast<int>(rows.size()), sheet.List->GetCount() + 1);
    for (const auto& row : rows) EXPECT_EQ(row.size(), rows[0].size());
    const auto column = std::find(rows[0].begin(), rows[0].end(), "PUBCHEM_COORDINATE_TYPE");
    ASSERT_NE(column, rows[0].end());
    TZelmarDataCarrier lines;
    sheet.List->GetSDFileData(0)->GetDataForField(sheet.Field("PUBCHEM_COORDINATE_TYPE"), &lines);
    EXPECT_EQ(rows[1][static_cast<std::size_t>(column - rows[0].begin())], lines.Text());
    EXPECT_NE(lines.Text().find('\n'), std::string::npos);
    ASSERT_EQ(RunTool(Dir, {"export", file, "-o", Dir.Path("all.tsv")}).Status, 0);
    const std::string tsv = ReadBytes(Dir.Path("all.tsv"));
    EXPECT_EQ(std::count(tsv.begin(), tsv.end(), '\n'), sheet.List->GetCount() + 1);
    EXPECT_EQ(tsv.find('\r'), std::string::npos);
    // Windows-1252 values arrive as UTF-8.
    ASSERT_EQ(RunTool(Dir, {"export", SharedFile("latin1_values.sdf"), "--fields",
                            "boiling.point.predicted", "-o", Dir.Path("latin1.csv")})
                  .Status,
              0);
    const std::string latin1 = ReadBytes(Dir.Path("latin1.csv"));
    EXPECT_NE(latin1.find("123.4\xC2\xB1"
                          "56.7 \xC2\xB0"
                          "C"),
              std::string::npos)
        << latin1;
}

// smiles, inchi and inchikey name the identifier columns wherever a field is named: exported as
// the routines library makes them, beside a data field named before them, and grouped by.
TEST_F(Tool, IdentifiersAreColumnsOfTheExportAndKeysOfDuplicates) {
    const std::string file = SharedFile("pubchem_sample.sdf");
    const TToolRun run =
        RunTool(Dir, {"export", file, "--fields", "PUBCHEM_COMPOUND_CID,smiles,inchi,inchikey",
                      "-o", Dir.Path("ids.csv")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto rows = ParseCsv(ReadBytes(Dir.Path("ids.csv")));
    TSheetList sheet(file);
    ASSERT_EQ(static_cast<int>(rows.size()), sheet.List->GetCount() + 1);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"PUBCHEM_COMPOUND_CID", "smiles", "inchi", "inchikey"}));
    TveskMolManager molecules;
    for (int i = 0; i < sheet.List->GetCount(); i += 20) {
        TZelmarSDFileData* record = sheet.List->GetSDFileData(i);
        const std::string mol(record->MolString());
        TZelmarDataCarrier id;
        ASSERT_TRUE(record->GetDataForField(sheet.Field("PUBCHEM_COMPOUND_CID"), &id));
        std::string smiles, inchi, key;
        ASSERT_TRUE(molecules.GetSmiles(mol, smiles) && molecules.GetInchi(mol, inchi) &&
                    molecules.GetInchiKey(mol, key));
        const auto& row = rows[static_cast<std::size_t>(i) + 1];
        EXPECT_EQ(row, (std::vector<std::string>{id.Text(), smiles, inchi, key}));
    }

    // Two records of one structure, drawn apart, are one InChIKey.
    const std::string twice = ReadBytes(SharedFile("pubchem_single.sdf"));
    ASSERT_EQ(RunTool(Dir, {"duplicates", Dir.Write("twice.sdf", twice + twice), "--by", "inchikey",
                            "-o", Dir.Path("dups.sdf")})
                  .Status,
              0);
    EXPECT_EQ(ReadBytes(Dir.Path("dups.sdf")), twice + twice);
}

TEST_F(Tool, PipelineThroughStandardInputAndOutput) {
    const std::string file = SharedFile("nci_aids_props.sdf");
    const TToolRun sorted = RunTool(Dir, {"sort", "-", "--by", "weight", "-o", "-"}, file);
    ASSERT_EQ(sorted.Status, 0) << sorted.Err;
    const std::string between = Dir.Write("sorted.sdf", sorted.Out);
    const TToolRun found = RunTool(
        Dir, {"search", "-", "--field", "weight", "--min", "150", "--max", "300", "-o", "-"},
        between);
    ASSERT_EQ(found.Status, 0) << found.Err;

    TSheetList sheet(file);
    ASSERT_TRUE(sheet.List->SortForField(sheet.Field("weight"), 1));
    EXPECT_EQ(sorted.Out, SavedBytes(*sheet.List, Dir));
    TSheetList again(between);
    TZelmarDataCarrier query;
    query.SetKind(ecsdtMolweight);
    query.SetValueFrom(150);
    query.SetValueTo(300);
    TZelmarRecordRefs hits;
    ASSERT_TRUE(
        again.List->SearchDataForField(again.Field("weight"), &query, true, &hits, false, soRange));
    EXPECT_EQ(found.Out, SavedBytes(hits, Dir));
}

}  // namespace
