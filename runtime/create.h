// Gadget creation for one design record.
#pragma once

#include "runtime/runtime.h"

namespace zarnet {

// Creates the gadget of the record's type in the current gadget list with
// the record's geometry and creation arguments. Returns its number, 0 when
// nothing could be created (including a type outside 1..29).
int32_t ReCreateObject(const ZarnContent& v);

} // namespace zarnet
