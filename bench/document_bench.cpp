// Reading and writing a design of 100,000 items, against one plain pass
// over the same bytes (counting zero bytes) as the floor.
#include "document/catalogue.h"
#include "document/design_file.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zarnet;

// Item numbers are 16-bit, so 100,000 records need many tab and close
// records: groups of panel, two tabs, a gadget, two tabs and the close.
const Design& bigDesign() {
    static const Design d = [] {
        Design d;
        d.fonts.push_back({1, 0, 10, "Arial", 0});
        int typ = 1;
        while (d.items.size() < 100000) {
            Item panel = makeItem(PanelGadget);
            panel.number = static_cast<int16_t>(d.takeNumber());
            d.items.push_back(panel);
            d.items.push_back(makeTabRecord(0, "First"));
            d.items.push_back(makeTabRecord(1, "Second"));
            while (typ == SplitterGadget || isParentType(typ)) typ = typ % 28 + 1;
            Item it = makeItem(typ);
            it.number = static_cast<int16_t>(d.takeNumber());
            it.font = typ % 2 ? 0 : -1;
            it.tooltip = typ % 3;
            it.tooltipText = "tip";
            d.items.push_back(std::move(it));
            d.items.push_back(makeTabRecord(2, "Third"));
            d.items.push_back(makeTabRecord(3, "Fourth"));
            d.items.push_back(makeCloseRecord());
            typ = typ % 28 + 1;
        }
        return d;
    }();
    return d;
}

const std::vector<uint8_t>& bigBytes() {
    static const std::vector<uint8_t> b = writeDesign(bigDesign());
    return b;
}

void BM_CountZeroBytes(benchmark::State& state) {
    const auto& b = bigBytes();
    for (auto _ : state) {
        size_t zeros = 0;
        for (uint8_t c : b) zeros += c == 0;
        benchmark::DoNotOptimize(zeros);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * b.size()));
}

void BM_WriteDesign(benchmark::State& state) {
    const Design& d = bigDesign();
    for (auto _ : state) benchmark::DoNotOptimize(writeDesign(d));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bigBytes().size()));
}

void BM_ReadDesign(benchmark::State& state) {
    const auto& b = bigBytes();
    for (auto _ : state) benchmark::DoNotOptimize(readDesign(b, Strictness::Lenient));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * b.size()));
}

BENCHMARK(BM_CountZeroBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDesign)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDesign)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
