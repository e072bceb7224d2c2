// The context pop-up driven through its own loop: style boxes, the border
// restyle in place, the vertical swap, the panel commands.
#include "editor_fixture.h"

#include "designer/canvas/live_gadget.h"
#include "designer/properties/panel_tabs.h"
#include "designer/properties/style_flags.h"
#include "document/model.h"
#include "toolkit/images.h"

namespace propertiestest {
namespace {

using PopupTest = EditorTest;

// Holds the right button with the cursor inside the open pop-up.
void rightClickInside(Buttons& b, HWND canvas) {
    RECT r{};
    GetWindowRect(editorWindow(canvas), &r);
    b.cursor = {r.left + 100, r.bottom - 3};
    b.held[VK_RBUTTON] = 1;
}

TEST_F(PopupTest, ToggleBoxRecreatesTheButtonAndNewButtonsAreToggles) {
    const size_t b = add(ButtonGadget, 10, 10);
    const Handle before = item(b).id;
    thenClick("PB_Button_Toggle");
    EXPECT_FALSE(runContextPopup(host, b, {15, 15}));
    EXPECT_EQ(item(b).flags & 0x1003u, 0x1003u);
    EXPECT_EQ(defaults[ButtonGadget].flags & 0x1003u, 0x1003u);
    EXPECT_NE(item(b).id, before);
    EXPECT_TRUE(tk::IsGadget(gadget(b)));
    EXPECT_EQ(remarked, std::vector<size_t>{b});
    EXPECT_TRUE(design.modified);
    const size_t next = add(ButtonGadget, 10, 60);
    EXPECT_EQ(item(next).flags & 0x1003u, 0x1003u);
    EXPECT_TRUE(GetWindowLongA(hwnd(next), GWL_STYLE) & BS_PUSHLIKE);
}

// Unticking "API_Button_Bitmap" makes a plain button, which keeps no picture.
TEST_F(PopupTest, AButtonThatLosesItsBitmapBitLosesItsPicture) {
    const size_t b = add(ButtonGadget, 10, 10);
    item(b).flags |= kButtonBitmapFlag;
    item(b).image = bmpBytes(8, 8, 0xFF);
    showItemPicture(item(b));
    ASSERT_NE(item(b).decodedImage, 0u);
    const int decoded = static_cast<int>(item(b).decodedImage);
    thenClick("API_Button_Bitmap");
    EXPECT_FALSE(runContextPopup(host, b, {15, 15}));
    EXPECT_EQ(item(b).flags & kButtonBitmapFlag, 0u);
    EXPECT_TRUE(item(b).image.empty());
    EXPECT_EQ(item(b).decodedImage, 0u);
    EXPECT_FALSE(tk::IsImage(decoded));
    EXPECT_FALSE(checkInvariants(design));
}

// What opens for a type: the pop-up, 200 wide and 10 higher than its
// layout, or straight away the values editor.
TEST_F(PopupTest, PopupSizeByTypeOrValuesEditorInstead) {
    const int types[] = {ButtonGadget, OptionGadget, ContainerGadget, HyperLinkGadget,
                         ScrollAreaGadget, PanelGadget, TrackBarGadget};
    int y = 10;
    for (int typ : types) {
        const size_t i = add(typ, 10, y);
        y += 40;
        const auto layout = contextPopupLayout({typ, item(i).flags, 1, 0});
        SIZE seen{};
        then([&] {
            RECT r{};
            GetClientRect(editorWindow(canvas), &r);
            seen = {r.right, r.bottom};
        });
        const bool values = runContextPopup(host, i, {0, 0});
        steps.steps.clear();
        EXPECT_EQ(values, !layout.has_value()) << typ;
        if (layout) {
            EXPECT_EQ(seen.cx, 200) << typ;
            EXPECT_EQ(seen.cy, layout->height + 10) << typ;
        }
        if (typ == ButtonGadget) {
            EXPECT_EQ(seen.cy, 170);
        }
    }
}

TEST_F(PopupTest, RightClickOnThePopupAsksForTheValuesEditor) {
    const size_t b = add(ButtonGadget, 10, 10);
    then([&] { rightClickInside(buttons, canvas); });
    EXPECT_TRUE(runContextPopup(host, b, {15, 15}));
    EXPECT_EQ(editorWindow(canvas), nullptr);
}

// Each border entry of a container, a scroll area and an editor: the item
// takes the entry's value alone, the gadget stays the same window and shows
// the entry's border styles, and only the clicked box is checked.
TEST_F(PopupTest, BorderEntriesRestyleInPlace) {
    struct Case {
        int typ;
        const char* entry;
        uint32_t flags;
        LONG exBorder, styleBorder;
    } cases[] = {
        {ContainerGadget, "PB_Container_Raised", 0x2, WS_EX_WINDOWEDGE, WS_DLGFRAME},
        {ContainerGadget, "PB_Container_Flat", 0x1, 0, WS_BORDER},
        {ContainerGadget, "PB_Container_Single", 0x4, WS_EX_STATICEDGE, 0},
        {ContainerGadget, "PB_Container_Double", 0x8, WS_EX_CLIENTEDGE, 0},
        {ScrollAreaGadget, "PB_ScrollArea_Raised", 0x2, WS_EX_WINDOWEDGE, WS_DLGFRAME},
        {ScrollAreaGadget, "PB_ScrollArea_BorderLess", 0x8, 0, 0},
        {EditorGadget, "Editor_Flat", 0x1, 0, WS_BORDER},
    };
    constexpr LONG kEx = WS_EX_WINDOWEDGE | WS_EX_STATICEDGE | WS_EX_CLIENTEDGE;
    for (const Case& c : cases) {
        const size_t i = add(c.typ, 300, 10);
        const Handle before = item(i).id;
        int checkedBoxes = -1;
        thenClick(c.entry);
        then([&] {
            checkedBoxes = 0;
            for (int k = 0; HWND box = controlOfClass(editorWindow(canvas), "Button", k); ++k)
                checkedBoxes += SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
        });
        runContextPopup(host, i, {0, 0});
        EXPECT_EQ(item(i).flags, c.flags) << c.entry;
        EXPECT_EQ(item(i).id, before) << c.entry;
        EXPECT_EQ(checkedBoxes, 1) << c.entry;
        EXPECT_EQ(GetWindowLongA(hwnd(i), GWL_EXSTYLE) & kEx, c.exBorder) << c.entry;
        EXPECT_EQ(GetWindowLongA(hwnd(i), GWL_STYLE) & (WS_BORDER | WS_DLGFRAME), c.styleBorder)
            << c.entry;
        if (c.typ == ScrollAreaGadget) {
            EXPECT_TRUE(GetWindowLongA(hwnd(i), GWL_STYLE) & WS_VSCROLL) << "keeps its scroll bars";
        }
    }
}

TEST_F(PopupTest, ContainerWithoutFlagsShowsItsZeroEntryChecked) {
    const size_t c = add(ContainerGadget, 10, 10);
    item(c).flags = 0;
    LRESULT borderless = -1, flat = -1;
    then([&] {
        HWND e = editorWindow(canvas);
        borderless = SendMessageA(control(e, "PB_Container_BorderLess"), BM_GETCHECK, 0, 0);
        flat = SendMessageA(control(e, "PB_Container_Flat"), BM_GETCHECK, 0, 0);
    });
    runContextPopup(host, c, {0, 0});
    EXPECT_EQ(borderless, BST_CHECKED);
    EXPECT_EQ(flat, BST_UNCHECKED);
}

// Turning a gadget upright swaps its size and closes the pop-up; turning it
// back within one pop-up is not possible, so each case opens a new one.
TEST_F(PopupTest, VerticalSwitchSwapsTheSize) {
    struct Case {
        int typ;
        const char* entry;
    } cases[] = {{TrackBarGadget, "PB_TrackBar_Vertical"},
                 {ProgressBarGadget, "PB_ProgressBar_Vertical"}};
    for (const Case& c : cases) {
        const size_t i = add(c.typ, 10, 10);
        item(i).w = 80;
        item(i).h = 20;
        tk::ResizeGadget(gadget(i), -1, -1, 80, 20);
        for (int round = 0; round < 2; ++round) {
            thenClick(c.entry);
            runContextPopup(host, i, {0, 0});
            EXPECT_EQ(editorWindow(canvas), nullptr);
            const int w = round == 0 ? 20 : 80, h = round == 0 ? 80 : 20;
            EXPECT_EQ(item(i).w, w) << c.entry << round;
            EXPECT_EQ(item(i).h, h) << c.entry << round;
            EXPECT_EQ(tk::GadgetWidth(gadget(i)), w) << c.entry << round;
            EXPECT_EQ(tk::GadgetHeight(gadget(i)), h) << c.entry << round;
        }
    }
}

TEST_F(PopupTest, HyperlinkColourFromTheRequesterOrKeptWhenCancelled) {
    const size_t l = add(HyperLinkGadget, 10, 10);
    item(l).flags = 0xFF;
    requesters.colours = {0x123456, -1};
    thenClick("New Color");
    runContextPopup(host, l, {0, 0});
    EXPECT_EQ(item(l).flags, 0x123456u);
    EXPECT_EQ(requesters.colourAsked, std::vector<int32_t>{0xFF});
    thenClick("New Color");
    runContextPopup(host, l, {0, 0});
    EXPECT_EQ(item(l).flags, 0x123456u);
}

class PanelPopupTest : public EditorTest {
  protected:
    // A panel with two tabs, a button on each.
    void SetUp() override {
        EditorTest::SetUp();
        panel = add(PanelGadget, 10, 10);
        thenClick("New Panel after");
        runContextPopup(host, panel, {0, 0});
        ASSERT_EQ(panelTabCount(design.items, panel), 2);
        tk::SetGadgetState(gadget(panel), 0);
        onFirst = add(ButtonGadget, 5, 5, static_cast<int>(panel), 0);
        tk::SetGadgetState(gadget(panel), 1);
        onSecond = add(ButtonGadget, 5, 40, static_cast<int>(panel), 1);
    }
    // The index of the item with this live gadget.
    size_t find(Handle id) {
        for (size_t i = 0; i < design.items.size(); ++i)
            if (design.items[i].isGadget() && design.items[i].id == id) return i;
        return SIZE_MAX;
    }
    // Whether the item's window lives on the panel's page of `tab`.
    bool onPage(Handle id, int tab) {
        return GetParent(tk::GadgetID(static_cast<int>(id))) ==
               tk::GadgetListHandle(gadget(panel), tab);
    }
    size_t panel = 0, onFirst = 0, onSecond = 0;
};

TEST_F(PanelPopupTest, NewPanelBeforeTheFirstTabMovesTheChildrenAlong) {
    const Handle first = item(onFirst).id, second = item(onSecond).id;
    tk::SetGadgetState(gadget(panel), 0);
    thenClick("New Panel before");
    runContextPopup(host, panel, {0, 0});
    EXPECT_EQ(tk::CountGadgetItems(gadget(panel)), 3);
    EXPECT_EQ(tk::GetGadgetItemText(gadget(panel), 0), "Panel 2");
    EXPECT_EQ(tk::GetGadgetState(gadget(panel)), 0);
    EXPECT_EQ(item(find(first)).tab, 1);
    EXPECT_EQ(item(find(second)).tab, 2);
    EXPECT_TRUE(onPage(first, 1));
    EXPECT_TRUE(onPage(second, 2));
    EXPECT_GE(treeRebuilds, 2);
    EXPECT_FALSE(checkInvariants(design).has_value());
}

TEST_F(PanelPopupTest, RemovePanelDropsTheShowingTabWithItsGadgets) {
    const Handle first = item(onFirst).id, second = item(onSecond).id;
    const int firstNumber = item(onFirst).number;
    tk::SetGadgetState(gadget(panel), 0);
    thenClick("Remove Panel");
    runContextPopup(host, panel, {0, 0});
    EXPECT_EQ(tk::CountGadgetItems(gadget(panel)), 1);
    EXPECT_FALSE(tk::IsGadget(static_cast<int>(first)));
    EXPECT_EQ(find(first), SIZE_MAX);
    ASSERT_NE(find(second), SIZE_MAX);
    EXPECT_EQ(item(find(second)).tab, 0);
    EXPECT_TRUE(onPage(second, 0));
    EXPECT_EQ(design.takeNumber(), firstNumber);
    EXPECT_FALSE(checkInvariants(design).has_value());
}

TEST_F(PanelPopupTest, RemovePanelIsOfferedOnlyWithTwoTabs) {
    BOOL withTwo = FALSE, withOne = TRUE;
    then([&] { withTwo = IsWindowEnabled(control(editorWindow(canvas), "Remove Panel")); });
    runContextPopup(host, panel, {0, 0});
    thenClick("Remove Panel");
    runContextPopup(host, panel, {0, 0});
    then([&] { withOne = IsWindowEnabled(control(editorWindow(canvas), "Remove Panel")); });
    runContextPopup(host, panel, {0, 0});
    EXPECT_TRUE(withTwo);
    EXPECT_FALSE(withOne);
}

} // namespace
} // namespace propertiestest
