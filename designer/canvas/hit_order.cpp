#include "designer/canvas/hit_order.h"

#include "document/catalogue.h"

namespace zarnet::designer {

namespace {

// The best candidate passing `take`: deepest level first, then the earliest
// (`lastFirst` false) or the latest list position; with `shallowFirst` the
// levels go from the top level down instead.
template <class Take>
std::optional<int> best(std::span<const HitCandidate> under, bool shallowFirst, bool lastFirst,
                        Take take) {
    const HitCandidate* found = nullptr;
    for (const HitCandidate& c : under) {
        if (!take(c)) continue;
        if (!found) {
            found = &c;
            continue;
        }
        if (c.level != found->level) {
            if (shallowFirst ? c.level < found->level : c.level > found->level) found = &c;
        } else if (lastFirst ? c.index > found->index : c.index < found->index) {
            found = &c;
        }
    }
    if (!found) return std::nullopt;
    return found->index;
}

} // namespace

std::optional<int> pickHit(std::span<const HitCandidate> under, HitKeys keys) {
    auto isType = [](int typ) { return [typ](const HitCandidate& c) { return c.typ == typ; }; };
    if (keys.shift) {
        if (!keys.xKey) {
            if (auto hit = best(under, false, false, isType(SplitterGadget))) return hit;
        }
        if (auto hit = best(under, false, false, isType(Frame3DGadget))) return hit;
    }
    // Frames and splitters are taken only with SHIFT, by the right button
    // as by the left; the context-menu path widens only the both-buttons
    // rule.
    auto plain = [&keys](const HitCandidate& c) {
        if (keys.bothButtons) return c.typ == Frame3DGadget || keys.contextMenu;
        return c.typ != Frame3DGadget && c.typ != SplitterGadget;
    };
    if (auto hit = best(under, false, true, plain)) return hit;
    if (keys.leftPressFree) return best(under, true, false, isType(SplitterGadget));
    return std::nullopt;
}

} // namespace zarnet::designer
