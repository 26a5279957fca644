// The sorter and the duplicate finder on their own, over a record access that is not a
// record list: what they ask of it and what they leave when stopped.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SheetTestSupport.h"
#include "Zelmar_Object_DuplicateFinder.h"
#include "Zelmar_Object_Sorter.h"

using namespace sheet_support;

namespace {

class TFakeRecords final : public IZelmarRecordAccess {
public:
    TZelmarSDFileData* Add(const std::string& id,
                           const std::vector<std::pair<std::string, std::string>>& items = {}) {
        Owned.push_back(std::make_unique<TZelmarSDFileData>(false));
        TZelmarSDFileData* record = Owned.back().get();
        Set(record, ecsdtChemistry, "", kEthanol);
        Set(record, ecsdtDataText, "id", id);
        for (const auto& [name, value] : items) Set(record, ecsdtDataText, name, value);
        Rows.push_back(record);
        return record;
    }
    std::vector<std::string> Ids() const {
        std::vector<std::string> ids;
        for (TZelmarSDFileData* record : Rows) ids.push_back(Id(record));
        return ids;
    }

    int RecordCount() override { return static_cast<int>(Rows.size()); }
    void RecordsAt(int first, int count, std::vector<TZelmarSDFileData*>& out) override {
        out.clear();
        for (int k = first; k < first + count; ++k)
            out.push_back(k >= 0 && k < RecordCount() ? Rows[static_cast<std::size_t>(k)]
                                                      : nullptr);
    }
    void ReorderRecords(const std::vector<int>& order) override {
        ++Reorders;
        std::vector<TZelmarSDFileData*> sorted;
        for (const int from : order) sorted.push_back(Rows[static_cast<std::size_t>(from)]);
        for (std::size_t k = order.size(); k < Rows.size(); ++k) sorted.push_back(Rows[k]);
        Rows = sorted;
    }
    bool SortProgress(int) override { return ++SortCalls != StopAt; }
    bool SearchProgress(int) override { return ++SearchCalls != StopAt; }

    std::vector<std::unique_ptr<TZelmarSDFileData>> Owned;
    std::vector<TZelmarSDFileData*> Rows;
    int Reorders = 0;
    int SortCalls = 0;
    int SearchCalls = 0;
    int StopAt = -1;
};

}  // namespace

TEST(Sorter, SortsAnyRecordAccessWithOneReorderAndNoneWhenStopped) {
    TFakeRecords records;
    records.Add("1", {{"name", "pear"}});
    records.Add("2", {{"name", "apple"}});
    records.Add("3");
    records.Add("4", {{"name", "fig"}});
    TZelmarStructureKeyMaker keys;
    TZelmarSorter sorter(records, keys);
    const TZelmarField name = Field(ecsdtDataText, "name");

    records.StopAt = 2;
    EXPECT_FALSE(sorter.Sort(&name, false));
    EXPECT_EQ(records.Reorders, 0);
    EXPECT_EQ(records.Ids(), (std::vector<std::string>{"1", "2", "3", "4"}));

    records.StopAt = -1;
    ASSERT_TRUE(sorter.Sort(&name, false));
    EXPECT_EQ(records.Reorders, 1);
    EXPECT_EQ(records.Ids(), (std::vector<std::string>{"3", "2", "4", "1"}));
    ASSERT_TRUE(sorter.Sort(&name, true));
    EXPECT_EQ(records.Ids(), (std::vector<std::string>{"1", "4", "2", "3"}));

    const TZelmarField check = Field(ecsdtCheckbox, "ecsdtCheckbox");
    EXPECT_FALSE(sorter.Sort(&check, false));
    EXPECT_FALSE(sorter.Sort(nullptr, false));
    EXPECT_EQ(records.Reorders, 2);
}

TEST(DuplicateFinder, GroupsEqualValuesOfCheckedRecordsOnItsOwn) {
    TFakeRecords records;
    records.Add("a", {{"cas", "64-17-5"}});
    records.Add("b", {{"cas", "50-00-0"}});
    records.Add("c", {{"cas", "64-17-5"}});
    records.Add("d", {{"cas", "50-00-0"}})->Selected = false;  // unchecked: not looked at
    records.Add("e", {{"cas", "7732-18-5"}});
    records.Add("f", {{"cas", "64-17-5"}});
    TZelmarStructureKeyMaker keys;
    TZelmarDuplicateFinder finder(records, keys);
    const TZelmarField cas = Field(ecsdtDataText, "cas");

    TZelmarRecordRefs results;
    ASSERT_TRUE(finder.Find(&cas, false, false, 0, records.RecordCount(), &results));
    EXPECT_EQ(Ids(results), (std::vector<std::string>{"a", "c", "f"}));
    EXPECT_EQ(records.Reorders, 0);  // the sheet's order is not the finder's to change

    // The precheck on its own: every checked record, by key, equal keys in sheet order.
    TZelmarRecordRefs precheck;
    ASSERT_TRUE(finder.Precheck(&precheck, &cas, -1, nullptr));
    EXPECT_EQ(Ids(precheck), (std::vector<std::string>{"b", "a", "c", "f", "e"}));

    records.StopAt = records.SearchCalls + 1;
    TZelmarRecordRefs stopped;
    EXPECT_FALSE(finder.Find(&cas, false, false, 0, records.RecordCount(), &stopped));
    EXPECT_FALSE(finder.Find(nullptr, false, false, 0, 1, &stopped));
}

TEST(Sorter, TextsThatShareTheirFirstBytesAreOrderedByTheWholeText) {
    TFakeRecords records;
    // Rows of one leading eight bytes (and a value of exactly eight) are told apart only by
    // their tails; equal texts keep their row order.
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"1", "compound-17"}, {"2", "compound"},    {"3", "compound-2"}, {"4", "compound-17"},
        {"5", "compoun"},     {"6", "compound-17"}, {"7", ""},           {"8", "compound-2"},
        {"9", "compound-1"},  {"10", "zz"},         {"11", "compound"}};
    for (const auto& [id, name] : rows) records.Add(id, {{"name", name}});
    TZelmarStructureKeyMaker keys;
    TZelmarSorter sorter(records, keys);
    const TZelmarField name = Field(ecsdtDataText, "name");
    ASSERT_TRUE(sorter.Sort(&name, false));
    EXPECT_EQ(records.Ids(),
              (std::vector<std::string>{"7", "5", "2", "11", "9", "1", "4", "6", "3", "8", "10"}));
    ASSERT_TRUE(sorter.Sort(&name, true));
    EXPECT_EQ(records.Ids(),
              (std::vector<std::string>{"10", "3", "8", "1", "4", "6", "9", "2", "11", "5", "7"}));
}
