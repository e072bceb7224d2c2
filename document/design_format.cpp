#include "document/design_format.h"

#include "document/catalogue.h"

namespace zarnet {

bool readHeader(ByteReader& in, DesignHeader& h, Layout layout) {
    h.nextNumber = in.lng("next number");
    h.clientWidth = in.lng("client width");
    h.clientHeight = in.lng("client height");
    h.gridStep = in.lng("grid step");
    h.formatMark = in.lng(layout == Layout::Design ? "format mark" : "record count");
    if (layout == Layout::Design) {
        h.gWindow = in.lng("gWindow");
        h.gMenu = in.lng("gMenu");
        h.gStatusBar = in.lng("gStatusBar");
        h.gToolBar = in.lng("gToolBar");
        h.gLanguage = in.byte("gLanguage");
    }
    return in.ok();
}

bool readFontEntry(ByteReader& in, FontEntry& f) {
    f.gFontUsed = in.byte("gFontUsed");
    if (f.gFontUsed != 0) {
        f.gFontsize = in.lng("gFontsize");
        f.gFontName = in.str("gFontName");
        f.gFontstyle = in.lng("gFontstyle");
    }
    return in.ok();
}

namespace {

void readGadgetFields(ByteReader& in, RecordFields& r, RecordExtras& e, Layout layout) {
    r.x = in.lng("x");
    r.y = in.lng("y");
    r.w = in.lng("w");
    r.h = in.lng("h");
    r.name = in.str("name");
    const uint8_t mask = typeMask(r.typ);
    if (mask & MaskText) r.wtext = in.str("wtext");
    if (mask & MaskFlags) r.flags = static_cast<uint32_t>(in.lng("flags"));
    if (mask & MaskPara1) r.para1 = in.lng("para1");
    if (mask & MaskPara2) r.para2 = in.lng("para2");
    if (mask & MaskPara3) r.para3 = in.lng("para3");
    e.isimage = 0;
    if (layout == Layout::Compact) return;

    if (r.typ == SplitterGadget) {
        r.para5 = in.lng("para5");
        r.para6 = in.lng("para6");
    }
    if (r.typ == ListIconGadget) r.columns = in.str("columns");
    e.isimage = imageKind(r.typ, r.flags);
    if (e.isimage != 0) {
        const size_t at = in.pos();
        e.memsize = in.lng("memsize");
        if (e.memsize < 0) in.fail(at, "memsize " + std::to_string(e.memsize) + " is negative");
        e.image = e.memsize > 0 ? in.block(e.memsize, "image bytes") : std::span<const uint8_t>{};
        r.aflag = in.byte("aflag");
    }
    r.status = in.byte("status");
    r.auto_ = in.byte("auto");
    r.font = in.lng("font");
    r.tooltip = in.byte("tooltip");
    if (r.tooltip != 0) r.tooltipText = in.str("tooltip text");
    if (r.tooltip == 2) {
        r.ttime = in.lng("ttime");
        r.tfcolor = static_cast<uint32_t>(in.lng("tfcolor"));
        r.tbcolor = static_cast<uint32_t>(in.lng("tbcolor"));
        r.tfont = in.lng("tfont");
        r.twidth = in.lng("twidth");
        r.tballoon = in.byte("tballoon");
    }
    r.color = in.byte("color");
}

} // namespace

bool readRecord(ByteReader& in, RecordFields& rec, RecordExtras& extras, Layout layout) {
    const size_t start = in.pos();
    extras.start = start;
    extras.isimage = 0;
    rec.typ = in.sbyte("record type");
    rec.number = in.word("record number");
    if (!in.ok()) return false;
    if (rec.typ == kTabRecord) {
        rec.wtext = in.str("tab title");
    } else if (rec.typ == kCloseRecord) {
        // nothing follows
    } else if (isGadgetType(rec.typ)) {
        readGadgetFields(in, rec, extras, layout);
    } else {
        in.fail(start, "record type " + std::to_string(rec.typ) +
                               " is neither a gadget type, a tab nor a close record");
    }
    return in.ok();
}

namespace {
int32_t longAt(std::span<const uint8_t> data, size_t at) {
    ByteReader in(data, at);
    return in.lng("header");
}
} // namespace

int32_t headerMaxItem(std::span<const uint8_t> data) {
    return static_cast<int32_t>(static_cast<uint32_t>(longAt(data, 0)) - 1u);
}
int32_t headerClientWidth(std::span<const uint8_t> data) { return longAt(data, 4); }
int32_t headerClientHeight(std::span<const uint8_t> data) { return longAt(data, 8); }

ImageFormat sniffImageFormat(std::span<const uint8_t> b) {
    auto at = [&](size_t off, const char* tag, size_t n) {
        if (b.size() < off + n) return false;
        for (size_t i = 0; i < n; ++i)
            if (b[off + i] != static_cast<uint8_t>(tag[i])) return false;
        return true;
    };
    if (at(1, "PNG", 3)) return ImageFormat::Png;
    if (at(6, "JFIF", 4)) return ImageFormat::Jpeg;
    return ImageFormat::Other;
}

} // namespace zarnet
