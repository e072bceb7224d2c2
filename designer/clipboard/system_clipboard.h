// The system clipboard's share of copy and paste: the copied gadgets under
// a format of their own (a small design file) beside their listing as
// plain text, so they travel between designs and running designers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zarnet::designer {

// The registered format's name, the same in every designer.
inline constexpr const char* kClipFormatName = "Zarnet design items";

// False when the clipboard could not be opened or filled.
bool putOnClipboard(HWND owner, std::span<const uint8_t> items, const std::string& text);
// Whether the clipboard offers our format (it may still be damaged).
bool clipboardHasItems();
// The bytes under our format; nullopt when there are none or they cannot be read.
std::optional<std::vector<uint8_t>> clipboardItems(HWND owner);

} // namespace zarnet::designer
