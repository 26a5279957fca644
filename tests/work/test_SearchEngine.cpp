// The search engine's rules for texts, numbers and molecules, and the record list's search
// over a sheet: record order, marked records, events, stopping midway with the hits so far,
// and structure checks shared between cores while the loader still reads.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ModelTestSupport.h"
#include "ZelmarGermanLocale.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"
#include "vesk_Trace.h"

using namespace testing_support;

namespace {

// Traces every level of the program's trace unit while it lives; Text() ends tracing.
class TempDirTrace {
public:
    TempDirTrace() {
        WriteText(Dir.File("prog.ETC"),
                  "[TRACE]\nTrace=1\nLevel=ALL\nTraceFile=t.log\nOutput=TEXT\n");
        TraceReadConfiguration(Dir.File("module.so"), Dir.File("prog"));
    }
    ~TempDirTrace() { TraceShutdown(); }
    std::string Text() const {
        TraceShutdown();
        return ReadText(Dir.File("t.log"));
    }

private:
    TTempDir Dir;
};

TZelmarDataCarrier Carrier(TZelmarFieldKind kind, const std::string& text, double from = 0,
                           double to = 0) {
    TZelmarDataCarrier carrier;
    carrier.SetKind(kind);
    carrier.SetText(text);
    carrier.SetValue(from);
    carrier.SetValueFrom(from);
    carrier.SetValueTo(to);
    return carrier;
}

const std::string kEthanol = MolBlock("q", {"C", "C", "O"});

TEST(SearchEngineRules, TextsAndNumbers) {
    const struct {
        const char* Query;
        const char* Value;
        int Options;
        bool Hit;
    } texts[] = {// clang-format off
        {"abc", "  xABCy  ", soContains, true}, {"abc", " xABCy", soContains | soCaseSensitive, false},
        {"ABC", "\txABCy\r\n", soContains | soCaseSensitive, true}, {"AB", "CAB", soBeginsWith, false},
        {"ab", " ABC", soBeginsWith, true}, {"B", "AB", soBeginsWith | soContains, false},
        {" ab ", "ab", soExact, true}, {"aB", "Ab", 0, true}, {"aB", "Ab", soCaseSensitive, false},
        {"", "", soExact, true}, {"", "x", soExact, false}, {"", "x", soContains, false},
        {"", "", soBeginsWith, false},
        // Bytes compare as shown: UTF-8 when valid, else Windows-1252 (C4 is Ä, 8C is Œ).
        {"\xC3\xA4", "\xC4", soExact, true}, {"\xC3\xA4", "\xC4", soExact | soCaseSensitive, false},
        {"\xC5\x93", "\x8C", soExact, true}, {"\xCE\xB1", "x\xCE\x91", soContains, true},
        {"\xC3", "\xC3\xA4", soExact | soCaseSensitive, false}};
    // clang-format on
    for (const auto& c : texts) {
        const TZelmarDataCarrier query = Carrier(ecsdtDataText, c.Query);
        const TZelmarDataCarrier value = Carrier(ecsdtDataText, c.Value);
        EXPECT_EQ(TZelmarSearchEngine(&query).CheckForHit(&value, c.Options), c.Hit)
            << "'" << c.Query << "' in '" << c.Value << "', options " << c.Options;
    }
    const struct {
        double Value;
        int Options;
        bool Hit;
    } numbers[] = {// clang-format off
        {10, soRange, false}, {20, soRange, false}, {15, soRange, true},
        {5, soRange | soLessThan, false}, {9.9, soLessThan, true}, {10, soLessThan, false},
        {5, soLessThan | soGreaterThan, true}, {10, soGreaterThan, false}, {10, 0, true}};
    // clang-format on
    const TZelmarDataCarrier range = Carrier(ecsdtMolweight, "", 10, 20);
    TZelmarSearchEngine engine(&range);
    for (const auto& c : numbers) {
        const TZelmarDataCarrier value = Carrier(ecsdtMolweight, "", c.Value);
        EXPECT_EQ(engine.CheckForHit(&value, c.Options), c.Hit) << c.Value << " " << c.Options;
    }
}

// The constitution hash must never tell apart what exact comparison calls identical, and should
// tell apart what differs in its heavy atoms or their connections.
TEST(SearchEngineRules, ConstitutionHashFollowsHeavyAtomsAndConnectionsOnly) {
    using testing_support::MolBlock;
    auto hash = [](const std::string& text) {
        std::uint64_t value = 0;
        return ZelmarConstitutionHash(text, value) ? std::to_string(value) : std::string("none");
    };
    const std::string ethanol = MolBlock("a", {"C", "C", "O"});
    // Same structure: atoms in another order, explicit hydrogens, other bond orders, charges.
    const std::string same[] = {
        MolBlock("b", {"O", "C", "C"}), MolBlock("c", {"C", "C", "O", "H"}),
        "x\n  t\n\n  3  2  0  0  0  0  0  0  0  0999 V2000\n"
        "    0.0000    0.0000    0.0000 C   0  3  0  0  0  0  0  0  0  0  0  0\n"
        "    1.5000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
        "    3.0000    0.0000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0\n"
        "  1  2  2  0\r\n  2  3  1  0\nM  CHG  1   1   1\nM  END\n"};
    for (const std::string& text : same) EXPECT_EQ(hash(text), hash(ethanol)) << text;
    EXPECT_NE(hash(ethanol), "none");
    EXPECT_NE(hash(MolBlock("e", {"C", "O", "C"})), hash(ethanol));
    EXPECT_NE(hash(MolBlock("f", {"C", "C", "N"})), hash(ethanol));
    EXPECT_NE(hash(MolBlock("g", {"C", "C", "C", "O"})), hash(MolBlock("h", {"C", "C", "O", "C"})));
    // Query atoms are one kind: A and Q may well be the same to exact comparison.
    EXPECT_EQ(hash(MolBlock("i", {"C", "A"})), hash(MolBlock("j", {"C", "Q"})));
    EXPECT_EQ(hash(MolBlock("k", {})), hash(MolBlock("l", {})));
    for (const std::string& bad :
         {std::string(), std::string("garbage"), std::string("\n\n\n  0  0  0 V3000\nM  END\n"),
          std::string("x\n\n\n  3  2  0\n    0.0000    0.0000    0.0000 C\nM  END\n")})
        EXPECT_EQ(hash(bad), "none") << bad;
}

TEST(SearchEngineRules, KindsMoleculesAndNoQuery) {
    const TZelmarDataCarrier formula = Carrier(ecsdtFormula, "C6H6");
    const TZelmarDataCarrier text = Carrier(ecsdtDataText, "C6H6");
    TZelmarSearchEngine engine(&formula);
    EXPECT_TRUE(engine.CheckForHit(&formula, soExact));
    EXPECT_FALSE(engine.CheckForHit(&text, soExact));

    // Bit 2 asks for a substructure, anything else for the exact structure.
    const TZelmarDataCarrier ethanol = Carrier(ecsdtChemistry, kEthanol);
    const TZelmarDataCarrier propanol =
        Carrier(ecsdtChemistry, MolBlock("t", {"C", "C", "C", "O"}));
    engine.SetCurrentQueryData(&ethanol);
    EXPECT_TRUE(engine.CheckForHit(&propanol, soContains | soExact));
    EXPECT_FALSE(engine.CheckForHit(&propanol, soBeginsWith));
    EXPECT_TRUE(engine.CheckForHit(&ethanol, soBeginsWith));

    TZelmarDataCarrier checked = Carrier(ecsdtCheckbox, "");
    checked.SetChecked(true);
    engine.SetCurrentQueryData(&checked);
    EXPECT_FALSE(engine.CheckForHit(&checked, soExact));

    TempDirTrace trace;
    engine.SetCurrentQueryData(nullptr);
    EXPECT_FALSE(engine.QuerySet());
    const TZelmarDataCarrier none;
    EXPECT_FALSE(engine.CheckForHit(&none, soExact));
    EXPECT_NE(trace.Text().find("[TZelmarSearchEngine.CheckForHit], exception of type "
                                "std::runtime_error with message No query Data Set"),
              std::string::npos);
}

// Record i: ethanol, propanol or ethylamine by i % 3; NAME "name i" except on every 7th.
std::string SheetFile(int records) {
    const std::vector<std::vector<std::string>> molecules = {
        {"C", "C", "O"}, {"C", "C", "C", "O"}, {"C", "C", "N"}};
    std::string text;
    for (int i = 0; i < records; ++i) {
        TItems items;
        if (i % 7 != 0) items.push_back({"NAME", {"name " + std::to_string(i)}});
        text += SDRecord(MolBlock("r" + std::to_string(i), molecules[i % 3]), items);
    }
    return text;
}

class SheetSearch : public ::testing::Test {
protected:
    // With waitForLoader false it returns once the rows exist, while the loader still reads.
    void Load(const std::string& text, bool waitForLoader = true) {
        WriteText(Dir.File("sheet.sdf"), text);
        List = std::make_unique<TZelmarSDFileDataList>(&Ui);
        ASSERT_TRUE(List->LoadFile(Dir.File("sheet.sdf")));
        ASSERT_TRUE(PumpUntil(
            Ui, [&] { return waitForLoader ? List->GetLoadFinished() : List->GetCount() > 0; }));
        List->OnStartSearch = [this](TZelmarSDFileDataList* s) {
            Events += s == List.get() ? "<" : "?";
        };
        List->OnEndSearch = [this](TZelmarSDFileDataList* s) {
            Events += s == List.get() ? ">" : "?";
        };
    }
    std::vector<int> Search(const TZelmarField* field, const TZelmarDataCarrier& query, int options,
                            bool onlySelected = false, bool completes = true) {
        TZelmarRecordRefs results;
        EXPECT_EQ(List->SearchDataForField(field, &query, onlySelected, &results, false, options),
                  completes);
        std::vector<int> hits;
        hits.reserve(static_cast<std::size_t>(results.GetCount()));
        for (int k = 0; k < results.GetCount(); ++k)
            hits.push_back(List->GetIndexOfSDFileData(results.GetObject(k)));
        return hits;
    }
    static std::vector<int> Expected(int before, bool (*hit)(int)) {
        std::vector<int> hits;
        for (int i = 0; i < before; ++i)
            if (hit(i)) hits.push_back(i);
        return hits;
    }

    TTempDir Dir;
    platform::TQueuedUiDispatcher Ui;
    std::unique_ptr<TZelmarSDFileDataList> List;
    std::string Events;
};

TEST_F(SheetSearch, HitsInOrderMarkedRecordsEventsAndProgress) {
    Load(SheetFile(20));
    const TZelmarField* name = List->GetFieldByName("NAME");
    const TZelmarDataCarrier query = Carrier(ecsdtDataText, "NAME 1");
    std::vector<int> percents;
    List->OnSearchProgress = [&](TZelmarSDFileDataList*, int percent) {
        percents.push_back(percent);
        return true;
    };
    // 14 has no NAME.
    EXPECT_EQ(Search(name, query, soBeginsWith),
              std::vector<int>({1, 10, 11, 12, 13, 15, 16, 17, 18, 19}));
    EXPECT_EQ(Events, "<>");
    EXPECT_EQ(percents, std::vector<int>({0,  5,  10, 15, 20, 25, 30, 35, 40, 45,
                                          50, 55, 60, 65, 70, 75, 80, 85, 90, 95}));
    List->GetSDFileData(11)->Selected = false;
    EXPECT_EQ(Search(name, query, soBeginsWith, true),
              std::vector<int>({1, 10, 12, 13, 15, 16, 17, 18, 19}));

    // Nothing to search with: done at once, without events.
    Events.clear();
    TZelmarRecordRefs results;
    EXPECT_TRUE(List->SearchDataForField(nullptr, &query, false, &results, false, soContains));
    EXPECT_TRUE(List->SearchDataForField(name, nullptr, false, &results, false, soContains));
    EXPECT_TRUE(List->SearchDataForField(name, &query, false, nullptr, false, soContains));
    EXPECT_EQ(results.GetCount() + Events.size(), 0u);
}

// Stopping before record k keeps exactly the hits of the records before k, also when the
// structure checks run in blocks shared between cores.
TEST_F(SheetSearch, StoppingKeepsTheHitsFoundSoFar) {
    Load(SheetFile(300));
    int calls = 0;
    List->OnSearchProgress = [&](TZelmarSDFileDataList*, int) { return ++calls <= 217; };
    const TZelmarDataCarrier name = Carrier(ecsdtDataText, "NAME");
    EXPECT_EQ(Search(List->GetFieldByName("NAME"), name, soContains, false, false),
              Expected(217, [](int i) { return i % 7 != 0; }));
    EXPECT_EQ(Events, "<>");
    calls = 0;
    const TZelmarDataCarrier ethanol = Carrier(ecsdtChemistry, kEthanol);
    EXPECT_EQ(Search(List->GetChemistryField(), ethanol, soContains, false, false),
              Expected(217, [](int i) { return i % 3 != 2; }));
    EXPECT_EQ(calls, 218);
}

// Weights as the library computes them carry binary noise (75.11099999999999); kept rounded to
// 3 decimals, they search, sort, group and key as they show, under a German locale too.
TEST_F(SheetSearch, WeightsAreSearchedSortedAndComparedAsShown) {
    TZelmarGermanLocale german;
    ASSERT_TRUE(german.Active()) << TZelmarGermanLocale::kMissing;
    const std::vector<std::string> aminopropanol = {"C", "C", "C", "N", "O"};  // 75.111
    Load(SDRecord(MolBlock("a", aminopropanol), {}) + SDRecord(MolBlock("b", {"C", "C", "N"}), {}) +
         SDRecord(MolBlock("c", {"N", "C", "C", "C", "C", "N"}), {}) +
         SDRecord(MolBlock("d", aminopropanol), {}));
    const TZelmarField* weight = List->GetFieldByName(kFieldNameMolweight);
    ASSERT_NE(weight, nullptr);
    const double shown[] = {75.111, 45.085, 88.154, 75.111};
    for (int i = 0; i < 4; ++i) {
        TZelmarSDFileData* record = List->GetSDFileData(i);
        TZelmarDataCarrier value;
        ASSERT_TRUE(record->GetDataForField(weight, &value));
        EXPECT_EQ(value.Value(), shown[i]) << i;
        EXPECT_EQ(record->GetPrecheckForSearch(weight), FormatFloatGeneral(shown[i])) << i;
    }
    EXPECT_EQ(List->GetSDFileData(0)->GetPrecheckForSearch(weight), "75.111");

    EXPECT_EQ(Search(weight, Carrier(ecsdtMolweight, "", 75.111), soExact),
              std::vector<int>({0, 3}));
    EXPECT_EQ(Search(weight, Carrier(ecsdtMolweight, "", 45.085), soExact), std::vector<int>({1}));
    EXPECT_EQ(Search(weight, Carrier(ecsdtMolweight, "", 75.111, 88.154), soRange),
              std::vector<int>());
    EXPECT_EQ(Search(weight, Carrier(ecsdtMolweight, "", 75.111), soGreaterThan),
              std::vector<int>({2}));

    // Equal weights are duplicates; the precheck keys read back as numbers in this locale.
    TZelmarRecordRefs duplicates;
    ASSERT_TRUE(List->SearchForDuplicates(weight, false, &duplicates));
    ASSERT_EQ(duplicates.GetCount(), 2);
    EXPECT_EQ(duplicates.GetObject(0)->GetMolweight(), 75.111);
    EXPECT_EQ(duplicates.GetObject(1)->GetMolweight(), 75.111);
    TZelmarRecordRefs keys;
    ASSERT_TRUE(List->DoEnumChemistryEntrysForSearch(&keys, weight, -1, nullptr, nullptr));
    std::vector<std::string> order;
    for (int k = 0; k < keys.GetCount(); ++k) order.push_back(keys.GetText(k));
    EXPECT_EQ(order, (std::vector<std::string>{"45.085", "75.111", "75.111", "88.154"}));
}

TEST_F(SheetSearch, StructuresWhileTheLoaderStillReads) {
    Load(SheetFile(2000), false);
    const TZelmarDataCarrier ethanol = Carrier(ecsdtChemistry, kEthanol);
    EXPECT_EQ(Search(List->GetChemistryField(), ethanol, soExact),
              Expected(2000, [](int i) { return i % 3 == 0; }));
    ASSERT_TRUE(PumpUntil(Ui, [&] { return List->GetLoadFinished(); }));
}

}  // namespace
