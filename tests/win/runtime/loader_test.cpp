// Loading well-formed designs: nesting, offsets, window registration,
// splitters, status, fonts, tooltips, hooks and the callback chain.
#include "runtime_fixture.h"

#include <commctrl.h>

#include <cstring>
#include <functional>

namespace {

using namespace zarnet;
using rttest::bytesOf;
using test::addItem;

class Loader : public rttest::RuntimeTest {};

Design withNumbers(Design d) {
    d.nextNumber = 0;
    for (const Item& it : d.items)
        if (it.isGadget()) d.nextNumber = std::max(d.nextNumber, it.number + 1);
    return d;
}

TEST_F(Loader, OffsetsMoveOnlyTopLevelGadgets) {
    Design d;
    addItem(d, ButtonGadget, 5, 6);
    addItem(d, ContainerGadget, 20, 30).w = 150;
    addItem(d, ButtonGadget, 1, 2);
    d.items.push_back(makeCloseRecord());
    addItem(d, PanelGadget, 200, 10);
    d.items.push_back(makeTabRecord(0, "Tab"));
    addItem(d, ButtonGadget, 3, 4);
    d.items.push_back(makeCloseRecord());
    addItem(d, ScrollAreaGadget, 10, 150).para1 = 300;
    addItem(d, ButtonGadget, 7, 8);
    d.items.push_back(makeCloseRecord());
    const LoadReport r = load(bytesOf(withNumbers(d)), 10, 20);
    ASSERT_TRUE(r.complete) << r.reason;
    struct Expect {
        int number, x, y;
    };
    for (const Expect& e :
         {Expect{0, 15, 26}, Expect{1, 30, 50}, Expect{2, 1, 2}, Expect{3, 210, 30},
          Expect{4, 3, 4}, Expect{5, 20, 170}, Expect{6, 7, 8}}) {
        SCOPED_TRACE(e.number);
        EXPECT_EQ(tk::GadgetX(gadget(e.number)), e.x);
        EXPECT_EQ(tk::GadgetY(gadget(e.number)), e.y);
    }
    // Each gadget sits in its parent's list: the panel's on its tab.
    EXPECT_EQ(GetParent(tk::GadgetID(gadget(2))), tk::GadgetID(gadget(1)));
    EXPECT_EQ(GetParent(tk::GadgetID(gadget(4))), tk::GadgetListHandle(gadget(3), 0));
    EXPECT_EQ(GetParent(tk::GadgetID(gadget(6))), tk::GadgetListHandle(gadget(5)));
    EXPECT_EQ(tk::GetGadgetItemText(gadget(3), 0), "Tab");
    // Loading left the window's own list current.
    EXPECT_EQ(tk::CurrentGadgetListHandle(), tk::WindowID(window));
}

TEST_F(Loader, EmptyDesignRegistersTheWindowOnce) {
    const auto data = bytesOf(Design{});
    EXPECT_EQ(data.size(), 49u);
    const size_t before = runtime().gWinValue.size();
    ASSERT_TRUE(load(data).complete);
    EXPECT_EQ(runtime().gWinValue.size(), before + 1);
    const gwcontent first = runtime().gWinValue.back();
    EXPECT_EQ(first.id, window);
    EXPECT_EQ(first.orW, 400);
    EXPECT_EQ(first.orH, 300);
    // A second load into the resized window keeps the first reference size.
    tk::ResizeWindow(window, -1, -1, 500, 350);
    ASSERT_TRUE(load(data, 0, 0, window).complete);
    EXPECT_EQ(runtime().gWinValue.size(), before + 1);
    EXPECT_EQ(runtime().gWinValue.back().orW, 400);
}

TEST_F(Loader, SplitterTakesMinimumSizesBeforeItsPosition) {
    struct Case {
        int position, minFirst, expect;
    };
    for (const Case& c : {Case{10, 40, 40}, Case{50, 40, 50}}) {
        Design d;
        addItem(d, ContainerGadget, 0, 0).w = 300;
        addItem(d, ButtonGadget);
        addItem(d, ButtonGadget);
        Item& split = addItem(d, SplitterGadget, 10, 10);
        split.w = 200;
        split.h = 120;
        split.para1 = 1;
        split.para2 = 2;
        split.para3 = c.position;
        split.para5 = c.minFirst;
        split.para6 = 30;
        d.items.push_back(makeCloseRecord());
        const LoadReport r = load(bytesOf(withNumbers(d)));
        ASSERT_TRUE(r.complete) << r.reason;
        const int s = gadget(3);
        EXPECT_EQ(tk::GadgetType(s), tk::KindSplitter);
        EXPECT_EQ(tk::GetGadgetState(s), c.expect);
        EXPECT_EQ(tk::GetGadgetAttribute(s, tk::PB_Splitter_FirstMinimumSize), c.minFirst);
        EXPECT_EQ(tk::GetGadgetAttribute(s, tk::PB_Splitter_SecondMinimumSize), 30);
        EXPECT_EQ(GetParent(tk::GadgetID(s)), tk::GadgetID(gadget(0)));
        EXPECT_EQ(tk::GadgetX(gadget(1)), 10); // laid out in the splitter's area
        EXPECT_EQ(tk::GadgetHeight(gadget(1)), c.expect);
    }
}

TEST_F(Loader, StatusHidesAndDisables) {
    Design d;
    for (int status : {0, 1, 2, 3, 4})
        addItem(d, ButtonGadget).status = status;
    ASSERT_TRUE(load(bytesOf(withNumbers(d))).complete);
    const bool hidden[] = {false, true, false, true, false};
    const bool disabled[] = {false, false, true, true, false};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(tk::GadgetHidden(gadget(i)), hidden[i]);
        EXPECT_EQ(tk::GadgetDisabled(gadget(i)), disabled[i]);
    }
}

TEST_F(Loader, ListViewIsCreatedWithoutItsStoredFlags) {
    Design d;
    addItem(d, ListViewGadget).flags = 0x800 | 0x4 | 0x2;
    ASSERT_TRUE(load(bytesOf(withNumbers(d))).complete);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(tk::GadgetID(gadget(0)), GWL_STYLE));
    EXPECT_EQ(style & (LBS_EXTENDEDSEL | LBS_SORT | LBS_NOREDRAW), 0u);
}

// The arguments each type's creation call takes from the record.
TEST_F(Loader, CreationCallsTakeTheirTypesArguments) {
    auto style = [](int g) {
        return static_cast<DWORD>(GetWindowLongA(tk::GadgetID(g), GWL_STYLE));
    };
    auto exStyle = [](int g) {
        return static_cast<DWORD>(GetWindowLongA(tk::GadgetID(g), GWL_EXSTYLE));
    };
    struct Case {
        const char* what;
        int typ;
        uint32_t flags;
        int para1, para2, para3;
        std::function<void(int)> check;
    };
    const Case cases[] = {
        {"hyperlink flags are its link colour", HyperLinkGadget, 0x0000FF, 0, 0, 0,
         [](int g) { EXPECT_EQ(tk::GetGadgetColor(g, tk::PB_Gadget_FrontColor), 0x0000FF); }},
        {"image: no picture, then flags", ImageGadget, tk::PB_Image_Border, 0, 0, 0,
         [&](int g) { EXPECT_NE(exStyle(g) & WS_EX_CLIENTEDGE, 0u); }},
        {"list icon: title, column width, flags", ListIconGadget, 0, 70, 0, 0,
         [](int g) {
             EXPECT_EQ(tk::GetGadgetItemAttribute(g, 0, tk::PB_ListIcon_ColumnWidth, 0), 70);
         }},
        {"progress bar: minimum, maximum", ProgressBarGadget, 0, 5, 50, 0,
         [](int g) {
             EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_Minimum), 5);
             EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_Maximum), 50);
         }},
        {"scroll area: inner size and step", ScrollAreaGadget, 0, 300, 200, 7,
         [](int g) {
             EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_InnerWidth), 300);
             EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_InnerHeight), 200);
             EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_ScrollStep), 7);
         }},
        {"scroll bar: minimum, maximum, page", ScrollBarGadget, 0, 1, 90, 15,
         [](int g) { EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_ScrollBar_PageLength), 15); }},
        {"spin: minimum, maximum", SpinGadget, 0, 2, 9, 0,
         [](int g) {
             EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_Minimum), 2);
             EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_Maximum), 9);
         }},
        {"calendar: no date, then flags", CalendarGadget, tk::PB_Calendar_Borderless, 0, 0, 0,
         [&](int g) { EXPECT_EQ(style(g) & WS_BORDER, 0u); }},
        {"date: flags are styles, not a date", DateGadget, tk::PB_Date_UpDown, 0, 0, 0,
         [&](int g) { EXPECT_NE(style(g) & DTS_UPDOWN, 0u); }},
    };
    Design d;
    for (const Case& c : cases) {
        Item& it = addItem(d, c.typ);
        it.flags = c.flags;
        it.para1 = c.para1;
        it.para2 = c.para2;
        it.para3 = c.para3;
        if (c.typ == ScrollAreaGadget) d.items.push_back(makeCloseRecord());
    }
    const LoadReport r = load(bytesOf(withNumbers(d)));
    ASSERT_TRUE(r.complete) << r.reason;
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        cases[i].check(gadget(static_cast<int>(i)));
    }
}

TEST_F(Loader, FontCountOfZeroKeepsTheEarlierTable) {
    Design a;
    a.fonts.push_back({1, 0, 14, "Arial", 256});
    addItem(a, TextGadget).font = 0;
    addItem(a, TextGadget).font = -1;
    ASSERT_TRUE(load(bytesOf(withNumbers(a))).complete);
    HFONT loaded = tk::GetGadgetFont(gadget(0));
    LOGFONTA lf{};
    GetObjectA(loaded, sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(tk::GetGadgetFont(gadget(1)), tk::GetGadgetFont(tk::PB_Default));

    Design b;
    addItem(b, TextGadget).font = 0;
    ASSERT_TRUE(load(bytesOf(withNumbers(b))).complete);
    EXPECT_EQ(tk::GetGadgetFont(gadget(0)), loaded);

    // A slot whose font failed to load holds 0; the program's own font 0
    // is not the design's.
    ASSERT_NE(tk::LoadFont(0, "Courier New", 30), 0);
    runtime().gFontTable[0] = 0;
    ASSERT_TRUE(load(bytesOf(withNumbers(b))).complete);
    EXPECT_EQ(tk::GetGadgetFont(gadget(0)), tk::GetGadgetFont(tk::PB_Default));
    EXPECT_EQ(runtime().fontOfIndex(0), nullptr);
    tk::FreeFont(0);
}

TEST_F(Loader, TooltipKindsOtherThanTwoAreSimple) {
    int extended = 0;
    runtime().hooks.extendedTooltip = [&](Runtime& rt) {
        ++extended;
        EXPECT_EQ(rt.ZarnValue.ttime, 500);
        EXPECT_EQ(rt.ZarnValue.tooltipText, "rich");
    };
    Design d;
    for (int kind : {1, 7, 2}) {
        Item& it = addItem(d, ButtonGadget);
        it.tooltip = kind;
        it.tooltipText = kind == 2 ? "rich" : "plain " + std::to_string(kind);
        it.ttime = 500;
    }
    addItem(d, ButtonGadget); // no tooltip
    ASSERT_TRUE(load(bytesOf(withNumbers(d))).complete);
    EXPECT_EQ(tk::GetGadgetToolTip(gadget(0)), "plain 1");
    EXPECT_EQ(tk::GetGadgetToolTip(gadget(1)), "plain 7");
    EXPECT_EQ(tk::GetGadgetToolTip(gadget(2)), "");
    EXPECT_EQ(tk::GetGadgetToolTip(gadget(3)), "");
    EXPECT_EQ(extended, 1);
}

TEST_F(Loader, DateGadgetGetsTheSystemFormatNotAStaleText) {
    Design d;
    addItem(d, TextGadget).wtext = "%yy Hello";
    addItem(d, DateGadget);
    ASSERT_TRUE(load(bytesOf(withNumbers(d))).complete);
    const int plain = tk::DateGadget(tk::PB_Any, 0, 0, 100, 20);
    EXPECT_EQ(tk::GetGadgetText(gadget(1)), tk::GetGadgetText(plain));
    EXPECT_EQ(tk::GetGadgetText(gadget(1)).find("Hello"), std::string::npos);
}

TEST_F(Loader, HooksRunAtTheirStepsWithTheRecord) {
    std::vector<std::string> calls;
    runtime().hooks.loadImage = [&](Runtime& rt) {
        calls.push_back("image " + std::to_string(rt.ZarnValue.image.size()) + " kind " +
                        std::to_string(rt.ZarnValue.isimage));
    };
    runtime().hooks.registerAnchor = [&](Runtime& rt, int win) {
        EXPECT_EQ(win, window);
        // Anchors see the record after its gadget exists, before it opens a list.
        calls.push_back("anchor " + std::to_string(rt.ZarnValue.auto_) + " parents " +
                        std::to_string(rt.ZarnParent.size()) +
                        (tk::IsGadget(rt.ZarnValue.id) ? " made" : ""));
    };
    Design d;
    addItem(d, ImageGadget).image = {'B', 'M', 1, 2};
    addItem(d, ButtonGadget).flags = kButtonBitmapFlag; // image-capable, no bytes
    addItem(d, ButtonGadget).auto_ = 0;
    addItem(d, ContainerGadget).auto_ = 64;
    addItem(d, TextGadget).auto_ = 5;
    d.items.push_back(makeCloseRecord());
    ASSERT_TRUE(load(bytesOf(withNumbers(d))).complete);
    const std::vector<std::string> expect = {"image 4 kind 1", "image 0 kind 2",
                                             "anchor 64 parents 0 made", "anchor 5 parents 1 made"};
    EXPECT_EQ(calls, expect);
    // The record's image view pointed into data the caller may now free.
    EXPECT_TRUE(runtime().ZarnValue.image.empty());
}

int resizes = 0;
std::string trail; // who saw a size message, in order
LRESULT userCallback(HWND, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_SIZE && wp == 99) {
        trail += "program ";
        return 0; // claims the message as handled
    }
    return msg == WM_USER + 1 ? 5 : tk::PB_ProcessPureBasicEvents;
}

TEST_F(Loader, CallbackChainsTheProgramFirstAndSizesOnlyOutsideLoads) {
    resizes = 0;
    runtime().hooks.resize = [](Runtime&, HWND, WPARAM, LPARAM) { ++resizes; };
    ZarnetCallback(userCallback);
    Design d;
    addItem(d, ContainerGadget, 0, 0);
    addItem(d, ScrollAreaGadget, 0, 0).para1 = 200;
    d.items.push_back(makeCloseRecord());
    d.items.push_back(makeCloseRecord());
    ASSERT_TRUE(load(bytesOf(withNumbers(d))).complete);
    EXPECT_EQ(resizes, 0); // building the window resized things, but a load was running
    tk::ResizeGadget(gadget(0), -1, -1, 120, 120);
    EXPECT_EQ(resizes, 1);
    tk::ResizeWindow(window, -1, -1, 420, 320);
    EXPECT_EQ(resizes, 2);
    // The program's result wins; without a program callback the toolkit handles it.
    EXPECT_EQ(gCallback(tk::WindowID(window), WM_USER + 1, 0, 0), 5);
    // The program sees a size message first and cannot keep it from the
    // size handling, which leaves the program's result alone.
    runtime().hooks.resize = [](Runtime&, HWND, WPARAM, LPARAM) { trail += "resize"; };
    trail.clear();
    EXPECT_EQ(gCallback(tk::WindowID(window), WM_SIZE, 99, MAKELPARAM(420, 320)), 0);
    EXPECT_EQ(trail, "program resize");
    ZarnetCallback(nullptr);
    EXPECT_EQ(gCallback(tk::WindowID(window), WM_USER + 1, 0, 0), tk::PB_ProcessPureBasicEvents);
}

// The compact layout: 20-byte header, records with fields 1..10 only.
class CompactWriter {
  public:
    CompactWriter(int next, int count) {
        for (int v : {next, 303, 477, 10, count})
            lng(v);
    }
    CompactWriter& record(int typ, int number, std::initializer_list<int> xywh, const char* text,
                          std::initializer_list<int> masked) {
        out.push_back(static_cast<uint8_t>(typ));
        out.push_back(static_cast<uint8_t>(number));
        out.push_back(0);
        if (typ == 0) return *this;
        if (typ == 100) return str(text);
        for (int v : xywh)
            lng(v);
        str("name");
        if (typeMask(typ) & MaskText) str(text);
        for (int v : masked)
            lng(v);
        return *this;
    }
    std::vector<uint8_t> out;

  private:
    void lng(int v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    }
    CompactWriter& str(const char* s) {
        out.insert(out.end(), s, s + std::strlen(s) + 1);
        return *this;
    }
};

TEST_F(Loader, CompactReaderBuildsThePanelLayout) {
    CompactWriter w(4, 5);
    w.record(ContainerGadget, 0, {5, 6, 190, 200}, "", {2})
        .record(ButtonGadget, 1, {1, 2, 80, 20}, "Fixed", {0})
        .record(TextGadget, 2, {1, 30, 80, 20}, "Name", {0})
        .record(SplitterGadget, 3, {1, 60, 100, 100}, "", {0, 1, 2, 30})
        .record(0, 0, {}, "", {});
    openWindow();
    items.assign(4, 0);
    const LoadReport r = ZarnetCompact(w.out, items, 10, 0);
    ASSERT_TRUE(r.complete) << r.reason;
    EXPECT_EQ(r.records, 5);
    EXPECT_EQ(tk::GadgetX(gadget(0)), 15);
    EXPECT_EQ(tk::GadgetX(gadget(1)), 1); // laid out in the splitter's area
    EXPECT_EQ(tk::GetGadgetText(gadget(2)), "Name");
    EXPECT_EQ(tk::GetGadgetState(gadget(3)), 30);
    EXPECT_EQ(GetParent(tk::GadgetID(gadget(3))), tk::GadgetID(gadget(0)));
    EXPECT_EQ(GetParent(tk::GadgetID(gadget(1))), tk::GadgetID(gadget(0)));
}

TEST_F(Loader, EveryKindLoads) {
    const Design d = withNumbers(test::everyTypeDesign());
    const LoadReport r = load(bytesOf(d));
    ASSERT_TRUE(r.complete) << r.reason;
    for (const Item& it : d.items) {
        if (!it.isGadget()) continue;
        SCOPED_TRACE(it.typ);
        EXPECT_EQ(tk::GadgetType(gadget(it.number)), it.typ);
    }
}

} // namespace
