// Adding and removing a panel's tabs in the item list: the tab records are
// renumbered and the children of later tabs follow their tab. The Win32
// side adds or removes the tab on the canvas panel and in the object
// manager with what these return.
#pragma once

#include "document/model.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zarnet::designer {

// Why a tab edit was refused; the list is then unchanged.
enum class TabRefusal {
    None,
    NotAPanel,      // the index names no panel
    Malformed,      // the panel's run is not closed or holds an unclosed parent
    NoSuchTab,      // the panel has no tab of that index
    LastTab,        // a panel keeps at least one tab
    SplitterAcross, // a splitter would lose one of its children but not the other
};

// Number of tabs of the panel at `panel` (0 when it is no closed panel).
int panelTabCount(const std::vector<Item>& items, size_t panel);

// Index of the tab record opening tab `tab` of the panel at `panel`.
std::optional<size_t> panelTabRecord(const std::vector<Item>& items, size_t panel, int tab);

enum class TabSide { After, Before };

struct TabInsertion {
    TabRefusal refusal = TabRefusal::None;
    size_t record = 0; // index of the new tab record
    int tab = 0;       // its tab index, where the canvas panel gets it
    std::string title; // "Panel " + the tab count before the insertion
    // Object manager: the new tab's entry goes after the entry of
    // `previousTab` (first under the panel when nullopt), which is the same
    // place as before the entry of `nextEntry` (the following tab, or the
    // first record with an entry after the panel; nullopt: end of the tree).
    std::optional<size_t> previousTab;
    std::optional<size_t> nextEntry;
};

// "New Panel after" / "New Panel before" tab `current` of the panel at
// `panel`. The new record's `parent` is the panel's live gadget.
TabInsertion insertPanelTab(Design& d, size_t panel, int current, TabSide side);

struct TabRemoval {
    TabRefusal refusal = TabRefusal::None;
    Handle tabTreeItem = 0;      // the removed tab's object manager entry
    std::vector<Handle> gadgets; // live gadgets of the removed items, in list order
    std::vector<Handle> fonts;   // loaded fonts no remaining item uses, to free
};

// "Remove Panel" on tab `current`: the tab record and everything on that
// tab go; their numbers return to the pool in list order.
TabRemoval removePanelTab(Design& d, size_t panel, int current);

} // namespace zarnet::designer
