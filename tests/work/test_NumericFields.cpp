// Data fields that hold numbers, on a made file loaded as a sheet loads it: which fields
// become numeric, how they sort, search and group, and that their texts are saved unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LoadingTestSupport.h"
#include "Zelmar_Collation.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SearchEngine.h"
#include "Zelmar_Object_Sorter.h"

using namespace loading_support;

namespace {

// Columns: ACT (qualified activities, blanks, "n/a", missing values), LOGP (decimal commas
// only), MIXED (points and one comma: the comma value is no number), ID (names with numbers),
// FEW (19 numbers and 2 words: just under 95 %). ACT has 19 numbers of 20 values: 95 %.
struct TRow {
    std::string Act, LogP, Mixed, Id, Few;
};

std::vector<TRow> Rows() {
    std::vector<TRow> rows = {
        {"10", "1,5", "2.5", "CHEMBL10", "1"},      {">10", "-0,25", "1,5", "CHEMBL9", "2"},
        {"<0.5", "3", "7", "chembl2", "3"},         {"2E-4", "1,50", "-1", "Aceton", "4"},
        {"1.50", "", "8", "CHEMBL009", "5"},        {"", "2", "3", "Äther", "6"},
        {"n/a", "7,1", "4", "Zucker", "7"},         {"~3", "0", "5", "ether", "8"},
        {">= 10", "1", "6", "CHEMBL100", "9"},      {".5", "2", "9", "CHEMBL1", "10"},
        {"1.5", "5", "10", "b", "11"},              {"<=0.5", "6", "11", "a", "12"},
        {"+3", "8", "12", "c", "13"},               {"-3", "9", "13", "d", "14"},
        {"1e1", "1", "14", "e", "15"},              {"5", "4", "15", "f", "16"},
        {"6", "3", "16", "g", "17"},                {"7", "2", "17", "h", "18"},
        {"8", "1", "18", "i", "word"},              {"9", "0", "19", "j", "word"},
        {"20", "1", "20", "k", "19"},
    };
    return rows;
}

class NumericFields : public ::testing::Test {
protected:
    void SetUp() override {
        std::string text;
        int n = 0;
        for (const TRow& row : Rows()) {
            TItems items = {{"N", {std::to_string(n++)}}};
            const std::pair<const char*, const std::string*> values[] = {
                {"ACT", &row.Act}, {"LOGP", &row.LogP}, {"MIXED", &row.Mixed},
                {"ID", &row.Id},   {"FEW", &row.Few}};
            for (const auto& [name, value] : values)
                // An empty text is no item at all for ACT, an empty line for the others.
                if (!(value->empty() && std::string(name) == "ACT")) items.push_back({name, {*value}});
            text += SDRecord(MolBlock("m", {"C", "O"}), items);
        }
        File = Dir.File("numbers.sdf");
        WriteText(File, text);
        ASSERT_TRUE(Sheet.Load(File));
    }

    TZelmarField* Field(const char* name) { return Sheet.List->GetFieldByName(name); }

    std::string Value(int row, const char* name) {
        TZelmarDataCarrier carrier;
        TZelmarSDFileData* record = Sheet.List->GetSDFileData(row);
        return record->GetDataForField(Field(name), &carrier) ? carrier.Text() : "";
    }

    // The field's values from top to bottom after sorting by it.
    std::vector<std::string> Sorted(const char* name, bool descending) {
        EXPECT_TRUE(Sheet.List->SortForField(Field(name), descending ? 2 : 1));
        std::vector<std::string> values;
        for (int row = 0; row < Sheet.List->GetCount(); ++row) values.push_back(Value(row, name));
        return values;
    }

    std::vector<std::string> Found(const char* name, double bound, int options,
                                   double upper = 0) {
        TZelmarDataCarrier query;
        query.SetKind(ecsdtMolweight);
        query.SetValueFrom(bound);
        query.SetValueTo(upper);
        TZelmarRecordRefs hits;
        EXPECT_TRUE(Sheet.List->SearchDataForField(Field(name), &query, false, &hits, false,
                                                   options));
        std::vector<std::string> values;
        for (const auto& hit : hits) {
            TZelmarDataCarrier carrier;
            hit.Object->GetDataForField(Field(name), &carrier);
            values.push_back(carrier.Text());
        }
        return values;
    }

    TTempDir Dir;
    std::string File;
    TSheet Sheet;
};

}  // namespace

TEST(QualifiedNumbers, ReadAsWrittenInFiles) {
    TZelmarQualifiedNumber n;
    ASSERT_TRUE(ParseQualifiedNumber(" >= 10 ", n));
    EXPECT_EQ(n.Value, 10);
    EXPECT_EQ(n.Qualifier, TZelmarQualifier::GreaterEqual);
    ASSERT_TRUE(ParseQualifiedNumber("~3", n));
    EXPECT_EQ(n.Qualifier, TZelmarQualifier::None);
    ASSERT_TRUE(ParseQualifiedNumber("+2E-4", n));
    EXPECT_DOUBLE_EQ(n.Value, 2E-4);
    ASSERT_TRUE(ParseQualifiedNumber("1,5", n, ','));
    EXPECT_EQ(n.Value, 1.5);
    for (const char* text : {"", "n/a", "inf", "nan", "0x1A", "1,5", "+-3", "1 5", "<>3", "1.2.3"})
        EXPECT_FALSE(ParseQualifiedNumber(text, n)) << text;
    EXPECT_EQ(QualifiedNumberKey({1.5, TZelmarQualifier::None}), "1.5");
    EXPECT_EQ(QualifiedNumberKey({-0.0, TZelmarQualifier::Less}), "<0");
}

TEST(QualifiedNumbers, NaturalOrderComparesDigitRunsByValue) {
    const auto less = [](const char* a, const char* b) {
        return TZelmarSorter::CompareNaturalKeys(a, b) < 0;
    };
    EXPECT_TRUE(less("CHEMBL9", "CHEMBL10"));
    EXPECT_TRUE(less("CHEMBL10", "CHEMBL100"));
    EXPECT_TRUE(less("a2b", "a10a"));
    EXPECT_TRUE(less("x", "xy"));
    // The same value written with leading zeros: ordered, never equal.
    EXPECT_NE(TZelmarSorter::CompareNaturalKeys("CHEMBL009", "CHEMBL9"), 0);
    EXPECT_EQ(TZelmarSorter::CompareNaturalKeys("CHEMBL9", "CHEMBL9"), 0);
}

TEST_F(NumericFields, KindsFollowTheValuesRead) {
    EXPECT_TRUE(Field("ACT")->IsNumericData());
    EXPECT_EQ(Field("ACT")->DecimalSeparator, '.');
    EXPECT_TRUE(Field("LOGP")->IsNumericData());
    EXPECT_EQ(Field("LOGP")->DecimalSeparator, ',');
    EXPECT_TRUE(Field("MIXED")->Numeric);  // 20 of 21: the comma value is no number
    EXPECT_EQ(Field("MIXED")->DecimalSeparator, '.');
    EXPECT_FALSE(Field("ID")->Numeric);
    EXPECT_FALSE(Field("FEW")->Numeric);  // 90 %
    EXPECT_TRUE(Field("N")->Numeric);
    // A kind the user chose stays when the file's kinds are decided again.
    Field("ID")->Numeric = true;
    Field("ID")->KindChosen = true;
    Field("N")->Numeric = false;
    Field("N")->KindChosen = true;
    Sheet.List->DetectFieldKinds();
    EXPECT_TRUE(Field("ID")->Numeric);
    EXPECT_FALSE(Field("N")->Numeric);
}

TEST_F(NumericFields, NumbersSortByValueQualifiersBreakTiesTextsAndEmptiesLast) {
    const std::vector<std::string> up = {"-3", "2E-4", "<0.5", "<=0.5", ".5", "1.50", "1.5",
                                         "~3", "+3", "5", "6", "7", "8", "9", "10", "1e1",
                                         ">= 10", ">10", "20", "n/a", ""};
    EXPECT_EQ(Sorted("ACT", false), up);
    const std::vector<std::string> down = {"20", ">10", ">= 10", "10", "1e1", "9", "8", "7",
                                           "6", "5", "~3", "+3", "1.50", "1.5", ".5", "<=0.5",
                                           "<0.5", "2E-4", "-3", "n/a", ""};
    EXPECT_EQ(Sorted("ACT", true), down);
    const std::vector<std::string> commas = Sorted("LOGP", false);
    EXPECT_EQ(commas.front(), "-0,25");
    EXPECT_EQ(commas[1], "0");
    EXPECT_EQ(commas.back(), "");
    // MIXED: "1,5" is no number in a column of points, so it follows every number.
    EXPECT_EQ(Sorted("MIXED", false).back(), "1,5");
}

TEST_F(NumericFields, NaturalOrderOnATextField) {
    Field("ID")->NaturalOrder = true;
    const std::vector<std::string> ids = Sorted("ID", false);
    const auto at = [&ids](const char* id) {
        return std::find(ids.begin(), ids.end(), id) - ids.begin();
    };
    EXPECT_LT(at("CHEMBL1"), at("CHEMBL9"));
    EXPECT_LT(at("CHEMBL9"), at("CHEMBL10"));
    EXPECT_LT(at("CHEMBL10"), at("CHEMBL100"));
}

TEST_F(NumericFields, NumberSearchesRespectQualifiers) {
    const auto sorted = [](std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    EXPECT_EQ(sorted(Found("ACT", 9, soGreaterThan)),
              sorted({"10", ">10", ">= 10", "1e1", "20"}));
    // "<=0.5" is not certainly below 0.5, "<0.5" is; both are below 0.6.
    EXPECT_EQ(sorted(Found("ACT", 0.5, soLessThan)), sorted({"2E-4", "<0.5", "-3"}));
    EXPECT_EQ(sorted(Found("ACT", 0.6, soLessThan)),
              sorted({"2E-4", "<0.5", "<=0.5", ".5", "-3"}));
    EXPECT_EQ(sorted(Found("ACT", 10, 0)), sorted({"10", "1e1"}));
    // A range holds no value that is open to one side.
    EXPECT_EQ(sorted(Found("ACT", 0.4, soRange, 1.6)), sorted({".5", "1.50", "1.5"}));
    EXPECT_EQ(sorted(Found("LOGP", 1.5, 0)), sorted({"1,5", "1,50"}));
}

TEST_F(NumericFields, DuplicatesCompareNumbersAndTheFileKeepsItsTexts) {
    TZelmarRecordRefs groups;
    ASSERT_TRUE(Sheet.List->SearchForDuplicates(Field("ACT"), false, &groups));
    std::vector<std::string> grouped;
    for (const auto& item : groups) {
        TZelmarDataCarrier carrier;
        item.Object->GetDataForField(Field("ACT"), &carrier);
        grouped.push_back(item.Text + ":" + carrier.Text());
    }
    // 1.50 and 1.5 are one number, 10 and 1e1 another, ~3 and +3 a third; ">10" and
    // ">= 10" are neither 10 nor each other.
    std::sort(grouped.begin(), grouped.end());
    std::vector<std::string> values;
    for (const std::string& g : grouped) values.push_back(g.substr(g.find(':') + 1));
    std::sort(values.begin(), values.end());
    std::vector<std::string> expectedValues = {"1.50", "1.5", "~3", "+3", "10", "1e1"};
    std::sort(expectedValues.begin(), expectedValues.end());
    EXPECT_EQ(values, expectedValues);
    EXPECT_EQ(groups.GetText(0), groups.GetText(1));

    ASSERT_TRUE(Sheet.List->SortForField(Field("ACT"), 1));
    const std::string saved = Dir.File("saved.sdf");
    ASSERT_TRUE(Sheet.List->SaveFile(saved));
    TSheet again;
    ASSERT_TRUE(again.Load(saved));
    ASSERT_EQ(again.List->GetCount(), 21);
    for (int row = 0; row < 21; ++row)
        EXPECT_EQ(Content(again.List->GetSDFileData(row)),
                  Content(Sheet.List->GetSDFileData(row)));
    EXPECT_EQ(ReadText(saved).size(), ReadText(File).size());
}

// Under the C locale texts sort by the interface language's collation, not by their bytes;
// without a language they stay in byte order.
TEST(Collation, TheCLocaleSortsByTheInterfaceLanguage) {
    const std::vector<std::string> names = {"Zucker", "aceton", "\xc3\x84ther", "Benzol",
                                            "acetaldehyde", "\xc4ther"};  // the last in cp1252
    const auto sorted = [&names] {
        std::vector<std::string> order = names;
        std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
            return TZelmarSorter::CompareStringKeys(a, b) < 0;
        });
        return order;
    };
    SetCollationLanguage("");
    EXPECT_EQ(sorted().front(), "Benzol");
    SetCollationLanguage("DE");
    const std::vector<std::string> german = sorted();
    SetCollationLanguage("");
    ASSERT_EQ(german.size(), 6u);
    EXPECT_EQ(german[0], "acetaldehyde");
    EXPECT_EQ(german[1], "aceton");
    // Äther, shown alike from UTF-8 and Windows-1252 bytes, sits after the A's, before B.
    EXPECT_EQ(german[2].substr(german[2].size() - 4), "ther");
    EXPECT_EQ(german[3].substr(german[3].size() - 4), "ther");
    EXPECT_EQ(german[4], "Benzol");
    EXPECT_EQ(german[5], "Zucker");

    // Natural order reads the words between the numbers the same way.
    SetCollationLanguage("DE");
    EXPECT_LT(TZelmarSorter::CompareNaturalKeys("\xc3\x84ther 10", "Zucker 2"), 0);
    EXPECT_LT(TZelmarSorter::CompareNaturalKeys("aceton 9", "Aceton 10"), 0);
    EXPECT_LT(TZelmarSorter::CompareNaturalKeys("Aceton 2", "aceton 10"), 0);
    SetCollationLanguage("");
    EXPECT_GT(TZelmarSorter::CompareNaturalKeys("\xc3\x84ther 10", "Zucker 2"), 0);
}
