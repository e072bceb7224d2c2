// A real window for each toolkit test, and readers of what Win32 reports.
#pragma once

#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <string>

namespace tktest {

inline std::string className(HWND h) {
    char buf[128] = {};
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}
inline DWORD style(HWND h) {
    return static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE));
}
inline DWORD exStyle(HWND h) {
    return static_cast<DWORD>(GetWindowLongA(h, GWL_EXSTYLE));
}

// The rectangle of a window in its parent's client coordinates.
inline RECT rectInParent(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Lets the window system deliver what is pending, without keeping events.
inline void drain() {
    while (tk::WindowEvent() != 0) {
    }
}

// The window stays invisible: under Wine without a window manager, hiding or
// destroying a shown top-level window waits two seconds for one.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = tk::OpenWindow(tk::PB_Any, 20, 20, 640, 480, "toolkit test",
                                tk::PB_Window_SystemMenu | tk::PB_Window_Invisible);
        ASSERT_NE(window, 0);
        drain();
    }
    void TearDown() override {
        tk::SetWindowCallback(nullptr, tk::PB_All);
        tk::CloseWindow(window);
        drain();
    }
    HWND hwnd() const { return tk::WindowID(window); }

    int window = 0;
};

} // namespace tktest
