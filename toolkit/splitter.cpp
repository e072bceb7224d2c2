// The splitter: adopts two existing gadgets and lays them out side by side
// (vertical flag) or one above the other, with a draggable separator.
#include "toolkit/gadgets.h"

#include "toolkit/kinds.h"
#include "toolkit/state.h"
#include "toolkit/windows.h"

#include <algorithm>

namespace tk {
using namespace detail;

namespace {

constexpr int kSeparator = 7;

bool sideBySide(const GadgetRec& g) { return g.flags & PB_Splitter_Vertical; }

int spanOf(const GadgetRec& g) {
    RECT r;
    GetClientRect(g.hwnd, &r);
    return sideBySide(g) ? r.right : r.bottom;
}

int clampPosition(const GadgetRec& g, int pos, int span) {
    const int high = span - kSeparator - g.minSecond;
    return std::max(std::min(pos, high), g.minFirst);
}

RECT separatorRect(const GadgetRec& g) {
    RECT r;
    GetClientRect(g.hwnd, &r);
    if (sideBySide(g)) {
        r.left = g.position;
        r.right = g.position + kSeparator;
    } else {
        r.top = g.position;
        r.bottom = g.position + kSeparator;
    }
    return r;
}

void adopt(GadgetRec& splitter, int child) {
    GadgetRec* c = findGadget(child);
    if (!c) return;
    SetParent(c->hwnd, splitter.hwnd);
    if (c->aux) SetParent(c->aux, splitter.hwnd);
}

bool holdsList(HWND child, HWND list) { return child == list || IsChild(child, list); }

int64_t splitterState(GadgetRec& g) { return g.position; }

void setSplitterState(GadgetRec& g, int64_t v) {
    g.position = static_cast<int>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2));
    splitterLayout(g);
}

int64_t splitterAttribute(GadgetRec& g, int a) {
    switch (a) {
    case PB_Splitter_FirstMinimumSize: return g.minFirst;
    case PB_Splitter_SecondMinimumSize: return g.minSecond;
    case PB_Splitter_FirstGadget: return g.first;
    case PB_Splitter_SecondGadget: return g.second;
    default: return 0;
    }
}

void setSplitterAttribute(GadgetRec& g, int a, int64_t v) {
    const int n = static_cast<int>(std::clamp<int64_t>(v, 0, INT32_MAX / 4));
    if (a == PB_Splitter_FirstMinimumSize) g.minFirst = n;
    else if (a == PB_Splitter_SecondMinimumSize) g.minSecond = n;
    else return;
    splitterLayout(g);
}

void drag(GadgetRec& g, int mouse) {
    const int pos = clampPosition(g, mouse - g.dragOffset, spanOf(g));
    if (pos == g.position) return;
    g.position = pos;
    splitterLayout(g);
    UpdateWindow(g.hwnd);
    pushGadgetEvent(g, PB_EventType_Change);
}

} // namespace

namespace detail {

void splitterLayout(GadgetRec& g) {
    RECT r;
    GetClientRect(g.hwnd, &r);
    const int span = sideBySide(g) ? r.right : r.bottom;
    g.position = clampPosition(g, g.position, span);
    g.span = span;
    const int across = sideBySide(g) ? r.bottom : r.right;
    const int rest = std::max(span - g.position - kSeparator, 0);
    if (GadgetRec* a = findGadget(g.first)) {
        sideBySide(g) ? placeGadget(*a, 0, 0, g.position, across) : placeGadget(*a, 0, 0, across, g.position);
    }
    if (GadgetRec* b = findGadget(g.second)) {
        const int at = g.position + kSeparator;
        sideBySide(g) ? placeGadget(*b, at, 0, rest, across) : placeGadget(*b, 0, at, across, rest);
    }
    InvalidateRect(g.hwnd, nullptr, TRUE);
}

LRESULT CALLBACK splitterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (forwardToTop(hwnd, msg, wParam, lParam, &result)) return result;
    GadgetRec* g = gadgetOfHandle(hwnd);
    if (!g) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const int mouse = sideBySide(*g) ? static_cast<short>(LOWORD(lParam)) : static_cast<short>(HIWORD(lParam));
    switch (msg) {
    case WM_SIZE: {
        const int span = spanOf(*g);
        // The fixed side keeps its size; otherwise the separator keeps its
        // place in proportion.
        if (g->span > 0 && span != g->span) {
            if (g->flags & PB_Splitter_SecondFixed)
                g->position = span - (g->span - g->position);
            else if (!(g->flags & PB_Splitter_FirstFixed))
                g->position = static_cast<int>(static_cast<long long>(g->position) * span / g->span);
        }
        splitterLayout(*g);
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
            RECT sep = separatorRect(*g);
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
    if (!a || !b || first == second || !list || holdsList(a->hwnd, list) || holdsList(b->hwnd, list))
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
