// Which item a click takes when several lie under the cursor: deeper items
// win over their parents, later (upper) siblings over earlier ones, frames
// and splitters only with SHIFT.
#pragma once

#include <optional>
#include <span>

namespace zarnet::designer {

// An item under the cursor: a real item with a visible live gadget whose
// ancestors all contain the cursor and show its tab.
struct HitCandidate {
    int index = 0; // position in the item list
    int level = 0;
    int typ = 0;
};

struct HitKeys {
    bool shift = false;
    bool xKey = false;          // with SHIFT: skip splitters to reach frames inside them
    bool bothButtons = false;   // only frames qualify
    bool contextMenu = false;   // with both buttons: any type qualifies (the context menu)
    bool leftPressFree = false; // left press with nothing grabbed: splitters as a last resort
};

// The list index of the item hit, or nullopt.
std::optional<int> pickHit(std::span<const HitCandidate> under, HitKeys keys);

} // namespace zarnet::designer
