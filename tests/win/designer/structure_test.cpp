// Containers, splitters and the object manager in-process: combining a
// group and taking it apart again, the tree after loading, creating,
// deleting and hiding, tree entries that show their panel tab or scroll
// area, reordering by a drop, and the fields applied as typed.
#include "designer_fixture.h"
#include "tests/win/designer/tree_entries.h"

#include "designer/canvas/moving.h"

#include "designer/shell/shell_logic.h"
#include "document/catalogue.h"
#include "document/design_file.h"
#include "toolkit/toolkit.h"

#include <algorithm>

using namespace zarnet;
using namespace zarnet::designer;
using designertest::DesignerTest;
using designertest::fileBytes;
using designertest::gadget;

namespace {

// A panel with a gadget on each of its two tabs, a scroll area whose gadget
// lies below its view, and two top-level buttons.
Design nested() {
    Design d;
    d.clientWidth = 640;
    d.clientHeight = 480;
    d.items = {gadget(PanelGadget, 0, 10, 10, 300, 200),
               makeTabRecord(0, "A"),
               gadget(ButtonGadget, 1, 10, 10),
               makeTabRecord(1, "B"),
               gadget(StringGadget, 2, 20, 20),
               makeCloseRecord(),
               gadget(ScrollAreaGadget, 3, 330, 10, 200, 150),
               gadget(ButtonGadget, 4, 10, 400),
               makeCloseRecord(),
               gadget(ButtonGadget, 5, 10, 250),
               gadget(ButtonGadget, 6, 120, 250)};
    d.items[6].para1 = 400;
    d.items[6].para2 = 600;
    d.items[6].para3 = 10;
    d.nextNumber = 7;
    d.recomputeNesting();
    return d;
}

class StructureTest : public DesignerTest {
  protected:
    void SetUp() override {
        DesignerTest::SetUp();
        original = folder + "nested.zrf";
        ASSERT_TRUE(writeFileAtomic(original, writeDesign(nested())));
        start({original});
        SetForegroundWindow(d.canvas);
    }
    // The tree as text: each entry's text, indented by its depth.
    std::string tree() {
        std::string out;
        for (const wintest::TreeEntry& e : wintest::treeEntries(tk::GadgetID(d.tree))) {
            if (!out.empty()) out += '|';
            out += std::string(static_cast<size_t>(e.depth), '.') + e.text;
        }
        return out;
    }
    size_t indexOfNumber(int n) {
        for (size_t i = 0; i < d.design.items.size(); ++i)
            if (d.design.items[i].isGadget() && d.design.items[i].number == n) return i;
        ADD_FAILURE() << "no item " << n;
        return 0;
    }
    void groupOf(std::initializer_list<int> numbers) {
        std::vector<size_t> items;
        for (int n : numbers) items.push_back(indexOfNumber(n));
        groupItems(d.sel, d.design, items, d.markImage);
    }
    std::vector<uint8_t> saved(const std::string& name) {
        requesters.files = {folder + name};
        d.saveAs();
        return fileBytes(folder + name + ".zrf");
    }
    // The original design as it would be saved with this next number.
    std::vector<uint8_t> originalWithNext(int next) {
        auto back = readDesign(fileBytes(original), Strictness::Strict);
        back.design->nextNumber = next;
        return writeDesign(*back.design);
    }
    std::string original;
};

TEST_F(StructureTest, CombinedAndTakenApartAgain) {
    struct Case {
        const char* what;
        int menu;
        int typ;
        const char* treeWith;
    } cases[] = {
        {"vertical splitter", MenuVerticalSplitter, SplitterGadget,
         "ButtonGadget [Splitter]|ButtonGadget [Splitter]|SplitterGadget"},
        {"horizontal splitter", MenuHorizontalSplitter, SplitterGadget,
         "ButtonGadget [Splitter]|ButtonGadget [Splitter]|SplitterGadget"},
        {"container", MenuContainer, ContainerGadget,
         "ContainerGadget|.ButtonGadget|.ButtonGadget"},
    };
    for (const Case& c : cases) {
        groupOf({5, 6});
        d.menuCommand(c.menu);
        const auto made = std::find_if(d.design.items.begin(), d.design.items.end(),
                                       [&](const Item& it) { return it.typ == c.typ && it.level == 0; });
        ASSERT_NE(made, d.design.items.end()) << c.what;
        const size_t at = static_cast<size_t>(made - d.design.items.begin());
        EXPECT_NE(tree().find(c.treeWith), std::string::npos) << c.what << ": " << tree();
        EXPECT_EQ(d.sel.marked, -1);
        auto combined = readDesign(saved("combined"), Strictness::Strict);
        ASSERT_TRUE(combined.design) << c.what;
        const Item& s = combined.design->items[at];
        EXPECT_EQ((Rect{s.x, s.y, s.w, s.h}), (Rect{10, 250, 190, 20})) << c.what;
        if (c.typ == SplitterGadget) {
            EXPECT_EQ(s.para1, 5) << c.what; // the left one, or on equal y the earlier
            EXPECT_EQ(s.para2, 6) << c.what;
            EXPECT_EQ(s.flags & 1u, c.menu == MenuVerticalSplitter ? 1u : 0u);
            EXPECT_TRUE(d.removeSplitterItem(at));
            // The two stay where the splitter laid them out, on their own.
            auto apart = readDesign(saved("apart"), Strictness::Strict);
            ASSERT_TRUE(apart.design);
            EXPECT_EQ(apart.design->items.size(), 11u);
            for (const Item& it : apart.design->items) {
                const bool placed = it.number < 5 || (it.x >= 10 && it.x < 200 && it.y >= 250);
                EXPECT_TRUE(placed) << c.what << " item " << it.number;
            }
            // Back where they were for the next case.
            for (int n : {5, 6}) {
                d.markAndShow(indexOfNumber(n), false);
                sizeMarkedTo(d.sel, d.design, n == 5 ? Rect{10, 250, 80, 20} : Rect{120, 250, 80, 20});
            }
            unmark(d.sel);
        } else {
            // The members now lie in the container, relative to it.
            const Item& second = combined.design->items[at + 2];
            EXPECT_EQ(second.x, 110) << c.what;
            EXPECT_EQ(second.y, 0) << c.what;
            EXPECT_EQ(second.level, 1) << c.what;
            EXPECT_TRUE(d.removeContainerItem(at));
            // Taken apart, the design is the one loaded but for the numbers used.
            EXPECT_EQ(saved("apart"), originalWithNext(d.design.nextNumber)) << c.what;
        }
    }
}

TEST_F(StructureTest, TreeFollowsLoadCreateDeleteAndHide) {
    const char* loaded =
        "PanelGadget|.A|..ButtonGadget|.B|..StringGadget|ScrollAreaGadget|.ButtonGadget|"
        "ButtonGadget|ButtonGadget";
    EXPECT_EQ(tree(), loaded);
    // Created inside the scroll area: last among its children.
    d.markAndShow(indexOfNumber(3), false);
    d.lastCreatedType = TextGadget;
    RECT area;
    GetWindowRect(tk::GadgetID(static_cast<int>(d.design.items[indexOfNumber(3)].id)), &area);
    input.moveTo({area.left + 20, area.top + 20});
    input.hold(VK_SPACE, 2);
    d.keyboardHandler(false);
    EXPECT_EQ(tree(), "PanelGadget|.A|..ButtonGadget|.B|..StringGadget|ScrollAreaGadget|.ButtonGadget|"
                      ".TextGadget|ButtonGadget|ButtonGadget");
    // Hidden from the tree with CONTROL, and shown again.
    d.markAndShow(indexOfNumber(5), false);
    const HTREEITEM entry = reinterpret_cast<HTREEITEM>(d.design.items[indexOfNumber(5)].treeitem);
    d.toggleHiddenFromTree(entry);
    EXPECT_EQ(tree().substr(tree().size() - 26), "*ButtonGadget|ButtonGadget");
    EXPECT_FALSE(IsWindowVisible(tk::GadgetID(static_cast<int>(d.design.items[indexOfNumber(5)].id))));
    d.toggleHiddenFromTree(entry);
    // Deleting the panel takes its tabs and gadgets from the tree.
    d.markAndShow(indexOfNumber(0), false);
    input.hold(VK_DELETE, 2);
    d.keyboardHandler(false);
    EXPECT_EQ(tree(), "ScrollAreaGadget|.ButtonGadget|.TextGadget|ButtonGadget|ButtonGadget");
}

TEST_F(StructureTest, TreeEntriesShowTheirTabAndScrollIntoView) {
    HWND t = tk::GadgetID(d.tree);
    const int panel = static_cast<int>(d.design.items[indexOfNumber(0)].id);
    const int area = static_cast<int>(d.design.items[indexOfNumber(3)].id);
    // The string lives on tab 1, which the panel does not show.
    TreeView_SelectItem(t, reinterpret_cast<HTREEITEM>(d.design.items[indexOfNumber(2)].treeitem));
    d.followTreeSelection(false);
    EXPECT_EQ(d.sel.marked, static_cast<int>(indexOfNumber(2)));
    EXPECT_EQ(tk::GetGadgetState(panel), 1);
    EXPECT_EQ(fieldText(FieldNumber), "2");
    // The button below the scroll area's view is scrolled into it.
    TreeView_SelectItem(t, reinterpret_cast<HTREEITEM>(d.design.items[indexOfNumber(4)].treeitem));
    d.followTreeSelection(false);
    EXPECT_GT(tk::GetGadgetAttribute(area, tk::PB_ScrollArea_Y), 0);
    EXPECT_EQ(d.sel.marked, static_cast<int>(indexOfNumber(4)));
    // A tab's entry shows that tab.
    TreeView_SelectItem(t, reinterpret_cast<HTREEITEM>(d.design.items[1].treeitem));
    d.followTreeSelection(false);
    EXPECT_EQ(tk::GetGadgetState(panel), 0);
}

TEST_F(StructureTest, DropsReorderSiblingsAndRefuseTheRest) {
    struct Case {
        int dragged, target; // item numbers, -1 for the panel's first tab record
        bool done;
        const char* tree;
    } cases[] = {
        {5, 6, true, "PanelGadget|.A|..ButtonGadget|.B|..StringGadget|ScrollAreaGadget|.ButtonGadget|"
                     "ButtonGadget|ButtonGadget"},
        {1, 5, false, nullptr},  // out of its panel
        {4, 3, false, nullptr},  // onto its own scroll area
        {0, 3, true, "ScrollAreaGadget|.ButtonGadget|PanelGadget|.A|..ButtonGadget|.B|..StringGadget|"
                     "ButtonGadget|ButtonGadget"},
    };
    for (const Case& c : cases) {
        const auto beforeBytes = saved("before");
        const bool done = d.dropTreeEntry(static_cast<int>(indexOfNumber(c.dragged)),
                                          static_cast<int>(indexOfNumber(c.target)));
        EXPECT_EQ(done, c.done) << c.dragged << " onto " << c.target;
        if (c.done) {
            EXPECT_EQ(tree(), c.tree);
        } else {
            EXPECT_EQ(saved("after"), beforeBytes);
        }
    }
    // Numbers stay with their gadgets through every rebuild.
    auto back = readDesign(saved("reordered"), Strictness::Strict);
    ASSERT_TRUE(back.design);
    EXPECT_EQ(back.design->items[0].number, 3);
    EXPECT_EQ(back.design->items.back().number, 5);
}

TEST_F(StructureTest, TypedFieldsApplyWithinLimits) {
    d.markAndShow(indexOfNumber(5), false);
    struct Case {
        int field;
        const char* typed;
        Rect expect;
        const char* shown; // the field afterwards
    } cases[] = {
        {FieldX, "57", {57, 250, 80, 20}, "57"},
        {FieldY, "-1", {57, -1, 80, 20}, "-1"},
        {FieldWidth, "0", {57, -1, 80, 20}, "0"},       // no width yet: nothing happens
        {FieldWidth, "abc", {57, -1, 80, 20}, "abc"},
        {FieldWidth, "120", {57, -1, 120, 20}, "120"},
        {FieldX, "99999", {10000, -1, 120, 20}, "10000"}, // limited, and the field says so
    };
    for (const Case& c : cases) {
        tk::SetGadgetText(d.fields[c.field], c.typed);
        d.applyTypedRect(c.field);
        const Item& it = d.design.items[indexOfNumber(5)];
        EXPECT_EQ(itemRect(it), c.expect) << c.typed;
        EXPECT_EQ(fieldText(c.field), c.shown);
    }
    // Fixed from its toggle: the arrow keys leave the gadget where it is.
    tk::SetGadgetState(d.fields[FieldFixed], 1);
    d.toggleStatus(FieldFixed);
    input.hold(VK_LEFT, 2);
    d.keyboardHandler(false);
    EXPECT_EQ(itemRect(d.design.items[indexOfNumber(5)]).x, 10000);
}

// The splitter lays out its two gadgets: a place or size typed for one of
// them would be saved but not shown again after the next load.
TEST_F(StructureTest, TypedFieldsLeaveASplitterGadgetToItsSplitter) {
    groupOf({5, 6});
    d.menuCommand(MenuHorizontalSplitter);
    d.markAndShow(indexOfNumber(5), false);
    const Rect before = itemRect(d.design.items[indexOfNumber(5)]);
    const auto beforeBytes = saved("before");
    for (int field : {FieldX, FieldY, FieldWidth, FieldHeight}) {
        tk::SetGadgetText(d.fields[field], "333");
        d.applyTypedRect(field);
        EXPECT_EQ(itemRect(d.design.items[indexOfNumber(5)]), before) << field;
    }
    EXPECT_EQ(saved("after"), beforeBytes);
}

TEST_F(StructureTest, ThreeDeepAPanelTabHoldingAContainerHoldingASplitter) {
    // A container on the panel's second tab with two buttons in it.
    d.markAndShow(indexOfNumber(0), false);
    tk::SetGadgetState(static_cast<int>(d.design.items[indexOfNumber(0)].id), 1);
    RECT page;
    GetWindowRect(tk::GadgetListHandle(static_cast<int>(d.design.items[indexOfNumber(0)].id), 1), &page);
    input.moveTo({page.left + 60, page.top + 40});
    input.hold('C', 2);
    input.holdLater('O', 600, 5);
    ASSERT_TRUE(d.keyboardHandler(false));
    const int box = d.design.nextNumber - 1;
    d.markAndShow(indexOfNumber(box), false);
    d.lastCreatedType = ButtonGadget;
    for (int y : {10, 40}) {
        RECT inner;
        GetWindowRect(tk::GadgetID(static_cast<int>(d.design.items[indexOfNumber(box)].id)), &inner);
        input.moveTo({inner.left + 12, inner.top + y});
        input.hold(VK_SPACE, 2);
        d.keyboardHandler(false);
    }
    groupOf({box + 1, box + 2});
    d.menuCommand(MenuHorizontalSplitter);

    EXPECT_EQ(tree(), "PanelGadget|.A|..ButtonGadget|.B|..StringGadget|..ContainerGadget|"
                      "...ButtonGadget [Splitter]|...ButtonGadget [Splitter]|...SplitterGadget|"
                      "ScrollAreaGadget|.ButtonGadget|ButtonGadget|ButtonGadget");
    const Item& splitter = d.design.items[indexOfNumber(box + 3)];
    EXPECT_EQ(splitter.typ, SplitterGadget);
    EXPECT_EQ(splitter.level, 2);
    EXPECT_EQ(splitter.tab, 0);
    EXPECT_EQ(splitter.parent, d.design.items[indexOfNumber(box)].id);
    EXPECT_TRUE(IsWindowVisible(tk::GadgetID(static_cast<int>(splitter.id))));
    // Both gadgets get a share of the splitter: it starts with its separator
    // where it puts it, not at the very top.
    for (int n : {box + 1, box + 2}) EXPECT_GT(itemRect(d.design.items[indexOfNumber(n)]).h, 10) << n;
    EXPECT_EQ(tk::GetGadgetState(static_cast<int>(d.design.items[indexOfNumber(0)].id)), 1);
    auto back = readDesign(saved("three"), Strictness::Strict);
    ASSERT_TRUE(back.design);
    EXPECT_FALSE(checkInvariants(*back.design).has_value());
}

} // namespace
