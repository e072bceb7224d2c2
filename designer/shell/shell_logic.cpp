#include "designer/shell/shell_logic.h"

#include "document/catalogue.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace zarnet::designer {

std::string_view filePart(std::string_view path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string canvasTitle(bool modified, std::string_view fileName, int clientWidth,
                        int clientHeight) {
    std::string t = modified ? "*" : "";
    t += filePart(fileName);
    t += "   client " + std::to_string(clientWidth) + " x " + std::to_string(clientHeight);
    return t;
}

std::string treeText(const Item& it) {
    std::string text = (it.status & kStatusHidden) ? "*" : "";
    text += it.name;
    if (it.insplitter == 1) text += " [Splitter]";
    return text;
}

std::string withDesignExtension(std::string_view name) {
    std::string out(name);
    std::string last = out.size() >= 3 ? out.substr(out.size() - 3) : out;
    std::transform(last.begin(), last.end(), last.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    if (last != "zrf") out += ".zrf";
    return out;
}

long decimalValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        value = value > (LONG_MAX - digit) / 10 ? LONG_MAX : value * 10 + digit;
    }
    return negative ? -value : value;
}

int clampGridStep(long value) { return static_cast<int>(std::clamp(value, 2L, 100L)); }

Preferences parsePreferences(std::span<const uint8_t> bytes) {
    Preferences p{};
    for (size_t i = 0; i < p.size(); ++i) {
        uint32_t v = 0;
        for (size_t b = 0; b < 4; ++b) {
            const size_t at = i * 4 + b;
            if (at < bytes.size()) v |= static_cast<uint32_t>(bytes[at]) << (8 * b);
        }
        p[i] = static_cast<int32_t>(v);
    }
    return p;
}

std::vector<uint8_t> serialisePreferences(const Preferences& p) {
    std::vector<uint8_t> out;
    out.reserve(p.size() * 4);
    for (int32_t v : p)
        for (int b = 0; b < 4; ++b) out.push_back(static_cast<uint8_t>(uint32_t(v) >> (8 * b)));
    return out;
}

Preferences defaultPreferences(int screenWidth, int screenHeight) {
    Preferences p{};
    p[PrefObjectManagerVisible] = 1;
    p[PrefObjectManagerX] = screenWidth - 300;
    p[PrefObjectManagerY] = 150;
    p[PrefObjectManagerWidth] = kObjectManagerDefaultWidth;
    p[PrefObjectManagerHeight] = kObjectManagerDefaultHeight;
    p[PrefLearnerMode] = 1;
    p[PrefLearnerX] = 50;
    p[PrefLearnerY] = screenHeight - 200;
    p[PrefLearnerWidth] = kLearnerDefaultWidth;
    p[PrefLearnerHeight] = kLearnerDefaultHeight;
    p[PrefGridSnap] = 1;
    p[PrefShowGrid] = 0;
    return p;
}

std::optional<WindowRect> reachableWindow(WindowRect stored, WindowRect fallback,
                                          std::span<const WindowRect> monitors, int minimumSize) {
    const bool tooSmall = stored.w < minimumSize || stored.h < minimumSize;
    // Widened to 64 bits: a damaged file may hold values near the limits.
    const long long right = static_cast<long long>(stored.x) + stored.w;
    const long long bottom = static_cast<long long>(stored.y) + stored.h;
    const bool onSome = std::any_of(monitors.begin(), monitors.end(), [&](const WindowRect& m) {
        return right > m.x && bottom > m.y && stored.x < static_cast<long long>(m.x) + m.w &&
               stored.y < static_cast<long long>(m.y) + m.h;
    });
    if (!tooSmall && onSome) return std::nullopt;
    return fallback;
}

bool isRestartCommandLine(const std::vector<std::string>& p, bool ownBackup) {
    if (!ownBackup || p.size() != 4) return false;
    const std::string& handle = p[1];
    const bool decimal = !handle.empty() && std::all_of(handle.begin(), handle.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    return decimal && !p[2].empty() && (p[3] == "0" || p[3] == "1");
}

namespace {

struct PanelRecord {
    int typ, number, x, y, w, h;
    const char* text;
    uint32_t flags;
};

// Container 28 holds the other controls; coordinates of the container are
// in the object manager's client area, all others in the container's.
constexpr PanelRecord kPanel[] = {
    {28, 28, 5, 205, 190, 270, "", 0},
    {20, 1, 0, 0, 105, 20, "", 0x1},
    {21, 2, 110, 3, 30, 15, "ID", 0x1},
    {20, 3, 144, 0, 45, 20, "", 0x801},
    {1, 4, 0, 25, 60, 20, "Fixed", 0x1003},
    {1, 5, 65, 25, 60, 20, "Disable", 0x1003},
    {1, 6, 130, 25, 60, 20, "Hide", 0x1003},
    {3, 8, 0, 60, 50, 15, "Tooltip", 0},
    {1, 9, 65, 60, 60, 15, "Edit", 0},
    {3, 11, 0, 80, 50, 15, "Font", 0},
    {1, 12, 65, 80, 125, 15, "Select New Font", 0},
    {3, 13, 0, 100, 50, 15, "Colors", 0},
    {1, 14, 65, 100, 125, 15, "Select Colors", 0},
    {3, 10, 135, 60, 55, 15, "Extend", 0},
    {21, 15, -6, 126, 55, 15, "Autosize", 0x2},
    {1, 16, 65, 132, 30, 14, "RX", 0x1003},
    {1, 17, 96, 132, 30, 14, "RY", 0x1003},
    {1, 18, 129, 132, 30, 14, "RW", 0x1003},
    {1, 19, 160, 132, 30, 14, "RH", 0x1003},
    {21, 20, 0, 155, 50, 15, "Position X", 0},
    {21, 21, 0, 180, 50, 15, "Position Y", 0},
    {21, 22, 0, 205, 50, 15, "Width", 0},
    {21, 23, 0, 230, 50, 15, "Height", 0},
    {20, 24, 65, 150, 125, 20, "", 0x2002},
    {20, 25, 65, 175, 125, 20, "", 0x2002},
    {20, 26, 65, 200, 125, 20, "", 0x2002},
    {20, 27, 65, 225, 125, 20, "", 0x2002},
    {21, 0, 0, 255, 80, 20, "Gridsize", 0},
    {1, 7, 65, 250, 25, 20, "5", 0x1003},
    {1, 29, 90, 250, 25, 20, "10", 0x1003},
    {21, 30, 125, 255, 40, 20, "Usersize", 0},
    {20, 31, 170, 250, 20, 20, "", 0x2001},
    {1, 32, 65, 118, 30, 14, "X", 0x1003},
    {1, 33, 96, 118, 30, 14, "Y", 0x1003},
    {1, 34, 129, 118, 30, 14, "W", 0x1003},
    {1, 35, 160, 118, 30, 14, "H", 0x1003},
    {0, 0, 0, 0, 0, 0, "", 0},
};

void putLong(std::vector<uint8_t>& out, int32_t v) {
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<uint8_t>(uint32_t(v) >> (8 * b)));
}
void putString(std::vector<uint8_t>& out, std::string_view s) {
    out.insert(out.end(), s.begin(), s.end());
    out.push_back(0);
}

std::vector<uint8_t> encodePanel() {
    std::vector<uint8_t> out;
    putLong(out, kFieldPanelMaxItem);
    putLong(out, 303);
    putLong(out, 477);
    putLong(out, 10);
    putLong(out, static_cast<int32_t>(std::size(kPanel)));
    for (const PanelRecord& r : kPanel) {
        out.push_back(static_cast<uint8_t>(r.typ));
        out.push_back(static_cast<uint8_t>(r.number));
        out.push_back(static_cast<uint8_t>(r.number >> 8));
        if (r.typ == 0) continue;
        for (int v : {r.x, r.y, r.w, r.h}) putLong(out, v);
        putString(out, typeName(r.typ));
        const uint8_t mask = typeMask(r.typ);
        if (mask & MaskText) putString(out, r.text);
        if (mask & MaskFlags) putLong(out, static_cast<int32_t>(r.flags));
        for (uint8_t bit : {MaskPara1, MaskPara2, MaskPara3})
            if (mask & bit) putLong(out, 0);
    }
    return out;
}

} // namespace

std::span<const uint8_t> fieldPanelLayout() {
    static const std::vector<uint8_t> bytes = encodePanel();
    return bytes;
}

} // namespace zarnet::designer
