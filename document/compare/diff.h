// What changed from one design to another, in terms a user knows: gadgets
// matched by number (the number is a gadget's identity; a number that now
// holds a gadget of another type is one gadget removed and one added), every
// changed field with its old and new value, gadgets added, removed, moved to
// another parent or tab or place in their parent's order, panel tabs, the
// window's values and the fonts no gadget uses. A font table renumbered
// without any gadget's font changing is no change.
#pragma once

#include "document/compare/design_view.h"
#include "document/model.h"

#include <string>
#include <vector>

namespace zarnet::compare {

struct Change {
    enum class Kind { Window, Font, Removed, Added, Place, Order, Tabs, Field };
    Kind kind;
    int number = -1;   // the gadget's number; -1 for the window and fonts
    std::string field; // what changed: a field's key, "parent", "order", "tab N", ...
    std::string line;  // the change as printed, without a line end
};

struct Difference {
    std::vector<Change> changes;
    bool equal() const { return changes.empty(); }
};

// Both designs must keep the model's invariants (any design the reader
// takes does). Same inputs, same changes in the same order.
Difference diffDesigns(const Design& a, const Design& b);

// "N changes: A gadgets added, R removed, C changed; W other".
std::string statLine(const Difference& diff);

// What a picture of the newer design marks: the gadgets added or changed
// (by their numbers there) and, as lines, the gadgets removed.
struct PictureMarks {
    std::vector<int> outlined;
    std::vector<std::string> removed;
};
PictureMarks pictureMarks(const Difference& diff);

// Where a gadget lies, as printed: "top level", "#5 ContainerGadget \"Box\"",
// "#4 PanelGadget \"Tabs\" tab 1".
std::string describePlace(const DesignView& v, Place p);

// The elements common to `from` and `to` that changed their order: those
// outside a longest run common to both in the same order. Stable for equal
// inputs; the rest keep their relative order.
std::vector<int> reordered(const std::vector<int>& from, const std::vector<int>& to);

// Whether the gadget numbered n is the same gadget in both (same type).
bool sameGadget(const DesignView& a, const DesignView& b, int n);

} // namespace zarnet::compare
