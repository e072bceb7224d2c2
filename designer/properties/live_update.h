// Changes the editors make to the live gadget of an item on the canvas:
// its fields refreshed from what the user dragged, the gadget made again
// from the fields inside its parent's gadget list, and a border restyled in
// place.
#pragma once

#include "designer/properties/editors.h"
#include "designer/properties/style_flags.h"

namespace zarnet::designer {

int gadgetOf(const Item& it);

// The index of the item whose live gadget holds `it`, -1 at top level.
int parentItem(const Design& d, const Item& it);

// Position, size and text (a list icon's first column width) as the
// canvas shows them now; an image gadget keeps its stored values.
void refreshFromGadget(Item& it);

// Frees the item's live gadget and makes it again from its fields in the
// list of its parent (at its tab), then makes the canvas list current.
void recreateGadget(EditorHost& host, size_t index);

// The border of an editor, scroll area or container changed without
// making it again: only the border bits of the window styles change, so
// the control keeps its scroll bars and its own styles.
void restyleBorder(const Item& it, NativeBorderStyle border);

} // namespace zarnet::designer
