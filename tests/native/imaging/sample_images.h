// Pictures and the bytes of BMP and icon files, built in code for the
// decoder tests.
#pragma once

#include "imaging/decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <vector>

namespace zarnet::imaging {

inline void PrintTo(const Image& img, std::ostream* os) {
    *os << img.width << " x " << img.height << std::hex;
    for (int32_t y = 0; y < img.height && y < 8; ++y) {
        *os << "\n ";
        for (int32_t x = 0; x < img.width && x < 8; ++x)
            *os << " " << img.at(x, y);
    }
    *os << std::dec;
}

} // namespace zarnet::imaging

namespace zarnet::imaging::test {

using Bytes = std::vector<uint8_t>;

inline void le16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void le32(Bytes& b, uint32_t v) {
    le16(b, v & 0xFFFF);
    le16(b, v >> 16);
}
inline void put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

inline Image picture(std::initializer_list<std::initializer_list<Pixel>> rows) {
    Image img;
    img.height = int32_t(rows.size());
    img.width = int32_t(rows.begin()->size());
    for (auto& r : rows)
        img.pixels.insert(img.pixels.end(), r.begin(), r.end());
    return img;
}

constexpr Pixel kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                kBlack = 0xFF000000, kMagenta = 0xFFFF00FF;

// 3 x 2: an odd width, so every bit depth pads its rows.
inline Image sixColours() {
    return picture({{kRed, kGreen, kBlue}, {kWhite, kBlack, kMagenta}});
}
inline const std::vector<Pixel> kSixPalette = {kRed, kGreen, kBlue, kWhite, kBlack, kMagenta};

inline uint32_t indexIn(const std::vector<Pixel>& palette, Pixel p) {
    return uint32_t(std::find(palette.begin(), palette.end(), p) - palette.begin());
}

// Stored rows of `img` at `bpp`, bottom-up unless topDown, each pixel's
// stored value given by `value`, rows padded to 4 bytes.
inline Bytes packRows(const Image& img, int bpp, const std::function<uint32_t(Pixel)>& value,
                      bool topDown = false) {
    const size_t stride = (size_t(img.width) * size_t(bpp) + 31) / 32 * 4;
    Bytes out(stride * size_t(img.height), 0);
    for (int32_t r = 0; r < img.height; ++r) {
        uint8_t* row = out.data() + stride * size_t(r);
        const int32_t y = topDown ? r : img.height - 1 - r;
        for (int32_t x = 0; x < img.width; ++x) {
            const uint32_t v = value(img.at(x, y));
            if (bpp < 8) {
                const size_t bit = size_t(x) * size_t(bpp);
                row[bit / 8] |= uint8_t(v << (8 - bpp - bit % 8));
            } else {
                for (int i = 0; i < bpp / 8; ++i)
                    row[size_t(x) * size_t(bpp / 8) + size_t(i)] = uint8_t(v >> (8 * i));
            }
        }
    }
    return out;
}

struct Dib {
    uint32_t headerSize = 40;
    int32_t width = 0, height = 0; // height as stored
    uint16_t bpp = 24;
    uint32_t compression = 0;
    uint32_t clrUsed = 0;
    std::vector<Pixel> palette;
    std::vector<uint32_t> masks; // inside a 52+ byte header, else after it
    Bytes bits;
};

inline Bytes dibBytes(const Dib& d) {
    Bytes b;
    le32(b, d.headerSize);
    if (d.headerSize == 12) {
        le16(b, uint32_t(d.width));
        le16(b, uint32_t(d.height));
        le16(b, 1);
        le16(b, d.bpp);
    } else {
        for (uint32_t v : {uint32_t(d.width), uint32_t(d.height)})
            le32(b, v);
        le16(b, 1);
        le16(b, d.bpp);
        for (uint32_t v : {d.compression, uint32_t(d.bits.size()), 2835u, 2835u, d.clrUsed, 0u})
            le32(b, v);
        size_t m = 0;
        while (b.size() < d.headerSize)
            le32(b, m < d.masks.size() ? d.masks[m++] : 0);
        for (; m < d.masks.size(); ++m)
            le32(b, d.masks[m]);
    }
    for (Pixel p : d.palette) {
        b.push_back(uint8_t(p));
        b.push_back(uint8_t(p >> 8));
        b.push_back(uint8_t(p >> 16));
        if (d.headerSize != 12) b.push_back(0);
    }
    b.insert(b.end(), d.bits.begin(), d.bits.end());
    return b;
}

inline Bytes bmpFile(const Dib& d) {
    const Bytes dib = dibBytes(d);
    Bytes b = {'B', 'M'};
    le32(b, uint32_t(14 + dib.size()));
    le32(b, 0);
    le32(b, uint32_t(14 + dib.size() - d.bits.size()));
    b.insert(b.end(), dib.begin(), dib.end());
    return b;
}

// An icon entry: colour rows, then the AND mask (set = transparent); no
// mask at all when `clear` is empty.
inline Bytes iconDib(const Image& img, int bpp, const std::vector<Pixel>& palette,
                     const std::function<bool(int32_t, int32_t)>& clear) {
    Dib d;
    d.width = img.width;
    d.height = img.height * 2;
    d.bpp = uint16_t(bpp);
    d.palette = palette;
    d.clrUsed = uint32_t(palette.size());
    d.bits = packRows(img, bpp, [&](Pixel p) { return bpp <= 8 ? indexIn(palette, p) : p; });
    if (!clear) return dibBytes(d);
    Image mask = img;
    for (int32_t y = 0; y < img.height; ++y)
        for (int32_t x = 0; x < img.width; ++x)
            mask.at(x, y) = clear(x, y) ? 1 : 0;
    const Bytes m = packRows(mask, 1, [](Pixel p) { return p; });
    d.bits.insert(d.bits.end(), m.begin(), m.end());
    return dibBytes(d);
}

struct IconEntry {
    uint8_t w, h;
    uint16_t bpp;
    Bytes data;
};
inline Bytes icoFile(const std::vector<IconEntry>& entries) {
    Bytes b;
    le16(b, 0);
    le16(b, 1);
    le16(b, uint32_t(entries.size()));
    size_t offset = 6 + 16 * entries.size();
    for (const IconEntry& e : entries) {
        b.insert(b.end(), {e.w, e.h, 0, 0});
        le16(b, 1);
        le16(b, e.bpp);
        le32(b, uint32_t(e.data.size()));
        le32(b, uint32_t(offset));
        offset += e.data.size();
    }
    for (const IconEntry& e : entries)
        b.insert(b.end(), e.data.begin(), e.data.end());
    return b;
}

// Every strict prefix of a file gives no picture, or (for the few bytes of
// a last row's padding or a trailer) exactly the whole file's picture: a
// cut file never turns into a different picture.
inline void expectCutFilesRejected(const Bytes& file, const std::string& what) {
    const auto whole = decodeImage(file);
    ASSERT_TRUE(whole) << what;
    int accepted = 0;
    for (size_t n = 0; n < file.size(); ++n) {
        const auto img = decodeImage(std::span<const uint8_t>(file.data(), n));
        if (!img) continue;
        ++accepted;
        EXPECT_EQ(*img, *whole) << what << " cut to " << n << " bytes";
    }
    EXPECT_LE(accepted, 3) << what;
}

} // namespace zarnet::imaging::test
