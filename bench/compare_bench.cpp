// diff and merge as zarnet-cli runs them on two 1,000-gadget designs: the
// files' bytes read into designs, compared or merged, the merge written.
// Each side edits 150 fields, adds 20 gadgets (on the same new numbers, so
// theirs are renumbered), removes 10 and moves 10 into a container.
#include "document/catalogue.h"
#include "document/compare/diff.h"
#include "document/compare/merge.h"
#include "document/design_file.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace zarnet;

Item gadget(Design& d, int typ, int x, int y) {
    Item it = makeItem(typ);
    it.number = static_cast<int16_t>(d.takeNumber());
    it.x = x, it.y = y;
    return it;
}

// 1,000 gadgets: 40 containers of 20, a panel of 3 tabs with 60, splitters
// over pairs of buttons, the rest at top level; fonts, tooltips, pictures.
Design start() {
    Design d;
    d.fonts = {{1, 0, 10, "Arial", 0}, {1, 0, 9, "Tahoma", 256}};
    int made = 0;
    auto add = [&](int typ, int x, int y) {
        Item it = gadget(d, typ, x, y);
        it.font = made % 7 == 0 ? made % 2 : -1;
        if (made % 11 == 0) it.tooltip = 1, it.tooltipText = "tip " + std::to_string(made);
        if (typ == ImageGadget) it.image.assign(200, static_cast<uint8_t>(made));
        ++made;
        d.items.push_back(std::move(it));
    };
    for (int c = 0; c < 40; ++c) {
        add(ContainerGadget, c * 10, 0);
        for (int k = 0; k < 20; ++k)
            add(k % 3 ? TextGadget : ImageGadget, k, k);
        d.items.push_back(makeCloseRecord());
    }
    add(PanelGadget, 0, 0);
    for (int t = 0; t < 3; ++t) {
        d.items.push_back(makeTabRecord(t, "Tab " + std::to_string(t)));
        for (int k = 0; k < 20; ++k)
            add(StringGadget, k, t);
    }
    d.items.push_back(makeCloseRecord());
    while (made < 1000) {
        if (made % 10 == 0 && made + 3 <= 1000) {
            add(ButtonGadget, 1, 1);
            add(ButtonGadget, 2, 2);
            Item s = gadget(d, SplitterGadget, 0, 0);
            s.para1 = s.number - 2, s.para2 = s.number - 1;
            ++made;
            d.items.push_back(std::move(s));
        } else {
            add(made % 2 ? CheckBoxGadget : ButtonGadget, made, made);
        }
    }
    d.recomputeNesting();
    return d;
}

size_t at(const Design& d, int n) {
    for (size_t i = 0; i < d.items.size(); ++i)
        if (d.items[i].isGadget() && d.items[i].number == n) return i;
    std::abort();
}

// One side's edits: fields of gadgets `first`, first + 2, ...; new gadgets
// at top level; top-level checkboxes removed or moved into a container.
Design side(const Design& base, int first) {
    Design d = base;
    for (int k = 0; k < 150; ++k) {
        Item& it = d.items[at(d, first + 2 * k)];
        it.x += 5, it.name += "_" + std::to_string(k);
    }
    int removed = 0, moved = 0;
    for (int n = 950 + first; n < 1000 && (removed < 10 || moved < 10); n += 2) {
        const size_t i = at(d, n);
        if (d.items[i].typ != CheckBoxGadget) continue;
        Item it = d.items[i];
        d.items.erase(d.items.begin() + static_cast<std::ptrdiff_t>(i));
        if (removed < 10) {
            ++removed;
            continue;
        }
        ++moved;
        d.items.insert(d.items.begin() + static_cast<std::ptrdiff_t>(at(d, 0) + 1), it);
    }
    for (int k = 0; k < 20; ++k)
        d.items.push_back(gadget(d, first ? TextGadget : ButtonGadget, k, k));
    d.recomputeNesting();
    return d;
}

struct Files {
    std::vector<uint8_t> base, ours, theirs;
};

const Files& files() {
    static const Files f = [] {
        const Design b = start();
        Files out{writeDesign(b), writeDesign(side(b, 0)), writeDesign(side(b, 1))};
        for (const auto* bytes : {&out.base, &out.ours, &out.theirs})
            if (!readDesign(*bytes, Strictness::Strict).design) std::abort();
        return out;
    }();
    return f;
}

void Diff(benchmark::State& state) {
    const Files& f = files();
    for (auto _ : state) {
        auto a = readDesign(f.ours, Strictness::Lenient);
        auto b = readDesign(f.theirs, Strictness::Lenient);
        const compare::Difference d = compare::diffDesigns(*a.design, *b.design);
        benchmark::DoNotOptimize(d.changes.data());
        state.counters["changes"] = static_cast<double>(d.changes.size());
    }
}
BENCHMARK(Diff)->Unit(benchmark::kMillisecond);

void Merge(benchmark::State& state) {
    const Files& f = files();
    for (auto _ : state) {
        auto b = readDesign(f.base, Strictness::Lenient);
        auto o = readDesign(f.ours, Strictness::Lenient);
        auto t = readDesign(f.theirs, Strictness::Lenient);
        const compare::MergeResult r = compare::mergeDesigns(*b.design, *o.design, *t.design);
        if (!r.merged) std::abort();
        std::vector<uint8_t> out = writeDesign(*r.merged);
        benchmark::DoNotOptimize(out.data());
        state.counters["renumbered"] = static_cast<double>(r.renumbered.size());
    }
}
BENCHMARK(Merge)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
