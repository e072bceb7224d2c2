// The designer's shell in-process: start-up with and without preferences,
// the title, the menus read back through the menu API, the grid routes,
// tips, the save question and the document commands.
#include "designer_fixture.h"

#include "designer/shell/shell_logic.h"
#include "document/catalogue.h"
#include "document/design_file.h"
#include "toolkit/images.h"

#include <fstream>

using namespace zarnet;
using namespace zarnet::designer;
using designertest::DesignerTest;
using designertest::fileBytes;
using designertest::exampleDesign;

namespace {

// A menu as text: "text(id)" per item, "-" per separator, "text[...]" for
// a submenu, entries separated by "|".
std::string describeMenu(HMENU menu) {
    std::string out;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (i) out += "|";
        char text[256] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        MENUITEMINFOA info{sizeof info};
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_ID;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR)
            out += "-";
        else if (info.hSubMenu)
            out += std::string(text) + "[" + describeMenu(info.hSubMenu) + "]";
        else
            out += std::string(text) + "(" + std::to_string(info.wID) + ")";
    }
    return out;
}

std::string creationList() {
    std::string out;
    for (int typ : creationMenuOrder()) {
        if (!out.empty()) out += '|';
        out += typeName(typ);
        out += '(';
        out += std::to_string(typ);
        out += ')';
    }
    return out;
}

RECT outerRect(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r;
}
SIZE clientSize(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

} // namespace

TEST_F(DesignerTest, FirstRunOpensEverythingAtItsDefaults) {
    start();
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(title(), "New   client 640 x 480");
    EXPECT_EQ(outerRect(d.objectManager).left, sw - 300);
    EXPECT_EQ(outerRect(d.objectManager).top, 150);
    EXPECT_EQ(clientSize(d.objectManager).cx, 200);
    EXPECT_EQ(clientSize(d.objectManager).cy, 469);
    EXPECT_EQ(outerRect(d.learner).left, 50);
    EXPECT_EQ(outerRect(d.learner).top, sh - 200);
    EXPECT_EQ(clientSize(d.learner).cx, 500);
    EXPECT_EQ(clientSize(d.learner).cy, 100);
    EXPECT_TRUE(IsWindowVisible(d.objectManager) && IsWindowVisible(d.learner));
    EXPECT_EQ(GetWindowLongA(d.objectManager, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(d.objectManager, GW_OWNER), d.canvas);
    EXPECT_EQ(tk::GetGadgetText(d.tipField), std::string(tipText(1)));
    EXPECT_EQ(d.gridSize, 10);
    EXPECT_EQ(tk::GetGadgetState(d.fields[FieldGrid10]), 1);
    EXPECT_EQ(tk::GetGadgetState(d.fields[FieldGrid5]), 0);
    EXPECT_EQ(fieldText(FieldUserGrid), "10");
    for (int f : {1, 24, 25, 26, 27, 11, 12, 13, 14, 8, 9, 10, 15, 16, 17, 18, 19, 4, 5, 6, 32, 35})
        EXPECT_TRUE(tk::GadgetDisabled(d.fields[f])) << "field " << f;
    EXPECT_EQ(tk::GetGadgetToolTip(d.fields[35]), "Fixed vertikal border distance");
    // The tree's layout: full width, 277 pixels left for the field panel;
    // the find box takes the tree's top, the tree is shorter by as much.
    const SIZE om = clientSize(d.objectManager);
    const int box = Designer::kFindFieldHeight;
    EXPECT_EQ(tk::GadgetY(d.findField), 0);
    EXPECT_EQ(tk::GadgetWidth(d.findField), om.cx);
    EXPECT_EQ(tk::GadgetY(d.tree), box);
    EXPECT_EQ(tk::GadgetHeight(d.tree), om.cy - 277 - box);
    EXPECT_EQ(tk::GadgetY(d.fields[FieldPanel]), om.cy - 272);

    EXPECT_EQ(menuCheck(MenuGrid), 1);
    EXPECT_EQ(menuCheck(MenuShowGrid), 0);
    EXPECT_EQ(menuCheck(MenuObjectManager), 1);
    EXPECT_EQ(menuCheck(MenuLearner), 1);

    // Exit writes the preferences: the windows' outer rectangles.
    d.menuCommand(MenuExit);
    EXPECT_TRUE(d.ended);
    const Preferences p = parsePreferences(fileBytes(folder + "preferences.zrp"));
    const RECT om2 = outerRect(d.objectManager), canvas = outerRect(d.canvas);
    EXPECT_EQ(p[PrefObjectManagerX], om2.left);
    EXPECT_EQ(p[PrefObjectManagerHeight], om2.bottom - om2.top);
    EXPECT_EQ(p[PrefCanvasX], canvas.left);
    EXPECT_EQ(p[PrefLearnerMode], 1);
    EXPECT_EQ(p[PrefGridSnap], 1);
}

TEST_F(DesignerTest, LaterRunsRestoreTheRememberedLayout) {
    struct Case {
        const char* what;
        Preferences prefs;
        RECT objectManager; // expected outer rectangle, left/top/width/height
    };
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    Preferences good{1, 100, 120, 230, 500, 0, 60, 70, 400, 90, 0, 1, 30, 40};
    Preferences offScreen = good;
    offScreen[PrefObjectManagerX] = sw + 500;
    Preferences shortFile{}; // a file of a few bytes reads as zeros
    shortFile[0] = 1;
    const Case cases[] = {
        {"stored", good, {100, 120, 230, 500}},
        {"off screen", offScreen, {sw - 300, 150, -1, -1}},
        {"zeros", shortFile, {sw - 300, 150, -1, -1}},
    };
    for (const Case& c : cases) {
        writeBytes(folder + "preferences.zrp", serialisePreferences(c.prefs));
        start();
        const RECT r = outerRect(d.objectManager);
        EXPECT_EQ(r.left, c.objectManager.left) << c.what;
        EXPECT_EQ(r.top, c.objectManager.top) << c.what;
        if (c.objectManager.right > 0) {
            EXPECT_EQ(r.right - r.left, c.objectManager.right) << c.what;
            EXPECT_EQ(r.bottom - r.top, c.objectManager.bottom) << c.what;
        } else {
            EXPECT_EQ(clientSize(d.objectManager).cx, 200) << c.what;
        }
        d.shutdown();
        d = Designer{};
    }
    writeBytes(folder + "preferences.zrp", serialisePreferences(good));
    start();
    // Learner mode off: no learner window, no tip; grid shown, no snapping.
    EXPECT_FALSE(IsWindowVisible(d.learner));
    EXPECT_EQ(tk::GetGadgetText(d.tipField), "Zarnet");
    EXPECT_EQ(menuCheck(MenuLearner), 0);
    EXPECT_EQ(menuCheck(MenuGrid), 0);
    EXPECT_EQ(menuCheck(MenuShowGrid), 1);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(d.canvas, GCLP_HBRBACKGROUND)), d.gridBrush);
    EXPECT_EQ(outerRect(d.canvas).left, 30);
    EXPECT_EQ(outerRect(d.canvas).top, 40);
    // Switching learner mode on shows the last text set while it was on.
    d.menuCommand(MenuLearner);
    EXPECT_TRUE(IsWindowVisible(d.learner));
    EXPECT_EQ(tk::GetGadgetText(d.tipField), "Zarnet");
    d.showTip(11);
    EXPECT_EQ(tk::GetGadgetText(d.tipField), "This works for groups, too.");
}

TEST_F(DesignerTest, MenusReadBackThroughTheMenuApi) {
    start();
    const std::string gadgets = creationList();
    EXPECT_EQ(describeMenu(tk::MenuID(kMainMenu)),
              "New Gadget[" + gadgets +
                  "]|-|Undo(300)|Redo(301)|Paste(302)|-|Show Tab Order(303)|Sort Tab Order by "
                  "Position(304)|Check Keyboard Access(305)|Bring to Front\tCtrl+Shift+](340)|Send to "
                  "Back\tCtrl+Shift+[(341)|Bring Forward\tCtrl+](342)|Send Backward\tCtrl+[(343)|-|"
                  "Preview Zarnet(100)|-|Toggle XP "
                  "Skin(30)|-|New "
                  "Zarnet(50)|-|Load "
                  "Zarnet(31)|Save Zarnet(32)|Save Zarnet as..(33)|Recent[]|New from Template[]|Save as "
                  "Template...(600)|-|Generate source          "
                  "[Generate full source(102)|Generate include source only(104)|Copy constants to "
                  "clipboard(103)]|-|View[Object Manager(39)|Learner Mode(101)]|-|Grid(34)|"
                  "Gridsize[5 Pixel(37)|10 Pixel(38)|User size(35)]|Show Grid(36)|-|Exit(42)");
    EXPECT_EQ(describeMenu(tk::MenuID(kCreationMenu)), gadgets);
    EXPECT_EQ(std::count(gadgets.begin(), gadgets.end(), '|'), 27);
    EXPECT_EQ(gadgets.find("Splitter"), std::string::npos);
    // The system menu: no minimize, maximize or restore, the file entries.
    const std::string sys = describeMenu(GetSystemMenu(d.canvas, FALSE));
    EXPECT_NE(sys.find("Toggle XP Skin(130)|-|New Zarnet(200)|-|Load Zarnet(131)|Save "
                       "Zarnet(132)|Save Zarnet as..(133)|-|"),
              std::string::npos)
        << sys;
    for (UINT cmd : {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
        EXPECT_EQ(GetMenuState(GetSystemMenu(d.canvas, FALSE), cmd, MF_BYCOMMAND), UINT(-1));
}

TEST_F(DesignerTest, EveryGridRoute) {
    start();
    struct Case {
        const char* what;
        std::function<void()> act;
        int grid;
        const char* field;
    } cases[] = {
        {"menu 5", [&] { d.menuCommand(MenuGrid5); }, 5, "5"},
        {"menu 10", [&] { d.menuCommand(MenuGrid10); }, 10, "10"},
        {"asked 250", [&] { requesters.inputs = {"250"}; d.menuCommand(MenuUserGrid); }, 100, "100"},
        {"asked, cancelled", [&] { d.menuCommand(MenuUserGrid); }, 2, "2"},
        {"button 5", [&] { d.setGridFromButton(5); }, 5, "5"},
        {"typed 1", [&] { tk::SetGadgetText(d.fields[FieldUserGrid], "1"); d.setGridFromField(); }, 2, "1"},
        {"typed 37", [&] { tk::SetGadgetText(d.fields[FieldUserGrid], "37"); d.setGridFromField(); }, 37, "37"},
        {"button 10", [&] { d.setGridFromButton(10); }, 10, "10"},
    };
    for (const Case& c : cases) {
        c.act();
        EXPECT_EQ(d.gridSize, c.grid) << c.what;
        EXPECT_EQ(fieldText(FieldUserGrid), c.field) << c.what;
        EXPECT_EQ(tk::GetGadgetState(d.fields[FieldGrid5]), c.grid == 5) << c.what;
        EXPECT_EQ(tk::GetGadgetState(d.fields[FieldGrid10]), c.grid == 10) << c.what;
        EXPECT_EQ(tk::ImageWidth(d.gridImage), c.grid) << c.what;
    }
    const auto& asked = requesters.shown.back();
    EXPECT_EQ(asked.title, "Set Grid Step");
    EXPECT_EQ(asked.text, "Enter new stepsize");
    // Show Grid on and off: the grid brush, then the background from before.
    const auto background = GetClassLongPtrA(d.canvas, GCLP_HBRBACKGROUND);
    d.menuCommand(MenuShowGrid);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(d.canvas, GCLP_HBRBACKGROUND)), d.gridBrush);
    d.menuCommand(MenuShowGrid);
    EXPECT_EQ(GetClassLongPtrA(d.canvas, GCLP_HBRBACKGROUND), background);
}

TEST_F(DesignerTest, ToolWindowCloseBoxesUncheckTheirEntries) {
    start();
    PostMessageA(d.objectManager, WM_CLOSE, 0, 0);
    PostMessageA(d.learner, WM_CLOSE, 0, 0);
    run();
    EXPECT_FALSE(d.ended);
    EXPECT_FALSE(IsWindowVisible(d.objectManager));
    EXPECT_FALSE(IsWindowVisible(d.learner));
    EXPECT_EQ(menuCheck(MenuObjectManager), 0);
    EXPECT_EQ(menuCheck(MenuLearner), 0);
    EXPECT_EQ(d.prefs[PrefObjectManagerVisible], 0);
    EXPECT_EQ(d.prefs[PrefLearnerMode], 0);
    d.menuCommand(MenuObjectManager);
    EXPECT_TRUE(IsWindowVisible(d.objectManager));
    // The canvas's close box is Exit; a posted menu command reaches the loop.
    PostMessageA(d.canvas, WM_COMMAND, MenuGrid, 0);
    run();
    EXPECT_EQ(menuCheck(MenuGrid), 0);
    PostMessageA(d.canvas, WM_CLOSE, 0, 0);
    run();
    EXPECT_TRUE(d.ended);
}

TEST_F(DesignerTest, LoadedDesignSavesByteForByte) {
    start({exampleDesign()});
    EXPECT_EQ(title(), canvasTitle(false, "example.zrf", tk::WindowWidth(kCanvasWindow),
                                   tk::WindowHeight(kCanvasWindow)));
    EXPECT_EQ(TreeView_GetCount(tk::GadgetID(d.tree)), d.design.items.size() -
                  std::count_if(d.design.items.begin(), d.design.items.end(),
                                [](const Item& it) { return it.typ == kCloseRecord; }));
    const std::string copy = folder + "copy";
    requesters.files = {copy};
    EXPECT_EQ(d.saveAs(), copy + ".zrf");
    EXPECT_EQ(fileBytes(copy + ".zrf"), fileBytes(exampleDesign()));
    EXPECT_EQ(title().substr(0, 8), "copy.zrf");
    const auto& req = requesters.shown.back();
    EXPECT_EQ(req.title, "Save Zarnet");
    EXPECT_EQ(req.pattern, "Zarnet file (*.zrf)|*.zrf");
}

TEST_F(DesignerTest, SaveQuestionAndFailedSave) {
    start({exampleDesign()});
    const size_t items = d.design.items.size();
    d.design.modified = true;
    // Cancel keeps everything; a failed save keeps the design and its "*".
    requesters.answers = {IDCANCEL};
    d.newDesign();
    EXPECT_EQ(d.design.items.size(), items);
    requesters.answers = {IDYES};
    requesters.files = {folder + "missing\\folder\\x.zrf"};
    d.design.fileName = "New";
    d.newDesign();
    EXPECT_EQ(d.design.items.size(), items);
    EXPECT_EQ(requesters.shown.back().text, "Can't save Zarnet!");
    EXPECT_EQ(d.design.fileName, "New");
    d.refreshTitle();
    EXPECT_EQ(title()[0], '*');
    // Exit still asks; No ends without saving.
    requesters.answers = {IDNO};
    d.exit();
    EXPECT_EQ(requesters.shown.back().text, "Save Zarnet now?");
    EXPECT_EQ(requesters.shown.back().title, "Info");
    EXPECT_TRUE(d.ended);
}

TEST_F(DesignerTest, NewAndLoadThroughTheMenus) {
    start({exampleDesign()});
    d.menuCommand(MenuNew);
    EXPECT_TRUE(d.design.items.empty());
    EXPECT_EQ(title(), "New   client 640 x 480");
    EXPECT_EQ(TreeView_GetCount(tk::GadgetID(d.tree)), 0u);
    // A damaged file from Load: a message naming it, an empty usable design.
    const std::string bad = folder + "bad.zrf";
    auto bytes = fileBytes(exampleDesign());
    bytes.resize(bytes.size() / 2);
    writeBytes(bad, bytes);
    requesters.files = {bad};
    d.systemCommand(SysLoad);
    EXPECT_EQ(requesters.shown.back().title, "Error");
    EXPECT_EQ(requesters.shown.back().text.rfind("Can't open Zarnet!", 0), 0u);
    EXPECT_NE(requesters.shown.back().text.find("bad.zrf"), std::string::npos);
    EXPECT_TRUE(d.design.items.empty());
    requesters.files = {exampleDesign()};
    d.systemCommand(SysLoad);
    EXPECT_FALSE(d.design.items.empty());
    EXPECT_EQ(requesters.shown.back().title, "Load Zarnet");
}

TEST_F(DesignerTest, RestartParametersAdoptNameAndModifiedFlag) {
    const std::string backup = folder + "backup";
    std::filesystem::copy_file(exampleDesign(), backup);
    start({"\"" + backup + "\"", "0", "\"C:\\forms\\kept.zrf\"", "1"});
    EXPECT_FALSE(std::filesystem::exists(backup));
    EXPECT_EQ(d.design.fileName, "C:\\forms\\kept.zrf");
    EXPECT_EQ(title().substr(0, 9), "*kept.zrf");
    EXPECT_FALSE(d.design.items.empty());
}

TEST_F(DesignerTest, MissingFileAtStartUpStillGivesACanvas) {
    start({folder + "nothing.zrf"});
    EXPECT_EQ(requesters.shown.at(0).text, "Can't open Zarnet!");
    EXPECT_EQ(title(), "New   client 640 x 480");
    EXPECT_TRUE(IsWindowVisible(d.canvas));
    EXPECT_EQ(GetWindowLongA(d.canvas, GWL_STYLE) & WS_MINIMIZEBOX, 0);
}

TEST_F(DesignerTest, NewGadgetMenuCreatesAtTheRightClick) {
    start();
    struct Case {
        int typ;
        POINT at;
        size_t index; // in the item list afterwards
        int number;
        int tip;
    } cases[] = {
        {ButtonGadget, {10, 20}, 0, 0, 2},
        {PanelGadget, {100, 100}, 1, 1, 5},  // with its tab and close records
        {Frame3DGadget, {5, 5}, 0, 2, 6},    // first in the list, below the rest
        {StringGadget, {300, 40}, 5, 3, 2},
    };
    for (const Case& c : cases) {
        d.menuPosition = c.at;
        d.menuCommand(c.typ);
        ASSERT_LT(c.index, d.design.items.size());
        const Item& it = d.design.items[c.index];
        EXPECT_EQ(it.typ, c.typ);
        EXPECT_EQ(it.number, c.number);
        EXPECT_EQ(tk::GadgetX(static_cast<int>(it.id)), c.at.x);
        EXPECT_EQ(tk::GadgetY(static_cast<int>(it.id)), c.at.y);
        EXPECT_EQ(tk::GetGadgetToolTip(static_cast<int>(it.id)),
                  "Item Index " + std::to_string(c.number) + " - " + it.name);
        EXPECT_EQ(tk::GetGadgetText(d.tipField), std::string(tipText(c.tip)));
    }
    EXPECT_EQ(d.design.items[3].typ, kTabRecord);
    EXPECT_EQ(d.design.items[3].wtext, "Panel 0");
    EXPECT_EQ(d.design.items[4].typ, kCloseRecord);
    EXPECT_EQ(TreeView_GetCount(tk::GadgetID(d.tree)), 5u);
    EXPECT_EQ(d.lastCreatedType, StringGadget);
    EXPECT_EQ(title()[0], '*');
    // What was made saves and loads back as it is.
    requesters.files = {folder + "made"};
    ASSERT_EQ(d.saveAs(), folder + "made.zrf");
    auto again = readDesign(fileBytes(folder + "made.zrf"), Strictness::Strict);
    ASSERT_TRUE(again.design);
    EXPECT_EQ(writeDesign(*again.design), fileBytes(folder + "made.zrf"));
    EXPECT_EQ(again.design->items.size(), 6u);

    // SPACE over the canvas: the last created type again, its corner on
    // the grid below the cursor.
    SetForegroundWindow(d.canvas);
    POINT p{47, 83};
    ClientToScreen(d.canvas, &p);
    input.moveTo(p);
    input.hold(VK_SPACE, 3);
    EXPECT_TRUE(d.keyboardHandler(false));
    const Item& made = d.design.items.back();
    EXPECT_EQ(made.typ, StringGadget);
    EXPECT_EQ(made.number, 4);
    EXPECT_EQ(tk::GadgetX(static_cast<int>(made.id)), 40);
    EXPECT_EQ(tk::GadgetY(static_cast<int>(made.id)), 80);
}
