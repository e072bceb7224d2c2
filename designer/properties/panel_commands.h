// The context pop-up's panel commands on the live panel: a tab added after
// or before the showing one, or the showing tab removed with everything on
// it. The item list follows the panel's tabs.
#pragma once

#include "designer/properties/editors.h"
#include "designer/properties/panel_tabs.h"

namespace zarnet::designer {

// False when the list refused the edit (nothing changed).
bool addPanelTab(EditorHost& host, size_t panel, TabSide side);
bool removeShowingTab(EditorHost& host, size_t panel);

} // namespace zarnet::designer
