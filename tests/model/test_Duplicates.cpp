// Duplicate search of one sheet and the set operations of mixing two sheets: text, formula,
// weight and structure keys, unchecked records, cancelling, and a search while loading.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "SheetTestSupport.h"
#include "Zelmar_Object_SearchEngine.h"
#include "Zelmar_SetOperations.h"

using namespace sheet_support;
using namespace testing_support;

namespace {

using TBonds = std::vector<std::vector<int>>;  // {from, to, order}, atoms from 1

std::string Carbons(int count, const TBonds& bonds) {
    molfile_support::TMolfile molfile =
        molfile_support::Chain("m", "  test", std::vector<std::string>(count, "C"), 1.5, 0.3);
    molfile.Bonds.clear();
    for (const auto& b : bonds) molfile.Bonds.push_back({b[0], b[1], b[2], 0});
    molfile.LongBondLines = true;
    return molfile.Text();
}

const std::string kBenzene =
    Carbons(6, {{1, 2, 2}, {2, 3, 1}, {3, 4, 2}, {4, 5, 1}, {5, 6, 2}, {6, 1, 1}});
// The same ring written from another atom and with the other Kekulé form.
const std::string kBenzene2 =
    Carbons(6, {{1, 2, 1}, {2, 3, 2}, {3, 4, 1}, {4, 5, 2}, {5, 6, 1}, {6, 1, 2}});
const std::string kFulvene =
    Carbons(6, {{1, 2, 2}, {2, 3, 1}, {3, 4, 2}, {4, 5, 1}, {5, 1, 1}, {5, 6, 2}});

std::vector<std::string> Duplicates(TZelmarSDFileDataList& list, const TZelmarField& field,
                                    bool stereo = false) {
    TZelmarRecordRefs results;
    EXPECT_TRUE(list.SearchForDuplicates(&field, stereo, &results));
    return Ids(results);
}

// Ten heavy atoms in a chain, all carbon but an O at o and an N at n: every such molecule is
// C8H19NO, and the chain read backwards (o, n -> 9 - o, 9 - n) is the same molecule.
std::string Chain(int o, int n) {
    std::vector<std::string> atoms(10, "C");
    atoms[static_cast<std::size_t>(o)] = "O";
    atoms[static_cast<std::size_t>(n)] = "N";
    return MolBlock("chain", atoms);
}

// 2-butanol with the C-O bond drawn up (1), down (6) or plain (0) at the centre.
std::string Butanol(int wedge) {
    char text[1024];
    std::snprintf(text, sizeof text,
                  "butanol\n  test\n\n  5  4  0  0  0  0  0  0  0  0999 V2000\n"
                  "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
                  "   -1.3000   -0.7500    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
                  "    1.3000   -0.7500    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
                  "    2.6000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
                  "    0.0000    1.5000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0\n"
                  "  1  2  1  0\n  1  3  1  0\n  3  4  1  0\n  1  5  1  %d\nM  END\n",
                  wedge);
    return text;
}

// The duplicates as the search found them before structure keys: every record of a block of
// equal formula compared with every other through the search engine.
std::vector<std::string> PairwiseDuplicates(TZelmarSDFileDataList& list, bool stereo) {
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    TZelmarRecordRefs precheck;
    EXPECT_TRUE(list.DoEnumChemistryEntrysForSearch(&precheck, &chem, -1, nullptr, nullptr));
    TZelmarSearchEngine engine(nullptr);
    engine.SetConsiderStereo(stereo);
    TZelmarRecordRefs results, block, hits;
    for (int i = 0; i < precheck.GetCount();) {
        EXPECT_TRUE(TZelmarDuplicateFinder::BuildBlockListForSearch(precheck, block, i));
        i += std::max(block.GetCount(), 1);
        while (block.GetCount() > 1) {
            TZelmarSDFileData* record = block.GetObject(0);
            block.Delete(0);
            if (!TZelmarDuplicateFinder::DoSearchInBlockList(record, &chem, &engine, &hits,
                                                             &block) ||
                hits.IsEmpty())
                continue;
            results.AddObject(std::string(), record);
            for (const auto& hit : hits) results.AddObject(std::string(), hit.Object);
        }
    }
    return Ids(results);
}

std::string SharedDataFile(const std::string& name) {
    return std::string(ZELMAR_SDF_DATA_DIR) + "/" + name;
}

// The molecule blocks of an SD text.
std::vector<std::string> Molecules(const std::string& sd) {
    std::vector<std::string> out;
    for (std::size_t pos = 0, end; (end = sd.find("M  END", pos)) != std::string::npos;) {
        end = sd.find('\n', end);
        if (end == std::string::npos) break;
        out.push_back(sd.substr(pos, end + 1 - pos));
        pos = sd.find("$$$$", end);
        if (pos == std::string::npos) break;
        pos = sd.find('\n', pos);
        if (pos == std::string::npos) break;
        ++pos;
    }
    return out;
}

}  // namespace

TEST(Duplicates, ManyIsomersOfOneFormulaGroupAsPairwiseComparisonDoes) {
    TZelmarSDFileDataList list(nullptr);
    // 90 drawings of 45 different C8H19NO, in a shuffled order, plus a stray formula.
    std::vector<std::pair<int, int>> drawings;
    for (int o = 0; o < 10; ++o)
        for (int n = 0; n < 10; ++n)
            if (o != n) drawings.emplace_back(o, n);
    std::mt19937 random(11);
    std::shuffle(drawings.begin(), drawings.end(), random);
    for (const auto& [o, n] : drawings)
        AddRecord(list, Chain(o, n), std::to_string(o) + "-" + std::to_string(n));
    AddRecord(list, kEthanol, "ethanol");
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    const std::vector<std::string> ids = Duplicates(list, chem);
    ASSERT_EQ(ids.size(), 90u);
    // Each drawing sits next to its reversed twin, the pairs in the order of their first.
    std::vector<std::string> firsts;
    for (std::size_t i = 0; i < ids.size(); i += 2) {
        const int o = ids[i][0] - '0', n = ids[i][2] - '0';
        EXPECT_EQ(ids[i + 1], std::to_string(9 - o) + "-" + std::to_string(9 - n)) << ids[i];
        firsts.push_back(ids[i]);
    }
    std::vector<std::string> sheetOrder;
    for (const auto& [o, n] : drawings) {
        const std::string id = std::to_string(o) + "-" + std::to_string(n);
        const std::string twin = std::to_string(9 - o) + "-" + std::to_string(9 - n);
        if (std::find(sheetOrder.begin(), sheetOrder.end(), twin) == sheetOrder.end())
            sheetOrder.push_back(id);
    }
    EXPECT_EQ(firsts, sheetOrder);
    EXPECT_EQ(ids, PairwiseDuplicates(list, false));
}

TEST(Duplicates, StereoCountsOnlyWhenAskedFor) {
    TZelmarSDFileDataList list(nullptr);
    AddRecord(list, Butanol(1), "up");
    AddRecord(list, Butanol(6), "down");
    AddRecord(list, Butanol(0), "plain");
    AddRecord(list, Butanol(1), "up 2");
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    EXPECT_EQ(Duplicates(list, chem, false),
              (std::vector<std::string>{"up", "down", "plain", "up 2"}));
    EXPECT_EQ(Duplicates(list, chem, true), (std::vector<std::string>{"up", "up 2"}));
    EXPECT_EQ(Duplicates(list, chem, true), PairwiseDuplicates(list, true));
    EXPECT_EQ(Duplicates(list, chem, false), PairwiseDuplicates(list, false));
}

TEST(Duplicates, EmptyMoleculesAreOneStructureUnreadableOnesNone) {
    TZelmarSDFileDataList list(nullptr);
    AddRecord(list, "", "cleared");  // a cleared cell holds the empty molfile
    AddRecord(list, "not a molecule\n", "garbage");
    AddRecord(list, MolBlock("m", {}), "no atoms");
    AddRecord(list, kEthanol, "ethanol");
    AddRecord(list, "not a molecule\n", "garbage 2");
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    EXPECT_EQ(Duplicates(list, chem), (std::vector<std::string>{"cleared", "no atoms"}));
    EXPECT_EQ(Duplicates(list, chem, true), (std::vector<std::string>{"cleared", "no atoms"}));
}

TEST(Duplicates, KeysAreKeptWithTheRecordsUntilTheirMoleculeChanges) {
    TZelmarSDFileDataList list(nullptr);
    const std::string ethanolBackwards = MolBlock("ethanol", {"O", "C", "C"});
    AddRecord(list, kEthanol, "a");
    AddRecord(list, kEther, "ether");
    TZelmarSDFileData* b = AddRecord(list, ethanolBackwards, "b");
    AddRecord(list, kEthanol, "c");
    AddRecord(list, MolBlock("m", {"C"}), "methane");  // formula of its own: never keyed
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    const std::vector<std::string> abc{"a", "b", "c"};

    EXPECT_EQ(Duplicates(list, chem), abc);
    // The ether's constitution is its own among the C2H6O: it needs no key either.
    EXPECT_EQ(list.StructureKeysMade(), 3);
    EXPECT_EQ(Duplicates(list, chem), abc);
    EXPECT_EQ(list.StructureKeysMade(), 3);
    EXPECT_EQ(Duplicates(list, chem, true), abc);  // with stereo: keys of their own
    EXPECT_EQ(list.StructureKeysMade(), 6);

    // Another drawing of the same: a new key for that record only.
    Set(b, ecsdtChemistry, "", kEthanol);
    EXPECT_EQ(Duplicates(list, chem), abc);
    EXPECT_EQ(list.StructureKeysMade(), 7);
    // Now an ether: a key kept from before would still group it with the ethanols.
    Set(b, ecsdtChemistry, "", kEther);
    EXPECT_EQ(Duplicates(list, chem), (std::vector<std::string>{"a", "c", "ether", "b"}));
}

TEST(Duplicates, RealFilesGroupAsPairwiseComparisonDoes) {
    std::vector<std::string> molecules;
    for (const char* name : {"pubchem_3d_conformers.sdf", "nci_3d.sdf", "nci_aids_props.sdf",
                             "chiral_flag_examples.sdf", "v2000_v3000_mixed.sdf",
                             "inchi_techman_samples.sdf", "cdk2_3d_explicit_h.sdf"}) {
        const std::string sd = ReadText(SharedDataFile(name));
        if (sd.empty()) GTEST_SKIP() << "shared test files not available";
        for (auto& m : Molecules(sd)) molecules.push_back(std::move(m));
    }
    TZelmarSDFileDataList list(nullptr);
    for (std::size_t i = 0; i < molecules.size(); ++i)
        AddRecord(list, molecules[i], std::to_string(i));
    // Twice each: the second run works from the kept keys.
    for (const bool stereo : {false, true, false, true}) {
        const std::vector<std::string> ids = Duplicates(list, Field(ecsdtChemistry, "m"), stereo);
        EXPECT_GT(ids.size(), 20u);
        EXPECT_EQ(ids, PairwiseDuplicates(list, stereo)) << stereo;
    }
}

TEST(Duplicates, TextFormulaWeightAndUncheckedRecords) {
    TZelmarSDFileDataList list(nullptr);
    AddRecord(list, kEthanol, "1", {{"name", "a"}});
    AddRecord(list, MolBlock("m", {"C"}), "2", {{"name", "b"}});
    AddRecord(list, kEther, "3", {{"name", "a "}});  // trimmed key: equal to "a"
    AddRecord(list, MolBlock("m", {"O"}), "4", {{"name", "c"}})->Selected = false;
    AddRecord(list, MolBlock("m", {"O"}), "5", {{"name", "b"}})->Selected = false;

    std::vector<std::string> ids = Duplicates(list, Field(ecsdtDataText, "name"));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::string>{"1", "3"}));  // unchecked b never counts

    ids = Duplicates(list, Field(ecsdtFormula, "ecsdtFormula"));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::string>{"1", "3"}));  // C2H6O twice
    ids = Duplicates(list, Field(ecsdtMolweight, "ecsdtMolweight"));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::string>{"1", "3"}));

    EXPECT_TRUE(Duplicates(list, Field(ecsdtCheckbox, "ecsdtCheckbox")).empty());
    EXPECT_TRUE(Duplicates(list, Field(ecsdtNone, "x")).empty());
    TZelmarRecordRefs precheck;
    const TZelmarField none = Field(ecsdtNone, "x");
    EXPECT_FALSE(list.DoEnumChemistryEntrysForSearch(&precheck, &none, -1, nullptr, nullptr));
}

TEST(Duplicates, EachResultCarriesTheNumberOfItsGroup) {
    TZelmarSDFileDataList list(nullptr);
    AddRecord(list, kBenzene, "1", {{"name", "b"}});
    AddRecord(list, kEthanol, "2", {{"name", "a"}});
    AddRecord(list, kBenzene2, "3", {{"name", "b"}});
    AddRecord(list, kEthanol, "4", {{"name", "a"}});
    AddRecord(list, kFulvene, "5", {{"name", "c"}});
    for (const TZelmarField& field :
         {Field(ecsdtDataText, "name"), Field(ecsdtChemistry, "ecsdtChemistry")}) {
        TZelmarRecordRefs results;
        ASSERT_TRUE(list.SearchForDuplicates(&field, false, &results));
        ASSERT_EQ(results.GetCount(), 4);
        std::vector<std::string> groups;
        for (int i = 0; i < results.GetCount(); ++i) groups.push_back(results.GetText(i));
        EXPECT_EQ(groups, (std::vector<std::string>{"1", "1", "2", "2"})) << field.Name;
        EXPECT_EQ(results.GetObject(0)->GetFormula(), results.GetObject(1)->GetFormula());
    }
}

TEST(Duplicates, IdenticalStructuresWithinAFormulaBlock) {
    TZelmarSDFileDataList list(nullptr);
    std::vector<std::string> events;
    list.OnStartSearch = [&events](TZelmarSDFileDataList*) { events.push_back("start"); };
    list.OnEndSearch = [&events](TZelmarSDFileDataList*) { events.push_back("end"); };
    AddRecord(list, kBenzene, "benzene");
    AddRecord(list, kFulvene, "fulvene");
    AddRecord(list, kBenzene2, "benzene 2");
    AddRecord(list, kEthanol, "ethanol");
    EXPECT_EQ(list.GetSDFileData(1)->GetFormula(), "C6H6");
    EXPECT_EQ(Duplicates(list, Field(ecsdtChemistry, "ecsdtChemistry")),
              (std::vector<std::string>{"benzene", "benzene 2"}));
    EXPECT_EQ(events, (std::vector<std::string>{"start", "end"}));

    // Stopped midway: false, and the end is still announced.
    list.OnSearchProgress = [](TZelmarSDFileDataList*, int) { return false; };
    TZelmarRecordRefs results;
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    EXPECT_FALSE(list.SearchForDuplicates(&chem, false, &results));
    EXPECT_EQ(events.back(), "end");
}

TEST(Duplicates, BlockHelpersAndNumericKeysAgreeWithTheSortOrder) {
    TZelmarRecordRefs list;
    for (const char* key : {"1.5", "1.50", "2", "10"}) list.AddObject(key, nullptr);
    TZelmarRecordRefs block;
    ASSERT_TRUE(TZelmarDuplicateFinder::BuildBlockListForSearch(list, block, 0, true));
    EXPECT_EQ(block.GetCount(), 2);  // equal weights written differently form one block
    ASSERT_TRUE(TZelmarDuplicateFinder::BuildBlockListForSearch(list, block, 0));
    EXPECT_EQ(block.GetCount(), 1);
    EXPECT_FALSE(TZelmarDuplicateFinder::BuildBlockListForSearch(list, block, 4));
    EXPECT_FALSE(TZelmarDuplicateFinder::BuildBlockListForSearch(list, block, -1));

    TZelmarRecordRefs removed;
    ASSERT_TRUE(TZelmarDuplicateFinder::DeleteBlocksFromListTilPrecheck(list, "9", &removed, true));
    EXPECT_EQ(removed.GetCount(), 3);  // 1.5, 1.50, 2 < 9 as numbers (not as texts)
    EXPECT_EQ(list.GetText(0), "10");
}

TEST(Mixing, SetOperationsOverTwoSheets) {
    TZelmarSDFileDataList left(nullptr), right(nullptr), empty(nullptr);
    AddRecord(left, kBenzene, "L benzene");
    AddRecord(left, kBenzene2, "L benzene 2");
    AddRecord(left, kFulvene, "L fulvene");
    AddRecord(left, kEthanol, "L ethanol");
    AddRecord(left, MolBlock("m", {"C"}), "L methane")->Selected = false;
    AddRecord(right, kBenzene, "R benzene");
    AddRecord(right, MolBlock("m", {"C"}), "R methane");
    AddRecord(right, kEther, "R ether");
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    TZelmarWindowHelper helper;

    TZelmarSDFileDataList target(nullptr);
    ASSERT_TRUE(helper.IntersectData(&left, &right, &chem, &target));
    EXPECT_EQ(Ids(target), (std::vector<std::string>{"L benzene", "R benzene", "L benzene 2"}));

    ASSERT_TRUE(helper.SubtractData(&left, &right, &chem, &target));
    std::vector<std::string> ids = Ids(target);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::string>{"L ethanol", "L fulvene"}));
    ASSERT_TRUE(helper.SubtractData(&right, &left, &chem, &target));
    ids = Ids(target);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::string>{"R ether", "R methane"}));  // unchecked L methane

    ASSERT_TRUE(helper.MergeData(&left, &right, &target));
    EXPECT_EQ(Ids(target),
              (std::vector<std::string>{"L benzene", "L benzene 2", "L fulvene", "L ethanol",
                                        "R benzene", "R methane", "R ether"}));

    ASSERT_TRUE(helper.IntersectData(&left, &left, &chem, &target));
    // Each record from P and from Q; both benzenes of P also as the first one's P partner.
    EXPECT_EQ(target.GetCount(), 8);
    ids = Ids(target);
    for (const char* id : {"L benzene", "L benzene 2", "L fulvene", "L ethanol"})
        EXPECT_GE(std::count(ids.begin(), ids.end(), id), 2) << id;
    ASSERT_TRUE(helper.SubtractData(&left, &left, &chem, &target));
    EXPECT_EQ(target.GetCount(), 0);
    ASSERT_TRUE(helper.SubtractData(&left, &empty, &chem, &target));
    EXPECT_EQ(target.GetCount(), 4);              // every checked record, in key order
    EXPECT_EQ(Ids(target).front(), "L ethanol");  // C2H6O before C6H6 by plain formula

    // Stopped through OnMixProgress: the target keeps what it held.
    int calls = 0;
    target.OnMixProgress = [&calls](TZelmarSDFileDataList*, int, int) { return ++calls < 2; };
    EXPECT_FALSE(helper.IntersectData(&left, &right, &chem, &target));
    calls = 0;
    EXPECT_FALSE(helper.SubtractData(&left, &right, &chem, &target));
    calls = 0;
    EXPECT_FALSE(helper.MergeData(&left, &right, &target));
    EXPECT_EQ(target.GetCount(), 4);
    EXPECT_EQ(Ids(target).front(), "L ethanol");
}

TEST(Duplicates, SearchWhileLoadingPausesTheLoaderAndLoadingFinishesAfterwards) {
    TTempDir dir;
    constexpr int kCount = 6000;
    std::string text;
    for (int i = 0; i < kCount; ++i)
        text += SDRecord(i % 2 ? kEthanol : kBenzene, {{"No", {std::to_string(i % 1000)}}});
    const std::string path = dir.File("big.sdf");
    WriteText(path, text);

    platform::TQueuedUiDispatcher ui;
    bool indexed = false;
    TZelmarSDFileDataList list(&ui, nullptr, nullptr, nullptr, nullptr,
                               [&indexed](TZelmarSDFileDataList*) { indexed = true; });
    ASSERT_TRUE(list.LoadFile(path));
    ASSERT_TRUE(PumpUntil(ui, [&] { return indexed; }));
    ASSERT_EQ(list.GetCount(), kCount);
    const bool loading = !list.GetAllLoaded();
    EXPECT_TRUE(loading) << "loaded too fast to test the pause";

    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    if (loading) {
        // Stopped while the loader is paused and the keys are gathered: not done, and no
        // groups pretend to be the answer.
        list.OnSearchProgress = [](TZelmarSDFileDataList*, int) { return false; };
        TZelmarRecordRefs stopped;
        EXPECT_FALSE(list.SearchForDuplicates(&chem, false, &stopped));
        EXPECT_EQ(stopped.GetCount(), 0);
    }
    std::vector<int> percents;
    list.OnSearchProgress = [&percents](TZelmarSDFileDataList*, int percent) {
        percents.push_back(percent);
        return true;
    };
    const TZelmarField no = Field(ecsdtDataText, "No");
    TZelmarRecordRefs results;
    ASSERT_TRUE(list.SearchForDuplicates(&no, false, &results));
    EXPECT_EQ(results.GetCount(), kCount);  // every value occurs six times
    for (int i = 0; i < kCount; i += 6) {
        const TZelmarField field = Field(ecsdtDataText, "No");
        TZelmarDataCarrier a, b;
        ASSERT_TRUE(results.GetObject(i)->GetDataForField(&field, &a));
        ASSERT_TRUE(results.GetObject(i + 5)->GetDataForField(&field, &b));
        EXPECT_EQ(a.Text(), b.Text());
    }
    if (loading) {
        // Paused: building and walk each report over half the range.
        EXPECT_GT(static_cast<int>(percents.size()), kCount);
        EXPECT_EQ(percents.front(), 0);
        EXPECT_GE(percents.back(), 50);
    }
    ASSERT_TRUE(PumpUntil(ui, [&] { return list.GetLoadFinished(); }));
    EXPECT_EQ(list.GetLoadedCount(), kCount);
}
