#include "document/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace zarnet {
namespace {

TEST(Catalogue, MasksMatchTheIncludeTable) {
    const int expected[] = {3, 0, 3, 2, 2, 3, 3, 3, 3, 3, 2, 7, 2, 1, 0,
                            14, 30, 30, 12, 3, 3, 14, 2, 1, 2, 2, 0, 2, 30};
    for (int t = 1; t <= kTypeCount; ++t) EXPECT_EQ(fieldMasks()[t], expected[t - 1]) << t;
}

TEST(Catalogue, CreationMenuIsAlphabeticalWithoutTheSplitter) {
    const auto order = creationMenuOrder();
    ASSERT_EQ(order.size(), 28u);
    EXPECT_EQ(std::count(order.begin(), order.end(), SplitterGadget), 0);
    auto lower = [](int t) {
        std::string s(typeName(t));
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end(),
                               [&](int a, int b) { return lower(a) < lower(b); }));
    EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), 28u);
}

TEST(Catalogue, CodesAreUniqueAndFoundBothCases) {
    EXPECT_EQ(gadgetType(SplitterGadget).code, "");
    for (int t = 1; t < SplitterGadget; ++t) {
        const auto code = gadgetType(t).code;
        ASSERT_EQ(code.size(), 2u);
        EXPECT_EQ(typeByCode(code[0], code[1]), t);
        EXPECT_EQ(typeByCode(static_cast<char>(std::tolower(code[0])),
                             static_cast<char>(std::tolower(code[1]))),
                  t);
    }
    EXPECT_FALSE(typeByCode('Z', 'Z'));
}

TEST(Catalogue, ImageCapability) {
    struct Case {
        int typ;
        uint32_t flags;
        int kind;
    } cases[] = {{ButtonImageGadget, 0, 1}, {ImageGadget, 0x200, 1}, {ButtonGadget, 0x80, 2},
                 {ButtonGadget, 0x7F, 0},   {CheckBoxGadget, 0x80, 0}, {TextGadget, 0x80, 0}};
    for (const Case& c : cases) EXPECT_EQ(imageKind(c.typ, c.flags), c.kind) << c.typ;
}

TEST(Catalogue, StyleTablesHoldAtMostFourteenEntries) {
    size_t total = 0;
    for (int t = 1; t <= kTypeCount; ++t) {
        EXPECT_LE(gadgetType(t).styleFlags.size(), size_t(kMaxStyleFlags));
        total += gadgetType(t).styleFlags.size();
    }
    EXPECT_EQ(gadgetType(ExplorerListGadget).styleFlags.size(), 14u);
    for (int t : {2, 10, 14, 15, 19, 24, 27}) EXPECT_TRUE(gadgetType(t).styleFlags.empty()) << t;
    EXPECT_EQ(total, 105u);
}

} // namespace
} // namespace zarnet
