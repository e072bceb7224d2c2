#include "designer/properties/font_table.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

constexpr int kExtended = 2;

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
            if (it.font == index || (it.tooltip == kExtended && it.tfont == index)) {
                used = true;
                break;
            }
            if (it.tooltip != kExtended) it.tfont = -1;
        }
        if (used) continue;
        if (f.loadedFont) freed.push_back(f.loadedFont);
        f.loadedFont = 0;
        f.gFontUsed = 0;
    }
    while (!d.fonts.empty() && !d.fonts.back().gFontUsed)
        d.fonts.pop_back();
    return freed;
}

namespace {

bool targetsHold(const FontTargets& t, size_t index) {
    return std::find(t.items.begin(), t.items.end(), index) != t.items.end();
}

} // namespace

bool fontInUse(const Design& d, int entry) {
    return entry >= 0 && static_cast<size_t>(entry) < d.fonts.size() &&
           d.fonts[static_cast<size_t>(entry)].gFontUsed != 0;
}

void forgetReleasedFonts(const Design& d, TypeDefaultsTable& types, TooltipDefaults& tooltips) {
    for (TypeDefaults& t : types)
        if (!fontInUse(d, t.font)) t.font = -1;
    if (!fontInUse(d, tooltips.tfont)) tooltips.tfont = -1;
}

int newFontEntry(Design& d, const FontChoice& choice) {
    auto free = std::find_if(d.fonts.begin(), d.fonts.end(),
                             [](const FontEntry& f) { return f.gFontUsed == 0; });
    if (free == d.fonts.end()) free = d.fonts.insert(d.fonts.end(), FontEntry{});
    *free = FontEntry{1, 0, choice.size, choice.name, choice.style};
    return static_cast<int>(free - d.fonts.begin());
}

Handle replaceFontEntry(Design& d, int entry, const FontChoice& choice) {
    if (!fontInUse(d, entry)) return 0;
    FontEntry& f = d.fonts[static_cast<size_t>(entry)];
    const Handle old = f.loadedFont;
    f = FontEntry{1, 0, choice.size, choice.name, choice.style};
    return old;
}

bool fontUsedElsewhere(const Design& d, int entry, const FontTargets& t, FontRole role) {
    for (size_t i = 0; i < d.items.size(); ++i) {
        const Item& it = d.items[i];
        if (!it.isGadget()) continue;
        if (!targetsHold(t, i)) {
            if (it.font == entry || it.tfont == entry) return true;
        } else if ((role == FontRole::Font ? it.tfont : it.font) == entry) {
            return true;
        }
    }
    return false;
}

void assignFont(Design& d, const FontTargets& t, int entry, TypeDefaultsTable& types) {
    for (size_t i : t.items) {
        if (i >= d.items.size() || !d.items[i].isGadget()) continue;
        Item& it = d.items[i];
        if (it.font != entry) noteEdit(d);
        it.font = entry;
        if (!t.group) types[static_cast<size_t>(it.typ)].font = entry;
    }
}

std::vector<Handle> removeFont(Design& d, const FontTargets& t) {
    for (size_t i : t.items) {
        if (i >= d.items.size() || !d.items[i].isGadget()) continue;
        if (d.items[i].font != -1) noteEdit(d);
        d.items[i].font = -1;
    }
    return releaseUnusedFonts(d);
}

FontRow fontRow(const Design& d, int entry) {
    FontRow row;
    row[0] = std::to_string(entry);
    if (entry < 0 || static_cast<size_t>(entry) >= d.fonts.size()) return row;
    const FontEntry& f = d.fonts[static_cast<size_t>(entry)];
    row[1] = f.gFontName;
    row[2] = std::to_string(f.gFontsize);
    static constexpr int kStyleBits[] = {256, 512, 4, 8};
    for (size_t i = 0; i < 4; ++i)
        if (f.gFontstyle & kStyleBits[i]) row[3 + i].push_back('x');
    return row;
}

std::vector<FontRow> fontRows(const Design& d) {
    std::vector<FontRow> rows;
    for (size_t e = 0; e < d.fonts.size(); ++e)
        if (d.fonts[e].gFontUsed) rows.push_back(fontRow(d, static_cast<int>(e)));
    return rows;
}

} // namespace zarnet::designer
