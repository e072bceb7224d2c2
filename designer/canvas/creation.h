// A new design item on the canvas: placed in the item list, numbered, its
// live gadget made with the type's starting values, and its container
// records (a panel's first tab, a close record) added.
#pragma once

#include "document/catalogue.h"
#include "document/model.h"

#include <optional>

namespace zarnet::designer {

// The tooltip settings new items start with.
struct TooltipDefaults {
    int ttime = 250;
    uint32_t tfcolor = 0, tbcolor = 0xFFFFFF;
    int tfont = -1;
    int twidth = 200;
    int tballoon = 1;
};

// Creates an item of type typ (1..28) with the type's current defaults
// (size, flags, ranges) and its top-left corner at (x, y) of the canvas, or
// of the container's gadget list, inside the marked panel (on tab `tab`), scroll area or
// container when `marked` names one, else at top level. The canvas window's
// gadget list must be current; it is current again afterwards. Returns the
// new item's index, or nothing when it could not be placed.
std::optional<size_t> createItem(Design& d, int canvasWindow, int typ, int x, int y, int marked,
                                 int tab, const TypeDefaults& defaults,
                                 const TooltipDefaults& tooltips);

} // namespace zarnet::designer
