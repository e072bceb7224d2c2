// PNG writing through libpng. libpng reports errors by longjmp; the rows and
// the output live in the caller's frame, reached through a pointer, so no
// destructor is skipped by the jump.
#include "imaging/encode_png.h"
#include "imaging/png_handlers.h"

#include <csetjmp>
#include <png.h>

namespace zarnet::imaging {
namespace {

struct PngOut {
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> row;
    const Image* img = nullptr;
    bool alpha = false;
};

void writeBytes(png_structp png, png_bytep data, size_t n) {
    auto* out = static_cast<PngOut*>(png_get_io_ptr(png));
    bool room = true;
    try {
        out->bytes.insert(out->bytes.end(), data, data + n);
    } catch (...) {
        room = false;
    }
    if (!room) png_error(png, "no room for the file");
}
void flushNothing(png_structp) {}

// The only function that sets the jump target.
bool run(png_structp png, png_infop info, PngOut* out) {
    if (setjmp(png_jmpbuf(png))) return false;
    const Image& img = *out->img;
    png_set_write_fn(png, out, writeBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(img.width),
                 static_cast<png_uint_32>(img.height), 8,
                 out->alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < img.height; ++y) {
        uint8_t* p = out->row.data();
        for (int32_t x = 0; x < img.width; ++x) {
            const Pixel px = img.at(x, y);
            *p++ = static_cast<uint8_t>(px >> 16);
            *p++ = static_cast<uint8_t>(px >> 8);
            *p++ = static_cast<uint8_t>(px);
            if (out->alpha) *p++ = alphaOf(px);
        }
        png_write_row(png, out->row.data());
    }
    png_write_end(png, info);
    return true;
}

} // namespace

std::optional<std::vector<uint8_t>> encodePng(const Image& img, bool withAlpha) {
    if (img.empty() || !sizeAllowed(img.width, img.height)) return std::nullopt;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngJumpOnError,
                                               pngIgnoreWarning);
    if (!png) return std::nullopt;
    png_infop info = png_create_info_struct(png);
    PngOut out;
    out.img = &img;
    out.alpha = withAlpha;
    bool ok = false;
    try {
        out.row.resize(static_cast<size_t>(img.width) * (withAlpha ? 4 : 3));
        ok = info != nullptr;
    } catch (...) {
        ok = false;
    }
    ok = ok && run(png, info, &out);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!ok) return std::nullopt;
    return std::move(out.bytes);
}

} // namespace zarnet::imaging
