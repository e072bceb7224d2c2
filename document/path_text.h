// Paths are the 8-bit code-page text that command lines, design files and
// the ANSI API carry, kept as that text: the ANSI calls take the bytes
// through the system code page, so names with accents or other scripts
// survive.
#pragma once

#include <string>
#include <string_view>

namespace zarnet {

inline std::string pathFromText(std::string_view text) { return std::string(text); }
inline std::string textFromPath(const std::string& path) { return path; }

} // namespace zarnet
