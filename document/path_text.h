// Paths from and to the 8-bit code-page text that command lines, design
// files and the ANSI API carry. On Windows the standard library would take
// such bytes as if they were Unicode code points; these go through the
// system code page instead, so names with accents or other scripts survive.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zarnet {

std::filesystem::path pathFromText(std::string_view text);
std::string textFromPath(const std::filesystem::path& path);

} // namespace zarnet
