// The platform's defaults behind the three seams, and the requesters.
#include "toolkit/seams.h"

#include "toolkit/constants.h"
#include "toolkit/state.h"

#include <commdlg.h>
#include <mmsystem.h>

#include <algorithm>
#include <vector>

namespace tk {
using namespace detail;

namespace {

class PlatformInput final : public InputSource {
  public:
    short asyncKeyState(int virtualKey) override { return GetAsyncKeyState(virtualKey); }
    uint32_t lastInputTime() override {
        LASTINPUTINFO info{sizeof info, 0};
        return GetLastInputInfo(&info) ? info.dwTime : 0;
    }
    POINT cursorPos() override {
        POINT p{};
        GetCursorPos(&p);
        return p;
    }
};

class PlatformClock final : public Clock {
  public:
    uint32_t now() override { return timeGetTime(); }
    void sleep(uint32_t ms) override { Sleep(ms); }
};

HWND ownerWindow() {
    HWND fg = GetForegroundWindow();
    if (windowOfHandle(fg)) return fg;
    WindowRec* w = findWindow(state().currentWindow);
    return w ? w->hwnd : nullptr;
}

// "Label|*.a;*.b|Label 2|*.c" -> the double-zero-terminated filter list.
std::string filterList(std::string_view pattern) {
    std::string f(pattern);
    std::replace(f.begin(), f.end(), '|', '\0');
    f.push_back('\0');
    f.push_back('\0');
    return f;
}

std::string fileDialog(bool save, std::string_view title, std::string_view defaultFile,
                       std::string_view pattern, int position) {
    std::vector<char> file(4 * MAX_PATH, '\0');
    std::copy_n(defaultFile.begin(), std::min(defaultFile.size(), file.size() - 1), file.begin());
    const std::string filter = filterList(pattern);
    const std::string caption(title);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = ownerWindow();
    ofn.lpstrFilter = pattern.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(std::max(position, 0) + 1);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = caption.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | (save ? 0 : OFN_FILEMUSTEXIST);
    const BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    return ok ? std::string(file.data()) : std::string();
}

// ---- the input requester: a small window of our own ----

struct InputDialog {
    HWND edit = nullptr;
    bool done = false;
    bool accepted = false;
};

LRESULT CALLBACK inputProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<InputDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_COMMAND:
        if (d && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            d->accepted = LOWORD(wParam) == IDOK;
            d->done = true;
            return 0;
        }
        break;
    case WM_CLOSE:
        if (d) d->done = true;
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::string inputDialog(std::string_view title, std::string_view message,
                        std::string_view defaultText) {
    ensureInitialised();
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = inputProc;
        wc.hInstance = instance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "ZarnetInputRequester";
        return RegisterClassExA(&wc) != 0;
    }();
    if (!registered) return std::string(defaultText);
    const int w = 320, h = 120;
    RECT r{0, 0, w, h};
    AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    const int ow = r.right - r.left, oh = r.bottom - r.top;
    HWND owner = ownerWindow();
    HWND hwnd = CreateWindowExA(
        WS_EX_DLGMODALFRAME, "ZarnetInputRequester", std::string(title).c_str(),
        WS_POPUP | WS_CAPTION | WS_SYSMENU, (GetSystemMetrics(SM_CXSCREEN) - ow) / 2,
        (GetSystemMetrics(SM_CYSCREEN) - oh) / 2, ow, oh, owner, nullptr, instance(), nullptr);
    if (!hwnd) return std::string(defaultText);
    InputDialog d;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&d));
    HFONT font = state().defaultFont;
    auto child = [&](DWORD ex, const char* cls, std::string_view text, DWORD style, int x, int y,
                     int cw, int ch, int id) {
        HWND c = CreateWindowExA(
            ex, cls, std::string(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, cw, ch, hwnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
        SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return c;
    };
    child(0, "Static", message, SS_LEFT, 10, 10, w - 20, 36, 0);
    d.edit = child(WS_EX_CLIENTEDGE, "Edit", defaultText, WS_TABSTOP | ES_AUTOHSCROLL, 10, 50,
                   w - 20, 22, 100);
    child(0, "Button", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, (w - 80) / 2, 84, 80, 24, IDOK);
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(hwnd, SW_SHOW);
    SetFocus(d.edit);
    SendMessageA(d.edit, EM_SETSEL, 0, -1);
    // The answer may come with a sent message (another program clicking OK
    // for the user), which GetMessage handles without returning: the loop
    // looks at `done` after every message, posted or sent, and sleeps only
    // while none is waiting.
    MSG msg;
    while (!d.done) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!d.done) MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (IsDialogMessageA(hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    const std::string text = d.accepted ? windowText(d.edit) : std::string(defaultText);
    if (owner) EnableWindow(owner, TRUE);
    DestroyWindow(hwnd);
    if (owner) SetForegroundWindow(owner);
    return text;
}

class PlatformRequesters final : public Requesters {
  public:
    int message(std::string_view title, std::string_view text, uint32_t flags) override {
        return MessageBoxA(ownerWindow(), std::string(text).c_str(), std::string(title).c_str(),
                           flags);
    }
    std::string openFile(std::string_view title, std::string_view defaultFile,
                         std::string_view pattern, int position) override {
        return fileDialog(false, title, defaultFile, pattern, position);
    }
    std::string saveFile(std::string_view title, std::string_view defaultFile,
                         std::string_view pattern, int position) override {
        return fileDialog(true, title, defaultFile, pattern, position);
    }
    std::string input(std::string_view title, std::string_view message,
                      std::string_view defaultText) override {
        return inputDialog(title, message, defaultText);
    }
    int32_t colour(int32_t initial) override {
        static COLORREF custom[16] = {};
        CHOOSECOLORA cc{};
        cc.lStructSize = sizeof cc;
        cc.hwndOwner = ownerWindow();
        cc.rgbResult = static_cast<COLORREF>(initial) & 0xFFFFFF;
        cc.lpCustColors = custom;
        constexpr DWORD kFlags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
        static_assert(kFlags == 259, "the colour requester opens full, with any colour");
        cc.Flags = kFlags;
        return ChooseColorA(&cc) ? static_cast<int32_t>(cc.rgbResult) : -1;
    }
    std::optional<FontChoice> font(std::string_view name, int size, uint32_t style) override {
        LOGFONTA lf{};
        HDC screen = GetDC(nullptr);
        lf.lfHeight = -MulDiv(size, screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96, 72);
        if (screen) ReleaseDC(nullptr, screen);
        lf.lfWeight = (style & PB_Font_Bold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style & PB_Font_Italic) != 0;
        lf.lfUnderline = (style & PB_Font_Underline) != 0;
        lf.lfStrikeOut = (style & PB_Font_StrikeOut) != 0;
        lf.lfCharSet = DEFAULT_CHARSET;
        const std::string face(name.substr(0, LF_FACESIZE - 1));
        std::copy(face.begin(), face.end(), lf.lfFaceName);
        CHOOSEFONTA cf{};
        cf.lStructSize = sizeof cf;
        cf.hwndOwner = ownerWindow();
        cf.lpLogFont = &lf;
        cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
        if (!ChooseFontA(&cf)) return std::nullopt;
        FontChoice c;
        c.name = lf.lfFaceName;
        c.size = cf.iPointSize / 10;
        c.style = (lf.lfWeight >= FW_BOLD ? PB_Font_Bold : 0) | (lf.lfItalic ? PB_Font_Italic : 0) |
                  (lf.lfUnderline ? PB_Font_Underline : 0) |
                  (lf.lfStrikeOut ? PB_Font_StrikeOut : 0);
        c.colour = cf.rgbColors;
        return c;
    }
};

PlatformInput platformInput;
PlatformClock platformClock;
PlatformRequesters platformRequesters;
InputSource* currentInput = &platformInput;
Clock* currentClock = &platformClock;
Requesters* currentRequesters = &platformRequesters;

} // namespace

void setInputSource(InputSource* source) {
    currentInput = source ? source : &platformInput;
}
void setRequesters(Requesters* r) {
    currentRequesters = r ? r : &platformRequesters;
}
void setClock(Clock* c) {
    currentClock = c ? c : &platformClock;
}
InputSource& input() {
    return *currentInput;
}
Requesters& requesters() {
    return *currentRequesters;
}
Clock& clock() {
    return *currentClock;
}

namespace {

struct ModalTick {
    std::function<void()> tick;
    uint32_t everyMs = 1000;
    int depth = 0;
    bool running = false;
};
ModalTick& modalTick() {
    static ModalTick t;
    return t;
}

void CALLBACK modalTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalTick& t = modalTick();
    if (t.running || !t.tick) return;
    t.running = true;
    t.tick();
    t.running = false;
}

} // namespace

void setModalTick(std::function<void()> tick, uint32_t everyMs) {
    modalTick().tick = std::move(tick);
    modalTick().everyMs = everyMs;
}

// Thread timers reach their procedure through any message loop that
// dispatches, the system's modal ones included; nested waits share the
// outermost one's timer.
ModalWait::ModalWait() {
    ModalTick& t = modalTick();
    if (!t.tick) return;
    active_ = true;
    if (t.depth++ == 0) timer_ = SetTimer(nullptr, 0, t.everyMs, modalTimer);
}

ModalWait::~ModalWait() {
    if (!active_) return;
    if (timer_) KillTimer(nullptr, timer_);
    --modalTick().depth;
}

int MessageRequester(std::string_view title, std::string_view text, uint32_t flags) {
    ModalWait wait;
    return requesters().message(title, text, flags);
}
std::string OpenFileRequester(std::string_view title, std::string_view defaultFile,
                              std::string_view pattern, int patternPosition) {
    ModalWait wait;
    return requesters().openFile(title, defaultFile, pattern, patternPosition);
}
std::string SaveFileRequester(std::string_view title, std::string_view defaultFile,
                              std::string_view pattern, int patternPosition) {
    ModalWait wait;
    return requesters().saveFile(title, defaultFile, pattern, patternPosition);
}
std::string InputRequester(std::string_view title, std::string_view message,
                           std::string_view defaultText) {
    ModalWait wait;
    return requesters().input(title, message, defaultText);
}
int32_t ColorRequester(int32_t colour) {
    ModalWait wait;
    return requesters().colour(colour);
}
std::optional<FontChoice> FontRequester(std::string_view name, int size, uint32_t style) {
    ModalWait wait;
    return requesters().font(name, size, style);
}
uint32_t ElapsedMilliseconds() {
    return clock().now();
}
void Delay(uint32_t ms) {
    clock().sleep(ms);
}

} // namespace tk
