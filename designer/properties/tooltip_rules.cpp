#include "designer/properties/tooltip_rules.h"

#include "designer/properties/values_apply.h"

namespace zarnet::designer {

namespace {

template <class F> void eachTarget(Design& d, const FontTargets& t, F&& f) {
    for (size_t i : t.items)
        if (i < d.items.size() && d.items[i].isGadget()) f(d.items[i]);
}

} // namespace

void setTooltipKind(Design& d, const FontTargets& t, int k) {
    eachTarget(d, t, [&](Item& it) {
        if (it.tooltip != k) noteEdit(d);
        it.tooltip = k;
    });
}

std::vector<Handle> reduceTooltipKind(Design& d, const FontTargets& t, int k) {
    setTooltipKind(d, t, k);
    return releaseUnusedFonts(d);
}

TooltipAction tooltipControlAction(TooltipControl c, TooltipSwitches now) {
    switch (c) {
    case TooltipControl::TooltipOn:
        return {{true, now.extend}, TooltipOp::Set, now.extend ? kExtendedTooltip : kSimpleTooltip};
    case TooltipControl::TooltipOff:
        return {{false, false}, TooltipOp::Reduce, kNoTooltip};
    case TooltipControl::ExtendOn:
        return {{true, true}, TooltipOp::Set, kExtendedTooltip};
    case TooltipControl::ExtendOff:
        if (!now.tooltip) return {{false, false}, TooltipOp::None, 0};
        return {{true, false}, TooltipOp::Reduce, kSimpleTooltip};
    }
    return {now, TooltipOp::None, 0};
}

TooltipAction afterTooltipEditor(int result, TooltipSwitches before) {
    if (result > 0)
        return {{true, before.extend},
                TooltipOp::Set,
                before.extend ? kExtendedTooltip : kSimpleTooltip};
    if (result == 0) return {{false, false}, TooltipOp::Reduce, kNoTooltip};
    return {before, TooltipOp::None, 0};
}

TooltipEditorEnables tooltipEditorEnables(bool extend, const TooltipDefaults& t) {
    if (!extend) return {};
    const bool font = t.tfont >= 0;
    return {true, font, font};
}

int tooltipTimeFromField(const std::string& text) {
    return fieldNumber(text, 0, 32767);
}

int tooltipWidthFromField(const std::string& text) {
    return fieldNumber(text, 0, 32767);
}

int closeTooltipEditor(Design& d, const FontTargets& t, const std::string& text,
                       const TooltipDefaults& defaults) {
    noteEdit(d);
    if (text.empty()) return 0;
    eachTarget(d, t, [&](Item& it) {
        it.ttime = defaults.ttime;
        it.tfcolor = defaults.tfcolor;
        it.tbcolor = defaults.tbcolor;
        it.tfont = defaults.tfont;
        it.twidth = defaults.twidth;
        it.tballoon = defaults.tballoon;
        if (!t.group) it.tooltipText = text;
    });
    return 1;
}

} // namespace zarnet::designer
