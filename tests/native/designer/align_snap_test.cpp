#include "designer/arrange/align.h"
#include "designer/arrange/snap.h"

#include "arrange_designs.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace zarnet::designer {
namespace {

using AC = AlignCommand;

struct AlignCase {
    const char* what;
    AC command;
    std::vector<AlignMember> members; // the first is the reference
    Area parent;
    std::vector<Rect> expected;
};

// A reference A, a member B of odd size, a Fixed member C.
const AlignMember A{{10, 10, 50, 20}};
const AlignMember B{{40, 50, 31, 25}};
const AlignMember C{{100, 30, 20, 40}, false};
const AlignMember FixedA{{10, 10, 50, 20}, false};

TEST(Align, EveryCommandGivesExactRectangles) {
    // clang-format off
    const std::vector<AlignCase> cases = {
        {"left edges", AC::LeftEdges, {A, B, C}, {}, {A.rect, {10, 50, 31, 25}, C.rect}},
        {"right edges", AC::RightEdges, {A, B, C}, {}, {A.rect, {29, 50, 31, 25}, C.rect}},
        {"top edges", AC::TopEdges, {A, B, C}, {}, {A.rect, {40, 10, 31, 25}, C.rect}},
        {"bottom edges", AC::BottomEdges, {A, B, C}, {}, {A.rect, {40, 5, 31, 25}, C.rect}},
        // Centres 35 (10 + 50 / 2) and 55 (40 + 31 / 2): B goes 20 left.
        {"centres horizontally",
         AC::CentresHorizontally, {A, B, C}, {}, {A.rect, {20, 50, 31, 25}, C.rect}},
        // Centres 20 and 62 (50 + 25 / 2).
        {"centres vertically",
         AC::CentresVertically, {A, B, C}, {}, {A.rect, {40, 8, 31, 25}, C.rect}},
        {"same width", AC::SameWidth, {A, B, C}, {}, {A.rect, {40, 50, 50, 25}, C.rect}},
        {"same height", AC::SameHeight, {A, B, C}, {}, {A.rect, {40, 50, 31, 20}, C.rect}},
        {"same size", AC::SameSize, {A, B, C}, {}, {A.rect, {40, 50, 50, 20}, C.rect}},
        {"a Fixed reference still leads",
         AC::LeftEdges, {FixedA, B}, {}, {A.rect, {10, 50, 31, 25}}},
        {"the reference is the first, not the leftmost",
         AC::LeftEdges, {B, A}, {}, {B.rect, {40, 10, 50, 20}}},
        {"one member sizes nothing", AC::SameSize, {B}, {}, {B.rect}},
        // Group order 50, 0, 100, 17; by position 0, 17, 50, 100. The span
        // 0..113 holds 43 pixels of gadgets: 70 over 3 gaps is 23 and one
        // pixel over, which goes to the leftmost gap.
        {"space across hands leftovers out from the left",
         AC::SpaceAcross, {{{50, 5, 10, 10}}, {{0, 9, 10, 10}}, {{100, 1, 13, 10}}, {{17, 3, 10, 10}}},
         {}, {{67, 5, 10, 10}, {0, 9, 10, 10}, {100, 1, 13, 10}, {34, 3, 10, 10}}},
        {"space across leaves a Fixed member and places the rest as if it moved",
         AC::SpaceAcross, {{{50, 5, 10, 10}, false}, {{0, 9, 10, 10}}, {{100, 1, 13, 10}}, {{17, 3, 10, 10}}},
         {}, {{50, 5, 10, 10}, {0, 9, 10, 10}, {100, 1, 13, 10}, {34, 3, 10, 10}}},
        // Overlapping members: room -51 over 2 gaps is -26 and 1 over.
        {"space down with overlaps",
         AC::SpaceDown, {{{0, 29, 5, 40}}, {{0, 0, 5, 40}}, {{0, 5, 5, 40}}},
         {}, {{0, 29, 5, 40}, {0, 0, 5, 40}, {0, 15, 5, 40}}},
        {"space down orders equal tops by left edge",
         AC::SpaceDown, {{{50, 0, 5, 10}}, {{0, 0, 5, 10}}, {{0, 40, 5, 10}}},
         {}, {{50, 20, 5, 10}, {0, 0, 5, 10}, {0, 40, 5, 10}}},
        {"spacing two members changes nothing",
         AC::SpaceAcross, {{{0, 0, 10, 10}}, {{50, 0, 10, 10}}}, {}, {{0, 0, 10, 10}, {50, 0, 10, 10}}},
        // Box 10..100 in 200: to 55..145.
        {"centre across moves the group as a block",
         AC::CentreInParentAcross, {{{10, 10, 50, 20}}, {{70, 40, 30, 20}}, C},
         {200, 100}, {{55, 10, 50, 20}, {115, 40, 30, 20}, C.rect}},
        {"centre across rounds half pixels left",
         AC::CentreInParentAcross, {{{10, 10, 50, 20}}, {{70, 40, 30, 20}}},
         {201, 100}, {{55, 10, 50, 20}, {115, 40, 30, 20}}},
        {"centre across a parent narrower than the group",
         AC::CentreInParentAcross, {{{10, 10, 50, 20}}, {{70, 40, 31, 20}}},
         {80, 100}, {{-6, 10, 50, 20}, {54, 40, 31, 20}}},
        {"centre down a single item",
         AC::CentreInParentDown, {{{3, 7, 50, 21}}}, {200, 100}, {{3, 39, 50, 21}}},
        {"centring with only Fixed members changes nothing",
         AC::CentreInParentDown, {C, {C.rect, false}}, {200, 100}, {C.rect, C.rect}},
    };
    // clang-format on
    for (const AlignCase& c : cases)
        EXPECT_EQ(arrange(c.command, c.members, c.parent), c.expected) << c.what;
}

TEST(Align, TheMenuOffersEveryCommandOnce) {
    std::set<AC> seen;
    for (const AlignMenuEntry& e : alignMenu()) {
        EXPECT_TRUE(seen.insert(e.command).second) << e.text;
        EXPECT_EQ(alignMenuText(e.command), e.text);
        EXPECT_FALSE(e.text.empty());
    }
    EXPECT_EQ(seen.size(), 13u);
    EXPECT_FALSE(alignMenu().front().separatorBefore);
}

struct SnapCase {
    const char* what;
    Rect dragged;
    SnapGesture gesture;
    std::vector<Rect> siblings;
    Rect expected;
    bool snappedX, snappedY;
    std::vector<int> guidesX, guidesY;
};

// x features 100, 125, 150; y features 100, 115, 130.
const Rect S{100, 100, 50, 30};

TEST(Snap, NearestEdgeOrCentreWins) {
    // clang-format off
    const auto move = SnapGesture::moving();
    const std::vector<SnapCase> cases = {
        {"centre to centre beats a farther edge",
         {103, 200, 40, 20}, move, {S}, {105, 200, 40, 20}, true, false, {125}, {}},
        {"a tie goes toward smaller coordinates",
         {113, 300, 84, 10}, move, {{100, 0, 10, 10}, {200, 0, 10, 10}},
         {110, 300, 84, 10}, true, false, {110}, {}},
        {"already aligned holds without moving",
         {100, 300, 20, 10}, move, {S}, {100, 300, 20, 10}, true, false, {100}, {}},
        {"five pixels is out of reach",
         {155, 135, 20, 10}, move, {S}, {155, 135, 20, 10}, false, false, {}, {}},
        {"four pixels is in reach on both axes",
         {154, 134, 20, 10}, move, {S}, {150, 130, 20, 10}, true, true, {150}, {130}},
        {"one shift can line up with two siblings",
         {102, 300, 40, 10}, move, {{100, 0, 10, 10}, {120, 50, 20, 10}},
         {100, 300, 40, 10}, true, false, {100, 120, 140}, {}},
        {"no siblings, no snap", {1, 2, 3, 4}, move, {}, {1, 2, 3, 4}, false, false, {}, {}},
        // The centre (123) lies nearer 125 than the right edge lies to 150,
        // but sizing only moves the right edge.
        {"sizing by mark 2 snaps the right edge only",
         {100, 200, 47, 28}, SnapGesture::sizing(2), {S}, {100, 200, 50, 28}, true, false, {150}, {}},
        {"sizing by mark 0 moves the left and top edges",
         {98, 133, 40, 40}, SnapGesture::sizing(0), {S}, {100, 130, 38, 43}, true, true, {100}, {130}},
        {"sizing never leaves less than a pixel",
         {148, 0, 1, 10}, SnapGesture::sizing(3), {S}, {148, 0, 1, 10}, false, false, {}, {}},
        {"sizing by mark 1 snaps the top edge onto a bottom edge",
         {0, 127, 10, 50}, SnapGesture::sizing(1), {S}, {0, 130, 10, 47}, false, true, {}, {130}},
    };
    // clang-format on
    for (const SnapCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SnapResult r = snapToSiblings(c.dragged, c.gesture, c.siblings);
        EXPECT_EQ(r.rect, c.expected);
        EXPECT_EQ(r.snappedX, c.snappedX);
        EXPECT_EQ(r.snappedY, c.snappedY);
        EXPECT_EQ(r.guidesX, c.guidesX);
        EXPECT_EQ(r.guidesY, c.guidesY);
    }
}

TEST(Snap, SiblingsShareParentAndTabAndStandOutsideSplitters) {
    const Design d = test::design("B:a P:p | B:b B:c W:s/b/c B:d | B:e . B:f");
    auto names = [&](size_t item) {
        std::string out;
        for (const size_t i : snapSiblings(d, item))
            out += d.items[i].name;
        return out;
    };
    EXPECT_EQ(names(test::indexOf(d, "a")), "pf");
    EXPECT_EQ(names(test::indexOf(d, "d")), "s");
    EXPECT_EQ(names(test::indexOf(d, "s")), "d");
    EXPECT_EQ(names(test::indexOf(d, "e")), "");
    EXPECT_EQ(names(2), ""); // a tab record
}

} // namespace
} // namespace zarnet::designer
