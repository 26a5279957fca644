// Sorting a sheet's records in place: keys go into the records' texts, then the pairs are
// reordered under CriticalSection so that the loader never sees the list half sorted.
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"
#include "vesk_Guard.h"
#include "vesk_MulDiv.h"

namespace {

using TRecordItem = TZelmarStringList<TZelmarSDFileData>::TItem;

int Percent(int position, int total) {
    const int percent = platform::MulDiv(position, 100, total);
    return percent < 0 ? 0 : percent;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// strcoll in the C locale is byte order anyway; skipping it keeps big sorts fast.
bool CollationIsByteOrder() {
    const char* name = std::setlocale(LC_COLLATE, nullptr);
    return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

// Locale order first, bytes for what the locale calls equal: a total order, as std::sort
// needs one.
int CompareText(const std::string& a, const std::string& b, bool byteOrder) {
    if (a == b) return 0;
    if (!byteOrder) {
        const int collated = std::strcoll(a.c_str(), b.c_str());
        if (collated != 0) return Sign(collated);
    }
    return Sign(a.compare(b));
}

// strtod follows the locale's decimal separator, as the keys were written with it.
double KeyToNumber(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || std::isnan(value)) return 0.0;
    return value;
}

int CompareNumbers(double a, double b) {
    return (a > b) - (a < b);
}

// Puts the items into the given order (order[k] is the old position of the new k-th item).
void Permute(TZelmarStringList<TZelmarSDFileData>& list, const std::vector<int>& order) {
    std::vector<TRecordItem> moved;
    moved.reserve(order.size());
    auto first = list.begin();
    for (const int from : order) moved.push_back(std::move(first[from]));
    std::move(moved.begin(), moved.end(), first);
}

}  // namespace

int TZelmarSDFileDataList::CompareStringKeys(const std::string& a, const std::string& b) {
    return CompareText(a, b, CollationIsByteOrder());
}

int TZelmarSDFileDataList::CompareFloatKeys(const std::string& a, const std::string& b) {
    if (a == b) return 0;
    return CompareNumbers(KeyToNumber(a), KeyToNumber(b));
}

int TZelmarSDFileDataList::StringSortProc(const TZelmarRecordRefs& list, int a, int b) {
    return Guarded("StringSortProc", 0, [&] {
        if (!list.IsValidIndex(a) || !list.IsValidIndex(b)) return 0;
        return CompareStringKeys(list.GetText(a), list.GetText(b));
    });
}

int TZelmarSDFileDataList::FloatSortProc(const TZelmarRecordRefs& list, int a, int b) {
    return Guarded("FloatSortProc", 0, [&] {
        if (!list.IsValidIndex(a) || !list.IsValidIndex(b)) return 0;
        return CompareFloatKeys(list.GetText(a), list.GetText(b));
    });
}

bool TZelmarSDFileDataList::SortForField(TZelmarField* field, std::uint8_t direction) {
    if (field == nullptr || !field->IsSortable() || direction > 2) return false;
    return Guarded("TZelmarSDFileDataList.SortForField", false, [&] {
        std::uint8_t newDirection = direction;
        if (newDirection == 0) newDirection = (field == SortField && SortDirection == 1) ? 2 : 1;
        if (OnStartSort) OnStartSort(this);
        const bool sorted = Guarded("TZelmarSDFileDataList.SortForField", false, [&] {
            switch (field->Kind) {
                case ecsdtDataText:
                    return DoStringSort(field);
                case ecsdtFormula:
                    return DoFormulaSort();
                case ecsdtMolweight:
                    return DoFloatSort(field);
                case ecsdtChemistry:
                    return DoChemistrySort(field);
                default:
                    return false;
            }
        });
        GuardedVoid("TZelmarSDFileDataList.SortForField", [&] {
            if (sorted) {
                SortDirection = newDirection;
                SortField = field;
                if (newDirection == 2) ResortStringList();
            }
        });
        if (OnEndSort) OnEndSort(this);
        return sorted;
    });
}

bool TZelmarSDFileDataList::DoStringSort(const TZelmarField* field) {
    return Guarded("TZelmarSDFileDataList.DoStringSort", false, [&] {
        if (field == nullptr) return false;
        const int count = GetCount();
        TZelmarDataCarrier value;
        for (int i = 0; i < count; ++i) {
            TZelmarSDFileData* record = GetSDFileData(i);
            if (record == nullptr) continue;
            value.Clear();
            std::string key = record->GetDataForField(field, &value) ? value.Text() : std::string();
            if (OnSortProgress && !OnSortProgress(this, Percent(i, count))) return false;
            std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
            FRecords.SetText(i, std::move(key));
        }
        const bool byteOrder = CollationIsByteOrder();
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        std::sort(FRecords.begin(), FRecords.end(),
                  [byteOrder](const TRecordItem& x, const TRecordItem& y) {
                      return CompareText(x.Text, y.Text, byteOrder) < 0;
                  });
        return true;
    });
}

bool TZelmarSDFileDataList::DoFloatSort(const TZelmarField* field) {
    return Guarded("TZelmarSDFileDataList.DoFloatSort", false, [&] {
        if (field == nullptr) return false;
        const int count = GetCount();
        // Numbers are compared as numbers: no text key is written and read back.
        std::vector<std::pair<double, int>> numbers;
        numbers.reserve(static_cast<std::size_t>(count));
        TZelmarDataCarrier value;
        for (int i = 0; i < count; ++i) {
            TZelmarSDFileData* record = GetSDFileData(i);
            value.Clear();
            const bool present = record != nullptr && record->GetDataForField(field, &value);
            numbers.emplace_back(present ? value.Value() : 0.0, i);
            if (OnSortProgress && !OnSortProgress(this, Percent(i, count))) return false;
        }
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        // The list may only have grown meanwhile; new records stay behind the sorted ones.
        std::sort(numbers.begin(), numbers.end(),
                  [](const auto& x, const auto& y) { return x.first < y.first; });
        std::vector<int> order;
        order.reserve(static_cast<std::size_t>(FRecords.GetCount()));
        for (const auto& number : numbers) order.push_back(number.second);
        for (int i = count; i < FRecords.GetCount(); ++i) order.push_back(i);
        Permute(FRecords, order);
        return true;
    });
}

bool TZelmarSDFileDataList::DoFormulaSort() {
    return Guarded("TZelmarSDFileDataList.DoFormulaSort", false,
                   [&] { return DoFormulaSortForChemistry(0, GetCount()); });
}

bool TZelmarSDFileDataList::DoFormulaSortForChemistry(int progressOffset, int progressTotal) {
    return Guarded("TZelmarSDFileDataList.DoFormulaSortForChemistry", false, [&] {
        const int count = GetCount();
        for (int i = 0; i < count; ++i) {
            if (OnSortProgress && !OnSortProgress(this, Percent(i + progressOffset, progressTotal)))
                return false;
            TZelmarSDFileData* record = GetSDFileData(i);
            if (record == nullptr) continue;
            std::string key = record->GetFormulaSortKey();
            std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
            FRecords.SetText(i, std::move(key));
        }
        const bool byteOrder = CollationIsByteOrder();
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        // Stable: records of one formula keep their order, which the molecule sort's groups
        // follow.
        std::stable_sort(FRecords.begin(), FRecords.end(),
                         [byteOrder](const TRecordItem& x, const TRecordItem& y) {
                             return CompareText(x.Text, y.Text, byteOrder) < 0;
                         });
        return true;
    });
}

bool TZelmarSDFileDataList::BuildChemistryPrecheckForSort(int progressOffset, int progressTotal,
                                                          const TPrecheckProgress& progress,
                                                          void* data) {
    return Guarded("TZelmarSDFileDataList.BuildChemistryPrecheckForSort", false, [&] {
        const int count = GetCount();
        for (int i = 0; i < count; ++i) {
            if (progress && !progress(data, this, Percent(i + progressOffset, progressTotal)))
                return false;
            TZelmarSDFileData* record = GetSDFileData(i);
            std::string key = record != nullptr ? record->GetFormula() : std::string();
            std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
            FRecords.SetText(i, std::move(key));
        }
        return true;
    });
}

bool TZelmarSDFileDataList::DoChemistrySort(const TZelmarField* field) {
    return Guarded("TZelmarSDFileDataList.DoChemistrySort", false, [&] {
        if (field == nullptr) return false;
        const int count = GetCount();
        const int total = 2 * count;
        if (!DoFormulaSortForChemistry(0, total)) return false;
        if (!BuildChemistryPrecheckForSort(count, total, nullptr, nullptr)) return false;
        if (OnSearchProgress && !OnSearchProgress(this, Percent(count, total))) return false;

        // Runs of equal formula; only their records need a structure key.
        struct TRun {
            int Position;  // in the list
            int First;     // in records
            int End;
        };
        std::vector<TRun> runs;
        std::vector<std::pair<int, int>> blocks;
        std::vector<TZelmarSDFileData*> records;
        for (int first = 0; first < count;) {
            int end = first + 1;
            while (end < count && FRecords.GetText(end) == FRecords.GetText(first)) ++end;
            if (end - first > 1) {
                const int base = static_cast<int>(records.size());
                runs.push_back({first, base, base + end - first});
                blocks.emplace_back(base, base + end - first);
                for (int i = first; i < end; ++i) records.push_back(GetSDFileData(i));
            }
            first = end;
        }
        // The sort compares structures as exact search does by default: without stereo.
        std::vector<const TZelmarStructureKey*> keys;
        if (!MakeStructureKeys(
                records, blocks, false, keys, [&](std::size_t done, std::size_t all) {
                    const auto position =
                        static_cast<int>(all == 0 ? 0 : static_cast<double>(done) * count / all);
                    return !OnSearchProgress ||
                           OnSearchProgress(this, Percent(count + position, total));
                }))
            return false;

        // Each run becomes its groups of identical structures, one after the other, in the
        // order of their first records.
        std::vector<int> order(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
        for (const TRun& run : runs) {
            int to = run.Position;
            for (const std::vector<int>& group : ZelmarIdenticalGroups(keys, run.First, run.End))
                for (const int k : group)
                    order[static_cast<std::size_t>(to++)] = run.Position + k - run.First;
        }
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        for (int i = count; i < FRecords.GetCount(); ++i) order.push_back(i);
        Permute(FRecords, order);
        return true;
    });
}

void TZelmarSDFileDataList::ResortStringList() {
    GuardedVoid("TZelmarSDFileDataList.ResortStringList", [&] {
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        std::reverse(FRecords.begin(), FRecords.end());
    });
}

bool TZelmarSDFileDataList::MoveObjectsToPos(TZelmarStringList<TZelmarSDFileData>& target,
                                             const std::vector<int>& positions, int start) {
    return Guarded("TZelmarSDFileDataList.MoveObjectsToPos", false, [&] {
        const int moved = static_cast<int>(positions.size());
        if (moved == 0) return true;
        if (start < 0 || start + moved > target.GetCount()) return false;
        std::vector<bool> chosen(static_cast<std::size_t>(target.GetCount()), false);
        int low = start;
        int high = start + moved - 1;
        for (const int position : positions) {
            if (!target.IsValidIndex(position) || chosen[position]) return false;
            chosen[position] = true;
            low = std::min(low, position);
            high = std::max(high, position);
        }
        // Only the window between the first and last position touched is rebuilt.
        std::lock_guard<std::recursive_mutex> lock(FCriticalSection);
        auto first = target.begin();
        std::vector<TRecordItem> picked;
        std::vector<TRecordItem> rest;
        picked.reserve(positions.size());
        for (const int position : positions) picked.push_back(std::move(first[position]));
        for (int k = low; k <= high; ++k)
            if (!chosen[k]) rest.push_back(std::move(first[k]));
        const auto split = rest.begin() + (start - low);
        auto out = first + low;
        out = std::move(rest.begin(), split, out);
        out = std::move(picked.begin(), picked.end(), out);
        std::move(split, rest.end(), out);
        return true;
    });
}
