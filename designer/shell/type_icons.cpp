// Encodes the character art into icon files while compiling, so the program
// carries the finished bytes as constant data and a drawing mistake (a short
// row, an unknown letter) stops the build instead of showing up on screen.
#include "designer/shell/type_icons.h"

#include "designer/shell/type_icon_art.h"

#include <array>

namespace zarnet::designer {
namespace {

namespace art = type_icon_art;

using IconData = std::array<uint8_t, kTypeIconCount * kTypeIconFileSize>;

// Offsets inside one file: directory, its single entry, the bitmap header,
// the colour table, the pixel rows and the mask rows.
constexpr size_t kEntryAt = 6;
constexpr size_t kHeaderAt = kEntryAt + 16;
constexpr size_t kPaletteAt = kHeaderAt + 40;
constexpr size_t kPixelsAt = kPaletteAt + 256 * 4;
constexpr size_t kMaskAt = kPixelsAt + art::kSide * art::kSide;
constexpr size_t kMaskStride = 4; // 16 bits padded to a 32-bit boundary
static_assert(kMaskAt + art::kSide * kMaskStride == kTypeIconFileSize);
static_assert(art::kIcons == kTypeIconCount);
static_assert(std::size(art::kPalette) <= 256);

constexpr int paletteIndex(char letter) {
    for (size_t i = 0; i < std::size(art::kPalette); ++i)
        if (art::kPalette[i].letter == letter) return int(i);
    return -1;
}

constexpr bool artIsWellFormed() {
    if (art::kPalette[0].r != 0 || art::kPalette[0].g != 0 || art::kPalette[0].b != 0) return false;
    for (const auto& icon : art::kArt) {
        for (std::string_view row : icon) {
            if (row.size() != size_t(art::kSide)) return false;
            for (char c : row)
                if (c != art::kClear && paletteIndex(c) < 0) return false;
        }
    }
    return true;
}
static_assert(artIsWellFormed(), "every art row needs 16 palette letters or '.'");

constexpr void put16(IconData& d, size_t at, uint16_t v) {
    d[at] = uint8_t(v);
    d[at + 1] = uint8_t(v >> 8);
}

constexpr void put32(IconData& d, size_t at, uint32_t v) {
    put16(d, at, uint16_t(v));
    put16(d, at + 2, uint16_t(v >> 16));
}

constexpr void encodeIcon(IconData& d, size_t at, const std::string_view (&icon)[art::kSide]) {
    put16(d, at + 2, 1); // resource type: icon
    put16(d, at + 4, 1); // one image

    d[at + kEntryAt] = art::kSide;
    d[at + kEntryAt + 1] = art::kSide;
    put16(d, at + kEntryAt + 4, 1); // planes
    put16(d, at + kEntryAt + 6, 8); // bits per pixel
    put32(d, at + kEntryAt + 8, uint32_t(kTypeIconFileSize - kHeaderAt));
    put32(d, at + kEntryAt + 12, uint32_t(kHeaderAt));

    // The height counts the colour rows and the mask rows together.
    put32(d, at + kHeaderAt, 40);
    put32(d, at + kHeaderAt + 4, art::kSide);
    put32(d, at + kHeaderAt + 8, 2 * art::kSide);
    put16(d, at + kHeaderAt + 12, 1);
    put16(d, at + kHeaderAt + 14, 8);
    put32(d, at + kHeaderAt + 20, uint32_t(kTypeIconFileSize - kPixelsAt));

    for (size_t i = 0; i < std::size(art::kPalette); ++i) {
        const auto& c = art::kPalette[i];
        d[at + kPaletteAt + 4 * i] = c.b;
        d[at + kPaletteAt + 4 * i + 1] = c.g;
        d[at + kPaletteAt + 4 * i + 2] = c.r;
    }

    // Rows are stored bottom-up. Clear pixels keep colour 0 (black) and get
    // their mask bit, so drawing them leaves the background as it was.
    for (int y = 0; y < art::kSide; ++y) {
        const std::string_view row = icon[art::kSide - 1 - y];
        for (int x = 0; x < art::kSide; ++x) {
            if (row[x] == art::kClear) {
                d[at + kMaskAt + size_t(y) * kMaskStride + size_t(x / 8)] |=
                    uint8_t(0x80 >> (x % 8));
            } else {
                d[at + kPixelsAt + size_t(y * art::kSide + x)] = uint8_t(paletteIndex(row[x]));
            }
        }
    }
}

constexpr IconData encodeAll() {
    IconData d{};
    for (size_t i = 0; i < size_t(kTypeIconCount); ++i)
        encodeIcon(d, i * kTypeIconFileSize, art::kArt[i]);
    return d;
}

constexpr IconData kIconData = encodeAll();

} // namespace

std::span<const uint8_t> typeIconFile(int entry) {
    if (entry < 1 || entry > kTypeIconCount) return {};
    return std::span<const uint8_t>(kIconData).subspan(size_t(entry - 1) * kTypeIconFileSize,
                                                       kTypeIconFileSize);
}

std::span<const uint8_t> typeIconData() {
    return kIconData;
}

} // namespace zarnet::designer
