#include "toolkit/fonts.h"

#include "toolkit/state.h"

#include <algorithm>
#include <string>

namespace tk {
using namespace detail;

int LoadFont(int font, std::string_view name, int size, uint32_t style) {
    State& s = state();
    if (font != PB_Any && s.fonts.count(font)) FreeFont(font);
    const int number = takeNumber(font);
    if (number < 0) return 0;
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    // Face names longer than the platform allows are cut, not overrun.
    const std::string face(name.substr(0, LF_FACESIZE - 1));
    const int points = std::clamp(size, 0, 4096);
    HFONT h = CreateFontA(
        -MulDiv(points, dpi, 72), 0, 0, 0, (style & PB_Font_Bold) ? FW_BOLD : FW_NORMAL,
        (style & PB_Font_Italic) != 0, (style & PB_Font_Underline) != 0,
        (style & PB_Font_StrikeOut) != 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        (style & PB_Font_HighQuality) ? ANTIALIASED_QUALITY : DEFAULT_QUALITY,
        DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    if (!h) return 0;
    auto rec = std::make_unique<FontRec>();
    rec->number = number;
    rec->handle = h;
    s.fonts[number] = std::move(rec);
    return font == PB_Any ? number : 1;
}

bool IsFont(int font) {
    return state().fonts.count(font) != 0;
}

HFONT FontID(int font) {
    auto& m = state().fonts;
    auto it = m.find(font);
    return it == m.end() ? nullptr : it->second->handle;
}

void FreeFont(int font) {
    State& s = state();
    auto it = s.fonts.find(font);
    if (it == s.fonts.end()) return;
    const HFONT dying = it->second->handle;
    // No gadget may go on drawing with a deleted font: its users get the
    // default font back first, as SetGadgetFont(gadget, 0) gives it.
    for (auto& [number, g] : s.gadgets)
        if (g->font == dying ||
            reinterpret_cast<HFONT>(SendMessageA(g->hwnd, WM_GETFONT, 0, 0)) == dying) {
            g->font = nullptr;
            SendMessageA(g->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(s.defaultFont), FALSE);
        }
    if (s.defaultFont == dying)
        s.defaultFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    DeleteObject(dying);
    s.fonts.erase(it);
}

} // namespace tk
