#pragma once
// The steps a sheet's records went through, to be undone and redone: changed values and
// molecules, check marks, records added and records removed. A step keeps the records'
// texts before and after (copies of texts share their bytes, so that is cheap) and keeps
// removed records alive, so undoing puts the very same records back where they were.
// The state the file was last saved in is remembered: undoing or redoing back to it makes
// the sheet unmodified again. Saving does not forget the steps.
// Qt-free. UI thread only; the records are changed under the store's lock, as the loader
// may read records meanwhile.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "Zelmar_Object_RecordStore.h"
#include "Zelmar_Object_RecordTexts.h"

class TZelmarSDFileData;

class TZelmarUndoStack {
public:
    static constexpr int kDefaultLimit = 200;

    // limit: how many steps are kept (the oldest go first); at least 1.
    explicit TZelmarUndoStack(TZelmarRecordStore& store, int limit = kDefaultLimit);
    ~TZelmarUndoStack();
    TZelmarUndoStack(const TZelmarUndoStack&) = delete;
    TZelmarUndoStack& operator=(const TZelmarUndoStack&) = delete;

    // What happens between BeginStep and its EndStep is one step; a pair inside another joins
    // the outer step (whose name counts). A step that changed nothing is not kept. A new step
    // forgets the steps that were undone.
    void BeginStep(const std::string& name);
    void EndStep();
    bool InStep() const { return FDepth > 0; }

    // Inside a step, before the record's texts or check mark change; EndStep takes the state
    // after. Once per record and step is enough, more is ignored.
    void NoteContent(TZelmarSDFileData* record);
    // The same for a change already made (an edit written through while typed): the state
    // before is given.
    void NoteContent(TZelmarSDFileData* record, const TZelmarRecordTexts& before,
                     bool beforeSelected);
    // Inside a step, before only the check mark changes.
    void NoteCheck(TZelmarSDFileData* record);
    // Inside a step, right after the record came into the store.
    void NoteAdded(TZelmarSDFileData* record);
    // Inside a step: takes the records out of the store; the step keeps them.
    void Remove(const TZelmarRecordStore::TRecordSet& records);
    // Inside a step, after its owner changed what is no record (the field list): undoing
    // calls apply(false), redoing apply(true), each under the record lock.
    void NoteDone(std::function<void(bool forward)> apply);

    bool CanUndo() const { return FDepth == 0 && FApplied > 0; }
    bool CanRedo() const { return FDepth == 0 && FApplied < FSteps.size(); }
    // The names of the step Undo and Redo would take back or do again; empty when none.
    std::string UndoName() const;
    std::string RedoName() const;
    int UndoCount() const { return static_cast<int>(FApplied); }
    int RedoCount() const { return static_cast<int>(FSteps.size() - FApplied); }
    bool Undo();
    bool Redo();

    // The records are as in the file just saved.
    void MarkSaved() { FSavedState = CurrentState(); }
    // The records are as when last saved (or loaded, before any save).
    bool AtSavePoint() const { return CurrentState() == FSavedState; }

    // Forgets every kept step (the records changed in a way no step knows); the state saved
    // is then out of reach. An open step stays open.
    void Clear();
    // To be called before a record leaves the store outside a step: forgets every step
    // when one of them knows the record.
    void Forget(const TZelmarSDFileData* record);

private:
    struct TRecordState {
        TZelmarSDFileData* Record = nullptr;
        TZelmarRecordTexts Before;
        TZelmarRecordTexts After;
        bool SelectedBefore = false;
        bool SelectedAfter = false;
    };
    enum class TKind { Content, Checks, Added, Removed, Done };
    struct TAction {
        TKind Kind = TKind::Content;
        std::vector<TRecordState> States;         // Content, Checks
        std::vector<TZelmarSDFileData*> Records;  // Added, Removed
        TZelmarRecordStore::TTaken Taken;         // the records while out of the store
        std::function<void(bool forward)> Apply;  // Done
    };
    struct TStep {
        std::uint64_t Id = 0;
        std::string Name;
        std::vector<TAction> Actions;
    };

    std::uint64_t CurrentState() const {
        return FApplied > 0 ? FSteps[FApplied - 1].Id : FBaseState;
    }
    TAction& ActionOf(TKind kind);
    void FinishStep();
    bool Knows(const TStep& step, const TZelmarSDFileData* record) const;
    void Apply(TAction& action, bool forward);

    TZelmarRecordStore& FStore;
    const std::size_t FLimit;
    std::deque<TStep> FSteps;
    std::size_t FApplied = 0;  // FSteps[0..FApplied-1] are done, the rest undone
    std::uint64_t FNextId = 1;
    std::uint64_t FBaseState = 0;  // the state before the oldest step kept
    std::uint64_t FSavedState = 0;
    int FDepth = 0;
    TStep FOpen;
    std::unordered_set<const TZelmarSDFileData*> FNotedContent;
    std::unordered_set<const TZelmarSDFileData*> FNotedCheck;
};

// One step for the scope: BeginStep now, EndStep when it ends (also by an exception).
class TZelmarUndoStep {
public:
    TZelmarUndoStep(TZelmarUndoStack& stack, const std::string& name) : FStack(stack) {
        FStack.BeginStep(name);
    }
    ~TZelmarUndoStep() { FStack.EndStep(); }
    TZelmarUndoStep(const TZelmarUndoStep&) = delete;
    TZelmarUndoStep& operator=(const TZelmarUndoStep&) = delete;

private:
    TZelmarUndoStack& FStack;
};
