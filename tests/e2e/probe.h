// A test-side probe for end-to-end tests: starts our programs as real
// processes under the same Wine prefix and looks at them from outside the way
// a user would (windows, message boxes, buttons, keys), plus the registry.
// Every wait is bounded; a Process that is still running when it goes out of
// scope is killed together with anything it started, so a failing test never
// leaves a program behind.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace probe {

// How often a wait looks again.
inline constexpr DWORD kPollMs = 20;

// ---- Paths ---------------------------------------------------------------

// A Unix path ("/work/...") as Wine's DOS path ("Z:\work\..."); a path that
// already is a Windows path comes back unchanged.
std::string windowsPath(const std::string& path);

// The build folder as a Windows path: ZARNET_BUILD (set by ctest), else the
// folder this test was configured in.
std::string buildDir();

// The folder where the build puts the programs side by side, as they are
// installed: buildDir()\bin\ (with the backslash).
std::string programFolder();
// A built program there, e.g. programPath("zarnet-assoc.exe").
std::string programPath(const std::string& exe);

// The path of this test program itself.
std::string selfPath();

// s in double quotes, for building command lines.
std::string quoted(const std::string& s);

// ---- Processes -----------------------------------------------------------

class Process {
  public:
    Process() = default;
    // Starts commandLine exactly as given (argv[0] quoted or not is the
    // caller's choice); workingDir empty keeps ours. started() tells.
    explicit Process(const std::string& commandLine, const std::string& workingDir = {});
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD startError() const { return startError_; }
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_; }
    bool running() const;

    // The exit code, or nothing when the process is still running after
    // timeoutMs (it keeps running).
    std::optional<DWORD> waitExit(DWORD timeoutMs);
    // Like waitExit, but a process still running at the timeout is killed
    // and nothing is returned.
    std::optional<DWORD> waitExitOrKill(DWORD timeoutMs);
    // Ends the process and whatever it started, and waits until it is gone.
    void kill();

  private:
    void release();
    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr;
    DWORD id_ = 0;
    DWORD startError_ = 0;
};

// ---- Windows -------------------------------------------------------------

struct WindowInfo {
    HWND hwnd = nullptr;
    std::string className;
    std::string text;
    // Children: relative to the parent's client area; top-level: screen.
    RECT rect{};
    LONG_PTR style = 0;
    LONG_PTR exStyle = 0;
    int id = 0;
    bool visible = false;
    bool enabled = false;
};

std::string className(HWND hwnd);
// The window's text, fetched with WM_GETTEXT across processes (bounded).
std::string windowText(HWND hwnd);
WindowInfo describe(HWND hwnd);
RECT clientRect(HWND hwnd);

// Top-level windows of a process, in Z order; hidden ones only on request.
std::vector<HWND> topLevelWindows(DWORD pid, bool includeHidden = false);

// Waits for a visible top-level window of the process whose title and class
// match (an empty string matches anything). nullptr on timeout.
HWND waitForWindow(DWORD pid, const std::string& title, const std::string& cls, DWORD timeoutMs);

// Child windows in Z order: the direct children, or every descendant
// (depth first) when allDescendants is set. Rects relative to each child's
// own parent's client area.
std::vector<WindowInfo> childWindows(HWND parent, bool allDescendants = false);

// The first descendant with this class (empty: any) and text (empty: any).
HWND findChild(HWND parent, const std::string& cls, const std::string& text);

// Sets the outer size, or the size of the client area.
bool resizeWindow(HWND hwnd, int width, int height);
bool resizeClient(HWND hwnd, int clientWidth, int clientHeight);
// Asks the window to close, as its close box would (posts WM_CLOSE).
bool closeWindow(HWND hwnd);
bool waitUntilGone(HWND hwnd, DWORD timeoutMs);

// Presses and releases a key with the window in front, through the same
// input path real keystrokes take (SendInput).
bool pressKey(HWND hwnd, WORD virtualKey);

// ---- Real input through the X server -------------------------------------
// Pointer moves, button presses and keys made with xdotool, as a user's
// mouse and keyboard make them: programs see them as hardware input, in
// their messages and in the asynchronous key state alike. Steps are
// collected and run in one go; run() returns when the last one is done.
// Runs a line of the Unix shell (no double quotes in it) and waits until
// it has ended; false when it did not within the time.
bool runShell(const std::string& script, DWORD timeoutMs);

class XInput {
  public:
    XInput& moveTo(POINT screen);
    // Presses and releases a button (1 left, 3 right) where the pointer is,
    // held for a moment, as a hand holds it: a program that samples the
    // buttons between its passes sees the press.
    XInput& click(int button = 1);
    XInput& clickAt(POINT screen, int button = 1) { return moveTo(screen).click(button); }
    // A key by its X name ("Return", "Down", "alt+space"), held likewise.
    XInput& key(const std::string& name);
    XInput& keyDown(const std::string& name);
    XInput& keyUp(const std::string& name);
    // Typed into the window with the keyboard focus (no single quotes).
    XInput& type(const std::string& text);
    XInput& pause(int ms);
    bool run(DWORD timeoutMs = 30000);

  private:
    XInput& add(const std::string& command);
    std::string script_;
};

// ---- Pop-up menus --------------------------------------------------------

// The menu windows (class "#32768") the process shows, top first.
std::vector<HWND> menuWindows(DWORD pid);
// Waits for a menu window of the process that is not in `known`: a menu
// or submenu opened since they were listed. nullptr on timeout.
HWND waitForNewMenu(DWORD pid, const std::vector<HWND>& known, DWORD timeoutMs);
// Waits until the process shows no menu.
bool waitForNoMenu(DWORD pid, DWORD timeoutMs);
// The middle of an entry of a shown menu, found by the entries and
// separators above it: every menu of the prefix lays its entries out
// alike, as a menu of this process shows when measured once.
POINT menuEntry(HWND menu, int entriesAbove, int separatorsAbove);
// Whether that measure could be taken.
bool menuLayoutKnown();

// ---- Message boxes -------------------------------------------------------

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string title;
    std::string text;
    struct Button {
        int id;
        std::string text;
    };
    std::vector<Button> buttons;
    bool hasButton(int id) const;
};

// Reads a dialog as a message box: title, the message text, the buttons.
MessageBoxInfo readMessageBox(HWND dialog);
// Waits for a visible message box of the process that shows its buttons.
std::optional<MessageBoxInfo> waitForMessageBox(DWORD pid, DWORD timeoutMs);
// Clicks the dialog's button with this id (IDYES, IDNO, IDOK...) the way a
// mouse click does (BM_CLICK).
bool clickButton(HWND dialog, int buttonId);
// Clicks a button of the box and waits for the box to go away.
bool answer(const MessageBoxInfo& box, int buttonId, DWORD timeoutMs = 5000);

// ---- Registry ------------------------------------------------------------

struct RegistryValue {
    DWORD type = 0;
    std::vector<unsigned char> data; // exactly the stored bytes
    bool operator==(const RegistryValue&) const = default;
};

bool registryKeyExists(HKEY root, const std::string& key);
// valueName nullptr: the key's default value. Nothing when key or value is missing.
std::optional<RegistryValue> readRegistryValue(HKEY root, const std::string& key,
                                               const char* valueName);
// Writes a REG_SZ value (size counting its zero), creating the key.
bool writeRegistryString(HKEY root, const std::string& key, const char* valueName,
                         const std::string& value);
// Deletes the key and everything below it; true when it is gone.
bool deleteRegistryTree(HKEY root, const std::string& key);

// ---- Wine per-program settings -----------------------------------------
// Wine reads settings for one program (by file name, e.g. "Pelmo.exe") from
// HKCU\Software\Wine\AppDefaults\<exe>; a test sets them for the program it
// starts and clears them when done.

// Lets Wine place the program's windows itself instead of handing them to a
// window manager. Under a bare Xvfb there is none, and Wine then waits about
// two seconds for every top-level window it hides (each closed message box).
bool setWineUnmanagedWindows(const std::string& exeName);
// The Windows version Wine reports to the program: "win98", "winxp", "win7"...
bool setWineWindowsVersion(const std::string& exeName, const std::string& version);
bool clearWineSettings(const std::string& exeName);

} // namespace probe
