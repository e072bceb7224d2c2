// Where new items go in the item list and the object manager tree, the
// records a new item brings with it, and the runs a deletion removes.
// Pure list arithmetic; the canvas applies it to live gadgets.
#pragma once

#include "document/model.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace zarnet::designer {

// Index of the close record ending the parent item at `parent`, or nullopt
// when the item is no parent or its run is never closed.
std::optional<size_t> closeRecordOf(const std::vector<Item>& items, size_t parent);

// Index of the tab record opening tab `tab` of the panel at `panel`.
std::optional<size_t> tabRecordOf(const std::vector<Item>& items, size_t panel, int tab);

// One past the last item of a whole run: an ordinary item is its own run; a
// parent's run ends with its close record. nullopt for an unclosed parent.
std::optional<size_t> runEnd(const std::vector<Item>& items, size_t first);

struct Placement {
    size_t listIndex = 0; // the new item's index once inserted
    int container = -1;   // index of the enclosing panel, scroll area or container
    int level = 0;
    int tab = 0; // tab of a panel's child, else 0
    // Tree position: the entry to insert under (the container's entry, a
    // tab record's entry for a panel, -1 for the root) and the sibling entry
    // to insert after (-1: first under that parent).
    int treeParent = -1;
    int treeAfter = -1;
};

// Where a new item of type `typ` goes. `marked` is the marked item's index
// (-1 or any non-parent item: top level); `tab` is a marked panel's current
// tab. Frames go first (below their siblings), everything else last.
// nullopt when the marked parent's run is malformed or the tab is missing.
std::optional<Placement> placeNewItem(const Design& d, int marked, int tab, int typ);

// The records a new item of `item.typ` brings: a panel its tab record
// "Panel 0" and close record, a scroll area or container its close record.
std::vector<Item> newItemRecords(const Item& item);

// Inserts `item` and its records at the placement, gives the item the next
// number, its level, tab and parent (the container's live gadget), grows
// the maximum depth and sets the modified flag. Returns the item's index.
// The tab and close records' `parent` is left for the caller, which knows
// the new live gadget.
size_t insertNewItem(Design& d, const Placement& p, Item item);

// The index ranges [first, end) a deletion of the item at `index` removes:
// the item's whole run, so that no tab or close record is left without its
// parent. Tab and close records themselves are never deleted on their own
// (nullopt), nor is an unclosed run.
struct Run {
    size_t first, end;
};
std::optional<Run> deletionRun(const std::vector<Item>& items, size_t index);

// Removes a run, releasing the numbers of its real items in list order; when
// the design becomes empty numbering starts again at 0.
void removeRun(Design& d, Run run);

// An empty design hands out 0 again: next number 0, pool emptied.
void resetNumberingWhenEmpty(Design& d);

} // namespace zarnet::designer
