#include "imaging/decode.h"
#include "sample_images.h"

#include <gtest/gtest.h>

#include <climits>

namespace zarnet::imaging {
namespace {

using namespace test;

uint32_t bgr(Pixel p) {
    return p & 0xFFFFFF;
}
uint32_t rgb555(Pixel p) {
    const Rgb c = Rgb::of(p);
    return uint32_t(c.r >> 3) << 10 | uint32_t(c.g >> 3) << 5 | uint32_t(c.b >> 3);
}
uint32_t rgb565(Pixel p) {
    const Rgb c = Rgb::of(p);
    return uint32_t(c.r >> 3) << 11 | uint32_t(c.g >> 2) << 5 | uint32_t(c.b >> 3);
}

Dib sixDib(int bpp, uint32_t header = 40, bool topDown = false) {
    const Image img = sixColours();
    Dib d;
    d.headerSize = header;
    d.width = 3;
    d.height = topDown ? -2 : 2;
    d.bpp = uint16_t(bpp);
    std::function<uint32_t(Pixel)> value = bgr;
    if (bpp <= 8) {
        d.palette = kSixPalette;
        d.palette.resize(size_t(1) << bpp, kBlack);
        value = [](Pixel p) { return indexIn(kSixPalette, p); };
    } else if (bpp == 16) {
        value = rgb555;
    } else if (bpp == 32) {
        value = [](Pixel p) { return bgr(p) | 0x5A000000u; }; // GDI ignores the 4th byte
    }
    d.bits = packRows(img, bpp, value, topDown);
    return d;
}

struct Variant {
    const char* what;
    Dib dib;
    Image expected;
};

std::vector<Variant> bmpVariants() {
    std::vector<Variant> v;
    const Image six = sixColours();
    const Image two = picture({{kBlack, kWhite, kWhite}, {kWhite, kBlack, kBlack}});
    Dib mono;
    mono.width = 3;
    mono.height = 2;
    mono.bpp = 1;
    mono.palette = {kBlack, kWhite};
    mono.bits = packRows(two, 1, [](Pixel p) { return p == kWhite ? 1u : 0u; });
    v.push_back({"1 bpp", mono, two});
    v.push_back({"4 bpp", sixDib(4), six});
    v.push_back({"8 bpp", sixDib(8), six});
    v.push_back({"8 bpp, short colour table",
                 [] {
                     Dib d = sixDib(8);
                     d.clrUsed = 6;
                     d.palette.resize(6);
                     return d;
                 }(),
                 six});
    v.push_back({"8 bpp in a 108-byte header", sixDib(8, 108), six});
    v.push_back({"16 bpp 5-5-5", sixDib(16), six});
    Dib f565 = sixDib(16);
    f565.compression = 3;
    f565.masks = {0xF800, 0x07E0, 0x001F};
    f565.bits = packRows(six, 16, rgb565);
    v.push_back({"16 bpp bit fields 5-6-5", f565, six});
    v.push_back({"24 bpp bottom-up", sixDib(24), six});
    v.push_back({"24 bpp top-down", sixDib(24, 40, true), six});
    v.push_back({"24 bpp core header", sixDib(24, 12), six});
    v.push_back({"24 bpp OS/2 64-byte header", sixDib(24, 64), six});
    v.push_back({"32 bpp, fourth byte ignored", sixDib(32), six});
    Dib alpha = sixDib(32, 124);
    alpha.compression = 3;
    alpha.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    alpha.bits = packRows(six, 32, [](Pixel p) { return p == kMagenta ? bgr(p) : p; });
    Image faded = six;
    faded.at(2, 1) = bgr(kMagenta);
    v.push_back({"32 bpp with an alpha mask", alpha, faded});
    return v;
}

TEST(Bmp, DecodesEveryLayout) {
    for (const Variant& v : bmpVariants()) {
        const auto img = decodeImage(bmpFile(v.dib));
        ASSERT_TRUE(img) << v.what;
        EXPECT_EQ(*img, v.expected) << v.what;
    }
}

// Runs, a literal run, a jump and the end mark; skipped pixels stay black.
TEST(Bmp, RunLengthData) {
    Dib d;
    d.width = 4;
    d.height = 3;
    d.palette = {kBlack, kRed, kGreen, kBlue};
    d.bpp = 8;
    d.compression = 1;
    d.clrUsed = 4;
    d.bits = {4, 1, 0, 0,       // bottom row: four red, end of line
              0, 3, 2, 3, 1, 0, // literal green, blue, red (padded)
              0, 2, 0, 1,       // jump up one row, same column
              2, 2, 0, 1};      // two green (one past the edge), end
    const Image rle8 = picture({{kBlack, kBlack, kBlack, kGreen},
                                {kGreen, kBlue, kRed, kBlack},
                                {kRed, kRed, kRed, kRed}});
    auto img = decodeBmp(bmpFile(d));
    ASSERT_TRUE(img);
    EXPECT_EQ(*img, rle8);

    d.bpp = 4;
    d.compression = 2;
    d.clrUsed = 0;
    d.palette.resize(16, kWhite);
    d.bits = {4, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 0, 1, 0x30, 0, 1};
    img = decodeBmp(bmpFile(d));
    ASSERT_TRUE(img);
    EXPECT_EQ(*img, picture({{kBlue, kBlack, kBlack, kBlack},
                             {kBlue, kRed, kGreen, kBlack},
                             {kRed, kGreen, kRed, kGreen}}));
}

Bytes sampleIcon() {
    const Image small = picture({{kRed, kGreen}, {kBlue, kWhite}});
    const Image big = sixColours();
    return icoFile(
        {{2, 2, 8, iconDib(small, 8, kSixPalette, [](int32_t, int32_t) { return false; })},
         {3, 2, 24, iconDib(big, 24, {}, [](int32_t x, int32_t y) { return x == 2 && y == 1; })},
         {3, 2, 4, iconDib(big, 4, kSixPalette, [](int32_t, int32_t) { return true; })}});
}

TEST(Ico, TakesTheLargestDeepestEntryAndItsMask) {
    const auto img = decodeImage(sampleIcon());
    ASSERT_TRUE(img);
    Image expected = sixColours();
    expected.at(2, 1) = bgr(kMagenta); // masked: alpha 0
    EXPECT_EQ(*img, expected);
}

TEST(Ico, ThirtyTwoBitAlphaWinsOverTheMaskUnlessAllZero) {
    const Image px = picture({{0x80FF0000u, 0x00000000u}});
    const auto withAlpha = decodeIco(
        icoFile({{2, 1, 32, iconDib(px, 32, {}, [](int32_t x, int32_t) { return x == 0; })}}));
    ASSERT_TRUE(withAlpha);
    EXPECT_EQ(*withAlpha, px);
    const Image noAlpha = picture({{0x00FF0000u, 0x0000FF00u}});
    const auto masked = decodeIco(
        icoFile({{2, 1, 32, iconDib(noAlpha, 32, {}, [](int32_t x, int32_t) { return x == 1; })}}));
    ASSERT_TRUE(masked);
    EXPECT_EQ(*masked, picture({{kRed, 0x0000FF00u}}));
}

struct Corruption {
    const char* what;
    size_t at; // byte offset to overwrite with a 32-bit value
    uint32_t value;
    int width; // 2 or 4 bytes written
};

TEST(Bmp, DamagedHeadersGiveNoImage) {
    const Bytes good = bmpFile(sixDib(4));
    const Corruption table[] = {
        {"not BM", 0, 'X', 2},
        {"header size 41", 14, 41, 4},
        {"header size past the data", 14, 4000, 4},
        {"width 0", 18, 0, 4},
        {"negative width", 18, uint32_t(-3), 4},
        {"width past the limit", 18, 16385, 4},
        {"height 0", 22, 0, 4},
        {"height INT_MIN", 22, uint32_t(INT_MIN), 4},
        {"too many pixels", 18, 16384, 4}, // with the height below: 16384 x 16384
        {"two planes", 26, 2, 2},
        {"7 bits per pixel", 28, 7, 2},
        {"JPEG compression", 30, 4, 4},
        {"RLE8 code on a 4-bit layout", 30, 1, 4},
        {"unknown compression", 30, 99, 4},
        {"257 colours", 46, 257, 4},
        {"colour table past the data", 46, 256, 4},
        {"pixels past the end", 10, 4000, 4},
        {"pixels inside the colour table", 10, 60, 4},
    };
    for (const Corruption& c : table) {
        Bytes b = good;
        if (c.width == 2) {
            b[c.at] = uint8_t(c.value);
            b[c.at + 1] = uint8_t(c.value >> 8);
        } else {
            put32(b, c.at, c.value);
        }
        if (std::string_view(c.what) == "too many pixels") put32(b, 22, 16384);
        EXPECT_FALSE(decodeImage(b)) << c.what;
    }
    Dib d = sixDib(16);
    d.compression = 3;
    d.masks = {0xF0F0, 0x0F00, 0x000F};
    EXPECT_FALSE(decodeBmp(bmpFile(d))) << "split mask";
    d.masks = {0x1F0000, 0x07E0, 0x001F};
    EXPECT_FALSE(decodeBmp(bmpFile(d))) << "mask wider than 16 bits";
    d = sixDib(8);
    d.compression = 1;
    d.height = -2;
    EXPECT_FALSE(decodeBmp(bmpFile(d))) << "top-down run-length data";
}

TEST(Ico, DamagedDirectoriesGiveNoImage) {
    const Bytes good = sampleIcon();
    const Corruption table[] = {
        {"reserved word set", 0, 1, 2},
        {"cursor type", 2, 2, 2},
        {"no entries", 4, 0, 2},
        {"entries past the data", 4, 400, 2},
        {"entry size past the end", 6 + 16 + 8, 100000, 4},
        {"entry offset past the end", 6 + 16 + 12, 100000, 4},
        {"offset plus size wraps", 6 + 16 + 12, 0xFFFFFFF0u, 4},
        {"empty entry", 6 + 16 + 8, 0, 4},
    };
    for (const Corruption& c : table) {
        Bytes b = good;
        if (c.width == 2) {
            b[c.at] = uint8_t(c.value);
            b[c.at + 1] = uint8_t(c.value >> 8);
        } else {
            put32(b, c.at, c.value);
        }
        EXPECT_FALSE(decodeIco(b)) << c.what;
    }
    const Image one = picture({{kRed}});
    Bytes rle = iconDib(one, 8, {kRed}, [](int32_t, int32_t) { return false; });
    put32(rle, 16, 1);
    EXPECT_FALSE(decodeIco(icoFile({{1, 1, 8, rle}}))) << "compressed icon";
    // Without a mask the colour rows must still be whole, and a mask that
    // is there must be whole too.
    Bytes shortColour = iconDib(sixColours(), 24, {}, nullptr);
    shortColour.pop_back();
    EXPECT_FALSE(decodeIco(icoFile({{3, 2, 24, shortColour}}))) << "colour rows cut short";
    const Bytes whole = iconDib(sixColours(), 24, {}, [](int32_t, int32_t) { return false; });
    const Bytes shortMask(whole.begin(), whole.end() - 4); // 4 of the 5 mask bytes it needs
    EXPECT_FALSE(decodeIco(icoFile({{3, 2, 24, shortMask}}))) << "mask cut short";
}

// A favicon as browsers and many writers make it: two 32-bit entries whose
// data ends after the colour pixels, the alpha standing in for the mask.
Bytes maskless32Favicon() {
    Image big = *makeImage(32, 32), small = *makeImage(16, 16, kBlue);
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            const int32_t d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
            const uint8_t alpha = d < 100 ? 255 : d < 196 ? 128 : 0;
            big.at(x, y) = makePixel(uint8_t(x * 8), uint8_t(y * 8), 90, alpha);
        }
    return icoFile({{32, 32, 32, iconDib(big, 32, {}, nullptr)},
                    {16, 16, 32, iconDib(small, 32, {}, nullptr)}});
}

TEST(Ico, EntriesWithoutAMask) {
    const Bytes favicon = maskless32Favicon();
    ASSERT_EQ(favicon[6 + 8] | favicon[6 + 9] << 8, 40 + 32 * 32 * 4) << "header and colour only";
    const auto img = decodeIco(favicon);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->width, 32);
    EXPECT_EQ(img->at(16, 16), makePixel(128, 128, 90, 255));
    EXPECT_EQ(img->at(16, 4), makePixel(128, 32, 90, 128));
    EXPECT_EQ(img->at(0, 0), makePixel(0, 0, 90, 0));

    // Without alpha to stand in, a missing mask means opaque at every depth.
    const Image six = sixColours();
    Image unseen = six;
    for (Pixel& p : unseen.pixels)
        p &= 0x00FFFFFF;
    const struct {
        const char* what;
        Bytes entry;
        int bpp;
    } opaque[] = {
        {"32 bpp, alpha 0 everywhere", iconDib(unseen, 32, {}, nullptr), 32},
        {"24 bpp", iconDib(six, 24, {}, nullptr), 24},
        {"8 bpp", iconDib(six, 8, kSixPalette, nullptr), 8},
        {"4 bpp", iconDib(six, 4, kSixPalette, nullptr), 4},
    };
    for (const auto& c : opaque) {
        const auto got = decodeIco(icoFile({{3, 2, uint16_t(c.bpp), c.entry}}));
        ASSERT_TRUE(got) << c.what;
        EXPECT_EQ(*got, six) << c.what;
    }
}

TEST(BmpIco, CutFilesGiveNoImage) {
    for (const Variant& v : bmpVariants())
        expectCutFilesRejected(bmpFile(v.dib), v.what);
    expectCutFilesRejected(sampleIcon(), "icon");
    expectCutFilesRejected(maskless32Favicon(), "icon without masks");
}

} // namespace
} // namespace zarnet::imaging
