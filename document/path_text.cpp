#include "document/path_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zarnet {

#ifdef _WIN32

std::filesystem::path pathFromText(std::string_view text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return std::filesystem::path(wide);
}

std::string textFromPath(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                        nullptr, nullptr);
    return text;
}

#else

std::filesystem::path pathFromText(std::string_view text) { return std::filesystem::path(text); }
std::string textFromPath(const std::filesystem::path& path) { return path.string(); }

#endif

} // namespace zarnet
