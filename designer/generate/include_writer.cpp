#include "designer/generate/include_writer.h"

#include "designer/generate/templates.h"
#include "document/design_file.h"

#include <system_error>

namespace zarnet::gen {
namespace {

class IncludeText {
  public:
    void line(std::string_view text = {}) {
        block(text);
        out_ += "\r\n";
    }
    // A fixed block; its last line gets no line break here.
    void block(std::string_view text) {
        for (char c : text) {
            if (c == '\n') out_ += '\r';
            out_ += c;
        }
    }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

bool hasExtension(const std::filesystem::path& p, std::string_view ext) {
    const std::string e = p.extension().string();
    if (e.size() != ext.size()) return false;
    for (size_t i = 0; i < e.size(); ++i) {
        const char c = e[i] >= 'A' && e[i] <= 'Z' ? static_cast<char>(e[i] - 'A' + 'a') : e[i];
        if (c != ext[i]) return false;
    }
    return true;
}

// Another design file in the folder means the include serves it too. File
// systems that ignore case match the extension that way, so we do as well.
bool folderHasOtherDesign(const std::filesystem::path& designPath) {
    const std::filesystem::path folder =
        designPath.has_parent_path() ? designPath.parent_path() : std::filesystem::path(".");
    const std::string own = designPath.filename().string();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::filesystem::path name = it->path().filename();
        if (!hasExtension(name, ".zrf") || name.string() == own) continue;
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        return true;
    }
    return false;
}

} // namespace

std::string includeText(const Features& f) {
    const RuntimeBlocks& b = runtimeBlocks();
    IncludeText t;
    t.line(";/This file will be changed if you save design(s)!");
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

std::filesystem::path includePathBeside(const std::filesystem::path& file) {
    return file.parent_path() / std::filesystem::path(std::string(kIncludeFileName));
}

bool writeInclude(const std::filesystem::path& path, const Design& d, Features start) {
    scanDesign(d, start);
    const std::string text = includeText(start);
    return writeFileAtomic(path,
                           std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

bool writeIncludeFor(const Design& d, const std::filesystem::path& designPath) {
    return writeInclude(includePathBeside(designPath), d);
}

Upkeep maintainInclude(const Design& d, const std::filesystem::path& designPath) {
    const std::filesystem::path path = includePathBeside(designPath);
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size == 0) return Upkeep::NoInclude;
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
