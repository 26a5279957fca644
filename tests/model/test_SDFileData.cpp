// Records and record lists built in memory: values per field kind, the formula sort key,
// fields from data, field edits, copies and saving.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModelTestSupport.h"
#include "Zelmar_Object_SDFileData.h"

using namespace testing_support;

namespace {

TZelmarField Field(TZelmarFieldKind kind, const std::string& name = "Name") {
    TZelmarField field;
    field.Name = name;
    field.Kind = kind;
    return field;
}

TZelmarDataCarrier Text(const std::string& text) {
    TZelmarDataCarrier carrier;
    carrier.SetText(text);
    return carrier;
}

void Set(TZelmarSDFileData* record, TZelmarFieldKind kind, const std::string& name,
         const std::string& text) {
    const TZelmarField field = Field(kind, name);
    const TZelmarDataCarrier value = Text(text);
    record->SetDataForField(&field, &value);
}

// A checked record of a built list: a molecule and one-line data items.
TZelmarSDFileData* AddRecord(TZelmarSDFileDataList& list, const std::vector<std::string>& atoms,
                             const std::vector<std::pair<std::string, std::string>>& items = {}) {
    TZelmarSDFileData* record = list.CreateSDFileData(false);
    Set(record, ecsdtChemistry, "", MolBlock("m", atoms));
    for (const auto& [name, value] : items) Set(record, ecsdtDataText, name, value);
    return record;
}

std::vector<std::string> ItemNames(const TZelmarSDFileData* record) {
    std::vector<std::string> names;
    for (int item = 0; item < record->Texts().DataCount(); ++item)
        names.emplace_back(record->Texts().DataName(item));
    return names;
}

}  // namespace

TEST(SDFileData, DataTextJoinsTrimsSplitsAndTellsEmptyFromCleared) {
    TZelmarSDFileData record(false);
    const TZelmarField name = Field(ecsdtDataText);
    TZelmarDataCarrier read;
    EXPECT_FALSE(record.GetDataForField(&name, &read));
    EXPECT_TRUE(read.Empty());

    Set(&record, ecsdtDataText, "Name", "  first\r\nsecond\nthird\rfourth\r\n");
    const TZelmarRecordTexts& texts = record.Texts();
    EXPECT_EQ(texts.DataLines(texts.FindData("Name")),
              (std::vector<std::string>{"  first", "second", "third", "fourth"}));
    ASSERT_TRUE(record.GetDataForField(&name, &read));
    EXPECT_EQ(read.Kind(), ecsdtDataText);
    EXPECT_EQ(read.Text(), "first\r\nsecond\r\nthird\r\nfourth");
    const TZelmarField lower = Field(ecsdtDataText, "name");
    EXPECT_FALSE(record.GetDataForField(&lower, &read));

    // An empty text keeps the item without lines; a cleared carrier deletes it.
    Set(&record, ecsdtDataText, "Name", "");
    ASSERT_GE(texts.FindData("Name"), 0);
    EXPECT_EQ(texts.LineCount(texts.FindData("Name")), 0);
    const TZelmarDataCarrier cleared;
    record.SetDataForField(&name, &cleared);
    EXPECT_EQ(texts.FindData("Name"), -1);
    EXPECT_TRUE(record.DeleteData(&name));  // nothing to delete is fine
}

TEST(SDFileData, MoleculeAndCheckBoxNeverAddDataItems) {
    TZelmarSDFileDataList list(nullptr);
    TZelmarSDFileData* record = list.CreateSDFileData(false);
    EXPECT_TRUE(record->Selected);
    EXPECT_TRUE(record->IsLoaded());
    EXPECT_EQ(list.GetSDFileData(-1), nullptr);
    EXPECT_EQ(list.GetSDFileData(1), nullptr);

    const TZelmarField molecule = Field(ecsdtChemistry, kFieldNameChemistry);
    const TZelmarDataCarrier cleared;
    record->SetDataForField(&molecule, &cleared);
    EXPECT_EQ(record->MolString(), kEmptyMolFile);  // not an empty text
    Set(record, ecsdtCheckbox, kFieldNameCheckbox, "x");
    TZelmarDataCarrier unchecked;
    unchecked.SetChecked(false);
    const TZelmarField checkbox = Field(ecsdtCheckbox, kFieldNameCheckbox);
    record->SetDataForField(&checkbox, &unchecked);
    EXPECT_FALSE(record->Selected);
    Set(record, ecsdtFormula, kFieldNameFormula, "C6H6");  // computed, never written
    EXPECT_EQ(record->Texts().DataCount(), 0);
}

TEST(SDFileData, FormulaWeightAndPrechecksComeFromTheMolecule) {
    TZelmarSDFileData record(false);
    Set(&record, ecsdtChemistry, "", MolBlock("ethanol", {"C", "C", "O"}));
    const TZelmarField formula = Field(ecsdtFormula), weight = Field(ecsdtMolweight);
    TZelmarDataCarrier read;
    ASSERT_TRUE(record.GetDataForField(&formula, &read));
    EXPECT_EQ(read.Text(), "C2H6O");
    ASSERT_TRUE(record.GetDataForField(&weight, &read));
    EXPECT_EQ(read.Kind(), ecsdtMolweight);
    EXPECT_NEAR(read.Value(), 46.069, 0.01);
    EXPECT_EQ(read.ValueFrom(), read.Value());

    EXPECT_EQ(record.GetPrecheckForSearch(&formula), "C0002H0006O0000");
    EXPECT_NEAR(std::stod(record.GetPrecheckForSearch(&weight)), read.Value(), 1e-9);
    TZelmarSDFileData empty(false);
    EXPECT_EQ(empty.GetPrecheckForSearch(&weight), "0");  // unweighable: "0", not empty
}

TEST(SDFileData, FormulaSortKeyOrdersElementByElement) {
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("C6H12O6"), "C0006H0012O0006");
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("CH4"), "C0000H0004");
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("H2O"), "H0002O0000");
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("ClNa"), "Cl0000Na0000");
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("NaClH2C3"), "C0003H0002Cl0000Na0000");
    // Text before the first element is dropped; slots hold four characters at most.
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("2C123456"), "C1234");
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("C2H3O2-"), "C0002H0003O-0002");
    const std::string fifty(50, 'N');
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey(fifty).size(), 250u);
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey(fifty + "N"), "");
    TZelmarSDFileData salt(false);
    Set(&salt, ecsdtChemistry, "", MolBlock("salt", {"Na", "Cl"}));
    EXPECT_EQ(salt.GetFormulaSortKey(), "Cl0000Na0000");
}

TEST(SDFileDataList, FieldsFromDataAndFieldEdits) {
    TZelmarSDFileDataList source(nullptr);
    AddRecord(source, {"C"}, {{"A", "1"}, {"B", "2"}})->Selected = false;
    AddRecord(source, {"O"}, {{"B", "3"}, {"C", "4"}});
    TZelmarRecordRefs refs;
    refs.AddObject("", source.GetSDFileData(0));
    refs.AddObject("", nullptr);  // not a record: skipped
    refs.AddObject("", source.GetSDFileData(1));

    TZelmarSDFileDataList list(nullptr);
    list.Assign(refs);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_NE(list.GetSDFileData(0), source.GetSDFileData(0));
    EXPECT_FALSE(list.GetSDFileData(0)->Selected);
    std::vector<std::string> fields;
    for (int i = 4; i < list.GetFieldCount(); ++i) fields.push_back(list.GetField(i)->Name);
    EXPECT_EQ(fields, (std::vector<std::string>{"A", "B", "C"}));

    // Rename B to Title, delete A: renaming first keeps B's values under the new name.
    TZelmarFieldList edited;
    ASSERT_TRUE(list.FillCopyOfFieldList(edited));
    edited.SaveOrigFieldNames();
    edited.GetFieldByName("B")->Name = "Title";
    edited.DeleteField(edited.GetFieldByName("A"));
    edited.SetEditedFlags();
    list.SortField = list.GetFieldByName("C");
    ASSERT_TRUE(list.SetNewFields(&edited));
    EXPECT_EQ(ItemNames(list.GetSDFileData(0)), (std::vector<std::string>{"Title"}));
    EXPECT_EQ(ItemNames(list.GetSDFileData(1)), (std::vector<std::string>{"Title", "C"}));
    EXPECT_EQ(list.SortField, list.GetFieldByName("C"));  // never a freed field

    // An empty sheet takes field edits too.
    list.Clear();
    list.FillCopyOfFieldList(edited);
    edited.SaveOrigFieldNames();
    edited.GetFieldByName("Title")->Name = "Heading";
    edited.SetEditedFlags();
    EXPECT_TRUE(list.SetNewFields(&edited));
    EXPECT_NE(list.GetFieldByName("Heading"), nullptr);
}

TEST(SDFileDataList, SavingWritesTheCheckedRecordsByteForByte) {
    TTempDir dir;
    TZelmarSDFileDataList list(nullptr);
    AddRecord(list, {"C"}, {{"Name", "kept\ntwo lines"}});
    AddRecord(list, {"O"}, {{"Name", "dropped"}})->Selected = false;
    AddRecord(list, {"N"}, {{"Value", "caf\xe9"}});  // not UTF-8: written as it is
    std::vector<std::string> events;
    list.OnSaveDataProgress = [&](TZelmarSDFileDataList*, int percent) {
        events.push_back(std::to_string(percent));
        return true;
    };
    list.OnEndSaveData = [&](TZelmarSDFileDataList*, bool ok) {
        events.push_back(ok ? "ok" : "failed");
    };
    ASSERT_TRUE(list.SaveFile(dir.File("out.sdf")));
    EXPECT_EQ(events, (std::vector<std::string>{"0", "50", "ok"}));
    EXPECT_EQ(list.GetFileName(), dir.File("out.sdf"));
    EXPECT_EQ(ReadText(dir.File("out.sdf")),
              SDRecord(MolBlock("m", {"C"}), {{"Name", {"kept", "two lines"}}}) +
                  SDRecord(MolBlock("m", {"N"}), {{"Value", {"caf\xe9"}}}));

    // All unchecked: an SD file without records, and an empty sheet.
    list.UnselectAll();
    ASSERT_TRUE(list.SaveFile(dir.File("none.sdf")));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(ReadText(dir.File("none.sdf")), "");

    // A file that cannot be created: reported, and the sheet keeps its file name.
    std::vector<bool> recordErrors;
    list.OnSaveDataError = [&](TZelmarSDFileDataList*, const std::string&, bool isRecordError,
                               const std::string&, int) {
        recordErrors.push_back(isRecordError);
        return true;
    };
    EXPECT_FALSE(list.SaveFile(dir.File("no/such/folder/out.sdf")));
    EXPECT_EQ(recordErrors, (std::vector<bool>{false}));
    EXPECT_EQ(events.back(), "failed");
    EXPECT_EQ(list.GetFileName(), dir.File("none.sdf"));
}

TEST(SDFileDataList, RecordWriteErrorsAreReportedAndNeverPassSilently) {
    TTempDir dir;
    TZelmarSDFileDataList list(nullptr);
    AddRecord(list, {"C"}, {{"Name", "first"}});
    AddRecord(list, {"O"}, {{"Name", "$$$$"}});  // could not be read back: refused
    AddRecord(list, {"N"}, {{"Name", "third"}});
    std::vector<int> failed;
    list.OnSaveDataError = [&](TZelmarSDFileDataList*, const std::string&, bool isRecordError,
                               const std::string& error, int index) {
        EXPECT_TRUE(isRecordError);
        EXPECT_FALSE(error.empty());
        failed.push_back(index);
        return true;
    };
    ASSERT_TRUE(list.SaveFile(dir.File("go-on.sdf")));
    EXPECT_EQ(failed, (std::vector<int>{1}));
    EXPECT_EQ(ReadText(dir.File("go-on.sdf")),
              SDRecord(MolBlock("m", {"C"}), {{"Name", {"first"}}}) +
                  SDRecord(MolBlock("m", {"N"}), {{"Name", {"third"}}}));
    // Without a handler nobody would hear of the lost record: saving fails instead.
    list.OnSaveDataError = nullptr;
    EXPECT_FALSE(list.SaveFile(dir.File("unheard.sdf")));
    EXPECT_EQ(list.GetFileName(), dir.File("go-on.sdf"));
}
