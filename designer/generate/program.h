// The complete PureBasic program for a design: its constants, a window
// callback skeleton, the window set-up, an event loop with one case per
// interactive gadget and the design file embedded in a data section.
#pragma once

#include "designer/generate/constants.h"

#include <string>
#include <string_view>
#include <vector>

namespace zarnet::gen {

// The part of every program between the constants and the event loop.
std::string_view programHead();

// The program text; embeddedName is the design's file name without folder.
std::string programText(const std::vector<ConstantEntry>& constants, std::string_view embeddedName);

// The source name offered for a design: every ".zrf" becomes ".pb".
std::string defaultSourceName(std::string_view designPath);
// A chosen source name ends in ".pb" (any case); otherwise ".pb" is added.
std::string withSourceExtension(std::string name);

enum class ProgramResult {
    Written,       // the include and the source
    Refused,       // source or include would replace a design: nothing was written
    IncludeFailed, // nothing was written
    SourceFailed,  // the include was written, the source was not
};

// The file name of a design path without its folders ('\\' and '/' both
// end a folder), byte for byte: the program embeds the design by this name.
std::string_view designFileName(std::string_view designPath);

// Writes the include beside the source (for this design alone), then the
// source, each replacing an earlier file of its name only once complete.
// Whether an existing source may be replaced is the caller's question
// (classifyTarget); a design file never is. The program embeds the design
// by its file name, so it only builds when the source lies beside the design
// file. designPath is the path as the design holds it, in the 8-bit code
// page: a round trip through a file system path would not give those bytes
// back on every platform.
ProgramResult writeProgram(const Design& d, std::string_view designPath,
                           const std::string& sourcePath, std::string_view prefix);

} // namespace zarnet::gen
