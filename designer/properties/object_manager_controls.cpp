// The object manager's "Font", "Select New Font", "Tooltip", "Extend" and
// "Edit" controls acting on the marked item or the group.
#include "designer/properties/editor_window.h"
#include "designer/properties/font_list.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

namespace {

FontTargets targetsOf(const std::vector<size_t>& items) { return {items, items.size() > 1}; }

void applyTooltipAction(EditorHost& host, const FontTargets& t, const TooltipAction& a) {
    if (a.op == TooltipOp::Set) setTooltipKind(*host.design, t, a.kind);
    if (a.op == TooltipOp::Reduce) {
        freeFonts(reduceTooltipKind(*host.design, t, a.kind));
        releaseFonts(host);
    }
}

} // namespace

bool fontSwitched(EditorHost& host, const std::vector<size_t>& items, bool on) {
    if (!host.design || items.empty()) return false;
    bool shows = on;
    if (on) {
        shows = runFontEditor(host, items) == 1;
    } else {
        Design& d = *host.design;
        freeFonts(removeFont(d, targetsOf(items)));
        for (size_t i : items)
            if (d.items[i].id) tk::SetGadgetFont(static_cast<int>(d.items[i].id), nullptr);
        releaseFonts(host);
    }
    markModified(host);
    return shows;
}

bool selectNewFont(EditorHost& host, const std::vector<size_t>& items, bool fontChecked) {
    if (!host.design || items.empty()) return fontChecked;
    const bool assigned = runFontEditor(host, items) == 1;
    markModified(host);
    return fontChecked || assigned;
}

TooltipSwitches tooltipSwitched(EditorHost& host, const std::vector<size_t>& items,
                                TooltipControl control, TooltipSwitches now) {
    if (!host.design || items.empty()) return now;
    const TooltipAction a = tooltipControlAction(control, now);
    applyTooltipAction(host, targetsOf(items), a);
    markModified(host);
    return a.switches;
}

TooltipSwitches editTooltip(EditorHost& host, const std::vector<size_t>& items,
                            TooltipSwitches before) {
    if (!host.design || items.empty()) return before;
    const int result = runTooltipEditor(host, items, before.extend);
    const TooltipAction a = afterTooltipEditor(result, before);
    applyTooltipAction(host, targetsOf(items), a);
    markModified(host);
    return a.switches;
}

} // namespace zarnet::designer
