#include "designer_e2e.h"

#include <shlobj.h>

namespace designer_e2e {

std::vector<uint8_t> bytesOf(const std::string& path) {
    return zarnet::readFileBytes(path).value_or(std::vector<uint8_t>{});
}

std::string recoveryFolder() {
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    return std::string(appData) + "\\Zarnet\\recovery\\";
}

std::vector<std::string> recoveryFiles() {
    std::vector<std::string> out;
    WIN32_FIND_DATAA entry;
    HANDLE h = FindFirstFileA((recoveryFolder() + "*.zrv").c_str(), &entry);
    if (h == INVALID_HANDLE_VALUE) return out;
    do
        out.push_back(recoveryFolder() + entry.cFileName);
    while (FindNextFileA(h, &entry));
    FindClose(h);
    return out;
}

// Copies a killed designer left would be offered to the next test's.
void clearRecoveryFolder() {
    for (const std::string& f : recoveryFiles())
        DeleteFileA(f.c_str());
}

void ZarnetE2E::SetUp() {
    clearRecoveryFolder();
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    dir = std::string(tmp) + "zarnet e2e " + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    exe = dir + kExe;
    ASSERT_TRUE(CopyFileA(probe::programPath(kExe).c_str(), exe.c_str(), FALSE));
    design = dir + "my design.zrf";
    const std::string example =
        probe::windowsPath(std::string(ZARNET_SOURCE_DIR) + "/examples/example.zrf");
    ASSERT_TRUE(CopyFileA(example.c_str(), design.c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(probe::programPath("Pelmo.exe").c_str(), (dir + "Pelmo.exe").c_str(), FALSE));
    probe::setWineUnmanagedWindows(kExe);
    probe::setWineUnmanagedWindows("Pelmo.exe");
}

void ZarnetE2E::TearDown() {
    clearRecoveryFolder();
    for (const char* f : {kExe, "my design.zrf", "preferences.zrp", "saved.zrf", "damaged.zrf",
                          "backup", "Pelmo.exe", "Zarnet.exe.manifest", "Pelmo.exe.manifest", "recent.zrl"})
        DeleteFileA((dir + f).c_str());
    RemoveDirectoryA(dir.c_str());
    probe::clearWineSettings(kExe);
    probe::clearWineSettings("Pelmo.exe");
}

probe::Process ZarnetE2E::start(const std::string& args) {
    return probe::Process(probe::quoted(exe) + (args.empty() ? "" : " " + args));
}

HWND ZarnetE2E::waitForCanvas(const probe::Process& p, const std::string& title) {
    return probe::waitForWindow(p.id(), title, "", kStartMs);
}

void holdKey(const char* key) {
    ASSERT_TRUE(probe::XInput().key(key).run(kExitMs));
}

void xdo(const std::string& commands) {
    ASSERT_TRUE(probe::runShell(commands, kExitMs));
}

POINT screenAt(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

std::string at(HWND window, int x, int y) {
    const POINT p = screenAt(window, x, y);
    return std::to_string(p.x) + " " + std::to_string(p.y);
}

POINT centre(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string centreOf(HWND w) {
    const POINT p = centre(w);
    return std::to_string(p.x) + " " + std::to_string(p.y);
}

HWND waitForOtherWindow(DWORD pid, const std::string& title, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        HWND w = FindWindowA(nullptr, title.c_str());
        DWORD owner = 0;
        if (w) GetWindowThreadProcessId(w, &owner);
        if (w && owner != pid && IsWindowVisible(w)) return w;
        Sleep(50);
    }
    return nullptr;
}

void closeProcessOf(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    probe::closeWindow(w);
    if (h && WaitForSingleObject(h, kExitMs) != WAIT_OBJECT_0) TerminateProcess(h, 1);
    if (h) CloseHandle(h);
}

void endDesigner(probe::Process& p, HWND canvas) {
    if (canvas && p.running()) {
        probe::closeWindow(canvas);
        if (auto box = probe::waitForMessageBox(p.id(), 3000)) probe::answer(*box, IDNO);
    }
    p.waitExitOrKill(kExitMs);
}

HWND windowWithButton(DWORD pid, const std::string& text, HWND* button) {
    for (int i = 0; i < 200; ++i, Sleep(50)) {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != pid || !IsWindowVisible(w)) continue;
            if (HWND b = probe::findChild(w, "Button", text)) {
                *button = b;
                return w;
            }
        }
    }
    return nullptr;
}

} // namespace designer_e2e
