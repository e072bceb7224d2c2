#include "runtime/procedures.h"

#include "runtime/images.h"
#include "runtime/resize.h"
#include "runtime/tooltips.h"

namespace zarnet {

void registerRuntimeProcedures(Runtime& rt) {
    rt.hooks.loadImage = loadRecordImage;
    rt.hooks.registerAnchor = registerAnchoredGadget;
    rt.hooks.extendedTooltip = applyExtendedTooltip;
    rt.hooks.resize = resizeAnchoredGadgets;
}

} // namespace zarnet
