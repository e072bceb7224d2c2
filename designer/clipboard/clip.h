// Gadgets on their way through the clipboard: the marked items with all
// they hold written as a small design file of their own, read back with
// every check the design file reader makes, and pasted into a design with
// new numbers, their fonts merged into its table and their splitters
// linked to their gadgets' new numbers. Pure list arithmetic; the canvas
// builds the live gadgets of what was pasted.
#pragma once

#include "designer/canvas/geometry.h"
#include "document/model.h"
#include "document/renumber.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zarnet::designer {

// Every record a copy of `roots` takes: each root's whole run (a parent
// with its contents and close record) and both gadgets of every splitter
// among them, recursively, in list order. Roots are siblings (one parent,
// one tab); a root that is a tab or close record is skipped.
std::vector<size_t> copiedRecords(const Design& d, std::span<const size_t> roots);

// The copy as design file bytes: the records above at top level, with a
// font table of only the entries they use (equal entries merged).
// Empty when there is nothing to copy.
std::vector<uint8_t> copyToClip(const Design& d, std::span<const size_t> roots);

// The clipboard's bytes as a design of at least one gadget, or nullopt for
// anything the design file reader refuses in its strict form.
std::optional<Design> readClip(std::span<const uint8_t> bytes);

// The items a paste places: top-level gadgets that no splitter holds.
std::vector<size_t> clipRoots(const Design& clip);
// The union of their rectangles.
Rect clipBounds(const Design& clip);

// The top-left nearest `r`'s that keeps it within reach in the area (the
// rule of the move code); `r`'s own when it is within reach already.
Point withinReach(const Rect& r, Area a);

// Where a paste goes: inside the panel (on `tab`), scroll area or container
// at index `container`, or at top level (-1). `at`, when set, is the list
// index among that parent's children to insert at; otherwise the paste
// goes last, or as late as it can without joining its options to a group
// of the target's or parting one.
struct PasteTarget {
    int container = -1;
    int tab = 0;
    int at = -1;
};

struct Pasted {
    size_t first = 0, count = 0; // the inserted records
    std::vector<size_t> roots;   // indexes of the placed items, in clip order
};

// Inserts the clip's records among the contents of the target, the
// placed items moved so that their bounds' top-left is `topLeft`. Real
// items take numbers from the pool, splitters name their gadgets' new
// numbers, font entries are reused when an equal one is in use, else
// added. nullopt, the design untouched, when the target is malformed, the
// numbers would run past the highest a design holds, or no place in the
// target keeps the clip's options and the target's in groups of their own.
std::optional<Pasted> pasteClip(Design& d, const Design& clip, PasteTarget target, Point topLeft);

} // namespace zarnet::designer
