// Automatic resizing: gadgets with anchor flags are registered against their
// window or parent gadget when loaded, and moved whenever that window or
// parent reports a new size.
#pragma once

#include "runtime/runtime.h"

#include <windows.h>

namespace zarnet {

// The loader's step for a record whose anchor flags are not 0: appends it to
// gAutoValue, following the innermost open parent (registered in
// gParentValue at its first anchored child) or else the load's window.
void registerAnchoredGadget(Runtime& rt, int window);

// WM_SIZE of a window or parent gadget: every gadget that follows it is
// moved and sized again, and pictures that follow their gadget are scaled
// anew. A gadget that is itself a registered parent moves its own children
// from inside this run (its size message arrives at once); the walk then
// carries on where it was.
void resizeAnchoredGadgets(Runtime& rt, HWND hwnd, WPARAM wParam, LPARAM lParam);

} // namespace zarnet
