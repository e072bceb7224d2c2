#include "designer/arrange/tab_order.h"

#include "designer/arrange/tab_units.h"
#include "designer/canvas/structure.h"
#include "document/catalogue.h"

#include <algorithm>
#include <numeric>

namespace zarnet::designer {

namespace {

// Where each unit's item stands in the tree, and which unit every real
// item belongs to.
struct UnitIndex {
    struct Place {
        std::vector<TabUnit>* scope = nullptr;
        size_t pos = 0;
    };
    std::vector<Place> place; // by item index, for unit items
    std::vector<int> unitOf;  // by item index, -1 for records

    UnitIndex(std::vector<TabUnit>& top, size_t count) : place(count), unitOf(count, -1) {
        scope(top);
    }

  private:
    void scope(std::vector<TabUnit>& units) {
        for (size_t pos = 0; pos < units.size(); ++pos) {
            place[units[pos].item] = {&units, pos};
            mark(units[pos], units[pos].item);
        }
    }
    void mark(TabUnit& u, size_t unit) {
        unitOf[u.item] = static_cast<int>(unit);
        for (TabUnit& h : u.held)
            mark(h, unit);
        for (std::vector<TabUnit>& page : u.pages)
            scope(page);
    }
};

bool isFrame(const Design& d, const TabUnit& u) {
    return d.items[u.item].typ == Frame3DGadget;
}

// Puts the non-frame units of a scope in the order `order` gives (indices
// into the scope), leaving every frame in its slot.
void placeAroundFrames(const Design& d, std::vector<TabUnit>& scope,
                       const std::vector<size_t>& order) {
    std::vector<TabUnit> moved;
    moved.reserve(order.size());
    for (const size_t k : order)
        moved.push_back(std::move(scope[k]));
    size_t next = 0;
    for (TabUnit& slot : scope)
        if (!isFrame(d, slot)) slot = std::move(moved[next++]);
}

std::vector<size_t> nonFrames(const Design& d, const std::vector<TabUnit>& scope) {
    std::vector<size_t> out;
    for (size_t k = 0; k < scope.size(); ++k)
        if (!isFrame(d, scope[k])) out.push_back(k);
    return out;
}

// Lays the list out again from the tree. False when that is the list as it
// was; otherwise the design takes it, provided it stays sound.
bool commitTree(Design& d, const std::vector<TabUnit>& top) {
    std::vector<size_t> order;
    order.reserve(d.items.size());
    for (const TabUnit& u : top)
        appendRecords(u, order);
    if (order.size() != d.items.size()) return false;
    bool same = true;
    for (size_t i = 0; i < order.size() && same; ++i)
        same = order[i] == i;
    if (same) return false;
    Design next = d;
    for (size_t i = 0; i < order.size(); ++i)
        next.items[i] = d.items[order[i]];
    return adoptEdit(d, std::move(next));
}

void sortScope(const Design& d, std::vector<TabUnit>& units, bool pinFrames) {
    auto above = [&](size_t a, size_t b) {
        const Item& p = d.items[units[a].item];
        const Item& q = d.items[units[b].item];
        return p.y != q.y ? p.y < q.y : p.x < q.x;
    };
    std::vector<size_t> order;
    if (pinFrames) {
        order = nonFrames(d, units);
    } else {
        order.resize(units.size());
        std::iota(order.begin(), order.end(), size_t{0});
    }
    std::stable_sort(order.begin(), order.end(), above);
    if (pinFrames) {
        placeAroundFrames(d, units, order);
    } else {
        std::vector<TabUnit> sorted;
        sorted.reserve(units.size());
        for (const size_t k : order)
            sorted.push_back(std::move(units[k]));
        units = std::move(sorted);
    }
    for (TabUnit& u : units) {
        sortScope(d, u.held, false);
        for (std::vector<TabUnit>& page : u.pages)
            sortScope(d, page, true);
    }
}

void badgeScope(const Design& d, const std::vector<TabUnit>& units, std::vector<int>& badges);

void badgeInside(const Design& d, const TabUnit& u, std::vector<int>& badges) {
    for (const TabUnit& h : u.held)
        badgeInside(d, h, badges);
    for (const std::vector<TabUnit>& page : u.pages)
        badgeScope(d, page, badges);
}

void badgeScope(const Design& d, const std::vector<TabUnit>& units, std::vector<int>& badges) {
    int place = 0;
    for (const TabUnit& u : units) {
        if (!isFrame(d, u)) badges[u.item] = ++place;
        badgeInside(d, u, badges);
    }
}

} // namespace

std::vector<int> tabOrderBadges(const Design& d) {
    std::vector<int> badges(d.items.size(), 0);
    if (const auto top = tabUnits(d.items)) badgeScope(d, *top, badges);
    return badges;
}

int tabUnitOf(const Design& d, size_t item) {
    auto top = tabUnits(d.items);
    if (!top || item >= d.items.size()) return -1;
    return UnitIndex(*top, d.items.size()).unitOf[item];
}

bool applyTabOrder(Design& d, std::span<const int> clickedNumbers) {
    auto top = tabUnits(d.items);
    if (!top) return false;
    const UnitIndex index(*top, d.items.size());
    std::vector<TabUnit>* scope = nullptr;
    std::vector<size_t> clicked; // positions in the scope, in click order
    for (const int number : clickedNumbers) {
        const int item = itemByNumber(d.items, number);
        if (item < 0) return false;
        const int unit = index.unitOf[static_cast<size_t>(item)];
        if (unit < 0) return false;
        const UnitIndex::Place& at = index.place[static_cast<size_t>(unit)];
        if (scope && at.scope != scope) return false;
        scope = at.scope;
        if (isFrame(d, (*scope)[at.pos])) continue;
        if (std::find(clicked.begin(), clicked.end(), at.pos) == clicked.end())
            clicked.push_back(at.pos);
    }
    if (!scope || clicked.empty()) return false;
    std::vector<size_t> order = clicked;
    for (const size_t k : nonFrames(d, *scope))
        if (std::find(clicked.begin(), clicked.end(), k) == clicked.end()) order.push_back(k);
    placeAroundFrames(d, *scope, order);
    return commitTree(d, *top);
}

bool sortTabOrderByPosition(Design& d) {
    auto top = tabUnits(d.items);
    if (!top) return false;
    sortScope(d, *top, true);
    return commitTree(d, *top);
}

} // namespace zarnet::designer
