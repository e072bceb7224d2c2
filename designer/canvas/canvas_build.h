// The whole canvas from the item list and back: building every live gadget
// (nested in panels, scroll areas and containers, splitters adopting their
// two children), copying what the user changed on the live gadgets into
// the items, and freeing the canvas.
#pragma once

#include "document/model.h"

#include <cstddef>

namespace zarnet::designer {

// Builds the live gadgets of every item into the canvas window's gadget
// list, which must be current. Splitters find their children by number.
// Panels return to their `view1` tab, scroll areas to their `view1`,
// `view2` scroll positions.
void buildCanvas(Design& d, int canvasWindow);

// Builds the live gadgets of a run of items that stands on its own (its
// containers closed and its splitters' children inside it) into the parent
// and tab the list puts them in; the rest of the canvas stays. Like the
// other changes of single gadgets, it leaves the painting to the loop.
void buildRun(Design& d, size_t first, size_t count, int canvasWindow);
// Frees the live gadgets of such a run; the items stay.
void freeRun(Design& d, size_t first, size_t count);

// What is read back from the live gadgets. `Edited` reads what an edit
// step must hold, fast enough to run after every edit: every position and
// size, separators, column widths and the texts a user types on the
// canvas (string gadgets); the other texts, tab titles, current tabs and
// scroll positions change only through code that keeps the items in step.
// `Live` reads only what a user changes on the canvas without an edit:
// separators (and the children they size), column widths, string texts.
enum class Refresh { Everything, Edited, Live };

// Copies position, size, text, column width, separator position, current
// tab and scroll positions from the live gadgets into the items.
void refreshModelFromCanvas(Design& d, bool keepSplitterPositions = true,
                            Refresh scope = Refresh::Everything);

// Frees every live gadget; the items stay.
void freeCanvas(Design& d);

// Loads every used font of the design's table; a font the platform cannot
// make stays unloaded and its gadgets keep the default font.
void loadDesignFonts(Design& d);
void freeDesignFonts(Design& d);

} // namespace zarnet::designer
