#include "designer/generate/features.h"

#include "document/design_format.h"

namespace zarnet::gen {
namespace {

std::string_view trimSpaces(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// Splits off the next line; CR LF, LF and a lone CR all end a line.
bool nextLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) return false;
    const size_t end = rest.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        line = rest;
        rest = {};
        return true;
    }
    line = rest.substr(0, end);
    size_t skip = end + 1;
    if (rest[end] == '\r' && skip < rest.size() && rest[skip] == '\n') ++skip;
    rest.remove_prefix(skip);
    return true;
}

bool contains(std::string_view s, std::string_view what) {
    return s.find(what) != std::string_view::npos;
}

// "Case 12:..." names type 12: the second space-separated word of the text
// before the first colon, read as a decimal number the way Val() reads it.
int caseType(std::string_view line) {
    std::string_view head = line.substr(0, line.find(':'));
    const size_t space = head.find(' ');
    if (space == std::string_view::npos) return 0;
    std::string_view word = head.substr(space + 1);
    word = word.substr(0, word.find(' '));
    size_t i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == '-' || word[i] == '+')) negative = word[i++] == '-';
    int value = 0;
    for (; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i) {
        value = value * 10 + (word[i] - '0');
        if (value > kTypeCount) return 0; // no gadget type, and no overflow
    }
    return negative ? -value : value;
}

} // namespace

void scanDesign(const Design& d, Features& f) {
    // The loader reads the font table whenever the design has one, records
    // or not, so the table alone decides whether its reading code is needed.
    if (!d.fonts.empty()) f.fonts = true;
    for (const Item& it : d.items) {
        if (!isGadgetType(it.typ)) continue;
        f.usedType[it.typ] = true;
        if (isImageCapable(it.typ, it.flags)) {
            f.images = true;
            switch (sniffImageFormat(it.image)) {
            case ImageFormat::Png:
                f.png = true;
                break;
            case ImageFormat::Jpeg:
                f.jpeg = true;
                break;
            case ImageFormat::Other:
                break;
            }
            if (it.aflag & 1) f.transparency = true;
        }
        if (it.tooltip != 0) f.tooltips = true;
        if (it.tooltip == 2) f.extendedTooltips = true;
        if (it.auto_ != 0) f.anchors = true;
    }
}

void scanInclude(std::string_view text, Features& f) {
    std::string_view rest = text, raw;
    while (nextLine(rest, raw)) {
        const std::string_view line = trimSpaces(raw);
        if (line == "UseJPEGImageDecoder()")
            f.jpeg = true;
        else if (line == "UsePNGImageDecoder()")
            f.png = true;
        else if (contains(line, "DrawTransparentImage"))
            f.transparency = true;
        // The anchor registration holds this text too, so anchors bring the
        // image blocks back with them.
        else if (contains(line, "If ZarnValue\\isimage"))
            f.images = true;
        else if (contains(line, "ApiToolTip"))
            f.extendedTooltips = true;
        else if (contains(line, "If ZarnValue\\tooltip"))
            f.tooltips = true;
        else if (contains(line, "If ZarnValue\\auto"))
            f.anchors = true;
        else if (contains(line, "If gFonts"))
            f.fonts = true;
        else if (contains(line, "Select ZarnValue\\typ")) {
            while (nextLine(rest, raw)) {
                const std::string_view caseText = trimSpaces(raw);
                if (caseText == "EndSelect") break;
                const int t = caseType(caseText);
                if (isGadgetType(t)) f.usedType[t] = true;
            }
        }
    }
}

} // namespace zarnet::gen
