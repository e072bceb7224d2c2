// Real input through the X server and the pop-up menus it chooses from.
#include "probe.h"

#include <algorithm>
#include <random>

namespace probe {

namespace {

// A button or key is held this long: the designer samples buttons and keys
// between passes and only takes a press it sees.
constexpr int kHoldMs = 150;

std::string seconds(int ms) {
    return std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100) +
           std::to_string(ms % 100 / 10) + std::to_string(ms % 10);
}

// ---- menu layout, measured on a menu of this process ----

struct MenuLayout {
    int top = 0;       // the first entry's top below the menu's client area
    int entry = 0;     // height of an entry
    int separator = 0; // height of a separator
};

const char kOwnerClass[] = "ZarnetProbeMenuOwner";
HMENU measuredMenu = nullptr;
MenuLayout measured;

BOOL CALLBACK findMenuWindow(HWND hwnd, LPARAM param) {
    if (className(hwnd) != "#32768" || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
}

LRESULT CALLBACK ownerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ENTERIDLE && wp == MSGF_MENU && measured.entry == 0) {
        HWND menuWindow = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), findMenuWindow,
                          reinterpret_cast<LPARAM>(&menuWindow));
        RECT first{}, separator{};
        POINT origin{0, 0};
        if (menuWindow && GetMenuItemRect(hwnd, measuredMenu, 0, &first) &&
            GetMenuItemRect(hwnd, measuredMenu, 1, &separator) &&
            ClientToScreen(menuWindow, &origin)) {
            measured.top = first.top - origin.y;
            measured.entry = first.bottom - first.top;
            measured.separator = separator.bottom - separator.top;
        }
        EndMenu();
    } else if (msg == WM_TIMER) {
        EndMenu(); // no idle moment came: the menu is not kept open
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Every pop-up menu of the prefix lays out its entries alike (one font, one
// set of margins): an entry, a separator and an entry of a menu shown here
// for a moment give the measures.
const MenuLayout& menuLayout() {
    static const bool done = [] {
        HINSTANCE inst = GetModuleHandleA(nullptr);
        WNDCLASSA wc{};
        wc.lpfnWndProc = ownerProc;
        wc.hInstance = inst;
        wc.lpszClassName = kOwnerClass;
        RegisterClassA(&wc);
        HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClass, "", WS_POPUP, 0, 0, 1, 1,
                                     nullptr, nullptr, inst, nullptr);
        measuredMenu = CreatePopupMenu();
        AppendMenuA(measuredMenu, MF_STRING, 1, "Entry");
        AppendMenuA(measuredMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(measuredMenu, MF_STRING, 2, "Entry");
        SetTimer(owner, 1, 3000, nullptr);
        TrackPopupMenu(measuredMenu, TPM_RETURNCMD | TPM_LEFTALIGN, 0, 0, 0, owner, nullptr);
        KillTimer(owner, 1);
        DestroyMenu(measuredMenu);
        DestroyWindow(owner);
        return true;
    }();
    (void)done;
    return measured;
}

} // namespace

XInput& XInput::add(const std::string& command) {
    if (!script_.empty()) script_ += "; ";
    script_ += command;
    return *this;
}

XInput& XInput::moveTo(POINT screen) {
    add("xdotool mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y));
    return pause(200);
}

XInput& XInput::click(int button) {
    const std::string b = std::to_string(button);
    add("xdotool mousedown " + b);
    pause(kHoldMs);
    add("xdotool mouseup " + b);
    return pause(250);
}

XInput& XInput::key(const std::string& name) {
    keyDown(name);
    pause(kHoldMs);
    keyUp(name);
    return pause(150);
}

XInput& XInput::keyDown(const std::string& name) {
    return add("xdotool keydown " + name);
}

XInput& XInput::keyUp(const std::string& name) {
    return add("xdotool keyup " + name);
}

XInput& XInput::type(const std::string& text) {
    // Single quotes keep the text one word for the shell; it holds none.
    return add("xdotool type --delay 60 '" + text + "'");
}

XInput& XInput::pause(int ms) {
    return add("sleep " + seconds(ms));
}

bool runShell(const std::string& script, DWORD timeoutMs) {
    // The Unix shell is reached through Wine's start.exe; the line may hold
    // no double quotes. start.exe does not always wait for a Unix program,
    // so the line ends by leaving a mark, and the run lasts until it shows.
    // Process ids are Wine's own, so test programs in two prefixes may share
    // one: the mark's name takes a random number drawn once per process.
    static const std::string self =
        std::to_string(GetCurrentProcessId()) + "-" + std::to_string(std::random_device{}());
    static int runs = 0;
    const std::string mark = "/tmp/zarnet-shell-" + self + "-" + std::to_string(++runs);
    std::string windowsMark = "Z:" + mark;
    std::replace(windowsMark.begin(), windowsMark.end(), '/', '\\');
    Process p("start.exe /wait /unix /bin/sh -c \"" + script + "; touch " + mark + "\"");
    if (!p.started()) return false;
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(windowsMark.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(kPollMs);
    }
    DeleteFileA(windowsMark.c_str());
    p.waitExitOrKill(timeoutMs);
    return true;
}

bool XInput::run(DWORD timeoutMs) {
    const std::string script = script_;
    script_.clear();
    return runShell(script, timeoutMs);
}

std::vector<HWND> menuWindows(DWORD pid) {
    std::vector<HWND> menus;
    for (HWND hwnd : topLevelWindows(pid))
        if (className(hwnd) == "#32768") menus.push_back(hwnd);
    return menus;
}

HWND waitForNewMenu(DWORD pid, const std::vector<HWND>& known, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND hwnd : menuWindows(pid)) {
            bool old = false;
            for (HWND k : known)
                old = old || k == hwnd;
            if (!old) {
                Sleep(200); // drawn and tracking
                return hwnd;
            }
        }
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(kPollMs);
    }
}

bool waitForNoMenu(DWORD pid, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!menuWindows(pid).empty()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
    return true;
}

POINT menuEntry(HWND menu, int entriesAbove, int separatorsAbove) {
    const MenuLayout& m = menuLayout();
    POINT p{0, 0};
    ClientToScreen(menu, &p);
    p.x += 24;
    p.y += m.top + entriesAbove * m.entry + separatorsAbove * m.separator + m.entry / 2;
    return p;
}

bool menuLayoutKnown() {
    return menuLayout().entry > 0;
}

} // namespace probe
