// The side-by-side manifest that asks Windows for the Common-Controls 6
// visual style. The designer and the viewer write the same bytes beside
// their executables.
//
// The manifest names the processor architecture of the program it sits
// beside: the 32-bit programs write "X86", the 64-bit ones "amd64". A 64-bit
// program beside a manifest that names X86 shows no window at all on 64-bit
// Windows (and in a Wine prefix that also holds the 32-bit side).
#pragma once

#include <string>
#include <string_view>

namespace zarnet {

enum class ManifestArch { X86, Amd64 };

// The architecture of the program this code is compiled into.
#if defined(_WIN64)
inline constexpr ManifestArch kProgramArch = ManifestArch::Amd64;
#else
inline constexpr ManifestArch kProgramArch = ManifestArch::X86;
#endif

// ASCII XML: 22 lines, each followed by a space, CR LF and an empty line.
// No terminating zero. 647 bytes for X86, 651 for amd64.
std::string_view xpManifestText(ManifestArch arch = kProgramArch);

// Creates the manifest file with the manifest text of this program's
// architecture. False when it cannot be
// created; nothing is reported.
bool writeXpManifest(const std::string& path);

// Size of the file at path, or -1 when nothing is there.
long long fileSizeOrMissing(const std::string& path);

} // namespace zarnet
