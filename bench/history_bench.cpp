// Undo against the edit it undoes, on the 1,000-gadget design in the same
// run: a single move, a group move of 200, a creation, a deletion, a style
// change and a combine into a splitter. Both are timed as the user waits
// for them: the change, its step in the history and the canvas painted
// again. Each iteration does the edit and undoes it, so the design stays
// the same.
#include "bench/mixed_design.h"
#include "bench/paired_ratio.h"
#include "bench/wine_timing.h"
#include "designer/canvas/canvas_build.h"
#include "designer/properties/live_update.h"
#include "designer/shell/designer.h"
#include "document/design_file.h"
#include "tests/win/unmanaged_windows.h"
#include "toolkit/toolkit.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

using namespace zarnet;
using designer::Designer;

struct MixedFile {
    std::string folder = benchFolder("zarnet-history-bench");
    std::string path = folder + "mixed.zrf";
    MixedFile() { writeFileAtomic(path, writeDesign(mixedDesign())); }
};

// A designer started on the mixed design, its data in the bench's folder.
bool startOn(benchmark::State& state, Designer& d, const MixedFile& f) {
    designer::StartOptions options;
    options.programFolder = f.folder;
    options.userDataFolder = f.folder + "user data\\";
    options.parameters = {f.path};
    if (d.start(options)) return true;
    state.SkipWithError("the designer did not start");
    return false;
}

// Top-level items of a type, in list order.
std::vector<size_t> topLevel(const Design& d, int typ) {
    std::vector<size_t> out;
    for (size_t i = 0; i < d.items.size(); ++i)
        if (d.items[i].typ == typ && d.items[i].level == 0 && d.items[i].insplitter != 1)
            out.push_back(i);
    return out;
}

double timed(const std::function<void()>& f) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    f();
    return millisecondsSince(start);
}

// `prepare` sets up the selection; `edit` makes the change. Reports the
// edit with its commit, and the undo, in milliseconds.
void undoOverEdit(benchmark::State& state, const std::function<void(Designer&)>& prepare,
                  const std::function<void(Designer&)>& edit) {
    const MixedFile f;
    Designer d;
    if (!startOn(state, d, f)) return;
    double commitMs = 0;
    pairedRatio(state, "undo_ms", "edit_ms", [&] {
        prepare(d);
        const size_t before = d.history.position();
        double commit = 0;
        tk::DrainEvents();
        const double made = timed([&] {
            edit(d);
            commit = timed([&] { d.commitEdits(); });
            tk::DrainEvents();
        });
        commitMs += commit;
        if (d.history.position() != before + 1) return std::pair{-1.0, -1.0};
        const double undone = timed([&] {
            d.undo();
            tk::DrainEvents();
        });
        return std::pair{undone, made};
    });
    state.counters["commit_ms"] = commitMs / static_cast<double>(state.iterations());
    d.shutdown();
}

void markFirst(Designer& d, int typ) {
    d.unmarkAll();
    for (size_t i = 0; i < d.design.items.size(); ++i)
        if (d.design.items[i].typ == typ && d.design.items[i].insplitter != 1) {
            d.markAndShow(i, false);
            return;
        }
}

void BM_UndoSingleMove(benchmark::State& state) {
    undoOverEdit(
        state, [](Designer& d) { markFirst(d, TrackBarGadget); },
        [](Designer& d) { d.keyMove(1, 0, false); });
}

void BM_UndoGroupMoveOf200(benchmark::State& state) {
    undoOverEdit(
        state,
        [](Designer& d) {
            d.unmarkAll();
            std::vector<size_t> members;
            for (int typ : {ProgressBarGadget, TrackBarGadget, SpinGadget, HyperLinkGadget,
                            EditorGadget, TreeGadget, DateGadget, IPAddressGadget})
                for (size_t i : topLevel(d.design, typ))
                    if (members.size() < 200) members.push_back(i);
            d.markAndShow(members.front(), false);
            for (size_t k = 1; k < members.size(); ++k)
                d.toggleIntoGroup(members[k]);
        },
        [](Designer& d) { d.keyMove(1, 0, false); });
}

void BM_UndoCreation(benchmark::State& state) {
    undoOverEdit(
        state,
        [](Designer& d) {
            d.unmarkAll();
            d.menuPosition = {400, 300};
        },
        [](Designer& d) { d.createFromMenu(ButtonGadget); });
}

// The same where no gadget lies below the new one: taking a gadget away
// makes the platform paint again whatever it covered, which in the mixed
// design is a pile of overlapping gadgets.
void BM_UndoCreationUncovered(benchmark::State& state) {
    undoOverEdit(
        state,
        [](Designer& d) {
            d.unmarkAll();
            designer::refreshModelFromCanvas(d.design);
            for (int y = 0; y + 20 <= d.design.clientHeight; y += 10)
                for (int x = 0; x + 80 <= d.design.clientWidth; x += 10) {
                    const bool free = std::none_of(
                        d.design.items.begin(), d.design.items.end(), [&](const Item& it) {
                            return it.isGadget() && it.level == 0 && x < it.x + it.w &&
                                   it.x < x + 80 && y < it.y + it.h && it.y < y + 20;
                        });
                    if (free) {
                        d.menuPosition = {x, y};
                        return;
                    }
                }
        },
        [](Designer& d) { d.createFromMenu(ButtonGadget); });
}

void BM_UndoDeletion(benchmark::State& state) {
    undoOverEdit(
        state, [](Designer& d) { markFirst(d, EditorGadget); },
        [](Designer& d) { d.deleteSelection(); });
}

// What a style box of the marked item's pop-up does to a plain gadget:
// the flags change and the gadget is made again.
void BM_UndoStyleChange(benchmark::State& state) {
    undoOverEdit(
        state, [](Designer& d) { markFirst(d, StringGadget); },
        [](Designer& d) {
            const size_t at = static_cast<size_t>(d.sel.marked);
            d.design.items[at].flags ^= 0x20; // read-only
            designer::EditorHost host = d.editorHost();
            designer::recreateGadget(host, at);
            host.remark(at);
            noteEdit(d.design);
        });
}

void BM_UndoCombine(benchmark::State& state) {
    undoOverEdit(
        state,
        [](Designer& d) {
            d.unmarkAll();
            const auto lists = topLevel(d.design, ListIconGadget);
            d.markAndShow(lists[0], false);
            d.toggleIntoGroup(lists[1]);
        },
        [](Designer& d) { d.combineToSplitter(false); });
}

// What a commit costs on its own: the model read back from the canvas,
// and the snapshot taken against the previous one.
void BM_CommitParts(benchmark::State& state) {
    const MixedFile f;
    Designer d;
    if (!startOn(state, d, f)) return;
    pairedRatio(state, "refresh_ms", "snapshot_ms", [&] {
        const double refresh = timed(
            [&] { designer::refreshModelFromCanvas(d.design, true, designer::Refresh::Edited); });
        const double snap = timed([&] {
            benchmark::DoNotOptimize(designer::takeSnapshot(d.design, &d.history.current()));
        });
        return std::pair{refresh, snap};
    });
    d.shutdown();
}

} // namespace

BENCHMARK(BM_CommitParts)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_UndoSingleMove)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_UndoGroupMoveOf200)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_UndoCreation)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_UndoCreationUncovered)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_UndoDeletion)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_UndoStyleChange)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_UndoCombine)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    if (const int code = wineharness::rerunWithUnmanagedWindows(); code != -1) return code;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
