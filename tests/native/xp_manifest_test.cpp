#include "document/xp_manifest.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zarnet {
namespace {

TEST(XpManifest, LengthAndLineStructure) {
    struct Case {
        ManifestArch arch;
        size_t size;
        const char* archLine;
    } cases[] = {{ManifestArch::X86, 647, R"(processorArchitecture="X86")"},
                 {ManifestArch::Amd64, 651, R"(processorArchitecture="amd64")"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archLine);
        const std::string_view t = xpManifestText(c.arch);
        EXPECT_EQ(t.size(), c.size);
        // Both identities (the program's and the common controls') name it.
        size_t first = t.find(c.archLine);
        ASSERT_NE(first, std::string_view::npos);
        EXPECT_NE(t.find(c.archLine, first + 1), std::string_view::npos);
        EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 44);
        EXPECT_EQ(std::count(t.begin(), t.end(), '\r'), 44);
        EXPECT_EQ(t.find('\0'), std::string_view::npos);
        // Every line ends with a space and CR LF and is followed by an empty line.
        size_t pos = 0, lines = 0;
        while (pos < t.size()) {
            const size_t end = t.find("\r\n", pos);
            ASSERT_NE(end, std::string_view::npos);
            ASSERT_GT(end, pos);
            EXPECT_EQ(t[end - 1], ' ');
            ASSERT_EQ(t.substr(end + 2, 2), "\r\n");
            pos = end + 4;
            ++lines;
        }
        EXPECT_EQ(lines, 22u);
        EXPECT_EQ(t.substr(0, 5), "<?xml");
        EXPECT_NE(t.find(R"(name="Microsoft.Windows.Common-Controls")"), std::string_view::npos);
        EXPECT_NE(t.find(R"(publicKeyToken="6595b64144ccf1df")"), std::string_view::npos);
        EXPECT_EQ(t.substr(t.size() - 16), "</assembly> \r\n\r\n");
    }
    // A native build is neither; it writes the 32-bit programs' bytes.
    EXPECT_EQ(xpManifestText(), xpManifestText(ManifestArch::X86));
}

} // namespace
} // namespace zarnet
