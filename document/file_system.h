// The few questions the programs ask the file system, by the 8-bit
// code-page names that command lines, design files and the ANSI API carry.
// The standard library's path classes would bring their locales and streams
// into every program for these.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnet::files {

enum class Kind { Missing, File, Folder, Other, Unknown }; // Unknown: the question failed

// What lies at `path`; a link is looked at itself, so a dangling one is
// Other, not Missing.
Kind kindOf(const std::string& path);
// What `path` leads to, following links.
Kind targetKindOf(const std::string& path);
// The size of the file at `path`; nothing when there is none or it cannot be told.
std::optional<uint64_t> sizeOf(const std::string& path);
// Whether both names lead to the same file (a link, another spelling, or a
// name the file system folds to the other's).
bool sameFile(const std::string& a, const std::string& b);
bool removeFile(const std::string& path);
// Renames `from` to `to`, replacing a file that has that name.
bool replaceFile(const std::string& from, const std::string& to);

struct Entry {
    std::string name;
    bool folder = false;
};
// The entries of a folder ("." and ".." left out); nothing when it cannot be read.
std::optional<std::vector<Entry>> entriesOf(const std::string& folder);

// Name parts, split at the platform's separators ('\\' and '/' on Windows).
// The folder part keeps its final separator, so folderOf(p) + nameOf(p) == p.
std::string_view folderOf(std::string_view path);
std::string_view nameOf(std::string_view path);

} // namespace zarnet::files
