// Top-level windows and gadget lists.
#pragma once

#include "toolkit/constants.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace tk {

// Opens a window whose client area is innerWidth x innerHeight at the outer
// position (x, y), owned by parent when given. Its gadget list becomes the
// current one. Returns the window number (#PB_Any) or nonzero, 0 on failure.
int OpenWindow(int window, int x, int y, int innerWidth, int innerHeight, std::string_view title,
               uint32_t flags = PB_Window_SystemMenu, HWND parent = nullptr);
void CloseWindow(int window);
bool IsWindow(int window);
HWND WindowID(int window);
// The window number of a toolkit window handle, -1 when it is none of ours.
int WindowFromHandle(HWND hwnd);

void HideWindow(int window, bool hide);
void DisableWindow(int window, bool disable);
void UseWindow(int window); // makes it the current window
int CurrentWindow();        // -1 when none
int GetActiveWindow();      // foreground window's number, -1 when not ours
void SetActiveWindow(int window);

// Outer position, inner (client) size; a minimized window reports (and
// ResizeWindow sets) its restored place and size.
int WindowX(int window);
int WindowY(int window);
int WindowWidth(int window);
int WindowHeight(int window);
// Outer position and inner size; -1 keeps a value.
void ResizeWindow(int window, int x, int y, int innerWidth, int innerHeight);
void SetWindowTitle(int window, std::string_view title);
// TAB and SHIFT+TAB move the keyboard focus among the window's gadgets in
// the order they were made, into containers, panel pages and scroll areas.
void KeyboardNavigation(int window, bool on);
std::string GetWindowTitle(int window);

// Gadget lists: new gadgets go into the current list. A window's list is the
// base; containers and scroll areas push theirs when created, a panel pushes
// its own and each added tab makes that tab current; CloseGadgetList pops.
bool UseGadgetList(HWND window);                // base list of that window
void OpenGadgetList(int gadget, int item = -1); // container, scroll area, panel tab
void CloseGadgetList();
// The handle that children of the current list are created in.
HWND CurrentGadgetListHandle();

} // namespace tk
