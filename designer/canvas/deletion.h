// Deleting items from the canvas and the item list: whole runs of
// containers, splitters with their two children, numbers released, fonts
// nobody uses any more released.
#pragma once

#include "designer/canvas/selection.h"

namespace zarnet::designer {

struct Deletion {
    bool any = false;
    Handle lastParent = 0; // the parent gadget of the last item deleted
};

// Deletes the working list's items. A splitter child is deleted only with
// its splitter: a list made of splitter children alone deletes nothing.
Deletion deleteItems(Design& d, const WorkingList& w);

} // namespace zarnet::designer
