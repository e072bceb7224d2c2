// Pictures written as PNG read back through the decoder pixel for pixel,
// opaque as RGB, with their alpha as RGBA; an empty picture writes nothing.
#include "imaging/decode.h"
#include "imaging/encode_png.h"

#include <gtest/gtest.h>

namespace zarnet::imaging {
namespace {

TEST(PngEncoder, ReadsBackAsWritten) {
    Image img = *makeImage(7, 5, makePixel(10, 20, 30));
    img.at(0, 0) = makePixel(255, 0, 0);
    img.at(6, 4) = makePixel(0, 0, 255, 128);
    for (bool alpha : {false, true}) {
        const auto png = encodePng(img, alpha);
        ASSERT_TRUE(png);
        EXPECT_EQ(detectFormat(*png), Format::Png);
        auto back = decodeImage(*png);
        ASSERT_TRUE(back);
        Image want = img;
        if (!alpha) want.at(6, 4) |= 0xFF000000u;
        EXPECT_EQ(*back, want) << alpha;
    }
    EXPECT_FALSE(encodePng(Image{}));
}

} // namespace
} // namespace zarnet::imaging
