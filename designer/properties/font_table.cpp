#include "designer/properties/font_table.h"

namespace zarnet::designer {

namespace {

constexpr int kExtendedTooltip = 2;

} // namespace

std::vector<Handle> releaseUnusedFonts(Design& d) {
    std::vector<Handle> freed;
    for (size_t e = 0; e < d.fonts.size(); ++e) {
        FontEntry& f = d.fonts[e];
        if (!f.gFontUsed) continue;
        const int index = static_cast<int>(e);
        bool used = false;
        for (Item& it : d.items) {
            if (!it.isGadget()) continue;
            if (it.font == index || (it.tooltip == kExtendedTooltip && it.tfont == index)) {
                used = true;
                break;
            }
            if (it.tooltip != kExtendedTooltip) it.tfont = -1;
        }
        if (used) continue;
        if (f.loadedFont) freed.push_back(f.loadedFont);
        f.loadedFont = 0;
        f.gFontUsed = 0;
    }
    while (!d.fonts.empty() && !d.fonts.back().gFontUsed) d.fonts.pop_back();
    return freed;
}

} // namespace zarnet::designer
