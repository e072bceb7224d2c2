// What the mouse does on the canvas: marking by the hit test, CONTROL group
// toggling, the rubber band, dragging the selection or one of its marks,
// scrolling a scroll area at its edge, the right button's menus; and the
// cursor keys' steps.
#include "designer/shell/designer.h"

#include "designer/arrange/align.h"
#include "designer/canvas/moving.h"
#include "toolkit/toolkit.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

// The gadget whose window is directly under the cursor (inner windows of a
// gadget count as the gadget), 0 when none.
int gadgetUnder(POINT screen) {
    for (HWND w = WindowFromPoint(screen); w; w = GetParent(w)) {
        const int g = tk::GadgetFromHandle(w);
        if (g > 0) return g;
    }
    return 0;
}

POINT cursorIn(HWND holder) {
    POINT p = tk::input().cursorPos();
    if (holder) ScreenToClient(holder, &p);
    return p;
}

RECT normalised(POINT a, POINT b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

} // namespace

Snapping Designer::snapping() {
    return Snapping::of(gridSize, prefs[PrefGridSnap] == 1, sampled(VK_SHIFT));
}

void Designer::reportPosition() {
    std::string t = design.modified ? "*" : "";
    t += filePart(design.fileName);
    t += "   Positon " + std::to_string(sel.rect.x) + " x " + std::to_string(sel.rect.y);
    tk::SetWindowTitle(kCanvasWindow, t);
}

void Designer::reportSize(const Rect& r) {
    std::string t = design.modified ? "*" : "";
    t += filePart(design.fileName);
    t += "   Size " + std::to_string(r.w) + " x " + std::to_string(r.h);
    tk::SetWindowTitle(kCanvasWindow, t);
}

// The window that holds the selection's gadgets.
static HWND selectionHolder(const Design& d, const Selection& s) {
    if (s.groupMode && !s.group.empty()) return holderOf(d.items[s.group.front().item]);
    if (s.marked >= 0) return holderOf(d.items[static_cast<size_t>(s.marked)]);
    return nullptr;
}

bool Designer::keyMove(int dx, int dy, bool size) {
    const Snapping s = snapping();
    const Area area = holderArea(design, sel);
    if (sel.groupMode) {
        if (std::all_of(sel.group.begin(), sel.group.end(), [this](const GroupMember& m) {
                return design.items[m.item].status & kStatusFixed;
            }))
            return false;
        const auto to = zarnet::designer::keyMove(sel.rect, dx, dy, area, s);
        if (!to || !moveSelectionTo(sel, design, {to->x, to->y})) return false;
    } else {
        if (sel.marked < 0) return false;
        const size_t at = static_cast<size_t>(sel.marked);
        const Item& it = design.items[at];
        if (it.insplitter == 1 || (it.status & (kStatusHidden | kStatusFixed))) return false;
        if (size) {
            const auto to = keySize(sel.rect, dx, dy, s);
            if (!to) return false;
            sizeMarkedTo(sel, design, *to);
        } else {
            const auto to = zarnet::designer::keyMove(sel.rect, dx, dy, area, s);
            if (!to || !moveSelectionTo(sel, design, {to->x, to->y})) return false;
        }
        scrollIntoView(design, at);
        rememberTypeDefaults(at);
    }
    noteEdit(design);
    pendingMergeKey = keyRunKey(dx, dy, size);
    showFields();
    refreshTitle();
    tk::DrainEvents();
    return true;
}

void Designer::leftGestures() {
    const bool left = buttonPressed(VK_LBUTTON);
    if (gesture != Gesture::Idle) {
        dragStep(left);
        return;
    }
    if (!left) return;
    if (tabOrderMode) {
        tabOrderClick();
        return;
    }
    const POINT screen = tk::input().cursorPos();
    const bool control = sampled(VK_CONTROL);
    const bool shift = sampled(VK_SHIFT);
    const bool right = sampled(VK_RBUTTON);
    if (sel.marked >= 0 && !sel.groupMode && !control && grabSelection(screen, shift, right)) return;
    if (sampled(VK_MENU)) {
        rubberBand(screen);
        return;
    }
    const auto hit = hitTest(design, screen, {shift, keyDown('X'), left && right, false, true});
    if (!hit) {
        if (sel.marked >= 0) unmarkAll();
        return;
    }
    if (control && sel.marked >= 0) {
        toggleIntoGroup(static_cast<size_t>(*hit));
        waitForRelease(VK_LBUTTON);
        return;
    }
    if (*hit != sel.marked) markAndShow(static_cast<size_t>(*hit), false);
}

bool Designer::grabSelection(POINT screen, bool shift, bool right) {
    const size_t at = static_cast<size_t>(sel.marked);
    const Item& it = design.items[at];
    HWND gadget = tk::GadgetID(sel.gadget);
    HWND holder = holderOf(it);
    const bool frameAllowed = it.typ != Frame3DGadget || (shift && !right);
    const bool underIt = gadgetUnder(screen) == sel.gadget || (!IsWindowEnabled(gadget) && over(gadget, screen));
    if (frameAllowed && it.insplitter != 1 && underIt && cursorOverItem(design, at, screen)) {
        gesture = Gesture::Moving;
        pressAt = cursorIn(holder);
        grab = {pressAt.x - sel.rect.x, pressAt.y - sel.rect.y};
        RECT r;
        GetWindowRect(gadget, &r);
        headerPress = (it.typ == ListIconGadget || it.typ == PanelGadget) && screen.y - r.top < 24;
        startDrag();
        reportPosition();
        return true;
    }
    if (it.insplitter == 1 || (it.status & kStatusFixed)) return false;
    return grabMark(screen, holder);
}

bool Designer::grabMark(POINT screen, HWND holder) {
    for (int k = 0; k < 4; ++k) {
        if (!over(tk::GadgetID(sel.marks[static_cast<size_t>(k)]), screen)) continue;
        gesture = Gesture::Sizing;
        sizingMark = k;
        pressAt = cursorIn(holder);
        headerPress = false;
        startDrag();
        reportSize(sel.rect);
        return true;
    }
    return false;
}

void Designer::startDrag() {
    pressRect = sel.rect;
    lastCursor = pressAt;
    gestureChanged = false;
    takeSnapTargets();
    scrollingArea = scrollAreaOf(design, sel);
    if (scrollingArea < 0) return;
    // The cursor stays inside the scroll area, which scrolls at its edges.
    HWND area = tk::GadgetID(number(design.items[static_cast<size_t>(scrollingArea)].id));
    RECT w, c;
    GetWindowRect(area, &w);
    GetClientRect(area, &c);
    scrollClip = {w.left, w.top, w.left + c.right + 3, w.top + c.bottom + 3};
    ClipCursor(&scrollClip);
    lastScrollAt = tk::clock().now() - 101;
}

void Designer::dragStep(bool left) {
    HWND holder = selectionHolder(design, sel);
    if (!left) {
        endDrag();
        return;
    }
    const POINT p = cursorIn(holder);
    // Only a move scrolls the area at its edge: sizing works from the
    // rectangles at the press, which a scroll would leave behind.
    const bool scrolls = scrollingArea >= 0 && gesture == Gesture::Moving;
    if (p.x == lastCursor.x && p.y == lastCursor.y) {
        if (scrolls) autoScroll(tk::input().cursorPos());
        return;
    }
    lastCursor = p;
    const Snapping s = snapping();
    if (gesture == Gesture::Moving) {
        if (headerPress) return;
        const Point gridded =
            dragMovePosition({p.x, p.y}, grab, sel.rect.w, sel.rect.h, holderArea(design, sel), s);
        const Rect r = snapToGuides({p.x - grab.x, p.y - grab.y, sel.rect.w, sel.rect.h},
                                    {gridded.x, gridded.y, sel.rect.w, sel.rect.h}, false);
        const Point to{r.x, r.y};
        if (moveSelectionTo(sel, design, to)) {
            gestureChanged = true;
            tk::SetGadgetText(fields[FieldX], std::to_string(sel.rect.x));
            tk::SetGadgetText(fields[FieldY], std::to_string(sel.rect.y));
            reportPosition();
        }
        if (scrolls) autoScroll(tk::input().cursorPos());
    } else {
        const int dx = p.x - pressAt.x, dy = p.y - pressAt.y;
        const Rect to = snapToGuides(dragSize(pressRect, sel.rect, sizingMark, dx, dy, {1, false}),
                                     dragSize(pressRect, sel.rect, sizingMark, dx, dy, s), true);
        if (to != sel.rect) {
            if (sel.groupMode)
                scaleGroupTo(sel, design, pressRect, to);
            else
                sizeMarkedTo(sel, design, to);
            gestureChanged = true;
        }
        reportSize(sel.rect);
    }
    tk::DrainEvents();
}

void Designer::endDrag() {
    const Gesture was = gesture;
    gesture = Gesture::Idle;
    freeGuides();
    snapTargets.clear();
    ClipCursor(nullptr);
    scrollingArea = -1;
    if (sel.groupMode) {
        // The members' rectangles now, for the next move or scale.
        for (GroupMember& m : sel.group) m.r = itemRect(design.items[m.item]);
        if (was == Gesture::Sizing) drawGroupMarks(sel, design, markImage);
    } else if (sel.marked >= 0) {
        sel.atMarking = sel.rect;
        rememberTypeDefaults(static_cast<size_t>(sel.marked));
    }
    if (was == Gesture::Moving && headerPress) return;
    repaintGadget(sel.parent);
    refreshTitle();
    showFields();
    if (gestureChanged) showTip(was == Gesture::Moving ? 3 : 4);
    SetFocus(tk::GadgetID(focusControl));
    tk::DrainEvents();
}

void Designer::autoScroll(POINT cursor) {
    if (scrollingArea < 0) return;
    int dx = cursor.x == scrollClip.left ? -1 : cursor.x == scrollClip.right - 1 ? 1 : 0;
    int dy = cursor.y == scrollClip.top ? -1 : cursor.y == scrollClip.bottom - 1 ? 1 : 0;
    if (!dx && !dy) return;
    const uint32_t now = tk::clock().now();
    if (now - lastScrollAt < 101) return;
    const Snapping s = snapping();
    const int step = s.on ? s.step : 1;
    const Item& area = design.items[static_cast<size_t>(scrollingArea)];
    const int g = number(area.id);
    RECT view;
    GetClientRect(tk::GadgetID(g), &view);
    const int sx = static_cast<int>(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_X));
    const int sy = static_cast<int>(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_Y));
    const int innerW = static_cast<int>(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_InnerWidth));
    const int innerH = static_cast<int>(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_InnerHeight));
    if (sx + step * dx < 0 || sx + step + view.right > innerW + 10) dx = 0;
    if (sy + step * dy < 0 || sy + step + view.bottom > innerH + 10) dy = 0;
    if (!dx && !dy) return;
    tk::SetGadgetAttribute(g, tk::PB_ScrollArea_X, sx + step * dx);
    tk::SetGadgetAttribute(g, tk::PB_ScrollArea_Y, sy + step * dy);
    moveSelectionTo(sel, design, {sel.rect.x + step * dx, sel.rect.y + step * dy});
    gestureChanged = true;
    showFields();
    reportPosition();
    lastScrollAt = now;
}

void Designer::toggleIntoGroup(size_t item) {
    if (!toggleGroupMember(sel, design, item, markImage)) return;
    if (sel.groupMode && sel.group.size() == 1) {
        markAndShow(sel.group.front().item, false);
        return;
    }
    if (sel.groupMode && sel.group.empty()) {
        unmarkAll();
        return;
    }
    showFields();
    if (sel.groupMode) showTip(10);
}

bool Designer::groupGestures() {
    const bool left = buttonPressed(VK_LBUTTON);
    const bool right = buttonPressed(VK_RBUTTON);
    if (gesture != Gesture::Idle) {
        dragStep(left);
        return true;
    }
    if (right && !left) {
        if (sel.group.size() >= 2) groupMenu();
        waitForRelease(VK_RBUTTON);
        return true;
    }
    if (!left) return false;
    const POINT screen = tk::input().cursorPos();
    const bool shift = sampled(VK_SHIFT);
    const auto hit = hitTest(design, screen, {shift, keyDown('X'), false, false, true});
    if (sampled(VK_CONTROL)) {
        if (hit) toggleIntoGroup(static_cast<size_t>(*hit));
        waitForRelease(VK_LBUTTON);
        return true;
    }
    HWND holder = selectionHolder(design, sel);
    if (grabMark(screen, holder)) return true;
    const bool onMember = hit && std::any_of(sel.group.begin(), sel.group.end(), [&](const GroupMember& m) {
                              return m.item == static_cast<size_t>(*hit);
                          });
    if (onMember) {
        gesture = Gesture::Moving;
        headerPress = false;
        pressAt = cursorIn(holder);
        grab = {pressAt.x - sel.rect.x, pressAt.y - sel.rect.y};
        startDrag();
        reportPosition();
        return true;
    }
    // A press elsewhere ends the group; the canvas takes the press as usual.
    unmarkAll();
    return false;
}

void Designer::buildGroupMenu() {
    if (tk::IsMenu(kGroupMenu)) tk::FreeMenu(kGroupMenu);
    tk::CreatePopupMenu(kGroupMenu);
    tk::MenuItem(MenuHorizontalSplitter, "Combine to horizontal SplitterGadget");
    tk::MenuItem(MenuVerticalSplitter, "Combine to vertikal SplitterGadget");
    tk::MenuBar();
    tk::MenuItem(MenuContainer, "Combine to ContainerGadget");
    tk::MenuBar();
    tk::OpenSubMenu("Align");
    const auto align = alignMenu();
    for (size_t i = 0; i < align.size(); ++i) {
        if (align[i].separatorBefore) tk::MenuBar();
        tk::MenuItem(MenuAlignFirst + static_cast<int>(i), align[i].text);
    }
    tk::CloseSubMenu();
    addGroupPropertyEntries();
    for (size_t i = 0; i < align.size(); ++i)
        tk::DisableMenuItem(kGroupMenu, MenuAlignFirst + static_cast<int>(i),
                            sel.group.size() < minimumMembers(align[i].command));
    const bool spin = std::any_of(sel.group.begin(), sel.group.end(),
                                  [](const GroupMember& m) { return m.typ == SpinGadget; });
    const bool splitters = sel.group.size() == 2 && !spin;
    tk::DisableMenuItem(kGroupMenu, MenuHorizontalSplitter, !splitters);
    tk::DisableMenuItem(kGroupMenu, MenuVerticalSplitter, !splitters);
}

void Designer::groupMenu() {
    buildGroupMenu();
    SetForegroundWindow(canvas);
    tk::DisplayPopupMenu(kGroupMenu, canvas);
}

void Designer::rubberBand(POINT press) {
    HDC dc = GetDCEx(canvas, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    const Handle parent = sel.marked >= 0 ? sel.parent : 0;
    const int tab = sel.marked >= 0 ? sel.tab : 0;
    POINT from = press;
    ScreenToClient(canvas, &from);
    auto screenRect = [this](const Item& it) {
        RECT r;
        GetWindowRect(tk::GadgetID(number(it.id)), &r);
        MapWindowPoints(HWND_DESKTOP, canvas, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    auto outline = [dc](RECT r) {
        InflateRect(&r, 1, 1);
        DrawFocusRect(dc, &r);
    };
    for (Item& it : design.items) it.bandmark = 0;
    RECT band{};
    bool drawn = false;
    while (sampled(VK_LBUTTON)) {
        if (tk::WindowEvent() == 0) tk::clock().sleep(4);
        const RECT now = normalised(from, cursorIn(canvas));
        if (!drawn || !EqualRect(&now, &band)) {
            if (drawn) DrawFocusRect(dc, &band);
            band = now;
            DrawFocusRect(dc, &band);
            drawn = true;
        }
        const bool shift = sampled(VK_SHIFT);
        const bool menu = sampled(VK_MENU);
        for (Item& it : design.items) {
            if (!it.isGadget() || !it.id || it.parent != parent || it.tab != tab || it.insplitter == 1)
                continue;
            if (!IsWindowVisible(tk::GadgetID(number(it.id)))) continue;
            if (it.typ == Frame3DGadget && !shift && it.bandmark == 0) continue;
            const RECT r = screenRect(it);
            const bool inside = r.left > band.left && r.top > band.top && r.right < band.right &&
                                r.bottom < band.bottom;
            if (inside && it.bandmark == 0) {
                outline(r);
                it.bandmark = 1;
            } else if (!inside && it.bandmark == 1 && !menu) {
                outline(r);
                it.bandmark = 0;
            }
        }
    }
    if (drawn) DrawFocusRect(dc, &band);
    std::vector<size_t> caught;
    for (size_t i = 0; i < design.items.size(); ++i) {
        Item& it = design.items[i];
        if (it.bandmark != 1) continue;
        outline(screenRect(it));
        it.bandmark = 0;
        caught.push_back(i);
    }
    ReleaseDC(canvas, dc);
    groupItems(sel, design, caught, markImage);
    if (sel.groupMode) {
        showFields();
        showTip(10);
    } else if (sel.marked >= 0) {
        selectTreeEntry(sel.marked);
        showFields();
        rememberTypeDefaults(static_cast<size_t>(sel.marked));
    } else {
        showFields();
    }
}

void Designer::rightButton() {
    ClipCursor(nullptr);
    menuPosition = clickPosition;
    menuStackItems.clear();
    const POINT screen = tk::input().cursorPos();
    if (sel.marked >= 0 && !sel.groupMode) {
        if (cursorOverItem(design, static_cast<size_t>(sel.marked), screen)) {
            openContextMenu();
            return;
        }
        menuStackItems = {design.items[static_cast<size_t>(sel.marked)].number};
        unmarkAll();
        showMainMenu();
        return;
    }
    const auto hit = hitTest(design, screen, {sampled(VK_SHIFT), keyDown('X'), false, true, false});
    if (hit) {
        markAndShow(static_cast<size_t>(*hit), false);
        openContextMenu();
        return;
    }
    showMainMenu();
}

} // namespace zarnet::designer
