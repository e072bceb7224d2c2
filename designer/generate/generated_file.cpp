#include "designer/generate/generated_file.h"

#include "document/design_file.h"
#include "document/file_system.h"

#include <cstdint>
#include <span>

namespace zarnet::gen {

// Compared as the name's own bytes: ".zrf" in any case.
bool isDesignFileName(const std::string& path) {
    const std::string_view name = files::nameOf(path);
    constexpr std::string_view ext = ".zrf";
    if (name.size() < ext.size()) return false;
    for (size_t i = 0; i < ext.size(); ++i) {
        char c = name[name.size() - ext.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != ext[i]) return false;
    }
    return true;
}

Target classifyTarget(const std::string& target, const std::string& designPath) {
    if (isDesignFileName(target)) return Target::Design;
    // A link is looked at itself: a dangling one still takes the name.
    const files::Kind link = files::kindOf(target);
    if (link == files::Kind::Missing) return Target::Free;
    if (link == files::Kind::Unknown) return Target::Occupied;
    // The same file under another spelling, through a link or by a name the
    // file system folds to the design's.
    if (files::sameFile(target, designPath)) return Target::Design;
    if (files::targetKindOf(target) != files::Kind::File) return Target::Occupied;
    const auto size = files::sizeOf(target);
    return size && *size == 0 ? Target::Empty : Target::Occupied;
}

bool writeGeneratedText(const std::string& target, std::string_view text) {
    return writeFileAtomic(target,
                           std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

} // namespace zarnet::gen
