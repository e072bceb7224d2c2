// Gadgets through the clipboard without windows: what a copy takes, that a
// paste gives back every stored field (numbers, places, splitter links and
// font indexes aside), and what it refuses.
#include "arrange_designs.h"
#include "designer/canvas/structure.h"
#include "designer/clipboard/clip.h"
#include "designer/generate/constants.h"
#include "designer/generate/include_writer.h"
#include "designer/generate/program.h"
#include "document/design_file.h"
#include "tests/native/generate/pb_checker.h"
#include "tests/native/test_designs.h"

#include <gtest/gtest.h>

#include <set>

namespace zarnet::designer {
namespace {

std::vector<size_t> topLevel(const Design& d) {
    std::vector<size_t> roots;
    for (size_t i = 0; i < d.items.size(); ++i)
        if (d.items[i].isGadget() && d.items[i].level == 0) roots.push_back(i);
    return roots;
}

FontEntry fontOf(const Design& d, int index) {
    return index < 0 ? FontEntry{} : d.fonts.at(static_cast<size_t>(index));
}

// A target with a font equal to one of the source's, one that is not, an
// unused slot with an equal face, a gadget and a hole in its numbers.
Design target() {
    Design d;
    d.fonts.push_back({1, 0, 9, "Courier New", 0});
    d.fonts.push_back({0, 0, 12, "Arial", 256});
    d.fonts.push_back({1, 0, 10, "Tahoma", 0});
    zarnet::test::addItem(d, ButtonGadget, 1, 1);
    zarnet::test::addItem(d, PanelGadget, 50, 50);
    d.items.push_back(makeTabRecord(0, "Panel 0"));
    d.items.push_back(makeTabRecord(1, "Panel 1"));
    d.items.push_back(makeCloseRecord());
    zarnet::test::addItem(d, TextGadget).number = 9;
    d.nextNumber = 10;
    d.rebuildNumberPool();
    d.recomputeNesting();
    return d;
}

TEST(Clipboard, PasteGivesBackEveryStoredField) {
    const Design source = zarnet::test::everyTypeDesign();
    const auto clip = readClip(copyToClip(source, topLevel(source)));
    ASSERT_TRUE(clip);
    ASSERT_EQ(clip->items.size(), source.items.size());
    EXPECT_EQ(clip->fonts.size(), 2u) << "only the entries in use travel";

    struct Case {
        const char* where;
        PasteTarget target;
    };
    for (const Case& c : {Case{"top level", {-1, 0}}, Case{"panel tab 1", {1, 1}}}) {
        SCOPED_TRACE(c.where);
        Design d = target();
        const size_t before = d.items.size();
        const auto pasted = pasteClip(d, *clip, c.target, {300, 200});
        ASSERT_TRUE(pasted);
        ASSERT_FALSE(checkInvariants(d)) << checkInvariants(d)->message;
        EXPECT_EQ(d.items.size(), before + source.items.size());
        EXPECT_EQ(d.fonts.size(), 4u) << "Courier New reused, Arial added";
        std::map<int, int> renumbered;
        std::set<int> numbers;
        for (size_t i = 0; i < source.items.size(); ++i) {
            const Item& from = source.items[i];
            const Item& to = d.items[pasted->first + i];
            RecordFields expect = from;
            expect.number = to.number;
            if (from.level == 0 && from.isGadget()) {
                // Every root moved by the same amount: the group keeps its shape.
                EXPECT_EQ(to.x - from.x, 300);
                EXPECT_EQ(to.y - from.y, 200);
            }
            expect.x = to.x;
            expect.y = to.y;
            expect.font = to.font;
            expect.tfont = to.tfont;
            if (from.typ == SplitterGadget) {
                expect.para1 = renumbered.at(from.para1);
                expect.para2 = renumbered.at(from.para2);
            }
            EXPECT_EQ(static_cast<const RecordFields&>(to), expect) << "record " << i;
            EXPECT_EQ(to.image, from.image);
            for (auto [a, b] : {std::pair{from.font, to.font}, std::pair{from.tfont, to.tfont}}) {
                const FontEntry fa = fontOf(source, a), fb = fontOf(d, b);
                EXPECT_EQ(std::tie(fa.gFontName, fa.gFontsize, fa.gFontstyle),
                          std::tie(fb.gFontName, fb.gFontsize, fb.gFontstyle));
            }
            if (from.isGadget()) {
                renumbered[from.number] = to.number;
                EXPECT_TRUE(numbers.insert(to.number).second);
                EXPECT_NE(to.number, 0) << "numbers in use stay with their items";
                EXPECT_NE(to.number, 1);
                EXPECT_NE(to.number, 9);
            }
        }
        EXPECT_EQ(d.items[pasted->first].level, c.target.container < 0 ? 0 : 1);
        EXPECT_TRUE(d.modified);
    }
}

TEST(Clipboard, PastedNamesStillMakeUniqueConstants) {
    Design d = zarnet::test::everyTypeDesign();
    const auto clip = readClip(copyToClip(d, topLevel(d)));
    ASSERT_TRUE(clip);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(pasteClip(d, *clip, {-1, 0}, {10 * i, 10 * i}));
    ASSERT_FALSE(checkInvariants(d));
    using namespace gen;
    Features needs;
    scanDesign(d, needs);
    const auto problems =
        zarnet::test::checkPureBasic(includeText(needs) + programText(buildConstants(d, "pre_"), "d.zrf"));
    EXPECT_TRUE(problems.empty()) << zarnet::test::describe(problems);
}

TEST(Clipboard, CopyTakesWholeRunsAndSplitterGadgets) {
    const Design d = zarnet::test::everyTypeDesign();
    const auto indexOf = [&](int typ) {
        return static_cast<size_t>(std::find_if(d.items.begin(), d.items.end(),
                                                [&](const Item& it) { return it.typ == typ; }) -
                                   d.items.begin());
    };
    const size_t split = indexOf(SplitterGadget), panel = indexOf(PanelGadget);
    struct Case {
        const char* what;
        std::vector<size_t> roots;
        size_t records;
    };
    const Case cases[] = {
        {"a splitter brings both gadgets", {split}, 3},
        {"a panel brings its tabs, contents and close records", {panel}, 8},
        {"a tab record alone is nothing", {panel + 1}, 0},
        {"a gadget inside a splitter comes alone", {split - 1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(copiedRecords(d, c.roots).size(), c.records);
        const auto bytes = copyToClip(d, c.roots);
        EXPECT_EQ(bytes.empty(), c.records == 0);
        if (!bytes.empty()) {
            EXPECT_TRUE(readClip(bytes));
        }
    }
}

TEST(Clipboard, DamagedDataAndFullNumbersAreRefused) {
    const Design source = zarnet::test::everyTypeDesign();
    const std::vector<uint8_t> good = copyToClip(source, topLevel(source));
    // Every shorter block, and the block with something after it.
    for (size_t n = 0; n < good.size(); n += 7)
        EXPECT_FALSE(readClip({good.data(), n})) << n << " bytes";
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(readClip(longer));
    Design empty;
    EXPECT_FALSE(readClip(writeDesign(empty))) << "a design with no gadget";

    Design full = target();
    full.nextNumber = kHighestNumber - 3;
    full.numberPool.clear();
    const Design before = full;
    EXPECT_FALSE(pasteClip(full, *readClip(good), {-1, 0}, {0, 0}));
    EXPECT_EQ(full.items.size(), before.items.size());
    EXPECT_EQ(full.nextNumber, before.nextNumber);
    EXPECT_EQ(full.fonts.size(), before.fonts.size());
    EXPECT_FALSE(pasteClip(full, *readClip(good), {0, 0}, {0, 0})) << "not a container";
}

// Options listed side by side are one group: a paste goes last unless its
// options would join the target's last group, then to the latest place
// that keeps every group apart, and nowhere when there is none. A place
// given (a duplicate joining its own group) is taken as it is.
TEST(Clipboard, PastesKeepGroupsOfOptionsApart) {
    struct Case {
        const char* target;
        const char* clip;
        int at;
        const char* expected; // nullptr: refused
    } cases[] = {
        {"O:b O:c B:a", "O:x", -1, "b c a x"},
        {"B:a O:b O:c", "O:x", -1, "x a b c"},
        {"B:a O:b O:c", "B:x", -1, "a b c x"},
        {"B:a O:b O:c", "O:x B:y", -1, "a x y b c"},
        {"O:b B:a O:c", "B:y O:x", -1, "b a c y x"},
        {"O:a O:b", "O:x", -1, nullptr},
        {"O:a O:b B:c", "O:x", 2, "a b x c"},
        {"Z:box O:a . O:b", "O:x", -1, "x box a . b"},
        {"Z:box O:a . B:b", "O:x", -1, "box a . b x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.target) + " + " + c.clip);
        Design d = test::design(c.target);
        const Design source = test::design(c.clip);
        const auto clip = readClip(copyToClip(source, topLevel(source)));
        ASSERT_TRUE(clip);
        const auto pasted = pasteClip(d, *clip, {-1, 0, c.at}, {0, 0});
        EXPECT_EQ(bool(pasted), c.expected != nullptr);
        EXPECT_EQ(test::order(d), c.expected ? c.expected : test::order(test::design(c.target)));
    }
}

TEST(Clipboard, PastesStayWithinReach) {
    struct Case {
        Rect r;
        Area a;
        Point expect;
    };
    const Case cases[] = {
        {{10, 10, 50, 20}, {100, 100}, {10, 10}},     // already within reach
        {{200, 10, 50, 20}, {100, 100}, {96, 10}},    // off the right: four pixels stay in
        {{-80, -30, 50, 20}, {100, 100}, {-46, -16}}, // off the top-left
        {{500, 500, 2, 2}, {100, 100}, {98, 98}},     // smaller than the margin: all of it
        {{5, 5, 50, 20}, {0, 0}, {0, 0}},             // no area at all
    };
    for (const Case& c : cases)
        EXPECT_EQ(withinReach(c.r, c.a), c.expect);
}

} // namespace
} // namespace zarnet::designer
