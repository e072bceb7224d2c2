#include "viewer/screenshot.h"

#include "document/compare/diff.h"
#include "document/design_file.h"
#include "document/design_format.h"
#include "document/path_text.h"
#include "imaging/encode_png.h"
#include "runtime/runtime.h"
#include "text/format.h"
#include "toolkit/toolkit.h"
#include "viewer/viewer_logic.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <vector>

namespace zarnet::viewer {
namespace {

constexpr int kExitChanged = 1;
constexpr int kExitUnreadable = 2;
constexpr int kFrame = 2;       // the red frame's width
constexpr int kLineHeight = 16; // a line of the removed list
constexpr int kListMargin = 6;

std::optional<std::vector<uint8_t>> readDesignFile(const std::string& path) {
    auto bytes = readFileBytes(pathFromText(path));
    if (!bytes) {
        zarnet::text::print(stderr, "%s: cannot be opened or read\n", path.c_str());
        return std::nullopt;
    }
    const LoadResult r = readDesign(*bytes, Strictness::Lenient);
    if (!r.design) {
        zarnet::text::print(stderr, "%s: offset %zu: %s\n", path.c_str(), r.error.offset,
                            r.error.what.c_str());
        return std::nullopt;
    }
    return bytes;
}

// Where a window lies in the client area of `root`.
POINT offsetIn(HWND root, HWND hwnd, bool client) {
    POINT p{0, 0};
    if (client) {
        ClientToScreen(hwnd, &p);
    } else {
        RECT r;
        GetWindowRect(hwnd, &r);
        p = {r.left, r.top};
    }
    ScreenToClient(root, &p);
    return p;
}

void frame(HDC dc, HWND root, HWND gadget) {
    RECT r;
    GetWindowRect(gadget, &r);
    const POINT at = offsetIn(root, gadget, false);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT sides[] = {{at.x - kFrame, at.y - kFrame, at.x + w + kFrame, at.y},
                          {at.x - kFrame, at.y + h, at.x + w + kFrame, at.y + h + kFrame},
                          {at.x - kFrame, at.y, at.x, at.y + h},
                          {at.x + w, at.y, at.x + w + kFrame, at.y + h}};
    for (const RECT& s : sides)
        FillRect(dc, &s, red);
    DeleteObject(red);
}

} // namespace

int takeScreenshot(const std::string& out, const std::string& design, const std::string& older) {
    const auto bytes = readDesignFile(design);
    if (!bytes) return kExitUnreadable;
    compare::PictureMarks marks;
    bool changed = false;
    if (!older.empty()) {
        const auto old = readDesignFile(older);
        if (!old) return kExitUnreadable;
        const auto diff =
            compare::diffDesigns(*readDesign(*old).design, *readDesign(*bytes).design);
        changed = !diff.equal();
        marks = compare::pictureMarks(diff);
    }

    const int maxItem = headerMaxItem(*bytes);
    std::vector<int32_t> items(static_cast<size_t>(maxItem + 1), 0);
    const int width = headerClientWidth(*bytes), height = headerClientHeight(*bytes);
    const uint32_t flags = tk::PB_Window_SystemMenu | tk::PB_Window_Invisible;
    if (width <= 0 || height <= 0 || !tk::OpenWindow(0, 0, 0, width, height, kWindowTitle, flags)) {
        zarnet::text::print(stderr, "%s: the window of %d x %d cannot be opened\n", design.c_str(),
                            width, height);
        return kExitUnreadable;
    }
    Zarnet(0, *bytes, items, 0, 0, 0);
    ZarnetCallback(nullptr);
    // The window is shown fully transparent and outside the taskbar, so the
    // user sees nothing of it, and its client area is copied as its own
    // controls drew it. (A WM_PRINT of the client leaves buttons, progress
    // bars and pictures blank under Wine.)
    HWND root = tk::WindowID(0);
    SetWindowLongPtrA(root, GWL_EXSTYLE,
                      GetWindowLongPtrA(root, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_LAYERED);
    SetLayeredWindowAttributes(root, 0, 0, LWA_ALPHA);
    SetWindowPos(root, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RedrawWindow(root, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    tk::DrainEvents();
    RECT client;
    GetClientRect(root, &client);
    const int listHeight =
        marks.removed.empty()
            ? 0
            : kListMargin * 2 + kLineHeight * static_cast<int>(marks.removed.size());
    const int pictureHeight = client.bottom + listHeight;

    auto picture = imaging::makeImage(client.right, pictureHeight, 0xFFFFFFFF);
    if (!picture) {
        zarnet::text::print(stderr, "%s: no room for a picture of %ld x %d\n", out.c_str(),
                            client.right, pictureHeight);
        return kExitUnreadable;
    }
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = client.right;
    bi.bmiHeader.biHeight = -pictureHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !dib || !bits) {
        zarnet::text::print(stderr, "%s: no room for a picture of %ld x %d\n", out.c_str(),
                            client.right, pictureHeight);
        if (dib) DeleteObject(dib);
        if (dc) DeleteDC(dc);
        return kExitUnreadable;
    }
    HGDIOBJ before = SelectObject(dc, dib);
    const RECT all{0, 0, client.right, pictureHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    if (HDC screen = GetDC(root)) {
        BitBlt(dc, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(root, screen);
    }
    RestoreDC(dc, saved);
    for (int n : marks.outlined)
        if (n >= 0 && static_cast<size_t>(n) < items.size() && items[static_cast<size_t>(n)] != 0)
            if (HWND g = tk::GadgetID(items[static_cast<size_t>(n)])) frame(dc, root, g);
    HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    for (size_t i = 0; i < marks.removed.size(); ++i) {
        const std::string& line = marks.removed[i];
        TextOutA(dc, kListMargin, client.bottom + kListMargin + static_cast<int>(i) * kLineHeight,
                 line.c_str(), static_cast<int>(line.size()));
    }
    SelectObject(dc, font);
    GdiFlush();
    const auto* px = static_cast<const imaging::Pixel*>(bits);
    for (int32_t y = 0; y < pictureHeight; ++y)
        for (int32_t x = 0; x < client.right; ++x)
            picture->at(x, y) =
                px[static_cast<size_t>(y) * static_cast<size_t>(client.right) + x] | 0xFF000000u;
    SelectObject(dc, before);
    DeleteObject(dib);
    DeleteDC(dc);

    const auto png = imaging::encodePng(*picture);
    if (!png || !writeFileAtomic(pathFromText(out), *png)) {
        zarnet::text::print(stderr, "%s: cannot be written\n", out.c_str());
        return kExitUnreadable;
    }
    return changed ? kExitChanged : 0;
}

} // namespace zarnet::viewer
