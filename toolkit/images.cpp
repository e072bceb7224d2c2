// Numbered pictures as DIB sections. Pixel work (boxes, drawing one picture
// on another, scaling) is done by imaging/ on a copy of the pixels, so it is
// exact and keeps alpha; GDI only draws text and shows the result.
#include "toolkit/images.h"

#include "imaging/decode.h"
#include "imaging/pixel_ops.h"
#include "toolkit/gadgets.h"
#include "toolkit/state.h"

#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

namespace tk {

namespace img = zarnet::imaging;

namespace {

struct ImageRec {
    HBITMAP bitmap = nullptr;
    uint32_t* bits = nullptr; // top-down rows, width pixels each
    int width = 0, height = 0;
};

std::unordered_map<int, ImageRec>& images() {
    static std::unordered_map<int, ImageRec> m;
    return m;
}

ImageRec* find(int image) {
    auto it = images().find(image);
    return it == images().end() ? nullptr : &it->second;
}

// A DIB section holding the pixels; nothing when GDI refuses (no memory,
// or out of GDI handles).
std::optional<ImageRec> makeDib(const img::Image& pixels) {
    if (!img::sizeAllowed(pixels.width, pixels.height) ||
        pixels.pixels.size() != size_t(pixels.width) * size_t(pixels.height))
        return std::nullopt;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = pixels.width;
    bi.bmiHeader.biHeight = -pixels.height; // top-down, as imaging keeps rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bm = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bm || !bits) {
        if (bm) DeleteObject(bm);
        return std::nullopt;
    }
    std::memcpy(bits, pixels.pixels.data(), pixels.pixels.size() * sizeof(img::Pixel));
    return ImageRec{bm, static_cast<uint32_t*>(bits), pixels.width, pixels.height};
}

img::Image pixelsOf(const ImageRec& r) {
    GdiFlush();
    img::Image out;
    out.width = r.width;
    out.height = r.height;
    out.pixels.assign(r.bits, r.bits + size_t(r.width) * size_t(r.height));
    return out;
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
    images()[number] = rec;
    return requested == PB_Any ? number : 1;
}

int storePixels(int requested, const img::Image& pixels) {
    auto rec = makeDib(pixels);
    return rec ? store(requested, *rec) : 0;
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

} // namespace

int CatchImage(int image, std::span<const uint8_t> data) {
    auto decoded = img::decodeImage(data);
    return decoded ? storePixels(image, *decoded) : 0;
}

int CreateImage(int image, int width, int height, uint32_t colour) {
    auto pixels = img::makeImage(width, height, opaque(colour));
    return pixels ? storePixels(image, *pixels) : 0;
}

int CreateImageFromPixels(int image, const img::Image& pixels) {
    return storePixels(image, pixels);
}

int CopyImage(int image, int copy) {
    const ImageRec* r = find(image);
    return r ? storePixels(copy, pixelsOf(*r)) : 0;
}

bool ResizeImage(int image, int width, int height) {
    ImageRec* r = find(image);
    if (!r) return false;
    auto scaled = img::scaleImage(pixelsOf(*r), width, height);
    if (!scaled) return false;
    auto rec = makeDib(*scaled);
    if (!rec) return false;
    release(*r);
    *r = *rec;
    return true;
}

void FreeImage(int image) {
    auto it = images().find(image);
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
    if (!r) return std::nullopt;
    return pixelsOf(*r);
}

bool SetImagePixels(int image, const img::Image& pixels) {
    ImageRec* r = find(image);
    if (!r || pixels.width != r->width || pixels.height != r->height ||
        pixels.pixels.size() != size_t(r->width) * size_t(r->height))
        return false;
    GdiFlush();
    std::memcpy(r->bits, pixels.pixels.data(), pixels.pixels.size() * sizeof(img::Pixel));
    return true;
}

void FlattenImage(int image, uint32_t background) {
    auto pixels = ImagePixels(image);
    if (!pixels) return;
    bool opaqueAlready = true;
    for (img::Pixel p : pixels->pixels)
        opaqueAlready = opaqueAlready && img::alphaOf(p) == 255;
    if (!opaqueAlready)
        SetImagePixels(image, img::convertIcoToBmp(*pixels, img::Rgb::fromColorRef(background)));
}

bool StartDrawing(int image) {
    auto pixels = ImagePixels(image);
    if (!pixels || drawing()) return false;
    drawing() = std::make_unique<Drawing>(Drawing{image, std::move(*pixels), nullptr});
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
    if (image == d->image) {
        const img::Image self = d->pixels;
        img::drawImage(d->pixels, self, x, y);
    } else if (auto src = ImagePixels(image)) {
        img::drawImage(d->pixels, *src, x, y);
    }
}

void DrawImage(int image, int x, int y, int width, int height) {
    Drawing* d = drawing().get();
    if (!d) return;
    std::optional<img::Image> src = image == d->image ? d->pixels : ImagePixels(image);
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
    const img::Image before = d->pixels;
    img::Image scratch = before;
    for (img::Pixel& p : scratch.pixels)
        p |= 0xFF000000u;
    auto dib = makeDib(scratch);
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
    const std::string s(text);
    TextOutA(dc, x, y, s.data(), static_cast<int>(s.size()));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    const img::Image drawn = pixelsOf(*dib);
    release(*dib);
    for (size_t i = 0; i < drawn.pixels.size(); ++i)
        if (drawn.pixels[i] != scratch.pixels[i])
            d->pixels.pixels[i] = drawn.pixels[i] | 0xFF000000u;
}

void SetGadgetImage(int gadget, HBITMAP image) {
    const HWND hwnd = GadgetID(gadget);
    if (!hwnd) return;
    switch (GadgetType(gadget)) {
    case KindImage: {
        SetGadgetState(gadget, reinterpret_cast<intptr_t>(image));
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
