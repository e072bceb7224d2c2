// Creating items from the canvas: the creation menu, SPACE and two typed
// letters, at top level or inside the marked panel, scroll area or
// container; and the type defaults new items start from.
#include "designer/shell/designer.h"

#include "designer/canvas/letter_chooser.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

void Designer::seedTypeDefaults() {
    for (int typ = 1; typ <= kTypeCount; ++typ) typeDefaults[static_cast<size_t>(typ)] = gadgetType(typ).defaults;
}

void Designer::rememberTypeDefaults(size_t index) {
    const Item& it = design.items[index];
    if (!it.isGadget()) return;
    TypeDefaults& t = typeDefaults[static_cast<size_t>(it.typ)];
    const Rect r = itemRect(it);
    t.width = r.w;
    t.height = r.h;
    t.flags = it.flags;
    t.font = it.font;
    // A marked item's ranges are what the next item of its type starts with.
    t.para1 = it.para1;
    t.para2 = it.para2;
    t.para3 = it.para3;
    if (!isParentType(it.typ) && it.typ != SplitterGadget) lastCreatedType = it.typ;
    if (it.tooltip == 2) {
        tooltipDefaults.ttime = it.ttime;
        tooltipDefaults.tfcolor = it.tfcolor;
        tooltipDefaults.tbcolor = it.tbcolor;
        tooltipDefaults.tfont = it.tfont;
        tooltipDefaults.twidth = it.twidth;
        tooltipDefaults.tballoon = it.tballoon;
    }
    if (it.color) {
        colourFront = it.frontColor;
        colourBack = it.backColor;
    }
}

PasteTarget Designer::markedContainer() {
    if (sel.marked < 0 || sel.groupMode || !isParentType(sel.typ)) return {};
    const Item& c = design.items[static_cast<size_t>(sel.marked)];
    return {sel.marked,
            c.typ == PanelGadget ? static_cast<int>(tk::GetGadgetState(number(c.id))) : 0};
}

HWND Designer::listWindow(int container, int tab) {
    if (container < 0) return canvas;
    // The container's own list: its inner area for a scroll area (the
    // scroll position is in it), the shown page for a panel.
    const int c = number(design.items[static_cast<size_t>(container)].id);
    HWND list = tk::GadgetListHandle(c, tab);
    return list ? list : tk::GadgetID(c);
}

bool Designer::createAtCursor(int typ, bool space) {
    return createAt(typ, tk::input().cursorPos(), space);
}

bool Designer::createAt(int typ, POINT p, bool space) {
    const PasteTarget target = markedContainer();
    const int container = target.container, tab = target.tab;
    ScreenToClient(listWindow(container, tab), &p);
    if (space) {
        const bool grid = prefs[PrefGridSnap] == 1;
        p.x = spaceCreationPosition(p.x, gridSize, grid);
        p.y = spaceCreationPosition(p.y, gridSize, grid);
    }
    const auto at = createItem(design, kCanvasWindow, typ, p.x, p.y, container, tab,
                               typeDefaults[static_cast<size_t>(typ)], tooltipDefaults);
    if (!at) return false;
    if (!isParentType(typ)) lastCreatedType = typ;
    rebuildTree();
    showTip(isParentType(typ) ? 5 : typ == Frame3DGadget ? 6 : 2);
    refreshTitle();
    return true;
}

bool Designer::twoLetterCreation() {
    // Letters with CONTROL are commands (undo, redo), never a type's name.
    if (sampled(VK_CONTROL)) return false;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!keyDown(letter)) continue;
        if (typesStartingWith(letter).empty()) return false;
        const int typ = chooseByLetters(letter, fixedFont, canvas);
        if (!typ) return false;
        SetFocus(tk::GadgetID(focusControl));
        return createAtCursor(typ, false);
    }
    return false;
}

void Designer::createFromMenu(int typ) {
    const auto at = createItem(design, kCanvasWindow, typ, menuPosition.x, menuPosition.y, -1, 0,
                               typeDefaults[static_cast<size_t>(typ)], tooltipDefaults);
    if (!at) return;
    if (!isParentType(typ)) lastCreatedType = typ;
    rebuildTree();
    showTip(isParentType(typ) ? 5 : typ == Frame3DGadget ? 6 : 2);
    refreshTitle();
}

} // namespace zarnet::designer
