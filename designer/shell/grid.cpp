// The grid: its step, the dotted brush the canvas shows it with, and the
// routes that change it (menu, input requester, object manager).
#include "designer/shell/designer.h"

#include "toolkit/images.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

void Designer::rebuildGridBrush() {
    if (!defaultBrushRecorded) {
        defaultBrush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(canvas, GCLP_HBRBACKGROUND));
        defaultBrushRecorded = true;
    }
    const int oldImage = gridImage;
    const HBRUSH oldBrush = gridBrush;
    gridBrush = nullptr;
    gridImage = tk::CreateImage(tk::PB_Any, gridSize, gridSize, GetSysColor(COLOR_BTNFACE));
    if (gridImage && tk::StartDrawing(gridImage)) {
        tk::Box(0, 0, 1, 1, RGB(0, 0, 0));
        tk::StopDrawing();
    }
    if (gridImage) gridBrush = CreatePatternBrush(tk::ImageID(gridImage));
    // The canvas never paints with a deleted brush: its background moves to
    // the new one before the old one goes.
    if (oldBrush &&
        reinterpret_cast<HBRUSH>(GetClassLongPtrA(canvas, GCLP_HBRBACKGROUND)) == oldBrush)
        SetClassLongPtrA(canvas, GCLP_HBRBACKGROUND,
                         reinterpret_cast<LONG_PTR>(gridBrush ? gridBrush : defaultBrush));
    if (oldBrush) DeleteObject(oldBrush);
    if (oldImage) tk::FreeImage(oldImage);
}

namespace {

void repaint(HWND window) {
    // Hidden and shown again so the whole window takes the new background.
    ShowWindow(window, SW_HIDE);
    ShowWindow(window, SW_SHOW);
}

} // namespace

void Designer::applyGrid() {
    if (prefs[PrefShowGrid] != 1 || !gridBrush) return;
    SetClassLongPtrA(canvas, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(gridBrush));
    if (IsWindowVisible(canvas)) repaint(canvas);
}

void Designer::toggleShowGrid() {
    toggleCheck(MenuShowGrid, prefs[PrefShowGrid]);
    HBRUSH brush = prefs[PrefShowGrid] == 1 ? gridBrush : defaultBrush;
    SetClassLongPtrA(canvas, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush));
    repaint(canvas);
}

void Designer::syncGridButtons() {
    tk::SetGadgetState(fields[FieldGrid5], gridSize == 5 ? 1 : 0);
    tk::SetGadgetState(fields[FieldGrid10], gridSize == 10 ? 1 : 0);
}

void Designer::setGridFromMenu(int size) {
    gridSize = size;
    rebuildGridBrush();
    applyGrid();
    syncGridButtons();
    tk::SetGadgetText(fields[FieldUserGrid], std::to_string(gridSize));
}

void Designer::askGridSize() {
    // A cancelled or non-numeric answer reads as 0, which the limit makes 2.
    const std::string answer =
        tk::InputRequester("Set Grid Step", "Enter new stepsize", std::to_string(gridSize));
    setGridFromMenu(clampGridStep(decimalValue(answer)));
}

void Designer::setGridFromObjectManager(int size, bool refocusField) {
    if (size == gridSize) return;
    gridSize = size;
    rebuildGridBrush();
    if (prefs[PrefShowGrid] != 1) return;
    applyGrid();
    SetForegroundWindow(objectManager);
    if (refocusField) SetFocus(tk::GadgetID(fields[FieldUserGrid]));
}

void Designer::setGridFromButton(int size) {
    // The button stays pressed even when the size was already this one.
    setGridFromObjectManager(size, false);
    syncGridButtons();
    tk::SetGadgetText(fields[FieldUserGrid], std::to_string(gridSize));
}

void Designer::setGridFromField() {
    setGridFromObjectManager(clampGridStep(decimalValue(tk::GetGadgetText(fields[FieldUserGrid]))),
                             true);
    // The field keeps what the user typed, even when it was limited.
    syncGridButtons();
}

} // namespace zarnet::designer
