// Tooltip kinds of the marked item or group, the object manager's
// "Tooltip", "Extend" and "Edit" switches, and what the tooltip editor
// stores on "Close".
#pragma once

#include "designer/properties/font_table.h"

#include <string>
#include <vector>

namespace zarnet::designer {

inline constexpr int kNoTooltip = 0;
inline constexpr int kSimpleTooltip = 1;
inline constexpr int kExtendedTooltip = 2;

// The targets get tooltip kind k; nothing is released.
void setTooltipKind(Design& d, const FontTargets& t, int k);

// The targets get the lower kind k (a switch turned off); fonts only an
// extended tooltip used are released. Returns the loaded fonts to free.
std::vector<Handle> reduceTooltipKind(Design& d, const FontTargets& t, int k);

// The object manager's two switches.
struct TooltipSwitches {
    bool tooltip = false;
    bool extend = false;
    bool operator==(const TooltipSwitches&) const = default;
};

enum class TooltipOp { None, Set, Reduce };

struct TooltipAction {
    TooltipSwitches switches; // what the switches show afterwards
    TooltipOp op = TooltipOp::None;
    int kind = 0; // for Set and Reduce
    bool operator==(const TooltipAction&) const = default;
};

enum class TooltipControl { TooltipOn, TooltipOff, ExtendOn, ExtendOff };

// A switch the user just turned; `now` holds the states after the click.
TooltipAction tooltipControlAction(TooltipControl c, TooltipSwitches now);

// After "Edit" ran the tooltip editor (result 1 applied, 0 closed with an
// empty text, -1 cancelled), given the switches before "Edit". An applied
// text gets the kind the switches say, so it is kept in the design; a
// cancel leaves the switches as they were.
TooltipAction afterTooltipEditor(int result, TooltipSwitches before);

// Which of the tooltip editor's extended controls are usable.
struct TooltipEditorEnables {
    bool extended = false; // colours, fields, "Balloon Style", "Font"
    bool fontChecked = false;
    bool fontList = false; // the font list and "Select New Font"
    bool operator==(const TooltipEditorEnables&) const = default;
};
TooltipEditorEnables tooltipEditorEnables(bool extend, const TooltipDefaults& t);

// The delay and width fields, read as the fields are typed in. The tooltip
// control takes its delay as a 16-bit count of milliseconds; the width is
// held to the same bound.
int tooltipTimeFromField(const std::string& text);
int tooltipWidthFromField(const std::string& text);

// "Close": 0 and nothing stored for an empty text; otherwise the extended
// settings go into every target and a single item's text := `text`; 1.
int closeTooltipEditor(Design& d, const FontTargets& t, const std::string& text,
                       const TooltipDefaults& defaults);

} // namespace zarnet::designer
