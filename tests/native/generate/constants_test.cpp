// Constant names and their text, and the full program around them.
#include "designer/generate/constants.h"
#include "designer/generate/include_writer.h"
#include "designer/generate/program.h"
#include "generate_designs.h"
#include "pb_checker.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace zarnet::gen {
namespace {

using test::addItem;

Item& named(Design& d, int typ, const char* name, int number) {
    Item& it = addItem(d, typ);
    it.name = name;
    it.number = static_cast<int16_t>(number);
    return it;
}

std::vector<std::string> plainNames(const Design& d, std::string_view prefix = "") {
    std::vector<std::string> out;
    for (const ConstantEntry& e : buildConstants(d, prefix))
        out.push_back(e.plainName);
    return out;
}

using Names = std::vector<std::string>;

TEST(Constants, EqualNamesTakeNumberThenSuffix) {
    Design d;
    named(d, ButtonGadget, "ButtonGadget", 0);
    named(d, ButtonGadget, "ButtonGadget", 1);
    named(d, ButtonGadget, "ButtonGadget1", 7);
    EXPECT_EQ(plainNames(d), (Names{"#ButtonGadget", "#ButtonGadget1", "#ButtonGadget17"}));
    EXPECT_EQ(plainNames(d, "Win1_")[0], "#Win1_ButtonGadget");

    // Tabs of several panels share title and index: number, then _2, _3 ...
    Design tabs;
    named(tabs, TextGadget, "T0_3", 9);
    for (int i = 0; i < 4; ++i)
        tabs.items.push_back(makeTabRecord(0, "T"));
    EXPECT_EQ(plainNames(tabs), (Names{"#T0_3", "#T", "#T0", "#T0_2", "#T0_4"}));

    // Duplicates are found on the final names: "a b" and "a_b" are one name.
    Design spaces;
    named(spaces, TextGadget, "a b", 0);
    named(spaces, TextGadget, "a_b", 1);
    EXPECT_EQ(plainNames(spaces), (Names{"#a_b", "#a_b1"}));
}

// Free text made into names PureBasic accepts; names that already compile
// keep their spelling.
TEST(Constants, AwkwardNamesBecomeConstantNames) {
    const struct {
        const char* prefix;
        const char* name;
        const char* constant;
    } cases[] = {
        {"", "OkButton", "#OkButton"},
        {"W_", "Name_2", "#W_Name_2"},
        {"", "Page 1: General", "#Page_1__General"},
        {"", "Info/Help", "#Info_Help"},
        {"",
         "\xDC"
         "bersicht",
         "#_bersicht"}, // one code-page byte
        {"",
         "\xC3\x9C"
         "bersicht",
         "#__bersicht"}, // UTF-8 text, two bytes
        {"", "", "#_"},
        {"", "1st", "#_1st"},
        {"", "-", "#_"},
        {"9", "x", "#_9x"}, // the prefix counts as the name's start
        {"", "_9", "#_9"},
        {"my-", "", "#my_"},
        {"", "a\tb\"c#d$", "#a_b_c_d_"},
        {"", "\xFF", "#_"},
    };
    for (const auto& c : cases) {
        Design d;
        named(d, ButtonGadget, c.name, 3);
        EXPECT_EQ(plainNames(d, c.prefix), Names{c.constant}) << c.prefix << c.name;
    }
}

// PureBasic ignores case, so names equal but for case clash; the numbered
// name and its suffixes are tested the same way.
TEST(Constants, ClashesIgnoreCase) {
    const struct {
        std::vector<std::pair<const char*, int>> items; // name, number
        Names constants;
    } cases[] = {
        {{{"Ok", 0}, {"OK", 1}, {"ok", 2}}, {"#Ok", "#OK1", "#ok2"}},
        {{{"a", 4}, {"A", 4}, {"a4", 9}, {"A", 4}}, {"#a", "#A4", "#a49", "#A4_2"}},
        {{{"Page 1", 1}, {"page-1", 1}, {"PAGE_1", 1}}, {"#Page_1", "#page_11", "#PAGE_11_2"}},
        {{{"", 0}, {"?", 1}, {"_", 2}}, {"#_", "#_1", "#_2"}},
        {{{"x", -3}, {"X", -3}}, {"#x", "#X_3"}}, // a number from a lenient read
    };
    for (const auto& c : cases) {
        Design d;
        for (const auto& [name, number] : c.items)
            named(d, ButtonGadget, name, number);
        EXPECT_EQ(plainNames(d), c.constants) << c.constants[0];
    }
}

std::string folded(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Many small designs whose names are drawn from letters in both cases,
// digits, spaces, punctuation and code-page bytes, with numbers that repeat:
// every program defines each constant once, ignoring case, before its case
// lines use it. Every third design has names that compile and differ (an
// "x" and the item's index end each), and those are kept as they are.
TEST(Constants, EveryProgramDefinesEachConstantOnce) {
    std::mt19937 random(20240611);
    const char* prefixes[] = {"", "W_", "1", "a b"};
    for (int round = 0; round < 120; ++round) {
        const bool distinct = round % 3 == 0;
        const std::string alphabet = distinct ? "aAbB1_" : "aAbB1_ :/\xDC";
        const std::string prefix = distinct ? "W_" : prefixes[round % 4];
        Design d;
        std::vector<std::string> names;
        for (int i = 0, items = 1 + static_cast<int>(random() % 40); i < items; ++i) {
            std::string name = distinct ? "c" : "";
            for (int n = static_cast<int>(random() % 4); n > 0; --n)
                name += alphabet[random() % alphabet.size()];
            if (distinct) name += "x" + std::to_string(i);
            if (i % 7 == 6)
                d.items.push_back(makeTabRecord(static_cast<int>(random() % 3), name));
            else
                named(d, i % 5 == 0 ? TextGadget : ButtonGadget, name.c_str(),
                      static_cast<int>(random() % 12));
            names.push_back(name);
        }
        const auto entries = buildConstants(d, prefix);
        ASSERT_EQ(entries.size(), names.size());
        std::set<std::string> seen;
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_TRUE(seen.insert(folded(entries[i].plainName)).second) << entries[i].plainName;
            if (distinct) {
                EXPECT_EQ(entries[i].plainName, "#" + prefix + names[i]);
            }
        }
        Features needs;
        scanDesign(d, needs);
        const std::string program = includeText(needs) + programText(entries, "d.zrf");
        const auto problems = test::checkPureBasic(program);
        ASSERT_TRUE(problems.empty()) << test::describe(problems);
    }
}

TEST(Constants, TabsCountCloseRecordsDoNot) {
    Design d;
    named(d, PanelGadget, "Panel", 0);
    d.items.push_back(makeTabRecord(0, "Panel 0"));
    d.items.push_back(makeTabRecord(1, "Second tab"));
    d.items.push_back(makeCloseRecord());
    const auto entries = buildConstants(d, "");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].plainName, "#Panel_0");
    EXPECT_EQ(entries[1].value, 0);
    EXPECT_EQ(entries[1].type, kTabRecord);
    EXPECT_EQ(entries[2].plainName, "#Second_tab");
    EXPECT_EQ(entries[2].value, 1);
}

TEST(Constants, TextIsPaddedAndCarriageReturnOnly) {
    Design d;
    named(d, TextGadget, "A", 0);
    named(d, ButtonGadget, "Longer", 1);
    const auto entries = buildConstants(d, "");
    EXPECT_EQ(constantsText(entries), "#A      = 0\r#Longer = 1\r");
    EXPECT_EQ(clipboardText(entries), "#A      = 0\r#Longer = 1");
    EXPECT_EQ(clipboardText(buildConstants(Design{}, "x")), "");
    // Padding follows the names as made: "a b" and its clash are as long as
    // their final spelling.
    Design awkward;
    named(awkward, TextGadget, "a b", 0);
    named(awkward, ButtonGadget, "A/B", 12);
    EXPECT_EQ(clipboardText(awkward, "p:"), "#p_a_b   = 0\r#p_A_B12 = 12");
}

std::string crlfLines(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (std::string_view l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

TEST(Program, HeadIsByteForByte) {
    const std::string expected =
        crlfLines({"",
                   "Procedure MyCallback(WindowID,Message,wParam,lParam)",
                   "  Result = #PB_ProcessPureBasicEvents ",
                   "  ; ",
                   "  ; Your code here",
                   "  ; ",
                   "  ProcedureReturn Result",
                   "EndProcedure",
                   "",
                   "IncludeFile \"zarnet_include.pbi\"",
                   "",
                   "maxitems     = ZarnetMaxItem(?gadgets)",
                   "clientwidth  = ZarnetClientWidth(?gadgets)",
                   "clientheight = ZarnetClientHeight(?gadgets)",
                   "",
                   "Dim gadget.l(maxitems)",
                   "",
                   "windowflags=#PB_Window_ScreenCentered|#PB_Window_SystemMenu|"
                   "#PB_Window_MaximizeGadget|#PB_Window_MinimizeGadget|#PB_Window_SizeGadget|"
                   "#PB_Window_Invisible",
                   "If OpenWindow(0,0,0,clientwidth,clientheight,windowflags,\"Made with Zarnet\")",
                   "  CreateGadgetList(WindowID())",
                   "  ",
                   "  Zarnet(0,?gadgets,@gadget(),0,0,0)",
                   "  ZarnetCallback(@MyCallback()) ",
                   ""}) +
        "  HideWindow(0,0)";
    EXPECT_EQ(programHead(), expected);
}

TEST(Program, WholeTextForFrameTextButtonAndPanel) {
    Design d;
    named(d, Frame3DGadget, "Frame", 0);
    named(d, TextGadget, "Label", 1);
    named(d, ButtonGadget, "Go", 2);
    named(d, PanelGadget, "Tabs", 3);
    d.items.push_back(makeTabRecord(0, "Panel 0"));
    d.items.push_back(makeCloseRecord());
    const std::string text = programText(buildConstants(d, ""), "form.zrf");
    const std::string expected =
        "\r\n#Frame   = 0\r#Label   = 1\r#Go      = 2\r#Tabs    = 3\r#Panel_0 = 0\r\r\n" +
        std::string(programHead()) + "\r\n\r\n" +
        crlfLines({"  Repeat",
                   "    event=WaitWindowEvent()",
                   "    If event=#PB_Event_Gadget",
                   "      Select EventGadgetID()",
                   "        case gadget(#Go)",
                   "          ;your code here",
                   "",
                   "        case gadget(#Tabs)",
                   "          ;your code here",
                   "",
                   "        case gadget(#Panel_0)",
                   "          ;your code here",
                   "",
                   "      EndSelect",
                   "    ElseIf event=#WM_SIZE Or event=#WM_PAINT",
                   "      While WindowEvent():Wend",
                   "    EndIf",
                   "  Until event=#PB_Event_CloseWindow",
                   "EndIf",
                   "",
                   "DataSection",
                   "  gadgets:",
                   "  IncludeBinary \"form.zrf\"",
                   "EndDataSection"});
    EXPECT_EQ(text, expected);
}

TEST(Program, SourceNames) {
    const struct {
        const char* design;
        const char* source;
    } defaults[] = {
        {"C:\\work\\form.zrf", "C:\\work\\form.pb"},
        {"C:\\work\\FORM.ZRF", "C:\\work\\FORM.ZRF"},
        {"C:\\a.zrf\\b.zrf", "C:\\a.pb\\b.pb"},
    };
    for (const auto& c : defaults)
        EXPECT_EQ(defaultSourceName(c.design), c.source);
    const struct {
        const char* chosen;
        const char* kept;
    } extensions[] = {{"a", "a.pb"},   {"a.PB", "a.PB"}, {"apb", "apb.pb"},
                      {"pb", "pb.pb"}, {"", ".pb"},      {"x.zrf", "x.zrf.pb"}};
    for (const auto& c : extensions)
        EXPECT_EQ(withSourceExtension(c.chosen), c.kept);
    // The embedded name keeps the design path's own bytes.
    const struct {
        const char* path;
        const char* name;
    } embedded[] = {{"C:\\work\\caf\xE9.zrf", "caf\xE9.zrf"},
                    {"/home/u/forms/a b.zrf", "a b.zrf"},
                    {"C:/mixed\\x.zrf", "x.zrf"},
                    {"alone.zrf", "alone.zrf"}};
    for (const auto& c : embedded)
        EXPECT_EQ(designFileName(c.path), c.name);
}

} // namespace
} // namespace zarnet::gen
