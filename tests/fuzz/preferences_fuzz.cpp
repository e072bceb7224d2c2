// The designer's preferences file over any bytes: read into the 14 values
// as start-up reads it (missing integers 0, a final partial one keeping its
// low-order bytes), written back as the first 56 bytes of a whole file,
// and every stored window either restored as stored, when it is big enough
// and on the screen, or put back at its default place.
#include "designer/shell/shell_logic.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

using namespace zarnet::designer;

void windowComesBackOrStays(WindowRect stored, int screenW, int screenH, int minimum) {
    const WindowRect fallback{screenW - 300, 150, kObjectManagerDefaultWidth,
                              kObjectManagerDefaultHeight};
    // The primary screen and a second one of the same size to its right.
    const WindowRect monitors[] = {{0, 0, screenW, screenH}, {screenW, 0, screenW, screenH}};
    const auto r = reachableWindow(stored, fallback, monitors, minimum);
    if (r) {
        if (r->x != fallback.x || r->y != fallback.y || r->w != fallback.w || r->h != fallback.h)
            std::abort();
        return;
    }
    // Restored as stored: at least the minimum size, and some of it on a screen.
    const long long right = static_cast<long long>(stored.x) + stored.w;
    const long long bottom = static_cast<long long>(stored.y) + stored.h;
    if (stored.w < minimum || stored.h < minimum || right <= 0 || bottom <= 0 ||
        stored.x >= 2LL * screenW || stored.y >= screenH)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const Preferences p = parsePreferences(bytes);
    const std::vector<uint8_t> whole = serialisePreferences(p);
    if (whole.size() != 4 * PrefCount) std::abort();
    // What the file holds is what comes back; beyond its end, zeros.
    const size_t kept = std::min(size, whole.size());
    if (std::memcmp(whole.data(), data, kept) != 0) std::abort();
    for (size_t i = kept; i < whole.size(); ++i)
        if (whole[i] != 0) std::abort();
    if (parsePreferences(whole) != p) std::abort();

    // The screens of this machine and of others.
    for (const auto& [w, h] : {std::pair{1280, 1024}, std::pair{640, 480}, std::pair{3840, 2160}}) {
        windowComesBackOrStays({p[PrefObjectManagerX], p[PrefObjectManagerY],
                                p[PrefObjectManagerWidth], p[PrefObjectManagerHeight]},
                               w, h, 40);
        windowComesBackOrStays(
            {p[PrefLearnerX], p[PrefLearnerY], p[PrefLearnerWidth], p[PrefLearnerHeight]}, w, h,
            40);
        windowComesBackOrStays({p[PrefCanvasX], p[PrefCanvasY], 656, 518}, w, h, 1);
    }
    return 0;
}
