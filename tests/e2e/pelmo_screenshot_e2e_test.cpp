// Pelmo --screenshot as a reviewer runs it: the PNG read back has the
// window's client size and shows two picture gadgets' own colours; against
// an older design the changed gadget is framed in red, the unchanged one is
// not, the removed one is listed under the picture, and the exit codes
// follow the diff's. Nothing is written for a design that cannot be read.
#include "probe.h"

#include "document/catalogue.h"
#include "document/design_file.h"
#include "imaging/decode.h"
#include "imaging/pixel_ops.h"
#include "test_designs.h"

#include <gtest/gtest.h>

namespace {

using namespace zarnet;
namespace img = imaging;

constexpr img::Pixel kBlue = 0xFF0000FF, kGreen = 0xFF00C000, kRed = 0xFFFF0000;

Item& picture(Design& d, int x, int y, int w, int h, img::Pixel colour) {
    Item& it = test::addItem(d, ImageGadget, x, y);
    it.w = w, it.h = h, it.aflag = 2; // scaled to the gadget
    it.image = img::encodeBmp(*img::makeImage(8, 8, colour));
    return it;
}

// Blue at (20, 20) 60 x 40, green at (150, 100) 80 x 50, a text below.
Design newer() {
    Design d;
    d.clientWidth = 300, d.clientHeight = 200;
    picture(d, 20, 20, 60, 40, kBlue);
    picture(d, 150, 100, 80, 50, kGreen);
    test::addItem(d, TextGadget, 20, 150).wtext = "Kept";
    d.nextNumber = 4;
    return d;
}

// The green picture ten pixels further left, and a button since removed.
Design older() {
    Design d = newer();
    d.items[1].x = 140;
    Item& gone = test::addItem(d, ButtonGadget, 200, 20);
    gone.number = 3, gone.name = "Gone";
    return d;
}

class PelmoScreenshot : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        dir = std::string(tmp) + "pelmo screenshot " + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(dir.c_str(), nullptr);
        probe::setWineUnmanagedWindows("Pelmo.exe");
        ASSERT_TRUE(writeFileAtomic(dir + "new.zrf", writeDesign(newer())));
        ASSERT_TRUE(writeFileAtomic(dir + "old.zrf", writeDesign(older())));
        ASSERT_TRUE(writeFileAtomic(dir + "junk.zrf", std::vector<uint8_t>{1, 2, 3}));
    }
    void TearDown() override {
        for (const char* f : {"new.zrf", "old.zrf", "junk.zrf", "a.png", "b.png", "c.png"})
            DeleteFileA((dir + f).c_str());
        RemoveDirectoryA(dir.c_str());
        probe::clearWineSettings("Pelmo.exe");
    }
    // Pelmo's exit code; no window may show meanwhile.
    std::optional<DWORD> run(const std::string& args) {
        probe::Process p(probe::quoted(probe::programPath("Pelmo.exe")) + " " + args);
        EXPECT_TRUE(p.started());
        const auto code = p.waitExitOrKill(60000);
        return code;
    }
    std::optional<img::Image> read(const char* name) {
        auto bytes = readFileBytes(dir + name);
        if (!bytes) return std::nullopt;
        return img::decodeImage(*bytes);
    }
    std::string at(const char* name) { return probe::quoted(dir + name); }
    std::string dir;
};

TEST_F(PelmoScreenshot, IsTheWindowDrawnByItsControls) {
    EXPECT_EQ(run("--screenshot " + at("a.png") + " " + at("new.zrf")), 0u);
    const auto shot = read("a.png");
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->width, 300);
    EXPECT_EQ(shot->height, 200);
    EXPECT_EQ(shot->at(50, 40), kBlue);
    EXPECT_EQ(shot->at(190, 125), kGreen);
}

TEST_F(PelmoScreenshot, FramesWhatChangedAndListsWhatWasRemoved) {
    EXPECT_EQ(
        run("--screenshot " + at("b.png") + " --compare " + at("old.zrf") + " " + at("new.zrf")),
        1u);
    const auto shot = read("b.png");
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->width, 300);
    EXPECT_GT(shot->height, 200); // the removed button's line
    EXPECT_EQ(shot->at(190, 125), kGreen);
    for (auto [x, y] :
         {std::pair{149, 125}, std::pair{148, 125}, std::pair{190, 99}, std::pair{230, 125}})
        EXPECT_EQ(shot->at(x, y), kRed) << x << ", " << y;
    EXPECT_NE(shot->at(19, 40), kRed);
    bool text = false;
    for (int32_t y = 200; y < shot->height; ++y)
        for (int32_t x = 0; x < shot->width; ++x)
            text = text || shot->at(x, y) == 0xFF000000;
    EXPECT_TRUE(text);
}

TEST_F(PelmoScreenshot, WritesNothingForWhatItCannotRead) {
    EXPECT_EQ(run("--screenshot " + at("c.png") + " " + at("junk.zrf")), 2u);
    EXPECT_EQ(
        run("--screenshot " + at("c.png") + " --compare " + at("junk.zrf") + " " + at("new.zrf")),
        2u);
    EXPECT_EQ(GetFileAttributesA((dir + "c.png").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
