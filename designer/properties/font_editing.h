// The font editor's and the tooltip editor's font list: whether an editor
// edits the marked item's entry in place or makes new entries, and which
// entry a font chosen in the font dialog goes to.
#pragma once

#include "designer/properties/font_table.h"

namespace zarnet::designer {

struct FontEditorState {
    FontRole role = FontRole::Font;
    bool replace = false; // a chosen font goes into `current`, else a new entry
    int current = -1;     // the entry whose row is selected; -1 none
};

// A single item whose entry for `role` (`font`, or `tfont` for the tooltip
// editor) nobody else depends on starts in replace mode with that entry
// selected; anything else starts in new mode with nothing selected.
FontEditorState startFontEditor(const Design& d, const FontTargets& t, FontRole role);

// A click on the row of `entry`: it becomes current; the mode stays.
void fontRowClicked(FontEditorState& s, int entry);

struct FontChosen {
    int entry = -1;      // the entry now holding the chosen font, to load and assign
    bool newRow = false; // add the entry's row; else rewrite it
    Handle oldFont = 0;  // the entry's former loaded font, to free
};

// A font confirmed in the font dialog. In replace mode the current entry is
// edited in place, but only while nothing besides the targets depends on it
// (a row clicked since may be shared); otherwise a new entry is made, becomes
// current, and the editor goes on in replace mode.
FontChosen fontChosen(Design& d, FontEditorState& s, const FontTargets& t,
                      const FontChoice& choice);

} // namespace zarnet::designer
