// Pelmo: shows one design file as a live window, exactly as a generated
// program would, and switches its own visual style.
#include "document/design_file.h"
#include "document/design_format.h"
#include "document/path_text.h"
#include "runtime/procedures.h"
#include "runtime/runtime.h"
#include "toolkit/toolkit.h"
#include "viewer/screenshot.h"
#include "viewer/viewer_logic.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace zarnet;

std::string ownPath() {
    char buf[1001] = {};
    const DWORD n = GetModuleFileNameA(nullptr, buf, 1000);
    return std::string(buf, n);
}

std::string parameter(int index) {
    return index < __argc ? std::string(__argv[index]) : std::string();
}

void restart(const std::string& self, const std::string& design) {
    const std::string param = viewer::restartParameter(design);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.lpVerb = "open";
    info.lpFile = self.c_str();
    info.lpParameters = param.c_str();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&info);
}

void askToToggle(const std::string& manifest) {
    if (tk::MessageRequester("Info", viewer::kQuestion, tk::PB_MessageRequester_YesNo) == IDYES)
        viewer::toggleStyle(pathFromText(manifest));
}

void eventLoop() {
    tk::KeyboardNavigation(0, true);
    bool escape = false;
    tk::InputSource& in = tk::input();
    in.asyncKeyState(VK_ESCAPE); // forget a press from before the window
    int event = 0;
    do {
        event = tk::WaitWindowEvent();
        if (event == WM_SIZE || event == WM_PAINT) {
            // Drain what the size or paint brought, but a close request
            // among it still ends the viewer rather than being dropped.
            while (const int pending = tk::WindowEvent()) {
                if (pending == tk::PB_Event_CloseWindow) event = pending;
            }
        } else if (event != 0) {
            while (in.asyncKeyState(VK_ESCAPE) != 0) {
                escape = true;
                if (tk::WindowEvent() == 0) tk::clock().sleep(4);
            }
        }
    } while (event != tk::PB_Event_CloseWindow && !escape);
}

int showDesign(const std::string& path) {
    auto bytes = readFileBytes(pathFromText(path));
    if (!bytes) {
        tk::MessageRequester("Error", "Can't open the design file\r" + path);
        return 1;
    }
    // The runtime stops at a broken record, but a file that is not a whole
    // design is better told than half shown.
    const LoadResult check = readDesign(*bytes, Strictness::Lenient);
    if (!check.design) {
        tk::MessageRequester("Error", "Can't read the design file\r" + path + "\r\roffset " +
                                          std::to_string(check.error.offset) + ": " +
                                          check.error.what);
        return 1;
    }
    const int maxItem = headerMaxItem(*bytes);
    std::vector<int32_t> items(static_cast<size_t>(maxItem + 1), 0);
    const uint32_t flags = tk::PB_Window_ScreenCentered | tk::PB_Window_SystemMenu |
                           tk::PB_Window_SizeGadget | tk::PB_Window_MinimizeGadget |
                           tk::PB_Window_MaximizeGadget | tk::PB_Window_Invisible;
    if (!tk::OpenWindow(0, 0, 0, headerClientWidth(*bytes), headerClientHeight(*bytes),
                        viewer::kWindowTitle, flags))
        return 0;
    Zarnet(0, *bytes, items, 0, 0, 0);
    ZarnetCallback(nullptr);
    tk::HideWindow(0, false);
    eventLoop();
    return 0;
}

// --screenshot OUT.png [--compare OLD.zrf] FILE.zrf
int screenshot() {
    const std::string out = parameter(2);
    const bool compare = parameter(3) == "--compare";
    const std::string older = compare ? parameter(4) : std::string();
    const std::string design = parameter(compare ? 5 : 3);
    if (out.empty() || design.empty() || (compare && older.empty()) ||
        __argc != (compare ? 6 : 4)) {
        std::fputs("usage: Pelmo.exe --screenshot OUT.png [--compare OLD.zrf] FILE.zrf\n", stderr);
        return 2;
    }
    return viewer::takeScreenshot(out, design, older);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Pictures, extended tooltips and anchors, as a generated program has them.
    registerRuntimeProcedures();
    const std::string self = ownPath();
    const std::string manifest = viewer::manifestPathFor(self);
    const std::string design = parameter(1);
    if (design == "--screenshot") return screenshot();
    if (design.empty()) {
        askToToggle(manifest);
        return 0;
    }
    const std::string style = parameter(2);
    if (!style.empty()) {
        viewer::applyStyleSwitch(pathFromText(manifest), viewer::styleValue(style));
        restart(self, design);
        return 0;
    }
    return showDesign(design);
}
