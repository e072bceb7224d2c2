// Random edits from one start design on two sides, each side touching only
// gadgets of its own (and the gadgets it adds): merging the two results over
// the start gives what applying both edit sequences one after the other
// gives, and the diff of each side lists exactly the fields it changed.
#include "compare_edits.h"
#include "test_designs.h"

#include "document/compare/diff.h"
#include "document/compare/fields.h"
#include "document/compare/merge.h"
#include "document/example_design.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace zarnet::test {
namespace {

// splitmix64: the same numbers on every build.
struct Rng {
    uint64_t s;
    uint64_t next() {
        uint64_t z = (s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return n > 0 ? static_cast<int>(next() % static_cast<uint64_t>(n)) : 0; }
};

// A gadget by handle: base gadgets by their number, new ones by 100000 +
// the step that added them, so one sequence replays on another design.
constexpr int kNew = 100000;

struct Op {
    enum Kind { Set, Add, Remove, Move } kind = Set;
    int target = -1; // handle
    std::string field;
    Item value;     // holds the new value of `field`
    FontEntry font; // for a font change to a font by content (`font` -1: default)
    int typ = 0;
    int parent = -1; // handle of the new place's parent, -1 top level
    int step = 0;
};

struct World {
    Design d;
    std::map<int, int> number; // handle -> number, for the gadgets added
    int of(int handle) const { return handle < kNew ? handle : number.at(handle); }
    bool has(int handle) const {
        if (handle >= kNew && !number.count(handle)) return false;
        const int n = of(handle);
        for (const Item& it : d.items)
            if (it.isGadget() && it.number == n) return true;
        return false;
    }
};

bool heldBySplitter(const Design& d, int n) {
    for (const Item& it : d.items)
        if (it.typ == SplitterGadget && (it.para1 == n || it.para2 == n)) return true;
    return false;
}

// Whether gadget `inner` lies inside gadget `outer` (or is it).
bool inside(const Design& d, int inner, int outer) {
    const size_t i = indexOfNumber(d, outer), end = runEndOf(d, i);
    const size_t k = indexOfNumber(d, inner);
    return k >= i && k < end;
}

int parentOf(const Design& d, int n) {
    const compare::DesignView v(d);
    return v.placeOf(n).parent;
}

void apply(World& w, const Op& op, int step) {
    Design& d = w.d;
    switch (op.kind) {
    case Op::Set: {
        Item& it = gadget(d, w.of(op.target));
        for (const compare::Field& f : compare::gadgetFields())
            if (f.key == op.field) f.copy(it, op.value);
        if (op.field == "tooltip text") it.tooltip = 1;
        if (op.field == "font") {
            it.font = -1;
            if (op.font.gFontUsed) {
                auto same = std::find_if(d.fonts.begin(), d.fonts.end(), [&](const FontEntry& e) {
                    return e.gFontUsed && e.gFontName == op.font.gFontName &&
                           e.gFontsize == op.font.gFontsize && e.gFontstyle == op.font.gFontstyle;
                });
                if (same == d.fonts.end()) same = d.fonts.insert(d.fonts.end(), op.font);
                it.font = static_cast<int>(same - d.fonts.begin());
            }
        }
        break;
    }
    case Op::Add:
        w.number[kNew + step] = addGadget(d, op.typ, op.parent < 0 ? -1 : w.of(op.parent)).number;
        break;
    case Op::Remove:
        // A number freed here and taken again by a gadget of the same type
        // would be the same gadget to a diff: new gadgets take new numbers.
        removeGadget(d, w.of(op.target), false);
        break;
    case Op::Move:
        moveGadget(d, w.of(op.target), op.parent < 0 ? -1 : w.of(op.parent));
        break;
    }
}

struct Side {
    std::vector<Op> ops;
    std::set<int> owned;                       // handles
    std::set<std::pair<int, std::string>> set; // (handle, field) changed
    std::set<int> moved;
};

const char* const kFaces[] = {"Tahoma", "Verdana", "Arial"};

// One random step of a side on its own world; false when it found nothing to do.
bool randomStep(Side& side, World& w, Rng& rng, int step) {
    std::vector<int> mine;
    for (int h : side.owned)
        if (w.has(h)) mine.push_back(h);
    std::vector<int> places{-1};
    for (int h : mine) {
        const int typ = gadget(w.d, w.of(h)).typ;
        if (typ == ContainerGadget || typ == ScrollAreaGadget) places.push_back(h);
    }
    Op op;
    const int kind = rng.below(10);
    if (kind < 2 || mine.empty()) {
        static const int kTypes[] = {ButtonGadget, TextGadget, StringGadget, ContainerGadget,
                                     TrackBarGadget};
        op.kind = Op::Add;
        op.typ = kTypes[rng.below(5)];
        op.parent = places[static_cast<size_t>(rng.below(static_cast<int>(places.size())))];
        side.owned.insert(kNew + step);
    } else {
        op.target = mine[static_cast<size_t>(rng.below(static_cast<int>(mine.size())))];
        const Item& it = gadget(w.d, w.of(op.target));
        const bool free = !heldBySplitter(w.d, it.number) && it.typ != SplitterGadget;
        if (kind == 2 && free) {
            op.kind = Op::Remove;
        } else if (kind == 3 && free && !side.moved.count(op.target)) {
            op.kind = Op::Move;
            op.parent = places[static_cast<size_t>(rng.below(static_cast<int>(places.size())))];
            const int now = parentOf(w.d, it.number);
            if ((op.parent < 0 ? -1 : w.of(op.parent)) == now) return false;
            if (op.parent >= 0 && inside(w.d, w.of(op.parent), it.number)) return false;
            side.moved.insert(op.target);
        } else {
            static const char* const kKeys[] = {"x",      "y",    "w",    "name",        "text",
                                                "status", "auto", "font", "tooltip text"};
            op.field = kKeys[rng.below(9)];
            if (op.field == "text" && !(typeMask(it.typ) & MaskText)) return false;
            if (op.field == "tooltip text" && it.tooltip != 0) return false;
            if (!side.set.insert({op.target, op.field}).second) return false;
            op.value = it;
            const int r = rng.below(1000) + 1;
            if (op.field == "x") op.value.x += r;
            if (op.field == "y") op.value.y += r;
            if (op.field == "w") op.value.w += r;
            if (op.field == "name") op.value.name += "_" + std::to_string(r);
            if (op.field == "text") op.value.wtext += "+" + std::to_string(r);
            if (op.field == "status") op.value.status ^= 1 + rng.below(7);
            if (op.field == "auto") op.value.auto_ ^= 1 + rng.below(255);
            if (op.field == "tooltip text") op.value.tooltipText = "tip " + std::to_string(r);
            if (op.field == "font") {
                op.font = {1, 0, 6 + rng.below(20), kFaces[rng.below(3)], rng.below(2) * 256};
                const auto now = compare::fontValue(w.d.fonts, it.font);
                const std::vector<FontEntry> one{op.font};
                if (now == compare::fontValue(one, 0)) return false;
            }
        }
    }
    op.step = step;
    apply(w, op, step);
    side.ops.push_back(op);
    return true;
}

// Gadget lines of a diff as (number, what): fields by key, "added", "removed", "parent".
std::set<std::pair<int, std::string>> gadgetChanges(const Design& a, const Design& b) {
    std::set<std::pair<int, std::string>> out;
    for (const auto& c : compare::diffDesigns(a, b).changes)
        if (c.number >= 0) out.insert({c.number, c.field});
    return out;
}

std::set<std::pair<int, std::string>> expected(const Side& side, const World& w,
                                               const Design& start) {
    std::set<std::pair<int, std::string>> out;
    const compare::DesignView before(start);
    for (int n : before.numbers())
        if (!w.has(n)) out.insert({n, "removed"});
    for (const auto& [handle, n] : w.number)
        if (w.has(handle)) out.insert({n, "added"});
    for (const auto& [handle, field] : side.set) {
        if (handle >= kNew || !w.has(handle)) continue;
        // A tooltip given its first text changes its kind as well.
        out.insert({handle, field});
        if (field == "tooltip text") out.insert({handle, "tooltip"});
    }
    for (int handle : side.moved)
        if (handle < kNew && w.has(handle)) out.insert({handle, "parent"});
    return out;
}

// The merged design with theirs' new gadgets numbered as `sequential` numbered them.
Design renumbered(Design m, const std::map<int, int>& to) {
    const auto map = [&](int n) {
        const auto at = to.find(n);
        return at == to.end() ? n : at->second;
    };
    for (Item& it : m.items) {
        if (!it.isGadget()) continue;
        it.number = static_cast<int16_t>(map(it.number));
        if (it.typ == SplitterGadget) it.para1 = map(it.para1), it.para2 = map(it.para2);
    }
    return m;
}

TEST(RandomMerge, MergingTwoSidesEqualsApplyingBoth) {
    const Design starts[] = {asFiled(everyTypeDesign()), asFiled(makeExampleDesign())};
    for (uint64_t seed = 1; seed <= 300; ++seed) {
        const Design& start = starts[seed % 2];
        Rng rng{seed};
        Side sides[2];
        World worlds[2] = {{start, {}}, {start, {}}};
        const compare::DesignView v(start);
        const auto& top = v.children({-1, 0});
        for (size_t i = 0; i < top.size(); ++i) {
            const size_t at = indexOfNumber(start, top[i]);
            for (size_t k = at; k < runEndOf(start, at); ++k)
                if (start.items[k].isGadget()) sides[i % 2].owned.insert(start.items[k].number);
        }
        for (int step = 0; step < 24; ++step) {
            const int s = step % 2;
            randomStep(sides[s], worlds[s], rng, step);
        }
        const Design ours = asFiled(worlds[0].d), theirs = asFiled(worlds[1].d);
        SCOPED_TRACE("seed " + std::to_string(seed));
        EXPECT_EQ(gadgetChanges(start, ours), expected(sides[0], worlds[0], start));
        EXPECT_EQ(gadgetChanges(start, theirs), expected(sides[1], worlds[1], start));

        World sequential{ours, worlds[0].number};
        for (const Op& op : sides[1].ops)
            apply(sequential, op, op.step);
        const Design both = asFiled(sequential.d);
        const auto r = compare::mergeDesigns(start, ours, theirs);
        ASSERT_TRUE(r.conflicts.empty()) << r.conflicts.front();
        ASSERT_TRUE(r.merged);
        std::map<int, int> to;
        std::map<int, int> renumberedAs(r.renumbered.begin(), r.renumbered.end());
        for (const auto& [handle, n] : worlds[1].number) {
            if (!worlds[1].has(handle)) continue;
            const auto at = renumberedAs.find(n);
            to[at == renumberedAs.end() ? n : at->second] = sequential.of(handle);
        }
        std::vector<std::string> differ;
        for (const auto& c : compare::diffDesigns(both, renumbered(*r.merged, to)).changes)
            if (c.field != "next number") differ.push_back(c.line);
        EXPECT_TRUE(differ.empty()) << differ.front();
    }
}

} // namespace
} // namespace zarnet::test
