#include "designer/generate/generated_file.h"

#include "document/design_file.h"

#include <cstdint>
#include <span>
#include <system_error>

namespace zarnet::gen {

namespace fs = std::filesystem;

// Compared in the platform's own form of the name: a converted name may not
// exist for every file in a folder.
bool isDesignFileName(const fs::path& path) {
    const auto name = path.filename().native();
    constexpr std::string_view ext = ".zrf";
    if (name.size() < ext.size()) return false;
    for (size_t i = 0; i < ext.size(); ++i) {
        auto c = name[name.size() - ext.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<decltype(c)>(c - 'A' + 'a');
        if (c != static_cast<decltype(c)>(ext[i])) return false;
    }
    return true;
}

Target classifyTarget(const fs::path& target, const fs::path& designPath) {
    if (isDesignFileName(target)) return Target::Design;
    std::error_code ec;
    // A link is looked at itself: a dangling one still takes the name.
    const fs::file_status link = fs::symlink_status(target, ec);
    if (link.type() == fs::file_type::not_found) return Target::Free;
    if (ec) return Target::Occupied;
    // The same file under another spelling, through a link or by a name the
    // file system folds to the design's.
    if (fs::equivalent(target, designPath, ec) && !ec) return Target::Design;
    const fs::file_status file = fs::status(target, ec);
    if (ec || !fs::is_regular_file(file)) return Target::Occupied;
    const auto size = fs::file_size(target, ec);
    return !ec && size == 0 ? Target::Empty : Target::Occupied;
}

bool writeGeneratedText(const fs::path& target, std::string_view text) {
    return writeFileAtomic(target,
                           std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

} // namespace zarnet::gen
