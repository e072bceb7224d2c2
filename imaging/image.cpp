#include "imaging/image.h"

#include <new>

namespace zarnet::imaging {

bool sizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxPixels;
}

std::optional<Image> makeImage(int32_t width, int32_t height, Pixel fill) {
    if (!sizeAllowed(width, height)) return std::nullopt;
    Image img;
    try {
        img.pixels.assign(size_t(width) * size_t(height), fill);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    img.width = width;
    img.height = height;
    return img;
}

} // namespace zarnet::imaging
