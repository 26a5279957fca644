// Duplicate search of one sheet and the set operations of mixing two sheets: text, formula,
// weight and structure keys, unchecked records, cancelling, and a search while loading.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SheetTestSupport.h"
#include "Zelmar_WindowHelper.h"

using namespace sheet_support;
using namespace testing_support;

namespace {

using TBonds = std::vector<std::vector<int>>;  // {from, to, order}, atoms from 1

std::string Carbons(int count, const TBonds& bonds) {
    char line[128];
    std::snprintf(line, sizeof line, "%3d%3d  0  0  0  0  0  0  0  0999 V2000\n", count,
                  static_cast<int>(bonds.size()));
    std::string block = std::string("m\n  test\n\n") + line;
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "%10.4f%10.4f%10.4f C   0  0  0  0  0  0  0  0  0  0  0  0\n",
                      1.5 * i, 0.3 * (i % 2), 0.0);
        block += line;
    }
    for (const auto& b : bonds) {
        std::snprintf(line, sizeof line, "%3d%3d%3d  0  0  0  0\n", b[0], b[1], b[2]);
        block += line;
    }
    return block + "M  END\n";
}

const std::string kBenzene = Carbons(6, {{1, 2, 2}, {2, 3, 1}, {3, 4, 2}, {4, 5, 1}, {5, 6, 2}, {6, 1, 1}});
// The same ring written from another atom and with the other Kekulé form.
const std::string kBenzene2 = Carbons(6, {{1, 2, 1}, {2, 3, 2}, {3, 4, 1}, {4, 5, 2}, {5, 6, 1}, {6, 1, 2}});
const std::string kFulvene = Carbons(6, {{1, 2, 2}, {2, 3, 1}, {3, 4, 2}, {4, 5, 1}, {5, 1, 1}, {5, 6, 2}});

std::vector<std::string> Duplicates(TZelmarSDFileDataList& list, const TZelmarField& field) {
    TZelmarRecordRefs results;
    EXPECT_TRUE(list.SearchForDuplicates(&field, false, &results));
    return Ids(results);
}

}  // namespace

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
    ASSERT_TRUE(TZelmarSDFileDataList::BuildBlockListForSearch(list, block, 0, true));
    EXPECT_EQ(block.GetCount(), 2);  // equal weights written differently form one block
    ASSERT_TRUE(TZelmarSDFileDataList::BuildBlockListForSearch(list, block, 0));
    EXPECT_EQ(block.GetCount(), 1);
    EXPECT_FALSE(TZelmarSDFileDataList::BuildBlockListForSearch(list, block, 4));
    EXPECT_FALSE(TZelmarSDFileDataList::BuildBlockListForSearch(list, block, -1));

    TZelmarRecordRefs removed;
    ASSERT_TRUE(TZelmarSDFileDataList::DeleteBlocksFromListTilPrecheck(list, "9", &removed, true));
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
    EXPECT_EQ(Ids(target), (std::vector<std::string>{"L benzene", "L benzene 2", "L fulvene",
                                                     "L ethanol", "R benzene", "R methane",
                                                     "R ether"}));

    ASSERT_TRUE(helper.IntersectData(&left, &left, &chem, &target));
    // Each record from P and from Q; both benzenes of P also as the first one's P partner.
    EXPECT_EQ(target.GetCount(), 8);
    ids = Ids(target);
    for (const char* id : {"L benzene", "L benzene 2", "L fulvene", "L ethanol"})
        EXPECT_GE(std::count(ids.begin(), ids.end(), id), 2) << id;
    ASSERT_TRUE(helper.SubtractData(&left, &left, &chem, &target));
    EXPECT_EQ(target.GetCount(), 0);
    ASSERT_TRUE(helper.SubtractData(&left, &empty, &chem, &target));
    EXPECT_EQ(target.GetCount(), 4);  // every checked record, in key order
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
