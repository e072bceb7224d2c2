// Reading and writing whole design files for the designer and the tools.
#pragma once

#include "document/byte_reader.h"
#include "document/model.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zarnet {

// The design as the bytes of a design file.
std::vector<uint8_t> writeDesign(const Design& d);

enum class Strictness {
    Lenient,  // any format mark, trailer or tail
    Strict,   // also demands format mark 1000, trailer 0 and nothing after it
    Editable, // what the designer loads: as Lenient, and item numbers not
              // below next number raise next number past them
};

struct LoadResult {
    std::optional<Design> design;
    ReadError error;  // set when design is empty
};

// What a real design can hold: one gadget per item number, a close record
// per parent, and tab records and font entries within the same order.
inline constexpr int32_t kMaxGadgets = 32768;
inline constexpr int32_t kMaxRecords = 3 * kMaxGadgets;
inline constexpr int32_t kMaxFontEntries = 2 * kMaxGadgets;

// Parses a whole design file into a fresh model: numbering pool rebuilt,
// nesting computed, every invariant checked. Any fault gives an error that
// names the byte offset.
LoadResult readDesign(std::span<const uint8_t> data, Strictness strictness = Strictness::Lenient);

// Whole-file helpers. writeFileAtomic writes to a temporary name in the same
// folder and renames it over the target only when complete. Paths are
// code-page text (document/path_text.h).
std::optional<std::vector<uint8_t>> readFileBytes(const std::string& path);
// At most the first `limit` bytes of a file (fewer when it is shorter).
std::optional<std::vector<uint8_t>> readFilePrefix(const std::string& path, size_t limit);
bool writeFileAtomic(const std::string& path, std::span<const uint8_t> bytes);

} // namespace zarnet
