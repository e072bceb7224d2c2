// Under a bare X server Wine waits about two seconds for a window manager
// whenever a shown top-level window is hidden. Wine reads a program's own
// "Managed" setting when the program starts, so a test or benchmark that
// shows windows sets it for itself and runs again as a child that has it.
#pragma once

#include <windows.h>

#include <string>

namespace wineharness {

// Returns the child's exit code, or -1 when this process is already the
// child (or the child could not be started): then carry on here.
inline int rerunWithUnmanagedWindows() {
    if (GetEnvironmentVariableA("ZARNET_UNMANAGED_CHILD", nullptr, 0)) return -1;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe = self;
    exe = exe.substr(exe.find_last_of('\\') + 1);
    const std::string key = "Software\\Wine\\AppDefaults\\" + exe + "\\X11 Driver";
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                        nullptr) != ERROR_SUCCESS)
        return -1;
    RegSetValueExA(h, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(h);
    SetEnvironmentVariableA("ZARNET_UNMANAGED_CHILD", "1");
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

} // namespace wineharness
