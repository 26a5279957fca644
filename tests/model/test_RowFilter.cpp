// Narrowing a sheet in place: what the filter bar's text means, which rows stay, and the rows
// following the sheet through sorting, new, deleted and undone records.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "SheetTestSupport.h"
#include "Zelmar_Numbers.h"

using namespace sheet_support;
using testing_support::MolBlock;

namespace {

std::vector<std::string> ShownIds(TZelmarSDFileDataList& list) {
    std::vector<std::string> ids;
    TZelmarRowFilter& rows = list.Rows();
    for (int row = 0; row < rows.RowCount(); ++row)
        ids.push_back(Id(list.GetSDFileData(rows.ListIndex(row))));
    return ids;
}

struct TFilteredSheet {
    TZelmarSDFileDataList List{nullptr};
    TFilteredSheet() {
        AddRecord(List, MolBlock("m", {"C"}), "methane", {{"name", "Methan"}, {"ic50", "0.5"}});
        AddRecord(List, MolBlock("m", {"C", "C", "O"}), "ethanol",
                  {{"name", "Ethanol"}, {"ic50", "<1"}});
        AddRecord(List, MolBlock("m", {"C", "C", "C", "C", "C", "C", "C", "C"}), "octane",
                  {{"name", "n-Octan"}, {"ic50", "12"}});
        AddRecord(List, MolBlock("m", {"C", "O"}), "methanol",
                  {{"name", "Methanol"}, {"ic50", "2.5"}});
        List.GetSDFileData(3)->Selected = false;  // unchecked records are filtered too
        List.InitFieldNamesFromData();
    }
    TZelmarField* Named(const std::string& name) { return List.GetFieldByName(name); }
};

TZelmarFilterQuery Parsed(const std::string& typed, TZelmarFieldKind kind, bool numbers,
                          char separator = '.') {
    TZelmarFilterQuery query;
    EXPECT_TRUE(ZelmarParseFilterQuery(typed, kind, numbers, separator, query)) << typed;
    return query;
}

}  // namespace

TEST(RowFilter, TypedTextReadsAsNumberComparisonsOrContainedText) {
    TZelmarFilterQuery q = Parsed(" <= 5 ", ecsdtDataText, true);
    EXPECT_EQ(q.Kind, ecsdtMolweight);
    EXPECT_EQ(q.Options, soLessThan);
    EXPECT_GT(q.From, 5.0);  // "below the next number" keeps 5 itself
    q = Parsed(">2,5", ecsdtMolweight, true, ',');
    EXPECT_EQ(q.Options, soGreaterThan);
    EXPECT_DOUBLE_EQ(q.From, 2.5);
    q = Parsed("10..1", ecsdtDataText, true);
    EXPECT_EQ(q.Options, soRange);
    EXPECT_LT(q.From, 1.0);
    EXPECT_GT(q.To, 10.0);
    EXPECT_EQ(Parsed("7", ecsdtDataText, true).Options, soExact);

    // Not a number query: a field of numbers still finds the text, a weight cannot.
    q = Parsed("n.d.", ecsdtDataText, true);
    EXPECT_EQ(q.Kind, ecsdtDataText);
    EXPECT_EQ(q.Options, soContains);
    EXPECT_EQ(Parsed("<5", ecsdtDataText, false).Text, "<5");
    EXPECT_EQ(Parsed("C6", ecsdtFormula, false).Kind, ecsdtFormula);
    TZelmarFilterQuery none;
    EXPECT_FALSE(ZelmarParseFilterQuery("n.d.", ecsdtMolweight, true, '.', none));
    EXPECT_FALSE(ZelmarParseFilterQuery("   ", ecsdtDataText, false, '.', none));
    EXPECT_FALSE(ZelmarParseFilterQuery("C", ecsdtChemistry, false, '.', none));
}

TEST(RowFilter, RowsShowTheMatchingRecordsInListOrderAndEmptyTextShowsAll) {
    TFilteredSheet sheet;
    TZelmarSDFileDataList& list = sheet.List;
    ASSERT_TRUE(list.FilterRows(sheet.Named("name"), "METH"));
    EXPECT_TRUE(list.Rows().Active());
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"methane", "methanol"}));
    EXPECT_EQ(list.Rows().ListIndex(1), 3);
    EXPECT_EQ(list.Rows().ListIndex(2), -1);
    EXPECT_EQ(list.Rows().RowOfListIndex(3), 1);
    EXPECT_EQ(list.Rows().RowOfListIndex(1), -1);  // put aside
    EXPECT_EQ(list.GetCount(), 4);                 // the sheet keeps every record

    // Every text field and the formula, when no field is chosen.
    ASSERT_TRUE(list.FilterRows(nullptr, "c8h"));
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"octane"}));
    ASSERT_TRUE(list.FilterRows(nullptr, "eth"));
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"methane", "ethanol", "methanol"}));

    // A text that is no query for the field changes nothing.
    TZelmarField weight = Field(ecsdtMolweight, "ecsdtMolweight");
    EXPECT_FALSE(list.FilterRows(&weight, "heavy"));
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"methane", "ethanol", "methanol"}));

    ASSERT_TRUE(list.FilterRows(sheet.Named("name"), "  "));
    EXPECT_FALSE(list.Rows().Active());
    EXPECT_EQ(list.Rows().RowCount(), 4);
    EXPECT_EQ(list.Rows().ListIndex(2), 2);
}

TEST(RowFilter, NumbersCompareAsNumbersWithQualifiersAndTheInterfaceSeparator) {
    TFilteredSheet sheet;
    TZelmarSDFileDataList& list = sheet.List;
    TZelmarField* ic50 = sheet.Named("ic50");
    ASSERT_NE(ic50, nullptr);
    ic50->Numeric = true;
    ASSERT_TRUE(list.FilterRows(ic50, "<=2.5"));
    // "<1" is certainly at most 2.5; 12 is not.
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"methane", "ethanol", "methanol"}));
    ASSERT_TRUE(list.FilterRows(ic50, "0.5..12"));
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"methane", "octane", "methanol"}));
    SetDisplayDecimalSeparator(',');
    ASSERT_TRUE(list.FilterRows(ic50, ">2,5"));
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"octane"}));
    TZelmarField weight = Field(ecsdtMolweight, "ecsdtMolweight");
    ASSERT_TRUE(list.FilterRows(&weight, ">= 32,042"));  // methanol's weight itself counts
    SetDisplayDecimalSeparator('.');
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"ethanol", "octane", "methanol"}));
}

TEST(RowFilter, RowsFollowSortingAndNewDeletedAndUndoneRecords) {
    TFilteredSheet sheet;
    TZelmarSDFileDataList& list = sheet.List;
    ASSERT_TRUE(list.FilterRows(sheet.Named("name"), "eth"));
    ASSERT_EQ(ShownIds(list), (std::vector<std::string>{"methane", "ethanol", "methanol"}));

    TZelmarField weight = Field(ecsdtMolweight, "ecsdtMolweight");
    ASSERT_TRUE(list.SortForField(&weight, 2));
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"ethanol", "methanol", "methane"}));

    // A record made while the sheet is narrowed is shown, whatever it holds.
    list.Undo().BeginStep("new");
    AddRecord(list, MolBlock("m", {"N"}), "ammonia");
    list.Undo().EndStep();
    EXPECT_EQ(ShownIds(list),
              (std::vector<std::string>{"ethanol", "methanol", "methane", "ammonia"}));

    list.Undo().BeginStep("delete");
    list.Undo().Remove({list.GetSDFileData(list.Rows().ListIndex(1))});
    list.Undo().EndStep();
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"ethanol", "methane", "ammonia"}));
    ASSERT_TRUE(list.Undo().Undo());
    EXPECT_EQ(ShownIds(list),
              (std::vector<std::string>{"ethanol", "methanol", "methane", "ammonia"}));

    // Octane was put aside all along, and is back in its sorted place.
    list.Rows().Clear();
    EXPECT_EQ(ShownIds(list),
              (std::vector<std::string>{"octane", "ethanol", "methanol", "methane", "ammonia"}));
}

TEST(RowFilter, StructureFilterKeepsTheRecordsHoldingTheSubstructure) {
    TFilteredSheet sheet;
    TZelmarSDFileDataList& list = sheet.List;
    ASSERT_TRUE(list.FilterRowsByStructure(MolBlock("q", {"C", "O"}), soContains, false));
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"ethanol", "methanol"}));
    ASSERT_TRUE(list.FilterRowsByStructure(MolBlock("q", {"C", "O"}), soExact, false));
    EXPECT_EQ(ShownIds(list), (std::vector<std::string>{"methanol"}));
}

// Every field at once finds what the fields one by one find together, also for values of
// several lines, texts outside ASCII and the formula.
TEST(RowFilter, EveryFieldAtOnceFindsWhatEachFieldFinds) {
    TFilteredSheet sheet;
    TZelmarSDFileDataList& list = sheet.List;
    AddRecord(list, MolBlock("m", {"O"}), "water",
              {{"name", "Wasser\nAqua"}, {"note", "Äther-frei"}});
    list.InitFieldNamesFromData();
    TZelmarFieldRefs searchable;
    list.EnumSearchableFields(searchable);
    for (const std::string query : {"AQUA", "eth", "h2o", "äther", "1", "n-oct"}) {
        std::set<std::string> each;
        for (int i = 0; i < searchable.GetCount(); ++i) {
            const TZelmarField* field = searchable.GetObject(i);
            if (field->Kind != ecsdtDataText && field->Kind != ecsdtFormula) continue;
            TZelmarField asText = *field;
            asText.Numeric = false;
            ASSERT_TRUE(list.FilterRows(&asText, query)) << query;
            for (const std::string& id : ShownIds(list)) each.insert(id);
        }
        ASSERT_TRUE(list.FilterRows(nullptr, query)) << query;
        const std::vector<std::string> all = ShownIds(list);
        EXPECT_EQ(std::set<std::string>(all.begin(), all.end()), each) << query;
        EXPECT_FALSE(all.empty()) << query;
    }
}
