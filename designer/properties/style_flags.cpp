#include "designer/properties/style_flags.h"

#include "document/catalogue.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

constexpr int kRow = 20;
constexpr std::string_view kKeepsChildren = "Contained Gadgets will not be deleted";

PopupButton button(PopupCommand c, std::string_view text, int y) {
    return {c, text, Rect{25, y, 150, 20}};
}

struct Extra {
    int height = 0;
    int offset = 0;
};

Extra extraOf(int typ) {
    switch (typ) {
    case PanelGadget:
        return {90, 20};
    case ContainerGadget:
        return {50, 50};
    case ScrollAreaGadget:
    case SplitterGadget:
    case HyperLinkGadget:
        return {20, 20};
    default:
        return {};
    }
}

std::vector<PopupButton> buttonsOf(const PopupSubject& s) {
    std::vector<PopupButton> b;
    switch (s.typ) {
    case PanelGadget:
        b.push_back(button(PopupCommand::NewGadget, "New Gadget", 5));
        b.push_back(button(PopupCommand::NewPanelAfter, "New Panel after", 35));
        b.push_back(button(PopupCommand::NewPanelBefore, "New Panel before", 55));
        b.push_back(button(PopupCommand::RemovePanel, "Remove Panel", 75));
        b.back().enabled = s.tabCount >= 2;
        break;
    case ScrollAreaGadget:
        b.push_back(button(PopupCommand::NewGadget, "New Gadget", 5));
        break;
    case ContainerGadget:
        b.push_back(button(PopupCommand::NewGadget, "New Gadget", 5));
        b.push_back(button(PopupCommand::RemoveContainer, "Remove ContainerGadget", 30));
        break;
    case SplitterGadget:
        b.push_back(button(PopupCommand::RemoveSplitter, "Remove SplitterGadget", 5));
        break;
    case HyperLinkGadget:
        b.push_back(button(PopupCommand::NewColor, "New Color", 5));
        break;
    default:
        break;
    }
    for (PopupButton& pb : b) {
        if (pb.command != PopupCommand::RemoveContainer &&
            pb.command != PopupCommand::RemoveSplitter)
            continue;
        pb.tooltip = kKeepsChildren;
        // Taking a splitter's child apart would leave the splitter holding
        // gadgets that are no longer one item.
        pb.enabled = s.insplitter == 0;
    }
    return b;
}

uint32_t entryBits(int typ) {
    uint32_t bits = 0;
    for (const StyleFlag& f : gadgetType(typ).styleFlags)
        bits |= f.value;
    return bits;
}

} // namespace

std::optional<ContextPopupLayout> contextPopupLayout(const PopupSubject& s) {
    if (!isGadgetType(s.typ)) return std::nullopt;
    const auto entries = gadgetType(s.typ).styleFlags;
    const Extra extra = extraOf(s.typ);
    ContextPopupLayout l;
    l.height = kRow * static_cast<int>(entries.size()) + extra.height;
    if (l.height == 0) return std::nullopt;
    l.offset = extra.offset;
    l.buttons = buttonsOf(s);
    const std::vector<bool> checks = initialChecks(s.typ, s.flags);
    for (size_t i = 0; i < entries.size(); ++i) {
        const int y = l.offset + kRow * static_cast<int>(i) + 5;
        l.boxes.push_back({static_cast<int>(i), entries[i].name, entries[i].value,
                           Rect{5, y, kPopupWidth, kRow}, checks[i]});
    }
    return l;
}

Point popupPosition(Point pointer, int height, int screenW, int screenH) {
    Point p = pointer;
    if (pointer.x + kPopupWidth > screenW - 30) p.x -= 230;
    if (pointer.y + height > screenH - 30) p.y -= height + 30;
    return {std::max(p.x, 0), std::max(p.y, 0)};
}

std::vector<bool> initialChecks(int typ, uint32_t flags) {
    if (!isGadgetType(typ)) return {};
    const auto entries = gadgetType(typ).styleFlags;
    std::vector<bool> checks(entries.size(), false);
    if (hasExclusiveStyles(typ)) {
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](const StyleFlag& f) { return f.value == flags; });
        if (it != entries.end()) checks[static_cast<size_t>(it - entries.begin())] = true;
        return checks;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const uint32_t v = entries[i].value;
        checks[i] = v != 0 && (flags & v) == v;
    }
    return checks;
}

uint32_t flagsFromChecks(int typ, uint32_t before, const std::vector<bool>& checks) {
    if (!isGadgetType(typ)) return before;
    const auto entries = gadgetType(typ).styleFlags;
    uint32_t flags = before & ~entryBits(typ);
    for (size_t i = 0; i < entries.size() && i < checks.size(); ++i)
        if (checks[i]) flags |= entries[i].value;
    return flags;
}

std::optional<NativeBorderStyle> nativeBorderStyle(int typ, int entry) {
    if (!hasExclusiveStyles(typ) || entry < 0 || entry > 4) return std::nullopt;
    static constexpr uint32_t kEx[5] = {0, 0x100, 0x20000, 0, 0x200};
    static constexpr uint32_t kPlain[5] = {0x50800000, 0x50400000, 0x50000000, 0x50000000,
                                           0x50000000};
    static constexpr uint32_t kScrolled[5] = {0x50B00000, 0x50700000, 0x50300000, 0x50300000,
                                              0x50300000};
    const size_t e = static_cast<size_t>(entry);
    return NativeBorderStyle{kEx[e], typ == ScrollAreaGadget ? kScrolled[e] : kPlain[e]};
}

uint32_t verticalBit(int typ) {
    switch (typ) {
    case ProgressBarGadget:
        return 0x4;
    case ScrollBarGadget:
        return 0x1;
    case TrackBarGadget:
        return 0x2;
    default:
        return 0;
    }
}

bool swapsOrientation(int typ, uint32_t before, uint32_t after) {
    const uint32_t bit = verticalBit(typ);
    return bit != 0 && (before & bit) != (after & bit);
}

StyleChange styleBoxClicked(const Item& item, std::vector<bool> checks, int clicked) {
    StyleChange c;
    c.flags = item.flags;
    if (!isGadgetType(item.typ)) return c;
    const auto entries = gadgetType(item.typ).styleFlags;
    if (clicked < 0 || static_cast<size_t>(clicked) >= entries.size()) return c;
    checks.resize(entries.size(), false);
    const size_t k = static_cast<size_t>(clicked);

    if (hasExclusiveStyles(item.typ)) {
        c.checks.assign(entries.size(), false);
        c.checks[k] = true;
        c.flags = entries[k].value;
        c.update = CanvasUpdate::RestyleInPlace;
        c.native = *nativeBorderStyle(item.typ, clicked);
        return c;
    }

    c.checks = checks;
    c.flags = flagsFromChecks(item.typ, item.flags, checks);
    c.swapSize = swapsOrientation(item.typ, item.flags, c.flags);
    c.closePopup = c.swapSize;
    c.updatesTypeDefaults = true;
    if (item.typ == SplitterGadget && clicked == 0)
        c.update = CanvasUpdate::RebuildWithoutSplitterPositions;
    else if (item.typ == SplitterGadget || item.insplitter != 0)
        c.update = CanvasUpdate::RebuildCanvas;
    else
        c.update = CanvasUpdate::Recreate;
    // A rebuilt canvas re-creates the pop-up's gadget too, so the pop-up
    // cannot stay on it.
    if (c.update != CanvasUpdate::Recreate) c.closePopup = true;
    return c;
}

StyleChange linkColourChosen(const Item& item, std::optional<uint32_t> colour) {
    StyleChange c;
    c.flags = item.flags;
    c.closePopup = true;
    if (!colour) return c;
    c.flags = *colour & 0xFFFFFF;
    c.update = item.insplitter != 0 ? CanvasUpdate::RebuildCanvas : CanvasUpdate::Recreate;
    c.updatesTypeDefaults = true;
    return c;
}

} // namespace zarnet::designer
