#include "toolkit/windows.h"

#include "toolkit/kinds.h"
#include "toolkit/state.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tk {
using namespace detail;

namespace {

constexpr DWORD kWindowStyles = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER | WS_DLGFRAME |
                                WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

WindowRec* recOf(HWND hwnd) {
    return reinterpret_cast<WindowRec*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* rec = static_cast<WindowRec*>(cs->lpCreateParams);
        rec->hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(rec));
        state().windowByHwnd[hwnd] = rec->number;
    }
    WindowRec* win = recOf(hwnd);
    if (!win) return DefWindowProcA(hwnd, msg, wParam, lParam);

    // The program's callback sees the message first and may take it over.
    if (WindowCallback cb = win->callback ? win->callback : state().globalCallback) {
        const LRESULT r = cb(hwnd, msg, wParam, lParam);
        if (r != PB_ProcessPureBasicEvents) return r;
        win = recOf(hwnd); // the callback may have closed the window
        if (!win) return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (handleParentMessage(hwnd, msg, wParam, lParam, &result)) return result;

    Event e;
    e.window = win->number;
    e.wParam = wParam;
    e.lParam = lParam;
    switch (msg) {
    case WM_CLOSE:
        // Closing is the program's decision: it gets the event instead.
        e.code = PB_Event_CloseWindow;
        pushEvent(e);
        return 0;
    case WM_SYSCOMMAND:
        e.code = PB_Event_SysCommand;
        e.menu = static_cast<int>(wParam & 0xFFFF);
        pushEvent(e);
        // Commands of the program's own system menu entries stop here; the
        // system's own (move, size, close ...) still run.
        if ((wParam & 0xFFF0) < SC_SIZE) return 0;
        break;
    case WM_COMMAND:
        if (lParam == 0) {
            e.code = PB_Event_Menu;
            e.menu = LOWORD(wParam);
            pushEvent(e);
            return 0;
        }
        break;
    case WM_SIZE:
        e.code = PB_Event_SizeWindow;
        pushEvent(e);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            e.code = PB_Event_ActivateWindow;
            pushEvent(e);
        }
        break;
    case WM_NCDESTROY:
        state().windowByHwnd.erase(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Each window has a class of its own so that a program may change one
// window's class background (the designer's grid) without touching others.
// A closed window's class is kept for the next window: registering one
// costs more than the rest of opening a small window.
std::vector<std::string>& spareClasses() {
    static std::vector<std::string> spare;
    return spare;
}

// The program's own icon (resource 1) when it carries one, else the system's.
HICON programIcon() {
    HICON own = LoadIconA(instance(), MAKEINTRESOURCEA(1));
    return own ? own : LoadIcon(nullptr, IDI_APPLICATION);
}

std::string registerWindowClass(bool* reused) {
    *reused = false;
    if (!spareClasses().empty()) {
        std::string name = std::move(spareClasses().back());
        spareClasses().pop_back();
        *reused = true;
        return name;
    }
    static unsigned counter = 0;
    std::string name = "ZarnetWindow" + std::to_string(++counter);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = programIcon();
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name.c_str();
    if (!RegisterClassExA(&wc)) return {};
    return name;
}

// A kept class starts again as a new one would.
void resetClass(HWND hwnd) {
    SetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND, static_cast<LONG_PTR>(COLOR_BTNFACE + 1));
    SetClassLongPtrA(hwnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursor(nullptr, IDC_ARROW)));
    SetClassLongPtrA(hwnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(programIcon()));
}

} // namespace

int OpenWindow(int window, int x, int y, int innerWidth, int innerHeight, std::string_view title,
               uint32_t flags, HWND parent) {
    ensureInitialised();
    State& s = state();
    if (window != PB_Any && findWindow(window)) CloseWindow(window);
    const int number = takeNumber(window);
    if (number < 0) return 0;

    DWORD style = flags & kWindowStyles;
    // Overlapped windows always get a caption; saying so keeps the client
    // size computation right.
    if (!(style & WS_POPUP)) style |= WS_CAPTION;
    const DWORD ex = (flags & PB_Window_Tool) ? WS_EX_TOOLWINDOW : 0;
    RECT r{0, 0, std::max(innerWidth, 0), std::max(innerHeight, 0)};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    const int outerW = r.right - r.left, outerH = r.bottom - r.top;
    if (flags & PB_Window_ScreenCentered) {
        x = (GetSystemMetrics(SM_CXSCREEN) - outerW) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - outerH) / 2;
    } else if ((flags & PB_Window_WindowCentered) && parent) {
        RECT pr;
        GetWindowRect(parent, &pr);
        x = pr.left + (pr.right - pr.left - outerW) / 2;
        y = pr.top + (pr.bottom - pr.top - outerH) / 2;
    }

    auto rec = std::make_unique<WindowRec>();
    rec->number = number;
    bool reused = false;
    rec->className = registerWindowClass(&reused);
    if (rec->className.empty()) return 0;
    WindowRec* w = rec.get();
    s.windows[number] = std::move(rec);
    const std::string caption(title);
    HWND hwnd = CreateWindowExA(ex, w->className.c_str(), caption.c_str(), style, x, y, outerW,
                                outerH, parent, nullptr, instance(), w);
    if (!hwnd) {
        spareClasses().push_back(w->className);
        s.windows.erase(number);
        return 0;
    }
    if (reused) resetClass(hwnd);
    if (!(flags & PB_Window_NoGadgets)) UseGadgetList(hwnd);
    s.currentWindow = number;
    if (!(flags & PB_Window_Invisible)) {
        ShowWindow(hwnd, (flags & PB_Window_Maximize)   ? SW_SHOWMAXIMIZED
                         : (flags & PB_Window_Minimize) ? SW_SHOWMINIMIZED
                                                        : SW_SHOW);
        UpdateWindow(hwnd);
    }
    return window == PB_Any ? number : 1;
}

void CloseWindow(int window) {
    WindowRec* w = findWindow(window);
    if (!w) return;
    State& s = state();
    HWND hwnd = w->hwnd;
    const std::string cls = w->className;
    forgetGadgetsUnder(hwnd);
    if (!s.lists.empty() && s.lists.front().container == hwnd) s.lists.clear();
    if (s.currentWindow == window) s.currentWindow = -1;
    DestroyWindow(hwnd);
    // What it still had queued must not reach a window opened later under
    // the same number.
    std::erase_if(s.events, [window](const Event& e) { return e.window == window; });
    s.windowByHwnd.erase(hwnd);
    s.windows.erase(window);
    spareClasses().push_back(cls);
}

bool IsWindow(int window) {
    return findWindow(window) != nullptr;
}

HWND WindowID(int window) {
    WindowRec* w = findWindow(window);
    return w ? w->hwnd : nullptr;
}

int WindowFromHandle(HWND hwnd) {
    auto& m = state().windowByHwnd;
    auto it = m.find(hwnd);
    return it == m.end() ? -1 : it->second;
}

void HideWindow(int window, bool hide) {
    if (WindowRec* w = findWindow(window)) ShowWindow(w->hwnd, hide ? SW_HIDE : SW_SHOW);
}

void DisableWindow(int window, bool disable) {
    if (WindowRec* w = findWindow(window)) EnableWindow(w->hwnd, !disable);
}

void UseWindow(int window) {
    if (findWindow(window)) state().currentWindow = window;
}

int CurrentWindow() {
    return state().currentWindow;
}

int GetActiveWindow() {
    return WindowFromHandle(GetForegroundWindow());
}

void SetActiveWindow(int window) {
    if (WindowRec* w = findWindow(window)) {
        SetForegroundWindow(w->hwnd);
        ::SetActiveWindow(w->hwnd);
    }
}

namespace {

// The frame around a window's client area, from its styles (a minimized
// window's own rectangles say nothing about its restored frame).
SIZE frameOf(HWND hwnd) {
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)),
                       GetMenu(hwnd) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)));
    return {r.right - r.left, r.bottom - r.top};
}

// Outer and client rectangle of the window as the user will see it: a
// minimized window reports its restored place and size, not the icon's.
struct Geometry {
    RECT outer{};
    SIZE client{};
};

Geometry geometryOf(HWND hwnd) {
    Geometry g;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (IsIconic(hwnd) && GetWindowPlacement(hwnd, &wp)) {
        g.outer = wp.rcNormalPosition;
        const SIZE frame = frameOf(hwnd);
        g.client = {std::max(0L, (g.outer.right - g.outer.left) - frame.cx),
                    std::max(0L, (g.outer.bottom - g.outer.top) - frame.cy)};
        return g;
    }
    RECT client{};
    GetWindowRect(hwnd, &g.outer);
    GetClientRect(hwnd, &client);
    g.client = {client.right, client.bottom};
    return g;
}

Geometry geometryOf(int window) {
    WindowRec* w = findWindow(window);
    return w ? geometryOf(w->hwnd) : Geometry{};
}

} // namespace

int WindowX(int window) {
    return geometryOf(window).outer.left;
}
int WindowY(int window) {
    return geometryOf(window).outer.top;
}
int WindowWidth(int window) {
    return geometryOf(window).client.cx;
}
int WindowHeight(int window) {
    return geometryOf(window).client.cy;
}

void ResizeWindow(int window, int x, int y, int innerWidth, int innerHeight) {
    WindowRec* w = findWindow(window);
    if (!w) return;
    const Geometry g = geometryOf(w->hwnd);
    // The frame around the client area stays what it is.
    const int frameW = (g.outer.right - g.outer.left) - g.client.cx;
    const int frameH = (g.outer.bottom - g.outer.top) - g.client.cy;
    const int nx = x == -1 ? g.outer.left : x;
    const int ny = y == -1 ? g.outer.top : y;
    const int nw = innerWidth == -1 ? g.client.cx : innerWidth;
    const int nh = innerHeight == -1 ? g.client.cy : innerHeight;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (IsIconic(w->hwnd) && GetWindowPlacement(w->hwnd, &wp)) {
        // A minimized window takes the new place and size when restored.
        wp.rcNormalPosition = {nx, ny, nx + nw + frameW, ny + nh + frameH};
        wp.showCmd = SW_SHOWMINNOACTIVE;
        SetWindowPlacement(w->hwnd, &wp);
        return;
    }
    SetWindowPos(w->hwnd, nullptr, nx, ny, nw + frameW, nh + frameH, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetWindowTitle(int window, std::string_view title) {
    if (WindowRec* w = findWindow(window)) SetWindowTextA(w->hwnd, std::string(title).c_str());
}

void KeyboardNavigation(int window, bool on) {
    if (WindowRec* w = findWindow(window)) w->tabKeys = on;
}

std::string GetWindowTitle(int window) {
    WindowRec* w = findWindow(window);
    return w ? windowText(w->hwnd) : std::string();
}

bool UseGadgetList(HWND window) {
    const int number = WindowFromHandle(window);
    if (number < 0) return false;
    State& s = state();
    s.lists.clear();
    s.lists.push_back({window, -1, -1});
    s.listWindow = number;
    s.currentWindow = number;
    return true;
}

void OpenGadgetList(int gadget, int item) {
    GadgetRec* g = findGadget(gadget);
    if (!g || state().lists.empty()) return;
    switch (g->kind) {
    case KindContainer:
        pushList({g->hwnd, gadget, -1});
        break;
    case KindScrollArea:
        pushList({g->inner, gadget, -1});
        break;
    case KindPanel: {
        const int tab =
            item >= 0 ? item : static_cast<int>(SendMessageA(g->hwnd, TCM_GETCURSEL, 0, 0));
        if (tab >= 0 && tab < static_cast<int>(g->pages.size()))
            pushList({g->pages[static_cast<size_t>(tab)], gadget, tab});
        else if (g->pages.empty())
            pushList({g->hwnd, gadget, -1});
        break;
    }
    default:
        break;
    }
}

void CloseGadgetList() {
    State& s = state();
    if (s.lists.size() > 1) s.lists.pop_back();
}

HWND CurrentGadgetListHandle() {
    const State& s = state();
    return s.lists.empty() ? nullptr : s.lists.back().container;
}

} // namespace tk
