// Menu 0's "Recent", "New from Template" and "Save as Template..." chosen
// with the X server's keys and pointer, as a user's hands choose them; the
// titles, the list file and the saved designs show what each did. The
// entries are counted from the foot of menu 0 (Exit is the first one up).
#include "designer_e2e.h"

#include "designer/shell/design_lists.h"
#include "document/catalogue.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace {

using namespace zarnet;
using namespace zarnet::designer;
using namespace designer_e2e;

constexpr int kUpToSave = 11, kUpToRecent = 9, kUpToNewFromTemplate = 8, kUpToSaveAsTemplate = 7;
const char kTemplate[] = "Dialog with OK and Cancel";

Design buttons(int count) {
    Design d;
    d.clientWidth = 420;
    d.clientHeight = 300;
    for (int i = 0; i < count; ++i) {
        Item it = makeItem(ButtonGadget);
        it.number = static_cast<int16_t>(d.takeNumber());
        it.x = 10;
        it.y = 10 + 30 * i;
        it.w = 80;
        it.h = 20;
        d.items.push_back(it);
    }
    d.recomputeNesting();
    return d;
}

std::string userTemplates() {
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    return std::string(appData) + "\\Zarnet\\templates\\";
}

class DesignerLists : public ZarnetE2E {
  protected:
    void TearDown() override {
        endDesigner(p, canvas);
        for (const std::string& f :
             {dir + "first.zrf", dir + "from template.zrf",
              dir + "templates\\" + kTemplate + ".zrf", userTemplates() + "saved.zrf"})
            DeleteFileA(f.c_str());
        RemoveDirectoryA((dir + "templates").c_str());
        RemoveDirectoryA(userTemplates().c_str());
        ZarnetE2E::TearDown();
    }

    std::string write(const std::string& name, const Design& d) {
        EXPECT_TRUE(writeFileAtomic(dir + name, writeDesign(d)));
        return dir + name;
    }
    // Starts the designer (on a design when one is named) and waits until
    // all its windows are up.
    void open(const std::string& file, const std::string& title) {
        p = start(file.empty() ? std::string() : probe::quoted(file));
        canvas = waitForCanvas(p, title);
        ASSERT_NE(canvas, nullptr);
        ASSERT_NE(probe::waitForWindow(p.id(), " Object Manager", "", kStartMs), nullptr);
    }
    void close() {
        ASSERT_TRUE(probe::closeWindow(canvas));
        ASSERT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0));
        canvas = nullptr;
    }
    // Opens menu 0 by the right button on empty canvas (at `emptySpot`)
    // and walks up to the entry; `into` opens its submenu. The menu shown
    // last is returned.
    HWND walkMenu(int up, bool into) {
        const auto known = probe::menuWindows(p.id());
        input.clickAt(screenAt(canvas, emptySpot.x, emptySpot.y), 3);
        HWND menu = input.run() ? probe::waitForNewMenu(p.id(), known, kStartMs) : nullptr;
        if (!menu) return nullptr;
        const auto shown = probe::menuWindows(p.id());
        for (int i = 0; i < up; ++i)
            input.key("Up");
        if (into) input.key("Right");
        if (!input.run()) return nullptr;
        return into ? probe::waitForNewMenu(p.id(), shown, kStartMs) : menu;
    }
    POINT emptySpot{300, 250};
    void choose() {
        ASSERT_TRUE(input.key("Return").run());
        ASSERT_TRUE(probe::waitForNoMenu(p.id(), kStartMs));
    }
    // "B" then "U" make a button at the point, as a user's keys make it.
    void buttonByLetters(POINT at) {
        ASSERT_TRUE(input.clickAt(at).pause(300).key("b").pause(500).key("u").pause(300).run());
    }
    // Clicks a button of a message box with the pointer.
    void clickInBox(const probe::MessageBoxInfo& box, int id) {
        ASSERT_TRUE(input.clickAt(centre(GetDlgItem(box.hwnd, id))).run());
        ASSERT_TRUE(probe::waitUntilGone(box.hwnd, kStartMs));
    }

    probe::Process p;
    probe::XInput input;
    HWND canvas = nullptr;
};

TEST_F(DesignerLists, RecentOpensTheDesignsLastOpenedOrSaved) {
    ASSERT_TRUE(probe::menuLayoutKnown());
    // Opened, then saved under a new name: both are listed, the saved one first.
    const std::string first = write("first.zrf", buttons(1));
    open(first, "first.zrf   client 420 x 300");
    PostMessageA(canvas, WM_SYSCOMMAND, kSysSaveAs, 0);
    HWND dialog = probe::waitForWindow(p.id(), "Save Zarnet", "#32770", kStartMs);
    ASSERT_NE(dialog, nullptr);
    const std::string saved = dir + "saved.zrf";
    SendMessageA(probe::findChild(dialog, "Edit", ""), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>((dir + "saved").c_str()));
    ASSERT_TRUE(probe::clickButton(dialog, IDOK));
    ASSERT_NE(waitForCanvas(p, "saved.zrf   client 420 x 300"), nullptr);
    close();

    // A new designer: "Recent", its first entry by keys.
    open("", "New   client 640 x 480");
    ASSERT_NE(walkMenu(kUpToRecent, true), nullptr);
    choose();
    ASSERT_NE(waitForCanvas(p, "saved.zrf   client 420 x 300"), nullptr);
    // Its second entry by the pointer: the first design again.
    HWND recent = walkMenu(kUpToRecent, true);
    ASSERT_NE(recent, nullptr);
    ASSERT_TRUE(input.clickAt(probe::menuEntry(recent, 1, 0)).run());
    ASSERT_TRUE(probe::waitForNoMenu(p.id(), kStartMs));
    ASSERT_NE(waitForCanvas(p, "first.zrf   client 420 x 300"), nullptr);
    EXPECT_NE(probe::findChild(canvas, "Button", ""), nullptr);
    const auto list = parseRecentList(bytesOf(dir + kRecentListName));
    EXPECT_EQ(list, (std::vector<std::string>{first, saved}));
}

TEST_F(DesignerLists, NewFromTemplateThenSaveAs) {
    ASSERT_TRUE(probe::menuLayoutKnown());
    CreateDirectoryA((dir + "templates").c_str(), nullptr);
    const std::string shipped = dir + "templates\\" + kTemplate + ".zrf";
    ASSERT_TRUE(CopyFileA(probe::windowsPath(std::string(ZARNET_SOURCE_DIR) +
                                             "/examples/templates/" + kTemplate + ".zrf")
                              .c_str(),
                          shipped.c_str(), FALSE));
    const std::string saved = write("saved.zrf", buttons(2));
    open(saved, "saved.zrf   client 420 x 300");
    // An unsaved change.
    buttonByLetters(screenAt(canvas, 200, 200));
    ASSERT_NE(waitForCanvas(p, "*saved.zrf   client 420 x 300"), nullptr);

    // The template's entry; the change is asked about first, and dropped.
    ASSERT_NE(walkMenu(kUpToNewFromTemplate, true), nullptr);
    choose();
    const auto box = probe::waitForMessageBox(p.id(), kStartMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Save Zarnet now?");
    clickInBox(*box, IDNO);
    ASSERT_NE(waitForCanvas(p, "New   client 360 x 130"), nullptr);
    EXPECT_NE(probe::findChild(canvas, "Button", "Cancel"), nullptr);

    // "Save Zarnet" asks for a name: the copy is saved there, the template
    // and the design left unsaved stay as they were.
    emptySpot = {50, 110}; // left of the template's buttons
    ASSERT_NE(walkMenu(kUpToSave, false), nullptr);
    choose();
    HWND dialog = probe::waitForWindow(p.id(), "Save Zarnet", "#32770", kStartMs);
    ASSERT_NE(dialog, nullptr);
    SendMessageA(probe::findChild(dialog, "Edit", ""), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>((dir + "from template").c_str()));
    ASSERT_TRUE(probe::clickButton(dialog, IDOK));
    ASSERT_NE(waitForCanvas(p, "from template.zrf   client 360 x 130"), nullptr);
    EXPECT_EQ(bytesOf(dir + "from template.zrf"), bytesOf(shipped));
    EXPECT_EQ(bytesOf(saved), writeDesign(buttons(2)));
}

TEST_F(DesignerLists, SaveAsTemplateKeepsAnExistingOneUnlessAsked) {
    const std::string saved = write("saved.zrf", buttons(2));
    open(saved, "saved.zrf   client 420 x 300");
    const std::string made = userTemplates() + "saved.zrf";
    struct Round {
        const char* what;
        int replace; // the answer to "Replace it?"; 0: not asked
        bool changed;
    } rounds[] = {
        {"new", 0, false}, {"exists, kept", IDNO, true}, {"exists, replaced", IDYES, true}};
    for (const Round& r : rounds) {
        if (r.changed) buttonByLetters(screenAt(canvas, 200, 60 + 40 * (r.replace == IDYES)));
        const auto before = bytesOf(made);
        ASSERT_NE(walkMenu(kUpToSaveAsTemplate, false), nullptr) << r.what;
        choose();
        // The name offered is the design's; OK takes it.
        HWND ask = probe::waitForWindow(p.id(), "Save as Template", "", kStartMs);
        ASSERT_NE(ask, nullptr) << r.what;
        ASSERT_TRUE(input.clickAt(centre(probe::findChild(ask, "Button", "OK"))).run());
        if (r.replace) {
            const auto box = probe::waitForMessageBox(p.id(), kStartMs);
            ASSERT_TRUE(box) << r.what;
            EXPECT_EQ(box->text, "A template named \"saved\" exists.\rReplace it?") << r.what;
            clickInBox(*box, r.replace);
        }
        ASSERT_TRUE(probe::waitUntilGone(ask, kStartMs)) << r.what;
        std::vector<uint8_t> now;
        for (int i = 0; i < 100 && (now = bytesOf(made)) == before; ++i)
            Sleep(50);
        const auto back = readDesign(now, Strictness::Strict);
        ASSERT_TRUE(back.design) << r.what;
        EXPECT_EQ(back.design->items.size(), r.replace == IDYES ? 4u : 2u) << r.what;
        // Still the design it was, with its changes unsaved.
        EXPECT_NE(waitForCanvas(p, r.changed ? "*saved.zrf   client 420 x 300"
                                             : "saved.zrf   client 420 x 300"),
                  nullptr)
            << r.what;
    }
}

} // namespace
