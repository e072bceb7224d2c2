#include "designer/canvas/geometry.h"

#include <algorithm>
#include <cmath>

namespace zarnet::designer {

namespace {

// Floor division and its remainder 0 <= r < step, for negative values too.
int floorDiv(int p, int step) {
    int q = p / step;
    if (p % step != 0 && p < 0) --q;
    return q;
}
int floorMod(int p, int step) {
    return p - floorDiv(p, step) * step;
}

bool axisReachable(int p, int size, int extent) {
    const int need = std::max(1, std::min(size, kReachMargin));
    return std::min(p + size, extent) - std::max(p, 0) >= need;
}

int dragAxis(int raw, int size, int extent, Snapping s) {
    if (!s.on) return raw;
    const int snapped = snap(raw, s.step);
    if (axisReachable(snapped, size, extent) || !axisReachable(raw, size, extent)) return snapped;
    const int other = snapped + (raw > snapped ? s.step : -s.step);
    return axisReachable(other, size, extent) ? other : raw;
}

// Keeps each intermediate in single precision even where the compiler would
// carry wider registers, so results match on every build.
float f32(float v) {
    volatile float kept = v;
    return kept;
}

} // namespace

int snap(int p, int step) {
    if (step <= 1) return p;
    const int q = floorDiv(p, step);
    const int r = p - q * step;
    return r > step / 2 ? (q + 1) * step : q * step;
}

int spaceCreationPosition(int p, int step, bool gridSwitch) {
    if (!gridSwitch || step <= 1) return p;
    return p / step * step;
}

int keyStep(int coord, int dir, Snapping s) {
    if (dir == 0) return coord;
    if (!s.on || s.step <= 1) return coord + dir;
    const int r = floorMod(coord, s.step);
    const int step = r == 0 ? s.step : (dir > 0 ? s.step - r : r);
    return coord + dir * step;
}

bool reachable(const Rect& r, Area a) {
    return axisReachable(r.x, r.w, a.w) && axisReachable(r.y, r.h, a.h);
}

Point dragMovePosition(Point cursor, Point grab, int w, int h, Area area, Snapping s) {
    return {dragAxis(cursor.x - grab.x, w, area.w, s), dragAxis(cursor.y - grab.y, h, area.h, s)};
}

namespace {

// One key step along the axis that moved: of the position, or of the size.
Rect keyStepped(const Rect& r, int dx, int dy, Snapping s, bool size) {
    Rect out = r;
    int& x = size ? out.w : out.x;
    int& y = size ? out.h : out.y;
    if (dx != 0)
        x = keyStep(x, dx, s);
    else
        y = keyStep(y, dy, s);
    return out;
}

} // namespace

std::optional<Rect> keyMove(const Rect& r, int dx, int dy, Area area, Snapping s) {
    if (dx == 0 && dy == 0) return std::nullopt;
    const Rect moved = keyStepped(r, dx, dy, s, false);
    if (reachable(r, area) && !reachable(moved, area)) return std::nullopt;
    return moved;
}

std::optional<Rect> keySize(const Rect& r, int dx, int dy, Snapping s) {
    if (dx == 0 && dy == 0) return std::nullopt;
    const Rect sized = keyStepped(r, dx, dy, s, true);
    if (sized.w < 1 || sized.h < 1) return std::nullopt;
    return sized;
}

Rect dragSize(const Rect& press, const Rect& previous, int mark, int dx, int dy, Snapping s) {
    const int W = snapIf(press.w, s), H = snapIf(press.h, s);
    dx = snapIf(dx, s);
    dy = snapIf(dy, s);
    Rect r{press.x, press.y, W, H};
    switch (mark) {
    case 0:
        r = {press.x + dx, press.y + dy, W - dx, H - dy};
        break;
    case 1:
        r = {press.x, press.y + dy, W + dx, H - dy};
        break;
    case 2:
        r = {press.x, press.y, W + dx, H + dy};
        break;
    case 3:
        r = {press.x + dx, press.y, W - dx, H + dy};
        break;
    default:
        return previous;
    }
    if (r.w < 1) {
        r.x = previous.x;
        r.w = previous.w;
    }
    if (r.h < 1) {
        r.y = previous.y;
        r.h = previous.h;
    }
    return r;
}

int roundHalfEven(float v) {
    const double d = std::clamp(static_cast<double>(v), -2147483648.0, 2147483647.0);
    const double f = std::floor(d);
    const double frac = d - f;
    double n = f;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(f, 2.0) != 0.0)) n = f + 1.0;
    return static_cast<int>(std::min(n, 2147483647.0));
}

Rect scaleMember(const Rect& cached, const Rect& from, const Rect& to) {
    if (from.w <= 0 || from.h <= 0) return cached;
    const float sx = f32(static_cast<float>(to.w) / static_cast<float>(from.w));
    const float sy = f32(static_cast<float>(to.h) / static_cast<float>(from.h));
    auto place = [](int offset, float factor, int origin) {
        return roundHalfEven(
            f32(f32(static_cast<float>(offset) * factor) + static_cast<float>(origin)));
    };
    Rect r;
    r.x = place(cached.x - from.x, sx, to.x);
    r.y = place(cached.y - from.y, sy, to.y);
    // A member shrunk below a pixel would vanish from the canvas; keep one.
    r.w = std::max(1, roundHalfEven(f32(static_cast<float>(cached.w) * sx)));
    r.h = std::max(1, roundHalfEven(f32(static_cast<float>(cached.h) * sy)));
    return r;
}

} // namespace zarnet::designer
