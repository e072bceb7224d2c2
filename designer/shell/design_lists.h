// The lists of designs that menu 0 offers beside Load and Save: the designs
// opened or saved last, kept in a small file of their own, and the
// templates a new design can start from. No window is needed for them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zarnet::designer {

// Menu 0's entries for them; the entries of the two submenus are numbered
// from their first identifier in the order shown.
// clang-format off
enum DesignListMenuId : int {
    MenuSaveTemplate = 600, MenuRecentFirst = 610, MenuTemplateFirst = 630,
};
// clang-format on
inline constexpr size_t kRecentCount = 10;
inline constexpr size_t kTemplateCount = 60;

// The recent list lives beside the preferences file under this name.
inline constexpr char kRecentListName[] = "recent.zrl";
// A longer file is not ours (ten paths and the heading need far less).
inline constexpr size_t kRecentListLimit = 16 * 1024;
// Longer lines cannot be paths the ANSI file calls open.
inline constexpr size_t kRecentPathLimit = 1024;

// The list, most recent first. A file that is not a recent list (another
// heading, too long) gives an empty list; a line that cannot be a path,
// an unfinished last line and repeats are left out; at most ten entries.
std::vector<std::string> parseRecentList(std::span<const uint8_t> bytes);
std::vector<uint8_t> serialiseRecentList(const std::vector<std::string>& list);
// Whether two paths name one file as Windows spells them: the letters'
// case and the two separators do not count.
bool samePath(std::string_view a, std::string_view b);
// The list to write once `path` was opened or saved: `path` first, its
// earlier mention gone, entries whose file is gone dropped, at most ten.
std::vector<std::string> withRecentDesign(const std::vector<std::string>& list,
                                          std::string_view path,
                                          const std::function<bool(const std::string&)>& exists);
// A menu entry's text: '&' doubled so that it shows rather than marks a key.
std::string menuText(std::string_view text);

// The designs (*.zrf) in each folder (ending with a separator), each
// folder's sorted by name with the letters' case ignored, the folders in
// the order given; at most kTemplateCount in all.
struct TemplateEntry {
    std::string title; // the file name without ".zrf"
    std::string path;
    size_t folder = 0; // index into the folders given
};
std::vector<TemplateEntry> listTemplates(std::span<const std::string> folders);
// The file name a template typed as `typed` is saved under ("Login" gives
// "Login.zrf"): blanks and dots at the ends left out. Nothing when it
// cannot name a file: empty, a character Windows refuses in a name, a
// device name (CON, NUL, COM1...), or too long.
std::optional<std::string> templateFileName(std::string_view typed);

} // namespace zarnet::designer
