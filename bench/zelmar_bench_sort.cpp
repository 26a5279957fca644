// zelmar_bench sort, duplicates and mix: a sheet reads the file(s) completely first; only the
// operation itself is timed.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_WindowHelper.h"
#include "vesk_Dispatcher.h"

namespace {

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

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

// sort FILE --field NAME|formula|weight|molecule [--desc]
int RunSort(const std::string& file, const std::vector<std::string>& args) {
    TSheet sheet;
    if (!sheet.Load(file)) return 1;
    TZelmarField* field = FieldFor(*sheet.List, Option(args, "--field"));
    if (field == nullptr) {
        std::fprintf(stderr, "no such field\n");
        return 2;
    }
    const auto start = TClock::now();
    const bool sorted = sheet.List->SortForField(field, Flag(args, "--desc") ? 2 : 1);
    const double seconds = SecondsSince(start);
    if (!sorted) return 1;
    std::printf("{\"records\":%d,\"seconds\":%.6f}\n", sheet.List->GetCount(), seconds);
    return 0;
}

// duplicates FILE --field NAME|formula|weight|molecule [--stereo]
int RunDuplicates(const std::string& file, const std::vector<std::string>& args) {
    TSheet sheet;
    if (!sheet.Load(file)) return 1;
    TZelmarField* field = FieldFor(*sheet.List, Option(args, "--field"));
    if (field == nullptr) {
        std::fprintf(stderr, "no such field\n");
        return 2;
    }
    TZelmarRecordRefs results;
    const auto start = TClock::now();
    const bool done = sheet.List->SearchForDuplicates(field, Flag(args, "--stereo"), &results);
    const double seconds = SecondsSince(start);
    if (!done) return 1;
    // Groups: a new group starts where the precheck key (the record's key) changes, or for
    // molecules where a record is not identical to the one before; count by key here.
    int groups = 0;
    std::string last;
    for (int i = 0; i < results.GetCount(); ++i) {
        const std::string key = results.GetObject(i)->GetPrecheckForSearch(field);
        if (i == 0 || key != last) ++groups;
        last = key;
    }
    std::printf("{\"records\":%d,\"groups\":%d,\"duplicates\":%d,\"seconds\":%.6f}\n",
                sheet.List->GetCount(), groups, results.GetCount(), seconds);
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
    if (op == "intersect") done = helper.IntersectData(left.List.get(), right.List.get(), field, &target);
    else if (op == "merge") done = helper.MergeData(left.List.get(), right.List.get(), &target);
    else if (op == "left-minus-right")
        done = helper.SubtractData(left.List.get(), right.List.get(), field, &target);
    else if (op == "right-minus-left")
        done = helper.SubtractData(right.List.get(), left.List.get(), field, &target);
    else return 2;
    const double seconds = SecondsSince(start);
    if (!done) return 1;
    std::printf("{\"left\":%d,\"right\":%d,\"result\":%d,\"seconds\":%.6f}\n",
                left.List->GetCount(), right.List->GetCount(), target.GetCount(), seconds);
    return 0;
}
