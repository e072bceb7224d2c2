// The font editor and the tooltip editor with the object manager's
// switches: fonts shared, split and replaced in place; tooltips applied,
// emptied and cancelled, for one item and for a group.
#include "editor_fixture.h"

namespace propertiestest {
namespace {

class FontsTest : public EditorTest {
  protected:
    // Three buttons; the first `sharing` of them use entry 0 ("Arial" 10).
    void threeButtons(int sharing) {
        design.fonts.push_back({1, 0, 10, "Arial", 0});
        for (int k = 0; k < 3; ++k) {
            buttons_.push_back(add(ButtonGadget, 10, 10 + 30 * k));
            item(buttons_.back()).font = k < sharing ? 0 : -1;
        }
        freeCanvas(design);
        loadDesignFonts(design);
        buildCanvas(design, canvasWindow);
    }
    HFONT entryFont(int entry) {
        return tk::FontID(static_cast<int>(design.fonts[static_cast<size_t>(entry)].loadedFont));
    }
    std::vector<size_t> buttons_;
};

TEST_F(FontsTest, NewFontSharedSplitOrReplacedInPlace) {
    struct Case {
        int sharing;                // buttons using entry 0 at first
        std::vector<size_t> edited; // the marked button or the group
        const char* asked;          // what the font dialog opens with
        std::array<int, 3> fonts;   // the buttons' entries afterwards
        size_t entries;
        const char* nameOfEntry0;
        int buttonDefault; // the button type's font afterwards
    } cases[] = {
        {2, {0}, "/0", {1, 0, -1}, 2, "Arial", 1},           // shared: split off
        {1, {0}, "Arial/10", {0, -1, -1}, 1, "Courier New", 0}, // sole user: in place
        {2, {0, 1}, "/0", {1, 1, -1}, 2, "Arial", -1},       // group: new entry, defaults stay
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked + std::to_string(c.sharing) + std::to_string(c.edited.size()));
        freeCanvas(design);
        freeDesignFonts(design);
        resetToNew(design);
        buttons_.clear();
        defaults[ButtonGadget].font = -1;
        requesters.fontAsked.clear();
        threeButtons(c.sharing);
        std::vector<size_t> targets;
        for (size_t k : c.edited) targets.push_back(buttons_[k]);
        requesters.fonts = {tk::FontChoice{"Courier New", 12, tk::PB_Font_Bold}};
        thenClick("Select New Font");
        EXPECT_TRUE(selectNewFont(host, targets, false));
        ASSERT_EQ(requesters.fontAsked, std::vector<std::string>{c.asked});
        for (size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(item(buttons_[k]).font, c.fonts[k]) << k;
            const HFONT shown = tk::GetGadgetFont(gadget(buttons_[k]));
            if (c.fonts[k] >= 0) {
                EXPECT_EQ(shown, entryFont(c.fonts[k])) << k;
            }
        }
        ASSERT_EQ(design.fonts.size(), c.entries);
        EXPECT_EQ(design.fonts[0].gFontName, c.nameOfEntry0);
        const FontEntry& made = design.fonts[static_cast<size_t>(c.fonts[0])];
        EXPECT_EQ(made.gFontName, "Courier New");
        EXPECT_EQ(made.gFontsize, 12);
        EXPECT_EQ(made.gFontstyle, 256);
        EXPECT_EQ(defaults[ButtonGadget].font, c.buttonDefault);
    }
}

TEST_F(FontsTest, FontSwitchOffGivesTheDefaultFontAndReleasesTheEntry) {
    threeButtons(1);
    EXPECT_FALSE(fontSwitched(host, {buttons_[0]}, false));
    EXPECT_EQ(item(buttons_[0]).font, -1);
    EXPECT_TRUE(design.fonts.empty());
    // Switched on, the font editor closed without a choice: the box goes off.
    EXPECT_FALSE(fontSwitched(host, {buttons_[0]}, true));
}

using TooltipsTest = EditorTest;

TEST_F(TooltipsTest, EditCloseCancelAndEmptyText) {
    struct Case {
        TooltipSwitches before;
        std::string text, time; // typed; time only when extended
        const char* button;
        TooltipSwitches after;
        int kind;
        std::string storedText;
        int ttime;
    } cases[] = {
        {{false, false}, "Hello", "", "Close", {true, false}, 1, "Hello", 250},
        {{true, false}, "", "", "Close", {false, false}, 0, "Old", 250},
        {{true, true}, "Hi", "500", "Close", {true, true}, 2, "Hi", 500},
        {{true, false}, "Other", "", "Cancel", {true, false}, 1, "Old", 250},
        {{true, true}, "Other", "999", "Cancel", {true, true}, 2, "Old", 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + "/" + c.button);
        tooltipDefaults = TooltipDefaults{};
        const size_t b = add(ButtonGadget, 10, 10);
        item(b).tooltip = c.before.tooltip ? (c.before.extend ? 2 : 1) : 0;
        item(b).tooltipText = c.before.tooltip ? "Old" : "";
        thenType("RichEdit20A", 0, c.text);
        if (!c.time.empty()) thenType("Edit", 0, c.time);
        thenClick(c.button);
        EXPECT_EQ(editTooltip(host, {b}, c.before), c.after);
        EXPECT_EQ(item(b).tooltip, c.kind);
        EXPECT_EQ(item(b).tooltipText, c.storedText);
        EXPECT_EQ(item(b).ttime, c.ttime);
        EXPECT_EQ(tooltipDefaults.ttime, c.ttime);
    }
}

TEST_F(TooltipsTest, GroupTakesTheSettingsButKeepsItsTexts) {
    const size_t a = add(ButtonGadget, 10, 10), b = add(ButtonGadget, 10, 50);
    item(a).tooltipText = "A";
    item(b).tooltipText = "B";
    std::string shown;
    BOOL enabled = TRUE;
    then([&] {
        HWND text = controlOfClass(editorWindow(canvas), "RichEdit20A", 0);
        char buf[64] = {};
        GetWindowTextA(text, buf, sizeof buf);
        shown = buf;
        enabled = IsWindowEnabled(text);
    });
    thenType("Edit", 1, "300");
    thenClick("Balloon Style");
    thenClick("Close");
    EXPECT_EQ(editTooltip(host, {a, b}, {true, true}), (TooltipSwitches{true, true}));
    EXPECT_EQ(shown, "This is a group!");
    EXPECT_FALSE(enabled);
    for (size_t i : {a, b}) {
        EXPECT_EQ(item(i).twidth, 300);
        EXPECT_EQ(item(i).tballoon, 0);
        EXPECT_EQ(item(i).tooltip, 2);
    }
    EXPECT_EQ(item(a).tooltipText, "A");
    EXPECT_EQ(item(b).tooltipText, "B");
}

// "Select New Font" edits the item's own tooltip font in place; "Cancel"
// must put the entry back as it was, font and all.
TEST_F(TooltipsTest, CancelKeepsAFontTheEditorReplacedInPlace) {
    design.fonts.push_back({1, 0, 10, "Arial", 0});
    loadDesignFonts(design);
    const Handle arial = design.fonts[0].loadedFont;
    const size_t b = add(ButtonGadget, 10, 10);
    item(b).tooltip = 2;
    item(b).tooltipText = "tip";
    item(b).tfont = 0;
    tooltipDefaults.tfont = 0;
    requesters.fonts = {tk::FontChoice{"Courier New", 12, 0}};
    thenClick("Select New Font");
    thenClick("Cancel");
    EXPECT_EQ(editTooltip(host, {b}, {true, true}), (TooltipSwitches{true, true}));
    ASSERT_EQ(design.fonts.size(), 1u);
    EXPECT_EQ(design.fonts[0].gFontName, "Arial");
    EXPECT_EQ(design.fonts[0].gFontsize, 10);
    EXPECT_EQ(design.fonts[0].loadedFont, arial);
    EXPECT_NE(GetObjectType(tk::FontID(static_cast<int>(arial))), 0u); // still a live font
    EXPECT_EQ(item(b).tfont, 0);
    EXPECT_EQ(tooltipDefaults.tfont, 0);
}

TEST_F(TooltipsTest, SwitchesSetAndReduceTheKind) {
    const size_t b = add(ButtonGadget, 10, 10);
    struct Case {
        TooltipControl control;
        TooltipSwitches now;
        int kind;
    } cases[] = {{TooltipControl::TooltipOn, {true, false}, 1},
                 {TooltipControl::ExtendOn, {false, true}, 2},
                 {TooltipControl::ExtendOff, {true, false}, 1},
                 {TooltipControl::TooltipOff, {false, true}, 0}};
    for (const Case& c : cases) {
        tooltipSwitched(host, {b}, c.control, c.now);
        EXPECT_EQ(item(b).tooltip, c.kind) << static_cast<int>(c.control);
    }
}

} // namespace
} // namespace propertiestest
