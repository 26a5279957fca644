// The set operations of mixing: records of one sheet against those of another, compared only
// within blocks of equal precheck key.
#include "Zelmar_SetOperations.h"

#include <string>
#include <utility>

#include "Zelmar_Object_DuplicateFinder.h"
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

}  // namespace

bool TZelmarSetOperations::Mix(int operation, TZelmarSDFileDataList* left,
                               TZelmarSDFileDataList* right, const TZelmarField* field,
                               TZelmarSDFileDataList* target) {
    switch (operation) {
        case opIntersect:
            return IntersectData(left, right, field, target);
        case opMerge:
            return MergeData(left, right, target);
        case opLeftMinusRight:
            return SubtractData(left, right, field, target);
        case opRightMinusLeft:
            return SubtractData(right, left, field, target);
        default:
            return false;
    }
}

bool TZelmarSetOperations::IntersectData(TZelmarSDFileDataList* left, TZelmarSDFileDataList* right,
                                         const TZelmarField* field, TZelmarSDFileDataList* target) {
    return Guarded("TZelmarSetOperations.IntersectData", false, [&] {
        if (left == nullptr || right == nullptr || field == nullptr || target == nullptr)
            return false;
        TZelmarRecordRefs p;
        TZelmarRecordRefs q;
        if (!left->DoEnumChemistryEntrysForSearch(&p, field, -1, nullptr, nullptr) ||
            !right->DoEnumChemistryEntrysForSearch(&q, field, -1, nullptr, nullptr))
            return false;
        return target->AddIntersectedData(p, q, field);
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
                                        const TZelmarField* field, TZelmarSDFileDataList* target) {
    return Guarded("TZelmarSetOperations.SubtractData", false, [&] {
        if (a == nullptr || b == nullptr || field == nullptr || target == nullptr) return false;
        TZelmarRecordRefs p;
        TZelmarRecordRefs q;
        if (!a->DoEnumChemistryEntrysForSearch(&p, field, -1, nullptr, nullptr) ||
            !b->DoEnumChemistryEntrysForSearch(&q, field, -1, nullptr, nullptr))
            return false;
        return target->AddSubtractedData(p, q, field);
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
