#include "anchors/anchors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zarnet::anchors {
namespace {

int32_t clamp32(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
}

int32_t minus(int32_t a, int32_t b) {
    return clamp32(int64_t{a} - b);
}

// 32-bit x86 computes in 80-bit registers and g++ may keep that excess
// precision; going through memory makes the factor a true 32-bit float.
float asFloat(float v) {
    volatile float stored = v;
    return stored;
}

} // namespace

int32_t roundHalfEven(long double v) {
    if (std::isnan(v)) return 0;
    constexpr long double lo = std::numeric_limits<int32_t>::min();
    constexpr long double hi = std::numeric_limits<int32_t>::max();
    if (v <= lo) return std::numeric_limits<int32_t>::min();
    if (v >= hi) return std::numeric_limits<int32_t>::max();
    const long double down = std::floor(v);
    const long double frac = v - down;
    int64_t r = int64_t(down);
    if (frac > 0.5L || (frac == 0.5L && (r & 1) != 0)) ++r;
    return clamp32(r);
}

int32_t scaleBy(int32_t v, float factor) {
    // A 32-bit integer times a 24-bit mantissa fits the 64-bit mantissa of
    // long double on x86, so the product is exact before rounding.
    return roundHalfEven(static_cast<long double>(v) * static_cast<long double>(factor));
}

Stored storeAnchor(uint8_t flag, Rect r, int32_t refW, int32_t refH) {
    Stored s;
    s.flag = flag;
    s.orX = (flag & (KeepRight | FollowRight)) ? minus(refW, r.x) : r.x;
    s.orY = (flag & (KeepBottom | FollowBottom)) ? minus(refH, r.y) : r.y;
    s.orW = (flag & FollowRight) ? minus(refW, r.w) : r.w;
    s.orH = (flag & FollowBottom) ? minus(refH, r.h) : r.h;
    return s;
}

Factors factorsFor(int32_t currentW, int32_t currentH, int32_t refW, int32_t refH) {
    Factors f;
    f.W = currentW;
    f.H = currentH;
    f.hasX = refW > 0;
    f.hasY = refH > 0;
    if (f.hasX) f.xprop = asFloat(static_cast<float>(currentW) / static_cast<float>(refW));
    if (f.hasY) f.yprop = asFloat(static_cast<float>(currentH) / static_cast<float>(refH));
    return f;
}

namespace {

// One axis: pos/size with the axis's four bits (scale pos, scale size,
// keep far edge, follow far edge).
void axis(uint8_t flag, uint8_t scalePos, uint8_t scaleSize, uint8_t keepFar, uint8_t follow,
          int32_t extent, int32_t orPos, int32_t orSize, float prop, bool hasProp, int32_t& pos,
          int32_t& size) {
    pos = kKeep;
    size = kKeep;
    if (flag & follow) {
        size = minus(extent, orSize);
        return;
    }
    if (flag & keepFar)
        pos = minus(extent, orPos);
    else if ((flag & scalePos) && hasProp)
        pos = scaleBy(orPos, prop);
    if ((flag & scaleSize) && hasProp) size = scaleBy(orSize, prop);
}

} // namespace

Rect resizedRect(const Stored& s, const Factors& f) {
    Rect r;
    axis(s.flag, ScaleX, ScaleW, KeepRight, FollowRight, f.W, s.orX, s.orW, f.xprop, f.hasX, r.x,
         r.w);
    axis(s.flag, ScaleY, ScaleH, KeepBottom, FollowBottom, f.H, s.orY, s.orH, f.yprop, f.hasY, r.y,
         r.h);
    return r;
}

} // namespace zarnet::anchors
