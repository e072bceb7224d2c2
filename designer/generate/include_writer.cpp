#include "designer/generate/include_writer.h"

#include "designer/generate/generated_file.h"
#include "designer/generate/templates.h"
#include "document/design_file.h"
#include "document/file_system.h"

#include <algorithm>

namespace zarnet::gen {
namespace {

class IncludeText {
  public:
    void line(std::string_view text = {}) {
        block(text);
        out_ += "\r\n";
    }
    // A fixed block; its last line gets no line break here. A checkout that
    // gave the templates CR LF ends must not double the CR.
    void block(std::string_view text) {
        for (char c : text) {
            if (c == '\r') continue;
            if (c == '\n') out_ += '\r';
            out_ += c;
        }
    }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

// Another design file in the folder means the include serves it too.
bool folderHasOtherDesign(const std::string& designPath) {
    const std::string_view own = files::nameOf(designPath);
    const auto entries = files::entriesOf(std::string(files::folderOf(designPath)));
    if (!entries) return false;
    for (const files::Entry& e : *entries)
        if (!e.folder && e.name != own && isDesignFileName(e.name)) return true;
    return false;
}

} // namespace

std::string includeText(const Features& f) {
    const RuntimeBlocks& b = runtimeBlocks();
    IncludeText t;
    t.line(kIncludeFirstLine);
    t.line();
    t.line(";/This is the init stuff");
    if (f.jpeg) t.line("UseJPEGImageDecoder()");
    if (f.png) t.line("UsePNGImageDecoder()");
    t.line();
    t.block(b.init);
    t.line();
    t.line();
    if (f.transparency) {
        t.block(b.drawTransparent);
        t.line();
        t.line();
    }
    if (f.extendedTooltips) {
        t.block(b.apiToolTip);
        t.line();
        t.line();
    }
    if (f.tooltips && f.extendedTooltips) t.line("ZarnValue\\atooltip=@ApiToolTip()");
    if (f.images) {
        if (f.transparency) {
            t.line("ZarnValue\\atrans=@DrawTransparentImage()");
            t.line();
        }
        t.block(b.setImage);
        t.line();
        t.line();
    }
    t.line("Procedure ReCreateObject()");
    t.line("  Select ZarnValue\\typ");
    for (int typ = 1; typ <= kTypeCount; ++typ)
        if (f.usedType[typ]) t.line("    " + caseLine(typ));
    t.block(b.creationTail);
    t.line();
    if (f.anchors) {
        t.block(b.resize);
        t.line();
    }
    t.block(b.loaderHead);
    t.line();
    if (f.fonts) {
        t.block(b.fonts);
        t.line();
    }
    t.line();
    t.block(b.recordLoop);
    t.line();
    t.line();
    if (f.images) {
        t.block(b.imageLoad);
        t.line();
    }
    t.block(b.status);
    t.line();
    if (f.anchors) {
        t.block(b.anchorRegister);
        t.line();
    }
    t.block(b.fontApply);
    t.line();
    if (f.tooltips) {
        t.block(b.tooltip);
        t.line();
    }
    t.line();
    t.block(b.loaderTail);
    t.line();
    return t.take();
}

std::string includePathBeside(const std::string& file) {
    return std::string(files::folderOf(file)) + std::string(kIncludeFileName);
}

bool writeInclude(const std::string& path, const Design& d, Features start) {
    scanDesign(d, start);
    return writeGeneratedText(path, includeText(start));
}

bool writeIncludeFor(const Design& d, const std::string& designPath) {
    const std::string path = includePathBeside(designPath);
    if (classifyTarget(path, designPath) == Target::Design) return false;
    return writeInclude(path, d);
}

bool isOurInclude(const std::string& path) {
    const std::string first = std::string(kIncludeFirstLine) + "\r\n";
    const auto bytes = readFilePrefix(path, first.size());
    return bytes && std::equal(first.begin(), first.end(), bytes->begin(), bytes->end());
}

Upkeep maintainInclude(const Design& d, const std::string& designPath) {
    const std::string path = includePathBeside(designPath);
    // A design that took the include's name is no include.
    if (classifyTarget(path, designPath) == Target::Design) return Upkeep::NoInclude;
    const auto size = files::sizeOf(path);
    if (!size || *size == 0) return Upkeep::NoInclude;
    Features flags;
    if (folderHasOtherDesign(designPath)) {
        // Without the old text the other designs' needs are unknown; keeping
        // the old include is better than one that misreads their files.
        const auto old = readFileBytes(path);
        if (!old) return Upkeep::Failed;
        scanInclude(std::string_view(reinterpret_cast<const char*>(old->data()), old->size()),
                    flags);
    }
    return writeInclude(path, d, flags) ? Upkeep::Rewritten : Upkeep::Failed;
}

} // namespace zarnet::gen
