// The object manager's find box: a one-line field above the tree whose
// text filters the tree as it is typed. CTRL+F (on the canvas or in the
// tree) puts the focus there, ESC empties it, RETURN marks the first item
// found as choosing its entry in the tree does. Filtering only leaves
// entries out of the tree: the design, its canvas and its history stay.
#include "designer/shell/designer.h"

#include "designer/shell/tree_filter.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

void Designer::openFindField() {
    findField = tk::StringGadget(tk::PB_Any, 0, 0, prefs[PrefObjectManagerWidth], kFindFieldHeight, "");
    HWND field = tk::GadgetID(findField);
    // Shown greyed in the empty field where the edit control can (visual
    // styles); the tooltip says it everywhere.
    SendMessageW(field, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"Find (Ctrl+F)"));
    tk::GadgetToolTip(findField, "Find by name, type or text (Ctrl+F)");
}

void Designer::filterTree(const std::string& text) {
    if (text == treeFilter) return;
    treeFilter = text;
    showTreeEntries(treeFilterKeeps(design.items, treeFilter));
    // The marked item's entry stays chosen while it is in the tree; choosing
    // it here marks nothing anew.
    if (sel.marked >= 0 && !sel.groupMode) {
        selectTreeEntry(sel.marked);
        lastTreeSelection = TreeView_GetSelection(tk::GadgetID(tree));
    }
}

void Designer::showTreeEntries(const std::vector<bool>& keep) {
    HWND t = tk::GadgetID(tree);
    if (!t) return;
    // A chosen entry taken out would hand the choice to its neighbour,
    // and the loop would mark that neighbour's item.
    TreeView_SelectItem(t, nullptr);
    lastTreeSelection = nullptr;
    const bool shown = IsWindowVisible(t); // as the rebuild does, filled while hidden
    if (shown) ShowWindow(t, SW_HIDE);
    SendMessageA(t, WM_SETREDRAW, FALSE, 0);
    // Per open node: where its entries go and the last one there; `gone`
    // when its entry was taken out now, which took every entry below along.
    struct Node {
        HTREEITEM container, current, lastTab = nullptr, last = nullptr;
        bool gone = false, currentGone = false;
    };
    Node root{TVI_ROOT, TVI_ROOT};
    std::vector<Node> open;
    // One entry brought in line; true when it was taken out now.
    auto follow = [&](size_t i, HTREEITEM parent, HTREEITEM& last, bool gone, int icon) {
        Item& it = design.items[i];
        auto entry = reinterpret_cast<HTREEITEM>(it.treeitem);
        bool removed = false;
        if (gone) {
            entry = nullptr;
        } else if (keep[i] && !entry) {
            const std::string text = it.typ == kTabRecord ? it.wtext : treeText(it);
            entry = insertTreeEntry(t, parent, text, icon, last ? last : TVI_FIRST);
        } else if (!keep[i] && entry) {
            TreeView_DeleteItem(t, entry);
            entry = nullptr;
            removed = true;
        }
        it.treeitem = reinterpret_cast<Handle>(entry);
        if (entry) last = entry;
        return removed;
    };
    for (size_t i = 0; i < design.items.size(); ++i) {
        const Item& it = design.items[i];
        if (it.typ == kCloseRecord) {
            if (!open.empty()) open.pop_back();
            continue;
        }
        if (it.typ == kTabRecord) {
            if (open.empty()) continue;
            Node& n = open.back();
            n.currentGone = follow(i, n.container, n.lastTab, n.gone, kTabIcon) || n.gone;
            n.current = reinterpret_cast<HTREEITEM>(it.treeitem);
            n.last = nullptr;
            continue;
        }
        Node& n = open.empty() ? root : open.back();
        const bool gone = follow(i, n.current, n.last, n.gone || n.currentGone, treeIcon(it)) ||
                          n.gone || n.currentGone;
        if (isParentType(it.typ)) {
            auto entry = reinterpret_cast<HTREEITEM>(it.treeitem);
            open.push_back({entry, entry});
            open.back().gone = open.back().currentGone = gone;
        }
    }
    if (HTREEITEM first = TreeView_GetRoot(t)) TreeView_EnsureVisible(t, first);
    SendMessageA(t, WM_SETREDRAW, TRUE, 0);
    if (shown) ShowWindow(t, SW_SHOWNA);
}

bool Designer::findKeys() {
    if (!sampled(VK_CONTROL) || !keyDown('F')) return false;
    if (prefs[PrefObjectManagerVisible] == 0) {
        // As choosing "Object Manager" in the menu would.
        tk::SetMenuItemState(kMainMenu, MenuObjectManager, 1);
        prefs[PrefObjectManagerVisible] = 1;
        tk::HideWindow(kObjectManagerWindow, false);
    }
    SetForegroundWindow(objectManager);
    tk::SetActiveWindow(kObjectManagerWindow);
    HWND field = tk::GadgetID(findField);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1); // typing replaces what was found before
    waitForRelease('F');
    return true;
}

bool Designer::findFieldKeys() {
    HWND focus = GetFocus();
    const bool inField = focus == tk::GadgetID(findField);
    if (!inField && !(focus == tk::GadgetID(tree) && !treeFilter.empty())) return false;
    if (keyDown(VK_ESCAPE)) {
        tk::SetGadgetText(findField, "");
        filterTree("");
        waitForRelease(VK_ESCAPE);
        return true;
    }
    if (!inField || !keyDown(VK_RETURN)) return false;
    waitForRelease(VK_RETURN);
    markFirstMatch();
    return true;
}

void Designer::markFirstMatch() {
    // The field's text as it stands, should its change not have come yet.
    filterTree(tk::GetGadgetText(findField));
    const int item = firstTreeMatch(design.items, treeFilter);
    HTREEITEM entry =
        item >= 0 ? reinterpret_cast<HTREEITEM>(design.items[static_cast<size_t>(item)].treeitem) : nullptr;
    if (!entry) {
        MessageBeep(MB_ICONASTERISK);
        return;
    }
    HWND t = tk::GadgetID(tree);
    TreeView_SelectItem(t, entry);
    TreeView_EnsureVisible(t, entry);
    followTreeSelection(true);
    // The keys go to the canvas now: the next arrow or DEL acts on the
    // item found.
    SetForegroundWindow(canvas);
    tk::SetActiveWindow(kCanvasWindow);
    SetFocus(tk::GadgetID(focusControl));
    tk::UseGadgetList(canvas);
}

void Designer::refilterAfterEdits() {
    if (treeFilter.empty()) return;
    // A rename, a new text or an undo may have made an item match, or no
    // longer: the tree follows when its entries differ from the filter's.
    const std::vector<bool> keep = treeFilterKeeps(design.items, treeFilter);
    for (size_t i = 0; i < keep.size(); ++i) {
        if (keep[i] == (design.items[i].treeitem != 0)) continue;
        const std::string text = treeFilter;
        treeFilter.clear(); // filterTree acts on a change only
        filterTree(text);
        return;
    }
}

} // namespace zarnet::designer
