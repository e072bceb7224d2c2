// JPEG through libjpeg. The library's fatal errors would end the process;
// ours jump back instead. All C++ state lives in the caller's frame and is
// reached through a pointer, so nothing with a destructor is skipped.
#include "imaging/decode.h"

#include <bit>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

namespace zarnet::imaging {
namespace {

static_assert(std::endian::native == std::endian::little, "pixels are written as B, G, R, A bytes");

// Progressive files legitimately have a dozen scans; thousands only burn time.
constexpr int kMaxScans = 256;
constexpr long kMaxWorkMemory = 256L << 20;

// libjpeg hands its callbacks only the error manager; ours carries the
// jump target with it.
struct ErrorManager {
    jpeg_error_mgr pub{};
    std::jmp_buf jump;
};

struct JpegJob {
    jpeg_decompress_struct cinfo{};
    ErrorManager err;
    jpeg_progress_mgr progress{};
    Image out;
    std::vector<uint8_t> row;
};

[[noreturn]] void bail(j_common_ptr c) {
    std::longjmp(reinterpret_cast<ErrorManager*>(c->err)->jump, 1);
}

[[noreturn]] void onError(j_common_ptr c) {
    bail(c);
}

// Scan data that runs out, at the end of the file or at a marker, is padded
// by libjpeg with zeros and decodes to grey: that is a damaged file, not a
// picture, and it would let a few bytes claim a huge picture. Other
// warnings (stray bytes between markers, common in camera files) pass.
void onMessage(j_common_ptr c, int level) {
    if (level >= 0) return;
    const int code = c->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) bail(c);
    ++c->err->num_warnings;
}
void onOutput(j_common_ptr) {}

void onProgress(j_common_ptr c) {
    auto* d = reinterpret_cast<j_decompress_ptr>(c);
    if (d->input_scan_number > kMaxScans) bail(c);
}

void cmykRow(const uint8_t* src, Pixel* dst, int32_t width, bool inverted) {
    for (int32_t x = 0; x < width; ++x, src += 4) {
        unsigned c = src[0], m = src[1], y = src[2], k = src[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        dst[x] = makePixel(uint8_t((c * k + 127) / 255), uint8_t((m * k + 127) / 255),
                           uint8_t((y * k + 127) / 255));
    }
}

bool run(JpegJob* job, std::span<const uint8_t> data) {
    j_decompress_ptr cinfo = &job->cinfo;
    if (setjmp(job->err.jump)) return false;

    jpeg_create_decompress(cinfo);
    cinfo->mem->max_memory_to_use = kMaxWorkMemory;
    cinfo->progress = &job->progress;
    jpeg_mem_src(cinfo, data.data(), static_cast<unsigned long>(data.size()));
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
    if (!sizeAllowed(cinfo->image_width, cinfo->image_height)) return false;

    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(cinfo);
    const int32_t w = int32_t(cinfo->output_width), h = int32_t(cinfo->output_height);
    if (!sizeAllowed(w, h) || cinfo->output_components != 4) return false;

    // Rows are added as they decode, so memory follows the data actually
    // present rather than the size the header claims.
    job->out.width = w;
    job->row.resize(size_t(w) * 4);
    for (int32_t y = 0; y < h; ++y) {
        job->out.pixels.resize(size_t(y + 1) * size_t(w));
        Pixel* dst = &job->out.pixels[size_t(y) * size_t(w)];
        JSAMPROW target = cmyk ? job->row.data() : reinterpret_cast<JSAMPROW>(dst);
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1) return false;
        if (cmyk) cmykRow(job->row.data(), dst, w, cinfo->saw_Adobe_marker);
    }
    job->out.height = h;
    jpeg_finish_decompress(cinfo);
    return true;
}

} // namespace

std::optional<Image> decodeJpeg(std::span<const uint8_t> data) {
    if (data.size() < 2 || data[0] != 0xFF || data[1] != 0xD8 || data.size() > ULONG_MAX)
        return std::nullopt;
    JpegJob job;
    job.cinfo.err = jpeg_std_error(&job.err.pub);
    job.err.pub.error_exit = onError;
    job.err.pub.emit_message = onMessage;
    job.err.pub.output_message = onOutput;
    job.progress.progress_monitor = onProgress;
    bool ok = false;
    try {
        ok = run(&job, data);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    jpeg_destroy_decompress(&job.cinfo);
    if (!ok) return std::nullopt;
    return std::move(job.out);
}

} // namespace zarnet::imaging
