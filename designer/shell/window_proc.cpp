// The window procedure of the designer's windows: the tool windows' layout
// while they are sized and the canvas-size report.
#include "designer/shell/designer.h"

#include "toolkit/toolkit.h"

namespace zarnet::designer {

void Designer::canvasSizeReport() {
    noteEdit(design);
    // Sizing the canvas by its border is one step however long it takes.
    pendingMergeKey = kCanvasSizeRun;
    refreshTitle();
    int w = tk::WindowWidth(kCanvasWindow), h = tk::WindowHeight(kCanvasWindow);
    if (tk::input().asyncKeyState(VK_SHIFT) != 0) {
        RECT r;
        GetWindowRect(canvas, &r);
        w = r.right - r.left;
        h = r.bottom - r.top;
    }
    tk::SetGadgetText(fields[FieldWidth], std::to_string(w));
    tk::SetGadgetText(fields[FieldHeight], std::to_string(h));
    sizeReport = true;
}

LRESULT designerWindowProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    Designer* d = activeDesigner();
    if (!d) return tk::PB_ProcessPureBasicEvents;
    if (d->sizeReport && tk::input().asyncKeyState(VK_LBUTTON) == 0) {
        d->sizeReport = false;
        tk::SetGadgetText(d->fields[FieldWidth], "");
        tk::SetGadgetText(d->fields[FieldHeight], "");
    }
    switch (message) {
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->hwndFrom == tk::GadgetID(d->tree) &&
            (hdr->code == TVN_BEGINDRAGA || hdr->code == TVN_BEGINDRAGW))
            d->beginTreeDrag(reinterpret_cast<const NMTREEVIEWA*>(lParam)->itemNew.hItem);
        break;
    }
    case WM_MOUSEMOVE:
        if (d->treeDragged) d->treeDragMove();
        break;
    case WM_LBUTTONUP:
        if (d->treeDragged) d->endTreeDrag();
        break;
    case WM_SIZING:
        if (hwnd == d->canvas) d->canvasSizeReport();
        [[fallthrough]];
    case WM_SIZE:
        if (hwnd == d->objectManager) d->layoutObjectManager();
        if (hwnd == d->learner) d->layoutLearner();
        if (hwnd == d->canvas && d->sizeReport) d->refreshTitle();
        break;
    default:
        break;
    }
    return tk::PB_ProcessPureBasicEvents;
}

} // namespace zarnet::designer
