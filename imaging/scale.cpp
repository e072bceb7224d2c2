// Separable resampling: each output column (then row) is a weighted sum of
// nearby source columns (rows), the weights precomputed once per direction.
#include "imaging/pixel_ops.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace zarnet::imaging {
namespace {

struct Weights {
    std::vector<int32_t> first;  // per output index: its first entry in taps
    std::vector<int32_t> count;  // and how many taps it has
    std::vector<int32_t> source; // source index of each tap
    std::vector<float> weight;   // its weight; the taps of one output sum to 1
};

Weights weightsFor(int32_t from, int32_t to) {
    Weights w;
    const double scale = double(from) / double(to);
    const double radius = std::max(1.0, scale);
    w.first.resize(size_t(to));
    w.count.resize(size_t(to));
    for (int32_t i = 0; i < to; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        const int64_t lo = int64_t(std::floor(centre - radius)) + 1;
        const int64_t hi = int64_t(std::ceil(centre + radius)) - 1;
        w.first[size_t(i)] = int32_t(w.source.size());
        double total = 0;
        for (int64_t j = lo; j <= hi; ++j) {
            const double k = 1.0 - std::abs(double(j) - centre) / radius;
            if (k <= 0) continue;
            w.source.push_back(int32_t(std::clamp<int64_t>(j, 0, from - 1)));
            w.weight.push_back(float(k));
            total += k;
        }
        const size_t n = w.source.size() - size_t(w.first[size_t(i)]);
        w.count[size_t(i)] = int32_t(n);
        for (size_t t = size_t(w.first[size_t(i)]); t < w.weight.size(); ++t)
            w.weight[t] = float(w.weight[t] / total);
    }
    return w;
}

// Four floats per pixel: red, green and blue premultiplied by alpha (0..1),
// and alpha in 0..255.
void premultiply(Pixel p, float* out) {
    const float a = float(alphaOf(p));
    const float k = a / 255.0f;
    out[0] = float((p >> 16) & 0xFF) * k;
    out[1] = float((p >> 8) & 0xFF) * k;
    out[2] = float(p & 0xFF) * k;
    out[3] = a;
}

// Sums of positive weights are never negative; the clamp only guards the
// last bit of float error. Adding a half and truncating is rounding here.
uint8_t channel(float v) {
    return uint8_t(std::clamp(v, 0.0f, 255.0f) + 0.5f);
}

Pixel unpremultiply(const float* v) {
    const float a = v[3];
    if (a <= 0.5f) return 0;
    const float k = 255.0f / a;
    return makePixel(channel(v[0] * k), channel(v[1] * k), channel(v[2] * k), channel(a));
}

} // namespace

std::optional<Image> scaleImage(const Image& img, int32_t width, int32_t height) {
    if (!sizeAllowed(width, height) || img.empty()) return std::nullopt;
    if (width == img.width && height == img.height) return img;
    auto out = makeImage(width, height);
    if (!out) return std::nullopt;
    try {
        const Weights across = weightsFor(img.width, width);
        const Weights down = weightsFor(img.height, height);
        auto premultiplyRow = [&](int32_t y, float* dst) {
            for (int32_t x = 0; x < img.width; ++x)
                premultiply(img.at(x, y), dst + size_t(x) * 4);
        };
        auto acrossRow = [&](const float* src, float* dst) {
            for (int32_t x = 0; x < width; ++x, dst += 4) {
                float acc[4] = {0, 0, 0, 0};
                const size_t f = size_t(across.first[size_t(x)]);
                for (size_t t = f; t < f + size_t(across.count[size_t(x)]); ++t) {
                    const float* s = src + size_t(across.source[t]) * 4;
                    for (int c = 0; c < 4; ++c)
                        acc[c] += s[c] * across.weight[t];
                }
                std::copy_n(acc, 4, dst);
            }
        };
        // One output row from `rowLength` floats of each source row it
        // draws on; `rowAt(j)` yields source row j.
        auto downRow = [&](int32_t y, size_t rowLength, auto&& rowAt, float* dst) {
            std::fill(dst, dst + rowLength, 0.0f);
            const size_t f = size_t(down.first[size_t(y)]);
            for (size_t t = f; t < f + size_t(down.count[size_t(y)]); ++t) {
                const float* s = rowAt(down.source[t]);
                for (size_t i = 0; i < rowLength; ++i)
                    dst[i] += s[i] * down.weight[t];
            }
        };
        auto emit = [&](int32_t y, const float* v) {
            for (int32_t x = 0; x < width; ++x)
                out->at(x, y) = unpremultiply(v + size_t(x) * 4);
        };

        // The intermediate buffer is the smaller of the two orders, so it is
        // never larger than the bigger of source and result.
        const size_t srcRow = size_t(img.width) * 4, dstRow = size_t(width) * 4;
        std::vector<float> line(std::max(srcRow, dstRow));
        if (int64_t{width} * img.height <= int64_t{img.width} * height) {
            std::vector<float> mid(dstRow * size_t(img.height));
            for (int32_t y = 0; y < img.height; ++y) {
                premultiplyRow(y, line.data());
                acrossRow(line.data(), &mid[dstRow * size_t(y)]);
            }
            for (int32_t y = 0; y < height; ++y) {
                downRow(
                    y, dstRow, [&](int32_t j) { return &mid[dstRow * size_t(j)]; }, line.data());
                emit(y, line.data());
            }
        } else {
            std::vector<float> source(srcRow * size_t(img.height));
            std::vector<float> mid(srcRow);
            for (int32_t y = 0; y < img.height; ++y)
                premultiplyRow(y, &source[srcRow * size_t(y)]);
            for (int32_t y = 0; y < height; ++y) {
                downRow(
                    y, srcRow, [&](int32_t j) { return &source[srcRow * size_t(j)]; }, mid.data());
                acrossRow(mid.data(), line.data());
                emit(y, line.data());
            }
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return out;
}

} // namespace zarnet::imaging
