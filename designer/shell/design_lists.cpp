#include "designer/shell/design_lists.h"

#include "document/file_system.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

// The first line of a recent list; a file without it is someone else's.
constexpr std::string_view kHeading = "Zarnet recent designs";

char foldedPathChar(char c) {
    if (c == '/') return '\\';
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool lessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(foldedPathChar(x)) <
               static_cast<unsigned char>(foldedPathChar(y));
    });
}

bool endsWithDesignExtension(std::string_view name) {
    return name.size() > 4 && samePath(name.substr(name.size() - 4), ".zrf");
}

// A line that can be a path: not empty, not too long, no control characters.
bool usablePath(std::string_view line) {
    if (line.empty() || line.size() > kRecentPathLimit) return false;
    return std::none_of(line.begin(), line.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

void addUnique(std::vector<std::string>& list, std::string_view path) {
    for (const std::string& known : list)
        if (samePath(known, path)) return;
    list.emplace_back(path);
}

} // namespace

bool samePath(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return foldedPathChar(x) == foldedPathChar(y);
           });
}

std::vector<std::string> parseRecentList(std::span<const uint8_t> bytes) {
    std::vector<std::string> list;
    if (bytes.size() > kRecentListLimit) return list;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    size_t at = 0;
    bool heading = true;
    while (at < text.size() && list.size() < kRecentCount) {
        const size_t end = text.find('\n', at);
        // A line without its end was cut short: its path may be too.
        if (end == std::string_view::npos) break;
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (heading) {
            if (line != kHeading) return list;
            heading = false;
        } else if (usablePath(line)) {
            addUnique(list, line);
        }
    }
    return list;
}

std::vector<uint8_t> serialiseRecentList(const std::vector<std::string>& list) {
    std::string text(kHeading);
    text += "\r\n";
    for (const std::string& path : list) {
        text += path;
        text += "\r\n";
    }
    return {text.begin(), text.end()};
}

std::vector<std::string> withRecentDesign(const std::vector<std::string>& list,
                                          std::string_view path,
                                          const std::function<bool(const std::string&)>& exists) {
    std::vector<std::string> out;
    if (usablePath(path)) out.emplace_back(path);
    for (const std::string& known : list) {
        if (out.size() == kRecentCount) break;
        if (usablePath(known) && exists(known)) addUnique(out, known);
    }
    return out;
}

std::string menuText(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += '&';
        out += c;
    }
    return out;
}

std::vector<TemplateEntry> listTemplates(std::span<const std::string> folders) {
    std::vector<TemplateEntry> out;
    for (size_t f = 0; f < folders.size(); ++f) {
        const auto entries = files::entriesOf(folders[f]);
        if (!entries) continue;
        std::vector<TemplateEntry> found;
        for (const files::Entry& e : *entries)
            if (!e.folder && endsWithDesignExtension(e.name))
                found.push_back({e.name.substr(0, e.name.size() - 4), folders[f] + e.name, f});
        std::sort(found.begin(), found.end(), [](const TemplateEntry& a, const TemplateEntry& b) {
            return lessIgnoringCase(a.title, b.title);
        });
        for (TemplateEntry& t : found) {
            if (out.size() == kTemplateCount) return out;
            out.push_back(std::move(t));
        }
    }
    return out;
}

std::optional<std::string> templateFileName(std::string_view typed) {
    while (!typed.empty() && (typed.front() == ' ' || typed.front() == '\t'))
        typed.remove_prefix(1);
    while (!typed.empty() && (typed.back() == ' ' || typed.back() == '\t' || typed.back() == '.'))
        typed.remove_suffix(1);
    if (typed.empty() || typed.size() > 200) return std::nullopt;
    for (char c : typed)
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
            return std::nullopt;
    // A device name stays a device whatever extension follows it.
    std::string stem(typed.substr(0, typed.find('.')));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    for (char& c : stem)
        c = foldedPathChar(c);
    static constexpr std::string_view kDevices[] = {"con", "prn",    "aux",
                                                    "nul", "conin$", "conout$"};
    if (std::find(std::begin(kDevices), std::end(kDevices), stem) != std::end(kDevices))
        return std::nullopt;
    if (stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) &&
        stem[3] >= '0' && stem[3] <= '9')
        return std::nullopt;
    std::string name(typed);
    if (!endsWithDesignExtension(name)) name += ".zrf";
    return name;
}

} // namespace zarnet::designer
