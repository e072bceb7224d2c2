// The main loop: one pass reads at most one event, samples keys and mouse
// buttons and hands the pass to the object manager or to the canvas.
#include "designer/shell/designer.h"

#include "designer/canvas/geometry.h"
#include "document/catalogue.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

namespace {

bool inside(POINT p, const RECT& r) {
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

} // namespace

bool Designer::pass() {
    if (ended) return false;
    event = tk::WindowEvent();
    eventWindow = event ? tk::EventWindow() : -1;
    if (event == 0) tk::clock().sleep(4);
    if (disabledControl) {
        tk::DisableGadget(disabledControl, false);
        disabledControl = 0;
    }
    if (event == tk::PB_Event_CloseWindow) {
        if (eventWindow == kObjectManagerWindow) {
            tk::SetMenuItemState(kMainMenu, MenuObjectManager, 0);
            tk::HideWindow(kObjectManagerWindow, true);
            prefs[PrefObjectManagerVisible] = 0;
            event = 0;
        } else if (eventWindow == kLearnerWindow) {
            tk::SetMenuItemState(kMainMenu, MenuLearner, 0);
            tk::HideWindow(kLearnerWindow, true);
            prefs[PrefLearnerMode] = 0;
            event = 0;
        }
    }
    // With no event, no input since the last pass and every key up then,
    // this pass would find nothing to do: the idle designer skips it and
    // waits a little longer, until a message or input arrives. Anything it
    // must react to (keys while the canvas is in front, clicks on its
    // windows, commands) arrives as one, so nothing is answered later.
    tk::InputSource& in = tk::input();
    const uint32_t inputAt = in.lastInputTime();
    const bool quiet = event == 0 && inputAt == lastInputAt && !keySeenDown;
    lastInputAt = inputAt;
    if (quiet) {
        constexpr DWORD kQuietWaitMs = 50;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kQuietWaitMs, QS_ALLINPUT);
        return !ended;
    }
    keySeenDown = false;

    // A command for the canvas (its close box, its system menu, a menu it
    // showed) is carried out whichever window is in front, so none is lost.
    const bool canvasCommand =
        eventWindow == kCanvasWindow &&
        (event == tk::PB_Event_CloseWindow || event == tk::PB_Event_SysCommand ||
         event == tk::PB_Event_Menu);

    HWND active = nullptr;
    if (keyDown(VK_LBUTTON)) {
        RECT r;
        GetWindowRect(objectManager, &r);
        if (inside(in.cursorPos(), r) && prefs[PrefObjectManagerVisible] != 0) active = objectManager;
    } else {
        active = GetForegroundWindow();
    }
    if (!canvasCommand && active == objectManager && !popupOpen) {
        objectManagerBranch();
        return !ended;
    }
    if (!canvasCommand && GetForegroundWindow() != canvas) return !ended;
    canvasBranch(canvasCommand);
    return !ended;
}

void Designer::canvasBranch(bool canvasCommand) {
    tk::InputSource& in = tk::input();
    for (int key : {VK_LBUTTON, VK_RBUTTON, VK_CONTROL, VK_MENU, VK_SHIFT}) in.asyncKeyState(key);
    if (keyboardHandler(marked)) refreshTitle();
    if (groupMode && !canvasCommand) return;
    const bool left = sampled(VK_LBUTTON);
    const bool right = sampled(VK_RBUTTON);
    if (event == 0 && !left && !right) return;
    POINT p = in.cursorPos();
    ScreenToClient(canvas, &p);
    clickPosition = p;
    switch (event) {
    case tk::PB_Event_SysCommand:
        systemCommand(tk::EventMenu());
        break;
    case tk::PB_Event_CloseWindow:
        exit();
        break;
    case tk::PB_Event_Menu:
        menuCommand(tk::EventMenu());
        break;
    default:
        if (right && !left) rightButton();
        break;
    }
}

bool Designer::keyboardHandler(int markedItem) {
    if (keyDown(VK_ESCAPE)) {
        restart();
        return true;
    }
    if (markedItem < 0 && keyDown(VK_SPACE)) {
        SetFocus(tk::GadgetID(focusControl));
        const bool snapping = prefs[PrefGridSnap] == 1;
        const int typ = lastCreatedType ? lastCreatedType : ButtonGadget;
        const int x = spaceCreationPosition(clickPositionNow().x, gridSize, snapping);
        const int y = spaceCreationPosition(clickPositionNow().y, gridSize, snapping);
        if (createItem(design, kCanvasWindow, typ, x, y, -1, 0, tooltipDefaults)) {
            rebuildTree();
            showTip(typ == Frame3DGadget ? 6 : 2);
        }
        waitForRelease(VK_SPACE);
        return true;
    }
    if (markedItem < 0 && keyDown(VK_RETURN)) {
        preview();
        waitForRelease(VK_RETURN);
        return true;
    }
    return false;
}

POINT Designer::clickPositionNow() {
    POINT p = tk::input().cursorPos();
    ScreenToClient(canvas, &p);
    return p;
}

void Designer::rightButton() {
    ClipCursor(nullptr);
    menuPosition = clickPosition;
    showMainMenu();
}

void Designer::createFromMenu(int typ) {
    const auto at = createItem(design, kCanvasWindow, typ, menuPosition.x, menuPosition.y, -1, 0,
                               tooltipDefaults);
    if (!at) return;
    if (typ != PanelGadget && typ != ScrollAreaGadget && typ != ContainerGadget)
        lastCreatedType = typ;
    rebuildTree();
    showTip(isParentType(typ) ? 5 : typ == Frame3DGadget ? 6 : 2);
    refreshTitle();
}

void Designer::showMainMenu() {
    TreeView_SelectItem(tk::GadgetID(tree), nullptr);
    popupOpen = true;
    drainEvents();
    SetForegroundWindow(canvas);
    tk::DisplayPopupMenu(kMainMenu, canvas);
    tk::SetActiveWindow(kCanvasWindow);
    popupOpen = false;
}

} // namespace zarnet::designer
