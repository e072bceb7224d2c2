#include "document/compare/diff.h"

#include "document/catalogue.h"
#include "document/compare/fields.h"
#include "text/format.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace zarnet::compare {

std::string describePlace(const DesignView& v, Place p) {
    if (p.parent < 0) return "top level";
    const Item* parent = v.gadget(p.parent);
    std::string out = parent ? gadgetTitle(*parent) : "#" + std::to_string(p.parent);
    if (parent && parent->typ == PanelGadget) out += " tab " + std::to_string(p.tab);
    return out;
}

bool sameGadget(const DesignView& a, const DesignView& b, int n) {
    const Item* x = a.gadget(n);
    const Item* y = b.gadget(n);
    return x && y && x->typ == y->typ;
}

std::vector<int> reordered(const std::vector<int>& from, const std::vector<int>& to) {
    std::unordered_map<int, int> at;
    at.reserve(from.size());
    for (size_t i = 0; i < from.size(); ++i)
        at.emplace(from[i], static_cast<int>(i));
    // The common elements in `to`'s order, with their place in `from`.
    std::vector<int> common, rank;
    for (int e : to)
        if (const auto f = at.find(e); f != at.end()) {
            common.push_back(e);
            rank.push_back(f->second);
        }
    // Longest increasing run of ranks (patience sorting, with links back).
    std::vector<int> tails, link(rank.size(), -1);
    for (size_t i = 0; i < rank.size(); ++i) {
        const auto pos =
            std::lower_bound(tails.begin(), tails.end(), static_cast<int>(i),
                             [&](int t, int) { return rank[static_cast<size_t>(t)] < rank[i]; });
        if (pos != tails.begin()) link[i] = *(pos - 1);
        if (pos == tails.end())
            tails.push_back(static_cast<int>(i));
        else
            *pos = static_cast<int>(i);
    }
    std::vector<bool> kept(rank.size(), false);
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = link[static_cast<size_t>(i)])
        kept[static_cast<size_t>(i)] = true;
    std::vector<int> moved;
    for (size_t i = 0; i < common.size(); ++i)
        if (!kept[i]) moved.push_back(common[i]);
    std::sort(moved.begin(), moved.end());
    return moved;
}

namespace {

struct Builder {
    Difference out;
    void add(Change::Kind kind, int number, std::string field, std::string line) {
        out.changes.push_back({kind, number, std::move(field), std::move(line)});
    }
};

void windowChanges(Builder& b, const Design& x, const Design& y) {
    const struct {
        const char* name;
        int64_t from, to;
    } values[] = {
        {"client width", x.clientWidth, y.clientWidth},
        {"client height", x.clientHeight, y.clientHeight},
        {"grid step", x.gridStep, y.gridStep},
        {"next number", x.nextNumber, y.nextNumber},
        {"gWindow", x.gWindow, y.gWindow},
        {"gMenu", x.gMenu, y.gMenu},
        {"gStatusBar", x.gStatusBar, y.gStatusBar},
        {"gToolBar", x.gToolBar, y.gToolBar},
        {"gLanguage", x.gLanguage, y.gLanguage},
    };
    for (const auto& v : values)
        if (v.from != v.to)
            b.add(Change::Kind::Window, -1, v.name,
                  "window: " + std::string(v.name) + " " + std::to_string(v.from) + " -> " +
                      std::to_string(v.to));
}

void fontChanges(Builder& b, const DesignView& x, const DesignView& y) {
    const std::vector<std::string> from = x.unusedFonts(), to = y.unusedFonts();
    std::vector<std::string> gone, come;
    std::set_difference(from.begin(), from.end(), to.begin(), to.end(), std::back_inserter(gone));
    std::set_difference(to.begin(), to.end(), from.begin(), from.end(), std::back_inserter(come));
    for (const std::string& f : gone)
        b.add(Change::Kind::Font, -1, "font", "font " + f + " (used by no gadget): removed");
    for (const std::string& f : come)
        b.add(Change::Kind::Font, -1, "font", "font " + f + " (used by no gadget): added");
}

void tabChanges(Builder& b, const std::string& title, int n, const std::vector<std::string>& from,
                const std::vector<std::string>& to) {
    for (size_t t = 0; t < std::max(from.size(), to.size()); ++t) {
        const std::string field = "tab " + std::to_string(t);
        if (t >= from.size())
            b.add(Change::Kind::Tabs, n, field,
                  title + ": " + field + " " + quoted(to[t]) + " added");
        else if (t >= to.size())
            b.add(Change::Kind::Tabs, n, field,
                  title + ": " + field + " " + quoted(from[t]) + " removed");
        else if (from[t] != to[t])
            b.add(Change::Kind::Tabs, n, field,
                  title + ": " + field + " " + quoted(from[t]) + " -> " + quoted(to[t]));
    }
}

} // namespace

Difference diffDesigns(const Design& a, const Design& b) {
    Builder out;
    const DesignView x(a), y(b);
    windowChanges(out, a, b);
    fontChanges(out, x, y);

    // Gadgets that changed their place among siblings of an unchanged place.
    std::vector<bool> moved;
    for (const auto& [place, from] : x.places()) {
        std::vector<int> stay;
        for (int n : from)
            if (sameGadget(x, y, n) && y.placeOf(n) == place) stay.push_back(n);
        std::vector<int> to;
        for (int n : y.children(place))
            if (sameGadget(x, y, n) && x.placeOf(n) == place) to.push_back(n);
        for (int n : reordered(stay, to)) {
            if (moved.size() <= static_cast<size_t>(n)) moved.resize(static_cast<size_t>(n) + 1);
            moved[static_cast<size_t>(n)] = true;
        }
    }

    std::vector<int> all;
    std::merge(x.numbers().begin(), x.numbers().end(), y.numbers().begin(), y.numbers().end(),
               std::back_inserter(all));
    all.erase(std::unique(all.begin(), all.end()), all.end());
    for (int n : all) {
        const Item* from = x.gadget(n);
        const Item* to = y.gadget(n);
        if (!sameGadget(x, y, n)) {
            if (from)
                out.add(Change::Kind::Removed, n, "removed",
                        gadgetTitle(*from) + ": removed from " + describePlace(x, x.placeOf(n)));
            if (to)
                out.add(Change::Kind::Added, n, "added",
                        gadgetTitle(*to) + ": added to " + describePlace(y, y.placeOf(n)));
            continue;
        }
        const std::string title = gadgetTitle(*from);
        const Place p = x.placeOf(n), q = y.placeOf(n);
        if (p.parent != q.parent || (p.parent >= 0 && !sameGadget(x, y, p.parent)))
            out.add(Change::Kind::Place, n, "parent",
                    title + ": parent " + describePlace(x, p) + " -> " + describePlace(y, q));
        else if (p.tab != q.tab)
            out.add(Change::Kind::Place, n, "tab",
                    title + ": tab " + std::to_string(p.tab) + " -> " + std::to_string(q.tab));
        else if (static_cast<size_t>(n) < moved.size() && moved[static_cast<size_t>(n)])
            out.add(Change::Kind::Order, n, "order",
                    title + ": order " + std::to_string(x.orderOf(n) + 1) + " -> " +
                        std::to_string(y.orderOf(n) + 1));
        if (from->typ == PanelGadget) tabChanges(out, title, n, x.tabs(n), y.tabs(n));
        for (const Field& f : gadgetFields()) {
            const Value u = f.get(*from, a.fonts), v = f.get(*to, b.fonts);
            if (u == v) continue;
            out.add(Change::Kind::Field, n, std::string(f.key),
                    title + ": " + fieldLabel(f, from->typ) + " " + formatValue(f, u, from->typ) +
                        " -> " + formatValue(f, v, from->typ));
        }
    }
    return out.out;
}

PictureMarks pictureMarks(const Difference& diff) {
    PictureMarks marks;
    for (const Change& c : diff.changes) {
        if (c.kind == Change::Kind::Removed)
            marks.removed.push_back(c.line);
        else if (c.number >= 0 && (marks.outlined.empty() || marks.outlined.back() != c.number))
            marks.outlined.push_back(c.number);
    }
    std::sort(marks.outlined.begin(), marks.outlined.end());
    marks.outlined.erase(std::unique(marks.outlined.begin(), marks.outlined.end()),
                         marks.outlined.end());
    return marks;
}

std::string statLine(const Difference& diff) {
    size_t added = 0, removed = 0, other = 0;
    std::vector<int> changed;
    for (const Change& c : diff.changes) {
        switch (c.kind) {
        case Change::Kind::Added:
            ++added;
            break;
        case Change::Kind::Removed:
            ++removed;
            break;
        case Change::Kind::Window:
        case Change::Kind::Font:
            ++other;
            break;
        default:
            if (changed.empty() || changed.back() != c.number) changed.push_back(c.number);
        }
    }
    char buf[160];
    zarnet::text::formatTo(buf, sizeof buf,
                           "%zu changes: %zu gadgets added, %zu removed, %zu changed; %zu other",
                           diff.changes.size(), added, removed, changed.size(), other);
    return buf;
}

} // namespace zarnet::compare
