// Events, window callbacks, option groups, the explorer gadgets' real
// folders and the seams.
#include "fixture.h"

#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <thread>
#include <vector>

namespace {

using namespace tk;

class Events : public tktest::WindowTest {};

TEST_F(Events, NothingPendingGivesZero) {
    EXPECT_EQ(WindowEvent(), 0);
    EXPECT_EQ(WaitWindowEvent(20), 0);
}

TEST_F(Events, TranslatedEventsCarryTheirSource) {
    const int box = ContainerGadget(PB_Any, 0, 0, 200, 200);
    const int button = ButtonGadget(PB_Any, 10, 10, 80, 20, "b");
    CloseGadgetList();
    CreatePopupMenu(PB_Any);
    struct Case {
        const char* name;
        std::function<void()> cause;
        int code, gadget, menu;
    };
    const Case cases[] = {
        // Controls inside containers still report to the window.
        {"gadget", [&] { SendMessageA(GadgetID(button), BM_CLICK, 0, 0); }, PB_Event_Gadget, button,
         0},
        {"close", [&] { PostMessageA(hwnd(), WM_CLOSE, 0, 0); }, PB_Event_CloseWindow, -1, 0},
        {"system menu", [&] { PostMessageA(hwnd(), WM_SYSCOMMAND, 130, 0); }, PB_Event_SysCommand,
         -1, 130},
        {"menu", [&] { PostMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(42, 0), 0); }, PB_Event_Menu, -1,
         42},
        {"other message", [&] { PostMessageA(hwnd(), WM_USER + 5, 0, 0); }, WM_USER + 5, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.cause();
        int e = WindowEvent();
        while (e == PB_Event_ActivateWindow)
            e = WindowEvent();
        EXPECT_EQ(e, c.code);
        EXPECT_EQ(EventWindow(), window);
        EXPECT_EQ(EventGadget(), c.gadget);
        EXPECT_EQ(EventMenu(), c.menu);
        tktest::drain();
    }
    EXPECT_TRUE(IsWindow(window)); // closing is the program's decision
    (void)box;
}

// Events still queued for a window end with it: a window opened later
// under the same number (a designer started again in the same process)
// never receives them.
TEST_F(Events, AClosedWindowsQueuedEventsGoWithIt) {
    const int number = 7;
    ASSERT_NE(OpenWindow(number, 20, 20, 200, 100, "old", PB_Window_Invisible), 0);
    const int button = ButtonGadget(1, 10, 10, 80, 20, "b");
    tktest::drain();
    SendMessageA(GadgetID(button), BM_CLICK, 0, 0);
    CloseWindow(number);
    ASSERT_NE(OpenWindow(number, 20, 20, 200, 100, "new", PB_Window_Invisible), 0);
    ButtonGadget(1, 10, 10, 80, 20, "b");
    for (int e; (e = WindowEvent()) != 0;)
        EXPECT_NE(e, PB_Event_Gadget) << "an event of the closed window arrived";
    CloseWindow(number);
}

// A button clicked by a message sent from elsewhere (another program's
// automation tool; another thread here) is handled while the queue is
// looked at, with nothing posted: a waiting loop returns its event at once
// rather than on the next message, which may never come.
TEST_F(Events, AClickSentFromElsewhereEndsTheWait) {
    const int button = ButtonGadget(PB_Any, 10, 10, 80, 20, "b");
    tktest::drain();
    std::thread clicker([&] {
        Sleep(100); // the wait below has begun
        SendMessageA(GadgetID(button), BM_CLICK, 0, 0);
    });
    const DWORD start = GetTickCount();
    int e = WaitWindowEvent(3000);
    while (e == PB_Event_ActivateWindow) // the click brings the window forward
        e = WaitWindowEvent(3000);
    const DWORD waited = GetTickCount() - start;
    clicker.join();
    EXPECT_EQ(e, PB_Event_Gadget);
    EXPECT_EQ(EventGadget(), button);
    EXPECT_LT(waited, 1500u);
}

std::vector<UINT> seen;
HWND sizedContainer = nullptr;
LRESULT recordingCallback(HWND hwnd, UINT msg, WPARAM, LPARAM) {
    seen.push_back(msg);
    if (msg == WM_SIZE && hwnd != GetAncestor(hwnd, GA_ROOT)) sizedContainer = hwnd;
    return msg == WM_CLOSE ? 0 : PB_ProcessPureBasicEvents;
}
LRESULT passingCallback(HWND, UINT, WPARAM, LPARAM) {
    return PB_ProcessPureBasicEvents;
}

TEST_F(Events, CallbackSeesMessagesFirstAndDecides) {
    seen.clear();
    SetWindowCallback(recordingCallback);
    SendMessageA(hwnd(), WM_CLOSE, 0, 0); // as the close box does
    EXPECT_EQ(WindowEvent(), 0);          // taken over: no close event
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_CLOSE), seen.end());
    tktest::drain();
    // The callback also hears containers change size, by their handle.
    const int box = ContainerGadget(PB_Any, 0, 0, 50, 50);
    CloseGadgetList();
    ResizeGadget(box, -1, -1, 80, 80);
    EXPECT_EQ(sizedContainer, GadgetID(box));
    // A window's own callback wins over the one for all windows.
    SetWindowCallback(passingCallback, window);
    seen.clear();
    SendMessageA(hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(WindowEvent(), PB_Event_CloseWindow);
    EXPECT_TRUE(seen.empty());
}

TEST_F(Events, MenusReportAndKeepTheirItemStates) {
    const int menu = CreatePopupMenu(PB_Any);
    MenuItem(7, "Seven");
    MenuBar();
    OpenSubMenu("More");
    MenuItem(8, "Eight");
    CloseSubMenu();
    SetMenuItemState(menu, 7, 1);
    EXPECT_EQ(GetMenuItemState(menu, 7), 1);
    SetMenuItemState(menu, 7, 0);
    EXPECT_EQ(GetMenuItemState(menu, 7), 0);
    DisableMenuItem(menu, 8, true);
    EXPECT_TRUE(GetMenuState(MenuID(menu), 8, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(GetMenuItemCount(MenuID(menu)), 3);
    FreeMenu(menu);
    EXPECT_FALSE(IsMenu(menu));
}

TEST_F(Events, OptionsGroupUntilAnotherKindOfGadget) {
    const int a = OptionGadget(PB_Any, 0, 0, 80, 20, "a");
    const int b = OptionGadget(PB_Any, 0, 20, 80, 20, "b");
    TextGadget(PB_Any, 0, 40, 80, 20, "between");
    const int c = OptionGadget(PB_Any, 0, 60, 80, 20, "c");
    const int d = OptionGadget(PB_Any, 0, 80, 80, 20, "d");
    SendMessageA(GadgetID(a), BM_CLICK, 0, 0);
    SendMessageA(GadgetID(c), BM_CLICK, 0, 0);
    SendMessageA(GadgetID(b), BM_CLICK, 0, 0);
    EXPECT_EQ(GetGadgetState(a), 0);
    EXPECT_EQ(GetGadgetState(b), 1);
    EXPECT_EQ(GetGadgetState(c), 1);
    SetGadgetState(d, 1);
    EXPECT_EQ(GetGadgetState(c), 0);
    EXPECT_EQ(GetGadgetState(b), 1);
}

TEST_F(Events, ScrollBarMovesItsThumbAndReports) {
    const int bar = ScrollBarGadget(PB_Any, 0, 0, 100, 20, 0, 100, 10);
    SendMessageA(hwnd(), WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(GadgetID(bar)));
    SendMessageA(hwnd(), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(GadgetID(bar)));
    EXPECT_EQ(GetGadgetState(bar), 11);
    SendMessageA(hwnd(), WM_HSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(GadgetID(bar)));
    EXPECT_EQ(GetGadgetState(bar), 91); // the last page starts there
    EXPECT_EQ(WindowEvent(), PB_Event_Gadget);
    EXPECT_EQ(EventGadget(), bar);
}

class Explorer : public tktest::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir = std::string(temp) + "zarnet_explorer_" + std::to_string(GetCurrentProcessId()) + "\\";
        std::filesystem::create_directories(dir + "sub");
        for (const char* f : {"b.dat", "a.txt"})
            std::ofstream(dir + f) << "x";
    }
    void TearDown() override {
        WindowTest::TearDown();
        std::filesystem::remove_all(dir);
    }
    std::vector<std::string> rows(int g) {
        std::vector<std::string> out;
        for (int i = 0; i < CountGadgetItems(g); ++i)
            out.push_back(GetGadgetItemText(g, i));
        return out;
    }
    std::string dir;
};

TEST_F(Explorer, ListShowsRealFoldersAndFiles) {
    using Rows = std::vector<std::string>;
    struct Case {
        std::string start;
        uint32_t flags;
        Rows expect;
    };
    const Case cases[] = {
        {dir, 0, {"..", "sub", "a.txt", "b.dat"}},
        {dir + "*.txt", 0, {"..", "sub", "a.txt"}},
        {dir, PB_Explorer_NoFiles, {"..", "sub"}},
        {dir, PB_Explorer_NoFolders | PB_Explorer_NoParentFolder, {"a.txt", "b.dat"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start + " " + std::to_string(c.flags));
        const int g = ExplorerListGadget(PB_Any, 0, 0, 300, 200, c.start, c.flags);
        EXPECT_EQ(rows(g), c.expect);
        EXPECT_EQ(GetGadgetText(g), dir);
        FreeGadget(g);
    }
}

TEST_F(Explorer, ListOpensAFolderOnDoubleClick) {
    const int g = ExplorerListGadget(PB_Any, 0, 0, 300, 200, dir);
    NMITEMACTIVATE nm{};
    nm.hdr.hwndFrom = GadgetID(g);
    nm.hdr.code = NM_DBLCLK;
    nm.iItem = 1; // "sub"
    SendMessageA(hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(GetGadgetText(g), dir + "sub\\");
    EXPECT_EQ(rows(g), std::vector<std::string>{".."});
    nm.iItem = 0; // back up
    SendMessageA(hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(GetGadgetText(g), dir);
}

TEST_F(Explorer, TreeAndComboStartAtTheirDirectory) {
    const int tree = ExplorerTreeGadget(PB_Any, 0, 0, 200, 200, dir + "sub\\");
    EXPECT_EQ(GetGadgetText(tree), dir + "sub\\");
    const int combo = ExplorerComboGadget(PB_Any, 0, 0, 200, 200, dir);
    EXPECT_EQ(GetGadgetText(combo), dir);
    // The drive, then each folder down to the start directory, which is shown.
    char shown[MAX_PATH] = {};
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT;
    item.iItem = SendMessageA(GadgetID(combo), CB_GETCURSEL, 0, 0);
    item.pszText = shown;
    item.cchTextMax = sizeof shown;
    SendMessageA(GadgetID(combo), CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    const std::string last = dir.substr(0, dir.size() - 1);
    EXPECT_EQ(std::string(shown), last.substr(last.find_last_of('\\') + 1));
    EXPECT_GT(SendMessageA(GadgetID(combo), CB_GETCOUNT, 0, 0), 2);
}

class ScriptedRequesters final : public Requesters {
  public:
    int message(std::string_view title, std::string_view text, uint32_t flags) override {
        asked = std::string(title) + "|" + std::string(text) + "|" + std::to_string(flags);
        return PB_MessageRequester_No;
    }
    std::string openFile(std::string_view, std::string_view, std::string_view, int) override {
        return "in.zrf";
    }
    std::string saveFile(std::string_view, std::string_view, std::string_view, int) override {
        return "out.zrf";
    }
    std::string input(std::string_view, std::string_view, std::string_view d) override {
        return std::string(d) + "!";
    }
    int32_t colour(int32_t) override { return -1; }
    std::optional<FontChoice> font(std::string_view, int, uint32_t) override {
        return std::nullopt;
    }
    std::string asked;
};

class FakeClock final : public Clock {
  public:
    uint32_t now() override { return t; }
    void sleep(uint32_t ms) override { t += ms; }
    uint32_t t = 1000;
};

TEST(Seams, CommandsGoThroughTheInstalledSeams) {
    ScriptedRequesters script;
    FakeClock fake;
    setRequesters(&script);
    setClock(&fake);
    EXPECT_EQ(MessageRequester("Warning", "Save?", PB_MessageRequester_YesNo),
              PB_MessageRequester_No);
    EXPECT_EQ(script.asked, "Warning|Save?|4");
    EXPECT_EQ(OpenFileRequester("Load", "", "Zarnet file (*.zrf)|*.zrf"), "in.zrf");
    EXPECT_EQ(InputRequester("Prefix", "?", "Win1_"), "Win1_!");
    EXPECT_EQ(ColorRequester(5), -1);
    Delay(150);
    EXPECT_EQ(ElapsedMilliseconds(), 1150u);
    setRequesters(nullptr);
    setClock(nullptr);
    EXPECT_NE(&requesters(), &script);
}

} // namespace
