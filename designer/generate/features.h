// What a generated include must carry: the runtime blocks that only some
// designs need and the gadget types whose creation calls it holds. Flags are
// only ever set, so one value can gather the needs of several designs.
#pragma once

#include "document/catalogue.h"
#include "document/model.h"

#include <array>
#include <string_view>

namespace zarnet::gen {

struct Features {
    bool images = false;
    bool png = false;
    bool jpeg = false;
    bool transparency = false;
    bool tooltips = false;
    bool extendedTooltips = false;
    bool anchors = false;
    bool fonts = false;
    std::array<bool, kTypeCount + 1> usedType{}; // index = gadget type 1..29

    bool operator==(const Features&) const = default;
};

// Adds what this design's records and font table need.
void scanDesign(const Design& d, Features& f);

// Adds what an existing include carries, recognised line by line from the
// text the include writer puts there.
void scanInclude(std::string_view text, Features& f);

} // namespace zarnet::gen
