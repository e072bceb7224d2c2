// Undo and redo: every edit the main loop sees end becomes one step of the
// history, and a step undone or redone puts the design, the canvas and the
// tree back as they were, touching only what the step changed.
#include "designer/shell/designer.h"

#include "designer/canvas/canvas_build.h"
#include "designer/canvas/moving.h"
#include "designer/canvas/selection.h"
#include "designer/history/restore_plan.h"
#include "designer/properties/font_table.h"
#include "designer/properties/live_update.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <unordered_map>

namespace zarnet::designer {

namespace {

uint64_t mix(uint64_t h, uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    return h;
}

// The design's font table made to hold `to`'s entries, each loaded when
// used; entries that did not change keep their loaded font. The fonts of
// entries that changed are added to `retired`, to be freed once no gadget
// shows them: gadgets made again pump paint messages while later ones
// still hold the old font.
void restoreFonts(Design& d, const std::vector<FontRecord>& to, std::vector<Handle>& retired) {
    for (size_t i = to.size(); i < d.fonts.size(); ++i)
        if (d.fonts[i].loadedFont) retired.push_back(d.fonts[i].loadedFont);
    d.fonts.resize(to.size());
    for (size_t i = 0; i < to.size(); ++i) {
        FontEntry& f = d.fonts[i];
        const FontRecord& r = to[i];
        if (f.gFontUsed == r.used && f.gFontsize == r.size && f.gFontName == r.name &&
            f.gFontstyle == r.style)
            continue;
        if (f.loadedFont) retired.push_back(f.loadedFont);
        f = FontEntry{r.used, 0, r.size, r.name, r.style};
    }
    loadDesignFonts(d);
}

} // namespace

void Designer::resetHistory(bool saved) {
    if (canvas) {
        refreshModelFromCanvas(design);
        takeClientSize(design);
    }
    history.reset(takeSnapshot(design, nullptr), saved);
    forgetEditingState();
    committedRevision = design.revision;
    committedBuilds = canvasBuilds;
    pendingMergeKey = 0;
}

bool Designer::commitEdits(bool liveChanges) {
    if (gesture != Gesture::Idle || !canvas) return false;
    const bool edited = design.revision != committedRevision;
    if (!edited && !liveChanges) return false;
    refreshModelFromCanvas(design, true, edited ? Refresh::Edited : Refresh::Live);
    takeClientSize(design);
    const StepInfo info{canvasBuilds != committedBuilds, pendingMergeKey};
    committedRevision = design.revision;
    committedBuilds = canvasBuilds;
    pendingMergeKey = 0;
    if (!history.commit(takeSnapshot(design, &history.current()), info)) return false;
    design.modified = !history.atSavePoint();
    refreshTitle();
    return true;
}

uint64_t Designer::keyRunKey(int dx, int dy, bool size) const {
    uint64_t h =
        mix(mix(mix(1, static_cast<uint64_t>(dx + 2)), static_cast<uint64_t>(dy + 2)), size);
    for (size_t i : selectedItems())
        h = mix(h, static_cast<uint64_t>(design.items[i].number + 1));
    return h | 1;
}

void Designer::undo() {
    commitEdits(true);
    if (gesture != Gesture::Idle || !history.canUndo()) return;
    const bool rebuilt = history.undoStep().rebuilt;
    const Snapshot& from = history.current();
    applySnapshot(from, history.undo(), rebuilt);
}

void Designer::redo() {
    commitEdits(true);
    if (gesture != Gesture::Idle || !history.canRedo()) return;
    const bool rebuilt = history.redoStep().rebuilt;
    const Snapshot& from = history.current();
    applySnapshot(from, history.redo(), rebuilt);
}

void Designer::forgetEditingState() {
    tabClicks.clear();
    pasteRow = {};
    freeGuides();
    badgesShown = ~uint64_t{0}; // the next pass shows the badges of this design
}

void Designer::applySnapshot(const Snapshot& from, const Snapshot& to, bool rebuilt) {
    forgetEditingState();
    std::vector<Handle> retired; // fonts to free once every gadget is made again
    using Kind = RestorePlan::Kind;
    const RestorePlan plan = rebuilt ? RestorePlan{Kind::Rebuild} : planRestore(from, to);
    // A single marked item stays marked when the step changed only its
    // fields (made again, it is marked again, as the editors do); every
    // other selection is given up.
    const bool fieldsOnly = plan.kind == Kind::Fields || plan.kind == Kind::Nothing;
    const auto marked = static_cast<size_t>(sel.marked);
    const bool keepMark = fieldsOnly && sel.marked >= 0 && !sel.groupMode;
    const bool remark =
        keepMark && std::find(plan.remade.begin(), plan.remade.end(), marked) != plan.remade.end();
    if (!keepMark || remark) unmark(sel);
    switch (plan.kind) {
    case Kind::Nothing:
        restoreFonts(design, to.fonts, retired);
        break;
    case Kind::Fields: {
        restoreFonts(design, to.fonts, retired);
        EditorHost host = editorHost();
        for (size_t i : plan.placed) {
            const RecordFields& f = to.items[i]->fields;
            applyItemRect(design.items[i], {f.x, f.y, f.w, f.h});
            restoreRecord(design.items[i], *to.items[i]);
        }
        for (size_t i : plan.remade) {
            restoreRecord(design.items[i], *to.items[i]);
            recreateGadget(host, i);
        }
        for (size_t i : plan.remade)
            retitleTreeEntry(i);
        if (remark) markItem(sel, design, marked, markImage, false);
        if (keepMark &&
            std::find(plan.placed.begin(), plan.placed.end(), marked) != plan.placed.end()) {
            const RecordFields& f = to.items[marked]->fields;
            sel.rect = {f.x, f.y, f.w, f.h};
            moveMarks(sel);
        }
        break;
    }
    case Kind::Insert: {
        std::vector<Item> run;
        for (size_t i = plan.first; i < plan.first + plan.count; ++i)
            run.push_back(itemFromRecord(*to.items[i]));
        design.items.insert(design.items.begin() + static_cast<ptrdiff_t>(plan.first),
                            std::make_move_iterator(run.begin()),
                            std::make_move_iterator(run.end()));
        restoreFonts(design, to.fonts, retired);
        design.recomputeNesting();
        buildRun(design, plan.first, plan.count, kCanvasWindow);
        rebuildTree();
        break;
    }
    case Kind::Remove: {
        freeRun(design, plan.first, plan.count);
        design.items.erase(design.items.begin() + static_cast<ptrdiff_t>(plan.first),
                           design.items.begin() + static_cast<ptrdiff_t>(plan.first + plan.count));
        restoreFonts(design, to.fonts, retired);
        design.recomputeNesting();
        rebuildTree();
        break;
    }
    case Kind::Rebuild: {
        // Panels stay on the tab and scroll areas at the place they show now.
        refreshModelFromCanvas(design);
        std::unordered_map<int, std::pair<int, int>> views;
        for (const Item& it : design.items)
            if (it.isGadget()) views[it.number] = {it.view1, it.view2};
        freeCanvas(design);
        design.items.clear();
        for (const SharedRecord& r : to.items) {
            Item it = itemFromRecord(*r);
            if (const auto v = views.find(it.number); it.isGadget() && v != views.end())
                std::tie(it.view1, it.view2) = v->second;
            design.items.push_back(std::move(it));
        }
        restoreFonts(design, to.fonts, retired);
        design.recomputeNesting();
        buildCanvas(design, kCanvasWindow);
        tk::UseGadgetList(canvas);
        rebuildTree();
        break;
    }
    }
    for (const Handle font : retired)
        tk::FreeFont(static_cast<int>(font));
    restoreHeader(design, to);
    // Defaults that name a font entry the restored table no longer uses.
    forgetReleasedFonts(design, typeDefaults, tooltipDefaults);
    if (tk::WindowWidth(kCanvasWindow) != to.clientWidth ||
        tk::WindowHeight(kCanvasWindow) != to.clientHeight) {
        tk::ResizeWindow(kCanvasWindow, -1, -1, to.clientWidth, to.clientHeight);
        noteCanvasFit(to.clientWidth, to.clientHeight);
    }
    if (keepMark && sel.marked >= 0)
        showFields();
    else
        clearFields();
    design.modified = !history.atSavePoint();
    committedRevision = design.revision;
    if (tabOrderMode) showTabBadges();
    refreshTitle();
}

bool Designer::undoKeys() {
    if (!sampled(VK_CONTROL)) return false;
    if (keyDown('Z')) {
        if (sampled(VK_SHIFT))
            redo();
        else
            undo();
        waitForRelease('Z');
        return true;
    }
    if (keyDown('Y')) {
        redo();
        waitForRelease('Y');
        return true;
    }
    return false;
}

bool Designer::controlChord() {
    bool chord = false;
    tk::InputSource& in = tk::input();
    while (in.asyncKeyState(VK_CONTROL) != 0) {
        if (commandKeys()) chord = true;
        if (tk::WindowEvent() == 0) tk::clock().sleep(4);
    }
    return chord;
}

} // namespace zarnet::designer
