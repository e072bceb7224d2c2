#include "imaging/dib.h"

#include <bit>

namespace zarnet::imaging::dib {
namespace {

// A mask must be one run of bits; anything else has no sensible meaning.
std::optional<Channel> channelOf(uint32_t mask, int bpp) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    if (bpp == 16 && (mask >> 16) != 0) return std::nullopt;
    c.shift = std::countr_zero(mask);
    c.bits = std::popcount(mask);
    const uint32_t run = mask >> c.shift;
    if ((run & (run + 1)) != 0) return std::nullopt;
    return c;
}

uint8_t extract(const Channel& c, uint32_t v, uint8_t absent) {
    if (c.mask == 0) return absent;
    const uint32_t raw = (v & c.mask) >> c.shift;
    if (c.bits >= 8) return static_cast<uint8_t>(raw >> (c.bits - 8));
    const uint32_t max = (1u << c.bits) - 1;
    return static_cast<uint8_t>((raw * 255 + max / 2) / max);
}

bool setChannels(Header& h, uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    const uint32_t masks[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i) {
        auto c = channelOf(masks[i], h.bpp);
        if (!c) return false;
        h.channels[size_t(i)] = *c;
    }
    h.hasAlphaMask = a != 0;
    return true;
}

constexpr Pixel kBlack = 0xFF000000u;

} // namespace

uint64_t rowStride(int64_t width, int bpp) {
    return ((static_cast<uint64_t>(width) * static_cast<uint64_t>(bpp) + 31) / 32) * 4;
}

std::optional<Header> parseHeader(std::span<const uint8_t> d, size_t at, Mode mode) {
    if (at > d.size() || d.size() - at < 4) return std::nullopt;
    const uint32_t size = u32(d, at);
    const bool core = size == 12;
    if (!core && size != 40 && size != 52 && size != 56 && size != 64 && size != 108 && size != 124)
        return std::nullopt;
    if (d.size() - at < size) return std::nullopt;

    Header h;
    int64_t width = 0, height = 0;
    uint32_t planes = 0, clrUsed = 0;
    if (core) {
        width = u16(d, at + 4);
        height = u16(d, at + 6);
        planes = u16(d, at + 8);
        h.bpp = u16(d, at + 10);
    } else {
        width = static_cast<int32_t>(u32(d, at + 4));
        height = static_cast<int32_t>(u32(d, at + 8));
        planes = u16(d, at + 12);
        h.bpp = u16(d, at + 14);
        h.compression = u32(d, at + 16);
        clrUsed = u32(d, at + 32);
    }
    if (planes != 1) return std::nullopt;

    if (mode == Mode::Icon) {
        // The stored height covers the colour rows and the mask rows.
        if (height <= 0) return std::nullopt;
        height /= 2;
    }
    h.topDown = height < 0;
    if (h.topDown) height = -height;
    if (!sizeAllowed(width, height)) return std::nullopt;
    h.width = static_cast<int32_t>(width);
    h.height = static_cast<int32_t>(height);

    const int bpp = h.bpp;
    const bool paletted = bpp == 1 || bpp == 4 || bpp == 8;
    if (!paletted && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
    if (core && bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) return std::nullopt;

    size_t pos = at + size;
    switch (h.compression) {
    case Rgb:
        if (bpp == 16) setChannels(h, 0x7C00, 0x03E0, 0x001F, 0);
        // GDI ignores the fourth byte of a 32-bit file pixel; icons keep
        // their alpha there.
        if (bpp == 32) setChannels(h, 0xFF0000, 0xFF00, 0xFF, mode == Mode::Icon ? 0xFF000000 : 0);
        break;
    case Rle8:
    case Rle4:
        // Run-length data is stored bottom-up only, and never in icons.
        if (mode == Mode::Icon || h.topDown) return std::nullopt;
        if (bpp != (h.compression == Rle8 ? 8 : 4)) return std::nullopt;
        break;
    case BitFields:
    case AlphaBitFields: {
        // OS/2 headers give these codes other meanings we do not read.
        if (mode == Mode::Icon || size == 64 || core) return std::nullopt;
        if (bpp != 16 && bpp != 32) return std::nullopt;
        const bool withAlpha = h.compression == AlphaBitFields;
        uint32_t m[4] = {0, 0, 0, 0};
        if (size >= 52) {
            for (int i = 0; i < 3; ++i)
                m[i] = u32(d, at + 40 + 4 * size_t(i));
            if (size >= 56) m[3] = u32(d, at + 52);
        } else {
            const size_t n = withAlpha ? 4 : 3;
            if (d.size() - pos < n * 4) return std::nullopt;
            for (size_t i = 0; i < n; ++i)
                m[i] = u32(d, pos + 4 * i);
            pos += n * 4;
        }
        if (!setChannels(h, m[0], m[1], m[2], m[3])) return std::nullopt;
        break;
    }
    default:
        return std::nullopt;
    }

    const size_t entry = core ? 3 : 4;
    uint64_t entries = clrUsed;
    if (paletted) {
        if (entries == 0) entries = uint64_t{1} << bpp;
        if (entries > 256) return std::nullopt;
    }
    if (uint64_t(d.size() - pos) < entries * entry) return std::nullopt;
    if (paletted) {
        h.palette.reserve(size_t(entries));
        for (size_t i = 0; i < entries; ++i) {
            const size_t p = pos + i * entry;
            h.palette.push_back(makePixel(d[p + 2], d[p + 1], d[p]));
        }
    }
    h.tableEnd = pos + size_t(entries) * entry;
    return h;
}

namespace {

bool holdsAllRows(const Header& h, std::span<const uint8_t> bits) {
    const uint64_t stride = rowStride(h.width, h.bpp);
    const uint64_t used = (uint64_t(h.width) * uint64_t(h.bpp) + 7) / 8;
    return bits.size() >= stride * uint64_t(h.height - 1) + used;
}

void decodeRows(const Header& h, std::span<const uint8_t> bits, Image& out) {
    const uint64_t stride = rowStride(h.width, h.bpp);
    const size_t colours = h.palette.size();
    for (int32_t r = 0; r < h.height; ++r) {
        const uint8_t* row = bits.data() + size_t(stride) * size_t(r);
        Pixel* dst = &out.at(0, h.topDown ? r : h.height - 1 - r);
        for (int32_t x = 0; x < h.width; ++x) {
            uint32_t index = 0, v = 0;
            switch (h.bpp) {
            case 1:
                index = (row[x >> 3] >> (7 - (x & 7))) & 1;
                break;
            case 4:
                index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
                break;
            case 8:
                index = row[x];
                break;
            case 16:
                v = uint32_t(row[2 * x]) | (uint32_t(row[2 * x + 1]) << 8);
                break;
            case 24:
                dst[x] = makePixel(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                continue;
            default:
                v = uint32_t(row[4 * x]) | (uint32_t(row[4 * x + 1]) << 8) |
                    (uint32_t(row[4 * x + 2]) << 16) | (uint32_t(row[4 * x + 3]) << 24);
            }
            if (h.bpp <= 8) {
                dst[x] = index < colours ? h.palette[index] : kBlack;
            } else {
                const auto& c = h.channels;
                dst[x] = makePixel(extract(c[0], v, 0), extract(c[1], v, 0), extract(c[2], v, 0),
                                   extract(c[3], v, 255));
            }
        }
    }
}

// Run-length data: counted runs of one index, end-of-line, end-of-bitmap,
// jumps and literal runs. Pixels the data never reaches stay black, as on a
// fresh bitmap.
bool decodeRle(const Header& h, std::span<const uint8_t> bits, Image& out) {
    const bool four = h.compression == Rle4;
    const size_t colours = h.palette.size();
    int64_t x = 0, y = 0;
    size_t p = 0;
    auto put = [&](uint32_t index) {
        if (x < h.width && y < h.height)
            out.at(int32_t(x), int32_t(h.height - 1 - y)) =
                index < colours ? h.palette[index] : kBlack;
        ++x;
    };
    while (y < h.height) {
        if (bits.size() - p < 2) return false;
        const uint8_t n = bits[p], c = bits[p + 1];
        p += 2;
        if (n > 0) {
            for (int i = 0; i < n && x < h.width; ++i)
                put(four ? ((i & 1) ? c & 0xF : c >> 4) : c);
            continue;
        }
        if (c == 0) {
            x = 0;
            ++y;
        } else if (c == 1) {
            return true;
        } else if (c == 2) {
            if (bits.size() - p < 2) return false;
            x += bits[p];
            y += bits[p + 1];
            p += 2;
        } else {
            size_t bytes = four ? (size_t(c) + 1) / 2 : c;
            bytes += bytes & 1; // literal runs end on a 16-bit boundary
            if (bits.size() - p < bytes) return false;
            for (int i = 0; i < c; ++i)
                put(four ? ((i & 1) ? bits[p + size_t(i) / 2] & 0xF : bits[p + size_t(i) / 2] >> 4)
                         : bits[p + size_t(i)]);
            p += bytes;
        }
    }
    return true;
}

} // namespace

std::optional<Image> decodePixels(const Header& h, std::span<const uint8_t> bits) {
    const bool rle = h.compression == Rle8 || h.compression == Rle4;
    // Uncompressed rows are checked against the data before any memory is
    // taken; run-length data may legitimately cover the picture in a few bytes.
    if (!rle && !holdsAllRows(h, bits)) return std::nullopt;
    auto img = makeImage(h.width, h.height, kBlack);
    if (!img) return std::nullopt;
    if (!rle) {
        decodeRows(h, bits, *img);
    } else if (!decodeRle(h, bits, *img)) {
        return std::nullopt;
    }
    return img;
}

} // namespace zarnet::imaging::dib
