// Structural changes on the canvas: two gadgets combined into a splitter,
// a group into a new container, a container or splitter taken away while
// what it held stays. Each one copies the live gadgets into the items,
// frees the canvas, edits the list and builds canvas and tree again.
#include "designer/shell/designer.h"

#include "designer/canvas/canvas_build.h"
#include "designer/canvas/structure.h"
#include "toolkit/toolkit.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

// A new splitter or container with the settings new items start with; no
// style flags (a container made around a group has no border).
Item structureItem(int typ, const TooltipDefaults& t) {
    Item it = makeItem(typ);
    it.flags = 0;
    it.font = -1;
    it.tfont = -1;
    it.ttime = t.ttime;
    it.tfcolor = t.tfcolor;
    it.tbcolor = t.tbcolor;
    it.twidth = t.twidth;
    it.tballoon = t.tballoon;
    return it;
}

} // namespace

bool Designer::rebuildAround(const std::function<bool()>& edit, bool keepSplitterPositions) {
    unmark(sel);
    gesture = Gesture::Idle;
    refreshModelFromCanvas(design, keepSplitterPositions);
    freeCanvas(design);
    const bool done = edit();
    buildCanvas(design, kCanvasWindow);
    ++canvasBuilds;
    rebuildTree();
    clearFields();
    tk::SetActiveWindow(kCanvasWindow);
    tk::UseGadgetList(canvas);
    refreshTitle();
    return done;
}

void Designer::rebuildCanvas(bool keepSplitterPositions) {
    rebuildAround([] { return true; }, keepSplitterPositions);
}

void Designer::combineToSplitter(bool vertical) {
    if (!sel.groupMode || sel.group.size() != 2) return;
    const GroupMember a = sel.group[0], b = sel.group[1];
    const Rect group = sel.rect;
    Item splitter = structureItem(SplitterGadget, tooltipDefaults);
    splitter.flags = typeDefaults[SplitterGadget].flags;
    splitter.para3 = -1; // the separator starts where the splitter puts it
    splitter.para5 = splitter.para6 = 0;
    std::optional<size_t> made;
    rebuildAround([&] {
        made = combineIntoSplitter(design, a.item, a.r, b.item, b.r, group, vertical, splitter);
        return made.has_value();
    });
    if (!made) return;
    typeDefaults[SplitterGadget].flags = design.items[*made].flags;
    showTip(7);
}

void Designer::combineToContainer() {
    if (!sel.groupMode || sel.group.empty()) return;
    std::vector<size_t> members;
    for (const GroupMember& m : sel.group) members.push_back(m.item);
    const Rect group = sel.rect;
    rebuildAround([&] {
        return combineIntoContainer(design, members, group,
                                    structureItem(ContainerGadget, tooltipDefaults))
            .has_value();
    });
}

bool Designer::removeContainerItem(size_t index) {
    return rebuildAround([&] { return removeContainer(design, index); });
}

bool Designer::removeSplitterItem(size_t index) {
    return rebuildAround([&] { return removeSplitter(design, index); });
}

} // namespace zarnet::designer
