// Opening a 1,000-gadget design in the designer (canvas gadgets and tree
// entries) against opening it the way the viewer does, in the same run;
// and the designer's processor use while nothing happens.
#include "bench/mixed_design.h"
#include "designer/shell/designer.h"
#include "document/design_file.h"
#include "runtime/procedures.h"
#include "runtime/runtime.h"
#include "tests/win/unmanaged_windows.h"
#include "toolkit/toolkit.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace zarnet;

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(freq.QuadPart);
}

std::string benchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "zarnet-designer-bench\\";
    std::filesystem::create_directories(folder);
    return folder;
}

// What the viewer does with a file: read it, check it, open its window
// and load it.
double viewerOpen(const std::string& path) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    auto bytes = readFileBytes(path);
    benchmark::DoNotOptimize(readDesign(*bytes, Strictness::Lenient));
    std::vector<int32_t> items(static_cast<size_t>(ZarnetMaxItem(*bytes) + 1));
    const int win = tk::OpenWindow(tk::PB_Any, 0, 0, 1000, 800, "bench",
                                   tk::PB_Window_SystemMenu | tk::PB_Window_Invisible);
    Zarnet(win, *bytes, items, 0, 0, 0);
    const double ms = millisecondsSince(start);
    tk::CloseWindow(win);
    return ms;
}

// The designer's Load after its question: the file onto the canvas and
// into the tree. Clearing the previous design is not counted.
double designerOpen(designer::Designer& d, const std::string& path) {
    d.clearDesign();
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    d.loadFile(path, false);
    d.rebuildTree();
    return millisecondsSince(start);
}

void BM_DesignerOpenOverViewer(benchmark::State& state) {
    const std::string folder = benchFolder();
    const std::string path = folder + "mixed.zrf";
    writeFileAtomic(path, writeDesign(mixedDesign()));
    designer::Designer d;
    designer::StartOptions options;
    options.programFolder = folder;
    if (!d.start(options)) {
        state.SkipWithError("the designer did not start");
        return;
    }
    std::vector<double> ratios;
    double viewer = 0, designerMs = 0;
    for (auto _ : state) {
        const double v = viewerOpen(path);
        const double o = designerOpen(d, path);
        viewer += v;
        designerMs += o;
        ratios.push_back(o / v);
        state.SetIterationTime(o / 1000.0);
    }
    std::sort(ratios.begin(), ratios.end());
    const double n = static_cast<double>(ratios.size());
    state.counters["viewer_ms"] = viewer / n;
    state.counters["designer_ms"] = designerMs / n;
    state.counters["ratio"] = ratios[ratios.size() / 2];
    state.counters["tree_entries"] =
        static_cast<double>(TreeView_GetCount(tk::GadgetID(d.tree)));
    d.shutdown();
}

ULONGLONG cpuTime(HANDLE process) {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME f) { return (ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return ticks(kernel) + ticks(user);
}

// Zarnet.exe started beside this benchmark's build, left alone for 10 s.
void BM_DesignerIdle(benchmark::State& state) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe = self;
    exe = exe.substr(0, exe.find_last_of('\\')) + "\\..\\designer\\app\\Zarnet.exe";
    for (auto _ : state) {
        STARTUPINFOA si{sizeof si};
        PROCESS_INFORMATION pi{};
        std::string cmd = "\"" + exe + "\"";
        if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &pi)) {
            state.SkipWithError("Zarnet.exe did not start");
            return;
        }
        WaitForInputIdle(pi.hProcess, 30000);
        Sleep(3000); // start-up settles
        const ULONGLONG before = cpuTime(pi.hProcess);
        constexpr DWORD kIdleMs = 10000;
        Sleep(kIdleMs);
        const ULONGLONG used = cpuTime(pi.hProcess) - before; // 100 ns units
        state.counters["cpu_percent"] = static_cast<double>(used) / 1e4 / kIdleMs * 100.0;
        state.SetIterationTime(kIdleMs / 1000.0);
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

BENCHMARK(BM_DesignerOpenOverViewer)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(7);
BENCHMARK(BM_DesignerIdle)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (const int code = wineharness::rerunWithUnmanagedWindows(); code != -1) return code;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
