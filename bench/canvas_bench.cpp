// Moving the selection on the canvas, each against the bare SetWindowPos
// calls for the windows that move, in the same run: a group of 200 gadgets
// moved one step by a cursor key, and one frame of dragging a gadget on a
// design of 1,000 gadgets. The windows that move are the gadgets and the
// selection's four marks. Both sides let the canvas repaint before the
// clock stops.
#include "bench/mixed_design.h"
#include "bench/paired_ratio.h"
#include "bench/wine_timing.h"
#include "designer/shell/designer.h"
#include "document/design_file.h"
#include "tests/win/unmanaged_windows.h"
#include "toolkit/toolkit.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <vector>

namespace {

using namespace zarnet;

// Keys and cursor as the benchmark sets them.
class BenchInput : public tk::InputSource {
  public:
    short asyncKeyState(int key) override { return down[key] ? short(0x8000) : 0; }
    POINT cursorPos() override { return cursor; }
    uint32_t lastInputTime() override { return ++changes; }
    std::map<int, bool> down;
    POINT cursor{};
    uint32_t changes = 0;
};

struct Started {
    designer::Designer d;
    BenchInput input;
    bool ok = false;
    explicit Started(const Design& design) {
        tk::setInputSource(&input);
        const std::string folder = benchFolder("zarnet-canvas-bench");
        const std::string path = folder + "canvas.zrf";
        writeFileAtomic(path, writeDesign(design));
        designer::StartOptions o;
        o.programFolder = folder;
        o.userDataFolder = folder + "user data\\";
        o.parameters = {path};
        ok = d.start(o);
        SetForegroundWindow(d.canvas);
        tk::DrainEvents();
    }
    ~Started() {
        d.shutdown();
        tk::setInputSource(nullptr);
    }
};

// The bare floor: the same gadgets moved by dx with SetWindowPos, then the
// pending paints taken.
double bareMoves(const std::vector<HWND>& gadgets, int dx) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    for (HWND w : gadgets) {
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(w, nullptr, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    tk::DrainEvents();
    return millisecondsSince(start);
}

Design buttons(int count) {
    Design d;
    d.clientWidth = 1000;
    d.clientHeight = 800;
    for (int i = 0; i < count; ++i) addBenchItem(d, ButtonGadget, 20 + (i % 10) * 90, 20 + (i / 10) * 30);
    d.nextNumber = count;
    return d;
}

void BM_GroupStepOverSetWindowPos(benchmark::State& state) {
    Started s(buttons(200));
    if (!s.ok) {
        state.SkipWithError("the designer did not start");
        return;
    }
    std::vector<size_t> all;
    std::vector<HWND> gadgets;
    for (size_t i = 0; i < s.d.design.items.size(); ++i) {
        all.push_back(i);
        gadgets.push_back(tk::GadgetID(static_cast<int>(s.d.design.items[i].id)));
    }
    designer::groupItems(s.d.sel, s.d.design, all, s.d.markImage);
    for (int m : s.d.sel.marks) gadgets.push_back(tk::GadgetID(m));
    s.input.down[VK_SHIFT] = true; // one pixel a step, so every step moves
    int dir = 1;
    pairedRatio(state, "group_step_ms", "bare_ms", [&] {
        dir = -dir;
        const double bare = bareMoves(gadgets, dir);
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        s.d.keyMove(-dir, 0, false);
        return std::pair{millisecondsSince(start), bare};
    });
}

void BM_DragFrameOverSetWindowPos(benchmark::State& state) {
    Started s(mixedDesign());
    if (!s.ok) {
        state.SkipWithError("the designer did not start");
        return;
    }
    // A plain top-level gadget, the kind most drags move.
    const auto& items = s.d.design.items;
    auto plain = [](const Item& it) {
        return it.isGadget() && it.level == 0 && !it.insplitter && !isParentType(it.typ) &&
               it.typ != SplitterGadget && it.typ != Frame3DGadget;
    };
    const auto found = std::find_if(items.begin(), items.end(), plain);
    if (found == items.end()) {
        state.SkipWithError("the design has no plain top-level gadget");
        return;
    }
    s.d.markAndShow(static_cast<size_t>(found - items.begin()), false);
    HWND gadget = tk::GadgetID(s.d.sel.gadget);
    std::vector<HWND> moving{gadget};
    for (int m : s.d.sel.marks) moving.push_back(tk::GadgetID(m));
    RECT r;
    GetWindowRect(gadget, &r);
    s.input.cursor = {r.left + 5, r.top + 5};
    s.input.down[VK_LBUTTON] = true;
    s.input.down[VK_SHIFT] = true; // pixels: every frame moves
    if (!s.d.grabSelection(s.input.cursor, true, false)) {
        state.SkipWithError("the gadget could not be grabbed");
        return;
    }
    int dir = 1;
    pairedRatio(state, "drag_frame_ms", "bare_ms", [&] {
        dir = -dir;
        const double bare = bareMoves(moving, dir);
        s.input.cursor.x -= dir;
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        s.d.dragStep(true);
        return std::pair{millisecondsSince(start), bare};
    });
    s.input.down[VK_LBUTTON] = false;
    s.d.dragStep(false);
}

BENCHMARK(BM_GroupStepOverSetWindowPos)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);
BENCHMARK(BM_DragFrameOverSetWindowPos)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(200);

} // namespace

int main(int argc, char** argv) {
    if (const int code = wineharness::rerunWithUnmanagedWindows(); code != -1) return code;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
