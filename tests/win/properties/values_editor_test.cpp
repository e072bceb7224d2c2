// The values editor of each kind of item storing what was typed, refusing
// what cannot be stored, and the splitter's minimum sizes.
#include "editor_fixture.h"

#include "designer/properties/panel_tabs.h"

namespace propertiestest {
namespace {

using ValuesEditorTest = EditorTest;

// Number fields are the window's "Edit" controls in order.
TEST_F(ValuesEditorTest, RangesAndSizesAreStoredWithTheirDefaults) {
    struct Case {
        int typ;
        std::vector<std::string> typed;
        std::array<int, 3> stored;
        bool defaults; // the type's new gadgets start with the range
    } cases[] = {
        {SpinGadget, {"5", "50"}, {5, 50, 0}, true},
        {ProgressBarGadget, {"10", "90"}, {10, 90, 0}, true},
        {TrackBarGadget, {"0", "20"}, {0, 20, 0}, true},
        {ScrollBarGadget, {"0", "200", "20"}, {0, 200, 20}, true},
        {ScrollAreaGadget, {"400", "300", "5"}, {400, 300, 5}, false},
    };
    for (const Case& c : cases) {
        const size_t i = add(c.typ, 10, 10);
        for (size_t f = 0; f < c.typed.size(); ++f) thenType("Edit", static_cast<int>(f), c.typed[f]);
        valuesEditor(i);
        const std::array<int, 3> got{item(i).para1, item(i).para2,
                                     c.typed.size() > 2 ? item(i).para3 : 0};
        EXPECT_EQ(got, c.stored) << c.typ;
        EXPECT_TRUE(requesters.messages.empty()) << c.typ;
        const TypeDefaults& def = defaults[static_cast<size_t>(c.typ)];
        if (c.defaults) {
            EXPECT_EQ(def.para1, c.stored[0]) << c.typ;
            EXPECT_EQ(def.para2, c.stored[1]) << c.typ;
        }
        const int g = gadget(i);
        switch (c.typ) {
        case ProgressBarGadget:
        case TrackBarGadget:
        case ScrollBarGadget:
            EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_Minimum), c.stored[0]) << c.typ;
            EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_Maximum), c.stored[1]) << c.typ;
            break;
        case ScrollAreaGadget:
            EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_InnerWidth), 400);
            EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_InnerHeight), 300);
            break;
        default:
            break;
        }
        if (c.typ == ProgressBarGadget) {
            EXPECT_EQ(tk::GetGadgetState(g), 50);
        }
        if (c.typ == ScrollBarGadget) {
            EXPECT_EQ(tk::GetGadgetAttribute(g, tk::PB_ScrollBar_PageLength), 20);
        }
        tk::FreeGadget(g);
    }
}

// A minimum above the maximum is not stored at the first "Close": the
// fields show the corrected values with a message, the second "Close"
// stores them.
TEST_F(ValuesEditorTest, SwappedRangeIsCorrectedWhereTheUserSeesIt) {
    const size_t i = add(SpinGadget, 10, 10);
    std::string shownMinimum;
    thenType("Edit", 0, "50");
    thenType("Edit", 1, "5");
    thenClick("Close");
    then([&] {
        char text[32] = {};
        GetWindowTextA(controlOfClass(editorWindow(canvas), "Edit", 0), text, sizeof text);
        shownMinimum = text;
    });
    valuesEditor(i);
    ASSERT_EQ(requesters.messages.size(), 1u);
    EXPECT_EQ(requesters.messages[0].rfind("Warning: ", 0), 0u);
    EXPECT_NE(requesters.messages[0].find("swapped"), std::string::npos);
    EXPECT_EQ(shownMinimum, "5");
    EXPECT_EQ(item(i).para1, 5);
    EXPECT_EQ(item(i).para2, 50);
}

TEST_F(ValuesEditorTest, TextsGoToTheGadgetTheColumnOrTheShowingTab) {
    const size_t text = add(StringGadget, 10, 10);
    const size_t list = add(ListIconGadget, 10, 40);
    const size_t panel = add(PanelGadget, 200, 10);
    tk::AddGadgetItem(gadget(panel), -1, "Other"); // a second live tab, not renamed
    struct Case {
        size_t item;
        std::string typed;
    } cases[] = {{text, "Hello"}, {list, "Names"}, {panel, "Settings"}};
    for (const Case& c : cases) {
        thenType("RichEdit20A", 0, c.typed);
        valuesEditor(c.item);
    }
    EXPECT_EQ(item(text).wtext, "Hello");
    EXPECT_EQ(tk::GetGadgetText(gadget(text)), "Hello");
    EXPECT_EQ(item(list).wtext, "Names");
    EXPECT_EQ(tk::GetGadgetItemText(gadget(list), -1, 0), "Names");
    EXPECT_EQ(tk::GetGadgetItemText(gadget(panel), 0), "Settings");
    EXPECT_EQ(tk::GetGadgetItemText(gadget(panel), 1), "Other");
    const auto tab = panelTabRecord(design.items, panel, 0);
    ASSERT_TRUE(tab.has_value());
    EXPECT_EQ(item(*tab).wtext, "Settings");
    EXPECT_EQ(retitled, std::vector<size_t>{*tab});
}

TEST_F(ValuesEditorTest, SplitterMinimumSizesFromItsChildren) {
    const size_t a = add(ButtonGadget, 10, 10);
    const size_t b = add(ButtonGadget, 150, 10);
    tk::ResizeGadget(gadget(a), -1, -1, 120, 60);
    tk::ResizeGadget(gadget(b), -1, -1, 90, 60);
    // A vertical splitter adopting the two, as the designer combines them.
    Item s = makeItem(SplitterGadget);
    s.number = static_cast<int16_t>(design.takeNumber());
    s.x = 10, s.y = 10, s.w = 220, s.h = 60;
    s.flags = 1;
    s.para1 = item(a).number;
    s.para2 = item(b).number;
    s.para3 = 120;
    design.items.push_back(s);
    freeCanvas(design);
    buildCanvas(design, canvasWindow);
    const size_t sp = design.items.size() - 1;
    ASSERT_TRUE(item(sp).id);
    const int firstWidth = tk::GadgetWidth(static_cast<int>(item(a).id));
    thenClick("Actual as first minimum size");
    valuesEditor(sp);
    EXPECT_EQ(item(sp).para5, firstWidth);
    EXPECT_GT(item(sp).para5, 0);
    EXPECT_EQ(tk::GetGadgetAttribute(gadget(sp), tk::PB_Splitter_FirstMinimumSize), firstWidth);
    EXPECT_EQ(item(sp).para6, 0);
    thenClick("Actual as first minimum size");
    valuesEditor(sp);
    EXPECT_EQ(item(sp).para5, 0);
    // A new top-level frame goes in first and moves every index along; the
    // children are still found, by their numbers.
    const size_t frame = add(Frame3DGadget, 300, 100);
    ASSERT_EQ(frame, 0u);
    const int secondWidth = tk::GadgetWidth(static_cast<int>(item(b + 1).id));
    ASSERT_NE(secondWidth, tk::GadgetWidth(static_cast<int>(item(a + 1).id)));
    thenClick("Actual as second minimum size");
    valuesEditor(sp + 1);
    EXPECT_EQ(item(sp + 1).para6, secondWidth);
}

} // namespace
} // namespace propertiestest
