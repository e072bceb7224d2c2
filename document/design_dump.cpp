#include "document/design_dump.h"

#include "document/catalogue.h"
#include "text/format.h"

#include <cstdio>
#include <string_view>
#include <type_traits>

namespace zarnet {
namespace {

// The listing grows in one string, without a string stream: the designer
// puts listings on the clipboard, and a stream would add some 90 KB to it.
struct Text {
    std::string s;
    Text& operator<<(std::string_view v) {
        s += v;
        return *this;
    }
    template <class T>
    requires std::is_integral_v<T> Text& operator<<(T v) {
        s += std::to_string(v);
        return *this;
    }
};

std::string hex(uint32_t v) {
    char buf[16];
    zarnet::text::formatTo(buf, sizeof buf, "0x%X", v);
    return buf;
}

void dumpGadget(Text& o, const Item& it, const std::string& pad) {
    const uint8_t mask = typeMask(it.typ);
    o << pad << "#" << it.number << " " << typeName(it.typ) << " " << quoted(it.name) << " at ("
      << it.x << ", " << it.y << ") size " << it.w << " x " << it.h << "\n";
    const std::string in = pad + "    ";
    if (mask & MaskText) o << in << "text " << quoted(it.wtext) << "\n";
    if (mask & MaskFlags) o << in << "flags " << hex(it.flags) << "\n";
    if (mask & (MaskPara1 | MaskPara2 | MaskPara3)) {
        o << in;
        if (mask & MaskPara1) o << "para1 " << it.para1 << " ";
        if (mask & MaskPara2) o << "para2 " << it.para2 << " ";
        if (mask & MaskPara3) o << "para3 " << it.para3;
        o << "\n";
    }
    if (it.typ == SplitterGadget) o << in << "para5 " << it.para5 << " para6 " << it.para6 << "\n";
    if (it.typ == ListIconGadget) o << in << "columns " << quoted(it.columns) << "\n";
    if (isImageCapable(it.typ, it.flags))
        o << in << "image " << it.image.size() << " bytes, aflag " << it.aflag << "\n";
    o << in << "status " << it.status << " auto " << it.auto_ << " font " << it.font << " color "
      << it.color << "\n";
    if (it.tooltip != 0) {
        o << in << "tooltip " << it.tooltip << " " << quoted(it.tooltipText) << "\n";
        if (it.tooltip == 2)
            o << in << "    ttime " << it.ttime << " tfcolor " << hex(it.tfcolor) << " tbcolor "
              << hex(it.tbcolor) << " tfont " << it.tfont << " twidth " << it.twidth << " tballoon "
              << it.tballoon << "\n";
    }
}

} // namespace

std::string quoted(std::string_view s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char buf[8];
            zarnet::text::formatTo(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string dumpDesign(const Design& d) {
    Text o;
    o << "next number " << d.nextNumber << "\n"
      << "client " << d.clientWidth << " x " << d.clientHeight << "\n"
      << "grid step " << d.gridStep << "\n"
      << "reserved gWindow " << d.gWindow << " gMenu " << d.gMenu << " gStatusBar " << d.gStatusBar
      << " gToolBar " << d.gToolBar << " gLanguage " << int(d.gLanguage) << "\n";
    o << "fonts " << d.fonts.size() << "\n";
    for (size_t i = 0; i < d.fonts.size(); ++i) {
        const FontEntry& f = d.fonts[i];
        o << "  [" << i << "] ";
        if (f.gFontUsed == 0)
            o << "unused\n";
        else
            o << quoted(f.gFontName) << " size " << f.gFontsize << " style " << hex(f.gFontstyle)
              << "\n";
    }
    o << "records " << d.items.size() << "\n";
    int depth = 0;
    for (const Item& it : d.items) {
        if (it.typ == kCloseRecord) {
            depth = depth > 0 ? depth - 1 : 0;
            o << std::string(2 + 4 * depth, ' ') << "close\n";
        } else if (it.typ == kTabRecord) {
            o << std::string(2 + 4 * (depth > 0 ? depth - 1 : 0) + 2, ' ') << "tab " << it.number
              << " " << quoted(it.wtext) << "\n";
        } else {
            dumpGadget(o, it, std::string(2 + 4 * depth, ' '));
            if (isParentType(it.typ)) ++depth;
        }
    }
    return o.s;
}

} // namespace zarnet
