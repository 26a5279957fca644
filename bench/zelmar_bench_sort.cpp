// zelmar_bench sort, duplicates and mix: a sheet reads the file(s) completely first; only the
// operation itself is timed.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Zelmar_Collation.h"
#include "Zelmar_Object_PolicyKeys.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"
#include "Zelmar_SetOperations.h"
#include "vesk_Dispatcher.h"
#include "zelmar_bench_measure.h"

namespace {

struct TSheet {
    platform::TQueuedUiDispatcher Ui;
    std::unique_ptr<TZelmarSDFileDataList> List = std::make_unique<TZelmarSDFileDataList>(&Ui);
    bool Load(const std::string& file) {
        if (!List->LoadFile(file)) {
            std::fprintf(stderr, "cannot start reading %s\n", file.c_str());
            return false;
        }
        while (!List->GetLoadFinished()) Ui.WaitAndProcess(std::chrono::milliseconds(1));
        return true;
    }
};

// NAME | formula | weight | molecule -> a field of the sheet (data text fields by name).
TZelmarField* FieldFor(TZelmarSDFileDataList& list, const std::string& name) {
    if (name == "formula") return list.GetFieldByName(kFieldNameFormula);
    if (name == "weight") return list.GetFieldByName(kFieldNameMolweight);
    if (name == "molecule") return list.GetFieldByName(kFieldNameChemistry);
    return list.GetFieldByName(name);
}

std::string Option(const std::vector<std::string>& args, const std::string& name) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == name) return args[i + 1];
    return std::string();
}

bool Flag(const std::vector<std::string>& args, const std::string& name) {
    for (const auto& arg : args)
        if (arg == name) return true;
    return false;
}

}  // namespace

// The fields of a comma-separated list, in order; null where there is no such field.
std::vector<TZelmarField*> FieldsFor(TZelmarSDFileDataList& list, const std::string& names) {
    std::vector<TZelmarField*> fields;
    std::size_t start = 0;
    while (start <= names.size()) {
        const std::size_t comma = std::min(names.find(',', start), names.size());
        fields.push_back(FieldFor(list, names.substr(start, comma - start)));
        start = comma + 1;
    }
    return fields;
}

// sort FILE --fields A,B,... --rounds N: sorts by A, then B, ... N times over (each sort starts
// from the order the one before left), and reports each field's times, best first.
int RunSortRounds(TSheet& sheet, const std::vector<std::string>& args) {
    const std::string names = Option(args, "--fields");
    const std::vector<TZelmarField*> fields = FieldsFor(*sheet.List, names);
    for (const TZelmarField* field : fields)
        if (field == nullptr) {
            std::fprintf(stderr, "no such field in %s\n", names.c_str());
            return 2;
        }
    const int rounds = std::max(1, std::atoi(Option(args, "--rounds").c_str()));
    std::vector<std::vector<double>> times(fields.size());
    for (int round = 0; round < rounds; ++round)
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const auto start = TClock::now();
            if (!sheet.List->SortForField(fields[f], 1)) return 1;
            times[f].push_back(SecondsSince(start));
        }
    std::printf("{\"records\":%d", sheet.List->GetCount());
    for (std::size_t f = 0; f < fields.size(); ++f) {
        std::sort(times[f].begin(), times[f].end());
        std::printf(",\"%s\":[", fields[f]->Name.c_str());
        for (std::size_t k = 0; k < times[f].size(); ++k)
            std::printf("%s%.3f", k > 0 ? "," : "", times[f][k]);
        std::printf("]");
    }
    std::printf("}\n");
    return 0;
}

// sort FILE --field NAME|formula|weight|molecule [--desc] [--twice] [--language XX]: --twice
// sorts a second time the same way (second_seconds), which may reuse what the first sort
// learnt; --language sorts texts by that language's collation, as the program does under the
// C locale. With --fields instead of --field: RunSortRounds.
int RunSort(const std::string& file, const std::vector<std::string>& args) {
    SetCollationLanguage(Option(args, "--language"));
    TSheet sheet;
    if (!sheet.Load(file)) return 1;
    if (!Option(args, "--fields").empty()) return RunSortRounds(sheet, args);
    TZelmarField* field = FieldFor(*sheet.List, Option(args, "--field"));
    if (field == nullptr) {
        std::fprintf(stderr, "no such field\n");
        return 2;
    }
    const std::uint8_t direction = Flag(args, "--desc") ? 2 : 1;
    const double cpu = CpuSeconds();
    auto start = TClock::now();
    const bool sorted = sheet.List->SortForField(field, direction);
    const double seconds = SecondsSince(start);
    const double cpuSeconds = CpuSeconds() - cpu;
    if (!sorted) return 1;
    double second = -1.0;
    if (Flag(args, "--twice")) {
        start = TClock::now();
        if (!sheet.List->SortForField(field, direction)) return 1;
        second = SecondsSince(start);
    }
    std::printf("{\"records\":%d,\"seconds\":%.6f,\"cpu_seconds\":%.3f,\"second_seconds\":%.6f}\n",
                sheet.List->GetCount(), seconds, cpuSeconds, second);
    return 0;
}

// duplicates FILE --field NAME|formula|weight|molecule [--stereo] [--policy N|WORDS] [--twice]:
// --twice searches a second time (second_seconds, which must find the same; with a policy it
// works from the kept keys). --policy takes the bits (15) or the tool's words.
int RunDuplicates(const std::string& file, const std::vector<std::string>& args) {
    int policy = 0;
    const std::string policyText = Option(args, "--policy");
    if (!policyText.empty()) {
        std::string bad;
        if (policyText.find_first_not_of("0123456789") == std::string::npos)
            policy = std::atoi(policyText.c_str());
        else if (!ZelmarParsePolicy(policyText, policy, bad)) {
            std::fprintf(stderr, "unknown policy word %s\n", bad.c_str());
            return 2;
        }
    }
    TSheet sheet;
    if (!sheet.Load(file)) return 1;
    TZelmarField* field = FieldFor(*sheet.List, Option(args, "--field"));
    if (field == nullptr) {
        std::fprintf(stderr, "no such field\n");
        return 2;
    }
    TZelmarRecordRefs results;
    const double cpu = CpuSeconds();
    auto start = TClock::now();
    const bool done =
        sheet.List->SearchForDuplicates(field, Flag(args, "--stereo"), &results, policy);
    const double seconds = SecondsSince(start);
    const double cpuSeconds = CpuSeconds() - cpu;
    if (!done) return 1;
    double second = -1.0;
    if (Flag(args, "--twice")) {
        TZelmarRecordRefs again;
        start = TClock::now();
        if (!sheet.List->SearchForDuplicates(field, Flag(args, "--stereo"), &again, policy))
            return 1;
        second = SecondsSince(start);
        bool same = again.GetCount() == results.GetCount();
        for (int i = 0; same && i < again.GetCount(); ++i)
            same = again.GetObject(i) == results.GetObject(i);
        if (!same) {
            std::fprintf(stderr, "the second search found other duplicates\n");
            return 1;
        }
    }
    // Groups: a new group starts where the precheck key (the record's key) changes, and for
    // molecules also where a record is not the same structure as the one before (records of
    // one formula may form several groups). Counted after the timing.
    const bool stereo = Flag(args, "--stereo");
    const bool molecules = field->Kind == ecsdtChemistry;
    TZelmarSearchEngine engine(nullptr);
    int groups = 0;
    std::string lastKey;
    TZelmarStructureKey lastStructure;
    for (int i = 0; i < results.GetCount(); ++i) {
        TZelmarSDFileData* record = results.GetObject(i);
        const std::string key = record->GetPrecheckForSearch(field);
        TZelmarStructureKey structure;
        if (molecules) structure = engine.StructureKey(std::string(record->MolString()), stereo);
        const bool sameStructure =
            !molecules ||
            (structure.Kind != TZelmarStructureKey::skUnreadable &&
             structure.Kind == lastStructure.Kind && structure.Text == lastStructure.Text);
        // Under a policy a group's formulas may differ: its number tells.
        if (policy != 0) {
            if (i == 0 || results.GetText(i) != results.GetText(i - 1)) ++groups;
            continue;
        }
        if (i == 0 || key != lastKey || !sameStructure) ++groups;
        lastKey = key;
        lastStructure = std::move(structure);
    }
    std::printf(
        "{\"records\":%d,\"policy\":%d,\"groups\":%d,\"duplicates\":%d,\"seconds\":%.6f,"
        "\"cpu_seconds\":%.3f,\"second_seconds\":%.6f}\n",
        sheet.List->GetCount(), policy, groups, results.GetCount(), seconds, cpuSeconds, second);
    return 0;
}

// mix LEFT RIGHT --op intersect|merge|left-minus-right|right-minus-left
int RunMix(const std::string& leftFile, const std::vector<std::string>& args) {
    if (args.empty()) return 2;
    TSheet left, right;
    if (!left.Load(leftFile) || !right.Load(args[0])) return 1;
    const std::string op = Option(args, "--op");
    TZelmarSDFileDataList target(nullptr);
    TZelmarField* field = left.List->GetChemistryField();
    TZelmarWindowHelper helper;
    const auto start = TClock::now();
    bool done = false;
    if (op == "intersect")
        done = helper.IntersectData(left.List.get(), right.List.get(), field, &target);
    else if (op == "merge")
        done = helper.MergeData(left.List.get(), right.List.get(), &target);
    else if (op == "left-minus-right")
        done = helper.SubtractData(left.List.get(), right.List.get(), field, &target);
    else if (op == "right-minus-left")
        done = helper.SubtractData(right.List.get(), left.List.get(), field, &target);
    else
        return 2;
    const double seconds = SecondsSince(start);
    if (!done) return 1;
    std::printf("{\"left\":%d,\"right\":%d,\"result\":%d,\"seconds\":%.6f}\n",
                left.List->GetCount(), right.List->GetCount(), target.GetCount(), seconds);
    return 0;
}
