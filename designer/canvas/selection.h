// What is marked on the canvas: one item or a group of items of one parent,
// shown by four small marks, plus the hit test that finds the item under
// the cursor.
#pragma once

#include "designer/canvas/geometry.h"
#include "designer/canvas/hit_order.h"
#include "document/model.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zarnet::designer {

struct GroupMember {
    size_t item = 0;
    int typ = 0;
    Rect r; // its rectangle when it joined
};

struct Selection {
    int marked = -1; // index of the marked item, -1 none
    int gadget = 0;  // its live gadget
    int typ = 0;
    bool inSplitter = false;
    Handle parent = 0;
    int tab = 0;
    // The marked item's or the group's rectangle in client coordinates of
    // their parent, and that rectangle when it was marked.
    Rect rect, atMarking;
    std::array<int, 4> marks{}; // 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left
    bool groupMode = false;
    std::vector<GroupMember> group;
    // A panel that marking switched to another tab, and the tab it showed.
    int switchedPanel = 0, switchedFrom = 0;
};

inline constexpr int kMarkSize = 8;

// Repaints a live gadget and everything in it, leaving it shown or hidden
// as it is; nothing for 0 or a freed gadget.
void repaintGadget(Handle gadget);

// Whether `screen` lies in the window's rectangle, left and top edges in,
// right and bottom out.
bool over(HWND w, POINT screen);

// Index of the item whose live gadget is `gadget`, -1 when none.
int itemOfGadget(const Design& d, Handle gadget);

// The item's rectangle as the selection takes it: the stored one for image
// gadgets, the stored height for combo boxes and explorer combos, else the
// live gadget's.
Rect itemRect(const Item& it);
// The rectangle a user sees: a combo box's closed field rather than the
// height of its drop-down list, which itemRect gives (and the file keeps).
Rect seenRect(const Item& it);

// Whether `screen` lies over the item's live gadget (left and top edges in,
// right and bottom out) and over every ancestor's, each panel ancestor
// showing the tab the child lives on.
bool cursorOverItem(const Design& d, size_t item, POINT screen);

// The item under the cursor by the hit order, or nullopt.
std::optional<int> hitTest(const Design& d, POINT screen, HitKeys keys);

// The window that holds the item's live gadget (the canvas, a container,
// a scroll area's inner area, a panel page).
HWND holderOf(const Item& it);

void freeMarks(Selection& s);
// Puts the four marks around the selection rectangle, inside the holder.
void placeMarks(Selection& s, const Design& d, int markImage, const std::string& tooltip);
void moveMarks(const Selection& s);

// Marks a single item; `fromTree` when it was chosen in the object
// manager (a panel then shows the item's tab, a scroll area scrolls it in).
void markItem(Selection& s, Design& d, size_t item, int markImage, bool fromTree);
// Frees the marks, restores a switched panel tab, ends group mode.
void unmark(Selection& s);

// CONTROL-click: adds the item to the group or takes it out; false when it
// cannot join (another parent or tab, inside a splitter, the marked item).
bool toggleGroupMember(Selection& s, Design& d, size_t item, int markImage);
// The group rectangle from the members' cached rectangles, and its marks.
void drawGroupMarks(Selection& s, Design& d, int markImage);
// A new group from these items (the rubber band); one item is marked alone.
void groupItems(Selection& s, Design& d, const std::vector<size_t>& items, int markImage);

// The group (or the marked item) plus both children of every splitter in
// it, recursively, in that order.
struct WorkingList {
    std::vector<size_t> items;
    bool allSplitterChildren = false;
};
WorkingList buildWorkingList(const Selection& s, const Design& d);

// Brings the item into view inside a scroll area holding it.
void scrollIntoView(const Design& d, size_t item);

} // namespace zarnet::designer
