// Lining up, tab order, the keyboard check and snap guides in-process: the
// group menu's "Align" submenu moves only the members, the badges follow
// clicks and the sort, the check's findings reach the learner window, and a
// drag near a sibling snaps to it with guides that go when it ends. Each
// change is one undo step that gives back the file byte for byte.
#include "designer_fixture.h"

#include "designer/arrange/align.h"
#include "designer/canvas/structure.h"
#include "document/catalogue.h"
#include "document/design_file.h"

using namespace zarnet;
using namespace zarnet::designer;
using designertest::DesignerTest;
using designertest::gadget;

namespace {

// Three buttons (two sharing the access key O, one off the grid) and a
// string field with no label before it.
Design arrangeSample() {
    Design d;
    d.items = {gadget(ButtonGadget, 0, 10, 10), gadget(ButtonGadget, 1, 123, 40, 60, 25),
               gadget(ButtonGadget, 2, 200, 70, 90, 20), gadget(StringGadget, 3, 80, 200)};
    d.items[0].wtext = "&OK";
    d.items[1].wtext = "&Open";
    d.nextNumber = 4;
    d.recomputeNesting();
    return d;
}

class ArrangeTest : public DesignerTest {
  protected:
    void SetUp() override {
        DesignerTest::SetUp();
        startOn(arrangeSample());
        SetForegroundWindow(d.canvas);
    }
    size_t indexOf(int number) { return static_cast<size_t>(itemByNumber(d.design.items, number)); }
    std::vector<int> order() {
        std::vector<int> numbers;
        for (const Item& it : d.design.items)
            numbers.push_back(it.number);
        return numbers;
    }
    bool enabled(int id) {
        return !(GetMenuState(tk::MenuID(kGroupMenu), static_cast<UINT>(id), MF_BYCOMMAND) &
                 MF_GRAYED);
    }
    int guideWindows() {
        int n = 0;
        for (HWND w = FindWindowExA(d.canvas, nullptr, "ZarnetGuideLine", nullptr); w;
             w = FindWindowExA(d.canvas, w, "ZarnetGuideLine", nullptr))
            ++n;
        return n;
    }
};

TEST_F(ArrangeTest, AlignSubmenuMovesTheMembersAsOneStep) {
    const std::vector<uint8_t> before = savedBytes();
    groupItems(d.sel, d.design, {1, 0}, d.markImage);
    d.buildGroupMenu();
    HMENU menu = tk::MenuID(kGroupMenu);
    // Combine (3), Align, the members' properties, front and back.
    ASSERT_EQ(GetMenuItemCount(menu), 19);
    EXPECT_EQ(GetMenuItemID(menu, 3), UINT(MenuContainer)) << "the first entries stay";
    char title[32] = {};
    GetMenuStringA(menu, 5, title, sizeof title, MF_BYPOSITION);
    EXPECT_STREQ(title, "Align");
    const auto entries = alignMenu();
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(enabled(MenuAlignFirst + static_cast<int>(i)),
                  minimumMembers(entries[i].command) <= 2)
            << entries[i].text;

    // Left edges on the reference, the first member (button 1).
    d.menuCommand(MenuAlignFirst + 0);
    d.commitEdits();
    EXPECT_EQ(d.design.items[0].x, 123);
    EXPECT_EQ(d.design.items[1].x, 123);
    const auto after = readDesign(savedBytes(), Strictness::Strict);
    ASSERT_TRUE(after.design);
    EXPECT_EQ(static_cast<const RecordFields&>(after.design->items[2]),
              static_cast<const RecordFields&>(arrangeSample().items[2]))
        << "an item outside the group keeps its bytes";
    d.undo();
    EXPECT_EQ(savedBytes(), before);
}

TEST_F(ArrangeTest, GroupStateEntriesShowAllSomeOrNoneAndSetEveryMember) {
    groupItems(d.sel, d.design, {1, 0}, d.markImage);
    d.design.items[0].status = kStatusFixed;
    auto mark = [&](int id) {
        d.buildGroupMenu();
        MENUITEMINFOA info{sizeof info, MIIM_FTYPE | MIIM_STATE};
        GetMenuItemInfoA(tk::MenuID(kGroupMenu), static_cast<UINT>(id), FALSE, &info);
        if (!(info.fState & MFS_CHECKED)) return "none";
        return (info.fType & MFT_RADIOCHECK) ? "some" : "all";
    };
    EXPECT_STREQ(mark(MenuGroupFixed), "some");
    EXPECT_STREQ(mark(MenuGroupDisabled), "none");
    const uint64_t steps = d.history.steps();
    d.menuCommand(MenuGroupFixed); // some: every member takes it
    d.commitEdits();
    EXPECT_EQ(d.design.items[1].status, kStatusFixed);
    EXPECT_STREQ(mark(MenuGroupFixed), "all");
    d.menuCommand(MenuGroupFixed); // all: every member loses it
    d.commitEdits();
    d.menuCommand(MenuGroupAnchorFirst + 7);
    d.commitEdits();
    EXPECT_EQ(d.design.items[0].status, 0);
    EXPECT_EQ(d.design.items[0].auto_, 128);
    EXPECT_EQ(d.history.steps(), steps + 3) << "one step a command";
}

TEST_F(ArrangeTest, TabOrderByClicksAndBySort) {
    const std::vector<uint8_t> before = savedBytes();
    d.menuCommand(MenuShowTabOrder);
    EXPECT_EQ(d.tabBadges.size(), 4u);
    EXPECT_EQ(menuCheck(MenuShowTabOrder), 1);
    click(on(indexOf(2)));
    click(on(indexOf(1)));
    d.commitEdits();
    EXPECT_EQ(order(), (std::vector<int>{2, 1, 0, 3}));
    EXPECT_EQ(d.tabBadges.size(), 4u) << "badges follow the rebuilt canvas";
    EXPECT_LT(d.sel.marked, 0) << "clicks set the order, they do not mark";
    d.menuCommand(MenuSortTabOrder);
    d.commitEdits();
    EXPECT_EQ(order(), (std::vector<int>{0, 1, 2, 3}));
    d.undo();
    EXPECT_EQ(order(), (std::vector<int>{2, 1, 0, 3}));
    d.undo(); // each click was a step of its own
    EXPECT_EQ(order(), (std::vector<int>{2, 0, 1, 3}));
    d.undo();
    EXPECT_EQ(savedBytes(), before);
    d.menuCommand(MenuShowTabOrder);
    EXPECT_TRUE(d.tabBadges.empty());
    EXPECT_EQ(FindWindowExA(d.canvas, nullptr, "Static", "1"), nullptr);
}

TEST_F(DesignerTest, TabBadgesOfAContainerAndItsCornerChildDoNotCover) {
    Design nested;
    nested.items = {gadget(ContainerGadget, 0, 10, 10, 200, 150), gadget(ButtonGadget, 1, 0, 0),
                    gadget(ButtonGadget, 2, 0, 30), makeCloseRecord()};
    nested.nextNumber = 3;
    nested.recomputeNesting();
    startOn(nested);
    d.menuCommand(MenuShowTabOrder);
    ASSERT_EQ(d.tabBadges.size(), 3u);
    std::vector<RECT> rects;
    for (HWND b : d.tabBadges) {
        RECT r, overlap;
        GetWindowRect(b, &r);
        for (const RECT& other : rects)
            EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << "badges cover each other";
        rects.push_back(r);
    }
}

TEST_F(ArrangeTest, KeyboardCheckReportsInTheLearnerWindow) {
    d.menuCommand(MenuCheckKeyboard);
    const std::string text = tk::GetGadgetText(d.tipField);
    EXPECT_NE(text.find("sample.zrf: gadget 1 \"ButtonGadget\": "), std::string::npos) << text;
    EXPECT_NE(text.find("sample.zrf: gadget 3 \"StringGadget\": "), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
}

TEST_F(ArrangeTest, DragSnapsToASiblingAndLeavesNoGuide) {
    struct Case {
        const char* what;
        std::initializer_list<int> keys;
        int x;     // where button 2's left edge ends
        int lines; // guides shown while it is held there
    };
    // Button 2 is dragged so that its left edge comes to 126: the grid
    // would take it to 130, button 1's left edge at 123 takes it first.
    for (const Case& c :
         {Case{"near a sibling", {}, 123, 1}, Case{"SHIFT: pixels", {VK_SHIFT}, 126, 0}}) {
        SCOPED_TRACE(c.what);
        const std::vector<uint8_t> before = savedBytes();
        const POINT from = on(2, 5, 5);
        POINT to = from;
        to.x -= 200 - 126;
        for (int k : c.keys)
            input.press(k);
        input.moveTo(from);
        input.press(VK_LBUTTON);
        passes(3);
        input.moveTo(to);
        passes(2);
        EXPECT_EQ(guideWindows(), c.lines);
        input.release(VK_LBUTTON);
        passes(2);
        for (int k : c.keys)
            input.release(k);
        EXPECT_EQ(d.design.items[2].x, c.x);
        EXPECT_EQ(guideWindows(), 0);
        d.undo();
        EXPECT_EQ(savedBytes(), before);
    }
}

} // namespace
