// The designer tests' entry point. Under a bare X server Wine waits about
// two seconds for a window manager whenever a shown window is hidden, and
// the designer shows its windows. Wine reads a program's "Managed" setting
// when the program starts, so the tests set it for themselves and run again
// as a child process that has it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

bool setUnmanaged() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe = self;
    exe = exe.substr(exe.find_last_of('\\') + 1);
    const std::string key = "Software\\Wine\\AppDefaults\\" + exe + "\\X11 Driver";
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                        nullptr) != ERROR_SUCCESS)
        return false;
    RegSetValueExA(h, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(h);
    return true;
}

int runAsChild() {
    SetEnvironmentVariableA("ZARNET_TEST_CHILD", "1");
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::string cmd = GetCommandLineA();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

} // namespace

int main(int argc, char** argv) {
    if (!GetEnvironmentVariableA("ZARNET_TEST_CHILD", nullptr, 0) && setUnmanaged()) {
        const int code = runAsChild();
        if (code != -1) return code;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
