// The edit history carried through a restart (ESC, the XP-style toggle):
// the old designer writes it beside the backup of the design, the new one
// reads it back, so a restart costs no undo. Records and pictures shared by
// the snapshots are written once each.
//
// Layout, little-endian: "ZRHS", u32 version (1); u32 n pictures, each a
// u32 length and its bytes; u32 n records, each its stored fields and a
// picture index (-1: none); u32 n snapshots, each its header, its font
// table and a u32 record index per item; one step (u8 rebuilt, u64 merge
// key) per snapshot after the first; u32 position; i32 save point (-1:
// none). Strings are a u32 length and their bytes.
#pragma once

#include "designer/history/history.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zarnet::designer {

std::vector<uint8_t> writeHistory(const History& h);
// The history in these bytes, only when every part of it is whole and
// sound; nothing is taken from a count the bytes do not back.
std::optional<History> readHistory(std::span<const uint8_t> bytes);

} // namespace zarnet::designer
