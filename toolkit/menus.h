// Menus: pop-up menus and window menu bars. Choosing an item gives a
// PB_Event_Menu event whose EventMenu() is the item's identifier.
#pragma once

#include <windows.h>

#include <string_view>

namespace tk {

// Creating a menu makes it the current menu for MenuItem and friends.
int CreatePopupMenu(int menu);
int CreateMenu(int menu, HWND window);  // a menu bar of that window
void MenuTitle(std::string_view title); // a new drop-down title of a menu bar
void MenuItem(int id, std::string_view text);
void MenuBar(); // a separator
void OpenSubMenu(std::string_view text);
void CloseSubMenu();
bool IsMenu(int menu);
HMENU MenuID(int menu);
void FreeMenu(int menu);

void SetMenuItemState(int menu, int id, int state);
int GetMenuItemState(int menu, int id);
void DisableMenuItem(int menu, int id, bool disable);
void SetMenuItemText(int menu, int id, std::string_view text);
// Shows a pop-up menu at the screen position (x, y), or at the cursor
// when both are -1. The chosen item arrives as an event.
void DisplayPopupMenu(int menu, HWND window, int x = -1, int y = -1);

} // namespace tk
