#include "designer/canvas/moving.h"

#include "designer/canvas/live_gadget.h"
#include "document/catalogue.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

namespace {

// A frame without border styles leaves stale lines behind when it moves.
void repaintIfNeeded(const Item& it) {
    if (it.typ == Frame3DGadget && it.flags == 0 && it.id)
        RedrawWindow(tk::GadgetID(number(it.id)), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

} // namespace

void placeGadget(int gadget, const Rect& r) {
    // The toolkit's resize reads -1 as "unchanged"; a place of -1 is real.
    tk::PlaceGadget(gadget, r.x, r.y, r.w, r.h);
}

void applyItemRect(Item& it, const Rect& r) {
    if (!it.id) return;
    const Rect before = itemRect(it);
    if (it.typ == ComboBoxGadget || it.typ == ExplorerComboGadget) it.h = r.h;
    placeGadget(number(it.id), r);
    if (it.typ == ImageGadget) {
        const bool resized = it.w != r.w || it.h != r.h;
        it.x = r.x;
        it.y = r.y;
        it.w = r.w;
        it.h = r.h;
        if (resized && (it.aflag & 2)) showItemPicture(it);
    } else if (it.typ == ButtonImageGadget && (it.aflag & 2) && (before.w != r.w || before.h != r.h)) {
        it.w = r.w;
        it.h = r.h;
        showItemPicture(it);
    }
    repaintIfNeeded(it);
}

Area holderArea(const Design& d, const Selection& s) {
    HWND holder = nullptr;
    if (s.groupMode && !s.group.empty())
        holder = holderOf(d.items[s.group.front().item]);
    else if (s.marked >= 0)
        holder = holderOf(d.items[static_cast<size_t>(s.marked)]);
    RECT c{};
    if (holder) GetClientRect(holder, &c);
    return {c.right, c.bottom};
}

bool moveSelectionTo(Selection& s, Design& d, Point to) {
    const int dx = to.x - s.rect.x, dy = to.y - s.rect.y;
    if (!dx && !dy) return false;
    if (s.groupMode) {
        bool any = false;
        for (GroupMember& m : s.group) {
            Item& it = d.items[m.item];
            if (isFixed(it)) continue;
            Rect r = itemRect(it);
            r.x += dx;
            r.y += dy;
            applyItemRect(it, r);
            m.r.x += dx;
            m.r.y += dy;
            any = true;
        }
        if (!any) return false;
    } else {
        if (s.marked < 0) return false;
        Item& it = d.items[static_cast<size_t>(s.marked)];
        Rect r = itemRect(it);
        r.x = to.x;
        r.y = to.y;
        applyItemRect(it, r);
    }
    s.rect.x = to.x;
    s.rect.y = to.y;
    moveMarks(s);
    noteEdit(d);
    return true;
}

void sizeMarkedTo(Selection& s, Design& d, const Rect& r) {
    if (s.marked < 0) return;
    applyItemRect(d.items[static_cast<size_t>(s.marked)], r);
    s.rect = r;
    moveMarks(s);
    noteEdit(d);
}

void scaleGroupTo(Selection& s, Design& d, const Rect& from, const Rect& to) {
    for (GroupMember& m : s.group) {
        Item& it = d.items[m.item];
        if (isFixed(it)) continue;
        applyItemRect(it, scaleMember(m.r, from, to));
    }
    s.rect = to;
    moveMarks(s);
    noteEdit(d);
}

int scrollAreaOf(const Design& d, const Selection& s) {
    const int up = itemOfGadget(d, s.parent);
    return up >= 0 && d.items[static_cast<size_t>(up)].typ == ScrollAreaGadget ? up : -1;
}

} // namespace zarnet::designer
