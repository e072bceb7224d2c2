// Designs the document tests build from code.
#pragma once

#include "document/catalogue.h"
#include "document/model.h"

namespace zarnet::test {

inline Item& addItem(Design& d, int typ, int x = 0, int y = 0) {
    Item it = makeItem(typ);
    it.number = static_cast<int16_t>(d.takeNumber());
    it.x = x;
    it.y = y;
    d.items.push_back(std::move(it));
    return d.items.back();
}

// One item of every type 1..29, nested in a panel (two tabs), a scroll area
// and a container, with a splitter over two buttons, fonts, tooltips,
// pictures and anchors.
inline Design everyTypeDesign() {
    Design d;
    d.fonts.push_back({1, 0, 12, "Arial", 256});
    d.fonts.push_back({0, 0, 0, "", 0});
    d.fonts.push_back({1, 0, 9, "Courier New", 0});
    for (int t = 1; t <= 28; ++t) {
        if (isParentType(t)) continue;
        Item& it = addItem(d, t, t, 2 * t);
        it.font = t % 3 == 0 ? 2 : -1;
        it.auto_ = t % 7 == 0 ? 65 : 0;
        it.status = t % 5 == 0 ? 3 : 0;
        if (t == ImageGadget) it.image = {'B', 'M', 1, 2, 3};
        if (t == TreeGadget) {
            it.tooltip = 2;
            it.tooltipText = "extended";
            it.ttime = 500;
            it.tfcolor = 0xFF;
            it.tbcolor = 0xFFFFE0;
            it.tfont = 0;
            it.twidth = 200;
            it.tballoon = 1;
        }
        if (t == TextGadget) {
            it.tooltip = 1;
            it.tooltipText = "simple";
        }
        if (t == ListIconGadget) it.columns = "kept";
    }
    Item& bitmap = addItem(d, ButtonGadget);
    bitmap.flags = kButtonBitmapFlag;
    bitmap.aflag = 3;
    bitmap.image = {0x89, 'P', 'N', 'G'};
    addItem(d, PanelGadget);
    d.items.push_back(makeTabRecord(0, "Panel 0"));
    addItem(d, ButtonGadget, 5, 5);
    d.items.push_back(makeTabRecord(1, "Second"));
    addItem(d, ScrollAreaGadget, 1, 1);
    addItem(d, TextGadget, 3, 3);
    d.items.push_back(makeCloseRecord());
    d.items.push_back(makeCloseRecord());
    addItem(d, ContainerGadget);
    const int first = addItem(d, ButtonGadget).number;
    const int second = addItem(d, EditorGadget).number;
    Item& split = addItem(d, SplitterGadget);
    split.para1 = first;
    split.para2 = second;
    split.para3 = 40;
    split.para5 = 10;
    split.para6 = 20;
    split.color = 1;
    d.items.push_back(makeCloseRecord());
    d.recomputeNesting();
    return d;
}

} // namespace zarnet::test
