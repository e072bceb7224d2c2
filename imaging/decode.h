// Decoding pictures held in memory: BMP and ICO by our own decoders, PNG
// through libpng and JPEG through libjpeg. Every decoder takes any bytes at
// all and returns either a whole picture or nothing; no input can abort the
// process, read outside the data or make it allocate more than the size
// limits of image.h allow.
#pragma once

#include "imaging/image.h"

#include <functional>
#include <span>

namespace zarnet::imaging {

enum class Format { Unknown, Bmp, Ico, Png, Jpeg };

// The format the leading bytes announce: "BM", 00 00 01 00, the PNG
// signature, FF D8. This is the decoders' view; the include generator has its
// own rule for which format a design's picture counts as.
Format detectFormat(std::span<const uint8_t> data);

// Decodes by content (detectFormat); nothing for unknown data.
std::optional<Image> decodeImage(std::span<const uint8_t> data);

// Decoding into memory the caller owns (a DIB section, say), so that a large
// picture is never held twice. `target` is asked at most once, for width x
// height pixels laid out as Image keeps them, and gives nullptr when it has
// no memory, which fails the decoding. A failure can come after the target
// was asked; what was written there is then to be discarded. `opaque` says
// every alpha is 255, as the format itself tells (a PNG without an alpha
// channel or tRNS) or as the pixels show.
struct DecodedInto {
    bool ok = false;
    bool opaque = false;
};
using PixelTarget = std::function<Pixel*(int32_t width, int32_t height)>;
DecodedInto decodeImageInto(std::span<const uint8_t> data, const PixelTarget& target);

// A BMP file: "BM" file header, then an info header of 12, 40, 52, 56, 64,
// 108 or 124 bytes; 1, 4, 8, 16, 24 or 32 bits per pixel; uncompressed,
// RLE8, RLE4 or bit-field masks; bottom-up or top-down. 32-bit pixels are
// opaque unless a bit-field alpha mask says otherwise, as GDI shows them.
std::optional<Image> decodeBmp(std::span<const uint8_t> data);

// An icon file: the largest entry (by area, then colour depth, then the
// earlier one) is decoded; PNG entries through decodePng. Pixels the AND mask
// marks transparent get alpha 0; a 32-bit entry with any alpha uses its
// alpha instead. An entry whose data ends right after its colour rows has no
// mask (writers of 32-bit icons often leave it out, the alpha making it
// redundant): its alpha gives the transparency, and an entry without alpha
// is opaque. Colour rows that do not fit, or a mask cut short, make the entry
// invalid, and so does a directory entry that points outside the data.
std::optional<Image> decodeIco(std::span<const uint8_t> data);

// A PNG: every colour type and depth, interlaced or not, tRNS as alpha, 16-bit
// channels rounded to the nearest 8-bit level. The file must be complete up
// to its IEND chunk.
std::optional<Image> decodePng(std::span<const uint8_t> data);

// A JPEG (JFIF, Exif or bare; baseline, progressive or arithmetic; grey,
// YCbCr, RGB, CMYK or YCCK). Data that ends before the image does is refused
// rather than padded with grey.
std::optional<Image> decodeJpeg(std::span<const uint8_t> data);

} // namespace zarnet::imaging
