// The object manager's find box used as a user uses it, with the X
// server's keys and pointer: CTRL+F from the canvas, a name typed, RETURN
// to mark what was found (on the panel tab it lies on), then the canvas's
// own keys act on it; what they did is read back from the saved file.
#include "designer_e2e.h"

#include "document/catalogue.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

namespace {

using namespace zarnet;
using namespace designer_e2e;

constexpr char kFindTitle[] = "saved.zrf   client 420 x 300";
constexpr char kModified[] = "*saved.zrf   client 420 x 300";

Item placed(int typ, int number, int x, int y, const char* name) {
    Item it = makeItem(typ);
    it.number = static_cast<int16_t>(number);
    it.x = x;
    it.y = y;
    it.w = 80;
    it.h = 20;
    it.name = name;
    return it;
}

// A button, then a panel with "Beta" on its first tab and "EmailField" on
// its second: finding the field must show the second tab.
Design panelDesign() {
    Design d;
    d.clientWidth = 420;
    d.clientHeight = 300;
    Item panel = placed(PanelGadget, 1, 10, 40, "Pages");
    panel.w = 250;
    panel.h = 150;
    d.items = {placed(ButtonGadget, 0, 10, 10, "Alpha"),   panel,
               makeTabRecord(0, "One"),                    placed(ButtonGadget, 2, 20, 20, "Beta"),
               makeTabRecord(1, "Two"),                    placed(StringGadget, 3, 20, 20, "EmailField"),
               makeCloseRecord()};
    d.nextNumber = 4;
    d.recomputeNesting();
    return d;
}

const Item* named(const Design& d, const std::string& name) {
    auto it = std::find_if(d.items.begin(), d.items.end(), [&](const Item& i) { return i.name == name; });
    return it == d.items.end() ? nullptr : &*it;
}

TEST_F(ZarnetE2E, FindBoxMarksWhatItFindsForTheCanvasKeys) {
    const std::string file = dir + "saved.zrf";
    ASSERT_TRUE(writeFileAtomic(file, writeDesign(panelDesign())));
    probe::Process p = start(probe::quoted(file));
    HWND canvas = waitForCanvas(p, kFindTitle);
    ASSERT_NE(canvas, nullptr);
    HWND manager = probe::waitForWindow(p.id(), " Object Manager", "", kStartMs);
    ASSERT_NE(manager, nullptr);
    HWND tree = probe::findChild(manager, "SysTreeView32", "");
    ASSERT_NE(tree, nullptr);
    // The find box is the edit field above the tree.
    RECT treeRect;
    GetWindowRect(tree, &treeRect);
    const POINT inField = screenAt(manager, 60, 10);
    ASSERT_LT(inField.y, treeRect.top);
    HWND field = WindowFromPoint(inField);
    ASSERT_EQ(probe::className(field), "Edit");
    auto entries = [&] { return static_cast<int>(SendMessageA(tree, TVM_GETCOUNT, 0, 0)); };
    auto waitEntries = [&](int n) {
        for (int i = 0; i < 100 && entries() != n; ++i) Sleep(50);
        return entries();
    };
    const int all = entries();
    ASSERT_EQ(all, 6); // the close record has none
    const std::string pointIn = std::to_string(inField.x) + " " + std::to_string(inField.y);
    // CTRL+F on the canvas (nothing marked), then typing with the pointer
    // over the object manager, as the X focus follows the pointer here.
    auto find = [&](const std::string& text) {
        xdo("xdotool mousemove " + at(canvas, 400, 280) + "; sleep 0.3; xdotool key ctrl+f; sleep 0.5;"
            " xdotool mousemove " + pointIn + "; sleep 0.3; xdotool type --delay 80 " + text);
    };
    struct Step {
        const char* typed;
        int entries; // what the filtered tree shows
    } steps[] = {{"zzz", 0}, {"emailf", 3}};
    find(steps[0].typed);
    EXPECT_EQ(waitEntries(steps[0].entries), steps[0].entries);
    EXPECT_EQ(probe::windowText(field), "zzz");
    // ESC empties the box and shows every entry again; typing goes on.
    holdKey("Escape");
    EXPECT_EQ(waitEntries(all), all);
    EXPECT_EQ(probe::windowText(field), "");
    xdo(std::string("xdotool type --delay 80 ") + steps[1].typed);
    EXPECT_EQ(waitEntries(steps[1].entries), steps[1].entries); // panel, tab "Two", the field
    // RETURN marks the field on its tab; the arrow then moves it on the canvas.
    holdKey("Return");
    HWND email = nullptr;
    for (int i = 0; i < 100 && !email; ++i, Sleep(50))
        for (const probe::WindowInfo& w : probe::childWindows(canvas, true))
            if (w.className == "Edit" && w.visible) email = w.hwnd;
    EXPECT_NE(email, nullptr) << "the panel did not switch to the found field's tab";
    xdo("xdotool mousemove " + at(canvas, 400, 280) + "; sleep 0.3; xdotool key Right");
    ASSERT_NE(waitForCanvas(p, kModified), nullptr);
    // CTRL+F again, with an item marked: the old text is replaced. DEL on
    // the canvas deletes the found button, and the tree shows the filter
    // over the changed design: nothing is left that matches.
    find("beta");
    EXPECT_EQ(waitEntries(3), 3);
    holdKey("Return");
    Sleep(500);
    xdo("xdotool mousemove " + at(canvas, 400, 280) + "; sleep 0.3; xdotool key Delete");
    EXPECT_EQ(waitEntries(0), 0);
    PostMessageA(canvas, WM_SYSCOMMAND, kSysSave, 0);
    ASSERT_NE(waitForCanvas(p, kFindTitle), nullptr);
    auto saved = readDesign(bytesOf(file), Strictness::Strict);
    ASSERT_TRUE(saved.design);
    EXPECT_EQ(named(*saved.design, "Beta"), nullptr);
    const Item* moved = named(*saved.design, "EmailField");
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->x, 30);
    EXPECT_EQ(moved->y, 20);
    const Item* alpha = named(*saved.design, "Alpha");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->x, 10);
    EXPECT_EQ(saved.design->items.size(), panelDesign().items.size() - 1);
    ASSERT_TRUE(probe::closeWindow(canvas));
    EXPECT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0));
}

} // namespace
