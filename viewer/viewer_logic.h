// The viewer's start-up decisions that need no window: the style value,
// the manifest beside the executable and the restart parameter.
#pragma once

#include <string>
#include <string_view>

namespace zarnet::viewer {

inline constexpr std::string_view kManifestName = "Pelmo.exe.manifest";
inline constexpr std::string_view kWindowTitle = "Zarnet preview";
inline constexpr std::string_view kQuestion =
    "Please drop a Zarnet file\ron the Pelmo icon.\r\rYou can also use commandline:\r"
    "Pelmo.exe design.zrf 0 (or 1 for XP style)\r\rDo you want to toggle Pelmo XP style now?";

// The style parameter as a decimal number: an optional sign and the leading
// digits; text that is not a number counts as 0.
long styleValue(std::string_view text);

// The folder of the executable (with its trailing separator) + the manifest name.
std::string manifestPathFor(std::string_view ownPath);

// Style switch from the command line: a non-zero value creates a missing
// manifest; 0 deletes an existing one of at least one byte. Failures are
// silent: the style just stays as it was.
void applyStyleSwitch(const std::string& manifest, long value);

// The question's Yes: delete whatever is at the manifest path, else create it.
void toggleStyle(const std::string& manifest);

// The single parameter the viewer restarts itself with.
std::string restartParameter(std::string_view designPath);

} // namespace zarnet::viewer
