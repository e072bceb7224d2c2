// The property editors as the designer opens them: the marked gadget's
// context pop-up (right button), the values editor (RETURN), and the
// object manager's font and tooltip controls.
#include "designer/shell/designer.h"

#include "designer/properties/editors.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

EditorHost Designer::editorHost() {
    EditorHost h;
    h.design = &design;
    h.canvas = canvas;
    h.canvasWindow = kCanvasWindow;
    h.typeDefaults = &typeDefaults;
    h.tooltipDefaults = &tooltipDefaults;
    h.colourFront = &colourFront;
    h.colourBack = &colourBack;
    h.tempImageFile = tempImageFile;
    h.creationMenu = kCreationMenu;
    h.refreshTitle = [this] { refreshTitle(); };
    h.rebuildCanvas = [this](bool keep) { rebuildCanvas(keep); };
    h.createInside = [this](int typ, POINT at) {
        ClientToScreen(canvas, &at);
        createAt(typ, at, false);
    };
    h.removeContainer = [this](size_t item) { removeContainerItem(item); };
    h.removeSplitter = [this](size_t item) { removeSplitterItem(item); };
    h.retitleTreeEntry = [this](size_t item) { retitleTreeEntry(item); };
    h.rebuildTree = [this] { rebuildTree(); };
    h.remark = [this](size_t item) {
        if (item >= design.items.size() || !design.items[item].isGadget()) return;
        markItem(sel, design, item, markImage, false);
        showFields();
    };
    return h;
}

std::vector<size_t> Designer::selectedItems() const {
    std::vector<size_t> items;
    if (sel.groupMode)
        for (const GroupMember& m : sel.group) items.push_back(m.item);
    else if (sel.marked >= 0)
        items.push_back(static_cast<size_t>(sel.marked));
    return items;
}

void Designer::retitleTreeEntry(size_t item) {
    if (item >= design.items.size()) return;
    Item& it = design.items[item];
    if (!it.treeitem) return;
    const std::string text = it.typ == kTabRecord ? it.wtext : treeText(it);
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = reinterpret_cast<HTREEITEM>(it.treeitem);
    tv.pszText = const_cast<char*>(text.c_str());
    SendMessageA(tk::GadgetID(tree), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

void Designer::openContextMenu() {
    if (sel.marked < 0 || sel.groupMode) return;
    EditorHost host = editorHost();
    const size_t item = static_cast<size_t>(sel.marked);
    const bool values = runContextPopup(host, item, clickPosition);
    tk::SetActiveWindow(kCanvasWindow);
    tk::UseGadgetList(canvas);
    if (values && sel.marked >= 0) openValuesEditor();
    refreshTitle();
}

void Designer::openValuesEditor() {
    if (sel.marked < 0 || sel.groupMode) return;
    EditorHost host = editorHost();
    runValuesEditor(host, static_cast<size_t>(sel.marked));
    tk::SetActiveWindow(kCanvasWindow);
    tk::UseGadgetList(canvas);
    refreshTitle();
}

void Designer::fontOrTooltipField(int field) {
    const std::vector<size_t> items = selectedItems();
    if (items.empty()) return;
    EditorHost host = editorHost();
    const bool checked = tk::GetGadgetState(fields[field]) != 0;
    switch (field) {
    case FieldFont:
        tk::SetGadgetState(fields[FieldFont], fontSwitched(host, items, checked) ? 1 : 0);
        break;
    case FieldSelectFont:
        tk::SetGadgetState(fields[FieldFont],
                           selectNewFont(host, items, tk::GetGadgetState(fields[FieldFont]) != 0) ? 1 : 0);
        break;
    case FieldTooltip:
    case FieldExtend:
    case FieldEdit: {
        TooltipSwitches now{tk::GetGadgetState(fields[FieldTooltip]) != 0,
                            tk::GetGadgetState(fields[FieldExtend]) != 0};
        TooltipSwitches shown;
        if (field == FieldEdit) {
            shown = editTooltip(host, items, now);
        } else {
            const TooltipControl c = field == FieldTooltip
                                         ? (checked ? TooltipControl::TooltipOn : TooltipControl::TooltipOff)
                                         : (checked ? TooltipControl::ExtendOn : TooltipControl::ExtendOff);
            shown = tooltipSwitched(host, items, c, now);
        }
        tk::SetGadgetState(fields[FieldTooltip], shown.tooltip ? 1 : 0);
        tk::SetGadgetState(fields[FieldExtend], shown.extend ? 1 : 0);
        break;
    }
    default:
        return;
    }
    refreshTitle();
    if (field != FieldEdit) showTip(11);
}

} // namespace zarnet::designer
