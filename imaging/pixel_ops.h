// The pixel work the runtime and the designer do on pictures, as pure
// functions: the key-colour transparency, boxes, drawing one picture on
// another, the icon-to-bitmap conversion, scaling and BMP output. The toolkit
// copies the result into a DIB section; no GDI is involved here.
#pragma once

#include "imaging/image.h"

#include <optional>
#include <span>

namespace zarnet::imaging {

// Transparent drawing. The b by h top-left region of `src` is laid over `dst`
// at (x, y): a destination pixel keeps its colour where the source pixel has
// the key colour, and takes the source pixel elsewhere. Afterwards the
// source region is filled with `buttonFace`. With no key given, the key is
// the colour of the source's top-right pixel (b-1, 0). Colours compare by
// red, green and blue alone (alpha plays no part, as in a GDI blit); the
// fill is opaque. src and dst may be the same picture: the source is read
// before it is filled, so the net effect is that every pixel of the key
// colour becomes the button-face colour and every other pixel stays.
// Regions are clipped to both pictures. False, with both pictures as they
// were, when there is no memory for the copy of the source region.
bool drawTransparent(Image& src, Image& dst, int32_t x, int32_t y, int32_t b, int32_t h,
                     std::optional<Rgb> key, Rgb buttonFace);

// The form every caller uses: the whole picture, onto itself, key colour
// from the top-right pixel.
bool makeTransparent(Image& img, Rgb buttonFace);

// Box: fills a rectangle (clipped) with one pixel value, alpha included.
void fillRect(Image& img, int32_t x, int32_t y, int32_t w, int32_t h, Pixel p);

// Draws `src` onto `dst` at (x, y), clipped, blending by the source's alpha
// (an opaque source is copied as it is).
void drawImage(Image& dst, const Image& src, int32_t x, int32_t y);

// Lays every pixel over an opaque background, in place: the pixels then
// look as drawImage would draw them on that background, and are opaque.
void flattenPixels(std::span<Pixel> pixels, Rgb background);

// The icon-to-bitmap conversion: a new opaque picture of the icon's size,
// filled with `background`, with the icon drawn on it at (0, 0). We fill with
// the button-face colour, so the icon looks as it should on a button or form
// with or without the key-colour transparency applied afterwards (the key is
// then the top-right pixel, usually that same background). Nothing when
// the memory is not there.
std::optional<Image> convertIcoToBmp(const Image& icon, Rgb background);

// Smooth scaling to a new size (the toolkit's ResizeImage). A triangle
// (bilinear) filter in each direction, widened to the shrink factor when a
// side gets smaller so that every source pixel counts; pixel centres are
// aligned, edges are clamped, colours are weighted by alpha so transparent
// pixels do not darken their neighbours. Integer arithmetic throughout, so
// every build gives the same pixels. The same size gives a copy. Nothing
// when the new size is not allowed (zero, negative or past the limits).
std::optional<Image> scaleImage(const Image& img, int32_t width, int32_t height);
// The same from rows of pixels laid out as Image keeps them (a DIB
// section's, say), read where they lie. `opaque` tells that every alpha is
// 255, sparing a look at them all; false means only "not known".
std::optional<Image> scalePixels(const Pixel* pixels, int32_t fromWidth, int32_t fromHeight,
                                 int32_t width, int32_t height, bool opaque = false);

// Size of the scaled copy a picture gadget shows: the gadget's outer size,
// 4 pixels smaller each way for an ImageGadget with a border (frame). Nothing
// when that leaves no pixels: the gadget then shows no picture.
struct Size {
    int32_t width = 0, height = 0;
    friend bool operator==(Size, Size) = default;
};
std::optional<Size> shownImageSize(int32_t gadgetWidth, int32_t gadgetHeight, bool frame);

// A 24-bit bottom-up BMP file of the picture (alpha dropped), the form the
// designer's icon conversion file takes; empty when the memory is not there.
std::vector<uint8_t> encodeBmp(const Image& img);

} // namespace zarnet::imaging
