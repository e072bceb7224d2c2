// Loading a design of 1,000 gadgets of mixed kinds into a hidden window,
// against the floor: the same 1,000 controls (class and styles as the
// toolkit makes them) created with plain CreateWindowEx in the same run.
//
// The explorer gadgets are left out of the mix: they read folders from the
// disk, which no bare control creation does.
#include "bench/wine_timing.h"
#include "bench/mixed_design.h"
#include "document/catalogue.h"
#include "document/design_file.h"
#include "runtime/runtime.h"
#include "toolkit/state.h"
#include "toolkit/styles.h"
#include "toolkit/toolkit.h"

#include <benchmark/benchmark.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace zarnet;

int hiddenWindow() {
    return tk::OpenWindow(tk::PB_Any, 0, 0, 1000, 800, "bench",
                          tk::PB_Window_SystemMenu | tk::PB_Window_Invisible);
}

// One load of the design into a new hidden window; the window's opening
// and closing are not counted.
struct Loader {
    std::vector<uint8_t> data = writeDesign(mixedDesign());
    std::vector<int32_t> items = std::vector<int32_t>(static_cast<size_t>(ZarnetMaxItem(data) + 1));

    double once(std::string* error) {
        std::fill(items.begin(), items.end(), 0);
        const int win = hiddenWindow();
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        const LoadReport r = Zarnet(win, data, items, 0, 0, 0);
        const double ms = millisecondsSince(start);
        if (!r.complete && error) *error = r.reason;
        tk::CloseWindow(win);
        return ms;
    }
};

// The floor keeps the design's nesting (a parent's children are created in
// the parent's window, as the loader does) and creates every native window
// a gadget is made of: the spin's arrows, the scroll area's inner area, a
// panel tab's page.
struct Floor {
    struct Step {
        Item item;
        tk::detail::StyleSet style;
    };
    std::vector<Step> steps;
    std::vector<HWND> parents;
    bool font = false; // also give each control the default GUI font, as any program must

    explicit Floor(bool withFont = false) : font(withFont) {
        for (const Item& it : mixedDesign().items)
            steps.push_back(
                {it, it.isGadget()
                         ? tk::detail::stylesFor(it.typ, it.typ == ListViewGadget ? 0 : it.flags)
                         : tk::detail::StyleSet{}});
    }

    HWND make(DWORD ex, const char* cls, const std::string& text, DWORD style, int x, int y, int w,
              int h, HWND parent) const {
        HWND hwnd = CreateWindowExA(ex, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w,
                                    h, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        benchmark::DoNotOptimize(hwnd);
        if (font)
            SendMessageA(hwnd, WM_SETFONT,
                         reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return hwnd;
    }

    double once() {
        const int win = hiddenWindow();
        parents.assign(1, tk::WindowID(win));
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        for (const Step& s : steps) {
            const Item& it = s.item;
            if (it.typ == kCloseRecord) {
                parents.pop_back();
            } else if (it.typ == kTabRecord) {
                parents.back() =
                    make(0, tk::detail::kBoxClass, "", 0, 2, 22, 200, 150, parents.back());
            } else {
                const bool text = typeMask(it.typ) & MaskText;
                HWND h = make(s.style.exStyle, s.style.cls, text ? it.wtext : std::string(),
                              s.style.style, it.x, it.y, it.w, it.h, parents.back());
                if (it.typ == SpinGadget)
                    make(0, UPDOWN_CLASSA, "", UDS_ARROWKEYS | UDS_SETBUDDYINT, it.x + it.w - 16,
                         it.y, 16, it.h, parents.back());
                if (it.typ == ScrollAreaGadget)
                    h = make(0, tk::detail::kBoxClass, "", 0, 0, 0, it.para1, it.para2, h);
                if (isParentType(it.typ)) parents.push_back(h);
            }
        }
        const double ms = millisecondsSince(start);
        tk::CloseWindow(win);
        return ms;
    }
};

void BM_LoadDesign(benchmark::State& state) {
    Loader loader;
    std::string error;
    for (auto _ : state)
        state.SetIterationTime(loader.once(&error) / 1000.0);
    if (!error.empty()) state.SkipWithError(error.c_str());
    state.counters["gadgets"] = static_cast<double>(loader.items.size());
}

void BM_CreateWindowExFloor(benchmark::State& state) {
    Floor floor;
    for (auto _ : state)
        state.SetIterationTime(floor.once() / 1000.0);
}

// The floors and the load back to back in each iteration, so all meet the
// same machine; each ratio is the median of the iterations' ratios. The
// second floor also sends each control the default font, which the loader
// must do and bare CreateWindowEx does not.
void BM_LoadOverFloor(benchmark::State& state) {
    Loader loader;
    Floor bare, withFont(true);
    std::vector<double> ratios, fontRatios;
    double loads = 0, floors = 0, fontFloors = 0;
    for (auto _ : state) {
        const double f = bare.once();
        const double ff = withFont.once();
        const double l = loader.once(nullptr);
        floors += f;
        fontFloors += ff;
        loads += l;
        ratios.push_back(l / f);
        fontRatios.push_back(l / ff);
        state.SetIterationTime(l / 1000.0);
    }
    const auto median = [](std::vector<double>& v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double n = static_cast<double>(ratios.size());
    state.counters["floor_ms"] = floors / n;
    state.counters["floor_font_ms"] = fontFloors / n;
    state.counters["load_ms"] = loads / n;
    state.counters["ratio"] = median(ratios);
    state.counters["ratio_font"] = median(fontRatios);
}

// Other work on a shared machine shifts a run by tens of percent: short
// runs are repeated and interleaved at random (see main), and the paired
// benchmark gives the ratio.
BENCHMARK(BM_CreateWindowExFloor)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3)
    ->Repetitions(5);
BENCHMARK(BM_LoadDesign)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3)
    ->Repetitions(5);
BENCHMARK(BM_LoadOverFloor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(11);

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    args.insert(args.begin() + 1, {interleave, aggregates});
    int n = static_cast<int>(args.size());
    benchmark::Initialize(&n, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
