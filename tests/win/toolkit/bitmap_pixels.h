// Reads a bitmap back through GDI, the way a control that shows it sees it,
// independent of how the toolkit keeps its pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace tktest {

struct BitmapPixels {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels; // top-down, 0x00RRGGBB (alpha cleared)
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

inline BitmapPixels readBitmap(HBITMAP bm) {
    BitmapPixels out;
    BITMAP info;
    if (!bm || !GetObjectA(bm, sizeof info, &info)) return out;
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.pixels.resize(size_t(out.width) * size_t(out.height));
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = out.width;
    bi.bmiHeader.biHeight = -out.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bm, 0, UINT(out.height), out.pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (uint32_t& p : out.pixels)
        p &= 0xFFFFFF;
    return out;
}

// 0x00BBGGRR as the 0x00RRGGBB GetDIBits gives.
constexpr uint32_t rgbOf(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

} // namespace tktest
