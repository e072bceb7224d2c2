#include "designer/canvas/letter_chooser.h"

#include "document/catalogue.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace zarnet::designer {

namespace {

constexpr int kWidth = 200;
constexpr int kRow = 20;
constexpr COLORREF kBackground = RGB(255, 255, 180);
constexpr COLORREF kSecondLetter = RGB(0, 255, 0);
constexpr char kClass[] = "ZarnetLetterChooser";

struct Chooser {
    std::vector<int> types;
    HFONT font = nullptr;
};

// The position in the name of the code's second letter, ignoring case.
int secondLetterAt(int typ) {
    const std::string_view name = typeName(typ);
    const char second = gadgetType(typ).code[1];
    for (size_t i = 0; i < name.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) == second) return static_cast<int>(i);
    return -1;
}

void paint(HWND w, const Chooser& c) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT r;
    GetClientRect(w, &r);
    HBRUSH background = CreateSolidBrush(kBackground);
    FillRect(dc, &r, background);
    DeleteObject(background);
    HGDIOBJ old = c.font ? SelectObject(dc, c.font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    for (size_t row = 0; row < c.types.size(); ++row) {
        const int typ = c.types[row];
        const std::string_view name = typeName(typ);
        const int y = 2 + kRow * static_cast<int>(row);
        SetTextColor(dc, RGB(0, 0, 0));
        TextOutA(dc, 10, y, name.data(), static_cast<int>(name.size()));
        const int at = secondLetterAt(typ);
        if (at < 0) continue;
        // The letter goes over its own place in the name: 8 pixels a
        // character in FixedSys, measured for whatever font stands in.
        SIZE before{};
        GetTextExtentPoint32A(dc, name.data(), at, &before);
        SetTextColor(dc, kSecondLetter);
        TextOutA(dc, 10 + before.cx, y, name.data() + at, 1);
    }
    if (old) SelectObject(dc, old);
    EndPaint(w, &ps);
}

LRESULT CALLBACK chooserProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        if (auto* c = reinterpret_cast<Chooser*>(GetWindowLongPtrA(w, GWLP_USERDATA))) {
            paint(w, *c);
            return 0;
        }
    }
    return DefWindowProcA(w, msg, wp, lp);
}

bool down(int key) {
    return tk::input().asyncKeyState(key) & 0x8000;
}

void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// 200 pixels, or wider when a stand-in font would cut a name off.
int chooserWidth(const Chooser& c) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = c.font ? SelectObject(dc, c.font) : nullptr;
    int width = kWidth;
    for (int typ : c.types) {
        const std::string_view name = typeName(typ);
        SIZE size{};
        GetTextExtentPoint32A(dc, name.data(), static_cast<int>(name.size()), &size);
        width = std::max(width, static_cast<int>(size.cx) + 20);
    }
    if (old) SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return width;
}

HWND openChooser(Chooser& c, HWND owner) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = chooserProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        registered = RegisterClassA(&wc) != 0;
    }
    const int count = static_cast<int>(c.types.size());
    POINT at = tk::input().cursorPos();
    if (at.x + kWidth > GetSystemMetrics(SM_CXSCREEN) - 30) at.x -= 230;
    if (at.y + kRow * count > GetSystemMetrics(SM_CYSCREEN) - 30) at.y -= kRow * count + 30;
    RECT r{0, 0, chooserWidth(c), kRow * count};
    const DWORD style = WS_POPUP | WS_BORDER;
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClass, "", style, at.x, at.y,
                             r.right - r.left, r.bottom - r.top, owner, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (!w) return nullptr;
    SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
    ShowWindow(w, SW_SHOWNOACTIVATE);
    UpdateWindow(w);
    return w;
}

} // namespace

std::vector<int> typesStartingWith(char letter) {
    std::vector<int> types;
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (int typ = 1; typ <= kTypeCount; ++typ) {
        const std::string_view code = gadgetType(typ).code;
        if (code.size() == 2 && code[0] == upper) types.push_back(typ);
    }
    return types;
}

int chooseByLetters(char letter, HFONT fixedFont, HWND owner) {
    Chooser c{typesStartingWith(letter), fixedFont};
    if (c.types.empty()) return 0;
    HWND w = openChooser(c, owner);
    // Keys already down (the first letter) count only once let go and
    // pressed again; any key press or mouse button closes the chooser.
    bool was[256] = {};
    for (int k = 1; k < 256; ++k) was[k] = down(k);
    int closing = 0;
    while (!closing) {
        pump();
        for (int k = 1; k < 256 && !closing; ++k) {
            const bool now = down(k);
            if (now && !was[k]) closing = k;
            was[k] = now;
        }
        if (!closing) tk::clock().sleep(4);
    }
    int chosen = 0;
    for (int typ : c.types)
        if (down(static_cast<unsigned char>(gadgetType(typ).code[1]))) chosen = typ;
    if (w) DestroyWindow(w);
    if (owner) SetForegroundWindow(owner);
    pump();
    while (down(closing)) {
        pump();
        tk::clock().sleep(4);
    }
    return chosen;
}

} // namespace zarnet::designer
