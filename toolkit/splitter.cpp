// The splitter: adopts two existing gadgets and lays them out side by side
// (vertical flag) or one above the other, with a draggable separator.
//
// The two gadgets stay where they were created (the splitter's own gadget
// list): reparenting windows is dear, and it would change what their
// coordinates are relative to. The splitter window covers the whole area,
// but its window region is the separator bar alone, so it is hit and
// painted only there while the two gadgets occupy the rest.
#include "toolkit/gadgets.h"

#include "toolkit/kinds.h"
#include "toolkit/state.h"
#include "toolkit/windows.h"

#include <algorithm>

namespace tk {
using namespace detail;

namespace {

constexpr int kSeparator = 7;

bool sideBySide(const GadgetRec& g) {
    return g.flags & PB_Splitter_Vertical;
}

RECT areaInParent(const GadgetRec& g) {
    RECT r;
    GetWindowRect(g.hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(g.hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int spanOf(const GadgetRec& g) {
    RECT r;
    GetClientRect(g.hwnd, &r);
    return sideBySide(g) ? r.right : r.bottom;
}

int clampPosition(const GadgetRec& g, int pos, int span) {
    const int high = span - kSeparator - g.minSecond;
    return std::max(std::min(pos, high), g.minFirst);
}

bool holdsList(HWND child, HWND list) {
    return child == list || IsChild(child, list);
}

// A child from another list moves into the splitter's; normally both are
// in the same one already.
void adopt(GadgetRec& splitter, int child) {
    GadgetRec* c = findGadget(child);
    HWND parent = GetParent(splitter.hwnd);
    if (!c || GetParent(c->hwnd) == parent) return;
    SetParent(c->hwnd, parent);
    if (c->aux) SetParent(c->aux, parent);
    c->parent = parent;
}

int64_t splitterState(GadgetRec& g) {
    return g.position;
}

void setSplitterState(GadgetRec& g, int64_t v) {
    g.position = static_cast<int>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2));
    splitterLayout(g);
}

int64_t splitterAttribute(GadgetRec& g, int a) {
    switch (a) {
    case PB_Splitter_FirstMinimumSize:
        return g.minFirst;
    case PB_Splitter_SecondMinimumSize:
        return g.minSecond;
    case PB_Splitter_FirstGadget:
        return g.first;
    case PB_Splitter_SecondGadget:
        return g.second;
    default:
        return 0;
    }
}

void setSplitterAttribute(GadgetRec& g, int a, int64_t v) {
    const int n = static_cast<int>(std::clamp<int64_t>(v, 0, INT32_MAX / 4));
    if (a == PB_Splitter_FirstMinimumSize)
        g.minFirst = n;
    else if (a == PB_Splitter_SecondMinimumSize)
        g.minSecond = n;
    else
        return;
    splitterLayout(g);
}

void drag(GadgetRec& g, int mouse) {
    const int pos = clampPosition(g, mouse - g.dragOffset, spanOf(g));
    if (pos == g.position) return;
    g.position = pos;
    splitterLayout(g);
    pushGadgetEvent(g, PB_EventType_Change);
}

// After a move or resize: the fixed side keeps its size, otherwise the
// separator keeps its place in proportion.
void followResize(GadgetRec& g) {
    const int span = spanOf(g);
    if (g.span > 0 && span != g.span) {
        if (g.flags & PB_Splitter_SecondFixed)
            g.position = span - (g.span - g.position);
        else if (!(g.flags & PB_Splitter_FirstFixed))
            g.position = static_cast<int>(static_cast<long long>(g.position) * span / g.span);
    }
    splitterLayout(g);
}

} // namespace

namespace detail {

void splitterLayout(GadgetRec& g) {
    const RECT area = areaInParent(g);
    const int w = area.right - area.left, h = area.bottom - area.top;
    const int span = sideBySide(g) ? w : h;
    g.position = clampPosition(g, g.position, span);
    g.span = span;
    const int across = sideBySide(g) ? h : w;
    const int pos = std::max(g.position, 0);
    const int at = pos + kSeparator;
    const int rest = std::max(span - at, 0);
    const RECT strip = sideBySide(g) ? RECT{pos, 0, at, across} : RECT{0, pos, across, at};
    if (!EqualRect(&strip, &g.stripRect)) {
        g.stripRect = strip;
        SetWindowRgn(g.hwnd, CreateRectRgnIndirect(&strip), TRUE);
    }
    const RECT first = sideBySide(g) ? RECT{0, 0, pos, across} : RECT{0, 0, across, pos};
    const RECT second =
        sideBySide(g) ? RECT{at, 0, at + rest, across} : RECT{0, at, across, at + rest};
    RECT a = first, b = second;
    OffsetRect(&a, area.left, area.top);
    OffsetRect(&b, area.left, area.top);
    // Moving windows is dear; a layout that changes nothing moves nothing.
    if (EqualRect(&a, &g.firstRect) && EqualRect(&b, &g.secondRect)) return;
    g.firstRect = a;
    g.secondRect = b;
    if (GadgetRec* c = findGadget(g.first))
        placeGadget(*c, a.left, a.top, a.right - a.left, a.bottom - a.top);
    if (GadgetRec* c = findGadget(g.second))
        placeGadget(*c, b.left, b.top, b.right - b.left, b.bottom - b.top);
}

LRESULT CALLBACK splitterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    GadgetRec* g = gadgetOfHandle(hwnd);
    if (!g) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const int mouse =
        sideBySide(*g) ? static_cast<short>(LOWORD(lParam)) : static_cast<short>(HIWORD(lParam));
    switch (msg) {
    case WM_WINDOWPOSCHANGED: {
        const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((wp->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) followResize(*g);
        break;
    }
    case WM_LBUTTONDOWN:
        g->dragging = true;
        g->dragOffset = mouse - g->position;
        SetCapture(hwnd);
        return 0;
    case WM_MOUSEMOVE:
        if (g->dragging) drag(*g, mouse);
        return 0;
    case WM_LBUTTONUP:
        if (g->dragging) ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        g->dragging = false;
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursor(nullptr, sideBySide(*g) ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (g->flags & PB_Splitter_Separator) {
            RECT sep = g->stripRect;
            DrawEdge(dc, &sep, EDGE_RAISED, BF_RECT);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace detail

void detail::registerSplitter(KindOps* t) {
    t[KindSplitter].getState = splitterState;
    t[KindSplitter].setState = setSplitterState;
    t[KindSplitter].getAttribute = splitterAttribute;
    t[KindSplitter].setAttribute = setSplitterAttribute;
}

int SplitterGadget(int gadget, int x, int y, int w, int h, int first, int second, uint32_t flags) {
    GadgetRec* a = findGadget(first);
    GadgetRec* b = findGadget(second);
    HWND list = CurrentGadgetListHandle();
    // Adopting the list's own holder would make a window its own ancestor.
    if (!a || !b || first == second || !list || holdsList(a->hwnd, list) ||
        holdsList(b->hwnd, list))
        return 0;
    // An explicit number naming a child would free that child first.
    if (gadget == first || gadget == second) return 0;
    GadgetRec* g = createStyled(gadget, KindSplitter, {}, flags, x, y, w, h);
    if (!g) return 0;
    g->first = first;
    g->second = second;
    adopt(*g, first);
    adopt(*g, second);
    g->position = (spanOf(*g) - kSeparator) / 2;
    splitterLayout(*g);
    return constructed(gadget, g);
}

} // namespace tk
