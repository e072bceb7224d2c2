// The feature scan, the include text and its block joints, the scan of an
// existing include, and the structural check over every feature combination.
#include "designer/generate/include_writer.h"
#include "designer/generate/program.h"
#include "designer/generate/templates.h"
#include "generate_designs.h"
#include "pb_checker.h"

#include <gtest/gtest.h>

namespace zarnet::gen {
namespace {

using test::addItem;
using test::designNeeding;
using test::featuresOf;

Features scanned(const Design& d) {
    Features f;
    scanDesign(d, f);
    return f;
}

size_t count(std::string_view text, std::string_view what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// Each piece must occur, in this order.
void expectInOrder(const std::string& text, std::initializer_list<std::string_view> pieces) {
    size_t at = 0;
    for (std::string_view piece : pieces) {
        const size_t found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << "missing, or out of order: " << piece;
        at = found + piece.size();
    }
}

TEST(FeatureScan, EachRecordSetsWhatItNeeds) {
    struct Case {
        const char* what;
        void (*build)(Design&);
        Features expected;
    };
    auto with = [](auto set) {
        Features f;
        set(f);
        return f;
    };
    const Case cases[] = {
        {"bitmap button without image data: images only",
         [](Design& d) { addItem(d, ButtonGadget).flags = kButtonBitmapFlag; },
         with([](Features& f) { f.images = f.usedType[1] = true; })},
        {"plain button with a stray image flag: nothing",
         [](Design& d) { addItem(d, ButtonGadget).aflag = 1; },
         with([](Features& f) { f.usedType[1] = true; })},
        {"PNG marker wins over a JFIF marker",
         [](Design& d) {
             auto bytes = test::kPngBytes;
             std::copy_n("JFIF", 4, bytes.begin() + 6);
             addItem(d, ImageGadget).image = bytes;
         },
         with([](Features& f) { f.images = f.png = f.usedType[11] = true; })},
        {"JPEG without JFIF: no decoder",
         [](Design& d) { addItem(d, ImageGadget).image = test::bytes("\xFF\xD8\xFF\xE1..Exif"); },
         with([](Features& f) { f.images = f.usedType[11] = true; })},
        {"simple tooltip of kind 7", [](Design& d) { addItem(d, TextGadget).tooltip = 7; },
         with([](Features& f) { f.tooltips = f.usedType[21] = true; })},
        {"font table without records still needs the font reader",
         [](Design& d) {
             d.fonts.push_back({0, 0, 0, "", 0});
         },
         with([](Features& f) { f.fonts = true; })},
        {"tab and close records are no gadget types",
         [](Design& d) {
             addItem(d, PanelGadget);
             d.items.push_back(makeTabRecord(0, "Panel 0"));
             d.items.push_back(makeCloseRecord());
         },
         with([](Features& f) { f.usedType[15] = true; })},
    };
    for (const Case& c : cases) {
        Design d;
        c.build(d);
        EXPECT_EQ(scanned(d), c.expected) << c.what;
    }
    for (unsigned needs : {0u, 1u, 2u, 4u, 8u, 16u, 32u, 64u, 128u, 255u})
        EXPECT_EQ(scanned(designNeeding(needs)), featuresOf(needs)) << "needs " << needs;
}

TEST(IncludeText, CaseLinesFollowTypeOrderNotDesignOrder) {
    Design d;
    addItem(d, TextGadget);
    addItem(d, ButtonGadget);
    addItem(d, TextGadget);
    const std::string text = includeText(scanned(d));
    EXPECT_EQ(count(text, "    Case "), 2u);
    expectInOrder(text, {"  Select ZarnValue\\typ\r\n"
                         "    Case 1:ZarnValue\\id=ButtonGadget(#PB_Any,ZarnValue\\x,ZarnValue\\y,"
                         "ZarnValue\\w,ZarnValue\\h,ZarnValue\\wtext,ZarnValue\\flags)\r\n"
                         "    Case 21:ZarnValue\\id=TextGadget(",
                         ")\r\n  EndSelect\r\n"});
}

TEST(IncludeText, CaseLinesPassTheCreationArguments) {
    const struct {
        int typ;
        const char* tail;
    } cases[] = {
        {2, "ButtonImageGadget(#PB_Any,ZarnValue\\x,ZarnValue\\y,ZarnValue\\w,ZarnValue\\h,0)"},
        {12, "ListIconGadget(#PB_Any,ZarnValue\\x,ZarnValue\\y,ZarnValue\\w,ZarnValue\\h,"
             "ZarnValue\\wtext,ZarnValue\\para1,ZarnValue\\flags)"},
        {13, "ListViewGadget(#PB_Any,ZarnValue\\x,ZarnValue\\y,ZarnValue\\w,ZarnValue\\h)"},
        {25, "CalendarGadget(#PB_Any,ZarnValue\\x,ZarnValue\\y,ZarnValue\\w,ZarnValue\\h,0,"
             "ZarnValue\\flags)"},
        {29, "SplitterGadget(#PB_Any,ZarnValue\\x,ZarnValue\\y,ZarnValue\\w,ZarnValue\\h,"
             "ZarnValue\\para1,ZarnValue\\para2,ZarnValue\\flags)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(caseLine(c.typ), "Case " + std::to_string(c.typ) + ":ZarnValue\\id=" + c.tail);
}

TEST(IncludeText, BlocksJoinAsLaidDown) {
    Design plain;
    addItem(plain, ButtonGadget);
    const std::string none = includeText(scanned(plain));
    expectInOrder(none, {";/This file will be changed if you save design(s)!\r\n\r\n"
                         ";/This is the init stuff\r\n\r\nStructure zarncontent\r\n",
                         "zarntyp: Data.b 3,0,3,2,2,3,3,3,3,3,2,7,2,1,0,14,30,30,12,3,3,14,2,1,2,"
                         "2,0,2,30\r\n",
                         ";/End of init\r\n\r\nProcedure ReCreateObject()\r\n",
                         "  Select gMessage\r\n  EndSelect\r\n  ProcedureReturn gResult\r\n",
                         "gFonts=PeekL(*gdata+ZarnValue\\gpo) : ZarnValue\\gpo+4\r\n\r\n  gfound=0",
                         "ZarnValue\\gpo+Len(ZarnValue\\columns)+1\r\n      EndIf\r\n\r\n"
                         "      ZarnValue\\status=",
                         "ZarnValue\\auto=PeekB(*gdata+ZarnValue\\gpo)&255 : ZarnValue\\gpo+1\r\n"
                         "      ZarnValue\\font=",
                         "ZarnValue\\tooltip=PeekB(*gdata+ZarnValue\\gpo)&255 : "
                         "ZarnValue\\gpo+1\r\n\r\n      ZarnValue\\color="});
    EXPECT_TRUE(none.ends_with("  ZarnValue\\blocked=0\r\nEndProcedure\r\n"));
    for (const char* absent :
         {"UseJPEGImageDecoder", "UsePNGImageDecoder", "Procedure DrawTransparentImage",
          "Procedure ApiToolTip", "atooltip=@", "atrans=@", "Procedure ZarnetSetImage",
          "Case #WM_SIZE", "If gFonts", "If ZarnValue\\typ=2 Or", "If ZarnValue\\auto",
          "If ZarnValue\\tooltip"})
        EXPECT_EQ(none.find(absent), std::string::npos) << absent;

    const std::string all = includeText(featuresOf(test::NeedAll));
    expectInOrder(all, {";/This is the init stuff\r\nUseJPEGImageDecoder()\r\n"
                        "UsePNGImageDecoder()\r\n\r\nStructure zarncontent\r\n",
                        ";/End of init\r\n\r\nProcedure DrawTransparentImage(",
                        "EndProcedure\r\n\r\nProcedure ApiToolTip(",
                        "EndProcedure\r\n\r\nZarnValue\\atooltip=@ApiToolTip()\r\n"
                        "ZarnValue\\atrans=@DrawTransparentImage()\r\n\r\n"
                        "Procedure ZarnetSetImage(",
                        "Procedure ConvertIcoToBmp(",
                        "EndProcedure\r\n\r\nProcedure ReCreateObject()\r\n",
                        "  Select gMessage\r\n    Case #WM_SIZE\r\n",
                        "      EndIf\r\n  EndSelect\r\n  ProcedureReturn gResult\r\n",
                        "ZarnValue\\gpo+4\r\n  If gFonts : Dim gFontTable.l(gFonts-1)\r\n",
                        "  EndIf\r\n\r\n  gfound=0",
                        "      EndIf\r\n\r\n      If ZarnValue\\typ=2 Or ZarnValue\\typ=11\r\n",
                        "      EndIf\r\n      ZarnValue\\status=",
                        "ZarnValue\\gpo+1\r\n      If ZarnValue\\auto\r\n",
                        "      EndIf\r\n      ZarnValue\\font=",
                        "ZarnValue\\gpo+1\r\n      If ZarnValue\\tooltip\r\n",
                        "      EndIf\r\n\r\n      ZarnValue\\color="});

    // Extended tooltips bring their procedure; the hook needs both flags.
    Features odd;
    odd.extendedTooltips = true;
    EXPECT_EQ(includeText(odd).find("atooltip=@"), std::string::npos);
}

TEST(IncludeText, OnlyCrLfLineEnds) {
    const std::string text = includeText(featuresOf(test::NeedAll));
    for (size_t i = 0; i < text.size(); ++i) {
        const bool lf = text[i] == '\n', cr = text[i] == '\r';
        ASSERT_FALSE(lf && (i == 0 || text[i - 1] != '\r')) << "lone LF at " << i;
        ASSERT_FALSE(cr && (i + 1 == text.size() || text[i + 1] != '\n')) << "lone CR at " << i;
    }
}

TEST(IncludeScan, LinesSetFlagsInTheirOrder) {
    const struct {
        const char* text;
        void (*expect)(Features&);
    } cases[] = {
        {"   UsePNGImageDecoder()  ", [](Features& f) { f.png = true; }},
        {"UseJPEGImageDecoder() ; no", [](Features&) {}}, // equality, not containment
        {"x=DrawTransparentImage() : ApiToolTip()", [](Features& f) { f.transparency = true; }},
        {"      If ZarnValue\\isimage", [](Features& f) { f.images = true; }},
        {"If ZarnValue\\tooltip=2", [](Features& f) { f.tooltips = true; }},
        {"If zarnvalue\\auto", [](Features&) {}}, // case counts
        {"  If gFonts : Dim", [](Features& f) { f.fonts = true; }},
        {"Select ZarnValue\\typ\r\nCase 3:x\r\n Case 12:y \r\nCase  4:z\r\nCase 30:w\r\n"
         "Case 7\r\nDefault\r\n  EndSelect  \r\nCase 9:after\r\nIf ZarnValue\\auto",
         [](Features& f) { f.usedType[3] = f.usedType[12] = f.usedType[7] = f.anchors = true; }},
        {"Select ZarnValue\\typ\nCase 5:a\nIf ZarnValue\\auto",
         [](Features& f) {
             f.usedType[5] = true; // no EndSelect: the rest are all case lines
         }},
    };
    for (const auto& c : cases) {
        Features got, expected;
        scanInclude(c.text, got);
        c.expect(expected);
        EXPECT_EQ(got, expected) << c.text;
    }
}

// Every feature combination: the text passes the structural check, and the
// scan of an existing include finds exactly what it was written for (anchors
// bring images along, as their registration holds the image test).
TEST(IncludeText, EveryCombinationIsSoundAndReadsBack) {
    for (unsigned needs = 0; needs <= test::NeedAll; ++needs) {
        const Design d = designNeeding(needs);
        Features expected = featuresOf(needs);
        const std::string text = includeText(scanned(d));
        const auto problems = test::checkPureBasic(text);
        ASSERT_TRUE(problems.empty()) << "needs " << needs << "\n" << test::describe(problems);

        Features back;
        scanInclude(text, back);
        expected.images = expected.images || expected.anchors;
        ASSERT_EQ(back, expected) << "needs " << needs;

        const std::string program = programText(buildConstants(d, "P_"), "d.zrf");
        const auto programProblems = test::checkPureBasic(text + program);
        ASSERT_TRUE(programProblems.empty()) << test::describe(programProblems);
    }
}

TEST(IncludeText, EveryGadgetTypeAndNestingIsSound) {
    const Design d = test::everyTypeDesign();
    const std::string text = includeText(scanned(d));
    EXPECT_EQ(count(text, "    Case "), 29u + 1u); // and gCallback's size case
    const std::string program = programText(buildConstants(d, ""), "every.zrf");
    const auto problems = test::checkPureBasic(text + program);
    EXPECT_TRUE(problems.empty()) << test::describe(problems);
}

TEST(PbChecker, FindsTheFaultsItIsFor) {
    const struct {
        const char* text;
        const char* fault;
    } cases[] = {
        {"Procedure a()\r\nIf x\r\nEndProcedure", "closes"},
        {"For i=1 To 2\r\nWend", "closes"},
        {"Select x\r\nCase 1\r\n", "never closed"},
        {"Procedure a()\r\nProcedure b()\r\nEndProcedure\r\nEndProcedure", "inside"},
        {"If a\r\nElse\r\nElseIf b\r\nEndIf", "after"},
        {"Procedure a()\r\nBreak\r\nEndProcedure", "Break"},
        {"x=Undefined(1)", "neither"},
        {"x=b()\r\nProcedure b()\r\nEndProcedure", "neither"},
        {"x=CreateWindowEx(0)", "neither"}, // the API needs its underscore
        {"gW=1\r\ngw=2", "spelled"},
        {"x=?nowhere", "not defined"},
        {"#Page 1: General = 0", "no constant definition"},
        {"#1st = 0", "no constant definition"},
        {"#Info/Help = 0", "no constant definition"},
        {"#Ok = 0\r#OK = 1", "already defined as #Ok"},
        {"x = #Later\r\n#Later = 1", "not defined before"},
    };
    for (const auto& c : cases) {
        const std::string found = test::describe(test::checkPureBasic(c.text));
        EXPECT_NE(found.find(c.fault), std::string::npos) << c.text << "\n" << found;
    }
    EXPECT_TRUE(test::checkPureBasic("Dim a.l(3)\r\nx=a(1) : y=SendMessage_(0)\r\nl: Data.b 1\r\n"
                                     "Restore l\r\nz=?l\r\n#_1 = 2 : #b=#_1|#PB_Any")
                    .empty());
}

} // namespace
} // namespace zarnet::gen
