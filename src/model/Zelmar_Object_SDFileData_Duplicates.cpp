// Duplicate search and the intersection and subtraction of two sheets: records get cheap
// precheck keys, the keys are sorted, and the costly comparison through the search engine
// is made only inside blocks of equal key.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"
#include "vesk_Guard.h"
#include "vesk_MulDiv.h"

namespace {

using TRefItem = TZelmarRecordRefs::TItem;

int Percent(int position, int total) {
    const int percent = platform::MulDiv(position, 100, total);
    return percent < 0 ? 0 : percent;
}

int CompareKeys(const std::string& a, const std::string& b, bool numeric) {
    return numeric ? TZelmarSDFileDataList::CompareFloatKeys(a, b)
                   : TZelmarSDFileDataList::CompareStringKeys(a, b);
}

bool IsNumericField(const TZelmarField* field) {
    return field != nullptr && field->Kind == ecsdtMolweight;
}

// One sort with the order the walks compare in; weights are converted once. Stable, so that
// records of one key keep the sheet's order.
void SortPrecheck(TZelmarRecordRefs& list, bool numeric) {
    if (!numeric) {
        std::stable_sort(list.begin(), list.end(), [](const TRefItem& x, const TRefItem& y) {
            return TZelmarSDFileDataList::CompareStringKeys(x.Text, y.Text) < 0;
        });
        return;
    }
    std::vector<std::pair<double, int>> numbers;
    numbers.reserve(static_cast<std::size_t>(list.GetCount()));
    for (int i = 0; i < list.GetCount(); ++i) {
        const std::string& text = list.begin()[i].Text;
        char* end = nullptr;
        double value = std::strtod(text.c_str(), &end);
        if (end == text.c_str() || value != value) value = 0.0;
        numbers.emplace_back(value, i);
    }
    std::stable_sort(numbers.begin(), numbers.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<TRefItem> sorted;
    sorted.reserve(numbers.size());
    for (const auto& number : numbers) sorted.push_back(std::move(list.begin()[number.second]));
    std::move(sorted.begin(), sorted.end(), list.begin());
}

// Runs of equal key in a sorted precheck list, as (first, end) positions.
std::vector<std::pair<int, int>> Blocks(const TZelmarRecordRefs& list, bool numeric) {
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

TZelmarRecordRefs BlockCopy(const TZelmarRecordRefs& list, std::pair<int, int> block) {
    TZelmarRecordRefs copy;
    for (int i = block.first; i < block.second; ++i)
        copy.AddObject(list.GetText(i), list.GetObject(i));
    return copy;
}

TZelmarRecordRefs Copy(const TZelmarRecordRefs& list) {
    TZelmarRecordRefs copy;
    for (const auto& item : list) copy.AddObject(item.Text, item.Object);
    return copy;
}

// Resumes the loader on every way out of the duplicate search.
class TLoaderPause {
public:
    explicit TLoaderPause(TZelmarSDFileDataList* list) : FList(list) {}
    ~TLoaderPause() {
        if (Paused) FList->ContinueLoaderThread();
    }
    TLoaderPause(const TLoaderPause&) = delete;
    TLoaderPause& operator=(const TLoaderPause&) = delete;
    bool Paused = false;

private:
    TZelmarSDFileDataList* FList;
};

// Identity of a molecule text for the kept keys.
std::uint64_t MolHash(const std::string& text) {
    return static_cast<std::uint64_t>(std::hash<std::string_view>()(text));
}

}  // namespace

TZelmarKeptStructureKeys* TZelmarSDFileData::KeptStructureKeys(std::size_t molSize,
                                                               std::uint64_t molHash) const {
    TZelmarKeptStructureKeys* kept = FStructureKeys.get();
    return kept != nullptr && kept->MolSize == molSize && kept->MolHash == molHash ? kept : nullptr;
}

TZelmarKeptStructureKeys& TZelmarSDFileData::KeepStructureKeys(std::size_t molSize,
                                                               std::uint64_t molHash) {
    if (!FStructureKeys) FStructureKeys = std::make_unique<TZelmarKeptStructureKeys>();
    TZelmarKeptStructureKeys& kept = *FStructureKeys;
    if (kept.MolSize != molSize || kept.MolHash != molHash) {
        kept = TZelmarKeptStructureKeys();
        kept.MolSize = molSize;
        kept.MolHash = molHash;
    }
    return kept;
}

bool TZelmarSDFileDataList::MakeStructureKeys(const std::vector<TZelmarSDFileData*>& records,
                                              const std::vector<std::pair<int, int>>& blocks,
                                              bool considerStereo,
                                              std::vector<const TZelmarStructureKey*>& keys,
                                              const TKeyProgress& progress) {
    return Guarded("TZelmarSDFileDataList.MakeStructureKeys", false, [&] {
        const std::size_t count = records.size();
        keys.assign(count, nullptr);
        std::vector<TZelmarKeptStructureKeys*> kept(count, nullptr);
        std::vector<const std::string*> texts(count, nullptr);
        for (std::size_t k = 0; k < count; ++k) {
            TZelmarSDFileData* record = records[k];
            if (record == nullptr || record->Entry() == nullptr) continue;
            texts[k] = &record->Entry()->MolString();
            kept[k] = &record->KeepStructureKeys(texts[k]->size(), MolHash(*texts[k]));
        }

        // Constitutions first: cheap, and most molecules of a block differ in theirs.
        std::vector<std::size_t> missing;
        std::vector<const std::string*> missingTexts;
        for (std::size_t k = 0; k < count; ++k)
            if (kept[k] != nullptr && !kept[k]->ConstitutionKnown) {
                missing.push_back(k);
                missingTexts.push_back(texts[k]);
            }
        // Constitutions count one share of the progress, keys ten.
        const std::size_t guess = missing.size() * 11;
        std::vector<std::uint64_t> hashes;
        std::vector<bool> known;
        if (!ZelmarConstitutionHashes(missingTexts, hashes, known, [&](std::size_t done) {
                return !progress || progress(done, guess);
            }))
            return false;
        for (std::size_t j = 0; j < missing.size(); ++j) {
            TZelmarKeptStructureKeys& entry = *kept[missing[j]];
            entry.ConstitutionKnown = true;
            entry.HasConstitution = known[j];
            entry.Constitution = hashes[j];
        }

        // Keys only where another record of the block has the same constitution, or where a
        // constitution is unknown.
        std::vector<char> wanted(count, 0);
        std::unordered_map<std::uint64_t, int> shared;
        for (const auto& block : blocks) {
            shared.clear();
            bool allKnown = true;
            for (int k = block.first; k < block.second; ++k) {
                const TZelmarKeptStructureKeys* entry = kept[static_cast<std::size_t>(k)];
                if (entry == nullptr) continue;
                if (!entry->HasConstitution)
                    allKnown = false;
                else
                    ++shared[entry->Constitution];
            }
            for (int k = block.first; k < block.second; ++k) {
                const TZelmarKeptStructureKeys* entry = kept[static_cast<std::size_t>(k)];
                wanted[static_cast<std::size_t>(k)] =
                    entry != nullptr && (!allKnown || shared[entry->Constitution] > 1);
            }
        }

        missing.clear();
        missingTexts.clear();
        for (std::size_t k = 0; k < count; ++k) {
            if (!wanted[k]) continue;
            if (kept[k]->Known[considerStereo])
                keys[k] = &kept[k]->Keys[considerStereo];
            else {
                missing.push_back(k);
                missingTexts.push_back(texts[k]);
            }
        }
        const std::size_t before = hashes.size();
        const std::size_t total = before + 10 * missing.size();
        std::vector<TZelmarStructureKey> made;
        if (!ZelmarStructureKeys(missingTexts, considerStereo, made, [&](std::size_t done) {
                return !progress || progress(before + 10 * done, total);
            }))
            return false;
        FStructureKeysMade += static_cast<std::int64_t>(missing.size());
        for (std::size_t j = 0; j < missing.size(); ++j) {
            TZelmarKeptStructureKeys& keep = *kept[missing[j]];
            keep.Keys[considerStereo] = std::move(made[j]);
            keep.Known[considerStereo] = true;
            keys[missing[j]] = &keep.Keys[considerStereo];
        }
        return true;
    });
}

std::vector<std::vector<int>> ZelmarIdenticalGroups(
    const std::vector<const TZelmarStructureKey*>& keys, int first, int end) {
    std::vector<std::vector<int>> groups;
    std::unordered_map<std::string_view, std::size_t> byKey;
    for (int k = first; k < end; ++k) {
        const TZelmarStructureKey* key = keys[static_cast<std::size_t>(k)];
        if (key == nullptr || key->Kind == TZelmarStructureKey::skUnreadable) {
            groups.push_back({k});
            continue;
        }
        // A real key is never empty, so the empty text stands for "no atoms".
        const std::string_view text = key->Kind == TZelmarStructureKey::skKey
                                          ? std::string_view(key->Text)
                                          : std::string_view();
        const auto found = byKey.emplace(text, groups.size());
        if (found.second)
            groups.push_back({k});
        else
            groups[found.first->second].push_back(k);
    }
    return groups;
}

bool TZelmarSDFileDataList::DoEnumChemistryEntrysForSearch(TZelmarRecordRefs* target,
                                                           const TZelmarField* field, int total,
                                                           const TEnumProgress& progress,
                                                           void* data) {
    return Guarded("TZelmarSDFileDataList.DoEnumChemistryEntrysForSearch", false, [&] {
        if (target == nullptr || field == nullptr || !field->IsSortable()) return false;
        const int count = GetCount();
        if (total < 0) total = count;
        target->Reserve(target->GetCount() + count);
        for (int i = 0; i < count; ++i) {
            if (progress && !progress(data, this, i, total)) return false;
            TZelmarSDFileData* record = GetSDFileData(i);
            if (record != nullptr && record->Selected)
                target->AddObject(record->GetPrecheckForSearch(field), record);
        }
        SortPrecheck(*target, IsNumericField(field));
        return true;
    });
}

bool TZelmarSDFileDataList::BuildBlockListForSearch(const TZelmarRecordRefs& precheck,
                                                    TZelmarRecordRefs& target, int start,
                                                    bool numericKeys) {
    return Guarded("TZelmarSDFileDataList.BuildBlockListForSearch", false, [&] {
        target.Clear();
        if (!precheck.IsValidIndex(start)) return false;
        const std::string key = precheck.GetText(start);
        for (int i = start; i < precheck.GetCount(); ++i) {
            const std::string& text = precheck.begin()[i].Text;
            if (numericKeys ? CompareFloatKeys(text, key) != 0 : text != key) break;
            target.AddObject(text, precheck.GetObject(i));
        }
        return true;
    });
}

bool TZelmarSDFileDataList::DoSearchInBlockList(TZelmarSDFileData* record,
                                                const TZelmarField* field,
                                                TZelmarSearchEngine* engine,
                                                TZelmarRecordRefs* hits, TZelmarRecordRefs* block) {
    return Guarded("TZelmarSDFileDataList.DoSearchInBlockList", false, [&] {
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

bool TZelmarSDFileDataList::DeleteBlocksFromListTilPrecheck(TZelmarRecordRefs& precheck,
                                                            const std::string& key,
                                                            TZelmarRecordRefs* removed,
                                                            bool numericKeys) {
    return Guarded("TZelmarSDFileDataList.DeleteBlocksFromListTilPrecheck", false, [&] {
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

bool TZelmarSDFileDataList::DeleteObjectFromStringList(TZelmarRecordRefs& list,
                                                       const TZelmarSDFileData* record) {
    return Guarded("TZelmarSDFileDataList.DeleteObjectFromStringList", false, [&] {
        const int index = list.IndexOfObject(record);
        if (index < 0) return false;
        list.Delete(index);
        return true;
    });
}

bool TZelmarSDFileDataList::SearchForDuplicatesProgress(int position, int total) {
    return Guarded("TZelmarSDFileDataList.SearchForDuplicatesProgress", false, [&] {
        return !OnSearchProgress || OnSearchProgress(this, Percent(position, total));
    });
}

bool TZelmarSDFileDataList::FindIdenticalStructures(const TZelmarRecordRefs& precheck,
                                                    bool considerStereo, int offset, int total,
                                                    TZelmarRecordRefs* results) {
    return Guarded("TZelmarSDFileDataList.FindIdenticalStructures", false, [&] {
        if (!SearchForDuplicatesProgress(offset, total)) return false;
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
        if (!MakeStructureKeys(
                records, blocks, considerStereo, keys, [&](std::size_t done, std::size_t all) {
                    const auto position =
                        static_cast<int>(all == 0 ? 0 : static_cast<double>(done) * span / all);
                    return SearchForDuplicatesProgress(offset + position, total);
                }))
            return false;
        for (const auto& block : blocks)
            for (const std::vector<int>& group :
                 ZelmarIdenticalGroups(keys, block.first, block.second)) {
                if (group.size() < 2) continue;
                for (const int k : group)
                    results->AddObject(std::string(), records[static_cast<std::size_t>(k)]);
            }
        return true;
    });
}

bool TZelmarSDFileDataList::SearchForDuplicates(const TZelmarField* field, bool considerStereo,
                                                TZelmarRecordRefs* results) {
    if (field == nullptr || results == nullptr) return true;
    return Guarded("TZelmarSDFileDataList.SearchForDuplicates", false, [&] {
        TLoaderPause pause(this);
        // The loader parks between two records, so it holds no record access meanwhile.
        if (!GetAllLoaded()) pause.Paused = PauseLoaderThread();
        bool started = false;
        const bool result = Guarded("TZelmarSDFileDataList.SearchForDuplicates", false, [&] {
            started = true;
            if (OnStartSearch) OnStartSearch(this);
            // Nothing to compare in a field without keys; that is no failure.
            if (!field->IsSortable()) return true;

            const int count = GetCount();
            const int total = pause.Paused ? 2 * count : count;
            const int offset = pause.Paused ? count : 0;
            TEnumProgress building;
            if (pause.Paused)
                building = [](void*, TZelmarSDFileDataList* list, int i, int all) {
                    return list->SearchForDuplicatesProgress(i, all);
                };
            TZelmarRecordRefs precheck;
            // Stopped while the keys were gathered: stopped, not done.
            if (!DoEnumChemistryEntrysForSearch(&precheck, field, total, building, nullptr))
                return false;

            const bool numeric = IsNumericField(field);
            if (field->Kind == ecsdtChemistry)
                return FindIdenticalStructures(precheck, considerStereo, offset, total, results);
            TZelmarRecordRefs block;
            int i = 0;
            while (i < precheck.GetCount() - 1) {
                if (!SearchForDuplicatesProgress(i + offset, total)) return false;
                if (CompareKeys(precheck.GetText(i), precheck.GetText(i + 1), numeric) != 0) {
                    ++i;
                    continue;
                }
                if (!BuildBlockListForSearch(precheck, block, i, numeric)) return false;
                i += block.GetCount();
                for (const auto& item : block) results->AddObject(std::string(), item.Object);
            }
            return true;
        });
        if (started && OnEndSearch) OnEndSearch(this);
        return result;
    });
}

namespace {

// Replaces the list's records by copies of the kept ones; copies first when a kept record
// is one of the list's own, which Clear would free.
void ReplaceRecords(TZelmarSDFileDataList* list, const TZelmarRecordRefs& kept) {
    std::unordered_set<const TZelmarSDFileData*> own;
    for (int i = 0; i < list->GetCount(); ++i) own.insert(list->GetSDFileData(i));
    const bool ownKept = std::any_of(kept.begin(), kept.end(), [&own](const TRefItem& item) {
        return own.count(item.Object) > 0;
    });
    if (!ownKept) {
        list->Clear();
        list->AddNewItemsFromList(kept);
        return;
    }
    TZelmarSDFileDataList copies(nullptr);
    copies.AddNewItemsFromList(kept);
    TZelmarRecordRefs refs;
    for (int i = 0; i < copies.GetCount(); ++i)
        refs.AddObject(std::string(), copies.GetSDFileData(i));
    list->Clear();
    list->AddNewItemsFromList(refs);
}

void RemoveHits(TZelmarRecordRefs& from, const TZelmarRecordRefs& hits) {
    for (const auto& hit : hits)
        TZelmarSDFileDataList::DeleteObjectFromStringList(from, hit.Object);
}

}  // namespace

bool TZelmarSDFileDataList::AddIntersectedData(TZelmarRecordRefs& p, TZelmarRecordRefs& q,
                                               const TZelmarField* field) {
    return Guarded("TZelmarSDFileDataList.AddIntersectedData", false, [&] {
        if (field == nullptr) return false;
        const bool numeric = IsNumericField(field);
        const int total = p.GetCount() + q.GetCount();
        int left = total;  // pairs of P and Q not yet consumed
        TZelmarSearchEngine engine(nullptr);
        TZelmarRecordRefs kept;
        TZelmarRecordRefs hits;
        const auto pBlocks = Blocks(p, numeric);
        const auto qBlocks = Blocks(q, numeric);
        std::size_t qb = 0;
        for (const auto& pBlock : pBlocks) {
            if (OnMixProgress && !OnMixProgress(this, total - left, total)) return false;
            const std::string& key = p.GetText(pBlock.first);
            while (qb < qBlocks.size() &&
                   CompareKeys(q.GetText(qBlocks[qb].first), key, numeric) < 0) {
                left -= qBlocks[qb].second - qBlocks[qb].first;
                ++qb;
            }
            if (qb == qBlocks.size()) break;
            if (CompareKeys(q.GetText(qBlocks[qb].first), key, numeric) != 0) {
                left -= pBlock.second - pBlock.first;
                continue;
            }
            TZelmarRecordRefs pRest = BlockCopy(p, pBlock);
            TZelmarRecordRefs qRest = BlockCopy(q, qBlocks[qb]);
            while (!pRest.IsEmpty()) {
                if (OnMixProgress && !OnMixProgress(this, total - left, total)) return false;
                TZelmarSDFileData* record = pRest.GetObject(0);
                pRest.Delete(0);
                --left;
                if (record == nullptr) continue;
                TZelmarRecordRefs block = Copy(qRest);
                if (!DoSearchInBlockList(record, field, &engine, &hits, &block) || hits.IsEmpty())
                    continue;
                kept.AddObject(std::string(), record);
                for (const auto& hit : hits) kept.AddObject(std::string(), hit.Object);
                RemoveHits(qRest, hits);
                left -= hits.GetCount();
                if (pRest.IsEmpty()) break;
                block = Copy(pRest);
                if (!DoSearchInBlockList(record, field, &engine, &hits, &block)) continue;
                for (const auto& hit : hits) kept.AddObject(std::string(), hit.Object);
                RemoveHits(pRest, hits);
                left -= hits.GetCount();
            }
            left -= qRest.GetCount();
            ++qb;
        }
        p.Clear();
        q.Clear();
        ReplaceRecords(this, kept);
        return true;
    });
}

bool TZelmarSDFileDataList::AddSubtractedData(TZelmarRecordRefs& p, TZelmarRecordRefs& q,
                                              const TZelmarField* field) {
    return Guarded("TZelmarSDFileDataList.AddSubtractedData", false, [&] {
        if (field == nullptr) return false;
        const bool numeric = IsNumericField(field);
        const int total = p.GetCount();
        int done = 0;
        TZelmarSearchEngine engine(nullptr);
        TZelmarRecordRefs kept;
        TZelmarRecordRefs hits;
        auto keep = [&kept](TZelmarSDFileData* record) {
            if (record != nullptr) kept.AddObject(std::string(), record);
        };
        const auto pBlocks = Blocks(p, numeric);
        const auto qBlocks = Blocks(q, numeric);
        std::size_t qb = 0;
        for (const auto& pBlock : pBlocks) {
            if (OnMixProgress && !OnMixProgress(this, done, total)) return false;
            const std::string& key = p.GetText(pBlock.first);
            while (qb < qBlocks.size() &&
                   CompareKeys(q.GetText(qBlocks[qb].first), key, numeric) < 0)
                ++qb;
            if (qb == qBlocks.size() ||
                CompareKeys(q.GetText(qBlocks[qb].first), key, numeric) != 0) {
                // No counterpart in Q for this key.
                for (int i = pBlock.first; i < pBlock.second; ++i) keep(p.GetObject(i));
                done += pBlock.second - pBlock.first;
                continue;
            }
            TZelmarRecordRefs pRest = BlockCopy(p, pBlock);
            TZelmarRecordRefs qRest = BlockCopy(q, qBlocks[qb]);
            while (!pRest.IsEmpty()) {
                if (OnMixProgress && !OnMixProgress(this, done, total)) return false;
                TZelmarSDFileData* record = pRest.GetObject(0);
                pRest.Delete(0);
                ++done;
                if (record == nullptr) continue;
                TZelmarRecordRefs block = Copy(qRest);
                if (!DoSearchInBlockList(record, field, &engine, &hits, &block) || hits.IsEmpty()) {
                    keep(record);
                    continue;
                }
                RemoveHits(qRest, hits);
                if (pRest.IsEmpty()) break;
                block = Copy(pRest);
                if (!DoSearchInBlockList(record, field, &engine, &hits, &block)) continue;
                RemoveHits(pRest, hits);
                done += hits.GetCount();
            }
            ++qb;
        }
        p.Clear();
        q.Clear();
        ReplaceRecords(this, kept);
        return true;
    });
}
