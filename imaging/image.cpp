#include "imaging/image.h"

#include <new>
#include <stdexcept>

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
    } catch (const std::length_error&) {
        return std::nullopt;
    }
    img.width = width;
    img.height = height;
    return img;
}

std::optional<Image> imageFromPixels(const Pixel* pixels, int32_t width, int32_t height) {
    if (!sizeAllowed(width, height) || !pixels) return std::nullopt;
    Image img;
    try {
        img.pixels.assign(pixels, pixels + size_t(width) * size_t(height));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
    img.width = width;
    img.height = height;
    return img;
}

std::optional<Image> copyImage(const Image& img) {
    if (img.pixels.size() != size_t(img.width) * size_t(img.height)) return std::nullopt;
    return imageFromPixels(img.pixels.data(), img.width, img.height);
}

} // namespace zarnet::imaging
