// The probe against a child it understands completely: this program started
// again with --probe-child MODE shows a known window or message box.
#include "probe.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr DWORD kWaitMs = 15000;
const char kChildClass[] = "ZarnetProbeChild";
const char kChildTitle[] = "probe child";
constexpr int kButtonId = 7;
constexpr DWORD kClosedCode = 3;

LRESULT CALLBACK childProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(static_cast<int>(kClosedCode));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int runWindowChild() {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = childProc;
    wc.hInstance = inst;
    wc.lpszClassName = kChildClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
    RECT r{0, 0, 300, 200};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    HWND win = CreateWindowExA(0, kChildClass, kChildTitle, WS_OVERLAPPEDWINDOW, 40, 40,
                               r.right - r.left, r.bottom - r.top, nullptr, nullptr, inst, nullptr);
    HWND panel = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 150, 100, 120, 80, win,
                                 reinterpret_cast<HMENU>(8), inst, nullptr);
    CreateWindowExA(0, "BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 20, 80, 24,
                    win, reinterpret_cast<HMENU>(kButtonId), inst, nullptr);
    CreateWindowExA(0, "EDIT", "inner", WS_CHILD | WS_VISIBLE, 5, 6, 50, 20, panel,
                    reinterpret_cast<HMENU>(9), inst, nullptr);
    ShowWindow(win, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int runChild(const char* mode) {
    if (std::strcmp(mode, "window") == 0) return runWindowChild();
    if (std::strcmp(mode, "message") == 0) {
        return MessageBoxA(nullptr, "first line\rsecond line", "probe title", MB_YESNO);
    }
    if (std::strcmp(mode, "hang") == 0) Sleep(INFINITE);
    if (std::strcmp(mode, "spawn") == 0) {
        // Leaves a hanging grandchild behind and reports its process id.
        std::string line = probe::quoted(probe::selfPath()) + " --probe-child hang";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &pi)) {
            return 0;
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return static_cast<int>(pi.dwProcessId);
    }
    return 100;
}

// The child is this program: Wine's settings follow its file name.
std::string selfName() {
    const std::string self = probe::selfPath();
    return self.substr(self.find_last_of('\\') + 1);
}

class Probe : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(probe::setWineUnmanagedWindows(selfName())); }
    void TearDown() override { probe::clearWineSettings(selfName()); }
};

probe::Process startChild(const char* mode) {
    return probe::Process(probe::quoted(probe::selfPath()) + " --probe-child " + mode);
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(Probe, MessageBoxIsReadAndAnsweredByButtonOrKey) {
    struct Case {
        const char* how;
        bool byKey;
        int press; // button id, or virtual key
        DWORD exitCode;
    };
    const Case cases[] = {
        {"click No", false, IDNO, IDNO},
        {"click Yes", false, IDYES, IDYES},
        {"key N", true, 'N', IDNO},
        {"key RETURN on the default button", true, VK_RETURN, IDYES},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        probe::Process child = startChild("message");
        ASSERT_TRUE(child.started());
        auto box = probe::waitForMessageBox(child.id(), kWaitMs);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->title, "probe title");
        EXPECT_EQ(box->text, "first line\rsecond line");
        ASSERT_EQ(box->buttons.size(), 2u);
        EXPECT_TRUE(box->hasButton(IDYES) && box->hasButton(IDNO));
        if (c.byKey) {
            ASSERT_TRUE(probe::pressKey(box->hwnd, static_cast<WORD>(c.press)));
            EXPECT_TRUE(probe::waitUntilGone(box->hwnd, kWaitMs));
        } else {
            ASSERT_TRUE(probe::answer(*box, c.press));
        }
        EXPECT_EQ(child.waitExitOrKill(kWaitMs), std::optional<DWORD>(c.exitCode));
    }
}

TEST_F(Probe, WindowChildrenAreListedResizedAndClosed) {
    probe::Process child = startChild("window");
    ASSERT_TRUE(child.started());
    HWND win = probe::waitForWindow(child.id(), kChildTitle, kChildClass, kWaitMs);
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(probe::waitForWindow(child.id(), "other title", "", 100), nullptr);
    EXPECT_TRUE(sameRect(probe::clientRect(win), RECT{0, 0, 300, 200}));

    // Z order is creation order; rects are relative to each parent's client.
    const auto direct = probe::childWindows(win);
    ASSERT_EQ(direct.size(), 2u);
    EXPECT_EQ(direct[0].id, 8);
    EXPECT_TRUE(sameRect(direct[0].rect, RECT{150, 100, 270, 180}));
    EXPECT_EQ(direct[1].className, "Button");
    EXPECT_EQ(direct[1].text, "Press");
    EXPECT_EQ(direct[1].id, kButtonId);
    EXPECT_TRUE(sameRect(direct[1].rect, RECT{10, 20, 90, 44}));
    EXPECT_EQ(direct[1].style & 0x0F, BS_PUSHBUTTON);
    EXPECT_TRUE(direct[1].visible && direct[1].enabled);

    const auto all = probe::childWindows(win, true);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].className, "Edit");
    EXPECT_EQ(all[1].text, "inner");
    EXPECT_TRUE(sameRect(all[1].rect, RECT{5, 6, 55, 26}));
    EXPECT_EQ(probe::findChild(win, "Edit", ""), all[1].hwnd);
    EXPECT_EQ(probe::findChild(win, "", "Press"), direct[1].hwnd);
    EXPECT_EQ(probe::findChild(win, "Button", "Missing"), nullptr);

    ASSERT_TRUE(probe::resizeClient(win, 420, 310));
    EXPECT_TRUE(sameRect(probe::clientRect(win), RECT{0, 0, 420, 310}));
    ASSERT_TRUE(probe::resizeWindow(win, 500, 400));
    RECT outer{};
    GetWindowRect(win, &outer);
    EXPECT_EQ(outer.right - outer.left, 500);
    EXPECT_EQ(outer.bottom - outer.top, 400);

    ASSERT_TRUE(probe::closeWindow(win));
    EXPECT_TRUE(probe::waitUntilGone(win, kWaitMs));
    EXPECT_EQ(child.waitExitOrKill(kWaitMs), std::optional<DWORD>(kClosedCode));
}

TEST_F(Probe, AProcessThatDoesNotEndIsKilled) {
    DWORD pid = 0;
    {
        probe::Process child = startChild("hang");
        ASSERT_TRUE(child.started());
        pid = child.id();
        EXPECT_EQ(child.waitExitOrKill(200), std::nullopt);
        EXPECT_FALSE(child.running());

        // Leaving scope kills a process that is still running.
        child = startChild("hang");
        ASSERT_TRUE(child.started());
        pid = child.id();
    }
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (h != nullptr) {
        EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
        CloseHandle(h);
    }
    // What the program started goes with it, even after the program ended.
    probe::Process spawner = startChild("spawn");
    ASSERT_TRUE(spawner.started());
    const auto grandchildId = spawner.waitExit(kWaitMs);
    ASSERT_TRUE(grandchildId.has_value() && *grandchildId != 0);
    HANDLE grandchild = OpenProcess(SYNCHRONIZE, FALSE, *grandchildId);
    ASSERT_NE(grandchild, nullptr);
    EXPECT_EQ(WaitForSingleObject(grandchild, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    spawner.kill();
    EXPECT_EQ(WaitForSingleObject(grandchild, kWaitMs), static_cast<DWORD>(WAIT_OBJECT_0));
    CloseHandle(grandchild);

    probe::Process missing("Z:\\no\\such\\program.exe");
    EXPECT_FALSE(missing.started());
    EXPECT_NE(missing.startError(), 0u);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--probe-child") == 0) return runChild(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
