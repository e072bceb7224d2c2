#include "anchors/anchors.h"

#include <gtest/gtest.h>

#include <ostream>

namespace zarnet::anchors {

void PrintTo(const Rect& r, std::ostream* os) {
    *os << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
}

namespace {

constexpr int32_t K = kKeep;

struct Case {
    const char* what;
    uint8_t flag;
    Rect gadget;
    int32_t refW, refH; // the window or parent when registered
    int32_t curW, curH; // and after the resize
    Rect expected;
};

// clang-format off
const Case kCases[] = {
    {"all four proportional bits double with the window", 1 | 2 | 4 | 8, {100, 50, 80, 20},
     400, 300, 800, 600, {200, 100, 160, 40}},
    {"16 keeps the left edge's distance to the right border", 16, {100, 50, 80, 20}, 400, 300,
     500, 300, {200, K, K, K}},
    {"64 stretches the width, left edge stays", 64, {100, 50, 80, 20}, 400, 300, 500, 300,
     {K, K, 180, K}},
    {"64 beats 16: left edge stays", 16 | 64, {100, 50, 80, 20}, 400, 300, 500, 300,
     {K, K, 180, K}},
    {"64 beats 1 and 4 too", 1 | 4 | 16 | 64, {100, 50, 80, 20}, 400, 300, 800, 300,
     {K, K, 480, K}},
    {"16 beats 1 for x, 4 still scales the width", 1 | 4 | 16, {100, 50, 80, 20}, 400, 300, 800,
     300, {500, K, 160, K}},
    {"32 alone moves with the bottom border", 32, {100, 250, 80, 20}, 400, 300, 400, 200,
     {K, 150, K, K}},
    {"128 stretches the height, top edge stays", 128 | 2 | 8, {100, 50, 80, 20}, 400, 300, 400,
     400, {K, K, K, 120}},
    {"no bits: nothing moves", 0, {100, 50, 80, 20}, 400, 300, 800, 600, {K, K, K, K}},
    {"half rounds down to even: 15 x 1.5 = 22.5", 1, {15, 0, 0, 0}, 400, 300, 600, 300,
     {22, K, K, K}},
    {"half rounds up to even: 17 x 1.5 = 25.5", 1, {17, 0, 0, 0}, 400, 300, 600, 300,
     {26, K, K, K}},
    // 7/6 as a 32-bit float is just below 7/6, so 3 x 7/6 lands below 3.5.
    {"the factor is a 32-bit float", 1, {3, 0, 0, 0}, 6, 300, 7, 300, {3, K, K, K}},
    {"the product is not rounded to float", 1, {16777217, 0, 0, 0}, 400, 300, 400, 300,
     {16777217, K, K, K}},
    {"a computed -1 means keep", 16, {100, 0, 0, 0}, 400, 300, 299, 300, {K, K, K, K}},
    {"zero reference width: proportional x and width keep", 1 | 2 | 4 | 8, {10, 10, 10, 10}, 0,
     300, 500, 600, {K, 20, K, 20}},
    {"zero reference height: border bits still work", 32 | 2 | 8, {10, 10, 10, 10}, 400, 0,
     400, 50, {K, 60, K, K}},
};
// clang-format on

TEST(Anchors, ResizeTable) {
    for (const Case& c : kCases) {
        const Stored s = storeAnchor(c.flag, c.gadget, c.refW, c.refH);
        EXPECT_EQ(resizedRect(s, factorsFor(c.curW, c.curH, c.refW, c.refH)), c.expected) << c.what;
    }
}

TEST(Anchors, RegistrationStoresDistancesForTheBorderBits) {
    EXPECT_EQ(storeAnchor(16, {100, 50, 80, 20}, 400, 300), (Stored{16, 300, 50, 80, 20}));
    EXPECT_EQ(storeAnchor(64, {100, 50, 80, 20}, 400, 300), (Stored{64, 300, 50, 320, 20}));
    EXPECT_EQ(storeAnchor(32 | 128, {100, 50, 80, 20}, 400, 300), (Stored{160, 100, 250, 80, 280}));
}

} // namespace
} // namespace zarnet::anchors
