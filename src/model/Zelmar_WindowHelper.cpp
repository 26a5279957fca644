#include "Zelmar_WindowHelper.h"

#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"

bool TZelmarWindowHelper::IntersectData(TZelmarSDFileDataList* left, TZelmarSDFileDataList* right,
                                        const TZelmarField* field, TZelmarSDFileDataList* target) {
    return Guarded("TZelmarWindowHelper.IntersectData", false, [&] {
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

bool TZelmarWindowHelper::MergeData(TZelmarSDFileDataList* left, TZelmarSDFileDataList* right,
                                    TZelmarSDFileDataList* target) {
    return Guarded("TZelmarWindowHelper.MergeData", false, [&] {
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

bool TZelmarWindowHelper::SubtractData(TZelmarSDFileDataList* a, TZelmarSDFileDataList* b,
                                       const TZelmarField* field, TZelmarSDFileDataList* target) {
    return Guarded("TZelmarWindowHelper.SubtractData", false, [&] {
        if (a == nullptr || b == nullptr || field == nullptr || target == nullptr) return false;
        TZelmarRecordRefs p;
        TZelmarRecordRefs q;
        if (!a->DoEnumChemistryEntrysForSearch(&p, field, -1, nullptr, nullptr) ||
            !b->DoEnumChemistryEntrysForSearch(&q, field, -1, nullptr, nullptr))
            return false;
        return target->AddSubtractedData(p, q, field);
    });
}
