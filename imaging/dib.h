// The device-independent bitmap shared by BMP files and icon entries: the
// info header in all its sizes, the colour table and the pixel rows. Every
// field that sizes something is checked before it is used.
#pragma once

#include "imaging/image.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zarnet::imaging::dib {

// Little-endian fields; the caller has checked that they lie inside d.
inline uint16_t u16(std::span<const uint8_t> d, size_t at) {
    return static_cast<uint16_t>(d[at] | (d[at + 1] << 8));
}
inline uint32_t u32(std::span<const uint8_t> d, size_t at) {
    return static_cast<uint32_t>(d[at]) | (static_cast<uint32_t>(d[at + 1]) << 8) |
           (static_cast<uint32_t>(d[at + 2]) << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}

enum Compression : uint32_t {
    Rgb = 0,
    Rle8 = 1,
    Rle4 = 2,
    BitFields = 3,
    AlphaBitFields = 6,
};

// One colour channel taken out of a 16- or 32-bit pixel.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
};

struct Header {
    int32_t width = 0;
    int32_t height = 0; // rows of the picture (half the stored height for icons)
    bool topDown = false;
    int bpp = 0;
    uint32_t compression = Rgb;
    std::array<Channel, 4> channels{}; // red, green, blue, alpha (16/32 bpp)
    bool hasAlphaMask = false;
    std::vector<Pixel> palette; // opaque colours, for bpp <= 8
    size_t tableEnd = 0;        // offset just past masks and colour table
};

enum class Mode { File, Icon };

// Parses the info header that starts at `at` in `data`, with the masks and
// colour table that follow it. In Icon mode the stored height counts the
// colour rows and the mask rows together, and only uncompressed bottom-up
// bitmaps are allowed.
std::optional<Header> parseHeader(std::span<const uint8_t> data, size_t at, Mode mode);

// Bytes in one stored row of `width` pixels at `bpp`, padded to 4 bytes.
uint64_t rowStride(int64_t width, int bpp);

// Decodes the pixel rows that start at the beginning of `bits` into a new
// picture. Uncompressed data must hold every row (the last row's padding may
// be missing); run-length data must reach its end mark or the top row.
std::optional<Image> decodePixels(const Header& h, std::span<const uint8_t> bits);

} // namespace zarnet::imaging::dib
