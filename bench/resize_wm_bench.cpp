// Resizing a window that holds 1,000 anchored gadgets (the window's own
// WM_SIZE moves them all through the runtime), against the floor: the same
// window resized with the runtime held off and the same 1,000 controls moved
// to the same places with plain SetWindowPos calls, in the same run. Each
// side grows the window and shrinks it back. The shown variant also counts
// the painting that follows (pending messages are dispatched inside the
// timing).
#include "bench/wine_timing.h"
#include "document/catalogue.h"
#include "document/design_file.h"
#include "runtime/procedures.h"
#include "runtime/runtime.h"
#include "toolkit/toolkit.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

using namespace zarnet;

constexpr int kGadgets = 1000;
constexpr int kWidthA = 1000, kHeightA = 800, kWidthB = 1200, kHeightB = 900;

// Every gadget changes place or size between the two window sizes.
Design anchoredDesign() {
    Design d;
    d.clientWidth = kWidthA;
    d.clientHeight = kHeightA;
    const int kinds[] = {ButtonGadget, TextGadget, StringGadget, CheckBoxGadget};
    const int flags[] = {1 | 2 | 4 | 8, 16 | 32, 64 | 128, 16 | 4, 1 | 2, 32 | 64};
    for (int i = 0; i < kGadgets; ++i) {
        Item it = makeItem(kinds[i % 4]);
        it.number = static_cast<int16_t>(d.takeNumber());
        it.x = (i * 37) % 900;
        it.y = (i * 13) % 760;
        it.w = 60;
        it.h = 20;
        it.auto_ = flags[i % 6];
        d.items.push_back(std::move(it));
    }
    return d;
}

RECT placeOf(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The loaded window, and where its controls are at either size.
struct Scene {
    int window = 0;
    std::vector<HWND> controls;
    std::vector<RECT> atA, atB;

    bool shown = false;
    bool placed = true; // every control was where it belongs after each side

    explicit Scene(bool show) : shown(show) {
        registerRuntimeProcedures();
        window = tk::OpenWindow(tk::PB_Any, 0, 0, kWidthA, kHeightA, "bench",
                                tk::PB_Window_SystemMenu | tk::PB_Window_SizeGadget |
                                    tk::PB_Window_Invisible);
        const auto data = writeDesign(anchoredDesign());
        std::vector<int32_t> items(static_cast<size_t>(ZarnetMaxItem(data) + 1));
        Zarnet(window, data, items, 0, 0, 0);
        ZarnetCallback(nullptr);
        for (int32_t id : items)
            controls.push_back(tk::GadgetID(id));
        for (HWND h : controls)
            atA.push_back(placeOf(h));
        tk::ResizeWindow(window, -1, -1, kWidthB, kHeightB);
        for (HWND h : controls)
            atB.push_back(placeOf(h));
        tk::ResizeWindow(window, -1, -1, kWidthA, kHeightA);
        if (shown) {
            tk::HideWindow(window, false);
            settle();
        }
    }
    ~Scene() { tk::CloseWindow(window); }

    // Paints and whatever else the move brought.
    void settle() const {
        if (!shown) return;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    // The window grown to size B and shrunk back to A; its gadgets follow
    // through the runtime.
    double anchored() {
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        tk::ResizeWindow(window, -1, -1, kWidthB, kHeightB);
        settle();
        const bool atB = placedAt(this->atB);
        tk::ResizeWindow(window, -1, -1, kWidthA, kHeightA);
        settle();
        const double ms = millisecondsSince(start);
        placed = placed && atB && placedAt(atA);
        return ms;
    }

    // The same two sizes with the runtime held off, every control moved by
    // hand after each.
    // held: with the window's drawing held off during the moves and one
    // repaint after them, as the runtime does.
    double floor(bool held) {
        const HWND hwnd = tk::WindowID(window);
        // WM_SETREDRAW TRUE would make a hidden window visible.
        held = held && shown;
        ++runtime().ZarnValue.blocked;
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        for (const auto& [w, h, at] :
             {std::tuple{kWidthB, kHeightB, &atB}, {kWidthA, kHeightA, &atA}}) {
            tk::ResizeWindow(window, -1, -1, w, h);
            if (held) SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
            for (size_t i = 0; i < controls.size(); ++i) {
                const RECT& r = (*at)[i];
                SetWindowPos(controls[i], nullptr, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
            }
            if (held) {
                SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
                RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            }
            settle();
        }
        const double ms = millisecondsSince(start);
        --runtime().ZarnValue.blocked;
        placed = placed && placedAt(atA);
        return ms;
    }

    // Both sizes put every control where it belongs.
    bool placedAt(const std::vector<RECT>& expected) const {
        for (size_t i = 0; i < controls.size(); ++i) {
            const RECT r = placeOf(controls[i]);
            if (!EqualRect(&r, &expected[i])) return false;
        }
        return true;
    }
};

void BM_ResizeOverFloor(benchmark::State& state) {
    Scene scene(state.range(0) != 0);
    std::vector<double> ratios, heldRatios;
    double resizes = 0, floors = 0, heldFloors = 0;
    for (auto _ : state) {
        const double r = scene.anchored();
        const double f = scene.floor(false);
        const double fh = scene.floor(true);
        resizes += r;
        floors += f;
        heldFloors += fh;
        ratios.push_back(r / f);
        heldRatios.push_back(r / fh);
        state.SetIterationTime(r / 1000.0);
    }
    if (!scene.placed) state.SkipWithError("a control was not where the anchors put it");
    std::sort(ratios.begin(), ratios.end());
    std::sort(heldRatios.begin(), heldRatios.end());
    const double n = static_cast<double>(ratios.size());
    state.counters["gadgets"] = static_cast<double>(scene.controls.size());
    state.counters["resize_ms"] = resizes / n;
    state.counters["floor_ms"] = floors / n;
    state.counters["floor_held_ms"] = heldFloors / n;
    state.counters["ratio"] = ratios[ratios.size() / 2];
    state.counters["ratio_held"] = heldRatios[heldRatios.size() / 2];
}
// A hidden window, and a shown one whose painting counts too. Under Wine,
// moving the controls of a shown window into the area it has just gained
// costs milliseconds each, so the plain floor is slow there; the held floor
// does what the runtime does about it.
BENCHMARK(BM_ResizeOverFloor)
    ->ArgName("shown")
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(21);
BENCHMARK(BM_ResizeOverFloor)
    ->ArgName("shown")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

} // namespace

BENCHMARK_MAIN();
