#include "designer/arrange/snap.h"

#include "designer/canvas/structure.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace zarnet::designer {

namespace {

int floorHalf(int v) {
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

// The three features of one axis: low edge, centre, high edge.
struct Features {
    int at[3];
};
Features features(int pos, int size) {
    return {{pos, pos + floorHalf(size), pos + size}};
}

enum Feature { Low = 0, Centre = 1, High = 2 };

struct AxisGesture {
    bool move;
    bool low, high; // which edges a size moves
};

// The best shift of one axis, or nullopt when nothing is within reach.
std::optional<int> bestShift(int pos, int size, AxisGesture g, std::span<const Features> targets,
                             int reach) {
    const Features own = features(pos, size);
    std::optional<int> best;
    auto consider = [&](int delta) {
        if (std::abs(delta) > reach) return;
        if (!best || std::abs(delta) < std::abs(*best) ||
            (std::abs(delta) == std::abs(*best) && delta < *best))
            best = delta;
    };
    for (const Features& t : targets)
        for (const int target : t.at) {
            if (g.move) {
                for (const int f : own.at)
                    consider(target - f);
                continue;
            }
            // The low edge moving by delta takes delta off the size, the
            // high edge adds it; neither may leave less than a pixel.
            if (g.low && size - (target - own.at[Low]) >= 1) consider(target - own.at[Low]);
            if (g.high && size + (target - own.at[High]) >= 1) consider(target - own.at[High]);
        }
    return best;
}

// Applies a shift to one axis; returns the features that moved.
std::vector<int> apply(int& pos, int& size, AxisGesture g, int delta) {
    if (g.move) {
        pos += delta;
        const Features f = features(pos, size);
        return {f.at[Low], f.at[Centre], f.at[High]};
    }
    std::vector<int> moved;
    if (g.low) {
        pos += delta;
        size -= delta;
        moved.push_back(pos);
    } else {
        size += delta;
        moved.push_back(pos + size);
    }
    return moved;
}

std::vector<int> guides(const std::vector<int>& moved, std::span<const Features> targets) {
    std::vector<int> out;
    for (const Features& t : targets)
        for (const int target : t.at)
            if (std::find(moved.begin(), moved.end(), target) != moved.end()) out.push_back(target);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

} // namespace

SnapGesture SnapGesture::sizing(int mark) {
    SnapGesture g;
    g.left = mark == 0 || mark == 3;
    g.right = mark == 1 || mark == 2;
    g.top = mark == 0 || mark == 1;
    g.bottom = mark == 2 || mark == 3;
    return g;
}

SnapResult snapToSiblings(const Rect& dragged, SnapGesture gesture, std::span<const Rect> siblings,
                          int reach) {
    std::vector<Features> across, down;
    across.reserve(siblings.size());
    down.reserve(siblings.size());
    for (const Rect& s : siblings) {
        across.push_back(features(s.x, s.w));
        down.push_back(features(s.y, s.h));
    }
    SnapResult r;
    r.rect = dragged;
    const AxisGesture gx{gesture.move, gesture.left, gesture.right};
    const AxisGesture gy{gesture.move, gesture.top, gesture.bottom};
    if (gx.move || gx.low || gx.high) {
        if (const auto dx = bestShift(dragged.x, dragged.w, gx, across, reach)) {
            r.snappedX = true;
            r.guidesX = guides(apply(r.rect.x, r.rect.w, gx, *dx), across);
        }
    }
    if (gy.move || gy.low || gy.high) {
        if (const auto dy = bestShift(dragged.y, dragged.h, gy, down, reach)) {
            r.snappedY = true;
            r.guidesY = guides(apply(r.rect.y, r.rect.h, gy, *dy), down);
        }
    }
    return r;
}

std::vector<size_t> snapSiblings(const Design& d, size_t item) {
    std::vector<size_t> out;
    if (item >= d.items.size() || !d.items[item].isGadget()) return out;
    const auto scopes = scopesOf(d.items);
    if (!scopes) return out;
    const std::vector<bool> held = splitterChildren(d.items);
    for (size_t i = 0; i < d.items.size(); ++i)
        if (i != item && d.items[i].isGadget() && !held[i] && (*scopes)[i] == (*scopes)[item])
            out.push_back(i);
    return out;
}

} // namespace zarnet::designer
