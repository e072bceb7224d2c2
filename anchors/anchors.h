// Anchor arithmetic: what a gadget stores when it is registered for
// automatic resizing, and where it goes when its window or parent changes
// size. Pure integer and float work; the Win32 runtime supplies the sizes
// and performs the moves.
#pragma once

#include <cstdint>

namespace zarnet::anchors {

// The anchor byte of a design item.
enum Flag : uint8_t {
    ScaleX = 1,         // x scales with the width of the window or parent
    ScaleY = 2,         // y scales with the height
    ScaleW = 4,         // width scales with the width
    ScaleH = 8,         // height scales with the height
    KeepRight = 16,     // the left edge keeps its distance to the right border
    KeepBottom = 32,    // the top edge keeps its distance to the bottom border
    FollowRight = 64,   // left edge stays, width follows the right border
    FollowBottom = 128, // top edge stays, height follows the bottom border
};

// A coordinate of -1 in a move keeps the gadget's current value.
inline constexpr int32_t kKeep = -1;

struct Rect {
    int32_t x = 0, y = 0, w = 0, h = 0;
    friend bool operator==(Rect, Rect) = default;
};

// What registration keeps for one gadget (the arithmetic half of an element
// of gAutoValue): per axis either the coordinate itself or its distance from
// the reference size.
struct Stored {
    uint8_t flag = 0;
    int32_t orX = 0, orY = 0, orW = 0, orH = 0;
    friend bool operator==(Stored, Stored) = default;
};

// Registration: `r` is the gadget as read from the design (top-level items
// already carry the load offsets), refW/refH the reference size of what it
// follows (the window's inner size now, or the parent's outer size at its
// first registration).
Stored storeAnchor(uint8_t flag, Rect r, int32_t refW, int32_t refH);

// The values one resize run works with: the current size of what changed
// and the factors current / reference as 32-bit floats. A reference side
// of 0 (or less) has no factor: the proportional bits of that axis then
// keep the gadget's value on that axis, while the border-distance bits,
// which need no division, still apply.
struct Factors {
    int32_t W = 0, H = 0;
    float xprop = 0, yprop = 0;
    bool hasX = false, hasY = false;
};
Factors factorsFor(int32_t currentW, int32_t currentH, int32_t refW, int32_t refH);

// The move for one gadget, per axis:
//   64 (128): width (height) = W - orW, x (y) kept; this beats 1, 4 and 16.
//   otherwise x = W - orX with 16, else round(orX * xprop) with 1, else kept;
//             width = round(orW * xprop) with 4, else kept.
// Kept values are kKeep; so is a computed value that happens to be -1.
Rect resizedRect(const Stored& s, const Factors& f);

// Nearest integer, a half going to the even neighbour; clamped to int32.
int32_t roundHalfEven(long double v);
// v times a 32-bit factor, formed exactly before rounding half to even.
int32_t scaleBy(int32_t v, float factor);

} // namespace zarnet::anchors
