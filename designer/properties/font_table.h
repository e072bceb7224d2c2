// The design's font table: entries shared by the items that use them. An
// entry nobody uses keeps its index until it is the last one.
#pragma once

#include "document/model.h"

#include <vector>

namespace zarnet::designer {

// Marks every entry no item uses (as `font`, or as `tfont` with an extended
// tooltip) as not in use and drops such entries from the end of the table.
// Items met on the way without an extended tooltip lose their `tfont`.
// Returns the loaded fonts of the released entries, for the caller to free.
std::vector<Handle> releaseUnusedFonts(Design& d);

} // namespace zarnet::designer
