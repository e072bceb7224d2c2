#include "runtime/tooltips.h"

#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

#include <commctrl.h>

#include <string>

namespace zarnet {

HWND ApiToolTip(HWND ghandle, std::string_view ttext, uint32_t tfcolor, uint32_t tbcolor,
                HFONT tfont, int ttime, int twidth, int tballoon) {
    // Owned by the gadget's top-level window, so it goes away with it.
    HWND owner = ghandle ? GetAncestor(ghandle, GA_ROOT) : nullptr;
    if (!owner) owner = tk::WindowID(tk::CurrentWindow());
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const DWORD style = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | (tballoon == 1 ? TTS_BALLOON : 0);
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, style, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               instance, nullptr);
    if (!tip) return nullptr;
    SendMessageA(tip, TTM_SETDELAYTIME, TTDT_INITIAL, static_cast<LPARAM>(ttime));
    SendMessageA(tip, TTM_SETTIPBKCOLOR, tbcolor, 0);
    SendMessageA(tip, TTM_SETTIPTEXTCOLOR, tfcolor, 0);
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, twidth);
    if (tfont) SendMessageA(tip, WM_SETFONT, reinterpret_cast<WPARAM>(tfont), 0);

    const std::string text(ttext);
    TOOLINFOA ti = {};
    // The full structure (48 bytes on 32-bit Windows) is refused by the
    // common controls before version 6, which would leave programs in the
    // classic style without their tips; this size is accepted by all.
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
    ti.hwnd = ghandle;
    ti.uId = reinterpret_cast<UINT_PTR>(ghandle);
    ti.hinst = instance;
    ti.lpszText = const_cast<char*>(text.c_str()); // copied by the tooltip
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    return tip;
}

void applyExtendedTooltip(Runtime& rt) {
    const ZarnContent& v = rt.ZarnValue;
    // An index naming no loaded font of the current table gives no font,
    // like a negative one.
    ApiToolTip(tk::GadgetID(v.id), v.tooltipText, v.tfcolor, v.tbcolor, rt.fontOfIndex(v.tfont),
               v.ttime, v.twidth, v.tballoon);
}

} // namespace zarnet
