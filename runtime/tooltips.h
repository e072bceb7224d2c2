// Extended tooltips: a tooltip window of the gadget's own with its delay,
// colours, font, maximum width and, on request, the balloon shape.
#pragma once

#include "runtime/runtime.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace zarnet {

// Creates a tooltip window showing ttext for the gadget window ghandle.
// Colours are 0x00BBGGRR; tfont nullptr keeps the tooltip's own font;
// ttime is the delay in milliseconds before the tip shows, twidth the
// widest the tip grows before its text wraps; tballoon 1 gives the balloon
// shape. The window is never destroyed by the runtime (it goes with the
// gadget's window). nullptr when it could not be created.
HWND ApiToolTip(HWND ghandle, std::string_view ttext, uint32_t tfcolor, uint32_t tbcolor,
                HFONT tfont, int ttime, int twidth, int tballoon);

// The loader's step for a record with an extended tooltip: its values are
// in ZarnValue, its font index names a slot of the font table.
void applyExtendedTooltip(Runtime& rt);

} // namespace zarnet
