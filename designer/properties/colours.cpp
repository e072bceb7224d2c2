#include "designer/properties/editors.h"
#include "toolkit/seams.h"

namespace zarnet::designer {

// The requester keeps its 16 custom colours for as long as the program
// runs, and tests can script it.
int32_t chooseColour(HWND owner, int32_t initial) {
    if (owner) SetForegroundWindow(owner);
    const int32_t c = tk::ColorRequester(initial < 0 ? 0 : initial);
    return c < 0 ? -1 : (c & 0xFFFFFF);
}

} // namespace zarnet::designer
