// The keyboard-access check: what keeps a design from being used without a
// mouse. Four kinds of finding:
// - two gadgets shown together whose captions use the same access key;
// - an input gadget (string, editor, combo box, spin, list view, list icon,
//   tree, date, IP address, track bar) with no TextGadget directly before
//   it in the tab order to name it;
// - a TextGadget with an access key whose next gadget in the tab order
//   cannot take the focus (or that has no next gadget);
// - an option that is one group with the option before it (listed right
//   after it in one parent) but stands more than three rows from it.
//
// How the tab order is read:
// - TAB visits the units of each parent in list order (see tab_units.h):
//   a splitter's two gadgets are visited where the splitter stands.
// - Scroll areas, containers and splitters take no part themselves: the
//   order goes straight into their contents. Frames take no part either
//   (they only draw a box beneath their siblings).
// - A panel takes part (its tab row takes the focus). Its first gadget on
//   each tab has the panel directly before it; the gadget after the panel
//   has the panel directly before it, whichever tab shows; the last gadget
//   on a tab is followed by what follows the panel.
// - A hidden or disabled gadget takes no part and is not checked, and
//   neither is anything inside a hidden or disabled parent or splitter.
// Access keys: the character after the first single "&" of a caption
// ("&&" shows one ampersand), compared without regard to case. Captions
// are the texts the catalogue shows as captions (buttons, check boxes,
// options, frames, hyperlinks, texts). Two gadgets are shown together
// unless some panel holds both on different tabs.
#pragma once

#include "document/model.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnet::designer {

struct KeyboardFinding {
    size_t item = 0; // list index
    int number = 0;  // item number
    std::string name;
    std::string what;
    bool operator==(const KeyboardFinding&) const = default;
};

// The access key of a caption, lower-cased; nullopt when it has none.
std::optional<char> accessKey(std::string_view caption);

// Every finding, in list order (a gadget's own findings in the order of the
// kinds above). Empty for a list whose nesting cannot be read.
std::vector<KeyboardFinding> checkKeyboardAccess(const Design& d);

// One line of the report: `FILE: gadget N "name": what`.
std::string formatFinding(std::string_view file, const KeyboardFinding& f);

} // namespace zarnet::designer
