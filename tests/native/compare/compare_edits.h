// Small edits of a design by gadget number for the comparison tests: the
// design as the file holds it, a gadget by number, a gadget added at the
// end of its parent, a gadget removed with what it holds.
#pragma once

#include "document/catalogue.h"
#include "document/design_file.h"
#include "document/model.h"

#include <algorithm>
#include <cstdlib>

namespace zarnet::test {

// Written and read back: the design exactly as a file holds it.
inline Design asFiled(const Design& d) {
    LoadResult r = readDesign(writeDesign(d), Strictness::Strict);
    if (!r.design) std::abort();
    return std::move(*r.design);
}

inline size_t indexOfNumber(const Design& d, int n) {
    for (size_t i = 0; i < d.items.size(); ++i)
        if (d.items[i].isGadget() && d.items[i].number == n) return i;
    std::abort();
}

inline Item& gadget(Design& d, int n) {
    return d.items[indexOfNumber(d, n)];
}

// One past the end of the whole run starting at index i.
inline size_t runEndOf(const Design& d, size_t i) {
    int depth = 0;
    for (size_t k = i; k < d.items.size(); ++k) {
        const Item& it = d.items[k];
        if (it.isGadget() && isParentType(it.typ))
            ++depth;
        else if (it.typ == kCloseRecord)
            --depth;
        if (depth <= 0 && it.typ != kTabRecord) return k + 1;
    }
    return d.items.size();
}

// Index where a new last child goes: before the parent's close record (or
// the next tab record for tab `tab` of a panel); the end for top level.
inline size_t endOfPlace(const Design& d, int parent, int tab = 0) {
    if (parent < 0) return d.items.size();
    size_t i = indexOfNumber(d, parent) + 1;
    int seenTabs = -1;
    while (i < d.items.size()) {
        const Item& it = d.items[i];
        if (it.typ == kCloseRecord) return i;
        if (it.typ == kTabRecord) {
            if (seenTabs == tab) return i;
            ++seenTabs;
            ++i;
            continue;
        }
        i = runEndOf(d, i);
    }
    return i;
}

// A new gadget of type typ as the last child of parent (-1: top level); a
// parent brings its close record (a panel its first tab too).
inline Item& addGadget(Design& d, int typ, int parent = -1, int tab = 0) {
    const size_t at = endOfPlace(d, parent, tab);
    Item it = makeItem(typ);
    it.number = static_cast<int16_t>(d.takeNumber());
    std::vector<Item> run{it};
    if (typ == PanelGadget) run.push_back(makeTabRecord(0, "Panel 0"));
    if (isParentType(typ)) run.push_back(makeCloseRecord());
    d.items.insert(d.items.begin() + static_cast<std::ptrdiff_t>(at), run.begin(), run.end());
    d.recomputeNesting();
    return d.items[at];
}

// Removes gadget n with everything it holds; their numbers go to the pool
// unless `release` is false.
inline void removeGadget(Design& d, int n, bool release = true) {
    const size_t i = indexOfNumber(d, n), end = runEndOf(d, i);
    for (size_t k = i; k < end && release; ++k)
        if (d.items[k].isGadget()) d.releaseNumber(d.items[k].number);
    d.items.erase(d.items.begin() + static_cast<std::ptrdiff_t>(i),
                  d.items.begin() + static_cast<std::ptrdiff_t>(end));
    d.recomputeNesting();
}

// Moves gadget n (with what it holds) to the end of another place.
inline void moveGadget(Design& d, int n, int parent, int tab = 0) {
    const size_t i = indexOfNumber(d, n), end = runEndOf(d, i);
    std::vector<Item> run(d.items.begin() + static_cast<std::ptrdiff_t>(i),
                          d.items.begin() + static_cast<std::ptrdiff_t>(end));
    d.items.erase(d.items.begin() + static_cast<std::ptrdiff_t>(i),
                  d.items.begin() + static_cast<std::ptrdiff_t>(end));
    const size_t at = endOfPlace(d, parent, tab);
    d.items.insert(d.items.begin() + static_cast<std::ptrdiff_t>(at), run.begin(), run.end());
    d.recomputeNesting();
}

} // namespace zarnet::test
