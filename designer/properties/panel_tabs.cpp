#include "designer/properties/panel_tabs.h"

#include "designer/properties/font_table.h"
#include "document/catalogue.h"

#include <algorithm>
#include <unordered_set>

namespace zarnet::designer {

namespace {

// The panel's own tab records and close record, found by nesting alone so
// that nested panels' tabs are not taken for the panel's.
struct PanelShape {
    std::vector<size_t> tabs;
    size_t close = 0;
};

std::optional<PanelShape> shapeOf(const std::vector<Item>& items, size_t panel) {
    PanelShape s;
    int depth = 0;
    for (size_t i = panel + 1; i < items.size(); ++i) {
        const int typ = items[i].typ;
        if (typ == kCloseRecord) {
            if (depth == 0) {
                s.close = i;
                if (s.tabs.empty() || s.tabs.front() != panel + 1) return std::nullopt;
                return s;
            }
            --depth;
        } else if (typ == kTabRecord) {
            if (depth == 0) s.tabs.push_back(i);
        } else if (isParentType(typ)) {
            ++depth;
        }
    }
    return std::nullopt;
}

// Moves the panel's tab records and direct children in [from, to) by
// `delta` tabs; what lies inside those children keeps its own tabs.
void shiftTabs(std::vector<Item>& items, size_t from, size_t to, int delta) {
    int depth = 0;
    for (size_t i = from; i < to; ++i) {
        Item& it = items[i];
        if (it.typ == kTabRecord) {
            if (depth == 0) {
                it.number = static_cast<int16_t>(it.number + delta);
                it.tab = it.number;
            }
        } else if (it.typ == kCloseRecord) {
            if (--depth == 0) it.tab += delta;
        } else {
            if (depth == 0) it.tab += delta;
            if (isParentType(it.typ)) ++depth;
        }
    }
}

int indexOfNumber(const std::vector<Item>& items, int number) {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].isGadget() && items[i].number == number) return static_cast<int>(i);
    return -1;
}

// Splitters keep indices of their children, which move with the records.
void resolveSplitters(std::vector<Item>& items) {
    for (Item& it : items) {
        if (it.typ != SplitterGadget) continue;
        it.firstitem = indexOfNumber(items, it.para1);
        it.seconditem = indexOfNumber(items, it.para2);
    }
}

// A splitter must go with both of its children or with neither.
bool splitsASplitter(const std::vector<Item>& items, size_t first, size_t end) {
    std::unordered_set<int> inside;
    for (size_t i = first; i < end; ++i)
        if (items[i].isGadget()) inside.insert(items[i].number);
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        if (it.typ != SplitterGadget) continue;
        const bool self = i >= first && i < end;
        if (inside.count(it.para1) != static_cast<size_t>(self) ||
            inside.count(it.para2) != static_cast<size_t>(self))
            return true;
    }
    return false;
}

TabRefusal checkPanel(const std::vector<Item>& items, size_t panel,
                      std::optional<PanelShape>& shape) {
    if (panel >= items.size() || items[panel].typ != PanelGadget) return TabRefusal::NotAPanel;
    shape = shapeOf(items, panel);
    return shape ? TabRefusal::None : TabRefusal::Malformed;
}

} // namespace

int panelTabCount(const std::vector<Item>& items, size_t panel) {
    if (panel >= items.size() || items[panel].typ != PanelGadget) return 0;
    const auto shape = shapeOf(items, panel);
    return shape ? static_cast<int>(shape->tabs.size()) : 0;
}

std::optional<size_t> panelTabRecord(const std::vector<Item>& items, size_t panel, int tab) {
    if (panel >= items.size() || items[panel].typ != PanelGadget || tab < 0) return std::nullopt;
    const auto shape = shapeOf(items, panel);
    if (!shape || static_cast<size_t>(tab) >= shape->tabs.size()) return std::nullopt;
    return shape->tabs[static_cast<size_t>(tab)];
}

TabInsertion insertPanelTab(Design& d, size_t panel, int current, TabSide side) {
    TabInsertion r;
    std::optional<PanelShape> shape;
    r.refusal = checkPanel(d.items, panel, shape);
    if (r.refusal != TabRefusal::None) return r;
    const int count = static_cast<int>(shape->tabs.size());
    if (current < 0 || current >= count) {
        r.refusal = TabRefusal::NoSuchTab;
        return r;
    }
    const size_t c = static_cast<size_t>(current);
    const bool after = side == TabSide::After;
    r.tab = after ? current + 1 : current;
    const size_t at =
        after ? (c + 1 < shape->tabs.size() ? shape->tabs[c + 1] : shape->close) : shape->tabs[c];
    shiftTabs(d.items, at, shape->close, 1);

    r.title = "Panel " + std::to_string(count);
    Item tab = makeTabRecord(r.tab, r.title);
    tab.tab = r.tab;
    tab.level = d.items[panel].level;
    tab.parent = d.items[panel].id;
    d.items.insert(d.items.begin() + static_cast<std::ptrdiff_t>(at), std::move(tab));
    r.record = at;
    const size_t close = shape->close + 1;

    if (r.tab > 0) r.previousTab = after ? shape->tabs[c] : shape->tabs[c - 1];
    if (r.tab < count) {
        r.nextEntry = after ? shape->tabs[c + 1] + 1 : shape->tabs[c] + 1;
    } else {
        for (size_t i = close + 1; i < d.items.size() && !r.nextEntry; ++i)
            if (d.items[i].typ != kCloseRecord) r.nextEntry = i;
    }
    resolveSplitters(d.items);
    noteEdit(d);
    return r;
}

TabRemoval removePanelTab(Design& d, size_t panel, int current) {
    TabRemoval r;
    std::optional<PanelShape> shape;
    r.refusal = checkPanel(d.items, panel, shape);
    if (r.refusal != TabRefusal::None) return r;
    const size_t count = shape->tabs.size();
    if (current < 0 || static_cast<size_t>(current) >= count) {
        r.refusal = TabRefusal::NoSuchTab;
        return r;
    }
    if (count < 2) {
        r.refusal = TabRefusal::LastTab;
        return r;
    }
    const size_t c = static_cast<size_t>(current);
    const size_t first = shape->tabs[c];
    const size_t end = c + 1 < count ? shape->tabs[c + 1] : shape->close;
    if (splitsASplitter(d.items, first, end)) {
        r.refusal = TabRefusal::SplitterAcross;
        return r;
    }

    r.tabTreeItem = d.items[first].treeitem;
    for (size_t i = first; i < end; ++i) {
        const Item& it = d.items[i];
        if (!it.isGadget()) continue;
        if (it.id) r.gadgets.push_back(it.id);
        d.releaseNumber(it.number);
    }
    d.items.erase(d.items.begin() + static_cast<std::ptrdiff_t>(first),
                  d.items.begin() + static_cast<std::ptrdiff_t>(end));
    shiftTabs(d.items, first, shape->close - (end - first), -1);
    resolveSplitters(d.items);
    // Items on the tab may have been the last users of a font.
    r.fonts = releaseUnusedFonts(d);
    noteEdit(d);
    return r;
}

} // namespace zarnet::designer
