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
    // Numbers go back to the pool in the working list's order; the runs are
    // then removed from the end of the list, so earlier indexes stay valid.
    std::vector<Run> runs;
    for (size_t index : w.items) {
        const auto run = deletionRun(d.items, index);
        if (!run) continue;
        runs.push_back(*run);
        for (size_t i = run->first; i < run->end; ++i)
            if (d.items[i].isGadget()) d.releaseNumber(d.items[i].number);
    }
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.first > b.first; });
    for (const Run& run : runs) {
        // A splitter frees its two children with it.
        for (size_t i = run.first; i < run.end; ++i)
            if (d.items[i].typ == SplitterGadget) freeLiveGadget(d.items[i]);
        for (size_t i = run.first; i < run.end; ++i)
            if (d.items[i].isGadget()) freeLiveGadget(d.items[i]);
        d.items.erase(d.items.begin() + static_cast<std::ptrdiff_t>(run.first),
                      d.items.begin() + static_cast<std::ptrdiff_t>(run.end));
        result.any = true;
    }
    if (result.any) noteEdit(d);
    resetNumberingWhenEmpty(d);
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
