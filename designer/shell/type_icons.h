// The object manager's small pictures: one 16 x 16 icon per gadget type and
// one for panel tabs. They live in the program as finished icon files, the
// way the designer reads them at start-up, so the bytes are fixed when the
// program is built and nothing is drawn at run time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zarnet::designer {

// Entries 1..29 follow the gadget type numbers; the last one is for tabs.
inline constexpr int kTypeIconCount = 30;
inline constexpr int kPanelTabIcon = 30;

// Every icon file is a single 16 x 16 image of 256 colours with its AND mask.
inline constexpr size_t kTypeIconFileSize = 1406;

// The icon file for one entry; empty for an entry outside 1..30.
std::span<const uint8_t> typeIconFile(int entry);

// All thirty icon files back to back, entry 1 first.
std::span<const uint8_t> typeIconData();

} // namespace zarnet::designer
