// Grid arithmetic of moving and sizing on the canvas: snapping, cursor-key
// steps, sizing by a mark, group scaling, and the guard that keeps a moved
// item within reach. Coordinates are client coordinates of the selection's
// parent; the canvas applies the results to live gadgets.
#pragma once

#include <optional>

namespace zarnet::designer {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Rect&) const = default;
};

// The grid in force for one gesture: snapping applies when the grid switch
// is on and SHIFT is not held; otherwise everything moves by pixels.
struct Snapping {
    int step = 10;
    bool on = true;
    static Snapping of(int step, bool gridSwitch, bool shift) {
        return {step, gridSwitch && !shift && step > 1};
    }
};

// Nearest grid multiple; a remainder of exactly half the step rounds down.
int snap(int p, int step);
inline int snapIf(int p, Snapping s) {
    return s.on ? snap(p, s.step) : p;
}

// SPACE creation: rounded toward zero to a grid multiple when the grid
// switch is on, whatever SHIFT says.
int spaceCreationPosition(int p, int step, bool gridSwitch);

// One cursor-key step from `coord` in direction `dir` (-1 or +1): to the next
// grid line that way (a whole step from a grid line), or one pixel.
int keyStep(int coord, int dir, Snapping s);

// The parent area an item must stay reachable in: its client size, for a
// scroll area its inner size.
struct Area {
    int w = 0, h = 0;
};

// Pixels of an item that must stay inside its parent's area on each axis
// (all of it when it is smaller) so it can still be seen and grabbed.
inline constexpr int kReachMargin = 4;
bool reachable(const Rect& r, Area a);

// Drag move: the new top-left for cursor minus grab offset, snapped. When
// snapping alone would carry an item that is within reach out of reach, the
// neighbouring grid line towards the cursor is taken, else the unsnapped
// position.
struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};
Point dragMovePosition(Point cursor, Point grab, int w, int h, Area area, Snapping s);

// Cursor-key move by (dx, dy), one of them 0. A step that would take an item
// within reach out of reach is refused (nullopt), as is a zero step.
std::optional<Rect> keyMove(const Rect& r, int dx, int dy, Area area, Snapping s);

// CONTROL + cursor keys: the step rule on the width (dx) or height (dy);
// nullopt when the size would fall below 1.
std::optional<Rect> keySize(const Rect& r, int dx, int dy, Snapping s);

// Sizing by mark 0 (top-left), 1 (top-right), 2 (bottom-right) or 3
// (bottom-left): `press` is the rectangle when the button went down,
// `previous` the last one applied, (dx, dy) the cursor travel since then.
// An axis whose size would fall below 1 keeps its previous position and size.
Rect dragSize(const Rect& press, const Rect& previous, int mark, int dx, int dy, Snapping s);

// Round to nearest, ties to even.
int roundHalfEven(float v);

// A group member's rectangle after the group rectangle went from `from` to
// `to`: its cached rectangle scaled by single-precision factors.
Rect scaleMember(const Rect& cached, const Rect& from, const Rect& to);

} // namespace zarnet::designer
