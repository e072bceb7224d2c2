// The shell's side of the selection: marking an item with its tree entry
// and fields, the field panel's three modes, deleting the selection.
#include "designer/shell/designer.h"

#include "designer/canvas/deletion.h"
#include "designer/properties/font_table.h"
#include "toolkit/toolkit.h"

#include <algorithm>

namespace zarnet::designer {

void Designer::markAndShow(size_t item, bool fromTree) {
    Item& it = design.items[item];
    if (it.typ == ListIconGadget && it.id)
        it.para1 = static_cast<int>(
            tk::GetGadgetItemAttribute(number(it.id), 0, tk::PB_ListIcon_ColumnWidth, 0));
    markItem(sel, design, item, markImage, fromTree);
    if (!fromTree) selectTreeEntry(static_cast<int>(item));
    showFields();
    rememberTypeDefaults(item);
}

void Designer::unmarkAll() {
    const Handle parent = sel.parent;
    unmark(sel);
    repaintGadget(parent);
    showFields();
}

void Designer::selectTreeEntry(int item) {
    HWND t = tk::GadgetID(tree);
    if (!t) return;
    HTREEITEM entry = item >= 0 && static_cast<size_t>(item) < design.items.size()
                          ? reinterpret_cast<HTREEITEM>(design.items[static_cast<size_t>(item)].treeitem)
                          : nullptr;
    TreeView_SelectItem(t, entry);
    if (entry) TreeView_EnsureVisible(t, entry);
}

void Designer::showFields() {
    auto text = [this](int f, const std::string& s) { tk::SetGadgetText(fields[f], s); };
    auto enable = [this](int f, bool on) { tk::DisableGadget(fields[f], !on); };
    auto state = [this](int f, bool on) { tk::SetGadgetState(fields[f], on ? 1 : 0); };
    if (sel.marked < 0 && !sel.groupMode) {
        clearFields();
        return;
    }
    const Rect& r = sel.rect;
    text(FieldX, std::to_string(r.x));
    text(FieldY, std::to_string(r.y));
    text(FieldWidth, std::to_string(r.w));
    text(FieldHeight, std::to_string(r.h));
    for (int f : {int(FieldX), int(FieldY), int(FieldFixed), int(FieldDisable), int(FieldHide)}) enable(f, true);
    for (const AnchorButton& a : kAnchorButtons) enable(a.field, true);
    enable(FieldFont, true);
    enable(FieldSelectFont, true);
    for (int f : {int(FieldTooltip), int(FieldEdit), int(FieldExtend)}) enable(f, true);
    if (!sel.groupMode) {
        const Item& it = design.items[static_cast<size_t>(sel.marked)];
        text(FieldName, it.name);
        enable(FieldName, true);
        text(FieldNumber, std::to_string(it.number));
        enable(FieldWidth, true);
        enable(FieldHeight, true);
        state(FieldFixed, it.status & kStatusFixed);
        state(FieldDisable, it.status & kStatusDisabled);
        state(FieldHide, it.status & kStatusHidden);
        for (const AnchorButton& a : kAnchorButtons) state(a.field, it.auto_ & a.bit);
        state(FieldFont, it.font >= 0);
        state(FieldTooltip, it.tooltip != 0);
        state(FieldExtend, it.tooltip == 2);
        return;
    }
    text(FieldName, "Group");
    enable(FieldName, false);
    text(FieldNumber, "");
    enable(FieldWidth, false);
    enable(FieldHeight, false);
    TreeView_SelectItem(tk::GadgetID(tree), nullptr);
    const WorkingList w = buildWorkingList(sel, design);
    auto every = [&](auto&& test, bool membersOnly) {
        if (membersOnly)
            return std::all_of(sel.group.begin(), sel.group.end(),
                               [&](const GroupMember& m) { return test(design.items[m.item]); });
        return std::all_of(w.items.begin(), w.items.end(), [&](size_t i) { return test(design.items[i]); });
    };
    state(FieldFixed, every([](const Item& it) { return (it.status & kStatusFixed) != 0; }, true));
    state(FieldDisable, every([](const Item& it) { return (it.status & kStatusDisabled) != 0; }, false));
    state(FieldHide, false);
    for (const AnchorButton& a : kAnchorButtons)
        state(a.field, every([&a](const Item& it) { return (it.auto_ & a.bit) != 0; }, true));
    state(FieldFont, !every([](const Item& it) { return it.font < 0; }, false));
    state(FieldTooltip, every([](const Item& it) { return it.tooltip != 0; }, false));
    state(FieldExtend, every([](const Item& it) { return it.tooltip == 2; }, false));
}

void Designer::deleteSelection() {
    const WorkingList w = buildWorkingList(sel, design);
    if (w.items.empty()) return;
    HWND t = tk::GadgetID(tree);
    EnableWindow(t, FALSE);
    for (size_t i : w.items) typeDefaults[static_cast<size_t>(design.items[i].typ)].font = -1;
    tooltipDefaults.tfont = -1;
    freeMarks(sel);
    const Deletion gone = deleteItems(design, w);
    // Fonts the deletion released may still be named by other types' defaults.
    forgetReleasedFonts(design, typeDefaults, tooltipDefaults);
    repaintGadget(gone.lastParent); // where the items were; a hidden parent stays hidden
    unmark(sel);
    gesture = Gesture::Idle;
    rebuildTree();
    clearFields();
    EnableWindow(t, TRUE);
    tk::SetActiveWindow(kCanvasWindow);
    tk::UseGadgetList(canvas);
    if (gone.any) refreshTitle();
}

} // namespace zarnet::designer
