// The portable share of one automatic resize: the anchor arithmetic the
// runtime's size handling does for a window of anchored gadgets, and
// rescaling a picture that follows its gadget. The runtime's walk itself,
// with the moves (SetWindowPos under WM_SIZE), is measured by the Windows
// benchmark resize_wm_bench; this shows what the arithmetic adds to it.
#include "anchors/anchors.h"
#include "imaging/pixel_ops.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace zarnet;

// As registration stores them (anchors::storeAnchor, called by the
// runtime's registerAnchoredGadget) and as each size message recomputes
// them (factorsFor once, resizedRect per gadget).
void BM_AnchorRun(benchmark::State& state) {
    const int count = int(state.range(0));
    const uint8_t flags[] = {1 | 2 | 4 | 8, 16, 64, 16 | 4, 32 | 128, 1 | 8, 64 | 128};
    std::vector<anchors::Stored> stored;
    for (int i = 0; i < count; ++i)
        stored.push_back(anchors::storeAnchor(flags[i % 7], {i % 700, i % 500, 80, 20}, 800, 600));
    std::vector<anchors::Rect> moved(stored.size());
    int32_t width = 800;
    for (auto _ : state) {
        width = width == 800 ? 1024 : 800;
        const auto f = anchors::factorsFor(width, 700, 800, 600);
        for (size_t i = 0; i < stored.size(); ++i)
            moved[i] = anchors::resizedRect(stored[i], f);
        benchmark::DoNotOptimize(moved.data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AnchorRun)->Arg(1000);

void BM_RescaleShownImage(benchmark::State& state) {
    const int32_t w = int32_t(state.range(0)), h = int32_t(state.range(1));
    auto img = *imaging::makeImage(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            img.at(x, y) = imaging::makePixel(uint8_t(x), uint8_t(y), 90);
    const auto target = *imaging::shownImageSize(w, h, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(imaging::scaleImage(img, target.width, target.height));
}
BENCHMARK(BM_RescaleShownImage)->Args({100, 80})->Args({640, 480});

} // namespace

BENCHMARK_MAIN();
