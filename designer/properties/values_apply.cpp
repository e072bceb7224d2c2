#include "designer/properties/values_apply.h"

#include "designer/properties/panel_tabs.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <vector>

namespace zarnet::designer {

namespace {

// A scroll area's inner window is a real child window; sizes past 16 bits
// are beyond what window coordinates and scrolling handle well.
constexpr FieldLimits kInnerSize{0, 32767};
// A track bar keeps a tick for every step of its range, so its range stays
// small enough for those to be drawn.
constexpr FieldLimits kTrackRange{-100000, 100000};
constexpr FieldLimits kRange{-1000000000, 1000000000};
constexpr FieldLimits kPage{0, 1000000000};

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool isRangeType(int typ) {
    return typ == ProgressBarGadget || typ == ScrollBarGadget || typ == SpinGadget ||
           typ == TrackBarGadget;
}

int fieldCountOf(int typ) {
    if (typ == ScrollAreaGadget || typ == ScrollBarGadget) return 3;
    return isRangeType(typ) ? 2 : 0;
}

std::string_view fieldLabel(int typ, int field) {
    static constexpr std::string_view kArea[] = {"InnerWidth", "InnerHeight", "ScrollStep"};
    static constexpr std::string_view kRangeLabels[] = {"Minimal", "Maximal", "PageSize"};
    const size_t f = static_cast<size_t>(field);
    return typ == ScrollAreaGadget ? kArea[f] : kRangeLabels[f];
}

// What the user typed, quoted in a message; long texts are cut.
std::string quoted(std::string_view text) {
    std::string_view t = trimmed(text);
    std::string q(1, '"');
    q.append(t.substr(0, 24));
    if (t.size() > 24) q.append("...");
    q.push_back('"');
    return q;
}

ValuesEffect rangeEffect(int typ) {
    switch (typ) {
    case ProgressBarGadget:
        return ValuesEffect::ProgressRange;
    case TrackBarGadget:
        return ValuesEffect::TrackBarRange;
    case ScrollBarGadget:
        return ValuesEffect::ScrollBarRange;
    default:
        return ValuesEffect::SpinRange;
    }
}

void closeNumbers(Design& d, Item& it, TypeDefaults& defaults, const ValuesInput& in,
                  ValuesClose& r) {
    const int n = fieldCountOf(it.typ);
    const std::array<int, 3> current{it.para1, it.para2, it.para3};
    std::array<int, 3> v = current;
    std::vector<std::string> notes;
    auto note = [&](int f, std::string text) {
        notes.push_back(std::move(text));
        if (r.focusField < 0) r.focusField = f;
    };
    for (int f = 0; f < n; ++f) {
        const size_t i = static_cast<size_t>(f);
        const FieldLimits lim = *fieldLimits(it.typ, f);
        const std::string label(fieldLabel(it.typ, f));
        // A field the user did not touch keeps its value, even one beyond
        // what may be typed (a loaded design may hold such): closing the
        // editor does not change the design by itself.
        if (trimmed(in.fields[i]) == std::to_string(current[i])) continue;
        const NumberReading reading = readNumber(in.fields[i]);
        if (reading.status == NumberStatus::NotANumber) {
            v[i] = std::clamp(current[i], lim.lo, lim.hi);
            note(f, label + ": " + quoted(in.fields[i]) + " is not a number; it is back to " +
                        std::to_string(v[i]) + ".");
            continue;
        }
        v[i] = std::clamp(reading.value, lim.lo, lim.hi);
        if (reading.status == NumberStatus::OutOfRange || v[i] != reading.value)
            note(f, label + ": " + quoted(in.fields[i]) + " is outside " + std::to_string(lim.lo) +
                        " to " + std::to_string(lim.hi) + "; it is limited to " +
                        std::to_string(v[i]) + ".");
    }
    if (isRangeType(it.typ) && v[0] > v[1] && v != current) {
        note(0, "Minimal " + std::to_string(v[0]) + " was above Maximal " + std::to_string(v[1]) +
                    "; the two are swapped.");
        std::swap(v[0], v[1]);
    }
    for (int f = 0; f < n; ++f)
        r.fields[static_cast<size_t>(f)] = std::to_string(v[static_cast<size_t>(f)]);
    if (!notes.empty()) {
        r.closes = false;
        for (const std::string& line : notes)
            r.message += line + "\n";
        r.message += "Press Close again to store these values.";
        return;
    }
    if (v != current) noteEdit(d);
    it.para1 = v[0];
    it.para2 = v[1];
    if (n == 3) it.para3 = v[2];
    if (it.typ == ScrollAreaGadget) {
        r.effect = ValuesEffect::InnerSize;
        return;
    }
    defaults.para1 = it.para1;
    defaults.para2 = it.para2;
    if (n == 3) defaults.para3 = it.para3;
    r.effect = rangeEffect(it.typ);
}

void setText(Design& d, std::string& target, const std::string& text) {
    if (target == text) return;
    target = text;
    noteEdit(d);
}

} // namespace

NumberReading readNumber(std::string_view text) {
    const std::string_view t = trimmed(text);
    if (t.empty()) return {NumberStatus::Empty, 0};
    size_t i = 0;
    const bool negative = t[0] == '-';
    if (t[0] == '-' || t[0] == '+') i = 1;
    const size_t digitsFrom = i;
    long long value = 0;
    bool overflow = false;
    for (; i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])); ++i) {
        value = value * 10 + (t[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            overflow = true;
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) value = -value;
    const int clamped = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
    if (i == digitsFrom || i != t.size()) return {NumberStatus::NotANumber, clamped};
    if (overflow || clamped != value) return {NumberStatus::OutOfRange, clamped};
    return {NumberStatus::Number, clamped};
}

int fieldNumber(std::string_view text, int lo, int hi) {
    return std::clamp(readNumber(text).value, lo, hi);
}

std::optional<FieldLimits> fieldLimits(int typ, int field) {
    if (field < 0 || field >= fieldCountOf(typ)) return std::nullopt;
    if (typ == ScrollAreaGadget) return kInnerSize;
    if (field == 2) return kPage;
    return typ == TrackBarGadget ? kTrackRange : kRange;
}

ValuesClose closeValuesEditor(Design& d, size_t index, int currentTab, TypeDefaults& defaults,
                              const ValuesInput& in) {
    ValuesClose r;
    if (index >= d.items.size() || !d.items[index].isGadget()) return r;
    Item& it = d.items[index];
    if (isImageCapable(it.typ, it.flags)) return r;
    if (fieldCountOf(it.typ) > 0) {
        closeNumbers(d, it, defaults, in, r);
        return r;
    }
    if (it.typ == PanelGadget) {
        r.tabRecord = panelTabRecord(d.items, index, currentTab);
        if (!r.tabRecord) return r;
        setText(d, d.items[*r.tabRecord].wtext, in.text);
        r.effect = ValuesEffect::TabTitle;
        return r;
    }
    setText(d, it.wtext, in.text);
    r.effect = it.typ == ListIconGadget ? ValuesEffect::ColumnTitle : ValuesEffect::GadgetText;
    return r;
}

int pictureFlags(bool transparent, bool autoResize) {
    return (transparent ? 1 : 0) + (autoResize ? 2 : 0);
}

PictureLoadPlan pictureLoadPlan(std::string_view path, int typ, int aflag) {
    PictureLoadPlan p;
    p.aflag = aflag;
    const size_t slash = path.find_last_of("\\/");
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = file.rfind('.');
    std::string ext;
    if (dot != std::string_view::npos)
        for (char c : file.substr(dot + 1))
            ext += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    p.convertIcon = ext == "ico" && typ != ButtonImageGadget;
    if (p.convertIcon && (aflag & 1) == 0) {
        p.aflag = aflag | 1;
        p.checkTransparent = true;
    }
    return p;
}

std::string conversionFilePath(std::string_view tempDir) {
    std::string p(tempDir);
    if (!p.empty() && p.back() != '\\' && p.back() != '/') p += '\\';
    return p + "zrimage.bmp";
}

std::optional<PixelSize> pictureScaleSize(const Item& it, PixelSize gadget) {
    if ((it.aflag & 2) == 0) return std::nullopt;
    PixelSize s = gadget;
    if (it.typ == ImageGadget) {
        const int b = it.flags != 0 ? 4 : 0;
        s = {it.w - b, it.h - b};
    }
    return PixelSize{std::max(s.w, 1), std::max(s.h, 1)};
}

int actualMinimumSize(bool checked, uint32_t splitterFlags, PixelSize child) {
    if (!checked) return 0;
    return (splitterFlags & 1) ? child.w : child.h;
}

} // namespace zarnet::designer
