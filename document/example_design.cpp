#include "document/example_design.h"

#include "document/catalogue.h"

namespace zarnet {

Item& addGadget(Design& d, int typ, int x, int y, int w, int h) {
    Item it = makeItem(typ);
    it.number = static_cast<int16_t>(d.takeNumber());
    it.x = x;
    it.y = y;
    it.w = w;
    it.h = h;
    d.items.push_back(std::move(it));
    return d.items.back();
}

Design makeExampleDesign() {
    Design d;
    d.fileName = "example.zrf";
    d.clientWidth = 420;
    d.clientHeight = 300;

    addGadget(d, TextGadget, 10, 12, 60, 20).wtext = "Name:";
    Item& name = addGadget(d, StringGadget, 80, 10, 200, 20);
    name.wtext = "";
    name.name = "NameField";
    name.auto_ = 64;  // width follows the right border
    addGadget(d, CheckBoxGadget, 10, 40, 150, 20).wtext = "Remember me";

    Item& panel = addGadget(d, PanelGadget, 10, 70, 270, 170);
    panel.auto_ = 64 | 128;
    d.items.push_back(makeTabRecord(0, "General"));
    addGadget(d, OptionGadget, 10, 10, 100, 20).wtext = "First";
    addGadget(d, OptionGadget, 10, 35, 100, 20).wtext = "Second";
    Item& combo = addGadget(d, ComboBoxGadget, 10, 65, 150, 100);
    combo.flags = 0x42;  // editable
    d.items.push_back(makeTabRecord(1, "Details"));
    Item& list = addGadget(d, ListIconGadget, 5, 5, 250, 130);
    list.wtext = "Column";
    list.para1 = 120;
    list.flags = 0x10000 | 0x40000000;  // grid lines, full-row select
    d.items.push_back(makeCloseRecord());

    Item& box = addGadget(d, ContainerGadget, 290, 70, 120, 170);
    box.flags = 4;  // single border
    box.auto_ = 16 | 128;
    addGadget(d, TrackBarGadget, 5, 5, 105, 30);
    Item& progress = addGadget(d, ProgressBarGadget, 5, 45, 105, 20);
    progress.tooltip = 1;
    progress.tooltipText = "Progress so far";
    addGadget(d, SpinGadget, 5, 75, 105, 20);
    d.items.push_back(makeCloseRecord());

    Item& ok = addGadget(d, ButtonGadget, 230, 260, 80, 25);
    ok.wtext = "OK";
    ok.name = "OkButton";
    ok.auto_ = 16 | 32;
    Item& cancel = addGadget(d, ButtonGadget, 320, 260, 80, 25);
    cancel.wtext = "Cancel";
    cancel.name = "CancelButton";
    cancel.auto_ = 16 | 32;

    d.recomputeNesting();
    return d;
}

} // namespace zarnet
