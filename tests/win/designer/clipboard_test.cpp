// Copy and paste in-process, through the system clipboard: pastes in a row
// land apart, a paste goes into a marked panel's shown tab, duplicate and
// cut, damaged clipboard data, and undo of each giving back the file byte
// for byte.
#include "designer_fixture.h"

#include "designer/clipboard/system_clipboard.h"
#include "document/catalogue.h"
#include "document/design_file.h"

#include <cstring>
#include <set>

using namespace zarnet;
using namespace zarnet::designer;
using designertest::DesignerTest;
using designertest::gadget;

namespace {

// A panel with a button on its second tab, a container holding a splitter
// over two gadgets, and a button with a font and an extended tooltip.
Design clipSample() {
    Design d;
    d.fonts.push_back({1, 0, 12, "Arial", 0});
    d.items = {gadget(PanelGadget, 0, 10, 10, 300, 150),
               makeTabRecord(0, "A"),
               makeTabRecord(1, "B"),
               gadget(ButtonGadget, 1, 10, 10),
               makeCloseRecord(),
               gadget(ContainerGadget, 2, 330, 10, 200, 150),
               gadget(ButtonGadget, 3, 0, 0),
               gadget(EditorGadget, 4, 0, 0),
               gadget(SplitterGadget, 5, 10, 10, 180, 100),
               makeCloseRecord(),
               gadget(ButtonGadget, 6, 10, 200)};
    d.items[8].para1 = 3;
    d.items[8].para2 = 4;
    Item& styled = d.items[10];
    styled.font = 0;
    styled.tooltip = 2;
    styled.tooltipText = "tip";
    styled.tfont = 0;
    styled.auto_ = 5;
    d.nextNumber = 7;
    d.recomputeNesting();
    return d;
}

class ClipboardTest : public DesignerTest {
  protected:
    void SetUp() override {
        DesignerTest::SetUp();
        startOn(clipSample());
    }
    size_t indexOf(int number) {
        for (size_t i = 0; i < d.design.items.size(); ++i)
            if (d.design.items[i].isGadget() && d.design.items[i].number == number) return i;
        ADD_FAILURE() << "no item " << number;
        return 0;
    }
    // The marked item after a paste, with the step committed as a pass would.
    const Item& pastedRoot() {
        d.commitEdits();
        EXPECT_GE(d.sel.marked, 0);
        return d.design.items[static_cast<size_t>(std::max(d.sel.marked, 0))];
    }
};

TEST_F(ClipboardTest, PastesInARowLandApartAndUndoGivesBackTheFile) {
    const std::vector<uint8_t> before = savedBytes();
    d.markAndShow(indexOf(2), false);
    ASSERT_TRUE(d.copySelection());
    EXPECT_TRUE(clipboardHasItems());
    d.unmarkAll();
    std::set<std::pair<int, int>> places;
    for (int i = 0; i < 5; ++i) {
        d.pasteClipboard(std::nullopt);
        const Item& root = pastedRoot();
        EXPECT_EQ(root.typ, ContainerGadget);
        EXPECT_EQ(root.level, 0);
        places.insert({root.x, root.y});
    }
    EXPECT_EQ(places.size(), 5u);
    EXPECT_EQ(places.begin()->first, 330 + d.gridSize) << "the first a step off the copy";
    ASSERT_FALSE(checkInvariants(d.design));
    const auto saved = readDesign(savedBytes(), Strictness::Strict);
    ASSERT_TRUE(saved.design);
    EXPECT_EQ(saved.design->items.size(), clipSample().items.size() + 5 * 5);
    for (int i = 0; i < 5; ++i) d.undo();
    EXPECT_EQ(savedBytes(), before);
    EXPECT_NE(title().front(), '*') << "back at the save point";
}

TEST_F(ClipboardTest, PasteIntoAPanelDuplicateAndCut) {
    const std::vector<uint8_t> before = savedBytes();
    // The styled button into the panel's shown second tab.
    d.markAndShow(indexOf(6), false);
    ASSERT_TRUE(d.copySelection());
    d.markAndShow(indexOf(0), false);
    tk::SetGadgetState(static_cast<int>(d.design.items[indexOf(0)].id), 1);
    d.pasteClipboard(std::nullopt);
    {
        const Item& in = pastedRoot();
        EXPECT_EQ(in.level, 1);
        EXPECT_EQ(in.tab, 1);
        EXPECT_EQ(in.tooltipText, "tip");
        EXPECT_EQ(in.font, 0) << "the equal font entry is reused";
        EXPECT_EQ(in.tfont, 0);
        EXPECT_EQ(in.auto_, 5);
        EXPECT_EQ(in.number, 7);
    }
    // Duplicate: beside the original, in its parent.
    d.markAndShow(indexOf(1), false);
    d.duplicateSelection();
    {
        const Item& twin = pastedRoot();
        EXPECT_EQ(twin.number, 8);
        EXPECT_EQ(std::pair(twin.x, twin.y), std::pair(10 + d.gridSize, 10 + d.gridSize));
        EXPECT_EQ(twin.tab, 1);
    }
    // Cut: copied, then gone as DEL takes it; a paste brings it back.
    d.markAndShow(indexOf(6), false);
    d.cutSelection();
    d.commitEdits();
    for (const Item& it : d.design.items) EXPECT_FALSE(it.isGadget() && it.number == 6);
    d.unmarkAll();
    d.pasteClipboard(std::nullopt);
    EXPECT_EQ(pastedRoot().tooltipText, "tip");
    ASSERT_FALSE(checkInvariants(d.design));
    for (int i = 0; i < 4; ++i) d.undo();
    EXPECT_EQ(savedBytes(), before);
}

// What belongs to a gesture or a design ends with it: pastes in a row end
// when the user marks something else, keys wait while a drag runs, and
// tab-order clicks and pastes in a row do not outlive the design.
TEST_F(ClipboardTest, PastesInARowAndClicksEndWithWhatTheyBelongTo) {
    d.markAndShow(indexOf(6), false);
    ASSERT_TRUE(d.copySelection());
    d.markAndShow(indexOf(0), false);
    d.pasteClipboard(std::nullopt);
    EXPECT_EQ(pastedRoot().level, 1) << "into the marked panel";
    d.markAndShow(indexOf(2), false);
    d.pasteClipboard(std::nullopt);
    {
        const Item& root = pastedRoot();
        EXPECT_EQ(root.level, 1);
        EXPECT_EQ(root.parent, d.design.items[indexOf(2)].id) << "into the container marked since";
    }
    // DEL and CTRL+V while the mouse drags the marked button change nothing.
    d.markAndShow(indexOf(6), false);
    const uint64_t revision = d.design.revision;
    d.gesture = Designer::Gesture::Moving;
    for (const std::vector<int>& keys : {std::vector<int>{VK_DELETE}, {VK_CONTROL, 'V'}}) {
        for (int k : keys) input.press(k);
        EXPECT_FALSE(d.keyboardHandler(false));
        for (int k : keys) input.release(k);
    }
    d.gesture = Designer::Gesture::Idle;
    // CONTROL held in the tree reaches the command keys without the
    // keyboard handler: an undo there would rebuild the tree under a drag.
    d.treeDragged = reinterpret_cast<HTREEITEM>(1);
    input.press(VK_CONTROL);
    input.press('Z');
    EXPECT_FALSE(d.commandKeys());
    input.release('Z');
    input.release(VK_CONTROL);
    d.treeDragged = nullptr;
    EXPECT_EQ(d.design.revision, revision);
    // A new design starts its tab order and its pastes afresh.
    d.tabClicks = {6, 0};
    requesters.answers = {IDNO};
    d.newDesign();
    EXPECT_TRUE(d.tabClicks.empty());
    EXPECT_TRUE(d.pasteRow.marked.empty());
}

TEST_F(ClipboardTest, DamagedClipboardDataChangeNothing) {
    const std::vector<uint8_t> good = writeDesign(clipSample());
    const std::vector<std::vector<uint8_t>> blocks = {
        {1, 2, 3}, {good.begin(), good.begin() + 50}, writeDesign(Design{})};
    for (const auto& block : blocks) {
        ASSERT_TRUE(putOnClipboard(d.canvas, block, "x"));
        const uint64_t revision = d.design.revision;
        d.pasteClipboard(std::nullopt);
        EXPECT_EQ(d.design.revision, revision);
    }
    // Blocks far larger than any copy, claiming all a design can hold: read
    // within the memory they bring, or refused whole, never the end of the
    // designer (a 32-bit one has little room to spare).
    std::vector<uint8_t> huge(size_t{40} << 20, 0);
    std::copy(good.begin(), good.begin() + 37, huge.begin());
    for (int k = 0; k < 4; ++k) huge[41 + k] = static_cast<uint8_t>(kMaxRecords >> (8 * k));
    EXPECT_NO_THROW(EXPECT_FALSE(readClip(huge)));
    const std::vector<uint8_t> below(huge.begin(), huge.begin() + (30 << 20));
    ASSERT_TRUE(putOnClipboard(d.canvas, below, "x"));
    const uint64_t revision = d.design.revision;
    EXPECT_NO_THROW(d.pasteClipboard(std::nullopt));
    // Another program's block past what a copy of ours can be.
    ASSERT_TRUE(OpenClipboard(d.canvas));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, huge.size() + 4);
    ASSERT_TRUE(block);
    auto* bytes = static_cast<uint8_t*>(GlobalLock(block));
    const auto length = static_cast<uint32_t>(huge.size());
    std::memcpy(bytes, &length, 4);
    std::memcpy(bytes + 4, huge.data(), huge.size());
    GlobalUnlock(block);
    ASSERT_TRUE(SetClipboardData(RegisterClipboardFormatA(kClipFormatName), block));
    CloseClipboard();
    EXPECT_NO_THROW(d.pasteClipboard(std::nullopt));
    EXPECT_EQ(d.design.revision, revision);
    // Plain text alone is not ours: Paste stays disabled and does nothing.
    ASSERT_TRUE(OpenClipboard(d.canvas));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(clipboardHasItems());
}

} // namespace
