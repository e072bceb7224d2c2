#include "designer/arrange/tab_order.h"

#include "designer/arrange/tab_units.h"
#include "designer/canvas/option_runs.h"
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

// How far below a row's top item another may stand and still be in it.
constexpr int kRowTolerance = 4;

bool isFrame(const Design& d, const TabUnit& u) {
    return d.items[u.item].typ == Frame3DGadget;
}

bool isOptionUnit(const Design& d, const TabUnit& u) {
    return d.items[u.item].typ == OptionGadget;
}

// A scope's units as they move: a run of option units side by side is one
// block (the options' group), every other unit a block of its own. Frames
// are left out; they keep their slots.
using Block = std::vector<size_t>; // positions in the scope, in list order

std::vector<Block> movableBlocks(const Design& d, const std::vector<TabUnit>& scope,
                                 bool withFrames = false) {
    std::vector<Block> blocks;
    bool inRun = false;
    for (size_t k = 0; k < scope.size(); ++k) {
        if (!withFrames && isFrame(d, scope[k])) {
            inRun = false;
            continue;
        }
        const bool option = isOptionUnit(d, scope[k]);
        if (!(option && inRun)) blocks.emplace_back();
        blocks.back().push_back(k);
        inRun = option;
    }
    return blocks;
}

size_t blockOf(const std::vector<Block>& blocks, size_t pos) {
    for (size_t b = 0; b < blocks.size(); ++b)
        if (std::find(blocks[b].begin(), blocks[b].end(), pos) != blocks[b].end()) return b;
    return blocks.size();
}

// Puts the non-frame units of a scope in the order the blocks give,
// leaving every frame in its slot.
void placeAroundFrames(const Design& d, std::vector<TabUnit>& scope,
                       const std::vector<Block>& blocks) {
    std::vector<TabUnit> moved;
    for (const Block& b : blocks)
        for (const size_t k : b)
            moved.push_back(std::move(scope[k]));
    size_t next = 0;
    for (TabUnit& slot : scope)
        if (!isFrame(d, slot)) slot = std::move(moved[next++]);
}

// Two option blocks that end up side by side would make one group: the
// nearest other block after them (else before them) goes between. The
// first `fixed` blocks stay where they are.
void keepRunsApart(const Design& d, const std::vector<TabUnit>& scope, std::vector<Block>& blocks,
                   size_t fixed = 0) {
    const auto run = [&](const Block& b) { return isOptionUnit(d, scope[b.front()]); };
    for (size_t k = 0; k + 1 < blocks.size(); ++k) {
        if (!run(blocks[k]) || !run(blocks[k + 1]) || k + 1 < fixed) continue;
        const auto first = blocks.begin() + static_cast<std::ptrdiff_t>(k);
        const auto later =
            std::find_if(first + 2, blocks.end(), [&](const Block& b) { return !run(b); });
        if (later != blocks.end()) {
            std::rotate(first + 1, later, later + 1);
            continue;
        }
        if (k < fixed) return;
        const auto from = blocks.begin() + static_cast<std::ptrdiff_t>(fixed);
        auto earlier = first;
        while (earlier != from && run(*earlier))
            --earlier;
        if (run(*earlier)) return;
        std::rotate(earlier, earlier + 1, first + 1);
    }
}

// Lays the list out again from the tree. False when that is the list as it
// was, or when it would join or split a group of options; otherwise the
// design takes it, provided it stays sound.
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
    if (!sameOptionGroups(d.items, next.items)) return false;
    return adoptEdit(d, std::move(next));
}

void sortScope(const Design& d, std::vector<TabUnit>& units, bool pinFrames) {
    // A block goes where its top-left member goes; members keep their order.
    const auto key = [&](const Block& b) {
        std::pair<int, int> best{INT32_MAX, INT32_MAX};
        for (const size_t k : b) {
            const Item& it = d.items[units[k].item];
            best = std::min(best, std::pair<int, int>{it.y, it.x});
        }
        return best;
    };
    std::vector<Block> blocks;
    if (pinFrames) {
        blocks = movableBlocks(d, units);
    } else {
        for (size_t k = 0; k < units.size(); ++k)
            blocks.push_back({k});
    }
    std::stable_sort(blocks.begin(), blocks.end(),
                     [&](const Block& a, const Block& b) { return key(a) < key(b); });
    // Items a few pixels apart in height (a label set a little lower than
    // its field) share a row, which goes left to right.
    std::vector<std::pair<size_t, int>> place(blocks.size()); // row, x
    int rowTop = 0;
    for (size_t k = 0, row = 0; k < blocks.size(); ++k) {
        const auto [y, x] = key(blocks[k]);
        if (k > 0 && int64_t{y} - rowTop > kRowTolerance) ++row;
        if (k == 0 || place[k - 1].first != row) rowTop = y;
        place[k] = {row, x};
    }
    std::vector<size_t> byRow(blocks.size());
    std::iota(byRow.begin(), byRow.end(), size_t{0});
    std::stable_sort(byRow.begin(), byRow.end(),
                     [&](size_t a, size_t b) { return place[a] < place[b]; });
    std::vector<Block> rowOrder;
    for (const size_t k : byRow)
        rowOrder.push_back(std::move(blocks[k]));
    blocks = std::move(rowOrder);
    if (pinFrames) {
        keepRunsApart(d, units, blocks);
        placeAroundFrames(d, units, blocks);
    } else {
        std::vector<TabUnit> sorted;
        sorted.reserve(units.size());
        for (const Block& b : blocks)
            sorted.push_back(std::move(units[b.front()]));
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
    for (const Block& b : movableBlocks(d, units))
        badges[units[b.front()].item] = ++place;
    for (const TabUnit& u : units)
        badgeInside(d, u, badges);
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

TabOrderOutcome applyTabOrderOutcome(Design& d, std::span<const int> clickedNumbers) {
    auto top = tabUnits(d.items);
    if (!top) return TabOrderOutcome::Unchanged;
    const UnitIndex index(*top, d.items.size());
    std::vector<TabUnit>* scope = nullptr;
    std::vector<size_t> clicked; // positions in the scope, in click order
    for (const int number : clickedNumbers) {
        const int item = itemByNumber(d.items, number);
        if (item < 0) return TabOrderOutcome::Unchanged;
        const int unit = index.unitOf[static_cast<size_t>(item)];
        if (unit < 0) return TabOrderOutcome::Unchanged;
        const UnitIndex::Place& at = index.place[static_cast<size_t>(unit)];
        if (scope && at.scope != scope) return TabOrderOutcome::Unchanged;
        scope = at.scope;
        if (isFrame(d, (*scope)[at.pos])) continue;
        clicked.push_back(at.pos);
    }
    if (!scope || clicked.empty()) return TabOrderOutcome::Unchanged;
    // A click on any option of a group takes the whole group.
    const std::vector<Block> blocks = movableBlocks(d, *scope);
    std::vector<size_t> chosen; // block indexes in click order
    for (const size_t pos : clicked)
        if (const size_t b = blockOf(blocks, pos);
            std::find(chosen.begin(), chosen.end(), b) == chosen.end())
            chosen.push_back(b);
    std::vector<Block> order;
    for (const size_t b : chosen)
        order.push_back(blocks[b]);
    for (size_t b = 0; b < blocks.size(); ++b)
        if (std::find(chosen.begin(), chosen.end(), b) == chosen.end()) order.push_back(blocks[b]);
    keepRunsApart(d, *scope, order, chosen.size());
    placeAroundFrames(d, *scope, order);
    if (commitTree(d, *top)) return TabOrderOutcome::Changed;
    // Nothing changed, or the order would make one group of two.
    std::vector<size_t> records;
    for (const TabUnit& u : *top)
        appendRecords(u, records);
    bool same = records.size() == d.items.size();
    for (size_t i = 0; i < records.size() && same; ++i)
        same = records[i] == i;
    return same ? TabOrderOutcome::Unchanged : TabOrderOutcome::JoinsOptionGroups;
}

bool applyTabOrder(Design& d, std::span<const int> clickedNumbers) {
    return applyTabOrderOutcome(d, clickedNumbers) == TabOrderOutcome::Changed;
}

TabOrderOutcome restackUnits(Design& d, std::span<const size_t> items, Restack how) {
    auto top = tabUnits(d.items);
    if (!top || items.empty()) return TabOrderOutcome::Unchanged;
    const UnitIndex index(*top, d.items.size());
    std::vector<TabUnit>* scope = nullptr;
    std::vector<size_t> positions;
    for (const size_t item : items) {
        const int unit = item < d.items.size() ? index.unitOf[item] : -1;
        if (unit < 0) return TabOrderOutcome::Unchanged;
        const UnitIndex::Place& at = index.place[static_cast<size_t>(unit)];
        if (scope && at.scope != scope) return TabOrderOutcome::Unchanged;
        scope = at.scope;
        positions.push_back(at.pos);
    }
    std::vector<Block> blocks = movableBlocks(d, *scope, true);
    std::vector<bool> chosen(blocks.size(), false);
    for (const size_t pos : positions)
        chosen[blockOf(blocks, pos)] = true;
    std::vector<size_t> order(blocks.size()); // block indexes in their new order
    std::iota(order.begin(), order.end(), size_t{0});
    const auto isChosen = [&](size_t b) { return chosen[b]; };
    switch (how) {
    case Restack::ToFront:
        std::stable_partition(order.begin(), order.end(), [&](size_t b) { return !isChosen(b); });
        break;
    case Restack::ToBack:
        std::stable_partition(order.begin(), order.end(), isChosen);
        break;
    case Restack::Forward: // each chosen block past the next one not chosen
        for (size_t k = order.size(); k-- > 1;)
            if (isChosen(order[k - 1]) && !isChosen(order[k])) std::swap(order[k - 1], order[k]);
        break;
    case Restack::Backward:
        for (size_t k = 1; k < order.size(); ++k)
            if (isChosen(order[k]) && !isChosen(order[k - 1])) std::swap(order[k - 1], order[k]);
        break;
    }
    for (size_t k = 0; k + 1 < order.size(); ++k)
        if (isOptionUnit(d, (*scope)[blocks[order[k]].front()]) &&
            isOptionUnit(d, (*scope)[blocks[order[k + 1]].front()]))
            return TabOrderOutcome::JoinsOptionGroups;
    std::vector<TabUnit> placed;
    placed.reserve(scope->size());
    for (const size_t b : order)
        for (const size_t k : blocks[b])
            placed.push_back(std::move((*scope)[k]));
    *scope = std::move(placed);
    return commitTree(d, *top) ? TabOrderOutcome::Changed : TabOrderOutcome::Unchanged;
}

bool sortTabOrderByPosition(Design& d) {
    auto top = tabUnits(d.items);
    if (!top) return false;
    sortScope(d, *top, true);
    return commitTree(d, *top);
}

} // namespace zarnet::designer
