// Small services every part of the designer uses: the title, tips, key
// polling, event draining, and taking a run down again.
#include "designer/shell/designer.h"

#include "designer/canvas/canvas_build.h"
#include "toolkit/images.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

Designer*& activeDesigner() {
    static Designer* current = nullptr;
    return current;
}

void Designer::refreshTitle() {
    tk::SetWindowTitle(kCanvasWindow,
                       canvasTitle(design.modified, design.fileName,
                                   tk::WindowWidth(kCanvasWindow), tk::WindowHeight(kCanvasWindow)));
}

void Designer::showTip(int n) {
    if (prefs[PrefLearnerMode] != 1 || !tipField) return;
    SendMessageA(tk::GadgetID(tipField), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(std::string(tipText(n)).c_str()));
}

bool Designer::sampled(int virtualKey) {
    const bool down = tk::input().asyncKeyState(virtualKey) != 0;
    keySeenDown = keySeenDown || down;
    return down;
}

bool Designer::buttonPressed(int button) {
    return sampled(button) ||
           (button == VK_LBUTTON ? leftTapped : button == VK_RBUTTON && rightTapped);
}

bool Designer::keyDown(int virtualKey) {
    tk::input().asyncKeyState(virtualKey);
    return sampled(virtualKey);
}

void Designer::waitForRelease(int virtualKey) {
    tk::InputSource& in = tk::input();
    while (in.asyncKeyState(virtualKey) != 0)
        if (tk::WindowEvent() == 0) tk::clock().sleep(4);
}

void Designer::shutdown() {
    tk::setModalTick({});
    dropRecoveryCopy();
    tk::SetWindowCallback(nullptr);
    ClipCursor(nullptr);
    unmark(sel);
    freeCanvas(design);
    freeDesignFonts(design);
    if (canvasDC) ReleaseDC(canvas, canvasDC);
    canvasDC = nullptr;
    for (int menu : {kMainMenu, kCreationMenu, kGroupMenu})
        if (tk::IsMenu(menu)) tk::FreeMenu(menu);
    // The canvas class outlives this designer: it keeps no brush of ours.
    if (canvas && defaultBrushRecorded)
        SetClassLongPtrA(canvas, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(defaultBrush));
    for (int window : {kLearnerWindow, kObjectManagerWindow, kCanvasWindow})
        if (tk::IsWindow(window)) tk::CloseWindow(window);
    if (typeIcons) ImageList_Destroy(typeIcons);
    typeIcons = nullptr;
    if (gridBrush) DeleteObject(gridBrush);
    gridBrush = nullptr;
    for (int image : {gridImage, markImage})
        if (image) tk::FreeImage(image);
    gridImage = markImage = 0;
    if (fixedFont) DeleteObject(fixedFont);
    fixedFont = nullptr;
    canvas = objectManager = learner = nullptr;
    if (activeDesigner() == this) activeDesigner() = nullptr;
}

} // namespace zarnet::designer
