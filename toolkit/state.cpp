#include "toolkit/state.h"

#include "toolkit/images.h"
#include "toolkit/kinds.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <unordered_set>

namespace tk::detail {

State& state() {
    static State s;
    return s;
}

HINSTANCE instance() {
    return GetModuleHandleA(nullptr);
}

void ensureInitialised() {
    static bool done = false;
    if (done) return;
    done = true;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                             ICC_INTERNET_CLASSES | ICC_TAB_CLASSES |
                                             ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    // The browser control and the explorer gadgets' shell calls need COM on
    // this thread; a failure only means the web gadget falls back.
    OleInitialize(nullptr);

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = boxProc;
    wc.lpszClassName = kBoxClass;
    RegisterClassExA(&wc);
    wc.lpfnWndProc = scrollAreaProc;
    wc.lpszClassName = kScrollAreaClass;
    RegisterClassExA(&wc);
    wc.lpfnWndProc = splitterProc;
    wc.lpszClassName = kSplitterClass;
    wc.hCursor = nullptr; // the splitter picks its cursor over the separator
    RegisterClassExA(&wc);

    state().defaultFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int takeNumber(int requested) {
    State& s = state();
    if (requested == PB_Any) {
        // Numbers only grow: a stale number never names a newer object.
        if (s.nextAny == INT32_MAX) return -1;
        return s.nextAny++;
    }
    return (requested >= 0 && requested <= kMaxStaticNumber) ? requested : -1;
}

WindowRec* findWindow(int window) {
    auto& m = state().windows;
    auto it = m.find(window);
    return it == m.end() ? nullptr : it->second.get();
}

WindowRec* windowOfHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    auto& m = state().windowByHwnd;
    auto it = m.find(root ? root : hwnd);
    return it == m.end() ? nullptr : findWindow(it->second);
}

GadgetRec* findGadget(int gadget) {
    auto& m = state().gadgets;
    auto it = m.find(gadget);
    return it == m.end() ? nullptr : it->second.get();
}

GadgetRec* gadgetOfHandle(HWND hwnd) {
    auto& m = state().gadgetByHwnd;
    auto it = m.find(hwnd);
    return it == m.end() ? nullptr : findGadget(it->second);
}

void mapHandle(HWND hwnd, int gadget) {
    if (hwnd) state().gadgetByHwnd[hwnd] = gadget;
}

void pushList(const ListEntry& entry) {
    state().lists.push_back(entry);
}

namespace {

// Wine's IP address control makes a font for its four fields and never frees
// it, one font lost with every control. Its last message frees that font
// once the fields are gone, if the font still lives and is no one else's.
LRESULT CALLBACK freeFieldFont(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                               DWORD_PTR font) {
    if (msg != WM_NCDESTROY) return DefSubclassProc(hwnd, msg, wp, lp);
    RemoveWindowSubclass(hwnd, freeFieldFont, id);
    const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    const auto f = reinterpret_cast<HGDIOBJ>(font);
    if (GetObjectType(f) == OBJ_FONT) DeleteObject(f);
    return result;
}

void freeFieldFontWithControl(HWND ipAddress, HWND parent) {
    HWND field = GetWindow(ipAddress, GW_CHILD);
    const auto font = field ? reinterpret_cast<HGDIOBJ>(SendMessageA(field, WM_GETFONT, 0, 0)) : nullptr;
    if (!font || font == reinterpret_cast<HGDIOBJ>(SendMessageA(parent, WM_GETFONT, 0, 0))) return;
    for (int stock : {DEFAULT_GUI_FONT, ANSI_VAR_FONT, ANSI_FIXED_FONT, SYSTEM_FONT,
                      SYSTEM_FIXED_FONT, DEVICE_DEFAULT_FONT, OEM_FIXED_FONT})
        if (font == GetStockObject(stock)) return;
    SetWindowSubclass(ipAddress, freeFieldFont, 0, reinterpret_cast<DWORD_PTR>(font));
}

} // namespace

GadgetRec* createControl(int requested, int kind, const char* cls, std::string_view text,
                         DWORD style, DWORD exStyle, int x, int y, int w, int h) {
    ensureInitialised();
    State& s = state();
    if (requested != PB_Any && (requested < 0 || requested > kMaxStaticNumber)) return nullptr;
    if (requested != PB_Any && findGadget(requested)) FreeGadget(requested);
    if (s.lists.empty()) return nullptr;
    HWND parent = s.lists.back().container;
    WindowRec* win = findWindow(s.listWindow);
    if (!win) return nullptr;

    // Option gadgets created one after another in the same list form a group;
    // any other gadget starts a new group, which also ends the options' one.
    GadgetRec* prev = findGadget(s.lastCreated);
    const bool continuesGroup =
        kind == KindOption && prev && prev->kind == KindOption && prev->parent == parent;
    if (!continuesGroup) style |= WS_GROUP;

    const std::string caption(text);
    HWND hwnd =
        CreateWindowExA(exStyle, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                        std::max(w, 0), std::max(h, 0), parent, nullptr, instance(), nullptr);
    if (!hwnd) return nullptr;
    const int number = takeNumber(requested);
    if (number < 0) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    auto rec = std::make_unique<GadgetRec>();
    rec->number = number;
    rec->kind = kind;
    rec->hwnd = hwnd;
    rec->window = win->number;
    rec->parent = parent;
    GadgetRec* g = rec.get();
    s.gadgets[number] = std::move(rec);
    s.gadgetByHwnd[hwnd] = number;
    s.lastCreated = number;
    // Setting a font costs as much as a fifth of creating a control; kinds
    // that draw no text go without.
    const bool drawsText = kind != KindProgressBar && kind != KindScrollBar &&
                           kind != KindTrackBar && kind != KindImage && kind != KindButtonImage &&
                           kind != KindContainer && kind != KindScrollArea && kind != KindSplitter;
    if (kind == KindIPAddress) freeFieldFontWithControl(hwnd, parent);
    if (drawsText) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(s.defaultFont), FALSE);
    return g;
}

int constructed(int requested, const GadgetRec* rec) {
    if (!rec) return 0;
    return requested == PB_Any ? rec->number : 1;
}

namespace {

BOOL CALLBACK collectWindow(HWND hwnd, LPARAM into) {
    reinterpret_cast<std::vector<HWND>*>(into)->push_back(hwnd);
    return TRUE;
}

} // namespace

void forgetGadgetsUnder(HWND hwnd) {
    State& s = state();
    // Only the windows under hwnd are looked at, so freeing one gadget does
    // not cost a look at every other.
    std::vector<HWND> windows{hwnd};
    EnumChildWindows(hwnd, collectWindow, reinterpret_cast<LPARAM>(&windows));
    std::unordered_set<int> gone;
    for (HWND h : windows) {
        // Pages and inner areas map to their gadget too; only the gadget's
        // own window (or its second part) means the gadget goes.
        GadgetRec* g = gadgetOfHandle(h);
        if (g && (g->hwnd == h || g->aux == h)) gone.insert(g->number);
    }
    for (int number : gone) {
        // With the XP look an image gadget holds a copy of its picture,
        // which it hands back only while it lives: nested ones too.
        if (findGadget(number) && findGadget(number)->kind == KindImage)
            SetGadgetImage(number, nullptr);
        GadgetRec* g = findGadget(number);
        if (!g) continue;
        for (HWND part : {g->hwnd, g->aux, g->inner}) s.gadgetByHwnd.erase(part);
        for (HWND page : g->pages) s.gadgetByHwnd.erase(page);
        if (g->backBrush) DeleteObject(g->backBrush);
        if (s.lastCreated == number) s.lastCreated = -1;
        s.gadgets.erase(number);
    }
    // Lists that live inside the destroyed windows are closed with them.
    auto inside = [&](const ListEntry& e) {
        return e.container == hwnd || IsChild(hwnd, e.container);
    };
    if (!s.lists.empty()) {
        auto first = std::find_if(s.lists.begin() + 1, s.lists.end(), inside);
        s.lists.erase(first, s.lists.end());
        if (inside(s.lists.front())) s.lists.clear();
    }
}

void pushEvent(const Event& e) {
    auto& q = state().events;
    // A program that never polls must not grow the queue without bound.
    if (q.size() >= 4096) q.pop_front();
    q.push_back(e);
}

void pushGadgetEvent(const GadgetRec& g, int type) {
    Event e;
    e.code = PB_Event_Gadget;
    e.window = g.window;
    e.gadget = g.number;
    e.type = type;
    pushEvent(e);
}

void notifyCallback(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowRec* win = windowOfHandle(hwnd);
    if (!win) return;
    WindowCallback cb = win->callback ? win->callback : state().globalCallback;
    if (cb) cb(hwnd, msg, wParam, lParam);
}

std::string windowText(HWND hwnd) {
    // Most texts fit a small buffer: one message instead of two, which
    // counts when a whole canvas is read back.
    char small[256];
    const int fits = GetWindowTextA(hwnd, small, static_cast<int>(sizeof small));
    if (fits >= 0 && fits < static_cast<int>(sizeof small) - 1)
        return std::string(small, static_cast<size_t>(fits));
    const int n = GetWindowTextLengthA(hwnd);
    std::string s(static_cast<size_t>(std::max(n, 0)) + 1, '\0');
    const int got = GetWindowTextA(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(std::max(got, 0)));
    return s;
}

RECT gadgetRect(const GadgetRec& g) {
    RECT r{};
    const KindOps& ops = opsOf(g.kind);
    if (ops.bounds) return ops.bounds(const_cast<GadgetRec&>(g));
    GetWindowRect(g.hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(g.hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void placeGadget(GadgetRec& g, int x, int y, int w, int h) {
    const KindOps& ops = opsOf(g.kind);
    if (ops.place) {
        ops.place(g, x, y, w, h);
    } else {
        SetWindowPos(g.hwnd, nullptr, x, y, std::max(w, 0), std::max(h, 0),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace tk::detail
