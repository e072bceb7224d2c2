// String fields, the editor, spin, IP address, calendar and date gadgets.
#include "toolkit/gadgets.h"

#include "text/format.h"
#include "toolkit/kinds.h"
#include "toolkit/state.h"

#include <richedit.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

namespace tk {
using namespace detail;

namespace {

void editCommand(GadgetRec& g, HWND, int code) {
    if (code == EN_CHANGE)
        pushGadgetEvent(g, PB_EventType_Change);
    else if (code == EN_SETFOCUS)
        pushGadgetEvent(g, PB_EventType_Focus);
    else if (code == EN_KILLFOCUS)
        pushGadgetEvent(g, PB_EventType_LostFocus);
}

// ---- editor: one item per line ----

int editorLineStart(HWND h, int line) {
    return static_cast<int>(SendMessageA(h, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
}

int editorCount(GadgetRec& g) {
    if (GetWindowTextLengthA(g.hwnd) == 0) return 0;
    return static_cast<int>(SendMessageA(g.hwnd, EM_GETLINECOUNT, 0, 0));
}

int editorAdd(GadgetRec& g, int pos, std::string_view text, HBITMAP, int) {
    const int count = editorCount(g);
    std::string insert(text);
    int at;
    if (pos < 0 || pos >= count) {
        at = GetWindowTextLengthA(g.hwnd);
        if (count > 0) insert = "\r\n" + insert;
        pos = count;
    } else {
        at = editorLineStart(g.hwnd, pos);
        insert += "\r\n";
    }
    SendMessageA(g.hwnd, EM_SETSEL, static_cast<WPARAM>(at), at);
    SendMessageA(g.hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(insert.c_str()));
    return pos;
}

std::string editorLine(GadgetRec& g, int line, int) {
    if (line < 0 || line >= editorCount(g)) return {};
    const int start = editorLineStart(g.hwnd, line);
    const int len =
        static_cast<int>(SendMessageA(g.hwnd, EM_LINELENGTH, static_cast<WPARAM>(start), 0));
    // EM_GETLINE takes the buffer size in its first WORD.
    std::string s(static_cast<size_t>(std::max(len, 1)) + 2, '\0');
    *reinterpret_cast<WORD*>(s.data()) = static_cast<WORD>(std::min<size_t>(s.size(), 0xFFFF));
    const int got = static_cast<int>(SendMessageA(g.hwnd, EM_GETLINE, static_cast<WPARAM>(line),
                                                  reinterpret_cast<LPARAM>(s.data())));
    s.resize(static_cast<size_t>(std::clamp(got, 0, len)));
    return s;
}

void editorRemove(GadgetRec& g, int line) {
    const int count = editorCount(g);
    if (line < 0 || line >= count) return;
    int start = editorLineStart(g.hwnd, line);
    int end = line + 1 < count ? editorLineStart(g.hwnd, line + 1) : GetWindowTextLengthA(g.hwnd);
    if (line + 1 == count && line > 0) {
        // The last line takes the line break before it along.
        start =
            editorLineStart(g.hwnd, line - 1) +
            static_cast<int>(SendMessageA(
                g.hwnd, EM_LINELENGTH, static_cast<WPARAM>(editorLineStart(g.hwnd, line - 1)), 0));
    }
    SendMessageA(g.hwnd, EM_SETSEL, static_cast<WPARAM>(start), end);
    SendMessageA(g.hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
}

void setEditorLine(GadgetRec& g, int line, std::string_view text, int) {
    if (line < 0 || line >= editorCount(g)) return;
    const int start = editorLineStart(g.hwnd, line);
    const int len =
        static_cast<int>(SendMessageA(g.hwnd, EM_LINELENGTH, static_cast<WPARAM>(start), 0));
    const std::string t(text);
    SendMessageA(g.hwnd, EM_SETSEL, static_cast<WPARAM>(start), start + len);
    SendMessageA(g.hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(t.c_str()));
}

void editorClear(GadgetRec& g) {
    SetWindowTextA(g.hwnd, "");
}

// ---- spin: an edit field with an up-down control beside it ----

int spinArrowWidth(int w) {
    return std::min(GetSystemMetrics(SM_CXVSCROLL), std::max(w / 2, 0));
}

void spinPlace(GadgetRec& g, int x, int y, int w, int h) {
    int aw = spinArrowWidth(w);
    h = std::max(h, 0);
    SetWindowPos(g.aux, nullptr, x + std::max(w - aw, 0), y, aw, h, SWP_NOZORDER | SWP_NOACTIVATE);
    // The arrows may insist on a width of their own: the field takes the rest.
    RECT r;
    GetWindowRect(g.aux, &r);
    if (r.right - r.left != aw) {
        aw = r.right - r.left;
        SetWindowPos(g.aux, nullptr, x + std::max(w - aw, 0), y, aw, h,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(g.hwnd, nullptr, x, y, std::max(w - aw, 0), h, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT spinBounds(GadgetRec& g) {
    RECT a, b, r;
    GetWindowRect(g.hwnd, &a);
    GetWindowRect(g.aux, &b);
    UnionRect(&r, &a, &b);
    MapWindowPoints(HWND_DESKTOP, GetParent(g.hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int64_t spinState(GadgetRec& g) {
    return static_cast<int32_t>(SendMessageA(g.aux, UDM_GETPOS32, 0, 0));
}
void setSpinState(GadgetRec& g, int64_t v) {
    SendMessageA(g.aux, UDM_SETPOS32, 0,
                 static_cast<LPARAM>(std::clamp<int64_t>(v, g.minimum, g.maximum)));
}

int64_t spinAttribute(GadgetRec& g, int a) {
    return a == PB_Minimum ? g.minimum : a == PB_Maximum ? g.maximum : 0;
}
void setSpinAttribute(GadgetRec& g, int a, int64_t v) {
    if (a == PB_Minimum)
        g.minimum = static_cast<int>(v);
    else if (a == PB_Maximum)
        g.maximum = static_cast<int>(v);
    else
        return;
    SendMessageA(g.aux, UDM_SETRANGE32, static_cast<WPARAM>(g.minimum), g.maximum);
}

// ---- IP address: the state is the address, the text its dotted form ----

int64_t ipState(GadgetRec& g) {
    DWORD a = 0;
    SendMessageA(g.hwnd, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&a));
    return static_cast<int64_t>(a);
}
void setIpState(GadgetRec& g, int64_t v) {
    SendMessageA(g.hwnd, IPM_SETADDRESS, 0, static_cast<LPARAM>(static_cast<DWORD>(v)));
}
std::string ipText(GadgetRec& g) {
    const auto a = static_cast<DWORD>(ipState(g));
    char buf[20];
    zarnet::text::formatTo(buf, sizeof buf, "%lu.%lu.%lu.%lu",
                           static_cast<unsigned long>(FIRST_IPADDRESS(a)),
                           static_cast<unsigned long>(SECOND_IPADDRESS(a)),
                           static_cast<unsigned long>(THIRD_IPADDRESS(a)),
                           static_cast<unsigned long>(FOURTH_IPADDRESS(a)));
    return buf;
}
// One number of an address as C's "%u" reads it: blanks, a sign, digits; a
// value past the largest stays the largest, a minus wraps. Done by hand, as
// the scanf family would bring its own large reader into every program.
bool readAddressPart(std::string_view& text, unsigned& out) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool minus = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';
    const size_t first = i;
    unsigned long value = 0;
    bool over = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const unsigned long digit = static_cast<unsigned long>(text[i] - '0');
        if (value > (ULONG_MAX - digit) / 10)
            over = true;
        else
            value = value * 10 + digit;
    }
    if (i == first) return false;
    out = static_cast<unsigned>(over ? ULONG_MAX : minus ? 0UL - value : value);
    text.remove_prefix(i);
    return true;
}
void setIpText(GadgetRec& g, std::string_view text) {
    text = text.substr(0, text.find('\0'));
    unsigned part[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (text.empty() || text[0] != '.') return;
            text.remove_prefix(1);
        }
        if (!readAddressPart(text, part[i])) return;
    }
    setIpState(g, MAKEIPADDRESS(part[0] & 255, part[1] & 255, part[2] & 255, part[3] & 255));
}
bool ipNotify(GadgetRec& g, NMHDR* hdr, LRESULT*) {
    if (hdr->code == static_cast<UINT>(IPN_FIELDCHANGED)) pushGadgetEvent(g, PB_EventType_Change);
    return false;
}

// ---- dates: seconds since 1970-01-01 ----

constexpr int64_t kEpochFileTime = 11644473600LL; // seconds from 1601 to 1970

SYSTEMTIME toSystemTime(int64_t date) {
    SYSTEMTIME st{};
    if (date == 0) {
        GetLocalTime(&st);
        return st;
    }
    const uint64_t ticks = static_cast<uint64_t>(date + kEpochFileTime) * 10000000ULL;
    FILETIME ft{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FileTimeToSystemTime(&ft, &st);
    return st;
}

int64_t fromSystemTime(const SYSTEMTIME& st) {
    FILETIME ft;
    if (!SystemTimeToFileTime(&st, &ft)) return 0;
    const uint64_t ticks = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<int64_t>(ticks / 10000000ULL) - kEpochFileTime;
}

int64_t calendarState(GadgetRec& g) {
    SYSTEMTIME st{};
    SendMessageA(g.hwnd, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
    return fromSystemTime(st);
}
void setCalendarState(GadgetRec& g, int64_t v) {
    SYSTEMTIME st = toSystemTime(v);
    SendMessageA(g.hwnd, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
}
bool calendarNotify(GadgetRec& g, NMHDR* hdr, LRESULT*) {
    if (hdr->code == static_cast<UINT>(MCN_SELECT)) pushGadgetEvent(g, PB_EventType_Change);
    return false;
}

int64_t dateState(GadgetRec& g) {
    SYSTEMTIME st{};
    if (SendMessageA(g.hwnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        return 0;
    return fromSystemTime(st);
}
void setDateState(GadgetRec& g, int64_t v) {
    SYSTEMTIME st = toSystemTime(v);
    SendMessageA(g.hwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}
bool dateNotify(GadgetRec& g, NMHDR* hdr, LRESULT*) {
    if (hdr->code == static_cast<UINT>(DTN_DATETIMECHANGE)) pushGadgetEvent(g, PB_EventType_Change);
    return false;
}

// PureBasic's mask tokens become the date picker's format; everything else
// is quoted literal text.
std::string dateFormat(std::string_view mask) {
    static const std::pair<std::string_view, std::string_view> tokens[] = {
        {"%yyyy", "yyyy"}, {"%yy", "yy"}, {"%mm", "MM"}, {"%dd", "dd"},
        {"%hh", "HH"},     {"%ii", "mm"}, {"%ss", "ss"}};
    std::string out, literal;
    auto flush = [&] {
        if (literal.empty()) return;
        out += '\'';
        for (char c : literal)
            out += c == '\'' ? std::string("''") : std::string(1, c);
        out += '\'';
        literal.clear();
    };
    for (size_t i = 0; i < mask.size();) {
        bool matched = false;
        for (auto [pb, win] : tokens) {
            if (mask.substr(i, pb.size()) == pb) {
                flush();
                out += win;
                i += pb.size();
                matched = true;
                break;
            }
        }
        if (!matched) literal += mask[i++];
    }
    flush();
    return out;
}

void setDateMask(GadgetRec& g, std::string_view mask) {
    g.text = std::string(mask);
    if (mask.empty()) {
        SendMessageA(g.hwnd, DTM_SETFORMATA, 0, 0); // the system's short date
    } else {
        const std::string format = dateFormat(mask);
        SendMessageA(g.hwnd, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(format.c_str()));
    }
}

} // namespace

void detail::registerInputs(KindOps* t) {
    t[KindString].command = editCommand;
    t[KindEditor].command = editCommand;
    t[KindEditor].addItem = editorAdd;
    t[KindEditor].countItems = editorCount;
    t[KindEditor].getItemText = editorLine;
    t[KindEditor].setItemText = setEditorLine;
    t[KindEditor].removeItem = editorRemove;
    t[KindEditor].clearItems = editorClear;
    t[KindSpin].command = editCommand;
    t[KindSpin].place = spinPlace;
    t[KindSpin].bounds = spinBounds;
    t[KindSpin].getState = spinState;
    t[KindSpin].setState = setSpinState;
    t[KindSpin].getAttribute = spinAttribute;
    t[KindSpin].setAttribute = setSpinAttribute;
    t[KindIPAddress].command = editCommand;
    t[KindIPAddress].notify = ipNotify;
    t[KindIPAddress].getState = ipState;
    t[KindIPAddress].setState = setIpState;
    t[KindIPAddress].getText = ipText;
    t[KindIPAddress].setText = setIpText;
    t[KindCalendar].notify = calendarNotify;
    t[KindCalendar].getState = calendarState;
    t[KindCalendar].setState = setCalendarState;
    t[KindDate].notify = dateNotify;
    t[KindDate].getState = dateState;
    t[KindDate].setState = setDateState;
    t[KindDate].setText = setDateMask;
}

int StringGadget(int gadget, int x, int y, int w, int h, std::string_view text, uint32_t flags) {
    return constructed(gadget, createStyled(gadget, KindString, text, flags, x, y, w, h));
}

int EditorGadget(int gadget, int x, int y, int w, int h, uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindEditor, {}, flags, x, y, w, h);
    if (g) SendMessageA(g->hwnd, EM_SETEVENTMASK, 0, ENM_CHANGE);
    return constructed(gadget, g);
}

int SpinGadget(int gadget, int x, int y, int w, int h, int minimum, int maximum, uint32_t flags) {
    // Some up-down controls insist on a width of their own; remembering the
    // last answer lets later spins be created in place at once.
    static int asked = -1, got = -1;
    int aw = spinArrowWidth(w);
    if (aw == asked) aw = got;
    GadgetRec* g = createStyled(gadget, KindSpin, std::to_string(minimum), flags, x, y, w - aw, h);
    if (!g) return 0;
    g->aux =
        CreateWindowExA(0, UPDOWN_CLASSA, nullptr,
                        WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
                        x + w - aw, y, aw, h, GetParent(g->hwnd), nullptr, instance(), nullptr);
    if (!g->aux) {
        const int number = g->number;
        FreeGadget(number);
        return 0;
    }
    mapHandle(g->aux, g->number);
    g->minimum = minimum;
    g->maximum = maximum;
    // The field already shows the minimum, which the arrows read back.
    SendMessageA(g->aux, UDM_SETBUDDY, reinterpret_cast<WPARAM>(g->hwnd), 0);
    SendMessageA(g->aux, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
    RECT r;
    GetWindowRect(g->aux, &r);
    if (r.right - r.left != aw) {
        asked = spinArrowWidth(w);
        got = r.right - r.left;
        spinPlace(*g, x, y, w, h);
    }
    return constructed(gadget, g);
}

int IPAddressGadget(int gadget, int x, int y, int w, int h) {
    return constructed(gadget, createStyled(gadget, KindIPAddress, {}, 0, x, y, w, h));
}

int CalendarGadget(int gadget, int x, int y, int w, int h, int64_t date, uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindCalendar, {}, flags, x, y, w, h);
    if (g && date != 0) setCalendarState(*g, date);
    return constructed(gadget, g);
}

int DateGadget(int gadget, int x, int y, int w, int h, std::string_view mask, int64_t date,
               uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindDate, {}, flags, x, y, w, h);
    if (!g) return 0;
    setDateMask(*g, mask);
    if (date != 0) setDateState(*g, date);
    return constructed(gadget, g);
}

} // namespace tk
