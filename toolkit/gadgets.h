// The 29 gadget kinds and the operations on gadgets. Every constructor
// creates its gadget in the current gadget list; `gadget` is #PB_Any or an
// explicit number (an existing gadget of that number is freed first). The
// result is the new number for #PB_Any, nonzero for an explicit number, and
// 0 when the gadget could not be created.
#pragma once

#include "toolkit/constants.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tk {

// Kinds, numbered like PureBasic's gadget commands (GadgetType()).
enum Kind : int {
    KindButton = 1,
    KindButtonImage,
    KindCheckBox,
    KindComboBox,
    KindEditor,
    KindExplorerCombo,
    KindExplorerList,
    KindExplorerTree,
    KindFrame3D,
    KindHyperLink,
    KindImage,
    KindListIcon,
    KindListView,
    KindOption,
    KindPanel,
    KindProgressBar,
    KindScrollArea,
    KindScrollBar,
    KindSpin,
    KindString,
    KindText,
    KindTrackBar,
    KindTree,
    KindWeb,
    KindCalendar,
    KindDate,
    KindIPAddress,
    KindContainer,
    KindSplitter
};

int ButtonGadget(int gadget, int x, int y, int w, int h, std::string_view text, uint32_t flags = 0);
int ButtonImageGadget(int gadget, int x, int y, int w, int h, HBITMAP image = nullptr,
                      uint32_t flags = 0);
int CheckBoxGadget(int gadget, int x, int y, int w, int h, std::string_view text,
                   uint32_t flags = 0);
int ComboBoxGadget(int gadget, int x, int y, int w, int h, uint32_t flags = 0);
int EditorGadget(int gadget, int x, int y, int w, int h, uint32_t flags = 0);
int ExplorerComboGadget(int gadget, int x, int y, int w, int h, std::string_view directory,
                        uint32_t flags = 0);
int ExplorerListGadget(int gadget, int x, int y, int w, int h, std::string_view directory,
                       uint32_t flags = 0);
int ExplorerTreeGadget(int gadget, int x, int y, int w, int h, std::string_view directory,
                       uint32_t flags = 0);
int Frame3DGadget(int gadget, int x, int y, int w, int h, std::string_view text,
                  uint32_t flags = 0);
// colour: the link colour as the platform stores colours (red in the low byte).
int HyperLinkGadget(int gadget, int x, int y, int w, int h, std::string_view text, uint32_t colour,
                    uint32_t flags = 0);
int ImageGadget(int gadget, int x, int y, int w, int h, HBITMAP image = nullptr,
                uint32_t flags = 0);
int ListIconGadget(int gadget, int x, int y, int w, int h, std::string_view firstColumnTitle,
                   int firstColumnWidth, uint32_t flags = 0);
// flags: the list box styles extended/multiple selection, no selection, sort.
int ListViewGadget(int gadget, int x, int y, int w, int h, uint32_t flags = 0);
int OptionGadget(int gadget, int x, int y, int w, int h, std::string_view text);
int PanelGadget(int gadget, int x, int y, int w, int h);
int ProgressBarGadget(int gadget, int x, int y, int w, int h, int minimum, int maximum,
                      uint32_t flags = 0);
int ScrollAreaGadget(int gadget, int x, int y, int w, int h, int innerWidth, int innerHeight,
                     int scrollStep = 10, uint32_t flags = 0);
int ScrollBarGadget(int gadget, int x, int y, int w, int h, int minimum, int maximum,
                    int pageLength, uint32_t flags = 0);
int SpinGadget(int gadget, int x, int y, int w, int h, int minimum, int maximum,
               uint32_t flags = 0);
int StringGadget(int gadget, int x, int y, int w, int h, std::string_view text, uint32_t flags = 0);
int TextGadget(int gadget, int x, int y, int w, int h, std::string_view text, uint32_t flags = 0);
int TrackBarGadget(int gadget, int x, int y, int w, int h, int minimum, int maximum,
                   uint32_t flags = 0);
int TreeGadget(int gadget, int x, int y, int w, int h, uint32_t flags = 0);
int WebGadget(int gadget, int x, int y, int w, int h, std::string_view url);
// Dates are seconds since 1970-01-01 00:00; 0 means today.
int CalendarGadget(int gadget, int x, int y, int w, int h, int64_t date = 0, uint32_t flags = 0);
// mask: PureBasic's date mask (%yyyy %yy %mm %dd %hh %ii %ss); empty = the
// system's short date.
int DateGadget(int gadget, int x, int y, int w, int h, std::string_view mask = {}, int64_t date = 0,
               uint32_t flags = 0);
int IPAddressGadget(int gadget, int x, int y, int w, int h);
int ContainerGadget(int gadget, int x, int y, int w, int h, uint32_t flags = 0);
// Adopts two existing gadgets of the current list, side by side (vertical
// flag) or one above the other. Fails when either child is missing, both are
// the same, or a child holds the list the splitter would be created in.
int SplitterGadget(int gadget, int x, int y, int w, int h, int first, int second,
                   uint32_t flags = 0);

// Whether the last web gadget created hosts the system browser (false: it
// shows a plain box with the address).
bool WebGadgetHasBrowser(int gadget);

void FreeGadget(int gadget);
bool IsGadget(int gadget);
HWND GadgetID(int gadget);
int GadgetType(int gadget); // Kind, 0 when not a gadget
// The gadget of a handle (also of the inner parts of composite gadgets), -1 if none.
int GadgetFromHandle(HWND hwnd);
// The handle children of a container, scroll area or panel tab live in.
HWND GadgetListHandle(int gadget, int tab = 0);

// Position in the parent's client area and outer size.
int GadgetX(int gadget);
int GadgetY(int gadget);
int GadgetWidth(int gadget);
int GadgetHeight(int gadget);
// All four at once: left, top, right, bottom (zero for no gadget).
RECT GadgetBounds(int gadget);
// A value of -1 keeps that coordinate.
void ResizeGadget(int gadget, int x, int y, int w, int h);
// As ResizeGadget, but every value is taken as it is: -1 is a place, not
// "unchanged". A gadget of two windows (a spin) moves as one.
void PlaceGadget(int gadget, int x, int y, int w, int h);
void HideGadget(int gadget, bool hide);
bool GadgetHidden(int gadget);
void DisableGadget(int gadget, bool disable);
bool GadgetDisabled(int gadget);

void SetGadgetText(int gadget, std::string_view text);
std::string GetGadgetText(int gadget);
// States: check/toggle 0/1, selected index (-1 none), current tab, value,
// separator position, date, IP address, image handle.
void SetGadgetState(int gadget, int64_t state);
int64_t GetGadgetState(int gadget);

// Items: panel tabs (the new tab's list becomes current while the panel is
// the open list), list and combo rows, list icon rows (columns separated by
// a line feed), tree entries (flags = sub-level), editor lines. pos -1
// appends. Returns the index of the new item, -1 on failure.
int AddGadgetItem(int gadget, int pos, std::string_view text, HBITMAP image = nullptr,
                  int flags = 0);
void RemoveGadgetItem(int gadget, int pos);
void ClearGadgetItems(int gadget);
int CountGadgetItems(int gadget);
std::string GetGadgetItemText(int gadget, int item, int column = 0);
void SetGadgetItemText(int gadget, int item, std::string_view text, int column = 0);
int64_t GetGadgetItemState(int gadget, int item);
void SetGadgetItemState(int gadget, int item, int64_t state);
void AddGadgetColumn(int gadget, int pos, std::string_view title, int width);
int64_t GetGadgetItemAttribute(int gadget, int item, int attribute, int column = 0);
void SetGadgetItemAttribute(int gadget, int item, int attribute, int64_t value, int column = 0);

void SetGadgetAttribute(int gadget, int attribute, int64_t value);
int64_t GetGadgetAttribute(int gadget, int attribute);

// Simple tooltip; an empty text removes it.
void GadgetToolTip(int gadget, std::string_view text);
std::string GetGadgetToolTip(int gadget);

// nullptr restores the default font. SetGadgetFont(PB_Default, font) sets
// the font new gadgets start with.
void SetGadgetFont(int gadget, HFONT font);
HFONT GetGadgetFont(int gadget);

// Colours as the platform stores them; -1 restores the default.
void SetGadgetColor(int gadget, int which, int32_t colour);
int32_t GetGadgetColor(int gadget, int which);

void SetGadgetData(int gadget, intptr_t value);
intptr_t GetGadgetData(int gadget);

} // namespace tk
