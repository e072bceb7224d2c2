// Damaged designs: each stops at the record that breaks a limit, keeps what
// was built before it, and never reads or writes outside its buffers.
#include "runtime_fixture.h"

#include <functional>
#include <random>

namespace {

using namespace zarnet;
using rttest::bytesOf;
using test::addItem;

class Malformed : public rttest::RuntimeTest {};

// Two buttons, then the record under test (number 2 unless it says otherwise).
Design twoButtonsThen(const std::function<void(Design&)>& add) {
    Design d;
    addItem(d, ButtonGadget);
    addItem(d, ButtonGadget);
    add(d);
    d.nextNumber = 3;
    return d;
}

struct BreakCase {
    const char* name;
    std::function<void(Design&)> add;
    const char* reason; // a word the report names
};

TEST_F(Malformed, EachBrokenLimitStopsAtItsRecord) {
    const BreakCase cases[] = {
        {"item number past the highest", [](Design& d) { addItem(d, TextGadget).number = 3; },
         "item number"},
        {"negative item number", [](Design& d) { addItem(d, TextGadget).number = -1; },
         "item number"},
        {"splitter child never made",
         [](Design& d) {
             Item& s = addItem(d, SplitterGadget);
             s.para1 = 0;
             s.para2 = 2; // its own slot, still empty
         },
         "splitter child"},
        {"splitter child outside the array",
         [](Design& d) {
             Item& s = addItem(d, SplitterGadget);
             s.para1 = 0;
             s.para2 = 40000;
         },
         "splitter child"},
        // A table of its own: a design without one keeps the last load's.
        {"font index past the table",
         [](Design& d) {
             d.fonts.push_back({1, 0, 10, "Arial", 0});
             addItem(d, TextGadget).font = 1;
         },
         "font index"},
        {"close record without parent", [](Design& d) { d.items.push_back(makeCloseRecord()); },
         "close record"},
        {"tab record at top level", [](Design& d) { d.items.push_back(makeTabRecord(0, "t")); },
         "tab record"},
        {"tab record inside a container",
         [](Design& d) {
             addItem(d, ContainerGadget);
             d.items.push_back(makeTabRecord(0, "t"));
         },
         "tab record"},
    };
    // The program's own gadget 0 in another window: an empty item slot holds
    // 0 too, and must not hand that gadget to a damaged splitter.
    const int other = openWindow();
    tk::UseGadgetList(tk::WindowID(other));
    ASSERT_NE(tk::ButtonGadget(0, 0, 0, 50, 20, "own"), 0);
    for (const BreakCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto data = bytesOf(twoButtonsThen(c.add));
        const auto offsets = rttest::recordOffsets(data);
        const LoadReport r = load(data);
        EXPECT_FALSE(r.complete);
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << r.reason;
        // It stopped at a record after the two buttons, which stand.
        EXPECT_GE(r.offset, offsets.at(2));
        EXPECT_TRUE(tk::IsGadget(gadget(0)));
        EXPECT_TRUE(tk::IsGadget(gadget(1)));
        // Lists the broken load opened are closed again.
        EXPECT_EQ(tk::CurrentGadgetListHandle(), tk::WindowID(window));
        EXPECT_EQ(GetParent(tk::GadgetID(0)), tk::WindowID(other));
    }
}

TEST_F(Malformed, FontIndexNamingAnUnusedSlotStops) {
    Design d;
    d.fonts.push_back({0, 0, 0, "", 0});
    d.fonts.push_back({1, 0, 10, "Arial", 0});
    addItem(d, TextGadget).font = 1;
    addItem(d, TextGadget).font = 0;
    const LoadReport r = load(bytesOf(d));
    EXPECT_FALSE(r.complete);
    EXPECT_TRUE(tk::IsGadget(gadget(0)));
    EXPECT_TRUE(tk::IsGadget(gadget(1))); // made, then the font stopped the load
}

TEST_F(Malformed, ItemArraySmallerThanTheHeaderSaysIsNeverOverrun) {
    Design d;
    for (int i = 0; i < 6; ++i)
        addItem(d, ButtonGadget);
    const auto data = bytesOf(d);
    const int win = openWindow();
    std::vector<int32_t> guarded(12, -7); // slots 0..3 are the array; the rest must stay
    const LoadReport r = Zarnet(win, data, std::span<int32_t>(guarded).first(4), 0, 0, 0);
    EXPECT_FALSE(r.complete);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(tk::IsGadget(guarded[static_cast<size_t>(i)]));
    for (size_t i = 4; i < guarded.size(); ++i)
        EXPECT_EQ(guarded[i], -7);
}

TEST_F(Malformed, SplitterCannotAdoptTheParentItLivesIn) {
    Design d;
    addItem(d, ContainerGadget);
    addItem(d, ButtonGadget);
    Item& s = addItem(d, SplitterGadget);
    s.para1 = 0; // the open container itself
    s.para2 = 1;
    d.items.push_back(makeCloseRecord());
    const LoadReport r = load(bytesOf(d));
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(gadget(2), 0);
    EXPECT_EQ(GetParent(tk::GadgetID(gadget(1))), tk::GadgetID(gadget(0)));
    EXPECT_EQ(tk::CurrentGadgetListHandle(), tk::WindowID(window));
}

TEST_F(Malformed, HugeCountsStopAtTheEndOfTheData) {
    Design d;
    addItem(d, ButtonGadget);
    auto data = bytesOf(d);
    // Font count: the table cannot be larger than the data.
    auto fonts = data;
    fonts[37] = 0xFF, fonts[38] = 0xFF, fonts[39] = 0xFF, fonts[40] = 0x7F;
    LoadReport r = load(fonts);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.offset, 37u);
    EXPECT_EQ(made(), 0);
    // Record count: every record there is gets built, then the data ends.
    auto records = data;
    records[41] = 0xFF, records[42] = 0xFF, records[43] = 0xFF, records[44] = 0x7F;
    r = load(records);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(made(), 1);
}

TEST_F(Malformed, NestingDeeperThanWindowsAllowStops) {
    // Panels and scroll areas put a page or an inner area between a parent
    // and its children, so they nest the native windows twice as deep.
    for (int kind : {ContainerGadget, ScrollAreaGadget, PanelGadget}) {
        SCOPED_TRACE(kind);
        Design d;
        for (int i = 0; i < 100; ++i) {
            addItem(d, kind, 1, 1);
            if (kind == PanelGadget) d.items.push_back(makeTabRecord(0, "t"));
        }
        for (int i = 0; i < 100; ++i)
            d.items.push_back(makeCloseRecord());
        const LoadReport r = load(bytesOf(d));
        EXPECT_FALSE(r.complete);
        EXPECT_NE(r.reason.find("nested"), std::string::npos);
        EXPECT_EQ(made(), 40);
        EXPECT_EQ(tk::CurrentGadgetListHandle(), tk::WindowID(window));
        tk::ResizeWindow(window, -1, -1, 450, 330); // the deep tree takes a resize
    }
}

TEST_F(Malformed, ExtremeGeometryAndRangesStillCreate) {
    Design d;
    Item& a = addItem(d, ScrollAreaGadget, INT32_MAX, INT32_MIN);
    a.w = -50;
    a.h = INT32_MAX;
    a.para1 = INT32_MAX;
    a.para2 = -1;
    a.para3 = -5;
    d.items.push_back(makeCloseRecord());
    Item& p = addItem(d, ProgressBarGadget);
    p.para1 = 100;
    p.para2 = -100;
    addItem(d, ListIconGadget).para1 = -1;
    addItem(d, SpinGadget).para2 = INT32_MIN;
    const LoadReport r = load(bytesOf(d), INT32_MAX, INT32_MAX);
    EXPECT_TRUE(r.complete) << r.reason;
    EXPECT_EQ(made(), 4);
}

TEST_F(Malformed, TruncationAnywhereNeverCrashes) {
    // Every record layout, without the explorer gadgets that read folders
    // (they parse like the rest and would only slow the test).
    Design d = test::everyTypeDesign();
    std::erase_if(d.items, [](const Item& it) {
        return it.typ >= ExplorerComboGadget && it.typ <= ExplorerTreeGadget;
    });
    const auto data = bytesOf(d);
    size_t previous = 0;
    for (size_t n = 0; n < data.size(); n += 31) {
        SCOPED_TRACE(n);
        const std::vector<uint8_t> cut(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(n));
        const LoadReport r = load(cut);
        EXPECT_FALSE(r.complete);
        EXPECT_LE(r.offset, n);
        // A longer prefix never builds less.
        const size_t now = static_cast<size_t>(made());
        EXPECT_GE(now, previous);
        previous = now;
        tk::CloseWindow(window);
        windows.pop_back();
    }
}

TEST_F(Malformed, RandomDamageNeverCrashes) {
    Design d;
    addItem(d, PanelGadget);
    d.items.push_back(makeTabRecord(0, "a"));
    addItem(d, StringGadget).tooltip = 1;
    addItem(d, ButtonGadget).flags = kButtonBitmapFlag;
    d.items.push_back(makeCloseRecord());
    addItem(d, ContainerGadget);
    const int first = addItem(d, TrackBarGadget).number;
    const int second = addItem(d, ListIconGadget).number;
    Item& s = addItem(d, SplitterGadget);
    s.para1 = first;
    s.para2 = second;
    d.items.push_back(makeCloseRecord());
    d.fonts.push_back({1, 0, 9, "Arial", 0});
    const auto data = bytesOf(d);
    std::mt19937 random(20240611);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        auto damaged = data;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i)
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        load(damaged);
        tk::CloseWindow(window);
        windows.pop_back();
    }
}

} // namespace
