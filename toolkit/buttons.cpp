// Buttons, check boxes, options, texts, frames, hyperlinks, images and the
// web gadget: the kinds that are one plain control each.
#include "toolkit/gadgets.h"

#include "toolkit/kinds.h"
#include "toolkit/state.h"

#include <exdisp.h>
#include <ole2.h>

namespace tk {
using namespace detail;

namespace {

void clicked(GadgetRec& g, HWND, int code) {
    if (code == BN_CLICKED)
        pushGadgetEvent(g, PB_EventType_LeftClick);
    else if (code == BN_DBLCLK)
        pushGadgetEvent(g, PB_EventType_LeftDoubleClick);
}

int64_t checkState(GadgetRec& g) {
    return SendMessageA(g.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void setCheckState(GadgetRec& g, int64_t v) {
    SendMessageA(g.hwnd, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool startsGroup(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_STYLE) & WS_GROUP;
}

// Selecting an option clears the others of its group, as a click would.
void setOptionState(GadgetRec& g, int64_t v) {
    setCheckState(g, v);
    if (!v) return;
    HWND first = g.hwnd;
    while (!startsGroup(first)) {
        HWND prev = GetWindow(first, GW_HWNDPREV);
        if (!prev) break;
        first = prev;
    }
    for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && startsGroup(h)) break;
        GadgetRec* other = gadgetOfHandle(h);
        if (h != g.hwnd && other && other->kind == KindOption) setCheckState(*other, 0);
    }
}

int64_t buttonImageState(GadgetRec& g) {
    return reinterpret_cast<intptr_t>(
        reinterpret_cast<HANDLE>(SendMessageA(g.hwnd, BM_GETIMAGE, IMAGE_BITMAP, 0)));
}

void setButtonImageState(GadgetRec& g, int64_t v) {
    SendMessageA(g.hwnd, BM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(v));
}

int64_t imageState(GadgetRec& g) {
    return reinterpret_cast<intptr_t>(
        reinterpret_cast<HANDLE>(SendMessageA(g.hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0)));
}

void setImageState(GadgetRec& g, int64_t v) {
    SendMessageA(g.hwnd, STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(v));
}

void staticClicked(GadgetRec& g, HWND, int code) {
    if (code == STN_CLICKED)
        pushGadgetEvent(g, PB_EventType_LeftClick);
    else if (code == STN_DBLCLK)
        pushGadgetEvent(g, PB_EventType_LeftDoubleClick);
}

// The web gadget hosts the system browser through ATL's control host; where
// no browser engine can be loaded it is a plain box showing the address.
using AxWinInit = BOOL(WINAPI*)();
using AxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);

HMODULE atlModule() {
    static HMODULE atl = [] {
        // Without the HTML engine the browser control would stay blank.
        if (!LoadLibraryA("mshtml.dll")) return static_cast<HMODULE>(nullptr);
        HMODULE m = LoadLibraryA("atl.dll");
        auto init = m ? reinterpret_cast<AxWinInit>(
                            reinterpret_cast<void*>(GetProcAddress(m, "AtlAxWinInit")))
                      : nullptr;
        return init && init() ? m : static_cast<HMODULE>(nullptr);
    }();
    return atl;
}

void navigate(GadgetRec& g, std::string_view url) {
    g.text = std::string(url);
    if (!g.browser) {
        SetWindowTextA(g.hwnd, g.text.c_str());
        return;
    }
    auto get = reinterpret_cast<AxGetControl>(
        reinterpret_cast<void*>(GetProcAddress(atlModule(), "AtlAxGetControl")));
    IUnknown* unknown = nullptr;
    if (!get || FAILED(get(g.hwnd, &unknown)) || !unknown) return;
    IWebBrowser2* browser = nullptr;
    if (SUCCEEDED(unknown->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser)))) {
        const int n = MultiByteToWideChar(CP_ACP, 0, g.text.data(), static_cast<int>(g.text.size()),
                                          nullptr, 0);
        BSTR wide = SysAllocStringLen(nullptr, static_cast<UINT>(n));
        MultiByteToWideChar(CP_ACP, 0, g.text.data(), static_cast<int>(g.text.size()), wide, n);
        VARIANT empty;
        VariantInit(&empty);
        browser->Navigate(wide, &empty, &empty, &empty, &empty);
        SysFreeString(wide);
        browser->Release();
    }
    unknown->Release();
}

std::string keptText(GadgetRec& g) {
    return g.text;
}
void setWebText(GadgetRec& g, std::string_view url) {
    navigate(g, url);
}

// A frame with a border style has no caption but keeps its text.
std::string frameText(GadgetRec& g) {
    return (g.flags & PB_Frame3D_Flat) ? g.text : windowText(g.hwnd);
}
void setFrameText(GadgetRec& g, std::string_view text) {
    if (g.flags & PB_Frame3D_Flat)
        g.text = std::string(text);
    else
        SetWindowTextA(g.hwnd, std::string(text).c_str());
}

} // namespace

void detail::registerButtons(KindOps* t) {
    t[KindButton].command = clicked;
    t[KindButton].getState = checkState; // toggle buttons
    t[KindButton].setState = setCheckState;
    t[KindButtonImage].command = clicked;
    t[KindButtonImage].getState = buttonImageState;
    t[KindButtonImage].setState = setButtonImageState;
    t[KindCheckBox].command = clicked;
    t[KindCheckBox].getState = checkState;
    t[KindCheckBox].setState = setCheckState;
    t[KindOption].command = clicked;
    t[KindOption].getState = checkState;
    t[KindOption].setState = setOptionState;
    t[KindHyperLink].command = staticClicked;
    t[KindImage].command = staticClicked;
    t[KindImage].getState = imageState;
    t[KindImage].setState = setImageState;
    t[KindFrame3D].getText = frameText;
    t[KindFrame3D].setText = setFrameText;
    t[KindWeb].getText = keptText;
    t[KindWeb].setText = setWebText;
}

int ButtonGadget(int gadget, int x, int y, int w, int h, std::string_view text, uint32_t flags) {
    return constructed(gadget, createStyled(gadget, KindButton, text, flags, x, y, w, h));
}

int ButtonImageGadget(int gadget, int x, int y, int w, int h, HBITMAP image, uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindButtonImage, {}, flags, x, y, w, h);
    if (g && image) setButtonImageState(*g, reinterpret_cast<intptr_t>(image));
    return constructed(gadget, g);
}

int CheckBoxGadget(int gadget, int x, int y, int w, int h, std::string_view text, uint32_t flags) {
    return constructed(gadget, createStyled(gadget, KindCheckBox, text, flags, x, y, w, h));
}

int OptionGadget(int gadget, int x, int y, int w, int h, std::string_view text) {
    return constructed(gadget, createStyled(gadget, KindOption, text, 0, x, y, w, h));
}

int TextGadget(int gadget, int x, int y, int w, int h, std::string_view text, uint32_t flags) {
    return constructed(gadget, createStyled(gadget, KindText, text, flags, x, y, w, h));
}

int Frame3DGadget(int gadget, int x, int y, int w, int h, std::string_view text, uint32_t flags) {
    // Only the default frame shows a caption.
    const std::string_view caption = (flags & PB_Frame3D_Flat) ? std::string_view() : text;
    GadgetRec* g = createStyled(gadget, KindFrame3D, caption, flags, x, y, w, h);
    if (g) g->text = std::string(text);
    return constructed(gadget, g);
}

int HyperLinkGadget(int gadget, int x, int y, int w, int h, std::string_view text, uint32_t colour,
                    uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindHyperLink, text, flags, x, y, w, h);
    if (g) g->front = static_cast<int32_t>(colour & 0xFFFFFF);
    return constructed(gadget, g);
}

int ImageGadget(int gadget, int x, int y, int w, int h, HBITMAP image, uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindImage, {}, flags, x, y, w, h);
    if (g && image) setImageState(*g, reinterpret_cast<intptr_t>(image));
    return constructed(gadget, g);
}

int WebGadget(int gadget, int x, int y, int w, int h, std::string_view url) {
    ensureInitialised();
    GadgetRec* g = nullptr;
    if (atlModule()) {
        g = createControl(gadget, KindWeb, "AtlAxWin", "Shell.Explorer.2", WS_CLIPCHILDREN, 0, x, y,
                          w, h);
        if (g) {
            g->browser = true;
            navigate(*g, url);
        }
    }
    if (!g) {
        g = createStyled(gadget, KindWeb, url, 0, x, y, w, h);
        if (g) g->text = std::string(url);
    }
    return constructed(gadget, g);
}

bool WebGadgetHasBrowser(int gadget) {
    GadgetRec* g = findGadget(gadget);
    return g && g->browser;
}

} // namespace tk
