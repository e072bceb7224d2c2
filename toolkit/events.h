// Events and window callbacks.
#pragma once

#include "toolkit/constants.h"

#include <windows.h>

namespace tk {

// Fetches and dispatches one pending message and returns its event: 0 when
// nothing is pending, PB_Event_Gadget / PB_Event_Menu / PB_Event_CloseWindow /
// PB_Event_SysCommand for what the toolkit translates, otherwise the message
// number of a message addressed to one of the toolkit's windows.
int WindowEvent();
// Like WindowEvent but waits up to timeout milliseconds (-1: forever).
int WaitWindowEvent(int timeout = -1);
// Handles every event already waiting and returns when none is left.
void DrainEvents();

// The current event's details.
int EventWindow(); // window number, -1 when none
int EventGadget(); // gadget number, -1 when none
int EventMenu();   // menu item (PB_Event_Menu) or system command (PB_Event_SysCommand)
int EventType();   // PB_EventType_* of gadget events
WPARAM EventwParam();
LPARAM EventlParam();

// A window callback sees a message before the toolkit does. Returning
// PB_ProcessPureBasicEvents lets the toolkit handle it; any other value is
// the window procedure's result and the toolkit does nothing more with it.
// Besides the messages of the window itself the callback receives WM_SIZE of
// the window's containers, panels and scroll areas (with their handles).
using WindowCallback = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
// window PB_All installs it for every window without a callback of its own;
// nullptr removes it.
void SetWindowCallback(WindowCallback callback, int window = PB_All);

} // namespace tk
