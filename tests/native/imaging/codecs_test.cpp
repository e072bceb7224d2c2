#include "imaging/decode.h"
#include "sample_images.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <png.h>
#include <jpeglib.h>
#include <zlib.h>

namespace zarnet::imaging {
namespace {

using namespace test;

Bytes encodePng(const Image& img, int colourType, int depth, bool interlace) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Bytes out;
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep d, size_t n) {
            auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
            o->insert(o->end(), d, d + n);
        },
        nullptr);
    png_set_IHDR(png, info, uint32_t(img.width), uint32_t(img.height), depth, colourType,
                 interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<Pixel> colours;
    for (Pixel p : img.pixels)
        if (indexIn(colours, p) == colours.size()) colours.push_back(p);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        std::vector<png_color> plte;
        std::vector<png_byte> trns;
        for (Pixel p : colours) {
            const Rgb c = Rgb::of(p);
            plte.push_back({c.r, c.g, c.b});
            trns.push_back(alphaOf(p));
        }
        png_set_PLTE(png, info, plte.data(), int(plte.size()));
        png_set_tRNS(png, info, trns.data(), int(trns.size()), nullptr);
    }
    png_write_info(png, info);
    std::vector<Bytes> rows(size_t(img.height), Bytes(size_t(img.width) * 8, 0));
    std::vector<png_bytep> pointers;
    for (int32_t y = 0; y < img.height; ++y) {
        Bytes& row = rows[size_t(y)];
        size_t bit = 0;
        auto put = [&](uint32_t v, int bits) {
            for (int i = bits - 1; i >= 0; --i, ++bit)
                row[bit / 8] |= uint8_t(((v >> i) & 1) << (7 - bit % 8));
        };
        for (int32_t x = 0; x < img.width; ++x) {
            const Pixel p = img.at(x, y);
            const Rgb c = Rgb::of(p);
            const uint32_t scale = depth == 16 ? 257 : 1;
            if (colourType == PNG_COLOR_TYPE_PALETTE)
                put(indexIn(colours, p), depth);
            else if (colourType == PNG_COLOR_TYPE_GRAY)
                put(uint32_t(c.r) * scale >> (8 - std::min(depth, 8)), depth);
            else {
                for (uint32_t v : {c.r, c.g, c.b}) put(v * scale, depth);
                if (colourType == PNG_COLOR_TYPE_RGBA) put(alphaOf(p) * scale, depth);
            }
        }
        pointers.push_back(row.data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// 4:4:4 sampling, so blocks of one colour stay that colour.
Bytes encodeJpeg(const Image& img, J_COLOR_SPACE space, bool progressive) {
    jpeg_compress_struct c{};
    jpeg_error_mgr e{};
    c.err = jpeg_std_error(&e);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = JDIMENSION(img.width);
    c.image_height = JDIMENSION(img.height);
    c.input_components = space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    for (int i = 0; i < c.num_components; ++i)
        c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
    if (progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    Bytes row;
    for (int32_t y = 0; y < img.height; ++y) {
        row.clear();
        for (int32_t x = 0; x < img.width; ++x) {
            const Rgb p = Rgb::of(img.at(x, y));
            if (space == JCS_GRAYSCALE) row.push_back(p.r);
            else row.insert(row.end(), {p.r, p.g, p.b});
            // Adobe's inverted convention: no black ink is 255.
            if (space == JCS_CMYK) row.push_back(255);
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return out;
}

// 16 x 16 in four one-colour 8 x 8 blocks.
Image quadrants(bool grey) {
    const Pixel a = grey ? 0xFF404040 : kRed, b = grey ? 0xFFC0C0C0 : kGreen,
                c = grey ? 0xFF000000 : kBlue, d = kWhite;
    Image img = *makeImage(16, 16);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) img.at(x, y) = y < 8 ? (x < 8 ? a : b) : (x < 8 ? c : d);
    return img;
}

void expectClose(const Image& got, const Image& want, int tolerance, const char* what) {
    ASSERT_EQ(got.width, want.width) << what;
    ASSERT_EQ(got.height, want.height) << what;
    for (size_t i = 0; i < got.pixels.size(); ++i)
        for (int shift : {0, 8, 16, 24}) {
            const int g = int(got.pixels[i] >> shift & 0xFF), w = int(want.pixels[i] >> shift & 0xFF);
            ASSERT_LE(std::abs(g - w), tolerance) << what << " pixel " << i;
        }
}

struct PngCase {
    const char* what;
    int colourType, depth;
    bool interlace;
    Image img;
};

std::vector<PngCase> pngCases() {
    const Image six = sixColours();
    Image seeThrough = six;
    seeThrough.at(0, 0) = 0x00FF0000;
    seeThrough.at(1, 1) = 0x80000000;
    const Image greys = picture({{0xFF000000, 0xFF555555, 0xFFAAAAAA}, {0xFFFFFFFF, 0xFF000000, 0xFF555555}});
    return {
        {"RGB 8", PNG_COLOR_TYPE_RGB, 8, false, six},
        {"RGBA 8", PNG_COLOR_TYPE_RGBA, 8, false, seeThrough},
        {"RGBA 16", PNG_COLOR_TYPE_RGBA, 16, false, seeThrough},
        {"palette with tRNS", PNG_COLOR_TYPE_PALETTE, 4, false, seeThrough},
        {"grey 2 bits", PNG_COLOR_TYPE_GRAY, 2, false, greys},
        {"grey 16 bits", PNG_COLOR_TYPE_GRAY, 16, false, greys},
        {"interlaced", PNG_COLOR_TYPE_RGB, 8, true, quadrants(false)},
    };
}

TEST(Png, DecodesEveryColourType) {
    for (const PngCase& c : pngCases()) {
        const auto img = decodeImage(encodePng(c.img, c.colourType, c.depth, c.interlace));
        ASSERT_TRUE(img) << c.what;
        EXPECT_EQ(*img, c.img) << c.what;
    }
}

TEST(Jpeg, DecodesGreyColourProgressiveAndCmyk) {
    expectClose(*decodeImage(encodeJpeg(quadrants(true), JCS_GRAYSCALE, false)), quadrants(true),
                2, "grey");
    expectClose(*decodeImage(encodeJpeg(quadrants(false), JCS_RGB, false)), quadrants(false), 3,
                "colour");
    expectClose(*decodeImage(encodeJpeg(quadrants(false), JCS_RGB, true)), quadrants(false), 3,
                "progressive");
    expectClose(*decodeImage(encodeJpeg(quadrants(false), JCS_CMYK, false)), quadrants(false), 3,
                "CMYK");
}

TEST(Codecs, CutFilesGiveNoImage) {
    for (const PngCase& c : pngCases())
        expectCutFilesRejected(encodePng(c.img, c.colourType, c.depth, c.interlace), c.what);
    expectCutFilesRejected(encodeJpeg(quadrants(false), JCS_RGB, false), "baseline JPEG");
    expectCutFilesRejected(encodeJpeg(quadrants(false), JCS_RGB, true), "progressive JPEG");
}

void fixPngCrc(Bytes& b, size_t chunk) {
    const uint32_t length = uint32_t(b[chunk]) << 24 | uint32_t(b[chunk + 1]) << 16 |
                            uint32_t(b[chunk + 2]) << 8 | b[chunk + 3];
    const uint32_t crc = uint32_t(crc32(0, b.data() + chunk + 4, length + 4));
    for (int i = 0; i < 4; ++i) b[chunk + 8 + length + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
}

void putBig(Bytes& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * (bytes - 1 - i)));
}

struct Damage {
    const char* what;
    size_t at;
    uint32_t value;
    int bytes;
    bool fixCrc;
};

TEST(Png, DamagedFilesGiveNoImage) {
    const Bytes good = encodePng(sixColours(), PNG_COLOR_TYPE_RGB, 8, false);
    const Damage table[] = {
        {"signature", 1, 'X', 1, false},
        {"width 0", 16, 0, 4, true},
        {"width past the limit", 16, 20000, 4, true},
        {"16384 x 2048 from a few bytes", 16, 16384, 4, true},
        {"bit depth 3", 24, 3, 1, true},
        {"colour type 5", 25, 5, 1, true},
        {"header checksum", 29, 0, 1, false},
        {"pixel data checksum", 41, 0x55, 1, false},
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
    const Bytes good = encodeJpeg(quadrants(false), JCS_RGB, false);
    const size_t sof = findMarker(good, 0xC0);
    ASSERT_LT(sof, good.size());
    const Damage table[] = {
        {"height 0", sof + 5, 0, 2, false},
        {"width 0", sof + 7, 0, 2, false},
        {"16384 x 16384", sof + 5, 0x40004000, 4, false},
        {"8000 x 4000 from a few bytes", sof + 5, 0x0FA01F40, 4, false},
        {"12-bit samples", sof + 4, 12, 1, false},
        {"no scan: start of scan turned into a comment", findMarker(good, 0xDA) + 1, 0xFE, 1, false},
    };
    for (const Damage& d : table) {
        Bytes b = good;
        putBig(b, d.at, d.value, d.bytes);
        EXPECT_FALSE(decodeImage(b)) << d.what;
    }
    EXPECT_FALSE(decodeImage(Bytes{0xFF, 0xD8, 0xFF, 0xD9})) << "start and end only";
}

TEST(Detect, LeadingBytesNameTheFormat) {
    const struct {
        Bytes bytes;
        Format format;
    } table[] = {
        {{'B', 'M'}, Format::Bmp},
        {{0, 0, 1, 0}, Format::Ico},
        {{0, 0, 2, 0}, Format::Unknown},
        {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, Format::Png},
        {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}, Format::Unknown},
        {{0xFF, 0xD8}, Format::Jpeg},
        {{'G', 'I', 'F', '8'}, Format::Unknown},
        {{}, Format::Unknown},
    };
    for (const auto& t : table) EXPECT_EQ(detectFormat(t.bytes), t.format);
}

} // namespace
} // namespace zarnet::imaging
