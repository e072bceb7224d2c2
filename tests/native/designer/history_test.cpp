// The edit history without windows: steps, merging, the save point and the
// limit; snapshots sharing what did not change; and the least work that
// takes the canvas from one snapshot to another.
#include "designer/history/history.h"
#include "designer/history/history_file.h"
#include "designer/history/restore_plan.h"
#include "tests/native/test_designs.h"

#include <gtest/gtest.h>

namespace zarnet::designer {
namespace {

using Kind = RestorePlan::Kind;

Design buttons(int n) {
    Design d;
    for (int i = 0; i < n; ++i)
        test::addItem(d, ButtonGadget, 10 * i, 5);
    return d;
}

Snapshot snap(const Design& d, const Snapshot* previous = nullptr) {
    return takeSnapshot(d, previous);
}

TEST(History, StepsMergeSaveAndForget) {
    Design d = buttons(3);
    History h;
    h.reset(snap(d), true);
    EXPECT_FALSE(h.commit(snap(d, &h.current()), {})) << "no change, no step";
    // Three key steps on one selection are one step; another key is another.
    for (int k = 1; k <= 3; ++k) {
        d.items[0].x += 10;
        EXPECT_TRUE(h.commit(snap(d, &h.current()), {false, 7}));
    }
    EXPECT_EQ(h.steps(), 1u);
    d.items[1].y = 50;
    h.commit(snap(d, &h.current()), {false, 9});
    EXPECT_EQ(h.steps(), 2u);
    EXPECT_FALSE(h.atSavePoint());
    h.markSaved();
    // A key run does not grow across the save point.
    d.items[1].y = 60;
    h.commit(snap(d, &h.current()), {false, 9});
    EXPECT_EQ(h.steps(), 3u);
    EXPECT_EQ(h.undo().items[1]->fields.y, 50);
    EXPECT_TRUE(h.atSavePoint());
    EXPECT_EQ(h.undo().items[0]->fields.x, 30);
    EXPECT_EQ(h.undo().items[0]->fields.x, 0);
    EXPECT_FALSE(h.canUndo());
    EXPECT_EQ(h.redo().items[0]->fields.x, 30);
    // A new step drops what could be redone, the save point with it.
    d = buttons(3);
    d.items[0].x = 30;
    d.items[2].w = 99;
    h.commit(snap(d, &h.current()), {});
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(h.steps(), 2u);
    for (int k = 0; k < 3; ++k)
        h.undo();
    EXPECT_FALSE(h.atSavePoint());
    // A key run taken back to where it began leaves no step.
    History back;
    back.reset(snap(d), true);
    d.items[0].x += 10;
    back.commit(snap(d, &back.current()), {false, 5});
    d.items[0].x -= 10;
    back.commit(snap(d, &back.current()), {false, 5});
    EXPECT_EQ(back.steps(), 0u);
    EXPECT_TRUE(back.atSavePoint());
}

TEST(History, KeepsTheNewestStepsAndSharesPictures) {
    Design d = buttons(50);
    Item& picture = test::addItem(d, ImageGadget, 0, 0);
    picture.image.assign(200000, 0x5A);
    History h;
    h.reset(snap(d), true);
    const size_t first = h.bytes();
    for (int k = 0; k < 400; ++k) {
        d.items[static_cast<size_t>(k % 51)].wtext = "step " + std::to_string(k);
        ASSERT_TRUE(h.commit(snap(d, &h.current()), {}));
    }
    EXPECT_EQ(h.steps(), History::kMaxSteps);
    EXPECT_FALSE(h.atSavePoint());
    // The picture's item changed eight times, its bytes are held once;
    // each step holds its list of records and the one that changed.
    EXPECT_LT(h.bytes(), first + History::kMaxSteps * 2000);
    while (h.canUndo())
        h.undo();
    EXPECT_EQ(h.current().items[0]->fields.wtext, "step 102");
    EXPECT_EQ(h.current().items[50]->image, h.redo().items[50]->image);
}

// A history written for a restart reads back the same, sharing what it
// shared; any cut or damaged file, or one claiming more than it brings, is
// refused whole.
TEST(History, ARestartTakesItAlongWhole) {
    Design d = buttons(3);
    Item& picture = test::addItem(d, ImageGadget, 0, 0);
    picture.image.assign(5000, 0x5A);
    d.fonts.push_back({1, 0, 10, "Arial", 1});
    d.items[0].font = 0;
    History h;
    h.reset(snap(d), true);
    for (int k = 0; k < 6; ++k) {
        d.items[static_cast<size_t>(k % 3)].name = "step " + std::to_string(k);
        d.releaseNumber(d.items[1].number);
        d.items[1].number = static_cast<int16_t>(d.takeNumber());
        h.commit(snap(d, &h.current()), {k % 2 == 0, uint64_t(k) * 0x100000001ull});
    }
    h.undo();
    h.undo();
    const std::vector<uint8_t> bytes = writeHistory(h);
    const auto back = readHistory(bytes);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->states().size(), h.states().size());
    for (size_t k = 0; k < h.states().size(); ++k) {
        EXPECT_TRUE(back->states()[k] == h.states()[k]) << k;
        EXPECT_EQ(back->states()[k].numberPool, h.states()[k].numberPool) << k;
    }
    for (size_t k = 0; k < h.stepInfos().size(); ++k) {
        EXPECT_EQ(back->stepInfos()[k].rebuilt, h.stepInfos()[k].rebuilt) << k;
        EXPECT_EQ(back->stepInfos()[k].mergeKey, h.stepInfos()[k].mergeKey) << k;
    }
    EXPECT_EQ(back->position(), h.position());
    EXPECT_EQ(back->savePoint(), h.savePoint());
    EXPECT_EQ(back->states()[0].items[3]->image, back->states()[4].items[3]->image)
        << "the picture is held once";
    EXPECT_EQ(writeHistory(*back), bytes);

    for (size_t n = 0; n < bytes.size(); n += 97)
        EXPECT_FALSE(readHistory({bytes.data(), n})) << n;
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(readHistory(longer));
    std::vector<uint8_t> claims = bytes;
    claims[8] = claims[9] = claims[10] = 0xFF; // millions of pictures
    EXPECT_FALSE(readHistory(claims));
}

struct PlanCase {
    const char* what;
    void (*edit)(Design&);
    Kind kind;
    size_t first, count;
    std::vector<size_t> placed, remade;
};

Design planned() {
    Design d = buttons(2);
    Item& box = test::addItem(d, ContainerGadget);
    (void)box;
    test::addItem(d, TextGadget);
    d.items.push_back(makeCloseRecord());
    const int a = test::addItem(d, ButtonGadget).number;
    const int b = test::addItem(d, ButtonGadget).number;
    Item& s = test::addItem(d, SplitterGadget);
    s.para1 = a;
    s.para2 = b;
    d.fonts.push_back({1, 0, 10, "Arial", 0});
    d.items[3].font = 0;
    d.recomputeNesting();
    return d;
}

TEST(RestorePlan, TheLeastWorkForEachKindOfStep) {
    const PlanCase cases[] = {
        {"a move", [](Design& d) { d.items[1].x += 5; }, Kind::Fields, 0, 0, {1}, {}},
        {"a text", [](Design& d) { d.items[0].wtext = "x"; }, Kind::Fields, 0, 0, {}, {0}},
        {"a picture",
         [](Design& d) {
             d.items[1].image = {1, 2};
         },
         Kind::Fields,
         0,
         0,
         {},
         {1}},
        {"a font entry's item",
         [](Design& d) { d.fonts[0].gFontsize = 20; },
         Kind::Fields,
         0,
         0,
         {},
         {3}},
        {"a container's flags", [](Design& d) { d.items[2].flags = 1; }, Kind::Rebuild},
        {"a splitter child", [](Design& d) { d.items[5].wtext = "x"; }, Kind::Rebuild},
        {"a creation", [](Design& d) { d.items.insert(d.items.begin() + 1, makeItem(TextGadget)); },
         Kind::Insert, 1, 1},
        {"a container deleted",
         [](Design& d) { d.items.erase(d.items.begin() + 2, d.items.begin() + 5); }, Kind::Remove,
         2, 3},
        {"a splitter's child deleted", [](Design& d) { d.items.erase(d.items.begin() + 5); },
         Kind::Rebuild},
        {"a splitter with its children deleted",
         [](Design& d) { d.items.erase(d.items.begin() + 5, d.items.begin() + 8); }, Kind::Remove,
         5, 3},
        {"a close record moved", [](Design& d) { std::swap(d.items[4], d.items[5]); },
         Kind::Rebuild},
        {"two runs",
         [](Design& d) {
             d.items.erase(d.items.begin() + 7);
             d.items.erase(d.items.begin());
         },
         Kind::Rebuild},
        {"nothing", [](Design&) {}, Kind::Nothing},
    };
    for (const PlanCase& c : cases) {
        const Design before = planned();
        Design after = before;
        c.edit(after);
        const Snapshot a = snap(before), b = snap(after, &a);
        const RestorePlan plan = planRestore(a, b);
        EXPECT_EQ(plan.kind, c.kind) << c.what;
        if (plan.kind != c.kind) continue;
        EXPECT_EQ(plan.first, c.first) << c.what;
        EXPECT_EQ(plan.count, c.count) << c.what;
        EXPECT_EQ(plan.placed, c.placed) << c.what;
        EXPECT_EQ(plan.remade, c.remade) << c.what;
        // The way back is the mirror image.
        const RestorePlan back = planRestore(b, a);
        if (c.kind == Kind::Insert) {
            EXPECT_EQ(back.kind, Kind::Remove) << c.what;
        } else if (c.kind == Kind::Remove) {
            EXPECT_EQ(back.kind, Kind::Insert) << c.what;
        }
    }
}

} // namespace
} // namespace zarnet::designer
