// Pictures: decoding from memory into bitmaps, copies and scaling, drawing,
// and pictures on gadgets, checked through GDI and the real controls.
#include "bitmap_pixels.h"
#include "fixture.h"

#include "imaging/decode.h"
#include "toolkit/images.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace tk;
using tktest::readBitmap;
using tktest::rectInParent;
namespace img = zarnet::imaging;

std::vector<uint8_t> dataFile(const std::string& name) {
    std::ifstream f(std::string(IMAGING_DATA_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// What GDI reads back from an image equals what the decoder made of the
// file, alpha aside (GDI does not report it).
void expectShowsDecoded(int image, const std::vector<uint8_t>& bytes, const std::string& what) {
    const auto decoded = img::decodeImage(bytes);
    ASSERT_TRUE(decoded) << what;
    const auto shown = readBitmap(ImageID(image));
    ASSERT_EQ(shown.width, decoded->width) << what;
    ASSERT_EQ(shown.height, decoded->height) << what;
    for (size_t i = 0; i < shown.pixels.size(); ++i)
        ASSERT_EQ(shown.pixels[i], decoded->pixels[i] & 0xFFFFFF) << what << " pixel " << i;
}

TEST(Images, CatchImageDecodesEveryFormatIntoABitmap) {
    for (const char* file :
         {"core.bmp", "rle8.bmp", "png.ico", "rgb8.png", "baseline.jpg", "progressive.jpg"}) {
        const auto bytes = dataFile(file);
        ASSERT_FALSE(bytes.empty()) << file;
        const int image = CatchImage(PB_Any, bytes);
        ASSERT_GT(image, kMaxStaticNumber) << file;
        expectShowsDecoded(image, bytes, file);
        EXPECT_EQ(ImageWidth(image), readBitmap(ImageID(image)).width);
        FreeImage(image);
        EXPECT_FALSE(IsImage(image));
        EXPECT_EQ(ImageID(image), nullptr);
    }
}

TEST(Images, DataThatDoesNotDecodeGivesNoImage) {
    const auto png = dataFile("rgb8.png"), jpeg = dataFile("baseline.jpg"),
               bmp = dataFile("core.bmp");
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"nothing", {}},
        {"text", {'h', 'e', 'l', 'l', 'o'}},
        {"PNG cut in half", {png.begin(), png.begin() + long(png.size() / 2)}},
        {"JPEG cut in half", {jpeg.begin(), jpeg.begin() + long(jpeg.size() / 2)}},
        {"BMP header only", {bmp.begin(), bmp.begin() + 54}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CatchImage(PB_Any, c.bytes), 0) << c.name;
        // An explicit number is not taken either.
        EXPECT_EQ(CatchImage(77, c.bytes), 0) << c.name;
        EXPECT_FALSE(IsImage(77)) << c.name;
    }
}

TEST(Images, CopiesAreIndependentAndScalingKeepsTheNumber) {
    const int a = CreateImage(PB_Any, 10, 8, RGB(0, 0, 255));
    ASSERT_NE(a, 0);
    const int b = CopyImage(a, PB_Any);
    ASSERT_NE(b, 0);
    ASSERT_TRUE(StartDrawing(a));
    Box(0, 0, 10, 8, RGB(255, 0, 0));
    StopDrawing();
    EXPECT_EQ(readBitmap(ImageID(a)).at(5, 5), 0xFF0000u);
    EXPECT_EQ(readBitmap(ImageID(b)).at(5, 5), 0x0000FFu);

    EXPECT_TRUE(ResizeImage(b, 30, 4));
    EXPECT_TRUE(IsImage(b));
    EXPECT_EQ(ImageWidth(b), 30);
    EXPECT_EQ(ImageHeight(b), 4);
    EXPECT_EQ(readBitmap(ImageID(b)).width, 30);
    EXPECT_EQ(readBitmap(ImageID(b)).at(29, 3), 0x0000FFu);
    for (auto [w, h] : {std::pair{0, 4}, {4, -1}, {100000, 2}}) {
        EXPECT_FALSE(ResizeImage(b, w, h)) << w << " x " << h;
        EXPECT_EQ(ImageWidth(b), 30);
    }
    EXPECT_EQ(CreateImage(PB_Any, 0, 5), 0);
    EXPECT_EQ(CopyImage(123456789, PB_Any), 0);
    FreeImage(a);
    FreeImage(b);
}

TEST(Images, DrawingBoxesPicturesAndText) {
    const int canvas = CreateImage(PB_Any, 60, 20, RGB(255, 255, 255));
    img::Image half = *img::makeImage(4, 4, img::makePixel(0, 0, 0, 128));
    const int shade = CreateImageFromPixels(PB_Any, half);
    ASSERT_NE(canvas, 0);
    ASSERT_NE(shade, 0);
    ASSERT_TRUE(StartDrawing(canvas));
    EXPECT_FALSE(StartDrawing(shade)); // one drawing at a time
    Box(0, 0, 4, 4, RGB(0, 255, 0));
    DrawImage(shade, 4, 0);       // half black over white
    DrawImage(shade, 8, 0, 8, 8); // scaled up first
    DrawImageText(20, 2, "Hi", RGB(0, 0, 0));
    StopDrawing();

    const auto px = ImagePixels(canvas);
    ASSERT_TRUE(px);
    EXPECT_EQ(px->at(1, 1), 0xFF00FF00u);
    EXPECT_EQ(px->at(5, 1), img::makePixel(127, 127, 127));
    EXPECT_EQ(px->at(15, 7), img::makePixel(127, 127, 127));
    EXPECT_EQ(px->at(16, 8), 0xFFFFFFFFu);
    int dark = 0;
    for (img::Pixel p : px->pixels) {
        EXPECT_EQ(img::alphaOf(p), 255); // text leaves no hole in the alpha
        dark += (p & 0xFFFFFF) == 0;
    }
    EXPECT_GT(dark, 5);
    FreeImage(canvas);
    FreeImage(shade);
}

TEST(Images, FlatteningLaysAlphaOverTheBackground) {
    img::Image p = *img::makeImage(2, 1, 0xFFFF0000u);
    p.at(1, 0) = 0x00000000u; // fully transparent black
    const int image = CreateImageFromPixels(PB_Any, p);
    FlattenImage(image, RGB(10, 20, 30));
    EXPECT_EQ(readBitmap(ImageID(image)).at(0, 0), 0xFF0000u);
    EXPECT_EQ(readBitmap(ImageID(image)).at(1, 0), 0x0A141Eu);
    FreeImage(image);
}

// Flattening skips pictures known to be opaque, so that knowledge must end
// whenever pixels are written.
TEST(Images, OpaqueOnlyWhileNoPixelCanBeSeenThrough) {
    img::Image holed = *img::makeImage(3, 2, 0xFF00FF00u);
    holed.at(2, 1) = 0x00000000u;
    const int rgb = CatchImage(PB_Any, dataFile("rgb8.png"));
    const int rgba = CatchImage(PB_Any, dataFile("rgba8.png"));
    const int filled = CreateImage(PB_Any, 3, 2, RGB(1, 2, 3));
    const int written = CreateImage(PB_Any, 3, 2, RGB(1, 2, 3));
    ASSERT_TRUE(SetImagePixels(written, holed));
    const int drawn = CreateImage(PB_Any, 3, 2, RGB(1, 2, 3));
    ASSERT_TRUE(StartDrawing(drawn));
    StopDrawing();
    const int copied = CopyImage(rgb, PB_Any), scaled = CopyImage(rgb, PB_Any, 7, 5);
    const int flattened = CopyImage(written, PB_Any);
    FlattenImage(flattened, RGB(10, 20, 30));
    const struct {
        const char* what;
        int image;
        bool opaque;
    } cases[] = {{"decoded without alpha", rgb, true},
                 {"decoded with alpha", rgba, false},
                 {"filled", filled, true},
                 {"pixels written", written, false},
                 {"drawn on", drawn, false},
                 {"copied", copied, true},
                 {"scaled copy", scaled, true},
                 {"flattened", flattened, true},
                 {"no image", 123456789, false}};
    for (const auto& c : cases)
        EXPECT_EQ(ImageOpaque(c.image), c.opaque) << c.what;

    FlattenImage(written, RGB(10, 20, 30));
    EXPECT_EQ(readBitmap(ImageID(written)).at(2, 1), 0x0A141Eu) << "written pixels are flattened";
    for (int image : {rgb, rgba, filled, written, drawn, copied, scaled, flattened})
        FreeImage(image);
}

TEST(Images, ScaledCopyIsCopyThenResize) {
    for (const char* file : {"rgb8.png", "rgba8.png", "png.ico"}) {
        const int image = CatchImage(PB_Any, dataFile(file));
        ASSERT_NE(image, 0) << file;
        const int resized = CopyImage(image, PB_Any);
        ASSERT_TRUE(ResizeImage(resized, 5, 9)) << file;
        const int scaled = CopyImage(image, PB_Any, 5, 9);
        ASSERT_NE(scaled, 0) << file;
        EXPECT_EQ(*ImagePixels(scaled), *ImagePixels(resized)) << file;
        EXPECT_EQ(CopyImage(image, PB_Any, 0, 9), 0) << file;
        for (int i : {image, resized, scaled})
            FreeImage(i);
    }
}

class GadgetImages : public tktest::WindowTest {};

TEST_F(GadgetImages, ImageGadgetsFitTheirInnerAreaToThePicture) {
    const struct {
        const char* name;
        uint32_t flags;
        int w, h;           // the picture
        int outerW, outerH; // the gadget afterwards
    } cases[] = {
        {"bordered", PB_Image_Border, 96, 76, 100, 80},
        {"plain", 0, 40, 30, 40, 30},
        {"plain, picture larger", 0, 150, 90, 150, 90},
    };
    for (const auto& c : cases) {
        const int g = ImageGadget(PB_Any, 10, 10, 100, 80, nullptr, c.flags);
        const int picture = CreateImage(PB_Any, c.w, c.h, RGB(1, 2, 3));
        SetGadgetImage(g, ImageID(picture));
        const RECT r = rectInParent(GadgetID(g));
        EXPECT_EQ(r.right - r.left, c.outerW) << c.name;
        EXPECT_EQ(r.bottom - r.top, c.outerH) << c.name;
        EXPECT_EQ(r.left, 10) << c.name;
        EXPECT_EQ(
            reinterpret_cast<HBITMAP>(SendMessageA(GadgetID(g), STM_GETIMAGE, IMAGE_BITMAP, 0)),
            ImageID(picture))
            << c.name;
        SetGadgetImage(g, nullptr);
        FreeGadget(g);
        FreeImage(picture);
    }
}

// Controls made while this lives get the XP look (common controls 6), as
// in a program that ships with the manifest.
class XpLook {
  public:
    XpLook() {
        char dir[MAX_PATH] = {};
        GetTempPathA(sizeof dir, dir);
        path_ = std::string(dir) + "tk-images-xp-" + std::to_string(GetCurrentProcessId()) +
                ".manifest";
        std::ofstream(path_, std::ios::binary)
            << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
            << R"(<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">)"
            << R"(<dependency><dependentAssembly><assemblyIdentity type="win32")"
            << R"( name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"
            << R"( processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>)"
            << R"(</dependentAssembly></dependency></assembly>)";
        ACTCTXA ctx = {};
        ctx.cbSize = sizeof ctx;
        ctx.lpSource = path_.c_str();
        context_ = CreateActCtxA(&ctx);
        if (context_ != INVALID_HANDLE_VALUE && !ActivateActCtx(context_, &cookie_)) {
            ReleaseActCtx(context_);
            context_ = INVALID_HANDLE_VALUE;
        }
    }
    ~XpLook() {
        if (context_ != INVALID_HANDLE_VALUE) {
            DeactivateActCtx(0, cookie_);
            ReleaseActCtx(context_);
        }
        DeleteFileA(path_.c_str());
    }
    bool active() const { return context_ != INVALID_HANDLE_VALUE; }

  private:
    std::string path_;
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};

bool isBitmap(HBITMAP b) {
    return GetObjectType(b) == OBJ_BITMAP;
}

// With the XP look a static control shows a copy of a 32-bit bitmap and
// hands that copy back when the next picture is put on it; each copy must
// be freed then, or every rescaled picture leaks one. The caller's own
// bitmaps, the one replaced included, stay the caller's in both looks.
TEST_F(GadgetImages, ReplacedPicturesLeaveNoCopyAndKeepTheCallersBitmaps) {
    for (const bool xp : {true, false}) {
        SCOPED_TRACE(xp ? "XP look" : "classic look");
        int g = 0;
        {
            std::optional<XpLook> look;
            if (xp) {
                look.emplace();
                ASSERT_TRUE(look->active());
            }
            g = ImageGadget(PB_Any, 10, 10, 100, 80, nullptr);
        }
        const HWND h = GadgetID(g);
        auto held = [&] {
            return reinterpret_cast<HBITMAP>(SendMessageA(h, STM_GETIMAGE, IMAGE_BITMAP, 0));
        };
        const int a = CreateImage(PB_Any, 20, 10, RGB(1, 2, 3));
        const int b = CreateImage(PB_Any, 30, 15, RGB(4, 5, 6));
        SetGadgetImage(g, ImageID(a));
        const HBITMAP first = held();
        EXPECT_EQ(first != ImageID(a), xp) << "the control keeps a copy only with the XP look";
        // A resize run puts a fresh picture on the gadget each time.
        std::vector<HBITMAP> shown = {first};
        for (int i = 0; i < 4; ++i) {
            SetGadgetImage(g, ImageID(i % 2 ? a : b));
            shown.push_back(held());
        }
        SetGadgetImage(g, nullptr);
        EXPECT_EQ(held(), nullptr);
        for (HBITMAP s : shown)
            EXPECT_TRUE(s == ImageID(a) || s == ImageID(b) || !isBitmap(s)) << "a copy was kept";
        EXPECT_TRUE(isBitmap(ImageID(a)));
        EXPECT_TRUE(isBitmap(ImageID(b)));
        EXPECT_EQ(readBitmap(ImageID(a)).at(0, 0), 0x010203u);
        FreeGadget(g);
        FreeImage(a);
        FreeImage(b);
    }
}

// A freed picture or font leaves no gadget holding its dead handle, and an
// image gadget that goes with its container hands back its copy first.
TEST_F(GadgetImages, FreedPicturesAndFontsLeaveNoUserBehind) {
    for (const bool xp : {true, false}) {
        SCOPED_TRACE(xp ? "XP look" : "classic look");
        std::optional<XpLook> look;
        if (xp) look.emplace();
        const int picture = CreateImage(PB_Any, 16, 16, RGB(9, 9, 9));
        const int box = ContainerGadget(PB_Any, 0, 0, 200, 100);
        const int nested = ImageGadget(PB_Any, 5, 5, 50, 50, nullptr);
        CloseGadgetList();
        const int image = ImageGadget(PB_Any, 0, 120, 50, 50, nullptr);
        const int button = ButtonImageGadget(PB_Any, 60, 120, 40, 40);
        const int font = LoadFont(PB_Any, "Arial", 14);
        const int text = TextGadget(PB_Any, 110, 120, 80, 20, "t");
        SetGadgetFont(text, FontID(font));
        for (int g : {nested, image, button})
            SetGadgetImage(g, ImageID(picture));
        const auto shownBy = [](int g) {
            const UINT get = GadgetType(g) == KindImage ? STM_GETIMAGE : BM_GETIMAGE;
            return reinterpret_cast<HBITMAP>(SendMessageA(GadgetID(g), get, IMAGE_BITMAP, 0));
        };
        const HBITMAP nestedCopy = shownBy(nested);
        FreeGadget(box);
        EXPECT_TRUE(nestedCopy == ImageID(picture) || !isBitmap(nestedCopy)) << "copy left behind";
        FreeImage(picture);
        EXPECT_EQ(shownBy(image), nullptr);
        EXPECT_EQ(shownBy(button), nullptr);
        FreeFont(font);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(GadgetID(text), WM_GETFONT, 0, 0)),
                  GetGadgetFont(PB_Default));
        for (int g : {image, button, text})
            FreeGadget(g);
    }
}

TEST_F(GadgetImages, ButtonsShowTheirBitmap) {
    const int picture = CreateImage(PB_Any, 16, 16, RGB(9, 9, 9));
    const int imageButton = ButtonImageGadget(PB_Any, 0, 0, 40, 40);
    const int bitmapButton = ButtonGadget(PB_Any, 50, 0, 40, 40, "", BS_BITMAP);
    for (int g : {imageButton, bitmapButton}) {
        SetGadgetImage(g, ImageID(picture));
        EXPECT_EQ(
            reinterpret_cast<HBITMAP>(SendMessageA(GadgetID(g), BM_GETIMAGE, IMAGE_BITMAP, 0)),
            ImageID(picture));
        const RECT r = rectInParent(GadgetID(g));
        EXPECT_EQ(r.right - r.left, 40); // buttons keep their size
    }
    FreeGadget(imageButton);
    FreeGadget(bitmapButton);
    FreeImage(picture);
}

} // namespace
