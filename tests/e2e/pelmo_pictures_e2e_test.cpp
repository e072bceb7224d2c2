// Pelmo showing a design with pictures of every format (transparent and
// scaled), extended tooltips and anchored gadgets, looked at from outside:
// where its controls are before and after the window is resized, what
// the screen shows inside its picture gadgets, and its tooltip windows.
#include "probe.h"

#include "document/catalogue.h"
#include "document/design_file.h"
#include "imaging/pixel_ops.h"
#include "imaging/sample_images.h"
#include "test_designs.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

using namespace zarnet;
namespace img = imaging;
using test::addItem;

constexpr DWORD kStartMs = 20000;
const char kTitle[] = "Zarnet preview";
const char kExe[] = "Pelmo.exe";

std::vector<uint8_t> dataFile(const std::string& name) {
    std::ifstream f(
        probe::windowsPath(std::string(ZARNET_SOURCE_DIR) + "/tests/native/imaging/data/" + name),
        std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

constexpr img::Pixel kKey = 0xFFFF00FF, kBlue = 0xFF0000FF;

// 40 x 30: a blue frame with a hole, on the magenta key colour.
img::Image framedShape() {
    img::Image p = *img::makeImage(40, 30, kKey);
    img::fillRect(p, 5, 5, 30, 20, kBlue);
    img::fillRect(p, 15, 12, 10, 6, kKey);
    return p;
}

// A 32 x 32 icon: a yellow disc, transparent around it by its mask.
std::vector<uint8_t> discIcon() {
    img::Image disc = *img::makeImage(32, 32, 0xFF000000);
    auto outside = [](int32_t x, int32_t y) {
        return (x - 16) * (x - 16) + (y - 16) * (y - 16) > 14 * 14;
    };
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x)
            if (!outside(x, y)) disc.at(x, y) = 0xFFFFD000;
    const auto entry = img::test::iconDib(disc, 24, {}, outside);
    return img::test::icoFile({{32, 32, 24, entry}});
}

struct Expect {
    const char* name;
    const char* cls;
    RECT before, after; // x, y, right, bottom in the parent's client area
};

RECT rect(int x, int y, int w, int h) {
    return {x, y, x + w, y + h};
}

// Designed for a 480 x 360 client area, shown at 720 x 540 (factor 1.5).
Design picturesDesign() {
    Design d;
    d.clientWidth = 480;
    d.clientHeight = 360;
    d.fonts.push_back({1, 0, 12, "Arial", 0});
    auto place = [&](int typ, int x, int y, int w, int h, int anchors) -> Item& {
        Item& it = addItem(d, typ, x, y);
        it.w = w;
        it.h = h;
        it.auto_ = anchors;
        return it;
    };
    Item* it = &place(ImageGadget, 10, 10, 100, 100, 0); // fits the picture
    it->image = img::encodeBmp(framedShape());
    it->aflag = 1;
    it = &place(ImageGadget, 60, 10, 100, 80, 4 | 8);
    it->flags = 0x200; // border
    it->image = dataFile("baseline.jpg");
    it->aflag = 2;
    it = &place(ButtonImageGadget, 5, 50, 48, 48, 0);
    it->image = discIcon();
    it = &place(ButtonGadget, 230, 10, 80, 60, 16);
    it->flags = kButtonBitmapFlag;
    it->image = dataFile("interlaced.png");
    it->aflag = 2;
    it->tooltip = 2;
    it->tooltipText = "Balloon tip";
    it->ttime = 50;
    it->tfcolor = 0x000080;
    it->tbcolor = 0xE0FFFF;
    it->tfont = -1;
    it->twidth = 200;
    it->tballoon = 1;
    it = &place(ImageGadget, 320, 10, 60, 40, 16 | 32);
    it->image = dataFile("rgba8.png");
    it->aflag = 2;
    it = &place(TextGadget, 10, 140, 300, 20, 64);
    it->wtext = "A text that follows the right border";
    place(ContainerGadget, 10, 170, 300, 150, 64 | 128);
    it = &place(ButtonGadget, 10, 100, 100, 30, 1 | 2 | 4 | 8);
    it->wtext = "Scaled";
    it->tooltip = 2;
    it->tooltipText = "Square tip";
    it->ttime = 300;
    it->tfont = 0;
    it->twidth = 150;
    it = &place(ImageGadget, 120, 10, 100, 80, 4 | 8);
    it->flags = 0x200;
    it->image = img::encodeBmp(framedShape());
    it->aflag = 3;
    d.items.push_back(makeCloseRecord());
    place(StringGadget, 330, 310, 140, 22, 16 | 32).wtext = "bottom right";
    d.recomputeNesting();
    return d;
}

const Expect kExpected[] = {
    {"transparent BMP", "Static", rect(10, 10, 40, 30), rect(10, 10, 40, 30)},
    {"scaled JPEG, border", "Static", rect(60, 10, 100, 80), rect(60, 10, 150, 120)},
    {"icon button", "Button", rect(5, 50, 48, 48), rect(5, 50, 48, 48)},
    {"PNG bitmap button with a balloon tip", "Button", rect(230, 10, 80, 60), rect(470, 10, 80, 60)},
    {"scaled PNG with alpha", "Static", rect(320, 10, 60, 40), rect(560, 190, 60, 40)},
    {"text", "Static", rect(10, 140, 300, 20), rect(10, 140, 540, 20)},
    {"container", "ZarnetBox", rect(10, 170, 300, 150), rect(10, 170, 540, 330)},
    {"button in the container", "Button", rect(10, 100, 100, 30), rect(18, 220, 180, 66)},
    {"picture in the container", "Static", rect(120, 10, 100, 80), rect(120, 10, 180, 176)},
    {"string at the bottom right", "Edit", rect(330, 310, 140, 22), rect(570, 490, 140, 22)},
};

std::string text(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top) + ")";
}
bool same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The screen inside a window, as it is shown.
img::Image capture(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    img::Image out = *img::makeImage(w, h);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* px = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < out.pixels.size(); ++i)
        out.pixels[i] = px[i] | 0xFF000000u;
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return out;
}

// Keeps a screenshot of the window when ZARNET_E2E_SHOTS names a folder.
void keepShot(HWND hwnd, const std::string& name) {
    const char* dir = std::getenv("ZARNET_E2E_SHOTS");
    if (!dir || !*dir) return;
    const auto bytes = img::encodeBmp(capture(hwnd));
    std::ofstream(probe::windowsPath(std::string(dir) + "/" + name + ".bmp"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class PelmoPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        dir = std::string(tmp) + "pelmo pictures " + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(dir.c_str(), nullptr);
        exe = dir + kExe;
        ASSERT_TRUE(CopyFileA(probe::programPath(kExe).c_str(), exe.c_str(), FALSE));
        design = dir + "pictures.zrf";
        const auto bytes = writeDesign(picturesDesign());
        std::ofstream(design, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        // Kept beside the screenshots, to be opened by hand.
        if (const char* shots = std::getenv("ZARNET_E2E_SHOTS"); shots && *shots)
            CopyFileA(design.c_str(),
                      probe::windowsPath(std::string(shots) + "/pictures.zrf").c_str(), FALSE);
        probe::setWineUnmanagedWindows(kExe);
    }
    void TearDown() override {
        for (const std::string& f : {exe, design})
            DeleteFileA(f.c_str());
        RemoveDirectoryA(dir.c_str());
        probe::clearWineSettings(kExe);
    }
    std::string dir, exe, design;
};

// The controls of the design in the order of kExpected, found by class and
// place; nullptr for one that is not where it should be.
std::vector<HWND> findControls(HWND win) {
    const auto all = probe::childWindows(win, true);
    std::vector<HWND> found;
    for (const Expect& e : kExpected) {
        HWND match = nullptr;
        for (const probe::WindowInfo& c : all)
            if (c.className == e.cls && same(c.rect, e.before) && c.visible) match = c.hwnd;
        found.push_back(match);
    }
    return found;
}

uint32_t rgbAt(const img::Image& shot, HWND window, HWND control, int x, int y) {
    RECT w, c;
    GetWindowRect(window, &w);
    GetWindowRect(control, &c);
    return shot.at(c.left - w.left + x, c.top - w.top + y) & 0xFFFFFF;
}

bool similar(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

TEST_F(PelmoPictures, PicturesTooltipsAndAnchorsBehaveAsInAGeneratedProgram) {
    probe::Process p(probe::quoted(exe) + " " + probe::quoted(design));
    ASSERT_TRUE(p.started());
    HWND win = probe::waitForWindow(p.id(), kTitle, "", kStartMs);
    ASSERT_NE(win, nullptr);
    Sleep(300); // let it paint
    const std::vector<HWND> controls = findControls(win);
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_NE(controls[i], nullptr)
            << kExpected[i].name << " not at " << text(kExpected[i].before);
    if (HasFailure()) {
        for (const probe::WindowInfo& c : probe::childWindows(win, true))
            ADD_FAILURE() << c.className << " " << text(c.rect);
        return;
    }

    // What the screen shows: the key colour became the button face, the
    // scaled JPEG shows its red top-left quadrant, the icon's corners are
    // the button face.
    const uint32_t face = GetSysColor(COLOR_BTNFACE);
    const uint32_t faceRgb = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
    const img::Image shot = capture(win);
    keepShot(win, "pelmo-before");
    EXPECT_EQ(rgbAt(shot, win, controls[0], 1, 1), faceRgb);
    EXPECT_EQ(rgbAt(shot, win, controls[0], 7, 7), 0x0000FFu);
    EXPECT_EQ(rgbAt(shot, win, controls[0], 20, 15), faceRgb); // the hole
    EXPECT_TRUE(similar(rgbAt(shot, win, controls[1], 20, 20), 0xFE0000, 8));
    EXPECT_EQ(rgbAt(shot, win, controls[8], 4, 4), faceRgb); // transparent and scaled
    const uint32_t iconCorner = rgbAt(shot, win, controls[2], 9, 9);
    const uint32_t iconCentre = rgbAt(shot, win, controls[2], 24, 24);
    EXPECT_EQ(iconCorner, faceRgb);
    EXPECT_TRUE(similar(iconCentre, 0xFFD000, 8)) << std::hex << iconCentre;

    // Two extended tooltips, the first a balloon with its colours and delay.
    int balloons = 0, squares = 0;
    for (HWND t : probe::topLevelWindows(p.id(), true)) {
        if (_stricmp(probe::className(t).c_str(), TOOLTIPS_CLASSA) != 0) continue;
        const LONG_PTR style = GetWindowLongPtrA(t, GWL_STYLE);
        if (SendMessageA(t, TTM_GETTOOLCOUNT, 0, 0) != 1) continue;
        if (style & TTS_BALLOON) {
            ++balloons;
            EXPECT_EQ(SendMessageA(t, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 50);
            EXPECT_EQ(SendMessageA(t, TTM_GETTIPBKCOLOR, 0, 0), 0xE0FFFF);
            EXPECT_EQ(SendMessageA(t, TTM_GETMAXTIPWIDTH, 0, 0), 200);
        } else if (SendMessageA(t, TTM_GETDELAYTIME, TTDT_INITIAL, 0) == 300) {
            ++squares;
        }
    }
    EXPECT_EQ(balloons, 1);
    EXPECT_EQ(squares, 1);

    // The balloon shows when the mouse rests on its gadget.
    RECT label;
    GetWindowRect(controls[3], &label);
    SetCursorPos(label.left + 30, (label.top + label.bottom) / 2);
    HWND shown = nullptr;
    for (int i = 0; i < 60 && !shown; ++i) {
        Sleep(50);
        for (HWND t : probe::topLevelWindows(p.id()))
            if (_stricmp(probe::className(t).c_str(), TOOLTIPS_CLASSA) == 0 &&
                (GetWindowLongPtrA(t, GWL_STYLE) & TTS_BALLOON))
                shown = t;
    }
    EXPECT_NE(shown, nullptr) << "no balloon appeared";
    if (shown) keepShot(shown, "pelmo-balloon");
    SetCursorPos(0, 0);

    ASSERT_TRUE(probe::resizeClient(win, 720, 540));
    bool moved = false;
    for (int i = 0; i < 100 && !moved; ++i) {
        Sleep(50);
        moved =
            same(probe::describe(controls.back()).rect, kExpected[std::size(kExpected) - 1].after);
    }
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_TRUE(same(probe::describe(controls[i]).rect, kExpected[i].after))
            << kExpected[i].name << " at " << text(probe::describe(controls[i]).rect)
            << ", expected " << text(kExpected[i].after);
    Sleep(300);
    const img::Image after = capture(win);
    keepShot(win, "pelmo-after");
    // The scaled pictures were scaled again: the JPEG's quadrants now meet
    // at the middle of its 146 x 116 picture, the framed shape's hole moved.
    EXPECT_TRUE(similar(rgbAt(after, win, controls[1], 2 + 30, 2 + 30), 0xFE0000, 8));
    EXPECT_FALSE(similar(rgbAt(after, win, controls[1], 2 + 110, 2 + 30), 0xFE0000, 40));
    EXPECT_EQ(rgbAt(after, win, controls[8], 2 + 90, 2 + 87), faceRgb); // the hole's middle
    EXPECT_EQ(rgbAt(after, win, controls[8], 2 + 40, 2 + 40), 0x0000FFu);
    // Gadgets that moved into the area the window gained are painted there:
    // the picture is not just the button face, the string field is white.
    int painted = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            painted += rgbAt(after, win, controls[4], x, y) != faceRgb;
    EXPECT_GT(painted, 600);
    EXPECT_EQ(rgbAt(after, win, controls[9], 6, 6), 0xFFFFFFu);

    probe::closeWindow(win);
    EXPECT_TRUE(p.waitExitOrKill(10000).has_value());
}

} // namespace
