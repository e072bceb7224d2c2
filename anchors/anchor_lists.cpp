#include "anchors/anchor_lists.h"

namespace zarnet::anchors {
namespace {

const Reference& findOrAdd(std::vector<Reference>& list, int32_t id, int32_t w, int32_t h) {
    for (const Reference& r : list)
        if (r.id == id) return r;
    list.push_back({id, w, h});
    return list.back();
}

std::optional<Reference> find(const std::vector<Reference>& list, int32_t id) {
    for (const Reference& r : list)
        if (r.id == id) return r;
    return std::nullopt;
}

} // namespace

const Reference& AnchorLists::registerWindow(int32_t id, int32_t innerW, int32_t innerH) {
    return findOrAdd(windows_, id, innerW, innerH);
}

const Reference& AnchorLists::registerParent(int32_t id, int32_t outerW, int32_t outerH) {
    return findOrAdd(parents_, id, outerW, outerH);
}

void AnchorLists::registerGadget(int32_t id, uint8_t flag, Rect asRead, Follows typ, int32_t target,
                                 int32_t refW, int32_t refH, int32_t adimage) {
    AnchoredGadget g;
    g.id = id;
    g.winid = target;
    g.typ = typ;
    g.stored = storeAnchor(flag, asRead, refW, refH);
    g.adimage = adimage;
    gadgets_.push_back(g);
}

std::optional<Reference> AnchorLists::findWindow(int32_t id) const {
    return find(windows_, id);
}
std::optional<Reference> AnchorLists::findParent(int32_t id) const {
    return find(parents_, id);
}

} // namespace zarnet::anchors
