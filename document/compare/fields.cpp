#include "document/compare/fields.h"

#include "document/catalogue.h"
#include "text/format.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace zarnet::compare {

bool Value::operator==(const Value& o) const {
    return n == o.n && m == o.m && k == o.k && s == o.s && std::ranges::equal(bytes, o.bytes);
}

namespace {

using Fonts = std::vector<FontEntry>;

Value num(int64_t v) {
    return Value{v};
}
Value text(const std::string& s) {
    return Value{0, 0, 0, s};
}

#define ZARNET_FIELD(key, kind, expr, member)                                                      \
    Field {                                                                                        \
        key, kind,                                                                                 \
            [](const Item& it, const Fonts& fonts) -> Value {                                      \
                (void)fonts;                                                                       \
                return expr;                                                                       \
            },                                                                                     \
            [](Item& to, const Item& from) { to.member = from.member; }                            \
    }

const Field kFields[] = {
    ZARNET_FIELD("x", Kind::Number, num(it.x), x),
    ZARNET_FIELD("y", Kind::Number, num(it.y), y),
    ZARNET_FIELD("w", Kind::Number, num(it.w), w),
    ZARNET_FIELD("h", Kind::Number, num(it.h), h),
    ZARNET_FIELD("name", Kind::Text, text(it.name), name),
    ZARNET_FIELD("text", Kind::Text, text(it.wtext), wtext),
    ZARNET_FIELD("flags", Kind::Flags, num(it.flags), flags),
    ZARNET_FIELD("para1", Kind::Number, num(it.para1), para1),
    ZARNET_FIELD("para2", Kind::Number, num(it.para2), para2),
    ZARNET_FIELD("para3", Kind::Number, num(it.para3), para3),
    ZARNET_FIELD("para5", Kind::Number, num(it.para5), para5),
    ZARNET_FIELD("para6", Kind::Number, num(it.para6), para6),
    ZARNET_FIELD("columns", Kind::Text, text(it.columns), columns),
    ZARNET_FIELD("picture", Kind::Picture, (Value{0, 0, 0, {}, it.image}), image),
    ZARNET_FIELD("aflag", Kind::ImageFlags, num(it.aflag), aflag),
    ZARNET_FIELD("status", Kind::Status, num(it.status), status),
    ZARNET_FIELD("auto", Kind::Anchors, num(it.auto_), auto_),
    ZARNET_FIELD("font", Kind::Font, fontValue(fonts, it.font), font),
    ZARNET_FIELD("color", Kind::Switch, num(it.color), color),
    ZARNET_FIELD("tooltip", Kind::Tooltip, num(it.tooltip), tooltip),
    ZARNET_FIELD("tooltip text", Kind::Text, text(it.tooltipText), tooltipText),
    ZARNET_FIELD("ttime", Kind::Number, num(it.ttime), ttime),
    ZARNET_FIELD("tfcolor", Kind::Colour, num(it.tfcolor), tfcolor),
    ZARNET_FIELD("tbcolor", Kind::Colour, num(it.tbcolor), tbcolor),
    ZARNET_FIELD("tfont", Kind::Font, fontValue(fonts, it.tfont), tfont),
    ZARNET_FIELD("twidth", Kind::Number, num(it.twidth), twidth),
    ZARNET_FIELD("tballoon", Kind::Switch, num(it.tballoon), tballoon),
};

#undef ZARNET_FIELD

std::string hex(uint64_t v) {
    char buf[24];
    zarnet::text::formatTo(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(v));
    return buf;
}

std::string rgb(uint64_t c) {
    char buf[48];
    zarnet::text::formatTo(buf, sizeof buf, "RGB(%u, %u, %u)", unsigned(c & 0xFF),
                           unsigned((c >> 8) & 0xFF), unsigned((c >> 16) & 0xFF));
    return buf;
}

struct Bit {
    uint32_t value;
    std::string_view name;
};

// Bits by name, the rest in hexadecimal; `none` for no bit at all.
std::string bitNames(uint64_t v, std::span<const Bit> bits, std::string_view none) {
    if (v == 0) return std::string(none);
    std::string out;
    for (const Bit& b : bits)
        if ((v & b.value) == b.value) {
            out += out.empty() ? "" : "|";
            out += b.name;
            v &= ~uint64_t{b.value};
        }
    if (v != 0) out += (out.empty() ? "" : "|") + hex(v);
    return out;
}

// Style flags by the catalogue's names. Exclusive border styles name the
// one entry the value is; switches name every entry wholly set, widest
// first, so a value reads back as the switches that make it.
std::string flagNames(uint32_t v, int typ) {
    if (typ == HyperLinkGadget) return rgb(v);
    if (!isGadgetType(typ)) return hex(v);
    const auto table = gadgetType(typ).styleFlags;
    if (hasExclusiveStyles(typ)) {
        for (const StyleFlag& f : table)
            if (f.value == v) return std::string(f.name);
        return hex(v);
    }
    std::vector<StyleFlag> wide(table.begin(), table.end());
    std::stable_sort(wide.begin(), wide.end(), [](const StyleFlag& a, const StyleFlag& b) {
        return std::popcount(a.value) > std::popcount(b.value);
    });
    std::string out;
    uint32_t left = v;
    for (const StyleFlag& f : wide)
        if (f.value != 0 && (left & f.value) == f.value) {
            out += out.empty() ? "" : "|";
            out += f.name;
            left &= ~f.value;
        }
    if (left != 0) out += (out.empty() ? "" : "|") + hex(left);
    return out.empty() ? "0" : out;
}

uint32_t fnv1a(std::span<const uint8_t> b) {
    uint32_t h = 2166136261u;
    for (uint8_t c : b)
        h = (h ^ c) * 16777619u;
    return h;
}

constexpr Bit kImageBits[] = {{1, "transparent"}, {2, "scaled"}};
constexpr Bit kStatusBits[] = {{1, "hidden"}, {2, "disabled"}, {4, "fixed"}};
constexpr Bit kAnchorBits[] = {{1, "proportional x"}, {2, "proportional y"}, {4, "proportional w"},
                               {8, "proportional h"}, {16, "x from right"},  {32, "y from bottom"},
                               {64, "w to right"},    {128, "h to bottom"}};
constexpr Bit kFontStyles[] = {{0x100, "bold"},
                               {0x200, "italic"},
                               {0x4, "underline"},
                               {0x8, "strikeout"},
                               {0x10, "high quality"}};

} // namespace

std::span<const Field> gadgetFields() {
    return kFields;
}

std::string fieldLabel(const Field& f, int typ) {
    std::string_view role;
    if (isGadgetType(typ)) {
        const GadgetTypeInfo& info = gadgetType(typ);
        if (f.key == "para1") role = info.para1Role;
        if (f.key == "para2") role = info.para2Role;
        if (f.key == "para3") role = info.para3Role;
    }
    if (typ == SplitterGadget && f.key == "para5") role = "minimum size of the first gadget";
    if (typ == SplitterGadget && f.key == "para6") role = "minimum size of the second gadget";
    if (role.empty()) return std::string(f.key);
    return std::string(role) + " (" + std::string(f.key) + ")";
}

Value fontValue(const std::vector<FontEntry>& fonts, int index) {
    if (index < 0) return Value{0};
    if (static_cast<size_t>(index) >= fonts.size()) return Value{3, index};
    const FontEntry& f = fonts[static_cast<size_t>(index)];
    if (f.gFontUsed == 0) return Value{2};
    return Value{1, f.gFontsize, f.gFontstyle, f.gFontName};
}

std::string describeFont(const Value& v) {
    switch (v.n) {
    case 0:
        return "default";
    case 2:
        return "an entry not in use";
    case 3:
        return "missing entry " + std::to_string(v.m);
    default:
        break;
    }
    std::string out = quoted(v.s) + " " + std::to_string(v.m);
    if (v.k != 0) out += " " + bitNames(static_cast<uint32_t>(v.k), kFontStyles, "");
    return out;
}

std::string formatValue(const Field& f, const Value& v, int typ) {
    switch (f.kind) {
    case Kind::Number:
        return std::to_string(v.n);
    case Kind::Text:
        return quoted(v.s);
    case Kind::Flags:
        return flagNames(static_cast<uint32_t>(v.n), typ);
    case Kind::Picture: {
        if (v.bytes.empty()) return "none";
        char buf[48];
        zarnet::text::formatTo(buf, sizeof buf, "%zu bytes #%08x", v.bytes.size(), fnv1a(v.bytes));
        return buf;
    }
    case Kind::ImageFlags:
        return bitNames(static_cast<uint64_t>(v.n), kImageBits, "none");
    case Kind::Status:
        return bitNames(static_cast<uint64_t>(v.n), kStatusBits, "none");
    case Kind::Anchors:
        return bitNames(static_cast<uint64_t>(v.n), kAnchorBits, "none");
    case Kind::Font:
        return describeFont(v);
    case Kind::Switch:
        return v.n == 0 ? "off" : v.n == 1 ? "on" : "on (" + std::to_string(v.n) + ")";
    case Kind::Tooltip:
        return v.n == 0   ? "none"
               : v.n == 2 ? "extended"
               : v.n == 1 ? "simple"
                          : "simple (" + std::to_string(v.n) + ")";
    case Kind::Colour:
        return rgb(static_cast<uint64_t>(v.n));
    }
    return {};
}

std::string gadgetTitle(const Item& it) {
    std::string out = "#" + std::to_string(it.number) + " ";
    out += isGadgetType(it.typ) ? std::string(typeName(it.typ)) : "record";
    return out + " " + quoted(it.name);
}

} // namespace zarnet::compare
