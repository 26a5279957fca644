// zelmar_bench identifiers: a sheet reads the file completely first; then the identifier
// column's values of every record are made on the work threads (timed), and asked for again
// (kept with the records: timed, nothing made).
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_RecordIdentifiers.h"
#include "Zelmar_WorkInParts.h"
#include "vesk_Dispatcher.h"
#include "zelmar_bench_measure.h"

// identifiers FILE [--kind smiles|inchi|inchikey]
int RunIdentifiers(const std::string& file, const std::vector<std::string>& args) {
    std::string name = "inchikey";
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--kind") name = args[i + 1];
    const TZelmarFieldKind kind = name == "smiles"     ? ecsdtSmiles
                                  : name == "inchi"    ? ecsdtInchi
                                  : name == "inchikey" ? ecsdtInchiKey
                                                       : ecsdtNone;
    if (kind == ecsdtNone) {
        std::fprintf(stderr, "--kind is smiles, inchi or inchikey\n");
        return 2;
    }
    platform::TQueuedUiDispatcher ui;
    TZelmarSDFileDataList list(&ui);
    const auto loading = TClock::now();
    if (!list.LoadFile(file)) {
        std::fprintf(stderr, "cannot start reading %s\n", file.c_str());
        return 1;
    }
    while (!list.GetLoadFinished()) ui.WaitAndProcess(std::chrono::milliseconds(1));
    const double loadSeconds = SecondsSince(loading);
    std::vector<TZelmarSDFileData*> records;
    records.reserve(static_cast<std::size_t>(list.GetCount()));
    for (int i = 0; i < list.GetCount(); ++i) records.push_back(list.GetSDFileData(i));
    if (records.empty()) {
        std::fprintf(stderr, "no records in %s\n", file.c_str());
        return 1;
    }

    std::vector<std::string> values;
    const std::int64_t before = ZelmarIdentifiersMade();
    const double cpuBefore = CpuSeconds();
    const auto start = TClock::now();
    if (!ZelmarRecordIdentifiers(records, kind, values, nullptr)) {
        std::fprintf(stderr, "the identifiers could not be made\n");
        return 1;
    }
    const double seconds = SecondsSince(start);
    const double cpuSeconds = CpuSeconds() - cpuBefore;
    const std::int64_t made = ZelmarIdentifiersMade() - before;
    int empty = 0;
    for (const std::string& value : values) empty += value.empty();

    const auto again = TClock::now();
    ZelmarRecordIdentifiers(records, kind, values, nullptr);
    const double againSeconds = SecondsSince(again);
    const std::int64_t madeAgain = ZelmarIdentifiersMade() - before - made;

    std::printf(
        "{\"records\":%zu,\"kind\":\"%s\",\"threads\":%u,\"made\":%lld,\"empty\":%d,"
        "\"load_seconds\":%.3f,\"seconds\":%.3f,\"ms_per_record\":%.4f,\"cpu_seconds\":%.3f,"
        "\"again_seconds\":%.4f,\"again_made\":%lld}\n",
        records.size(), name.c_str(), ZelmarWorkThreads(), static_cast<long long>(made), empty,
        loadSeconds, seconds, 1000.0 * seconds / static_cast<double>(records.size()), cpuSeconds,
        againSeconds, static_cast<long long>(madeAgain));
    return 0;
}
