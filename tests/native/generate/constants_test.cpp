// Constant names and their text, and the full program around them.
#include "designer/generate/constants.h"
#include "designer/generate/program.h"
#include "generate_designs.h"

#include <gtest/gtest.h>

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

    // Duplicates are resolved before spaces become underscores.
    Design spaces;
    named(spaces, TextGadget, "a b", 0);
    named(spaces, TextGadget, "a_b", 1);
    EXPECT_EQ(plainNames(spaces), (Names{"#a_b", "#a_b"}));
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
