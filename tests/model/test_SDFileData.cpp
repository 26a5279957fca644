// Records and record lists built in memory: values per field kind, the formula sort key,
// deleting and checking records, fields from data, field edits, copies and saving.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModelTestSupport.h"
#include "Zelmar_Object_SDFileData.h"

using namespace testing_support;

namespace {

TZelmarField DataField(const std::string& name) {
    TZelmarField field;
    field.Name = name;
    field.Kind = ecsdtDataText;
    return field;
}

TZelmarField KindField(TZelmarFieldKind kind) {
    TZelmarField field;
    field.Name = "computed";
    field.Kind = kind;
    return field;
}

TZelmarDataCarrier TextCarrier(const std::string& text) {
    TZelmarDataCarrier carrier;
    carrier.SetText(text);
    return carrier;
}

// A record of a built list with a molecule and data items.
TZelmarSDFileData* AddRecord(TZelmarSDFileDataList& list, const std::vector<std::string>& atoms,
                             const TItems& items = {}) {
    TZelmarSDFileData* record = list.CreateSDFileData(false);
    TZelmarField molecule = KindField(ecsdtChemistry);
    TZelmarDataCarrier mol = TextCarrier(MolBlock("m", atoms));
    record->SetDataForField(&molecule, &mol);
    for (const auto& [name, lines] : items) {
        std::string text;
        for (const auto& line : lines) text += line + "\n";
        TZelmarField field = DataField(name);
        TZelmarDataCarrier value = TextCarrier(text);
        record->SetDataForField(&field, &value);
    }
    return record;
}

std::vector<std::string> FieldNames(TZelmarSDFileDataList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.GetFieldCount(); ++i) names.push_back(list.GetField(i)->Name);
    return names;
}

std::vector<std::string> ItemNames(const TZelmarSDFileData* record) {
    std::vector<std::string> names;
    for (const auto& item : record->Entry()->DataItems()) names.push_back(item->Name);
    return names;
}

}  // namespace

TEST(SDFileData, NewRecordIsCheckedLoadedAndEmpty) {
    TZelmarSDFileDataList list(nullptr);
    TZelmarSDFileData* record = list.CreateSDFileData(false);
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(record->Selected);
    EXPECT_TRUE(record->IsLoaded());
    EXPECT_EQ(record->Entry()->DataCount(), 0);
    EXPECT_TRUE(record->LoadError.empty());
    EXPECT_EQ(list.GetSDFileData(0), record);
    EXPECT_EQ(list.GetSDFileData(-1), nullptr);
    EXPECT_EQ(list.GetSDFileData(1), nullptr);
    EXPECT_EQ(list.GetIndexOfSDFileData(record), 0);
    EXPECT_EQ(list.GetIndexOfSDFileData(nullptr), -1);
    EXPECT_EQ(list.GetLoadedCount(), 1);
}

TEST(SDFileData, DataTextJoinsLinesTrimsAndSplitsBack) {
    TZelmarSDFileData record(false);
    TZelmarField name = DataField("Name");
    TZelmarDataCarrier carrier;
    EXPECT_FALSE(record.GetDataForField(&name, &carrier));  // no such item
    EXPECT_TRUE(carrier.Empty());

    TZelmarDataCarrier value = TextCarrier("  first\r\nsecond\nthird\rfourth\r\n");
    record.SetDataForField(&name, &value);
    const TveskSDFileEntryData* item = record.Entry()->FindData("Name");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Lines, (std::vector<std::string>{"  first", "second", "third", "fourth"}));

    ASSERT_TRUE(record.GetDataForField(&name, &carrier));
    EXPECT_EQ(carrier.Kind(), ecsdtDataText);
    EXPECT_EQ(carrier.Text(), "first\r\nsecond\r\nthird\r\nfourth");

    // Names compare exactly: "name" is another item.
    TZelmarField lower = DataField("name");
    EXPECT_FALSE(record.GetDataForField(&lower, &carrier));
    EXPECT_FALSE(record.GetDataForField(nullptr, &carrier));
    EXPECT_FALSE(record.GetDataForField(&name, nullptr));
    TZelmarField none = KindField(ecsdtNone);
    EXPECT_FALSE(record.GetDataForField(&none, &carrier));
}

TEST(SDFileData, EmptyCarrierDeletesButEmptyTextKeepsTheItem) {
    TZelmarSDFileData record(false);
    TZelmarField name = DataField("Name");
    TZelmarDataCarrier value = TextCarrier("x");
    record.SetDataForField(&name, &value);

    TZelmarDataCarrier emptyText = TextCarrier("");
    record.SetDataForField(&name, &emptyText);
    const TveskSDFileEntryData* item = record.Entry()->FindData("Name");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->Lines.empty());
    TZelmarDataCarrier read;
    EXPECT_TRUE(record.GetDataForField(&name, &read));
    EXPECT_EQ(read.Text(), "");

    TZelmarDataCarrier cleared;
    record.SetDataForField(&name, &cleared);
    EXPECT_EQ(record.Entry()->FindData("Name"), nullptr);
    EXPECT_TRUE(record.DeleteData(&name));  // nothing left to delete is fine
    EXPECT_FALSE(record.DeleteData(nullptr));
}

TEST(SDFileData, MoleculeAndCheckBoxNeverAddDataItems) {
    TZelmarSDFileData record(false);
    TZelmarField molecule = KindField(ecsdtChemistry);
    TZelmarField checkbox = KindField(ecsdtCheckbox);
    checkbox.Name = kFieldNameCheckbox;

    TZelmarDataCarrier mol = TextCarrier(MolBlock("water", {"O"}));
    record.SetDataForField(&molecule, &mol);
    EXPECT_EQ(record.Entry()->MolString(), MolBlock("water", {"O"}));

    // A cleared molecule cell stores the molfile without atoms, not an empty text.
    TZelmarDataCarrier cleared;
    record.SetDataForField(&molecule, &cleared);
    EXPECT_EQ(record.Entry()->MolString(), kEmptyMolFile);
    TZelmarDataCarrier emptyText = TextCarrier("");
    record.SetDataForField(&molecule, &emptyText);
    EXPECT_EQ(record.Entry()->MolString(), kEmptyMolFile);

    TZelmarDataCarrier unchecked;
    unchecked.SetChecked(false);
    record.SetDataForField(&checkbox, &unchecked);
    EXPECT_FALSE(record.Selected);
    TZelmarDataCarrier read;
    ASSERT_TRUE(record.GetDataForField(&checkbox, &read));
    EXPECT_EQ(read.Kind(), ecsdtCheckbox);
    EXPECT_FALSE(read.Checked());
    EXPECT_FALSE(read.Empty());

    // Formula and weight are computed, never written.
    TZelmarField formula = KindField(ecsdtFormula);
    TZelmarDataCarrier text = TextCarrier("C6H6");
    record.SetDataForField(&formula, &text);
    EXPECT_EQ(record.Entry()->DataCount(), 0);
}

TEST(SDFileData, FormulaWeightAndPrechecksComeFromTheMolecule) {
    TZelmarSDFileData record(false);
    TZelmarField molecule = KindField(ecsdtChemistry);
    TZelmarDataCarrier mol = TextCarrier(MolBlock("ethanol", {"C", "C", "O"}));
    record.SetDataForField(&molecule, &mol);

    TZelmarField formula = KindField(ecsdtFormula);
    TZelmarField weight = KindField(ecsdtMolweight);
    TZelmarDataCarrier read;
    ASSERT_TRUE(record.GetDataForField(&formula, &read));
    EXPECT_EQ(read.Text(), "C2H6O");
    EXPECT_EQ(read.Kind(), ecsdtFormula);
    ASSERT_TRUE(record.GetDataForField(&weight, &read));
    EXPECT_EQ(read.Kind(), ecsdtMolweight);
    EXPECT_NEAR(read.Value(), 46.069, 0.01);
    EXPECT_EQ(read.ValueFrom(), read.Value());

    EXPECT_EQ(record.GetPrecheckForSearch(&formula), "C0002H0006O0000");
    EXPECT_EQ(record.GetPrecheckForSearch(&molecule), "C2H6O");
    const std::string weightKey = record.GetPrecheckForSearch(&weight);
    EXPECT_NEAR(std::stod(weightKey), read.Value(), 1e-9);
    EXPECT_EQ(weightKey.find('e'), std::string::npos);
    TZelmarField name = DataField("Name");
    TZelmarDataCarrier value = TextCarrier(" spaced \n");
    record.SetDataForField(&name, &value);
    EXPECT_EQ(record.GetPrecheckForSearch(&name), "spaced");
    TZelmarField missing = DataField("Missing");
    EXPECT_EQ(record.GetPrecheckForSearch(&missing), "");
    EXPECT_EQ(record.GetPrecheckForSearch(nullptr), "");

    // A molecule the library cannot weigh gives "0", not an empty key.
    TZelmarSDFileData empty(false);
    EXPECT_EQ(empty.GetPrecheckForSearch(&weight), "0");
}

TEST(SDFileData, FormulaSortKeyOrdersElementByElement) {
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("C6H12O6"), "C0006H0012O0006");
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("CH4"), "C0000H0004");
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("H2O"), "H0002O0000");
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("ClNa"), "Cl0000Na0000");
    // Carbon and hydrogen come first wherever they stand; the rest by symbol.
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("NaClH2C3"), "C0003H0002Cl0000Na0000");
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey(""), "");
    // Text before the first element is dropped; slots hold four characters at most.
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("2C123456"), "C1234");
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("Xabcdef"), "Xabc0000");
    // Charges and separators stay with the symbol before them.
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey("C2H3O2-"), "C0002H0003O-0002");
    std::string fifty;
    for (int i = 0; i < 50; ++i) fifty += "N";
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey(fifty).size(), 50u * 5u);
    EXPECT_EQ(TZelmarSDFileData::FormulaToSortKey(fifty + "N"), "");
    // Through a record: the key of its computed formula.
    TZelmarSDFileData record(false);
    TZelmarField molecule = KindField(ecsdtChemistry);
    TZelmarDataCarrier salt = TextCarrier(MolBlock("salt", {"Na", "Cl"}));
    record.SetDataForField(&molecule, &salt);
    EXPECT_EQ(record.GetFormulaSortKey(), "Cl0000Na0000");
}

TEST(SDFileData, AssignCopiesEntryAndCheckMarkButNotTheLoadError) {
    TZelmarSDFileData source(false);
    TZelmarField name = DataField("Name");
    TZelmarDataCarrier value = TextCarrier("v");
    source.SetDataForField(&name, &value);
    source.Selected = false;
    source.LoadError = "broken";
    TZelmarSDFileData copy(true, 7);
    copy.Assign(&source);
    EXPECT_FALSE(copy.Selected);
    EXPECT_TRUE(copy.LoadError.empty());
    EXPECT_TRUE(copy.IsLoaded());
    EXPECT_EQ(copy.EntryNo(), -1);  // no longer stands for an entry of a file
    ASSERT_NE(copy.Entry()->FindData("Name"), nullptr);
    EXPECT_NE(copy.Entry()->FindData("Name"), source.Entry()->FindData("Name"));
}

TEST(SDFileDataList, DeletingAndCheckingKeepTheOrder) {
    TZelmarSDFileDataList list(nullptr);
    std::vector<TZelmarSDFileData*> records;
    for (int i = 0; i < 5; ++i) records.push_back(list.CreateSDFileData(false));
    list.DeleteSDFileData(records[1]);
    TZelmarSDFileData stranger(false);
    list.DeleteSDFileData(&stranger);  // not ours: nothing
    ASSERT_EQ(list.GetCount(), 4);
    list.UnselectAll();
    EXPECT_FALSE(list.GetSDFileData(3)->Selected);
    records[2]->Selected = true;
    records[4]->Selected = true;
    list.DeleteUnselected();
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetSDFileData(0), records[2]);
    EXPECT_EQ(list.GetSDFileData(1), records[4]);
    list.SelectAll();
    list.DeleteUnselected();
    EXPECT_EQ(list.GetCount(), 2);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetLoadedCount(), 0);
}

TEST(SDFileDataList, FieldNamesFromDataComeRecordByRecord) {
    TZelmarSDFileDataList source(nullptr);
    AddRecord(source, {"C"}, {{"A", {"1"}}, {"B", {"2"}}});
    AddRecord(source, {"O"}, {{"B", {"3"}}, {"C", {"4"}}});
    TZelmarRecordRefs refs;
    refs.AddObject("", source.GetSDFileData(0));
    refs.AddObject("", nullptr);  // not a record: skipped
    refs.AddObject("", source.GetSDFileData(1));

    TZelmarSDFileDataList copy(nullptr);
    copy.Assign(refs);
    EXPECT_EQ(FieldNames(copy), (std::vector<std::string>{kFieldNameCheckbox, kFieldNameChemistry,
                                                          kFieldNameFormula, kFieldNameMolweight,
                                                          "A", "B", "C"}));
    ASSERT_EQ(copy.GetCount(), 2);
    EXPECT_NE(copy.GetSDFileData(0), source.GetSDFileData(0));
    EXPECT_EQ(ItemNames(copy.GetSDFileData(1)), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(copy.GetFieldByName("C")->Kind, ecsdtDataText);
}

TEST(SDFileDataList, RenamedFieldKeepsItsItemsAndDeletedFieldLosesThem) {
    TZelmarSDFileDataList list(nullptr);
    AddRecord(list, {"C"}, {{"Name", {"methane"}}, {"Comment", {"gas"}}, {"Id", {"1"}}});
    AddRecord(list, {"O"}, {{"Name", {"water"}}, {"Id", {"2"}}});
    list.InitFieldNamesFromData();

    TZelmarFieldList edited;
    ASSERT_TRUE(list.FillCopyOfFieldList(edited));
    edited.SaveOrigFieldNames();
    edited.GetFieldByName("Name")->Name = "Title";
    edited.DeleteField(edited.GetFieldByName("Comment"));
    edited.SetEditedFlags();
    list.SortField = list.GetFieldByName("Id");
    ASSERT_TRUE(list.SetNewFields(&edited));
    // The last sort's field is the new list's field of that name, never a freed one.
    EXPECT_EQ(list.SortField, list.GetFieldByName("Id"));

    EXPECT_EQ(ItemNames(list.GetSDFileData(0)), (std::vector<std::string>{"Title", "Id"}));
    EXPECT_EQ(ItemNames(list.GetSDFileData(1)), (std::vector<std::string>{"Title", "Id"}));
    TZelmarDataCarrier read;
    ASSERT_TRUE(list.GetSDFileData(1)->GetDataForField(list.GetFieldByName("Title"), &read));
    EXPECT_EQ(read.Text(), "water");
    EXPECT_EQ(list.GetFieldByName("Name"), nullptr);
    EXPECT_EQ(list.GetFieldByName("Comment"), nullptr);
    EXPECT_EQ(list.GetFieldCount(), 6);
}

TEST(SDFileDataList, FieldEditsApplyToAnEmptySheet) {
    TZelmarSDFileDataList list(nullptr);
    TZelmarFieldList edited;
    list.FillCopyOfFieldList(edited);
    edited.CreateField("Old", ecsdtDataText, "");
    list.SetNewFields(&edited);  // a sheet with a field "Old" and no records

    list.FillCopyOfFieldList(edited);
    edited.SaveOrigFieldNames();
    edited.GetFieldByName("Old")->Name = "New";
    edited.SetEditedFlags();
    EXPECT_TRUE(list.SetNewFields(&edited));
    EXPECT_NE(list.GetFieldByName("New"), nullptr);
    EXPECT_FALSE(list.SetNewFields(nullptr));
    EXPECT_FALSE(list.DeleteData(nullptr));
}

TEST(SDFileDataList, FieldQueriesOfTheSheet) {
    TZelmarSDFileDataList list(nullptr);
    EXPECT_EQ(list.GetVisibleFieldCount(), 4);
    EXPECT_EQ(list.GetFixedFieldCount(), 1);
    EXPECT_TRUE(list.IsCheckboxVisible());
    EXPECT_EQ(list.GetChemistryField()->Kind, ecsdtChemistry);
    EXPECT_EQ(list.GetVisibleField(1), list.GetChemistryField());
    TZelmarFieldRefs searchable;
    list.EnumSearchableFields(searchable);
    EXPECT_EQ(searchable.GetCount(), 2);
    TZelmarFieldRefs selectable;
    list.EnumSelectableFields(selectable);
    EXPECT_EQ(selectable.GetCount(), 3);
}

TEST(SDFileDataList, CopiesAreDeepAndMixingCanBeStopped) {
    TZelmarSDFileDataList source(nullptr);
    AddRecord(source, {"C"}, {{"A", {"1"}}});
    AddRecord(source, {"O"}, {{"B", {"2"}}})->Selected = false;
    AddRecord(source, {"N"});

    TZelmarStringList<TZelmarSDFileData> copies;
    ASSERT_TRUE(source.GetCopyAsStringList(copies));
    ASSERT_EQ(copies.GetCount(), 3);
    EXPECT_FALSE(copies.GetObject(1)->Selected);
    EXPECT_NE(copies.GetObject(0), source.GetSDFileData(0));
    EXPECT_EQ(copies.GetObject(2)->Entry()->MolString(), MolBlock("m", {"N"}));

    TZelmarSDFileDataList target(nullptr);
    std::vector<int> asked;
    target.OnMixProgress = [&](TZelmarSDFileDataList* sender, int done, int total) {
        EXPECT_EQ(sender, &target);
        EXPECT_EQ(total, 3);
        asked.push_back(done);
        return done < 2;
    };
    EXPECT_FALSE(target.Add(&source));
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(target.GetCount(), 2);
    EXPECT_NE(target.GetFieldByName("B"), nullptr);  // fields follow the copies on every path

    target.OnMixProgress = nullptr;
    EXPECT_TRUE(target.Add(&source));
    EXPECT_EQ(target.GetCount(), 5);
    target.Assign(&source);
    EXPECT_EQ(target.GetCount(), 3);
}

TEST(SDFileDataList, SavingWritesTheCheckedRecordsOnly) {
    TTempDir dir;
    TZelmarSDFileDataList list(nullptr);
    AddRecord(list, {"C"}, {{"Name", {"kept", "two lines"}}});
    AddRecord(list, {"O"}, {{"Name", {"dropped"}}})->Selected = false;
    AddRecord(list, {"N"}, {{"Value", {"caf\xe9"}}});  // not UTF-8: written as it is

    std::vector<std::string> events;
    list.OnStartSaveData = [&](TZelmarSDFileDataList*, const std::string& name,
                               const std::string& current) {
        events.push_back("start " + std::to_string(name == dir.File("out.sdf")) + current);
        return true;
    };
    list.OnSaveDataProgress = [&](TZelmarSDFileDataList*, int percent) {
        events.push_back("progress " + std::to_string(percent));
        return true;
    };
    list.OnEndSaveData = [&](TZelmarSDFileDataList*, bool success) {
        events.push_back(std::string("end ") + (success ? "ok" : "failed"));
    };
    ASSERT_TRUE(list.SaveFile(dir.File("out.sdf")));
    EXPECT_EQ(events, (std::vector<std::string>{"start 1", "progress 0", "progress 50", "end ok"}));
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetFileName(), dir.File("out.sdf"));
    EXPECT_EQ(ReadText(dir.File("out.sdf")),
              SDRecord(MolBlock("m", {"C"}), {{"Name", {"kept", "two lines"}}}) +
                  SDRecord(MolBlock("m", {"N"}), {{"Value", {"caf\xe9"}}}));

    // All unchecked: an SD file without records, and an empty sheet.
    list.UnselectAll();
    ASSERT_TRUE(list.SaveFile(dir.File("none.sdf")));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(ReadText(dir.File("none.sdf")), "");
}

TEST(SDFileDataList, SaveFailuresAreReportedAndKeepTheFileName) {
    TTempDir dir;
    TZelmarSDFileDataList list(nullptr);
    AddRecord(list, {"C"});
    std::vector<std::string> errors;
    std::vector<bool> ends;
    list.OnSaveDataError = [&](TZelmarSDFileDataList*, const std::string&, bool isRecordError,
                               const std::string& error, int index) {
        errors.push_back(std::to_string(isRecordError) + " " + std::to_string(index) +
                         (error.empty() ? " no text" : ""));
        return true;
    };
    list.OnEndSaveData = [&](TZelmarSDFileDataList*, bool success) { ends.push_back(success); };

    // The owner refuses: nothing is written, the end still comes.
    list.OnStartSaveData = [](TZelmarSDFileDataList*, const std::string&, const std::string&) {
        return false;
    };
    EXPECT_FALSE(list.SaveFile(dir.File("refused.sdf")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("refused.sdf")));
    list.OnStartSaveData = nullptr;

    // A file that cannot be created.
    EXPECT_FALSE(list.SaveFile(dir.File("no/such/folder/out.sdf")));
    EXPECT_EQ(errors, (std::vector<std::string>{"0 0"}));
    EXPECT_EQ(ends, (std::vector<bool>{false, false}));
    EXPECT_TRUE(list.GetFileName().empty());
}

TEST(SDFileDataList, RecordWriteErrorsAreReportedAndNeverPassSilently) {
    TTempDir dir;
    TZelmarSDFileDataList list(nullptr);
    AddRecord(list, {"C"}, {{"Name", {"first"}}});
    AddRecord(list, {"O"}, {{"Name", {"$$$$"}}});  // cannot be read back: refused
    AddRecord(list, {"N"}, {{"Name", {"third"}}});

    std::vector<int> failedIndices;
    list.OnSaveDataError = [&](TZelmarSDFileDataList*, const std::string& file, bool isRecordError,
                               const std::string& error, int index) {
        EXPECT_TRUE(isRecordError);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(file, dir.File("go-on.sdf"));
        failedIndices.push_back(index);
        return true;
    };
    ASSERT_TRUE(list.SaveFile(dir.File("go-on.sdf")));
    EXPECT_EQ(failedIndices, (std::vector<int>{1}));
    EXPECT_EQ(ReadText(dir.File("go-on.sdf")),
              SDRecord(MolBlock("m", {"C"}), {{"Name", {"first"}}}) +
                  SDRecord(MolBlock("m", {"N"}), {{"Name", {"third"}}}));

    // The handler may stop; without a handler nobody would hear of the lost record.
    list.OnSaveDataError = [](TZelmarSDFileDataList*, const std::string&, bool,
                              const std::string&, int) { return false; };
    EXPECT_FALSE(list.SaveFile(dir.File("stop.sdf")));
    list.OnSaveDataError = nullptr;
    EXPECT_FALSE(list.SaveFile(dir.File("unheard.sdf")));
    EXPECT_EQ(list.GetFileName(), dir.File("go-on.sdf"));
}
