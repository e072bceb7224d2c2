#include "designer/history/restore_plan.h"

#include "document/catalogue.h"

#include <algorithm>
#include <unordered_set>

namespace zarnet::designer {

namespace {

using Kind = RestorePlan::Kind;

bool samePicture(const ItemRecord& a, const ItemRecord& b) {
    const bool pa = a.image && !a.image->empty(), pb = b.image && !b.image->empty();
    return pa == pb && (!pa || a.image == b.image || *a.image == *b.image);
}

bool sameContent(const SharedRecord& a, const SharedRecord& b) {
    return a == b || (a->fields == b->fields && samePicture(*a, *b));
}

bool onlyRectDiffers(const RecordFields& a, const RecordFields& b) {
    RecordFields moved = a;
    moved.x = b.x;
    moved.y = b.y;
    moved.w = b.w;
    moved.h = b.h;
    return moved == b;
}

bool isGadget(const RecordFields& f) {
    return f.typ >= 1 && f.typ <= 29;
}

// Items of `list` that belong to a splitter: numbers named by a splitter.
std::unordered_set<int> splitterChildren(const std::vector<SharedRecord>& list) {
    std::unordered_set<int> children;
    for (const SharedRecord& r : list)
        if (r->fields.typ == SplitterGadget) {
            children.insert(r->fields.para1);
            children.insert(r->fields.para2);
        }
    return children;
}

// A run of the longer list that stands on its own: its containers close
// inside it, its tab records belong to a panel inside it, its splitters'
// children lie inside it, and no splitter outside names an item in it.
bool selfContained(const std::vector<SharedRecord>& longer, size_t first, size_t count) {
    int depth = 0;
    std::unordered_set<int> numbers;
    for (size_t i = first; i < first + count; ++i) {
        const RecordFields& f = longer[i]->fields;
        if (f.typ == kTabRecord && depth == 0) return false;
        if (f.typ == kCloseRecord && --depth < 0) return false;
        if (isGadget(f)) {
            numbers.insert(f.number);
            if (isParentType(f.typ)) ++depth;
        }
    }
    if (depth != 0) return false;
    for (size_t i = 0; i < longer.size(); ++i) {
        const RecordFields& f = longer[i]->fields;
        if (f.typ != SplitterGadget) continue;
        const bool inside = i >= first && i < first + count;
        if (inside != numbers.contains(f.para1) || inside != numbers.contains(f.para2))
            return false;
    }
    return true;
}

RestorePlan fieldsPlan(const Snapshot& from, const Snapshot& to) {
    RestorePlan plan;
    plan.kind = Kind::Fields;
    const auto children = splitterChildren(to.items);
    for (size_t i = 0; i < to.items.size(); ++i) {
        if (sameContent(from.items[i], to.items[i])) continue;
        const RecordFields &a = from.items[i]->fields, &b = to.items[i]->fields;
        if (!isGadget(a) || a.typ != b.typ || a.number != b.number) return {Kind::Rebuild};
        if (onlyRectDiffers(a, b) && samePicture(*from.items[i], *to.items[i])) {
            plan.placed.push_back(i);
            continue;
        }
        // Containers hold other gadgets and splitters hold two: making one
        // again would take its contents along.
        if (isParentType(b.typ) || b.typ == SplitterGadget || children.contains(b.number))
            return {Kind::Rebuild};
        plan.remade.push_back(i);
    }
    // Items using a font entry that changed show another font now.
    if (from.fonts != to.fonts) {
        std::unordered_set<int> changed;
        for (size_t f = 0; f < std::max(from.fonts.size(), to.fonts.size()); ++f)
            if (f >= from.fonts.size() || f >= to.fonts.size() || !(from.fonts[f] == to.fonts[f]))
                changed.insert(static_cast<int>(f));
        for (size_t i = 0; i < to.items.size(); ++i) {
            const RecordFields& b = to.items[i]->fields;
            if (!isGadget(b) || !changed.contains(b.font)) continue;
            if (isParentType(b.typ) || b.typ == SplitterGadget || children.contains(b.number))
                return {Kind::Rebuild};
            if (std::find(plan.remade.begin(), plan.remade.end(), i) == plan.remade.end())
                plan.remade.push_back(i);
        }
    }
    if (plan.placed.empty() && plan.remade.empty()) plan.kind = Kind::Nothing;
    return plan;
}

// The run by which `longer` exceeds `shorter`, when everything else is the
// same in both.
bool runBetween(const std::vector<SharedRecord>& shorter, const std::vector<SharedRecord>& longer,
                size_t& first, size_t& count) {
    count = longer.size() - shorter.size();
    first = 0;
    while (first < shorter.size() && sameContent(shorter[first], longer[first]))
        ++first;
    for (size_t i = first; i < shorter.size(); ++i)
        if (!sameContent(shorter[i], longer[i + count])) return false;
    return selfContained(longer, first, count);
}

} // namespace

RestorePlan planRestore(const Snapshot& from, const Snapshot& to) {
    if (from.items.size() == to.items.size()) return fieldsPlan(from, to);
    RestorePlan plan;
    const bool insert = to.items.size() > from.items.size();
    const auto& shorter = insert ? from.items : to.items;
    const auto& longer = insert ? to.items : from.items;
    if (!runBetween(shorter, longer, plan.first, plan.count)) return {Kind::Rebuild};
    // A font entry that changed for an item outside the run is more than
    // the run can carry.
    if (from.fonts != to.fonts) {
        for (size_t f = 0; f < std::min(from.fonts.size(), to.fonts.size()); ++f) {
            if (from.fonts[f] == to.fonts[f]) continue;
            for (size_t i = 0; i < longer.size(); ++i)
                if ((i < plan.first || i >= plan.first + plan.count) &&
                    isGadget(longer[i]->fields) && longer[i]->fields.font == static_cast<int>(f) &&
                    from.fonts[f].used && to.fonts[f].used)
                    return {Kind::Rebuild};
        }
    }
    plan.kind = insert ? Kind::Insert : Kind::Remove;
    return plan;
}

} // namespace zarnet::designer
