// zelmar_bench copy, undo-delete and filter: a sheet reads the file completely first; only the
// copy, the deletion with its undo and redo, or the filter are timed.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Zelmar_ClipboardTable.h"
#include "Zelmar_Object_SDFileData.h"
#include "vesk_Dispatcher.h"
#include "zelmar_bench_measure.h"

namespace {

struct TSheet {
    platform::TQueuedUiDispatcher Ui;
    std::unique_ptr<TZelmarSDFileDataList> List = std::make_unique<TZelmarSDFileDataList>(&Ui);
    double Seconds = -1.0;
    bool Load(const std::string& file) {
        const auto start = TClock::now();
        if (!List->LoadFile(file)) {
            std::fprintf(stderr, "cannot start reading %s\n", file.c_str());
            return false;
        }
        while (!List->GetLoadFinished()) Ui.WaitAndProcess(std::chrono::milliseconds(1));
        Seconds = SecondsSince(start);
        if (List->GetCount() > 0) return true;
        std::fprintf(stderr, "no records in %s\n", file.c_str());
        return false;
    }
};

}  // namespace

// copy FILE: every row under every column but the check box, as Copy with all of a sheet
// selected makes it: the TSV, the CSV (molecules as SMILES) and the records as an SD file;
// then the same again (the SMILES kept with the records), and once more without the molecule
// column.
int RunCopy(const std::string& file) {
    TSheet sheet;
    if (!sheet.Load(file)) return 1;
    TZelmarSDFileDataList& list = *sheet.List;
    std::vector<int> records(static_cast<std::size_t>(list.GetCount()));
    for (std::size_t i = 0; i < records.size(); ++i) records[i] = static_cast<int>(i);
    std::vector<const TZelmarField*> columns;
    for (int i = 0; i < list.GetFieldCount(); ++i)
        if (list.GetField(i)->Kind != ecsdtCheckbox) columns.push_back(list.GetField(i));

    TZelmarCopiedTable table;
    const double cpuStart = CpuSeconds();
    const auto start = TClock::now();
    const bool made = ZelmarCopyTable(list, records, columns, true, table);
    const double seconds = SecondsSince(start);
    const double cpu = CpuSeconds() - cpuStart;
    if (!made) {
        std::fprintf(stderr, "copy failed\n");
        return 1;
    }
    // Again: the SMILES made the first time are kept with the records.
    TZelmarCopiedTable again;
    const auto againStart = TClock::now();
    ZelmarCopyTable(list, records, columns, true, again);
    const double againSeconds = SecondsSince(againStart);
    // The same without the molecule column: the share of the SMILES the routines make.
    std::vector<const TZelmarField*> withoutMolecule;
    for (const TZelmarField* field : columns)
        if (!field->IsChemistry()) withoutMolecule.push_back(field);
    TZelmarCopiedTable plain;
    const auto plainStart = TClock::now();
    ZelmarCopyTable(list, records, withoutMolecule, true, plain);
    const double plainSeconds = SecondsSince(plainStart);
    std::printf(
        "{\"records\":%zu,\"columns\":%zu,\"tsv_mb\":%.1f,\"csv_mb\":%.1f,\"sd_mb\":%.1f,"
        "\"load_seconds\":%.6f,\"seconds\":%.6f,\"cpu_seconds\":%.6f,"
        "\"again_seconds\":%.6f,\"without_molecule_seconds\":%.6f,\"peak_rss_mb\":%.1f}\n",
        records.size(), columns.size(), table.Tsv.size() / 1e6, table.Csv.size() / 1e6,
        table.SDFile.size() / 1e6, sheet.Seconds, seconds, cpu, againSeconds, plainSeconds,
        PeakRssMb());
    return 0;
}

// undo-delete FILE: all check marks taken off, then the unticked records deleted in one step,
// as the sheet's command does; that step undone and redone. Each of the three is timed, and
// the record count after each is checked.
int RunUndoDelete(const std::string& file) {
    TSheet sheet;
    if (!sheet.Load(file)) return 1;
    TZelmarSDFileDataList& list = *sheet.List;
    const int records = list.GetCount();
    const TZelmarSDFileData* first = list.GetSDFileData(0);
    const TZelmarSDFileData* last = list.GetSDFileData(records - 1);
    list.UnselectAll();

    auto timed = [](const auto& step) {
        const auto start = TClock::now();
        step();
        return SecondsSince(start);
    };
    const double deleteSeconds = timed([&] { list.DeleteUnselected(); });
    const int afterDelete = list.GetCount();
    bool undone = false, redone = false;
    const double undoSeconds = timed([&] { undone = list.Undo().Undo(); });
    const int afterUndo = list.GetCount();
    // The very records back, in their places.
    const bool samePlaces = afterUndo == records && list.GetSDFileData(0) == first &&
                            list.GetSDFileData(records - 1) == last;
    const double redoSeconds = timed([&] { redone = list.Undo().Redo(); });
    const int afterRedo = list.GetCount();
    if (!undone || !redone || afterDelete != 0 || !samePlaces || afterRedo != 0) {
        std::fprintf(stderr,
                     "undo-delete went wrong: undone %d redone %d, records %d, after delete %d, "
                     "undo %d (same places %d), redo %d\n",
                     undone, redone, records, afterDelete, afterUndo, samePlaces, afterRedo);
        return 1;
    }
    std::printf(
        "{\"records\":%d,\"load_seconds\":%.6f,\"delete_seconds\":%.6f,\"undo_seconds\":%.6f,"
        "\"redo_seconds\":%.6f,\"peak_rss_mb\":%.1f}\n",
        records, sheet.Seconds, deleteSeconds, undoSeconds, redoSeconds, PeakRssMb());
    return 0;
}

// filter FILE --field NAME|all --text T: the filter bar's query over the whole sheet, timed,
// then the filter taken off: records, rows, seconds, clear_seconds.
int RunFilter(const std::string& file, const std::vector<std::string>& args) {
    std::string fieldName;
    std::string text;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == "--field") {
            fieldName = args[i + 1];
        } else if (args[i] == "--text") {
            text = args[i + 1];
        } else {
            std::fprintf(stderr, "filter: unknown option %s\n", args[i].c_str());
            return 2;
        }
    }
    if (fieldName.empty() || text.empty()) {
        std::fprintf(stderr, "filter: give --field NAME|all and --text T\n");
        return 2;
    }
    TSheet sheet;
    if (!sheet.Load(file)) return 1;
    TZelmarSDFileDataList& list = *sheet.List;
    const TZelmarField* field = fieldName == "all" ? nullptr : list.GetFieldByName(fieldName);
    if (fieldName != "all" && field == nullptr) {
        std::fprintf(stderr, "filter: no field %s\n", fieldName.c_str());
        return 1;
    }
    const auto start = TClock::now();
    if (!list.FilterRows(field, text)) {
        std::fprintf(stderr, "filter failed\n");
        return 1;
    }
    const int rows = list.Rows().RowCount();
    const double seconds = SecondsSince(start);
    const auto clearStart = TClock::now();
    list.Rows().Clear();
    const int all = list.Rows().RowCount();
    std::printf("{\"records\":%d,\"rows\":%d,\"seconds\":%.6f,\"clear_seconds\":%.6f}\n", all, rows,
                seconds, SecondsSince(clearStart));
    return 0;
}
