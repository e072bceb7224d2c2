#include "toolkit/menus.h"

#include "toolkit/seams.h"
#include "toolkit/state.h"

#include <string>

namespace tk {
using namespace detail;

namespace {

MenuRec* findMenu(int menu) {
    auto& m = state().menus;
    auto it = m.find(menu);
    return it == m.end() ? nullptr : it->second.get();
}

int makeMenu(int menu, HMENU handle, bool bar, HWND window) {
    State& s = state();
    if (menu != -1 && findMenu(menu)) FreeMenu(menu);
    const int number = takeNumber(menu);
    if (number < 0 || !handle) {
        if (handle) DestroyMenu(handle);
        return 0;
    }
    auto rec = std::make_unique<MenuRec>();
    rec->number = number;
    rec->handle = handle;
    rec->bar = bar;
    rec->window = window;
    s.menus[number] = std::move(rec);
    s.menuStack.assign(1, handle);
    return menu == -1 ? number : 1;
}

HMENU building() {
    const auto& stack = state().menuStack;
    return stack.empty() ? nullptr : stack.back();
}

} // namespace

namespace detail {

void releaseMenuKeys() {
    InputSource& in = input();
    for (int key : {VK_RETURN, VK_ESCAPE}) {
        while (in.asyncKeyState(key) & 0x8000)
            clock().sleep(4);
        in.asyncKeyState(key);
    }
}

} // namespace detail

int CreatePopupMenu(int menu) {
    return makeMenu(menu, ::CreatePopupMenu(), false, nullptr);
}

int CreateMenu(int menu, HWND window) {
    const int r = makeMenu(menu, ::CreateMenu(), true, window);
    if (r && window) SetMenu(window, findMenu(menu == -1 ? r : menu)->handle);
    return r;
}

void MenuTitle(std::string_view title) {
    auto& stack = state().menuStack;
    if (stack.empty()) return;
    // Back to the bar itself. Erased rather than resized: resize also
    // carries the growing path, which optimised builds then warn about.
    stack.erase(stack.begin() + 1, stack.end());
    HMENU sub = ::CreatePopupMenu();
    AppendMenuA(stack.front(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                std::string(title).c_str());
    stack.push_back(sub);
}

void MenuItem(int id, std::string_view text) {
    if (HMENU m = building())
        AppendMenuA(m, MF_STRING, static_cast<UINT_PTR>(id), std::string(text).c_str());
}

void MenuBar() {
    if (HMENU m = building()) AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
}

void OpenSubMenu(std::string_view text) {
    HMENU m = building();
    if (!m) return;
    HMENU sub = ::CreatePopupMenu();
    AppendMenuA(m, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                std::string(text).c_str());
    state().menuStack.push_back(sub);
}

void CloseSubMenu() {
    auto& stack = state().menuStack;
    if (stack.size() > 1) stack.pop_back();
}

bool IsMenu(int menu) {
    return findMenu(menu) != nullptr;
}

HMENU MenuID(int menu) {
    MenuRec* m = findMenu(menu);
    return m ? m->handle : nullptr;
}

void FreeMenu(int menu) {
    MenuRec* m = findMenu(menu);
    if (!m) return;
    if (m->bar && m->window && ::IsWindow(m->window) && GetMenu(m->window) == m->handle)
        SetMenu(m->window, nullptr);
    HMENU handle = m->handle;
    auto& stack = state().menuStack;
    if (!stack.empty() && stack.front() == handle) stack.clear();
    DestroyMenu(handle);
    state().menus.erase(menu);
}

void SetMenuItemState(int menu, int id, int value) {
    if (MenuRec* m = findMenu(menu))
        CheckMenuItem(m->handle, static_cast<UINT>(id),
                      MF_BYCOMMAND | (value ? MF_CHECKED : MF_UNCHECKED));
}

int GetMenuItemState(int menu, int id) {
    MenuRec* m = findMenu(menu);
    if (!m) return 0;
    const UINT s = GetMenuState(m->handle, static_cast<UINT>(id), MF_BYCOMMAND);
    return s != static_cast<UINT>(-1) && (s & MF_CHECKED) ? 1 : 0;
}

void DisableMenuItem(int menu, int id, bool disable) {
    if (MenuRec* m = findMenu(menu))
        EnableMenuItem(m->handle, static_cast<UINT>(id),
                       MF_BYCOMMAND | (disable ? MF_GRAYED : MF_ENABLED));
}

void SetMenuItemText(int menu, int id, std::string_view text) {
    MenuRec* m = findMenu(menu);
    if (!m) return;
    std::string t(text);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = t.data();
    SetMenuItemInfoA(m->handle, static_cast<UINT>(id), FALSE, &info);
}

void DisplayPopupMenu(int menu, HWND window, int x, int y) {
    MenuRec* m = findMenu(menu);
    if (!m || !window) return;
    if (x == -1 && y == -1) {
        const POINT p = input().cursorPos();
        x = p.x;
        y = p.y;
    }
    // The menu closes properly only when its owner is the foreground window.
    SetForegroundWindow(window);
    ModalWait wait;
    TrackPopupMenu(m->handle, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, window, nullptr);
    releaseMenuKeys();
    PostMessageA(window, WM_NULL, 0, 0);
}

} // namespace tk
