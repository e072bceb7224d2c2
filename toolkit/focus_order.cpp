// TAB and SHIFT+TAB in a window that moves the focus with them. The order
// is the gadgets' stacking order, into every container, as a dialog's is,
// with two differences a dialog cannot make: a panel's tab row is a stop
// of its own before the shown page (so the keyboard reaches the other
// tabs), and a splitter's two gadgets are visited where the splitter
// stands, not where they were made.
#include "toolkit/state.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace tk::detail {
namespace {

class Walk {
  public:
    explicit Walk(std::vector<HWND>& out) : out_(out) {
        for (const auto& [number, g] : state().gadgets)
            if (g->kind == KindSplitter)
                for (const int held : {g->first, g->second})
                    if (const GadgetRec* h = findGadget(held)) held_.insert(h->hwnd);
    }

    // A window's children, but a splitter's gadgets, which come with it.
    void children(HWND parent) {
        for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (!held_.count(c)) window(c);
    }

    void window(HWND w) {
        const LONG style = GetWindowLongA(w, GWL_STYLE);
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) return;
        if (style & WS_TABSTOP) out_.push_back(w);
        if (const GadgetRec* g = gadgetOfHandle(w); g && g->kind == KindSplitter && g->hwnd == w)
            heldBy(*g);
        if (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) children(w);
    }

  private:
    // The splitter's gadgets in their stacking order, which is the order
    // they were made in.
    void heldBy(const GadgetRec& splitter) {
        const GadgetRec* a = findGadget(splitter.first);
        const GadgetRec* b = findGadget(splitter.second);
        for (HWND c = GetWindow(GetParent(splitter.hwnd), GW_CHILD); c;
             c = GetWindow(c, GW_HWNDNEXT))
            if ((a && c == a->hwnd) || (b && c == b->hwnd)) window(c);
    }

    std::vector<HWND>& out_;
    std::unordered_set<HWND> held_;
};

} // namespace

bool moveFocusByTab(HWND root, const MSG& msg) {
    HWND focus = GetFocus();
    if (focus && (root == focus || IsChild(root, focus))) {
        // A gadget that takes TAB itself (a multi-line editor) keeps it.
        const LRESULT code =
            SendMessageA(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
        if (code & (DLGC_WANTTAB | DLGC_WANTMESSAGE)) return false;
    }
    if (msg.message == WM_KEYUP) return false;
    if (msg.message != WM_KEYDOWN) return true; // the TAB character: no beep
    std::vector<HWND> stops;
    Walk(stops).children(root);
    if (stops.empty()) return true;
    // The innermost stop holding the focus (a combo box's field, a panel's page).
    ptrdiff_t at = -1;
    for (size_t i = 0; i < stops.size(); ++i)
        if (focus && (stops[i] == focus || IsChild(stops[i], focus)))
            at = static_cast<ptrdiff_t>(i);
    const auto n = static_cast<ptrdiff_t>(stops.size());
    const bool back = GetKeyState(VK_SHIFT) < 0;
    const ptrdiff_t next = at < 0 ? (back ? n - 1 : 0) : (at + (back ? n - 1 : 1)) % n;
    HWND to = stops[static_cast<size_t>(next)];
    SetFocus(to);
    if (SendMessageA(to, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(to, EM_SETSEL, 0, -1);
    return true;
}

} // namespace tk::detail
