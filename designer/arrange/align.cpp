#include "designer/arrange/align.h"

#include <algorithm>
#include <numeric>

namespace zarnet::designer {

namespace {

constexpr AlignMenuEntry kMenu[] = {
    {AlignCommand::LeftEdges, "Left edges", false},
    {AlignCommand::RightEdges, "Right edges", false},
    {AlignCommand::TopEdges, "Top edges", false},
    {AlignCommand::BottomEdges, "Bottom edges", false},
    {AlignCommand::CentresHorizontally, "Centres horizontally", false},
    {AlignCommand::CentresVertically, "Centres vertically", false},
    {AlignCommand::SameWidth, "Same width", true},
    {AlignCommand::SameHeight, "Same height", false},
    {AlignCommand::SameSize, "Same size", false},
    {AlignCommand::SpaceAcross, "Space evenly across", true},
    {AlignCommand::SpaceDown, "Space evenly down", false},
    {AlignCommand::CentreInParentAcross, "Centre in parent across", true},
    {AlignCommand::CentreInParentDown, "Centre in parent down", false},
};

// Division rounding toward minus infinity, so that results do not depend on
// which side of the parent's origin a member lies.
int floorDiv(int a, int b) {
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int centre(int pos, int size) {
    return pos + floorDiv(size, 2);
}

// One axis of a rectangle, so each command is written once for both.
struct Axis {
    int Rect::*pos;
    int Rect::*size;
};
constexpr Axis kAcross{&Rect::x, &Rect::w};
constexpr Axis kDown{&Rect::y, &Rect::h};

void spaceEvenly(std::span<const AlignMember> members, std::vector<Rect>& out, Axis a) {
    const size_t n = members.size();
    if (n < 3) return;
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    const Axis other = a.pos == kAcross.pos ? kDown : kAcross;
    std::stable_sort(order.begin(), order.end(), [&](size_t l, size_t r) {
        const Rect& p = members[l].rect;
        const Rect& q = members[r].rect;
        if (p.*a.pos != q.*a.pos) return p.*a.pos < q.*a.pos;
        return p.*other.pos < q.*other.pos;
    });
    const Rect& first = members[order.front()].rect;
    const Rect& last = members[order.back()].rect;
    long widths = 0;
    for (const AlignMember& m : members)
        widths += m.rect.*a.size;
    const long span = static_cast<long>(last.*a.pos) + last.*a.size - first.*a.pos;
    const long room = span - widths;
    const long gaps = static_cast<long>(n) - 1;
    // Floor division keeps the leftover in 0 .. gaps - 1 even when the
    // members overlap and the room is negative.
    long gap = room / gaps;
    long extra = room % gaps;
    if (extra < 0) {
        extra += gaps;
        --gap;
    }
    long at = static_cast<long>(first.*a.pos) + first.*a.size;
    for (size_t k = 1; k + 1 < n; ++k) {
        at += gap + (static_cast<long>(k) <= extra ? 1 : 0);
        const size_t i = order[k];
        if (members[i].movable) out[i].*a.pos = static_cast<int>(at);
        at += members[i].rect.*a.size;
    }
}

void centreInParent(std::span<const AlignMember> members, std::vector<Rect>& out, Axis a,
                    int room) {
    bool any = false;
    long lo = 0, hi = 0;
    for (const AlignMember& m : members) {
        if (!m.movable) continue;
        const long p = m.rect.*a.pos;
        const long e = p + m.rect.*a.size;
        lo = any ? std::min(lo, p) : p;
        hi = any ? std::max(hi, e) : e;
        any = true;
    }
    if (!any) return;
    const long shift = floorDiv(static_cast<int>(room - (hi - lo)), 2) - lo;
    for (size_t i = 0; i < members.size(); ++i)
        if (members[i].movable) out[i].*a.pos = static_cast<int>(members[i].rect.*a.pos + shift);
}

} // namespace

std::span<const AlignMenuEntry> alignMenu() {
    return kMenu;
}

std::string_view alignMenuText(AlignCommand command) {
    for (const AlignMenuEntry& e : kMenu)
        if (e.command == command) return e.text;
    return {};
}

size_t minimumMembers(AlignCommand command) {
    switch (command) {
    case AlignCommand::SpaceAcross:
    case AlignCommand::SpaceDown:
        return 3;
    case AlignCommand::CentreInParentAcross:
    case AlignCommand::CentreInParentDown:
        return 1;
    default:
        return 2;
    }
}

std::vector<Rect> arrange(AlignCommand command, std::span<const AlignMember> members, Area parent) {
    std::vector<Rect> out;
    out.reserve(members.size());
    for (const AlignMember& m : members)
        out.push_back(m.rect);
    if (members.size() < minimumMembers(command)) return out;
    const Rect& ref = members.front().rect;
    // Every member but the reference takes `f` of its own rectangle.
    auto each = [&](auto f) {
        for (size_t i = 1; i < members.size(); ++i)
            if (members[i].movable) f(out[i]);
    };
    switch (command) {
    case AlignCommand::LeftEdges:
        each([&](Rect& r) { r.x = ref.x; });
        break;
    case AlignCommand::RightEdges:
        each([&](Rect& r) { r.x = ref.x + ref.w - r.w; });
        break;
    case AlignCommand::TopEdges:
        each([&](Rect& r) { r.y = ref.y; });
        break;
    case AlignCommand::BottomEdges:
        each([&](Rect& r) { r.y = ref.y + ref.h - r.h; });
        break;
    case AlignCommand::CentresHorizontally:
        each([&](Rect& r) { r.x += centre(ref.x, ref.w) - centre(r.x, r.w); });
        break;
    case AlignCommand::CentresVertically:
        each([&](Rect& r) { r.y += centre(ref.y, ref.h) - centre(r.y, r.h); });
        break;
    case AlignCommand::SameWidth:
        each([&](Rect& r) { r.w = ref.w; });
        break;
    case AlignCommand::SameHeight:
        each([&](Rect& r) { r.h = ref.h; });
        break;
    case AlignCommand::SameSize:
        each([&](Rect& r) {
            r.w = ref.w;
            r.h = ref.h;
        });
        break;
    case AlignCommand::SpaceAcross:
        spaceEvenly(members, out, kAcross);
        break;
    case AlignCommand::SpaceDown:
        spaceEvenly(members, out, kDown);
        break;
    case AlignCommand::CentreInParentAcross:
        centreInParent(members, out, kAcross, parent.w);
        break;
    case AlignCommand::CentreInParentDown:
        centreInParent(members, out, kDown, parent.h);
        break;
    }
    return out;
}

} // namespace zarnet::designer
