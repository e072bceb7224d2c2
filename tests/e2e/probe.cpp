// Paths and processes of the end-to-end probe.
#include "probe.h"

#include <cstdlib>
#include <utility>

namespace probe {

std::string windowsPath(const std::string& path) {
    if (path.empty() || path.front() != '/') return path;
    // Wine translates through its drive mapping; the Z: fallback is the
    // mapping every default prefix has.
    using ToDos = WCHAR*(CDECL*)(const char*);
    const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos != nullptr) {
        if (WCHAR* wide = toDos(path.c_str())) {
            char out[4096] = {};
            const int n =
                WideCharToMultiByte(CP_ACP, 0, wide, -1, out, sizeof out - 1, nullptr, nullptr);
            HeapFree(GetProcessHeap(), 0, wide);
            if (n > 0) return out;
        }
    }
    std::string out = "Z:" + path;
    for (char& c : out) {
        if (c == '/') c = '\\';
    }
    return out;
}

std::string buildDir() {
    const char* env = std::getenv("ZARNET_BUILD");
    std::string dir = env != nullptr && *env != '\0' ? env : ZARNET_E2E_BUILD_DIR;
    dir = windowsPath(dir);
    while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/'))
        dir.pop_back();
    return dir;
}

std::string programFolder() {
    return buildDir() + "\\bin\\";
}

std::string programPath(const std::string& exe) {
    return programFolder() + exe;
}

std::string selfPath() {
    char path[MAX_PATH * 4] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path - 1);
    return std::string(path, n);
}

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

Process::Process(const std::string& commandLine, const std::string& workingDir) {
    // The job lets kill() and the destructor reach whatever the program
    // itself started (the designer starts the viewer and itself).
    job_ = CreateJobObjectA(nullptr, nullptr);
    if (job_ != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = commandLine; // CreateProcessA may write into it
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &si, &pi)) {
        startError_ = GetLastError();
        release();
        return;
    }
    if (job_ != nullptr && !AssignProcessToJobObject(job_, pi.hProcess)) {
        CloseHandle(job_);
        job_ = nullptr;
    }
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    id_ = pi.dwProcessId;
}

Process::~Process() {
    release();
}

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), job_(std::exchange(other.job_, nullptr)),
      id_(std::exchange(other.id_, 0)), startError_(other.startError_) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        release();
        process_ = std::exchange(other.process_, nullptr);
        job_ = std::exchange(other.job_, nullptr);
        id_ = std::exchange(other.id_, 0);
        startError_ = other.startError_;
    }
    return *this;
}

void Process::release() {
    if (process_ != nullptr) {
        if (running()) kill();
        CloseHandle(process_);
        process_ = nullptr;
    }
    if (job_ != nullptr) {
        CloseHandle(job_); // ends anything the program left running
        job_ = nullptr;
    }
}

bool Process::running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::waitExit(DWORD timeoutMs) {
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

std::optional<DWORD> Process::waitExitOrKill(DWORD timeoutMs) {
    if (auto code = waitExit(timeoutMs)) return code;
    kill();
    return std::nullopt;
}

void Process::kill() {
    if (process_ == nullptr) return;
    if (job_ != nullptr) TerminateJobObject(job_, 0xDEAD);
    if (running()) TerminateProcess(process_, 0xDEAD);
    WaitForSingleObject(process_, 10000);
}

} // namespace probe
