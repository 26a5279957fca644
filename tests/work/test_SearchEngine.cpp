// The search engine's rules for texts, numbers and molecules, and the record list's search
// over a sheet: hits in record order, marked records only, events and progress, stopping
// midway with the hits found so far, searching while the loader thread still reads, and the
// structure search shared between cores giving the same hits as one engine record by record.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ModelTestSupport.h"
#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"
#include "vesk_MulDiv.h"
#include "vesk_Trace.h"

using namespace testing_support;

namespace {

// Traces every level of the program's trace unit into a temporary file while it lives.
class TTraceFile {
public:
    TTraceFile() {
        WriteText(Dir.File("prog.ETC"),
                  "[TRACE]\nTrace=1\nLevel=ALL\nTraceFile=trace.log\nOutput=TEXT\n");
        TraceReadConfiguration(Dir.File("module.so"), Dir.File("prog"));
    }
    ~TTraceFile() { TraceShutdown(); }
    // Ends tracing; the lines holding the text.
    std::vector<std::string> Lines(const std::string& containing) const {
        TraceShutdown();
        std::vector<std::string> found;
        std::istringstream in(ReadText(Dir.File("trace.log")));
        for (std::string line; std::getline(in, line);)
            if (line.find(containing) != std::string::npos) found.push_back(line);
        return found;
    }

private:
    TTempDir Dir;
};

TZelmarDataCarrier Text(TZelmarFieldKind kind, const std::string& text) {
    TZelmarDataCarrier carrier;
    carrier.SetKind(kind);
    carrier.SetText(text);
    return carrier;
}

TZelmarDataCarrier Weight(double value, double to = 0.0) {
    TZelmarDataCarrier carrier;
    carrier.SetKind(ecsdtMolweight);
    carrier.SetValue(value);
    carrier.SetValueFrom(value);
    carrier.SetValueTo(to);
    return carrier;
}

// A six-ring of carbons (the sixth atom may be another element), Kekule or aromatic, with
// an optional methyl group.
std::string Ring(const std::string& title, bool aromatic, const char* sixth = "C",
                 bool methyl = false) {
    const double xy[7][2] = {{0, 1.4},      {1.21, 0.7},  {1.21, -0.7}, {0, -1.4},
                             {-1.21, -0.7}, {-1.21, 0.7}, {0, 2.8}};
    const int atoms = methyl ? 7 : 6;
    char line[96];
    std::snprintf(line, sizeof line, "%3d%3d  0  0  0  0  0  0  0  0999 V2000\n", atoms, atoms);
    std::string text = title + "\n  test\n\n" + line;
    for (int i = 0; i < atoms; ++i) {
        std::snprintf(line, sizeof line,
                      "%10.4f%10.4f%10.4f %-3s 0  0  0  0  0  0  0  0  0  0  0  0\n", xy[i][0],
                      xy[i][1], 0.0, i == 5 ? sixth : "C");
        text += line;
    }
    for (int i = 0; i < 6; ++i) {
        std::snprintf(line, sizeof line, "%3d%3d%3d  0\n", i + 1, i == 5 ? 1 : i + 2,
                      aromatic ? 4 : (i % 2 == 0 ? 2 : 1));
        text += line;
    }
    if (methyl) text += "  1  7  1  0\n";
    return text + "M  END\n";
}

// ---- text rules ----------------------------------------------------------------------------

TEST(SearchEngineRules, Texts) {
    const struct {
        const char* Query;
        const char* Value;
        int Options;
        bool Hit;
    } cases[] = {
        // contains, with and without case; both sides trimmed of blanks and control characters
        {"abc", "  xABCy  ", soContains, true},
        {"abc", "  xABCy  ", soContains | soCaseSensitive, false},
        {"ABC", "\txABCy\r\n", soContains | soCaseSensitive, true},
        // begins with: the first occurrence must be at the start; it wins over contains
        {"AB", "CAB", soBeginsWith, false},
        {"ab", "  ABC", soBeginsWith, true},
        {"ab", "ABC", soBeginsWith | soCaseSensitive, false},
        {"B", "AB", soBeginsWith | soContains, false},
        {"abcd", "abc", soBeginsWith, false},
        // exact, also without any text bit
        {" ab ", "ab", soExact, true},
        {"ab", "abc", soExact, false},
        {"aB", "Ab", 0, true},
        {"aB", "Ab", soCaseSensitive, false},
        // an empty query: only an empty value, only in exact mode
        {"", "", soExact, true},
        {"  ", "", soExact, true},
        {"", "x", soExact, false},
        {"", "x", soContains, false},
        {"", "", soBeginsWith, false},
        // letters beyond ASCII, in UTF-8 and in Windows-1252 (the bytes as the sheet shows them)
        {"\xC3\xA4", "\xC3\x84", soExact, true},
        {"\xC3\xA4", "\xC4", soExact, true},
        {"\xC3\x84", "\xC4", soExact | soCaseSensitive, true},
        {"\xC3\xA4", "\xC4", soExact | soCaseSensitive, false},
        {"\xC5\x93", "\x8C", soExact, true},
        {"\xCE\xB1\xCE\xB2", "x\xCE\x91\xCE\x92y", soContains, true},
        {"\xE2\x82\xAC", "5 \x80", soContains | soCaseSensitive, true},
        // a Windows-1252 byte is one character, not the start of a UTF-8 sequence
        {"\xC3", "\xC3\xA4", soExact | soCaseSensitive, false},
    };
    for (const auto& c : cases) {
        const TZelmarDataCarrier query = Text(ecsdtDataText, c.Query);
        TZelmarSearchEngine engine(&query);
        const TZelmarDataCarrier value = Text(ecsdtDataText, c.Value);
        EXPECT_EQ(engine.CheckForHit(&value, c.Options), c.Hit)
            << "query '" << c.Query << "' value '" << c.Value << "' options " << c.Options;
    }
}

TEST(SearchEngineRules, FormulaTextsAndKindsThatDoNotMeet) {
    const TZelmarDataCarrier formula = Text(ecsdtFormula, "C6H6");
    TZelmarSearchEngine engine(&formula);
    const TZelmarDataCarrier sameFormula = Text(ecsdtFormula, "c6h6");
    const TZelmarDataCarrier sameText = Text(ecsdtDataText, "C6H6");
    EXPECT_TRUE(engine.CheckForHit(&sameFormula, soExact));
    EXPECT_FALSE(engine.CheckForHit(&sameText, soExact));
    EXPECT_FALSE(engine.CheckForHit(nullptr, soExact));

    // Check marks are never matched, not even by a check-mark query.
    TZelmarDataCarrier checked;
    checked.SetKind(ecsdtCheckbox);
    checked.SetChecked(true);
    engine.SetCurrentQueryData(&checked);
    EXPECT_TRUE(engine.QuerySet());
    EXPECT_FALSE(engine.CheckForHit(&checked, soExact));
}

TEST(SearchEngineRules, Numbers) {
    const struct {
        double From, To, Value;
        int Options;
        bool Hit;
    } cases[] = {
        {10, 20, 10, soRange, false},
        {10, 20, 20, soRange, false},
        {10, 20, 15, soRange, true},
        {10, 20, 5, soRange | soLessThan, false},
        {10, 0, 9.99, soLessThan, true},
        {10, 0, 10, soLessThan, false},
        {10, 0, 10.01, soGreaterThan, true},
        {10, 0, 10, soGreaterThan, false},
        {10, 0, 5, soLessThan | soGreaterThan, true},
        {10, 0, 10, 0, true},
        {10, 0, 10.5, soContains, false},
    };
    for (const auto& c : cases) {
        const TZelmarDataCarrier query = Weight(c.From, c.To);
        TZelmarSearchEngine engine(&query);
        const TZelmarDataCarrier value = Weight(c.Value);
        EXPECT_EQ(engine.CheckForHit(&value, c.Options), c.Hit)
            << c.From << ".." << c.To << " value " << c.Value << " options " << c.Options;
    }
}

TEST(SearchEngineRules, WithoutQueryNothingMatchesAndTheCauseIsTraced) {
    TTraceFile trace;
    const TZelmarDataCarrier query = Text(ecsdtDataText, "x");
    TZelmarSearchEngine engine(&query);
    ASSERT_TRUE(engine.QuerySet());
    engine.SetCurrentQueryData(nullptr);
    EXPECT_FALSE(engine.QuerySet());
    EXPECT_EQ(engine.QueryKind(), ecsdtNone);
    EXPECT_EQ(engine.QueryText(), "");
    TZelmarDataCarrier empty;  // kind 0, as the cleared query
    EXPECT_FALSE(engine.CheckForHit(&empty, soExact));
    const std::vector<std::string> lines = trace.Lines("No query Data Set");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("[TZelmarSearchEngine.CheckForHit]"), std::string::npos) << lines[0];
}

TEST(SearchEngineRules, MoleculesBySubstructureOrExactStructure) {
    const TZelmarDataCarrier query = Text(ecsdtChemistry, Ring("benzene", false));
    TZelmarSearchEngine engine(&query);
    ASSERT_TRUE(engine.ChemEngine()->Initialized());
    const TZelmarDataCarrier toluene = Text(ecsdtChemistry, Ring("toluene", false, "C", true));
    const TZelmarDataCarrier aromatic = Text(ecsdtChemistry, Ring("benzene", true));
    const TZelmarDataCarrier pyridine = Text(ecsdtChemistry, Ring("pyridine", true, "N"));
    EXPECT_TRUE(engine.CheckForHit(&toluene, soContains));
    EXPECT_TRUE(engine.CheckForHit(&toluene, soContains | soExact));
    EXPECT_FALSE(engine.CheckForHit(&toluene, soExact));
    EXPECT_FALSE(engine.CheckForHit(&toluene, soBeginsWith));  // anything without 2 is exact
    EXPECT_FALSE(engine.CheckForHit(&toluene, 0));
    EXPECT_TRUE(engine.CheckForHit(&aromatic, 0));
    EXPECT_FALSE(engine.CheckForHit(&pyridine, soContains));
    // The same text as a data item is no molecule.
    const TZelmarDataCarrier asText = Text(ecsdtDataText, Ring("benzene", false));
    EXPECT_FALSE(engine.CheckForHit(&asText, soContains));
}

TEST(SearchEngineRules, WithoutTheStructureLibraryOnlyStructureChecksFail) {
    SetChemSearchLibraryFile("libveskChemSearchNowhere.so");
    const TZelmarDataCarrier molQuery = Text(ecsdtChemistry, Ring("benzene", false));
    TZelmarSearchEngine engine(&molQuery);
    SetChemSearchLibraryFile("");
    EXPECT_FALSE(engine.ChemEngine()->Initialized());
    EXPECT_TRUE(engine.QuerySet());
    EXPECT_FALSE(engine.CheckForHit(&molQuery, soExact));
    const TZelmarDataCarrier textQuery = Text(ecsdtDataText, "abc");
    engine.SetCurrentQueryData(&textQuery);
    EXPECT_TRUE(engine.CheckForHit(&textQuery, soExact));
}

// ---- searching a sheet -----------------------------------------------------------------------

// Record i: kind i % 5 of molecule (0 Kekule benzene, 1 toluene, 2 propanol, 3 aromatic
// benzene, 4 pyridine), NAME "name i" except on every seventh record, weight from the file.
std::string SheetFile(int records) {
    std::string text;
    for (int i = 0; i < records; ++i) {
        const std::string title = "record " + std::to_string(i);
        std::string mol;
        switch (i % 5) {
            case 0:
                mol = Ring(title, false);
                break;
            case 1:
                mol = Ring(title, false, "C", true);
                break;
            case 2:
                mol = MolBlock(title, {"C", "C", "C", "O"});
                break;
            case 3:
                mol = Ring(title, true);
                break;
            default:
                mol = Ring(title, true, "N");
                break;
        }
        TItems items;
        if (i % 7 != 0) items.push_back({"NAME", {"name " + std::to_string(i)}});
        text += SDRecord(mol, items);
    }
    return text;
}

bool HasBenzene(int i) {
    return i % 5 == 0 || i % 5 == 1 || i % 5 == 3;
}

class SheetSearch : public ::testing::Test {
protected:
    // Reads the file; with waitForLoader false it returns once the rows exist, while the
    // loader thread may still be reading.
    void Load(const std::string& text, bool waitForLoader = true) {
        WriteText(Dir.File("sheet.sdf"), text);
        List = std::make_unique<TZelmarSDFileDataList>(&Ui);
        ASSERT_TRUE(List->LoadFile(Dir.File("sheet.sdf")));
        ASSERT_TRUE(PumpUntil(
            Ui, [&] { return waitForLoader ? List->GetLoadFinished() : List->GetCount() > 0; }));
        List->OnStartSearch = [this](TZelmarSDFileDataList* sender) {
            EXPECT_EQ(sender, List.get());
            Events.push_back("start");
        };
        List->OnEndSearch = [this](TZelmarSDFileDataList*) { Events.push_back("end"); };
    }
    std::vector<int> Search(const TZelmarField* field, const TZelmarDataCarrier& query, int options,
                            bool onlySelected = false, bool* completed = nullptr,
                            bool considerStereo = false) {
        TZelmarRecordRefs results;
        const bool done = List->SearchDataForField(field, &query, onlySelected, &results,
                                                   considerStereo, options);
        if (completed != nullptr) *completed = done;
        std::vector<int> hits;
        for (int k = 0; k < results.GetCount(); ++k) {
            EXPECT_EQ(results.GetText(k), "");
            hits.push_back(List->GetIndexOfSDFileData(results.GetObject(k)));
        }
        return hits;
    }
    static std::vector<int> Expected(int records, bool (*hit)(int), int before = -1) {
        std::vector<int> hits;
        for (int i = 0; i < (before < 0 ? records : before); ++i)
            if (hit(i)) hits.push_back(i);
        return hits;
    }

    TTempDir Dir;
    platform::TQueuedUiDispatcher Ui;
    std::unique_ptr<TZelmarSDFileDataList> List;
    std::vector<std::string> Events;
    int Calls = 0;
};

TEST_F(SheetSearch, TextHitsInRecordOrderMarkedRecordsOnly) {
    Load(SheetFile(30));
    const TZelmarField* name = List->GetFieldByName("NAME");
    ASSERT_NE(name, nullptr);
    const TZelmarDataCarrier query = Text(ecsdtDataText, "NAME 1");
    // "name 1", "name 10".."name 19"; 14 has no NAME item.
    const std::vector<int> all = {1, 10, 11, 12, 13, 15, 16, 17, 18, 19};
    EXPECT_EQ(Search(name, query, soBeginsWith), all);
    EXPECT_EQ(Search(name, query, soBeginsWith | soCaseSensitive), std::vector<int>());
    List->GetSDFileData(11)->Selected = false;
    List->GetSDFileData(16)->Selected = false;
    EXPECT_EQ(Search(name, query, soBeginsWith, true),
              std::vector<int>({1, 10, 12, 13, 15, 17, 18, 19}));
    EXPECT_EQ(Search(name, query, soBeginsWith, false), all);
}

TEST_F(SheetSearch, EventsAndProgressOnePerRecord) {
    Load(SheetFile(7));
    std::vector<int> percents;
    List->OnSearchProgress = [&](TZelmarSDFileDataList*, int percent) {
        percents.push_back(percent);
        return true;
    };
    const TZelmarDataCarrier query = Text(ecsdtDataText, "name");
    bool completed = false;
    EXPECT_EQ(Search(List->GetFieldByName("NAME"), query, soContains, false, &completed),
              std::vector<int>({1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(completed);
    EXPECT_EQ(percents, std::vector<int>({0, 14, 29, 43, 57, 71, 86}));
    EXPECT_EQ(Events, std::vector<std::string>({"start", "end"}));

    // Nothing to search with: done at once, without events.
    Events.clear();
    TZelmarRecordRefs results;
    EXPECT_TRUE(List->SearchDataForField(nullptr, &query, false, &results, false, soContains));
    EXPECT_TRUE(List->SearchDataForField(List->GetFieldByName("NAME"), nullptr, false, &results,
                                         false, soContains));
    EXPECT_TRUE(List->SearchDataForField(List->GetFieldByName("NAME"), &query, false, nullptr,
                                         false, soContains));
    EXPECT_EQ(results.GetCount(), 0);
    EXPECT_TRUE(Events.empty());
}

TEST_F(SheetSearch, WeightsAgainstARange) {
    Load(SheetFile(10));
    const TZelmarField* weight = List->GetFieldByName(kFieldNameMolweight);
    ASSERT_NE(weight, nullptr);
    // Benzene 78.11, toluene 92.14, propanol 60.10, pyridine 79.10.
    const TZelmarDataCarrier query = Weight(78.5, 93.0);
    EXPECT_EQ(Search(weight, query, soRange), std::vector<int>({1, 4, 6, 9}));
    const TZelmarDataCarrier below = Weight(61.0);
    EXPECT_EQ(Search(weight, below, soLessThan), std::vector<int>({2, 7}));
}

// Stopping at record k: false, the end event, and exactly the hits of the records before k,
// for the text search and for the structure search, whose checks run in blocks.
TEST_F(SheetSearch, StoppingKeepsTheHitsFoundSoFar) {
    const int records = 300;
    Load(SheetFile(records));
    const int stopAt = 217;
    List->OnSearchProgress = [&](TZelmarSDFileDataList*, int) { return ++Calls <= stopAt; };
    bool completed = true;
    Calls = 0;
    const TZelmarDataCarrier name = Text(ecsdtDataText, "NAME");
    EXPECT_EQ(Search(List->GetFieldByName("NAME"), name, soContains, false, &completed),
              Expected(
                  records, [](int i) { return i % 7 != 0; }, stopAt));
    EXPECT_FALSE(completed);
    EXPECT_EQ(Events, std::vector<std::string>({"start", "end"}));

    Calls = 0;
    completed = true;
    const TZelmarDataCarrier benzene = Text(ecsdtChemistry, Ring("query", false));
    EXPECT_EQ(Search(List->GetChemistryField(), benzene, soContains, false, &completed),
              Expected(records, HasBenzene, stopAt));
    EXPECT_FALSE(completed);
    EXPECT_EQ(Calls, stopAt + 1);
}

TEST_F(SheetSearch, StructuresWhileTheLoaderStillReads) {
    const int records = 2000;
    Load(SheetFile(records), false);
    const TZelmarDataCarrier benzene = Text(ecsdtChemistry, Ring("query", true));
    EXPECT_EQ(Search(List->GetChemistryField(), benzene, soContains),
              Expected(records, HasBenzene));
    EXPECT_EQ(Search(List->GetChemistryField(), benzene, soExact),
              Expected(records, [](int i) { return i % 5 == 0 || i % 5 == 3; }));
    ASSERT_TRUE(PumpUntil(Ui, [&] { return List->GetLoadFinished(); }));
}

// The search shares structure checks between cores; its hits must be those of one engine
// asked record by record.
TEST_F(SheetSearch, RealFileSameHitsAsOneEngineRecordByRecord) {
    const std::string file = std::string(ZELMAR_SDF_DATA_DIR) + "/pubchem_sample.sdf";
    if (!std::filesystem::exists(file)) GTEST_SKIP() << file << " is not there";
    Load(ReadText(file));
    const TZelmarField* chemistry = List->GetChemistryField();
    for (const bool stereo : {false, true}) {
        const TZelmarDataCarrier query = Text(ecsdtChemistry, Ring("query", false));
        TZelmarSearchEngine single(&query);
        single.SetConsiderStereo(stereo);
        std::vector<int> expected;
        for (int i = 0; i < List->GetCount(); ++i) {
            TZelmarDataCarrier value;
            if (List->GetSDFileData(i)->GetDataForField(chemistry, &value) &&
                single.CheckForHit(&value, soContains))
                expected.push_back(i);
        }
        ASSERT_GT(expected.size(), 10u);
        EXPECT_EQ(Search(chemistry, query, soContains, false, nullptr, stereo), expected);
    }
}

}  // namespace
