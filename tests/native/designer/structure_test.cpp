#include "designer/canvas/structure.h"

#include "document/catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zarnet::designer {
namespace {

// Designs are written as space-separated records: "K:name" a real item of
// kind K (B button, N spin, I image, C container, A scroll area, P panel),
// "S:name=a/b" a splitter holding a and b, "|" a tab record, "." a close
// record. Real items are numbered in order of appearance and stand at
// x = 10 * (number + 1), y = 100 + number; splitter gadgets are marked the
// way a canvas rebuild marks them.
Design build(const std::string& text) {
    static const std::map<char, int> kinds{
        {'B', ButtonGadget},     {'N', SpinGadget},  {'I', ImageGadget},   {'C', ContainerGadget},
        {'A', ScrollAreaGadget}, {'P', PanelGadget}, {'S', SplitterGadget}};
    Design d;
    std::map<std::string, int> numbers;
    std::istringstream in(text);
    for (std::string tok; in >> tok;) {
        if (tok == "|" || tok == ".") {
            d.items.push_back(tok == "|" ? makeTabRecord(0, "Tab") : makeCloseRecord());
            continue;
        }
        Item it = makeItem(kinds.at(tok[0]));
        it.name = tok.substr(2);
        if (it.typ == SplitterGadget) {
            const size_t eq = it.name.find('='), slash = it.name.find('/');
            it.para1 = numbers.at(it.name.substr(eq + 1, slash - eq - 1));
            it.para2 = numbers.at(it.name.substr(slash + 1));
            it.name.resize(eq);
            for (Item& c : d.items)
                if (c.isGadget() && (c.number == it.para1 || c.number == it.para2))
                    c.insplitter = 1;
        }
        it.number = static_cast<int16_t>(d.takeNumber());
        numbers[it.name] = it.number;
        it.x = 10 * (it.number + 1);
        it.y = 100 + it.number;
        d.items.push_back(std::move(it));
    }
    renumberTabs(d.items);
    resolveSplitterChildren(d.items);
    d.recomputeNesting();
    EXPECT_FALSE(checkInvariants(d)) << text;
    return d;
}

// The list in the same notation (names only) and its levels.
std::string order(const Design& d) {
    std::string out;
    for (const Item& it : d.items)
        out += (out.empty() ? "" : " ") + (it.typ == kTabRecord     ? "|"
                                           : it.typ == kCloseRecord ? "."
                                                                    : it.name);
    return out;
}
std::string levels(const Design& d) {
    std::string out;
    for (const Item& it : d.items)
        out += std::to_string(it.level);
    return out;
}

// A record by name, "|n" the n-th tab record, "#n" list index n.
size_t at(const Design& d, const std::string& ref) {
    if (ref[0] == '#') return std::stoul(ref.substr(1));
    int tab = ref[0] == '|' ? std::stoi(ref.substr(1)) : -1;
    for (size_t i = 0; i < d.items.size(); ++i) {
        const Item& it = d.items[i];
        if ((tab < 0 && it.isGadget() && it.name == ref) || (it.typ == kTabRecord && tab-- == 0))
            return i;
    }
    ADD_FAILURE() << "no record " << ref;
    return 0;
}
const Item& named(const Design& d, const std::string& name) {
    return d.items[at(d, name)];
}

// A successful edit leaves a list the file and the runtime take, splitters
// pointing at their gadgets and tabs numbered from 0; a refused one leaves
// everything as it was, numbering included.
void expectOutcome(const Design& d, const Design& before, const char* expected,
                   const char* expectedLevels, const std::string& what) {
    SCOPED_TRACE(what);
    if (!expected) {
        EXPECT_EQ(order(d), order(before));
        EXPECT_EQ(d.nextNumber, before.nextNumber);
        EXPECT_EQ(d.numberPool, before.numberPool);
        EXPECT_FALSE(d.modified);
        return;
    }
    EXPECT_EQ(order(d), expected);
    EXPECT_EQ(levels(d), expectedLevels);
    const auto error = checkInvariants(d);
    EXPECT_FALSE(error) << error->message << " at " << error->item;
    const auto scopes = scopesOf(d.items);
    ASSERT_TRUE(scopes);
    for (size_t i = 0; i < d.items.size(); ++i) {
        const Item& it = d.items[i];
        if (it.typ == kTabRecord) {
            EXPECT_EQ(it.number, (*scopes)[i].tab);
        }
        if (it.typ != SplitterGadget) continue;
        ASSERT_TRUE(it.firstitem >= 0 && it.seconditem >= 0);
        EXPECT_EQ(d.items[static_cast<size_t>(it.firstitem)].number, it.para1);
        EXPECT_EQ(d.items[static_cast<size_t>(it.seconditem)].number, it.para2);
    }
    EXPECT_TRUE(d.modified);
}

TEST(StructureEdit, CombineIntoContainer) {
    struct Case {
        const char* design;
        std::vector<std::string> members;
        const char *order, *levels; // nullptr: refused
    };
    const Case cases[] = {
        {"B:a B:b B:c", {"c", "a"}, "b k a c .", "00110"},
        // Items between members stay before the container, later ones after.
        {"B:a B:x B:b B:y", {"a", "b"}, "x k a b . y", "001100"},
        {"C:c B:a B:b . B:t", {"c", "t"}, "k c a b . t .", "0122110"},
        {"P:p | B:y | B:a B:b .", {"a", "b"}, "p | y | k a b . .", "001012210"},
        {"C:o A:s B:a B:b . .", {"a", "b"}, "o s k a b . . .", "01233210"},
        // Both gadgets of a splitter travel with it, recursively; a parent
        // held by a splitter travels whole.
        {"B:a B:b S:s=a/b B:c", {"s", "c"}, "k a b s c .", "011110"},
        {"B:a B:b S:s=a/b B:c S:t=s/c B:d", {"t", "d"}, "k a b s c t d .", "01111110"},
        {"C:x B:i . B:b S:s=x/b B:e", {"s", "e"}, "k x i . b s e .", "01211110"},
        {"B:a B:b", {}, nullptr, nullptr},
        {"C:o B:a . B:b", {"a", "b"}, nullptr, nullptr},
        {"P:p | B:a | B:b .", {"a", "b"}, nullptr, nullptr},
        {"B:a B:b S:s=a/b B:c", {"a", "c"}, nullptr, nullptr},
        {"B:a B:b S:s=a/b B:c S:t=s/c", {"s", "b"}, nullptr, nullptr},
        {"B:a B:b S:s=a/b B:c S:t=s/c", {"s"}, nullptr, nullptr}, // t stays behind
        {"P:p | B:a . B:b", {"|0"}, nullptr, nullptr},
        {"P:p | B:a . B:b", {"#3"}, nullptr, nullptr},
        {"P:p | B:a . B:b", {"b", "#9"}, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        Design d = build(c.design);
        const Design before = d;
        std::vector<size_t> members;
        for (const std::string& m : c.members)
            members.push_back(at(d, m));
        Item box = makeItem(ContainerGadget);
        box.name = "k";
        const auto k = combineIntoContainer(d, members, {40, 50, 200, 100}, box);
        expectOutcome(d, before, c.order, c.levels, c.design);
        if (!k || !c.order) {
            EXPECT_EQ(k.has_value(), c.order != nullptr) << c.design;
            continue;
        }
        const Item& it = d.items[*k];
        EXPECT_EQ(it.name, "k");
        EXPECT_EQ(it.number, before.nextNumber);
        EXPECT_EQ((Rect{it.x, it.y, it.w, it.h}), (Rect{40, 50, 200, 100}));
    }
}

TEST(StructureEdit, CombineIntoContainerPositionsAndNumbers) {
    Design d = build("C:c B:a . B:b B:x B:y S:s=x/y I:i B:z");
    d.releaseNumber(named(d, "z").number); // a free number, as after a deletion
    d.items.pop_back();
    const Design before = d;
    std::vector<size_t> members{at(d, "c"), at(d, "b"), at(d, "s"), at(d, "i")};
    const auto k = combineIntoContainer(d, members, {15, 101, 300, 90}, makeItem(28));
    ASSERT_TRUE(k);
    EXPECT_EQ(d.items[*k].number, 7);
    EXPECT_EQ(d.maximumDepth, 2);
    // Members become relative to the group; a moved parent's contents and
    // the splitter's gadgets keep their places; every number is kept.
    const struct {
        const char* name;
        int x, y;
    } expected[] = {{"c", -5, -1},  {"a", 20, 101}, {"b", 15, 1}, {"x", 40, 103},
                    {"y", 50, 104}, {"s", 45, 4},   {"i", 55, 5}};
    for (const auto& e : expected) {
        const Item& it = named(d, e.name);
        EXPECT_EQ(std::pair(it.x, it.y), std::pair(e.x, e.y)) << e.name;
        EXPECT_EQ(it.number, named(before, e.name).number) << e.name;
        EXPECT_EQ(it.bandmark, -1) << e.name; // kept from the next refresh
    }
}

TEST(StructureEdit, RemoveContainer) {
    struct Case {
        const char *design, *container, *order, *levels;
    };
    const Case cases[] = {
        {"C:c B:a B:b . B:x", "c", "a b x", "000"},
        {"P:p | B:y | C:c B:a . .", "c", "p | y | a .", "001010"},
        {"C:c A:s B:a . B:b .", "c", "s a . b", "0100"},
        {"C:o C:c B:a . .", "c", "o a .", "010"},
        {"C:o C:c B:a . .", "o", "c a .", "010"},
        {"C:c B:a B:b S:s=a/b .", "c", "a b s", "000"},
        {"C:c .", "c", "", ""},
        {"C:c . B:b S:s=c/b", "c", nullptr, nullptr}, // its splitter would lose it
        {"A:a .", "a", nullptr, nullptr},
        {"P:p | .", "p", nullptr, nullptr},
        {"C:c .", "#1", nullptr, nullptr},
        {"B:b", "#4", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        Design d = build(c.design);
        const Design before = d;
        EXPECT_EQ(removeContainer(d, at(d, c.container)), c.order != nullptr) << c.design;
        expectOutcome(d, before, c.order, c.levels, c.design);
        if (c.order) {
            EXPECT_EQ(d.numberPool.front(), named(before, c.container).number);
        }
    }
    // Direct children keep their screen places and land on the container's
    // tab; deeper items and splitter gadgets keep their coordinates.
    Design d = build("P:p | B:y | C:c B:a A:s B:i . B:x B:z S:t=x/z . .");
    const Design before = d;
    ASSERT_TRUE(removeContainer(d, at(d, "c")));
    for (const char* name : {"a", "s", "t", "i", "x", "z"}) {
        const bool direct = std::string("ast").find(name[0]) != std::string::npos;
        EXPECT_EQ(named(d, name).x, named(before, name).x + (direct ? 30 : 0)) << name;
        EXPECT_EQ(named(d, name).y, named(before, name).y + (direct ? 102 : 0)) << name;
        if (direct) {
            EXPECT_EQ(named(d, name).tab, 1) << name;
        }
    }
}

TEST(StructureEdit, CombineIntoSplitter) {
    struct Case {
        const char *design, *a, *b;
        Rect ra, rb;
        bool vertical;
        const char *order, *levels, *first;
    };
    const Rect left{10, 10, 50, 20}, right{100, 10, 50, 20}, low{10, 80, 50, 20};
    const Case cases[] = {
        {"B:a B:b", "b", "a", right, left, true, "a b s", "000", "a"},
        {"B:a B:b", "a", "b", right, left, true, "a b s", "000", "b"},
        {"B:a B:b", "b", "a", left, right, false, "a b s", "000", "a"}, // equal y: list order
        {"B:a B:b", "a", "b", low, left, false, "a b s", "000", "b"},
        {"C:a B:i . B:x B:b", "b", "a", left, right, true, "a i . x b s", "010000", "b"},
        {"B:b C:a B:i . B:x", "b", "a", left, right, true, "b a i . s x", "001000", "b"},
        {"P:p | B:x | B:a B:b .", "a", "b", left, right, true, "p | x | a b s .", "00101110", "a"},
        {"B:a N:n", "a", "n", left, right, true, nullptr, nullptr, nullptr},
        {"B:a", "a", "a", left, right, true, nullptr, nullptr, nullptr},
        {"B:a B:b B:c S:t=b/c", "a", "b", left, right, true, nullptr, nullptr, nullptr},
        {"B:a C:o B:i .", "a", "i", left, right, true, nullptr, nullptr, nullptr},
        {"P:p | B:j | B:k .", "j", "k", left, right, true, nullptr, nullptr, nullptr},
        {"P:p | B:j .", "j", "|0", left, right, true, nullptr, nullptr, nullptr},
        {"B:a", "a", "#5", left, right, true, nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        Design d = build(c.design);
        d.nextNumber = 100;
        d.releaseNumber(99);
        const Design before = d;
        Item s = makeItem(SplitterGadget);
        s.name = "s";
        s.flags = 0xFF;
        const auto i = combineIntoSplitter(d, at(d, c.a), c.ra, at(d, c.b), c.rb, {5, 6, 200, 100},
                                           c.vertical, s);
        const std::string what = std::string(c.design) + " / " + c.a + c.b;
        EXPECT_EQ(i.has_value(), c.order != nullptr) << what;
        expectOutcome(d, before, c.order, c.levels, what);
        if (!i || !c.order) continue;
        const Item& it = d.items[*i];
        EXPECT_EQ(it.number, 99);
        EXPECT_EQ(it.flags, c.vertical ? 0xFu : 0xEu); // separator and fixed bits kept
        EXPECT_EQ(it.para1, named(d, c.first).number) << what;
        EXPECT_EQ(it.tab, named(d, c.a).tab);
        EXPECT_EQ((Rect{it.x, it.y, it.w, it.h}), (Rect{5, 6, 200, 100}));
        EXPECT_EQ(named(d, c.a).insplitter + named(d, c.b).insplitter, 2);
    }
}

TEST(StructureEdit, RemoveSplitter) {
    Design d = build("B:a B:b S:s=a/b B:c S:t=s/c");
    const Design before = d;
    for (const char* refused : {"s", "c", "#9"}) // t would lose a gadget; no splitters
        EXPECT_FALSE(removeSplitter(d, at(d, refused))) << refused;
    expectOutcome(d, before, nullptr, nullptr, "refused");

    ASSERT_TRUE(removeSplitter(d, at(d, "t")));
    expectOutcome(d, before, "a b s c", "0000", "t");
    EXPECT_EQ(d.numberPool.front(), named(before, "t").number);
    const std::pair<const char*, int> held[] = {{"s", 0}, {"c", 0}, {"a", 1}, {"b", 1}};
    for (const auto& [name, flag] : held)
        EXPECT_EQ(named(d, name).insplitter, flag) << name;
    EXPECT_EQ(named(d, "s").bandmark, -1); // where the caller put it stays
    ASSERT_TRUE(removeSplitter(d, at(d, "s")));
    EXPECT_EQ(order(d), "a b c");
}

TEST(StructureEdit, Reorder) {
    struct Case {
        const char *design, *dragged, *target, *order, *levels;
    };
    const Case cases[] = {
        {"B:a B:b B:c", "a", "c", "b c a", "000"},
        {"B:a B:b B:c", "c", "a", "a c b", "000"},
        {"C:c B:x . B:a B:b", "c", "a", "a c x . b", "00100"},
        {"B:a C:c B:x .", "a", "c", "c x . a", "0100"},
        // Nested two deep, and onto another tab of the same panel.
        {"P:p | C:c B:x B:y A:s B:i . . .", "x", "s", "p | c y s i . x . .", "0012232210"},
        {"P:p | B:a B:x | B:b .", "a", "|1", "p | x | a b .", "0010110"},
        {"P:p | B:a B:x | B:b .", "b", "a", "p | a b x | .", "0011100"},
        // Tabs with their children.
        {"P:p | B:a | B:b | B:c .", "|0", "|1", "p | b | a | c .", "00101010"},
        {"P:p | B:a | | B:c .", "|2", "|0", "p | a | c | .", "0010100"},
        // Others may move around a splitter's gadgets; it stays behind them.
        {"B:a B:b S:s=a/b B:c", "c", "a", "a c b s", "0000"},
        {"B:c B:a B:b S:s=a/b", "c", "s", "a b s c", "0000"},
        // Refused: no change, splitters and their gadgets, other parents,
        // tabs onto anything but a tab of their panel, close records.
        {"B:a B:b", "a", "a", nullptr, nullptr},
        {"B:a B:b", "b", "a", nullptr, nullptr},
        {"P:p | B:a .", "a", "|0", nullptr, nullptr},
        {"C:c B:x . B:a", "a", "c", nullptr, nullptr},
        {"P:p | B:a | B:b .", "|1", "|0", nullptr, nullptr},
        {"B:a B:b S:s=a/b B:c", "s", "c", nullptr, nullptr},
        {"B:a B:b S:s=a/b B:c", "a", "c", nullptr, nullptr},
        {"B:a C:c B:x .", "a", "x", nullptr, nullptr},
        {"B:a C:c B:x .", "x", "a", nullptr, nullptr},
        {"P:p | B:x .", "x", "p", nullptr, nullptr},
        {"B:a P:p | B:x .", "a", "|0", nullptr, nullptr},
        {"P:p | B:a | B:b .", "|0", "b", nullptr, nullptr},
        {"P:p | B:a | B:b .", "|1", "p", nullptr, nullptr},
        {"P:p | B:a . P:q | B:b .", "|0", "|1", nullptr, nullptr},
        {"P:p | B:a . P:q | B:b .", "a", "|1", nullptr, nullptr},
        {"C:c B:x . B:a", "#2", "a", nullptr, nullptr},
        {"C:c B:x . B:a", "a", "#2", nullptr, nullptr},
        {"B:a", "a", "#7", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        Design d = build(c.design);
        const Design before = d;
        const std::string what = std::string(c.design) + " / " + c.dragged + " onto " + c.target;
        size_t movedTo = 99;
        EXPECT_EQ(reorder(d, at(d, c.dragged), at(d, c.target), &movedTo), c.order != nullptr)
            << what;
        expectOutcome(d, before, c.order, c.levels, what);
        if (c.order) {
            EXPECT_EQ(d.items[movedTo].name, before.items[at(before, c.dragged)].name);
        }
    }
    // A malformed list moves nothing.
    Design d = build("B:a B:b");
    d.items.push_back(makeCloseRecord());
    EXPECT_FALSE(reorder(d, 0, 1));
}

TEST(StructureEdit, ReorderedTabsKeepTheCurrentTab) {
    // dragged tab, target tab, current tab before and after
    const int cases[][4] = {{0, 2, 0, 2}, {0, 2, 1, 0}, {0, 2, 2, 1}, {2, 0, 2, 1},
                            {2, 0, 1, 2}, {3, 1, 0, 0}, {1, 2, 3, 3}};
    for (const auto& c : cases) {
        Design d = build("P:p | B:a | B:b | B:c | B:e .");
        d.items[0].view1 = c[2];
        ASSERT_TRUE(
            reorder(d, at(d, "|" + std::to_string(c[0])), at(d, "|" + std::to_string(c[1]))));
        EXPECT_EQ(d.items[0].view1, c[3]) << c[0] << c[1] << c[2];
    }
}

} // namespace
} // namespace zarnet::designer
