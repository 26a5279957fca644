// The identifier columns of a sheet over shared real files: SMILES, InChI and InChIKey equal the
// routines library's for every record, are made once and kept, anew after an edit, sorted and
// searched as texts, exported, never written into the SD file, and a column taken over as a
// data field is a field step of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ModelTestSupport.h"
#include "SheetTestSupport.h"
#include "Zelmar_ClipboardTable.h"
#include "Zelmar_Object_Sorter.h"
#include "Zelmar_RecordIdentifiers.h"
#include "Zelmar_TableExport.h"
#include "vesk_ChemRoutines.h"

namespace {

using testing_support::TTempDir;

constexpr TZelmarFieldKind kKinds[] = {ecsdtSmiles, ecsdtInchi, ecsdtInchiKey};

std::string SharedDataFile(const std::string& name) {
    return std::string(ZELMAR_SDF_DATA_DIR) + "/" + name;
}

// A sheet of a file, loaded to its end as the program loads it.
struct TLoadedSheet {
    platform::TQueuedUiDispatcher Ui;
    TZelmarSDFileDataList List{&Ui};

    explicit TLoadedSheet(const std::string& path) {
        EXPECT_TRUE(List.LoadFile(path));
        EXPECT_TRUE(testing_support::PumpUntil(Ui, [&] { return List.GetLoadFinished(); }));
    }
    std::vector<TZelmarSDFileData*> Records() {
        std::vector<TZelmarSDFileData*> records;
        for (int i = 0; i < List.GetCount(); ++i) records.push_back(List.GetSDFileData(i));
        return records;
    }
};

// What the routines library answers for the molecule, empty when it answers false.
std::string LibraryValue(TZelmarFieldKind kind, const std::string& molText) {
    TveskMolManager manager;
    std::string value;
    const bool made = kind == ecsdtSmiles  ? manager.GetSmiles(molText, value)
                      : kind == ecsdtInchi ? manager.GetInchi(molText, value)
                                           : manager.GetInchiKey(molText, value);
    return made ? value : std::string();
}

std::string CellOf(TZelmarSDFileData* record, const TZelmarField* field) {
    TZelmarDataCarrier value;
    return record->GetDataForField(field, &value) ? value.Text() : "<none>";
}

std::vector<std::string> ColumnNames(TZelmarSDFileDataList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.GetFieldCount(); ++i) names.push_back(list.GetField(i)->Name);
    return names;
}

}  // namespace

// Every kind over files with isotopes, radicals, charges, salts and V3000 records: the
// library's value, made once; asking again, by any way, makes none; an edited molecule is
// made anew, and a molecule without atoms or one that cannot be read has an empty value.
TEST(RecordIdentifiers, EqualTheLibraryAreKeptAndMadeAnewAfterAnEdit) {
    for (const char* file : {"inchi_techman_samples.sdf", "v2000_v3000_mixed.sdf"}) {
        SCOPED_TRACE(file);
        TLoadedSheet sheet(SharedDataFile(file));
        std::vector<TZelmarSDFileData*> records = sheet.Records();
        ASSERT_GT(records.size(), 10u);
        for (const TZelmarFieldKind kind : kKinds) {
            std::vector<std::string> values;
            const std::int64_t before = ZelmarIdentifiersMade();
            ASSERT_TRUE(ZelmarRecordIdentifiers(records, kind, values, nullptr));
            EXPECT_EQ(ZelmarIdentifiersMade() - before, static_cast<std::int64_t>(records.size()));
            std::size_t filled = 0;
            for (std::size_t k = 0; k < records.size(); ++k) {
                EXPECT_EQ(values[k], LibraryValue(kind, std::string(records[k]->MolString())))
                    << "record " << k;
                filled += !values[k].empty();
            }
            EXPECT_GT(filled, records.size() / 2);
            // Asked again as a whole, one by one and as a cell: all kept.
            const std::int64_t made = ZelmarIdentifiersMade();
            std::vector<std::string> again;
            ASSERT_TRUE(ZelmarRecordIdentifiers(records, kind, again, nullptr));
            EXPECT_EQ(again, values);
            const TZelmarField field = sheet_support::Field(kind, "column");
            for (std::size_t k = 0; k < records.size(); ++k)
                EXPECT_EQ(CellOf(records[k], &field), values[k]);
            EXPECT_EQ(ZelmarIdentifiersMade(), made);
        }
    }

    TLoadedSheet sheet(SharedDataFile("pubchem_sample.sdf"));
    TZelmarSDFileData* record = sheet.List.GetSDFileData(3);
    const TZelmarField key = sheet_support::Field(ecsdtInchiKey, "column");
    const std::string old = CellOf(record, &key);
    ASSERT_EQ(old.size(), 27u);
    sheet_support::Set(record, ecsdtChemistry, "", testing_support::MolBlock("m", {"C", "C", "O"}));
    std::string kept;
    EXPECT_FALSE(ZelmarKeptIdentifier(*record, ecsdtInchiKey, kept));
    const std::int64_t before = ZelmarIdentifiersMade();
    EXPECT_EQ(CellOf(record, &key), "LFQSCWFLJHTTHZ-UHFFFAOYSA-N");  // ethanol
    EXPECT_EQ(ZelmarIdentifiersMade() - before, 1);
    EXPECT_EQ(CellOf(record, &key), "LFQSCWFLJHTTHZ-UHFFFAOYSA-N");
    EXPECT_EQ(ZelmarIdentifiersMade() - before, 1);

    // No atoms, and no molecule at all: empty, and kept as such.
    sheet_support::Set(record, ecsdtChemistry, "", "");
    TZelmarSDFileData* broken = sheet.List.GetSDFileData(4);
    sheet_support::Set(broken, ecsdtChemistry, "", "not a molecule\n");
    for (const TZelmarFieldKind kind : kKinds) {
        const TZelmarField field = sheet_support::Field(kind, "column");
        EXPECT_EQ(CellOf(record, &field), "");
        EXPECT_EQ(CellOf(broken, &field), "");
        EXPECT_TRUE(ZelmarKeptIdentifier(*broken, kind, kept));
    }
}

// Sorting by an identifier column makes the values the first time only and orders them as
// texts; the filter bar and the search find them as texts, also through "every field".
TEST(RecordIdentifiers, ColumnsSortAndSearchAsTextsMakingEachValueOnce) {
    TLoadedSheet sheet(SharedDataFile("pubchem_sample.sdf"));
    TZelmarSDFileDataList& list = sheet.List;
    const int count = list.GetCount();
    ASSERT_EQ(count, 245);
    ASSERT_TRUE(list.ShowIdentifierColumn(ecsdtInchiKey, true));
    TZelmarField* key = list.GetIdentifierField(ecsdtInchiKey);
    ASSERT_NE(key, nullptr);

    std::int64_t before = ZelmarIdentifiersMade();
    ASSERT_TRUE(list.SortForField(key, 1));
    EXPECT_EQ(ZelmarIdentifiersMade() - before, count);
    std::vector<std::string> keys;
    for (int i = 0; i < count; ++i) keys.push_back(CellOf(list.GetSDFileData(i), key));
    for (std::size_t k = 1; k < keys.size(); ++k)
        EXPECT_LE(TZelmarSorter::CompareStringKeys(keys[k - 1], keys[k]), 0) << k;
    // Each record's value is its own molecule's, also after the records moved.
    for (const int i : {0, 100, 244})
        EXPECT_EQ(keys[static_cast<std::size_t>(i)],
                  LibraryValue(ecsdtInchiKey, std::string(list.GetSDFileData(i)->MolString())));

    before = ZelmarIdentifiersMade();
    ASSERT_TRUE(list.SortForField(key, 2));
    EXPECT_EQ(CellOf(list.GetSDFileData(0), key), keys.back());

    // A prefix of one key, typed in lower case, in the column and in every field.
    const std::string wanted = keys[17];
    std::string typed = wanted.substr(0, 9);
    std::transform(typed.begin(), typed.end(), typed.begin(), ::tolower);
    int expected = 0;
    for (const std::string& each : keys) expected += each.rfind(wanted.substr(0, 9), 0) == 0;
    ASSERT_TRUE(list.FilterRows(key, typed));
    EXPECT_EQ(list.Rows().RowCount(), expected);
    ASSERT_TRUE(list.FilterRows(nullptr, wanted));
    EXPECT_GE(list.Rows().RowCount(), 1);
    EXPECT_EQ(CellOf(list.GetSDFileData(list.Rows().ListIndex(0)), key).substr(0, 14),
              wanted.substr(0, 14));
    ASSERT_TRUE(list.FilterRows(key, ""));

    TZelmarDataCarrier query;
    query.SetKind(ecsdtInchiKey);
    query.SetText(wanted);
    TZelmarRecordRefs hits;
    ASSERT_TRUE(list.SearchDataForField(key, &query, false, &hits, false, soExact));
    ASSERT_EQ(hits.GetCount(), 1);
    EXPECT_EQ(CellOf(hits.GetObject(0), key), wanted);
    EXPECT_EQ(ZelmarIdentifiersMade(), before);
}

// Columns stand after the weight in one order, whatever order they are switched on in; they
// reach the exported table, and never the SD file.
TEST(RecordIdentifiers, ColumnsStandAfterTheWeightAreExportedAndNeverSaved) {
    TTempDir dir;
    const std::string source = SharedDataFile("chembl_examples.sdf");
    TLoadedSheet sheet(source);
    TZelmarSDFileDataList& list = sheet.List;
    const std::vector<std::string> plain = ColumnNames(list);
    // Whoever holds a field (a sort, the tool's columns) holds it also afterwards.
    const TZelmarField* held = list.GetFieldByName(kFieldNameFormula);
    ASSERT_NE(held, nullptr);
    ASSERT_TRUE(list.ShowIdentifierColumn(ecsdtInchiKey, true));
    ASSERT_TRUE(list.ShowIdentifierColumn(ecsdtSmiles, true));
    ASSERT_TRUE(list.ShowIdentifierColumn(ecsdtInchi, true));
    EXPECT_TRUE(list.ShowIdentifierColumn(ecsdtInchi, true));  // once only
    std::vector<std::string> names = ColumnNames(list);
    const auto weight = std::find(names.begin(), names.end(), kFieldNameMolweight);
    ASSERT_NE(weight, names.end());
    EXPECT_EQ(std::vector<std::string>(weight + 1, weight + 4),
              (std::vector<std::string>{kFieldNameSmiles, kFieldNameInchi, kFieldNameInchiKey}));
    EXPECT_EQ(list.GetIdentifierField(ecsdtSmiles)->GetDisplayName(), "SMILES");
    EXPECT_TRUE(list.GetIdentifierField(ecsdtSmiles)->IsSortable());
    EXPECT_FALSE(list.GetIdentifierField(ecsdtSmiles)->IsEditable());
    EXPECT_FALSE(list.ShowIdentifierColumn(ecsdtFormula, true));
    EXPECT_EQ(list.GetFieldByName(kFieldNameFormula), held);

    std::string table;
    ASSERT_TRUE(ZelmarMakeTextTable(list, ZelmarExportColumns(list), true, false, nullptr, table));
    const auto rows = ZelmarParseTsv(table);
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<std::string>& header = rows[0];
    ASSERT_GE(header.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(header.end() - 3, header.end()),
              (std::vector<std::string>{"smiles", "inchi", "inchikey"}));
    for (int i = 0; i < 3; ++i) {
        const std::string mol(list.GetSDFileData(i)->MolString());
        const std::vector<std::string>& row = rows[static_cast<std::size_t>(i) + 1];
        EXPECT_EQ(row[row.size() - 3], LibraryValue(ecsdtSmiles, mol));
        EXPECT_EQ(row[row.size() - 2], LibraryValue(ecsdtInchi, mol));
        EXPECT_EQ(row[row.size() - 1], LibraryValue(ecsdtInchiKey, mol));
    }

    std::string error;
    ASSERT_TRUE(list.WriteCopyTo(dir.File("copy.sdf"), false, nullptr, error)) << error;
    EXPECT_EQ(testing_support::ReadText(dir.File("copy.sdf")), testing_support::ReadText(source));

    for (const TZelmarFieldKind kind : kKinds) ASSERT_TRUE(list.ShowIdentifierColumn(kind, false));
    EXPECT_EQ(ColumnNames(list), plain);
    EXPECT_EQ(list.GetFieldByName(kFieldNameFormula), held);
}

// "Als Datenfeld übernehmen": the column's values become items of a data field in its place,
// numbered when the name is taken; one field step, undone and redone as a whole.
TEST(RecordIdentifiers, ColumnTakenOverIsADataFieldInOneUndoStep) {
    TLoadedSheet sheet(SharedDataFile("nci_aids_props.sdf"));
    TZelmarSDFileDataList& list = sheet.List;
    ASSERT_NE(list.GetFieldByName("SMILES"), nullptr);  // the file has a SMILES item
    ASSERT_TRUE(list.ShowIdentifierColumn(ecsdtSmiles, true));
    const std::vector<std::string> before = ColumnNames(list);
    const int position = static_cast<int>(
        std::find(before.begin(), before.end(), kFieldNameSmiles) - before.begin());
    std::vector<std::string> smiles;
    ASSERT_TRUE(ZelmarRecordIdentifiers(sheet.Records(), ecsdtSmiles, smiles, nullptr));

    const std::string name = list.TakeOverIdentifierColumn(ecsdtSmiles, "Felder", nullptr);
    ASSERT_EQ(name, "SMILES 2");
    EXPECT_EQ(list.GetIdentifierField(ecsdtSmiles), nullptr);
    TZelmarField* taken = list.GetFieldByName(name);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->Kind, ecsdtDataText);
    EXPECT_EQ(list.GetField(position), taken);
    for (int i = 0; i < list.GetCount(); ++i)
        EXPECT_EQ(CellOf(list.GetSDFileData(i), taken), smiles[static_cast<std::size_t>(i)].empty()
                                                            ? "<none>"
                                                            : smiles[static_cast<std::size_t>(i)]);
    EXPECT_EQ(list.Undo().UndoName(), "Felder");
    EXPECT_EQ(list.Undo().UndoCount(), 1);

    ASSERT_TRUE(list.Undo().Undo());
    EXPECT_EQ(ColumnNames(list), before);
    EXPECT_TRUE(list.Undo().AtSavePoint());
    const TZelmarField gone = sheet_support::Field(ecsdtDataText, name);
    EXPECT_EQ(CellOf(list.GetSDFileData(0), &gone), "<none>");
    ASSERT_TRUE(list.Undo().Redo());
    EXPECT_EQ(CellOf(list.GetSDFileData(0), list.GetFieldByName(name)), smiles[0]);

    // Without the column there is nothing to take over.
    EXPECT_EQ(list.TakeOverIdentifierColumn(ecsdtInchi, "Felder", nullptr), "");
    EXPECT_EQ(list.Undo().UndoCount(), 1);
}
