#include "designer/arrange/tab_units.h"

#include "document/catalogue.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

class Parser {
  public:
    explicit Parser(const std::vector<Item>& items) : items_(items) {}

    // Units from `i` up to the first tab or close record (or the end).
    bool scope(size_t& i, std::vector<TabUnit>& out) {
        while (i < items_.size()) {
            const Item& it = items_[i];
            if (it.typ == kTabRecord || it.typ == kCloseRecord) break;
            if (!isGadgetType(it.typ)) return false;
            TabUnit u;
            u.item = i++;
            u.parent = isParentType(it.typ);
            if (u.parent && !contents(i, u)) return false;
            out.push_back(std::move(u));
        }
        return gatherSplitters(out);
    }

  private:
    bool contents(size_t& i, TabUnit& u) {
        if (items_[u.item].typ == PanelGadget) {
            while (i < items_.size() && items_[i].typ == kTabRecord) {
                u.tabRecords.push_back(i++);
                u.pages.emplace_back();
                if (!scope(i, u.pages.back())) return false;
            }
        } else {
            u.pages.emplace_back();
            if (!scope(i, u.pages.back())) return false;
        }
        if (i >= items_.size() || items_[i].typ != kCloseRecord) return false;
        u.close = i++;
        return true;
    }

    // Moves the gadgets each splitter holds into it. Splitters are taken in
    // list order, so a splitter held by a later one is complete by then.
    bool gatherSplitters(std::vector<TabUnit>& units) {
        std::vector<bool> taken(units.size(), false);
        for (size_t s = 0; s < units.size(); ++s) {
            const Item& split = items_[units[s].item];
            if (split.typ != SplitterGadget) continue;
            std::vector<size_t> kids;
            for (const int number : {split.para1, split.para2}) {
                size_t k = 0;
                while (k < s && items_[units[k].item].number != number)
                    ++k;
                if (k == s || taken[k]) return false;
                taken[k] = true;
                kids.push_back(k);
            }
            std::sort(kids.begin(), kids.end());
            for (const size_t k : kids)
                units[s].held.push_back(std::move(units[k]));
        }
        size_t kept = 0;
        for (size_t k = 0; k < units.size(); ++k) {
            if (taken[k]) continue;
            if (kept != k) units[kept] = std::move(units[k]);
            ++kept;
        }
        units.resize(kept);
        return true;
    }

    const std::vector<Item>& items_;
};

} // namespace

std::optional<std::vector<TabUnit>> tabUnits(const std::vector<Item>& items) {
    std::vector<TabUnit> top;
    size_t i = 0;
    Parser p(items);
    if (!p.scope(i, top) || i != items.size()) return std::nullopt;
    return top;
}

void appendRecords(const TabUnit& unit, std::vector<size_t>& out) {
    for (const TabUnit& h : unit.held)
        appendRecords(h, out);
    out.push_back(unit.item);
    if (!unit.parent) return;
    for (size_t k = 0; k < unit.pages.size(); ++k) {
        if (k < unit.tabRecords.size()) out.push_back(unit.tabRecords[k]);
        for (const TabUnit& c : unit.pages[k])
            appendRecords(c, out);
    }
    out.push_back(unit.close);
}

} // namespace zarnet::designer
