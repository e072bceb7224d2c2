#include "viewer/viewer_logic.h"

#include "document/file_system.h"
#include "document/xp_manifest.h"

#include <cctype>
#include <climits>

namespace zarnet::viewer {

long styleValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        // A huge number saturates: it is still non-zero, so still "on".
        value = value > (LONG_MAX - 9) / 10 ? LONG_MAX : value * 10 + (text[i] - '0');
    }
    return static_cast<long>(negative ? -value : value);
}

std::string manifestPathFor(std::string_view ownPath) {
    const size_t cut = ownPath.find_last_of("\\/");
    std::string dir = cut == std::string_view::npos ? std::string() : std::string(ownPath.substr(0, cut + 1));
    return dir + std::string(kManifestName);
}

void applyStyleSwitch(const std::string& manifest, long value) {
    const long long size = fileSizeOrMissing(manifest);
    if (value != 0 && size < 0)
        writeXpManifest(manifest);
    else if (value == 0 && size >= 1)
        files::removeFile(manifest);
}

void toggleStyle(const std::string& manifest) {
    if (fileSizeOrMissing(manifest) >= 0)
        files::removeFile(manifest);
    else
        writeXpManifest(manifest);
}

std::string restartParameter(std::string_view designPath) {
    std::string parameter = "\"";
    parameter += designPath;
    parameter += '"';
    return parameter;
}

} // namespace zarnet::viewer
