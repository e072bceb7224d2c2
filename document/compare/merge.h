// The three-way merge of designs, as git's merge driver runs it: changes of
// different gadgets, or of different fields of one gadget, come together;
// gadgets added on both sides are all kept, and when both sides gave a new
// gadget the same number, theirs takes a free number as a paste would (its
// splitter links follow). Fonts merge by content. A gadget removed on one
// side and changed on the other, one field changed to two values, or a
// result the model's rules refuse is a conflict, told in the diff's terms.
#pragma once

#include "document/model.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zarnet::compare {

enum class Prefer { None, Ours, Theirs };

struct MergeResult {
    // The merged design; nothing when there were conflicts and no side is
    // preferred. With a side preferred, a merge whose result the model's
    // rules refuse gives that side's design whole.
    std::optional<Design> merged;
    std::vector<std::string> conflicts;
    // Theirs' new gadgets that took another number: (theirs, merged).
    std::vector<std::pair<int, int>> renumbered;
    bool tookWhole = false;
};

// All three designs must keep the model's invariants (any design the
// reader takes does). The merged design does too, and reads back strictly.
MergeResult mergeDesigns(const Design& base, const Design& ours, const Design& theirs,
                         Prefer prefer = Prefer::None);

} // namespace zarnet::compare
