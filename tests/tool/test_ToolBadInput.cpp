// zelmar-tool on bad use and bad input: status 2 with one message naming the file, outputs
// left as they were; unreadable records kept and told; messages in the system's language.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "ToolTestSupport.h"

namespace {

class ToolBadInput : public ::testing::Test {
protected:
    void SetUp() override {
        if (!SharedFilesThere()) GTEST_SKIP() << "shared test files not available";
        // Shared files may come without write bits; the tests' own copies get them.
        Single = Dir.Write("single.sdf", ReadBytes(SharedFile("pubchem_single.sdf")));
    }
    // Status 2, one line on standard error that names what, nothing on standard output.
    void ExpectRefused(const std::vector<std::string>& args, const std::string& what) {
        const TToolRun run = RunTool(Dir, args);
        EXPECT_EQ(run.Status, 2) << run.Err;
        EXPECT_NE(run.Err.find(what), std::string::npos) << run.Err;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        EXPECT_TRUE(run.Out.empty());
    }
    TTestTempDir Dir;
    std::string Single;
};

TEST_F(ToolBadInput, FilesThatAreNoSDFilesAreRefusedByName) {
    const std::string out = Dir.Path("out.sdf");
    ExpectRefused({"info", Dir.Path("missing.sdf")},
                  "\"" + Dir.Path("missing.sdf") + "\" does not exist");
    ExpectRefused({"sort", Dir.Root().string(), "--by", "weight", "-o", out}, "is a folder");
    ExpectRefused({"info", Dir.Write("empty.sdf", "")}, "empty.sdf\" is empty");
    ExpectRefused({"info", SharedFile("malformed/blank_lines_only.sdf")},
                  "holds no readable SD record");
    ExpectRefused({"info", SharedFile("malformed/not_an_sdf_json.sdf")},
                  "holds no readable SD record");
    const std::string zipped = Dir.Path("zipped.sdf.gz");
    ASSERT_EQ(std::system(("gzip -c " + Quoted(Single) + " >" + Quoted(zipped)).c_str()), 0);
    ExpectRefused({"search", zipped, "--field", "weight", "--min", "1", "-o", out},
                  "zipped.sdf.gz\" is compressed with gzip");
    EXPECT_FALSE(std::ifstream(out).good()) << "no output for a refused input";
}

TEST_F(ToolBadInput, UnknownFieldsQueriesAndOptionsAreRefused) {
    const std::string out = Dir.Path("out.sdf");
    ExpectRefused({"sort", Single, "--by", "NO_SUCH_FIELD", "-o", out},
                  "no field \"NO_SUCH_FIELD\" in \"" + Single + "\". Fields: molecule, formula");
    ExpectRefused(
        {"search", Single, "--exact", Dir.Write("bad.mol", "not a molecule\n"), "-o", out},
        "bad.mol\" is not a readable molecule");
    ExpectRefused({"search", Single, "--substructure", Dir.Path("none.mol"), "-o", out},
                  "none.mol\" cannot be read");
    ExpectRefused({"search", Single, "--field", "weight", "--min", "1,5", "-o", out},
                  "\"1,5\" is not a number");
    ExpectRefused(
        {"search", Single, "--field", "PUBCHEM_IUPAC_INCHI", "--min", "1", "-o", out},
        "--min and --max apply only to weight and to number fields, not to PUBCHEM_IUPAC_INCHI");
    ExpectRefused({"sort", Single, "--by", "weight", "--fast", "-o", out},
                  "unknown option \"--fast\"");
    ExpectRefused({"sort", Single, "--by", "weight"}, "output file with -o");
    ExpectRefused({"mix", Single, Single, "--op", "xor", "-o", out}, "not \"xor\"");
    ExpectRefused({"mix", "-", "-", "--op", "merge", "-o", out},
                  "Standard input can be read only once");
    // Policy words: any known ones, no others, and only where molecules are compared.
    ExpectRefused({"duplicates", Single, "--by", "molecule", "--policy", "salts,stereo", "-o", out},
                  "--policy takes salts, charges, isotopes and tautomers, separated by commas, "
                  "not \"stereo\"");
    ExpectRefused({"duplicates", Single, "--by", "molecule", "--policy", "", "-o", out},
                  "not \"\"");
    ExpectRefused({"mix", Single, Single, "--op", "intersect", "--policy", "salt", "-o", out},
                  "mix: --policy takes");
    ExpectRefused({"duplicates", Single, "--by", "formula", "--policy", "salts", "-o", out},
                  "--policy applies only to --by molecule");
    ExpectRefused({"frobnicate"}, "Unknown command \"frobnicate\"");
}

TEST_F(ToolBadInput, OutputsThatMustNotBeWrittenStayAsTheyWere) {
    const std::string before = ReadBytes(Single);
    ExpectRefused({"sort", Single, "--by", "weight", "-o", Dir.Path("./single.sdf")},
                  "single.sdf\" is also an input file");
    ExpectRefused({"mix", SharedFile("pubchem_sample.sdf"), Single, "--op", "merge", "-o", Single},
                  "is also an input file");
    const std::string locked = Dir.Write("locked.sdf", "old content\n");
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    ExpectRefused({"sort", SharedFile("pubchem_sample.sdf"), "--by", "weight", "-o", locked},
                  "locked.sdf\" is read-only");
    EXPECT_EQ(ReadBytes(locked), "old content\n");
    EXPECT_EQ(ReadBytes(Single), before);
    ExpectRefused({"export", Single, "-o", Dir.Root().string()}, "is a folder");
    ExpectRefused({"sort", Single, "--by", "weight", "-o", Dir.Path("no/such/folder/out.sdf")},
                  "could not be written");
}

TEST_F(ToolBadInput, AFailedWriteLeavesTheOldOutputAndNoTemporaryFile) {
    // 64 KB at most per file: the sorted copy of a 1.2 MB file cannot be completed.
    const std::string out = Dir.Write("out.sdf", "old\n");
    const std::string table = Dir.Write("out.csv", "old\n");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"sort", SharedFile("pubchem_sample.sdf"), "--by", "weight", "-o", out},
             {"export", SharedFile("pubchem_sample.sdf"), "-o", table}}) {
        const TToolRun run = RunTool(Dir, args, "", "C", "ulimit -f 128; ");
        EXPECT_EQ(run.Status, 2) << run.Err;
        EXPECT_NE(run.Err.find("could not be written"), std::string::npos) << run.Err;
    }
    EXPECT_EQ(ReadBytes(out), "old\n");
    EXPECT_EQ(ReadBytes(table), "old\n");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Dir.Root()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"out.csv", "out.sdf", "run.err", "run.out", "single.sdf"}));
}

TEST_F(ToolBadInput, UnreadableRecordsAreKeptAndCounted) {
    // A file cut off inside a record, and one whose records fail in the middle.
    const std::string sample = ReadBytes(SharedFile("pubchem_sample.sdf"));
    const std::string cut = Dir.Write("cut.sdf", sample.substr(0, 20000));
    const TToolRun run = RunTool(Dir, {"sort", cut, "--by", "weight", "-o", Dir.Path("out.sdf")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Err.find("cut.sdf: 1 records could not be read"), std::string::npos) << run.Err;
    const auto in = Records(sample.substr(0, 20000));
    const auto out = Records(ReadBytes(Dir.Path("out.sdf")));
    ASSERT_EQ(out.size(), in.size());
    // The unreadable part is there with its bytes (the writer ends it as a record).
    bool kept = false;
    for (const std::string& record : out) kept = kept || record.find(in.back()) == 0;
    EXPECT_TRUE(kept);

    const TToolRun bad = RunTool(Dir, {"sort", SharedFile("malformed/bad_records_interleaved.sdf"),
                                       "--by", "formula", "-o", Dir.Path("bad.sdf")});
    ASSERT_EQ(bad.Status, 0) << bad.Err;
    EXPECT_NE(bad.Err.find("record 4 (line 61)"), std::string::npos) << bad.Err;
    // The writer ends the file's last line, which has no line end there.
    auto original = Records(ReadBytes(SharedFile("malformed/bad_records_interleaved.sdf")));
    original.back() += "\n";
    const auto sorted = Records(ReadBytes(Dir.Path("bad.sdf")));
    EXPECT_EQ(std::multiset<std::string>(sorted.begin(), sorted.end()),
              std::multiset<std::string>(original.begin(), original.end()));
}

TEST_F(ToolBadInput, MessagesFollowTheSystemLanguage) {
    const std::string missing = Dir.Path("fehlt.sdf");
    const TToolRun german = RunTool(Dir, {"info", missing}, "", "de_DE.UTF-8");
    EXPECT_EQ(german.Err, "zelmar-tool: Die Datei \"" + missing + "\" gibt es nicht.\n");
    const TToolRun french = RunTool(Dir, {"info", missing}, "", "fr_FR.UTF-8");
    EXPECT_EQ(french.Err, "zelmar-tool: Le fichier \"" + missing + "\" n'existe pas.\n");
    const TToolRun english = RunTool(Dir, {"info", missing}, "", "C");
    EXPECT_EQ(english.Err, "zelmar-tool: The file \"" + missing + "\" does not exist.\n");
    const TToolRun help = RunTool(Dir, {"--help"}, "", "de_DE.UTF-8");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("Rückgabewert: 0 erledigt"), std::string::npos);
    EXPECT_EQ(RunTool(Dir, {"--version"}).Out.rfind("zelmar-tool ", 0), 0u);
}

}  // namespace
