// 8-bit code-page names reach the file system as the ANSI API would see them.
#include "document/design_file.h"
#include "document/path_text.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace zarnet {
namespace {

TEST(PathText, CodePageNamesSurviveTheRoundTrip) {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    // e acute and the euro sign in the Western code page.
    for (const std::string name : {"caf\xE9.zrf", "price \x80.zrf", "plain.zrf"}) {
        const std::string text = std::string(tmp) + name;
        const std::vector<uint8_t> bytes = {1, 2, 3};
        ASSERT_TRUE(writeFileAtomic(pathFromText(text), bytes)) << name;
        // The ANSI API finds it under exactly those bytes.
        EXPECT_NE(GetFileAttributesA(text.c_str()), INVALID_FILE_ATTRIBUTES) << name;
        EXPECT_EQ(readFileBytes(pathFromText(text)), bytes) << name;
        EXPECT_EQ(textFromPath(pathFromText(text)), text);
        DeleteFileA(text.c_str());
    }
}

} // namespace
} // namespace zarnet
