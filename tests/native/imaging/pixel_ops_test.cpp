#include "imaging/pixel_ops.h"
#include "sample_images.h"

#include <gtest/gtest.h>

namespace zarnet::imaging {
namespace {

using namespace test;

constexpr Rgb kFace{212, 208, 200};
const Pixel F = kFace.pixel();
constexpr Pixel M = kMagenta;

TEST(Transparency, EveryPixelOfTheTopRightColourBecomesButtonFace) {
    // Magenta inside, on the border, and with alpha 0 (colours compare
    // without alpha); a near-magenta pixel stays.
    Image img = picture(
        {{kRed, M, kGreen, M}, {kBlue, 0xFFFE00FF, M, kWhite}, {0x00FF00FF, kBlack, kWhite, M}});
    makeTransparent(img, kFace);
    EXPECT_EQ(
        img,
        picture({{kRed, F, kGreen, F}, {kBlue, 0xFFFE00FF, F, kWhite}, {F, kBlack, kWhite, F}}));

    Image white = picture({{M, kWhite}, {kWhite, M}});
    makeTransparent(white, kFace);
    EXPECT_EQ(white, picture({{M, F}, {F, M}})) << "the key is the top-right pixel, not magenta";
}

TEST(Transparency, DrawingOnAnotherPictureShowsItThroughAndFillsTheSource) {
    Image src = picture({{kRed, M}, {M, kBlue}});
    Image dst = picture({{kWhite, kWhite, kWhite}, {kWhite, kWhite, kWhite}});
    drawTransparent(src, dst, 1, 1, 2, 2, std::nullopt, kFace);
    EXPECT_EQ(dst, picture({{kWhite, kWhite, kWhite}, {kWhite, kRed, kWhite}}));
    EXPECT_EQ(src, picture({{F, F}, {F, F}}));

    Image keyed = picture({{kRed, M}, {M, kBlue}});
    drawTransparent(keyed, dst, -1, 0, 2, 2, Rgb{255, 0, 0}, kFace);
    EXPECT_EQ(dst, picture({{M, kWhite, kWhite}, {kBlue, kRed, kWhite}}))
        << "explicit key, clipped";
}

TEST(Scale, UniformColourStaysExactAtAnySize) {
    const Image src = *makeImage(7, 5, 0xFF336699);
    for (auto [w, h] : {std::pair{14, 10}, {3, 2}, {1, 1}, {100, 3}, {7, 11}}) {
        const auto out = scaleImage(src, w, h);
        ASSERT_TRUE(out);
        EXPECT_EQ(*out, *makeImage(w, h, 0xFF336699)) << w << " x " << h;
    }
}

TEST(Scale, EnlargingInterpolatesBetweenAlignedCentres) {
    const auto out = scaleImage(picture({{kBlack, kWhite}}), 4, 1);
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, picture({{kBlack, 0xFF404040, 0xFFBFBFBF, kWhite}}));
}

TEST(Scale, ShrinkingAveragesInsteadOfSkipping) {
    Image checks = *makeImage(16, 16);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x)
            checks.at(x, y) = (x + y) % 2 ? kWhite : kBlack;
    const auto out = scaleImage(checks, 4, 4);
    ASSERT_TRUE(out);
    for (Pixel p : out->pixels) {
        EXPECT_NEAR(int(Rgb::of(p).g), 128, 12);
        EXPECT_EQ(alphaOf(p), 255);
    }
}

TEST(Scale, TransparentPixelsDoNotDarkenTheirNeighbours) {
    const auto out = scaleImage(picture({{0x00000000, kBlue}}), 1, 1);
    ASSERT_TRUE(out);
    EXPECT_EQ(Rgb::of(out->at(0, 0)), Rgb::of(kBlue));
    EXPECT_EQ(alphaOf(out->at(0, 0)), 128);
}

// Rows are scaled in bands: a change of width alone must give each row what
// it gives scaled on its own, whatever band it falls in and however short
// the last band is.
TEST(Scale, RowsScaledTogetherMatchEachRowScaledAlone) {
    uint32_t seed = 3;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const struct {
        int32_t w, h, to;
        bool opaque;
    } cases[] = {{40, 1, 7, true}, {40, 19, 7, true}, {40, 19, 7, false},
                 {9, 8, 3, false}, {5, 17, 12, true}, {33, 10, 1, false}};
    for (const auto& c : cases) {
        Image src = *makeImage(c.w, c.h);
        for (Pixel& p : src.pixels)
            p = (next() >> 8) | (c.opaque ? 0xFF000000u : (next() & 0xFF000000u));
        const auto all = scaleImage(src, c.to, c.h);
        ASSERT_TRUE(all);
        for (int32_t y = 0; y < c.h; ++y) {
            const auto row = scalePixels(&src.at(0, y), c.w, 1, c.to, 1);
            ASSERT_TRUE(row);
            for (int32_t x = 0; x < c.to; ++x)
                ASSERT_EQ(all->at(x, y), row->at(x, 0))
                    << c.w << " x " << c.h << " to width " << c.to << ", row " << y;
        }
        if (c.opaque) {
            EXPECT_EQ(*scalePixels(src.pixels.data(), c.w, c.h, c.to, 5, true),
                      *scaleImage(src, c.to, 5))
                << "the caller's word that the picture is opaque changes nothing";
        }
    }
}

TEST(Scale, RefusesSizesWithoutPixels) {
    const Image src = sixColours();
    EXPECT_EQ(*scaleImage(src, 3, 2), src);
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-4, 5}, {16385, 1}, {16384, 16384}})
        EXPECT_FALSE(scaleImage(src, w, h)) << w << " x " << h;
}

TEST(ShownSize, BorderedImageGadgetLosesFourPixelsEachWay) {
    EXPECT_EQ(shownImageSize(100, 80, true), (Size{96, 76}));
    EXPECT_EQ(shownImageSize(100, 80, false), (Size{100, 80}));
    EXPECT_FALSE(shownImageSize(4, 80, true));
    EXPECT_FALSE(shownImageSize(0, 80, false));
}

TEST(IcoToBmp, IconIsDrawnOverTheBackgroundAndComesOutOpaque) {
    const Image icon = picture({{0x00FF0000, 0x80000000, kBlue}});
    const Image out = *convertIcoToBmp(icon, kFace);
    EXPECT_EQ(out, picture({{F, 0xFF6A6864, kBlue}}));
    // The designer keeps the converted icon as a BMP file.
    const auto back = decodeBmp(encodeBmp(out));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, out);
}

TEST(Drawing, BoxesAndPicturesAreClippedAtEveryEdge) {
    Image img = *makeImage(3, 3, kWhite);
    fillRect(img, -5, 2, 100, 7, kBlack);
    drawImage(img, picture({{kRed, kGreen}, {kBlue, M}}), 2, -1);
    EXPECT_EQ(
        img,
        picture({{kWhite, kWhite, kBlue}, {kWhite, kWhite, kWhite}, {kBlack, kBlack, kBlack}}));
}

} // namespace
} // namespace zarnet::imaging
