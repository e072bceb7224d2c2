// The design's font table: entries shared by the items that use them. An
// entry nobody uses keeps its index until it is the last one.
#pragma once

#include "designer/canvas/creation.h"
#include "document/catalogue.h"
#include "document/model.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace zarnet::designer {

using TypeDefaultsTable = std::array<TypeDefaults, kTypeCount + 1>;

// Marks every entry no item uses (as `font`, or as `tfont` with an extended
// tooltip) as not in use and drops such entries from the end of the table.
// Items met on the way without an extended tooltip lose their `tfont`.
// Returns the loaded fonts of the released entries, for the caller to free.
std::vector<Handle> releaseUnusedFonts(Design& d);

// After a release: defaults that name an entry no longer in use name the
// default font instead, so that a new gadget cannot pick up a freed entry
// or one that will be reused for another font.
void forgetReleasedFonts(const Design& d, TypeDefaultsTable& types, TooltipDefaults& tooltips);

// Whether `entry` is an entry of the table that is in use.
bool fontInUse(const Design& d, int entry);

// What the font dialog gave.
struct FontChoice {
    std::string name;
    int size = 0;
    int style = 0; // 256 bold, 512 italic, 4 underline, 8 strikeout
};

// A new entry holding `choice`, marked in use, not loaded yet: the first
// entry not in use, else one appended. Returns its index.
int newFontEntry(Design& d, const FontChoice& choice);

// Stores `choice` in an entry in use; returns its old loaded font for the
// caller to free (0 when none or the entry is not in use, which changes
// nothing).
Handle replaceFontEntry(Design& d, int entry, const FontChoice& choice);

// The items an editor works on: the marked item, or a group's members.
struct FontTargets {
    std::vector<size_t> items;
    bool group = false;
};

enum class FontRole { Font, TooltipFont };

// Whether changing `entry` in place would touch more than the targets'
// `role`: another real item uses it (as `font` or `tfont`), or a target
// uses it in the other role.
bool fontUsedElsewhere(const Design& d, int entry, const FontTargets& t, FontRole role);

// Gives the targets `font` := entry; a single item's type defaults take it
// too (new gadgets of that type start with it), a group leaves them.
void assignFont(Design& d, const FontTargets& t, int entry, TypeDefaultsTable& types);

// The targets go back to the default font; returns the loaded fonts
// released because nobody uses them any more.
std::vector<Handle> removeFont(Design& d, const FontTargets& t);

// One row of the font lists: ID, face, height, then "x" or "" for bold,
// italic, underline and strikeout.
using FontRow = std::array<std::string, 7>;
std::vector<FontRow> fontRows(const Design& d);
FontRow fontRow(const Design& d, int entry);

} // namespace zarnet::designer
