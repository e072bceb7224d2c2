#include "designer/properties/pictures.h"

#include "designer/properties/values_apply.h"
#include "document/buffers.h"
#include "document/catalogue.h"
#include "imaging/decode.h"
#include "imaging/pixel_ops.h"
#include "runtime/images.h"
#include "toolkit/images.h"
#include "toolkit/toolkit.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace zarnet::designer {

namespace {

enum class ReadFailure { None, Unreadable, TooLarge, NoMemory };

ReadFailure readWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return ReadFailure::Unreadable;
    LARGE_INTEGER size{};
    ReadFailure result = ReadFailure::None;
    if (!GetFileSizeEx(f, &size)) {
        result = ReadFailure::Unreadable;
    } else if (static_cast<uint64_t>(size.QuadPart) > kMaxPictureFileBytes) {
        result = ReadFailure::TooLarge;
    } else {
        DWORD got = 0;
        if (!tryResize(bytes, static_cast<size_t>(size.QuadPart)))
            result = ReadFailure::NoMemory;
        else if (!bytes.empty() &&
                 (!ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                  got != bytes.size()))
            result = ReadFailure::Unreadable;
    }
    CloseHandle(f);
    return result;
}

bool writeWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
                    put == bytes.size();
    CloseHandle(f);
    return ok;
}

// Removes the conversion file however the conversion ends.
struct ConversionFileGuard {
    std::string path;
    ~ConversionFileGuard() {
        if (!path.empty()) DeleteFileA(path.c_str());
    }
};

std::string noMemoryText(const std::string& path) {
    return path + " could not be loaded: there is not enough memory for it.";
}

std::string readFailureText(const std::string& path, ReadFailure f) {
    if (f == ReadFailure::TooLarge)
        return path + " is too large for a picture (more than " +
               std::to_string(kMaxPictureFileBytes / (1024 * 1024)) + " MB).";
    if (f == ReadFailure::NoMemory) return noMemoryText(path);
    return path + " could not be read.";
}

std::string decodeFailureText(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (imaging::detectFormat(bytes) == imaging::Format::Unknown)
        return path + " is not a BMP, ICO, JPEG or PNG picture.";
    return path + " could not be decoded: the picture is damaged, cut short or too large.";
}

void freeImages(Item& it) {
    if (it.shownImage && it.shownImage != it.decodedImage) tk::FreeImage(number(it.shownImage));
    if (it.decodedImage) tk::FreeImage(number(it.decodedImage));
    it.shownImage = it.decodedImage = 0;
}

// Puts `decoded` on the gadget as the item's flags say; the item owns it
// then. An opaque picture shown at its own size is the decoded one itself:
// a copy would hold the same pixels, and flattening would change none.
// False, the gadget and the item as they were and `decoded` freed, when
// the picture to show could not be made.
bool showDecoded(Item& it, int decoded) {
    const int gadget = number(it.id);
    int shown = 0;
    try {
        if (it.aflag & 1)
            DrawTransparentImage(decoded, decoded, 0, 0, tk::ImageWidth(decoded),
                                 tk::ImageHeight(decoded), -1);
        const PixelSize size{tk::GadgetWidth(gadget), tk::GadgetHeight(gadget)};
        if (const auto to = pictureScaleSize(it, size))
            shown = tk::CopyImage(decoded, tk::PB_Any, to->w, to->h);
        else
            shown = tk::ImageOpaque(decoded) ? decoded : tk::CopyImage(decoded, tk::PB_Any);
        if (shown && shown != decoded) tk::FlattenImage(shown, GetSysColor(COLOR_BTNFACE));
    } catch (const std::bad_alloc&) {
        if (shown && shown != decoded) tk::FreeImage(shown);
        shown = 0;
    }
    if (!shown) {
        tk::FreeImage(decoded);
        return false;
    }
    tk::SetGadgetImage(gadget, tk::ImageID(shown));
    freeImages(it);
    it.decodedImage = static_cast<Handle>(decoded);
    it.shownImage = static_cast<Handle>(shown);
    return true;
}

// The icon drawn on a bitmap, written to the conversion file and read back.
PictureLoad convertIcon(const std::string& path, const std::string& conversionFile,
                        std::vector<uint8_t>& bytes) {
    PictureLoad r;
    if (const ReadFailure f = readWholeFile(path, bytes); f != ReadFailure::None) {
        r.message = readFailureText(path, f);
        return r;
    }
    const int icon = tk::CatchImage(tk::PB_Any, bytes);
    if (!icon) {
        r.message = decodeFailureText(path, bytes);
        return r;
    }
    const int bitmap = ConvertIcoToBmp(icon);
    tk::FreeImage(icon);
    std::optional<imaging::Image> pixels;
    if (bitmap) pixels = tk::ImagePixels(bitmap);
    if (bitmap) tk::FreeImage(bitmap);
    const std::vector<uint8_t> bmp = pixels ? imaging::encodeBmp(*pixels) : std::vector<uint8_t>{};
    bytes.clear();
    if (bmp.empty() || !writeWholeFile(conversionFile, bmp) ||
        readWholeFile(conversionFile, bytes) != ReadFailure::None) {
        r.message = path + " could not be converted to a bitmap through " + conversionFile + ".";
        return r;
    }
    r.loaded = true;
    return r;
}

PictureLoad loadPictureBytes(Item& it, const std::string& path, int aflag,
                             const std::string& conversionFile) {
    const PictureLoadPlan plan = pictureLoadPlan(path, it.typ, aflag);
    std::vector<uint8_t> bytes;
    PictureLoad r;
    if (plan.convertIcon) {
        ConversionFileGuard guard{conversionFile};
        r = convertIcon(path, conversionFile, bytes);
        if (!r.loaded) return r;
        r.loaded = false;
    } else if (const ReadFailure f = readWholeFile(path, bytes); f != ReadFailure::None) {
        r.message = readFailureText(path, f);
        return r;
    }
    const int decoded = bytes.empty() ? 0 : tk::CatchImage(tk::PB_Any, bytes);
    if (!decoded) {
        r.message = decodeFailureText(path, bytes);
        return r;
    }
    // The item takes the new bytes only once their picture shows.
    const int oldFlags = it.aflag;
    it.aflag = plan.aflag;
    if (!showDecoded(it, decoded)) {
        it.aflag = oldFlags;
        r.message = noMemoryText(path);
        return r;
    }
    it.image = std::move(bytes);
    r.loaded = true;
    r.checkTransparent = plan.checkTransparent;
    return r;
}

} // namespace

PictureLoad loadPicture(Item& it, const std::string& path, int aflag,
                        const std::string& conversionFile) {
    // Decoding a large picture needs several times its size; where that is
    // not to be had the user is told, and the item keeps what it had.
    try {
        return loadPictureBytes(it, path, aflag, conversionFile);
    } catch (const std::bad_alloc&) {
        PictureLoad r;
        r.message = noMemoryText(path);
        return r;
    }
}

void reflagPicture(Item& it, int aflag) {
    it.aflag = aflag;
    if (it.image.empty()) return;
    const int decoded = tk::CatchImage(tk::PB_Any, it.image);
    if (decoded) showDecoded(it, decoded);
}

bool freePicture(Item& it) {
    if (it.image.empty()) return false;
    it.image.clear();
    it.image.shrink_to_fit();
    const int gadget = number(it.id);
    const int w = tk::GadgetWidth(gadget), h = tk::GadgetHeight(gadget);
    const int placeholder = w > 0 && h > 0 ? tk::CreateImage(tk::PB_Any, w, h, RGB(200, 200, 0)) : 0;
    if (placeholder && tk::StartDrawing(placeholder)) {
        tk::DrawImageText(10, 10, "Image", RGB(0, 0, 0));
        tk::StopDrawing();
    }
    tk::SetGadgetImage(gadget, placeholder ? tk::ImageID(placeholder) : nullptr);
    freeImages(it);
    it.shownImage = static_cast<Handle>(placeholder);
    return true;
}

} // namespace zarnet::designer
