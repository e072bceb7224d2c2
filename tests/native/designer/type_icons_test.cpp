// The object manager's type icons, read the way the designer and Windows read
// them: fixed-size icon files back to back, each a 16 x 16 picture of 256
// colours with a mask.
#include "designer/shell/type_icons.h"
#include "imaging/decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace {

using zarnet::designer::typeIconData;
using zarnet::designer::typeIconFile;
namespace imaging = zarnet::imaging;

uint32_t le(std::span<const uint8_t> d, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | d[at + size_t(i)];
    return v;
}

TEST(TypeIcons, EveryEntryIsOneSixteenPixelIconWithAMask) {
    const auto all = typeIconData();
    ASSERT_EQ(all.size(), 30u * 1406u);
    for (int entry = 1; entry <= 30; ++entry) {
        SCOPED_TRACE(entry);
        const auto f = typeIconFile(entry);
        ASSERT_EQ(f.size(), 1406u);
        EXPECT_EQ(f.data(), all.data() + size_t(entry - 1) * 1406u);

        // Directory and its one entry: 16 x 16, colour count 0, 1384 bytes at 22.
        EXPECT_EQ(le(f, 0, 4), 0x10000u);
        EXPECT_EQ(le(f, 4, 2), 1u);
        EXPECT_EQ(le(f, 6, 4), 0x1010u);
        EXPECT_EQ(le(f, 14, 4), 1384u);
        EXPECT_EQ(le(f, 18, 4), 22u);
        // Bitmap header: 16 wide, colour and mask rows 32 high, 8 bits, no compression.
        EXPECT_EQ(le(f, 22, 4), 40u);
        EXPECT_EQ(le(f, 26, 4), 16u);
        EXPECT_EQ(le(f, 30, 4), 32u);
        EXPECT_EQ(le(f, 36, 2), 8u);
        EXPECT_EQ(le(f, 38, 4), 0u);

        const auto img = imaging::decodeIco(f);
        ASSERT_TRUE(img);
        EXPECT_EQ(img->width, 16);
        EXPECT_EQ(img->height, 16);
        const auto clear = [](imaging::Pixel p) { return imaging::alphaOf(p) == 0; };
        const auto n = std::count_if(img->pixels.begin(), img->pixels.end(), clear);
        EXPECT_GT(n, 0);
        EXPECT_LT(n, 256 - 16);
        // A masked pixel must be black, or drawing through the mask tints
        // the tree's background.
        EXPECT_TRUE(std::none_of(img->pixels.begin(), img->pixels.end(), [&](imaging::Pixel p) {
            return clear(p) && (p & 0xFFFFFFu) != 0;
        }));
    }
}

TEST(TypeIcons, NoTwoEntriesLookAlike) {
    std::vector<imaging::Image> seen;
    for (int entry = 1; entry <= 30; ++entry) {
        auto img = imaging::decodeIco(typeIconFile(entry));
        ASSERT_TRUE(img) << entry;
        for (size_t i = 0; i < seen.size(); ++i)
            EXPECT_NE(*img, seen[i]) << "entries " << i + 1 << " and " << entry;
        seen.push_back(std::move(*img));
    }
}

TEST(TypeIcons, EntriesOutsideTheTableAreEmpty) {
    for (int entry : {INT_MIN, -1, 0, 31, INT_MAX})
        EXPECT_TRUE(typeIconFile(entry).empty()) << entry;
}

} // namespace
