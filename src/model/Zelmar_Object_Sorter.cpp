// Keys are gathered into arrays of their own, sorted there, and the records reordered once
// under the record lock, so that the loader never sees the list half sorted.
#include "Zelmar_Object_Sorter.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "Zelmar_Collation.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_RecordIdentifiers.h"
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

// Linguistic order first, bytes for what the collation calls equal: a total order, as sorting
// needs. Byte order alone (the C locale without a language) keeps big sorts fast.
int CompareText(const std::string& a, const std::string& b, bool byteOrder) {
    if (a == b) return 0;
    if (!byteOrder) {
        const int collated = CollateTexts(a, b);
        if (collated != 0) return collated;
    }
    return Sign(a.compare(b));
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

// The same for a visit that reads the value of the named data item: after a sort the records'
// texts lie in memory in another order than in the list, so each record's block, then its
// value, is asked for a few records ahead instead of waited for.
template <typename Visit>
bool ForEachRecordValue(IZelmarRecordAccess& records, int count, const std::string& name,
                        Visit&& visit) {
    constexpr std::size_t kBlockAhead = 8;
    constexpr std::size_t kValueAhead = 4;
    std::vector<TZelmarSDFileData*> batch;
    for (int first = 0; first < count; first += kBatch) {
        const int size = std::min(kBatch, count - first);
        records.RecordsAt(first, size, batch);
        batch.resize(batch.size() + kBlockAhead, nullptr);
        for (int k = 0; k < size; ++k) {
            const auto at = static_cast<std::size_t>(k);
            if (batch[at + kBlockAhead] != nullptr) batch[at + kBlockAhead]->Texts().Prefetch();
            if (batch[at + kValueAhead] != nullptr)
                batch[at + kValueAhead]->Texts().PrefetchData(name);
            if (!visit(first + k, batch[at])) return false;
        }
    }
    return true;
}

}  // namespace

int TZelmarSorter::CompareStringKeys(const std::string& a, const std::string& b) {
    return CompareText(a, b, CollationIsByteOrder());
}

int TZelmarSorter::CompareFloatKeys(const std::string& a, const std::string& b) {
    if (a == b) return 0;
    return CompareNumbers(FloatKeyValue(a), FloatKeyValue(b));
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The run of digits or of other characters at the front of text, taken off it.
std::string_view TakeRun(std::string_view& text) {
    const bool digits = IsDigit(text.front());
    std::size_t end = 1;
    while (end < text.size() && IsDigit(text[end]) == digits) ++end;
    const std::string_view run = text.substr(0, end);
    text.remove_prefix(end);
    return run;
}

int CompareDigitRuns(std::string_view a, std::string_view b) {
    const auto significant = [](std::string_view run) {
        const std::size_t first = run.find_first_not_of('0');
        return first == std::string_view::npos ? std::string_view() : run.substr(first);
    };
    a = significant(a);
    b = significant(b);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return Sign(a.compare(b));
}

}  // namespace

namespace {

// Natural order of two texts run by run; words compare by compareWords. 0 when every run is
// equal so.
template <typename CompareWords>
int CompareRuns(std::string_view a, std::string_view b, CompareWords&& compareWords) {
    while (!a.empty() && !b.empty()) {
        const std::string_view runA = TakeRun(a);
        const std::string_view runB = TakeRun(b);
        const bool digitsA = IsDigit(runA.front());
        const bool digitsB = IsDigit(runB.front());
        int compared = 0;
        if (digitsA && digitsB)
            compared = CompareDigitRuns(runA, runB);
        else if (digitsA != digitsB)
            compared = digitsA ? -1 : 1;  // numbers before words, as in file managers
        else
            compared = compareWords(std::string(runA), std::string(runB));
        if (compared != 0) return compared;
    }
    if (a.empty() != b.empty()) return a.empty() ? -1 : 1;
    return 0;
}

}  // namespace

int TZelmarSorter::CompareNaturalKeys(std::string_view a, std::string_view b) {
    // Words without their case first, so that "Aceton 2" comes before "aceton 10"; then
    // with it, then the bytes, for a total order.
    if (const int loose = CompareRuns(a, b, CollateTextsIgnoringCase); loose != 0) return loose;
    const bool byteOrder = CollationIsByteOrder();
    const int strict = CompareRuns(a, b, [byteOrder](const std::string& x, const std::string& y) {
        return CompareText(x, y, byteOrder);
    });
    return strict != 0 ? strict : Sign(a.compare(b));
}

double TZelmarSorter::FloatKeyValue(const std::string& key) {
    // Written with a point in every locale (FormatFloatGeneral), not with the C locale's.
    double value = 0.0;
    return ParseFloat(key, value) ? value : 0.0;
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

namespace {

// Identifiers not kept yet are made first, on every core, and sorted as texts then.
bool MakeIdentifiers(IZelmarRecordAccess& records, TZelmarFieldKind kind) {
    std::vector<TZelmarSDFileData*> all;
    records.RecordsAt(0, records.RecordCount(), all);
    std::vector<std::string> values;
    return ZelmarRecordIdentifiers(all, kind, values, [&](std::size_t done, std::size_t total) {
        return records.SortProgress(
            Percent(static_cast<int>(done), std::max(1, static_cast<int>(total))));
    });
}

}  // namespace

bool TZelmarSorter::Sort(const TZelmarField* field, bool descending) {
    return Guarded("TZelmarSorter.Sort", false, [&] {
        if (field == nullptr) return false;
        switch (field->Kind) {
            case ecsdtDataText:
                if (field->Numeric) return SortByDataNumber(field, descending);
                if (field->NaturalOrder) return SortByNaturalText(field, descending);
                return SortByText(field, descending);
            case ecsdtFormula:
                return SortByFormula(descending, 0, FRecords.RecordCount());
            case ecsdtMolweight:
                return SortByNumber(field, descending);
            case ecsdtChemistry:
                return SortByStructure(descending);
            case ecsdtSmiles:
            case ecsdtInchi:
            case ecsdtInchiKey:
                return MakeIdentifiers(FRecords, field->Kind) && SortByText(field, descending);
            default:
                return false;
        }
    });
}

namespace {

// A row's key as it is sorted: what fits in a machine word (a prefix of the text's collation
// key, or the number itself) and the row's position. Sorting these pairs in one array is
// stable by construction; only rows whose prefixes tie look at their whole texts.
struct TPackedKey {
    std::uint64_t Prefix;
    std::uint32_t Position;
};

bool operator<(const TPackedKey& a, const TPackedKey& b) {
    return a.Prefix != b.Prefix ? a.Prefix < b.Prefix : a.Position < b.Position;
}

// The first eight bytes, big-endian, so that the words order as the bytes do.
std::uint64_t BytePrefix(const char* text, std::size_t size) {
    unsigned char bytes[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    std::memcpy(bytes, text, std::min<std::size_t>(size, 8));
    std::uint64_t prefix = 0;
    for (const unsigned char byte : bytes) prefix = (prefix << 8) | byte;
    return prefix;
}

std::uint64_t TextPrefix(const std::string& text, bool byteOrder) {
    return byteOrder ? BytePrefix(text.data(), text.size()) : CollationPrefix(text);
}

// Doubles as words that order as the numbers do; -0 is 0, and what is no number counts as 0.
std::uint64_t NumberPrefix(double value) {
    if (std::isnan(value) || value == 0.0) value = 0.0;
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits & (std::uint64_t{1} << 63)) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

// Sorts keys given in position order by their prefixes, equal prefixes in position order: a
// radix sort, stable, so positions never need comparing. Eleven bits a pass keep the counts in
// the first-level cache; a pass whose digit all keys share is left out.
void SortPackedKeys(std::vector<TPackedKey>& keys) {
    constexpr int kDigitBits = 11;
    constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
    if (keys.size() < 2) return;
    if (keys.size() < 4096) {
        std::sort(keys.begin(), keys.end());
        return;
    }
    std::vector<TPackedKey> other(keys.size());
    std::vector<std::uint32_t> starts(kBuckets);  // positions are 32-bit as well
    for (int shift = 0; shift < 64; shift += kDigitBits) {
        const auto digit = [shift](const TPackedKey& key) {
            return static_cast<std::size_t>((key.Prefix >> shift) & (kBuckets - 1));
        };
        std::fill(starts.begin(), starts.end(), 0);
        for (const TPackedKey& key : keys) ++starts[digit(key)];
        if (starts[digit(keys.front())] == keys.size()) continue;
        std::uint32_t sum = 0;
        for (std::uint32_t& start : starts) sum += std::exchange(start, sum);
        for (const TPackedKey& key : keys) other[starts[digit(key)]++] = key;
        keys.swap(other);
    }
}

std::vector<int> Positions(const std::vector<TPackedKey>& keys) {
    std::vector<int> order;
    order.reserve(keys.size());
    for (const TPackedKey& key : keys) order.push_back(static_cast<int>(key.Position));
    return order;
}

// The order that sorts the texts (order[k]: position of the k-th text), equal texts in their
// order in both directions. prefixes[i] is TextPrefix(texts[i]).
std::vector<int> TextOrder(const std::vector<std::string>& texts,
                           const std::vector<std::uint64_t>& prefixes, bool descending) {
    const bool byteOrder = CollationIsByteOrder();
    std::vector<TPackedKey> keys(texts.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = {descending ? ~prefixes[i] : prefixes[i], static_cast<std::uint32_t>(i)};
    SortPackedKeys(keys);
    // Runs of one prefix, still in position order: settled by the whole texts where they
    // differ.
    const auto text = [&texts](const TPackedKey& key) -> const std::string& {
        return texts[key.Position];
    };
    for (std::size_t first = 0; first < keys.size();) {
        std::size_t end = first + 1;
        bool allEqual = true;
        while (end < keys.size() && keys[end].Prefix == keys[first].Prefix) {
            allEqual = allEqual && text(keys[end]) == text(keys[first]);
            ++end;
        }
        if (!allEqual)
            std::stable_sort(keys.begin() + static_cast<std::ptrdiff_t>(first),
                             keys.begin() + static_cast<std::ptrdiff_t>(end),
                             [&](const TPackedKey& x, const TPackedKey& y) {
                                 const int compared = CompareText(text(x), text(y), byteOrder);
                                 return descending ? compared > 0 : compared < 0;
                             });
        first = end;
    }
    return Positions(keys);
}

// Asks for progress only when the percentage changes: a handler is called about a hundred
// times, not once per row.
class TThrottledProgress {
public:
    TThrottledProgress(IZelmarRecordAccess& records, int offset, int total)
        : FRecords(records), FOffset(offset), FTotal(total) {}
    bool operator()(int position) {
        const int percent = Percent(position + FOffset, FTotal);
        if (percent == FLast) return true;
        FLast = percent;
        return FRecords.SortProgress(percent);
    }

private:
    IZelmarRecordAccess& FRecords;
    int FOffset;
    int FTotal;
    int FLast = -1;
};

}  // namespace

bool TZelmarSorter::SortByText(const TZelmarField* field, bool descending) {
    const int count = FRecords.RecordCount();
    const bool byteOrder = CollationIsByteOrder();
    std::vector<std::string> texts(static_cast<std::size_t>(count));
    std::vector<std::uint64_t> prefixes(static_cast<std::size_t>(count), 0);
    TThrottledProgress progress(FRecords, 0, count);
    TZelmarDataCarrier value;
    if (!ForEachRecordValue(FRecords, count, field->Name, [&](int i, TZelmarSDFileData* record) {
            const auto at = static_cast<std::size_t>(i);
            value.Clear();
            if (record != nullptr && record->GetDataForField(field, &value)) {
                texts[at] = value.TakeText();
                prefixes[at] = TextPrefix(texts[at], byteOrder);
            }
            return progress(i);
        }))
        return false;
    FRecords.ReorderRecords(TextOrder(texts, prefixes, descending));
    return true;
}

bool TZelmarSorter::GatherTexts(const TZelmarField* field, std::vector<std::string>& texts) {
    const int count = FRecords.RecordCount();
    texts.assign(static_cast<std::size_t>(count), std::string());
    TThrottledProgress progress(FRecords, 0, count);
    TZelmarDataCarrier value;
    return ForEachRecordValue(FRecords, count, field->Name, [&](int i, TZelmarSDFileData* record) {
        value.Clear();
        if (record != nullptr && record->GetDataForField(field, &value))
            texts[static_cast<std::size_t>(i)] = value.TakeText();
        return progress(i);
    });
}

namespace {

// The order of positions 0..n-1 under less, equal ones in position order.
template <typename Less>
std::vector<int> StableOrder(std::size_t n, Less&& less) {
    std::vector<int> order(n);
    for (std::size_t i = 0; i < n; ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), less);
    return order;
}

int CompareQualified(const TZelmarQualifiedNumber& a, const TZelmarQualifiedNumber& b) {
    if (a.Value != b.Value) return a.Value < b.Value ? -1 : 1;
    return Sign(static_cast<int>(a.Qualifier) - static_cast<int>(b.Qualifier));
}

bool IsBlankText(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

}  // namespace

bool TZelmarSorter::SortByDataNumber(const TZelmarField* field, bool descending) {
    const int count = FRecords.RecordCount();
    // Numbers are read as they are gathered: only what is no number keeps its text.
    struct TNumberKey {
        double Value;
        TZelmarQualifier Qualifier;
        std::uint32_t Position;
    };
    std::vector<TNumberKey> numbers;
    numbers.reserve(static_cast<std::size_t>(count));
    std::vector<std::pair<std::string, std::uint32_t>> texts;
    std::vector<int> empties;
    TThrottledProgress progress(FRecords, 0, count);
    TZelmarDataCarrier value;
    const std::uint32_t name = TZelmarNamePool::Shared().Find(field->Name);
    if (!ForEachRecordValue(FRecords, count, field->Name, [&](int i, TZelmarSDFileData* record) {
            const auto position = static_cast<std::uint32_t>(i);
            TZelmarQualifiedNumber number;
            // Most values are a number on one line, read where it lies; the others as the
            // sheet shows them.
            const TZelmarRecordTexts* read =
                record != nullptr && record->IsLoaded() ? &record->Texts() : nullptr;
            const int item = read != nullptr ? read->FindDataByIndex(name) : -1;
            if (item >= 0 && read->LineCount(item) == 1 &&
                ParseQualifiedNumber(read->Line(item, 0), number, field->DecimalSeparator)) {
                numbers.push_back({number.Value, number.Qualifier, position});
                return progress(i);
            }
            value.Clear();
            if (record == nullptr || !record->GetDataForField(field, &value) ||
                IsBlankText(value.Text()))
                empties.push_back(i);
            else if (ParseQualifiedNumber(value.Text(), number, field->DecimalSeparator))
                numbers.push_back({number.Value, number.Qualifier, position});
            else
                texts.emplace_back(value.TakeText(), position);
            return progress(i);
        }))
        return false;
    // Stable sorts, so that equal values keep their order in both directions.
    std::stable_sort(numbers.begin(), numbers.end(), [descending](const auto& x, const auto& y) {
        const int compared = CompareQualified({x.Value, x.Qualifier}, {y.Value, y.Qualifier});
        return descending ? compared > 0 : compared < 0;
    });
    const bool byteOrder = CollationIsByteOrder();
    std::stable_sort(texts.begin(), texts.end(), [&](const auto& x, const auto& y) {
        const int compared = CompareText(x.first, y.first, byteOrder);
        return descending ? compared > 0 : compared < 0;
    });
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(count));
    for (const TNumberKey& key : numbers) order.push_back(static_cast<int>(key.Position));
    for (const auto& text : texts) order.push_back(static_cast<int>(text.second));
    order.insert(order.end(), empties.begin(), empties.end());
    FRecords.ReorderRecords(order);
    return true;
}

bool TZelmarSorter::SortByNaturalText(const TZelmarField* field, bool descending) {
    std::vector<std::string> texts;
    if (!GatherTexts(field, texts)) return false;
    FRecords.ReorderRecords(StableOrder(texts.size(), [&](int x, int y) {
        const int compared = CompareNaturalKeys(texts[x], texts[y]);
        return descending ? compared > 0 : compared < 0;
    }));
    return true;
}

bool TZelmarSorter::SortByNumber(const TZelmarField* field, bool descending) {
    const int count = FRecords.RecordCount();
    // The number is the whole key: no text is written and read back, no tie needs a look.
    std::vector<TPackedKey> keys(static_cast<std::size_t>(count));
    TThrottledProgress progress(FRecords, 0, count);
    TZelmarDataCarrier value;
    if (!ForEachRecord(FRecords, count, [&](int i, TZelmarSDFileData* record) {
            value.Clear();
            const bool present = record != nullptr && record->GetDataForField(field, &value);
            const std::uint64_t prefix = NumberPrefix(present ? value.Value() : 0.0);
            keys[static_cast<std::size_t>(i)] = {descending ? ~prefix : prefix,
                                                 static_cast<std::uint32_t>(i)};
            return progress(i);
        }))
        return false;
    SortPackedKeys(keys);
    FRecords.ReorderRecords(Positions(keys));
    return true;
}

bool TZelmarSorter::SortByFormula(bool descending, int progressOffset, int progressTotal) {
    const int count = FRecords.RecordCount();
    const bool byteOrder = CollationIsByteOrder();
    std::vector<std::string> texts(static_cast<std::size_t>(count));
    std::vector<std::uint64_t> prefixes(static_cast<std::size_t>(count), 0);
    TThrottledProgress progress(FRecords, progressOffset, progressTotal);
    if (!ForEachRecord(FRecords, count, [&](int i, TZelmarSDFileData* record) {
            if (!progress(i)) return false;
            const auto at = static_cast<std::size_t>(i);
            if (record != nullptr) texts[at] = record->GetFormulaSortKey();
            prefixes[at] = TextPrefix(texts[at], byteOrder);
            return true;
        }))
        return false;
    // Records of one formula keep their order, which the molecule sort's groups follow.
    FRecords.ReorderRecords(TextOrder(texts, prefixes, descending));
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
