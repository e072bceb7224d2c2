#include "document/design_file.h"

#include "document/buffers.h"

#include "document/catalogue.h"
#include "document/design_format.h"
#include "document/file_system.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zarnet {
namespace {

class ByteWriter {
public:
    void byte(int v) { out_.push_back(static_cast<uint8_t>(v)); }
    void word(int v) {
        byte(v & 0xFF);
        byte((v >> 8) & 0xFF);
    }
    void lng(uint32_t v) {
        for (int i = 0; i < 4; ++i) byte(static_cast<int>((v >> (8 * i)) & 0xFF));
    }
    void lng(int v) { lng(static_cast<uint32_t>(v)); }
    void str(const std::string& s) {
        // A stored string cannot hold a zero byte: it ends at the first one.
        const size_t n = std::min(s.find('\0'), s.size());
        out_.insert(out_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
        byte(0);
    }
    void bytes(std::span<const uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
    std::vector<uint8_t> take() { return std::move(out_); }

private:
    std::vector<uint8_t> out_;
};

void writeItem(ByteWriter& w, const Item& it) {
    w.byte(it.typ);
    w.word(it.number);
    if (it.typ == kTabRecord) {
        w.str(it.wtext);
        return;
    }
    if (it.typ == kCloseRecord) return;
    w.lng(it.x);
    w.lng(it.y);
    w.lng(it.w);
    w.lng(it.h);
    w.str(it.name);
    const uint8_t mask = typeMask(it.typ);
    if (mask & MaskText) w.str(it.wtext);
    if (mask & MaskFlags) w.lng(it.flags);
    if (mask & MaskPara1) w.lng(it.para1);
    if (mask & MaskPara2) w.lng(it.para2);
    if (mask & MaskPara3) w.lng(it.para3);
    if (it.typ == SplitterGadget) {
        w.lng(it.para5);
        w.lng(it.para6);
    } else if (it.typ == ListIconGadget) {
        w.str(it.columns);
    }
    if (isImageCapable(it.typ, it.flags)) {
        w.lng(static_cast<uint32_t>(it.image.size()));
        w.bytes(it.image);
        w.byte(it.aflag);
    }
    w.byte(it.status);
    w.byte(it.auto_);
    w.lng(it.font);
    w.byte(it.tooltip);
    if (it.tooltip != 0) w.str(it.tooltipText);
    if (it.tooltip == 2) {
        w.lng(it.ttime);
        w.lng(it.tfcolor);
        w.lng(it.tbcolor);
        w.lng(it.tfont);
        w.lng(it.twidth);
        w.byte(it.tballoon);
    }
    w.byte(it.color);
}

} // namespace

std::vector<uint8_t> writeDesign(const Design& d) {
    ByteWriter w;
    w.lng(d.nextNumber);
    w.lng(d.clientWidth);
    w.lng(d.clientHeight);
    w.lng(d.gridStep);
    w.lng(kFormatMark);
    w.lng(d.gWindow);
    w.lng(d.gMenu);
    w.lng(d.gStatusBar);
    w.lng(d.gToolBar);
    w.byte(d.gLanguage);
    w.lng(static_cast<int>(d.fonts.size()));
    for (const FontEntry& f : d.fonts) {
        w.byte(f.gFontUsed);
        if (f.gFontUsed != 0) {
            w.lng(f.gFontsize);
            w.str(f.gFontName);
            w.lng(f.gFontstyle);
        }
    }
    w.lng(static_cast<int>(d.items.size()));
    for (const Item& it : d.items) writeItem(w, it);
    w.lng(0);  // gAdditional
    return w.take();
}

LoadResult readDesign(std::span<const uint8_t> data, Strictness strictness) {
    ByteReader in(data);
    auto failed = [&in]() { return LoadResult{std::nullopt, in.error()}; };
    DesignHeader h;
    if (!readHeader(in, h)) return failed();
    if (strictness == Strictness::Strict && h.formatMark != kFormatMark) {
        in.fail(16, "format mark is " + std::to_string(h.formatMark) + ", not 1000");
        return failed();
    }
    if (h.nextNumber < 0 || h.nextNumber > 32768) {
        in.fail(0, "next number " + std::to_string(h.nextNumber) + " is outside 0..32768");
        return failed();
    }

    Design d;
    d.fileName.clear();
    d.nextNumber = h.nextNumber;
    d.clientWidth = h.clientWidth;
    d.clientHeight = h.clientHeight;
    d.gridStep = h.gridStep;
    d.gWindow = h.gWindow;
    d.gMenu = h.gMenu;
    d.gStatusBar = h.gStatusBar;
    d.gToolBar = h.gToolBar;
    d.gLanguage = h.gLanguage;

    // Counts are believed only as far as a real design can go, and the
    // tables grow as entries arrive: a file that claims more than it holds
    // fails where its data ends, having taken no more memory than it
    // brought.
    const size_t fontsAt = in.pos();
    const int32_t fontCount = in.lng("gFonts");
    if (!in.ok()) return failed();
    if (fontCount < 0 || static_cast<size_t>(fontCount) > in.remaining()) {
        in.fail(fontsAt, "font count " + std::to_string(fontCount) + " exceeds the data");
        return failed();
    }
    if (fontCount > kMaxFontEntries) {
        in.fail(fontsAt, "font count " + std::to_string(fontCount) + " is more than a design holds");
        return failed();
    }
    for (int32_t i = 0; i < fontCount; ++i)
        if (!readFontEntry(in, d.fonts.emplace_back())) return failed();

    const size_t countAt = in.pos();
    const int32_t count = in.lng("gcount");
    if (!in.ok()) return failed();
    // Every record is at least three bytes, which bounds a believable count.
    if (count < 0 || static_cast<size_t>(count) > in.remaining() / 3) {
        in.fail(countAt, "record count " + std::to_string(count) + " exceeds the data");
        return failed();
    }
    if (count > kMaxRecords) {
        in.fail(countAt, "record count " + std::to_string(count) + " is more than a design holds");
        return failed();
    }
    std::vector<size_t> starts;
    RecordExtras extras;
    // The nesting as the records arrive: a close or tab record with nothing
    // for it to belong to ends the read at once, so no run of stray records
    // can grow the list.
    std::vector<bool> openPanels;
    int gadgets = 0;
    for (int32_t i = 0; i < count; ++i) {
        // Each record starts from a fresh item: nothing carries over.
        Item it;
        if (!readRecord(in, it, extras)) return failed();
        const auto refuse = [&](const char* what) {
            in.fail(extras.start, "record " + std::to_string(i) + ": " + what);
        };
        if (it.typ == kCloseRecord) {
            if (openPanels.empty())
                refuse("close record without an open parent");
            else
                openPanels.pop_back();
        } else if (it.typ == kTabRecord) {
            if (openPanels.empty() || !openPanels.back()) refuse("tab record outside a panel");
        } else if (++gadgets > kMaxGadgets) {
            refuse("more gadgets than there are item numbers");
        } else if (isParentType(it.typ)) {
            openPanels.push_back(it.typ == PanelGadget);
        }
        if (!in.ok()) return failed();
        if (extras.isimage != 0) it.image.assign(extras.image.begin(), extras.image.end());
        d.items.push_back(std::move(it));
        starts.push_back(extras.start);
    }
    in.lng("gAdditional");
    if (!in.ok()) return failed();
    if (strictness == Strictness::Strict) {
        ByteReader trailer(data, in.pos() - 4);
        if (const int32_t v = trailer.lng("gAdditional"); v != 0)
            in.fail(in.pos() - 4, "trailer is " + std::to_string(v) + ", not 0");
        else if (!in.atEnd())
            in.fail(in.pos(), std::to_string(in.remaining()) + " bytes after the trailer");
        if (!in.ok()) return failed();
    }
    if (strictness == Strictness::Editable) {
        // Files this system writes keep every number below next number; for
        // one that does not, next number moves past the highest in use so
        // that new items still get numbers of their own.
        for (const Item& it : d.items)
            if (it.isGadget() && it.number >= d.nextNumber) d.nextNumber = it.number + 1;
    }
    if (auto bad = checkInvariants(d)) {
        in.fail(starts[bad->item], "record " + std::to_string(bad->item) + ": " + bad->message);
        return failed();
    }
    d.rebuildNumberPool();
    d.recomputeNesting();
    return LoadResult{std::move(d), {}};
}

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const std::string& path, bool writing) {
    return File(std::fopen(path.c_str(), writing ? "wb" : "rb"));
}

// Hands what was written to the disk itself, so that the rename that follows
// cannot make a file whose bytes were never stored.
bool flushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

} // namespace

std::optional<std::vector<uint8_t>> readFileBytes(const std::string& path) {
    File f = openFile(path, false);
    if (!f) return std::nullopt;
#ifdef _WIN32
    // A long is 32 bits on Windows: a file of 2 GB or more must be measured
    // with the 64-bit calls, or its size comes back cut.
    const bool measured = _fseeki64(f.get(), 0, SEEK_END) == 0;
    const int64_t size = measured ? _ftelli64(f.get()) : -1;
#else
    const bool measured = std::fseek(f.get(), 0, SEEK_END) == 0;
    const int64_t size = measured ? std::ftell(f.get()) : -1;
#endif
    std::vector<uint8_t> bytes;
    if (!std::in_range<size_t>(size) || !tryResize(bytes, static_cast<size_t>(size)))
        return std::nullopt;
    std::rewind(f.get());
    if (size > 0 && std::fread(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        return std::nullopt;
    return bytes;
}

std::optional<std::vector<uint8_t>> readFilePrefix(const std::string& path, size_t limit) {
    File f = openFile(path, false);
    if (!f) return std::nullopt;
    std::vector<uint8_t> bytes(limit);
    bytes.resize(std::fread(bytes.data(), 1, limit, f.get()));
    if (std::ferror(f.get())) return std::nullopt;
    return bytes;
}

bool writeFileAtomic(const std::string& path, std::span<const uint8_t> bytes) {
    const std::string tmp = path + ".tmp~";
    {
        File f = openFile(tmp, true);
        if (!f) return false;
        const bool written =
            (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size()) &&
            flushToDisk(f.get());
        if (std::fclose(f.release()) != 0 || !written) {
            files::removeFile(tmp);
            return false;
        }
    }
    if (!files::replaceFile(tmp, path)) {
        files::removeFile(tmp);
        return false;
    }
    return true;
}

} // namespace zarnet
