#include "designer/properties/font_list.h"

#include "toolkit/toolkit.h"

#include <cstdlib>

namespace zarnet::designer {

int fontListGadget(int x, int y, int w, int h, const Design& d) {
    const int list = tk::ListIconGadget(tk::PB_Any, x, y, w, h, "ID", 30,
                                        tk::PB_ListIcon_FullRowSelect |
                                            tk::PB_ListIcon_GridLines |
                                            tk::PB_ListIcon_AlwaysShowSelection);
    if (!list) return 0;
    tk::AddGadgetColumn(list, 1, "Font name", 225);
    tk::AddGadgetColumn(list, 2, "height", 50);
    tk::AddGadgetColumn(list, 3, "F", 20);
    tk::AddGadgetColumn(list, 4, "I", 20);
    tk::AddGadgetColumn(list, 5, "U", 20);
    tk::AddGadgetColumn(list, 6, "S", 20);
    for (const FontRow& row : fontRows(d)) {
        std::string text;
        for (size_t c = 0; c < row.size(); ++c) text += (c ? "\n" : "") + row[c];
        tk::AddGadgetItem(list, -1, text);
    }
    return list;
}

int fontRowEntry(int list, int row) {
    if (row < 0 || row >= tk::CountGadgetItems(list)) return -1;
    const std::string id = tk::GetGadgetItemText(list, row, 0);
    return id.empty() ? -1 : std::atoi(id.c_str());
}

void selectFontRow(int list, int entry) {
    for (int row = 0, n = tk::CountGadgetItems(list); row < n; ++row)
        if (fontRowEntry(list, row) == entry) {
            tk::SetGadgetState(list, row);
            return;
        }
    tk::SetGadgetState(list, -1);
}

void showFontRow(int list, const Design& d, int entry, bool newRow) {
    const FontRow row = fontRow(d, entry);
    int at = -1;
    for (int r = 0, n = tk::CountGadgetItems(list); r < n && !newRow; ++r)
        if (fontRowEntry(list, r) == entry) at = r;
    if (at < 0) {
        std::string text;
        for (size_t c = 0; c < row.size(); ++c) text += (c ? "\n" : "") + row[c];
        tk::AddGadgetItem(list, -1, text);
    } else {
        for (size_t c = 0; c < row.size(); ++c)
            tk::SetGadgetItemText(list, at, row[c], static_cast<int>(c));
    }
    selectFontRow(list, entry);
}

bool loadFontEntry(Design& d, int entry) {
    if (entry < 0 || static_cast<size_t>(entry) >= d.fonts.size()) return false;
    FontEntry& f = d.fonts[static_cast<size_t>(entry)];
    const int font = tk::LoadFont(tk::PB_Any, f.gFontName, f.gFontsize,
                                  static_cast<uint32_t>(f.gFontstyle));
    f.loadedFont = static_cast<Handle>(font > 0 ? font : 0);
    return f.loadedFont != 0;
}

void freeFonts(const std::vector<Handle>& fonts) {
    for (Handle f : fonts)
        if (f) tk::FreeFont(number(f));
}

void releaseFonts(EditorHost& host) {
    if (!host.design) return;
    freeFonts(releaseUnusedFonts(*host.design));
    if (host.typeDefaults && host.tooltipDefaults)
        forgetReleasedFonts(*host.design, *host.typeDefaults, *host.tooltipDefaults);
}

std::optional<FontChosen> chooseFont(Design& d, FontEditorState& s, const FontTargets& t) {
    std::string name;
    int size = 0;
    uint32_t style = 0;
    if (s.current >= 0 && static_cast<size_t>(s.current) < d.fonts.size()) {
        const FontEntry& f = d.fonts[static_cast<size_t>(s.current)];
        name = f.gFontName;
        size = f.gFontsize;
        style = static_cast<uint32_t>(f.gFontstyle);
    }
    const auto picked = tk::FontRequester(name, size, style);
    if (!picked) return std::nullopt;
    constexpr uint32_t kStyles =
        tk::PB_Font_Bold | tk::PB_Font_Italic | tk::PB_Font_Underline | tk::PB_Font_StrikeOut;
    const FontChosen c =
        fontChosen(d, s, t, {picked->name, picked->size, static_cast<int>(picked->style & kStyles)});
    loadFontEntry(d, c.entry);
    return c;
}

} // namespace zarnet::designer
