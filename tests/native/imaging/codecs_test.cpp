#include "imaging/decode.h"
#include "sample_images.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <zlib.h>

namespace zarnet::imaging {
namespace {

using namespace test;

// The files were written by ImageMagick, a second implementation of every
// format, from the pictures given with them below.
Bytes dataFile(const std::string& name) {
    std::ifstream in(std::string(IMAGING_DATA_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// 16 x 16 in four one-colour 8 x 8 blocks.
Image quadrants(bool grey) {
    const Pixel a = grey ? 0xFF404040 : kRed, b = grey ? 0xFFC0C0C0 : kGreen,
                c = grey ? 0xFF000000 : kBlue, d = kWhite;
    Image img = *makeImage(16, 16);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x)
            img.at(x, y) = y < 8 ? (x < 8 ? a : b) : (x < 8 ? c : d);
    return img;
}

void expectClose(const Image& got, const Image& want, int tolerance, const char* what) {
    ASSERT_EQ(got.width, want.width) << what;
    ASSERT_EQ(got.height, want.height) << what;
    for (size_t i = 0; i < got.pixels.size(); ++i)
        for (int shift : {0, 8, 16, 24}) {
            const int g = int(got.pixels[i] >> shift & 0xFF),
                      w = int(want.pixels[i] >> shift & 0xFF);
            ASSERT_LE(std::abs(g - w), tolerance) << what << " pixel " << i;
        }
}

struct Sample {
    const char* file;
    Image img;
    int tolerance; // per channel; JPEG is lossy
};

std::vector<Sample> samples() {
    Image seeThrough = sixColours();
    seeThrough.at(0, 0) = 0x00FF0000;
    seeThrough.at(1, 1) = 0x7F000000;
    // ImageMagick's palette PNG keeps one fully transparent entry only.
    Image binary = sixColours();
    binary.at(0, 0) = 0x00FFFFFF;
    const Image greys =
        picture({{0xFF000000, 0xFF555555, 0xFFAAAAAA}, {0xFFFFFFFF, 0xFF000000, 0xFF555555}});
    Image fading = quadrants(false);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x)
            fading.at(x, y) = (fading.at(x, y) & 0xFFFFFF) | Pixel(x * 255 / 16) << 24;
    return {
        {"rgb8.png", sixColours(), 0},
        {"rgba8.png", seeThrough, 0},
        {"rgba16.png", seeThrough, 0},
        {"palette.png", binary, 0},
        {"grey2.png", greys, 0},
        {"grey16.png", greys, 0},
        {"interlaced.png", quadrants(false), 0},
        {"baseline.jpg", quadrants(false), 3},
        {"progressive.jpg", quadrants(false), 3},
        {"cmyk.jpg", quadrants(false), 3},
        {"grey.jpg", quadrants(true), 2},
        {"rle8.bmp", quadrants(false), 0},
        {"core.bmp", quadrants(false), 0},
        {"rgb565.bmp", quadrants(false), 0},
        {"alpha32.bmp", fading, 1},
        {"png.ico", *makeImage(256, 256, kRed), 0},
    };
}

TEST(Files, WrittenByImageMagickDecode) {
    for (const Sample& s : samples()) {
        const auto img = decodeImage(dataFile(s.file));
        ASSERT_TRUE(img) << s.file;
        expectClose(*img, s.img, s.tolerance, s.file);
    }
}

TEST(Files, CutFilesGiveNoImage) {
    for (const Sample& s : samples())
        expectCutFilesRejected(dataFile(s.file), s.file);
}

size_t findIdat(const Bytes& b) {
    for (size_t i = 8; i + 8 <= b.size(); ++i)
        if (std::equal(b.begin() + long(i) + 4, b.begin() + long(i) + 8, "IDAT")) return i;
    return 0;
}

void fixPngCrc(Bytes& b, size_t chunk) {
    const uint32_t length = uint32_t(b[chunk]) << 24 | uint32_t(b[chunk + 1]) << 16 |
                            uint32_t(b[chunk + 2]) << 8 | b[chunk + 3];
    const uint32_t crc = uint32_t(crc32(0, b.data() + chunk + 4, length + 4));
    for (int i = 0; i < 4; ++i)
        b[chunk + 8 + length + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
}

void putBig(Bytes& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * (bytes - 1 - i)));
}

struct Damage {
    const char* what;
    size_t at;
    uint32_t value;
    int bytes;
    bool fixCrc;
};

TEST(Png, DamagedFilesGiveNoImage) {
    const Bytes good = dataFile("rgb8.png");
    const Damage table[] = {
        {"signature", 1, 'X', 1, false},
        {"width 0", 16, 0, 4, true},
        {"width past the limit", 16, 20000, 4, true},
        {"16384 x 2048 from a few bytes", 16, 16384, 4, true},
        {"bit depth 3", 24, 3, 1, true},
        {"colour type 5", 25, 5, 1, true},
        {"header checksum", 29, 0, 1, false},
        {"pixel data checksum", findIdat(good) + 8, 0x55, 1, false},
    };
    for (const Damage& d : table) {
        Bytes b = good;
        putBig(b, d.at, d.value, d.bytes);
        if (std::string_view(d.what).starts_with("16384")) putBig(b, 20, 2048, 4);
        if (d.fixCrc) fixPngCrc(b, 8);
        EXPECT_FALSE(decodeImage(b)) << d.what;
    }
}

size_t findMarker(const Bytes& b, uint8_t marker) {
    for (size_t i = 0; i + 1 < b.size(); ++i)
        if (b[i] == 0xFF && b[i + 1] == marker) return i;
    return b.size();
}

TEST(Jpeg, DamagedFilesGiveNoImage) {
    const Bytes good = dataFile("baseline.jpg");
    const size_t sof = findMarker(good, 0xC0);
    ASSERT_LT(sof, good.size());
    const Damage table[] = {
        {"height 0", sof + 5, 0, 2, false},
        {"width 0", sof + 7, 0, 2, false},
        {"16384 x 16384", sof + 5, 0x40004000, 4, false},
        {"8000 x 4000 from a few bytes", sof + 5, 0x0FA01F40, 4, false},
        {"12-bit samples", sof + 4, 12, 1, false},
        {"no scan: start of scan turned into a comment", findMarker(good, 0xDA) + 1, 0xFE, 1,
         false},
    };
    for (const Damage& d : table) {
        Bytes b = good;
        putBig(b, d.at, d.value, d.bytes);
        EXPECT_FALSE(decodeImage(b)) << d.what;
    }
    EXPECT_FALSE(decodeImage(Bytes{0xFF, 0xD8, 0xFF, 0xD9})) << "start and end only";
}

} // namespace
} // namespace zarnet::imaging
