// The side-by-side manifest that asks Windows for the Common-Controls 6
// visual style. The designer and the viewer write the same bytes beside
// their executables.
#pragma once

#include <filesystem>
#include <string_view>

namespace zarnet {

// 647 bytes of ASCII XML: 22 lines, each followed by a space, CR LF and an
// empty line. No terminating zero.
std::string_view xpManifestText();

// Creates the manifest file with the manifest text. False when it cannot be
// created; nothing is reported.
bool writeXpManifest(const std::filesystem::path& path);

// Size of the file at path, or -1 when nothing is there.
long long fileSizeOrMissing(const std::filesystem::path& path);

} // namespace zarnet
