// The live gadget of a design item on the canvas: built from the item's
// fields with its type's creation call, preview entries, pictures,
// tooltip, status and font.
#pragma once

#include "document/model.h"

namespace zarnet::designer {

// Creates the item's live gadget in the current gadget list and stores its
// number in `id` (0 when the platform refused it). A splitter's two
// children must already be live (`firstgadget`, `secondgadget`).
void createLiveGadget(Item& it, const Design& d);

// The tooltip every canvas gadget carries: "Item Index N - name".
std::string canvasTooltip(const Item& it);

// Decodes the item's stored picture into `decodedImage` and puts a shown
// copy (scaled when the image flags say so) on its gadget; an item without
// usable picture data shows the placeholder of its type instead.
void showItemPicture(Item& it);

// Who takes a left-button press on a canvas control that would otherwise
// keep it to itself (a scroll bar): the press is not passed on to the
// control, and the handler gets the control's gadget number.
using ControlPressedHandler = void (*)(int gadget);
void setControlPressedHandler(ControlPressedHandler handler);

// Frees the item's live gadget and the pictures it showed.
void freeLiveGadget(Item& it);

} // namespace zarnet::designer
