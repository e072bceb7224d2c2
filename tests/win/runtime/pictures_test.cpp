// Pictures and extended tooltips of loaded designs, seen through the real
// controls: what bitmap a gadget shows, pixel by pixel, and what tooltip
// windows exist with which styles, colours and fonts.
#include "runtime_fixture.h"

#include "imaging/pixel_ops.h"
#include "runtime/images.h"
#include "runtime/procedures.h"
#include "../toolkit/bitmap_pixels.h"
#include "toolkit/images.h"

#include <commctrl.h>

#include <cstring>

namespace {

using namespace zarnet;
using rttest::bytesOf;
using test::addItem;
using tktest::readBitmap;
using tktest::rgbOf;
namespace img = imaging;

constexpr img::Pixel kMagenta = 0xFFFF00FF, kRed = 0xFFFF0000, kGreen = 0xFF00FF00;

// 8 x 6: magenta top-right (the key), a magenta pixel in the middle that
// touches no border, red and green elsewhere.
img::Image keyed() {
    img::Image p = *img::makeImage(8, 6, kRed);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x)
            p.at(x, y) = kGreen;
    p.at(7, 0) = kMagenta;
    p.at(4, 3) = kMagenta;
    p.at(0, 5) = kMagenta;
    return p;
}

std::vector<uint8_t> bmpOf(const img::Image& p) {
    return img::encodeBmp(p);
}

HBITMAP shownBitmap(int gadget) {
    const HWND h = tk::GadgetID(gadget);
    const UINT msg = tk::GadgetType(gadget) == tk::KindImage ? STM_GETIMAGE : BM_GETIMAGE;
    return reinterpret_cast<HBITMAP>(SendMessageA(h, msg, IMAGE_BITMAP, 0));
}

const gimcontent* imageRecord(int gadget) {
    for (const gimcontent& r : runtime().gImageValue)
        if (r.idgadget == gadget) return &r;
    return nullptr;
}

class Pictures : public rttest::RuntimeTest {
  protected:
    void SetUp() override { registerRuntimeProcedures(); }
};

TEST_F(Pictures, KeyColourBecomesTheButtonFaceOnEveryImageKind) {
    const uint32_t face = rgbOf(GetSysColor(COLOR_BTNFACE));
    Design d;
    d.items.reserve(8); // the references below stay valid
    Item& image = addItem(d, ImageGadget, 0, 0);
    Item& button = addItem(d, ButtonGadget, 0, 100);
    button.flags = kButtonBitmapFlag;
    Item& imageButton = addItem(d, ButtonImageGadget, 100, 100);
    Item& opaque = addItem(d, ImageGadget, 200, 0); // no transparency flag
    for (Item* it : {&image, &button, &imageButton, &opaque}) {
        it->image = bmpOf(keyed());
        it->aflag = it == &opaque ? 0 : 1;
        it->w = 60;
        it->h = 40;
    }
    const LoadReport r = load(bytesOf(d));
    ASSERT_TRUE(r.complete) << r.reason;
    const img::Image source = keyed();
    for (int n = 0; n < 4; ++n) {
        SCOPED_TRACE(n);
        const auto shown = readBitmap(shownBitmap(gadget(n)));
        ASSERT_EQ(shown.width, 8);
        ASSERT_EQ(shown.height, 6);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                const uint32_t original = source.at(x, y) & 0xFFFFFF;
                const uint32_t expected = (n != 3 && source.at(x, y) == kMagenta) ? face : original;
                ASSERT_EQ(shown.at(x, y), expected) << x << "," << y;
            }
    }
}

TEST_F(Pictures, ScaledPicturesFillTheGadgetLessTheBorder) {
    Design d;
    d.items.reserve(8);
    Item& framed = addItem(d, ImageGadget, 0, 0);
    framed.flags = tk::PB_Image_Border;
    Item& plain = addItem(d, ImageGadget, 150, 0);
    Item& button = addItem(d, ButtonImageGadget, 0, 100);
    Item& unscaled = addItem(d, ImageGadget, 150, 100);
    for (Item* it : {&framed, &plain, &button, &unscaled}) {
        it->w = 100;
        it->h = 80;
        it->image = bmpOf(keyed());
        it->aflag = it == &unscaled ? 1 : 3;
    }
    ASSERT_TRUE(load(bytesOf(d)).complete);
    const struct {
        int number, imageW, imageH, gadgetW, gadgetH;
    } cases[] = {
        {0, 96, 76, 100, 80}, {1, 100, 80, 100, 80}, {2, 100, 80, 100, 80}, {3, 8, 6, 8, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        const auto shown = readBitmap(shownBitmap(gadget(c.number)));
        EXPECT_EQ(shown.width, c.imageW);
        EXPECT_EQ(shown.height, c.imageH);
        EXPECT_EQ(tk::GadgetWidth(gadget(c.number)), c.gadgetW);
        EXPECT_EQ(tk::GadgetHeight(gadget(c.number)), c.gadgetH);
        // Transparency came before the scaling: no trace of the key is left.
        for (uint32_t p : shown.pixels)
            ASSERT_NE(p, 0xFF00FFu);
        const gimcontent* rec = imageRecord(gadget(c.number));
        ASSERT_NE(rec, nullptr);
        EXPECT_EQ(tk::ImageWidth(int(rec->idoimage)), 8); // the unscaled picture stays
        EXPECT_EQ(tk::ImageID(int(rec->idimage)), shownBitmap(gadget(c.number)));
    }
}

TEST_F(Pictures, RecordsWithoutUsablePicturesStillReadTheirFlags) {
    Design d;
    addItem(d, ImageGadget).aflag = 3;                         // length 0
    addItem(d, ButtonImageGadget).image = {'B', 'M', 1, 2, 3}; // does not decode
    addItem(d, ButtonGadget).aflag = 1;                        // no bitmap style: no fields
    Item& after = addItem(d, TextGadget, 7, 9);
    after.wtext = "after";
    const size_t before = runtime().gImageValue.size();
    const LoadReport r = load(bytesOf(d));
    ASSERT_TRUE(r.complete) << r.reason;
    EXPECT_EQ(tk::GetGadgetText(gadget(3)), "after");
    ASSERT_EQ(runtime().gImageValue.size(), before + 2);
    for (int n : {0, 1}) {
        const gimcontent* rec = imageRecord(gadget(n));
        ASSERT_NE(rec, nullptr);
        EXPECT_EQ(rec->idimage, 0);
        EXPECT_EQ(rec->idoimage, 0);
        EXPECT_EQ(shownBitmap(gadget(n)), nullptr);
    }
    EXPECT_EQ(imageRecord(gadget(0))->aflag, 3);
    EXPECT_EQ(imageRecord(gadget(2)), nullptr);
}

TEST_F(Pictures, SetImageReturnsOrFreesTheReplacedPicture) {
    Design d;
    for (int i = 0; i < 3; ++i) {
        Item& it = addItem(d, ImageGadget, 110 * i, 0);
        it.flags = tk::PB_Image_Border;
        it.w = 100;
        it.h = 80;
        it.aflag = 2;
        it.image = bmpOf(keyed());
    }
    addItem(d, ImageGadget, 0, 100); // no picture in the design
    addItem(d, TextGadget, 0, 200);  // not image-capable
    ASSERT_TRUE(load(bytesOf(d)).complete);

    const struct {
        const char* name;
        int number;
        int idreturn;
        bool validImage;
        bool replaced;
    } cases[] = {
        {"asks for the old picture back", 0, 1, true, true},
        {"lets the runtime free it", 1, 0, true, true},
        {"gadget without a picture", 3, 5, true, false},
        {"gadget without an image record", 4, 7, true, false},
        {"no image given", 2, 9, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int g = gadget(c.number);
        const gimcontent* rec = imageRecord(g);
        const int oldUnscaled = rec ? int(rec->idoimage) : 0;
        const HBITMAP oldShown = shownBitmap(g);
        const int fresh =
            c.validImage ? tk::CreateImage(tk::PB_Any, 20, 10, RGB(0, 0, 200)) : 424242;
        const int result = ZarnetSetImage(g, fresh, c.idreturn);
        EXPECT_EQ(runtime().ZarnValue.blocked, 0);
        if (!c.replaced) {
            EXPECT_EQ(result, c.idreturn);
            EXPECT_EQ(shownBitmap(g), oldShown);
            if (c.validImage) {
                EXPECT_TRUE(tk::IsImage(fresh)); // still the caller's
                tk::FreeImage(fresh);
            }
            continue;
        }
        rec = imageRecord(g);
        EXPECT_EQ(rec->idoimage, fresh);
        if (c.idreturn == 0) {
            EXPECT_EQ(result, 0);
            EXPECT_FALSE(tk::IsImage(oldUnscaled));
        } else {
            EXPECT_EQ(result, oldUnscaled);
            EXPECT_TRUE(tk::IsImage(oldUnscaled));
            tk::FreeImage(oldUnscaled);
        }
        // The new picture is scaled to the gadget, less its border.
        const auto shown = readBitmap(shownBitmap(g));
        EXPECT_EQ(shown.width, 96);
        EXPECT_EQ(shown.height, 76);
        EXPECT_EQ(shown.at(50, 40), 0x0000C8u);
    }
}

// ---- Extended tooltips ---------------------------------------------------

std::vector<HWND>& fontSetOnTooltips() {
    static std::vector<HWND> v;
    return v;
}

LRESULT CALLBACK watchFonts(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char cls[64] = {};
    if (code == HC_ACTION && m->message == WM_SETFONT && GetClassNameA(m->hwnd, cls, sizeof cls) &&
        _stricmp(cls, TOOLTIPS_CLASSA) == 0)
        fontSetOnTooltips().push_back(m->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct Tip {
    HWND window = nullptr;
    std::string text;
};

struct TipSearch {
    HWND gadget;
    Tip found;
};

BOOL CALLBACK matchTip(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<TipSearch*>(p);
    char cls[64] = {}, text[256] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (_stricmp(cls, TOOLTIPS_CLASSA) != 0) return TRUE;
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.lpszText = text;
    if (SendMessageA(h, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti)) && ti.hwnd == s->gadget &&
        ti.uId == reinterpret_cast<UINT_PTR>(s->gadget)) {
        s->found = {h, text};
        return FALSE;
    }
    return TRUE;
}

// The extended tooltip of a gadget: a tooltip window whose one tool is the
// gadget itself (the toolkit's simple tooltips name the window instead).
Tip tooltipOf(HWND gadget) {
    TipSearch s{gadget, {}};
    EnumThreadWindows(GetCurrentThreadId(), matchTip, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

class Tooltips : public Pictures {
  protected:
    void SetUp() override {
        Pictures::SetUp();
        fontSetOnTooltips().clear();
        hook = SetWindowsHookExA(WH_CALLWNDPROC, watchFonts, nullptr, GetCurrentThreadId());
        ASSERT_NE(hook, nullptr);
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook);
        Pictures::TearDown();
    }
    HHOOK hook = nullptr;
};

TEST_F(Tooltips, LoadedTooltipsCarryTheirValues) {
    Design d;
    d.fonts.push_back({1, 0, 14, "Arial", 0});
    const struct {
        const char* text;
        int ttime, tfont, twidth, tballoon;
        uint32_t tfcolor, tbcolor;
    } cases[] = {
        {"balloon without font", 700, -1, 150, 1, 0x0000FF, 0xE0FFFF},
        {"square with the table's font", 200, 0, 300, 0, 0x123456, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        Item& it = addItem(d, ButtonGadget, 0, 30 * int(d.items.size()));
        it.tooltip = 2;
        it.tooltipText = c.text;
        it.ttime = c.ttime;
        it.tfont = c.tfont;
        it.twidth = c.twidth;
        it.tballoon = c.tballoon;
        it.tfcolor = c.tfcolor;
        it.tbcolor = c.tbcolor;
    }
    const LoadReport r = load(bytesOf(d));
    ASSERT_TRUE(r.complete) << r.reason;
    for (size_t n = 0; n < std::size(cases); ++n) {
        const auto& c = cases[n];
        SCOPED_TRACE(c.text);
        const HWND g = tk::GadgetID(gadget(int(n)));
        const Tip tip = tooltipOf(g);
        ASSERT_NE(tip.window, nullptr);
        EXPECT_EQ(tip.text, c.text);
        const DWORD style = DWORD(GetWindowLongA(tip.window, GWL_STYLE));
        EXPECT_EQ((style & TTS_BALLOON) != 0, c.tballoon == 1);
        EXPECT_TRUE(style & TTS_NOPREFIX);
        EXPECT_TRUE(style & TTS_ALWAYSTIP);
        EXPECT_TRUE(GetWindowLongA(tip.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(GetWindow(tip.window, GW_OWNER), tk::WindowID(window));
        EXPECT_EQ(SendMessageA(tip.window, TTM_GETDELAYTIME, TTDT_INITIAL, 0), c.ttime);
        EXPECT_EQ(SendMessageA(tip.window, TTM_GETMAXTIPWIDTH, 0, 0), c.twidth);
        EXPECT_EQ(uint32_t(SendMessageA(tip.window, TTM_GETTIPTEXTCOLOR, 0, 0)), c.tfcolor);
        EXPECT_EQ(uint32_t(SendMessageA(tip.window, TTM_GETTIPBKCOLOR, 0, 0)), c.tbcolor);
        EXPECT_EQ(SendMessageA(tip.window, TTM_GETTOOLCOUNT, 0, 0), 1);
        const auto set =
            std::count(fontSetOnTooltips().begin(), fontSetOnTooltips().end(), tip.window);
        if (c.tfont < 0) {
            EXPECT_EQ(set, 0);
        } else {
            EXPECT_EQ(set, 1);
            // The tooltip keeps a font of its own made like the one it got.
            LOGFONTA shown = {}, loaded = {};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(tip.window, WM_GETFONT, 0, 0)),
                       sizeof shown, &shown);
            GetObjectA(runtime().fontOfIndex(c.tfont), sizeof loaded, &loaded);
            EXPECT_EQ(shown.lfHeight, loaded.lfHeight);
            EXPECT_STREQ(shown.lfFaceName, "Arial");
        }
    }
}

TEST_F(Tooltips, FontIndexOutsideTheTableGivesNoFont) {
    Design d;
    Item& it = addItem(d, ButtonGadget);
    it.tooltip = 2;
    it.tooltipText = "tip";
    it.tfont = 5; // the design has no font table
    ASSERT_TRUE(load(bytesOf(d)).complete);
    const Tip tip = tooltipOf(tk::GadgetID(gadget(0)));
    ASSERT_NE(tip.window, nullptr);
    EXPECT_TRUE(fontSetOnTooltips().empty());
}

} // namespace
