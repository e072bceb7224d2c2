// The object manager's side of editing: its branch of the main loop, the
// tree entry that marks its item, CONTROL hiding the selected item, the
// fields applied as typed, and reordering by dragging tree entries.
#include "designer/shell/designer.h"

#include "designer/canvas/live_gadget.h"
#include "designer/canvas/moving.h"
#include "designer/canvas/structure.h"
#include "toolkit/toolkit.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

// Typed positions and sizes are kept to what a window can hold.
constexpr long kFarthest = 10000;

// The entries in the order the tree shows them (every node is expanded).
std::vector<HTREEITEM> entriesInOrder(HWND t) {
    std::vector<HTREEITEM> out;
    for (HTREEITEM e = TreeView_GetRoot(t); e; e = TreeView_GetNextVisible(t, e)) out.push_back(e);
    return out;
}

void refusedDrop() {
    for (int i = 0; i < 3; ++i) {
        Beep(400, 30);
        Beep(800, 30);
    }
}

} // namespace

int Designer::itemOfTreeEntry(HTREEITEM entry) const {
    if (!entry) return -1;
    for (size_t i = 0; i < design.items.size(); ++i)
        if (reinterpret_cast<HTREEITEM>(design.items[i].treeitem) == entry) return static_cast<int>(i);
    return -1;
}

void Designer::objectManagerBranch() {
    RECT clip, screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetClipCursor(&clip) && !EqualRect(&clip, &screen)) ClipCursor(nullptr);
    tk::InputSource& in = tk::input();
    for (int key : {VK_DELETE, VK_RETURN, VK_CONTROL}) in.asyncKeyState(key);
    if (findFieldKeys()) return;
    HWND t = tk::GadgetID(tree);
    HTREEITEM selected = TreeView_GetSelection(t);
    // Keys typed into a field (a name, a position) are the field's: DEL and
    // RETURN act on the tree's entry only while the tree has the focus.
    const bool treeFocused = GetFocus() == t;
    const bool del = treeFocused && sampled(VK_DELETE);
    if (treeFocused && (del || sampled(VK_RETURN)) && selected) {
        followTreeSelection(true);
        const std::vector<HTREEITEM> before = entriesInOrder(t);
        const size_t at = static_cast<size_t>(std::find(before.begin(), before.end(), selected) - before.begin());
        // A tab's entry stands for its panel only for marking; DEL does not
        // take the whole panel away from it.
        const int item = itemOfTreeEntry(selected);
        if (del && item >= 0 && design.items[static_cast<size_t>(item)].typ == kTabRecord) {
            waitForRelease(VK_DELETE);
            return;
        }
        keyboardHandler(true);
        if (del) {
            const std::vector<HTREEITEM> after = entriesInOrder(t);
            if (!after.empty()) {
                TreeView_SelectItem(t, after[std::min(at, after.size() - 1)]);
                followTreeSelection(true);
            }
            // The keys stay with the tree: the next arrow walks it, and
            // never moves a gadget on the canvas.
            keepKeysInTree();
        }
        return;
    }
    if (treeFocused && sampled(VK_CONTROL)) {
        // CONTROL alone hides or shows the entry's item when it is let go;
        // with Z or Y it undoes or redoes instead.
        if (!controlChord() && selected) toggleHiddenFromTree(selected);
        return;
    }
    if (event != tk::PB_Event_Gadget) return;
    const int gadget = tk::EventGadget();
    if (gadget == tree) {
        followTreeSelection(false);
        return;
    }
    if (gadget == findField) {
        filterTree(tk::GetGadgetText(findField));
        return;
    }
    const auto found = std::find(fields.begin(), fields.end(), gadget);
    if (gadget <= 0 || found == fields.end()) return;
    fieldEvent(static_cast<int>(found - fields.begin()));
}

void Designer::followTreeSelection(bool always) {
    HWND t = tk::GadgetID(tree);
    HTREEITEM entry = TreeView_GetSelection(t);
    if (!entry || (!always && entry == lastTreeSelection)) return;
    lastTreeSelection = entry;
    int item = itemOfTreeEntry(entry);
    if (item < 0) return;
    gesture = Gesture::Idle;
    if (design.items[static_cast<size_t>(item)].typ == kTabRecord) {
        // A tab's entry shows that tab and marks its panel.
        const Item& tab = design.items[static_cast<size_t>(item)];
        const int panel = itemOfGadget(design, tab.parent);
        if (panel < 0) return;
        unmarkAll();
        markAndShow(static_cast<size_t>(panel), true);
        tk::SetGadgetState(number(tab.parent), tab.number);
        sel.switchedPanel = 0; // the user chose this tab: it stays
        return;
    }
    if (!design.items[static_cast<size_t>(item)].isGadget()) return;
    unmarkAll();
    markAndShow(static_cast<size_t>(item), true);
    sel.switchedPanel = 0;
}

void Designer::toggleHiddenFromTree(HTREEITEM entry) {
    const int at = itemOfTreeEntry(entry);
    if (at < 0 || !design.items[static_cast<size_t>(at)].isGadget()) return;
    Item& it = design.items[static_cast<size_t>(at)];
    noteEdit(design);
    refreshTitle();
    it.status ^= kStatusHidden;
    setHidden(it, (it.status & kStatusHidden) != 0);
    tk::SetGadgetState(fields[FieldHide], (it.status & kStatusHidden) ? 1 : 0);
}

void Designer::setHidden(Item& it, bool hidden) {
    if (hidden)
        it.status |= kStatusHidden;
    else
        it.status &= ~kStatusHidden;
    if (it.id) tk::HideGadget(number(it.id), hidden);
    // A panel parent stays on the tab it shows.
    if (it.parent && tk::IsGadget(number(it.parent))) {
        const int up = itemOfGadget(design, it.parent);
        if (up >= 0 && design.items[static_cast<size_t>(up)].typ == PanelGadget)
            tk::SetGadgetState(number(it.parent), tk::GetGadgetState(number(it.parent)));
    }
    rewriteTreeText(it);
}

void Designer::rewriteTreeText(const Item& it) {
    if (it.treeitem) {
        const std::string text = treeText(it);
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = reinterpret_cast<HTREEITEM>(it.treeitem);
        tv.pszText = const_cast<char*>(text.c_str());
        SendMessageA(tk::GadgetID(tree), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    }
}

void Designer::fieldEvent(int field) {
    const bool any = sel.marked >= 0 || sel.groupMode;
    switch (field) {
    case FieldGrid5:
        setGridFromButton(5);
        return;
    case FieldGrid10:
        setGridFromButton(10);
        return;
    case FieldUserGrid:
        if (tk::EventType() == tk::PB_EventType_Change) setGridFromField();
        return;
    default:
        break;
    }
    if (!any) return;
    switch (field) {
    case FieldName:
    case FieldX:
    case FieldY:
    case FieldWidth:
    case FieldHeight: {
        if (tk::EventType() != tk::PB_EventType_Change) return;
        const uint64_t before = design.revision;
        if (field != FieldName)
            applyTypedRect(field);
        else if (!sel.groupMode)
            renameMarked();
        noteTyping(field, before);
        return;
    }
    case FieldFixed:
    case FieldDisable:
    case FieldHide:
        toggleStatus(field);
        return;
    case FieldFont:
    case FieldSelectFont:
    case FieldTooltip:
    case FieldExtend:
    case FieldEdit:
        fontOrTooltipField(field);
        return;
    default:
        break;
    }
    for (const AnchorButton& a : kAnchorButtons) {
        if (a.field != field) continue;
        noteEdit(design);
        refreshTitle();
        const bool on = tk::GetGadgetState(fields[field]) != 0;
        auto apply = [&](Item& it) { it.auto_ = on ? (it.auto_ | a.bit) : (it.auto_ & ~a.bit); };
        if (sel.groupMode)
            for (const GroupMember& m : sel.group) apply(design.items[m.item]);
        else
            apply(design.items[static_cast<size_t>(sel.marked)]);
        showTip(11);
    }
}

void Designer::noteTyping(int field, uint64_t revisionBefore) {
    if (design.revision == revisionBefore) return;
    if (typingField != field) {
        typingField = field;
        ++typingVisits;
    }
    pendingMergeKey = (typingVisits + 1) * 2;
}

void Designer::renameMarked() {
    Item& it = design.items[static_cast<size_t>(sel.marked)];
    // An emptied field names the item by its type, as the next load would;
    // the field itself is left as typed.
    std::string name = tk::GetGadgetText(fields[FieldName]);
    if (name.empty()) name = std::string(typeName(it.typ));
    if (name == it.name) return;
    it.name = name;
    noteEdit(design);
    refreshTitle();
    if (it.id) tk::GadgetToolTip(number(it.id), canvasTooltip(it));
    rewriteTreeText(it);
}

void Designer::applyTypedRect(int field) {
    // A splitter places its two gadgets itself, as it does for the mouse
    // and the keys.
    if (!sel.groupMode && sel.marked >= 0 &&
        design.items[static_cast<size_t>(sel.marked)].insplitter == 1)
        return;
    const long typed = decimalValue(tk::GetGadgetText(fields[field]));
    const bool size = field == FieldWidth || field == FieldHeight;
    const long low = size ? 1 : -kFarthest;
    if (typed < low) return; // not yet a size: wait for more typing
    const int value = static_cast<int>(std::min(typed, kFarthest));
    if (value != typed) tk::SetGadgetText(fields[field], std::to_string(value));
    Rect r = sel.rect;
    switch (field) {
    case FieldX: r.x = value; break;
    case FieldY: r.y = value; break;
    case FieldWidth: r.w = value; break;
    default: r.h = value; break;
    }
    if (r == sel.rect) return;
    if (size) {
        if (sel.groupMode) return;
        sizeMarkedTo(sel, design, r);
    } else if (!moveSelectionTo(sel, design, {r.x, r.y})) {
        return;
    }
    if (!sel.groupMode) {
        scrollIntoView(design, static_cast<size_t>(sel.marked));
        sel.atMarking = sel.rect;
    }
    refreshTitle();
}

void Designer::toggleStatus(int field) {
    noteEdit(design);
    refreshTitle();
    const int bit = field == FieldFixed ? kStatusFixed : field == FieldDisable ? kStatusDisabled : kStatusHidden;
    const bool on = tk::GetGadgetState(fields[field]) != 0;
    auto apply = [&](Item& it) {
        if (bit == kStatusHidden) {
            setHidden(it, on);
            return;
        }
        it.status = on ? (it.status | bit) : (it.status & ~bit);
        if (bit == kStatusDisabled && it.id) tk::DisableGadget(number(it.id), on);
    };
    if (sel.groupMode) {
        const WorkingList w = buildWorkingList(sel, design);
        for (size_t i : w.items) {
            // Hiding touches the members only; Fixed and Disable their
            // splitters' gadgets too.
            const bool member = std::any_of(sel.group.begin(), sel.group.end(),
                                            [i](const GroupMember& m) { return m.item == i; });
            if (member || bit != kStatusHidden) apply(design.items[i]);
        }
        if (bit == kStatusHidden) {
            unmarkAll();
            TreeView_SelectItem(tk::GadgetID(tree), nullptr);
        }
    } else {
        apply(design.items[static_cast<size_t>(sel.marked)]);
    }
    showTip(bit == kStatusHidden ? 9 : 11);
}

// ---- Reordering by dragging tree entries.

void Designer::beginTreeDrag(HTREEITEM entry) {
    HWND t = tk::GadgetID(tree);
    treeDragged = entry;
    treeDragImage = TreeView_CreateDragImage(t, entry);
    TreeView_SelectDropTarget(t, nullptr);
    if (treeDragImage) {
        ImageList_BeginDrag(treeDragImage, 0, 0, -13);
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(t, &p);
        ImageList_DragEnter(t, p.x, p.y);
    }
    ShowCursor(FALSE);
    SetCapture(objectManager);
}

void Designer::treeDragMove() {
    if (!treeDragged) return;
    HWND t = tk::GadgetID(tree);
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(t, &p);
    if (treeDragImage) ImageList_DragMove(p.x, p.y);
    TVHITTESTINFO hit{};
    hit.pt = p;
    HTREEITEM under = TreeView_HitTest(t, &hit);
    if (treeDragImage) ImageList_DragShowNolock(FALSE);
    TreeView_SelectDropTarget(t, under);
    if (treeDragImage) ImageList_DragShowNolock(TRUE);
}

void Designer::endTreeDrag() {
    if (!treeDragged) return;
    HWND t = tk::GadgetID(tree);
    if (treeDragImage) {
        ImageList_EndDrag();
        ImageList_DragLeave(t);
        ImageList_Destroy(treeDragImage);
        treeDragImage = nullptr;
    }
    ReleaseCapture();
    ShowCursor(TRUE);
    HTREEITEM target = TreeView_GetDropHilight(t);
    TreeView_SelectDropTarget(t, nullptr);
    const int dragged = itemOfTreeEntry(treeDragged);
    treeDragged = nullptr;
    dropTreeEntry(dragged, itemOfTreeEntry(target));
}

bool Designer::dropTreeEntry(int dragged, int target) {
    if (dragged < 0 || target < 0) {
        refusedDrop();
        return false;
    }
    // Tried on a copy first, so a refused drop costs no rebuild.
    Design trial = design;
    if (!reorder(trial, static_cast<size_t>(dragged), static_cast<size_t>(target))) {
        refusedDrop();
        return false;
    }
    const int moved = design.items[static_cast<size_t>(dragged)].number;
    const bool done = rebuildAround([&] {
        return reorder(design, static_cast<size_t>(dragged), static_cast<size_t>(target));
    });
    // The moved entry is chosen where it now stands, its item marked, and
    // the keys stay with the tree.
    if (const int at = itemByNumber(design.items, moved); done && at >= 0) {
        TreeView_SelectItem(tk::GadgetID(tree),
                            reinterpret_cast<HTREEITEM>(design.items[static_cast<size_t>(at)].treeitem));
        followTreeSelection(true);
    }
    keepKeysInTree();
    return done;
}

void Designer::keepKeysInTree() {
    tk::SetActiveWindow(kObjectManagerWindow);
    SetFocus(tk::GadgetID(tree));
}

} // namespace zarnet::designer
