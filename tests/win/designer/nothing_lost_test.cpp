// Ways the designer once lost or damaged a design, each driven in-process
// the way the user met it: stale font defaults after New, a damaged model
// written anyway, a minimized canvas saved as 0 x 0, dropped files taken for
// a restart, keys typed into a field deleting a gadget, nested splitters
// drifting, a spin at x = -1, scroll bars that kept the press to
// themselves, taps between two passes, and sizing at a scroll area's edge.
#include "designer_fixture.h"

#include "designer/canvas/geometry.h"
#include "designer/canvas/selection.h"
#include "designer/shell/shell_logic.h"
#include "document/catalogue.h"
#include "document/design_file.h"
#include "toolkit/toolkit.h"

using namespace zarnet;
using namespace zarnet::designer;
using designertest::DesignerTest;
using designertest::fileBytes;
using designertest::exampleDesign;
using designertest::gadget;

namespace {

class NothingLost : public DesignerTest {
  protected:
    std::string designFile(const std::string& name, const Design& design) {
        const std::string path = folder + name;
        EXPECT_TRUE(writeFileAtomic(path, writeDesign(design)));
        return path;
    }
    size_t make(int typ, int x, int y) {
        d.menuPosition = {x, y};
        d.menuCommand(typ);
        for (size_t i = d.design.items.size(); i-- > 0;)
            if (d.design.items[i].typ == typ) return i;
        return 0;
    }
    Rect live(size_t item) { return itemRect(d.design.items[item]); }
    std::string saved(const std::string& name) {
        requesters.files = {folder + name};
        return d.saveAs();
    }
};

TEST_F(NothingLost, NewAndLoadForgetDefaultsThatNameTheOldFontTable) {
    Design old;
    old.fonts.push_back({1, 0, 10, "Arial", 0});
    Item b = gadget(ButtonGadget, 0, 10, 10, 80, 20);
    b.font = 0;
    b.tooltip = 2;
    b.tooltipText = "tip";
    b.tfont = 0;
    old.items.push_back(b);
    old.nextNumber = 1;
    const std::string file = designFile("fonts.zrf", old);
    for (int command : {int(MenuNew), int(MenuLoad)}) {
        SCOPED_TRACE(command);
        if (d.canvas) d.shutdown();
        d = Designer{};
        start({file});
        d.markAndShow(0, false);
        ASSERT_EQ(d.tooltipDefaults.tfont, 0);
        ASSERT_EQ(d.typeDefaults[ButtonGadget].font, 0);
        // Load a design without fonts (New needs no file).
        Design empty;
        requesters.files = {designFile("empty.zrf", empty)};
        d.menuCommand(command);
        EXPECT_EQ(d.tooltipDefaults.tfont, -1);
        EXPECT_EQ(d.typeDefaults[ButtonGadget].font, -1);
        // A button made now and given an extended tooltip saves and reads back.
        const size_t made = make(ButtonGadget, 20, 20);
        EXPECT_EQ(d.design.items[made].tfont, -1);
        d.design.items[made].tooltip = 2;
        d.design.items[made].tooltipText = "new";
        ASSERT_EQ(saved("after"), folder + "after.zrf");
        EXPECT_TRUE(readDesign(fileBytes(folder + "after.zrf"), Strictness::Strict).design);
    }
}

TEST_F(NothingLost, ADesignThatWouldNotReadBackIsNeverWritten) {
    start({exampleDesign()});
    ASSERT_EQ(saved("kept"), folder + "kept.zrf");
    const auto before = fileBytes(folder + "kept.zrf");
    // A fault elsewhere left an item naming a font the table lacks.
    d.design.items[0].font = 7;
    d.design.modified = true;
    EXPECT_EQ(d.save(), "");
    EXPECT_EQ(requesters.shown.back().title, "Error");
    EXPECT_EQ(
        requesters.shown.back().text.rfind("Can't save Zarnet!\r\rNothing was written to\r", 0),
        0u);
    EXPECT_EQ(fileBytes(folder + "kept.zrf"), before);
    EXPECT_TRUE(d.design.modified);
    EXPECT_EQ(title()[0], '*');
    // Nor does a preview or a restart hand it to another process.
    d.preview();
    EXPECT_EQ(
        requesters.shown.back().text.rfind("Can't start the preview: the design is damaged", 0),
        0u);
    EXPECT_FALSE(d.restart());
    EXPECT_FALSE(d.ended);
    EXPECT_FALSE(std::filesystem::exists(folder + "backup"));
    // Exit with "Yes" cannot save it either, so the designer stays.
    requesters.answers = {IDYES};
    d.exit();
    EXPECT_FALSE(d.ended);
}

TEST_F(NothingLost, AMinimizedCanvasKeepsItsRestoredSizeAndPlace) {
    start({exampleDesign()});
    const int x = tk::WindowX(kCanvasWindow), y = tk::WindowY(kCanvasWindow);
    ShowWindow(d.canvas, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(d.canvas));
    ASSERT_EQ(saved("min"), folder + "min.zrf");
    const auto loaded = readDesign(fileBytes(folder + "min.zrf"), Strictness::Strict);
    ASSERT_TRUE(loaded.design);
    EXPECT_EQ(loaded.design->clientWidth, 420);
    EXPECT_EQ(loaded.design->clientHeight, 300);
    EXPECT_EQ(title(), "min.zrf   client 420 x 300");
    // New while minimized: restored, the canvas has the new design's size.
    d.newDesign();
    ShowWindow(d.canvas, SW_RESTORE);
    EXPECT_EQ(tk::WindowWidth(kCanvasWindow), 640);
    EXPECT_EQ(tk::WindowHeight(kCanvasWindow), 480);
    ShowWindow(d.canvas, SW_MINIMIZE);
    d.writePreferences();
    const Preferences p = parsePreferences(fileBytes(folder + "preferences.zrp"));
    EXPECT_EQ(p[PrefCanvasX], x);
    EXPECT_EQ(p[PrefCanvasY], y);
}

TEST_F(NothingLost, FilesDroppedTogetherOpenTheFirstAndDeleteNothing) {
    std::vector<std::string> files;
    for (const char* name : {"a.zrf", "b.zrf", "c.zrf"}) {
        files.push_back(folder + name);
        std::filesystem::copy_file(exampleDesign(), files.back());
    }
    start(files);
    EXPECT_EQ(d.design.fileName, files[0]);
    EXPECT_FALSE(d.design.modified);
    for (const std::string& f : files)
        EXPECT_TRUE(std::filesystem::exists(f)) << f;
}

TEST_F(NothingLost, KeysTypedIntoAFieldStayInTheField) {
    start({exampleDesign()});
    HWND tree = tk::GadgetID(d.tree);
    TreeView_SelectItem(tree, TreeView_GetRoot(tree));
    d.followTreeSelection(true);
    const size_t items = d.design.items.size();
    for (int key : {VK_DELETE, VK_RETURN}) {
        SetFocus(tk::GadgetID(d.fields[FieldName]));
        input.hold(key, 4);
        d.objectManagerBranch();
        EXPECT_EQ(d.design.items.size(), items) << key;
    }
    // In the tree, DEL deletes the entry's item.
    SetFocus(tree);
    input.hold(VK_DELETE, 4);
    d.objectManagerBranch();
    EXPECT_LT(d.design.items.size(), items);
}

// A name typed key by key into its field is one step: one undo takes it
// all back.
TEST_F(NothingLost, TypingIntoAFieldIsOneStep) {
    start({exampleDesign()});
    d.markAndShow(0, false);
    const std::string original = d.design.items[0].name;
    SetFocus(tk::GadgetID(d.fields[FieldName]));
    for (const char* typed : {"O", "Ok", "OkB"}) {
        tk::SetGadgetText(d.fields[FieldName], typed);
        const uint64_t before = d.design.revision;
        d.renameMarked();
        d.noteTyping(FieldName, before);
        d.commitEdits();
    }
    EXPECT_EQ(d.design.items[0].name, "OkB");
    d.undo();
    EXPECT_EQ(d.design.items[0].name, original);
}

// A design larger than the screen gets a smaller window, but is saved at
// its own size until the user sizes the window.
TEST_F(NothingLost, ADesignLargerThanTheScreenKeepsItsSize) {
    Design large;
    large.clientWidth = 4000;
    large.clientHeight = 3000;
    start({designFile("large.zrf", large)});
    ASSERT_EQ(saved("large-saved"), folder + "large-saved.zrf");
    const auto back = readDesign(fileBytes(folder + "large-saved.zrf"), Strictness::Strict);
    ASSERT_TRUE(back.design);
    EXPECT_EQ(back.design->clientWidth, 4000);
    EXPECT_EQ(back.design->clientHeight, 3000);
}

TEST_F(NothingLost, AnEmptiedNameFieldNamesTheItemAsALoadWould) {
    start({exampleDesign()});
    d.markAndShow(0, false);
    tk::SetGadgetText(d.fields[FieldName], "");
    d.renameMarked();
    EXPECT_EQ(d.design.items[0].name, typeName(d.design.items[0].typ));
    EXPECT_EQ(fieldText(FieldName), "");
}

// A hidden button held by a shown splitter, and a hidden container with a
// button inside: renaming, hiding and showing the splitter and deleting
// the inner button leave both hidden, as the file says.
TEST_F(NothingLost, HiddenGadgetsStayHiddenThroughRenameHideAndDelete) {
    Design hidden;
    hidden.items = {gadget(ButtonGadget, 0, 10, 10, 60, 100),
                    gadget(ButtonGadget, 1, 80, 10, 60, 100),
                    gadget(SplitterGadget, 2, 10, 10, 200, 100),
                    gadget(ContainerGadget, 3, 10, 150, 200, 100),
                    gadget(ButtonGadget, 4, 10, 10),
                    makeCloseRecord()};
    hidden.items[0].status = kStatusHidden;
    hidden.items[2].para1 = 0, hidden.items[2].para2 = 1;
    hidden.items[3].status = kStatusHidden;
    hidden.nextNumber = 5;
    hidden.recomputeNesting();
    start({designFile("hidden.zrf", hidden)});
    auto stillHidden = [&](const char* after) {
        for (const Item& it : d.design.items) {
            if (it.isGadget() && it.status & kStatusHidden) {
                EXPECT_TRUE(tk::GadgetHidden(static_cast<int>(it.id)))
                    << it.name << " shows after " << after;
            }
        }
    };
    d.markAndShow(2, false);
    tk::SetGadgetText(d.fields[FieldName], "Renamed");
    d.renameMarked();
    stillHidden("a rename");
    d.setHidden(d.design.items[2], true);
    d.setHidden(d.design.items[2], false);
    stillHidden("hiding and showing its splitter");
    d.markAndShow(4, false);
    d.deleteSelection();
    stillHidden("a delete");
}

// Two buttons side by side in a splitter, which itself lies beside a third
// button in an outer splitter of the same direction.
TEST_F(NothingLost, NestedSplittersKeepTheirSeparatorsThroughLoadAndSave) {
    Design nested;
    nested.items = {
        gadget(ButtonGadget, 0, 10, 10, 60, 100), gadget(ButtonGadget, 1, 80, 10, 60, 100),
        gadget(SplitterGadget, 2, 10, 10, 200, 100), gadget(ButtonGadget, 3, 220, 10, 80, 100),
        gadget(SplitterGadget, 4, 10, 10, 400, 100)};
    Item& inner = nested.items[2];
    inner.flags = 1;
    inner.para1 = 0, inner.para2 = 1, inner.para3 = 80;
    Item& outer = nested.items[4];
    outer.flags = 1;
    outer.para1 = 2, outer.para2 = 3, outer.para3 = 250;
    nested.nextNumber = 5;
    start({designFile("nested.zrf", nested)});
    ASSERT_EQ(saved("once"), folder + "once.zrf");
    requesters.files = {folder + "once.zrf"};
    d.load();
    ASSERT_EQ(saved("twice"), folder + "twice.zrf");
    EXPECT_EQ(fileBytes(folder + "twice.zrf"), fileBytes(folder + "once.zrf"));
    const auto once = readDesign(fileBytes(folder + "once.zrf"), Strictness::Strict);
    ASSERT_TRUE(once.design);
    EXPECT_EQ(once.design->items[2].para3, 80);
    EXPECT_EQ(once.design->items[4].para3, 250);
}

TEST_F(NothingLost, ASpinAtMinusOneMovesWholeAndKeepsItsWidth) {
    start();
    SetForegroundWindow(d.canvas);
    const size_t spin = make(SpinGadget, 50, 50);
    d.markAndShow(spin, false);
    for (int field : {FieldX, FieldY}) {
        tk::SetGadgetText(d.fields[field], "-1");
        d.applyTypedRect(field);
    }
    EXPECT_EQ(live(spin), (Rect{-1, -1, 80, 20}));
    ASSERT_EQ(saved("spin"), folder + "spin.zrf");
    const auto loaded = readDesign(fileBytes(folder + "spin.zrf"), Strictness::Strict);
    ASSERT_TRUE(loaded.design);
    const Item& s = loaded.design->items[0];
    EXPECT_EQ((Rect{s.x, s.y, s.w, s.h}), (Rect{-1, -1, 80, 20}));
}

TEST_F(NothingLost, AScrollBarLeavesThePressToTheDesigner) {
    start();
    SetForegroundWindow(d.canvas);
    const size_t bar = make(ScrollBarGadget, 100, 100);
    const int g = static_cast<int>(d.design.items[bar].id);
    HWND w = tk::GadgetID(g);
    // Were the press the bar's own, it would track until this release.
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(d.disabledControl, g);
    EXPECT_FALSE(IsWindowEnabled(w));
    click(on(bar, 40, 10));
    EXPECT_EQ(d.sel.marked, static_cast<int>(bar));
    EXPECT_TRUE(IsWindowEnabled(w));
    // Dragged like any gadget.
    const POINT from = on(bar, 40, 10);
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(40, 10));
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
    input.moveTo(from);
    input.press(VK_LBUTTON);
    passes(3);
    input.moveTo({from.x + 30, from.y + 20});
    passes(2);
    input.release(VK_LBUTTON);
    passes(2);
    EXPECT_EQ(live(bar).x, 130);
    EXPECT_EQ(live(bar).y, 120);
}

TEST_F(NothingLost, ATapBetweenTwoPassesIsAClick) {
    start();
    SetForegroundWindow(d.canvas);
    const size_t button = make(ButtonGadget, 40, 40);
    input.moveTo(on(button));
    input.tap(VK_LBUTTON);
    passes(2);
    EXPECT_EQ(d.sel.marked, static_cast<int>(button));
    // A right tap on the empty canvas opens the main menu.
    d.unmarkAll();
    POINT empty{400, 300};
    ClientToScreen(d.canvas, &empty);
    input.moveTo(empty);
    // Closed from another thread as soon as it shows.
    designertest::WindowWatcher closer([] { return FindWindowA("#32768", nullptr); },
                                       [this](HWND) { PostMessageA(d.canvas, WM_KEYDOWN, VK_ESCAPE, 0); },
                                       100);
    input.tap(VK_RBUTTON);
    passes(2);
    EXPECT_TRUE(closer.seen);
}

TEST_F(NothingLost, AGroupFormedShowsItsTipAndCombinesIntoAPlainContainer) {
    start();
    SetForegroundWindow(d.canvas);
    const size_t a = make(ButtonGadget, 20, 20);
    const size_t b = make(ButtonGadget, 20, 60);
    click(on(a));
    click(on(b), {VK_CONTROL});
    ASSERT_TRUE(d.sel.groupMode);
    EXPECT_EQ(tk::GetGadgetText(d.tipField), std::string(tipText(10)));
    d.menuCommand(MenuContainer);
    ASSERT_EQ(d.design.items[0].typ, ContainerGadget);
    EXPECT_EQ(d.design.items[0].flags, 0u);
}

// Sizing a group at the scroll area's edge: the members end where the
// scaling puts them, without a scroll moving them on the way.
TEST_F(NothingLost, SizingAGroupAtAScrollAreasEdgeScalesExactly) {
    start();
    SetForegroundWindow(d.canvas);
    const size_t area = make(ScrollAreaGadget, 10, 10);
    d.markAndShow(area, false);
    POINT p{0, 0};
    auto inside = [&](int x, int y) {
        d.markAndShow(area, false);
        p = {x, y};
        ClientToScreen(tk::GadgetListHandle(static_cast<int>(d.design.items[area].id), 0), &p);
        input.moveTo(p);
        d.createAtCursor(ButtonGadget, false);
        for (size_t i = d.design.items.size(); i-- > 0;)
            if (d.design.items[i].typ == ButtonGadget) return i;
        return size_t{0};
    };
    const size_t a = inside(10, 10);
    const size_t b = inside(10, 40);
    click(on(a));
    click(on(b), {VK_CONTROL});
    ASSERT_TRUE(d.sel.groupMode);
    const Rect ra = live(a), rb = live(b), group = d.sel.rect;
    RECT mark;
    GetWindowRect(tk::GadgetID(d.sel.marks[2]), &mark);
    input.press(VK_SHIFT);
    input.moveTo({mark.left + 3, mark.top + 3});
    input.press(VK_LBUTTON);
    passes(3);
    ASSERT_EQ(d.gesture, Designer::Gesture::Sizing);
    // To the area's right edge and held there while time passes.
    input.moveTo({d.scrollClip.right - 1, mark.top + 3});
    for (int i = 0; i < 40; ++i) {
        d.pass();
        Sleep(5);
    }
    // Back a little: the group is scaled again from the press.
    input.moveTo({d.scrollClip.right - 6, mark.top + 3});
    passes(3);
    input.release(VK_LBUTTON);
    passes(2);
    input.release(VK_SHIFT);
    const Rect to = d.sel.rect;
    // The bottom-right mark sizes; the top-left corner stays put.
    EXPECT_EQ(to.x, group.x);
    EXPECT_EQ(to.y, group.y);
    EXPECT_NE(to, group);
    EXPECT_EQ(live(a), scaleMember(ra, group, to));
    EXPECT_EQ(live(b), scaleMember(rb, group, to));
}

} // namespace
