// Containers, scroll areas and panels: gadgets that hold a gadget list.
#include "toolkit/gadgets.h"

#include "toolkit/kinds.h"
#include "toolkit/state.h"

#include <algorithm>

namespace tk {
using namespace detail;

namespace detail {

// Child controls report to their parent; the toolkit's events and the
// program's callback live with the top-level window, so boxes pass these on.
bool forwardToTop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam == 0) return false;
        break;
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        break;
    default:
        return false;
    }
    HWND top = GetAncestor(hwnd, GA_ROOT);
    if (!top || top == hwnd) return false;
    *result = SendMessageA(top, msg, wParam, lParam);
    return true;
}

} // namespace detail

namespace {

bool paintBackground(HWND hwnd, HDC dc) {
    GadgetRec* g = gadgetOfHandle(hwnd);
    if (!g || !g->backBrush) return false;
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, g->backBrush);
    return true;
}

// ---- scroll area ----

int scrollLimit(int inner, int page) {
    return std::max(inner - page, 0);
}

void moveInner(GadgetRec& g) {
    const int x = GetScrollPos(g.hwnd, SB_HORZ), y = GetScrollPos(g.hwnd, SB_VERT);
    const RECT want{-x, -y, -x + std::max(g.innerW, 0), -y + std::max(g.innerH, 0)};
    if (EqualRect(&want, &g.innerRect)) return;
    g.innerRect = want;
    SetWindowPos(g.inner, nullptr, want.left, want.top, want.right - want.left,
                 want.bottom - want.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void scrollTo(GadgetRec& g, int bar, int pos) {
    RECT client;
    GetClientRect(g.hwnd, &client);
    const int limit =
        bar == SB_HORZ ? scrollLimit(g.innerW, client.right) : scrollLimit(g.innerH, client.bottom);
    SetScrollPos(g.hwnd, bar, std::clamp(pos, 0, limit), TRUE);
    moveInner(g);
}

void scrollAreaScroll(HWND hwnd, UINT msg, WPARAM wParam) {
    GadgetRec* g = gadgetOfHandle(hwnd);
    if (!g) return;
    const int bar = msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(hwnd, bar, &si);
    int pos = si.nPos;
    const int page = std::max<int>(static_cast<int>(si.nPage), 1);
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        pos -= g->step;
        break;
    case SB_LINEDOWN:
        pos += g->step;
        break;
    case SB_PAGEUP:
        pos -= page;
        break;
    case SB_PAGEDOWN:
        pos += page;
        break;
    case SB_THUMBTRACK:
        pos = si.nTrackPos;
        break;
    case SB_THUMBPOSITION:
        pos = HIWORD(wParam);
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = si.nMax;
        break;
    default:
        return;
    }
    scrollTo(*g, bar, pos);
    pushGadgetEvent(*g, PB_EventType_Change);
}

int64_t scrollAreaAttribute(GadgetRec& g, int a) {
    switch (a) {
    case PB_ScrollArea_InnerWidth:
        return g.innerW;
    case PB_ScrollArea_InnerHeight:
        return g.innerH;
    case PB_ScrollArea_X:
        return GetScrollPos(g.hwnd, SB_HORZ);
    case PB_ScrollArea_Y:
        return GetScrollPos(g.hwnd, SB_VERT);
    case PB_ScrollArea_ScrollStep:
        return g.step;
    default:
        return 0;
    }
}

void setScrollAreaAttribute(GadgetRec& g, int a, int64_t v) {
    const int n = static_cast<int>(std::clamp<int64_t>(v, 0, INT32_MAX));
    switch (a) {
    case PB_ScrollArea_InnerWidth:
        g.innerW = n;
        scrollAreaUpdate(g);
        break;
    case PB_ScrollArea_InnerHeight:
        g.innerH = n;
        scrollAreaUpdate(g);
        break;
    case PB_ScrollArea_X:
        scrollTo(g, SB_HORZ, n);
        break;
    case PB_ScrollArea_Y:
        scrollTo(g, SB_VERT, n);
        break;
    case PB_ScrollArea_ScrollStep:
        g.step = std::max(n, 1);
        break;
    default:
        break;
    }
}

// ---- panel ----

RECT pageArea(GadgetRec& g) {
    RECT r;
    GetClientRect(g.hwnd, &r);
    SendMessageA(g.hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

void layoutPages(GadgetRec& g) {
    const RECT r = pageArea(g);
    if (EqualRect(&r, &g.pageRect)) return;
    g.pageRect = r;
    for (HWND page : g.pages)
        SetWindowPos(page, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK panelSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    LRESULT result = 0;
    if (forwardToTop(hwnd, msg, wParam, lParam, &result)) return result;
    if (msg == WM_SIZE) {
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (GadgetRec* g = gadgetOfHandle(hwnd)) {
            layoutPages(*g);
            notifyCallback(hwnd, msg, wParam, lParam);
        }
        return r;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, panelSubclass, 0);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

int panelCount(GadgetRec& g) {
    return static_cast<int>(g.pages.size());
}

int panelAdd(GadgetRec& g, int pos, std::string_view text, HBITMAP, int) {
    const int count = panelCount(g);
    const int at = pos < 0 || pos > count ? count : pos;
    std::string t(text);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = t.data();
    if (SendMessageA(g.hwnd, TCM_INSERTITEMA, static_cast<WPARAM>(at),
                     reinterpret_cast<LPARAM>(&item)) < 0)
        return -1;
    int current = static_cast<int>(SendMessageA(g.hwnd, TCM_GETCURSEL, 0, 0));
    if (current < 0) {
        current = 0;
        SendMessageA(g.hwnd, TCM_SETCURSEL, 0, 0);
    }
    // The page is made where it belongs and shown only when its tab is current.
    const RECT r = pageArea(g);
    HWND page = CreateWindowExA(
        WS_EX_CONTROLPARENT, kBoxClass, "", WS_CHILD | (current == at ? WS_VISIBLE : 0), r.left,
        r.top, r.right - r.left, r.bottom - r.top, g.hwnd, nullptr, instance(), nullptr);
    if (!page) {
        SendMessageA(g.hwnd, TCM_DELETEITEM, static_cast<WPARAM>(at), 0);
        return -1;
    }
    mapHandle(page, g.number);
    g.pages.insert(g.pages.begin() + at, page);
    if (g.pages.size() == 1) g.pageRect = r;
    layoutPages(g);
    panelShowPage(g, current);
    // While the panel's own list is open, its newest tab becomes current.
    auto& lists = state().lists;
    if (lists.size() > 1 && lists.back().gadget == g.number) {
        lists.back().container = page;
        lists.back().tab = at;
    }
    return at;
}

void panelRemove(GadgetRec& g, int pos) {
    if (pos < 0 || pos >= panelCount(g)) return;
    HWND page = g.pages[static_cast<size_t>(pos)];
    forgetGadgetsUnder(page);
    state().gadgetByHwnd.erase(page);
    DestroyWindow(page);
    g.pages.erase(g.pages.begin() + pos);
    SendMessageA(g.hwnd, TCM_DELETEITEM, static_cast<WPARAM>(pos), 0);
    int current = static_cast<int>(SendMessageA(g.hwnd, TCM_GETCURSEL, 0, 0));
    if (current < 0 && !g.pages.empty()) {
        current = std::min(pos, panelCount(g) - 1);
        SendMessageA(g.hwnd, TCM_SETCURSEL, static_cast<WPARAM>(current), 0);
    }
    panelShowPage(g, current);
}

void panelClear(GadgetRec& g) {
    while (!g.pages.empty())
        panelRemove(g, panelCount(g) - 1);
}

std::string panelItem(GadgetRec& g, int item, int) {
    std::string buf(512, '\0');
    TCITEMA it{};
    it.mask = TCIF_TEXT;
    it.pszText = buf.data();
    it.cchTextMax = static_cast<int>(buf.size());
    if (!SendMessageA(g.hwnd, TCM_GETITEMA, static_cast<WPARAM>(item),
                      reinterpret_cast<LPARAM>(&it)))
        return {};
    return std::string(it.pszText);
}

void setPanelItem(GadgetRec& g, int item, std::string_view text, int) {
    std::string t(text);
    TCITEMA it{};
    it.mask = TCIF_TEXT;
    it.pszText = t.data();
    SendMessageA(g.hwnd, TCM_SETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}

int64_t panelState(GadgetRec& g) {
    return static_cast<int>(SendMessageA(g.hwnd, TCM_GETCURSEL, 0, 0));
}

void setPanelState(GadgetRec& g, int64_t v) {
    if (v < 0 || v >= panelCount(g)) return;
    SendMessageA(g.hwnd, TCM_SETCURSEL, static_cast<WPARAM>(v), 0);
    panelShowPage(g, static_cast<int>(v));
}

bool panelNotify(GadgetRec& g, NMHDR* hdr, LRESULT*) {
    if (hdr->code == static_cast<UINT>(TCN_SELCHANGE)) {
        panelShowPage(g, static_cast<int>(panelState(g)));
        pushGadgetEvent(g, PB_EventType_Change);
    }
    return false;
}

} // namespace

namespace detail {

LRESULT CALLBACK boxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (forwardToTop(hwnd, msg, wParam, lParam, &result)) return result;
    switch (msg) {
    case WM_SIZE: {
        // Only a container gadget itself reports its size; pages and inner
        // areas are parts of their gadget.
        GadgetRec* g = gadgetOfHandle(hwnd);
        if (g && g->hwnd == hwnd) notifyCallback(hwnd, msg, wParam, lParam);
        break;
    }
    case WM_ERASEBKGND:
        if (paintBackground(hwnd, reinterpret_cast<HDC>(wParam))) return 1;
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void scrollAreaUpdate(GadgetRec& g) {
    // Showing or hiding a bar resizes the client area and sends WM_SIZE,
    // which lands here again: the running update settles it instead.
    if (g.updating) return;
    g.updating = true;
    RECT client;
    GetClientRect(g.hwnd, &client);
    for (int pass = 0; pass < 3; ++pass) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE};
        si.nMin = 0;
        si.nMax = std::max(g.innerW - 1, 0);
        si.nPage = static_cast<UINT>(std::max<LONG>(client.right, 0));
        SetScrollInfo(g.hwnd, SB_HORZ, &si, TRUE);
        si.nMax = std::max(g.innerH - 1, 0);
        si.nPage = static_cast<UINT>(std::max<LONG>(client.bottom, 0));
        SetScrollInfo(g.hwnd, SB_VERT, &si, TRUE);
        RECT now;
        GetClientRect(g.hwnd, &now);
        if (EqualRect(&now, &client)) break;
        client = now;
    }
    moveInner(g);
    g.updating = false;
}

LRESULT CALLBACK scrollAreaProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam == 0) {
            scrollAreaScroll(hwnd, msg, wParam);
            return 0;
        }
        break;
    case WM_MOUSEWHEEL:
        if (GadgetRec* g = gadgetOfHandle(hwnd)) {
            const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            scrollTo(*g, SB_VERT, GetScrollPos(hwnd, SB_VERT) - notches * 3 * g->step);
            return 0;
        }
        break;
    case WM_SIZE:
        if (GadgetRec* g = gadgetOfHandle(hwnd); g && g->inner) {
            scrollAreaUpdate(*g);
            notifyCallback(hwnd, msg, wParam, lParam);
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void panelShowPage(GadgetRec& g, int tab) {
    for (size_t i = 0; i < g.pages.size(); ++i) {
        const bool show = static_cast<int>(i) == tab;
        if (show != ((GetWindowLongA(g.pages[i], GWL_STYLE) & WS_VISIBLE) != 0))
            ShowWindow(g.pages[i], show ? SW_SHOWNA : SW_HIDE);
    }
}

} // namespace detail

void detail::registerContainers(KindOps* t) {
    t[KindScrollArea].getAttribute = scrollAreaAttribute;
    t[KindScrollArea].setAttribute = setScrollAreaAttribute;
    KindOps& p = t[KindPanel];
    p.addItem = panelAdd;
    p.removeItem = panelRemove;
    p.clearItems = panelClear;
    p.countItems = panelCount;
    p.getItemText = panelItem;
    p.setItemText = setPanelItem;
    p.getState = panelState;
    p.setState = setPanelState;
    p.notify = panelNotify;
}

int ContainerGadget(int gadget, int x, int y, int w, int h, uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindContainer, {}, flags, x, y, w, h);
    if (g) pushList({g->hwnd, g->number, -1});
    return constructed(gadget, g);
}

int ScrollAreaGadget(int gadget, int x, int y, int w, int h, int innerWidth, int innerHeight,
                     int scrollStep, uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindScrollArea, {}, flags, x, y, w, h);
    if (!g) return 0;
    g->innerW = std::max(innerWidth, 0);
    g->innerH = std::max(innerHeight, 0);
    g->step = std::max(scrollStep, 1);
    g->inner = CreateWindowExA(WS_EX_CONTROLPARENT, kBoxClass, "", WS_CHILD | WS_VISIBLE, 0, 0,
                               g->innerW, g->innerH, g->hwnd, nullptr, instance(), nullptr);
    g->innerRect = RECT{0, 0, g->innerW, g->innerH};
    if (!g->inner) {
        const int number = g->number;
        FreeGadget(number);
        return 0;
    }
    mapHandle(g->inner, g->number);
    scrollAreaUpdate(*g);
    pushList({g->inner, g->number, -1});
    return constructed(gadget, g);
}

int PanelGadget(int gadget, int x, int y, int w, int h) {
    GadgetRec* g = createStyled(gadget, KindPanel, {}, 0, x, y, w, h);
    if (!g) return 0;
    SetWindowSubclass(g->hwnd, panelSubclass, 0, 0);
    // The panel's list is open at once; each added tab becomes its current page.
    pushList({g->hwnd, g->number, -1});
    return constructed(gadget, g);
}

} // namespace tk
