// Wall-clock milliseconds for the Windows benchmarks, which time their own
// iterations (manual time) so that setting up and tearing down windows is
// not counted.
#pragma once

#include <windows.h>

namespace zarnet {

inline double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(freq.QuadPart);
}

} // namespace zarnet
