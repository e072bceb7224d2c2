// The keyboard-access check on the 1,000-gadget design of mixed kinds must
// take under 20 ms, so the designer can show its findings at once. Every
// caption carries an access key, half of them shared, so the duplicate
// search does real work; the tab order sort on the same design is timed
// beside it.
#include "bench/mixed_design.h"
#include "designer/arrange/keyboard_check.h"
#include "designer/arrange/tab_order.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zarnet;

const Design& keyedDesign() {
    static const Design d = [] {
        Design d = mixedDesign();
        int k = 0;
        for (Item& it : d.items) {
            if (!it.isGadget() || gadgetType(it.typ).textRole != "caption") continue;
            it.wtext = "&" + std::string(1, static_cast<char>('a' + k % 26)) + "ction";
            ++k;
        }
        return d;
    }();
    return d;
}

void BM_KeyboardCheck(benchmark::State& state) {
    const Design& d = keyedDesign();
    size_t findings = 0;
    for (auto _ : state) {
        findings = designer::checkKeyboardAccess(d).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
}

void BM_SortTabOrder(benchmark::State& state) {
    const Design& base = keyedDesign();
    for (auto _ : state) {
        state.PauseTiming();
        Design d = base;
        state.ResumeTiming();
        benchmark::DoNotOptimize(designer::sortTabOrderByPosition(d));
    }
}

BENCHMARK(BM_KeyboardCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTabOrder)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
