// The record list's duplicate search and mixing face: the work is TZelmarDuplicateFinder's and
// TZelmarSetOperations'; the list pauses its loader, raises the events and takes the result.
#include <algorithm>
#include <string>
#include <unordered_set>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_SetOperations.h"
#include "vesk_Guard.h"

namespace {

using TRefItem = TZelmarRecordRefs::TItem;

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

}  // namespace

bool TZelmarSDFileDataList::DoEnumChemistryEntrysForSearch(TZelmarRecordRefs* target,
                                                           const TZelmarField* field, int total,
                                                           const TEnumProgress& progress,
                                                           void* data) {
    return Guarded("TZelmarSDFileDataList.DoEnumChemistryEntrysForSearch", false, [&] {
        TZelmarDuplicateFinder::TProgress relay;
        if (progress)
            relay = [&](int position, int all) { return progress(data, this, position, all); };
        return FDuplicateFinder.Precheck(target, field, total, relay);
    });
}

bool TZelmarSDFileDataList::SearchForDuplicates(const TZelmarField* field, bool considerStereo,
                                                TZelmarRecordRefs* results, int policy) {
    if (field == nullptr || results == nullptr) return true;
    constexpr const char* kSource = "TZelmarSDFileDataList.SearchForDuplicates";
    return Guarded(kSource, false, [&] {
        TLoaderPause pause(this);
        // The loader parks between two records, so it holds no record access meanwhile.
        if (!GetAllLoaded()) pause.Paused = PauseLoaderThread();
        bool started = false;
        const bool result = Guarded(kSource, false, [&] {
            started = true;
            if (OnStartSearch) OnStartSearch(this);
            // Nothing to compare in a field without keys; that is no failure.
            if (!field->IsSortable()) return true;
            // After a pause the loading of the rest counts as the first half.
            const int count = GetCount();
            const int total = pause.Paused ? 2 * count : count;
            const int offset = pause.Paused ? count : 0;
            return FDuplicateFinder.Find(field, considerStereo, pause.Paused, offset, total,
                                         results, policy);
        });
        if (started && OnEndSearch) OnEndSearch(this);
        return result;
    });
}

bool TZelmarSDFileDataList::AddIntersectedData(TZelmarRecordRefs& p, TZelmarRecordRefs& q,
                                               const TZelmarField* field, int policy,
                                               bool considerStereo) {
    return Guarded("TZelmarSDFileDataList.AddIntersectedData", false, [&] {
        TZelmarRecordRefs kept;
        const TZelmarSetOperations::TProgress progress = [this](int done, int all) {
            return !OnMixProgress || OnMixProgress(this, done, all);
        };
        const bool done = policy != 0 && field != nullptr && field->Kind == ecsdtChemistry
                              ? TZelmarSetOperations::IntersectByKeys(p, q, policy, considerStereo,
                                                                      progress, kept)
                              : TZelmarSetOperations::Intersect(p, q, field, progress, kept);
        if (!done) return false;
        p.Clear();
        q.Clear();
        ReplaceRecords(this, kept);
        return true;
    });
}

bool TZelmarSDFileDataList::AddSubtractedData(TZelmarRecordRefs& p, TZelmarRecordRefs& q,
                                              const TZelmarField* field, int policy,
                                              bool considerStereo) {
    return Guarded("TZelmarSDFileDataList.AddSubtractedData", false, [&] {
        TZelmarRecordRefs kept;
        const TZelmarSetOperations::TProgress progress = [this](int done, int all) {
            return !OnMixProgress || OnMixProgress(this, done, all);
        };
        const bool done =
            policy != 0 && field != nullptr && field->Kind == ecsdtChemistry
                ? TZelmarSetOperations::SubtractByKeys(p, q, policy, considerStereo, progress, kept)
                : TZelmarSetOperations::Subtract(p, q, field, progress, kept);
        if (!done) return false;
        p.Clear();
        q.Clear();
        ReplaceRecords(this, kept);
        return true;
    });
}
