// Automatic resizing under real size messages: windows resized with
// SetWindowPos, anchored gadgets, containers that are anchored themselves,
// pictures that follow their gadget.
#include "runtime_fixture.h"

#include "runtime/procedures.h"
#include "toolkit/images.h"

#include "imaging/pixel_ops.h"

namespace {

using namespace zarnet;
using rttest::bytesOf;
using test::addItem;

struct Box {
    int x, y, w, h;
    friend bool operator==(Box, Box) = default;
};

std::ostream& operator<<(std::ostream& os, Box b) {
    return os << "(" << b.x << ", " << b.y << ", " << b.w << " x " << b.h << ")";
}

Box boxOf(int gadget) {
    return {tk::GadgetX(gadget), tk::GadgetY(gadget), tk::GadgetWidth(gadget),
            tk::GadgetHeight(gadget)};
}

class Resize : public rttest::RuntimeTest {
  protected:
    void SetUp() override { registerRuntimeProcedures(); }

    // Loads into a fresh 400 x 300 window and installs the callback.
    void loadAnchored(const Design& d) {
        const LoadReport r = load(bytesOf(d));
        ASSERT_TRUE(r.complete) << r.reason;
        ZarnetCallback(nullptr);
    }
    // A real size change: the window's own WM_SIZE reaches the callback.
    void resizeTo(int w, int h) {
        tk::ResizeWindow(window, -1, -1, w, h);
        ASSERT_EQ(tk::WindowWidth(window), w);
        ASSERT_EQ(tk::WindowHeight(window), h);
    }
};

struct AnchorCase {
    const char* name;
    int flag;
    Box at;    // as designed, in a 400 x 300 window
    int w, h;  // new inner size of the window
    Box moved; // where the gadget is then
};

TEST_F(Resize, GadgetsFollowTheirWindowByTheirFlags) {
    const AnchorCase cases[] = {
        {"scale all", 1 | 2 | 4 | 8, {100, 50, 80, 20}, 800, 600, {200, 100, 160, 40}},
        {"keep right distance", 16, {100, 50, 80, 20}, 500, 300, {200, 50, 80, 20}},
        {"width follows", 64, {100, 50, 80, 20}, 500, 300, {100, 50, 180, 20}},
        {"64 beats 16", 16 | 64, {100, 50, 80, 20}, 500, 300, {100, 50, 180, 20}},
        {"16 with a scaled width", 16 | 4, {100, 50, 80, 20}, 500, 300, {200, 50, 100, 20}},
        {"keep bottom distance", 32, {10, 250, 80, 20}, 400, 200, {10, 150, 80, 20}},
        {"height follows", 128, {10, 50, 80, 20}, 400, 400, {10, 50, 80, 120}},
        {"half to even, down", 1, {15, 0, 10, 10}, 600, 300, {22, 0, 10, 10}},
        {"half to even, up", 1, {17, 0, 10, 10}, 600, 300, {26, 0, 10, 10}},
        // 500 - (400 - -101) is -1, which keeps x where it is.
        {"computed -1 keeps x", 16, {-101, 0, 10, 10}, 500, 300, {-101, 0, 10, 10}},
        {"no flag of this axis", 2 | 8, {30, 40, 50, 60}, 800, 150, {30, 20, 50, 30}},
    };
    for (const AnchorCase& c : cases) {
        SCOPED_TRACE(c.name);
        Design d;
        Item& it = addItem(d, ButtonGadget, c.at.x, c.at.y);
        it.w = c.at.w;
        it.h = c.at.h;
        it.auto_ = c.flag;
        addItem(d, ButtonGadget, 5, 5).auto_ = 0; // not anchored: never moves
        loadAnchored(d);
        const Box fixed = boxOf(gadget(1));
        resizeTo(c.w, c.h);
        EXPECT_EQ(boxOf(gadget(0)), c.moved);
        EXPECT_EQ(boxOf(gadget(1)), fixed);
        // Back to the first size: everything is where it was designed.
        resizeTo(400, 300);
        EXPECT_EQ(boxOf(gadget(0)), c.at);
    }
}

// Window 400 x 300 holding an anchored container (its size scales), in it a
// gadget that scales with the container and an anchored container of its
// own with a child; after the outer container, a gadget that follows the
// window. The container's children are moved by a run nested in the
// window's run, which must then carry on with the gadget after it.
TEST_F(Resize, ContainersCarryTheirChildrenInNestedRuns) {
    Design d;
    d.items.reserve(16);
    Item& outer = addItem(d, ContainerGadget, 10, 10);
    outer.w = 200;
    outer.h = 100;
    outer.auto_ = 4 | 8;
    Item& child = addItem(d, ButtonGadget, 20, 20);
    child.w = 100;
    child.h = 30;
    child.auto_ = 1 | 2 | 4 | 8;
    Item& inner = addItem(d, ContainerGadget, 130, 10);
    inner.w = 60;
    inner.h = 80;
    inner.auto_ = 64 | 128; // follows the outer container's borders
    Item& grandchild = addItem(d, ButtonGadget, 5, 5);
    grandchild.w = 50;
    grandchild.h = 20;
    grandchild.auto_ = 4;
    d.items.push_back(makeCloseRecord());
    d.items.push_back(makeCloseRecord());
    Item& after = addItem(d, ButtonGadget, 300, 250);
    after.w = 80;
    after.h = 20;
    after.auto_ = 16 | 32;
    Item& still = addItem(d, ContainerGadget, 220, 10); // not anchored itself
    still.w = 100;
    still.h = 100;
    Item& stillChild = addItem(d, ButtonGadget, 10, 10);
    stillChild.w = 40;
    stillChild.h = 20;
    stillChild.auto_ = 1 | 2 | 4 | 8;
    d.items.push_back(makeCloseRecord());
    loadAnchored(d);
    // The outer container is registered once, at its first anchored child,
    // with its designed size; its second one (the inner container) uses
    // that entry.
    int outerEntries = 0;
    for (const gwcontent& p : runtime().gParentValue)
        if (p.id == gadget(0)) {
            ++outerEntries;
            EXPECT_EQ(p.orW, 200);
            EXPECT_EQ(p.orH, 100);
        }
    EXPECT_EQ(outerEntries, 1);

    resizeTo(800, 600);
    EXPECT_EQ(boxOf(gadget(0)), (Box{10, 10, 400, 200}));
    EXPECT_EQ(boxOf(gadget(1)), (Box{40, 40, 200, 60}));
    // The inner container keeps its left and top edge and its distances of
    // 10 to the outer container's right and bottom border.
    EXPECT_EQ(boxOf(gadget(2)), (Box{130, 10, 260, 180}));
    // Width 50 scaled by the inner container's 260 / 60.
    EXPECT_EQ(boxOf(gadget(3)), (Box{5, 5, 217, 20}));
    EXPECT_EQ(boxOf(gadget(4)), (Box{700, 550, 80, 20}));
    // A child follows its container, not the window.
    EXPECT_EQ(boxOf(gadget(5)), (Box{220, 10, 100, 100}));
    EXPECT_EQ(boxOf(gadget(6)), (Box{10, 10, 40, 20}));
}

TEST_F(Resize, ZeroReferenceSizeKeepsTheProportionalValues) {
    Design d;
    d.items.reserve(8);
    Item& box = addItem(d, ContainerGadget, 0, 0);
    box.w = 0; // registered as a parent 0 wide
    box.h = 100;
    box.auto_ = 64;
    Item& child = addItem(d, ButtonGadget, 10, 10);
    child.w = 30;
    child.h = 20;
    child.auto_ = 1 | 2 | 4 | 8;
    d.items.push_back(makeCloseRecord());
    loadAnchored(d);
    ASSERT_EQ(tk::GadgetWidth(gadget(0)), 0);
    resizeTo(600, 300);
    EXPECT_EQ(tk::GadgetWidth(gadget(0)), 200);
    // No horizontal factor: x and width stay; the vertical axis had a
    // factor of 1.
    EXPECT_EQ(boxOf(gadget(1)), (Box{10, 10, 30, 20}));
}

TEST_F(Resize, FramedPictureFollowsItsGadget) {
    Design d;
    Item& it = addItem(d, ImageGadget, 10, 10);
    it.flags = tk::PB_Image_Border;
    it.w = 100;
    it.h = 80;
    it.auto_ = 4 | 8;
    it.aflag = 2;
    imaging::Image p = *imaging::makeImage(10, 10, 0xFF00FF00u);
    it.image = imaging::encodeBmp(p);
    loadAnchored(d);
    const HWND g = tk::GadgetID(gadget(0));
    auto shownSize = [&] {
        BITMAP bm = {};
        GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(g, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                   sizeof bm, &bm);
        return std::pair{int(bm.bmWidth), int(bm.bmHeight)};
    };
    EXPECT_EQ(shownSize(), std::pair(96, 76));
    const struct {
        int w, h, imageW, imageH;
    } steps[] = {{800, 600, 196, 156}, {200, 150, 46, 36}, {400, 300, 96, 76}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.w);
        resizeTo(s.w, s.h);
        EXPECT_EQ(shownSize(), std::pair(s.imageW, s.imageH));
        EXPECT_EQ(tk::GadgetWidth(gadget(0)), s.imageW + 4);
        EXPECT_EQ(tk::GadgetHeight(gadget(0)), s.imageH + 4);
    }
}

TEST_F(Resize, NothingMovesWhileBlocked) {
    Design d;
    addItem(d, ButtonGadget, 100, 50).auto_ = 1 | 2;
    loadAnchored(d);
    runtime().ZarnValue.blocked = 1;
    resizeTo(800, 600);
    runtime().ZarnValue.blocked = 0;
    EXPECT_EQ(tk::GadgetX(gadget(0)), 100);
    resizeTo(800, 601);
    EXPECT_EQ(tk::GadgetX(gadget(0)), 200);
}

TEST_F(Resize, FreedGadgetsAreSkipped) {
    Design d;
    addItem(d, ButtonGadget, 100, 50).auto_ = 1;
    addItem(d, ButtonGadget, 100, 80).auto_ = 1;
    loadAnchored(d);
    tk::FreeGadget(gadget(0));
    resizeTo(800, 300);
    EXPECT_EQ(tk::GadgetX(gadget(1)), 200);
}

} // namespace
