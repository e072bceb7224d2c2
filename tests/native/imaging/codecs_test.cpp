#include "imaging/decode.h"
#include "sample_images.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
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

// Decoding into the caller's memory gives the same pixels, says "opaque"
// only of pictures that are, and fails when there is no memory to give.
TEST(Files, DecodeIntoCallersMemory) {
    const std::set<std::string> seeThrough = {"rgba8.png", "rgba16.png", "palette.png",
                                              "alpha32.bmp"};
    for (const Sample& s : samples()) {
        const Bytes file = dataFile(s.file);
        std::vector<Pixel> into;
        int asked = 0;
        const DecodedInto got = decodeImageInto(file, [&](int32_t w, int32_t h) {
            ++asked;
            into.assign(size_t(w) * size_t(h), 0x12345678u);
            return into.data();
        });
        ASSERT_TRUE(got.ok) << s.file;
        EXPECT_EQ(asked, 1) << s.file;
        EXPECT_EQ(into, decodeImage(file)->pixels) << s.file;
        EXPECT_EQ(got.opaque, !seeThrough.contains(s.file)) << s.file;
        EXPECT_FALSE(decodeImageInto(file, [](int32_t, int32_t) -> Pixel* { return nullptr; }).ok)
            << s.file;
    }
    Bytes cut = dataFile("interlaced.png");
    cut.resize(cut.size() - 20);
    std::vector<Pixel> scratch;
    EXPECT_FALSE(decodeImageInto(cut,
                                 [&](int32_t w, int32_t h) {
                                     scratch.resize(size_t(w) * size_t(h));
                                     return scratch.data();
                                 })
                     .ok)
        << "a file cut short fails after its memory was asked for";
}

TEST(Files, CutFilesGiveNoImage) {
    for (const Sample& s : samples())
        expectCutFilesRejected(dataFile(s.file), s.file);
}

// The nearest 8-bit level of a 16-bit sample, worked out apart from libpng.
uint8_t nearest(uint16_t v) {
    return uint8_t((uint32_t(v) * 255 + 32767) / 65535);
}

// Pictures like those found in the wild (photographs, 16-bit PNGs, icons,
// palettes, alpha), written by ImageMagick at test time and compared with
// ImageMagick's own reading of the same files, taken at 16 bits a sample and
// brought to the nearest 8-bit level (its own reduction to 8 bits truncates).
// Skipped where ImageMagick is missing.
TEST(Files, ImageMagickReadsThemAlike) {
    if (std::system("convert -version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    char dirName[] = "/tmp/zarnet-imaging-XXXXXX";
    ASSERT_TRUE(mkdtemp(dirName));
    const std::filesystem::path dir = dirName;
    const std::string photo = "-size 61x47 -seed 11 plasma:fractal";
    const std::string fade = "-size 40x30 gradient:'#2040ff-#ff8010' \\( -size 40x30 "
                             "gradient:white-black -rotate 90 \\) -alpha off -compose "
                             "copy_opacity -composite";
    const struct {
        const char* file;
        std::string make;
        const char* coder; // written as, when the name does not say
        int tolerance;     // per channel: JPEG decoders may round differently
    } written[] = {
        {"photo16.png", photo + " -depth 16", "", 0},
        {"fade16.png", fade + " -depth 16", "", 0},
        {"greyfade16.png", fade + " -colorspace Gray -depth 16", "", 0},
        {"palette.png", photo + " -colors 16", "PNG8:", 0},
        {"photo.jpg", photo + " -quality 85", "", 2},
        {"progressive.jpg", photo + " -quality 70 -interlace JPEG", "", 2},
        {"fade.bmp", fade + " -depth 8", "", 0},
        {"photo.bmp", photo + " -type TrueColor", "", 0},
        {"icon.ico",
         "-size 32x32 -seed 5 plasma:fractal \\( -size 32x32 radial-gradient:white-black \\) "
         "-alpha off -compose copy_opacity -composite",
         "", 0},
    };
    for (const auto& w : written) {
        SCOPED_TRACE(w.file);
        const std::filesystem::path file = dir / w.file, raw = dir / "raw.rgba";
        ASSERT_EQ(std::system(("convert " + w.make + " '" + w.coder + file.string() + "'").c_str()),
                  0);
        ASSERT_EQ(std::system(("convert '" + file.string() +
                               "' -depth 16 -endian LSB 'rgba:" + raw.string() + "'")
                                  .c_str()),
                  0);
        std::ifstream in(raw, std::ios::binary);
        const Bytes theirs{std::istreambuf_iterator<char>(in), {}};
        std::ifstream f(file, std::ios::binary);
        const auto ours = decodeImage(Bytes{std::istreambuf_iterator<char>(f), {}});
        ASSERT_TRUE(ours);
        ASSERT_EQ(theirs.size(), ours->pixels.size() * 8);
        int worst = 0;
        for (size_t i = 0; i < ours->pixels.size(); ++i) {
            const Pixel p = ours->pixels[i];
            uint8_t t[4];
            for (size_t c = 0; c < 4; ++c)
                t[c] = nearest(uint16_t(theirs[i * 8 + c * 2] | theirs[i * 8 + c * 2 + 1] << 8));
            const Pixel their = makePixel(t[0], t[1], t[2], t[3]);
            // Fully transparent pixels have no colour to agree on.
            if (alphaOf(p) == 0 && t[3] == 0) continue;
            for (int shift : {0, 8, 16, 24})
                worst =
                    std::max(worst, std::abs(int(p >> shift & 0xFF) - int(their >> shift & 0xFF)));
        }
        EXPECT_LE(worst, w.tolerance);
    }
    std::filesystem::remove_all(dir);
}

// A PNG of 16-bit samples (grey, grey + alpha, RGB or RGBA by colour type),
// written here so the samples can be any value at all.
Bytes png16(uint32_t width, uint32_t height, uint8_t colourType,
            const std::vector<uint16_t>& samples) {
    auto big32 = [](Bytes& b, uint32_t v) {
        for (int i = 3; i >= 0; --i)
            b.push_back(uint8_t(v >> (8 * i)));
    };
    auto chunk = [&](Bytes& out, const char* type, const Bytes& body) {
        big32(out, uint32_t(body.size()));
        Bytes typed(type, type + 4);
        typed.insert(typed.end(), body.begin(), body.end());
        out.insert(out.end(), typed.begin(), typed.end());
        big32(out, uint32_t(crc32(0, typed.data(), uInt(typed.size()))));
    };
    const size_t perRow = samples.size() / height;
    Bytes raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        for (size_t i = 0; i < perRow; ++i) {
            raw.push_back(uint8_t(samples[y * perRow + i] >> 8));
            raw.push_back(uint8_t(samples[y * perRow + i]));
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    Bytes packed(packedSize);
    EXPECT_EQ(compress(packed.data(), &packedSize, raw.data(), uLong(raw.size())), Z_OK);
    packed.resize(packedSize);
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes header;
    big32(header, width);
    big32(header, height);
    header.insert(header.end(), {16, colourType, 0, 0, 0});
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", {});
    return out;
}

TEST(Png, SixteenBitSamplesRoundToTheNearestLevel) {
    // Every 16-bit value once, as a 256 x 256 grey picture.
    std::vector<uint16_t> every(65536);
    for (uint32_t v = 0; v < 65536; ++v)
        every[v] = uint16_t(v);
    const auto grey = decodePng(png16(256, 256, 0, every));
    ASSERT_TRUE(grey);
    int wrong = 0;
    for (uint32_t v = 0; v < 65536; ++v) {
        const uint8_t n = nearest(uint16_t(v));
        wrong += grey->pixels[v] != makePixel(n, n, n) ? 1 : 0;
    }
    EXPECT_EQ(wrong, 0);

    // Colour and alpha alike; 0x00FF and 0x12F0 are where dropping the low
    // byte would give one level less.
    const std::vector<uint16_t> rgba = {0x00FF, 0x12F0, 0xFFFF, 0x8000,
                                        0xFF00, 0x0000, 0x7FFF, 0x00FF};
    const auto colour = decodePng(png16(2, 1, 6, rgba));
    ASSERT_TRUE(colour);
    EXPECT_EQ(*colour, picture({{makePixel(1, 0x13, 255, 128), makePixel(254, 0, 127, 1)}}));
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
