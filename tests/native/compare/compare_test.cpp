// The diff's lines for each kind of change, and the merge of two sides'
// edits of one design: clean where they touch different things, a conflict
// told in the diff's terms where they cannot both hold.
#include "compare_edits.h"
#include "test_designs.h"

#include "document/compare/diff.h"
#include "document/compare/merge.h"

#include <gtest/gtest.h>

#include <functional>

namespace zarnet::test {
namespace {

using compare::diffDesigns;
using compare::mergeDesigns;
using compare::Prefer;
using Edit = std::function<void(Design&)>;

Design base() {
    return asFiled(everyTypeDesign());
}

std::vector<std::string> lines(const Design& a, const Design& b) {
    std::vector<std::string> out;
    for (const auto& c : diffDesigns(a, b).changes)
        out.push_back(c.line);
    return out;
}

Design edited(const Edit& edit) {
    Design d = base();
    edit(d);
    return asFiled(d);
}

struct DiffCase {
    const char* what;
    Edit edit;
    std::vector<std::string> expected;
};

TEST(Diff, TellsEachChangeInTheCataloguesTerms) {
    const DiffCase cases[] = {
        {"nothing", [](Design&) {}, {}},
        {"a font table renumbered",
         [](Design& d) {
             std::swap(d.fonts[0], d.fonts[2]);
             for (Item& it : d.items) {
                 for (int* f : {&it.font, &it.tfont})
                     *f = *f == 0 ? 2 : *f == 2 ? 0 : *f;
             }
         },
         {}},
        {"place and size",
         [](Design& d) { gadget(d, 0).x = 20, gadget(d, 0).h = 33; },
         {"#0 ButtonGadget \"ButtonGadget\": x 1 -> 20",
          "#0 ButtonGadget \"ButtonGadget\": h 20 -> 33"}},
        {"text and name",
         [](Design& d) { gadget(d, 18).wtext = "Hi \"you\"", gadget(d, 18).name = "Label"; },
         {"#18 TextGadget \"TextGadget\": name \"TextGadget\" -> \"Label\"",
          "#18 TextGadget \"TextGadget\": text \"Text\" -> \"Hi \\\"you\\\"\""}},
        {"flags by name",
         [](Design& d) { gadget(d, 0).flags = 0x1003 | 0x8000 | 0x10000; },
         {"#0 ButtonGadget \"ButtonGadget\": flags 0 -> PB_Button_Toggle|API_Button_Flat|0x10000"}},
        {"a hyperlink's colour",
         [](Design& d) { gadget(d, 9).flags = 0x0000FF; },
         {"#9 HyperLinkGadget \"HyperLinkGadget\": flags RGB(0, 0, 0) -> RGB(255, 0, 0)"}},
        {"parameters by their role",
         [](Design& d) { gadget(d, 14).para2 = 250; },
         {"#14 ProgressBarGadget \"ProgressBarGadget\": maximum (para2) 100 -> 250"}},
        {"a font by its description",
         [](Design& d) { gadget(d, 0).font = 0; },
         {"#0 ButtonGadget \"ButtonGadget\": font default -> \"Arial\" 12 bold"}},
        {"a picture by size and hash",
         [](Design& d) {
             gadget(d, 10).image = {1, 2, 3};
         },
         {"#10 ImageGadget \"ImageGadget\": picture 5 bytes #e103aa08 -> 3 bytes #56cf37ab"}},
        {"tooltip, anchors, status",
         [](Design& d) {
             Item& it = gadget(d, 1);
             it.tooltip = 1, it.tooltipText = "tip", it.auto_ = 64 | 2, it.status = 5;
         },
         {"#1 ButtonImageGadget \"ButtonImageGadget\": status none -> hidden|fixed",
          "#1 ButtonImageGadget \"ButtonImageGadget\": auto none -> proportional y|w to right",
          "#1 ButtonImageGadget \"ButtonImageGadget\": tooltip none -> simple",
          "#1 ButtonImageGadget \"ButtonImageGadget\": tooltip text \"\" -> \"tip\""}},
        {"removed with what it holds",
         [](Design& d) { removeGadget(d, 28); },
         {"#28 ScrollAreaGadget \"ScrollAreaGadget\": removed from #26 PanelGadget \"PanelGadget\" "
          "tab 1",
          "#29 TextGadget \"TextGadget\": removed from #28 ScrollAreaGadget \"ScrollAreaGadget\""}},
        {"added",
         [](Design& d) { addGadget(d, DateGadget, 30); },
         {"window: next number 34 -> 35",
          "#34 DateGadget \"DateGadget\": added to #30 ContainerGadget \"ContainerGadget\""}},
        {"another parent, another tab, another place in the order",
         [](Design& d) {
             moveGadget(d, 0, 30);
             moveGadget(d, 27, 26, 1);
             moveGadget(d, 2, -1);
         },
         {"#0 ButtonGadget \"ButtonGadget\": parent top level -> #30 ContainerGadget "
          "\"ContainerGadget\"",
          "#2 CheckBoxGadget \"CheckBoxGadget\": order 3 -> 27",
          "#27 ButtonGadget \"ButtonGadget\": tab 0 -> 1"}},
        {"a number that now holds another type",
         [](Design& d) { gadget(d, 3).typ = EditorGadget; },
         {"#3 ComboBoxGadget \"ComboBoxGadget\": removed from top level",
          "#3 EditorGadget \"ComboBoxGadget\": added to top level"}},
        {"window, tab titles and a font no gadget uses",
         [](Design& d) {
             d.clientWidth = 800;
             d.fonts.push_back({1, 0, 8, "Tahoma", 512});
             d.items[indexOfNumber(d, 26) + 1].wtext = "First";
         },
         {"window: client width 640 -> 800", "font \"Tahoma\" 8 italic (used by no gadget): added",
          "#26 PanelGadget \"PanelGadget\": tab 0 \"Panel 0\" -> \"First\""}},
    };
    for (const DiffCase& c : cases) {
        EXPECT_EQ(lines(base(), edited(c.edit)), c.expected) << c.what;
    }
}

TEST(Diff, StatIsOneLine) {
    const Design b = edited([](Design& d) {
        removeGadget(d, 0);
        addGadget(d, TextGadget); // takes number 0 again
        addGadget(d, TextGadget);
        gadget(d, 1).x = 9;
    });
    EXPECT_EQ(compare::statLine(diffDesigns(base(), b)),
              "5 changes: 2 gadgets added, 1 removed, 1 changed; 1 other");
}

TEST(Diff, PictureMarksTheNewerDesignsGadgets) {
    const Design b = edited([](Design& d) {
        removeGadget(d, 28);
        gadget(d, 0).x = 9;
        addGadget(d, TextGadget);
    });
    const auto marks = compare::pictureMarks(diffDesigns(base(), b));
    // The new text took the scroll area's freed number.
    EXPECT_EQ(marks.outlined, (std::vector<int>{0, 28}));
    EXPECT_EQ(marks.removed.size(), 2u); // the scroll area and its text
}

struct MergeCase {
    const char* what;
    Edit ours, theirs;
    size_t conflicts;
    std::vector<std::string> merged; // the diff from the base to the merge
};

TEST(Merge, JoinsWhatDoesNotCollideAndTellsWhatDoes) {
    const MergeCase cases[] = {
        {"different gadgets",
         [](Design& d) { gadget(d, 0).x = 5; },
         [](Design& d) { gadget(d, 2).y = 7; },
         0,
         {"#0 ButtonGadget \"ButtonGadget\": x 1 -> 5",
          "#2 CheckBoxGadget \"CheckBoxGadget\": y 6 -> 7"}},
        {"different fields of one gadget",
         [](Design& d) { gadget(d, 0).x = 5; },
         [](Design& d) { gadget(d, 0).wtext = "Go"; },
         0,
         {"#0 ButtonGadget \"ButtonGadget\": x 1 -> 5",
          "#0 ButtonGadget \"ButtonGadget\": text \"Button\" -> \"Go\""}},
        {"one field to one value on both sides",
         [](Design& d) { gadget(d, 0).x = 5; },
         [](Design& d) { gadget(d, 0).x = 5; },
         0,
         {"#0 ButtonGadget \"ButtonGadget\": x 1 -> 5"}},
        {"one field to two values",
         [](Design& d) { gadget(d, 0).wtext = "A"; },
         [](Design& d) { gadget(d, 0).wtext = "B"; },
         1,
         {}},
        {"removed and changed",
         [](Design& d) { removeGadget(d, 0); },
         [](Design& d) { gadget(d, 0).x = 3; },
         1,
         {}},
        {"a new gadget in a container the other side removed",
         [](Design& d) { removeGadget(d, 28); },
         [](Design& d) { addGadget(d, ButtonGadget, 28); },
         1,
         {}},
        {"a picture on a button the other side made plain",
         [](Design& d) { gadget(d, 25).flags = 0, gadget(d, 25).image.clear(); },
         [](Design& d) {
             gadget(d, 25).image = {7, 7};
         },
         1,
         {}},
        {"the same new number on both sides: theirs takes the next, its splitter follows",
         [](Design& d) { addGadget(d, TextGadget).name = "Ours"; },
         [](Design& d) {
             const int a = addGadget(d, ButtonGadget).number, b = addGadget(d, ButtonGadget).number;
             Item& s = addGadget(d, SplitterGadget);
             s.para1 = a, s.para2 = b;
         },
         0,
         {"window: next number 34 -> 38", "#34 TextGadget \"Ours\": added to top level",
          "#35 ButtonGadget \"ButtonGadget\": added to top level",
          "#36 SplitterGadget \"SplitterGadget\": added to top level",
          "#37 ButtonGadget \"ButtonGadget\": added to top level"}},
        {"fonts by content",
         [](Design& d) {
             d.fonts.push_back({1, 0, 10, "Tahoma", 0});
             gadget(d, 0).font = 3;
         },
         [](Design& d) {
             d.fonts.push_back({1, 0, 8, "Verdana", 0});
             gadget(d, 2).font = 3;
         },
         0,
         {"#0 ButtonGadget \"ButtonGadget\": font default -> \"Tahoma\" 10",
          "#2 CheckBoxGadget \"CheckBoxGadget\": font \"Courier New\" 9 -> \"Verdana\" 8"}},
        {"a gadget of another type under a splitter's number: the splitter holds the new one",
         [](Design& d) { gadget(d, 0).x = 5; },
         [](Design& d) { gadget(d, 32).typ = ComboBoxGadget; },
         0,
         {"#0 ButtonGadget \"ButtonGadget\": x 1 -> 5",
          "#32 EditorGadget \"EditorGadget\": removed from #30 ContainerGadget \"ContainerGadget\"",
          "#32 ComboBoxGadget \"EditorGadget\": added to #30 ContainerGadget \"ContainerGadget\""}},
        {"a font entry not in use stays one",
         [](Design& d) { gadget(d, 0).x = 5; },
         [](Design& d) {
             d.fonts.push_back({0, 0, 0, "", 0});
             gadget(d, 2).font = 3;
         },
         0,
         {"#0 ButtonGadget \"ButtonGadget\": x 1 -> 5",
          "#2 CheckBoxGadget \"CheckBoxGadget\": font \"Courier New\" 9 -> an entry not in use"}},
        {"theirs moves a gadget, ours adds one",
         [](Design& d) { addGadget(d, TextGadget); },
         [](Design& d) { moveGadget(d, 0, -1); },
         0,
         {"window: next number 34 -> 35", "#0 ButtonGadget \"ButtonGadget\": order 1 -> 28",
          "#34 TextGadget \"TextGadget\": added to top level"}},
    };
    for (const MergeCase& c : cases) {
        const Design b = base(), o = edited(c.ours), t = edited(c.theirs);
        const auto r = mergeDesigns(b, o, t);
        EXPECT_EQ(r.conflicts.size(), c.conflicts) << c.what;
        if (c.conflicts != 0) {
            EXPECT_FALSE(r.merged) << c.what;
            for (Prefer p : {Prefer::Ours, Prefer::Theirs}) {
                const auto resolved = mergeDesigns(b, o, t, p);
                ASSERT_TRUE(resolved.merged) << c.what;
                EXPECT_FALSE(checkInvariants(*resolved.merged)) << c.what;
            }
            continue;
        }
        ASSERT_TRUE(r.merged) << c.what;
        EXPECT_EQ(lines(b, *r.merged), c.merged) << c.what;
    }
}

TEST(Merge, ConflictsAreToldInTheDiffsTerms) {
    const Design b = base();
    const auto r =
        mergeDesigns(b, edited([](Design& d) { gadget(d, 0).wtext = "A"; }), edited([](Design& d) {
                         gadget(d, 0).wtext = "B";
                         removeGadget(d, 2);
                     }),
                     Prefer::Theirs);
    EXPECT_EQ(r.conflicts, std::vector<std::string>{
                               "#0 ButtonGadget \"ButtonGadget\": text: ours \"Button\" -> \"A\", "
                               "theirs \"Button\" -> \"B\""});
    ASSERT_TRUE(r.merged);
    EXPECT_EQ(gadget(const_cast<Design&>(*r.merged), 0).wtext, "B");
}

} // namespace
} // namespace zarnet::test
