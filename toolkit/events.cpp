#include "toolkit/events.h"

#include "toolkit/kinds.h"
#include "toolkit/seams.h"
#include "toolkit/state.h"

#include <algorithm>

namespace tk {
using namespace detail;

namespace detail {

namespace {

LRESULT colourControl(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, GadgetRec& g) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (g.kind == KindFrame3D && g.front == -1 && g.back == -1) {
        // Captionless frames are see-through: the gadgets inside stay visible.
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    LRESULT brush = DefWindowProcA(hwnd, msg, wParam, lParam);
    if (g.front != -1) SetTextColor(dc, static_cast<COLORREF>(g.front));
    if (g.back != -1 && g.backBrush) {
        SetBkColor(dc, static_cast<COLORREF>(g.back));
        brush = reinterpret_cast<LRESULT>(g.backBrush);
    } else if (g.kind == KindHyperLink) {
        SetBkMode(dc, TRANSPARENT);
    }
    return brush;
}

} // namespace

bool handleParentMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (msg) {
    case WM_COMMAND: {
        if (lParam == 0) return false;
        HWND from = reinterpret_cast<HWND>(lParam);
        GadgetRec* g = gadgetOfHandle(from);
        if (!g) return false;
        if (auto op = opsOf(g->kind).command) op(*g, from, HIWORD(wParam));
        *result = 0;
        return true;
    }
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        GadgetRec* g = hdr ? gadgetOfHandle(hdr->hwndFrom) : nullptr;
        if (!g) return false;
        auto op = opsOf(g->kind).notify;
        return op && op(*g, hdr, result);
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        if (lParam == 0) return false;
        HWND from = reinterpret_cast<HWND>(lParam);
        GadgetRec* g = gadgetOfHandle(from);
        if (!g) return false;
        if (auto op = opsOf(g->kind).scroll) op(*g, from, msg, wParam);
        *result = 0;
        return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
        GadgetRec* g = gadgetOfHandle(reinterpret_cast<HWND>(lParam));
        if (!g) return false;
        *result = colourControl(hwnd, msg, wParam, lParam, *g);
        return true;
    }
    case WM_SETCURSOR: {
        GadgetRec* g = gadgetOfHandle(reinterpret_cast<HWND>(wParam));
        if (!g || g->kind != KindHyperLink || LOWORD(lParam) != HTCLIENT) return false;
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        *result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

} // namespace detail

namespace {

bool ownsHandle(HWND hwnd) {
    return hwnd && windowOfHandle(hwnd) != nullptr;
}

bool opensWindowMenu(const Event& e) {
    const int command = e.menu & 0xFFF0;
    return e.code == PB_Event_SysCommand && (command == SC_KEYMENU || command == SC_MOUSEMENU);
}

// TAB in a window that moves the focus with it, as a dialog does.
bool tabKey(MSG& msg) {
    const bool tab =
        ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_TAB) ||
        (msg.message == WM_CHAR && msg.wParam == '\t');
    if (!tab || !msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    const WindowRec* w = windowOfHandle(root);
    return w && w->tabKeys && detail::moveFocusByTab(root, msg);
}

int take() {
    State& s = state();
    s.current = s.events.front();
    s.events.pop_front();
    return s.current.code;
}

} // namespace

int WindowEvent() {
    State& s = state();
    if (!s.events.empty()) return take();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for whoever runs the outer loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return 0;
        }
        if (tabKey(msg)) continue;
        relayToToolTip(msg);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (!s.events.empty()) {
            // A system menu or menu bar that this message opened has been
            // tracked to its end inside the dispatch.
            if (std::any_of(s.events.begin(), s.events.end(), opensWindowMenu)) releaseMenuKeys();
            return take();
        }
        if (ownsHandle(msg.hwnd)) {
            Event e;
            e.code = static_cast<int>(msg.message);
            e.window = windowOfHandle(msg.hwnd)->number;
            if (GadgetRec* g = gadgetOfHandle(msg.hwnd)) e.gadget = g->number;
            e.wParam = msg.wParam;
            e.lParam = msg.lParam;
            s.current = e;
            return e.code;
        }
    }
    // A message sent from elsewhere (a button clicked by another program)
    // is handled inside PeekMessage, which then reports nothing posted: its
    // event is returned now, not on the next message.
    if (!s.events.empty()) return take();
    s.current = Event{};
    return 0;
}

void DrainEvents() {
    while (WindowEvent() != 0) {
    }
}

int WaitWindowEvent(int timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (const int e = WindowEvent()) return e;
        DWORD wait = INFINITE;
        if (timeout >= 0) {
            const DWORD spent = GetTickCount() - start;
            if (spent >= static_cast<DWORD>(timeout)) return 0;
            wait = static_cast<DWORD>(timeout) - spent;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
}

int EventWindow() {
    return state().current.window;
}
int EventGadget() {
    return state().current.gadget;
}
int EventMenu() {
    return state().current.menu;
}
int EventType() {
    return state().current.type;
}
WPARAM EventwParam() {
    return state().current.wParam;
}
LPARAM EventlParam() {
    return state().current.lParam;
}

void SetWindowCallback(WindowCallback callback, int window) {
    if (window == PB_All) {
        state().globalCallback = callback;
    } else if (WindowRec* w = findWindow(window)) {
        w->callback = callback;
    }
}

} // namespace tk
