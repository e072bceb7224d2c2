// Separable resampling in integers: each output column (then row) is a
// weighted sum of nearby source columns (rows). Weights and sums are exact
// integers, so every build (x87, SSE, any compiler) gives the same pixels
// and 32-bit x86 pays no float-to-integer conversions.
#include "imaging/pixel_ops.h"

#include <algorithm>
#include <array>
#include <bit>
#include <new>
#include <stdexcept>

namespace zarnet::imaging {
namespace {

static_assert(std::endian::native == std::endian::little, "an opaque pixel is read as its bytes");

constexpr int kWeightBits = 14; // the taps of one output sum to 1 << 14
constexpr int kMidBits = 6;     // extra precision kept between the passes

struct Weights {
    std::vector<int32_t> first;  // per output index: its first tap
    std::vector<int32_t> count;  // and how many taps it has
    std::vector<int32_t> source; // source index of each tap
    std::vector<int32_t> weight; // its weight
};

int64_t floorDiv(int64_t a, int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// A triangle filter around each output centre, one source pixel wide when
// enlarging and as wide as the shrink factor when shrinking. In units of
// 1 / (2 * to) the output centre is (2i + 1) * from - to and the source
// centre j is 2j * to, so the weights are integers before normalising.
Weights weightsFor(int32_t from, int32_t to) {
    Weights w;
    const int64_t unit = 2 * int64_t{to};
    const int64_t radius = from > to ? 2 * int64_t{from} : unit;
    w.first.resize(size_t(to));
    w.count.resize(size_t(to));
    std::vector<int64_t> raw;
    for (int32_t i = 0; i < to; ++i) {
        const int64_t centre = (2 * int64_t{i} + 1) * from - to;
        const int64_t lo = floorDiv(centre - radius, unit),
                      hi = floorDiv(centre + radius, unit) + 1;
        raw.clear();
        const size_t first = w.source.size();
        int64_t total = 0;
        for (int64_t j = lo; j <= hi; ++j) {
            const int64_t k = radius - std::abs(2 * j * to - centre);
            if (k <= 0) continue;
            w.source.push_back(int32_t(std::clamp<int64_t>(j, 0, from - 1)));
            raw.push_back(k);
            total += k;
        }
        int32_t sum = 0;
        size_t largest = 0;
        for (size_t t = 0; t < raw.size(); ++t) {
            w.weight.push_back(int32_t((raw[t] << kWeightBits) / total));
            sum += w.weight.back();
            if (raw[t] > raw[largest]) largest = t;
        }
        w.weight[first + largest] += (1 << kWeightBits) - sum;
        w.first[size_t(i)] = int32_t(first);
        w.count[size_t(i)] = int32_t(raw.size());
    }
    return w;
}

// Four values per pixel in the order of its bytes: blue, green, red
// premultiplied by alpha, and alpha. An opaque pixel's bytes are already
// these values.
std::vector<uint8_t> premultiplied(const Pixel* pixels, size_t count) {
    std::vector<uint8_t> out(count * 4);
    for (size_t i = 0; i < count; ++i) {
        const Pixel p = pixels[i];
        const uint32_t a = alphaOf(p);
        uint8_t* o = &out[i * 4];
        for (int c = 0; c < 3; ++c)
            o[c] = uint8_t((((p >> (8 * c)) & 0xFF) * a + 127) / 255);
        o[3] = uint8_t(a);
    }
    return out;
}

template <class In, class Out>
void across(const In* in, Out* out, int32_t outWidth, const Weights& w, int shift) {
    const int32_t half = 1 << (shift - 1);
    for (int32_t x = 0; x < outWidth; ++x, out += 4) {
        int32_t acc[4] = {half, half, half, half};
        const size_t f = size_t(w.first[size_t(x)]);
        for (size_t t = f; t < f + size_t(w.count[size_t(x)]); ++t) {
            const In* s = in + size_t(w.source[t]) * 4;
            for (int c = 0; c < 4; ++c)
                acc[c] += w.weight[t] * s[c];
        }
        for (int c = 0; c < 4; ++c)
            out[c] = Out(acc[c] >> shift);
    }
}

// The first, horizontal pass of a shrink over a band of source rows at
// once. The band is laid out column by column, each column holding its rows'
// four bytes together, so every tap is a single run of multiply-adds on
// adjacent values (which compilers turn into vector code) instead of four
// lone ones per row. The sums are those `across` makes, row by row.
constexpr int32_t kBand = 8;

void acrossBand(const uint8_t* src, size_t srcRow, int32_t rows, int32_t fromWidth, uint16_t* out,
                size_t outRow, int32_t outWidth, const Weights& w, int shift,
                std::vector<uint8_t>& band) {
    constexpr size_t column = size_t(kBand) * 4;
    for (int32_t r = 0; r < kBand; ++r) {
        const uint8_t* line = src + srcRow * size_t(std::min(r, rows - 1));
        for (int32_t x = 0; x < fromWidth; ++x)
            std::copy_n(line + size_t(x) * 4, 4, &band[size_t(x) * column + size_t(r) * 4]);
    }
    const int32_t half = 1 << (shift - 1);
    int32_t acc[column];
    for (int32_t x = 0; x < outWidth; ++x) {
        std::fill_n(acc, column, half);
        const size_t f = size_t(w.first[size_t(x)]);
        for (size_t t = f; t < f + size_t(w.count[size_t(x)]); ++t) {
            const uint8_t* s = &band[size_t(w.source[t]) * column];
            const int16_t k = int16_t(w.weight[t]);
            for (size_t i = 0; i < column; ++i)
                acc[i] += int32_t(k) * int16_t(s[i]);
        }
        for (int32_t r = 0; r < rows; ++r)
            for (int c = 0; c < 4; ++c)
                out[outRow * size_t(r) + size_t(x) * 4 + size_t(c)] =
                    uint16_t(acc[size_t(r) * 4 + size_t(c)] >> shift);
    }
}

template <class In, class Out>
void down(const In* rows, size_t rowLength, int32_t y, Out* out, const Weights& w, int shift,
          std::vector<int32_t>& sums) {
    int32_t* acc = sums.data();
    std::fill(acc, acc + rowLength, 1 << (shift - 1));
    const size_t f = size_t(w.first[size_t(y)]);
    for (size_t t = f; t < f + size_t(w.count[size_t(y)]); ++t) {
        const In* s = rows + size_t(w.source[t]) * rowLength;
        const int32_t k = w.weight[t];
        for (size_t i = 0; i < rowLength; ++i)
            acc[i] += k * s[i];
    }
    for (size_t i = 0; i < rowLength; ++i)
        out[i] = Out(acc[i] >> shift);
}

// Back from premultiplied values; 255 / alpha comes from a table of 16.16
// reciprocals, so there is no division per pixel.
void emitRow(const uint8_t* v, int32_t width, Pixel* out) {
    static const auto reciprocal = [] {
        std::array<uint32_t, 256> r{};
        for (uint32_t a = 1; a < 256; ++a)
            r[a] = ((255u << 16) + a / 2) / a;
        return r;
    }();
    for (int32_t x = 0; x < width; ++x, v += 4) {
        const uint32_t a = v[3];
        if (a == 255) {
            out[x] = makePixel(v[2], v[1], v[0]);
            continue;
        }
        const uint32_t k = reciprocal[a];
        auto un = [&](uint8_t c) {
            return uint8_t(std::min<uint32_t>(255, (c * k + 0x8000) >> 16));
        };
        out[x] = a == 0 ? 0 : makePixel(un(v[2]), un(v[1]), un(v[0]), uint8_t(a));
    }
}

} // namespace

std::optional<Image> scaleImage(const Image& img, int32_t width, int32_t height) {
    if (img.pixels.size() != size_t(img.width) * size_t(img.height)) return std::nullopt;
    return scalePixels(img.pixels.data(), img.width, img.height, width, height);
}

std::optional<Image> scalePixels(const Pixel* pixels, int32_t fromWidth, int32_t fromHeight,
                                 int32_t width, int32_t height, bool opaque) {
    if (!sizeAllowed(width, height) || !sizeAllowed(fromWidth, fromHeight) || !pixels)
        return std::nullopt;
    if (width == fromWidth && height == fromHeight)
        return imageFromPixels(pixels, fromWidth, fromHeight);
    auto out = makeImage(width, height);
    if (!out) return std::nullopt;
    try {
        const Weights horizontal = weightsFor(fromWidth, width);
        const Weights vertical = weightsFor(fromHeight, height);
        // An opaque picture, the usual one, is read where it lies: no
        // premultiplied copy as large as itself.
        const size_t count = size_t(fromWidth) * size_t(fromHeight);
        opaque = opaque ||
                 std::all_of(pixels, pixels + count, [](Pixel p) { return alphaOf(p) == 255; });
        std::vector<uint8_t> weighted;
        if (!opaque) weighted = premultiplied(pixels, count);
        const uint8_t* src = opaque ? reinterpret_cast<const uint8_t*>(pixels) : weighted.data();
        const size_t srcRow = size_t(fromWidth) * 4, dstRow = size_t(width) * 4;
        constexpr int first = kWeightBits - kMidBits, second = kWeightBits + kMidBits;
        std::vector<int32_t> acc(std::max(srcRow, dstRow));
        std::vector<uint8_t> line(dstRow);
        // The intermediate is the smaller of the two orders, so it is never
        // larger than the bigger of source and result.
        if (int64_t{width} * fromHeight <= int64_t{fromWidth} * height) {
            std::vector<uint16_t> mid(dstRow * size_t(fromHeight));
            std::vector<uint8_t> band(size_t(fromWidth) * size_t(kBand) * 4);
            for (int32_t y = 0; y < fromHeight; y += kBand)
                acrossBand(src + srcRow * size_t(y), srcRow, std::min(kBand, fromHeight - y),
                           fromWidth, &mid[dstRow * size_t(y)], dstRow, width, horizontal, first,
                           band);
            for (int32_t y = 0; y < height; ++y) {
                down(mid.data(), dstRow, y, line.data(), vertical, second, acc);
                emitRow(line.data(), width, &out->at(0, y));
            }
        } else {
            std::vector<uint16_t> mid(srcRow);
            for (int32_t y = 0; y < height; ++y) {
                down(src, srcRow, y, mid.data(), vertical, first, acc);
                across(mid.data(), line.data(), width, horizontal, second);
                emitRow(line.data(), width, &out->at(0, y));
            }
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
    return out;
}

} // namespace zarnet::imaging
