#include "designer/arrange/tab_order.h"

#include "arrange_designs.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace zarnet::designer {
namespace {

using test::design;
using test::order;

// A changed list is one the file takes; an unchanged one is untouched.
void expectOutcome(const Design& d, const Design& before, bool changed, const char* expected) {
    if (!expected) {
        EXPECT_FALSE(changed);
        EXPECT_EQ(order(d), order(before));
        EXPECT_FALSE(d.modified);
        EXPECT_EQ(d.revision, before.revision);
        return;
    }
    EXPECT_TRUE(changed);
    EXPECT_EQ(order(d), expected);
    const auto error = checkInvariants(d);
    EXPECT_FALSE(error) << error->message << " at " << error->item;
    EXPECT_TRUE(d.modified);
}

struct ClickCase {
    const char* design;
    const char* clicks;   // names in click order
    const char* expected; // nullptr: nothing changes
};

TEST(TabOrder, ClicksPutTheClickedFirstAndTheRestInTheirOldOrder) {
    const std::vector<ClickCase> cases = {
        {"B:a B:b B:c", "c", "c a b"},
        {"B:a B:b B:c", "c a", "c a b"},
        {"B:a B:b B:c", "a", nullptr},
        {"B:a B:b B:c", "a b c", nullptr},
        {"B:a B:b B:c", "b b", "b a c"},
        {"B:a B:b B:c", "nobody", nullptr},
        {"B:a B:b B:c", "", nullptr},
        // A container moves with its contents and close record.
        {"B:a Z:box B:x B:y . B:b", "b box", "b box x y . a"},
        {"B:a Z:box B:x B:y . B:b", "y", "a box y x . b"},
        {"B:a Z:box B:x B:y . B:b", "a y", nullptr},
        // Each panel tab has an order of its own; tab records stay put.
        {"P:p | B:a B:b | B:c B:d . B:e", "b", "p | b a | c d . e"},
        {"P:p | B:a B:b | B:c B:d . B:e", "d", "p | a b | d c . e"},
        {"P:p | B:a B:b | B:c B:d . B:e", "a c", nullptr},
        {"P:p | B:a B:b | B:c B:d . B:e", "e p", "e p | a b | c d ."},
        {"P:p | Z:box B:x . B:b | . B:e", "b", "p | b box x . | . e"},
        // A splitter's unit stands where the splitter stands; a click on
        // either gadget takes the whole unit, gadgets right before it.
        {"B:a B:b T:t W:s/a/b B:c", "c", "c t a b s"},
        {"B:a B:b T:t W:s/a/b B:c", "a", "a b s t c"},
        {"B:a T:t B:b W:s/a/b B:c", "t", "t a b s c"},
        {"Z:box B:x . B:y W:s/box/y B:z", "z", "z box x . y s"},
        {"B:a B:b W:s1/a/b B:c W:s2/s1/c B:d", "d", "d a b s1 c s2"},
        {"B:a B:b W:s1/a/b B:c W:s2/s1/c B:d", "b", nullptr},
        // Frames keep their slots and do not take part.
        {"F:f B:a B:b", "b", "f b a"},
        {"F:f B:a B:b", "f", nullptr},
        {"B:a F:f B:b B:c", "c f", "c f a b"},
        // A run of options is one group: it moves whole, a click on any
        // option takes it, and no order may put two runs side by side.
        {"B:c O:a O:b B:e", "b", "a b c e"},
        {"O:a O:b B:c", "b", nullptr},
        {"O:a B:c O:d B:e", "d", "d c a e"},
        {"O:a B:c O:d B:e", "d a", nullptr},
        {"B:c O:a B:e O:d", "d", "d c a e"},
        {"B:c O:a O:d", "c", nullptr},
    };
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(std::string(c.design) + " clicking " + c.clicks);
        Design d = design(c.design);
        const Design before = d;
        std::vector<int> numbers;
        std::istringstream in(c.clicks);
        for (std::string name; in >> name;)
            numbers.push_back(name == "nobody" ? 99 : test::numberOf(d, name));
        const bool changed = applyTabOrder(d, numbers);
        expectOutcome(d, before, changed, c.expected);
    }
}

TEST(TabOrder, ClickingInTurnBuildsTheOrderOneStepAtATime) {
    Design d = design("B:a B:b B:c B:d B:e");
    std::vector<int> clicks;
    const char* const steps[] = {"d a b c e", "d c a b e", "d c a b e", "d c a e b"};
    const char* const names[] = {"d", "c", "a", "e"};
    for (int k = 0; k < 4; ++k) {
        clicks.push_back(test::numberOf(d, names[k]));
        const uint64_t revision = d.revision;
        const bool changed = applyTabOrder(d, clicks);
        EXPECT_EQ(order(d), steps[k]) << k;
        EXPECT_EQ(changed, d.revision != revision) << k;
        EXPECT_EQ(changed, k != 2) << k;
    }
}

struct SortCase {
    const char* design;
    const char* expected; // nullptr: already in order
};

TEST(TabOrder, SortingGoesTopToBottomThenLeftToRightInEveryParent) {
    const std::vector<SortCase> cases = {
        {"B:a@50,10 B:b@10,10 B:c@0,40", "b a c"},
        {"B:a@0,0 B:b@0,0 B:c@0,1", nullptr},
        {"B:a@0,10 B:b@0,0", "b a"},
        {"P:p@0,20 | B:a@0,50 B:b@0,10 | B:c@5,5 B:d@0,5 . B:e@0,0", "e p | b a | d c ."},
        {"Z:box@0,0 B:x@9,9 B:y@1,1 . B:z@0,0", "box y x . z"},
        // The splitter's position places the unit; its gadgets go top to
        // bottom, left to right among themselves.
        {"B:a@100,0 B:t@0,50 B:b@0,0 W:s/a/b@0,0", "b a s t"},
        {"F:f@0,100 B:a@0,50 B:b@0,0", "f b a"},
        {"B:a@0,50 F:f@0,100 B:b@0,0", "b f a"},
        {"Y:area@0,0 . P:p@0,9 | | .", nullptr},
        // Two columns, an option and a field to a row: the options' run
        // stays whole where its top option stands, not one group per row.
        {"O:a@0,0 O:b@0,30 O:c@0,60 S:x@90,0 S:y@90,30 S:z@90,60", nullptr},
        {"S:x@90,0 O:a@0,0 O:b@0,30 S:y@90,30", "a b x y"},
        // Two runs that would meet keep the nearest other unit between.
        {"B:d@0,95 O:a@0,0 B:c@0,90 O:b@0,40", "a c b d"},
        // A label set a few pixels lower than its field is in its row.
        {"S:s@60,0 T:t@0,3 S:u@60,30 T:v@0,33", "t s v u"},
        {"T:t@0,5 S:s@60,0", "s t"},
        {"O:a@0,10 T:t@0,5 O:b@0,40 B:c@0,0", "c a t b"},
    };
    for (const SortCase& c : cases) {
        SCOPED_TRACE(c.design);
        Design d = design(c.design);
        const Design before = d;
        const bool changed = sortTabOrderByPosition(d);
        expectOutcome(d, before, changed, c.expected);
        if (changed) {
            EXPECT_FALSE(sortTabOrderByPosition(d)) << "sorting twice";
        }
    }
}

TEST(TabOrder, BadgesCountSiblingsAndSkipFramesAndSplitterGadgets) {
    const Design d = design("F:f B:a B:b W:s/a/b T:t P:p | B:x Z:box B:y . | B:z . B:w");
    // f a b s t p | x box y . | z . w
    const std::vector<int> expected = {0, 0, 0, 1, 2, 3, 0, 1, 2, 1, 0, 0, 1, 0, 4};
    EXPECT_EQ(tabOrderBadges(d), expected);
    EXPECT_EQ(tabUnitOf(d, test::indexOf(d, "a")), static_cast<int>(test::indexOf(d, "s")));
    EXPECT_EQ(tabUnitOf(d, test::indexOf(d, "y")), static_cast<int>(test::indexOf(d, "y")));
    EXPECT_EQ(tabUnitOf(d, 6), -1); // a tab record

    const Design nested = design("B:a B:b W:s1/a/b B:c W:s2/s1/c");
    EXPECT_EQ(tabUnitOf(nested, test::indexOf(nested, "a")),
              static_cast<int>(test::indexOf(nested, "s2")));

    // One badge for a run of options, on its first.
    EXPECT_EQ(tabOrderBadges(design("O:a O:b F:f O:c B:d O:e")),
              (std::vector<int>{1, 0, 0, 2, 3, 4}));
}

TEST(TabOrder, ClicksThatWouldJoinTwoGroupsAreToldApart) {
    Design d = design("O:a B:c O:d B:e");
    const std::vector<int> clicks = {test::numberOf(d, "d"), test::numberOf(d, "a")};
    EXPECT_EQ(applyTabOrderOutcome(d, clicks), TabOrderOutcome::JoinsOptionGroups);
    const std::vector<int> first = {test::numberOf(d, "a")};
    EXPECT_EQ(applyTabOrderOutcome(d, first), TabOrderOutcome::Unchanged);
}

struct RestackCase {
    const char* design;
    const char* marked; // names
    Restack how;
    const char* expected; // nullptr: nothing changes
};

TEST(TabOrder, FrontAndBackMoveTheMarkedAmongTheirSiblings) {
    using enum Restack;
    const std::vector<RestackCase> cases = {
        {"B:a B:b B:c", "a", ToFront, "b c a"},
        {"B:a B:b B:c", "c", ToFront, nullptr},
        {"B:a B:b B:c", "c", ToBack, "c a b"},
        {"B:a B:b B:c", "a", Forward, "b a c"},
        {"B:a B:b B:c", "c", Forward, nullptr},
        {"B:a B:b B:c", "b", Backward, "b a c"},
        {"B:a B:b B:c B:d", "a c", Forward, "b a d c"},
        {"B:a B:b B:c B:d", "a b", Forward, "c a b d"},
        {"B:a B:b B:c B:d", "c d", Backward, "a c d b"},
        {"B:a B:b B:c B:d", "a c", ToFront, "b d a c"},
        // Frames stack like any gadget: what lies under one comes over it.
        {"B:a F:f", "a", ToFront, "f a"},
        {"F:f B:a B:b", "f", Forward, "a f b"},
        // A container takes its contents along; inside it, its children.
        {"Z:box B:x . B:b", "box", ToFront, "b box x ."},
        {"Z:box B:x B:y . B:b", "x", ToFront, "box y x . b"},
        // A splitter's gadgets move with it, a marked gadget takes its splitter.
        {"B:a B:b W:s/a/b B:c", "a", ToFront, "c a b s"},
        {"B:c B:a B:b W:s/a/b", "s", ToBack, "a b s c"},
        // A run of options moves whole and is passed whole; a move that
        // would join two runs is refused.
        {"B:c O:a O:b B:e", "a", ToFront, "c e a b"},
        {"B:c O:a O:b B:e", "c", Forward, "a b c e"},
        {"O:a B:c O:d", "c", ToFront, nullptr},
        {"O:a B:c O:d B:e", "c", Forward, nullptr},
        // Marked items of different parents or tabs do not move.
        {"P:p | B:a | B:b . B:c", "a b", ToFront, nullptr},
        {"P:p | B:a B:x | B:b . B:c", "a", ToFront, "p | x a | b . c"},
    };
    for (const RestackCase& c : cases) {
        SCOPED_TRACE(std::string(c.design) + " moving " + c.marked + " " +
                     std::to_string(static_cast<int>(c.how)));
        Design d = design(c.design);
        const Design before = d;
        std::vector<size_t> items;
        std::istringstream in(c.marked);
        for (std::string name; in >> name;) items.push_back(test::indexOf(d, name));
        const bool changed = restackUnits(d, items, c.how) == TabOrderOutcome::Changed;
        expectOutcome(d, before, changed, c.expected);
    }
    Design d = design("O:a B:c O:d B:e");
    const std::vector<size_t> c = {test::indexOf(d, "c")};
    EXPECT_EQ(restackUnits(d, c, Restack::Forward), TabOrderOutcome::JoinsOptionGroups);
}

} // namespace
} // namespace zarnet::designer
