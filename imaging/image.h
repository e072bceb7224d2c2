// The decoded picture every part of Zarnet works on, and the limits that keep
// a hostile header from sizing an allocation.
//
// Pixel layout: one uint32_t per pixel, value 0xAARRGGBB, rows top-down with
// no padding (stride = width). On the little-endian machines we build for the
// bytes in memory are B, G, R, A: exactly a 32 bpp top-down DIB section
// (biHeight = -height, BI_RGB), so the pixels can be copied into one as they
// are. Alpha is straight (not premultiplied); 255 is opaque. GDI blits ignore
// the alpha byte; decoders fill it from the format's own transparency (ICO
// masks, PNG alpha, BMP alpha masks) and set 255 everywhere else.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zarnet::imaging {

// No side may exceed this, and no picture may hold more pixels than
// kMaxPixels: 128 MB of pixels is more than any picture on a form needs and
// still fits a 32-bit process.
inline constexpr int32_t kMaxSide = 16384;
inline constexpr int64_t kMaxPixels = int64_t{32} * 1024 * 1024;

using Pixel = uint32_t;

// An opaque colour. Windows hands colours around as COLORREF (0x00BBGGRR);
// the conversions live here so no caller swaps channels by hand.
struct Rgb {
    uint8_t r = 0, g = 0, b = 0;

    static constexpr Rgb fromColorRef(uint32_t c) {
        return {uint8_t(c & 0xFF), uint8_t((c >> 8) & 0xFF), uint8_t((c >> 16) & 0xFF)};
    }
    constexpr uint32_t colorRef() const { return r | (uint32_t(g) << 8) | (uint32_t(b) << 16); }
    constexpr Pixel pixel(uint8_t alpha = 255) const {
        return (uint32_t(alpha) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    }
    static constexpr Rgb of(Pixel p) {
        return {uint8_t((p >> 16) & 0xFF), uint8_t((p >> 8) & 0xFF), uint8_t(p & 0xFF)};
    }
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

constexpr uint8_t alphaOf(Pixel p) {
    return uint8_t(p >> 24);
}
constexpr Pixel makePixel(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

struct Image {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Pixel> pixels; // width * height, top-down

    Pixel& at(int32_t x, int32_t y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    Pixel at(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    bool empty() const { return pixels.empty(); }
    friend bool operator==(const Image&, const Image&) = default;
};

// True when a width and height are both positive and within the limits.
bool sizeAllowed(int64_t width, int64_t height);

// A new picture filled with one pixel value; nothing when the size is not
// allowed or the memory is not there.
std::optional<Image> makeImage(int32_t width, int32_t height, Pixel fill = 0xFF000000u);

// A picture of width x height taken from rows of pixels laid out as Image
// keeps them, and a copy of a picture; nothing when the memory is not
// there. A 32-bit process runs out of address space long before a picture
// reaches the size limits, so every pixel buffer outside the decoders is
// made through these and the failure is a value, never an exception.
std::optional<Image> imageFromPixels(const Pixel* pixels, int32_t width, int32_t height);
std::optional<Image> copyImage(const Image& img);

} // namespace zarnet::imaging
