#include "designer/history/history.h"

namespace zarnet::designer {

void History::reset(Snapshot s, bool saved) {
    states_.clear();
    steps_.clear();
    states_.push_back(std::move(s));
    at_ = 0;
    saved_ = saved ? 0 : -1;
}

bool History::adopt(std::deque<Snapshot> states, std::deque<StepInfo> steps, size_t at,
                    long saved) {
    if (states.empty() || steps.size() + 1 != states.size() || steps.size() > kMaxSteps ||
        at >= states.size() || saved < -1 || saved >= static_cast<long>(states.size()))
        return false;
    states_ = std::move(states);
    steps_ = std::move(steps);
    at_ = at;
    saved_ = saved;
    return true;
}

bool History::commit(Snapshot s, StepInfo info) {
    if (s == states_[at_]) return false;
    states_.resize(at_ + 1);
    steps_.resize(at_);
    if (saved_ > static_cast<long>(at_)) saved_ = -1;
    // A repeated key on the same selection grows the step it began, unless
    // that step's start is the saved state, which must stay reachable.
    if (info.mergeKey && at_ > 0 && steps_.back().mergeKey == info.mergeKey &&
        saved_ != static_cast<long>(at_)) {
        states_.back() = std::move(s);
        if (states_.back() == states_[at_ - 1]) {
            // Back where the run began: no step at all.
            states_.pop_back();
            steps_.pop_back();
            --at_;
        }
        return true;
    }
    states_.push_back(std::move(s));
    steps_.push_back(info);
    ++at_;
    while (steps_.size() > kMaxSteps) {
        states_.pop_front();
        steps_.pop_front();
        --at_;
        saved_ = saved_ > 0 ? saved_ - 1 : -1;
    }
    return true;
}

const Snapshot& History::undo() {
    if (at_ > 0) --at_;
    return states_[at_];
}

const Snapshot& History::redo() {
    if (at_ + 1 < states_.size()) ++at_;
    return states_[at_];
}

size_t History::bytes() const {
    size_t total = 0;
    const Snapshot* previous = nullptr;
    for (const Snapshot& s : states_) {
        total += s.bytesBeyond(previous);
        previous = &s;
    }
    return total;
}

} // namespace zarnet::designer
