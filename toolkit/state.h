// The toolkit's process-wide state: the records behind window, gadget, font
// and menu numbers, the gadget list stack and the event queue. Internal to
// toolkit/; programs use the public headers.
#pragma once

#include "toolkit/events.h"
#include "toolkit/gadgets.h"

#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tk::detail {

struct WindowRec {
    int number = -1;
    HWND hwnd = nullptr;
    std::string className;
    WindowCallback callback = nullptr;
    HWND tooltip = nullptr; // one tooltip window serves all gadgets of the window
    bool tabKeys = false;   // TAB moves the focus among its gadgets
};

struct GadgetRec {
    int number = -1;
    int kind = 0;
    HWND hwnd = nullptr;   // GadgetID
    HWND aux = nullptr;    // spin: the up-down control beside the edit field
    HWND inner = nullptr;  // scroll area: the scrolled inner area
    HWND parent = nullptr; // the list window it was created in
    int window = -1;       // owning window number
    uint32_t flags = 0;    // the PureBasic flags it was created with
    bool hidden = false;   // hidden by HideGadget (a hidden splitter also hides what it holds)
    bool disabled = false; // disabled by DisableGadget (a disabled splitter also disables what it holds)

    HFONT font = nullptr; // nullptr: the default font
    int32_t front = -1, back = -1;
    HBRUSH backBrush = nullptr;
    intptr_t data = 0;
    std::string tooltip;
    bool toolsAdded = false; // its windows are tools of the window's tooltip

    // panel
    std::vector<HWND> pages;
    RECT pageRect{-1, -1, -1, -1}; // where the pages were put
    // scroll area
    int innerW = 0, innerH = 0, step = 10;
    RECT innerRect{-1, -1, -1, -1}; // where the inner area was put
    bool updating = false;
    // splitter
    int first = -1, second = -1;
    int minFirst = 0, minSecond = 0;
    int position = 0;
    int span = 0; // the length the position was last laid out in
    RECT firstRect{-1, -1, -1, -1}, secondRect{-1, -1, -1, -1}; // where the children were put
    RECT stripRect{-1, -1, -1, -1}; // the separator, in the splitter's window
    bool dragging = false;
    int dragOffset = 0;
    // combo boxes: the height asked for, which includes the drop-down list
    int requestedHeight = 0;
    // spin
    int minimum = 0, maximum = 100;
    // explorer gadgets
    std::string directory, pattern;
    std::vector<std::string> treePaths;
    // web: whether the browser control is hosted
    bool browser = false;
    // text of kinds whose window text is not their text (web address,
    // caption of a frame drawn without one)
    std::string text;
};

struct ListEntry {
    HWND container = nullptr; // where new gadgets are created
    int gadget = -1;          // owning container/panel/scroll area, -1 for the window
    int tab = -1;             // panel: the tab whose page is current
};

struct Event {
    int code = 0;
    int window = -1, gadget = -1, menu = 0, type = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct MenuRec {
    int number = -1;
    HMENU handle = nullptr;
    bool bar = false;
    HWND window = nullptr;
};

struct FontRec {
    int number = -1;
    HFONT handle = nullptr;
};

struct State {
    std::unordered_map<int, std::unique_ptr<WindowRec>> windows;
    std::unordered_map<int, std::unique_ptr<GadgetRec>> gadgets;
    std::unordered_map<int, std::unique_ptr<FontRec>> fonts;
    std::unordered_map<int, std::unique_ptr<MenuRec>> menus;
    std::unordered_map<HWND, int> gadgetByHwnd;
    std::unordered_map<HWND, int> windowByHwnd;
    int nextAny = kMaxStaticNumber + 1;

    std::vector<ListEntry> lists; // lists[0] is the current window's base list
    int listWindow = -1;          // the window all current lists belong to
    int currentWindow = -1;
    int lastCreated = -1; // for option groups

    std::deque<Event> events;
    Event current;
    WindowCallback globalCallback = nullptr;
    HFONT defaultFont = nullptr;

    // menu building
    std::vector<HMENU> menuStack;
};

State& state();
HINSTANCE instance();
void ensureInitialised(); // common controls, window classes

// Numbers: the next #PB_Any number, or the explicit one when it is in range.
int takeNumber(int requested);

WindowRec* findWindow(int window);
WindowRec* windowOfHandle(HWND hwnd); // the toolkit window hwnd belongs to
GadgetRec* findGadget(int gadget);
GadgetRec* gadgetOfHandle(HWND hwnd);

// Creates a child control in the current gadget list and registers it. The
// style gets WS_CHILD | WS_VISIBLE. Returns nullptr on failure.
GadgetRec* createControl(int requested, int kind, const char* cls, std::string_view text,
                         DWORD style, DWORD exStyle, int x, int y, int w, int h);
// The result a constructor returns for a record.
int constructed(int requested, const GadgetRec* rec);
// Maps an extra handle (inner part) to a gadget.
void mapHandle(HWND hwnd, int gadget);
void pushList(const ListEntry& entry);
void forgetGadgetsUnder(HWND hwnd); // drops records of windows about to be destroyed

void pushEvent(const Event& e);
void pushGadgetEvent(const GadgetRec& g, int type);
// Calls the callback of the window that owns hwnd (for container WM_SIZE).
void notifyCallback(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Window classes the toolkit registers.
inline constexpr const char* kBoxClass = "ZarnetBox"; // containers, pages, inner areas
inline constexpr const char* kScrollAreaClass = "ZarnetScrollArea";
inline constexpr const char* kSplitterClass = "ZarnetSplitter";

// Window procedure shared by boxes: forwards control notifications to the
// top-level window so events and callbacks see them.
LRESULT CALLBACK boxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK scrollAreaProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK splitterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Handles messages every toolkit parent window shares (control
// notifications, colours, cursor). Returns true when it produced *result.
bool handleParentMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

// Hands a mouse message for a gadget with a tooltip to that tooltip, which
// shows and hides its tip by what the mouse does.
void relayToToolTip(const MSG& msg);
// TAB, SHIFT+TAB and their character in window root: whether it was taken.
bool moveFocusByTab(HWND root, const MSG& msg);

// A menu ends on the press of RETURN or ESC while the key is still down; a
// program that polls the keyboard must not take that press for its own.
// Waits until both keys are up and forgets presses made meanwhile.
void releaseMenuKeys();

std::string windowText(HWND hwnd);
RECT gadgetRect(const GadgetRec& g); // outer rectangle in the parent's client coordinates
void placeGadget(GadgetRec& g, int x, int y, int w, int h);

} // namespace tk::detail
