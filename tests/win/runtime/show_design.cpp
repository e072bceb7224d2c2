// Shows a design file the way a generated program does: the window opens
// invisible with the design's client size, the design is loaded into it, the
// callback is installed and the window shown. Runs for the given number of
// milliseconds (default: until closed) so it can be looked at or captured.
//
//   show_design FILE.zrf [MILLISECONDS]
#include "document/design_file.h"
#include "runtime/runtime.h"
#include "toolkit/toolkit.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: show_design FILE.zrf [MILLISECONDS]\n");
        return 2;
    }
    const auto bytes = zarnet::readFileBytes(argv[1]);
    if (!bytes) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const long runFor = argc > 2 ? std::strtol(argv[2], nullptr, 10) : -1;
    const int32_t maxItem = zarnet::ZarnetMaxItem(*bytes);
    std::vector<int32_t> items(static_cast<size_t>(std::clamp(maxItem, -1, 32767) + 1), 0);
    const int win = tk::OpenWindow(tk::PB_Any, 0, 0, zarnet::ZarnetClientWidth(*bytes),
                                   zarnet::ZarnetClientHeight(*bytes), argv[1],
                                   tk::PB_Window_SystemMenu | tk::PB_Window_SizeGadget |
                                       tk::PB_Window_ScreenCentered | tk::PB_Window_Invisible);
    if (!win) return 1;
    const zarnet::LoadReport report = zarnet::Zarnet(win, *bytes, items, 0, 0, 0);
    zarnet::ZarnetCallback(nullptr);
    tk::HideWindow(win, false);
    int made = 0;
    for (int32_t id : items)
        made += id != 0;
    std::printf("%d gadgets, %d records%s%s\n", made, report.records,
                report.complete ? "" : ", stopped: ", report.reason.c_str());
    std::fflush(stdout);
    const DWORD start = GetTickCount();
    while (runFor < 0 || GetTickCount() - start < static_cast<DWORD>(runFor)) {
        const int e = tk::WaitWindowEvent(50);
        if (e == tk::PB_Event_CloseWindow) break;
    }
    return report.complete ? 0 : 3;
}
