// Fonts loaded by name, point size and PureBasic style bits.
#pragma once

#include "toolkit/constants.h"

#include <windows.h>

#include <string_view>

namespace tk {

// Returns the font number (#PB_Any) or nonzero, 0 when the font cannot be made.
int LoadFont(int font, std::string_view name, int size, uint32_t style = 0);
bool IsFont(int font);
HFONT FontID(int font);
void FreeFont(int font);

} // namespace tk
