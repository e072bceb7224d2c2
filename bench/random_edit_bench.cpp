// The long random-edit run: runs of a few hundred steps from each start
// design in turn, one seed after another, with every check after every
// step, until the steps asked for are done. Reports steps per second and
// every finding with its seed, its shortest failing prefix and the line
// that replays it in the test program.
//
//   random_edit_bench [total steps (20000)] [steps per run (300)] [first seed (1)]
//                     [first start design (the first)]
//   ZARNET_RANDOM_KNOWN="text|text": findings containing one are counted
//   and the run goes on (faults being mended).
#include "tests/win/designer/random_edit_runner.h"
#include "tests/win/gdi_objects.h"
#include "tests/win/unmanaged_windows.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (const int code = wineharness::rerunWithUnmanagedWindows(); code != -1) return code;
    using namespace randomedit;
    const uint64_t total = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 20000;
    const uint32_t perRun =
        argc > 2 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 300;
    uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
    if (perRun == 0) return 2;

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    Session s(std::string(temp) + "zarnet-random-bench\\");
    const auto starts = writeStartFiles(s);
    size_t firstDesign = 0;
    while (argc > 4 && firstDesign + 1 < starts.size() && starts[firstDesign].name != argv[4])
        ++firstDesign;
    s.known = knownFindings();
    const auto began = std::chrono::steady_clock::now();
    double shrinking = 0;
    uint64_t done = 0, runs = 0;
    int findings = 0;
    while (done < total) {
        const StartFile& start = starts[(firstDesign + runs) % starts.size()];
        const Outcome o = runSeed(s, start, seed, firstSteps(perRun), ShrinkBudget{60, 120});
        done += o.stepsRun;
        ++runs;
        if (o.finding) {
            ++findings;
            shrinking += o.replaySeconds; // replaying is not editing time
            std::printf("%s", o.report.c_str());
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        std::printf("run %llu: design %s, seed %llu, %u steps; %llu steps, %.0f s, %.1f steps per "
                    "second, %d findings, %lu GDI objects (%s)\n",
                    static_cast<unsigned long long>(runs), start.name.c_str(),
                    static_cast<unsigned long long>(seed), o.stepsRun,
                    static_cast<unsigned long long>(done), seconds,
                    seconds - shrinking > 0 ? done / (seconds - shrinking) : 0.0, findings,
                    static_cast<unsigned long>(gdiObjects()), wintest::gdiObjectKinds().c_str());
        std::fflush(stdout);
        ++seed;
    }
    std::printf("time per operation:\n%s", s.timeReport().c_str());
    for (const auto& [text, count] : s.knownSeen)
        std::printf("known finding \"%s\" seen %llu times\n", text.c_str(),
                    static_cast<unsigned long long>(count));
    return findings ? 1 : 0;
}
