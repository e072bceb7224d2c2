// Zarnet.exe started as a user starts it and looked at from outside: its
// three windows, the design on the canvas, the messages for missing and
// damaged files, saving through the system menu and the real file
// requester, and the close box with and without unsaved changes.
#include "designer_e2e.h"

#include "document/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

using namespace zarnet;
using namespace designer_e2e;

TEST_F(ZarnetE2E, StartsEmptyAndWritesPreferencesAtExit) {
    probe::Process p = start("");
    ASSERT_TRUE(p.started());
    HWND canvas = waitForCanvas(p, "New   client 640 x 480");
    ASSERT_NE(canvas, nullptr);
    EXPECT_NE(probe::waitForWindow(p.id(), " Object Manager", "", kStartMs), nullptr);
    HWND learner = probe::waitForWindow(p.id(), " Learner", "", kStartMs);
    ASSERT_NE(learner, nullptr);
    EXPECT_NE(probe::findChild(learner, "Edit", ""), nullptr);
    const RECT client = probe::clientRect(canvas);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    // A close that arrives while start-up still takes in pending events
    // is not acted on: it is sent again, as a user clicks again.
    std::optional<DWORD> code;
    for (int i = 0; i < 3 && !code; ++i) {
        if (IsWindow(canvas)) probe::closeWindow(canvas);
        code = p.waitExit(kExitMs / 3);
    }
    if (!code) code = p.waitExitOrKill(kExitMs);
    EXPECT_EQ(code, std::optional<DWORD>(0));
    EXPECT_EQ(bytesOf(dir + "preferences.zrp").size(), 56u);
}

TEST_F(ZarnetE2E, OpensADesignAndSavesItUnderANewName) {
    probe::Process p = start(probe::quoted(design));
    HWND canvas = waitForCanvas(p, "my design.zrf   client 420 x 300");
    ASSERT_NE(canvas, nullptr);
    // The example's gadgets are real controls on the canvas.
    EXPECT_NE(probe::findChild(canvas, "Button", "OK"), nullptr);
    // Save as from the system menu, through the real save requester.
    PostMessageA(canvas, WM_SYSCOMMAND, kSysSaveAs, 0);
    HWND dialog = probe::waitForWindow(p.id(), "Save Zarnet", "#32770", kStartMs);
    ASSERT_NE(dialog, nullptr);
    HWND edit = probe::findChild(dialog, "Edit", "");
    ASSERT_NE(edit, nullptr);
    const std::string target = dir + "saved";
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    ASSERT_TRUE(probe::clickButton(dialog, IDOK));
    ASSERT_NE(waitForCanvas(p, "saved.zrf   client 420 x 300"), nullptr);
    EXPECT_EQ(bytesOf(dir + "saved.zrf"), bytesOf(design));
    // Nothing changed since: the close box ends it without a question.
    ASSERT_TRUE(probe::closeWindow(canvas));
    EXPECT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0));
}

TEST_F(ZarnetE2E, UnsavedChangesAreAskedFor) {
    // A restart's parameters bring a modified design.
    struct Case {
        const char* what;
        std::vector<int> answers; // to "Save Zarnet now?", in turn
        bool saved;
    } cases[] = {{"cancel, then no", {IDCANCEL, IDNO}, false}, {"yes", {IDYES}, true}};
    for (const Case& c : cases) {
        DeleteFileA((dir + "saved.zrf").c_str());
        CopyFileA(design.c_str(), (dir + "backup").c_str(), FALSE);
        probe::Process p = start(probe::quoted(dir + "backup") + " 0 " +
                                 probe::quoted(dir + "saved.zrf") + " 1");
        HWND canvas = waitForCanvas(p, "*saved.zrf   client 420 x 300");
        ASSERT_NE(canvas, nullptr) << c.what;
        EXPECT_EQ(GetFileAttributesA((dir + "backup").c_str()), INVALID_FILE_ATTRIBUTES) << c.what;
        for (int answer : c.answers) {
            ASSERT_TRUE(probe::closeWindow(canvas)) << c.what;
            auto box = probe::waitForMessageBox(p.id(), kStartMs);
            ASSERT_TRUE(box) << c.what;
            EXPECT_EQ(box->title, "Info");
            EXPECT_EQ(box->text, "Save Zarnet now?");
            EXPECT_TRUE(box->hasButton(IDYES) && box->hasButton(IDNO) && box->hasButton(IDCANCEL));
            ASSERT_TRUE(probe::answer(*box, answer)) << c.what;
        }
        EXPECT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0)) << c.what;
        EXPECT_EQ(bytesOf(dir + "saved.zrf") == bytesOf(design), c.saved) << c.what;
    }
}

TEST_F(ZarnetE2E, MissingOrDamagedFilesLeaveAUsableDesigner) {
    {
        std::ofstream f(dir + "damaged.zrf", std::ios::binary);
        const auto whole = bytesOf(design);
        f.write(reinterpret_cast<const char*>(whole.data()), 120);
    }
    struct Case {
        std::string file;
        std::string message; // how the message starts
        std::string names;   // and what else it must show
    } cases[] = {{dir + "nothing.zrf", "Can't open Zarnet!", ""},
                 {dir + "damaged.zrf", "Can't open Zarnet!", "damaged.zrf"}};
    for (const Case& c : cases) {
        probe::Process p = start(probe::quoted(c.file));
        auto box = probe::waitForMessageBox(p.id(), kStartMs);
        ASSERT_TRUE(box) << c.file;
        EXPECT_EQ(box->title, "Error");
        EXPECT_EQ(box->text.rfind(c.message, 0), 0u) << box->text;
        EXPECT_NE(box->text.find(c.names), std::string::npos) << box->text;
        ASSERT_TRUE(probe::answer(*box, IDOK));
        HWND canvas = waitForCanvas(p, "New   client 640 x 480");
        ASSERT_NE(canvas, nullptr) << c.file;
        // This canvas shows at once; the designer is ready for a close
        // once its object manager shows too.
        ASSERT_NE(probe::waitForWindow(p.id(), " Object Manager", "", kStartMs), nullptr);
        ASSERT_TRUE(probe::closeWindow(canvas));
        EXPECT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0)) << c.file;
    }
}

TEST_F(ZarnetE2E, ReturnPreviewsAndEscapeRestarts) {
    probe::Process p = start(probe::quoted(design));
    const std::string title = "my design.zrf   client 420 x 300";
    HWND canvas = waitForCanvas(p, title);
    ASSERT_NE(canvas, nullptr);
    // RETURN with nothing marked: the viewer shows the design.
    holdKey("Return");
    HWND preview = waitForOtherWindow(p.id(), "Zarnet preview", kStartMs);
    ASSERT_NE(preview, nullptr);
    EXPECT_NE(probe::findChild(preview, "Button", "OK"), nullptr);
    EXPECT_FALSE(IsWindowVisible(canvas));
    probe::closeWindow(preview);
    ASSERT_NE(waitForCanvas(p, title), nullptr);
    EXPECT_EQ(GetFileAttributesA((dir + "backup").c_str()), INVALID_FILE_ATTRIBUTES);
    // ESC: a new designer takes over with the same design and title.
    holdKey("Escape");
    EXPECT_TRUE(p.waitExit(kExitMs).has_value());
    HWND next = waitForOtherWindow(p.id(), title, kStartMs);
    ASSERT_NE(next, nullptr);
    for (int i = 0; i < 100 && GetFileAttributesA((dir + "backup").c_str()) !=
                                   INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    EXPECT_EQ(GetFileAttributesA((dir + "backup").c_str()), INVALID_FILE_ATTRIBUTES);
    closeProcessOf(next);
}

TEST_F(ZarnetE2E, TwoLettersMakeAButtonThatDragsOnTheGridAndSaves) {
    probe::Process p = start("");
    HWND canvas = waitForCanvas(p, "New   client 640 x 480");
    ASSERT_NE(canvas, nullptr);
    ASSERT_NE(probe::waitForWindow(p.id(), " Object Manager", "", kStartMs), nullptr);
    // "B" opens the chooser at the cursor, "U" takes ButtonGadget.
    xdo("xdotool mousemove " + at(canvas, 100, 100) +
        "; sleep 0.3; xdotool keydown b; sleep 0.3; xdotool keyup b; sleep 0.5;"
        " xdotool keydown u; sleep 0.2; xdotool keyup u");
    ASSERT_NE(waitForCanvas(p, "*New   client 640 x 480"), nullptr);
    HWND button = nullptr;
    for (int i = 0; i < 100 && !button; ++i, Sleep(50)) button = probe::findChild(canvas, "Button", "Button");
    ASSERT_NE(button, nullptr);
    // A press marks it and holding on drags it; it lands on the grid. The
    // title reports the place while the button is held, and the client
    // size again once it is let go.
    xdo("xdotool mousemove " + at(canvas, 140, 110) +
        "; sleep 0.3; xdotool mousedown 1; sleep 0.5;"
        " xdotool mousemove " +
        at(canvas, 170, 140) + "; sleep 0.3; xdotool mousemove " + at(canvas, 197, 173) +
        "; sleep 0.5");
    ASSERT_NE(waitForCanvas(p, "*New   Positon 160 x 160"), nullptr);
    xdo("xdotool mouseup 1");
    ASSERT_NE(waitForCanvas(p, "*New   client 640 x 480"), nullptr);
    // The end of a drag takes in pending events without acting on them, as
    // every modal step does; a command sent just then is sent again.
    HWND dialog = nullptr;
    for (int i = 0; i < 3 && !dialog; ++i) {
        PostMessageA(canvas, WM_SYSCOMMAND, kSysSaveAs, 0);
        dialog = probe::waitForWindow(p.id(), "Save Zarnet", "#32770", kStartMs / 3);
    }
    ASSERT_NE(dialog, nullptr);
    HWND edit = probe::findChild(dialog, "Edit", "");
    ASSERT_NE(edit, nullptr);
    const std::string target = dir + "saved";
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    ASSERT_TRUE(probe::clickButton(dialog, IDOK));
    ASSERT_NE(waitForCanvas(p, "saved.zrf   client 640 x 480"), nullptr);
    const auto bytes = bytesOf(dir + "saved.zrf");
    auto saved = readDesign(bytes, Strictness::Strict);
    ASSERT_TRUE(saved.design);
    ASSERT_EQ(saved.design->items.size(), 1u);
    const Item& it = saved.design->items[0];
    EXPECT_EQ(it.typ, 1);
    EXPECT_EQ(it.number, 0);
    EXPECT_EQ(it.name, "ButtonGadget");
    EXPECT_EQ(it.wtext, "Button");
    EXPECT_EQ(it.x, 160); // 100 + 57 and 100 + 63, rounded to the grid of 10
    EXPECT_EQ(it.y, 160);
    EXPECT_EQ(it.w, 80);
    EXPECT_EQ(it.h, 20);
    EXPECT_EQ(saved.design->nextNumber, 1);
    EXPECT_EQ(writeDesign(*saved.design), bytes);
    ASSERT_TRUE(probe::closeWindow(canvas));
    EXPECT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0));
}

// Three buttons and a container holding a fourth, as the designer saves them.
Design threeAndAContainer() {
    Design d;
    d.clientWidth = 420;
    d.clientHeight = 300;
    auto button = [&](int n, int x, int y) {
        Item it = makeItem(ButtonGadget);
        it.number = static_cast<int16_t>(n);
        it.x = x;
        it.y = y;
        return it;
    };
    Item box = makeItem(ContainerGadget);
    box.number = 3;
    box.x = 200;
    box.y = 20;
    box.w = 150;
    box.h = 100;
    d.items = {button(0, 10, 10), button(1, 10, 50), button(2, 10, 90), box, button(4, 10, 10),
               makeCloseRecord()};
    d.nextNumber = 5;
    d.recomputeNesting();
    return d;
}

TEST_F(ZarnetE2E, ATreeEntryDraggedOntoASiblingMovesItsGadgetInTheFile) {
    const std::string nested = dir + "saved.zrf";
    ASSERT_TRUE(writeFileAtomic(nested, writeDesign(threeAndAContainer())));
    probe::Process p = start(probe::quoted(nested));
    HWND canvas = waitForCanvas(p, "saved.zrf   client 420 x 300");
    ASSERT_NE(canvas, nullptr);
    HWND manager = probe::waitForWindow(p.id(), " Object Manager", "", kStartMs);
    ASSERT_NE(manager, nullptr);
    HWND tree = probe::findChild(manager, "SysTreeView32", "");
    ASSERT_NE(tree, nullptr);
    // Entries are 18 pixels high, in list order: the first button's entry
    // is dragged onto the third's.
    auto row = [&](int k) {
        POINT pt{30, 18 * k + 9};
        ClientToScreen(tree, &pt);
        return std::to_string(pt.x) + " " + std::to_string(pt.y);
    };
    xdo("xdotool mousemove " + row(0) + "; sleep 0.3; xdotool mousedown 1; sleep 0.3;"
        " xdotool mousemove " + row(1) + "; sleep 0.3; xdotool mousemove " + row(2) +
        "; sleep 0.3; xdotool mouseup 1");
    ASSERT_NE(waitForCanvas(p, "*saved.zrf   client 420 x 300"), nullptr);
    PostMessageA(canvas, WM_SYSCOMMAND, 132, 0); // "Save Zarnet"
    ASSERT_NE(waitForCanvas(p, "saved.zrf   client 420 x 300"), nullptr);
    Design expected = threeAndAContainer();
    std::rotate(expected.items.begin(), expected.items.begin() + 1, expected.items.begin() + 3);
    EXPECT_EQ(bytesOf(nested), writeDesign(expected));
    ASSERT_TRUE(probe::closeWindow(canvas));
    EXPECT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0));
}

TEST_F(ZarnetE2E, AStyleCheckedInTheMarkedButtonsPopUpIsSaved) {
    const std::string file = dir + "saved.zrf";
    Design one = threeAndAContainer();
    one.items.resize(1);
    one.nextNumber = 1;
    ASSERT_TRUE(writeFileAtomic(file, writeDesign(one)));
    probe::Process p = start(probe::quoted(file));
    HWND canvas = waitForCanvas(p, "saved.zrf   client 420 x 300");
    ASSERT_NE(canvas, nullptr);
    ASSERT_NE(probe::waitForWindow(p.id(), " Object Manager", "", kStartMs), nullptr);
    // A click marks the button, the right button opens its pop-up.
    xdo("xdotool mousemove " + at(canvas, 30, 15) + "; sleep 0.3; xdotool click 1; sleep 0.5;"
        " xdotool mousedown 3; sleep 0.2; xdotool mouseup 3");
    HWND toggle = nullptr;
    HWND popup = windowWithButton(p.id(), "PB_Button_Toggle", &toggle);
    ASSERT_NE(popup, nullptr);
    // Checked there, then a click beside the pop-up closes it.
    xdo("xdotool mousemove " + centreOf(toggle) + "; sleep 0.3; xdotool click 1; sleep 0.5;"
        " xdotool mousemove " + at(canvas, 400, 280) + "; sleep 0.3; xdotool mousedown 1; sleep 0.2;"
        " xdotool mouseup 1");
    for (int i = 0; i < 200 && IsWindowVisible(popup); ++i) Sleep(50);
    ASSERT_FALSE(IsWindowVisible(popup));
    ASSERT_NE(waitForCanvas(p, "*saved.zrf   client 420 x 300"), nullptr);
    HWND dialog = nullptr;
    for (int i = 0; i < 3 && !dialog; ++i) {
        PostMessageA(canvas, WM_SYSCOMMAND, 132, 0); // "Save Zarnet"
        if (waitForCanvas(p, "saved.zrf   client 420 x 300")) break;
    }
    auto saved = readDesign(bytesOf(file), Strictness::Strict);
    ASSERT_TRUE(saved.design);
    ASSERT_EQ(saved.design->items.size(), 1u);
    EXPECT_EQ(saved.design->items[0].flags, 0x1003u); // PB_Button_Toggle
    ASSERT_TRUE(probe::closeWindow(canvas));
    EXPECT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0));
}

TEST_F(ZarnetE2E, XpStyleToggledTwiceReturnsToTheStart) {
    probe::Process p = start(probe::quoted(design));
    const std::string title = "my design.zrf   client 420 x 300";
    HWND canvas = waitForCanvas(p, title);
    ASSERT_NE(canvas, nullptr);
    const std::string manifest = dir + "Zarnet.exe.manifest";
    DWORD previous = p.id();
    for (bool on : {true, false}) {
        PostMessageA(canvas, WM_SYSCOMMAND, kSysToggleXp, 0);
        canvas = waitForOtherWindow(previous, title, kStartMs);
        ASSERT_NE(canvas, nullptr);
        GetWindowThreadProcessId(canvas, &previous);
        const bool present = GetFileAttributesA(manifest.c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(present, on);
    }
    closeProcessOf(canvas);
}

} // namespace
