// The small example design bundled in examples/: a few gadgets of several
// kinds, a panel with two tabs and a container.
#pragma once

#include "document/model.h"

namespace zarnet {

Design makeExampleDesign();

} // namespace zarnet
