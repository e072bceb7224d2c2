// The object manager's find box: which tree entries a typed filter keeps
// and which item RETURN marks, over a design that nests two levels deep.
#include "designer/shell/tree_filter.h"

#include "document/catalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace zarnet::designer {
namespace {

Item named(int typ, const char* name, const char* text = "") {
    Item it = makeItem(typ);
    it.name = name;
    it.wtext = text;
    return it;
}

// 0 OkButton; 1 panel "Settings" with tab 2 "General" (3 EmailField,
// 4 Remember) and tab 5 "Äußeres" holding container 6 "Box" with 7 Hint;
// 11 Footer after the panel. Texts are in the Western code page.
std::vector<Item> nestedDesign() {
    return {
        named(ButtonGadget, "OkButton", "OK"),
        named(PanelGadget, "Settings"),
        makeTabRecord(0, "General"),
        named(StringGadget, "EmailField"),
        named(CheckBoxGadget, "Remember", "Remember me"),
        makeTabRecord(1, "\xC4u\xDF" "eres"),
        named(ContainerGadget, "Box"),
        named(TextGadget, "Hint", "Type your E-Mail"),
        makeCloseRecord(),
        makeCloseRecord(),
        named(TextGadget, "Footer", "\xC9tat"),
    };
}

std::set<size_t> kept(const std::vector<bool>& keep) {
    std::set<size_t> out;
    for (size_t i = 0; i < keep.size(); ++i)
        if (keep[i]) out.insert(i);
    return out;
}

TEST(TreeFilter, KeepsMatchesAndTheEntriesAboveThem) {
    const std::vector<Item> items = nestedDesign();
    struct Case {
        const char* filter;
        std::set<size_t> keep;
        int first;
    } cases[] = {
        // Empty: every entry, no close record; RETURN has nothing to find.
        {"", {0, 1, 2, 3, 4, 5, 6, 7, 10}, -1},
        // By name, whatever the case, with its panel and its tab.
        {"email", {1, 2, 3}, 3},
        {"EMAILFIELD", {1, 2, 3}, 3},
        // By text, two levels down: the container, the other tab, the panel.
        {"e-mail", {1, 5, 6, 7}, 7},
        // By type name; a matching parent does not bring its children.
        {"checkbox", {1, 2, 4}, 4},
        {"panelgadget", {1}, 1},
        {"box", {1, 2, 4, 5, 6}, 4},
        // A tab by its title, and an accented capital folded.
        {"general", {1, 2}, 2},
        {"\xE4u\xDF", {1, 5}, 5},
        {"\xC9TAT", {10}, 10},
        // Matches under both tabs: the second tab is kept although its
        // panel already was.
        {"mai", {1, 2, 3, 5, 6, 7}, 3},
        {"ok", {0}, 0},
        {"zzz", {}, -1},
        // Longer than any text.
        {"EmailFieldEmailFieldEmailField", {}, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kept(treeFilterKeeps(items, c.filter)), c.keep) << c.filter;
        EXPECT_EQ(firstTreeMatch(items, c.filter), c.first) << c.filter;
    }
}

TEST(TreeFilter, MatchesOnlyWhatTheEntryStandsFor) {
    struct Case {
        Item item;
        const char* filter;
        bool matches;
    } cases[] = {
        // A tab's title alone: a tab has no type name to find it by.
        {makeTabRecord(0, "Page"), "tab", false},
        {makeTabRecord(0, "Page"), "PAGE", true},
        {makeCloseRecord(), "", false},
        // The tree's marks for hidden and split items are not the name.
        {[] { Item it = named(ButtonGadget, "Go"); it.status = kStatusHidden; it.insplitter = 1; return it; }(),
         "*", false},
        {named(ButtonGadget, "Go"), "splitter", false},
        // Letters beyond ASCII fold only with their own capital.
        {named(ButtonGadget, "\xE0"), "\xC0", true},
        {named(ButtonGadget, "\xF7"), "\xD7", false},
        {named(ButtonGadget, "\x9A"), "\x8A", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(treeEntryMatches(c.item, c.filter), c.matches) << c.item.name << " / " << c.filter;
}

} // namespace
} // namespace zarnet::designer
