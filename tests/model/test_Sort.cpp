// Sorting a sheet: key kinds, direction toggling, cancelling, the molecule sort's gathering of
// identical structures, and the comparison procedures being total orders.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "SheetTestSupport.h"

using namespace sheet_support;
using testing_support::MolBlock;

namespace {

struct TSortedSheet {
    TZelmarSDFileDataList List{nullptr};
    std::vector<std::string> Events;
    TSortedSheet() {
        List.OnStartSort = [this](TZelmarSDFileDataList*) { Events.push_back("start"); };
        List.OnEndSort = [this](TZelmarSDFileDataList*) { Events.push_back("end"); };
    }
};

// Records named "ethanol n" and "ether n" stand in unbroken runs.
bool GroupsAdjacent(const std::vector<std::string>& ids) {
    std::string runs;
    for (const auto& id : ids) {
        const char kind = id.rfind("ethanol", 0) == 0 ? 'a' : id.rfind("ether", 0) == 0 ? 'e' : 'x';
        if (runs.empty() || runs.back() != kind) runs += kind;
    }
    return std::count(runs.begin(), runs.end(), 'a') == 1 &&
           std::count(runs.begin(), runs.end(), 'e') == 1;
}

// Ten heavy atoms in a chain, carbon but an O at o and an N at n: all C8H19NO, and the chain
// read backwards (9 - o, 9 - n) is the same molecule.
std::string Chain(int o, int n) {
    std::vector<std::string> atoms(10, "C");
    atoms[static_cast<std::size_t>(o)] = "O";
    atoms[static_cast<std::size_t>(n)] = "N";
    return MolBlock("chain", atoms);
}

std::string ChainId(int o, int n) {
    return std::to_string(o) + "-" + std::to_string(n);
}

}  // namespace

TEST(Sort, IsomersOfOneFormulaFormGroupsInTheOrderOfTheirFirstRecord) {
    TSortedSheet sheet;
    std::vector<std::pair<int, int>> drawings;
    for (int o = 0; o < 10; ++o)
        for (int n = 0; n < 10; ++n)
            if (o != n) drawings.emplace_back(o, n);
    std::mt19937 random(5);
    std::shuffle(drawings.begin(), drawings.end(), random);
    for (const auto& [o, n] : drawings) AddRecord(sheet.List, Chain(o, n), ChainId(o, n));
    AddRecord(sheet.List, MolBlock("m", {}), "empty");
    AddRecord(sheet.List, "not a molecule\n", "garbage");
    AddRecord(sheet.List, MolBlock("m", {}), "empty 2");
    // What the sheet's order should become: twins together, pairs by first appearance.
    std::vector<std::string> expected;
    for (const auto& [o, n] : drawings) {
        const std::string id = ChainId(o, n), twin = ChainId(9 - o, 9 - n);
        if (std::find(expected.begin(), expected.end(), id) != expected.end()) continue;
        expected.push_back(id);
        expected.push_back(twin);
    }
    TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    ASSERT_TRUE(sheet.List.SortForField(&chem, 1));
    std::vector<std::string> ids = Ids(sheet.List);
    ASSERT_EQ(ids.size(), 93u);
    // No atoms, no formula: first; the two empty molecules as neighbours.
    const std::vector<std::string> front(ids.begin(), ids.begin() + 3);
    EXPECT_TRUE(front == (std::vector<std::string>{"empty", "empty 2", "garbage"}) ||
                front == (std::vector<std::string>{"garbage", "empty", "empty 2"}))
        << ::testing::PrintToString(front);
    EXPECT_EQ(std::vector<std::string>(ids.begin() + 3, ids.end()), expected);

    // Sorted again: the kept keys, none made anew, and the same order.
    const std::int64_t made = sheet.List.StructureKeysMade();
    EXPECT_GE(made, 90);
    ASSERT_TRUE(sheet.List.SortForField(&chem, 1));
    EXPECT_EQ(Ids(sheet.List), ids);
    EXPECT_EQ(sheet.List.StructureKeysMade(), made);
}

TEST(Sort, MoleculeSortStoppedWhileMakingKeysKeepsTheFormulaOrder) {
    TSortedSheet sheet;
    for (int i = 0; i < 300; ++i)
        AddRecord(sheet.List, Chain(i % 10, (i / 10) % 9 + ((i / 10) % 9 >= i % 10)),
                  std::to_string(i));
    AddRecord(sheet.List, MolBlock("m", {"C"}), "methane");
    TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    int calls = 0;
    std::vector<int> percents;
    sheet.List.OnSearchProgress = [&](TZelmarSDFileDataList*, int percent) {
        percents.push_back(percent);
        return ++calls < 3;
    };
    EXPECT_FALSE(sheet.List.SortForField(&chem, 1));
    EXPECT_EQ(calls, 3);
    EXPECT_GE(percents.front(), 50);  // the second half of the sort
    std::vector<std::string> ids = Ids(sheet.List);
    EXPECT_EQ(ids.front(), "methane");
    ids.erase(ids.begin());
    for (int i = 0; i < 300; ++i) EXPECT_EQ(ids[static_cast<std::size_t>(i)], std::to_string(i));
    EXPECT_EQ(sheet.List.SortField, nullptr);
}

TEST(Sort, DirectionToggleMissingItemsFirstAndRefusedCheckBox) {
    TSortedSheet sheet;
    AddRecord(sheet.List, kEthanol, "b", {{"name", "Beta"}});
    AddRecord(sheet.List, kEthanol, "none");
    AddRecord(sheet.List, kEthanol, "a", {{"name", "alpha"}});
    AddRecord(sheet.List, kEthanol, "c", {{"name", "Gamma"}});
    TZelmarField name = Field(ecsdtDataText, "name");
    TZelmarField id = Field(ecsdtDataText, "id");
    TZelmarField check = Field(ecsdtCheckbox, "ecsdtCheckbox");

    ASSERT_TRUE(sheet.List.SortForField(&name, 0));
    // C locale: byte order, upper case first; the record without the item comes first.
    EXPECT_EQ(Ids(sheet.List), (std::vector<std::string>{"none", "b", "c", "a"}));
    EXPECT_EQ(sheet.List.SortDirection, 1);
    ASSERT_TRUE(sheet.List.SortForField(&name, 0));
    EXPECT_EQ(Ids(sheet.List), (std::vector<std::string>{"a", "c", "b", "none"}));
    EXPECT_EQ(sheet.List.SortDirection, 2);
    ASSERT_TRUE(sheet.List.SortForField(&id, 0));  // another column: ascending
    EXPECT_EQ(Ids(sheet.List), (std::vector<std::string>{"a", "b", "c", "none"}));
    EXPECT_EQ(sheet.List.SortField, &id);
    ASSERT_TRUE(sheet.List.SortForField(&name, 2));  // explicit descending on a new field
    EXPECT_EQ(Ids(sheet.List), (std::vector<std::string>{"a", "c", "b", "none"}));
    EXPECT_EQ(sheet.Events.size(), 8u);

    sheet.Events.clear();
    EXPECT_FALSE(sheet.List.SortForField(&check, 0));
    EXPECT_FALSE(sheet.List.SortForField(nullptr, 0));
    EXPECT_TRUE(sheet.Events.empty());
    EXPECT_EQ(sheet.List.SortField, &name);
    EXPECT_EQ(sheet.List.SortDirection, 2);
    EXPECT_EQ(Ids(sheet.List), (std::vector<std::string>{"a", "c", "b", "none"}));
}

TEST(Sort, WeightsSortNumericallyAndFormulasByKey) {
    TSortedSheet sheet;
    AddRecord(sheet.List, MolBlock("m", {"C", "C", "C", "C", "C", "C", "C", "C"}), "octane");
    AddRecord(sheet.List, MolBlock("m", {"C"}), "methane");
    AddRecord(sheet.List, MolBlock("m", {"Cl"}), "hcl");
    TZelmarField weight = Field(ecsdtMolweight, "ecsdtMolweight");
    ASSERT_TRUE(sheet.List.SortForField(&weight, 1));
    // As texts 114.2 < 16.04 < 36.46; as numbers the other way round.
    EXPECT_EQ(Ids(sheet.List), (std::vector<std::string>{"methane", "hcl", "octane"}));

    TSortedSheet formulas;
    AddRecord(formulas.List, MolBlock("m", {"C"}), "CH4");
    AddRecord(formulas.List, MolBlock("m", {"C", "C"}), "C2H6");
    AddRecord(formulas.List, MolBlock("m", {"O"}), "H2O");
    AddRecord(formulas.List, StarBlock("C", {"Cl", "Cl", "Cl", "Cl"}), "CCl4");
    TZelmarField formula = Field(ecsdtFormula, "ecsdtFormula");
    ASSERT_TRUE(formulas.List.SortForField(&formula, 0));
    EXPECT_EQ(Ids(formulas.List), (std::vector<std::string>{"CCl4", "CH4", "C2H6", "H2O"}));
    EXPECT_EQ(formulas.List.GetSDFileData(0)->GetFormulaSortKey(), "C0000Cl0004");
}

TEST(Sort, CancelKeepsOrderAndStateAndStillEnds) {
    TSortedSheet sheet;
    for (const char* id : {"c", "a", "b", "d"}) AddRecord(sheet.List, kEthanol, id);
    TZelmarField id = Field(ecsdtDataText, "id");
    int calls = 0;
    sheet.List.OnSortProgress = [&calls](TZelmarSDFileDataList*, int) { return ++calls < 3; };
    EXPECT_FALSE(sheet.List.SortForField(&id, 1));
    EXPECT_EQ(Ids(sheet.List), (std::vector<std::string>{"c", "a", "b", "d"}));
    EXPECT_EQ(sheet.List.SortDirection, 0);
    EXPECT_EQ(sheet.List.SortField, nullptr);
    EXPECT_EQ(sheet.Events, (std::vector<std::string>{"start", "end"}));

    // A molecule sort stopped in its second half keeps the formula order of its first half.
    TSortedSheet mols;
    AddRecord(mols.List, kEthanol, "ethanol");
    AddRecord(mols.List, MolBlock("m", {"C"}), "methane");
    AddRecord(mols.List, kEthanol, "ethanol 2");
    TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    mols.List.OnSearchProgress = [](TZelmarSDFileDataList*, int) { return false; };
    EXPECT_FALSE(mols.List.SortForField(&chem, 0));
    EXPECT_EQ(Ids(mols.List).front(), "methane");
    EXPECT_EQ(mols.List.SortField, nullptr);
    EXPECT_EQ(mols.Events, (std::vector<std::string>{"start", "end"}));
}

TEST(Sort, MoleculeSortMakesIdenticalStructuresNeighbours) {
    TSortedSheet sheet;
    AddRecord(sheet.List, kEthanol, "ethanol 1");
    AddRecord(sheet.List, kEther, "ether 1");
    AddRecord(sheet.List, MolBlock("m", {"C"}), "methane");
    AddRecord(sheet.List, kEther, "ether 2");
    AddRecord(sheet.List, kEthanol, "ethanol 2");
    AddRecord(sheet.List, kEthanol, "ethanol 3");
    TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    ASSERT_TRUE(sheet.List.SortForField(&chem, 0));
    const std::vector<std::string> ids = Ids(sheet.List);
    ASSERT_EQ(ids.size(), 6u);
    EXPECT_EQ(ids[0], "methane");  // CH4 before C2H6O by formula key
    EXPECT_TRUE(GroupsAdjacent(ids)) << ::testing::PrintToString(ids);
    // Descending: methane last and the groups kept.
    ASSERT_TRUE(sheet.List.SortForField(&chem, 0));
    const std::vector<std::string> descending = Ids(sheet.List);
    EXPECT_EQ(descending.back(), "methane");
    EXPECT_TRUE(GroupsAdjacent(descending)) << ::testing::PrintToString(descending);
}

TEST(Sort, ComparisonsAreTotalOrdersAndEqualWeightsStayTogether) {
    TZelmarRecordRefs list;
    for (const char* text : {"1.5", "1.50", "1.5", "2", "0.5", "1.500", "x", "10"})
        list.AddObject(text, nullptr);
    EXPECT_EQ(TZelmarSorter::FloatSortProc(list, 0, 1), 0);  // equal value, other text
    EXPECT_EQ(TZelmarSorter::FloatSortProc(list, 1, 0), 0);
    EXPECT_EQ(TZelmarSorter::FloatSortProc(list, 3, 7), -1);  // 2 < 10, unlike texts
    EXPECT_EQ(TZelmarSorter::FloatSortProc(list, 6, 4), -1);  // "x" counts as 0
    EXPECT_EQ(TZelmarSorter::FloatSortProc(list, 0, 99), 0);
    EXPECT_EQ(TZelmarSorter::StringSortProc(list, 0, 1), -1);
    EXPECT_EQ(TZelmarSorter::StringSortProc(list, 0, 2), 0);
    EXPECT_EQ(TZelmarSorter::StringSortProc(list, -1, 2), 0);

    // Sorting many equal values written differently must neither crash nor split them.
    std::vector<std::string> keys;
    std::mt19937 random(7);
    const char* writings[] = {"1.5", "1.50", "1.500", "2", "0.5", "2.0"};
    for (int i = 0; i < 5000; ++i) keys.push_back(writings[random() % 6]);
    std::sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
        return TZelmarSorter::CompareFloatKeys(a, b) < 0;
    });
    std::vector<double> values;
    for (const auto& key : keys) values.push_back(std::stod(key));
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
}

TEST(Sort, MoveObjectsToPosMovesInTheGivenOrder) {
    TZelmarSDFileDataList list(nullptr);
    for (const char* id : {"0", "1", "2", "3", "4", "5"}) AddRecord(list, kEthanol, id);
    TZelmarStringList<TZelmarSDFileData> refs;
    for (int i = 0; i < list.GetCount(); ++i) refs.AddObject("", list.GetSDFileData(i));
    ASSERT_TRUE(TZelmarSorter::MoveObjectsToPos(refs, {4, 2}, 1));
    std::vector<std::string> ids;
    for (const auto& item : refs) ids.push_back(Id(item.Object));
    EXPECT_EQ(ids, (std::vector<std::string>{"0", "4", "2", "1", "3", "5"}));
    ASSERT_TRUE(TZelmarSorter::MoveObjectsToPos(refs, {0}, 5));
    EXPECT_EQ(Id(refs.GetObject(5)), "0");
    EXPECT_FALSE(TZelmarSorter::MoveObjectsToPos(refs, {1, 1}, 0));  // a position twice
    EXPECT_FALSE(TZelmarSorter::MoveObjectsToPos(refs, {0, 1}, 5));  // beyond the end
    EXPECT_EQ(refs.GetCount(), 6);
}

namespace {

// The ids in the order a stable sort of the sheet's current rows by the field must give:
// keys read from the records themselves, equal keys in their current order.
std::vector<std::string> StablyExpected(TZelmarSDFileDataList& list, const TZelmarField& field,
                                        bool descending) {
    struct TRow {
        std::string Id, Text;
        double Number = 0.0;
    };
    std::vector<TRow> rows;
    for (int i = 0; i < list.GetCount(); ++i) {
        TZelmarSDFileData* record = list.GetSDFileData(i);
        TZelmarDataCarrier value;
        const bool present = record->GetDataForField(&field, &value);
        // Formulas sort by their element-wise key, not as written.
        std::string text = field.Kind == ecsdtFormula ? record->GetFormulaSortKey()
                           : present                  ? value.Text()
                                                      : std::string();
        rows.push_back({Id(record), std::move(text), present ? value.Value() : 0.0});
    }
    const bool numeric = field.Kind == ecsdtMolweight;
    std::stable_sort(rows.begin(), rows.end(), [&](const TRow& a, const TRow& b) {
        if (numeric) return descending ? a.Number > b.Number : a.Number < b.Number;
        return descending ? a.Text > b.Text : a.Text < b.Text;
    });
    std::vector<std::string> ids;
    for (const auto& row : rows) ids.push_back(row.Id);
    return ids;
}

}  // namespace

TEST(Sort, EqualKeysKeepTheEarlierOrderColumnAfterColumnInBothDirections) {
    TSortedSheet sheet;
    // Few distinct values over many rows, so that every key has long runs of equals; ethanol
    // and its ether isomer weigh the same. Big sheets sort their keys another way than small
    // ones: this one is big.
    const std::string molecules[] = {kEthanol, kEther, MolBlock("m", {"C"}),
                                     StarBlock("C", {"Cl", "Cl", "Cl", "Cl"})};
    std::mt19937 random(11);
    for (int i = 0; i < 5000; ++i)
        AddRecord(sheet.List, molecules[random() % 4], std::to_string(i),
                  // Shelves differ in their eighth byte only, the last one a key word holds.
                  {{"shelf", "shelf-0" + std::string(1, static_cast<char>('a' + random() % 3))},
                   {"box", std::to_string(random() % 5)}});
    const TZelmarField shelf = Field(ecsdtDataText, "shelf");
    const TZelmarField box = Field(ecsdtDataText, "box");
    const TZelmarField weight = Field(ecsdtMolweight, "ecsdtMolweight");
    const TZelmarField formula = Field(ecsdtFormula, "ecsdtFormula");
    struct TStep {
        const TZelmarField* Field;
        bool Descending;
    };
    const TStep steps[] = {{&box, false},  {&shelf, false}, {&box, true},      {&weight, false},
                           {&shelf, true}, {&weight, true}, {&formula, false}, {&formula, true}};
    for (const TStep& step : steps) {
        const std::vector<std::string> expected =
            StablyExpected(sheet.List, *step.Field, step.Descending);
        ASSERT_TRUE(sheet.List.SortForField(const_cast<TZelmarField*>(step.Field),
                                            step.Descending ? 2 : 1));
        EXPECT_EQ(Ids(sheet.List), expected)
            << step.Field->Name << (step.Descending ? " descending" : " ascending");
    }

    // The molecule sort still makes identical structures neighbours, in their earlier order.
    const std::vector<std::string> before = Ids(sheet.List);
    TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    ASSERT_TRUE(sheet.List.SortForField(&chem, 1));
    std::vector<std::string> after = Ids(sheet.List);
    std::vector<std::string> previous;
    for (int i = 0; i < sheet.List.GetCount(); ++i) {
        TZelmarDataCarrier value;
        sheet.List.GetSDFileData(i)->GetDataForField(&chem, &value);
        previous.push_back(value.Text());
    }
    for (std::size_t k = 1; k < after.size(); ++k) {
        if (previous[k] != previous[k - 1]) continue;
        const auto at = [&before](const std::string& id) {
            return std::find(before.begin(), before.end(), id) - before.begin();
        };
        EXPECT_LT(at(after[k - 1]), at(after[k])) << after[k - 1] << " " << after[k];
    }
    std::set<std::string> seen;
    for (std::size_t k = 0; k < previous.size(); ++k) {
        if (k == 0 || previous[k] != previous[k - 1]) {
            EXPECT_TRUE(seen.insert(previous[k]).second) << "structure split at row " << k;
        }
    }
}
