// The designer tests' entry point: the designer shows its windows, so the
// tests run with Wine placing windows itself.
#include "tests/win/unmanaged_windows.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (const int code = wineharness::rerunWithUnmanagedWindows(); code != -1) return code;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
