// The small example design bundled in examples/: a few gadgets of several
// kinds, a panel with two tabs and a container.
#pragma once

#include "document/model.h"

namespace zarnet {

Design makeExampleDesign();
// A gadget of the type appended to the design with the next free number.
Item& addGadget(Design& d, int typ, int x, int y, int w, int h);

} // namespace zarnet
