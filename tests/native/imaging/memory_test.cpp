// Pixel work when memory runs out. In a 32-bit process a few large pictures
// use up the address space; every operation that needs a pixel buffer then
// reports that as a value (nothing, false, empty) and leaves its inputs as
// they were. This program replaces the allocator so that, while a limit is
// set, any single allocation of at least that size fails.
#include "imaging/decode.h"
#include "imaging/pixel_ops.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>

namespace {
size_t gLimit = 0; // 0: no limit
}

void* operator new(std::size_t n) {
    if (gLimit != 0 && n >= gLimit) throw std::bad_alloc();
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
    return operator new(n);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace zarnet::imaging {
namespace {

// Lifted again however the test ends.
struct Limit {
    explicit Limit(size_t bytes) { gLimit = bytes; }
    ~Limit() { gLimit = 0; }
};

Image pattern() {
    Image img = *makeImage(64, 64);
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < 64; ++x)
            img.at(x, y) = makePixel(uint8_t(x * 4), uint8_t(y * 4), 7, x < 8 ? 0 : 255);
    return img;
}

TEST(OutOfMemory, EveryPixelBufferFailsAsAValue) {
    const Image img = pattern(); // 16 KB of pixels
    const std::vector<uint8_t> bmp = encodeBmp(img);
    Image other = img;
    const struct {
        const char* what;
        std::function<bool(Image&)> failed; // works on a copy of the picture
    } cases[] = {
        {"new picture", [](Image&) { return !makeImage(64, 64); }},
        {"copy", [](Image& p) { return !copyImage(p); }},
        {"from pixels", [](Image& p) { return !imageFromPixels(p.pixels.data(), 64, 64); }},
        {"transparency",
         [](Image& p) {
             return !makeTransparent(p, Rgb{1, 2, 3});
         }},
        {"transparent drawing on another",
         [&](Image& p) {
             return !drawTransparent(p, other, 0, 0, 64, 64, std::nullopt, Rgb{1, 2, 3});
         }},
        {"icon to bitmap",
         [](Image& p) {
             return !convertIcoToBmp(p, Rgb{1, 2, 3});
         }},
        {"scaled to the same size", [](Image& p) { return !scaleImage(p, 64, 64); }},
        {"enlarged", [](Image& p) { return !scaleImage(p, 128, 100); }},
        {"shrunk", [](Image& p) { return !scaleImage(p, 10, 10); }},
        {"BMP file", [](Image& p) { return encodeBmp(p).empty(); }},
        {"BMP decoded", [&](Image&) { return !decodeBmp(bmp); }},
    };
    for (const auto& c : cases) {
        Image work = img;
        bool failed = false;
        {
            const Limit limit(4096);
            failed = c.failed(work);
        }
        EXPECT_TRUE(failed) << c.what;
        EXPECT_EQ(work, img) << c.what << " changed its picture";
        // Without the limit the same call works: the failure was the memory.
        EXPECT_FALSE(c.failed(work)) << c.what;
    }
}

} // namespace
} // namespace zarnet::imaging
