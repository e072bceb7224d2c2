// Clipboard data from anywhere: a block the reader takes pastes into a
// design with a panel, at top level and on a tab, and the list stays sound;
// what it took copies back to a block it takes again.
#include "designer/clipboard/clip.h"
#include "document/catalogue.h"
#include "document/renumber.h"

#include <algorithm>
#include <cstdlib>

using namespace zarnet;
using namespace zarnet::designer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto clip = readClip({data, size});
    if (!clip) return 0;
    Design d;
    d.fonts.push_back({1, 0, 9, "Arial", 0});
    for (Item it : {makeItem(ButtonGadget), makeItem(PanelGadget), makeTabRecord(0, "Panel 0"),
                    makeCloseRecord()}) {
        if (it.isGadget()) it.number = static_cast<int16_t>(d.takeNumber());
        d.items.push_back(std::move(it));
    }
    d.recomputeNesting();
    const size_t gadgets = static_cast<size_t>(std::count_if(
        clip->items.begin(), clip->items.end(), [](const Item& it) { return it.isGadget(); }));
    for (PasteTarget t : {PasteTarget{-1, 0}, PasteTarget{1, 0}}) {
        // Refused only when the numbers left cannot take every gadget.
        const bool room = roomForNumbers(d, gadgets);
        const auto pasted = pasteClip(d, *clip, t, {7, 7});
        if (bool(pasted) != room || checkInvariants(d)) std::abort();
    }
    std::vector<size_t> roots = clipRoots(*clip);
    if (!readClip(copyToClip(*clip, roots))) std::abort();
    return 0;
}
