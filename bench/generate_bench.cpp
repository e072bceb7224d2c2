// Constants and include for large designs full of equal names: the time
// must grow about linearly with the item count (20,000 items within 30x of
// 1,000).
#include "designer/generate/constants.h"
#include "designer/generate/include_writer.h"
#include "document/catalogue.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zarnet;

// Every fourth item is a panel whose only tab is "Panel 0" with index 0, so
// the tab names collide with number and suffix alike; the rest are buttons
// all named "ButtonGadget", some of them named as another's numbered name.
Design crowdedDesign(int items) {
    Design d;
    d.fonts.push_back({1, 0, 10, "Arial", 0});
    for (int i = 0; i < items; ++i) {
        Item it = makeItem(i % 4 == 0 ? PanelGadget : ButtonGadget);
        it.number = static_cast<int16_t>(i % 32768);
        if (i % 7 == 0) it.name = "ButtonGadget" + std::to_string(i / 7);
        it.tooltip = i % 5 == 0 ? 2 : 0;
        it.auto_ = i % 3 == 0 ? 64 : 0;
        const bool panel = it.typ == PanelGadget;
        d.items.push_back(std::move(it));
        if (panel) {
            d.items.push_back(makeTabRecord(0, "Panel 0"));
            d.items.push_back(makeCloseRecord());
        }
    }
    return d;
}

void BM_Constants(benchmark::State& state) {
    const Design d = crowdedDesign(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto entries = gen::buildConstants(d, "Win1_");
        benchmark::DoNotOptimize(gen::constantsText(entries));
    }
    state.SetComplexityN(state.range(0));
}

void BM_Include(benchmark::State& state) {
    const Design d = crowdedDesign(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        gen::Features f;
        gen::scanDesign(d, f);
        const std::string text = gen::includeText(f);
        gen::Features back;
        gen::scanInclude(text, back);
        benchmark::DoNotOptimize(back);
    }
    state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_Constants)->Arg(1000)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Include)->Arg(1000)->Arg(20000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
