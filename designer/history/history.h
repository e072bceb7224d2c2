// The edit history: the design's snapshots, one per step, with the step
// between each two. A new step after an undo drops the steps that could
// have been redone; beyond the limit the oldest steps go first. The save
// point is the snapshot last written to the design file.
#pragma once

#include "designer/history/snapshot.h"

#include <cstdint>
#include <deque>

namespace zarnet::designer {

struct StepInfo {
    bool rebuilt = false; // the edit built the canvas again
    // Steps with the same nonzero key, one right after the other, are one
    // step (a held or repeated cursor key on one selection).
    uint64_t mergeKey = 0;
};

class History {
  public:
    static constexpr size_t kMaxSteps = 256;

    // A new history starting at `s`; `saved` when `s` is what the file holds.
    void reset(Snapshot s, bool saved);
    // A history as another designer held it: false, and this one as it
    // was, unless the parts fit (a state per step and one more, the
    // position and the save point among the states).
    bool adopt(std::deque<Snapshot> states, std::deque<StepInfo> steps, size_t at, long saved);
    const std::deque<Snapshot>& states() const { return states_; }
    const std::deque<StepInfo>& stepInfos() const { return steps_; }
    long savePoint() const { return saved_; }
    const Snapshot& current() const { return states_[at_]; }
    // The state after an edit. False (nothing recorded) when it equals the
    // current one.
    bool commit(Snapshot s, StepInfo info);

    bool canUndo() const { return at_ > 0; }
    bool canRedo() const { return at_ + 1 < states_.size(); }
    // The step to be undone or redone (valid while canUndo / canRedo).
    const StepInfo& undoStep() const { return steps_[at_ - 1]; }
    const StepInfo& redoStep() const { return steps_[at_]; }
    // Moves one step back or forward; the snapshot that is now current.
    const Snapshot& undo();
    const Snapshot& redo();

    void markSaved() { saved_ = static_cast<long>(at_); }
    bool atSavePoint() const { return saved_ == static_cast<long>(at_); }
    size_t steps() const { return steps_.size(); }
    size_t position() const { return at_; }
    // Memory held by the snapshots, counting shared records once.
    size_t bytes() const;

  private:
    std::deque<Snapshot> states_{Snapshot{}};
    std::deque<StepInfo> steps_; // steps_[i] leads from states_[i] to states_[i + 1]
    size_t at_ = 0;
    long saved_ = 0; // -1: the saved state is no longer held
};

} // namespace zarnet::designer
