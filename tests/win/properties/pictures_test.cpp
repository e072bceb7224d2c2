// Pictures through the values editor: icons converted through the
// conversion file, files that are no pictures refused with the picture
// kept, "Free Image".
#include "editor_fixture.h"

#include "designer/properties/pictures.h"
#include "imaging/image.h"
#include "toolkit/images.h"

#include <filesystem>

namespace propertiestest {
namespace {

using PicturesTest = EditorTest;

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST_F(PicturesTest, IconsBecomeBitmapsExceptOnImageButtons) {
    struct Case {
        int typ;
        bool converted;
    } cases[] = {{ImageGadget, true}, {ButtonImageGadget, false}};
    const std::string icon = writeFile(folder + "picture.ICO", icoBytes(16, 16, 0x00FF00));
    for (const Case& c : cases) {
        const size_t i = add(c.typ, 10, 10);
        item(i).aflag = 0;
        LRESULT transparentShown = -1;
        requesters.files = {icon};
        thenClick("Load Image");
        then([&] {
            transparentShown = SendMessageA(control(editorWindow(canvas), "Transpareny"),
                                            BM_GETCHECK, 0, 0);
        });
        valuesEditor(i);
        ASSERT_FALSE(item(i).image.empty()) << c.typ;
        EXPECT_EQ(item(i).image[0] == 'B' && item(i).image[1] == 'M', c.converted) << c.typ;
        EXPECT_EQ(item(i).aflag, c.converted ? 1 : 0) << c.typ;
        EXPECT_EQ(transparentShown, c.converted ? BST_CHECKED : BST_UNCHECKED) << c.typ;
        EXPECT_NE(item(i).decodedImage, 0u) << c.typ;
        EXPECT_FALSE(exists(host.tempImageFile)) << c.typ;
        EXPECT_EQ(requesters.patterns.back(), "Image files|*.bmp;*.ico;*.jpg;*.png");
        tk::FreeGadget(gadget(i));
    }
}

// Whatever is wrong with the file, the user reads its name and the item
// keeps the picture it had; the conversion file is gone afterwards.
TEST_F(PicturesTest, FilesThatAreNoPicturesLeaveThePictureAlone) {
    const std::vector<uint8_t> good = bmpBytes(8, 8, 0x0000FF);
    std::vector<uint8_t> cut = bmpBytes(40, 40, 0xFF0000);
    cut.resize(cut.size() / 2);
    std::vector<uint8_t> brokenIcon = icoBytes(16, 16, 0);
    brokenIcon.resize(30);
    const std::string huge = folder + "huge.bmp";
    {
        HANDLE f = CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        LARGE_INTEGER size;
        size.QuadPart = 65LL * 1024 * 1024;
        SetFilePointerEx(f, size, nullptr, FILE_BEGIN);
        SetEndOfFile(f);
        CloseHandle(f);
    }
    struct Case {
        std::string path;
        const char* says;
    } cases[] = {
        {writeFile(folder + "notes.png", {'h', 'e', 'l', 'l', 'o'}), "not a BMP"},
        {writeFile(folder + "cut.bmp", cut), "could not be decoded"},
        {writeFile(folder + "broken.ico", brokenIcon), "could not be decoded"},
        {folder + "missing.jpg", "could not be read"},
        {huge, "too large"},
    };
    const size_t i = add(ImageGadget, 10, 10);
    requesters.files = {writeFile(folder + "good.bmp", good)};
    thenClick("Load Image");
    valuesEditor(i);
    ASSERT_EQ(item(i).image, good);
    const int aflag = item(i).aflag;
    for (const Case& c : cases) {
        const Handle shown = item(i).shownImage;
        requesters.messages.clear();
        requesters.files = {c.path};
        thenClick("Load Image");
        valuesEditor(i);
        ASSERT_EQ(requesters.messages.size(), 1u) << c.path;
        EXPECT_NE(requesters.messages[0].find(c.path), std::string::npos) << c.path;
        EXPECT_NE(requesters.messages[0].find(c.says), std::string::npos) << requesters.messages[0];
        EXPECT_EQ(item(i).image, good) << c.path;
        EXPECT_EQ(item(i).aflag, aflag) << c.path;
        EXPECT_EQ(item(i).shownImage, shown) << c.path;
        EXPECT_FALSE(exists(host.tempImageFile)) << c.path;
    }
}

// A picture that cannot be shown at its gadget's size (past the pixel
// limit) is refused as one that does not decode: the item keeps its own.
TEST_F(PicturesTest, APictureThatCannotBeShownIsRefused) {
    const size_t i = add(ImageGadget, 10, 10);
    ASSERT_TRUE(loadPicture(item(i), writeFile(folder + "small.bmp", bmpBytes(8, 8, 0x0000FF)), 0,
                            host.tempImageFile)
                    .loaded);
    const std::vector<uint8_t> before = item(i).image;
    const Handle shown = item(i).shownImage;
    item(i).w = item(i).h = 9000; // a stretched picture takes the item's size
    const std::string other = writeFile(folder + "other.bmp", bmpBytes(4, 4, 0x00FF00));
    const PictureLoad r = loadPicture(item(i), other, 2, host.tempImageFile);
    EXPECT_FALSE(r.loaded);
    EXPECT_NE(r.message.find("not enough memory"), std::string::npos) << r.message;
    EXPECT_EQ(item(i).image, before);
    EXPECT_EQ(item(i).shownImage, shown);
    EXPECT_EQ(item(i).aflag, 0);
    EXPECT_TRUE(tk::IsImage(static_cast<int>(shown)));
}

// An opaque picture at its own size is shown as the decoded image itself;
// one with see-through pixels, a transparent colour or stretching is shown
// as a flattened copy. Every replaced image is freed, a shared one once.
TEST_F(PicturesTest, ShownImageIsTheDecodedOneOnlyWhenNothingChangesIt) {
    std::vector<uint8_t> seeThrough = icoBytes(8, 8, 0x0000FF);
    seeThrough[22 + 40 + 3] = 0; // the bottom-left pixel: rows are stored bottom-up
    const std::vector<uint8_t> blue = bmpBytes(8, 8, 0x0000FF);
    const uint32_t face = GetSysColor(COLOR_BTNFACE);
    const imaging::Pixel facePixel = imaging::Rgb::fromColorRef(face).pixel();
    const size_t i = add(ImageGadget, 10, 10);
    const int stretchedW = item(i).w - (item(i).flags ? 4 : 0);
    const struct {
        const char* what;
        const std::vector<uint8_t>& bytes;
        int aflag;
        bool shared;
        int width;
        imaging::Pixel bottomLeft;
    } cases[] = {
        {"opaque", blue, 0, true, 8, 0xFF0000FFu},
        {"see-through pixel", seeThrough, 0, false, 8, facePixel},
        {"transparent colour", blue, 1, false, 8, facePixel},
        {"stretched", blue, 2, false, stretchedW, 0xFF0000FFu},
        {"opaque again", blue, 0, true, 8, 0xFF0000FFu},
    };
    std::vector<int> replaced;
    for (const auto& c : cases) {
        const std::string path = writeFile(folder + "shown.png", c.bytes);
        ASSERT_TRUE(loadPicture(item(i), path, c.aflag, host.tempImageFile).loaded) << c.what;
        const int decoded = static_cast<int>(item(i).decodedImage);
        const int shown = static_cast<int>(item(i).shownImage);
        EXPECT_EQ(decoded == shown, c.shared) << c.what;
        ASSERT_TRUE(tk::IsImage(shown)) << c.what;
        EXPECT_EQ(tk::ImageWidth(shown), c.width) << c.what;
        const auto pixels = tk::ImagePixels(shown);
        ASSERT_TRUE(pixels) << c.what;
        EXPECT_EQ(pixels->at(0, pixels->height - 1), c.bottomLeft) << c.what;
        for (int old : replaced)
            EXPECT_FALSE(tk::IsImage(old)) << c.what << ": an image it replaced is still there";
        replaced = {decoded, shown};
    }
    ASSERT_TRUE(freePicture(item(i)));
    EXPECT_FALSE(tk::IsImage(replaced[0]));
}

TEST_F(PicturesTest, FreeImageDropsThePictureOnlyWhenThereIsOne) {
    const size_t i = add(ButtonImageGadget, 10, 10);
    design.modified = false;
    thenClick("Free Image");
    valuesEditor(i);
    EXPECT_FALSE(design.modified);
    requesters.files = {writeFile(folder + "p.bmp", bmpBytes(8, 8, 0xFF))};
    thenClick("Load Image");
    thenClick("Free Image");
    valuesEditor(i);
    EXPECT_TRUE(item(i).image.empty());
    EXPECT_EQ(item(i).decodedImage, 0u);
    EXPECT_NE(item(i).shownImage, 0u); // the placeholder
    EXPECT_TRUE(design.modified);
}

} // namespace
} // namespace propertiestest
