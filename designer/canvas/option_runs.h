// Option gadgets listed one after another in one parent (one panel tab)
// form one group, of which a single option is on; any other gadget ends
// the group. The run program builds its windows by that rule, so any edit
// that moves items can join two groups into one or split one into two.
// These helpers let the commands that move or insert items keep the groups
// as the user made them. Portable list arithmetic.
#pragma once

#include "document/model.h"

#include <cstddef>
#include <vector>

namespace zarnet::designer {

// Per list index, the list index of the first option of the item's group;
// -1 for every other record.
std::vector<int> optionGroupStarts(const std::vector<Item>& items);

// Whether every option present in both lists (matched by number) shares
// its group with exactly the same options of the other list.
bool sameOptionGroups(const std::vector<Item>& before, const std::vector<Item>& after);

// Where records starting and ending with the given kinds of item may be
// inserted among the children of one parent (one panel tab) without
// joining a group on either side: the latest of the candidate list
// indices `slots` (each between two siblings, ascending) whose neighbours
// are not options where the inserted records' own ends are. `slots` is
// never empty; its last entry is used when no slot keeps the groups apart.
struct InsertEnds {
    bool firstIsOption = false;
    bool lastIsOption = false;
};
size_t groupSafeSlot(const std::vector<Item>& items, const std::vector<size_t>& slots,
                     InsertEnds ends, bool* safe = nullptr);

} // namespace zarnet::designer
