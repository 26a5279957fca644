// zelmar_bench policy-keys: structure keys under a duplicate policy for every record of a file,
// on the work threads the program uses, each with its own search binding.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_WorkInParts.h"
#include "zelmar_bench_measure.h"

namespace {

bool Flag(const std::vector<std::string>& args, const char* name) {
    for (const std::string& a : args)
        if (a == name) return true;
    return false;
}

}  // namespace

// The molecule block of every record: from the record's start through its "M  END" line.
std::vector<std::string> MolBlocks(const std::string& sd) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < sd.size()) {
        const std::size_t end = sd.find("M  END", pos);
        if (end == std::string::npos) break;
        const std::size_t line = sd.find('\n', end);
        const std::size_t stop = line == std::string::npos ? sd.size() : line + 1;
        out.push_back(sd.substr(pos, stop - pos));
        const std::size_t next = sd.find("$$$$", stop);
        if (next == std::string::npos) break;
        const std::size_t after = sd.find('\n', next);
        pos = after == std::string::npos ? sd.size() : after + 1;
    }
    return out;
}

// policy-keys FILE [--policy N] [--stereo] [--distinct]
int RunPolicyKeys(const std::string& file, const std::vector<std::string>& args) {
    int policy = dpSalts | dpCharges | dpIsotopes | dpTautomers;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--policy") policy = std::atoi(args[i + 1].c_str());
    const bool stereo = Flag(args, "--stereo");
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
    }
    std::vector<std::string> mols = MolBlocks(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    // The library keeps what it read per text; a record number in each title line makes every
    // text new, as in a file without repeated records.
    if (Flag(args, "--distinct"))
        for (std::size_t k = 0; k < mols.size(); ++k) mols[k].insert(0, std::to_string(k));

    const unsigned workers = ZelmarWorkThreads();
    std::vector<std::unique_ptr<TZelmarChemSearchEngine>> engines;
    for (unsigned w = 0; w < workers; ++w) {
        engines.push_back(std::make_unique<TZelmarChemSearchEngine>());
        std::string error;
        engines.back()->Init(error);
        if (!engines.back()->HasPolicyKeys()) {
            std::fprintf(stderr, "no policy keys: %s\n", error.c_str());
            return 1;
        }
    }
    std::vector<std::string> keys(mols.size());
    std::vector<int> results(mols.size(), -1);
    const double cpu = CpuSeconds();
    const auto start = TClock::now();
    const bool done = ZelmarRunInParts(
        mols.size(),
        [&](std::size_t first, std::size_t end, unsigned worker) {
            for (std::size_t k = first; k < end; ++k)
                engines[worker]->PolicyMatchKey(mols[k], policy, stereo, results[k], keys[k]);
        },
        nullptr, workers);
    const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
    const double cpuSeconds = CpuSeconds() - cpu;
    if (!done) return 1;
    int keyed = 0, empty = 0;
    std::set<std::string> groups;
    for (std::size_t k = 0; k < mols.size(); ++k) {
        keyed += results[k] == 1;
        empty += results[k] == 0;
        if (results[k] == 1) groups.insert(keys[k]);
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "{\"records\":%zu,\"policy\":%d,\"stereo\":%s,\"threads\":%u,\"keyed\":%d,\"empty\":%d,"
        "\"unreadable\":%zu,\"distinct_keys\":%zu,\"seconds\":%.6f,\"records_per_s\":%.0f,"
        "\"cpu_seconds\":%.3f,\"peak_rss_mb\":%.1f}\n",
        mols.size(), policy, stereo ? "true" : "false", workers, keyed, empty,
        mols.size() - keyed - empty, groups.size(), seconds, mols.size() / seconds, cpuSeconds,
        static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
