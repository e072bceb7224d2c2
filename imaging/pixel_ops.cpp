#include "imaging/pixel_ops.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace zarnet::imaging {
namespace {

// The part of a w by h rectangle at (x, y) that lies inside `img`, as
// [x0, x1) by [y0, y1); empty when x0 >= x1 or y0 >= y1.
struct Clip {
    int64_t x0, y0, x1, y1;
};
Clip clip(const Image& img, int64_t x, int64_t y, int64_t w, int64_t h) {
    return {std::max<int64_t>(x, 0), std::max<int64_t>(y, 0),
            std::min<int64_t>(x + std::max<int64_t>(w, 0), img.width),
            std::min<int64_t>(y + std::max<int64_t>(h, 0), img.height)};
}

Pixel blendOver(Pixel dst, Pixel src) {
    const uint32_t sa = alphaOf(src);
    if (sa == 255) return src;
    if (sa == 0) return dst;
    const uint32_t da = alphaOf(dst);
    // Alphas in 0..255*255 so the division happens once per channel.
    const uint32_t dw = da * (255 - sa);
    const uint32_t outA = sa * 255 + dw;
    auto mix = [&](int shift) {
        const uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        return ((s * sa * 255 + d * dw + outA / 2) / outA) & 0xFF;
    };
    return ((outA + 127) / 255) << 24 | mix(16) << 16 | mix(8) << 8 | mix(0);
}

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

bool drawTransparent(Image& src, Image& dst, int32_t x, int32_t y, int32_t b, int32_t h,
                     std::optional<Rgb> key, Rgb buttonFace) {
    const int32_t w = std::min(b, src.width), rows = std::min(h, src.height);
    if (w <= 0 || rows <= 0) return true;
    // The source region is read whole before it is filled, so drawing a
    // picture onto itself sees its original pixels.
    auto region = makeImage(w, rows);
    if (!region) return false;
    std::vector<Pixel>& temp = region->pixels;
    for (int32_t j = 0; j < rows; ++j)
        std::copy_n(&src.at(0, j), w, &temp[size_t(j) * size_t(w)]);
    const Rgb k = key ? *key : Rgb::of(temp[size_t(w - 1)]);

    fillRect(src, 0, 0, w, rows, buttonFace.pixel());

    const Clip c = clip(dst, x, y, w, rows);
    for (int64_t dy = c.y0; dy < c.y1; ++dy) {
        const Pixel* line = &temp[size_t(dy - y) * size_t(w)];
        for (int64_t dx = c.x0; dx < c.x1; ++dx) {
            const Pixel p = line[dx - x];
            if (!(Rgb::of(p) == k)) dst.at(int32_t(dx), int32_t(dy)) = p;
        }
    }
    return true;
}

bool makeTransparent(Image& img, Rgb buttonFace) {
    return drawTransparent(img, img, 0, 0, img.width, img.height, std::nullopt, buttonFace);
}

void fillRect(Image& img, int32_t x, int32_t y, int32_t w, int32_t h, Pixel p) {
    const Clip c = clip(img, x, y, w, h);
    for (int64_t j = c.y0; j < c.y1; ++j)
        std::fill(&img.at(int32_t(c.x0), int32_t(j)),
                  &img.at(int32_t(c.x0), int32_t(j)) + (c.x1 - c.x0), p);
}

void drawImage(Image& dst, const Image& src, int32_t x, int32_t y) {
    const Clip c = clip(dst, x, y, src.width, src.height);
    for (int64_t dy = c.y0; dy < c.y1; ++dy)
        for (int64_t dx = c.x0; dx < c.x1; ++dx) {
            Pixel& d = dst.at(int32_t(dx), int32_t(dy));
            d = blendOver(d, src.at(int32_t(dx - x), int32_t(dy - y)));
        }
}

void flattenPixels(std::span<Pixel> pixels, Rgb background) {
    const Pixel under = background.pixel();
    for (Pixel& p : pixels)
        p = blendOver(under, p);
}

std::optional<Image> convertIcoToBmp(const Image& icon, Rgb background) {
    auto out = copyImage(icon);
    if (out) flattenPixels(out->pixels, background);
    return out;
}

std::optional<Size> shownImageSize(int32_t gadgetWidth, int32_t gadgetHeight, bool frame) {
    const int64_t w = int64_t{gadgetWidth} - (frame ? 4 : 0);
    const int64_t h = int64_t{gadgetHeight} - (frame ? 4 : 0);
    if (!sizeAllowed(w, h)) return std::nullopt;
    return Size{int32_t(w), int32_t(h)};
}

std::vector<uint8_t> encodeBmp(const Image& img) {
    const uint32_t stride = (uint32_t(img.width) * 3 + 3) & ~3u;
    const uint32_t bits = stride * uint32_t(img.height);
    std::vector<uint8_t> out;
    try {
        out.reserve(54 + size_t(bits));
    } catch (const std::bad_alloc&) {
        return {};
    } catch (const std::length_error&) {
        return {};
    }
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + bits);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, uint32_t(img.width));
    put32(out, uint32_t(img.height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, bits);
    put32(out, 2835); // 72 dots per inch
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int32_t y = img.height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < img.width; ++x) {
            const Pixel p = img.at(x, y);
            out.push_back(uint8_t(p));
            out.push_back(uint8_t(p >> 8));
            out.push_back(uint8_t(p >> 16));
        }
        out.resize(out.size() + (stride - uint32_t(img.width) * 3), 0);
    }
    return out;
}

} // namespace zarnet::imaging
