#include "designer/recovery/recovery_win.h"

#include "document/design_file.h"
#include "document/path_text.h"

namespace zarnet::recovery {

namespace {

uint64_t ticks(const FILETIME& t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

std::optional<uint64_t> creationTime(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
    return ticks(created);
}

} // namespace

ProcessIdentity currentProcess() {
    return {GetCurrentProcessId(), creationTime(GetCurrentProcess()).value_or(0)};
}

std::optional<ProcessIdentity> processOfHandle(HANDLE process) {
    const DWORD pid = process ? GetProcessId(process) : 0;
    const auto created = pid ? creationTime(process) : std::nullopt;
    if (!created) return std::nullopt;
    return ProcessIdentity{pid, *created};
}

bool processAlive(ProcessIdentity process) {
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, process.pid);
    if (!h) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
    const auto created = creationTime(h);
    CloseHandle(h);
    // Same id, another creation time: the id was given to a new process.
    return running && (!created || *created == process.created);
}

uint64_t systemTimeNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return ticks(now);
}

LocalTime localTimeOf(uint64_t fileTime) {
    FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    SYSTEMTIME u{}, local{};
    if (!FileTimeToSystemTime(&utc, &u) || !SystemTimeToTzSpecificLocalTime(nullptr, &u, &local))
        return {};
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute};
}

// When a file was last written, or nullopt when there is none.
std::optional<uint64_t> lastWritten(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

std::vector<FoundCopy> scanFolder(const std::string& folder) {
    std::vector<FoundCopy> found;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*" + kCopyExtension).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string name = entry.cFileName;
        // The pattern also matches longer extensions on some systems.
        if (name.size() < 4 || name.compare(name.size() - 4, 4, kCopyExtension) != 0) continue;
        FoundCopy f{folder + name, identityOfFileName(name), {}};
        const uint64_t size =
            (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        if (size > kMaxCopySize) {
            f.read.fault = "it is far larger than any design";
        } else if (auto bytes = readFileBytes(pathFromText(f.path))) {
            f.read = readCopy(*bytes);
            if (f.read.copy && !f.read.copy->designName.empty())
                f.fileSavedAt = lastWritten(f.read.copy->designName);
        } else {
            f.read.fault = "it cannot be opened";
        }
        found.push_back(std::move(f));
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

} // namespace zarnet::recovery
