// Editing on the canvas in-process, with scripted cursor, keys and buttons:
// the creation triggers, marking, dragging and sizing, cursor keys, groups
// and their menu, the rubber band and deletion.
#include "designer_fixture.h"

#include "designer/canvas/moving.h"
#include "document/catalogue.h"
#include "document/design_file.h"
#include "toolkit/toolkit.h"

#include <algorithm>

using namespace zarnet;
using namespace zarnet::designer;
using designertest::DesignerTest;

namespace {

class CanvasTest : public DesignerTest {
  protected:
    void SetUp() override {
        DesignerTest::SetUp();
        start();
        SetForegroundWindow(d.canvas);
    }
    POINT canvasPoint(int x, int y) {
        POINT p{x, y};
        ClientToScreen(d.canvas, &p);
        return p;
    }
    size_t make(int typ, int x, int y) {
        std::vector<Handle> before;
        for (const Item& it : d.design.items) before.push_back(it.id);
        d.menuPosition = {x, y};
        d.menuCommand(typ);
        for (size_t i = 0; i < d.design.items.size(); ++i)
            if (d.design.items[i].typ == typ &&
                std::find(before.begin(), before.end(), d.design.items[i].id) == before.end())
                return i;
        return 0;
    }
    Rect live(size_t item) { return itemRect(d.design.items[item]); }
    // The rubber band: MENU held, the button down at `from` while the
    // cursor goes to `to`.
    void band(POINT from, POINT to) {
        input.press(VK_MENU);
        input.moveTo(from);
        input.hold(VK_LBUTTON, 40);
        input.moveLater(to, 100); // once the press has been taken
        passes(2);
        input.release(VK_MENU);
        passes(2);
    }
    bool menuEnabled(int id) {
        return !(GetMenuState(tk::MenuID(kGroupMenu), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED);
    }
};

TEST_F(CanvasTest, EachTriggerCreatesTheRightItemInTheRightPlace) {
    // Two letters over the canvas: "C" lists four types, "B" takes the combo box.
    input.moveTo(canvasPoint(33, 47));
    input.hold('C', 2);
    input.holdLater('B', 600, 5);
    ASSERT_TRUE(d.keyboardHandler(false));
    ASSERT_EQ(d.design.items.size(), 1u);
    EXPECT_EQ(d.design.items[0].typ, ComboBoxGadget);
    EXPECT_EQ(Rect(live(0)).x, 33); // the cursor as it is, no grid
    // A chooser closed by a key that is no second letter makes nothing, and
    // a letter no code begins with opens none.
    input.hold('C', 2);
    input.holdLater('Q', 600, 5);
    EXPECT_FALSE(d.keyboardHandler(false));
    input.hold('Q', 2);
    EXPECT_FALSE(d.keyboardHandler(false));
    EXPECT_EQ(d.design.items.size(), 1u);

    // SPACE inside each kind of marked container: on the grid of the
    // container's own area, after the container's other children.
    const size_t panel = make(PanelGadget, 20, 100);
    const size_t area = make(ScrollAreaGadget, 220, 100);
    const size_t box = make(ContainerGadget, 420, 100);
    tk::SetGadgetAttribute(static_cast<int>(d.design.items[area].id), tk::PB_ScrollArea_X, 30);
    struct Case {
        Handle container;
        int into;    // the cursor this far into the container's gadget list
        int expectX; // rounded down to the grid
    } cases[] = {{d.design.items[panel].id, 17, 10},
                 {d.design.items[area].id, 47, 40},
                 {d.design.items[box].id, 17, 10}};
    d.lastCreatedType = ButtonGadget;
    for (const Case& c : cases) {
        d.markAndShow(static_cast<size_t>(itemOfGadget(d.design, c.container)), false);
        RECT list;
        GetWindowRect(tk::GadgetListHandle(static_cast<int>(c.container), 0), &list);
        input.moveTo({list.left + c.into, list.top + 17});
        input.hold(VK_SPACE, 2);
        ASSERT_TRUE(d.keyboardHandler(false));
        const int container = d.sel.marked;
        ASSERT_GE(container, 0);
        const Item& child = d.design.items[static_cast<size_t>(container) + (d.design.items[static_cast<size_t>(container)].typ == PanelGadget ? 2 : 1)];
        EXPECT_EQ(child.typ, ButtonGadget);
        EXPECT_EQ(child.parent, d.design.items[static_cast<size_t>(container)].id);
        EXPECT_EQ(child.level, 1);
        EXPECT_EQ(live(static_cast<size_t>(&child - d.design.items.data())).x, c.expectX);
    }
    EXPECT_EQ(d.design.nextNumber, 7);
    EXPECT_EQ(TreeView_GetCount(tk::GadgetID(d.tree)), 8u); // seven items and the panel's tab
}

TEST_F(CanvasTest, ClickMarksDragSnapsShiftDragsByPixelsMarksSize) {
    const size_t b = make(ButtonGadget, 100, 100);
    click(on(b));
    ASSERT_EQ(d.sel.marked, static_cast<int>(b));
    EXPECT_EQ(tk::GadgetX(d.sel.marks[0]), 92);
    EXPECT_EQ(tk::GadgetY(d.sel.marks[2]), 120);
    EXPECT_EQ(fieldText(FieldNumber), "0");

    struct Case {
        int dx, dy;
        std::initializer_list<int> keys;
        Rect expect;
    } moves[] = {
        {14, 3, {}, {110, 100, 80, 20}},          // rounded to the grid
        {16, 6, {}, {130, 110, 80, 20}},
        {3, 2, {VK_SHIFT}, {133, 112, 80, 20}},   // pixels with SHIFT
    };
    for (const Case& c : moves) {
        const POINT from = on(b, 10, 10);
        drag(from, {from.x + c.dx, from.y + c.dy}, c.keys);
        EXPECT_EQ(live(b), c.expect) << c.dx << "," << c.dy;
    }
    EXPECT_EQ(fieldText(FieldX), "133");
    // Mark 2 (bottom-right) sizes; the type remembers the size.
    RECT m;
    GetWindowRect(tk::GadgetID(d.sel.marks[2]), &m);
    drag({m.left + 2, m.top + 2}, {m.left + 23, m.top + 12});
    EXPECT_EQ(live(b), (Rect{133, 112, 100, 30}));
    EXPECT_EQ(d.typeDefaults[ButtonGadget].width, 100);
    // Dragging mark 0 past the opposite corner keeps the last good size.
    GetWindowRect(tk::GadgetID(d.sel.marks[0]), &m);
    drag({m.left + 2, m.top + 2}, {m.left + 300, m.top + 300});
    EXPECT_GE(live(b).w, 1);
    EXPECT_GE(live(b).h, 1);
    EXPECT_EQ(title()[0], '*');
    // What the canvas shows is what is saved.
    const Rect shown = live(b);
    requesters.files = {folder + "moved"};
    ASSERT_EQ(d.saveAs(), folder + "moved.zrf");
    EXPECT_EQ(title()[0], 'm');
    auto again = readDesign(readFileBytes(folder + "moved.zrf").value_or(std::vector<uint8_t>{}),
                            Strictness::Strict);
    ASSERT_TRUE(again.design);
    const Item& it = again.design->items.at(0);
    EXPECT_EQ((Rect{it.x, it.y, it.w, it.h}), shown);
}

TEST_F(CanvasTest, CursorKeysStepToTheGridAndSizeWithControl) {
    const size_t b = make(ButtonGadget, 13, 40);
    d.markAndShow(b, false);
    struct Case {
        int key;
        std::initializer_list<int> mods;
        Rect expect;
    } cases[] = {
        {VK_RIGHT, {}, {20, 40, 80, 20}},  // to the next grid line
        {VK_RIGHT, {}, {30, 40, 80, 20}},  // a whole step from a grid line
        {VK_LEFT, {}, {20, 40, 80, 20}},
        {VK_DOWN, {VK_SHIFT}, {20, 41, 80, 20}},
        {VK_UP, {}, {20, 40, 80, 20}},
        {VK_RIGHT, {VK_CONTROL}, {20, 40, 90, 20}},
        {VK_DOWN, {VK_CONTROL, VK_SHIFT}, {20, 40, 90, 21}},
    };
    for (const Case& c : cases) {
        withKeys(c.mods, true);
        input.hold(c.key, 2);
        EXPECT_TRUE(d.keyboardHandler(false));
        withKeys(c.mods, false);
        EXPECT_EQ(live(b), c.expect);
    }
    // A Fixed item does not move by keys.
    d.design.items[b].status |= kStatusFixed;
    input.hold(VK_RIGHT, 2);
    d.keyboardHandler(false);
    EXPECT_EQ(live(b).x, 20);
}

TEST_F(CanvasTest, ControlClicksBuildAGroupAndItsMenuFollowsTheRules) {
    const size_t a = make(ButtonGadget, 20, 20);
    const size_t b = make(ButtonGadget, 20, 60);
    const size_t s = make(SpinGadget, 20, 100);
    click(on(a));
    click(on(b), {VK_CONTROL});
    ASSERT_TRUE(d.sel.groupMode);
    EXPECT_EQ(fieldText(FieldName), "Group");
    EXPECT_EQ(d.sel.rect, (Rect{20, 20, 80, 60}));
    d.buildGroupMenu();
    EXPECT_TRUE(menuEnabled(MenuHorizontalSplitter));
    EXPECT_TRUE(menuEnabled(MenuVerticalSplitter));
    click(on(s), {VK_CONTROL}); // three members
    d.buildGroupMenu();
    EXPECT_FALSE(menuEnabled(MenuHorizontalSplitter));
    EXPECT_TRUE(menuEnabled(MenuContainer));
    click(on(b), {VK_CONTROL}); // two, one a spin gadget
    ASSERT_EQ(d.sel.group.size(), 2u);
    d.buildGroupMenu();
    EXPECT_FALSE(menuEnabled(MenuVerticalSplitter));

    // The arrows move the whole group; dragging a member drags them all.
    input.hold(VK_DOWN, 2);
    EXPECT_TRUE(d.keyboardHandler(false));
    EXPECT_EQ(live(a).y, 30);
    EXPECT_EQ(live(s).y, 110);
    const POINT from = on(a, 10, 10);
    drag(from, {from.x + 20, from.y});
    EXPECT_EQ(live(a).x, 40);
    EXPECT_EQ(live(s).x, 40);
    EXPECT_EQ(live(b).x, 20);

    // DEL deletes the group; its numbers go back to the pool in group order.
    input.hold(VK_DELETE, 2);
    EXPECT_TRUE(d.keyboardHandler(false));
    EXPECT_FALSE(d.sel.groupMode);
    ASSERT_EQ(d.design.items.size(), 1u);
    EXPECT_EQ(make(TextGadget, 300, 300), 1u);
    EXPECT_EQ(d.design.items[1].number, 0);
    EXPECT_EQ(make(TextGadget, 300, 340), 2u);
    EXPECT_EQ(d.design.items[2].number, 2);
}

TEST_F(CanvasTest, RubberBandCatchesWhatLiesStrictlyInside) {
    const size_t a = make(ButtonGadget, 100, 100);
    make(ButtonGadget, 100, 140);
    make(ButtonGadget, 300, 100);
    // Around a and b: a group of two.
    band(canvasPoint(90, 90), canvasPoint(190, 170));
    ASSERT_TRUE(d.sel.groupMode);
    EXPECT_EQ(d.sel.group.size(), 2u);
    // Around a alone: marked singly, no group.
    click(canvasPoint(5, 5));
    band(canvasPoint(90, 90), canvasPoint(190, 130));
    EXPECT_FALSE(d.sel.groupMode);
    EXPECT_EQ(d.sel.marked, static_cast<int>(a));
    // A band that only touches b's edge does not take it.
    click(canvasPoint(5, 5));
    band(canvasPoint(100, 130), canvasPoint(190, 170));
    EXPECT_EQ(d.sel.marked, -1);
}

TEST_F(CanvasTest, DeletingAContainerTakesItsRunAndResetsNumbering) {
    const size_t panel = make(PanelGadget, 20, 20);
    d.markAndShow(panel, false);
    d.lastCreatedType = StringGadget;
    for (int i = 0; i < 2; ++i) {
        input.moveTo(on(panel, 20 + 20 * i, 50));
        input.hold(VK_SPACE, 2);
        d.keyboardHandler(false);
    }
    ASSERT_EQ(d.design.items.size(), 5u); // panel, tab, two strings, close
    // A frame goes first in the tab, right after its record.
    d.lastCreatedType = 0;
    input.moveTo(on(panel, 10, 60));
    input.hold('F', 2);
    input.holdLater('R', 600, 5);
    ASSERT_TRUE(d.keyboardHandler(false));
    EXPECT_EQ(d.design.items[2].typ, Frame3DGadget);
    d.markAndShow(panel, false);
    input.hold(VK_DELETE, 2);
    EXPECT_TRUE(d.keyboardHandler(false));
    EXPECT_TRUE(d.design.items.empty());
    EXPECT_EQ(d.design.nextNumber, 0);
    EXPECT_EQ(TreeView_GetCount(tk::GadgetID(d.tree)), 0u);
    EXPECT_EQ(d.sel.marked, -1);
}

TEST_F(CanvasTest, NothingBreaksOnAnEmptyDesignOrAGroupOfEveryType) {
    // Keys and clicks with nothing there.
    for (int key : {VK_LEFT, VK_DELETE, VK_UP}) {
        input.hold(key, 2);
        d.keyboardHandler(false);
    }
    click(canvasPoint(50, 50));
    band(canvasPoint(10, 10), canvasPoint(300, 300));
    EXPECT_TRUE(d.design.items.empty());
    // One of every type that can be created, all in one group.
    std::vector<size_t> all;
    for (int typ : creationMenuOrder()) make(typ, 10 + (typ % 6) * 100, 10 + (typ / 6) * 90);
    for (size_t i = 0; i < d.design.items.size(); ++i)
        if (d.design.items[i].isGadget() && d.design.items[i].level == 0) all.push_back(i);
    ASSERT_EQ(all.size(), 28u);
    groupItems(d.sel, d.design, all, d.markImage);
    ASSERT_TRUE(d.sel.groupMode);
    input.hold(VK_RIGHT, 2);
    EXPECT_TRUE(d.keyboardHandler(false));
    const Rect from = d.sel.rect;
    scaleGroupTo(d.sel, d.design, from, {from.x, from.y, from.w / 2, from.h / 2});
    d.buildGroupMenu();
    EXPECT_FALSE(menuEnabled(MenuVerticalSplitter));
    input.hold(VK_DELETE, 2);
    EXPECT_TRUE(d.keyboardHandler(false));
    EXPECT_TRUE(d.design.items.empty());
    EXPECT_EQ(d.design.nextNumber, 0);
}

} // namespace
