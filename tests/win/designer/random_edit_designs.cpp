// The designs random runs start from, and the picture files the values
// editor is given: every gadget type, nested containers, panels with tabs,
// nested splitters, fonts, tooltips and pictures.
#include "random_edit.h"

#include "document/catalogue.h"
#include "document/example_design.h"
#include "imaging/image.h"
#include "imaging/pixel_ops.h"

namespace randomedit {

using namespace zarnet;

namespace {

std::vector<uint8_t> bmp(int w, int h, uint32_t colour) {
    auto img = imaging::makeImage(w, h, colour | 0xFF000000u);
    return img ? imaging::encodeBmp(*img) : std::vector<uint8_t>{};
}

// One 32-bit icon: directory, a BITMAPINFOHEADER of twice the height, the
// pixels bottom-up, an all-opaque mask.
std::vector<uint8_t> ico(int w, int h, uint32_t colour) {
    const uint32_t maskRow = static_cast<uint32_t>(((w + 31) / 32) * 4);
    const uint32_t pixels = static_cast<uint32_t>(w * h * 4),
                   mask = maskRow * static_cast<uint32_t>(h);
    std::vector<uint8_t> b;
    auto u16 = [&](uint32_t v) {
        b.push_back(uint8_t(v));
        b.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    u16(0), u16(1), u16(1);
    b.push_back(uint8_t(w)), b.push_back(uint8_t(h)), b.push_back(0), b.push_back(0);
    u16(1), u16(32), u32(40 + pixels + mask), u32(22);
    u32(40), u32(static_cast<uint32_t>(w)), u32(static_cast<uint32_t>(2 * h)), u16(1), u16(32);
    u32(0), u32(pixels + mask), u32(0), u32(0), u32(0), u32(0);
    for (int i = 0; i < w * h; ++i)
        u32(colour | 0xFF000000u);
    b.insert(b.end(), mask, 0);
    return b;
}

struct Builder {
    Design d;
    std::vector<int> tabs; // per open parent: its last tab's index
    Item& add(int typ, int x, int y, int w, int h) {
        Item it = makeItem(typ);
        it.number = static_cast<int16_t>(d.takeNumber());
        it.x = x, it.y = y, it.w = w, it.h = h;
        if (typ == ScrollAreaGadget) it.para1 = 2 * w, it.para2 = 2 * h, it.para3 = 10;
        if (isParentType(typ)) tabs.push_back(-1);
        d.items.push_back(std::move(it));
        return d.items.back();
    }
    int num(int typ, int x, int y, int w, int h) { return add(typ, x, y, w, h).number; }
    void tab(const char* title) { d.items.push_back(makeTabRecord(++tabs.back(), title)); }
    void close() {
        tabs.pop_back();
        d.items.push_back(makeCloseRecord());
    }
    Item& splitter(int first, int second, int x, int y, int w, int h, bool vertical, int position) {
        Item& s = add(SplitterGadget, x, y, w, h);
        s.flags = vertical ? 1u : 0u;
        s.para1 = first, s.para2 = second, s.para3 = position;
        return s;
    }
    Design take() {
        d.recomputeNesting();
        return std::move(d);
    }
};

Design everyType() {
    Builder b;
    int slot = 0;
    auto place = [&](int typ) -> Item& {
        const int s = slot++;
        return b.add(typ, 5 + (s % 5) * 125, 5 + (s / 5) * 66, 110, 45);
    };
    for (int typ = 1; typ <= 28; ++typ)
        if (!isParentType(typ)) place(typ);
    Item& panel = place(PanelGadget);
    panel.w = 115, panel.h = 60;
    b.tab("Panel 0");
    b.add(ButtonGadget, 2, 2, 40, 20);
    b.close();
    place(ScrollAreaGadget);
    b.add(TextGadget, 5, 5, 50, 15);
    b.close();
    place(ContainerGadget);
    b.add(OptionGadget, 5, 5, 60, 15);
    b.close();
    const int a = b.num(ButtonGadget, 380, 400, 60, 40), c = b.num(StringGadget, 450, 400, 60, 40);
    b.splitter(a, c, 380, 400, 130, 40, true, 60);
    return b.take();
}

Design nested() {
    Builder b;
    b.add(PanelGadget, 10, 10, 400, 300);
    b.tab("First");
    b.add(ContainerGadget, 10, 10, 250, 200);
    b.add(ScrollAreaGadget, 10, 10, 200, 150).para1 = 400;
    b.add(ButtonGadget, 10, 10, 80, 20);
    b.add(TextGadget, 10, 300, 80, 20);
    b.close();
    b.add(CheckBoxGadget, 10, 170, 100, 20);
    b.close();
    b.tab("Second");
    const int s = b.num(StringGadget, 10, 10, 100, 60), e = b.num(EditorGadget, 120, 10, 100, 60);
    b.splitter(s, e, 10, 10, 220, 60, true, 100);
    b.add(Frame3DGadget, 5, 100, 200, 100);
    b.tab("Third");
    b.close();
    b.add(ContainerGadget, 420, 10, 200, 200);
    b.add(PanelGadget, 5, 5, 180, 150);
    b.tab("A");
    b.add(ButtonGadget, 5, 5, 60, 20);
    b.tab("B");
    b.add(TrackBarGadget, 5, 5, 120, 25);
    b.close();
    b.close();
    b.add(ButtonGadget, 10, 330, 80, 20);
    b.add(SpinGadget, 100, 330, 80, 20);
    return b.take();
}

Design splitters() {
    Builder b;
    const int a = b.num(ButtonGadget, 10, 10, 80, 100);
    const int s1 = b.num(StringGadget, 100, 10, 100, 45),
              s2 = b.num(EditorGadget, 100, 60, 100, 50);
    const int inner = b.splitter(s1, s2, 100, 10, 100, 100, false, 45).number;
    b.splitter(a, inner, 10, 10, 190, 100, true, 80);
    b.add(ContainerGadget, 220, 10, 300, 150);
    const int l1 = b.num(ListViewGadget, 5, 5, 100, 120),
              l2 = b.num(ListIconGadget, 110, 5, 150, 120);
    b.splitter(l1, l2, 5, 5, 260, 120, true, 100);
    b.close();
    // A splitter whose first gadget is itself a container.
    const int box = b.num(ContainerGadget, 10, 200, 150, 100);
    b.add(ButtonGadget, 5, 5, 60, 20);
    b.close();
    const int t = b.num(TreeGadget, 170, 200, 150, 100);
    b.splitter(box, t, 10, 200, 310, 100, true, 150).flags |= 2;
    b.add(PanelGadget, 340, 200, 280, 200);
    b.tab("Split");
    const int p1 = b.num(ButtonGadget, 5, 5, 100, 30), p2 = b.num(ButtonGadget, 5, 40, 100, 30);
    b.splitter(p1, p2, 5, 5, 120, 120, false, 50);
    b.close();
    return b.take();
}

Design fontsTooltipsPictures() {
    Builder b;
    b.d.fonts = {{1, 0, 10, "Arial", 0},
                 {0, 0, 0, "", 0},
                 {1, 0, 12, "Courier New", 256},
                 {1, 0, 9, "Times New Roman", 512}};
    b.add(ButtonGadget, 10, 10, 100, 25).font = 0;
    Item& tip = b.add(ButtonGadget, 10, 45, 100, 25);
    tip.font = 2, tip.tooltip = 1, tip.tooltipText = "simple";
    Item& ext = b.add(StringGadget, 10, 80, 150, 20);
    ext.tooltip = 2, ext.tooltipText = "extended", ext.ttime = 400, ext.tfcolor = 0xFF,
    ext.tbcolor = 0xE0FFFF;
    ext.tfont = 2, ext.twidth = 150, ext.tballoon = 1, ext.auto_ = 64;
    Item& plain = b.add(TextGadget, 10, 110, 150, 20);
    plain.font = 3, plain.tooltip = 2, plain.tooltipText = "no font", plain.tfont = -1,
    plain.ttime = 250, plain.twidth = 200;
    Item& image = b.add(ImageGadget, 200, 10, 100, 80);
    image.image = bmp(40, 30, 0x3060C0), image.aflag = 0, image.status = kStatusFixed;
    Item& icon = b.add(ButtonImageGadget, 200, 100, 80, 60);
    icon.image = ico(16, 16, 0x00C000), icon.aflag = 1;
    Item& bitmap = b.add(ButtonGadget, 200, 170, 100, 40);
    bitmap.flags |= kButtonBitmapFlag, bitmap.image = bmp(20, 20, 0xC00000), bitmap.aflag = 2;
    b.add(CheckBoxGadget, 10, 140, 100, 20).status = kStatusDisabled;
    b.add(OptionGadget, 10, 170, 100, 20).status = kStatusHidden;
    b.add(ContainerGadget, 320, 10, 200, 150).auto_ = 1 | 2 | 4 | 8;
    Item& inside = b.add(ImageGadget, 10, 10, 60, 60);
    inside.flags = 1, inside.image = bmp(8, 8, 0x808080), inside.aflag = 3;
    b.add(HyperLinkGadget, 10, 80, 120, 20).font = 0;
    b.close();
    return b.take();
}

} // namespace

std::vector<StartDesign> startDesigns() {
    return {{"every-type", everyType()},      {"nested", nested()},
            {"splitters", splitters()},       {"fonts-tooltips-pictures", fontsTooltipsPictures()},
            {"example", makeExampleDesign()}, {"empty", Design{}}};
}

std::vector<std::pair<std::string, std::vector<uint8_t>>> pictureFiles() {
    return {{"small.bmp", bmp(12, 9, 0x2080F0)},
            {"wide.bmp", bmp(90, 20, 0xF08020)},
            {"icon.ico", ico(16, 16, 0x00FF00)},
            {"ICON2.ICO", ico(32, 32, 0xFF00FF)},
            {"notes.png", {'n', 'o', 't', 'a', ' ', 'p', 'n', 'g'}}};
}

} // namespace randomedit
