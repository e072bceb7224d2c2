// What every decoded picture must satisfy, and the pixel work the runtime
// does on it next, so the fuzzers drive that too.
#include "imaging_fuzz_check.h"
#include "imaging/pixel_ops.h"

#include <cstdlib>

namespace zarnet::imaging::fuzz {

void checkAndUse(const std::optional<Image>& img, const uint8_t* data, size_t size) {
    if (!img) return;
    if (!sizeAllowed(img->width, img->height) ||
        img->pixels.size() != size_t(img->width) * size_t(img->height))
        std::abort();
    // Small pictures only: the point is the arithmetic, not the time.
    if (int64_t{img->width} * img->height > 4096) return;
    Image copy = *img;
    if (!makeTransparent(copy, Rgb{212, 208, 200})) std::abort();
    const int32_t w = 1 + (size ? data[size - 1] % 40 : 0),
                  h = 1 + (size > 1 ? data[size - 2] % 40 : 0);
    const auto scaled = scaleImage(copy, w, h);
    if (!scaled || scaled->width != w || scaled->height != h) std::abort();
    const auto flat = convertIcoToBmp(*scaled, Rgb{212, 208, 200});
    if (!flat) std::abort();
    for (Pixel p : flat->pixels)
        if (alphaOf(p) != 255) std::abort();
    const auto back = decodeBmp(encodeBmp(*flat));
    if (!back || !(*back == *flat)) std::abort();
}

} // namespace zarnet::imaging::fuzz
