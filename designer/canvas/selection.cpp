#include "designer/canvas/selection.h"

#include "designer/canvas/live_gadget.h"
#include "document/catalogue.h"
#include "toolkit/images.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <climits>

namespace zarnet::designer {

namespace {

void restoreSwitchedTab(Selection& s) {
    if (s.switchedPanel && tk::IsGadget(s.switchedPanel))
        tk::SetGadgetState(s.switchedPanel, s.switchedFrom);
    s.switchedPanel = 0;
}

// Shows the item's tab on its panel parent, remembering the tab it showed.
void showTabOf(Selection& s, const Design& d, const Item& it) {
    const int parent = itemOfGadget(d, it.parent);
    if (parent < 0 || d.items[static_cast<size_t>(parent)].typ != PanelGadget) return;
    const int panel = number(it.parent);
    const int shown = static_cast<int>(tk::GetGadgetState(panel));
    if (shown == it.tab) return;
    if (!s.switchedPanel) {
        s.switchedPanel = panel;
        s.switchedFrom = shown;
    }
    tk::SetGadgetState(panel, it.tab);
}

// Opens the gadget list of the selection's parent at the tab it shows.
bool openParentList(const Design& d, Handle parent) {
    if (!parent || !tk::IsGadget(number(parent))) return false;
    const int g = number(parent);
    const int at = itemOfGadget(d, parent);
    const bool panel = at >= 0 && d.items[static_cast<size_t>(at)].typ == PanelGadget;
    tk::OpenGadgetList(g, panel ? static_cast<int>(tk::GetGadgetState(g)) : -1);
    return true;
}

} // namespace

void repaintGadget(Handle gadget) {
    if (!gadget || !tk::IsGadget(number(gadget))) return;
    HWND w = tk::GadgetID(number(gadget));
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool over(HWND w, POINT p) {
    RECT r;
    return w && GetWindowRect(w, &r) && p.x >= r.left && p.x < r.right && p.y >= r.top &&
           p.y < r.bottom;
}

int itemOfGadget(const Design& d, Handle gadget) {
    if (!gadget) return -1;
    for (size_t i = 0; i < d.items.size(); ++i)
        if (d.items[i].isGadget() && d.items[i].id == gadget) return static_cast<int>(i);
    return -1;
}

Rect itemRect(const Item& it) {
    if (it.typ == ImageGadget || !it.id || !tk::IsGadget(number(it.id)))
        return {it.x, it.y, it.w, it.h};
    const int g = number(it.id);
    Rect r{tk::GadgetX(g), tk::GadgetY(g), tk::GadgetWidth(g), tk::GadgetHeight(g)};
    if (it.typ == ComboBoxGadget || it.typ == ExplorerComboGadget) r.h = it.h;
    return r;
}

Rect seenRect(const Item& it) {
    Rect r = itemRect(it);
    const bool combo = it.typ == ComboBoxGadget || it.typ == ExplorerComboGadget;
    if (combo && it.id && tk::IsGadget(number(it.id))) r.h = tk::GadgetHeight(number(it.id));
    return r;
}

HWND holderOf(const Item& it) {
    HWND w = it.id ? tk::GadgetID(number(it.id)) : nullptr;
    return w ? GetParent(w) : nullptr;
}

bool cursorOverItem(const Design& d, size_t item, POINT screen) {
    const Item* it = &d.items[item];
    if (!it->id || !over(tk::GadgetID(number(it->id)), screen)) return false;
    // Walk up through the ancestors; a broken chain ends the walk.
    for (int guard = 0; it->parent && guard < 64; ++guard) {
        const int up = itemOfGadget(d, it->parent);
        if (up < 0) break;
        const Item& parent = d.items[static_cast<size_t>(up)];
        if (!over(tk::GadgetID(number(parent.id)), screen)) return false;
        if (parent.typ == PanelGadget && tk::GetGadgetState(number(parent.id)) != it->tab)
            return false;
        it = &parent;
    }
    return true;
}

std::optional<int> hitTest(const Design& d, POINT screen, HitKeys keys) {
    std::vector<HitCandidate> under;
    for (size_t i = 0; i < d.items.size(); ++i) {
        const Item& it = d.items[i];
        if (!it.isGadget() || !it.id) continue;
        HWND w = tk::GadgetID(number(it.id));
        if (!w || !IsWindowVisible(w) || !cursorOverItem(d, i, screen)) continue;
        under.push_back({static_cast<int>(i), it.level, it.typ});
    }
    return pickHit(under, keys);
}

void freeMarks(Selection& s) {
    for (int& m : s.marks) {
        if (m && tk::IsGadget(m)) tk::FreeGadget(m);
        m = 0;
    }
}

void placeMarks(Selection& s, const Design& d, int markImage, const std::string& tooltip) {
    freeMarks(s);
    const bool inParent = openParentList(d, s.parent);
    HBITMAP image = tk::ImageID(markImage);
    for (int& m : s.marks) {
        m = tk::ButtonImageGadget(tk::PB_Any, 0, 0, kMarkSize, kMarkSize, image);
        if (m > 0 && !tooltip.empty()) tk::GadgetToolTip(m, tooltip);
        if (m < 0) m = 0;
    }
    if (inParent) tk::CloseGadgetList();
    moveMarks(s);
}

void moveMarks(const Selection& s) {
    const Rect& r = s.rect;
    const POINT at[4] = {{r.x - kMarkSize, r.y - kMarkSize},
                         {r.x + r.w, r.y - kMarkSize},
                         {r.x + r.w, r.y + r.h},
                         {r.x - kMarkSize, r.y + r.h}};
    for (int i = 0; i < 4; ++i) {
        if (!s.marks[static_cast<size_t>(i)]) continue;
        // Moved by the platform call so that a coordinate of -1 is a place,
        // and painted afresh rather than from its old pixels: a gadget
        // moving beside it may have copied its own over the new place.
        SetWindowPos(tk::GadgetID(s.marks[static_cast<size_t>(i)]), nullptr, at[i].x, at[i].y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
}

void markItem(Selection& s, Design& d, size_t item, int markImage, bool fromTree) {
    freeMarks(s);
    restoreSwitchedTab(s);
    s.groupMode = false;
    s.group.clear();
    Item& it = d.items[item];
    if (fromTree && it.parent) {
        scrollIntoView(d, item);
        showTabOf(s, d, it);
    }
    s.marked = static_cast<int>(item);
    s.gadget = number(it.id);
    s.typ = it.typ;
    s.inSplitter = it.insplitter == 1;
    s.parent = it.parent;
    s.tab = it.tab;
    s.rect = s.atMarking = itemRect(it);
    const bool hard = it.typ == ScrollAreaGadget || it.typ == TextGadget || it.typ == WebGadget ||
                      it.typ == IPAddressGadget || it.typ == SplitterGadget;
    placeMarks(s, d, markImage, hard ? canvasTooltip(it) : std::string());
}

void unmark(Selection& s) {
    freeMarks(s);
    restoreSwitchedTab(s);
    s.marked = -1;
    s.gadget = 0;
    s.typ = 0;
    s.groupMode = false;
    s.group.clear();
}

bool toggleGroupMember(Selection& s, Design& d, size_t item, int markImage) {
    const Item& it = d.items[item];
    if (it.insplitter == 1 || it.parent != s.parent || it.tab != s.tab) return false;
    if (!s.groupMode) {
        if (s.marked < 0 || s.inSplitter || static_cast<size_t>(s.marked) == item) return false;
        const Item& first = d.items[static_cast<size_t>(s.marked)];
        s.group = {{static_cast<size_t>(s.marked), first.typ, itemRect(first)},
                   {item, it.typ, itemRect(it)}};
        s.groupMode = true;
    } else {
        auto at = std::find_if(s.group.begin(), s.group.end(),
                               [item](const GroupMember& m) { return m.item == item; });
        if (at != s.group.end())
            s.group.erase(at);
        else
            s.group.push_back({item, it.typ, itemRect(it)});
    }
    drawGroupMarks(s, d, markImage);
    return true;
}

void drawGroupMarks(Selection& s, Design& d, int markImage) {
    freeMarks(s);
    if (s.group.empty()) return;
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const GroupMember& m : s.group) {
        left = std::min(left, m.r.x);
        top = std::min(top, m.r.y);
        right = std::max(right, m.r.x + m.r.w);
        bottom = std::max(bottom, m.r.y + m.r.h);
    }
    s.rect = s.atMarking = {left, top, right - left, bottom - top};
    placeMarks(s, d, markImage, "Group");
    repaintGadget(s.parent);
}

void groupItems(Selection& s, Design& d, const std::vector<size_t>& items, int markImage) {
    if (items.empty()) {
        unmark(s);
        return;
    }
    if (items.size() == 1) {
        markItem(s, d, items.front(), markImage, false);
        return;
    }
    const Item& first = d.items[items.front()];
    freeMarks(s);
    s.marked = static_cast<int>(items.front());
    s.gadget = number(first.id);
    s.typ = first.typ;
    s.inSplitter = false;
    s.parent = first.parent;
    s.tab = first.tab;
    s.group.clear();
    for (size_t i : items) s.group.push_back({i, d.items[i].typ, itemRect(d.items[i])});
    s.groupMode = true;
    drawGroupMarks(s, d, markImage);
}

WorkingList buildWorkingList(const Selection& s, const Design& d) {
    WorkingList w;
    std::vector<size_t> todo;
    if (s.groupMode)
        for (const GroupMember& m : s.group) todo.push_back(m.item);
    else if (s.marked >= 0)
        todo.push_back(static_cast<size_t>(s.marked));
    auto add = [&](auto&& self, size_t i, int depth) -> void {
        if (i >= d.items.size() || depth > 64) return;
        if (std::find(w.items.begin(), w.items.end(), i) != w.items.end()) return;
        w.items.push_back(i);
        const Item& it = d.items[i];
        if (it.typ != SplitterGadget) return;
        for (Handle g : {it.firstgadget, it.secondgadget}) {
            const int at = itemOfGadget(d, g);
            if (at >= 0) self(self, static_cast<size_t>(at), depth + 1);
        }
    };
    for (size_t i : todo) add(add, i, 0);
    w.allSplitterChildren =
        !w.items.empty() && std::all_of(w.items.begin(), w.items.end(), [&](size_t i) {
            return d.items[i].insplitter == 1;
        });
    return w;
}

void scrollIntoView(const Design& d, size_t item) {
    const Item& it = d.items[item];
    const int up = itemOfGadget(d, it.parent);
    if (up < 0) return;
    const Item& area = d.items[static_cast<size_t>(up)];
    if (area.typ != ScrollAreaGadget) return;
    const int g = number(area.id);
    RECT client;
    HWND inner = holderOf(it);
    if (!inner) return;
    GetClientRect(GetParent(inner), &client);
    const Rect r = itemRect(it);
    const int sx = static_cast<int>(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_X));
    const int sy = static_cast<int>(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_Y));
    auto into = [](int pos, int at, int size, int view) {
        if (at < pos) return at;
        if (at + size > pos + view) return std::max(0, std::min(at, at + size - view));
        return pos;
    };
    const int nx = into(sx, r.x, r.w, client.right);
    const int ny = into(sy, r.y, r.h, client.bottom);
    if (nx != sx) tk::SetGadgetAttribute(g, tk::PB_ScrollArea_X, nx);
    if (ny != sy) tk::SetGadgetAttribute(g, tk::PB_ScrollArea_Y, ny);
}

} // namespace zarnet::designer
