// The three registration lists of automatic resizing (gWinValue,
// gParentValue, gAutoValue) and the walk of one resize run over them. The
// lists only grow and are searched and walked in insertion order. Gadget,
// window and image numbers are the toolkit's; this file never touches them.
#pragma once

#include "anchors/anchors.h"

#include <optional>
#include <vector>

namespace zarnet::anchors {

// gwcontent: a window (inner size) or parent gadget (outer size) as it was
// when first registered.
struct Reference {
    int32_t id = 0;
    int32_t orW = 0, orH = 0;
};

enum class Follows : int32_t { Window = 1, Parent = 2 };

// gascontent.
struct AnchoredGadget {
    int32_t id = 0;    // the anchored gadget
    int32_t winid = 0; // window number or parent gadget number it follows
    Follows typ = Follows::Window;
    Stored stored;
    int32_t adimage = -1; // index of its image record, -1 when it has none
};

class AnchorLists {
  public:
    // A window served by a load. Registered once: later loads into the same
    // window keep the size of the first.
    const Reference& registerWindow(int32_t id, int32_t innerW, int32_t innerH);
    // A parent gadget holding an anchored child; likewise registered once.
    const Reference& registerParent(int32_t id, int32_t outerW, int32_t outerH);

    // Appends an anchored gadget. `ref` is what it follows (the window's
    // current inner size for a window, the parent's Reference for a parent).
    void registerGadget(int32_t id, uint8_t flag, Rect asRead, Follows typ, int32_t target,
                        int32_t refW, int32_t refH, int32_t adimage = -1);

    const std::vector<Reference>& windows() const { return windows_; }
    const std::vector<Reference>& parents() const { return parents_; }
    const std::vector<AnchoredGadget>& gadgets() const { return gadgets_; }

    std::optional<Reference> findWindow(int32_t id) const;
    std::optional<Reference> findParent(int32_t id) const;

    // One resize run for what changed (kind, target) at its current size:
    // move(gadget, rect) is called for each gadget that follows it, in
    // insertion order, with the rectangle to pass to ResizeGadget (kKeep
    // keeps a value). The walk goes by position, so a nested run started
    // from inside move (the moved gadget is itself a registered parent and
    // its own size message arrives at once) walks the same list and this run
    // then carries on where it was; elements appended meanwhile are visited
    // too. `move` gets a copy, which stays valid whatever the nested run does.
    template <class Move>
    void resize(Follows kind, int32_t target, const Factors& f, Move&& move) const {
        for (size_t i = 0; i < gadgets_.size(); ++i) {
            if (gadgets_[i].typ != kind || gadgets_[i].winid != target) continue;
            const AnchoredGadget g = gadgets_[i];
            move(g, resizedRect(g.stored, f));
        }
    }

  private:
    std::vector<Reference> windows_, parents_;
    std::vector<AnchoredGadget> gadgets_;
};

} // namespace zarnet::anchors
