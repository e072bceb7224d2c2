// Numbering, text, state, items, hide/disable, fonts, tooltips and
// geometry of gadgets, checked through the real controls.
#include "fixture.h"

#include <commctrl.h>

#include <functional>
#include <set>

namespace {

using namespace tk;
using tktest::rectInParent;

class GadgetOps : public tktest::WindowTest {};

TEST_F(GadgetOps, NumbersFromAnyAreDistinctAndNeverReused) {
    std::set<int> seen;
    for (int i = 0; i < 5; ++i) {
        const int g = ButtonGadget(PB_Any, 0, 0, 10, 10, "x");
        EXPECT_GT(g, kMaxStaticNumber);
        EXPECT_TRUE(seen.insert(g).second);
        FreeGadget(g);
        EXPECT_FALSE(IsGadget(g));
    }
    // A stale number never names a later gadget.
    const int later = ButtonGadget(PB_Any, 0, 0, 10, 10, "x");
    EXPECT_EQ(seen.count(later), 0u);
}

TEST_F(GadgetOps, ExplicitNumbersReplaceTheirPredecessor) {
    ASSERT_NE(ButtonGadget(5, 0, 0, 10, 10, "old"), 0);
    HWND old = GadgetID(5);
    ASSERT_NE(TextGadget(5, 0, 0, 10, 10, "new"), 0);
    EXPECT_FALSE(::IsWindow(old));
    EXPECT_EQ(GadgetType(5), KindText);
    EXPECT_EQ(GetGadgetText(5), "new");
    EXPECT_EQ(ButtonGadget(-2, 0, 0, 10, 10, "x"), 0);
    EXPECT_EQ(ButtonGadget(kMaxStaticNumber + 1, 0, 0, 10, 10, "x"), 0);
    FreeGadget(5);
}

TEST_F(GadgetOps, NothingIsCreatedWithoutAGadgetList) {
    const int other = OpenWindow(PB_Any, 0, 0, 100, 100, "other", PB_Window_Invisible);
    CloseWindow(other); // its list was the current one
    EXPECT_EQ(ButtonGadget(PB_Any, 0, 0, 10, 10, "x"), 0);
    EXPECT_TRUE(UseGadgetList(hwnd()));
    EXPECT_NE(ButtonGadget(PB_Any, 0, 0, 10, 10, "x"), 0);
}

struct TextCase {
    const char* name;
    std::function<int()> make;
    const char* text;
};

TEST_F(GadgetOps, TextRoundTripsPerKind) {
    const TextCase cases[] = {
        {"button", [] { return ButtonGadget(PB_Any, 0, 0, 80, 20, "a"); }, "Press"},
        {"check box", [] { return CheckBoxGadget(PB_Any, 0, 0, 80, 20, "a"); }, "Tick"},
        {"option", [] { return OptionGadget(PB_Any, 0, 0, 80, 20, "a"); }, "Choose"},
        {"string", [] { return StringGadget(PB_Any, 0, 0, 80, 20, "a"); }, "typed"},
        {"text", [] { return TextGadget(PB_Any, 0, 0, 80, 20, "a"); }, "Label"},
        {"frame", [] { return Frame3DGadget(PB_Any, 0, 0, 80, 80, "a"); }, "Group"},
        {"frame without caption",
         [] { return Frame3DGadget(PB_Any, 0, 0, 80, 80, "a", PB_Frame3D_Single); }, "kept"},
        {"hyperlink", [] { return HyperLinkGadget(PB_Any, 0, 0, 80, 20, "a", 0); }, "Link"},
        {"editor", [] { return EditorGadget(PB_Any, 0, 0, 80, 80); }, "some text"},
        {"editable combo",
         [] { return ComboBoxGadget(PB_Any, 0, 0, 80, 80, PB_ComboBox_Editable); }, "free"},
        {"web", [] { return WebGadget(PB_Any, 0, 0, 80, 80, "http://a/"); }, "http://example.org/"},
        {"ip address", [] { return IPAddressGadget(PB_Any, 0, 0, 120, 20); }, "192.168.1.20"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int g = c.make();
        ASSERT_NE(g, 0);
        SetGadgetText(g, c.text);
        EXPECT_EQ(GetGadgetText(g), c.text);
    }
}

// An address is read as four "%u" numbers between dots; each field keeps
// its low byte, and a text that is no address changes nothing.
TEST_F(GadgetOps, AddressTextsAreReadAsFourNumbers) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {" 10.\t0.+0.1 and more", "10.0.0.1"},
        {"300.1.2.3", "44.1.2.3"},
        {"-1.2.3.4", "255.2.3.4"},
        {"99999999999.0.0.7", "255.0.0.7"},
        {"1.2.3", "9.9.9.9"},
        {"1 .2.3.4", "9.9.9.9"},
        {"1..2.3", "9.9.9.9"},
        {"", "9.9.9.9"},
    };
    const int g = IPAddressGadget(PB_Any, 0, 0, 120, 20);
    for (const auto& c : cases) {
        SetGadgetText(g, "9.9.9.9");
        SetGadgetText(g, c.text);
        EXPECT_EQ(GetGadgetText(g), c.shown) << c.text;
    }
}

TEST_F(GadgetOps, FrameWithBorderShowsNoCaptionButKeepsItsText) {
    const int g = Frame3DGadget(PB_Any, 0, 0, 80, 80, "Caption", PB_Frame3D_Double);
    EXPECT_EQ(GetGadgetText(g), "Caption");
    EXPECT_EQ(tktest::className(GadgetID(g)), "Static");
    char shown[32] = {};
    GetWindowTextA(GadgetID(g), shown, sizeof shown);
    EXPECT_STREQ(shown, "");
}

struct StateCase {
    const char* name;
    std::function<int()> make;
    int64_t set, expect;
};

TEST_F(GadgetOps, StateRoundTripsPerKind) {
    auto withItems = [](int g) {
        for (const char* t : {"a", "b", "c"})
            AddGadgetItem(g, -1, t);
        return g;
    };
    auto panel = [] {
        const int p = PanelGadget(PB_Any, 0, 0, 200, 100);
        AddGadgetItem(p, -1, "one");
        AddGadgetItem(p, -1, "two");
        CloseGadgetList();
        return p;
    };
    const int64_t jan2 = 1577923200; // 2020-01-02 00:00
    const StateCase cases[] = {
        {"check box", [] { return CheckBoxGadget(PB_Any, 0, 0, 80, 20, "c"); }, 1, 1},
        {"toggle button", [] { return ButtonGadget(PB_Any, 0, 0, 80, 20, "t", PB_Button_Toggle); },
         1, 1},
        {"option", [] { return OptionGadget(PB_Any, 0, 0, 80, 20, "o"); }, 1, 1},
        {"progress", [] { return ProgressBarGadget(PB_Any, 0, 0, 80, 20, 10, 50); }, 40, 40},
        {"track bar", [] { return TrackBarGadget(PB_Any, 0, 0, 80, 30, 0, 20); }, 7, 7},
        {"scroll bar", [] { return ScrollBarGadget(PB_Any, 0, 0, 80, 20, 0, 100, 10); }, 30, 30},
        {"spin", [] { return SpinGadget(PB_Any, 0, 0, 80, 20, 0, 10); }, 7, 7},
        {"spin above maximum", [] { return SpinGadget(PB_Any, 0, 0, 80, 20, 0, 10); }, 50, 10},
        {"ip address", [] { return IPAddressGadget(PB_Any, 0, 0, 120, 20); },
         MAKEIPADDRESS(10, 0, 0, 1), MAKEIPADDRESS(10, 0, 0, 1)},
        {"calendar", [] { return CalendarGadget(PB_Any, 0, 0, 220, 170); }, jan2, jan2},
        {"date", [] { return DateGadget(PB_Any, 0, 0, 120, 20); }, jan2 + 45296, jan2 + 45296},
        {"combo", [&] { return withItems(ComboBoxGadget(PB_Any, 0, 0, 80, 80)); }, 2, 2},
        {"list view", [&] { return withItems(ListViewGadget(PB_Any, 0, 0, 80, 80)); }, 1, 1},
        {"list icon", [&] { return withItems(ListIconGadget(PB_Any, 0, 0, 80, 80, "c", 50)); }, 2,
         2},
        {"tree", [&] { return withItems(TreeGadget(PB_Any, 0, 0, 80, 80)); }, 1, 1},
        {"panel", panel, 1, 1},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int g = c.make();
        ASSERT_NE(g, 0);
        SetGadgetState(g, c.set);
        EXPECT_EQ(GetGadgetState(g), c.expect);
    }
}

TEST_F(GadgetOps, SpinShowsItsValueInTheField) {
    const int g = SpinGadget(PB_Any, 0, 0, 80, 20, 5, 10);
    EXPECT_EQ(GetGadgetText(g), "5");
    SetGadgetState(g, 8);
    EXPECT_EQ(GetGadgetText(g), "8");
}

struct ItemsCase {
    const char* name;
    std::function<int()> make;
};

// Items keep their order through appending, inserting and removing.
TEST_F(GadgetOps, ItemsPerKind) {
    const ItemsCase cases[] = {
        {"combo", [] { return ComboBoxGadget(PB_Any, 0, 0, 80, 80); }},
        {"list view", [] { return ListViewGadget(PB_Any, 0, 0, 80, 80); }},
        {"list icon", [] { return ListIconGadget(PB_Any, 0, 0, 80, 80, "c", 50); }},
        {"tree", [] { return TreeGadget(PB_Any, 0, 0, 80, 80); }},
        {"editor", [] { return EditorGadget(PB_Any, 0, 0, 80, 80); }},
        {"panel",
         [] {
             const int p = PanelGadget(PB_Any, 0, 0, 200, 100);
             CloseGadgetList();
             return p;
         }},
    };
    for (const ItemsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int g = c.make();
        ASSERT_NE(g, 0);
        EXPECT_EQ(CountGadgetItems(g), 0);
        for (const char* t : {"a", "b", "c"})
            EXPECT_GE(AddGadgetItem(g, -1, t), 0);
        EXPECT_EQ(AddGadgetItem(g, 1, "x"), 1);
        ASSERT_EQ(CountGadgetItems(g), 4);
        const char* order[] = {"a", "x", "b", "c"};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(GetGadgetItemText(g, i), order[i]);
        RemoveGadgetItem(g, 0);
        EXPECT_EQ(CountGadgetItems(g), 3);
        EXPECT_EQ(GetGadgetItemText(g, 0), "x");
        SetGadgetItemText(g, 1, "B");
        EXPECT_EQ(GetGadgetItemText(g, 1), "B");
        ClearGadgetItems(g);
        EXPECT_EQ(CountGadgetItems(g), 0);
    }
}

TEST_F(GadgetOps, TreeEntriesNestBySubLevel) {
    const int g = TreeGadget(PB_Any, 0, 0, 150, 150);
    AddGadgetItem(g, -1, "Normal Item");
    AddGadgetItem(g, -1, "Node");
    AddGadgetItem(g, -1, "Sub-Item 1", nullptr, 1);
    AddGadgetItem(g, -1, "Sub-Item 2", nullptr, 2);
    AddGadgetItem(g, -1, "Sub-Item 3", nullptr, 1);
    AddGadgetItem(g, -1, "Too deep", nullptr, 9); // at most one level below the last entry
    AddGadgetItem(g, -1, "Root again", nullptr, 0);
    HWND h = GadgetID(g);
    auto levelOf = [&](int index) {
        HTREEITEM item = TreeView_GetRoot(h);
        for (int i = 0; i < index; ++i) {
            HTREEITEM next = TreeView_GetChild(h, item);
            for (HTREEITEM at = item; !next && at; at = TreeView_GetParent(h, at))
                next = TreeView_GetNextSibling(h, at);
            item = next;
        }
        int level = 0;
        while ((item = TreeView_GetParent(h, item)) != nullptr)
            ++level;
        return level;
    };
    const int levels[] = {0, 0, 1, 2, 1, 2, 0};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(levelOf(i), levels[i]) << i;
    EXPECT_EQ(GetGadgetItemText(g, 5), "Too deep");
    SetGadgetItemState(g, 1, 2); // expanded
    EXPECT_TRUE(GetGadgetItemState(g, 1) & 2);
}

TEST_F(GadgetOps, ListIconColumns) {
    const int g = ListIconGadget(PB_Any, 0, 0, 200, 100, "First", 70);
    AddGadgetColumn(g, 1, "Second", 60);
    AddGadgetItem(g, -1, "a\nb");
    EXPECT_EQ(GetGadgetItemText(g, 0, 1), "b");
    EXPECT_EQ(GetGadgetItemText(g, -1, 0), "First");
    EXPECT_EQ(GetGadgetItemAttribute(g, 0, PB_ListIcon_ColumnWidth, 0), 70);
    SetGadgetItemAttribute(g, 0, PB_ListIcon_ColumnWidth, 90, 0);
    EXPECT_EQ(GetGadgetItemAttribute(g, 0, PB_ListIcon_ColumnWidth, 0), 90);
    EXPECT_EQ(GetGadgetText(g), ""); // nothing selected
    SetGadgetState(g, 0);
    EXPECT_EQ(GetGadgetText(g), "a");
}

TEST_F(GadgetOps, HideAndDisableReachEveryPartOfTheGadget) {
    const int spin = SpinGadget(PB_Any, 0, 0, 80, 20, 0, 10);
    HWND field = GadgetID(spin);
    HWND arrows = GetWindow(field, GW_HWNDNEXT);
    ASSERT_EQ(GadgetFromHandle(arrows), spin);
    HideGadget(spin, true);
    EXPECT_TRUE(GadgetHidden(spin));
    EXPECT_FALSE(tktest::style(arrows) & WS_VISIBLE);
    HideGadget(spin, false);
    EXPECT_FALSE(GadgetHidden(spin));
    EXPECT_TRUE(tktest::style(arrows) & WS_VISIBLE);
    DisableGadget(spin, true);
    EXPECT_TRUE(GadgetDisabled(spin));
    EXPECT_FALSE(IsWindowEnabled(arrows));
    DisableGadget(spin, false);
    EXPECT_TRUE(IsWindowEnabled(field));
    EXPECT_TRUE(IsWindowEnabled(arrows));
}

TEST_F(GadgetOps, ResizeKeepsEveryValueGivenAsMinusOne) {
    const int g = ButtonGadget(PB_Any, 10, 20, 80, 30, "b");
    ResizeGadget(g, 5, -1, 50, -1);
    EXPECT_EQ(GadgetX(g), 5);
    EXPECT_EQ(GadgetY(g), 20);
    EXPECT_EQ(GadgetWidth(g), 50);
    EXPECT_EQ(GadgetHeight(g), 30);
    ResizeGadget(g, -1, 7, -1, 12);
    EXPECT_EQ(GadgetX(g), 5);
    EXPECT_EQ(GadgetY(g), 7);
    EXPECT_EQ(GadgetWidth(g), 50);
    EXPECT_EQ(GadgetHeight(g), 12);
    // The spin's field and arrows move as one gadget.
    const int spin = SpinGadget(PB_Any, 10, 10, 80, 20, 0, 10);
    EXPECT_EQ(GadgetWidth(spin), 80);
    ResizeGadget(spin, 30, -1, 120, -1);
    EXPECT_EQ(GadgetX(spin), 30);
    EXPECT_EQ(GadgetWidth(spin), 120);
    const RECT arrows = rectInParent(GetWindow(GadgetID(spin), GW_HWNDNEXT));
    EXPECT_EQ(arrows.right, 150);
}

int droppedHeight(int combo) {
    RECT r;
    SendMessageA(GadgetID(combo), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.bottom - r.top;
}

TEST_F(GadgetOps, ComboKeepsItsDropDownHeightThroughResize) {
    const int g = ComboBoxGadget(PB_Any, 10, 10, 100, 150);
    for (int i = 0; i < 20; ++i)
        AddGadgetItem(g, -1, "row");
    ASSERT_GT(droppedHeight(g), 100);
    // The visible height is only the closed field; -1 must not shrink the list to it.
    ResizeGadget(g, 20, -1, 120, -1);
    EXPECT_GT(droppedHeight(g), 100);
    EXPECT_EQ(GadgetWidth(g), 120);
}

TEST_F(GadgetOps, FontsLoadApplyAndReset) {
    const int f = LoadFont(PB_Any, "Arial", 12, PB_Font_Bold | PB_Font_Italic);
    ASSERT_NE(f, 0);
    LOGFONTA lf{};
    GetObjectA(FontID(f), sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    const int g = TextGadget(PB_Any, 0, 0, 80, 20, "t");
    HFONT standard = GetGadgetFont(g);
    SetGadgetFont(g, FontID(f));
    EXPECT_EQ(GetGadgetFont(g), FontID(f));
    SetGadgetFont(g, nullptr);
    EXPECT_EQ(GetGadgetFont(g), standard);
    // A new default font reaches gadgets created afterwards.
    SetGadgetFont(PB_Default, FontID(f));
    EXPECT_EQ(GetGadgetFont(TextGadget(PB_Any, 0, 0, 80, 20, "t")), FontID(f));
    SetGadgetFont(PB_Default, nullptr);
    FreeFont(f);
    EXPECT_FALSE(IsFont(f));
    // An overlong face name is cut, not overrun.
    const int wide = LoadFont(PB_Any, std::string(300, 'A'), 10);
    EXPECT_NE(wide, 0);
    FreeFont(wide);
}

int toolCount(HWND owner) {
    HWND tip = nullptr;
    // The tooltip window is an owned pop-up of the gadget's window.
    for (HWND h = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); h;
         h = FindWindowExA(nullptr, h, TOOLTIPS_CLASSA, nullptr))
        if (GetWindow(h, GW_OWNER) == owner) tip = h;
    return tip ? static_cast<int>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0)) : 0;
}

std::string toolText(HWND owner, HWND tool) {
    for (HWND h = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); h;
         h = FindWindowExA(nullptr, h, TOOLTIPS_CLASSA, nullptr)) {
        if (GetWindow(h, GW_OWNER) != owner) continue;
        char buf[256] = {};
        TOOLINFOA ti{};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.hwnd = owner;
        ti.uId = reinterpret_cast<UINT_PTR>(tool);
        ti.lpszText = buf;
        SendMessageA(h, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
        return buf;
    }
    return {};
}

// The pointer coming onto a window, as the event loop sees it.
void pointerOnto(HWND part) {
    PostMessageA(part, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    while (WindowEvent() != 0) {
    }
}

// A tip's tools are registered when the pointer first comes onto its
// gadget; a text set before or after that is the one the tooltip holds.
TEST_F(GadgetOps, SimpleToolTipsAddUpdateAndRemove) {
    const int g = ButtonGadget(PB_Any, 0, 0, 80, 20, "b");
    GadgetToolTip(g, "zero");
    GadgetToolTip(g, "first");
    EXPECT_EQ(toolCount(hwnd()), 0);
    EXPECT_EQ(GetGadgetToolTip(g), "first");
    pointerOnto(GadgetID(g));
    EXPECT_EQ(toolCount(hwnd()), 1);
    EXPECT_EQ(toolText(hwnd(), GadgetID(g)), "first");
    GadgetToolTip(g, "second");
    EXPECT_EQ(toolCount(hwnd()), 1);
    EXPECT_EQ(toolText(hwnd(), GadgetID(g)), "second");
    EXPECT_EQ(GetGadgetToolTip(g), "second");
    GadgetToolTip(g, "");
    EXPECT_EQ(toolCount(hwnd()), 0);
    pointerOnto(GadgetID(g));
    EXPECT_EQ(toolCount(hwnd()), 0);
    // Both parts of a spin show the tip, whichever the pointer met first.
    const int spin = SpinGadget(PB_Any, 0, 0, 80, 20, 0, 1);
    GadgetToolTip(spin, "count");
    pointerOnto(FindWindowExA(hwnd(), nullptr, UPDOWN_CLASSA, nullptr));
    EXPECT_EQ(toolCount(hwnd()), 2);
    FreeGadget(spin);
    EXPECT_EQ(toolCount(hwnd()), 0);
    // A gadget freed before the pointer came leaves nothing behind.
    const int unseen = ButtonGadget(PB_Any, 0, 0, 80, 20, "u");
    GadgetToolTip(unseen, "never shown");
    FreeGadget(unseen);
    EXPECT_EQ(toolCount(hwnd()), 0);
}

// The gadget's window's tooltip shows a tip within `ms`, the event loop
// running meanwhile.
bool tipShows(HWND owner, int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        while (WindowEvent() != 0) {
        }
        for (HWND h = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); h;
             h = FindWindowExA(nullptr, h, TOOLTIPS_CLASSA, nullptr))
            if (GetWindow(h, GW_OWNER) == owner && IsWindowVisible(h)) return true;
        Sleep(10);
    }
    return false;
}

// The controls are not subclassed for their tips: the event loop hands the
// tooltip the mouse messages, so a pointer resting on any part of a gadget
// with a tip (and only there) brings it up.
TEST_F(GadgetOps, PointerRestingOnAGadgetShowsItsTip) {
    struct Case {
        const char* name;
        std::function<int()> make;
        bool auxPart; // the pointer rests on the gadget's second window
        const char* tip;
    };
    const Case cases[] = {
        {"button", [] { return ButtonGadget(PB_Any, 40, 40, 120, 40, "b"); }, false, "press"},
        {"spin field", [] { return SpinGadget(PB_Any, 40, 40, 120, 40, 0, 9); }, false, "count"},
        {"spin arrows", [] { return SpinGadget(PB_Any, 40, 40, 120, 40, 0, 9); }, true, "count"},
        {"no tip", [] { return ButtonGadget(PB_Any, 40, 40, 120, 40, "b"); }, false, ""},
    };
    HideWindow(window, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int g = c.make();
        if (*c.tip) GadgetToolTip(g, c.tip);
        HWND part = GadgetID(g);
        if (c.auxPart) part = FindWindowExA(hwnd(), nullptr, UPDOWN_CLASSA, nullptr);
        ASSERT_TRUE(part);
        RECT r;
        GetWindowRect(part, &r);
        const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        SetCursorPos(centre.x, centre.y);
        POINT client = centre;
        ScreenToClient(part, &client);
        PostMessageA(part, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
        EXPECT_EQ(tipShows(hwnd(), 3000), *c.tip != '\0');
        FreeGadget(g);
        SetCursorPos(0, 0);
    }
}

TEST_F(GadgetOps, FreeingAContainerFreesWhatItHolds) {
    const int box = ContainerGadget(PB_Any, 0, 0, 100, 100);
    const int inside = ButtonGadget(PB_Any, 0, 0, 10, 10, "in");
    EXPECT_EQ(GetParent(GadgetID(inside)), GadgetID(box));
    FreeGadget(box);
    EXPECT_FALSE(IsGadget(inside));
    // The container's list closed with it: new gadgets go to the window.
    const int after = ButtonGadget(PB_Any, 0, 0, 10, 10, "after");
    EXPECT_EQ(GetParent(GadgetID(after)), hwnd());
}

TEST_F(GadgetOps, HyperlinkColourAndHandCursor) {
    const int g = HyperLinkGadget(PB_Any, 0, 0, 80, 20, "link", RGB(0, 0, 200));
    EXPECT_EQ(GetGadgetColor(g, PB_Gadget_FrontColor), RGB(0, 0, 200));
    HDC dc = GetDC(GadgetID(g));
    SendMessageA(hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(GadgetID(g)));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 200));
    ReleaseDC(GadgetID(g), dc);
    SendMessageA(hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(GadgetID(g)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
}

TEST_F(GadgetOps, WebGadgetFallsBackToABoxShowingTheAddress) {
    // The test prefix has no HTML engine.
    const int g = WebGadget(PB_Any, 0, 0, 200, 100, "http://example.org/");
    EXPECT_FALSE(WebGadgetHasBrowser(g));
    char shown[64] = {};
    GetWindowTextA(GadgetID(g), shown, sizeof shown);
    EXPECT_STREQ(shown, "http://example.org/");
}

TEST_F(GadgetOps, DateMaskBecomesTheDisplayFormat) {
    const int g = DateGadget(PB_Any, 0, 0, 150, 20, "%dd.%mm.%yyyy", 1577923200);
    char shown[64] = {};
    GetWindowTextA(GadgetID(g), shown, sizeof shown);
    EXPECT_STREQ(shown, "02.01.2020");
}

} // namespace
