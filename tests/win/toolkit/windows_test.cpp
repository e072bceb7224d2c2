// Windows: PureBasic's window flags, inner sizes and the current window.
#include "fixture.h"

namespace {

using namespace tk;
using tktest::exStyle;
using tktest::style;

struct FlagCase {
    const char* name;
    uint32_t flags;
    DWORD on = 0, off = 0, exOn = 0;
};

TEST(Windows, FlagsGiveTheirFrameAndTheClientSizeAsked) {
    const FlagCase cases[] = {
        {"system menu", PB_Window_SystemMenu, WS_SYSMENU | WS_CAPTION, WS_THICKFRAME | WS_MINIMIZEBOX},
        {"minimize", PB_Window_MinimizeGadget, WS_SYSMENU | WS_MINIMIZEBOX, WS_MAXIMIZEBOX},
        {"maximize", PB_Window_MaximizeGadget, WS_SYSMENU | WS_MAXIMIZEBOX, WS_MINIMIZEBOX},
        {"size", PB_Window_SizeGadget, WS_THICKFRAME | WS_CAPTION},
        {"title bar only", PB_Window_TitleBar, WS_CAPTION, WS_SYSMENU},
        {"borderless", PB_Window_BorderLess, WS_POPUP, WS_CAPTION},
        {"thin border, no title", PB_Window_BorderLess | WS_BORDER, WS_POPUP | WS_BORDER, WS_DLGFRAME},
        {"tool window", PB_Window_SystemMenu | PB_Window_Tool, WS_SYSMENU, 0, WS_EX_TOOLWINDOW},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int w = OpenWindow(PB_Any, 30, 40, 321, 123, "flags", c.flags | PB_Window_Invisible);
        ASSERT_NE(w, 0);
        HWND h = WindowID(w);
        EXPECT_EQ(style(h) & c.on, c.on);
        EXPECT_EQ(style(h) & c.off, 0u);
        EXPECT_EQ(exStyle(h) & c.exOn, c.exOn);
        EXPECT_FALSE(style(h) & WS_VISIBLE);
        EXPECT_EQ(WindowWidth(w), 321);
        EXPECT_EQ(WindowHeight(w), 123);
        EXPECT_EQ(WindowX(w), 30);
        EXPECT_EQ(WindowY(w), 40);
        CloseWindow(w);
        EXPECT_FALSE(IsWindow(w));
        EXPECT_FALSE(::IsWindow(h));
    }
}

TEST(Windows, ScreenCentredAndResizedKeepingMinusOne) {
    const int w = OpenWindow(PB_Any, 0, 0, 300, 200, "centred",
                             PB_Window_SystemMenu | PB_Window_ScreenCentered | PB_Window_Invisible);
    RECT r;
    GetWindowRect(WindowID(w), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    ResizeWindow(w, 10, -1, 400, -1);
    EXPECT_EQ(WindowX(w), 10);
    EXPECT_EQ(WindowY(w), r.top);
    EXPECT_EQ(WindowWidth(w), 400);
    EXPECT_EQ(WindowHeight(w), 200);
    SetWindowTitle(w, "renamed");
    EXPECT_EQ(GetWindowTitle(w), "renamed");
    EXPECT_EQ(WindowFromHandle(WindowID(w)), w);
    CloseWindow(w);
}

TEST(Windows, OpeningMakesTheWindowAndItsListCurrent) {
    const int a = OpenWindow(PB_Any, 0, 0, 100, 100, "a", PB_Window_Invisible);
    const int b = OpenWindow(PB_Any, 0, 0, 100, 100, "b", PB_Window_Invisible);
    EXPECT_EQ(CurrentWindow(), b);
    EXPECT_EQ(CurrentGadgetListHandle(), WindowID(b));
    UseWindow(a);
    EXPECT_EQ(CurrentWindow(), a);
    EXPECT_EQ(CurrentGadgetListHandle(), WindowID(b));  // the list moves only with UseGadgetList
    UseGadgetList(WindowID(a));
    EXPECT_EQ(GetParent(GadgetID(ButtonGadget(PB_Any, 0, 0, 10, 10, "x"))), WindowID(a));
    // An explicit number replaces the window holding it.
    ASSERT_NE(OpenWindow(3, 0, 0, 250, 50, "three", PB_Window_Invisible), 0);
    HWND first = WindowID(3);
    ASSERT_NE(OpenWindow(3, 0, 0, 260, 60, "three again", PB_Window_Invisible), 0);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(WindowWidth(3), 260);
    for (int w : {a, b, 3}) CloseWindow(w);
}

} // namespace
