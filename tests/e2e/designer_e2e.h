// What the designer's end-to-end tests share: a private copy of Zarnet.exe
// (and Pelmo.exe beside it) per test, started as a user starts it, and
// ways to reach its windows from outside.
#pragma once

#include "probe.h"

#include "document/design_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace designer_e2e {

constexpr DWORD kStartMs = 30000;
constexpr DWORD kExitMs = 15000;
inline constexpr char kExe[] = "Zarnet.exe";
constexpr WPARAM kSysSave = 132;     // "Save Zarnet" in the system menu
constexpr WPARAM kSysSaveAs = 133;   // "Save Zarnet as.."
constexpr WPARAM kSysToggleXp = 130; // "Toggle XP Skin"

std::vector<uint8_t> bytesOf(const std::string& path);

// Each test gets its own copy of the designer, so its preferences file is
// the test's own, in a folder whose name has a space.
class ZarnetE2E : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    probe::Process start(const std::string& args);
    // The canvas: the visible window whose title reports the client size.
    HWND waitForCanvas(const probe::Process& p, const std::string& title);

    std::string dir, exe, design;
};

// The recovery folder of the prefix's user (ends with a backslash), and
// the copies in it. The tests start with it empty and leave it so.
std::string recoveryFolder();
std::vector<std::string> recoveryFiles();
void clearRecoveryFolder();

// Holds a key down for a moment through the X server, as a user's
// keyboard does: the designer samples keys rather than reading messages.
void holdKey(const char* key);
// Runs a line of xdotool commands through the X server and waits for it.
void xdo(const std::string& commands);
// A point of the window's client area as xdotool's "X Y".
std::string at(HWND window, int x, int y);
// The same point on the screen.
POINT screenAt(HWND window, int x, int y);
std::string centreOf(HWND w);
POINT centre(HWND w);

// The visible top-level window with this title whose process is not pid.
HWND waitForOtherWindow(DWORD pid, const std::string& title, DWORD timeoutMs);
// Asks the window's process to end by closing the window; ends it when it
// does not.
void closeProcessOf(HWND w);
// A test's designer ended: its canvas closed, unsaved changes not kept,
// killed when it does not end.
void endDesigner(probe::Process& p, HWND canvas);
// A visible top-level window of the process holding a button with this text.
HWND windowWithButton(DWORD pid, const std::string& text, HWND* button);

} // namespace designer_e2e
