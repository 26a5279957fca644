// Duplicate search: precheck keys sorted once, then the costly comparison only inside blocks
// of equal key.
#include "Zelmar_Object_DuplicateFinder.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Zelmar_Object_PolicyKeys.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"
#include "Zelmar_Object_Sorter.h"
#include "vesk_Guard.h"
#include "vesk_MulDiv.h"

namespace {

using TRefs = TZelmarDuplicateFinder::TRefs;
using TRefItem = TRefs::TItem;

// Records are fetched in batches: one lock per batch, not per record.
constexpr int kBatch = 4096;

int Percent(int position, int total) {
    const int percent = platform::MulDiv(position, 100, total);
    return percent < 0 ? 0 : percent;
}

// One sort with the order the walks compare in; weights are converted once. Stable, so that
// records of one key keep the sheet's order.
void SortPrecheck(TRefs& list, bool numeric) {
    if (!numeric) {
        std::stable_sort(list.begin(), list.end(), [](const TRefItem& x, const TRefItem& y) {
            return TZelmarSorter::CompareStringKeys(x.Text, y.Text) < 0;
        });
        return;
    }
    std::vector<std::pair<double, int>> numbers;
    numbers.reserve(static_cast<std::size_t>(list.GetCount()));
    for (int i = 0; i < list.GetCount(); ++i) {
        numbers.emplace_back(TZelmarSorter::FloatKeyValue(list.begin()[i].Text), i);
    }
    std::stable_sort(numbers.begin(), numbers.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<TRefItem> sorted;
    sorted.reserve(numbers.size());
    for (const auto& number : numbers) sorted.push_back(std::move(list.begin()[number.second]));
    std::move(sorted.begin(), sorted.end(), list.begin());
}

}  // namespace

bool TZelmarDuplicateFinder::IsNumericField(const TZelmarField* field) {
    return field != nullptr && field->Kind == ecsdtMolweight;
}

int TZelmarDuplicateFinder::CompareKeys(const std::string& a, const std::string& b, bool numeric) {
    return numeric ? TZelmarSorter::CompareFloatKeys(a, b) : TZelmarSorter::CompareStringKeys(a, b);
}

std::vector<std::pair<int, int>> TZelmarDuplicateFinder::Blocks(const TRefs& list, bool numeric) {
    std::vector<std::pair<int, int>> blocks;
    const int count = list.GetCount();
    for (int first = 0; first < count;) {
        int end = first + 1;
        while (end < count && CompareKeys(list.GetText(first), list.GetText(end), numeric) == 0)
            ++end;
        blocks.emplace_back(first, end);
        first = end;
    }
    return blocks;
}

bool TZelmarDuplicateFinder::Precheck(TRefs* target, const TZelmarField* field, int total,
                                      const TProgress& progress) {
    return Guarded("TZelmarDuplicateFinder.Precheck", false, [&] {
        if (target == nullptr || field == nullptr || !field->IsSortable()) return false;
        const int count = FRecords.RecordCount();
        if (total < 0) total = count;
        target->Reserve(target->GetCount() + count);
        std::vector<TZelmarSDFileData*> batch;
        for (int first = 0; first < count; first += kBatch) {
            const int size = std::min(kBatch, count - first);
            FRecords.RecordsAt(first, size, batch);
            for (int k = 0; k < size; ++k) {
                if (progress && !progress(first + k, total)) return false;
                TZelmarSDFileData* record = batch[static_cast<std::size_t>(k)];
                if (record != nullptr && record->Selected)
                    target->AddObject(record->GetPrecheckForSearch(field), record);
            }
        }
        SortPrecheck(*target, IsNumericField(field));
        return true;
    });
}

bool TZelmarDuplicateFinder::BuildBlockListForSearch(const TRefs& precheck, TRefs& target,
                                                     int start, bool numericKeys) {
    return Guarded("TZelmarDuplicateFinder.BuildBlockListForSearch", false, [&] {
        target.Clear();
        if (!precheck.IsValidIndex(start)) return false;
        const std::string key = precheck.GetText(start);
        for (int i = start; i < precheck.GetCount(); ++i) {
            const std::string& text = precheck.begin()[i].Text;
            if (numericKeys ? TZelmarSorter::CompareFloatKeys(text, key) != 0 : text != key) break;
            target.AddObject(text, precheck.GetObject(i));
        }
        return true;
    });
}

bool TZelmarDuplicateFinder::DoSearchInBlockList(TZelmarSDFileData* record,
                                                 const TZelmarField* field,
                                                 TZelmarSearchEngine* engine, TRefs* hits,
                                                 TRefs* block) {
    return Guarded("TZelmarDuplicateFinder.DoSearchInBlockList", false, [&] {
        if (record == nullptr || field == nullptr || engine == nullptr || hits == nullptr ||
            block == nullptr)
            return false;
        hits->Clear();
        TZelmarDataCarrier query;
        if (!record->GetDataForField(field, &query)) return false;
        engine->SetCurrentQueryData(&query);
        TZelmarDataCarrier value;
        block->RemoveIf([&](const TRefItem& item) {
            value.Clear();
            if (item.Object == nullptr || !item.Object->GetDataForField(field, &value)) return true;
            if (!engine->CheckForHit(&value, 0)) return false;
            hits->AddObject(std::string(), item.Object);
            return true;
        });
        return true;
    });
}

bool TZelmarDuplicateFinder::DeleteBlocksFromListTilPrecheck(TRefs& precheck,
                                                             const std::string& key, TRefs* removed,
                                                             bool numericKeys) {
    return Guarded("TZelmarDuplicateFinder.DeleteBlocksFromListTilPrecheck", false, [&] {
        if (removed != nullptr) removed->Clear();
        int front = 0;
        while (front < precheck.GetCount() &&
               CompareKeys(precheck.GetText(front), key, numericKeys) < 0) {
            if (removed != nullptr)
                removed->AddObject(precheck.GetText(front), precheck.GetObject(front));
            ++front;
        }
        int index = 0;
        precheck.RemoveIf([&index, front](const TRefItem&) { return index++ < front; });
        return true;
    });
}

bool TZelmarDuplicateFinder::DeleteObjectFromStringList(TRefs& list,
                                                        const TZelmarSDFileData* record) {
    return Guarded("TZelmarDuplicateFinder.DeleteObjectFromStringList", false, [&] {
        const int index = list.IndexOfObject(record);
        if (index < 0) return false;
        list.Delete(index);
        return true;
    });
}

bool TZelmarDuplicateFinder::Progress(int position, int total) {
    return FRecords.SearchProgress(Percent(position, total));
}

bool TZelmarDuplicateFinder::FindIdenticalStructures(const TRefs& precheck, bool considerStereo,
                                                     int offset, int total, TRefs* results) {
    return Guarded("TZelmarDuplicateFinder.FindIdenticalStructures", false, [&] {
        if (!Progress(offset, total)) return false;
        // Only records sharing their formula with another need a key. Identity of structure is
        // transitive, so one key per record replaces comparing every pair of a block.
        std::vector<TZelmarSDFileData*> records;
        std::vector<std::pair<int, int>> blocks;  // in records
        const int count = precheck.GetCount();
        for (int first = 0; first < count;) {
            int end = first + 1;
            while (end < count && precheck.GetText(end) == precheck.GetText(first)) ++end;
            if (end - first > 1) {
                blocks.emplace_back(static_cast<int>(records.size()),
                                    static_cast<int>(records.size()) + end - first);
                for (int i = first; i < end; ++i) records.push_back(precheck.GetObject(i));
            }
            first = end;
        }
        const int span = total - offset;
        std::vector<const TZelmarStructureKey*> keys;
        if (!FStructureKeys.Make(
                records, blocks, considerStereo, keys, [&](std::size_t done, std::size_t all) {
                    const auto position =
                        static_cast<int>(all == 0 ? 0 : static_cast<double>(done) * span / all);
                    return Progress(offset + position, total);
                }))
            return false;
        int groupNumber = 0;
        for (const auto& block : blocks)
            for (const std::vector<int>& group :
                 ZelmarIdenticalGroups(keys, block.first, block.second)) {
                if (group.size() < 2) continue;
                const std::string label = std::to_string(++groupNumber);
                for (const int k : group)
                    results->AddObject(label, records[static_cast<std::size_t>(k)]);
            }
        return true;
    });
}

bool TZelmarDuplicateFinder::FindPolicyGroups(const TRefs& precheck, bool considerStereo,
                                              int policy, int offset, int total, TRefs* results) {
    return Guarded("TZelmarDuplicateFinder.FindPolicyGroups", false, [&] {
        if (!Progress(offset, total)) return false;
        // Sheet order within a group, as the exact search gives it: the precheck list is in
        // formula order, so the records are put back in sheet order first.
        std::unordered_map<const TZelmarSDFileData*, int> position;
        for (int i = 0; i < precheck.GetCount(); ++i) position.emplace(precheck.GetObject(i), i);
        std::vector<TZelmarSDFileData*> records;
        records.reserve(static_cast<std::size_t>(precheck.GetCount()));
        std::vector<TZelmarSDFileData*> batch;
        const int count = FRecords.RecordCount();
        for (int first = 0; first < count; first += kBatch) {
            const int size = std::min(kBatch, count - first);
            FRecords.RecordsAt(first, size, batch);
            for (int k = 0; k < size; ++k)
                if (position.count(batch[static_cast<std::size_t>(k)]) > 0)
                    records.push_back(batch[static_cast<std::size_t>(k)]);
        }
        const int span = total - offset;
        std::vector<const TZelmarStructureKey*> keys;
        if (!ZelmarMakePolicyKeys(
                records, policy, considerStereo, keys, [&](std::size_t done, std::size_t all) {
                    const auto part =
                        static_cast<int>(all == 0 ? 0 : static_cast<double>(done) * span / all);
                    return Progress(offset + part, total);
                }))
            return false;
        std::vector<std::vector<int>> groups =
            ZelmarIdenticalGroups(keys, 0, static_cast<int>(records.size()));
        groups.erase(std::remove_if(groups.begin(), groups.end(),
                                    [](const std::vector<int>& group) { return group.size() < 2; }),
                     groups.end());
        // Groups in the precheck order of their first records: by formula, then sheet order.
        std::stable_sort(groups.begin(), groups.end(),
                         [&](const std::vector<int>& x, const std::vector<int>& y) {
                             return position[records[static_cast<std::size_t>(x.front())]] <
                                    position[records[static_cast<std::size_t>(y.front())]];
                         });
        int groupNumber = 0;
        for (const std::vector<int>& group : groups) {
            const std::string label = std::to_string(++groupNumber);
            for (const int k : group)
                results->AddObject(label, records[static_cast<std::size_t>(k)]);
        }
        return true;
    });
}

bool TZelmarDuplicateFinder::Find(const TZelmarField* field, bool considerStereo,
                                  bool gatherProgress, int offset, int total, TRefs* results,
                                  int policy) {
    return Guarded("TZelmarDuplicateFinder.Find", false, [&] {
        if (field == nullptr || results == nullptr) return false;
        TProgress gathering;
        if (gatherProgress) gathering = [this](int i, int all) { return Progress(i, all); };
        TRefs precheck;
        // Stopped while the keys were gathered: stopped, not done.
        if (!Precheck(&precheck, field, total, gathering)) return false;

        const bool numeric = IsNumericField(field);
        if (field->Kind == ecsdtChemistry && policy != 0)
            return FindPolicyGroups(precheck, considerStereo, policy, offset, total, results);
        if (field->Kind == ecsdtChemistry)
            return FindIdenticalStructures(precheck, considerStereo, offset, total, results);
        TRefs block;
        int groupNumber = 0;
        int i = 0;
        while (i < precheck.GetCount() - 1) {
            if (!Progress(i + offset, total)) return false;
            if (CompareKeys(precheck.GetText(i), precheck.GetText(i + 1), numeric) != 0) {
                ++i;
                continue;
            }
            if (!BuildBlockListForSearch(precheck, block, i, numeric)) return false;
            i += block.GetCount();
            const std::string label = std::to_string(++groupNumber);
            for (const auto& item : block) results->AddObject(label, item.Object);
        }
        return true;
    });
}
