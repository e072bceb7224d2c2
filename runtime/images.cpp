#include "runtime/images.h"

#include "document/catalogue.h"
#include "imaging/pixel_ops.h"
#include "toolkit/gadgets.h"
#include "toolkit/images.h"

namespace zarnet {

namespace {

namespace img = imaging;

img::Rgb buttonFace() {
    return img::Rgb::fromColorRef(GetSysColor(COLOR_BTNFACE));
}

int number(intptr_t image) {
    return static_cast<int>(image);
}

} // namespace

bool DrawTransparentImage(int TransImage, int ZielImage, int x, int y, int b, int h,
                          int32_t TransColor) {
    auto src = tk::ImagePixels(TransImage);
    if (!src) return false;
    const std::optional<img::Rgb> key =
        TransColor == -1 ? std::nullopt
                         : std::optional(img::Rgb::fromColorRef(uint32_t(TransColor)));
    if (ZielImage == TransImage) {
        if (!img::drawTransparent(*src, *src, x, y, b, h, key, buttonFace())) return false;
        tk::SetImagePixels(TransImage, *src);
        return true;
    }
    auto dst = tk::ImagePixels(ZielImage);
    if (!dst || !img::drawTransparent(*src, *dst, x, y, b, h, key, buttonFace())) return false;
    tk::SetImagePixels(TransImage, *src);
    tk::SetImagePixels(ZielImage, *dst);
    return true;
}

bool showRecordImage(gimcontent& rec, int gadgetWidth, int gadgetHeight) {
    bool ok = true;
    int shown = 0;
    // A gadget too small to show any pixel shows no picture until it grows
    // again.
    const auto size = img::shownImageSize(gadgetWidth, gadgetHeight, rec.frame != 0);
    if (!(rec.aflag & 2) || size) {
        shown = tk::CopyImage(number(rec.idoimage), tk::PB_Any);
        if (shown && (rec.aflag & 2) && !tk::ResizeImage(shown, size->width, size->height)) {
            tk::FreeImage(shown);
            shown = 0;
        }
        ok = shown != 0;
    }
    // Controls show a bitmap ignoring its alpha: transparent parts of
    // icons and PNGs would come out in whatever colour they hide.
    if (shown) tk::FlattenImage(shown, GetSysColor(COLOR_BTNFACE));
    tk::SetGadgetImage(rec.idgadget, tk::ImageID(shown));
    const int old = number(rec.idimage);
    rec.idimage = shown;
    // Freed only now that the gadget no longer shows it.
    if (old && old != number(rec.idoimage)) tk::FreeImage(old);
    return ok;
}

void loadRecordImage(Runtime& rt) {
    const ZarnContent& v = rt.ZarnValue;
    gimcontent rec;
    rec.idgadget = v.id;
    rec.idtyp = v.isimage;
    rec.frame = (v.typ == ImageGadget && v.flags != 0) ? 1 : 0;
    rec.aflag = static_cast<uint8_t>(v.aflag);
    // Data that does not decode leaves the record without pictures, as if
    // the design had none for this gadget.
    if (v.memsize != 0) rec.idoimage = tk::CatchImage(tk::PB_Any, v.image);
    if (rec.idoimage) {
        const int o = number(rec.idoimage);
        const bool ok = (!(rec.aflag & 1) || DrawTransparentImage(o, o, 0, 0, tk::ImageWidth(o),
                                                                  tk::ImageHeight(o), -1)) &&
                        showRecordImage(rec, v.w, v.h);
        // A picture too large for the memory left is dropped whole, so the
        // rest of the design still gets what memory there is.
        if (!ok) {
            tk::FreeImage(o);
            rec.idoimage = 0;
        }
    }
    rt.gImageValue.push_back(rec);
}

int ZarnetSetImage(int idgadget, int idimage, int idreturn) {
    Runtime& rt = runtime();
    ++rt.ZarnValue.blocked;
    size_t at = 0;
    while (at < rt.gImageValue.size() && rt.gImageValue[at].idgadget != idgadget)
        ++at;
    // The record "has a picture" when its unscaled image exists: its shown
    // copy may be missing for a while when the gadget was too small.
    if (at < rt.gImageValue.size() && rt.gImageValue[at].idoimage && tk::IsImage(idimage)) {
        gimcontent rec = rt.gImageValue[at];
        const int old = number(rec.idoimage);
        if (idimage != old) {
            if (idreturn == 0)
                tk::FreeImage(old);
            else
                idreturn = old;
        } else if (idreturn != 0) {
            idreturn = old;
        }
        rec.idoimage = idimage;
        if (rec.aflag & 1)
            DrawTransparentImage(idimage, idimage, 0, 0, tk::ImageWidth(idimage),
                                 tk::ImageHeight(idimage), -1);
        showRecordImage(rec, tk::GadgetWidth(idgadget), tk::GadgetHeight(idgadget));
        rt.gImageValue[at] = rec;
    }
    --rt.ZarnValue.blocked;
    return idreturn;
}

int ConvertIcoToBmp(int idimage) {
    auto icon = tk::ImagePixels(idimage);
    if (!icon) return 0;
    const auto bitmap = img::convertIcoToBmp(*icon, buttonFace());
    icon.reset();
    return bitmap ? tk::CreateImageFromPixels(tk::PB_Any, *bitmap) : 0;
}

} // namespace zarnet
