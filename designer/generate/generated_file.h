// Where generated text may go, and writing it there. Generation never
// replaces a design file, and a failed write leaves any earlier file whole.
#pragma once

#include <string>
#include <string_view>

namespace zarnet::gen {

// What lies at the place a generated file would take.
enum class Target {
    Free,     // nothing of that name
    Empty,    // an empty file: nothing is lost by replacing it
    Occupied, // a file with content, or anything else of that name
    Design,   // the design itself, or a name ending in ".zrf" (any case)
};

// A name the design file pattern "*.zrf" matches: ".zrf" in any case at the
// end (".zrf" alone included).
bool isDesignFileName(const std::string& path);

// What target holds, for a generation from the design at designPath. When
// the file system cannot tell, the answer is Occupied.
Target classifyTarget(const std::string& target, const std::string& designPath);

// Writes text to a temporary name in target's folder and renames it over
// target once complete. False when it could not be written.
bool writeGeneratedText(const std::string& target, std::string_view text);

} // namespace zarnet::gen
