// The font list the font editor and the tooltip editor both show, the font
// dialog feeding the design's font table, and the loaded fonts behind it.
#pragma once

#include "designer/properties/editors.h"
#include "designer/properties/font_editing.h"

#include <optional>

namespace zarnet::designer {

// The font list of the design's used entries: ID, face, height and the
// four style columns.
int fontListGadget(int x, int y, int w, int h, const Design& d);
void selectFontRow(int list, int entry);
// The entry of a row, -1 when none.
int fontRowEntry(int list, int row);
// Adds the entry's row or rewrites it, and selects it.
void showFontRow(int list, const Design& d, int entry, bool newRow);

// Loads the entry's font (freeing nothing); false when the platform
// refused it, which leaves the entry without a loaded font.
bool loadFontEntry(Design& d, int entry);
// Frees loaded fonts the table no longer holds.
void freeFonts(const std::vector<Handle>& fonts);
// Releases the entries nobody uses, frees their fonts and makes the
// defaults forget them.
void releaseFonts(EditorHost& host);

// The font dialog opened on the editor's current entry; the chosen font
// stored (in a new entry or in place) and loaded. The entry's former
// loaded font is in the result for the caller to free once no gadget
// shows it. nullopt when the dialog was cancelled.
std::optional<FontChosen> chooseFont(Design& d, FontEditorState& s, const FontTargets& t);

} // namespace zarnet::designer
