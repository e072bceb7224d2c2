// The main loop: one pass reads at most one event, samples keys and mouse
// buttons and hands the pass to the object manager or to the canvas.
#include "designer/shell/designer.h"

#include "designer/canvas/geometry.h"
#include "designer/clipboard/system_clipboard.h"
#include "document/catalogue.h"
#include "toolkit/toolkit.h"

#include <new>

namespace zarnet::designer {

namespace {

bool inside(POINT p, const RECT& r) {
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

} // namespace

bool Designer::pass() {
    if (ended) return false;
    bool acted = false;
    try {
        acted = passBody();
    } catch (const std::bad_alloc&) {
        // A command that ran out of memory is refused; the designer, its
        // design and its history stay.
        MessageBeep(MB_ICONHAND);
        acted = true;
    }
    if (acted) {
        // Presses made while this pass ran (on a menu it showed, in an
        // editor, while it waited for a release) belong to what ran; only a
        // tap made after it counts for the next pass.
        tk::input().asyncKeyState(VK_LBUTTON);
        tk::input().asyncKeyState(VK_RBUTTON);
        if (!ended) commitEdits();
        if (!ended) refilterAfterEdits();
        if (!ended && tabOrderMode && badgesShown != design.revision) showTabBadges();
    }
    // A field left ends its visit: typing there again is a step of its own.
    if (typingField >= 0 && GetFocus() != tk::GadgetID(fields[static_cast<size_t>(typingField)]))
        typingField = -1;
    if (!ended) keepRecoveryCopy();
    return !ended;
}

bool Designer::passBody() {
    event = tk::WindowEvent();
    eventWindow = event ? tk::EventWindow() : -1;
    if (event == 0) tk::clock().sleep(4);
    if (disabledControl) {
        // Back as the design has it: a gadget the design disables stays so.
        const int at = itemOfGadget(design, static_cast<Handle>(disabledControl));
        const bool designDisabled =
            at >= 0 && (design.items[static_cast<size_t>(at)].status & kStatusDisabled);
        if (tk::IsGadget(disabledControl)) tk::DisableGadget(disabledControl, designDisabled);
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
        MsgWaitForMultipleObjectsEx(0, nullptr, idleWaitMs(), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        return false;
    }
    keySeenDown = false;

    // A command for the canvas (its close box, its system menu, a menu it
    // showed) is carried out whichever window is in front, so none is lost.
    const bool canvasCommand =
        eventWindow == kCanvasWindow &&
        (event == tk::PB_Event_CloseWindow || event == tk::PB_Event_SysCommand ||
         event == tk::PB_Event_Menu);

    HWND active = nullptr;
    // The first query of each button also says whether it went down since
    // the last one: a tap shorter than a pass is kept for this pass.
    const short leftFirst = in.asyncKeyState(VK_LBUTTON);
    const bool leftDown = sampled(VK_LBUTTON);
    leftTapped = !leftDown && (leftFirst & 1);
    rightTapped = false;
    if (leftDown) {
        RECT r;
        GetWindowRect(objectManager, &r);
        if (inside(in.cursorPos(), r) && prefs[PrefObjectManagerVisible] != 0) active = objectManager;
    } else {
        active = GetForegroundWindow();
    }
    if (!canvasCommand && active == objectManager && !popupOpen) {
        objectManagerBranch();
        return true;
    }
    if (!canvasCommand && GetForegroundWindow() != canvas) return true;
    canvasBranch(canvasCommand);
    return true;
}

// How long an idle pass may sleep: until a message comes, or until the
// recovery copy is due when one is waiting to be written.
uint32_t Designer::idleWaitMs() const {
    constexpr DWORD kLookAgainMs = 50;
    if (!waitForMessages) return kLookAgainMs;
    const auto due = recoveryTimer.waitFor(tk::clock().now());
    return due ? std::max<uint32_t>(*due, 1) : INFINITE;
}

void Designer::canvasBranch(bool canvasCommand) {
    tk::InputSource& in = tk::input();
    if (event == tk::PB_Event_Gadget) flipOption(tk::EventGadget());
    for (int key : {VK_LBUTTON, VK_CONTROL, VK_MENU, VK_SHIFT})
        in.asyncKeyState(key);
    rightTapped = (in.asyncKeyState(VK_RBUTTON) & 1) && !sampled(VK_RBUTTON);
    // A tap is a click only while no gesture runs.
    if (gesture != Gesture::Idle) leftTapped = rightTapped = false;
    if (keyboardHandler(false)) refreshTitle();
    if (sel.groupMode &&
        (buttonPressed(VK_LBUTTON) || buttonPressed(VK_RBUTTON) || gesture != Gesture::Idle) &&
        groupGestures())
        return;
    if (sel.groupMode && !canvasCommand) return;
    const bool left = buttonPressed(VK_LBUTTON);
    const bool right = buttonPressed(VK_RBUTTON);
    if (event == 0 && !left && !right && gesture == Gesture::Idle) return;
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
        if (right && !left && gesture == Gesture::Idle)
            rightButton();
        else
            leftGestures();
        break;
    }
}

// A click on an option gadget of the design that was already on turns it
// off again, so the canvas can show either state.
void Designer::flipOption(int gadget) {
    const int at = itemOfGadget(design, static_cast<Handle>(gadget));
    if (at < 0 || gadget <= 0) return;
    Item& it = design.items[static_cast<size_t>(at)];
    if (it.typ != OptionGadget) return;
    if (it.view1 == 1) {
        tk::SetGadgetState(gadget, 0);
        it.view1 = 0;
    } else {
        it.view1 = 1;
    }
}

POINT Designer::clickPositionNow() {
    POINT p = tk::input().cursorPos();
    ScreenToClient(canvas, &p);
    return p;
}

void Designer::showMainMenu() {
    TreeView_SelectItem(tk::GadgetID(tree), nullptr);
    commitEdits();
    tk::DisableMenuItem(kMainMenu, MenuUndo, !history.canUndo());
    tk::DisableMenuItem(kMainMenu, MenuRedo, !history.canRedo());
    tk::DisableMenuItem(kMainMenu, MenuPaste, !clipboardHasItems());
    for (int id = MenuBringToFront; id <= MenuSendBackward; ++id)
        tk::DisableMenuItem(kMainMenu, id, menuStackItems.empty());
    fillDesignLists();
    popupOpen = true;
    tk::DrainEvents();
    SetForegroundWindow(canvas);
    tk::DisplayPopupMenu(kMainMenu, canvas);
    tk::SetActiveWindow(kCanvasWindow);
    popupOpen = false;
}

} // namespace zarnet::designer
