// The include file "zarnet_include.pbi": the PureBasic runtime assembled from
// the blocks the designs of one folder need, and its upkeep when a design is
// saved beside it.
#pragma once

#include "designer/generate/features.h"

#include <string>

namespace zarnet::gen {

inline constexpr std::string_view kIncludeFileName = "zarnet_include.pbi";
// The first line of every include this system writes.
inline constexpr std::string_view kIncludeFirstLine =
    ";/This file will be changed if you save design(s)!";

// Whether the file at path begins with that line (followed by CR LF): an
// include of ours, which the designer rewrites at every save anyway.
bool isOurInclude(const std::string& path);

// The include text for these features, CR LF line ends.
std::string includeText(const Features& f);

// The include's place beside a design file or a generated source.
std::string includePathBeside(const std::string& file);

// Writes the include for `start` plus this design's needs to path. The file
// is replaced only once the whole text is written, so a failure (false)
// leaves any earlier include intact.
bool writeInclude(const std::string& path, const Design& d, Features start = {});

// "Generate include source only": the include beside the design, for this
// design alone. False when it could not be written, or when the design
// itself bears the include's name.
bool writeIncludeFor(const Design& d, const std::string& designPath);

enum class Upkeep {
    NoInclude, // none there (or it is empty): saving never creates one
    Rewritten,
    Failed, // could not be read or written; the old include is untouched
};

// After a design was saved to designPath: rewrite the include in its folder,
// if there is one, with what it already carried for the other designs there
// plus what this design needs.
Upkeep maintainInclude(const Design& d, const std::string& designPath);

} // namespace zarnet::gen
