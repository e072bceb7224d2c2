// Our printf subset gives what the C library's snprintf gives, for every
// conversion the programs use and the corners around them. Built natively
// and for Windows, where long is 32 bits and the library's printf is MinGW's.
#include "text/format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using zarnet::text::formatTo;

// Formats with both into buffers of `size` bytes; the texts and the
// lengths they report must be the same.
template <class... A> void expectAsLibrary(const char* format, std::size_t size, A... args) {
    char ours[128];
    char theirs[128];
    std::fill(std::begin(ours), std::end(ours), '#');
    std::fill(std::begin(theirs), std::end(theirs), '#');
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
    const int ourLength = formatTo(ours, size, format, args...);
    const int theirLength = std::snprintf(theirs, size, format, args...);
#pragma GCC diagnostic pop
    EXPECT_EQ(ourLength, theirLength) << format;
    EXPECT_EQ(std::string(ours, sizeof ours), std::string(theirs, sizeof theirs)) << format;
}

TEST(TextFormat, IntegersAsTheLibrary) {
    expectAsLibrary("%d|%i|%u", 100, 0, -7, 3000000000u);
    expectAsLibrary("%d %d", 100, INT_MIN, INT_MAX);
    expectAsLibrary("%ld %lu", 100, LONG_MIN, ULONG_MAX);
    expectAsLibrary("%lld %llu %llX", 100, LLONG_MIN, ULLONG_MAX, 0xFEDCBA9876543210ull);
    expectAsLibrary("%zu %zd", 100, SIZE_MAX, static_cast<std::ptrdiff_t>(-5));
    expectAsLibrary("%jd %ju", 100, INTMAX_MIN, UINTMAX_MAX);
    // Sizes narrower than int keep only their own bits.
    expectAsLibrary("%hhu %hhd %hu %hd", 100, 300, 200, 70000, 40000);
    expectAsLibrary("%x %X %08x %02X", 100, 0xBEEFu, 0xBEEFu, 0x2Au, 0x5u);
    expectAsLibrary("0x%016llX", 100, 0x12ABull);
}

TEST(TextFormat, WidthsPrecisionsAndFlagsAsTheLibrary) {
    expectAsLibrary("[%5d][%-5d][%05d]", 100, 42, 42, 42);
    expectAsLibrary("[%05d][%-05d][%5d]", 100, -42, -42, -42);
    expectAsLibrary("[%.3d][%5.3d][%-6.3d]", 100, 7, -7, 7);
    // A precision turns zero padding off; a precision of 0 prints no 0.
    expectAsLibrary("[%08.3d][%.0d][%3.0d][%05.0d]", 100, 5, 0, 0, 0);
    expectAsLibrary("[%*d][%*d][%-*d]", 100, 4, 1, -4, 1, 4, 1);
    expectAsLibrary("[%.*d][%.*d]", 100, 3, 1, -1, 1);
    expectAsLibrary("%04d-%02d-%02d %02u:%02u", 100, 2024, 3, 9, 7u, 5u);
    expectAsLibrary("[%s][%8s][%-8s][%.2s][%.*s]", 100, "abc", "abc", "abc", "abc", 4, "abcdefgh");
    expectAsLibrary("[%.*s][%.*s]", 100, 0, "abc", -1, "abc");
    expectAsLibrary("[%c][%3c][%-3c]", 100, 'a', 'b', 'c');
    expectAsLibrary("100%% of %s", 100, "it");
}

TEST(TextFormat, ShortBuffersAsTheLibrary) {
    // Cut short at every length, the text ends with a zero and the
    // length of the whole is reported.
    for (std::size_t size = 0; size <= 14; ++size)
        expectAsLibrary("%s: offset %zu", size, "a.zrf", static_cast<std::size_t>(12345));
}

TEST(TextFormat, UnknownConversionsStayAsWritten) {
    char out[64];
    // Floating point is not ours to format: its text stays, and the
    // arguments after it are not shifted.
    const struct {
        const char* format;
        const char* expected;
    } cases[] = {
        {"%f|%s", "%f|x"},
        {"%5.2f|%s", "%5.2f|x"},
        {"%s|%", "x|%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        const int n = formatTo(out, sizeof out, c.format, "x");
#pragma GCC diagnostic pop
        EXPECT_STREQ(out, c.expected);
        EXPECT_EQ(n, static_cast<int>(std::string(c.expected).size()));
    }
}

TEST(TextFormat, LongTextsAndFiles) {
    // Past the first buffer a longer one is made.
    const std::string long1(300, 'a');
    const std::string long2(5000, 'b');
    EXPECT_EQ(zarnet::text::format("<%s|%s>", long1.c_str(), long2.c_str()),
              "<" + long1 + "|" + long2 + ">");
    EXPECT_EQ(zarnet::text::format("%s", ""), "");

    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    zarnet::text::print(f, "%s: offset %zu: %s\n", long1.c_str(), static_cast<std::size_t>(7), "x");
    std::rewind(f);
    std::string back(400, '\0');
    back.resize(std::fread(back.data(), 1, back.size(), f));
    std::fclose(f);
    EXPECT_EQ(back, long1 + ": offset 7: x\n");
}

} // namespace
