// Snap guides: while one item is dragged or sized without SHIFT, an edge or
// centre near a sibling's snaps to it before the grid has its say, and a
// dotted line across the canvas shows each alignment that holds. The lines
// are windows of their own above the gadgets, so taking them away leaves
// nothing behind.
#include "designer/shell/designer.h"

#include "designer/arrange/snap.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

namespace {

const char kGuideClass[] = "ZarnetGuideLine";

// A window class whose background is a pattern of single dots.
bool registerGuideClass() {
    static const bool done = [] {
        const WORD dots[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        HBITMAP pattern = CreateBitmap(8, 8, 1, 1, dots);
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = CreatePatternBrush(pattern);
        wc.lpszClassName = kGuideClass;
        return RegisterClassA(&wc) != 0;
    }();
    return done;
}

} // namespace

void Designer::takeSnapTargets() {
    snapTargets.clear();
    if (sel.groupMode || sel.marked < 0) return;
    for (size_t i : snapSiblings(design, static_cast<size_t>(sel.marked))) {
        const Item& it = design.items[i];
        if (it.id && IsWindowVisible(tk::GadgetID(static_cast<int>(it.id))))
            snapTargets.push_back(seenRect(it));
    }
}

Rect Designer::snapToGuides(const Rect& raw, const Rect& gridded, bool sizing) {
    if (snapTargets.empty() || sampled(VK_SHIFT)) {
        freeGuides();
        return gridded;
    }
    SnapResult r = snapToSiblings(
        raw, sizing ? SnapGesture::sizing(sizingMark) : SnapGesture::moving(), snapTargets);
    Rect out = gridded;
    if (r.snappedX) {
        out.x = r.rect.x;
        out.w = r.rect.w;
    } else {
        r.guidesX.clear();
    }
    if (r.snappedY) {
        out.y = r.rect.y;
        out.h = r.rect.h;
    } else {
        r.guidesY.clear();
    }
    showGuides(r.guidesX, r.guidesY);
    return out;
}

void Designer::showGuides(const std::vector<int>& across, const std::vector<int>& down) {
    std::vector<std::pair<bool, int>> wanted;
    for (int x : across)
        wanted.emplace_back(true, x);
    for (int y : down)
        wanted.emplace_back(false, y);
    if (wanted == guidePlaces) return;
    freeGuides();
    if (wanted.empty() || !registerGuideClass()) return;
    // From the holder of the selection to the canvas, which the lines cross.
    POINT origin{0, 0};
    if (sel.marked >= 0)
        MapWindowPoints(holderOf(design.items[static_cast<size_t>(sel.marked)]), canvas, &origin,
                        1);
    RECT c;
    GetClientRect(canvas, &c);
    for (const auto& [vertical, at] : wanted) {
        const int x = vertical ? origin.x + at : 0, y = vertical ? 0 : origin.y + at;
        HWND line = CreateWindowExA(0, kGuideClass, "", WS_CHILD, x, y, vertical ? 1 : c.right,
                                    vertical ? c.bottom : 1, canvas, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        if (!line) continue;
        SetWindowPos(line, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        guideLines.push_back(line);
    }
    guidePlaces = std::move(wanted);
}

void Designer::freeGuides() {
    for (HWND line : guideLines)
        DestroyWindow(line);
    guideLines.clear();
    guidePlaces.clear();
}

} // namespace zarnet::designer
