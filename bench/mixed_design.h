// The 1,000-gadget design of mixed kinds the Windows benchmarks load.
#pragma once

#include "document/catalogue.h"
#include "document/model.h"

namespace zarnet {

inline constexpr int kGadgets = 1000;

inline Item& addBenchItem(Design& d, int typ, int x, int y) {
    Item it = makeItem(typ);
    it.number = static_cast<int16_t>(d.takeNumber());
    it.x = x;
    it.y = y;
    if (typ == ListIconGadget) it.para1 = 60;
    d.items.push_back(std::move(it));
    return d.items.back();
}

// Blocks of 29 gadgets: three parents holding a few gadgets each, fifteen
// single controls, and a splitter over two buttons.
inline Design mixedDesign() {
    Design d;
    d.clientWidth = 1000;
    d.clientHeight = 800;
    int made = 0, x = 0;
    auto room = [&](int n) { return made + n <= kGadgets; };
    auto one = [&](int typ) -> Item& {
        ++made;
        x = (x + 37) % 900;
        return addBenchItem(d, typ, x, (made * 13) % 700);
    };
    while (made < kGadgets) {
        if (room(4)) {
            one(ContainerGadget);
            for (int t : {ButtonGadget, TextGadget, StringGadget})
                one(t);
            d.items.push_back(makeCloseRecord());
        }
        if (room(4)) {
            one(PanelGadget);
            d.items.push_back(makeTabRecord(0, "Tab"));
            for (int t : {CheckBoxGadget, OptionGadget, OptionGadget})
                one(t);
            d.items.push_back(makeCloseRecord());
        }
        if (room(3)) {
            Item& area = one(ScrollAreaGadget);
            area.para1 = area.para2 = 300;
            area.para3 = 10;
            for (int t : {ComboBoxGadget, ListViewGadget})
                one(t);
            d.items.push_back(makeCloseRecord());
        }
        for (int t : {ProgressBarGadget, TrackBarGadget, ScrollBarGadget, SpinGadget, Frame3DGadget,
                      HyperLinkGadget, ImageGadget, ButtonImageGadget, EditorGadget, ListIconGadget,
                      TreeGadget, DateGadget, IPAddressGadget, WebGadget, CalendarGadget})
            if (room(1)) one(t);
        if (room(3)) {
            const int a = one(ButtonGadget).number;
            const int b = one(ButtonGadget).number;
            Item& s = one(SplitterGadget);
            s.para1 = a;
            s.para2 = b;
            s.para3 = 30;
        }
    }
    return d;
}

} // namespace zarnet
