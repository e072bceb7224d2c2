// How the canvas follows the design from one snapshot to another with the
// least work: items whose rectangle alone changed are placed again, items
// otherwise changed are made again, a run of items inserted or taken out of
// the list is built or freed on its own; anything else builds the whole
// canvas again.
#pragma once

#include "designer/history/snapshot.h"

#include <vector>

namespace zarnet::designer {

struct RestorePlan {
    enum class Kind { Nothing, Fields, Insert, Remove, Rebuild };
    Kind kind = Kind::Nothing;
    // Fields: by index, the items only moved or sized and those made again.
    std::vector<size_t> placed, remade;
    // Insert and Remove: the run of list entries (indexes in the longer list).
    size_t first = 0, count = 0;
};

RestorePlan planRestore(const Snapshot& from, const Snapshot& to);

} // namespace zarnet::designer
