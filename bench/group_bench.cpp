// The group menu's commands with 500 members of the 1,000-gadget design
// marked, each timed from the command to the design, canvas and history in
// step (one undo step made): a state, an anchor, the default font, and the
// moves to the front and to the back. Each must take under 0.5 s.
#include "bench/mixed_design.h"
#include "bench/paired_ratio.h"
#include "bench/wine_timing.h"
#include "designer/canvas/selection.h"
#include "designer/shell/designer.h"
#include "document/design_file.h"
#include "tests/win/unmanaged_windows.h"
#include "toolkit/toolkit.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace zarnet;
using namespace zarnet::designer;

void BM_GroupCommand(benchmark::State& state) {
    const std::string folder = benchFolder("zarnet-group-bench");
    const std::string path = folder + "mixed.zrf";
    writeFileAtomic(path, writeDesign(mixedDesign()));
    Designer d;
    StartOptions options;
    options.programFolder = folder;
    options.userDataFolder = folder + "user data\\";
    options.parameters = {path};
    if (!d.start(options)) {
        state.SkipWithError("the designer did not start");
        return;
    }
    const int command = static_cast<int>(state.range(0));
    for (auto _ : state) {
        // The first 500 gadgets at the top level, marked as one group.
        std::vector<size_t> members;
        for (size_t i = 0; i < d.design.items.size() && members.size() < 500; ++i)
            if (d.design.items[i].isGadget() && d.design.items[i].parent == 0) members.push_back(i);
        groupItems(d.sel, d.design, members, d.markImage);
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        d.menuCommand(command);
        d.commitEdits();
        state.SetIterationTime(millisecondsSince(start) / 1000.0);
    }
    state.counters["members"] = 500;
    d.shutdown();
}

BENCHMARK(BM_GroupCommand)
    ->ArgName("menu_id")
    ->Arg(MenuGroupFixed)
    ->Arg(MenuGroupDisabled)
    ->Arg(MenuGroupAnchorFirst + 6)
    ->Arg(MenuGroupFontOff)
    ->Arg(MenuBringToFront)
    ->Arg(MenuSendToBack)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    if (const int code = wineharness::rerunWithUnmanagedWindows(); code != -1) return code;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
