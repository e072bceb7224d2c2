// Operations every gadget shares; kind-specific parts go through KindOps.
#include "toolkit/gadgets.h"
#include "toolkit/images.h"

#include "toolkit/kinds.h"
#include "toolkit/state.h"
#include "toolkit/styles.h"

#include <array>
#include <vector>

namespace tk {
using namespace detail;

namespace detail {

const KindOps& opsOf(int kind) {
    static const std::array<KindOps, 30> table = [] {
        std::array<KindOps, 30> t{};
        registerButtons(t.data());
        registerInputs(t.data());
        registerRanges(t.data());
        registerLists(t.data());
        registerContainers(t.data());
        registerSplitter(t.data());
        registerExplorers(t.data());
        return t;
    }();
    return (kind >= 1 && kind <= 29) ? table[static_cast<size_t>(kind)] : table[0];
}

GadgetRec* createStyled(int requested, int kind, std::string_view text, uint32_t flags, int x,
                        int y, int w, int h) {
    ensureInitialised();
    const StyleSet st = stylesFor(kind, flags);
    GadgetRec* g = createControl(requested, kind, st.cls, text, st.style, st.exStyle, x, y, w, h);
    if (!g) return nullptr;
    g->flags = flags;
    if (st.listExStyle)
        SendMessageA(g->hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, st.listExStyle, st.listExStyle);
    return g;
}

} // namespace detail

namespace {

HWND tooltipOf(GadgetRec& g, bool create) {
    WindowRec* w = findWindow(g.window);
    if (!w) return nullptr;
    if (!w->tooltip && create) {
        w->tooltip =
            CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, w->hwnd, nullptr, instance(), nullptr);
        // Long texts wrap instead of running off the screen.
        if (w->tooltip) SendMessageA(w->tooltip, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    return w->tooltip;
}

TOOLINFOA toolInfo(GadgetRec& g, HWND part, const char* text) {
    TOOLINFOA ti{};
    // The small structure is understood by every common controls version.
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    // Not subclassed: a subclassed control looks up its subclass chain on
    // every message it gets, paint and all, which doubles what a design
    // full of tooltips costs to draw. The event loop relays the mouse
    // messages instead (relayToToolTip).
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = findWindow(g.window)->hwnd;
    ti.uId = reinterpret_cast<UINT_PTR>(part);
    ti.lpszText = const_cast<char*>(text);
    return ti;
}

// Registers the gadget's windows as tools of its window's tooltip, or
// updates their text, or removes them when `add` is false.
void setTools(GadgetRec& g, bool add) {
    HWND tip = tooltipOf(g, add);
    if (!tip) return;
    const UINT message = !add ? TTM_DELTOOLA : g.toolsAdded ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA;
    for (HWND part : {g.hwnd, g.aux}) {
        if (!part) continue;
        TOOLINFOA ti = toolInfo(g, part, g.tooltip.c_str());
        SendMessageA(tip, message, 0, reinterpret_cast<LPARAM>(&ti));
    }
    g.toolsAdded = add;
}

} // namespace

void detail::relayToToolTip(const MSG& msg) {
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        break;
    default:
        return;
    }
    // Pages and inner areas map to their gadget too, but only the gadget's
    // own windows are tools.
    GadgetRec* g = gadgetOfHandle(msg.hwnd);
    if (!g || g->tooltip.empty() || (msg.hwnd != g->hwnd && msg.hwnd != g->aux)) return;
    if (!g->toolsAdded) setTools(*g, true);
    if (HWND tip = tooltipOf(*g, false))
        SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

namespace {

bool isComboKind(int kind) {
    return kind == KindComboBox || kind == KindExplorerCombo;
}

// A splitter's two gadgets are part of it: they are hidden, disabled and
// freed with it, as if they lay inside it.
std::vector<int> splitterChildren(const GadgetRec& g) {
    if (g.kind != KindSplitter) return {};
    return {g.first, g.second};
}

} // namespace

void FreeGadget(int gadget) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    for (int child : splitterChildren(*g))
        FreeGadget(child);
    g = findGadget(gadget);
    if (!g) return;
    if (g->toolsAdded) setTools(*g, false);
    // With the XP look an image gadget keeps a copy of its picture, which
    // outlives the control unless it is handed back first.
    if (g->kind == KindImage) {
        SetGadgetImage(gadget, nullptr);
        g = findGadget(gadget);
        if (!g) return;
    }
    HWND hwnd = g->hwnd, aux = g->aux;
    forgetGadgetsUnder(hwnd);
    if (aux) {
        state().gadgetByHwnd.erase(aux);
        DestroyWindow(aux);
    }
    DestroyWindow(hwnd);
}

bool IsGadget(int gadget) {
    return findGadget(gadget) != nullptr;
}

HWND GadgetID(int gadget) {
    GadgetRec* g = findGadget(gadget);
    return g ? g->hwnd : nullptr;
}

int GadgetType(int gadget) {
    GadgetRec* g = findGadget(gadget);
    return g ? g->kind : 0;
}

int GadgetFromHandle(HWND hwnd) {
    GadgetRec* g = gadgetOfHandle(hwnd);
    return g ? g->number : -1;
}

HWND GadgetListHandle(int gadget, int tab) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return nullptr;
    if (g->kind == KindScrollArea) return g->inner;
    if (g->kind == KindPanel && tab >= 0 && tab < static_cast<int>(g->pages.size()))
        return g->pages[static_cast<size_t>(tab)];
    return g->hwnd;
}

int GadgetX(int gadget) {
    GadgetRec* g = findGadget(gadget);
    return g ? gadgetRect(*g).left : 0;
}

int GadgetY(int gadget) {
    GadgetRec* g = findGadget(gadget);
    return g ? gadgetRect(*g).top : 0;
}

int GadgetWidth(int gadget) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return 0;
    const RECT r = gadgetRect(*g);
    return r.right - r.left;
}

int GadgetHeight(int gadget) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return 0;
    const RECT r = gadgetRect(*g);
    return r.bottom - r.top;
}

RECT GadgetBounds(int gadget) {
    GadgetRec* g = findGadget(gadget);
    return g ? gadgetRect(*g) : RECT{};
}

void ResizeGadget(int gadget, int x, int y, int w, int h) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    const RECT r = gadgetRect(*g);
    int nh = h == -1 ? r.bottom - r.top : h;
    // A combo box's window height includes its drop-down list, which the
    // visible rectangle does not show: keep the height asked for.
    if (isComboKind(g->kind) && h == -1 && g->requestedHeight > 0) nh = g->requestedHeight;
    PlaceGadget(gadget, x == -1 ? r.left : x, y == -1 ? r.top : y, w == -1 ? r.right - r.left : w,
                nh);
}

void PlaceGadget(int gadget, int x, int y, int w, int h) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    if (isComboKind(g->kind)) g->requestedHeight = h;
    placeGadget(*g, x, y, w, h);
}

namespace {

// A gadget shows when neither it nor a splitter holding it is hidden.
void applyShown(GadgetRec& g, bool holderHidden) {
    const bool hide = g.hidden || holderHidden;
    ShowWindow(g.hwnd, hide ? SW_HIDE : SW_SHOWNA);
    if (g.aux) ShowWindow(g.aux, hide ? SW_HIDE : SW_SHOWNA);
    for (int child : splitterChildren(g))
        if (GadgetRec* c = findGadget(child)) applyShown(*c, hide);
}

bool holderHidden(const GadgetRec& g) {
    for (const auto& [n, other] : state().gadgets)
        if (other->kind == KindSplitter && (other->first == g.number || other->second == g.number))
            return !(GetWindowLongA(other->hwnd, GWL_STYLE) & WS_VISIBLE);
    return false;
}

} // namespace

void HideGadget(int gadget, bool hide) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    g->hidden = hide;
    applyShown(*g, holderHidden(*g));
}

bool GadgetHidden(int gadget) {
    GadgetRec* g = findGadget(gadget);
    return g && !(GetWindowLongA(g->hwnd, GWL_STYLE) & WS_VISIBLE);
}

namespace {

// A gadget takes input when neither it nor a splitter holding it is
// disabled: enabling a splitter leaves a gadget disabled by itself so.
void applyEnabled(GadgetRec& g, bool holderDisabled) {
    const bool off = g.disabled || holderDisabled;
    EnableWindow(g.hwnd, !off);
    if (g.aux) EnableWindow(g.aux, !off);
    for (int child : splitterChildren(g))
        if (GadgetRec* c = findGadget(child)) applyEnabled(*c, off);
}

bool holderDisabled(const GadgetRec& g) {
    for (const auto& [n, other] : state().gadgets)
        if (other->kind == KindSplitter && (other->first == g.number || other->second == g.number))
            return !IsWindowEnabled(other->hwnd);
    return false;
}

} // namespace

void DisableGadget(int gadget, bool disable) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    g->disabled = disable;
    applyEnabled(*g, holderDisabled(*g));
}

bool GadgetDisabled(int gadget) {
    GadgetRec* g = findGadget(gadget);
    return g && !IsWindowEnabled(g->hwnd);
}

void SetGadgetText(int gadget, std::string_view text) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    if (auto op = opsOf(g->kind).setText)
        op(*g, text);
    else
        SetWindowTextA(g->hwnd, std::string(text).c_str());
}

std::string GetGadgetText(int gadget) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return {};
    if (auto op = opsOf(g->kind).getText) return op(*g);
    return windowText(g->hwnd);
}

void SetGadgetState(int gadget, int64_t value) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    if (auto op = opsOf(g->kind).setState) op(*g, value);
}

int64_t GetGadgetState(int gadget) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return 0;
    auto op = opsOf(g->kind).getState;
    return op ? op(*g) : 0;
}

int AddGadgetItem(int gadget, int pos, std::string_view text, HBITMAP image, int flags) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return -1;
    auto op = opsOf(g->kind).addItem;
    return op ? op(*g, pos, text, image, flags) : -1;
}

void RemoveGadgetItem(int gadget, int pos) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    if (auto op = opsOf(g->kind).removeItem) op(*g, pos);
}

void ClearGadgetItems(int gadget) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    if (auto op = opsOf(g->kind).clearItems) op(*g);
}

int CountGadgetItems(int gadget) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return 0;
    auto op = opsOf(g->kind).countItems;
    return op ? op(*g) : 0;
}

std::string GetGadgetItemText(int gadget, int item, int column) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return {};
    auto op = opsOf(g->kind).getItemText;
    return op ? op(*g, item, column) : std::string();
}

void SetGadgetItemText(int gadget, int item, std::string_view text, int column) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    if (auto op = opsOf(g->kind).setItemText) op(*g, item, text, column);
}

int64_t GetGadgetItemState(int gadget, int item) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return 0;
    auto op = opsOf(g->kind).getItemState;
    return op ? op(*g, item) : 0;
}

void SetGadgetItemState(int gadget, int item, int64_t value) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    if (auto op = opsOf(g->kind).setItemState) op(*g, item, value);
}

void AddGadgetColumn(int gadget, int pos, std::string_view title, int width) {
    GadgetRec* g = findGadget(gadget);
    if (g && (g->kind == KindListIcon || g->kind == KindExplorerList))
        listViewInsertColumn(g->hwnd, pos, title, width);
}

int64_t GetGadgetItemAttribute(int gadget, int item, int attribute, int column) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return 0;
    auto op = opsOf(g->kind).getItemAttribute;
    return op ? op(*g, item, attribute, column) : 0;
}

void SetGadgetItemAttribute(int gadget, int item, int attribute, int64_t value, int column) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    if (auto op = opsOf(g->kind).setItemAttribute) op(*g, item, attribute, value, column);
}

void SetGadgetAttribute(int gadget, int attribute, int64_t value) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    if (auto op = opsOf(g->kind).setAttribute) op(*g, attribute, value);
}

int64_t GetGadgetAttribute(int gadget, int attribute) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return 0;
    auto op = opsOf(g->kind).getAttribute;
    return op ? op(*g, attribute) : 0;
}

void GadgetToolTip(int gadget, std::string_view text) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    g->tooltip = std::string(text);
    // The tooltip learns of a gadget when the pointer first comes onto it
    // (relayToToolTip): a design of a thousand gadgets with tips would
    // otherwise spend a good part of its opening registering them.
    if (g->toolsAdded) setTools(*g, !g->tooltip.empty());
}

std::string GetGadgetToolTip(int gadget) {
    GadgetRec* g = findGadget(gadget);
    return g ? g->tooltip : std::string();
}

void SetGadgetFont(int gadget, HFONT font) {
    State& s = state();
    if (gadget == PB_Default) {
        s.defaultFont = font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        return;
    }
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    g->font = font;
    SendMessageA(g->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : s.defaultFont), TRUE);
}

HFONT GetGadgetFont(int gadget) {
    if (gadget == PB_Default) return state().defaultFont;
    GadgetRec* g = findGadget(gadget);
    if (!g) return nullptr;
    HFONT f = reinterpret_cast<HFONT>(SendMessageA(g->hwnd, WM_GETFONT, 0, 0));
    return f ? f : state().defaultFont;
}

void SetGadgetColor(int gadget, int which, int32_t colour) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return;
    const COLORREF c = static_cast<COLORREF>(colour);
    if (which == PB_Gadget_FrontColor) {
        g->front = colour;
    } else if (which == PB_Gadget_BackColor) {
        g->back = colour;
        if (g->backBrush) DeleteObject(g->backBrush);
        g->backBrush = colour == -1 ? nullptr : CreateSolidBrush(c);
    } else {
        return;
    }
    // Controls that paint their own colours are told directly.
    const bool front = which == PB_Gadget_FrontColor;
    switch (g->kind) {
    case KindListIcon:
    case KindExplorerList:
        if (front) {
            SendMessageA(g->hwnd, LVM_SETTEXTCOLOR, 0, colour == -1 ? CLR_DEFAULT : c);
        } else {
            SendMessageA(g->hwnd, LVM_SETBKCOLOR, 0, colour == -1 ? CLR_DEFAULT : c);
            SendMessageA(g->hwnd, LVM_SETTEXTBKCOLOR, 0, colour == -1 ? CLR_DEFAULT : c);
        }
        break;
    case KindTree:
    case KindExplorerTree:
        SendMessageA(g->hwnd, front ? TVM_SETTEXTCOLOR : TVM_SETBKCOLOR, 0,
                     colour == -1 ? static_cast<LPARAM>(-1) : static_cast<LPARAM>(c));
        break;
    case KindProgressBar:
        SendMessageA(g->hwnd, front ? PBM_SETBARCOLOR : PBM_SETBKCOLOR, 0,
                     colour == -1 ? CLR_DEFAULT : c);
        break;
    default:
        break;
    }
    InvalidateRect(g->hwnd, nullptr, TRUE);
}

int32_t GetGadgetColor(int gadget, int which) {
    GadgetRec* g = findGadget(gadget);
    if (!g) return -1;
    return which == PB_Gadget_FrontColor ? g->front : which == PB_Gadget_BackColor ? g->back : -1;
}

void SetGadgetData(int gadget, intptr_t value) {
    if (GadgetRec* g = findGadget(gadget)) g->data = value;
}

intptr_t GetGadgetData(int gadget) {
    GadgetRec* g = findGadget(gadget);
    return g ? g->data : 0;
}

} // namespace tk
