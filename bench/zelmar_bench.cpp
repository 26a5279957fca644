// zelmar_bench: speed and memory of the program's core work on real files. One command per
// run; each prints one JSON line (or tab-separated lines where a listing is asked for).
// Usage: zelmar_bench COMMAND FILE [OUT | OPTIONS]

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"
#include "vesk_ChemRoutines.h"
#include "vesk_Dispatcher.h"
#include "zelmar_bench_measure.h"

int RunPaint(const std::string& file);  // zelmar_bench_paint.cpp
int RunGui(const std::string& file, const std::vector<std::string>& args);  // zelmar_bench_gui.cpp
// zelmar_bench_sort.cpp
int RunSort(const std::string& file, const std::vector<std::string>& args);
int RunDuplicates(const std::string& file, const std::vector<std::string>& args);
int RunMix(const std::string& file, const std::vector<std::string>& args);
int RunMixDialog(const std::string& file,
                 const std::vector<std::string>& args);  // zelmar_bench_mixdialog.cpp
// zelmar_bench_copy.cpp
int RunCopy(const std::string& file);
int RunUndoDelete(const std::string& file);
int RunFilter(const std::string& file, const std::vector<std::string>& args);
// zelmar_bench_policies.cpp
int RunPolicyKeys(const std::string& file, const std::vector<std::string>& args);
int RunHitMarks(const std::string& file, const std::vector<std::string>& args);
// zelmar_bench_identifiers.cpp
int RunIdentifiers(const std::string& file, const std::vector<std::string>& args);

namespace {

bool OpenIndexed(TveskSDFileManager& manager, const std::string& file) {
    if (manager.OpenSDFile(file, "", nullptr, nullptr, true)) return true;
    std::fprintf(stderr, "cannot open %s: %s\n", file.c_str(), manager.LastError.c_str());
    return false;
}

// index FILE: opens the file by index (the scan the indexing thread runs) and counts records.
int RunIndex(const std::string& file) {
    const auto start = TClock::now();
    TveskSDFileManager manager;
    if (!OpenIndexed(manager, file)) return 1;
    const double seconds = SecondsSince(start);
    std::printf("{\"records\":%d,\"seconds\":%.6f}\n", manager.TotalCount(), seconds);
    return 0;
}

// read FILE: opens by index, then reads every record as the loader thread does and computes
// its formula and weight, keeping all records as a sheet does. "failed" counts records that
// could not be read or whose formula and weight could not be computed.
int RunRead(const std::string& file) {
    const auto start = TClock::now();
    TveskSDFileManager manager;
    if (!OpenIndexed(manager, file)) return 1;
    std::vector<std::unique_ptr<TveskSDFileEntry>> entries;
    entries.reserve(static_cast<std::size_t>(manager.TotalCount()));
    int failed = 0;
    for (int i = 0; i < manager.TotalCount(); ++i) {
        auto entry = std::make_unique<TveskSDFileEntry>();
        if (!manager.LoadEntryData(i, entry.get()) || !entry->GetFormulaAndMolweight()) ++failed;
        entries.push_back(std::move(entry));
    }
    const double seconds = SecondsSince(start);
    std::printf("{\"records\":%d,\"failed\":%d,\"seconds\":%.6f,\"peak_rss_mb\":%.1f}\n",
                manager.TotalCount(), failed, seconds, PeakRssMb());
    return 0;
}

// formulas FILE: "index<TAB>formula<TAB>weight" per record; a failed record gets an empty
// formula and weight 0, and its message on standard error.
int RunFormulas(const std::string& file) {
    TveskSDFileManager manager;
    if (!OpenIndexed(manager, file)) return 1;
    for (int i = 0; i < manager.TotalCount(); ++i) {
        TveskSDFileEntry entry;
        std::string formula;
        double weight = 0.0;
        if (!manager.LoadEntryData(i, &entry)) {
            std::fprintf(stderr, "record %d: %s\n", i, manager.LastError.c_str());
        } else {
            formula = entry.GetFormula();
            weight = entry.GetMolweight();
        }
        std::printf("%d\t%s\t%.5f\n", i, formula.c_str(), weight);
    }
    return 0;
}

// scan FILE: the floor for indexing, a plain memchr count of the file's lines.
int RunScan(const std::string& file) {
    const auto start = TClock::now();
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "cannot open %s: %s\n", file.c_str(), std::strerror(errno));
        return 1;
    }
    std::vector<char> buffer(1 << 20);
    long long lines = 0;
    char last = '\n';
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        const char* p = buffer.data();
        const char* const end = p + got;
        while ((p = static_cast<const char*>(
                    std::memchr(p, '\n', static_cast<std::size_t>(end - p))))) {
            ++lines;
            ++p;
        }
        last = buffer[static_cast<std::size_t>(got) - 1];
    }
    ::close(fd);
    if (last != '\n') ++lines;
    std::printf("{\"lines\":%lld,\"seconds\":%.6f}\n", lines, SecondsSince(start));
    return 0;
}

// A sheet's record list reading a file as the sheet window has it read: indexing, then the
// loader thread, this thread pumping the end notifications as the UI thread would.
struct TLoadedSheet {
    platform::TQueuedUiDispatcher Ui;
    std::unique_ptr<TZelmarSDFileDataList> List;
    double IndexedSeconds = -1.0;      // until the rows exist and can be browsed
    double FirstRecordSeconds = -1.0;  // until the first row shows a read record
    double Seconds = -1.0;             // until the loader thread has ended

    bool Load(const std::string& file) {
        const auto start = TClock::now();
        List = std::make_unique<TZelmarSDFileDataList>(&Ui);
        List->OnEndIndexing = [&](TZelmarSDFileDataList*) {
            IndexedSeconds = SecondsSince(start);
            // What a sheet window does first: paint its top row, reading it on demand.
            const TZelmarSDFileData* first =
                List->GetCount() > 0 ? List->GetSDFileData(0) : nullptr;
            if (first != nullptr && first->IsLoaded()) FirstRecordSeconds = SecondsSince(start);
        };
        if (!List->LoadFile(file)) {
            std::fprintf(stderr, "cannot start reading %s\n", file.c_str());
            return false;
        }
        while (!List->GetLoadFinished()) Ui.WaitAndProcess(std::chrono::milliseconds(1));
        Seconds = SecondsSince(start);
        if (List->GetCount() == 0) {
            std::fprintf(stderr, "no records in %s: %s\n", file.c_str(),
                         List->GetManager()->LastError.c_str());
            return false;
        }
        return true;
    }
    int LoadErrorCount() const {
        const TZelmarRecordRefs* errors = List->GetLoadErrors();
        return errors == nullptr ? 0 : errors->GetCount();
    }
};

// load FILE: a sheet reads the file (indexing, then the loader thread with formula and
// weight per record).
int RunLoad(const std::string& file) {
    TLoadedSheet sheet;
    if (!sheet.Load(file)) return 1;
    const int records = sheet.List->GetCount();
    const int errors = sheet.LoadErrorCount();
    // Deciding which fields hold numbers is part of loading; timed once more on its own.
    const auto start = std::chrono::steady_clock::now();
    sheet.List->DetectFieldKinds();
    const double kinds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    int numeric = 0;
    for (int i = 0; i < sheet.List->GetFieldCount(); ++i)
        numeric += sheet.List->GetField(i)->IsNumericData() ? 1 : 0;
    std::printf(
        "{\"records\":%d,\"loaded\":%d,\"errors\":%d,\"fields\":%d,\"numeric_fields\":%d,"
        "\"index_s\":%.6f,\"first_record_s\":%.6f,\"load_s\":%.6f,\"kinds_s\":%.6f,"
        "\"peak_rss_mb\":%.1f}\n",
        records, records - errors, errors, sheet.List->GetFieldCount(), numeric,
        sheet.IndexedSeconds, sheet.FirstRecordSeconds, sheet.Seconds, kinds, PeakRssMb());
    return 0;
}

// Whether two files hold the same bytes.
bool SameBytes(const std::string& a, const std::string& b) {
    std::ifstream x(a, std::ios::binary);
    std::ifstream y(b, std::ios::binary);
    std::vector<char> bx(1 << 20), by(1 << 20);
    while (x && y) {
        x.read(bx.data(), static_cast<std::streamsize>(bx.size()));
        y.read(by.data(), static_cast<std::streamsize>(by.size()));
        if (x.gcount() != y.gcount() ||
            !std::equal(bx.begin(), bx.begin() + x.gcount(), by.begin()))
            return false;
    }
    return !x && !y;
}

// save FILE OUT [--edit-one]: a sheet reads the file, then writes all its records to OUT;
// only the writing is timed. --edit-one changes a value of the middle record first. Records
// the writer refuses are counted and skipped.
int RunSave(const std::string& file, const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "save needs an output file\n");
        return 2;
    }
    const std::string out = args[0];
    const bool editOne = args.size() > 1 && args[1] == "--edit-one";
    TLoadedSheet sheet;
    if (!sheet.Load(file)) return 1;
    int saveErrors = 0;
    sheet.List->OnSaveDataError = [&](TZelmarSDFileDataList*, const std::string&,
                                      bool isRecordError, const std::string& error, int index) {
        ++saveErrors;
        std::fprintf(stderr, "%s %d: %s\n", isRecordError ? "record" : "file", index,
                     error.c_str());
        return true;
    };
    const int records = sheet.List->GetCount();
    if (editOne) {
        TZelmarField field;
        field.Kind = ecsdtDataText;
        field.Name = "zelmar_bench";
        TZelmarDataCarrier value;
        value.SetText("edited");
        sheet.List->GetSDFileData(records / 2)->SetDataForField(&field, &value);
    }
    const auto start = TClock::now();
    const bool saved = sheet.List->SaveFile(out);
    const double seconds = SecondsSince(start);
    if (!saved) return 1;
    std::printf(
        "{\"records\":%d,\"save_errors\":%d,\"load_seconds\":%.6f,\"seconds\":%.6f,"
        "\"records_per_s\":%.0f,\"identical\":%s,\"peak_rss_mb\":%.1f}\n",
        records, saveErrors, sheet.Seconds, seconds, records / seconds,
        SameBytes(file, out) ? "true" : "false", PeakRssMb());
    return 0;
}

// search FILE --query Q.mol [--exact] [--stereo] [--twice]
// search FILE --field NAME --text T [--contains|--begins] [--case] [--twice]
// A sheet reads the file, then SearchDataForField runs over it and is timed; --twice runs it
// again on the same sheet (prepared molecules kept by the library) and adds second_seconds;
// --runs N runs it N times and reports the first and the last.
int RunSearch(const std::string& file, const std::vector<std::string>& args) {
    std::string queryFile;
    std::string fieldName;
    std::string text;
    bool haveText = false;
    int options = 0;
    bool exact = false;
    bool stereo = false;
    bool twice = false;
    int runs = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--query" && hasValue) {
            queryFile = args[++i];
        } else if (arg == "--field" && hasValue) {
            fieldName = args[++i];
        } else if (arg == "--text" && hasValue) {
            text = args[++i];
            haveText = true;
        } else if (arg == "--exact") {
            exact = true;
        } else if (arg == "--stereo") {
            stereo = true;
        } else if (arg == "--contains") {
            options |= soContains;
        } else if (arg == "--begins") {
            options |= soBeginsWith;
        } else if (arg == "--case") {
            options |= soCaseSensitive;
        } else if (arg == "--twice") {
            twice = true;
        } else if (arg == "--runs" && hasValue) {
            // More searches after the first, for profiles of searches over kept molecules.
            runs = std::max(1, std::atoi(args[++i].c_str()));
            twice = runs > 1;
        } else {
            std::fprintf(stderr, "search: unknown or incomplete option %s\n", arg.c_str());
            return 2;
        }
    }
    if (queryFile.empty() == (fieldName.empty() || !haveText)) {
        std::fprintf(stderr, "search: give either --query Q.mol or --field NAME --text T\n");
        return 2;
    }

    TZelmarDataCarrier query;
    if (!queryFile.empty()) {
        std::ifstream in(queryFile, std::ios::binary);
        std::string mol((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "cannot read %s\n", queryFile.c_str());
            return 1;
        }
        query.SetText(mol);
        query.SetKind(ecsdtChemistry);
        options = exact ? soExact : soContains;
    }

    TLoadedSheet sheet;
    if (!sheet.Load(file)) return 1;
    const TZelmarField* field =
        queryFile.empty() ? sheet.List->GetFieldByName(fieldName) : sheet.List->GetChemistryField();
    if (field == nullptr) {
        std::fprintf(stderr, "no field %s in %s\n", fieldName.c_str(), file.c_str());
        return 1;
    }
    if (queryFile.empty()) {
        query.SetText(text);
        query.SetKind(field->Kind);
        if ((options & (soContains | soBeginsWith)) == 0) options |= soExact;
    }

    double seconds[2] = {-1.0, -1.0};
    double cpu[2] = {-1.0, -1.0};
    int hits = 0;
    if (runs == 0) runs = twice ? 2 : 1;
    for (int run = 0; run < runs; ++run) {
        TZelmarRecordRefs results;
        const double cpuStart = CpuSeconds();
        const auto start = TClock::now();
        if (!sheet.List->SearchDataForField(field, &query, false, &results, stereo, options)) {
            std::fprintf(stderr, "search failed\n");
            return 1;
        }
        seconds[std::min(run, 1)] = SecondsSince(start);
        cpu[std::min(run, 1)] = CpuSeconds() - cpuStart;
        hits = results.GetCount();
    }
    const int records = sheet.List->GetCount();
    std::printf(
        "{\"records\":%d,\"hits\":%d,\"seconds\":%.6f,\"records_per_s\":%.0f,"
        "\"cpu_seconds\":%.6f",
        records, hits, seconds[0], records / seconds[0], cpu[0]);
    if (twice)
        std::printf(
            R"(,"second_seconds":%.6f,"second_records_per_s":%.0f,"second_cpu_seconds":%.6f)",
            seconds[1], records / seconds[1], cpu[1]);
    std::printf("}\n");
    return 0;
}

struct TCommand {
    const char* Name;
    int (*Run)(const std::string& file);
    const char* Help;
    // Commands that also write a file take it as a second argument instead.
    int (*RunWithOutput)(const std::string& file, const std::string& out) = nullptr;
    // Commands with options take everything after the file.
    int (*RunWithOptions)(const std::string& file, const std::vector<std::string>& args) = nullptr;
};

const TCommand kCommands[] = {
    {"index", RunIndex, "open by index and count: records, seconds"},
    {"read", RunRead,
     "read every record, formula and weight: records, failed, seconds, peak_rss_mb"},
    {"formulas", RunFormulas, "one line per record: index, formula, weight"},
    {"paint", RunPaint,
     "40 structure cells of 128x50 scrolled row by row: cold, cached, per scroll frame and "
     "uncached milliseconds, cache size"},
    {"gui", nullptr,
     "FILE [--max-pages N] [--in-place]: a sheet window (offscreen) opens FILE, then pages through "
     "it with "
     "the structure column in view, twice: records, index_s, first_rows_s, frame times over new "
     "and over drawn rows (mean, p99, max), pictures_ready_p99_ms, peak_rss_mb",
     nullptr, RunGui},
    {"scan", RunScan, "memchr line count of the file: lines, seconds"},
    {"load", RunLoad,
     "a sheet reads the file: records, loaded, errors, fields, index_s, first_record_s, load_s, "
     "peak_rss_mb"},
    {"save", nullptr,
     "FILE OUT [--edit-one]: a sheet reads FILE (and changes one value), then writes it to "
     "OUT: records, save_errors, load_seconds, seconds (writing), records_per_s, identical "
     "(OUT holds FILE's bytes), peak_rss_mb",
     nullptr, RunSave},
    {"search", nullptr,
     "FILE --query Q.mol [--exact] [--stereo] | --field NAME --text T [--contains|--begins] "
     "[--case], each [--twice|--runs N]: a sheet reads FILE, then one timed search: records, hits, "
     "seconds, records_per_s, cpu_seconds[, the same for the second]",
     nullptr, RunSearch},
    {"sort", nullptr,
     "FILE --field NAME|formula|weight|molecule [--desc] [--twice] [--language XX]: a sheet "
     "reads FILE, then "
     "one timed sort (--twice: and a second one): records, seconds, cpu_seconds, second_seconds; "
     "or FILE --fields A,B,... --rounds N: sorts by each field in turn, N rounds, and lists "
     "each field's times, best first",
     nullptr, RunSort},
    {"duplicates", nullptr,
     "FILE --field NAME|formula|weight|molecule [--stereo] [--policy N|WORDS] [--twice]: a sheet "
     "reads FILE, then one timed duplicate search (--twice: and a second one; --policy: molecules "
     "under a duplicate policy, bits or the tool's words): records, policy, groups (real groups, "
     "also among molecules of one formula), duplicates, seconds, cpu_seconds, second_seconds",
     nullptr, RunDuplicates},
    {"mix", nullptr,
     "LEFT RIGHT --op intersect|merge|left-minus-right|right-minus-left: two sheets read, "
     "then one timed mix by molecule: left, right, result, seconds",
     nullptr, RunMix},
    {"copy", RunCopy,
     "a sheet reads the file, then the table Copy makes of all rows under every column (TSV, "
     "CSV with SMILES, the records as an SD file) is timed: records, columns, tsv_mb, csv_mb, "
     "sd_mb, load_seconds, seconds, cpu_seconds, again_seconds (a second copy: the SMILES "
     "kept), without_molecule_seconds (the same copy without the molecule column), "
     "peak_rss_mb"},
    {"undo-delete", RunUndoDelete,
     "a sheet reads the file, all its records are deleted in one step, which is undone and "
     "redone: records, load_seconds, delete_seconds, undo_seconds, redo_seconds, peak_rss_mb"},
    {"filter", nullptr,
     "FILE --field NAME|all --text T: a sheet reads FILE, then the filter bar's query narrows "
     "it (timed with the rows it leaves) and is taken off: records, rows, seconds, "
     "clear_seconds",
     nullptr, RunFilter},
    {"policy-keys", nullptr,
     "FILE [--policy N] [--stereo] [--distinct]: structure keys of every record under a "
     "duplicate policy (bits: 1 salts, 2 charges, 4 isotopes, 8 tautomers; default 15), on the "
     "work threads; --distinct makes every text new so that nothing read before is reused: "
     "records, keyed, empty, unreadable, distinct_keys, seconds, records_per_s, cpu_seconds, "
     "peak_rss_mb",
     nullptr, RunPolicyKeys},
    {"identifiers", nullptr,
     "FILE [--kind smiles|inchi|inchikey]: a sheet reads FILE, then the identifier column's "
     "values of every record are made on the work threads, and asked for again (kept): "
     "records, kind, threads, made, empty, load_seconds, seconds, ms_per_record, cpu_seconds, "
     "again_seconds, again_made",
     nullptr, RunIdentifiers},
    {"hit-marks", nullptr,
     "FILE --query Q.mol [--stereo]: the hits of a substructure search, each matched once as "
     "its row is first shown and drawn at a cell's size with and without its marks: records, "
     "hits, matched, match_ms_mean, match_ms_p95, match_ms_max, draw_ms_mean, "
     "marked_draw_ms_mean, marked_draw_ms_p95",
     nullptr, RunHitMarks},
    {"mix-dialog", nullptr,
     "LEFT RIGHT --op intersect|merge|left-minus-right|right-minus-left: the same mix through "
     "the mixing dialog's OK (offscreen), with its progress panel: left, right, result, seconds",
     nullptr, RunMixDialog},
};

int Usage() {
    std::fprintf(stderr, "usage: zelmar_bench COMMAND FILE [OUT | OPTIONS]\n");
    for (const TCommand& command : kCommands)
        std::fprintf(stderr, "  %-9s %s\n", command.Name, command.Help);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    for (const TCommand& command : kCommands) {
        if (std::strcmp(argv[1], command.Name) != 0) continue;
        if (command.RunWithOptions != nullptr)
            return command.RunWithOptions(argv[2], std::vector<std::string>(argv + 3, argv + argc));
        if (argc == 3 && command.Run != nullptr) return command.Run(argv[2]);
        if (argc == 4 && command.RunWithOutput != nullptr)
            return command.RunWithOutput(argv[2], argv[3]);
    }
    return Usage();
}
