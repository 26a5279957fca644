// Keys are gathered into arrays of their own, sorted there, and the records reordered once
// under the record lock, so that the loader never sees the list half sorted.
#include "Zelmar_Object_Sorter.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"
#include "vesk_MulDiv.h"

namespace {

using TRecordItem = TZelmarStringList<TZelmarSDFileData>::TItem;

// Records are fetched in batches: one lock per batch, not per record.
constexpr int kBatch = 4096;

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

// Locale order first, bytes for what the locale calls equal: a total order, as sorting needs.
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

// Calls visit(position, record) for records 0..count-1 in batches; stops when visit answers
// false.
template <typename Visit>
bool ForEachRecord(IZelmarRecordAccess& records, int count, Visit&& visit) {
    std::vector<TZelmarSDFileData*> batch;
    for (int first = 0; first < count; first += kBatch) {
        const int size = std::min(kBatch, count - first);
        records.RecordsAt(first, size, batch);
        for (int k = 0; k < size; ++k)
            if (!visit(first + k, batch[static_cast<std::size_t>(k)])) return false;
    }
    return true;
}

}  // namespace

int TZelmarSorter::CompareStringKeys(const std::string& a, const std::string& b) {
    return CompareText(a, b, CollationIsByteOrder());
}

int TZelmarSorter::CompareFloatKeys(const std::string& a, const std::string& b) {
    if (a == b) return 0;
    return CompareNumbers(KeyToNumber(a), KeyToNumber(b));
}

int TZelmarSorter::StringSortProc(const TZelmarStringList<TZelmarSDFileData>& list, int a, int b) {
    return Guarded("TZelmarSorter.StringSortProc", 0, [&] {
        if (!list.IsValidIndex(a) || !list.IsValidIndex(b)) return 0;
        return CompareStringKeys(list.GetText(a), list.GetText(b));
    });
}

int TZelmarSorter::FloatSortProc(const TZelmarStringList<TZelmarSDFileData>& list, int a, int b) {
    return Guarded("TZelmarSorter.FloatSortProc", 0, [&] {
        if (!list.IsValidIndex(a) || !list.IsValidIndex(b)) return 0;
        return CompareFloatKeys(list.GetText(a), list.GetText(b));
    });
}

bool TZelmarSorter::Sort(const TZelmarField* field, bool descending) {
    return Guarded("TZelmarSorter.Sort", false, [&] {
        if (field == nullptr) return false;
        switch (field->Kind) {
            case ecsdtDataText:
                return SortByText(field, descending);
            case ecsdtFormula:
                return SortByFormula(descending, 0, FRecords.RecordCount());
            case ecsdtMolweight:
                return SortByNumber(field, descending);
            case ecsdtChemistry:
                return SortByStructure(descending);
            default:
                return false;
        }
    });
}

namespace {

// The order that sorts the texts (order[k]: position of the k-th text). Stable in both
// directions: equal texts keep their order.
std::vector<int> TextOrder(const std::vector<std::string>& texts, bool descending) {
    std::vector<int> order(texts.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    const bool byteOrder = CollationIsByteOrder();
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        const int compared = CompareText(texts[static_cast<std::size_t>(x)],
                                         texts[static_cast<std::size_t>(y)], byteOrder);
        return descending ? compared > 0 : compared < 0;
    });
    return order;
}

}  // namespace

bool TZelmarSorter::SortByText(const TZelmarField* field, bool descending) {
    const int count = FRecords.RecordCount();
    std::vector<std::string> texts(static_cast<std::size_t>(count));
    TZelmarDataCarrier value;
    if (!ForEachRecord(FRecords, count, [&](int i, TZelmarSDFileData* record) {
            if (record != nullptr) {
                value.Clear();
                if (record->GetDataForField(field, &value))
                    texts[static_cast<std::size_t>(i)] = value.Text();
            }
            return FRecords.SortProgress(Percent(i, count));
        }))
        return false;
    FRecords.ReorderRecords(TextOrder(texts, descending));
    return true;
}

bool TZelmarSorter::SortByNumber(const TZelmarField* field, bool descending) {
    const int count = FRecords.RecordCount();
    // Numbers are compared as numbers: no text key is written and read back.
    std::vector<std::pair<double, int>> numbers;
    numbers.reserve(static_cast<std::size_t>(count));
    TZelmarDataCarrier value;
    if (!ForEachRecord(FRecords, count, [&](int i, TZelmarSDFileData* record) {
            value.Clear();
            const bool present = record != nullptr && record->GetDataForField(field, &value);
            numbers.emplace_back(present ? value.Value() : 0.0, i);
            return FRecords.SortProgress(Percent(i, count));
        }))
        return false;
    std::stable_sort(numbers.begin(), numbers.end(), [descending](const auto& x, const auto& y) {
        return descending ? x.first > y.first : x.first < y.first;
    });
    std::vector<int> order;
    order.reserve(numbers.size());
    for (const auto& number : numbers) order.push_back(number.second);
    FRecords.ReorderRecords(order);
    return true;
}

bool TZelmarSorter::SortByFormula(bool descending, int progressOffset, int progressTotal) {
    const int count = FRecords.RecordCount();
    std::vector<std::string> texts(static_cast<std::size_t>(count));
    if (!ForEachRecord(FRecords, count, [&](int i, TZelmarSDFileData* record) {
            if (!FRecords.SortProgress(Percent(i + progressOffset, progressTotal))) return false;
            if (record != nullptr) texts[static_cast<std::size_t>(i)] = record->GetFormulaSortKey();
            return true;
        }))
        return false;
    // Records of one formula keep their order, which the molecule sort's groups follow.
    FRecords.ReorderRecords(TextOrder(texts, descending));
    return true;
}

bool TZelmarSorter::SortByStructure(bool descending) {
    const int count = FRecords.RecordCount();
    const int total = 2 * count;
    if (!SortByFormula(descending, 0, total)) return false;
    std::vector<TZelmarSDFileData*> all;
    all.reserve(static_cast<std::size_t>(count));
    std::vector<std::string> formulas;
    formulas.reserve(static_cast<std::size_t>(count));
    ForEachRecord(FRecords, count, [&](int, TZelmarSDFileData* record) {
        all.push_back(record);
        formulas.push_back(record != nullptr ? record->GetFormula() : std::string());
        return true;
    });
    if (!FRecords.SearchProgress(Percent(count, total))) return false;

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
        while (end < count &&
               formulas[static_cast<std::size_t>(end)] == formulas[static_cast<std::size_t>(first)])
            ++end;
        if (end - first > 1) {
            const int base = static_cast<int>(records.size());
            runs.push_back({first, base, base + end - first});
            blocks.emplace_back(base, base + end - first);
            for (int i = first; i < end; ++i) records.push_back(all[static_cast<std::size_t>(i)]);
        }
        first = end;
    }
    // The sort compares structures as exact search does by default: without stereo.
    std::vector<const TZelmarStructureKey*> keys;
    if (!FStructureKeys.Make(records, blocks, false, keys, [&](std::size_t done, std::size_t all) {
            const auto position =
                static_cast<int>(all == 0 ? 0 : static_cast<double>(done) * count / all);
            return FRecords.SearchProgress(Percent(count + position, total));
        }))
        return false;

    // Each run becomes its groups of identical structures, one after the other, in the order
    // of their first records.
    std::vector<int> order(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
    for (const TRun& run : runs) {
        int to = run.Position;
        for (const std::vector<int>& group : ZelmarIdenticalGroups(keys, run.First, run.End))
            for (const int k : group)
                order[static_cast<std::size_t>(to++)] = run.Position + k - run.First;
    }
    FRecords.ReorderRecords(order);
    return true;
}

bool TZelmarSorter::MoveObjectsToPos(TZelmarStringList<TZelmarSDFileData>& target,
                                     const std::vector<int>& positions, int start) {
    return Guarded("TZelmarSorter.MoveObjectsToPos", false, [&] {
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
