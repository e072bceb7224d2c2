// The item list read as the tree TAB walks: each parent's children (each
// panel tab's) as units in list order. A unit is one real item with all it
// holds; a splitter and the two gadgets it holds form one unit that stands
// where the splitter stands, since the running splitter takes its gadgets
// into itself at its own place. Shared by the tab order commands and the
// keyboard-access check.
#pragma once

#include "document/model.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace zarnet::designer {

struct TabUnit {
    size_t item = 0; // the unit's item (for a splitter unit, the splitter)
    // A splitter's two gadgets, each a unit of its own, in list order.
    std::vector<TabUnit> held;
    // A parent's contents: one list of units per panel tab, or one for a
    // scroll area or container; `tabRecords[k]` opens `pages[k]` of a panel.
    std::vector<std::vector<TabUnit>> pages;
    std::vector<size_t> tabRecords;
    bool parent = false; // a panel, scroll area or container
    size_t close = 0;    // a parent's close record
};

// The top-level units. nullopt for a list the file could not hold: an
// unclosed parent, a stray record, a splitter naming a gadget that is not
// an earlier unit of its own parent and tab, or a gadget held twice.
std::optional<std::vector<TabUnit>> tabUnits(const std::vector<Item>& items);

// Appends the list indices of a unit's records in the order the list holds
// them for this tree: a splitter's gadgets first, then the splitter; a
// parent, then each tab record with its page, then the close record.
void appendRecords(const TabUnit& unit, std::vector<size_t>& out);

} // namespace zarnet::designer
