// What a program adds to the loader to show designs in full: pictures with
// their transparency and scaling, extended tooltips and automatic resizing.
// The viewer and every program built on the runtime call this once at
// start-up, before the first load.
#pragma once

#include "runtime/runtime.h"

namespace zarnet {

void registerRuntimeProcedures(Runtime& rt = runtime());

} // namespace zarnet
