// Windows, message boxes and keys of the end-to-end probe. Everything here
// works on windows of other processes: texts travel by WM_GETTEXT, clicks by
// BM_CLICK, keys by SendInput.
#include "probe.h"

#include <utility>

namespace probe {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

template <typename Pred> bool pollUntil(DWORD timeoutMs, Pred pred) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (pred()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
}

HWND parentOf(HWND hwnd) {
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    return parent == GetDesktopWindow() ? nullptr : parent;
}

void collectChildren(HWND parent, bool allDescendants, std::vector<WindowInfo>& out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        out.push_back(describe(child));
        if (allDescendants) collectChildren(child, true, out);
    }
}

struct TopLevelQuery {
    DWORD pid;
    bool includeHidden;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND hwnd, LPARAM param) {
    auto& q = *reinterpret_cast<TopLevelQuery*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == q.pid && (q.includeHidden || IsWindowVisible(hwnd))) q.found.push_back(hwnd);
    return TRUE;
}

} // namespace

std::string className(HWND hwnd) {
    char name[256] = {};
    const int n = GetClassNameA(hwnd, name, sizeof name);
    return std::string(name, n > 0 ? n : 0);
}

std::string windowText(HWND hwnd) {
    DWORD_PTR length = 0;
    if (SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                            &length)) {
        std::string text(length + 1, '\0');
        DWORD_PTR copied = 0;
        if (SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(),
                                reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                                kSendTimeoutMs, &copied)) {
            text.resize(copied < length ? copied : length);
            return text;
        }
    }
    char text[1024] = {};
    const int n = GetWindowTextA(hwnd, text, sizeof text);
    return std::string(text, n > 0 ? n : 0);
}

RECT clientRect(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

WindowInfo describe(HWND hwnd) {
    WindowInfo info;
    info.hwnd = hwnd;
    info.className = className(hwnd);
    info.text = windowText(hwnd);
    GetWindowRect(hwnd, &info.rect);
    if (HWND parent = parentOf(hwnd)) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&info.rect), 2);
    }
    info.style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    info.exStyle = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
    info.id = static_cast<int>(GetWindowLongPtrA(hwnd, GWLP_ID));
    info.visible = IsWindowVisible(hwnd) != FALSE;
    info.enabled = IsWindowEnabled(hwnd) != FALSE;
    return info;
}

std::vector<HWND> topLevelWindows(DWORD pid, bool includeHidden) {
    TopLevelQuery query{pid, includeHidden, {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND waitForWindow(DWORD pid, const std::string& title, const std::string& cls, DWORD timeoutMs) {
    HWND found = nullptr;
    pollUntil(timeoutMs, [&] {
        for (HWND hwnd : topLevelWindows(pid)) {
            if ((cls.empty() || className(hwnd) == cls) &&
                (title.empty() || windowText(hwnd) == title)) {
                found = hwnd;
                return true;
            }
        }
        return false;
    });
    return found;
}

std::vector<WindowInfo> childWindows(HWND parent, bool allDescendants) {
    std::vector<WindowInfo> out;
    collectChildren(parent, allDescendants, out);
    return out;
}

HWND findChild(HWND parent, const std::string& cls, const std::string& text) {
    for (const WindowInfo& child : childWindows(parent, true)) {
        if ((cls.empty() || child.className == cls) && (text.empty() || child.text == text)) {
            return child.hwnd;
        }
    }
    return nullptr;
}

bool resizeWindow(HWND hwnd, int width, int height) {
    return SetWindowPos(hwnd, nullptr, 0, 0, width, height,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool resizeClient(HWND hwnd, int clientWidth, int clientHeight) {
    RECT outer{}, inner{};
    if (!GetWindowRect(hwnd, &outer) || !GetClientRect(hwnd, &inner)) return false;
    const int extraW = (outer.right - outer.left) - inner.right;
    const int extraH = (outer.bottom - outer.top) - inner.bottom;
    return resizeWindow(hwnd, clientWidth + extraW, clientHeight + extraH);
}

bool closeWindow(HWND hwnd) {
    return PostMessageA(hwnd, WM_CLOSE, 0, 0) != FALSE;
}

bool waitUntilGone(HWND hwnd, DWORD timeoutMs) {
    return pollUntil(timeoutMs, [&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); });
}

bool pressKey(HWND hwnd, WORD virtualKey) {
    SetForegroundWindow(hwnd);
    if (!pollUntil(2000, [&] { return GetForegroundWindow() == hwnd; })) return false;
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = virtualKey;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, keys, sizeof(INPUT)) == 2;
}

bool MessageBoxInfo::hasButton(int id) const {
    for (const Button& b : buttons) {
        if (b.id == id) return true;
    }
    return false;
}

MessageBoxInfo readMessageBox(HWND dialog) {
    MessageBoxInfo box;
    box.hwnd = dialog;
    box.title = windowText(dialog);
    bool textById = false;
    for (const WindowInfo& child : childWindows(dialog)) {
        if (!child.visible) continue;
        if (child.className == "Button") {
            box.buttons.push_back({child.id, child.text});
        } else if (child.className == "Static" && (child.style & SS_TYPEMASK) != SS_ICON) {
            // The message sits in the static with id 0xFFFF; other statics
            // count only when that one is missing.
            if ((child.id & 0xFFFF) == 0xFFFF) {
                box.text = child.text;
                textById = true;
            } else if (!textById && box.text.empty()) {
                box.text = child.text;
            }
        }
    }
    return box;
}

std::optional<MessageBoxInfo> waitForMessageBox(DWORD pid, DWORD timeoutMs) {
    std::optional<MessageBoxInfo> found;
    pollUntil(timeoutMs, [&] {
        for (HWND hwnd : topLevelWindows(pid)) {
            if (className(hwnd) != "#32770") continue;
            MessageBoxInfo box = readMessageBox(hwnd);
            if (!box.buttons.empty()) {
                found = std::move(box);
                return true;
            }
        }
        return false;
    });
    return found;
}

bool clickButton(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    if (button == nullptr || !IsWindowVisible(button) || !IsWindowEnabled(button)) return false;
    // Posted, not sent: a click that opens a modal loop must not hold the
    // test up. answer() confirms the effect by waiting for the box to go.
    SetForegroundWindow(dialog);
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

bool answer(const MessageBoxInfo& box, int buttonId, DWORD timeoutMs) {
    return clickButton(box.hwnd, buttonId) && waitUntilGone(box.hwnd, timeoutMs);
}

} // namespace probe
