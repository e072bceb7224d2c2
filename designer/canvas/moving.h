// Moving and sizing the selection's live gadgets: one item, a group moved
// by a difference, a group scaled with its rectangle, and the scroll area
// that scrolls while a drag reaches its edge.
#pragma once

#include "designer/canvas/selection.h"

namespace zarnet::designer {

// A Fixed item ignores keyboard moves and sizes and stays put when its
// group is dragged, scaled or lined up.
inline bool isFixed(const Item& it) {
    return (it.status & kStatusFixed) != 0;
}

// Places a live gadget; a coordinate of -1 is a place like any other.
void placeGadget(int gadget, const Rect& r);

// Gives the item the rectangle: the live gadget follows, image gadgets
// store it at once (their picture is scaled again when it follows the
// gadget's size), combo boxes and explorer combos store their height.
void applyItemRect(Item& it, const Rect& r);

// The area the selection must stay reachable in: the client size of the
// window holding it (a scroll area's inner size).
Area holderArea(const Design& d, const Selection& s);

// Moves the marked item or every group member that is not Fixed so that
// the selection rectangle's top-left becomes `to`; the marks follow.
// False when nothing moved.
bool moveSelectionTo(Selection& s, Design& d, Point to);

// Gives the marked item the rectangle; the marks follow.
void sizeMarkedTo(Selection& s, Design& d, const Rect& r);

// Scales every group member that is not Fixed from the group rectangle
// `from` to `to` and makes `to` the group rectangle.
void scaleGroupTo(Selection& s, Design& d, const Rect& from, const Rect& to);

// The scroll area holding the selection (its item index), or -1.
int scrollAreaOf(const Design& d, const Selection& s);

} // namespace zarnet::designer
