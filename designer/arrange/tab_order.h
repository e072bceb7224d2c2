// Tab order: TAB visits the children of a parent (of a panel tab) in list
// order, so the order is changed by moving whole runs among their siblings.
//
// Rules:
// - Siblings are the real items of one parent and, in a panel, one tab; at
//   top level, the window's items.
// - A splitter and the two gadgets it holds are one unit that stands where
//   the splitter stands: the splitter carries the unit's badge, its gadgets
//   carry none, and a click on either gadget counts as a click on the
//   splitter. Reordering puts the gadgets right before their splitter.
// - Frames keep their places in the list (they lie under their siblings
//   and never take the focus): they get no badge, a click on one is ignored,
//   and the other units move around them.
// - A run of option gadgets side by side (one group of options) is one
//   unit as well: its first option carries the badge, a click on any of
//   them takes the whole run, and no reorder may put two runs side by side
//   (which would make one group of them) or part one.
// - A parent moves with its contents, tab records and close record.
// Every change leaves a list the design file takes (`checkInvariants`
// passes, nesting, splitter references and tab numbers recomputed) and
// sets the modified flag; no change leaves the design untouched.
#pragma once

#include "document/model.h"

#include <span>
#include <string_view>
#include <vector>

namespace zarnet::designer {

// The entries of the canvas's main pop-up: a checkable switch showing the
// badges (and taking clicks as the new order) and the sort command.
inline constexpr std::string_view kShowTabOrderText = "Show Tab Order";
inline constexpr std::string_view kSortTabOrderText = "Sort Tab Order by Position";

// Per list index, the item's place among its siblings as the badge shows
// it (1, 2, 3 ...), or 0 for no badge: records, frames, gadgets a splitter
// holds. All zero for a malformed list.
std::vector<int> tabOrderBadges(const Design& d);

// The item whose badge stands for `item`: the outermost splitter holding
// it, else the item itself; -1 for a record or a malformed list.
int tabUnitOf(const Design& d, size_t item);

// Makes the clicked units, given by item numbers in click order, the first
// of their siblings in that order; the rest follow in their old order.
// Duplicates and frames are ignored. Refused (false, design untouched) when
// the clicks name no item or items of different parents or tabs. Returns
// whether the list changed.
bool applyTabOrder(Design& d, std::span<const int> clickedNumbers);

// The same, telling an order that is already so from one refused because
// two groups of options would come side by side.
enum class TabOrderOutcome { Changed, Unchanged, JoinsOptionGroups };
TabOrderOutcome applyTabOrderOutcome(Design& d, std::span<const int> clickedNumbers);

// Orders the children of every parent and tab, and the two gadgets of
// every splitter, top to bottom, then left to right (by their stored y,
// then x; equal positions keep their order; an item at most 4 pixels
// below the first of a row is in that row). A run of options goes where
// its top-left option goes; when two runs would meet, the nearest other
// unit goes between them. Returns whether the list changed.
bool sortTabOrderByPosition(Design& d);

// Front and back: the list order among siblings is also the stacking order
// on the canvas, later siblings drawn over earlier ones. Moves the units of
// the given items (all of one parent and tab) to the end of their siblings
// (the front), to the start (the back), or past the next or the previous
// sibling unit. Frames move like any unit here, as stacking is what they
// need; a run of options moves whole and is passed whole. A move that
// would put two groups of options side by side is refused.
enum class Restack { ToFront, ToBack, Forward, Backward };
TabOrderOutcome restackUnits(Design& d, std::span<const size_t> items, Restack how);

} // namespace zarnet::designer
