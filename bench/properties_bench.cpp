// The property editors' windows against the same controls made with bare
// CreateWindowEx calls in the same run: the context pop-up of a button
// (eight check boxes) and the values editor of a spin gadget, each opened,
// shown until its messages are handled, and closed. And a 2,000 x 2,000
// PNG loaded into an image gadget against decoding its bytes alone.
#include "bench/paired_ratio.h"
#include "bench/wine_timing.h"
#include "designer/canvas/canvas_build.h"
#include "designer/canvas/creation.h"
#include "designer/properties/editors.h"
#include "designer/properties/pictures.h"
#include "designer/properties/values_apply.h"
#include "imaging/decode.h"
#include "tests/win/unmanaged_windows.h"
#include "toolkit/toolkit.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <vector>

namespace {

using namespace zarnet;
using namespace zarnet::designer;

class BenchInput : public tk::InputSource {
  public:
    // A press is read once, as a click.
    short asyncKeyState(int key) override {
        if (key != down) return 0;
        down = 0;
        return short(0x8000);
    }
    POINT cursorPos() override { return cursor; }
    uint32_t lastInputTime() override { return 0; }
    int down = 0;
    POINT cursor{300, 300};
};

// The editors' pauses close them: the first pause after opening.
class ClosingClock : public tk::Clock {
  public:
    uint32_t now() override { return 0; }
    void sleep(uint32_t) override {
        if (onPause) onPause();
    }
    std::function<void()> onPause;
};

void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

struct Control {
    const char* cls;
    const char* text;
    DWORD style;
    RECT r; // x, y, w, h
};

// A bare yellow pop-up with these controls, shown, its messages handled,
// destroyed. Milliseconds.
double bareWindow(HWND owner, int w, int h, const std::vector<Control>& controls) {
    static const ATOM cls = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = CreateSolidBrush(RGB(255, 255, 180));
        wc.lpszClassName = "BarePropertiesWindow";
        return RegisterClassA(&wc);
    }();
    (void)cls;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    HWND win = CreateWindowExA(0, "BarePropertiesWindow", "", WS_POPUP | WS_BORDER, 300, 300,
                               w + 2, h + 2, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const Control& c : controls) {
        HWND h = CreateWindowExA(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, c.r.left,
                                 c.r.top, c.r.right, c.r.bottom, win, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(win, SW_SHOW);
    SetForegroundWindow(win);
    pump();
    DestroyWindow(win);
    pump();
    return millisecondsSince(start);
}

struct Canvas {
    BenchInput input;
    ClosingClock clock;
    int window = 0;
    HWND hwnd = nullptr;
    Design design;
    std::array<TypeDefaults, kTypeCount + 1> defaults{};
    TooltipDefaults tooltips;
    EditorHost host;
    Canvas() {
        tk::setInputSource(&input);
        tk::setClock(&clock);
        for (int t = 1; t <= kTypeCount; ++t)
            defaults[static_cast<size_t>(t)] = gadgetType(t).defaults;
        window = tk::OpenWindow(tk::PB_Any, 20, 20, 640, 480, "Canvas");
        hwnd = tk::WindowID(window);
        host.design = &design;
        host.canvas = hwnd;
        host.canvasWindow = window;
        host.typeDefaults = &defaults;
        host.tooltipDefaults = &tooltips;
    }
    ~Canvas() {
        freeCanvas(design);
        tk::CloseWindow(window);
        tk::setInputSource(nullptr);
        tk::setClock(nullptr);
    }
    size_t add(int typ) {
        return *createItem(design, window, typ, 10, 10, -1, 0,
                           defaults[static_cast<size_t>(typ)], tooltips);
    }
};

void BM_ContextPopupOverBareWindow(benchmark::State& state) {
    Canvas c;
    const size_t button = c.add(ButtonGadget);
    // Closed by a left click beside it at its first pause.
    c.clock.onPause = [&] {
        c.input.cursor = {5, 5};
        c.input.down = VK_LBUTTON;
    };
    std::vector<Control> controls;
    for (int i = 0; i < 8; ++i)
        controls.push_back({"BUTTON", "PB_Button_Entry", BS_AUTOCHECKBOX, {5, 20 * i + 5, 200, 20}});
    pairedRatio(state, "popup_ms", "bare_ms", [&] {
        const double bare = bareWindow(c.hwnd, 200, 170, controls);
        c.input.cursor = {300, 300};
        c.input.down = 0;
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        runContextPopup(c.host, button, {15, 15});
        return std::pair{millisecondsSince(start), bare};
    });
}

// Finds the visible window owned by pair.first (the editor) for pair.second.
BOOL CALLBACK ownedVisible(HWND h, LPARAM p) {
    auto* o = reinterpret_cast<std::pair<HWND, HWND>*>(p);
    if (GetWindow(h, GW_OWNER) == o->first && IsWindowVisible(h)) o->second = h;
    return TRUE;
}

void BM_ValuesEditorOverBareWindow(benchmark::State& state) {
    Canvas c;
    const size_t spin = c.add(SpinGadget);
    HWND close = nullptr;
    c.clock.onPause = [&] {
        std::pair<HWND, HWND> owned{c.hwnd, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), ownedVisible, reinterpret_cast<LPARAM>(&owned));
        close = owned.second ? FindWindowExA(owned.second, nullptr, "Button", "Close") : nullptr;
        if (close) SendMessageA(close, BM_CLICK, 0, 0);
    };
    LoadLibraryA("riched20.dll");
    const std::vector<Control> controls = {
        {"STATIC", "Item Index 1", 0, {5, 5, 190, 15}},
        {"STATIC", "Minimal", SS_RIGHT, {5, 35, 75, 20}},
        {"STATIC", "Maximal", SS_RIGHT, {5, 75, 75, 20}},
        {"EDIT", "0", ES_NUMBER | WS_BORDER, {85, 35, 90, 20}},
        {"EDIT", "100", ES_NUMBER | WS_BORDER, {85, 75, 90, 20}},
        {"RichEdit20A", "", ES_MULTILINE, {0, 0, 0, 0}},
        {"BUTTON", "Close", BS_PUSHBUTTON, {50, 175, 100, 20}},
    };
    pairedRatio(state, "values_editor_ms", "bare_ms", [&] {
        const double bare = bareWindow(c.hwnd, 200, 200, controls);
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        runValuesEditor(c.host, spin);
        return std::pair{millisecondsSince(start), bare};
    });
}

// A 2,000 x 2,000 picture with gradients and noise, as a photograph-like
// PNG compresses.
std::vector<uint8_t> largePng() {
    constexpr int side = 2000;
    std::vector<uint8_t> rgb(size_t{side} * side * 3);
    uint32_t seed = 12345;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            seed = seed * 1103515245u + 12345u;
            uint8_t* p = &rgb[(size_t(y) * side + size_t(x)) * 3];
            p[0] = uint8_t(x / 8 + (seed >> 28));
            p[1] = uint8_t(y / 8 + ((seed >> 24) & 7));
            p[2] = uint8_t((x + y) / 16);
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = side;
    image.height = side;
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr);
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr))
        return {};
    out.resize(size);
    return out;
}

void BM_LargePngIntoImageGadgetOverDecoding(benchmark::State& state) {
    Canvas c;
    const size_t image = c.add(ImageGadget);
    const std::vector<uint8_t> png = largePng();
    if (png.empty()) {
        state.SkipWithError("the PNG could not be made");
        return;
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "zarnet-properties-bench.png";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    const int aflag = static_cast<int>(state.range(0));
    pairedRatio(state, "load_ms", "decode_ms", [&] {
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        const auto decoded = imaging::decodeImage(png);
        benchmark::DoNotOptimize(decoded);
        const double bare = millisecondsSince(start);
        QueryPerformanceCounter(&start);
        loadPicture(c.design.items[image], path, aflag, std::string(temp) + "zrimage.bmp");
        return std::pair{millisecondsSince(start), bare};
    });
    DeleteFileA(path.c_str());
}

BENCHMARK(BM_ContextPopupOverBareWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(60);
BENCHMARK(BM_ValuesEditorOverBareWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(60);
// Shown at full size (0) and stretched to the gadget as new image gadgets are (2).
BENCHMARK(BM_LargePngIntoImageGadgetOverDecoding)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(8);

} // namespace

int main(int argc, char** argv) {
    if (const int code = wineharness::rerunWithUnmanagedWindows(); code != -1) return code;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
