// The object manager's find box without windows: which tree entries a
// typed filter keeps, and the first item it finds.
#pragma once

#include "document/model.h"

#include <string_view>
#include <vector>

namespace zarnet::designer {

// Whether an item matches the filter by itself: its name, its type's name
// or its text contains the filter, letters compared without case (a tab
// record by its title alone; a close record never). An empty filter
// matches every entry.
bool treeEntryMatches(const Item& it, std::string_view filter);

// For each item of the list, whether its tree entry stays: the entries
// that match and every entry above one of them (its panel, the panel's
// tab, its scroll area or container, up to the top). The tree nests by
// list order, so the walk does too. Close records have no entry.
std::vector<bool> treeFilterKeeps(const std::vector<Item>& items, std::string_view filter);

// The first item in list order that matches by itself; -1 when none does
// (or the filter is empty: then nothing was asked for).
int firstTreeMatch(const std::vector<Item>& items, std::string_view filter);

} // namespace zarnet::designer
