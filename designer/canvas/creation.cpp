#include "designer/canvas/creation.h"

#include "designer/canvas/live_gadget.h"
#include "designer/canvas/placement.h"
#include "document/catalogue.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

namespace zarnet::designer {

namespace {

// The starting values of a new item of this type beyond the catalogue's.
Item startingItem(int typ, int x, int y, const TypeDefaults& defaults, const TooltipDefaults& t) {
    Item it = makeItem(typ);
    it.x = x;
    it.y = y;
    it.w = defaults.width;
    it.h = defaults.height;
    it.flags = defaults.flags;
    it.para1 = defaults.para1;
    it.para2 = defaults.para2;
    it.para3 = defaults.para3;
    it.font = -1;
    it.tfont = -1;
    it.ttime = t.ttime;
    it.tfcolor = t.tfcolor;
    it.tbcolor = t.tbcolor;
    it.twidth = t.twidth;
    it.tballoon = t.tballoon;
    switch (typ) {
    case CheckBoxGadget:
    case PanelGadget:
        it.flags = 0; // created without flags whatever the defaults say
        break;
    case ScrollAreaGadget:
        it.para1 = 2 * it.w;
        it.para2 = 2 * it.h;
        it.para3 = 10;
        break;
    case ImageGadget:
        it.aflag = 2;
        break;
    default:
        break;
    }
    return it;
}

} // namespace

std::optional<size_t> createItem(Design& d, int canvasWindow, int typ, int x, int y, int marked,
                                 int tab, const TypeDefaults& defaults,
                                 const TooltipDefaults& tooltips) {
    if (typ < 1 || typ > 28) return std::nullopt;
    const auto placement = placeNewItem(d, marked, tab, typ);
    if (!placement) return std::nullopt;
    const size_t at = insertNewItem(d, *placement, startingItem(typ, x, y, defaults, tooltips));
    if (placement->container >= 0) {
        const Item& parent = d.items[static_cast<size_t>(placement->container)];
        tk::OpenGadgetList(number(parent.id), parent.typ == PanelGadget ? tab : -1);
    }
    Item& it = d.items[at];
    createLiveGadget(it, d);
    // A frame lies below its siblings on the canvas as in the list.
    if (typ == Frame3DGadget && it.id)
        SetWindowPos(tk::GadgetID(number(it.id)), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (isParentType(typ)) {
        // Its records follow it: a panel's first tab, then the close record.
        for (size_t i = at + 1; i < d.items.size(); ++i) {
            Item& rec = d.items[i];
            rec.parent = it.id;
            if (rec.typ == kTabRecord && it.id) tk::AddGadgetItem(number(it.id), -1, rec.wtext);
            if (rec.typ == kCloseRecord) break;
        }
        if (it.id) tk::CloseGadgetList();
    }
    tk::UseGadgetList(tk::WindowID(canvasWindow));
    tk::DrainEvents();
    return at;
}

} // namespace zarnet::designer
