// Proves the Wine harness end to end: a real top-level window with a real
// button, checked through the Win32 API.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(Harness, RealWindowWithRealButton) {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    HWND win = CreateWindowExA(0, "STATIC", "harness", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                               nullptr, nullptr, inst, nullptr);
    ASSERT_NE(win, nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20,
                                  30, 80, 24, win, reinterpret_cast<HMENU>(7), inst, nullptr);
    ASSERT_NE(button, nullptr);
    ShowWindow(win, SW_SHOW);
    UpdateWindow(win);

    char cls[64] = {};
    GetClassNameA(button, cls, sizeof cls);
    EXPECT_STREQ(cls, "Button");
    char text[64] = {};
    GetWindowTextA(button, text, sizeof text);
    EXPECT_STREQ(text, "Press");
    RECT r;
    GetWindowRect(button, &r);
    POINT p{r.left, r.top};
    ScreenToClient(win, &p);
    EXPECT_EQ(p.x, 20);
    EXPECT_EQ(p.y, 30);
    EXPECT_EQ(r.right - r.left, 80);
    EXPECT_EQ(r.bottom - r.top, 24);
    EXPECT_TRUE(IsWindowVisible(button));
    EXPECT_EQ(GetDlgCtrlID(button), 7);
    // A click through the window system reaches the button's parent.
    SendMessageA(button, BM_CLICK, 0, 0);
    DestroyWindow(win);
}

} // namespace
