// Progress bars, track bars and scroll bars: a value within a range.
#include "toolkit/gadgets.h"

#include "toolkit/kinds.h"
#include "toolkit/state.h"

#include <algorithm>

namespace tk {
using namespace detail;

namespace {

// ---- progress bar ----

int64_t progressState(GadgetRec& g) {
    return static_cast<int32_t>(SendMessageA(g.hwnd, PBM_GETPOS, 0, 0));
}
void setProgressState(GadgetRec& g, int64_t v) {
    SendMessageA(g.hwnd, PBM_SETPOS, static_cast<WPARAM>(v), 0);
}
int64_t progressAttribute(GadgetRec& g, int a) {
    if (a != PB_Minimum && a != PB_Maximum) return 0;
    return static_cast<int32_t>(SendMessageA(g.hwnd, PBM_GETRANGE, a == PB_Minimum, 0));
}
void setProgressAttribute(GadgetRec& g, int a, int64_t v) {
    if (a != PB_Minimum && a != PB_Maximum) return;
    const auto lo = static_cast<int32_t>(a == PB_Minimum ? v : progressAttribute(g, PB_Minimum));
    const auto hi = static_cast<int32_t>(a == PB_Maximum ? v : progressAttribute(g, PB_Maximum));
    SendMessageA(g.hwnd, PBM_SETRANGE32, static_cast<WPARAM>(lo), hi);
}

// ---- track bar ----

int64_t trackState(GadgetRec& g) {
    return static_cast<int32_t>(SendMessageA(g.hwnd, TBM_GETPOS, 0, 0));
}
void setTrackState(GadgetRec& g, int64_t v) {
    SendMessageA(g.hwnd, TBM_SETPOS, TRUE, static_cast<LPARAM>(v));
}
int64_t trackAttribute(GadgetRec& g, int a) {
    if (a == PB_Minimum) return static_cast<int32_t>(SendMessageA(g.hwnd, TBM_GETRANGEMIN, 0, 0));
    if (a == PB_Maximum) return static_cast<int32_t>(SendMessageA(g.hwnd, TBM_GETRANGEMAX, 0, 0));
    return 0;
}
void setTrackAttribute(GadgetRec& g, int a, int64_t v) {
    if (a == PB_Minimum)
        SendMessageA(g.hwnd, TBM_SETRANGEMIN, TRUE, static_cast<LPARAM>(v));
    else if (a == PB_Maximum)
        SendMessageA(g.hwnd, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(v));
}
void trackScroll(GadgetRec& g, HWND, UINT, WPARAM wParam) {
    if (LOWORD(wParam) != TB_ENDTRACK) pushGadgetEvent(g, PB_EventType_Change);
}

// ---- scroll bar: the control does not move its own thumb ----

SCROLLINFO scrollInfo(HWND h) {
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(h, SB_CTL, &si);
    return si;
}
int64_t scrollBarState(GadgetRec& g) {
    return scrollInfo(g.hwnd).nPos;
}
void setScrollBarState(GadgetRec& g, int64_t v) {
    SCROLLINFO si{sizeof si, SIF_POS};
    si.nPos = static_cast<int>(v);
    SetScrollInfo(g.hwnd, SB_CTL, &si, TRUE);
}
int64_t scrollBarAttribute(GadgetRec& g, int a) {
    const SCROLLINFO si = scrollInfo(g.hwnd);
    if (a == PB_Minimum) return si.nMin;
    if (a == PB_Maximum) return si.nMax;
    if (a == PB_ScrollBar_PageLength) return si.nPage;
    return 0;
}
void setScrollBarAttribute(GadgetRec& g, int a, int64_t v) {
    SCROLLINFO si = scrollInfo(g.hwnd);
    si.fMask = SIF_RANGE | SIF_PAGE;
    if (a == PB_Minimum)
        si.nMin = static_cast<int>(v);
    else if (a == PB_Maximum)
        si.nMax = static_cast<int>(v);
    else if (a == PB_ScrollBar_PageLength)
        si.nPage = static_cast<UINT>(std::max<int64_t>(v, 0));
    else
        return;
    SetScrollInfo(g.hwnd, SB_CTL, &si, TRUE);
}
void scrollBarScroll(GadgetRec& g, HWND, UINT, WPARAM wParam) {
    SCROLLINFO si = scrollInfo(g.hwnd);
    const int page = std::max<int>(static_cast<int>(si.nPage), 1);
    const int top = si.nMax - std::max(page - 1, 0);
    int pos = si.nPos;
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        pos -= 1;
        break;
    case SB_LINEDOWN:
        pos += 1;
        break;
    case SB_PAGEUP:
        pos -= page;
        break;
    case SB_PAGEDOWN:
        pos += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = si.nTrackPos;
        break;
    case SB_TOP:
        pos = si.nMin;
        break;
    case SB_BOTTOM:
        pos = top;
        break;
    default:
        return;
    }
    pos = std::clamp(pos, si.nMin, std::max(si.nMin, top));
    if (pos == si.nPos) return;
    setScrollBarState(g, pos);
    pushGadgetEvent(g, PB_EventType_Change);
}

} // namespace

void detail::registerRanges(KindOps* t) {
    t[KindProgressBar].getState = progressState;
    t[KindProgressBar].setState = setProgressState;
    t[KindProgressBar].getAttribute = progressAttribute;
    t[KindProgressBar].setAttribute = setProgressAttribute;
    t[KindTrackBar].getState = trackState;
    t[KindTrackBar].setState = setTrackState;
    t[KindTrackBar].getAttribute = trackAttribute;
    t[KindTrackBar].setAttribute = setTrackAttribute;
    t[KindTrackBar].scroll = trackScroll;
    t[KindScrollBar].getState = scrollBarState;
    t[KindScrollBar].setState = setScrollBarState;
    t[KindScrollBar].getAttribute = scrollBarAttribute;
    t[KindScrollBar].setAttribute = setScrollBarAttribute;
    t[KindScrollBar].scroll = scrollBarScroll;
}

int ProgressBarGadget(int gadget, int x, int y, int w, int h, int minimum, int maximum,
                      uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindProgressBar, {}, flags, x, y, w, h);
    if (g) SendMessageA(g->hwnd, PBM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
    return constructed(gadget, g);
}

int TrackBarGadget(int gadget, int x, int y, int w, int h, int minimum, int maximum,
                   uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindTrackBar, {}, flags, x, y, w, h);
    if (g) {
        SendMessageA(g->hwnd, TBM_SETRANGEMIN, FALSE, minimum);
        SendMessageA(g->hwnd, TBM_SETRANGEMAX, TRUE, maximum);
        if (flags & PB_TrackBar_Ticks) SendMessageA(g->hwnd, TBM_SETTICFREQ, 1, 0);
    }
    return constructed(gadget, g);
}

int ScrollBarGadget(int gadget, int x, int y, int w, int h, int minimum, int maximum,
                    int pageLength, uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindScrollBar, {}, flags, x, y, w, h);
    if (g) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS};
        si.nMin = minimum;
        si.nMax = maximum;
        si.nPage = static_cast<UINT>(std::max(pageLength, 0));
        si.nPos = minimum;
        SetScrollInfo(g->hwnd, SB_CTL, &si, TRUE);
    }
    return constructed(gadget, g);
}

} // namespace tk
