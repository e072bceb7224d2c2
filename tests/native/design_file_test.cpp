#include "document/buffers.h"
#include "document/design_file.h"
#include "document/design_format.h"
#include "document/example_design.h"
#include "test_designs.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zarnet {
namespace {

using test::addItem;
using Bytes = std::vector<uint8_t>;

Design oneButton() {
    Design d;
    Item& b = addItem(d, ButtonGadget, 10, 10);
    b.w = 80;
    b.h = 20;
    return d;
}

TEST(DesignFile, WorkedExampleIsExactly100Bytes) {
    const Bytes expected = {
        0x01, 0, 0, 0, 0x80, 0x02, 0, 0, 0xE0, 0x01, 0, 0, 0x0A, 0, 0, 0, 0xE8, 0x03, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,             // reserved
        0, 0, 0, 0,                                                    // gFonts
        1, 0, 0, 0,                                                    // gcount
        1, 0, 0,                                                       // typ, number
        10, 0, 0, 0, 10, 0, 0, 0, 80, 0, 0, 0, 20, 0, 0, 0,
        'B', 'u', 't', 't', 'o', 'n', 'G', 'a', 'd', 'g', 'e', 't', 0,
        'B', 'u', 't', 't', 'o', 'n', 0,
        0, 0, 0, 0,                                                    // flags
        0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,                            // status..color
        0, 0, 0, 0};                                                   // trailer
    ASSERT_EQ(expected.size(), 100u);
    EXPECT_EQ(writeDesign(oneButton()), expected);
}

TEST(DesignFile, EmptyDesignIs49Bytes) {
    const Bytes bytes = writeDesign(Design{});
    EXPECT_EQ(bytes.size(), 49u);
    auto r = readDesign(bytes, Strictness::Strict);
    ASSERT_TRUE(r.design) << r.error.what;
    EXPECT_EQ(r.design->clientWidth, 640);
    EXPECT_TRUE(r.design->items.empty());
}

TEST(DesignFile, PanelWithTwoTabsIsFiveRecords) {
    Design d;
    addItem(d, PanelGadget);
    d.items.push_back(makeTabRecord(0, "A"));
    d.items.push_back(makeTabRecord(1, "B"));
    addItem(d, ButtonGadget);
    d.items.push_back(makeCloseRecord());
    const Bytes bytes = writeDesign(d);
    EXPECT_EQ(bytes[41], 5);  // gcount
    auto r = readDesign(bytes, Strictness::Strict);
    ASSERT_TRUE(r.design) << r.error.what;
    const auto& items = r.design->items;
    ASSERT_EQ(items.size(), 5u);
    const int types[] = {PanelGadget, kTabRecord, kTabRecord, ButtonGadget, kCloseRecord};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(items[i].typ, types[i]);
    EXPECT_EQ(items[3].tab, 1);
    EXPECT_EQ(items[3].level, 1);
    EXPECT_EQ(r.design->maximumDepth, 1);
}

// Record sizes from the start of the record; the base is a record without
// any optional block for a type whose mask is 0 and an empty name.
size_t recordSize(const Item& it) {
    Design d;
    d.nextNumber = 1;
    d.fonts.resize(1);
    d.items.push_back(it);
    return writeDesign(d).size() - writeDesign(Design{}).size() - 1 - 4 - 7;
}

TEST(DesignFile, ImageBlockOnlyForImageCapableItems) {
    struct Case {
        int typ;
        uint32_t flags;
        size_t image;
        size_t block;  // bytes the image block adds
    } cases[] = {
        {ButtonImageGadget, 0, 0, 5},  {ImageGadget, 0, 0, 5},    {ImageGadget, 0, 7, 12},
        {ButtonGadget, 0x80, 0, 5},    {ButtonGadget, 0x80, 3, 8}, {ButtonGadget, 0, 0, 0},
        {CheckBoxGadget, 0x80, 0, 0},  {StringGadget, 0x80, 0, 0},
    };
    for (const Case& c : cases) {
        Item it = makeItem(c.typ);
        it.name.clear();
        it.wtext.clear();
        it.flags = c.flags;
        it.image.assign(c.image, 0xAB);
        Item plain = it;
        plain.flags = c.typ == ButtonGadget ? 0 : c.flags;
        plain.image.clear();
        const size_t plainSize = c.typ == ButtonGadget || !isImageCapable(c.typ, c.flags)
                                     ? recordSize(plain)
                                     : recordSize(plain) - 5;
        EXPECT_EQ(recordSize(it) - plainSize, c.block) << "type " << c.typ;
    }
}

TEST(DesignFile, TooltipKindsCarryTheirFields) {
    struct Case {
        int kind;
        size_t extra;  // bytes after the kind byte
    } cases[] = {{0, 0}, {1, 4}, {2, 4 + 21}, {7, 4}};
    for (const Case& c : cases) {
        Item it = makeItem(PanelGadget);
        it.name.clear();
        it.tooltip = c.kind;
        it.tooltipText = "tip";
        Item none = it;
        none.tooltip = 0;
        EXPECT_EQ(recordSize(it) - recordSize(none), c.extra) << "kind " << c.kind;
    }
}

TEST(DesignFile, UnusedFontEntryIsOneByteAndKeepsIndexes) {
    Design d;
    d.fonts.push_back({0, 0, 0, "", 0});
    d.fonts.push_back({1, 0, 10, "Arial", 0});
    addItem(d, ButtonGadget).font = 1;
    const Bytes bytes = writeDesign(d);
    EXPECT_EQ(bytes[41], 0);  // entry 0 is the single byte 0
    EXPECT_EQ(bytes[42], 1);  // entry 1 starts right after it
    auto r = readDesign(bytes, Strictness::Strict);
    ASSERT_TRUE(r.design) << r.error.what;
    ASSERT_EQ(r.design->fonts.size(), 2u);
    EXPECT_EQ(r.design->fonts[0].gFontUsed, 0);
    EXPECT_EQ(r.design->fonts[1].gFontName, "Arial");
    EXPECT_EQ(r.design->items[0].font, 1);
}

TEST(DesignFile, EveryTypeRoundTripsByteForByte) {
    const Design d = test::everyTypeDesign();
    ASSERT_FALSE(checkInvariants(d));
    const Bytes bytes = writeDesign(d);
    auto r = readDesign(bytes, Strictness::Strict);
    ASSERT_TRUE(r.design) << r.error.offset << ": " << r.error.what;
    EXPECT_EQ(writeDesign(*r.design), bytes);
    ASSERT_EQ(r.design->items.size(), d.items.size());
    for (size_t i = 0; i < d.items.size(); ++i) {
        const Item& a = d.items[i];
        const Item& b = r.design->items[i];
        EXPECT_EQ(a.typ, b.typ);
        EXPECT_EQ(a.image, b.image);
        EXPECT_EQ(a.tooltipText, b.tooltipText);
        EXPECT_EQ(a.level, b.level) << i;
        EXPECT_EQ(a.tab, b.tab) << i;
    }
}

TEST(DesignFile, EveryPrefixIsRejectedWithinBounds) {
    const Bytes bytes = writeDesign(test::everyTypeDesign());
    for (size_t n = 0; n < bytes.size(); ++n) {
        const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<long>(n));
        auto r = readDesign(prefix);
        ASSERT_FALSE(r.design) << "prefix " << n;
        EXPECT_LE(r.error.offset, n);
        EXPECT_FALSE(r.error.what.empty());
    }
}

void putLong(Bytes& b, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}

TEST(DesignFile, MalformedDesignsNameTheFault) {
    // A design of a container holding two buttons and a splitter over them.
    Design d;
    addItem(d, ContainerGadget);
    addItem(d, ButtonGadget);
    addItem(d, ButtonGadget);
    Item& s = addItem(d, SplitterGadget);
    s.para1 = 1;
    s.para2 = 2;
    d.items.push_back(makeCloseRecord());
    const Bytes good = writeDesign(d);
    ASSERT_TRUE(readDesign(good, Strictness::Strict).design);

    const size_t first = 45;  // first record
    const size_t button1 = first + 3 + 16 + 16 + 4 + 8;  // container: name, flags, tail
    struct Case {
        const char* what;
        std::function<void(Bytes&)> corrupt;
        const char* expect;
    } cases[] = {
        {"count too large", [](Bytes& b) { putLong(b, 41, 6); }, "record 5: close record"},
        {"huge count", [](Bytes& b) { putLong(b, 41, 0x7FFFFFFF); }, "exceeds the data"},
        {"huge font count", [](Bytes& b) { putLong(b, 37, 0x40000000); }, "exceeds the data"},
        {"number beyond next", [&](Bytes& b) { b[button1 + 1] = 9; }, "not below next number"},
        {"duplicate number", [&](Bytes& b) { b[button1 + 1] = 0; }, "used twice"},
        {"unknown type", [&](Bytes& b) { b[first] = 50; }, "neither a gadget type"},
        {"font index", [&](Bytes& b) { putLong(b, first + 3 + 16 + 16 + 4 + 2, 3); },
         "outside the font table"},
        {"format mark", [](Bytes& b) { putLong(b, 16, 999); }, "format mark"},
        {"trailer", [](Bytes& b) { putLong(b, b.size() - 4, 5); }, "trailer"},
        {"tail", [](Bytes& b) { b.push_back(0); }, "after the trailer"},
        {"close without parent", [](Bytes& b) { b[45] = 0; }, "record 0: close record"},
        {"unclosed parent", [](Bytes& b) { b[b.size() - 7] = 21; }, ""},
    };
    for (const Case& c : cases) {
        Bytes b = good;
        c.corrupt(b);
        auto r = readDesign(b, Strictness::Strict);
        EXPECT_FALSE(r.design) << c.what;
        EXPECT_NE(r.error.what.find(c.expect), std::string::npos) << c.what << ": " << r.error.what;
        EXPECT_LE(r.error.offset, b.size()) << c.what;
    }
}

// Files that claim more than any design holds, or that are one long run of
// records with nothing to belong to, are refused where the claim or the
// first stray record stands: before the list can grow from them.
TEST(DesignFile, HostileCountsAndStrayRecordsAreRefusedEarly) {
    const Bytes empty = writeDesign(Design{});  // header, 0 fonts, 0 records, trailer
    // Header and counts, then `fill` bytes of `byte`, or of tab records (type
    // 100, tab 0, empty title) when byte is 100.
    const auto file = [&](int32_t fonts, int32_t records, size_t fill, uint8_t byte) {
        Bytes b(empty.begin(), empty.begin() + 37);
        b.resize(45 + fill, byte);
        if (byte == kTabRecord)
            for (size_t i = 45; i < b.size(); ++i) b[i] = (i - 45) % 4 == 0 ? byte : 0;
        putLong(b, 37, fonts);
        putLong(b, 41, records);
        return b;
    };
    const size_t big = size_t{3} << 20;
    struct Case {
        const char* what;
        Bytes bytes;
        size_t offset;
        const char* expect;
    } cases[] = {
        {"a million close records", file(0, 1 << 20, big, 0), 41, "more than a design holds"},
        {"close records within the cap", file(0, kMaxRecords, big, 0), 45, "record 0: close"},
        {"font entries past the cap", file(kMaxFontEntries + 1, 0, big, 0), 37,
         "more than a design holds"},
        {"tab records at top level", file(0, 1000, 4000, 100), 45, "record 0: tab record"},
    };
    for (const Case& c : cases) {
        const auto r = readDesign(c.bytes, Strictness::Editable);
        EXPECT_FALSE(r.design) << c.what;
        EXPECT_EQ(r.error.offset, c.offset) << c.what << ": " << r.error.what;
        EXPECT_NE(r.error.what.find(c.expect), std::string::npos) << c.what << ": " << r.error.what;
    }
    // More gadgets than item numbers: the read stops at the first one too many.
    Design d;
    for (int i = 0; i < kMaxGadgets; ++i) addItem(d, TextGadget);
    Bytes b = writeDesign(d);
    ASSERT_TRUE(readDesign(b).design);
    const Bytes extra = writeDesign(oneButton());
    b.insert(b.end() - 4, extra.begin() + 45, extra.end() - 4);
    putLong(b, 41, kMaxGadgets + 1);
    const auto r = readDesign(b);
    EXPECT_FALSE(r.design);
    EXPECT_NE(r.error.what.find("more gadgets than"), std::string::npos) << r.error.what;
}

TEST(DesignFile, SplitterChildrenMustBeEarlierSiblings) {
    struct Case {
        int first, second;
        bool ok;
        const char* expect;
    } cases[] = {
        {0, 1, true, ""}, {0, 0, false, "same child"}, {0, 5, false, "names no earlier"},
        {3, 0, false, "another parent"}};
    for (const Case& c : cases) {
        Design d;
        addItem(d, ButtonGadget);
        addItem(d, ButtonGadget);
        addItem(d, ContainerGadget);
        addItem(d, ButtonGadget);
        d.items.push_back(makeCloseRecord());
        Item& s = addItem(d, SplitterGadget);
        s.para1 = c.first;
        s.para2 = c.second;
        d.nextNumber = 6;
        auto r = readDesign(writeDesign(d));
        EXPECT_EQ(bool(r.design), c.ok) << c.first << "," << c.second;
        if (!c.ok) {
            EXPECT_NE(r.error.what.find(c.expect), std::string::npos) << r.error.what;
        }
    }
}

TEST(DesignFile, BundledExampleIsWrittenByOurWriter) {
    const std::string path = std::string(ZARNET_SOURCE_DIR) + "/examples/example.zrf";
    auto bytes = readFileBytes(path);
    ASSERT_TRUE(bytes) << path;
    EXPECT_EQ(*bytes, writeDesign(makeExampleDesign()));
    EXPECT_TRUE(readDesign(*bytes, Strictness::Strict).design);
}

#ifdef _WIN32
// A buffer that cannot be had is an answer, never the end of the process
// (the sanitizers of the native build stop at such sizes instead).
TEST(Buffers, SizesThatCannotBeHadAreRefused) {
    std::vector<uint8_t> v(3, 7);
    for (size_t n : {v.max_size(), SIZE_MAX}) {
        EXPECT_FALSE(tryResize(v, n)) << n;
        EXPECT_EQ(v, std::vector<uint8_t>(3, 7));
    }
    EXPECT_TRUE(tryResize(v, 5));
    EXPECT_EQ(v.size(), 5u);
}
#endif

TEST(DesignFormat, ImageSniffing) {
    auto sniff = [](std::string s) {
        return sniffImageFormat(std::span(reinterpret_cast<const uint8_t*>(s.data()), s.size()));
    };
    EXPECT_EQ(sniff("\x89PNG\r\n"), ImageFormat::Png);
    EXPECT_EQ(sniff(std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11)), ImageFormat::Jpeg);
    EXPECT_EQ(sniff(std::string("\xFF\xD8\xFF\xE1\x00\x10" "Exif\x00", 11)), ImageFormat::Other);
    EXPECT_EQ(sniff("BM"), ImageFormat::Other);
    EXPECT_EQ(sniff(""), ImageFormat::Other);
}

TEST(DesignFormat, CompactLayoutReadsOnlyTheMaskFields) {
    // Header of 20 bytes, then a container and a button and the close.
    Bytes b = {3, 0, 0, 0, 44, 1, 0, 0, 221, 1, 0, 0, 10, 0, 0, 0, 3, 0, 0, 0};
    auto rec = [&](int typ, int number, std::initializer_list<int32_t> longs, std::string text) {
        b.push_back(static_cast<uint8_t>(typ));
        b.push_back(static_cast<uint8_t>(number));
        b.push_back(0);
        if (typ == 0) return;
        for (int i = 0; i < 4; ++i) b.insert(b.end(), {5, 0, 0, 0});
        b.push_back('n');
        b.push_back(0);
        if (!text.empty()) {
            b.insert(b.end(), text.begin(), text.end());
            b.push_back(0);
        }
        for (int32_t v : longs)
            for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    rec(ContainerGadget, 0, {2}, "");
    rec(ButtonGadget, 1, {0}, "OK");
    rec(kCloseRecord, 0, {}, "");
    ByteReader in(b);
    DesignHeader h;
    ASSERT_TRUE(readHeader(in, h, Layout::Compact));
    EXPECT_EQ(h.formatMark, 3);  // the record count
    EXPECT_EQ(in.pos(), kCompactHeaderSize);
    ReaderRecord r;
    const int expect[] = {ContainerGadget, ButtonGadget, kCloseRecord};
    for (int typ : expect) {
        ASSERT_TRUE(readRecord(in, r, Layout::Compact)) << in.error().what;
        EXPECT_EQ(r.typ, typ);
    }
    EXPECT_EQ(r.wtext, "OK");  // the close record keeps the earlier text
    EXPECT_TRUE(in.atEnd());
}

TEST(DesignFormat, ReaderRecordKeepsAbsentFields) {
    Design d;
    addItem(d, ButtonGadget).wtext = "Hello";
    addItem(d, DateGadget);
    const Bytes bytes = writeDesign(d);
    ByteReader in(bytes, 45);
    ReaderRecord r;
    ASSERT_TRUE(readRecord(in, r));
    ASSERT_TRUE(readRecord(in, r));
    EXPECT_EQ(r.typ, DateGadget);
    EXPECT_EQ(r.wtext, "Hello");
    EXPECT_EQ(headerMaxItem(bytes), 1);
    EXPECT_EQ(headerClientWidth(bytes), 640);
    EXPECT_EQ(headerClientHeight(bytes), 480);
}

} // namespace
} // namespace zarnet
