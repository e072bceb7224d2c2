#include "designer/properties/live_update.h"

#include "designer/canvas/live_gadget.h"
#include "document/catalogue.h"
#include "toolkit/toolkit.h"

#include <commctrl.h>

namespace zarnet::designer {

namespace {

constexpr LONG kBorderStyles = WS_BORDER | WS_DLGFRAME;
constexpr LONG kBorderExStyles =
    WS_EX_WINDOWEDGE | WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;

} // namespace

int gadgetOf(const Item& it) { return static_cast<int>(it.id); }

int parentItem(const Design& d, const Item& it) {
    if (!it.parent) return -1;
    for (size_t i = 0; i < d.items.size(); ++i)
        if (d.items[i].isGadget() && d.items[i].id == it.parent) return static_cast<int>(i);
    return -1;
}

void refreshFromGadget(Item& it) {
    const int g = gadgetOf(it);
    if (it.typ == ImageGadget || !g || !tk::IsGadget(g)) return;
    it.x = tk::GadgetX(g);
    it.y = tk::GadgetY(g);
    it.w = tk::GadgetWidth(g);
    if (it.typ != ComboBoxGadget && it.typ != ExplorerComboGadget) it.h = tk::GadgetHeight(g);
    if (it.typ == ListIconGadget)
        it.para1 = static_cast<int>(SendMessageA(tk::GadgetID(g), LVM_GETCOLUMNWIDTH, 0, 0));
    else
        it.wtext = tk::GetGadgetText(g);
}

void recreateGadget(EditorHost& host, size_t index) {
    Design& d = *host.design;
    const int parent = parentItem(d, d.items[index]);
    if (parent >= 0) {
        const Item& p = d.items[static_cast<size_t>(parent)];
        tk::OpenGadgetList(gadgetOf(p), p.typ == PanelGadget ? d.items[index].tab : -1);
    } else {
        tk::UseGadgetList(host.canvas);
    }
    Item& it = d.items[index];
    freeLiveGadget(it);
    createLiveGadget(it, d);
    // A frame lies below its siblings, as it does when first made.
    if (it.typ == Frame3DGadget && it.id)
        SetWindowPos(tk::GadgetID(gadgetOf(it)), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    tk::DrainEvents();
    if (parent >= 0) tk::CloseGadgetList();
    tk::UseGadgetList(host.canvas);
}

void restyleBorder(const Item& it, NativeBorderStyle border) {
    const int g = gadgetOf(it);
    HWND hwnd = tk::GadgetID(g);
    if (!hwnd) return;
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const LONG ex = GetWindowLongA(hwnd, GWL_EXSTYLE);
    SetWindowLongA(hwnd, GWL_EXSTYLE,
                   (ex & ~kBorderExStyles) | (static_cast<LONG>(border.exStyle) & kBorderExStyles));
    SetWindowLongA(hwnd, GWL_STYLE,
                   (style & ~kBorderStyles) | (static_cast<LONG>(border.style) & kBorderStyles));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // A size change makes composite gadgets lay out their insides again.
    const int w = tk::GadgetWidth(g);
    tk::ResizeGadget(g, -1, -1, w - 1, -1);
    tk::DrainEvents();
    tk::ResizeGadget(g, -1, -1, w, -1);
    tk::DrainEvents();
    if (!(it.status & kStatusHidden)) {
        tk::HideGadget(g, true);
        tk::HideGadget(g, false);
    }
    if (HWND parent = GetParent(hwnd)) RedrawWindow(parent, nullptr, nullptr,
                                                    RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
}

} // namespace zarnet::designer
