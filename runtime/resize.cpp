#include "runtime/resize.h"

#include "anchors/anchors.h"
#include "runtime/images.h"
#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

namespace zarnet {

namespace {

constexpr int32_t kFollowsWindow = 1, kFollowsParent = 2;

anchors::Stored storedOf(const gascontent& g) {
    return {static_cast<uint8_t>(g.flag), g.orX, g.orY, g.orW, g.orH};
}

} // namespace

void registerAnchoredGadget(Runtime& rt, int window) {
    const ZarnContent& v = rt.ZarnValue;
    gascontent g;
    // The image record the loader appended for this same gadget, if any.
    if (v.isimage != 0 && !rt.gImageValue.empty() && rt.gImageValue.back().idgadget == v.id)
        g.adimage = static_cast<int>(rt.gImageValue.size() - 1);
    int32_t refW = 0, refH = 0;
    if (!rt.ZarnParent.empty()) {
        const int32_t parent = rt.ZarnParent.back();
        const gwcontent* ref = nullptr;
        for (const gwcontent& p : rt.gParentValue)
            if (p.id == parent) {
                ref = &p;
                break;
            }
        if (!ref) {
            rt.gParentValue.push_back({parent, tk::GadgetWidth(parent), tk::GadgetHeight(parent)});
            ref = &rt.gParentValue.back();
        }
        g.winid = parent;
        g.typ = kFollowsParent;
        refW = ref->orW;
        refH = ref->orH;
    } else {
        tk::UseWindow(window);
        g.winid = window;
        g.typ = kFollowsWindow;
        refW = tk::WindowWidth(window);
        refH = tk::WindowHeight(window);
    }
    g.id = v.id;
    const auto flag = static_cast<uint8_t>(v.auto_);
    g.flag = flag;
    const anchors::Stored s = anchors::storeAnchor(flag, {v.x, v.y, v.w, v.h}, refW, refH);
    g.orX = s.orX;
    g.orY = s.orY;
    g.orW = s.orW;
    g.orH = s.orH;
    rt.gAutoValue.push_back(g);
}

void resizeAnchoredGadgets(Runtime& rt, HWND hwnd, WPARAM wParam, LPARAM) {
    // A minimised window reports a size of nothing; moving every gadget to
    // nothing and back on restore would only throw the pictures away.
    if (wParam == SIZE_MINIMIZED) return;
    int32_t kind = 0, target = 0;
    anchors::Factors f;
    for (const gwcontent& w : rt.gWinValue) {
        if (tk::WindowID(w.id) != hwnd) continue;
        tk::UseWindow(w.id);
        kind = kFollowsWindow;
        target = w.id;
        f = anchors::factorsFor(tk::WindowWidth(w.id), tk::WindowHeight(w.id), w.orW, w.orH);
        break;
    }
    if (kind == 0) {
        for (const gwcontent& p : rt.gParentValue) {
            if (tk::GadgetID(p.id) != hwnd) continue;
            kind = kFollowsParent;
            target = p.id;
            f = anchors::factorsFor(tk::GadgetWidth(p.id), tk::GadgetHeight(p.id), p.orW, p.orH);
            break;
        }
    }
    if (kind == 0) return;
    // The outermost run holds the drawing of what it resizes until every
    // gadget is in place and then repaints it once. Moving controls into
    // the area a shown window has just gained is slow under Wine (about 18
    // ms a control) and can leave them painted clipped to the old area.
    static int depth = 0; // nested runs of moved parents
    const bool outermost = depth++ == 0;
    const bool drawn = outermost && IsWindowVisible(hwnd);
    if (drawn) SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
    bool movedAny = false;
    // By index, with a copy of each element: a nested run for a moved
    // parent walks the same list, and the list may even grow meanwhile.
    for (size_t i = 0; i < rt.gAutoValue.size(); ++i) {
        const gascontent g = rt.gAutoValue[i];
        if (g.winid != target || g.typ != kind) continue;
        // A gadget the program has freed since stays listed; it is skipped.
        if (!tk::IsGadget(g.id)) continue;
        const anchors::Rect r = anchors::resizedRect(storedOf(g), f);
        tk::ResizeGadget(g.id, r.x, r.y, r.w, r.h);
        movedAny = true;
        if (g.adimage < 0 || static_cast<size_t>(g.adimage) >= rt.gImageValue.size()) continue;
        // Worked on as a copy: putting the picture on the gadget sends
        // messages, and nothing the program does then may leave us holding
        // a dangling element.
        gimcontent image = rt.gImageValue[static_cast<size_t>(g.adimage)];
        if (!image.idoimage || !(image.aflag & 2)) continue;
        showRecordImage(image, tk::GadgetWidth(g.id), tk::GadgetHeight(g.id));
        rt.gImageValue[static_cast<size_t>(g.adimage)] = image;
    }
    --depth;
    if (drawn) SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
    if (outermost && movedAny)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace zarnet
