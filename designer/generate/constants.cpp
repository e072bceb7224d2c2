#include "designer/generate/constants.h"

#include "document/catalogue.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace zarnet::gen {
namespace {

// Chosen names, plus for every numbered name the last suffix tried for it:
// names are only ever added, so a suffix found taken stays taken, and the
// search for the next free one can resume where the last one stopped.
class NamePool {
public:
    std::string take(std::string base, int number) {
        if (used_.insert(base).second) return base;
        base += std::to_string(number);
        if (used_.insert(base).second) return base;
        int& suffix = lastSuffix_[base];
        if (suffix < 1) suffix = 1;
        for (;;) {
            std::string candidate = base + "_" + std::to_string(++suffix);
            if (used_.insert(candidate).second) return candidate;
        }
    }

private:
    std::unordered_set<std::string> used_;
    std::unordered_map<std::string, int> lastSuffix_;
};

} // namespace

std::vector<ConstantEntry> buildConstants(const Design& d, std::string_view prefix) {
    std::vector<ConstantEntry> entries;
    entries.reserve(d.items.size());
    NamePool names;
    for (const Item& it : d.items) {
        if (it.typ == kCloseRecord) continue;
        std::string base = "#";
        base += prefix;
        base += it.typ == kTabRecord ? it.wtext : it.name;
        ConstantEntry e;
        e.plainName = names.take(std::move(base), it.number);
        std::replace(e.plainName.begin(), e.plainName.end(), ' ', '_');
        e.value = it.number;
        e.type = it.typ;
        entries.push_back(std::move(e));
    }
    size_t longest = 0;
    for (const ConstantEntry& e : entries) longest = std::max(longest, e.plainName.size());
    for (ConstantEntry& e : entries) {
        e.name = e.plainName;
        e.name.append(longest + 1 - e.plainName.size(), ' ');
        e.name += "= " + std::to_string(e.value);
    }
    return entries;
}

std::string constantsText(const std::vector<ConstantEntry>& entries) {
    std::string text;
    for (const ConstantEntry& e : entries) {
        text += e.name;
        text += '\r';
    }
    return text;
}

std::string clipboardText(const std::vector<ConstantEntry>& entries) {
    std::string text = constantsText(entries);
    if (!text.empty()) text.pop_back();
    return text;
}

} // namespace zarnet::gen
