// The context pop-up of a marked gadget: its layout (check boxes for the
// type's style entries, the container and panel commands), where it opens,
// which boxes start checked, and what a click on a box does to the item's
// flags and its canvas gadget. The Win32 pop-up applies these.
#pragma once

#include "designer/canvas/geometry.h"
#include "document/model.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zarnet::designer {

inline constexpr int kPopupWidth = 200;
inline constexpr uint32_t kPopupBackground = 0xB4FFFF; // RGB(255, 255, 180)

enum class PopupCommand {
    NewGadget,
    NewPanelAfter,
    NewPanelBefore,
    RemovePanel,
    RemoveContainer,
    RemoveSplitter,
    NewColor
};

struct PopupButton {
    PopupCommand command;
    std::string_view text;
    Rect rect;
    bool enabled = true;
    std::string_view tooltip; // empty: none
};

struct PopupCheckBox {
    int entry;              // index into the type's style entries
    std::string_view label; // the entry's name
    uint32_t value;
    Rect rect;
    bool checked;
};

struct ContextPopupLayout {
    int height = 0; // H = 20 * entries + extra; the window is 200 by H + 10
    int offset = 0; // y of the first check box minus 5
    std::vector<PopupButton> buttons;
    std::vector<PopupCheckBox> boxes;
};

// What the layout needs of the marked item beyond its record: a panel's
// tab count decides whether "Remove Panel" is offered.
struct PopupSubject {
    int typ = 0;
    uint32_t flags = 0;
    int tabCount = 1;   // panels only
    int insplitter = 0; // non-zero: the item is one of a splitter's children
};

// nullopt when the type has neither style entries nor commands: the values
// editor opens instead.
std::optional<ContextPopupLayout> contextPopupLayout(const PopupSubject& s);

// Top-left of the pop-up for a pointer at `pointer` on a screen of the given
// size: left of the pointer near the right edge, above it near the bottom,
// never off the top-left corner.
Point popupPosition(Point pointer, int height, int screenW, int screenH);

// Which boxes show checked when the pop-up opens. Exclusive border styles
// check the one entry equal to `flags` (the zero entry for 0). Other types
// check an entry when all of its bits are set, so that an entry sharing bits
// with another (PB_CheckBox_Center and PB_CheckBox_Right) does not show a
// switch the user never set; zero-valued switches never show checked.
std::vector<bool> initialChecks(int typ, uint32_t flags);

// The flags of independent switches after a click: the values of the checked
// boxes, plus any bits of `before` no entry of the type speaks for.
uint32_t flagsFromChecks(int typ, uint32_t before, const std::vector<bool>& checks);

// The window styles that give an exclusive border entry its look on the
// canvas; nullopt for other types or an entry outside 0..4.
struct NativeBorderStyle {
    uint32_t exStyle;
    uint32_t style;
    bool operator==(const NativeBorderStyle&) const = default;
};
std::optional<NativeBorderStyle> nativeBorderStyle(int typ, int entry);

// The bit of a progress bar, scroll bar or track bar that stands it upright;
// 0 for other types.
uint32_t verticalBit(int typ);

// Whether going from `before` to `after` turns the gadget: its width and
// height are then swapped, so the swap always follows the orientation the
// flags end with, however many other boxes were clicked first.
bool swapsOrientation(int typ, uint32_t before, uint32_t after);

enum class CanvasUpdate {
    None,
    RestyleInPlace,                  // exclusive border: native styles, no re-creation
    Recreate,                        // free the canvas gadget and make it again
    RebuildCanvas,                   // a splitter or a splitter's child
    RebuildWithoutSplitterPositions, // a splitter turned between vertical and horizontal
};

struct StyleChange {
    uint32_t flags = 0;       // the item's new flags
    std::vector<bool> checks; // what the boxes show afterwards
    CanvasUpdate update = CanvasUpdate::None;
    NativeBorderStyle native{}; // for RestyleInPlace
    bool swapSize = false;      // swap w and h before re-creating
    bool closePopup = false;
    bool updatesTypeDefaults = false; // new gadgets of the type take `flags`
};

// A click on box `clicked`; `checks` are the boxes' states after the click.
// `item` is the marked item as it was before the click.
StyleChange styleBoxClicked(const Item& item, std::vector<bool> checks, int clicked);

// "New Color" of a hyperlink: the chosen colour, or nullopt when the colour
// requester was cancelled, which keeps the old colour.
StyleChange linkColourChosen(const Item& item, std::optional<uint32_t> colour);

} // namespace zarnet::designer
