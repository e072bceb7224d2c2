// PNG through libpng. libpng reports errors by longjmp; all C++ state lives
// in the caller's frame and is reached through a pointer, so nothing with a
// destructor is skipped and no value is lost across the jump.
#include "imaging/decode.h"
#include "imaging/png_handlers.h"

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstring>
#include <new>
#include <png.h>

namespace zarnet::imaging {
namespace {

static_assert(std::endian::native == std::endian::little, "pixels are written as B, G, R, A bytes");

// zlib never expands more than this much per compressed byte, so a picture
// whose pixels need more than that from the whole file cannot be real.
constexpr uint64_t kMaxInflateRatio = 1032;

struct PngJob {
    std::span<const uint8_t> data;
    size_t pos = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    const PixelTarget* target = nullptr;
    bool opaque = false;
    std::vector<png_bytep> rows;
};

void readBytes(png_structp png, png_bytep dst, size_t n) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (job->data.size() - job->pos < n) png_error(png, "data ends early");
    std::memcpy(dst, job->data.data() + job->pos, n);
    job->pos += n;
}

// The only function that sets the jump target. Everything allocated here
// belongs to `job`, which outlives the jump.
bool run(PngJob* job) {
    png_structp png = job->png;
    png_infop info = job->info;
    if (setjmp(png_jmpbuf(png))) return false;

    png_set_user_limits(png, kMaxSide, kMaxSide);
    // Only the chunks that make up the pixels are read. libpng merely warns
    // about an oversized ancillary chunk and then allocates its whole length,
    // so none of them is parsed at all.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // Lets the fuzzer past the checksums into the chunks themselves.
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#ifdef PNG_IGNORE_ADLER32
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
#endif
    png_read_info(png, info);

    const png_uint_32 w = png_get_image_width(png, info);
    const png_uint_32 h = png_get_image_height(png, info);
    const int depth = png_get_bit_depth(png, info);
    const int colour = png_get_color_type(png, info);
    if (!sizeAllowed(w, h)) return false;
    const uint64_t channels = png_get_channels(png, info);
    const uint64_t packedBytes = (uint64_t(w) * channels * uint64_t(depth) + 7) / 8 * h;
    if (packedBytes > (uint64_t(job->data.size()) + 64) * kMaxInflateRatio) return false;

    png_set_expand(png);
    // Rounded to the nearest 8-bit level, as other viewers show 16-bit
    // files; dropping the low byte would make many colours one level darker.
    png_set_scale_16(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(w) * 4) return false;

    job->opaque = (colour & PNG_COLOR_MASK_ALPHA) == 0 && !png_get_valid(png, info, PNG_INFO_tRNS);

    // Every pixel of every row is written (the filler included), interlaced
    // or not, so the target need not be cleared first.
    Pixel* out = (*job->target)(int32_t(w), int32_t(h));
    if (!out) return false;
    job->rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y)
        job->rows[y] = reinterpret_cast<png_bytep>(out + size_t(y) * w);
    png_read_image(png, job->rows.data());
    png_read_end(png, nullptr);
    return true;
}

DecodedInto decodePngInto(std::span<const uint8_t> data, const PixelTarget& target) {
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) return {};
    PngJob job;
    job.data = data;
    job.target = &target;
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngJumpOnError,
                                     pngIgnoreWarning);
    if (!job.png) return {};
    job.info = png_create_info_struct(job.png);
    bool ok = false;
    if (job.info) {
        png_set_read_fn(job.png, &job, readBytes);
        try {
            ok = run(&job);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    png_destroy_read_struct(&job.png, job.info ? &job.info : nullptr, nullptr);
    return {ok, ok && job.opaque};
}

} // namespace

std::optional<Image> decodePng(std::span<const uint8_t> data) {
    Image out;
    const PixelTarget intoImage = [&out](int32_t w, int32_t h) -> Pixel* {
        auto img = makeImage(w, h);
        if (!img) return nullptr;
        out = std::move(*img);
        return out.pixels.data();
    };
    if (!decodePngInto(data, intoImage).ok) return std::nullopt;
    return out;
}

// PNG, the format of large pictures, is decoded in place; the others are
// small enough in practice that a copy costs nothing worth a second path.
DecodedInto decodeImageInto(std::span<const uint8_t> data, const PixelTarget& target) {
    if (detectFormat(data) == Format::Png) return decodePngInto(data, target);
    const auto img = decodeImage(data);
    if (!img) return {};
    Pixel* out = target(img->width, img->height);
    if (!out) return {};
    std::copy(img->pixels.begin(), img->pixels.end(), out);
    const bool opaque = std::all_of(img->pixels.begin(), img->pixels.end(),
                                    [](Pixel p) { return alphaOf(p) == 255; });
    return {true, opaque};
}

} // namespace zarnet::imaging
