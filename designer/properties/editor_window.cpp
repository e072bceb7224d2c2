#include "designer/properties/editor_window.h"

#include "toolkit/toolkit.h"

namespace zarnet::designer {

namespace {

HBRUSH editorBrush() {
    static HBRUSH brush = CreateSolidBrush(kEditorColour);
    return brush;
}

} // namespace

int openEditorWindow(const EditorHost& host, int x, int y, int w, int h, bool centred) {
    uint32_t flags = tk::PB_Window_BorderLess | WS_BORDER | tk::PB_Window_Invisible;
    if (centred) flags |= tk::PB_Window_ScreenCentered;
    const int window = tk::OpenWindow(tk::PB_Any, x, y, w, h, "", flags, host.canvas);
    if (!window) return 0;
    HWND hwnd = tk::WindowID(window);
    SetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(editorBrush()));
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    return window;
}

void closeEditorWindow(const EditorHost& host, int window) {
    tk::CloseWindow(window);
    tk::UseWindow(host.canvasWindow);
    tk::UseGadgetList(host.canvas);
    if (host.canvas) SetForegroundWindow(host.canvas);
}

int nextEditorEvent() {
    const int event = tk::WindowEvent();
    if (event == 0) tk::Delay(4);
    return event;
}

bool dragByBackground(int event, int window) {
    if (event != WM_LBUTTONDOWN || tk::EventWindow() != window || tk::EventGadget() >= 0)
        return false;
    ReleaseCapture();
    SendMessageA(tk::WindowID(window), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return true;
}

void onEditorColour(int gadget) {
    tk::SetGadgetColor(gadget, tk::PB_Gadget_BackColor, static_cast<int32_t>(kEditorColour));
}

void markModified(EditorHost& host) {
    if (host.design) noteEdit(*host.design);
    if (host.refreshTitle) host.refreshTitle();
}

} // namespace zarnet::designer
