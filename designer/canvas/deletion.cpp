#include "designer/canvas/deletion.h"

#include "designer/canvas/live_gadget.h"
#include "designer/canvas/placement.h"
#include "designer/properties/font_table.h"
#include "document/catalogue.h"
#include "toolkit/toolkit.h"

#include <algorithm>

namespace zarnet::designer {

Deletion deleteItems(Design& d, const WorkingList& w) {
    Deletion result;
    if (w.items.empty() || w.allSplitterChildren) return result;
    if (w.items.size() == 1 && d.items[w.items.front()].insplitter == 1) return result;
    result.lastParent = d.items[w.items.back()].parent;
    // From the end of the list, so earlier indexes stay valid; a splitter
    // comes after its children and is freed before them.
    std::vector<size_t> order = w.items;
    std::sort(order.rbegin(), order.rend());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    for (size_t index : order) {
        if (index >= d.items.size()) continue;
        const auto run = deletionRun(d.items, index);
        if (!run) continue;
        for (size_t i = run->first; i < run->end; ++i)
            if (d.items[i].typ == SplitterGadget) freeLiveGadget(d.items[i]);
        for (size_t i = run->first; i < run->end; ++i)
            if (d.items[i].isGadget()) freeLiveGadget(d.items[i]);
        removeRun(d, *run);
        result.any = true;
    }
    // Splitter links by index are stale now; find them again by gadget.
    for (Item& it : d.items) {
        if (it.typ != SplitterGadget) continue;
        it.firstitem = itemOfGadget(d, it.firstgadget);
        it.seconditem = itemOfGadget(d, it.secondgadget);
    }
    for (Handle font : releaseUnusedFonts(d)) tk::FreeFont(static_cast<int>(font));
    return result;
}

} // namespace zarnet::designer
