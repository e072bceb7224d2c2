#include "document/catalogue.h"
#include "document/design_file.h"
#include "test_designs.h"

#include <gtest/gtest.h>

namespace zarnet {
namespace {

TEST(Numbering, LoadedPoolHoldsUnusedNumbersAscending) {
    Design d;
    for (int n : {5, 0, 1}) {
        Item it = makeItem(ButtonGadget);
        it.number = static_cast<int16_t>(n);
        d.items.push_back(it);
    }
    d.nextNumber = 8;
    auto r = readDesign(writeDesign(d));
    ASSERT_TRUE(r.design) << r.error.what;
    EXPECT_EQ(std::vector<int>(r.design->numberPool.begin(), r.design->numberPool.end()),
              (std::vector<int>{2, 3, 4, 6, 7}));
    // New items take the pool's numbers first, then next number grows.
    std::vector<int> taken;
    for (int i = 0; i < 7; ++i) taken.push_back(r.design->takeNumber());
    EXPECT_EQ(taken, (std::vector<int>{2, 3, 4, 6, 7, 8, 9}));
    EXPECT_EQ(r.design->nextNumber, 10);
}

TEST(Numbering, DeletedHighestNumberComesBackThroughThePool) {
    Design d;
    for (int i = 0; i < 3; ++i) test::addItem(d, ButtonGadget);
    d.releaseNumber(d.items.back().number);
    d.items.pop_back();
    EXPECT_EQ(d.nextNumber, 3);
    EXPECT_EQ(d.takeNumber(), 2);
    EXPECT_EQ(d.takeNumber(), 3);
    resetToNew(d);
    EXPECT_EQ(d.nextNumber, 0);
    EXPECT_TRUE(d.numberPool.empty());
    EXPECT_EQ(d.fileName, "New");
}

TEST(Invariants, SequencesThatBreakThem) {
    auto design = [](std::initializer_list<int> types) {
        Design d;
        int tab = 0;
        for (int t : types) {
            if (t == kTabRecord)
                d.items.push_back(makeTabRecord(tab++, "t"));
            else if (t == kCloseRecord)
                d.items.push_back(makeCloseRecord());
            else
                test::addItem(d, t);
        }
        return d;
    };
    struct Case {
        std::initializer_list<int> types;
        bool ok;
    } cases[] = {
        {{}, true},
        {{PanelGadget, kCloseRecord}, true},
        {{PanelGadget, kTabRecord, kCloseRecord}, true},
        {{PanelGadget, kTabRecord, ButtonGadget, kTabRecord, kCloseRecord}, true},
        {{PanelGadget, ButtonGadget, kCloseRecord}, false},  // contents before a tab
        {{ContainerGadget, kTabRecord, kCloseRecord}, false},
        {{kTabRecord}, false},
        {{kCloseRecord}, false},
        {{ScrollAreaGadget}, false},
        {{ContainerGadget, ScrollAreaGadget, kCloseRecord, kCloseRecord}, true},
    };
    for (const Case& c : cases) {
        const Design d = design(c.types);
        EXPECT_EQ(!checkInvariants(d), c.ok) << "case with " << c.types.size() << " records";
    }
}

} // namespace
} // namespace zarnet
