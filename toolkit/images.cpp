// Numbered pictures as DIB sections. Pixel work (boxes, drawing one picture
// on another, scaling) is done by imaging/ on a copy of the pixels, so it is
// exact and keeps alpha; GDI only draws text and shows the result.
//
// Pictures can be large enough that a 32-bit process runs out of address
// space for their copies. Every copy is a value that may be missing, and the
// operation that needed it then fails the way a picture that does not decode
// fails; no allocation failure leaves this file as an exception.
#include "toolkit/images.h"

#include "imaging/decode.h"
#include "imaging/pixel_ops.h"
#include "toolkit/gadgets.h"
#include "toolkit/state.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>

namespace tk {

namespace img = zarnet::imaging;

namespace {

struct ImageRec {
    HBITMAP bitmap = nullptr;
    uint32_t* bits = nullptr; // top-down rows, width pixels each
    int width = 0, height = 0;
    // Every alpha is 255, known without looking (from the decoder, a fill,
    // a flattening); false only means "not known to be".
    bool opaque = false;
};

std::unordered_map<int, ImageRec>& images() {
    static std::unordered_map<int, ImageRec> m;
    return m;
}

ImageRec* find(int image) {
    auto it = images().find(image);
    return it == images().end() ? nullptr : &it->second;
}

// A DIB section of width x height pixels, all 0; nothing when GDI refuses
// (no memory, or out of GDI handles).
std::optional<ImageRec> blankDib(int width, int height) {
    if (!img::sizeAllowed(width, height)) return std::nullopt;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down, as imaging keeps rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bm = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bm || !bits) {
        if (bm) DeleteObject(bm);
        return std::nullopt;
    }
    return ImageRec{bm, static_cast<uint32_t*>(bits), width, height};
}

// A DIB section holding a copy of width x height pixels.
std::optional<ImageRec> makeDib(const img::Pixel* pixels, int width, int height) {
    auto rec = blankDib(width, height);
    if (!rec) return std::nullopt;
    GdiFlush();
    std::memcpy(rec->bits, pixels, size_t(width) * size_t(height) * sizeof(img::Pixel));
    return rec;
}

std::optional<ImageRec> makeDib(const img::Image& pixels) {
    if (pixels.pixels.size() != size_t(pixels.width) * size_t(pixels.height)) return std::nullopt;
    return makeDib(pixels.pixels.data(), pixels.width, pixels.height);
}

std::optional<img::Image> pixelsOf(const ImageRec& r) {
    GdiFlush();
    return img::imageFromPixels(r.bits, r.width, r.height);
}

void release(ImageRec& r) {
    if (r.bitmap) DeleteObject(r.bitmap);
    r = {};
}

// Stores a new image under a number (freeing one it replaces).
int store(int requested, ImageRec rec) {
    if (requested != PB_Any) FreeImage(requested);
    const int number = detail::takeNumber(requested);
    if (number < 0) {
        release(rec);
        return 0;
    }
    try {
        images()[number] = rec;
    } catch (const std::bad_alloc&) {
        release(rec);
        return 0;
    }
    return requested == PB_Any ? number : 1;
}

int storePixels(int requested, const img::Image& pixels, bool opaque = false) {
    auto rec = makeDib(pixels);
    if (!rec) return 0;
    rec->opaque = opaque;
    return store(requested, *rec);
}

// The open drawing: the pixels being drawn on, written back when it ends.
struct Drawing {
    int image = 0;
    img::Image pixels;
    HFONT font = nullptr;
};
std::unique_ptr<Drawing>& drawing() {
    static std::unique_ptr<Drawing> d;
    return d;
}

img::Pixel opaque(uint32_t colour) {
    return img::Rgb::fromColorRef(colour).pixel();
}

bool isImageBitmap(HBITMAP bitmap) {
    for (const auto& [number, rec] : images())
        if (rec.bitmap == bitmap) return true;
    return false;
}

// The bitmap the caller last put on a static control through
// SetGadgetImage, kept with the control.
constexpr const char* kShownProp = "tk.image.shown";

// With the XP look (common controls 6) a static control keeps its own copy
// of a 32-bit bitmap that has alpha, which all of ours have, and hands that
// copy back on the next STM_SETIMAGE; the caller then owns it. Without the
// XP look it hands back the caller's previous bitmap, which stays the
// caller's. Only a handle that is neither the bitmap just set nor the one
// set before, and no numbered image's either, is such a copy.
void showOnStatic(HWND hwnd, HBITMAP image) {
    const auto before = static_cast<HBITMAP>(GetPropA(hwnd, kShownProp));
    const auto back = reinterpret_cast<HBITMAP>(
        SendMessageA(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image)));
    if (image)
        SetPropA(hwnd, kShownProp, image);
    else
        RemovePropA(hwnd, kShownProp);
    // A picture put on the control some other way leaves `before` unknown:
    // what comes back then may be the caller's, and is left alone.
    if (!before || !back || back == image || back == before || isImageBitmap(back)) return;
    BITMAP bm;
    if (GetObjectA(back, sizeof bm, &bm) == sizeof bm && bm.bmBitsPixel == 32) DeleteObject(back);
}

} // namespace

int CatchImage(int image, std::span<const uint8_t> data) {
    // Decoded straight into the section: a large picture is not held twice.
    std::optional<ImageRec> rec;
    const img::PixelTarget intoSection = [&rec](int32_t width, int32_t height) {
        rec = blankDib(width, height);
        return rec ? static_cast<img::Pixel*>(rec->bits) : nullptr;
    };
    const img::DecodedInto decoded = img::decodeImageInto(data, intoSection);
    if (!decoded.ok) {
        if (rec) release(*rec);
        return 0;
    }
    rec->opaque = decoded.opaque;
    return store(image, *rec);
}

int CreateImage(int image, int width, int height, uint32_t colour) {
    auto pixels = img::makeImage(width, height, opaque(colour));
    return pixels ? storePixels(image, *pixels, true) : 0;
}

int CreateImageFromPixels(int image, const img::Image& pixels) {
    return storePixels(image, pixels);
}

int CopyImage(int image, int copy) {
    const ImageRec* r = find(image);
    if (!r) return 0;
    // Straight from section to section: no third copy of a large picture.
    auto rec = makeDib(r->bits, r->width, r->height);
    if (!rec) return 0;
    rec->opaque = r->opaque;
    return store(copy, *rec);
}

namespace {

// The image's pixels scaled, in a new section. Scaling keeps an opaque
// picture opaque: the weights of every output pixel sum to one exactly.
std::optional<ImageRec> scaledDib(const ImageRec& r, int width, int height) {
    if (!img::sizeAllowed(width, height)) return std::nullopt;
    GdiFlush();
    auto scaled = img::scalePixels(r.bits, r.width, r.height, width, height, r.opaque);
    if (!scaled) return std::nullopt;
    auto rec = makeDib(*scaled);
    if (rec) rec->opaque = r.opaque;
    return rec;
}

} // namespace

int CopyImage(int image, int copy, int width, int height) {
    const ImageRec* r = find(image);
    if (!r) return 0;
    auto rec = scaledDib(*r, width, height);
    return rec ? store(copy, *rec) : 0;
}

bool ResizeImage(int image, int width, int height) {
    ImageRec* r = find(image);
    if (!r) return false;
    auto rec = scaledDib(*r, width, height);
    if (!rec) return false;
    release(*r);
    *r = *rec;
    return true;
}

void FreeImage(int image) {
    auto it = images().find(image);
    if (it == images().end()) return;
    // No gadget may go on showing a deleted bitmap: its users lose the
    // picture first.
    const HBITMAP dying = it->second.bitmap;
    std::vector<int> users;
    for (const auto& [number, g] : detail::state().gadgets) {
        const bool shows =
            g->kind == KindImage
                ? GetPropA(g->hwnd, kShownProp) == dying
                : (g->kind == KindButtonImage || g->kind == KindButton) &&
                      reinterpret_cast<HBITMAP>(
                          SendMessageA(g->hwnd, BM_GETIMAGE, IMAGE_BITMAP, 0)) == dying;
        if (shows) users.push_back(number);
    }
    for (const int user : users)
        SetGadgetImage(user, nullptr);
    it = images().find(image);
    if (it == images().end()) return;
    if (drawing() && drawing()->image == image) drawing().reset();
    release(it->second);
    images().erase(it);
}

bool IsImage(int image) {
    return find(image) != nullptr;
}

HBITMAP ImageID(int image) {
    const ImageRec* r = find(image);
    return r ? r->bitmap : nullptr;
}

int ImageWidth(int image) {
    const ImageRec* r = find(image);
    return r ? r->width : 0;
}

int ImageHeight(int image) {
    const ImageRec* r = find(image);
    return r ? r->height : 0;
}

std::optional<img::Image> ImagePixels(int image) {
    const ImageRec* r = find(image);
    return r ? pixelsOf(*r) : std::nullopt;
}

bool SetImagePixels(int image, const img::Image& pixels) {
    ImageRec* r = find(image);
    if (!r || pixels.width != r->width || pixels.height != r->height ||
        pixels.pixels.size() != size_t(r->width) * size_t(r->height))
        return false;
    GdiFlush();
    std::memcpy(r->bits, pixels.pixels.data(), pixels.pixels.size() * sizeof(img::Pixel));
    r->opaque = false;
    return true;
}

void FlattenImage(int image, uint32_t background) {
    ImageRec* r = find(image);
    if (!r || r->opaque) return;
    // In place: flattening needs no copy, so it cannot run out of memory.
    GdiFlush();
    img::flattenPixels({r->bits, size_t(r->width) * size_t(r->height)},
                       img::Rgb::fromColorRef(background));
    r->opaque = true;
}

bool ImageOpaque(int image) {
    const ImageRec* r = find(image);
    return r && r->opaque;
}

bool StartDrawing(int image) {
    if (drawing()) return false;
    auto pixels = ImagePixels(image);
    if (!pixels) return false;
    try {
        drawing() = std::make_unique<Drawing>(Drawing{image, std::move(*pixels), nullptr});
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void StopDrawing() {
    if (!drawing()) return;
    SetImagePixels(drawing()->image, drawing()->pixels);
    drawing().reset();
}

void Box(int x, int y, int width, int height, uint32_t colour) {
    if (drawing()) img::fillRect(drawing()->pixels, x, y, width, height, opaque(colour));
}

void DrawImage(int image, int x, int y) {
    Drawing* d = drawing().get();
    if (!d) return;
    // Drawing a picture on itself reads a copy, taken before it changes.
    auto src = image == d->image ? img::copyImage(d->pixels) : ImagePixels(image);
    if (src) img::drawImage(d->pixels, *src, x, y);
}

void DrawImage(int image, int x, int y, int width, int height) {
    Drawing* d = drawing().get();
    if (!d) return;
    auto src = image == d->image ? img::copyImage(d->pixels) : ImagePixels(image);
    if (!src) return;
    if (auto scaled = img::scaleImage(*src, width, height))
        img::drawImage(d->pixels, *scaled, x, y);
}

void DrawingFont(HFONT font) {
    if (drawing()) drawing()->font = font;
}

void DrawImageText(int x, int y, std::string_view text, uint32_t front, int32_t background) {
    Drawing* d = drawing().get();
    if (!d || text.empty()) return;
    // GDI draws into a scratch copy and clears the alpha byte of what it
    // touches; every pixel that changed is taken over as opaque, the rest
    // keeps its colour and alpha.
    auto scratch = img::copyImage(d->pixels);
    if (!scratch) return;
    for (img::Pixel& p : scratch->pixels)
        p |= 0xFF000000u;
    auto dib = makeDib(*scratch);
    if (!dib) return;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, dib->bitmap);
    HGDIOBJ oldFont = SelectObject(dc, d->font ? d->font : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, front & 0xFFFFFF);
    if (background < 0) {
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, static_cast<uint32_t>(background) & 0xFFFFFF);
    }
    TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    GdiFlush();
    const img::Pixel* drawn = dib->bits;
    for (size_t i = 0; i < scratch->pixels.size(); ++i)
        if (drawn[i] != scratch->pixels[i]) d->pixels.pixels[i] = drawn[i] | 0xFF000000u;
    release(*dib);
}

void SetGadgetImage(int gadget, HBITMAP image) {
    const HWND hwnd = GadgetID(gadget);
    if (!hwnd) return;
    switch (GadgetType(gadget)) {
    case KindImage: {
        showOnStatic(hwnd, image);
        BITMAP bm;
        if (!image || !GetObjectA(image, sizeof bm, &bm)) return;
        // The static control sizes its window to the bitmap; a bordered one
        // would then show less than the picture, so the inner area is made
        // the picture's size instead.
        RECT outer, inner;
        GetWindowRect(hwnd, &outer);
        GetClientRect(hwnd, &inner);
        const int edgeX = (outer.right - outer.left) - inner.right;
        const int edgeY = (outer.bottom - outer.top) - inner.bottom;
        ResizeGadget(gadget, -1, -1, bm.bmWidth + edgeX, bm.bmHeight + edgeY);
        return;
    }
    case KindButtonImage:
        SetGadgetState(gadget, reinterpret_cast<intptr_t>(image));
        return;
    case KindButton:
        SendMessageA(hwnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
        return;
    default:
        return;
    }
}

} // namespace tk
