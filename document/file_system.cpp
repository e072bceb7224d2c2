#include "document/file_system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#endif

namespace zarnet::files {

#ifdef _WIN32

namespace {

Kind kindFromAttributes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                       error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH
                   ? Kind::Missing
                   : Kind::Unknown;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return Kind::Folder;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) return Kind::Other;
    return Kind::File;
}

} // namespace

Kind kindOf(const std::string& path) {
    return kindFromAttributes(path);
}
Kind targetKindOf(const std::string& path) {
    return kindFromAttributes(path);
}

std::optional<uint64_t> sizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

namespace {

// The volume and the file's index on it name one file however it is reached.
std::optional<BY_HANDLE_FILE_INFORMATION> identityOf(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool ok = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    if (!ok) return std::nullopt;
    return info;
}

} // namespace

bool sameFile(const std::string& a, const std::string& b) {
    const auto x = identityOf(a);
    const auto y = identityOf(b);
    return x && y && x->dwVolumeSerialNumber == y->dwVolumeSerialNumber &&
           x->nFileIndexHigh == y->nFileIndexHigh && x->nFileIndexLow == y->nFileIndexLow;
}

bool removeFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
}

std::optional<std::vector<Entry>> entriesOf(const std::string& folder) {
    std::string pattern = folder.empty() ? std::string(".") : folder;
    if (pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(pattern.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<Entry>{};
        return std::nullopt;
    }
    std::vector<Entry> entries;
    do {
        const std::string_view name = found.cFileName;
        if (name == "." || name == "..") continue;
        entries.push_back(
            {std::string(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return entries;
}

namespace {
constexpr std::string_view kSeparators = "\\/";
}

#else

namespace {

Kind kindFromStat(int result, const struct stat& st) {
    if (result != 0) return errno == ENOENT || errno == ENOTDIR ? Kind::Missing : Kind::Unknown;
    if (S_ISREG(st.st_mode)) return Kind::File;
    if (S_ISDIR(st.st_mode)) return Kind::Folder;
    return Kind::Other;
}

constexpr std::string_view kSeparators = "/";

} // namespace

Kind kindOf(const std::string& path) {
    struct stat st;
    const int result = lstat(path.c_str(), &st);
    return kindFromStat(result, st);
}

Kind targetKindOf(const std::string& path) {
    struct stat st;
    const int result = stat(path.c_str(), &st);
    return kindFromStat(result, st);
}

std::optional<uint64_t> sizeOf(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat x, y;
    return stat(a.c_str(), &x) == 0 && stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

bool removeFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::optional<std::vector<Entry>> entriesOf(const std::string& folder) {
    const std::string name = folder.empty() ? std::string(".") : folder;
    DIR* dir = opendir(name.c_str());
    if (!dir) return std::nullopt;
    std::vector<Entry> entries;
    while (const dirent* e = readdir(dir)) {
        const std::string_view entry = e->d_name;
        if (entry == "." || entry == "..") continue;
        std::string full = name;
        if (full.back() != '/') full += '/';
        full += entry;
        entries.push_back({std::string(entry), targetKindOf(full) == Kind::Folder});
    }
    closedir(dir);
    return entries;
}

#endif

std::string_view folderOf(std::string_view path) {
    const size_t cut = path.find_last_of(kSeparators);
#ifdef _WIN32
    // "C:name" is a name in drive C's current folder.
    if (cut == std::string_view::npos && path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2);
#endif
    return cut == std::string_view::npos ? std::string_view() : path.substr(0, cut + 1);
}

std::string_view nameOf(std::string_view path) {
    return path.substr(folderOf(path).size());
}

} // namespace zarnet::files
