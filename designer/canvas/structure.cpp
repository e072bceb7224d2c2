#include "designer/canvas/structure.h"

#include "document/catalogue.h"

#include <algorithm>
#include <utility>

namespace zarnet::designer {

namespace {

// Index of the first real item of each number, -1 for unused numbers.
std::vector<int> indexByNumber(const std::vector<Item>& items) {
    std::vector<int> index;
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        if (!it.isGadget() || it.number < 0) continue;
        const auto n = static_cast<size_t>(it.number);
        if (n >= index.size()) index.resize(n + 1, -1);
        if (index[n] < 0) index[n] = static_cast<int>(i);
    }
    return index;
}

int lookup(const std::vector<int>& index, int number) {
    return number >= 0 && static_cast<size_t>(number) < index.size()
               ? index[static_cast<size_t>(number)]
               : -1;
}

// The current tab of a panel after tab `moved` went behind tab `after`.
int tabAfterMove(int view, int moved, int after) {
    if (view == moved) return after > moved ? after : after + 1;
    const int v = view > moved ? view - 1 : view;
    const int t = after > moved ? after - 1 : after;
    return v > t ? v + 1 : v;
}

} // namespace

bool adoptEdit(Design& d, Design&& next) {
    next.recomputeNesting();
    resolveSplitterChildren(next.items);
    renumberTabs(next.items);
    noteEdit(next);
    if (checkInvariants(next) && !checkInvariants(d)) return false;
    d = std::move(next);
    return true;
}

std::optional<std::vector<Scope>> scopesOf(const std::vector<Item>& items) {
    struct Open {
        size_t index;
        bool panel;
        int tab; // tabs seen so far, -1 before a panel's first tab record
    };
    std::vector<Open> open;
    std::vector<Scope> scopes(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        if (it.typ == kCloseRecord) {
            if (open.empty()) return std::nullopt;
            scopes[i] = {static_cast<int>(open.back().index), 0};
            open.pop_back();
            continue;
        }
        if (it.typ == kTabRecord) {
            if (open.empty() || !open.back().panel) return std::nullopt;
            scopes[i] = {static_cast<int>(open.back().index), ++open.back().tab};
            continue;
        }
        if (!isGadgetType(it.typ)) return std::nullopt;
        if (!open.empty()) {
            if (open.back().panel && open.back().tab < 0) return std::nullopt;
            scopes[i] = {static_cast<int>(open.back().index),
                         open.back().panel ? open.back().tab : 0};
        }
        if (isParentType(it.typ))
            open.push_back({i, it.typ == PanelGadget, it.typ == PanelGadget ? -1 : 0});
    }
    if (!open.empty()) return std::nullopt;
    return scopes;
}

int itemByNumber(const std::vector<Item>& items, int number) {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].isGadget() && items[i].number == number) return static_cast<int>(i);
    return -1;
}

std::vector<bool> splitterChildren(const std::vector<Item>& items) {
    std::vector<bool> held(items.size(), false);
    const std::vector<int> index = indexByNumber(items);
    for (const Item& it : items) {
        if (it.typ != SplitterGadget) continue;
        for (const int n : {it.para1, it.para2})
            if (const int c = lookup(index, n); c >= 0) held[static_cast<size_t>(c)] = true;
    }
    return held;
}

void resolveSplitterChildren(std::vector<Item>& items) {
    const std::vector<int> index = indexByNumber(items);
    for (Item& it : items) {
        if (it.typ != SplitterGadget) continue;
        it.firstitem = lookup(index, it.para1);
        it.seconditem = lookup(index, it.para2);
    }
}

void renumberTabs(std::vector<Item>& items) {
    struct Open {
        bool panel;
        int tab;
    };
    std::vector<Open> open;
    for (Item& it : items) {
        if (it.typ == kCloseRecord) {
            if (!open.empty()) open.pop_back();
        } else if (it.typ == kTabRecord) {
            if (!open.empty() && open.back().panel)
                it.number = static_cast<int16_t>(++open.back().tab);
        } else if (isParentType(it.typ)) {
            open.push_back({it.typ == PanelGadget, -1});
        }
    }
}

std::optional<size_t> splitterInsertIndex(const std::vector<Item>& items, size_t a, size_t b) {
    if (a >= items.size() || b >= items.size()) return std::nullopt;
    return runEnd(items, std::max(a, b));
}

SplitterMembers splitterOrder(size_t a, const Rect& ra, size_t b, const Rect& rb, bool vertical) {
    const int ka = vertical ? ra.x : ra.y;
    const int kb = vertical ? rb.x : rb.y;
    const bool aFirst = ka < kb || (ka == kb && a < b);
    return aFirst ? SplitterMembers{a, b} : SplitterMembers{b, a};
}

std::optional<size_t> combineIntoSplitter(Design& d, size_t a, const Rect& ra, size_t b,
                                          const Rect& rb, const Rect& group, bool vertical,
                                          Item splitter) {
    const std::vector<Item>& items = d.items;
    if (a == b || a >= items.size() || b >= items.size()) return std::nullopt;
    for (const size_t m : {a, b})
        if (!items[m].isGadget() || items[m].typ == SpinGadget) return std::nullopt;
    const auto scopes = scopesOf(items);
    if (!scopes || (*scopes)[a] != (*scopes)[b]) return std::nullopt;
    const std::vector<bool> held = splitterChildren(items);
    if (held[a] || held[b]) return std::nullopt;
    const auto at = splitterInsertIndex(items, a, b);
    if (!at) return std::nullopt;
    const SplitterMembers order = splitterOrder(a, ra, b, rb, vertical);

    Design next = d;
    splitter.typ = SplitterGadget;
    splitter.number = static_cast<int16_t>(next.takeNumber());
    splitter.para1 = items[order.first].number;
    splitter.para2 = items[order.second].number;
    splitter.x = group.x;
    splitter.y = group.y;
    splitter.w = group.w;
    splitter.h = group.h;
    splitter.flags = (splitter.flags & (2u | 4u | 8u)) | (vertical ? 1u : 0u);
    if (splitter.name.empty()) splitter.name = std::string(typeName(SplitterGadget));
    splitter.id = 0;
    splitter.parent = items[a].parent;
    next.items.insert(next.items.begin() + static_cast<std::ptrdiff_t>(*at), std::move(splitter));
    // Both members lie before the insertion point, so their indices hold.
    for (const size_t m : {a, b})
        next.items[m].insplitter = 1;
    if (!adoptEdit(d, std::move(next))) return std::nullopt;
    return *at;
}

bool removeSplitter(Design& d, size_t splitter) {
    const std::vector<Item>& items = d.items;
    if (splitter >= items.size() || items[splitter].typ != SplitterGadget) return false;
    // The splitter holding this one would be left naming a missing gadget.
    if (splitterChildren(items)[splitter]) return false;
    Design next = d;
    for (const int n : {items[splitter].para1, items[splitter].para2}) {
        const int c = itemByNumber(items, n);
        if (c < 0 || static_cast<size_t>(c) == splitter) continue;
        Item& child = next.items[static_cast<size_t>(c)];
        child.insplitter = 0;
        child.splitter = 0;
        // The caller already stored where the gadget stands on its parent;
        // the live gadget still reports its place inside the splitter.
        child.bandmark = -1;
    }
    next.releaseNumber(items[splitter].number);
    next.items.erase(next.items.begin() + static_cast<std::ptrdiff_t>(splitter));
    return adoptEdit(d, std::move(next));
}

std::optional<size_t> combineIntoContainer(Design& d, std::vector<size_t> members,
                                           const Rect& group, Item container) {
    const std::vector<Item>& items = d.items;
    std::sort(members.begin(), members.end());
    members.erase(std::unique(members.begin(), members.end()), members.end());
    if (members.empty() || members.back() >= items.size()) return std::nullopt;
    const auto scopes = scopesOf(items);
    if (!scopes) return std::nullopt;
    const std::vector<bool> held = splitterChildren(items);
    const Scope scope = (*scopes)[members.front()];
    for (const size_t m : members)
        if (!items[m].isGadget() || held[m] || (*scopes)[m] != scope) return std::nullopt;

    // The working list: the members and, recursively, the gadgets of every
    // splitter among them, which must travel with their splitter.
    std::vector<bool> working(items.size(), false);
    std::vector<bool> direct(items.size(), false);
    const std::vector<int> index = indexByNumber(items);
    std::vector<size_t> pending = members;
    for (const size_t m : members)
        working[m] = direct[m] = true;
    while (!pending.empty()) {
        const size_t i = pending.back();
        pending.pop_back();
        if (items[i].typ != SplitterGadget) continue;
        for (const int n : {items[i].para1, items[i].para2}) {
            const int c = lookup(index, n);
            if (c < 0 || (*scopes)[static_cast<size_t>(c)] != scope) return std::nullopt;
            if (working[static_cast<size_t>(c)]) continue;
            working[static_cast<size_t>(c)] = true;
            pending.push_back(static_cast<size_t>(c));
        }
    }
    std::vector<Run> runs;
    std::vector<bool> moved(items.size(), false);
    for (size_t i = 0; i < items.size(); ++i) {
        if (!working[i]) continue;
        const auto end = runEnd(items, i);
        if (!end || (!runs.empty() && i < runs.back().end)) return std::nullopt;
        runs.push_back({i, *end});
        std::fill(moved.begin() + static_cast<std::ptrdiff_t>(i),
                  moved.begin() + static_cast<std::ptrdiff_t>(*end), true);
    }

    Design next = d;
    container.typ = ContainerGadget;
    container.number = static_cast<int16_t>(next.takeNumber());
    container.x = group.x;
    container.y = group.y;
    container.w = group.w;
    container.h = group.h;
    if (container.name.empty()) container.name = std::string(typeName(ContainerGadget));
    container.id = 0;
    container.parent = items[members.front()].parent;
    // Moved items keep what the caller stored; the live gadgets still show
    // them at their old places until the canvas is rebuilt.
    container.bandmark = -1;

    std::vector<Item> out;
    out.reserve(items.size() + 2);
    const size_t lastFirst = runs.back().first;
    for (size_t i = 0; i < lastFirst; ++i)
        if (!moved[i]) out.push_back(items[i]);
    const size_t at = out.size();
    out.push_back(std::move(container));
    for (const Run& run : runs) {
        for (size_t i = run.first; i < run.end; ++i) {
            Item it = items[i];
            it.bandmark = -1;
            // Splitter gadgets are placed by their splitter, and the
            // contents of a moved parent stay relative to that parent.
            if (direct[i]) {
                it.x -= group.x;
                it.y -= group.y;
            }
            out.push_back(std::move(it));
        }
    }
    Item close = makeCloseRecord();
    close.bandmark = -1;
    out.push_back(std::move(close));
    for (size_t i = runs.back().end; i < items.size(); ++i)
        out.push_back(items[i]);
    next.items = std::move(out);
    if (!adoptEdit(d, std::move(next))) return std::nullopt;
    return at;
}

bool removeContainer(Design& d, size_t container) {
    const std::vector<Item>& items = d.items;
    if (container >= items.size() || items[container].typ != ContainerGadget) return false;
    const auto scopes = scopesOf(items);
    if (!scopes) return false;
    const std::vector<bool> held = splitterChildren(items);
    // Its splitter would be left naming a gadget that is gone.
    if (held[container]) return false;
    const auto close = closeRecordOf(items, container);
    if (!close) return false;

    Design next = d;
    const Item& box = items[container];
    for (size_t i = container + 1; i < *close; ++i) {
        if (!items[i].isGadget() || (*scopes)[i].parent != static_cast<int>(container)) continue;
        Item& it = next.items[i];
        if (!held[i]) {
            it.x += box.x;
            it.y += box.y;
        }
        it.parent = box.parent;
        it.bandmark = -1;
    }
    next.releaseNumber(box.number);
    next.items.erase(next.items.begin() + static_cast<std::ptrdiff_t>(*close));
    next.items.erase(next.items.begin() + static_cast<std::ptrdiff_t>(container));
    return adoptEdit(d, std::move(next));
}

std::optional<Run> treeRun(const std::vector<Item>& items, size_t index) {
    if (index >= items.size()) return std::nullopt;
    const Item& it = items[index];
    if (it.isGadget()) {
        const auto end = runEnd(items, index);
        if (!end) return std::nullopt;
        return Run{index, *end};
    }
    if (it.typ != kTabRecord) return std::nullopt;
    size_t i = index + 1;
    while (i < items.size() && !isRecord(items[i].typ)) {
        const auto end = runEnd(items, i);
        if (!end) return std::nullopt;
        i = *end;
    }
    if (i >= items.size()) return std::nullopt;
    return Run{index, i};
}

size_t moveRun(std::vector<Item>& items, Run run, size_t before) {
    run.end = std::min(run.end, items.size());
    before = std::min(before, items.size());
    if (run.first >= run.end || (before > run.first && before < run.end)) return run.first;
    const auto b = items.begin();
    const auto at = [&](size_t i) { return b + static_cast<std::ptrdiff_t>(i); };
    if (before <= run.first) {
        std::rotate(at(before), at(run.first), at(run.end));
        return before;
    }
    std::rotate(at(run.first), at(run.end), at(before));
    return before - (run.end - run.first);
}

bool reorder(Design& d, size_t dragged, size_t target, size_t* movedTo) {
    const std::vector<Item>& items = d.items;
    if (dragged >= items.size() || target >= items.size() || dragged == target) return false;
    const auto scopes = scopesOf(items);
    if (!scopes) return false;
    const std::vector<Scope>& s = *scopes;
    const auto run = treeRun(items, dragged);
    if (!run) return false;
    const Item& from = items[dragged];
    const Item& onto = items[target];
    // Only siblings trade places: a tab among its panel's tabs, an item
    // among the items of its own parent (on any of a panel's tabs).
    if (onto.typ == kCloseRecord || s[target].parent != s[dragged].parent) return false;
    size_t before = 0;
    if (from.typ == kTabRecord) {
        if (onto.typ != kTabRecord) return false;
        const auto targetRun = treeRun(items, target);
        if (!targetRun) return false;
        before = targetRun->end;
    } else {
        // A splitter's gadgets stand before it; moving either would break
        // that or take a gadget away from its splitter.
        if (from.typ == SplitterGadget || splitterChildren(items)[dragged]) return false;
        if (onto.typ == kTabRecord) {
            before = target + 1;
        } else {
            const auto end = runEnd(items, target);
            if (!end) return false;
            before = *end;
        }
    }
    // Dropping where the run already stands (onto the entry just above it)
    // changes nothing.
    if (before >= run->first && before <= run->end) return false;

    Design next = d;
    const size_t at = moveRun(next.items, *run, before);
    if (from.typ == kTabRecord) {
        // The panel stands before all its tabs, so its index is unchanged.
        Item& panel = next.items[static_cast<size_t>(s[dragged].parent)];
        panel.view1 = tabAfterMove(panel.view1, s[dragged].tab, s[target].tab);
    }
    if (!adoptEdit(d, std::move(next))) return false;
    if (movedTo) *movedTo = at;
    return true;
}

} // namespace zarnet::designer
