// The property editors as windows: the marked gadget's context pop-up, the
// values editor, the font editor, the tooltip editor and the colour
// requester, and what the object manager's font and tooltip controls do.
// Each editor runs its own event loop and returns when it closes. They
// change the item and its live gadget directly; what needs the designer as
// a whole (a canvas rebuild, creating a gadget, the title, the tree) goes
// through the host.
#pragma once

#include "designer/canvas/creation.h"
#include "designer/properties/tooltip_rules.h"
#include "document/catalogue.h"
#include "document/model.h"

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace zarnet::designer {

// What the editors need from the designer.
struct EditorHost {
    Design* design = nullptr;
    HWND canvas = nullptr;
    int canvasWindow = 0;
    std::array<TypeDefaults, kTypeCount + 1>* typeDefaults = nullptr;
    TooltipDefaults* tooltipDefaults = nullptr;
    uint32_t* colourFront = nullptr; // the colour defaults
    uint32_t* colourBack = nullptr;
    std::string tempImageFile; // the conversion file for icons ("zrimage.bmp")
    // The toolkit menu offering the gadget types (identifiers 1..28) for
    // the pop-up's "New Gadget"; -1: none, the button does nothing.
    int creationMenu = -1;

    // The title after a change (the modified marker, file name, client size).
    std::function<void()> refreshTitle;
    // Refresh the model from the canvas, free it, rebuild it and the tree;
    // nothing is marked afterwards.
    std::function<void(bool keepSplitterPositions)> rebuildCanvas;
    // A new gadget of type typ inside the marked container, at the point in
    // canvas client coordinates where the right button was pressed.
    std::function<void(int typ, POINT at)> createInside;
    std::function<void(size_t item)> removeContainer;
    std::function<void(size_t item)> removeSplitter;
    // The item's entry in the object manager tree, its text rewritten; and
    // the tree rebuilt (after tabs were added or removed).
    std::function<void(size_t item)> retitleTreeEntry;
    std::function<void()> rebuildTree;
    // The marks placed again around the item (after a re-creation or a
    // canvas rebuild).
    std::function<void(size_t item)> remark;
};

// The context pop-up of the marked item `item` (right button over it).
// Returns true when the values editor is wanted next (a type without style
// entries, or a right click on the pop-up).
bool runContextPopup(EditorHost& host, size_t item, POINT rightClickAt);

// The values editor of `item` (RETURN on it, or wanted by the pop-up).
void runValuesEditor(EditorHost& host, size_t item);

// The font editor for the marked item or every group member (`items`):
// 1 when a font was assigned, else 0.
int runFontEditor(EditorHost& host, const std::vector<size_t>& items);

// The tooltip editor; `extended` is the object manager's "Extend" switch,
// which makes the test button and the extended settings live. 1 when
// applied, 0 when closed with an empty text, -1 when cancelled (the
// tooltip defaults are then as they were when it opened).
int runTooltipEditor(EditorHost& host, const std::vector<size_t>& items, bool extended = false);

// The colour requester with 16 custom colours kept for the run; -1 when
// cancelled.
int32_t chooseColour(HWND owner, int32_t initial);

// --- The object manager's font and tooltip controls ---
// Each acts on `items` (the marked item or the group's members), sets the
// modified flag, refreshes the title and returns what the switches must
// show afterwards.

// "Font" switched on (the font editor) or off (the default font).
bool fontSwitched(EditorHost& host, const std::vector<size_t>& items, bool on);
// "Select New Font"; `fontChecked` is what "Font" showed before.
bool selectNewFont(EditorHost& host, const std::vector<size_t>& items, bool fontChecked);
// "Tooltip" or "Extend" switched; `now` holds both switches after the click.
TooltipSwitches tooltipSwitched(EditorHost& host, const std::vector<size_t>& items,
                                TooltipControl control, TooltipSwitches now);
// "Edit": the tooltip editor, then the kind its result calls for.
TooltipSwitches editTooltip(EditorHost& host, const std::vector<size_t>& items,
                            TooltipSwitches before);

} // namespace zarnet::designer
