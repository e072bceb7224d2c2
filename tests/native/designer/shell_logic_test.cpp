// The designer shell's rules without windows: titles, naming, numbers typed
// by the user, the preferences file, windows brought back on screen, the
// stored field panel and how a loaded design's numbering continues.
#include "designer/shell/shell_logic.h"

#include "document/byte_reader.h"
#include "document/catalogue.h"
#include "document/design_file.h"
#include "document/design_format.h"

#include <gtest/gtest.h>

namespace zarnet::designer {
namespace {

TEST(ShellLogic, TitleAndNames) {
    EXPECT_EQ(canvasTitle(false, "New", 640, 480), "New   client 640 x 480");
    EXPECT_EQ(canvasTitle(true, "C:\\forms\\main.zrf", 300, 20), "*main.zrf   client 300 x 20");
    struct Case {
        const char* chosen;
        const char* saved;
    } cases[] = {
        {"C:\\a\\form", "C:\\a\\form.zrf"},   {"C:\\a\\form.ZRF", "C:\\a\\form.ZRF"},
        {"C:\\a\\myzrf", "C:\\a\\myzrf"},     {"C:\\a\\form.zr", "C:\\a\\form.zr.zrf"},
        {"zr", "zr.zrf"},
    };
    for (const Case& c : cases) EXPECT_EQ(withDesignExtension(c.chosen), c.saved) << c.chosen;
}

TEST(ShellLogic, TypedGridStepsAreLimited) {
    struct Case {
        const char* typed;
        int grid;
    } cases[] = {{"1", 2},   {"250", 100}, {"", 2},      {"abc", 2},  {"  15px", 15},
                 {"-7", 2},  {"+40", 40},  {"99999999999999999999", 100}, {"5", 5}};
    for (const Case& c : cases) EXPECT_EQ(clampGridStep(decimalValue(c.typed)), c.grid) << c.typed;
}

TEST(ShellLogic, PreferencesFileShortOrWhole) {
    Preferences p = defaultPreferences(1024, 768);
    EXPECT_EQ(p[PrefObjectManagerX], 724);
    EXPECT_EQ(p[PrefLearnerY], 568);
    EXPECT_EQ(p[PrefObjectManagerHeight], 469);
    p[PrefCanvasX] = -3;
    const auto bytes = serialisePreferences(p);
    ASSERT_EQ(bytes.size(), 56u);
    EXPECT_EQ(parsePreferences(bytes), p);
    // A short file: missing integers read 0, a final partial one keeps its
    // low-order bytes.
    const std::vector<uint8_t> shortFile = {1, 0, 0, 0, 0x34, 0x12};
    const Preferences q = parsePreferences(shortFile);
    EXPECT_EQ(q[0], 1);
    EXPECT_EQ(q[1], 0x1234);
    for (int i = 2; i < PrefCount; ++i) EXPECT_EQ(q[i], 0) << i;
}

TEST(ShellLogic, WindowsOffScreenOrTooSmallComeBack) {
    const WindowRect fallback{724, 150, 200, 469};
    // A second monitor to the right of the first, a third above it.
    const WindowRect monitors[] = {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}, {0, -600, 800, 600}};
    struct Case {
        WindowRect stored;
        bool moved;
    } cases[] = {
        {{1500, 150, 200, 400}, false}, {{100, -500, 200, 400}, false}, // other monitors
        {{2400, 150, 200, 400}, true},  {{900, -500, 200, 400}, true},  // beside them
        {{724, 150, 208, 500}, false},  {{-100, 10, 200, 400}, false},  // partly visible
        {{3000, 150, 200, 400}, true},  {{-500, 10, 200, 400}, true},
        {{10, 1100, 200, 400}, true},   {{10, 900, 200, 400}, true},
        {{0, 0, 0, 0}, true}, // short file: zeros
        {{100, 100, 5, 400}, true},     {{2147483000, 0, 2000, 100}, true},
    };
    for (const Case& c : cases) {
        auto r = reachableWindow(c.stored, fallback, monitors, 40);
        EXPECT_EQ(bool(r), c.moved) << c.stored.x << "," << c.stored.y;
        if (r) {
            EXPECT_EQ(r->w, 200);
        }
    }
}

TEST(ShellLogic, OnlyARestartsOwnFourParametersAreARestart) {
    using P = std::vector<std::string>;
    struct Case {
        P parameters;
        bool ownBackup, restart;
    } cases[] = {
        {{"C:\\z\\backup", "1234", "C:\\d\\a.zrf", "1"}, true, true},
        {{"C:\\z\\backup", "0", "New", "0"}, true, true},
        {{"a.zrf", "b.zrf", "c.zrf"}, false, false},          // three files dropped
        {{"a.zrf", "b.zrf", "c.zrf", "d.zrf"}, false, false}, // four
        {{"C:\\z\\backup", "b.zrf", "c.zrf", "1"}, true, false},
        {{"C:\\z\\backup", "12", "c.zrf", "2"}, true, false},
        {{"C:\\z\\backup", "12", "", "1"}, true, false},
        {{"C:\\z\\backup", "-5", "c.zrf", "1"}, true, false},
        {{"C:\\d\\a.zrf", "12", "c.zrf", "1"}, false, false}, // not our backup
    };
    for (const Case& c : cases)
        EXPECT_EQ(isRestartCommandLine(c.parameters, c.ownBackup), c.restart) << c.parameters[1];
}

TEST(ShellLogic, TipsEndAsWritten) {
    EXPECT_EQ(tipText(1).substr(0, 20), "Welcome to Zarnet!\r\n");
    EXPECT_NE(tipText(1).find("in the \"view\" menu.\r\n\r\n"), std::string_view::npos);
    EXPECT_EQ(tipText(11), "This works for groups, too.");
    EXPECT_TRUE(tipText(0).empty() && tipText(12).empty() && tipText(-1).empty());
    for (int n = 1; n <= 11; ++n) {
        const std::string_view t = tipText(n);
        // Every line break is CR LF, never a lone LF.
        for (size_t i = 0; i < t.size(); ++i)
            if (t[i] == '\n') {
                EXPECT_TRUE(i > 0 && t[i - 1] == '\r') << "tip " << n;
            }
    }
}

TEST(ShellLogic, FieldPanelReadsAsCompactLayout) {
    const auto data = fieldPanelLayout();
    ByteReader in(data);
    DesignHeader h;
    ASSERT_TRUE(readHeader(in, h, Layout::Compact));
    EXPECT_EQ(h.nextNumber, 36);
    EXPECT_EQ(h.clientWidth, 303);
    EXPECT_EQ(h.clientHeight, 477);
    ASSERT_EQ(h.formatMark, 37); // the record count
    ReaderRecord rec;
    std::vector<int> numbers;
    for (int i = 0; i < h.formatMark; ++i) {
        ASSERT_TRUE(readRecord(in, rec, Layout::Compact)) << i;
        if (rec.typ != kCloseRecord) numbers.push_back(rec.number);
        if (rec.number == 35 && rec.typ == ButtonGadget) {
            EXPECT_EQ(rec.wtext, "H");
        }
        if (rec.number == 31) {
            EXPECT_EQ(rec.flags, 0x2001u);
        }
    }
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(rec.typ, kCloseRecord);
    std::sort(numbers.begin(), numbers.end());
    for (int n = 0; n < 36; ++n) EXPECT_EQ(numbers[n], n);
}

TEST(ShellLogic, LoadedNumbersContinueWithoutClashing) {
    // Items 0 and 2 with next number 4: new items take 1, then 3, then 4.
    Design d;
    for (int n : {0, 2}) {
        Item it = makeItem(ButtonGadget);
        it.number = static_cast<int16_t>(n);
        d.items.push_back(it);
    }
    d.nextNumber = 4;
    auto r = readDesign(writeDesign(d), Strictness::Editable);
    ASSERT_TRUE(r.design);
    EXPECT_EQ(r.design->takeNumber(), 1);
    EXPECT_EQ(r.design->takeNumber(), 3);
    EXPECT_EQ(r.design->takeNumber(), 4);
    // A number at or above next number moves next number past it for the
    // designer; the strict reader still refuses the file.
    d.items[1].number = 9;
    EXPECT_FALSE(readDesign(writeDesign(d), Strictness::Strict).design);
    r = readDesign(writeDesign(d), Strictness::Editable);
    ASSERT_TRUE(r.design);
    EXPECT_EQ(r.design->nextNumber, 10);
    EXPECT_EQ(r.design->takeNumber(), 1);
}

TEST(ShellLogic, TreeText) {
    Item it = makeItem(ButtonGadget);
    EXPECT_EQ(treeText(it), "ButtonGadget");
    it.status = kStatusHidden;
    it.insplitter = 1;
    EXPECT_EQ(treeText(it), "*ButtonGadget [Splitter]");
}

} // namespace
} // namespace zarnet::designer
