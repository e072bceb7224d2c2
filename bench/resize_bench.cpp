// The portable share of one automatic resize: the anchor arithmetic for a
// window of anchored gadgets, and rescaling a picture that follows its
// gadget. The moves themselves (SetWindowPos under WM_SIZE) are measured by
// the Windows benchmark; this shows what our side adds to them.
#include "anchors/anchor_lists.h"
#include "imaging/pixel_ops.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zarnet;

void BM_AnchorRun(benchmark::State& state) {
    const int count = int(state.range(0));
    anchors::AnchorLists lists;
    lists.registerWindow(1, 800, 600);
    const uint8_t flags[] = {1 | 2 | 4 | 8, 16, 64, 16 | 4, 32 | 128, 1 | 8, 64 | 128};
    for (int i = 0; i < count; ++i)
        lists.registerGadget(100 + i, flags[i % 7], {i % 700, i % 500, 80, 20},
                             anchors::Follows::Window, 1, 800, 600);
    std::vector<anchors::Rect> moved(size_t(count) + 100);
    int32_t width = 800;
    for (auto _ : state) {
        width = width == 800 ? 1024 : 800;
        const auto f = anchors::factorsFor(width, 700, 800, 600);
        lists.resize(anchors::Follows::Window, 1, f,
                     [&](const anchors::AnchoredGadget& g, anchors::Rect r) {
                         moved[size_t(g.id - 100)] = r;
                     });
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
