// Copy, cut, paste and duplicate on the canvas: the marked item or group
// goes onto the system clipboard as a small design file (and as its listing
// in plain text); a paste builds the live gadgets of what it inserted and
// marks them. Each is one step of the edit history.
#include "designer/shell/designer.h"

#include "designer/canvas/canvas_build.h"
#include "designer/canvas/option_runs.h"
#include "designer/canvas/structure.h"
#include "designer/clipboard/system_clipboard.h"
#include "designer/properties/font_table.h"
#include "document/design_dump.h"
#include "toolkit/toolkit.h"

#include <new>

namespace zarnet::designer {

namespace {

void refuse() {
    MessageBeep(0);
}

} // namespace

bool Designer::copySelection() {
    commitEdits(true);
    const std::vector<size_t> roots = selectedItems();
    const std::vector<uint8_t> bytes = copyToClip(design, roots);
    const auto clip = bytes.empty() ? std::nullopt : readClip(bytes);
    if (!clip || !putOnClipboard(canvas, bytes, dumpDesign(*clip))) {
        refuse();
        return false;
    }
    pasteRow = {};
    return true;
}

void Designer::cutSelection() {
    if (!copySelection()) return;
    deleteSelection();
    refreshTitle();
}

void Designer::pasteClipboard(std::optional<POINT> screen) {
    // Another program's block can be anything: one the designer has no
    // memory for is refused like any other that does not read.
    std::optional<Design> clip;
    try {
        if (const auto bytes = clipboardItems(canvas)) clip = readClip(*bytes);
    } catch (const std::bad_alloc&) {
        clip.reset();
    }
    if (!clip) {
        refuse();
        return;
    }
    // Pastes in a row go where the first one went, not into what it made:
    // a row lasts while the design and the marks are what the last paste
    // left; marking something else starts a paste of its own.
    const auto rowTarget = static_cast<size_t>(pasteRow.container);
    const bool row = pasteRow.revision == design.revision && pasteRow.marked == selectedItems() &&
                     (pasteRow.container < 0 || (rowTarget < design.items.size() &&
                                                 isParentType(design.items[rowTarget].typ)));
    PasteTarget target = markedContainer();
    if (row) {
        // On the tab the panel shows now, should the user have switched it.
        target = {pasteRow.container, pasteRow.tab};
        const Item* panel = pasteRow.container >= 0 ? &design.items[rowTarget] : nullptr;
        if (panel && panel->typ == PanelGadget)
            target.tab = static_cast<int>(tk::GetGadgetState(static_cast<int>(panel->id)));
    }
    HWND holder = listWindow(target.container, target.tab);
    const Rect bounds = clipBounds(*clip);
    Point base{bounds.x, bounds.y};
    if (screen) {
        POINT p = *screen;
        ScreenToClient(holder, &p);
        base = {p.x, p.y};
    }
    // The first paste at the copied place already moves a step off it.
    const bool again = row && pasteRow.base == base && pasteRow.tab == target.tab;
    const int count = again ? pasteRow.count + 1 : (screen ? 0 : 1);
    Rect at = bounds;
    at.x = base.x + count * gridSize;
    at.y = base.y + count * gridSize;
    RECT area{};
    GetClientRect(holder, &area);
    if (!placePaste(*clip, target, withinReach(at, {area.right, area.bottom}))) return;
    pasteRow = {design.revision, base, target.container, target.tab, count, selectedItems()};
}

void Designer::duplicateSelection() {
    commitEdits(true);
    const std::vector<size_t> roots = selectedItems();
    const std::vector<uint8_t> bytes = copyToClip(design, roots);
    const auto clip = bytes.empty() ? std::nullopt : readClip(bytes);
    const auto scopes = scopesOf(design.items);
    if (!clip || !scopes) {
        refuse();
        return;
    }
    const Scope scope = (*scopes)[roots.front()];
    Rect at = clipBounds(*clip);
    at.x += gridSize;
    at.y += gridSize;
    HWND holder = holderOf(design.items[roots.front()]);
    RECT area{};
    if (holder) GetClientRect(holder, &area);
    placePaste(*clip, {scope.parent, scope.tab, copiesJoinAt(roots)},
               withinReach(at, {area.right, area.bottom}));
}

// Options of one group duplicated are more choices of that group: their
// copies go right after its last option. Anything else goes where a paste
// would (-1).
int Designer::copiesJoinAt(const std::vector<size_t>& roots) const {
    const std::vector<int> starts = optionGroupStarts(design.items);
    const int group = roots.empty() ? -1 : starts[roots.front()];
    for (const size_t r : roots)
        if (group < 0 || starts[r] != group) return -1;
    int last = group;
    for (size_t i = static_cast<size_t>(group); i < starts.size(); ++i)
        if (starts[i] == group) last = static_cast<int>(i);
    return last + 1;
}

bool Designer::placePaste(const Design& clip, PasteTarget target, Point topLeft) {
    unmark(sel);
    gesture = Gesture::Idle;
    const auto pasted = pasteClip(design, clip, target, topLeft);
    if (!pasted) {
        refuse();
        return false;
    }
    loadDesignFonts(design);
    buildRun(design, pasted->first, pasted->count, kCanvasWindow);
    tk::UseGadgetList(canvas);
    rebuildTree();
    if (pasted->roots.size() == 1)
        markAndShow(pasted->roots.front(), false);
    else
        groupItems(sel, design, pasted->roots, markImage);
    tk::SetActiveWindow(kCanvasWindow);
    refreshTitle();
    return true;
}

bool Designer::clipboardKeys() {
    if (!sampled(VK_CONTROL)) return false;
    const bool selection = sel.marked >= 0 || sel.groupMode;
    for (int key : {'C', 'X', 'D'}) {
        if (!keyDown(key)) continue;
        if (!selection)
            refuse();
        else if (key == 'C')
            copySelection();
        else if (key == 'X')
            cutSelection();
        else
            duplicateSelection();
        waitForRelease(key);
        return true;
    }
    if (!keyDown('V')) return false;
    POINT cursor = tk::input().cursorPos();
    ScreenToClient(canvas, &cursor);
    RECT client{};
    GetClientRect(canvas, &client);
    const bool overCanvas = PtInRect(&client, cursor) != 0;
    pasteClipboard(overCanvas ? std::optional<POINT>(tk::input().cursorPos()) : std::nullopt);
    waitForRelease('V');
    return true;
}

bool Designer::commandKeys() {
    // Not while a drag runs on the canvas or in the tree: an undo or paste
    // there would change the list under the drag (CONTROL held in the tree
    // reaches here without the keyboard handler).
    if (gesture != Gesture::Idle || treeDragged) return false;
    return undoKeys() || clipboardKeys() || stackingKeys() || findKeys();
}

bool Designer::stackingKeys() {
    if (!sampled(VK_CONTROL)) return false;
    for (const int key : {VK_OEM_6, VK_OEM_4}) { // ] and [
        if (!keyDown(key)) continue;
        const bool all = sampled(VK_SHIFT);
        if (key == VK_OEM_6)
            restack(all ? Restack::ToFront : Restack::Forward, selectedItems());
        else
            restack(all ? Restack::ToBack : Restack::Backward, selectedItems());
        waitForRelease(key);
        return true;
    }
    return false;
}

} // namespace zarnet::designer
