// Placeholders so the designer links while the editors are built.
#include "designer/properties/editors.h"

namespace zarnet::designer {

bool runContextPopup(EditorHost&, size_t, POINT) { return false; }
void runValuesEditor(EditorHost&, size_t) {}
void runFontEditor(EditorHost&, const std::vector<size_t>&) {}
void runTooltipEditor(EditorHost&, const std::vector<size_t>&) {}
int32_t chooseColour(HWND, int32_t) { return -1; }

} // namespace zarnet::designer
