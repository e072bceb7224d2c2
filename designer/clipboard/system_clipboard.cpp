#include "designer/clipboard/system_clipboard.h"

#include <cstring>

namespace zarnet::designer {

namespace {

// More than any group of gadgets a user copies, pictures and all, and far
// less than a 32-bit designer can hold twice over while it reads one:
// anything larger is not ours.
constexpr size_t kMaxClipBytes = size_t{32} << 20;

UINT itemsFormat() {
    static const UINT format = RegisterClipboardFormatA(kClipFormatName);
    return format;
}

// Another program may hold the clipboard for a moment.
bool openClipboard(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

HGLOBAL globalCopy(const void* data, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!block) return nullptr;
    void* to = GlobalLock(block);
    if (!to) {
        GlobalFree(block);
        return nullptr;
    }
    if (size) std::memcpy(to, data, size);
    GlobalUnlock(block);
    return block;
}

bool setData(UINT format, const void* data, size_t size) {
    HGLOBAL block = globalCopy(data, size);
    if (!block) return false;
    if (SetClipboardData(format, block)) return true;
    GlobalFree(block);
    return false;
}

} // namespace

bool putOnClipboard(HWND owner, std::span<const uint8_t> items, const std::string& text) {
    if (items.empty() || items.size() > kMaxClipBytes || !itemsFormat()) return false;
    if (!openClipboard(owner)) return false;
    // A global block may be larger than what was put in it: the length goes first.
    std::vector<uint8_t> framed(4 + items.size());
    const auto length = static_cast<uint32_t>(items.size());
    std::memcpy(framed.data(), &length, 4);
    std::memcpy(framed.data() + 4, items.data(), items.size());
    bool done = EmptyClipboard() && setData(itemsFormat(), framed.data(), framed.size());
    if (done) setData(CF_TEXT, text.c_str(), text.size() + 1);
    CloseClipboard();
    return done;
}

bool clipboardHasItems() {
    return itemsFormat() && IsClipboardFormatAvailable(itemsFormat());
}

std::optional<std::vector<uint8_t>> clipboardItems(HWND owner) {
    if (!clipboardHasItems() || !openClipboard(owner)) return std::nullopt;
    std::optional<std::vector<uint8_t>> bytes;
    if (HANDLE block = GetClipboardData(itemsFormat())) {
        const size_t size = GlobalSize(block);
        if (const auto* data = static_cast<const uint8_t*>(GlobalLock(block))) {
            uint32_t length = 0;
            if (size >= 4) std::memcpy(&length, data, 4);
            if (size >= 4 && length <= size - 4 && length <= kMaxClipBytes)
                bytes.emplace(data + 4, data + 4 + length);
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return bytes;
}

} // namespace zarnet::designer
