#include "designer/canvas/placement.h"

#include "document/catalogue.h"

#include <algorithm>
#include <iterator>

namespace zarnet::designer {

namespace {

// Number of parents open at `index`, counted from the start of the list so
// that a stale `level` field cannot misplace a new item.
int depthAt(const std::vector<Item>& items, size_t index) {
    int depth = 0;
    for (size_t i = 0; i < index && i < items.size(); ++i) {
        if (isParentType(items[i].typ))
            ++depth;
        else if (items[i].typ == kCloseRecord && depth > 0)
            --depth;
    }
    return depth;
}

// Walks the direct children from `i` to the first tab or close record of
// the same depth (or the end); returns that stop and the last child seen.
struct Siblings {
    std::optional<size_t> stop;
    int last = -1;
};
Siblings walkSiblings(const std::vector<Item>& items, size_t i) {
    Siblings s;
    while (i < items.size()) {
        if (isRecord(items[i].typ)) {
            s.stop = i;
            return s;
        }
        const auto end = runEnd(items, i);
        if (!end) return {};
        s.last = static_cast<int>(i);
        i = *end;
    }
    s.stop = items.size();
    return s;
}

} // namespace

std::optional<size_t> closeRecordOf(const std::vector<Item>& items, size_t parent) {
    if (parent >= items.size() || !isParentType(items[parent].typ)) return std::nullopt;
    int depth = 0;
    for (size_t i = parent + 1; i < items.size(); ++i) {
        if (isParentType(items[i].typ)) {
            ++depth;
        } else if (items[i].typ == kCloseRecord) {
            if (depth == 0) return i;
            --depth;
        }
    }
    return std::nullopt;
}

std::optional<size_t> tabRecordOf(const std::vector<Item>& items, size_t panel, int tab) {
    if (panel >= items.size() || items[panel].typ != PanelGadget || tab < 0) return std::nullopt;
    int seen = -1;
    size_t i = panel + 1;
    while (i < items.size() && items[i].typ != kCloseRecord) {
        if (items[i].typ == kTabRecord) {
            if (++seen == tab) return i;
            ++i;
            continue;
        }
        const auto end = runEnd(items, i);
        if (!end) return std::nullopt;
        i = *end;
    }
    return std::nullopt;
}

std::optional<size_t> runEnd(const std::vector<Item>& items, size_t first) {
    if (first >= items.size()) return std::nullopt;
    if (!isParentType(items[first].typ)) return first + 1;
    const auto close = closeRecordOf(items, first);
    if (!close) return std::nullopt;
    return *close + 1;
}

std::optional<Placement> placeNewItem(const Design& d, int marked, int tab, int typ) {
    const std::vector<Item>& items = d.items;
    const bool frame = typ == Frame3DGadget;
    Placement p;
    const bool inside = marked >= 0 && static_cast<size_t>(marked) < items.size() &&
                        isParentType(items[marked].typ);
    if (!inside) {
        const Siblings top = walkSiblings(items, 0);
        p.listIndex = frame ? 0 : items.size();
        p.treeAfter = frame ? -1 : top.last;
        return p;
    }
    const size_t c = static_cast<size_t>(marked);
    if (!closeRecordOf(items, c)) return std::nullopt;
    size_t first = c + 1;
    p.treeParent = marked;
    if (items[c].typ == PanelGadget) {
        const auto tabRecord = tabRecordOf(items, c, tab);
        if (!tabRecord) return std::nullopt;
        first = *tabRecord + 1;
        p.treeParent = static_cast<int>(*tabRecord);
        p.tab = tab;
    }
    const Siblings kids = walkSiblings(items, first);
    if (!kids.stop) return std::nullopt;
    p.container = marked;
    p.level = depthAt(items, c) + 1;
    p.listIndex = frame ? first : *kids.stop;
    p.treeAfter = frame ? -1 : kids.last;
    return p;
}

std::vector<Item> newItemRecords(const Item& item) {
    std::vector<Item> records{item};
    if (item.typ == PanelGadget) records.push_back(makeTabRecord(0, "Panel 0"));
    if (isParentType(item.typ)) records.push_back(makeCloseRecord());
    return records;
}

size_t insertNewItem(Design& d, const Placement& p, Item item) {
    item.number = static_cast<int16_t>(d.takeNumber());
    item.level = p.level;
    item.tab = p.tab;
    const bool inside = p.container >= 0 && static_cast<size_t>(p.container) < d.items.size();
    item.parent = inside ? d.items[static_cast<size_t>(p.container)].id : 0;
    std::vector<Item> records = newItemRecords(item);
    for (size_t i = 1; i < records.size(); ++i) {
        records[i].level = p.level;
        records[i].tab = p.tab;
    }
    const size_t at = std::min(p.listIndex, d.items.size());
    d.items.insert(d.items.begin() + static_cast<std::ptrdiff_t>(at),
                   std::make_move_iterator(records.begin()),
                   std::make_move_iterator(records.end()));
    d.maximumDepth = std::max(d.maximumDepth, p.level);
    noteEdit(d);
    return at;
}

std::optional<Run> deletionRun(const std::vector<Item>& items, size_t index) {
    if (index >= items.size() || isRecord(items[index].typ)) return std::nullopt;
    const auto end = runEnd(items, index);
    if (!end) return std::nullopt;
    return Run{index, *end};
}

void removeRun(Design& d, Run run) {
    run.end = std::min(run.end, d.items.size());
    if (run.first >= run.end) return;
    for (size_t i = run.first; i < run.end; ++i)
        if (d.items[i].isGadget()) d.releaseNumber(d.items[i].number);
    d.items.erase(d.items.begin() + static_cast<std::ptrdiff_t>(run.first),
                  d.items.begin() + static_cast<std::ptrdiff_t>(run.end));
    noteEdit(d);
    resetNumberingWhenEmpty(d);
}

void resetNumberingWhenEmpty(Design& d) {
    if (!d.items.empty()) return;
    d.nextNumber = 0;
    d.numberPool.clear();
    d.poolCursor = 0;
}

} // namespace zarnet::designer
