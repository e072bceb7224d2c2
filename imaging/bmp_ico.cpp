// The two container formats around a device-independent bitmap: the BMP
// file header and the icon directory.
#include "imaging/decode.h"
#include "imaging/dib.h"

#include <algorithm>
#include <new>

namespace zarnet::imaging {
namespace {

using dib::u16;
using dib::u32;

constexpr size_t kFileHeader = 14;
constexpr size_t kIconDir = 6;
constexpr size_t kIconEntry = 16;

struct IconEntry {
    int64_t area = 0;
    int depth = 0;
    size_t offset = 0, size = 0;
};

// The AND mask follows the colour rows: one bit per pixel, set where the
// icon is transparent. Some writers leave it out altogether.
std::optional<Image> decodeIconDib(std::span<const uint8_t> d) {
    auto h = dib::parseHeader(d, 0, dib::Mode::Icon);
    if (!h) return std::nullopt;
    const uint64_t colourBytes = dib::rowStride(h->width, h->bpp) * uint64_t(h->height);
    const uint64_t maskStride = dib::rowStride(h->width, 1);
    const uint64_t maskNeed = maskStride * uint64_t(h->height - 1) + (uint64_t(h->width) + 7) / 8;
    const uint64_t left = d.size() - h->tableEnd;
    if (colourBytes > left) return std::nullopt;
    const uint64_t maskBytes = left - colourBytes;
    // Data that stops inside the mask is damaged, not maskless.
    if (maskBytes != 0 && maskBytes < maskNeed) return std::nullopt;
    const bool hasMask = maskBytes != 0;

    auto img = dib::decodePixels(*h, d.subspan(h->tableEnd));
    if (!img) return std::nullopt;
    const bool anyAlpha = h->bpp == 32 && std::any_of(img->pixels.begin(), img->pixels.end(),
                                                      [](Pixel p) { return alphaOf(p) != 0; });
    if (anyAlpha) return img;
    if (!hasMask) {
        // Only a 32-bit entry can have come out with alpha 0 everywhere.
        if (h->bpp == 32)
            for (Pixel& p : img->pixels)
                p |= 0xFF000000u;
        return img;
    }
    const uint8_t* mask = d.data() + h->tableEnd + size_t(colourBytes);
    for (int32_t r = 0; r < h->height; ++r) {
        const uint8_t* row = mask + size_t(maskStride) * size_t(r);
        for (int32_t x = 0; x < h->width; ++x) {
            Pixel& p = img->at(x, h->height - 1 - r);
            const bool clear = (row[x >> 3] >> (7 - (x & 7))) & 1;
            p = (p & 0x00FFFFFFu) | (clear ? 0u : 0xFF000000u);
        }
    }
    return img;
}

} // namespace

Format detectFormat(std::span<const uint8_t> d) {
    static constexpr uint8_t png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (d.size() >= 8 && std::equal(png, png + 8, d.begin())) return Format::Png;
    if (d.size() >= 2 && d[0] == 0xFF && d[1] == 0xD8) return Format::Jpeg;
    if (d.size() >= 2 && d[0] == 'B' && d[1] == 'M') return Format::Bmp;
    if (d.size() >= 4 && d[0] == 0 && d[1] == 0 && d[2] == 1 && d[3] == 0) return Format::Ico;
    return Format::Unknown;
}

std::optional<Image> decodeImage(std::span<const uint8_t> d) {
    switch (detectFormat(d)) {
    case Format::Bmp:
        return decodeBmp(d);
    case Format::Ico:
        return decodeIco(d);
    case Format::Png:
        return decodePng(d);
    case Format::Jpeg:
        return decodeJpeg(d);
    case Format::Unknown:
        break;
    }
    return std::nullopt;
}

namespace {

std::optional<Image> bmpOf(std::span<const uint8_t> d) {
    if (d.size() < kFileHeader || d[0] != 'B' || d[1] != 'M') return std::nullopt;
    const uint32_t offBits = u32(d, 10);
    auto h = dib::parseHeader(d, kFileHeader, dib::Mode::File);
    // Pixel data that overlaps the colour table is a damaged file, not a
    // layout to guess around.
    if (!h || offBits < h->tableEnd || offBits > d.size()) return std::nullopt;
    return dib::decodePixels(*h, d.subspan(offBits));
}

std::optional<Image> icoOf(std::span<const uint8_t> d) {
    if (d.size() < kIconDir || u16(d, 0) != 0 || u16(d, 2) != 1) return std::nullopt;
    const size_t count = u16(d, 4);
    if (count == 0 || (d.size() - kIconDir) / kIconEntry < count) return std::nullopt;

    std::optional<IconEntry> best;
    for (size_t i = 0; i < count; ++i) {
        const size_t e = kIconDir + i * kIconEntry;
        IconEntry entry;
        const int w = d[e] ? d[e] : 256, h = d[e + 1] ? d[e + 1] : 256;
        entry.area = int64_t{w} * h;
        entry.depth = u16(d, e + 6);
        entry.size = u32(d, e + 8);
        entry.offset = u32(d, e + 12);
        if (entry.offset > d.size() || entry.size > d.size() - entry.offset || entry.size == 0)
            return std::nullopt;
        if (!best || entry.area > best->area ||
            (entry.area == best->area && entry.depth > best->depth))
            best = entry;
    }
    const auto data = d.subspan(best->offset, best->size);
    if (detectFormat(data) == Format::Png) return decodePng(data);
    return decodeIconDib(data);
}

} // namespace

// Besides the pixels, the headers make small allocations of their own (a
// colour table); when memory runs out they fail the way the pixels do.
std::optional<Image> decodeBmp(std::span<const uint8_t> d) {
    try {
        return bmpOf(d);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<Image> decodeIco(std::span<const uint8_t> d) {
    try {
        return icoOf(d);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace zarnet::imaging
