// Zarnet.exe: the designer. It runs one design until Exit or a restart.
#include "designer/shell/designer.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace zarnet::designer;
    static Designer designer;
    StartOptions options;
    options.parameters = commandLineParameters(GetCommandLineA());
    options.waitForMessages = true;
    if (!designer.start(options)) return 1;
    while (designer.pass()) {
    }
    // Ending the process is quicker than taking every window down one by one.
    ExitProcess(0);
}
