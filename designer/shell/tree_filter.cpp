#include "designer/shell/tree_filter.h"

#include "document/catalogue.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

// Names and texts are 8-bit strings in the Western code page: its
// accented capitals fold as ASCII letters do.
unsigned char foldedCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<unsigned char>(u + 32);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<unsigned char>(u + 32);
    switch (u) {
    case 0x8A: return 0x9A; // S caron
    case 0x8C: return 0x9C; // OE
    case 0x8E: return 0x9E; // Z caron
    case 0x9F: return 0xFF; // Y diaeresis
    default: return u;
    }
}

bool contains(std::string_view text, std::string_view filter) {
    if (filter.size() > text.size()) return false;
    return std::search(text.begin(), text.end(), filter.begin(), filter.end(),
                       [](char a, char b) { return foldedCase(a) == foldedCase(b); }) != text.end();
}

} // namespace

bool treeEntryMatches(const Item& it, std::string_view filter) {
    if (it.typ == kCloseRecord) return false;
    if (filter.empty()) return true;
    if (it.typ == kTabRecord) return contains(it.wtext, filter);
    return contains(it.name, filter) || contains(it.wtext, filter) ||
           (isGadgetType(it.typ) && contains(typeName(it.typ), filter));
}

std::vector<bool> treeFilterKeeps(const std::vector<Item>& items, std::string_view filter) {
    std::vector<bool> keep(items.size(), false);
    struct Node {
        size_t container;
        ptrdiff_t tab = -1; // the tab record its children go under now
    };
    std::vector<Node> open;
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        if (it.typ == kCloseRecord) {
            if (!open.empty()) open.pop_back();
            continue;
        }
        if (it.typ == kTabRecord) {
            // A tab outside any panel gets no entry.
            if (open.empty()) continue;
            open.back().tab = static_cast<ptrdiff_t>(i);
        }
        if (treeEntryMatches(it, filter)) {
            keep[i] = true;
            // Up the open nodes, each with its current tab; a node kept
            // before has everything above it kept already.
            for (auto n = open.rbegin(); n != open.rend(); ++n) {
                const bool already = keep[n->container];
                keep[n->container] = true;
                if (n->tab >= 0) keep[static_cast<size_t>(n->tab)] = true;
                if (already) break;
            }
        }
        if (it.typ != kTabRecord && isParentType(it.typ)) open.push_back({i});
    }
    return keep;
}

int firstTreeMatch(const std::vector<Item>& items, std::string_view filter) {
    if (filter.empty()) return -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (treeEntryMatches(items[i], filter)) return static_cast<int>(i);
    return -1;
}

} // namespace zarnet::designer
