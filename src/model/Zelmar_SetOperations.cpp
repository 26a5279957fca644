// The set operations of mixing: records of one sheet against those of another, compared only
// within blocks of equal precheck key.
#include "Zelmar_SetOperations.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "Zelmar_Object_DuplicateFinder.h"
#include "Zelmar_Object_PolicyKeys.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"
#include "vesk_Guard.h"

namespace {

using TRefs = TZelmarSetOperations::TRefs;

TRefs BlockCopy(const TRefs& list, std::pair<int, int> block) {
    TRefs copy;
    for (int i = block.first; i < block.second; ++i)
        copy.AddObject(list.GetText(i), list.GetObject(i));
    return copy;
}

TRefs Copy(const TRefs& list) {
    TRefs copy;
    for (const auto& item : list) copy.AddObject(item.Text, item.Object);
    return copy;
}

void RemoveHits(TRefs& from, const TRefs& hits) {
    for (const auto& hit : hits)
        TZelmarDuplicateFinder::DeleteObjectFromStringList(from, hit.Object);
}

// The keys under the policy of p's records, then q's, in one run: P(i) and Q(i) are the key
// texts of records that can match, null for those that cannot.
class TKeys {
public:
    bool Make(const TRefs& p, const TRefs& q, int policy, bool considerStereo,
              const TZelmarSetOperations::TProgress& progress) {
        std::vector<TZelmarSDFileData*> records;
        records.reserve(static_cast<std::size_t>(p.GetCount()) +
                        static_cast<std::size_t>(q.GetCount()));
        for (const auto& item : p) records.push_back(item.Object);
        for (const auto& item : q) records.push_back(item.Object);
        FOffset = static_cast<std::size_t>(p.GetCount());
        return ZelmarMakePolicyKeys(records, policy, considerStereo, FKeys,
                                    [&progress](std::size_t done, std::size_t total) {
                                        return !progress || progress(static_cast<int>(done),
                                                                     static_cast<int>(total));
                                    });
    }
    const std::string* P(int i) const { return Text(static_cast<std::size_t>(i)); }
    const std::string* Q(int i) const { return Text(FOffset + static_cast<std::size_t>(i)); }

private:
    const std::string* Text(std::size_t k) const {
        const TZelmarStructureKey* key = FKeys[k];
        return key != nullptr && key->Kind == TZelmarStructureKey::skKey ? &key->Text : nullptr;
    }
    std::vector<const TZelmarStructureKey*> FKeys;
    std::size_t FOffset = 0;
};

}  // namespace

bool TZelmarSetOperations::Mix(int operation, TZelmarSDFileDataList* left,
                               TZelmarSDFileDataList* right, const TZelmarField* field,
                               TZelmarSDFileDataList* target, int policy, bool considerStereo) {
    switch (operation) {
        case opIntersect:
            return IntersectData(left, right, field, target, policy, considerStereo);
        case opMerge:
            return MergeData(left, right, target);
        case opLeftMinusRight:
            return SubtractData(left, right, field, target, policy, considerStereo);
        case opRightMinusLeft:
            return SubtractData(right, left, field, target, policy, considerStereo);
        default:
            return false;
    }
}

bool TZelmarSetOperations::IntersectData(TZelmarSDFileDataList* left, TZelmarSDFileDataList* right,
                                         const TZelmarField* field, TZelmarSDFileDataList* target,
                                         int policy, bool considerStereo) {
    return Guarded("TZelmarSetOperations.IntersectData", false, [&] {
        if (left == nullptr || right == nullptr || field == nullptr || target == nullptr)
            return false;
        TZelmarRecordRefs p;
        TZelmarRecordRefs q;
        if (!left->DoEnumChemistryEntrysForSearch(&p, field, -1, nullptr, nullptr) ||
            !right->DoEnumChemistryEntrysForSearch(&q, field, -1, nullptr, nullptr))
            return false;
        return target->AddIntersectedData(p, q, field, policy, considerStereo);
    });
}

bool TZelmarSetOperations::MergeData(TZelmarSDFileDataList* left, TZelmarSDFileDataList* right,
                                     TZelmarSDFileDataList* target) {
    return Guarded("TZelmarSetOperations.MergeData", false, [&] {
        if (left == nullptr || right == nullptr || target == nullptr) return false;
        if (target == left || target == right) return false;
        // Built aside, so that a stopped merge leaves the target as it was.
        TZelmarSDFileDataList merged(nullptr);
        merged.OnMixProgress = [&target](TZelmarSDFileDataList*, int done, int total) {
            return !target->OnMixProgress || target->OnMixProgress(target, done, total);
        };
        merged.Assign(left);
        if (!merged.Add(right)) return false;
        merged.DeleteUnselected();
        target->Assign(&merged);
        return true;
    });
}

bool TZelmarSetOperations::SubtractData(TZelmarSDFileDataList* a, TZelmarSDFileDataList* b,
                                        const TZelmarField* field, TZelmarSDFileDataList* target,
                                        int policy, bool considerStereo) {
    return Guarded("TZelmarSetOperations.SubtractData", false, [&] {
        if (a == nullptr || b == nullptr || field == nullptr || target == nullptr) return false;
        TZelmarRecordRefs p;
        TZelmarRecordRefs q;
        if (!a->DoEnumChemistryEntrysForSearch(&p, field, -1, nullptr, nullptr) ||
            !b->DoEnumChemistryEntrysForSearch(&q, field, -1, nullptr, nullptr))
            return false;
        return target->AddSubtractedData(p, q, field, policy, considerStereo);
    });
}

bool TZelmarSetOperations::Intersect(TRefs& p, TRefs& q, const TZelmarField* field,
                                     const TProgress& progress, TRefs& kept) {
    return Guarded("TZelmarSetOperations.Intersect", false, [&] {
        if (field == nullptr) return false;
        const bool numeric = TZelmarDuplicateFinder::IsNumericField(field);
        const int total = p.GetCount() + q.GetCount();
        int left = total;  // pairs of P and Q not yet consumed
        TZelmarSearchEngine engine(nullptr);
        TRefs hits;
        const auto pBlocks = TZelmarDuplicateFinder::Blocks(p, numeric);
        const auto qBlocks = TZelmarDuplicateFinder::Blocks(q, numeric);
        std::size_t qb = 0;
        for (const auto& pBlock : pBlocks) {
            if (progress && !progress(total - left, total)) return false;
            const std::string& key = p.GetText(pBlock.first);
            while (qb < qBlocks.size() && TZelmarDuplicateFinder::CompareKeys(
                                              q.GetText(qBlocks[qb].first), key, numeric) < 0) {
                left -= qBlocks[qb].second - qBlocks[qb].first;
                ++qb;
            }
            if (qb == qBlocks.size()) break;
            if (TZelmarDuplicateFinder::CompareKeys(q.GetText(qBlocks[qb].first), key, numeric) !=
                0) {
                left -= pBlock.second - pBlock.first;
                continue;
            }
            TRefs pRest = BlockCopy(p, pBlock);
            TRefs qRest = BlockCopy(q, qBlocks[qb]);
            while (!pRest.IsEmpty()) {
                if (progress && !progress(total - left, total)) return false;
                TZelmarSDFileData* record = pRest.GetObject(0);
                pRest.Delete(0);
                --left;
                if (record == nullptr) continue;
                TRefs block = Copy(qRest);
                if (!TZelmarDuplicateFinder::DoSearchInBlockList(record, field, &engine, &hits,
                                                                 &block) ||
                    hits.IsEmpty())
                    continue;
                kept.AddObject(std::string(), record);
                for (const auto& hit : hits) kept.AddObject(std::string(), hit.Object);
                RemoveHits(qRest, hits);
                left -= hits.GetCount();
                if (pRest.IsEmpty()) break;
                block = Copy(pRest);
                if (!TZelmarDuplicateFinder::DoSearchInBlockList(record, field, &engine, &hits,
                                                                 &block))
                    continue;
                for (const auto& hit : hits) kept.AddObject(std::string(), hit.Object);
                RemoveHits(pRest, hits);
                left -= hits.GetCount();
            }
            left -= qRest.GetCount();
            ++qb;
        }
        return true;
    });
}

bool TZelmarSetOperations::Subtract(TRefs& p, TRefs& q, const TZelmarField* field,
                                    const TProgress& progress, TRefs& kept) {
    return Guarded("TZelmarSetOperations.Subtract", false, [&] {
        if (field == nullptr) return false;
        const bool numeric = TZelmarDuplicateFinder::IsNumericField(field);
        const int total = p.GetCount();
        int done = 0;
        TZelmarSearchEngine engine(nullptr);
        TRefs hits;
        auto keep = [&kept](TZelmarSDFileData* record) {
            if (record != nullptr) kept.AddObject(std::string(), record);
        };
        const auto pBlocks = TZelmarDuplicateFinder::Blocks(p, numeric);
        const auto qBlocks = TZelmarDuplicateFinder::Blocks(q, numeric);
        std::size_t qb = 0;
        for (const auto& pBlock : pBlocks) {
            if (progress && !progress(done, total)) return false;
            const std::string& key = p.GetText(pBlock.first);
            while (qb < qBlocks.size() && TZelmarDuplicateFinder::CompareKeys(
                                              q.GetText(qBlocks[qb].first), key, numeric) < 0)
                ++qb;
            if (qb == qBlocks.size() || TZelmarDuplicateFinder::CompareKeys(
                                            q.GetText(qBlocks[qb].first), key, numeric) != 0) {
                // No counterpart in Q for this key.
                for (int i = pBlock.first; i < pBlock.second; ++i) keep(p.GetObject(i));
                done += pBlock.second - pBlock.first;
                continue;
            }
            TRefs pRest = BlockCopy(p, pBlock);
            TRefs qRest = BlockCopy(q, qBlocks[qb]);
            while (!pRest.IsEmpty()) {
                if (progress && !progress(done, total)) return false;
                TZelmarSDFileData* record = pRest.GetObject(0);
                pRest.Delete(0);
                ++done;
                if (record == nullptr) continue;
                TRefs block = Copy(qRest);
                if (!TZelmarDuplicateFinder::DoSearchInBlockList(record, field, &engine, &hits,
                                                                 &block) ||
                    hits.IsEmpty()) {
                    keep(record);
                    continue;
                }
                RemoveHits(qRest, hits);
                if (pRest.IsEmpty()) break;
                block = Copy(pRest);
                if (!TZelmarDuplicateFinder::DoSearchInBlockList(record, field, &engine, &hits,
                                                                 &block))
                    continue;
                RemoveHits(pRest, hits);
                done += hits.GetCount();
            }
            ++qb;
        }
        return true;
    });
}

bool TZelmarSetOperations::IntersectByKeys(TRefs& p, TRefs& q, int policy, bool considerStereo,
                                           const TProgress& progress, TRefs& kept) {
    return Guarded("TZelmarSetOperations.IntersectByKeys", false, [&] {
        TKeys keys;
        if (!keys.Make(p, q, policy, considerStereo, progress)) return false;
        std::unordered_map<std::string_view, std::vector<int>> pByKey;
        std::unordered_map<std::string_view, std::vector<int>> qByKey;
        for (int i = 0; i < p.GetCount(); ++i)
            if (const std::string* key = keys.P(i)) pByKey[*key].push_back(i);
        for (int i = 0; i < q.GetCount(); ++i)
            if (const std::string* key = keys.Q(i)) qByKey[*key].push_back(i);
        // Each record of p with a match in q, followed by its matches in q, then in p; a key's
        // records are all taken at its first record.
        for (int i = 0; i < p.GetCount(); ++i) {
            const std::string* key = keys.P(i);
            if (key == nullptr || p.GetObject(i) == nullptr) continue;
            const auto inQ = qByKey.find(*key);
            const auto inP = pByKey.find(*key);
            if (inQ == qByKey.end() || inP == pByKey.end() || inP->second.front() != i) continue;
            kept.AddObject(std::string(), p.GetObject(i));
            for (const int k : inQ->second)
                if (q.GetObject(k) != nullptr) kept.AddObject(std::string(), q.GetObject(k));
            for (const int k : inP->second)
                if (k != i && p.GetObject(k) != nullptr)
                    kept.AddObject(std::string(), p.GetObject(k));
        }
        const int total = p.GetCount() + q.GetCount();
        return !progress || progress(total, total);
    });
}

bool TZelmarSetOperations::SubtractByKeys(TRefs& p, TRefs& q, int policy, bool considerStereo,
                                          const TProgress& progress, TRefs& kept) {
    return Guarded("TZelmarSetOperations.SubtractByKeys", false, [&] {
        TKeys keys;
        if (!keys.Make(p, q, policy, considerStereo, progress)) return false;
        std::unordered_set<std::string_view> inQ;
        for (int i = 0; i < q.GetCount(); ++i)
            if (const std::string* key = keys.Q(i)) inQ.insert(*key);
        for (int i = 0; i < p.GetCount(); ++i) {
            const std::string* key = keys.P(i);
            if (p.GetObject(i) != nullptr && (key == nullptr || inQ.count(*key) == 0))
                kept.AddObject(std::string(), p.GetObject(i));
        }
        const int total = p.GetCount() + q.GetCount();
        return !progress || progress(total, total);
    });
}
