// Reading and writing whole design files for the designer and the tools.
#pragma once

#include "document/byte_reader.h"
#include "document/model.h"

#include <filesystem>
#include <optional>
#include <span>
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

// Parses a whole design file into a fresh model: numbering pool rebuilt,
// nesting computed, every invariant checked. Any fault gives an error that
// names the byte offset.
LoadResult readDesign(std::span<const uint8_t> data, Strictness strictness = Strictness::Lenient);

// Whole-file helpers. writeFileAtomic writes to a temporary name in the same
// folder and renames it over the target only when complete.
std::optional<std::vector<uint8_t>> readFileBytes(const std::filesystem::path& path);
// At most the first `limit` bytes of a file (fewer when it is shorter).
std::optional<std::vector<uint8_t>> readFilePrefix(const std::filesystem::path& path, size_t limit);
bool writeFileAtomic(const std::filesystem::path& path, std::span<const uint8_t> bytes);

} // namespace zarnet
