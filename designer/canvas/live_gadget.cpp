#include "designer/canvas/live_gadget.h"

#include "document/catalogue.h"
#include "runtime/create.h"
#include "runtime/images.h"
#include "toolkit/fonts.h"
#include "toolkit/gadgets.h"
#include "toolkit/images.h"

#include <commctrl.h>

namespace zarnet::designer {

namespace {

ControlPressedHandler& pressedHandler() {
    static ControlPressedHandler handler = nullptr;
    return handler;
}

// A press on a scroll bar would start the bar's own tracking, which holds
// the press until the button is let go: the designer would never see it.
// The bar is handed to the designer instead, which disables it for the
// pass and marks or drags it like any other gadget.
LRESULT CALLBACK scrollBarPress(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR gadget) {
    if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) && pressedHandler()) {
        pressedHandler()(static_cast<int>(gadget));
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void addTestItems(int gadget) {
    for (int i = 1; i <= 10; ++i)
        tk::AddGadgetItem(gadget, -1, std::string(kComboPreviewItem) + std::to_string(i));
}

// The entries go in with the control's redrawing off: a list or tree that
// redraws works out its scroll bars again after every entry, each time with
// a trip to the window server.
template <class Fill> void fillQuietly(int gadget, Fill fill) {
    HWND h = tk::GadgetID(gadget);
    SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    fill();
    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
}

// A list view measures its rows and sets its scroll bars at its first paint;
// on a shown canvas that paint would draw the bars over and over. Painted
// once into a memory DC while nobody sees it, the list keeps the measures
// and its first real paint only draws.
void measureList(int gadget) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return;
    SendMessageA(tk::GadgetID(gadget), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    DeleteDC(dc);
}

// The entries a new tree shows: one item and a node with four children,
// opened with the tree redrawing, which scrolls the children into view.
void addTreePreview(int gadget) {
    fillQuietly(gadget, [gadget] {
        tk::AddGadgetItem(gadget, -1, "Normal Item", nullptr, 0);
        tk::AddGadgetItem(gadget, -1, "Node", nullptr, 0);
        for (int i = 1; i <= 4; ++i) {
            std::string text = "Sub-Item ";
            text += std::to_string(i);
            tk::AddGadgetItem(gadget, -1, text, nullptr, 1);
        }
    });
    HWND tree = tk::GadgetID(gadget);
    HTREEITEM root = TreeView_GetRoot(tree);
    HTREEITEM node = root ? TreeView_GetNextSibling(tree, root) : nullptr;
    if (node) TreeView_Expand(tree, node, TVE_EXPAND);
}

void addPreviewEntries(const Item& it, int gadget) {
    switch (it.typ) {
    case ComboBoxGadget:
    case ListViewGadget:
        addTestItems(gadget);
        break;
    case ListIconGadget:
        fillQuietly(gadget, [&] { addTestItems(gadget); });
        measureList(gadget);
        break;
    case TreeGadget:
        addTreePreview(gadget);
        break;
    case ProgressBarGadget:
        tk::SetGadgetState(gadget, (it.para2 - it.para1) / 2);
        break;
    default:
        break;
    }
}

// A stand-in picture for an image-capable item without one of its own.
int placeholderImage(int w, int h, uint32_t colour) {
    if (w <= 0 || h <= 0) return 0;
    const int image = tk::CreateImage(tk::PB_Any, w, h, colour);
    if (image && tk::StartDrawing(image)) {
        tk::DrawImageText(10, 10, "Image", RGB(0, 0, 0));
        tk::StopDrawing();
    }
    return image;
}

void freeImages(Item& it) {
    if (it.shownImage && it.shownImage != it.decodedImage) tk::FreeImage(number(it.shownImage));
    if (it.decodedImage) tk::FreeImage(number(it.decodedImage));
    it.shownImage = it.decodedImage = 0;
}

} // namespace

std::string canvasTooltip(const Item& it) {
    return "Item Index " + std::to_string(it.number) + " - " + it.name;
}

void showItemPicture(Item& it) {
    const int kind = imageKind(it.typ, it.flags);
    if (kind == 0 || !it.id) return;
    const int gadget = number(it.id);
    const int border = (it.typ == ImageGadget && it.flags != 0) ? 4 : 0;
    int decoded = it.image.empty() ? 0 : tk::CatchImage(tk::PB_Any, it.image);
    int shown = 0;
    if (decoded) {
        if (it.aflag & 1)
            DrawTransparentImage(decoded, decoded, 0, 0, tk::ImageWidth(decoded),
                                 tk::ImageHeight(decoded), -1);
        // An opaque picture at its own size is shown as decoded: a copy
        // would hold the same pixels, and flattening would change none.
        if (it.aflag & 2)
            shown = tk::CopyImage(decoded, tk::PB_Any, it.w - border, it.h - border);
        else
            shown = tk::ImageOpaque(decoded) ? decoded : tk::CopyImage(decoded, tk::PB_Any);
        if (shown && shown != decoded) tk::FlattenImage(shown, GetSysColor(COLOR_BTNFACE));
    } else if (it.typ == ImageGadget) {
        shown = placeholderImage(it.w - border, it.h - border, RGB(150, 150, 200));
    } else {
        shown = placeholderImage(it.w, it.h, RGB(200, 200, 0));
    }
    tk::SetGadgetImage(gadget, tk::ImageID(shown));
    const Handle oldShown = it.shownImage, oldDecoded = it.decodedImage;
    it.decodedImage = static_cast<Handle>(decoded);
    it.shownImage = static_cast<Handle>(shown);
    if (oldShown && oldShown != oldDecoded) tk::FreeImage(number(oldShown));
    if (oldDecoded) tk::FreeImage(number(oldDecoded));
}

void createLiveGadget(Item& it, const Design& d) {
    // A button made again without its bitmap bit shows no picture, so it
    // keeps none: the file would drop it anyway.
    if (!it.image.empty() && !isImageCapable(it.typ, it.flags)) {
        it.image.clear();
        it.image.shrink_to_fit();
    }
    ZarnContent v;
    static_cast<RecordFields&>(v) = it;
    if (it.typ == SplitterGadget) {
        v.para1 = number(it.firstgadget);
        v.para2 = number(it.secondgadget);
    }
    int gadget = 0;
    if (it.typ == ListViewGadget)
        gadget = tk::ListViewGadget(tk::PB_Any, it.x, it.y, it.w, it.h, it.flags);
    else
        gadget = ReCreateObject(v);
    it.id = static_cast<Handle>(gadget > 0 ? gadget : 0);
    if (!it.id) return;
    if (it.name.empty()) it.name = std::string(typeName(it.typ));
    if (it.typ == ScrollBarGadget)
        SetWindowSubclass(tk::GadgetID(gadget), scrollBarPress, 0, static_cast<DWORD_PTR>(gadget));
    addPreviewEntries(it, gadget);
    if (it.typ == SplitterGadget) {
        tk::SetGadgetAttribute(gadget, tk::PB_Splitter_FirstMinimumSize, it.para5);
        tk::SetGadgetAttribute(gadget, tk::PB_Splitter_SecondMinimumSize, it.para6);
    }
    showItemPicture(it);
    tk::GadgetToolTip(gadget, canvasTooltip(it));
    if (it.status & kStatusDisabled) tk::DisableGadget(gadget, true);
    if (it.status & kStatusHidden) tk::HideGadget(gadget, true);
    if (it.font >= 0 && static_cast<size_t>(it.font) < d.fonts.size()) {
        const FontEntry& f = d.fonts[static_cast<size_t>(it.font)];
        if (f.loadedFont) tk::SetGadgetFont(gadget, tk::FontID(number(f.loadedFont)));
    }
}

void setControlPressedHandler(ControlPressedHandler handler) {
    pressedHandler() = handler;
}

void freeLiveGadget(Item& it) {
    if (it.id && tk::IsGadget(number(it.id))) tk::FreeGadget(number(it.id));
    it.id = 0;
    freeImages(it);
}

} // namespace zarnet::designer
