// Snap guides: while one item is dragged or sized without SHIFT, an edge or
// centre that comes within a few pixels of an edge or centre of a sibling
// snaps to it, and a guide line shows each alignment that holds.
//
// The caller passes the rectangle the gesture gives before any snapping.
// On an axis that snapped it takes the rectangle as it comes back and skips
// the grid; on the other axis it snaps to the grid as before.
//
// Rules:
// - Features are the left edge x, the centre x + w / 2 (rounded down) and
//   the right edge x + w, and the same with y and h. A move offers all three
//   of the dragged rectangle's features on each axis; a size offers only the
//   edges it moves (the centre of a rectangle being sized follows its edge
//   at half the speed, so snapping it would make the edge jump).
// - Targets are all three features of every sibling on the same axis.
// - The nearest candidate wins; between two equally near ones the shift
//   toward smaller coordinates wins. Every alignment that holds after the
//   shift gets its guide, so one shift can show several lines.
// - A size never snaps to a width or height below 1.
#pragma once

#include "designer/canvas/geometry.h"
#include "document/model.h"

#include <span>
#include <vector>

namespace zarnet::designer {

// How near (in pixels) a feature must come to a sibling's to snap to it.
inline constexpr int kSnapReach = 4;

// What a gesture changes: a move shifts the whole rectangle, a size moves
// the edges named.
struct SnapGesture {
    bool move = false;
    bool left = false, top = false, right = false, bottom = false;

    static SnapGesture moving() { return {true}; }
    // Sizing by mark 0 (top-left), 1 (top-right), 2 (bottom-right) or 3
    // (bottom-left).
    static SnapGesture sizing(int mark);
};

struct SnapResult {
    Rect rect;
    bool snappedX = false, snappedY = false;
    std::vector<int> guidesX; // vertical guide lines, ascending
    std::vector<int> guidesY; // horizontal guide lines, ascending
};

SnapResult snapToSiblings(const Rect& dragged, SnapGesture gesture, std::span<const Rect> siblings,
                          int reach = kSnapReach);

// The items an item can snap to: the real items of its parent and tab, not
// itself and not the gadgets a splitter holds (they lie inside their
// splitter, not beside it). Empty for a record or a malformed list.
std::vector<size_t> snapSiblings(const Design& d, size_t item);

} // namespace zarnet::designer
