#include "viewer/viewer_logic.h"

#include "document/xp_manifest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zarnet::viewer {
namespace {

namespace fs = std::filesystem;

TEST(ViewerLogic, StyleValueReadsLeadingDecimal) {
    struct Case {
        const char* text;
        long value;
    } cases[] = {{"1", 1}, {"0", 0}, {"", 0}, {"XP", 0}, {"12abc", 12}, {"-3", -3},
                 {" 7", 7}, {"+2", 2}, {"0x10", 0}, {"99999999999999999999", LONG_MAX}};
    for (const Case& c : cases) EXPECT_EQ(styleValue(c.text), c.value) << c.text;
}

TEST(ViewerLogic, ManifestLivesBesideTheExecutable) {
    EXPECT_EQ(manifestPathFor("C:\\Prog Files\\Zarnet\\Pelmo.exe"),
              "C:\\Prog Files\\Zarnet\\Pelmo.exe.manifest");
    EXPECT_EQ(manifestPathFor("/opt/z/Pelmo.exe"), "/opt/z/Pelmo.exe.manifest");
    EXPECT_EQ(manifestPathFor("Pelmo.exe"), "Pelmo.exe.manifest");
    EXPECT_EQ(restartParameter("C:\\a b\\x.zrf"), "\"C:\\a b\\x.zrf\"");
}

class ManifestFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zarnet-viewer-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        manifest = (dir / "Pelmo.exe.manifest").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    void make(long long size) {
        if (size < 0) return;
        std::ofstream f(manifest, std::ios::binary);
        f << std::string(static_cast<size_t>(size), 'x');
    }
    fs::path dir;
    std::string manifest;
};

TEST_F(ManifestFiles, StyleSwitchFromTheCommandLine) {
    // before: -1 missing, 0 empty, 3 a (foreign) 3-byte file; after likewise,
    // with 647 for our manifest freshly written.
    struct Case {
        long long before;
        long value;
        long long after;
    } cases[] = {{-1, 1, 647}, {3, 1, 3}, {0, 1, 0}, {-1, 0, -1}, {3, 0, -1},
                 {0, 0, 0},    {-1, 5, 647}, {3, -1, 3}};
    for (const Case& c : cases) {
        fs::remove(manifest);
        make(c.before);
        applyStyleSwitch(manifest, c.value);
        EXPECT_EQ(fileSizeOrMissing(manifest), c.after) << c.before << " with " << c.value;
    }
}

TEST_F(ManifestFiles, ToggleDeletesAnythingOrCreates) {
    struct Case {
        long long before, after;
    } cases[] = {{-1, 647}, {0, -1}, {647, -1}};
    for (const Case& c : cases) {
        fs::remove(manifest);
        make(c.before);
        toggleStyle(manifest);
        EXPECT_EQ(fileSizeOrMissing(manifest), c.after) << c.before;
    }
}

} // namespace
} // namespace zarnet::viewer
