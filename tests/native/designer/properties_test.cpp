#include "designer/properties/font_editing.h"
#include "designer/properties/panel_tabs.h"
#include "designer/properties/style_flags.h"
#include "designer/properties/tooltip_rules.h"
#include "designer/properties/values_apply.h"
#include "designer/properties/values_layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace zarnet::designer {
namespace {

Item gadget(int typ, int number, uint32_t flags = 0) {
    Item it = makeItem(typ);
    it.number = static_cast<int16_t>(number);
    it.flags = flags;
    return it;
}

std::vector<bool> bits(std::initializer_list<int> b) {
    std::vector<bool> v;
    for (int x : b)
        v.push_back(x != 0);
    return v;
}

// --- Context pop-up ---

TEST(ContextPopup, LayoutPerType) {
    struct Button {
        std::string_view text;
        int y;
        bool enabled;
        bool tooltip;
    };
    struct Case {
        PopupSubject subject;
        int height, offset, boxes, firstBoxY;
        std::vector<Button> buttons;
    };
    // clang-format off
    const Case cases[] = {
        {{ButtonGadget}, 160, 0, 8, 5, {}},
        {{PanelGadget, 0, 1}, 90, 20, 0, 0, {{"New Gadget", 5, true, false}, {"New Panel after", 35, true, false},
                                             {"New Panel before", 55, true, false}, {"Remove Panel", 75, false, false}}},
        {{PanelGadget, 0, 2}, 90, 20, 0, 0, {{}, {}, {}, {"Remove Panel", 75, true, false}}},
        {{ContainerGadget, 2, 1, 0}, 150, 50, 5, 55, {{"New Gadget", 5, true, false}, {"Remove ContainerGadget", 30, true, true}}},
        {{ContainerGadget, 2, 1, 1}, 150, 50, 5, 55, {{}, {"Remove ContainerGadget", 30, false, true}}},
        {{SplitterGadget, 0, 1, 1}, 100, 20, 4, 25, {{"Remove SplitterGadget", 5, false, true}}},
        {{ScrollAreaGadget}, 120, 20, 5, 25, {{"New Gadget", 5, true, false}}},
        {{HyperLinkGadget}, 20, 20, 0, 0, {{"New Color", 5, true, false}}},
        {{ExplorerListGadget}, 280, 0, 14, 5, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subject.typ);
        const auto l = contextPopupLayout(c.subject);
        ASSERT_TRUE(l);
        EXPECT_EQ(l->height, c.height);
        EXPECT_EQ(l->offset, c.offset);
        ASSERT_EQ(l->boxes.size(), static_cast<size_t>(c.boxes));
        if (c.boxes) {
            EXPECT_EQ(l->boxes[0].rect, (Rect{5, c.firstBoxY, 200, 20}));
            EXPECT_EQ(l->boxes.back().rect.y, c.firstBoxY + 20 * (c.boxes - 1));
        }
        ASSERT_EQ(l->buttons.size(), c.buttons.size());
        for (size_t i = 0; i < c.buttons.size(); ++i) {
            if (c.buttons[i].text.empty()) continue;
            EXPECT_EQ(l->buttons[i].text, c.buttons[i].text);
            EXPECT_EQ(l->buttons[i].rect, (Rect{25, c.buttons[i].y, 150, 20}));
            EXPECT_EQ(l->buttons[i].enabled, c.buttons[i].enabled) << c.buttons[i].text;
            EXPECT_EQ(!l->buttons[i].tooltip.empty(), c.buttons[i].tooltip);
        }
    }
    // Types with neither entries nor commands go straight to the values editor.
    for (int typ : {ButtonImageGadget, OptionGadget, SpinGadget, WebGadget, IPAddressGadget})
        EXPECT_FALSE(contextPopupLayout({typ})) << typ;
}

TEST(ContextPopup, PlacementKeepsThePopupOnScreen) {
    struct Case {
        Point pointer;
        int height;
        Point expected;
    };
    const Case cases[] = {
        {{100, 100}, 160, {100, 100}},
        {{1000, 100}, 160, {770, 100}}, // 1000 + 200 passes 1024 - 30
        {{794, 100}, 160, {794, 100}},  // exactly at the limit stays
        {{100, 700}, 160, {100, 510}},  // 700 + 160 passes 768 - 30
        {{1000, 700}, 160, {770, 510}},
        {{100, 200}, 700, {100, 0}}, // taller than the room above: held at the top
    };
    for (const Case& c : cases)
        EXPECT_EQ(popupPosition(c.pointer, c.height, 1024, 768), c.expected)
            << c.pointer.x << "," << c.pointer.y;
}

TEST(ContextPopup, InitialChecks) {
    struct Case {
        int typ;
        uint32_t flags;
        std::vector<bool> checks;
    };
    const Case cases[] = {
        // Exclusive borders: the entry equal to flags, the zero entry for 0.
        {ContainerGadget, 0, bits({0, 0, 0, 1, 0})},
        {ContainerGadget, 2, bits({0, 1, 0, 0, 0})},
        {ContainerGadget, 3, bits({0, 0, 0, 0, 0})},
        {EditorGadget, 8, bits({0, 0, 0, 0, 1})},
        {ScrollAreaGadget, 0, bits({0, 0, 0, 0, 1})},
        // Entries sharing bits: only the ones whose bits are all set.
        {CheckBoxGadget, 0x200, bits({1, 0})},
        {CheckBoxGadget, 0x300, bits({1, 1})},
        {Frame3DGadget, 0x2, bits({1, 0, 0})},
        {Frame3DGadget, 0x3, bits({1, 1, 1})},
        {ButtonGadget, 0x1, bits({0, 0, 0, 0, 0, 0, 0, 0})},
        {ButtonGadget, 0x1083, bits({0, 0, 0, 1, 0, 0, 0, 1})},
        // Zero-valued switches never show checked; equal values show together.
        {TrackBarGadget, 0x4, bits({0, 0, 0, 1, 0, 1, 0})},
        {TrackBarGadget, 0x0, bits({0, 0, 0, 0, 0, 0, 0})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(initialChecks(c.typ, c.flags), c.checks) << c.typ << " " << c.flags;
}

TEST(ContextPopup, ExclusiveBorderChoice) {
    struct Case {
        int typ;
        uint32_t flags;
        int clicked;
        uint32_t newFlags;
        NativeBorderStyle native;
    };
    const Case cases[] = {
        {ContainerGadget, 0, 1, 0x2, {0x100, 0x50400000}},
        {ContainerGadget, 2, 3, 0x0, {0, 0x50000000}},
        {EditorGadget, 8, 0, 0x1, {0, 0x50800000}},
        {EditorGadget, 1, 2, 0x4, {0x20000, 0x50000000}},
        {ScrollAreaGadget, 0, 0, 0x1, {0, 0x50B00000}},
        {ScrollAreaGadget, 0, 4, 0x0, {0x200, 0x50300000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typ);
        const Item it = gadget(c.typ, 0, c.flags);
        std::vector<bool> checks = initialChecks(c.typ, c.flags);
        checks[static_cast<size_t>(c.clicked)] = true;
        const StyleChange s = styleBoxClicked(it, checks, c.clicked);
        EXPECT_EQ(s.flags, c.newFlags);
        EXPECT_EQ(s.update, CanvasUpdate::RestyleInPlace);
        EXPECT_EQ(s.native, c.native);
        EXPECT_EQ(std::count(s.checks.begin(), s.checks.end(), true), 1);
        EXPECT_TRUE(s.checks[static_cast<size_t>(c.clicked)]);
        EXPECT_FALSE(s.closePopup);
    }
}

TEST(ContextPopup, SwitchClicks) {
    struct Case {
        const char* what;
        int typ;
        uint32_t flags;
        int insplitter;
        int clicked;
        bool on;
        uint32_t newFlags;
        bool swap, close;
        CanvasUpdate update;
    };
    using U = CanvasUpdate;
    // clang-format off
    const Case cases[] = {
        {"toggle button", ButtonGadget, 0, 0, 3, true, 0x1003, false, false, U::Recreate},
        {"track bar upright", TrackBarGadget, 0, 0, 0, true, 0x2, true, true, U::Recreate},
        {"scroll bar lying", ScrollBarGadget, 1, 0, 0, false, 0, true, true, U::Recreate},
        {"smooth upright bar", ProgressBarGadget, 0x4, 0, 1, true, 0x5, false, false, U::Recreate},
        // After another switch in the same pop-up, turning the bar back down
        // still swaps: the flags it has decide, not a reference cleared.
        {"then lying", ProgressBarGadget, 0x5, 0, 0, false, 0x1, true, true, U::Recreate},
        {"splitter turned", SplitterGadget, 0, 0, 0, true, 0x1, false, true, U::RebuildWithoutSplitterPositions},
        {"splitter separator", SplitterGadget, 0, 0, 1, true, 0x2, false, true, U::RebuildCanvas},
        {"splitter child", StringGadget, 0, 1, 2, true, 0x20, false, true, U::RebuildCanvas},
        {"bits no entry names stay", StringGadget, 0x40000004, 0, 1, false, 0x40000000, false, false, U::Recreate},
        {"right to center", CheckBoxGadget, 0x200, 0, 1, true, 0x300, false, false, U::Recreate},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Item it = gadget(c.typ, 0, c.flags);
        it.insplitter = c.insplitter;
        std::vector<bool> checks = initialChecks(c.typ, c.flags);
        checks[static_cast<size_t>(c.clicked)] = c.on;
        const StyleChange s = styleBoxClicked(it, checks, c.clicked);
        EXPECT_EQ(s.flags, c.newFlags);
        EXPECT_EQ(s.swapSize, c.swap);
        EXPECT_EQ(s.closePopup, c.close);
        EXPECT_EQ(s.update, c.update);
        EXPECT_TRUE(s.updatesTypeDefaults);
    }
}

TEST(ContextPopup, LinkColour) {
    Item link = gadget(HyperLinkGadget, 0, 0x123456);
    const StyleChange cancelled = linkColourChosen(link, std::nullopt);
    EXPECT_EQ(cancelled.flags, 0x123456u);
    EXPECT_EQ(cancelled.update, CanvasUpdate::None);
    EXPECT_FALSE(cancelled.updatesTypeDefaults);
    const StyleChange chosen = linkColourChosen(link, 0xFF0000FFu);
    EXPECT_EQ(chosen.flags, 0x0000FFu);
    EXPECT_EQ(chosen.update, CanvasUpdate::Recreate);
    EXPECT_TRUE(chosen.closePopup && chosen.updatesTypeDefaults);
}

// --- Panel tabs ---

// A panel P (number 0) with tab 0 holding button A and tab 1 holding a
// nested panel N with its own two tabs (button B on N's tab 1), followed by
// button D at top level.
Design panelDesign() {
    Design d;
    auto add = [&](Item it, std::string name, int tab = 0) {
        it.name = std::move(name);
        it.tab = tab;
        it.id = static_cast<Handle>(100 + d.items.size());
        d.items.push_back(std::move(it));
    };
    add(gadget(PanelGadget, 0), "P");
    add(makeTabRecord(0, "First"), "");
    add(gadget(ButtonGadget, 1), "A", 0);
    add(makeTabRecord(1, "Second"), "");
    add(gadget(PanelGadget, 2), "N", 1);
    add(makeTabRecord(0, "Inner0"), "");
    add(makeTabRecord(1, "Inner1"), "");
    add(gadget(ButtonGadget, 3), "B", 1);
    add(makeCloseRecord(), "", 1);
    add(makeCloseRecord(), "");
    add(gadget(ButtonGadget, 4), "D");
    d.nextNumber = 5;
    return d;
}

// One word per record: "T<number>" for a tab, ")" for a close, name@tab.
std::string render(const std::vector<Item>& items) {
    std::string s;
    for (const Item& it : items) {
        if (!s.empty()) s += ' ';
        if (it.typ == kTabRecord)
            s += "T" + std::to_string(it.number);
        else if (it.typ == kCloseRecord)
            s += ")";
        else
            s += it.name + "@" + std::to_string(it.tab);
    }
    return s;
}

TEST(PanelTabs, NewTabAfterAndBefore) {
    struct Case {
        TabSide side;
        int current;
        std::string list;
        size_t record;
        std::optional<size_t> previousTab, nextEntry;
    };
    const Case cases[] = {
        {TabSide::Before, 0, "P@0 T0 T1 A@1 T2 N@2 T0 T1 B@1 ) ) D@0", 1, std::nullopt, 2},
        {TabSide::After, 0, "P@0 T0 A@0 T1 T2 N@2 T0 T1 B@1 ) ) D@0", 3, 1, 4},
        {TabSide::Before, 1, "P@0 T0 A@0 T1 T2 N@2 T0 T1 B@1 ) ) D@0", 3, 1, 4},
        {TabSide::After, 1, "P@0 T0 A@0 T1 N@1 T0 T1 B@1 ) T2 ) D@0", 9, 3, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        Design d = panelDesign();
        const TabInsertion r = insertPanelTab(d, 0, c.current, c.side);
        ASSERT_EQ(r.refusal, TabRefusal::None);
        EXPECT_EQ(render(d.items), c.list);
        EXPECT_EQ(r.title, "Panel 2");
        EXPECT_EQ(r.record, c.record);
        EXPECT_EQ(d.items[r.record].wtext, "Panel 2");
        EXPECT_EQ(d.items[r.record].parent, d.items[0].id);
        EXPECT_EQ(r.previousTab, c.previousTab);
        EXPECT_EQ(r.nextEntry, c.nextEntry);
        EXPECT_EQ(panelTabCount(d.items, 0), 3);
        EXPECT_FALSE(checkInvariants(d));
        EXPECT_TRUE(d.modified);
    }
    // The new last tab of a panel at the end of the list has no entry after it.
    Design d = panelDesign();
    d.items.pop_back();
    EXPECT_EQ(insertPanelTab(d, 0, 1, TabSide::After).nextEntry, std::nullopt);
}

TEST(PanelTabs, RemoveTab) {
    struct Case {
        int current;
        std::string list;
        std::vector<Handle> gadgets;
        std::deque<int> pool;
    };
    const Case cases[] = {
        {0, "P@0 T0 N@0 T0 T1 B@1 ) ) D@0", {102}, {1}},
        {1, "P@0 T0 A@0 ) D@0", {104, 107}, {2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        Design d = panelDesign();
        d.items[3].treeitem = 77;
        const TabRemoval r = removePanelTab(d, 0, c.current);
        ASSERT_EQ(r.refusal, TabRefusal::None);
        EXPECT_EQ(render(d.items), c.list);
        EXPECT_EQ(r.gadgets, c.gadgets);
        EXPECT_EQ(d.numberPool, c.pool);
        EXPECT_EQ(r.tabTreeItem, c.current == 1 ? Handle{77} : Handle{0});
        EXPECT_FALSE(checkInvariants(d));
    }
}

TEST(PanelTabs, RefusalsLeaveTheListAlone) {
    struct Case {
        const char* what;
        void (*spoil)(Design&);
        size_t panel;
        int current;
        bool remove;
        TabRefusal refusal;
    };
    const Case cases[] = {
        {"not a panel", [](Design&) {}, 2, 0, false, TabRefusal::NotAPanel},
        {"no such tab", [](Design&) {}, 0, 2, false, TabRefusal::NoSuchTab},
        {"negative tab", [](Design&) {}, 0, -1, true, TabRefusal::NoSuchTab},
        {"unclosed", [](Design& d) { d.items.erase(d.items.begin() + 9); }, 0, 0, false,
         TabRefusal::Malformed},
        {"last tab", [](Design& d) { d.items.erase(d.items.begin() + 3, d.items.begin() + 9); }, 0,
         0, true, TabRefusal::LastTab},
        {"splitter outside holding a child on the tab",
         [](Design& d) {
             Item s = gadget(SplitterGadget, 5);
             s.para1 = 1;
             s.para2 = 4;
             d.items.push_back(s);
             d.nextNumber = 6;
         },
         0, 0, true, TabRefusal::SplitterAcross},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Design d = panelDesign();
        c.spoil(d);
        const std::string before = render(d.items);
        const TabRefusal got = c.remove
                                   ? removePanelTab(d, c.panel, c.current).refusal
                                   : insertPanelTab(d, c.panel, c.current, TabSide::After).refusal;
        EXPECT_EQ(got, c.refusal);
        EXPECT_EQ(render(d.items), before);
        EXPECT_FALSE(d.modified);
    }
}

TEST(PanelTabs, RemovedTabReleasesFontsAndKeepsSplittersPointing) {
    Design d = panelDesign();
    d.fonts.resize(2);
    d.fonts[1].loadedFont = 9;
    d.items[2].font = 1; // A, on tab 0, is the only user of entry 1
    d.items[10].font = 0;
    Item s = gadget(SplitterGadget, 5);
    s.para1 = 3;
    s.para2 = 6;
    Item e = gadget(ButtonGadget, 6);
    e.name = "E";
    d.items.insert(d.items.begin() + 8, {e, s}); // beside B on N's tab 1
    d.nextNumber = 7;
    const TabRemoval r = removePanelTab(d, 0, 0);
    ASSERT_EQ(r.refusal, TabRefusal::None);
    EXPECT_EQ(r.fonts, std::vector<Handle>{9});
    EXPECT_EQ(d.fonts.size(), 1u);
    const Item& splitter = d.items[7];
    ASSERT_EQ(splitter.typ, SplitterGadget);
    EXPECT_EQ(d.items[static_cast<size_t>(splitter.firstitem)].number, 3);
    EXPECT_EQ(d.items[static_cast<size_t>(splitter.seconditem)].number, 6);
}

// --- Values editor ---

TEST(ValuesEditor, LayoutPerType) {
    struct Case {
        Item item;
        bool pictures;
        int fields;
        EditorSource source;
        Rect editor;
        std::string lastLabel;
        bool autoResizeEnabled;
    };
    Item spin = gadget(SpinGadget, 7);
    spin.para1 = 3;
    spin.para2 = 9;
    using S = EditorSource;
    constexpr Rect kBig{5, 25, 190, 145}, kNone{};
    // clang-format off
    const Case cases[] = {
        {gadget(ButtonGadget, 1), false, 0, S::GadgetText, kBig, "", true},
        {gadget(ButtonGadget, 1, 0x80), true, 0, S::None, {}, "", true},
        {gadget(ImageGadget, 1), true, 0, S::None, {}, "", false},
        {gadget(ButtonImageGadget, 1), true, 0, S::None, {}, "", true},
        {spin, false, 2, S::GadgetText, kNone, "Maximal", true},
        {gadget(ScrollBarGadget, 1), false, 3, S::GadgetText, kNone, "PageSize", true},
        {gadget(ScrollAreaGadget, 1), false, 3, S::GadgetText, kNone, "ScrollStep", true},
        {gadget(PanelGadget, 1), false, 0, S::CurrentTabTitle, kBig, "", true},
        {gadget(ListIconGadget, 1), false, 0, S::ItemText, kBig, "", true},
        {gadget(ExplorerTreeGadget, 1), false, 0, S::ItemText, kBig, "", true},
        {gadget(WebGadget, 1), false, 0, S::ItemText, kBig, "", true},
        {gadget(SplitterGadget, 1), false, 0, S::GadgetText, kNone, "", true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item.typ);
        const ValuesLayout l = valuesEditorLayout(c.item);
        EXPECT_EQ(l.controls.front().text, "Item Index " + std::to_string(c.item.number));
        EXPECT_EQ(l.controls.back().text, "Close");
        EXPECT_EQ(l.pictures, c.pictures);
        EXPECT_EQ(l.fieldCount, c.fields);
        EXPECT_EQ(l.source, c.source);
        std::string lastLabel;
        bool editor = false;
        for (const ValuesControl& v : l.controls) {
            if (v.role == ValuesRole::FieldLabel) lastLabel = v.text;
            if (v.role == ValuesRole::AutoResize) {
                EXPECT_EQ(v.enabled, c.autoResizeEnabled);
            }
            if (v.role == ValuesRole::Editor) {
                editor = true;
                EXPECT_EQ(v.rect, c.editor);
            }
        }
        EXPECT_EQ(editor, !c.pictures);
        EXPECT_EQ(lastLabel, c.lastLabel);
    }
    const ValuesLayout l = valuesEditorLayout(spin);
    EXPECT_EQ(l.controls[2].text, "3");
    EXPECT_EQ(l.controls[4].text, "9");
    EXPECT_EQ(l.controls[4].rect, (Rect{85, 75, 90, 20}));
}

TEST(ValuesEditor, ReadingNumbers) {
    struct Case {
        const char* text;
        NumberReading reading;
    };
    const Case cases[] = {
        {"", {NumberStatus::Empty, 0}},
        {"  ", {NumberStatus::Empty, 0}},
        {" 42 ", {NumberStatus::Number, 42}},
        {"-7", {NumberStatus::Number, -7}},
        {"+7", {NumberStatus::Number, 7}},
        {"12abc", {NumberStatus::NotANumber, 12}},
        {"1 2", {NumberStatus::NotANumber, 1}},
        {"abc", {NumberStatus::NotANumber, 0}},
        {"-", {NumberStatus::NotANumber, 0}},
        {"2147483647", {NumberStatus::Number, INT_MAX}},
        {"-2147483648", {NumberStatus::Number, INT_MIN}},
        {"2147483648", {NumberStatus::OutOfRange, INT_MAX}},
        {"99999999999999999999999", {NumberStatus::OutOfRange, INT_MAX}},
        {"-99999999999", {NumberStatus::OutOfRange, INT_MIN}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readNumber(c.text), c.reading) << c.text;
    EXPECT_EQ(fieldNumber("99999", 0, 32767), 32767);
    EXPECT_EQ(tooltipTimeFromField("-5"), 0);
}

TEST(ValuesEditor, CloseStoresOrCorrectsNumbers) {
    struct Case {
        const char* what;
        int typ;
        std::array<int, 3> paras;
        std::array<std::string, 3> fields;
        bool closes;
        std::array<int, 3> stored;        // the item's paras afterwards
        std::array<std::string, 3> shown; // the fields afterwards
        std::string_view inMessage;
        ValuesEffect effect;
    };
    using E = ValuesEffect;
    // clang-format off
    const Case cases[] = {
        {"spin range", SpinGadget, {0, 100, 0}, {"5", "50", ""}, true, {5, 50, 0}, {"5", "50", ""}, "", E::SpinRange},
        {"empty is 0", ProgressBarGadget, {3, 100, 0}, {"", "80", ""}, true, {0, 80, 0}, {"0", "80", ""}, "", E::ProgressRange},
        {"scroll bar page", ScrollBarGadget, {0, 100, 25}, {"0", "200", "20"}, true, {0, 200, 20}, {"0", "200", "20"}, "", E::ScrollBarRange},
        {"inner size", ScrollAreaGadget, {0, 0, 0}, {"400", "300", "10"}, true, {400, 300, 10}, {"400", "300", "10"}, "", E::InnerSize},
        {"minimum above maximum", SpinGadget, {0, 100, 0}, {"50", "5", ""}, false, {0, 100, 0}, {"5", "50", ""}, "swapped", E::None},
        {"not a number", ProgressBarGadget, {3, 100, 0}, {"abc", "100", ""}, false, {3, 100, 0}, {"3", "100", ""}, "\"abc\" is not a number", E::None},
        {"digits then letters", TrackBarGadget, {0, 20, 0}, {"0", "12x", ""}, false, {0, 20, 0}, {"0", "20", ""}, "Maximal", E::None},
        {"inner size too large", ScrollAreaGadget, {0, 0, 0}, {"99999", "100", ""}, false, {0, 0, 0}, {"32767", "100", "0"}, "limited to 32767", E::None},
        {"negative inner size", ScrollAreaGadget, {0, 0, 0}, {"-5", "100", "1"}, false, {0, 0, 0}, {"0", "100", "1"}, "InnerWidth", E::None},
        {"track bar range too wide", TrackBarGadget, {0, 20, 0}, {"0", "2000000000", ""}, false, {0, 20, 0}, {"0", "100000", ""}, "limited to 100000", E::None},
        {"beyond 32 bits", SpinGadget, {0, 100, 0}, {"0", "99999999999", ""}, false, {0, 100, 0}, {"0", "1000000000", ""}, "limited", E::None},
        {"negative page", ScrollBarGadget, {0, 100, 25}, {"0", "100", "-1"}, false, {0, 100, 25}, {"0", "100", "0"}, "PageSize", E::None},
        // Fields left as they were shown keep what a loaded design holds.
        {"loaded inner size untouched", ScrollAreaGadget, {40000, 300, 10}, {"40000", " 300", "10"}, true, {40000, 300, 10}, {"40000", "300", "10"}, "", E::InnerSize},
        {"loaded track range untouched", TrackBarGadget, {0, 200000, 0}, {"0", "200000", ""}, true, {0, 200000, 0}, {"0", "200000", ""}, "", E::TrackBarRange},
        {"loaded reversed range untouched", SpinGadget, {9, 1, 0}, {"9", "1", ""}, true, {9, 1, 0}, {"9", "1", ""}, "", E::SpinRange},
        {"the touched one is limited", ScrollAreaGadget, {40000, 300, 10}, {"40000", "50000", "10"}, false, {40000, 300, 10}, {"40000", "32767", "10"}, "limited to 32767", E::None},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Design d;
        Item it = gadget(c.typ, 0);
        it.para1 = c.paras[0];
        it.para2 = c.paras[1];
        it.para3 = c.paras[2];
        d.items.push_back(it);
        d.nextNumber = 1;
        TypeDefaults defaults = gadgetType(c.typ).defaults;
        const TypeDefaults seeded = defaults;
        const ValuesClose r = closeValuesEditor(d, 0, 0, defaults, {"", c.fields});
        EXPECT_EQ(r.closes, c.closes);
        const Item& after = d.items[0];
        EXPECT_EQ((std::array<int, 3>{after.para1, after.para2, after.para3}), c.stored);
        for (size_t f = 0; f < 2; ++f)
            EXPECT_EQ(r.fields[f], c.shown[f]) << f;
        if (c.typ == ScrollBarGadget || c.typ == ScrollAreaGadget) {
            EXPECT_EQ(r.fields[2], c.shown[2]);
        }
        EXPECT_NE(r.message.find(c.inMessage), std::string::npos) << r.message;
        EXPECT_EQ(r.message.empty(), c.closes);
        EXPECT_EQ(r.effect, c.effect);
        // Ranges become the type's defaults; a scroll area's sizes do not.
        const bool intoDefaults = c.closes && c.typ != ScrollAreaGadget;
        EXPECT_EQ(defaults.para1, intoDefaults ? c.stored[0] : seeded.para1);
        EXPECT_EQ(defaults.para2, intoDefaults ? c.stored[1] : seeded.para2);
        if (c.typ == ScrollBarGadget) {
            EXPECT_EQ(defaults.para3, intoDefaults ? c.stored[2] : seeded.para3);
        }
        EXPECT_EQ(d.modified, c.closes && c.stored != c.paras);
    }
}

TEST(ValuesEditor, CloseStoresTexts) {
    Design d = panelDesign();
    Item list = gadget(ListIconGadget, 5);
    Item image = gadget(ImageGadget, 6);
    image.wtext = "kept";
    d.items.push_back(list);
    d.items.push_back(image);
    d.nextNumber = 7;
    TypeDefaults defaults{};
    struct Case {
        size_t index;
        int tab;
        ValuesEffect effect;
        size_t changed; // the record whose text is the typed one
    };
    const Case cases[] = {
        {0, 1, ValuesEffect::TabTitle, 3}, // only the showing tab is renamed
        {4, 0, ValuesEffect::TabTitle, 5}, // the nested panel's own tab
        {11, 0, ValuesEffect::ColumnTitle, 11},
        {2, 0, ValuesEffect::GadgetText, 2},
    };
    for (const Case& c : cases) {
        const std::vector<Item> before = d.items;
        const ValuesClose r = closeValuesEditor(d, c.index, c.tab, defaults, {"typed", {}});
        EXPECT_TRUE(r.closes);
        EXPECT_EQ(r.effect, c.effect);
        for (size_t i = 0; i < d.items.size(); ++i)
            EXPECT_EQ(d.items[i].wtext, i == c.changed ? "typed" : before[i].wtext)
                << c.index << " " << i;
        d.items = before;
    }
    // Picture items store nothing on "Close".
    const ValuesClose r = closeValuesEditor(d, 12, 0, defaults, {"typed", {}});
    EXPECT_EQ(r.effect, ValuesEffect::None);
    EXPECT_EQ(d.items[12].wtext, "kept");
}

TEST(ValuesEditor, PictureRules) {
    struct Load {
        const char* path;
        int typ;
        int aflag;
        PictureLoadPlan plan;
    };
    const Load loads[] = {
        {"C:\\pics\\Logo.ICO", ImageGadget, 0, {true, 1, true}},
        {"C:\\pics\\Logo.ICO", ButtonImageGadget, 0, {false, 0, false}},
        {"c:\\a\\b.ico", ButtonGadget, 2, {true, 3, true}},
        {"c:\\a\\b.Ico", ImageGadget, 3, {true, 3, false}},
        {"c:\\icons.ico\\b.png", ImageGadget, 0, {false, 0, false}},
        {"c:\\a\\ico", ImageGadget, 0, {false, 0, false}},
        {"c:\\a\\b.icon", ImageGadget, 0, {false, 0, false}},
    };
    for (const Load& l : loads)
        EXPECT_EQ(pictureLoadPlan(l.path, l.typ, l.aflag), l.plan) << l.path;

    struct Scale {
        int typ;
        uint32_t flags;
        int aflag, w, h;
        std::optional<PixelSize> size;
    };
    const Scale scales[] = {
        {ImageGadget, 0x200, 2, 100, 50, PixelSize{96, 46}},
        {ImageGadget, 0, 3, 100, 50, PixelSize{100, 50}},
        {ImageGadget, 0x200, 2, 3, 3, PixelSize{1, 1}},
        {ButtonImageGadget, 0, 2, 100, 50, PixelSize{70, 30}}, // the canvas gadget's size
        {ButtonGadget, 0x80, 3, 100, 50, PixelSize{70, 30}},
        {ImageGadget, 0x200, 1, 100, 50, std::nullopt},
    };
    for (const Scale& s : scales) {
        Item it = gadget(s.typ, 0, s.flags);
        it.aflag = s.aflag;
        it.w = s.w;
        it.h = s.h;
        EXPECT_EQ(pictureScaleSize(it, {70, 30}), s.size) << s.typ << " " << s.aflag;
    }
    EXPECT_EQ(conversionFilePath("C:\\Temp\\"), "C:\\Temp\\zrimage.bmp");
    EXPECT_EQ(conversionFilePath("C:\\Temp"), "C:\\Temp\\zrimage.bmp");
    EXPECT_EQ(actualMinimumSize(true, 0x1, {120, 40}), 120);
    EXPECT_EQ(actualMinimumSize(true, 0x2, {120, 40}), 40);
    EXPECT_EQ(actualMinimumSize(false, 0x1, {120, 40}), 0);
}

// --- Font table ---

// Items 0..n-1 are buttons using the given entries; the table has `entries`
// entries in use with loaded fonts 10, 11, ...
Design fontDesign(std::vector<int> fonts, int entries) {
    Design d;
    for (size_t i = 0; i < fonts.size(); ++i) {
        Item it = gadget(ButtonGadget, static_cast<int>(i));
        it.font = fonts[i];
        d.items.push_back(it);
    }
    d.nextNumber = static_cast<int>(fonts.size());
    for (int e = 0; e < entries; ++e) {
        FontEntry f;
        f.loadedFont = static_cast<Handle>(10 + e);
        f.gFontName = "Face" + std::to_string(e);
        d.fonts.push_back(f);
    }
    return d;
}

TEST(FontTable, EditorStartsInReplaceModeOnlyForAPrivateEntry) {
    struct Case {
        const char* what;
        std::vector<int> fonts;
        int tfont; // of item 0
        FontTargets targets;
        FontRole role;
        bool replace;
        int current;
    };
    const Case cases[] = {
        {"private", {0, -1}, -1, {{0}}, FontRole::Font, true, 0},
        {"shared", {0, 0}, -1, {{0}}, FontRole::Font, false, -1},
        {"another's tooltip font", {-1, 0}, 0, {{1}}, FontRole::Font, false, -1},
        {"own tooltip font too", {0, -1}, 0, {{0}}, FontRole::Font, false, -1},
        {"default font", {-1}, -1, {{0}}, FontRole::Font, false, -1},
        {"group", {0, 0}, -1, {{0, 1}, true}, FontRole::Font, false, -1},
        {"tooltip font", {-1, -1}, 1, {{0}}, FontRole::TooltipFont, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Design d = fontDesign(c.fonts, 2);
        d.items[0].tfont = c.tfont;
        const FontEditorState s = startFontEditor(d, c.targets, c.role);
        EXPECT_EQ(s.replace, c.replace);
        EXPECT_EQ(s.current, c.current);
    }
}

TEST(FontTable, ChosenFontsShareReplaceAndReuse) {
    TypeDefaultsTable types{};
    // Two buttons share entry 0: the first gets a new entry, the other keeps 0.
    Design d = fontDesign({0, 0}, 1);
    FontTargets one{{0}};
    FontEditorState s = startFontEditor(d, one, FontRole::Font);
    FontChosen c = fontChosen(d, s, one, {"Arial", 12, 256});
    EXPECT_EQ(c.entry, 1);
    EXPECT_TRUE(c.newRow);
    assignFont(d, one, c.entry, types);
    EXPECT_EQ(d.items[0].font, 1);
    EXPECT_EQ(d.items[1].font, 0);
    EXPECT_EQ(types[ButtonGadget].font, 1);
    // Chosen again, the new private entry is edited in place.
    c = fontChosen(d, s, one, {"Verdana", 9, 0});
    EXPECT_EQ(c.entry, 1);
    EXPECT_FALSE(c.newRow);
    EXPECT_EQ(d.fonts[1].gFontName, "Verdana");
    // A shared row clicked in replace mode is not edited under the other button.
    fontRowClicked(s, 0);
    assignFont(d, one, 0, types);
    c = fontChosen(d, s, one, {"Courier", 10, 0});
    EXPECT_EQ(c.entry, 2);
    EXPECT_TRUE(c.newRow);
    EXPECT_EQ(d.fonts[0].gFontName, "Face0");

    // A private entry is replaced in place and its old font handed back.
    Design p = fontDesign({0}, 1);
    FontEditorState ps = startFontEditor(p, one, FontRole::Font);
    const FontChosen pc = fontChosen(p, ps, one, {"Tahoma", 8, 0});
    EXPECT_EQ(pc.entry, 0);
    EXPECT_EQ(pc.oldFont, Handle{10});
    EXPECT_EQ(p.fonts.size(), 1u);

    // A group never changes the type defaults.
    Design g = fontDesign({-1, -1}, 0);
    FontTargets both{{0, 1}, true};
    assignFont(g, both, 0, types);
    EXPECT_EQ(g.items[1].font, 0);
    EXPECT_EQ(types[ButtonGadget].font, 0); // still what the single item set
}

TEST(FontTable, ReleaseAndReuse) {
    // Entry 2 of 3 loses its last user: freed and dropped from the end, and
    // defaults naming it fall back to the default font.
    Design d = fontDesign({0, 1, 2}, 3);
    TypeDefaultsTable types{};
    types[ButtonGadget].font = 2;
    types[TextGadget].font = 1;
    TooltipDefaults tips;
    tips.tfont = 2;
    EXPECT_EQ(removeFont(d, {{2}}), std::vector<Handle>{12});
    EXPECT_EQ(d.fonts.size(), 2u);
    forgetReleasedFonts(d, types, tips);
    EXPECT_EQ(types[ButtonGadget].font, -1);
    EXPECT_EQ(types[TextGadget].font, 1);
    EXPECT_EQ(tips.tfont, -1);

    // A freed entry in the middle keeps its place and is the next new font's.
    d = fontDesign({0, 1, 2}, 3);
    EXPECT_EQ(removeFont(d, {{1}}), std::vector<Handle>{11});
    ASSERT_EQ(d.fonts.size(), 3u);
    EXPECT_EQ(d.fonts[1].gFontUsed, 0);
    EXPECT_EQ(d.items[2].font, 2);
    EXPECT_EQ(newFontEntry(d, {"Arial", 10, 0}), 1);
    EXPECT_EQ(newFontEntry(d, {"Arial", 11, 0}), 3);
    EXPECT_EQ(d.fonts[3].gFontsize, 11);
    // Replacing an entry not in use changes nothing.
    d.fonts[3].gFontUsed = 0;
    EXPECT_EQ(replaceFontEntry(d, 3, {"X", 1, 0}), Handle{0});
    EXPECT_EQ(d.fonts[3].gFontName, "Arial");
}

TEST(FontTable, Rows) {
    Design d = fontDesign({}, 3);
    d.fonts[0].gFontstyle = 256 + 8;
    d.fonts[0].gFontsize = 12;
    d.fonts[1].gFontUsed = 0;
    d.fonts[2].gFontstyle = 512 + 4;
    const auto rows = fontRows(d);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (FontRow{"0", "Face0", "12", "x", "", "", "x"}));
    EXPECT_EQ(rows[1], (FontRow{"2", "Face2", "0", "", "x", "x", ""}));
}

// --- Tooltips ---

TEST(Tooltips, SwitchHandlers) {
    using C = TooltipControl;
    using O = TooltipOp;
    struct Case {
        C control;
        TooltipSwitches now;
        TooltipAction action;
    };
    const Case cases[] = {
        {C::TooltipOn, {true, false}, {{true, false}, O::Set, 1}},
        {C::TooltipOn, {true, true}, {{true, true}, O::Set, 2}},
        {C::TooltipOff, {false, true}, {{false, false}, O::Reduce, 0}},
        {C::ExtendOn, {false, true}, {{true, true}, O::Set, 2}},
        {C::ExtendOff, {true, false}, {{true, false}, O::Reduce, 1}},
        {C::ExtendOff, {false, false}, {{false, false}, O::None, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tooltipControlAction(c.control, c.now), c.action);

    struct Edit {
        int result;
        TooltipSwitches before;
        TooltipAction action;
    };
    const Edit edits[] = {
        {1, {false, false}, {{true, false}, O::Set, 1}},
        {1, {true, true}, {{true, true}, O::Set, 2}},
        {0, {true, true}, {{false, false}, O::Reduce, 0}},
        {-1, {false, false}, {{false, false}, O::None, 0}},
        {-1, {true, true}, {{true, true}, O::None, 0}},
    };
    for (const Edit& e : edits)
        EXPECT_EQ(afterTooltipEditor(e.result, e.before), e.action) << e.result;

    TooltipDefaults t;
    EXPECT_EQ(tooltipEditorEnables(false, t), (TooltipEditorEnables{}));
    EXPECT_EQ(tooltipEditorEnables(true, t), (TooltipEditorEnables{true, false, false}));
    t.tfont = 0;
    EXPECT_EQ(tooltipEditorEnables(true, t), (TooltipEditorEnables{true, true, true}));
}

TEST(Tooltips, CloseCopiesSettings) {
    TooltipDefaults t;
    t.ttime = 900;
    t.tfont = 0;
    t.tballoon = 0;
    struct Case {
        std::vector<size_t> items;
        bool group;
        const char* text;
        int result;
        const char* text0;
        const char* text1;
        int ttime1;
    };
    const Case cases[] = {
        {{0}, false, "", 0, "old", "old", 0},
        {{1}, false, "Hello", 1, "old", "Hello", 900},
        {{0, 1}, true, "This is a group!", 1, "old", "old", 900},
    };
    for (const Case& c : cases) {
        Design d = fontDesign({-1, -1}, 1);
        for (Item& it : d.items)
            it.tooltipText = "old";
        EXPECT_EQ(closeTooltipEditor(d, {c.items, c.group}, c.text, t), c.result);
        EXPECT_EQ(d.items[0].tooltipText, c.text0);
        EXPECT_EQ(d.items[1].tooltipText, c.text1);
        EXPECT_EQ(d.items[1].ttime, c.ttime1);
        EXPECT_EQ(d.items[1].tfont, c.result ? 0 : -1);
    }
}

TEST(Tooltips, ReducingReleasesTooltipFonts) {
    Design d = fontDesign({-1}, 1);
    d.items[0].tooltip = kExtendedTooltip;
    d.items[0].tfont = 0;
    setTooltipKind(d, {{0}}, kExtendedTooltip);
    EXPECT_EQ(d.fonts.size(), 1u);
    EXPECT_EQ(reduceTooltipKind(d, {{0}}, kSimpleTooltip), std::vector<Handle>{10});
    EXPECT_EQ(d.items[0].tooltip, kSimpleTooltip);
    EXPECT_TRUE(d.fonts.empty());
    EXPECT_EQ(d.items[0].tfont, -1);
}

} // namespace
} // namespace zarnet::designer
