// Lining up the group (the "Align" submenu of the group menu), the tab
// order shown as badges and set by clicks or sorted by position, and the
// keyboard-access check shown in the learner window. Each change is one
// step of the edit history.
#include "designer/shell/designer.h"

#include "designer/arrange/align.h"
#include "designer/arrange/keyboard_check.h"
#include "designer/arrange/tab_order.h"
#include "designer/canvas/moving.h"
#include "designer/canvas/structure.h"
#include "toolkit/toolkit.h"

#include <algorithm>

namespace zarnet::designer {

void Designer::alignGroup(size_t entry) {
    const auto menu = alignMenu();
    if (!sel.groupMode || entry >= menu.size()) return;
    std::vector<AlignMember> members;
    for (const GroupMember& m : sel.group) {
        const Item& it = design.items[m.item];
        members.push_back({seenRect(it), !isFixed(it) && it.insplitter != 1});
    }
    const std::vector<Rect> placed = arrange(menu[entry].command, members, holderArea(design, sel));
    bool moved = false;
    for (size_t k = 0; k < sel.group.size() && k < placed.size(); ++k) {
        GroupMember& m = sel.group[k];
        if (placed[k] == members[k].rect) continue;
        // A combo box is placed by the field it shows and keeps the height
        // of its list.
        Item& it = design.items[m.item];
        Rect r = placed[k];
        if (const Rect stored = itemRect(it); stored.h != members[k].rect.h) r.h = stored.h;
        applyItemRect(it, r);
        m.r = r;
        moved = true;
    }
    if (!moved) return;
    noteEdit(design);
    drawGroupMarks(sel, design, markImage);
    refreshTitle();
}

void Designer::freeTabBadges() {
    for (HWND b : tabBadges)
        DestroyWindow(b);
    tabBadges.clear();
}

void Designer::showTabBadges() {
    freeTabBadges();
    badgesShown = design.revision;
    if (!tabOrderMode) return;
    const std::vector<int> badges = tabOrderBadges(design);
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    std::vector<RECT> placed;
    for (size_t i = 0; i < badges.size() && i < design.items.size(); ++i) {
        const Item& it = design.items[i];
        HWND g = it.id ? tk::GadgetID(number(it.id)) : nullptr;
        if (!badges[i] || !g || !IsWindowVisible(g)) continue;
        RECT r;
        GetWindowRect(g, &r);
        MapWindowPoints(HWND_DESKTOP, canvas, reinterpret_cast<POINT*>(&r), 2);
        const std::string text = std::to_string(badges[i]);
        // A badge placed where an earlier one lies (a container's first
        // child sits at the container's corner) moves right of it.
        RECT place{r.left, r.top, r.left + 8 + 7 * static_cast<int>(text.size()), r.top + 15};
        for (bool moved = true; moved;) {
            moved = false;
            for (const RECT& other : placed) {
                RECT overlap;
                if (!IntersectRect(&overlap, &place, &other)) continue;
                OffsetRect(&place, other.right + 1 - place.left, 0);
                moved = true;
            }
        }
        placed.push_back(place);
        HWND b = CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | SS_CENTER | WS_BORDER,
                                 place.left, place.top, place.right - place.left, 15, canvas,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!b) continue;
        SendMessageA(b, WM_SETFONT, font, FALSE);
        SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        tabBadges.push_back(b);
    }
}

void Designer::toggleTabOrder() {
    tabOrderMode = !tabOrderMode;
    tk::SetMenuItemState(kMainMenu, MenuShowTabOrder, tabOrderMode ? 1 : 0);
    tabClicks.clear();
    if (tabOrderMode) unmarkAll();
    showTabBadges();
}

void Designer::tabOrderClick() {
    const POINT screen = tk::input().cursorPos();
    const auto hit = hitTest(design, screen, {false, false, false, false, true});
    waitForRelease(VK_LBUTTON);
    const auto scopes = scopesOf(design.items);
    const int unit = hit ? tabUnitOf(design, static_cast<size_t>(*hit)) : -1;
    if (unit < 0 || !scopes) {
        tabClicks.clear(); // a click on empty canvas starts a new order
        return;
    }
    // A click on another parent's gadget starts that parent's order afresh.
    const int first = tabClicks.empty() ? -1 : itemByNumber(design.items, tabClicks.front());
    if (first < 0 || (*scopes)[static_cast<size_t>(first)] != (*scopes)[static_cast<size_t>(unit)])
        tabClicks.clear();
    const int clicked = design.items[static_cast<size_t>(unit)].number;
    if (std::find(tabClicks.begin(), tabClicks.end(), clicked) != tabClicks.end()) return;
    tabClicks.push_back(clicked);
    Design trial = design;
    const TabOrderOutcome outcome = applyTabOrderOutcome(trial, tabClicks);
    if (outcome == TabOrderOutcome::JoinsOptionGroups) {
        // Two groups of options side by side would be one: this click does
        // not count, and the order stays.
        tabClicks.pop_back();
        MessageBeep(0);
    }
    if (outcome != TabOrderOutcome::Changed) return; // already in this order
    rebuildAround([&] { return applyTabOrder(design, tabClicks); });
    showTabBadges();
}

void Designer::sortTabOrder() {
    Design trial = design;
    if (!sortTabOrderByPosition(trial)) return;
    rebuildAround([&] { return sortTabOrderByPosition(design); });
    tabClicks.clear();
    showTabBadges();
}

void Designer::restack(Restack how, std::vector<size_t> items) {
    if (items.empty()) return;
    Design trial = design;
    const TabOrderOutcome outcome = restackUnits(trial, items, how);
    if (outcome == TabOrderOutcome::JoinsOptionGroups) MessageBeep(0);
    if (outcome != TabOrderOutcome::Changed) return;
    std::vector<int> numbers;
    for (const size_t i : items) numbers.push_back(design.items[i].number);
    unmark(sel);
    gesture = Gesture::Idle;
    restackUnits(design, items, how);
    // The items keep their live gadgets: the windows that share the moved
    // ones' parent window are stacked as building the canvas stacks them,
    // in list order with frames below.
    std::vector<size_t> moved;
    for (const int n : numbers)
        if (const int i = itemByNumber(design.items, n); i >= 0) moved.push_back(static_cast<size_t>(i));
    HWND first = moved.empty() ? nullptr : tk::GadgetID(number(design.items[moved.front()].id));
    if (HWND parent = first ? GetParent(first) : nullptr) {
        for (const bool frames : {false, true})
            for (const Item& it : design.items) {
                HWND h = it.id ? tk::GadgetID(number(it.id)) : nullptr;
                if (h && GetParent(h) == parent && (it.typ == Frame3DGadget) == frames)
                    SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0,
                                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
            }
        RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    rebuildTree();
    // The moved items stay marked, so the next key moves them on.
    groupItems(sel, design, moved, markImage);
    if (!sel.groupMode && sel.marked >= 0) selectTreeEntry(sel.marked);
    showFields();
    refreshTitle();
    tabClicks.clear();
    showTabBadges();
}

void Designer::showKeyboardCheck() {
    const std::string file(filePart(design.fileName));
    std::string text;
    for (const KeyboardFinding& f : checkKeyboardAccess(design))
        text += formatFinding(file, f) + "\r\n";
    if (text.empty()) text = file + ": no keyboard access problems found";
    if (prefs[PrefLearnerMode] != 1) {
        prefs[PrefLearnerMode] = 1;
        tk::SetMenuItemState(kMainMenu, MenuLearner, 1);
        tk::HideWindow(kLearnerWindow, false);
    }
    if (tipField)
        SendMessageA(tk::GadgetID(tipField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace zarnet::designer
