#include "designer/canvas/geometry.h"
#include "designer/canvas/hit_order.h"
#include "designer/canvas/placement.h"
#include "document/catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace zarnet::designer {
namespace {

// Builds a design the way the editor does: every item through placement.
int create(Design& d, int typ, int marked = -1, int tab = 0) {
    const auto p = placeNewItem(d, marked, tab, typ);
    EXPECT_TRUE(p);
    if (!p) return -1;
    return static_cast<int>(insertNewItem(d, *p, makeItem(typ)));
}

std::vector<int> types(const Design& d) {
    std::vector<int> out;
    for (const Item& it : d.items)
        out.push_back(it.typ);
    return out;
}

TEST(CanvasNumbering, PoolOrders) {
    Design d;
    for (int i = 0; i < 6; ++i)
        create(d, ButtonGadget);
    removeRun(d, *deletionRun(d.items, 3));
    EXPECT_EQ((std::vector<int>{d.takeNumber(), d.takeNumber()}), (std::vector<int>{3, 6}));

    // Numbers released together come back in release order, ahead of
    // numbers left in the pool from loading.
    Design loaded;
    loaded.nextNumber = 6;
    for (int i = 0; i < 4; ++i)
        loaded.items.push_back(makeItem(ButtonGadget));
    for (size_t i = 0; i < 4; ++i)
        loaded.items[i].number = static_cast<int16_t>(std::array{0, 2, 4, 5}[i]);
    loaded.rebuildNumberPool();
    EXPECT_EQ(loaded.takeNumber(), 1);
    loaded.releaseNumber(5);
    loaded.releaseNumber(0);
    std::vector<int> taken(5);
    for (int& n : taken)
        n = loaded.takeNumber();
    EXPECT_EQ(taken, (std::vector<int>{5, 0, 3, 6, 7}));

    // Emptying the design starts numbering again at 0.
    while (!d.items.empty())
        removeRun(d, *deletionRun(d.items, 0));
    EXPECT_EQ(d.nextNumber, 0);
    EXPECT_TRUE(d.numberPool.empty());
    EXPECT_EQ(d.takeNumber(), 0);
}

TEST(CanvasPlacement, EveryContainerKind) {
    Design d;
    create(d, ButtonGadget);                                          // 0
    create(d, PanelGadget);                                           // 1 panel, 2 tab 0, 3 close
    d.items.insert(d.items.begin() + 3, makeTabRecord(1, "Panel 1")); // tab 1 at 3, close 4
    create(d, ContainerGadget);                                       // 5, close 6
    create(d, ScrollAreaGadget);                                      // 7, close 8
    const int frame = create(d, Frame3DGadget);                       // frames go to the very start
    EXPECT_EQ(frame, 0);
    EXPECT_EQ(types(d), (std::vector<int>{9, 1, 15, 100, 100, 0, 28, 0, 17, 0}));
    ASSERT_EQ(d.items[2].typ, PanelGadget);

    struct Case {
        int marked, tab, typ;
        size_t at;
        int level, treeParent, treeAfter;
    };
    const Case cases[] = {
        {-1, 0, ButtonGadget, 10, 0, -1, 8},  // top level: last, after the scroll area's entry
        {1, 0, ButtonGadget, 10, 0, -1, 8},   // a marked non-container means top level
        {-1, 0, Frame3DGadget, 0, 0, -1, -1}, // top-level frame: first
        {2, 0, ButtonGadget, 4, 1, 3, -1},    // panel tab 0: before tab 1's record
        {2, 0, Frame3DGadget, 4, 1, 3, -1},   // frame: right after tab 0's record
        {2, 1, ButtonGadget, 5, 1, 4, -1},    // panel tab 1: before the close record
        {6, 0, ButtonGadget, 7, 1, 6, -1},    // container
        {8, 0, TextGadget, 9, 1, 8, -1},      // scroll area
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "marked " << c.marked << " tab " << c.tab << " type " << c.typ);
        const auto p = placeNewItem(d, c.marked, c.tab, c.typ);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->listIndex, c.at);
        EXPECT_EQ(p->level, c.level);
        EXPECT_EQ(p->tab, c.marked == 2 ? c.tab : 0);
        EXPECT_EQ(p->treeParent, c.treeParent);
        EXPECT_EQ(p->treeAfter, c.treeAfter);
    }
    EXPECT_FALSE(placeNewItem(d, 2, 2, ButtonGadget)); // no such tab

    // Nested: a panel inside the container, a button on its tab, then a frame
    // and a second button in the container: the frame first, the button after
    // the whole panel run.
    const int inner = create(d, PanelGadget, 6);
    EXPECT_EQ(inner, 7);
    EXPECT_EQ(d.items[8].tab, 0);
    create(d, ButtonGadget, inner, 0);
    create(d, Frame3DGadget, 6);
    const int last = create(d, ButtonGadget, 6);
    EXPECT_EQ(types(d),
              (std::vector<int>{9, 1, 15, 100, 100, 0, 28, 9, 15, 100, 1, 0, 1, 0, 17, 0}));
    EXPECT_EQ(d.items[10].level, 2);
    EXPECT_EQ(d.maximumDepth, 2);
    EXPECT_EQ(placeNewItem(d, 6, 0, ButtonGadget)->treeAfter, last);
    EXPECT_FALSE(checkInvariants(d).has_value());
}

TEST(CanvasPlacement, DeletionTakesWholeRuns) {
    Design d;
    create(d, ButtonGadget);
    const int panel = create(d, PanelGadget);
    create(d, ButtonGadget, panel, 0);
    create(d, ContainerGadget, panel, 0);
    create(d, ButtonGadget);
    EXPECT_FALSE(deletionRun(d.items, 2)); // a tab record alone
    EXPECT_FALSE(deletionRun(d.items, 5)); // a close record alone
    const auto run = deletionRun(d.items, static_cast<size_t>(panel));
    ASSERT_TRUE(run);
    EXPECT_EQ(run->end, 7u);
    removeRun(d, *run);
    EXPECT_EQ(types(d), (std::vector<int>{1, 1}));
    // The panel's number comes back first, then its children's in list order.
    EXPECT_EQ((std::vector<int>{d.takeNumber(), d.takeNumber(), d.takeNumber()}),
              (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(checkInvariants(d).has_value());
}

TEST(CanvasGeometry, SnapAndCreationRounding) {
    const int cases[][3] = {{4, 10, 0},   {5, 10, 0},   {6, 10, 10},  {14, 10, 10}, {15, 10, 10},
                            {16, 10, 20}, {25, 10, 20}, {26, 10, 30}, {-4, 10, 0},  {-7, 10, -10},
                            {7, 5, 5},    {8, 5, 10},   {7, 1, 7},    {7, 0, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(snap(c[0], c[1]), c[2]) << c[0] << " step " << c[1];
    EXPECT_EQ(spaceCreationPosition(19, 10, true), 10);
    EXPECT_EQ(spaceCreationPosition(-19, 10, true), -10); // toward zero
    EXPECT_EQ(spaceCreationPosition(19, 10, false), 19);
    EXPECT_FALSE(Snapping::of(10, true, true).on || Snapping::of(10, false, false).on);
}

TEST(CanvasGeometry, KeySteps) {
    const Snapping grid{10, true}, pixels{10, false};
    // coordinate, direction, grid on, result
    const int steps[][4] = {{-3, -1, 1, -10}, {-3, 1, 1, 0},   {13, 1, 1, 20}, {13, -1, 1, 10},
                            {20, 1, 1, 30},   {20, -1, 1, 10}, {13, 1, 0, 14}, {13, -1, 0, 12}};
    for (const auto& c : steps)
        EXPECT_EQ(keyStep(c[0], c[1], {10, c[2] != 0}), c[3]) << c[0] << " dir " << c[1];

    const Area area{640, 480};
    EXPECT_EQ(keyMove({13, 5, 20, 20}, 1, 0, area, grid), (Rect{20, 5, 20, 20}));
    // Never out of reach: 4 pixels stay inside, and a step past that is refused.
    EXPECT_FALSE(keyMove({630, 5, 20, 20}, 1, 0, area, grid));
    EXPECT_EQ(keyMove({635, 5, 20, 20}, 1, 0, area, pixels), (Rect{636, 5, 20, 20}));
    EXPECT_FALSE(keyMove({636, 5, 20, 20}, 1, 0, area, pixels));
    // Already out of reach: the keys may bring it back or move it further.
    EXPECT_EQ(keyMove({700, 5, 20, 20}, 1, 0, area, grid), (Rect{710, 5, 20, 20}));

    EXPECT_FALSE(keySize({0, 0, 1, 5}, -1, 0, pixels));
    EXPECT_EQ(keySize({0, 0, 13, 5}, 1, 0, grid), (Rect{0, 0, 20, 5}));
    EXPECT_EQ(keySize({0, 0, 13, 15}, 0, -1, grid), (Rect{0, 0, 13, 10}));
    EXPECT_FALSE(keySize({0, 0, 13, 5}, 0, -1, grid)); // 5 -> 0
}

TEST(CanvasGeometry, DragMoveAndSize) {
    const Snapping grid{10, true};
    const Area area{640, 480};
    EXPECT_EQ(dragMovePosition({57, 44}, {5, 5}, 30, 20, area, grid), (Point{50, 40}));
    EXPECT_EQ(dragMovePosition({57, 44}, {5, 5}, 30, 20, area, {10, false}), (Point{52, 39}));
    // A 6 pixel gadget at 636 reaches 4 pixels in; snapping to 640 would lose
    // it, so the grid line on the cursor's side is taken.
    EXPECT_EQ(dragMovePosition({637, 10}, {1, 0}, 6, 20, area, grid), (Point{630, 10}));
    EXPECT_EQ(dragMovePosition({-7, 10}, {1, 0}, 12, 20, area, grid), (Point{0, 10}));

    const Rect press{100, 100, 40, 30};
    struct Case {
        int mark, dx, dy;
        Rect result;
    };
    for (const Case& c : {Case{0, 12, -16, {110, 80, 30, 50}}, Case{1, 14, 16, {100, 120, 50, 10}},
                          Case{2, -6, 6, {100, 100, 30, 40}}, Case{3, 4, 4, {100, 100, 40, 30}},
                          // past the opposite corner: the previous rectangle stays
                          Case{0, 60, 60, press}, Case{7, 10, 10, press}})
        EXPECT_EQ(dragSize(press, press, c.mark, c.dx, c.dy, grid), c.result) << "mark " << c.mark;
    EXPECT_EQ(dragSize({100, 100, 43, 30}, press, 2, 6, 0, {10, false}), (Rect{100, 100, 49, 30}));
}

TEST(CanvasGeometry, GroupScalingRoundsHalfToEven) {
    for (auto [v, r] : std::initializer_list<std::pair<float, int>>{
             {2.5f, 2}, {3.5f, 4}, {-2.5f, -2}, {-3.5f, -4}, {2.4999f, 2}, {2.5001f, 3}})
        EXPECT_EQ(roundHalfEven(v), r) << v;

    const Rect from{10, 10, 100, 50};
    // Doubling the width doubles width and distance from the left edge.
    EXPECT_EQ(scaleMember({30, 20, 40, 10}, from, {10, 10, 200, 50}), (Rect{50, 20, 80, 10}));
    // Factor 0.5 puts 5 -> 2.5 -> 2 and 7 -> 3.5 -> 4 (ties to even).
    EXPECT_EQ(scaleMember({15, 17, 5, 7}, from, {10, 10, 50, 25}), (Rect{12, 14, 2, 4}));
    // A member never shrinks below one pixel.
    EXPECT_EQ(scaleMember({10, 10, 1, 1}, from, {10, 10, 10, 5}).w, 1);
    EXPECT_EQ(scaleMember({1, 2, 3, 4}, {0, 0, 0, 0}, from), (Rect{1, 2, 3, 4}));
}

TEST(CanvasHitOrder, Table) {
    // 0 frame, 1 button on it, 2 later button overlapping, 3 container with
    // 4 a nested button, 5 a splitter.
    const std::vector<HitCandidate> under{{0, 0, Frame3DGadget}, {1, 0, ButtonGadget},
                                          {2, 0, ButtonGadget},  {3, 0, ContainerGadget},
                                          {4, 1, ButtonGadget},  {5, 0, SplitterGadget}};
    const std::span<const HitCandidate> all(under);
    struct Case {
        std::span<const HitCandidate> under;
        HitKeys keys;
        std::optional<int> hit;
    };
    const Case cases[] = {
        {all, {}, 4},                            // deepest first
        {all.first(3), {}, 2},                   // later sibling above
        {all.first(1), {}, std::nullopt},        // a frame needs SHIFT
        {all.first(2), {.shift = true}, 0},      // SHIFT takes the frame
        {all, {.shift = true}, 5},               // splitters before frames
        {all, {.shift = true, .xKey = true}, 0}, // SHIFT+X skips splitters
        {all.subspan(5), {}, std::nullopt},      // splitter without SHIFT
        {all.subspan(5), {.leftPressFree = true}, 5},
        {all.first(3), {.bothButtons = true}, 0}, // both buttons: frames only
        {all.first(3), {.contextMenu = true}, 2}, // context menu: the later sibling
        {all.first(1), {.contextMenu = true}, std::nullopt}, // ... but a frame needs SHIFT
        {all.subspan(5), {.contextMenu = true}, std::nullopt}, // ... and so does a splitter
        {all.first(1), {.bothButtons = true, .contextMenu = true}, 0},
        {{}, {.shift = true, .leftPressFree = true}, std::nullopt},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(pickHit(cases[i].under, cases[i].keys), cases[i].hit) << "case " << i;
}

} // namespace
} // namespace zarnet::designer
