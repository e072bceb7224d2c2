// The keyboard handler of the canvas: restart, creation by SPACE and by two
// letters, moving, sizing and deleting the selection, the values editor and
// the preview.
#include "designer/shell/designer.h"

#include "toolkit/toolkit.h"

namespace zarnet::designer {

namespace {

struct Arrow {
    int key, dx, dy;
};
// Tested in this order; the first one down acts.
constexpr Arrow kArrows[] = {{VK_UP, 0, -1}, {VK_RIGHT, 1, 0}, {VK_DOWN, 0, 1}, {VK_LEFT, -1, 0}};

} // namespace

void Designer::stepPause() {
    // One step per 150 ms while an arrow key is held.
    const uint32_t from = tk::clock().now();
    while (tk::clock().now() - from < 150)
        if (tk::WindowEvent() == 0) tk::clock().sleep(4);
}

// The first arrow down moves (or with `size` sizes) the selection one step,
// then DEL deletes it; each waits as a held key must.
bool Designer::arrowOrDelete(bool arrows, bool size) {
    for (const Arrow& a : kArrows) {
        if (!arrows || !sampled(a.key)) continue;
        keyMove(a.dx, a.dy, size);
        stepPause();
        return true;
    }
    if (!sampled(VK_DELETE)) return false;
    deleteSelection();
    waitForRelease(VK_DELETE);
    refreshTitle();
    return true;
}

bool Designer::keyboardHandler(bool fromTree) {
    // Keys wait while the mouse drags something: a paste, delete or undo
    // in the middle would leave the drag working on a list that changed.
    if (gesture != Gesture::Idle || treeDragged) return false;
    if (keyDown(VK_ESCAPE)) {
        restart();
        return true;
    }
    if (commandKeys()) return true;
    tk::InputSource& in = tk::input();
    if (sel.groupMode && !fromTree) {
        for (int key : {VK_SHIFT, VK_DELETE, VK_UP, VK_RIGHT, VK_DOWN, VK_LEFT}) in.asyncKeyState(key);
        if (arrowOrDelete(true, false)) return true;
    }
    const bool container = sel.marked >= 0 && !sel.groupMode && isParentType(sel.typ);
    const bool nothing = sel.marked < 0 && !sel.groupMode;
    if (!fromTree && keyDown(VK_SPACE)) {
        SetFocus(tk::GadgetID(focusControl));
        if (nothing || container) createAtCursor(lastCreatedType ? lastCreatedType : ButtonGadget, true);
        waitForRelease(VK_SPACE);
        return true;
    }
    if (fromTree || (sel.marked >= 0 && !sel.groupMode)) {
        for (int key : {VK_RETURN, VK_SHIFT, VK_DELETE, VK_UP, VK_RIGHT, VK_DOWN, VK_LEFT})
            in.asyncKeyState(key);
        if (container && twoLetterCreation()) return true;
        in.asyncKeyState(VK_CONTROL);
        if (arrowOrDelete(!fromTree, sampled(VK_CONTROL))) return true;
        if (sampled(VK_RETURN)) {
            waitForRelease(VK_RETURN);
            openValuesEditor();
            refreshTitle();
            return true;
        }
        return false;
    }
    if (nothing) {
        if (twoLetterCreation()) return true;
        if (keyDown(VK_RETURN)) {
            preview();
            waitForRelease(VK_RETURN);
            return true;
        }
    }
    return false;
}

} // namespace zarnet::designer
