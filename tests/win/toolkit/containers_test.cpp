// Panels, splitters, scroll areas and containers: where gadgets live and
// how they are laid out.
#include "fixture.h"

#include <commctrl.h>

namespace {

using namespace tk;
using tktest::rectInParent;

class Containers : public tktest::WindowTest {};

bool shown(HWND h) {
    return tktest::style(h) & WS_VISIBLE;
}

TEST_F(Containers, PanelTabsOwnTheirGadgets) {
    const int panel = PanelGadget(PB_Any, 10, 10, 300, 200);
    AddGadgetItem(panel, -1, "First");
    const int onFirst = ButtonGadget(PB_Any, 5, 5, 80, 20, "1");
    AddGadgetItem(panel, -1, "Second");
    const int onSecond = ButtonGadget(PB_Any, 5, 5, 80, 20, "2");
    CloseGadgetList();
    const int outside = ButtonGadget(PB_Any, 5, 250, 80, 20, "out");

    HWND page0 = GadgetListHandle(panel, 0), page1 = GadgetListHandle(panel, 1);
    EXPECT_EQ(GetParent(GadgetID(onFirst)), page0);
    EXPECT_EQ(GetParent(GadgetID(onSecond)), page1);
    EXPECT_EQ(GetParent(GadgetID(outside)), hwnd());
    EXPECT_EQ(GetParent(page0), GadgetID(panel));
    // Child coordinates are relative to their tab's page.
    EXPECT_EQ(GadgetX(onSecond), 5);
    EXPECT_EQ(GadgetY(onSecond), 5);

    EXPECT_EQ(GetGadgetState(panel), 0);
    EXPECT_TRUE(shown(page0));
    EXPECT_FALSE(shown(page1));
    SetGadgetState(panel, 1);
    EXPECT_FALSE(shown(page0));
    EXPECT_TRUE(shown(page1));

    // Reopening a tab's list puts new gadgets on that tab.
    OpenGadgetList(panel, 0);
    const int later = TextGadget(PB_Any, 5, 40, 80, 20, "later");
    CloseGadgetList();
    EXPECT_EQ(GetParent(GadgetID(later)), page0);

    // Removing a tab frees what lives on it.
    RemoveGadgetItem(panel, 0);
    EXPECT_FALSE(IsGadget(onFirst));
    EXPECT_FALSE(IsGadget(later));
    EXPECT_TRUE(IsGadget(onSecond));
    EXPECT_EQ(CountGadgetItems(panel), 1);
    EXPECT_EQ(GetGadgetItemText(panel, 0), "Second");
}

TEST_F(Containers, PanelPagesFillTheTabBodyAfterResize) {
    const int panel = PanelGadget(PB_Any, 10, 10, 300, 200);
    AddGadgetItem(panel, -1, "Only");
    CloseGadgetList();
    ResizeGadget(panel, -1, -1, 400, 300);
    RECT body;
    GetClientRect(GadgetID(panel), &body);
    SendMessageA(GadgetID(panel), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
    const RECT page = rectInParent(GadgetListHandle(panel, 0));
    EXPECT_EQ(page.left, body.left);
    EXPECT_EQ(page.top, body.top);
    EXPECT_EQ(page.right, body.right);
    EXPECT_EQ(page.bottom, body.bottom);
}

TEST_F(Containers, ContainersAndScrollAreasOpenTheirListUntilClosed) {
    const int box = ContainerGadget(PB_Any, 0, 0, 200, 200);
    const int inBox = ButtonGadget(PB_Any, 1, 2, 10, 10, "a");
    const int area = ScrollAreaGadget(PB_Any, 0, 20, 100, 100, 300, 300, 10);
    const int inArea = ButtonGadget(PB_Any, 3, 4, 10, 10, "b");
    CloseGadgetList();
    const int inBoxAgain = ButtonGadget(PB_Any, 0, 0, 10, 10, "c");
    CloseGadgetList();
    const int top = ButtonGadget(PB_Any, 0, 0, 10, 10, "d");
    CloseGadgetList(); // nothing left to close: the window's list stays
    const int stillTop = ButtonGadget(PB_Any, 0, 0, 10, 10, "e");
    EXPECT_EQ(GetParent(GadgetID(inBox)), GadgetID(box));
    EXPECT_EQ(GetParent(GadgetID(inArea)), GadgetListHandle(area));
    EXPECT_EQ(GadgetX(inArea), 3);
    EXPECT_EQ(GadgetY(inArea), 4);
    EXPECT_EQ(GetParent(GadgetID(inBoxAgain)), GadgetID(box));
    EXPECT_EQ(GetParent(GadgetID(top)), hwnd());
    EXPECT_EQ(GetParent(GadgetID(stillTop)), hwnd());
}

TEST_F(Containers, ScrollAreaRangeIsItsInnerSizeAndStepsByItsStep) {
    const int area = ScrollAreaGadget(PB_Any, 0, 0, 200, 150, 500, 400, 15);
    CloseGadgetList();
    HWND h = GadgetID(area);
    RECT client;
    GetClientRect(h, &client);
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO si{sizeof si, SIF_ALL};
        GetScrollInfo(h, bar, &si);
        EXPECT_EQ(si.nMin, 0);
        EXPECT_EQ(si.nMax - si.nMin + 1, bar == SB_HORZ ? 500 : 400);
        EXPECT_EQ(static_cast<LONG>(si.nPage), bar == SB_HORZ ? client.right : client.bottom);
    }
    HWND inner = GadgetListHandle(area);
    SendMessageA(h, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetGadgetAttribute(area, PB_ScrollArea_Y), 15);
    EXPECT_EQ(rectInParent(inner).top, -15);
    SendMessageA(h, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 120), 0);
    EXPECT_EQ(GetGadgetAttribute(area, PB_ScrollArea_X), 120);
    EXPECT_EQ(rectInParent(inner).left, -120);
    // Scrolling stops where the inner area's edge meets the visible one.
    SendMessageA(h, WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(GetGadgetAttribute(area, PB_ScrollArea_X), 500 - client.right);
    SetGadgetAttribute(area, PB_ScrollArea_InnerWidth, 1000);
    SCROLLINFO si{sizeof si, SIF_RANGE};
    GetScrollInfo(h, SB_HORZ, &si);
    EXPECT_EQ(si.nMax + 1, 1000);
    EXPECT_EQ(rectInParent(inner).right - rectInParent(inner).left, 1000);
}

class Splitters : public tktest::WindowTest {
  protected:
    int makeSplitter(uint32_t flags) {
        first = ButtonGadget(PB_Any, 0, 0, 10, 10, "first");
        second = ButtonGadget(PB_Any, 0, 0, 10, 10, "second");
        return SplitterGadget(PB_Any, 10, 10, 200, 100, first, second, flags);
    }
    int first = 0, second = 0;
};

// The children's rectangles relative to the splitter's.
RECT inSplitter(int split, int child) {
    RECT r = rectInParent(GadgetID(child));
    const RECT s = rectInParent(GadgetID(split));
    OffsetRect(&r, -s.left, -s.top);
    return r;
}

TEST_F(Splitters, LayOutTheirTwoGadgets) {
    struct Case {
        uint32_t flags;
        int span; // along the split
    };
    for (const Case& c : {Case{0, 100}, Case{PB_Splitter_Vertical, 200}}) {
        SCOPED_TRACE(c.flags);
        const int split = makeSplitter(c.flags);
        ASSERT_NE(split, 0);
        // Both gadgets stay in the splitter's list.
        EXPECT_EQ(GetParent(GadgetID(first)), GetParent(GadgetID(split)));
        SetGadgetState(split, 30);
        EXPECT_EQ(GetGadgetState(split), 30);
        const bool side = c.flags & PB_Splitter_Vertical;
        const RECT a = inSplitter(split, first), b = inSplitter(split, second);
        EXPECT_EQ(a.left, 0);
        EXPECT_EQ(a.top, 0);
        EXPECT_EQ(side ? a.right : a.bottom, 30);
        EXPECT_EQ(side ? a.bottom : a.right, side ? 100 : 200);
        EXPECT_GT(side ? b.left : b.top, 30);
        EXPECT_EQ(side ? b.right : b.bottom, c.span);
        // Moving the splitter takes its gadgets along.
        ResizeGadget(split, 50, 60, -1, -1);
        EXPECT_EQ(rectInParent(GadgetID(first)).left, 50);
        EXPECT_EQ(rectInParent(GadgetID(first)).top, 60);
        // Only the separator belongs to the splitter's window.
        RECT region;
        ASSERT_EQ(GetWindowRgnBox(GadgetID(split), &region), SIMPLEREGION);
        EXPECT_EQ(side ? region.left : region.top, 30);
        EXPECT_EQ(side ? region.right - region.left : region.bottom - region.top, 7);
        // Hiding and freeing reach the gadgets it holds.
        HideGadget(split, true);
        EXPECT_TRUE(GadgetHidden(first));
        HideGadget(split, false);
        // So does disabling, but enabling the splitter leaves a gadget
        // that is disabled itself as it is.
        DisableGadget(second, true);
        DisableGadget(split, true);
        EXPECT_TRUE(GadgetDisabled(first));
        DisableGadget(split, false);
        EXPECT_FALSE(GadgetDisabled(first));
        EXPECT_TRUE(GadgetDisabled(second));
        FreeGadget(split);
        EXPECT_FALSE(IsGadget(first));
        EXPECT_FALSE(IsGadget(second));
    }
}

TEST_F(Splitters, HonourTheirMinimumSizes) {
    const int split = makeSplitter(0);
    SetGadgetAttribute(split, PB_Splitter_FirstMinimumSize, 40);
    SetGadgetAttribute(split, PB_Splitter_SecondMinimumSize, 30);
    SetGadgetState(split, 10);
    EXPECT_EQ(GetGadgetState(split), 40);
    SetGadgetState(split, 95);
    EXPECT_EQ(inSplitter(split, second).bottom - inSplitter(split, second).top, 30);
    EXPECT_EQ(GetGadgetAttribute(split, PB_Splitter_FirstGadget), first);
    EXPECT_EQ(GetGadgetAttribute(split, PB_Splitter_SecondGadget), second);
}

TEST_F(Splitters, SeparatorFollowsADrag) {
    const int split = makeSplitter(0);
    SetGadgetState(split, 40);
    tktest::drain();
    HWND h = GadgetID(split);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 43));
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 63));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(100, 63));
    EXPECT_EQ(GetGadgetState(split), 60);
    EXPECT_EQ(WindowEvent(), PB_Event_Gadget);
    EXPECT_EQ(EventGadget(), split);
}

TEST_F(Splitters, FixedSideKeepsItsSizeWhenResized) {
    struct Case {
        uint32_t flags;
        int firstAfter; // first gadget's height after growing from 100 to 200
    };
    // 40 + 7 + 53 = 100 before the resize.
    for (const Case& c :
         {Case{PB_Splitter_FirstFixed, 40}, Case{PB_Splitter_SecondFixed, 140}, Case{0, 80}}) {
        SCOPED_TRACE(c.flags);
        const int split = makeSplitter(c.flags);
        SetGadgetState(split, 40);
        ResizeGadget(split, -1, -1, -1, 200);
        EXPECT_EQ(GetGadgetState(split), c.firstAfter);
        FreeGadget(split);
    }
}

TEST_F(Splitters, RefuseChildrenTheyCannotAdopt) {
    const int a = ButtonGadget(PB_Any, 0, 0, 10, 10, "a");
    EXPECT_EQ(SplitterGadget(PB_Any, 0, 0, 100, 100, a, a), 0);
    EXPECT_EQ(SplitterGadget(PB_Any, 0, 0, 100, 100, a, 999999), 0);
    // A container whose list is open cannot move into a splitter inside itself.
    const int box = ContainerGadget(PB_Any, 0, 0, 100, 100);
    const int b = ButtonGadget(PB_Any, 0, 0, 10, 10, "b");
    EXPECT_EQ(SplitterGadget(PB_Any, 0, 0, 50, 50, box, b), 0);
    CloseGadgetList();
    EXPECT_NE(SplitterGadget(PB_Any, 0, 0, 50, 50, box, a), 0);
}

} // namespace
