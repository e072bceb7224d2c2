// Aligning, sizing and spacing the members of a group: pure arithmetic over
// their rectangles, in client coordinates of the group's parent. The canvas
// passes the members in group order (the first is the reference: the item
// that was marked before the group formed) and applies the rectangles it
// gets back to the live gadgets.
//
// Rules:
// - The reference never changes for the edge, centre and size commands; a
//   Fixed reference is still the reference (it would not move anyway).
// - Members that must not move (Fixed items, splitter gadgets) come back
//   unchanged from every command; the others are placed as if they had
//   moved too, so a Fixed member never shifts where the rest go.
// - "Centres horizontally" lines the members' centres up on the reference's
//   vertical centre line (the members move left or right); "Centres
//   vertically" does the same on the horizontal centre line. A centre is
//   x + w / 2 rounded down, so a member whose width differs from the
//   reference's by an odd number of pixels sits half a pixel to the left.
// - Even spacing needs three members or more (fewer: no change). It orders
//   the members by where they stand (left edge, then top edge, then group
//   order), keeps the first and the last where they are and makes the gaps
//   between neighbours equal; pixels left over go one at a time to the
//   gaps from the left (or top). Overlapping members give negative gaps.
// - Centring in the parent moves the movable members as one block: their
//   bounding box is centred and every one keeps its place within it, which
//   keeps a laid-out group laid out. Leftover half pixels go left (or up).
#pragma once

#include "designer/canvas/geometry.h"

#include <span>
#include <string_view>
#include <vector>

namespace zarnet::designer {

enum class AlignCommand {
    LeftEdges,
    RightEdges,
    TopEdges,
    BottomEdges,
    CentresHorizontally,
    CentresVertically,
    SameWidth,
    SameHeight,
    SameSize,
    SpaceAcross,
    SpaceDown,
    CentreInParentAcross,
    CentreInParentDown,
};

struct AlignMenuEntry {
    AlignCommand command;
    std::string_view text;
    bool separatorBefore; // a separator line stands above this entry
};

// The "Align" submenu of the group menu, top to bottom.
std::span<const AlignMenuEntry> alignMenu();
std::string_view alignMenuText(AlignCommand command);

// Members a command needs before it can change anything: 3 for spacing, 1
// for centring in the parent, 2 for the rest (the menu greys the entry out
// below that).
size_t minimumMembers(AlignCommand command);

struct AlignMember {
    Rect rect;
    bool movable = true; // false for Fixed items and splitter gadgets
};

// The members' new rectangles, in the order given. `parent` is the client
// size of the area the members lie in (used by the centring commands only).
std::vector<Rect> arrange(AlignCommand command, std::span<const AlignMember> members, Area parent);

} // namespace zarnet::designer
