#include "Zelmar_UndoStack.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "Zelmar_Object_SDFileData.h"

TZelmarUndoStack::TZelmarUndoStack(TZelmarRecordStore& store, int limit)
    : FStore(store), FLimit(static_cast<std::size_t>(std::max(limit, 1))) {}

TZelmarUndoStack::~TZelmarUndoStack() = default;

void TZelmarUndoStack::BeginStep(const std::string& name) {
    if (FDepth++ > 0) return;
    FOpen = TStep();
    FOpen.Name = name;
    FNotedContent.clear();
    FNotedCheck.clear();
}

void TZelmarUndoStack::EndStep() {
    if (FDepth == 0 || --FDepth > 0) return;
    FinishStep();
}

TZelmarUndoStack::TAction& TZelmarUndoStack::ActionOf(TKind kind) {
    // Runs of the same kind make one action; the order of the runs is kept for undoing.
    if (FOpen.Actions.empty() || FOpen.Actions.back().Kind != kind) {
        FOpen.Actions.emplace_back();
        FOpen.Actions.back().Kind = kind;
    }
    return FOpen.Actions.back();
}

void TZelmarUndoStack::NoteContent(TZelmarSDFileData* record) {
    if (record == nullptr) return;
    NoteContent(record, record->Texts(), record->Selected);
}

void TZelmarUndoStack::NoteContent(TZelmarSDFileData* record, const TZelmarRecordTexts& before,
                                   bool beforeSelected) {
    if (FDepth == 0 || record == nullptr || !FNotedContent.insert(record).second) return;
    TRecordState state;
    state.Record = record;
    state.Before.Assign(before);
    state.SelectedBefore = beforeSelected;
    ActionOf(TKind::Content).States.push_back(std::move(state));
}

void TZelmarUndoStack::NoteCheck(TZelmarSDFileData* record) {
    if (FDepth == 0 || record == nullptr || FNotedContent.count(record) != 0 ||
        !FNotedCheck.insert(record).second)
        return;
    TRecordState state;
    state.Record = record;
    state.SelectedBefore = record->Selected;
    ActionOf(TKind::Checks).States.push_back(std::move(state));
}

void TZelmarUndoStack::NoteAdded(TZelmarSDFileData* record) {
    if (FDepth == 0 || record == nullptr) return;
    ActionOf(TKind::Added).Records.push_back(record);
}

void TZelmarUndoStack::Remove(const TZelmarRecordStore::TRecordSet& records) {
    if (FDepth == 0 || records.empty()) return;
    std::lock_guard<std::recursive_mutex> lock(FStore.CriticalSection());
    TZelmarRecordStore::TTaken taken = FStore.Take(records);
    if (taken.empty()) return;
    // Each removal is an action of its own: undoing puts the later ones back first, so the
    // positions of the earlier ones hold again.
    TAction action;
    action.Kind = TKind::Removed;
    action.Records.reserve(taken.size());
    for (const auto& item : taken) action.Records.push_back(item.second.Object);
    action.Taken = std::move(taken);
    FOpen.Actions.push_back(std::move(action));
}

void TZelmarUndoStack::NoteDone(std::function<void(bool forward)> apply) {
    if (FDepth == 0 || !apply) return;
    TAction action;
    action.Kind = TKind::Done;
    action.Apply = std::move(apply);
    FOpen.Actions.push_back(std::move(action));
}

void TZelmarUndoStack::FinishStep() {
    TStep step = std::move(FOpen);
    FOpen = TStep();
    FNotedContent.clear();
    FNotedCheck.clear();
    for (TAction& action : step.Actions) {
        for (TRecordState& state : action.States) {
            state.After.Assign(state.Record->Texts());
            state.SelectedAfter = state.Record->Selected;
        }
        if (action.Kind == TKind::Checks) {
            // Ticking what was ticked already is no change.
            auto& states = action.States;
            states.erase(std::remove_if(states.begin(), states.end(),
                                        [](const TRecordState& state) {
                                            return state.SelectedBefore == state.SelectedAfter;
                                        }),
                         states.end());
        }
    }
    auto& actions = step.Actions;
    actions.erase(std::remove_if(actions.begin(), actions.end(),
                                 [](const TAction& action) {
                                     return action.States.empty() && action.Records.empty() &&
                                            !action.Apply;
                                 }),
                  actions.end());
    if (actions.empty()) return;

    FSteps.erase(FSteps.begin() + static_cast<std::ptrdiff_t>(FApplied), FSteps.end());
    step.Id = FNextId++;
    FSteps.push_back(std::move(step));
    FApplied = FSteps.size();
    while (FSteps.size() > FLimit) {
        FBaseState = FSteps.front().Id;
        FSteps.pop_front();
        --FApplied;
    }
}

void TZelmarUndoStack::Apply(TAction& action, bool forward) {
    switch (action.Kind) {
        case TKind::Content:
            for (TRecordState& state : action.States) {
                state.Record->Texts().Assign(forward ? state.After : state.Before);
                state.Record->Selected = forward ? state.SelectedAfter : state.SelectedBefore;
            }
            break;
        case TKind::Checks:
            for (TRecordState& state : action.States)
                state.Record->Selected = forward ? state.SelectedAfter : state.SelectedBefore;
            break;
        case TKind::Added:
        case TKind::Removed:
            // Redoing an addition and undoing a removal put records back; the others take
            // them out again.
            if (forward == (action.Kind == TKind::Added)) {
                FStore.PutBack(std::move(action.Taken));
                action.Taken.clear();
            } else {
                action.Taken = FStore.Take(
                    TZelmarRecordStore::TRecordSet(action.Records.begin(), action.Records.end()));
            }
            break;
        case TKind::Done:
            action.Apply(forward);
            break;
    }
}

bool TZelmarUndoStack::Undo() {
    if (!CanUndo()) return false;
    TStep& step = FSteps[FApplied - 1];
    std::lock_guard<std::recursive_mutex> lock(FStore.CriticalSection());
    for (auto action = step.Actions.rbegin(); action != step.Actions.rend(); ++action)
        Apply(*action, false);
    --FApplied;
    return true;
}

bool TZelmarUndoStack::Redo() {
    if (!CanRedo()) return false;
    TStep& step = FSteps[FApplied];
    std::lock_guard<std::recursive_mutex> lock(FStore.CriticalSection());
    for (TAction& action : step.Actions) Apply(action, true);
    ++FApplied;
    return true;
}

std::string TZelmarUndoStack::UndoName() const {
    return CanUndo() ? FSteps[FApplied - 1].Name : std::string();
}

std::string TZelmarUndoStack::RedoName() const {
    return CanRedo() ? FSteps[FApplied].Name : std::string();
}

void TZelmarUndoStack::Clear() {
    FSteps.clear();
    FApplied = 0;
    FBaseState = FNextId++;
}

bool TZelmarUndoStack::Knows(const TStep& step, const TZelmarSDFileData* record) const {
    for (const TAction& action : step.Actions) {
        for (const TRecordState& state : action.States)
            if (state.Record == record) return true;
        if (std::find(action.Records.begin(), action.Records.end(), record) != action.Records.end())
            return true;
    }
    return false;
}

void TZelmarUndoStack::Forget(const TZelmarSDFileData* record) {
    if (record == nullptr) return;
    if (Knows(FOpen, record)) {
        // The open step goes on without what it knew of the record.
        for (TAction& action : FOpen.Actions) {
            auto& states = action.States;
            states.erase(std::remove_if(states.begin(), states.end(),
                                        [&](const TRecordState& s) { return s.Record == record; }),
                         states.end());
            auto& records = action.Records;
            records.erase(std::remove(records.begin(), records.end(), record), records.end());
        }
        FNotedContent.erase(record);
        FNotedCheck.erase(record);
    }
    for (const TStep& step : FSteps) {
        if (Knows(step, record)) {
            Clear();
            return;
        }
    }
}
