// Each constructor makes the expected window class, and each PureBasic flag
// of its kind gives the Win32 styles that carry its look and behaviour.
#include "fixture.h"

#include <commctrl.h>

#include <functional>

namespace {

using namespace tk;
using tktest::className;
using tktest::exStyle;
using tktest::style;

using Make = std::function<int(uint32_t flags)>;

struct StyleCase {
    const char* name;
    Make make;
    uint32_t flags;
    const char* cls;
    DWORD on = 0, off = 0;      // style bits that must be set / clear
    DWORD exOn = 0, exOff = 0;  // extended style bits
    DWORD lowMask = 0, low = 0; // (style & lowMask) == low: the control's type field
    DWORD listEx = 0;           // list view extended styles that must be set
};

Make button = [](uint32_t f) { return ButtonGadget(PB_Any, 10, 10, 100, 24, "b", f); };
Make checkbox = [](uint32_t f) { return CheckBoxGadget(PB_Any, 10, 10, 100, 24, "c", f); };
Make combo = [](uint32_t f) { return ComboBoxGadget(PB_Any, 10, 10, 100, 100, f); };
Make editor = [](uint32_t f) { return EditorGadget(PB_Any, 10, 10, 100, 80, f); };
Make exCombo = [](uint32_t f) { return ExplorerComboGadget(PB_Any, 10, 10, 150, 100, "c:\\", f); };
Make exList = [](uint32_t f) { return ExplorerListGadget(PB_Any, 10, 10, 150, 100, "c:\\", f); };
Make exTree = [](uint32_t f) { return ExplorerTreeGadget(PB_Any, 10, 10, 150, 100, "c:\\", f); };
Make frame = [](uint32_t f) { return Frame3DGadget(PB_Any, 10, 10, 100, 80, "f", f); };
Make image = [](uint32_t f) { return ImageGadget(PB_Any, 10, 10, 50, 50, nullptr, f); };
Make listIcon = [](uint32_t f) {
    return ListIconGadget(PB_Any, 10, 10, 150, 100, "Column0", 70, f);
};
Make listView = [](uint32_t f) { return ListViewGadget(PB_Any, 10, 10, 100, 100, f); };
Make progress = [](uint32_t f) { return ProgressBarGadget(PB_Any, 10, 10, 100, 20, 0, 100, f); };
Make scrollArea = [](uint32_t f) {
    const int g = ScrollAreaGadget(PB_Any, 10, 10, 100, 100, 300, 300, 10, f);
    CloseGadgetList();
    return g;
};
Make scrollBar = [](uint32_t f) { return ScrollBarGadget(PB_Any, 10, 10, 100, 20, 0, 100, 10, f); };
Make string = [](uint32_t f) { return StringGadget(PB_Any, 10, 10, 100, 20, "s", f); };
Make text = [](uint32_t f) { return TextGadget(PB_Any, 10, 10, 100, 20, "t", f); };
Make trackBar = [](uint32_t f) { return TrackBarGadget(PB_Any, 10, 10, 100, 30, 0, 10, f); };
Make tree = [](uint32_t f) { return TreeGadget(PB_Any, 10, 10, 100, 100, f); };
Make calendar = [](uint32_t f) { return CalendarGadget(PB_Any, 10, 10, 220, 170, 0, f); };
Make date = [](uint32_t f) { return DateGadget(PB_Any, 10, 10, 120, 20, {}, 0, f); };
Make container = [](uint32_t f) {
    const int g = ContainerGadget(PB_Any, 10, 10, 100, 100, f);
    CloseGadgetList();
    return g;
};
Make imageButton = [](uint32_t) { return ButtonImageGadget(PB_Any, 10, 10, 50, 50); };
Make option = [](uint32_t) { return OptionGadget(PB_Any, 10, 10, 100, 20, "o"); };
Make panel = [](uint32_t) {
    const int g = PanelGadget(PB_Any, 10, 10, 200, 100);
    CloseGadgetList();
    return g;
};
Make spin = [](uint32_t) { return SpinGadget(PB_Any, 10, 10, 80, 20, 0, 10); };
Make web = [](uint32_t) { return WebGadget(PB_Any, 10, 10, 200, 100, "http://example.org/"); };
Make ip = [](uint32_t) { return IPAddressGadget(PB_Any, 10, 10, 120, 20); };
Make link = [](uint32_t) { return HyperLinkGadget(PB_Any, 10, 10, 100, 20, "l", 0xFF0000); };

constexpr DWORD kButtonType = 0xF, kComboType = 3, kListViewType = LVS_TYPEMASK,
                kStaticType = SS_TYPEMASK;

const StyleCase kCases[] = {
    {"button", button, 0, "Button", WS_TABSTOP, BS_PUSHLIKE | BS_FLAT, 0, 0, kButtonType,
     BS_PUSHBUTTON},
    {"button right", button, PB_Button_Right, "Button", BS_RIGHT},
    {"button left", button, PB_Button_Left, "Button", BS_LEFT},
    {"button multiline", button, PB_Button_MultiLine, "Button", BS_MULTILINE},
    {"button toggle", button, PB_Button_Toggle, "Button", BS_PUSHLIKE, 0, 0, 0, kButtonType,
     BS_AUTOCHECKBOX},
    {"button flat", button, 0x8000, "Button", BS_FLAT},
    {"button top", button, 0x400, "Button", BS_TOP},
    {"button bottom", button, 0x800, "Button", BS_BOTTOM},
    {"button bitmap", button, 0x80, "Button", BS_BITMAP},
    {"button drops unknown bits", button, 0xC0000000, "Button", 0, WS_POPUP},
    {"image button", imageButton, 0, "Button", BS_BITMAP},
    {"check box", checkbox, 0, "Button", 0, 0, 0, 0, kButtonType, BS_AUTOCHECKBOX},
    {"check box right", checkbox, PB_CheckBox_Right, "Button", BS_RIGHT},
    {"check box center", checkbox, PB_CheckBox_Center, "Button", BS_CENTER},
    {"option", option, 0, "Button", 0, 0, 0, 0, kButtonType, BS_AUTORADIOBUTTON},
    {"combo", combo, 0, "ComboBox", 0, 0, 0, 0, kComboType, CBS_DROPDOWNLIST},
    {"combo editable", combo, PB_ComboBox_Editable, "ComboBox", CBS_AUTOHSCROLL, 0, 0, 0,
     kComboType, CBS_DROPDOWN},
    {"combo lower case", combo, PB_ComboBox_LowerCase, "ComboBox", CBS_LOWERCASE},
    {"combo upper case", combo, PB_ComboBox_UpperCase, "ComboBox", CBS_UPPERCASE},
    {"combo sort", combo, 0x100, "ComboBox", CBS_SORT},
    {"editor default", editor, PB_Editor_Default, "RichEdit20A", ES_MULTILINE, WS_BORDER,
     WS_EX_CLIENTEDGE},
    {"editor flat", editor, PB_Editor_Flat, "RichEdit20A", WS_BORDER, 0, 0, WS_EX_CLIENTEDGE},
    {"editor raised", editor, PB_Editor_Raised, "RichEdit20A", 0, 0, WS_EX_DLGMODALFRAME},
    {"editor single", editor, PB_Editor_Single, "RichEdit20A", 0, 0, WS_EX_STATICEDGE,
     WS_EX_CLIENTEDGE},
    {"editor borderless", editor, 0, "RichEdit20A", 0, WS_BORDER, 0,
     WS_EX_CLIENTEDGE | WS_EX_STATICEDGE},
    {"explorer combo", exCombo, 0, "ComboBoxEx32", 0, 0, 0, 0, kComboType, CBS_DROPDOWNLIST},
    {"explorer combo editable", exCombo, PB_Explorer_Editable, "ComboBoxEx32", 0, 0, 0, 0,
     kComboType, CBS_DROPDOWN},
    {"explorer list", exList, 0, "SysListView32", LVS_SINGLESEL, 0, WS_EX_CLIENTEDGE, 0,
     kListViewType, LVS_REPORT},
    {"explorer list borderless", exList, PB_Explorer_BorderLess, "SysListView32", 0, 0, 0,
     WS_EX_CLIENTEDGE},
    {"explorer list show selection", exList, PB_Explorer_AlwaysShowSelection, "SysListView32",
     LVS_SHOWSELALWAYS},
    {"explorer list multi select", exList, PB_Explorer_MultiSelect, "SysListView32", 0,
     LVS_SINGLESEL},
    {"explorer list grid", exList, PB_Explorer_GridLines, "SysListView32", 0, 0, 0, 0, 0, 0,
     LVS_EX_GRIDLINES},
    {"explorer list header drag", exList, PB_Explorer_HeaderDragDrop, "SysListView32", 0, 0, 0, 0,
     0, 0, LVS_EX_HEADERDRAGDROP},
    {"explorer list full row", exList, PB_Explorer_FullRowSelect, "SysListView32", 0, 0, 0, 0, 0, 0,
     LVS_EX_FULLROWSELECT},
    {"explorer tree", exTree, 0, "SysTreeView32", TVS_HASLINES | TVS_HASBUTTONS, 0,
     WS_EX_CLIENTEDGE},
    {"explorer tree no lines", exTree, PB_Explorer_NoLines, "SysTreeView32", TVS_HASBUTTONS,
     TVS_HASLINES},
    {"explorer tree no buttons", exTree, PB_Explorer_NoButtons, "SysTreeView32", TVS_HASLINES,
     TVS_HASBUTTONS},
    {"explorer tree show selection", exTree, PB_Explorer_AlwaysShowSelection, "SysTreeView32",
     TVS_SHOWSELALWAYS},
    {"explorer tree borderless", exTree, PB_Explorer_BorderLess, "SysTreeView32", 0, 0, 0,
     WS_EX_CLIENTEDGE},
    {"frame", frame, 0, "Button", 0, 0, 0, 0, kButtonType, BS_GROUPBOX},
    {"frame single", frame, PB_Frame3D_Single, "Static", 0, 0, WS_EX_STATICEDGE},
    {"frame double", frame, PB_Frame3D_Double, "Static", 0, 0, WS_EX_CLIENTEDGE},
    {"frame flat", frame, PB_Frame3D_Flat, "Static", WS_BORDER},
    {"hyperlink", link, 0, "Static", SS_NOTIFY},
    {"image", image, 0, "Static", 0, 0, 0, WS_EX_CLIENTEDGE, kStaticType, SS_BITMAP},
    {"image border", image, PB_Image_Border, "Static", 0, 0, WS_EX_CLIENTEDGE},
    {"list icon", listIcon, 0, "SysListView32", LVS_SINGLESEL, 0, WS_EX_CLIENTEDGE, 0,
     kListViewType, LVS_REPORT},
    {"list icon check boxes", listIcon, PB_ListIcon_CheckBoxes, "SysListView32", 0, 0, 0, 0, 0, 0,
     LVS_EX_CHECKBOXES},
    {"list icon multi select", listIcon, PB_ListIcon_MultiSelect, "SysListView32", 0,
     LVS_SINGLESEL},
    {"list icon grid", listIcon, PB_ListIcon_GridLines, "SysListView32", 0, 0, 0, 0, 0, 0,
     LVS_EX_GRIDLINES},
    {"list icon full row", listIcon, PB_ListIcon_FullRowSelect, "SysListView32", 0, 0, 0, 0, 0, 0,
     LVS_EX_FULLROWSELECT},
    {"list icon header drag", listIcon, PB_ListIcon_HeaderDragDrop, "SysListView32", 0, 0, 0, 0, 0,
     0, LVS_EX_HEADERDRAGDROP},
    {"list icon show selection", listIcon, PB_ListIcon_AlwaysShowSelection, "SysListView32",
     LVS_SHOWSELALWAYS},
    {"list icon no header", listIcon, 0x4000, "SysListView32", LVS_NOCOLUMNHEADER},
    {"list icon no sort header", listIcon, 0x8000, "SysListView32", LVS_NOSORTHEADER},
    {"list view", listView, 0, "ListBox", LBS_NOTIFY, LBS_SORT | LBS_EXTENDEDSEL},
    {"list view extended select", listView, 0x800, "ListBox", LBS_EXTENDEDSEL},
    {"list view multiple select", listView, 0x8, "ListBox", LBS_MULTIPLESEL},
    {"list view no select", listView, 0x4000, "ListBox", LBS_NOSEL},
    {"list view sort", listView, 0x2, "ListBox", LBS_SORT},
    {"panel", panel, 0, "SysTabControl32"},
    {"progress", progress, 0, "msctls_progress32", 0, PBS_VERTICAL | PBS_SMOOTH},
    {"progress vertical", progress, PB_ProgressBar_Vertical, "msctls_progress32", PBS_VERTICAL},
    {"progress smooth", progress, PB_ProgressBar_Smooth, "msctls_progress32", PBS_SMOOTH},
    {"scroll area", scrollArea, 0, "ZarnetScrollArea", 0, WS_BORDER, WS_EX_CLIENTEDGE},
    {"scroll area flat", scrollArea, PB_ScrollArea_Flat, "ZarnetScrollArea", WS_BORDER, 0, 0,
     WS_EX_CLIENTEDGE},
    {"scroll area raised", scrollArea, PB_ScrollArea_Raised, "ZarnetScrollArea", 0, 0,
     WS_EX_DLGMODALFRAME},
    {"scroll area single", scrollArea, PB_ScrollArea_Single, "ZarnetScrollArea", 0, 0,
     WS_EX_STATICEDGE},
    {"scroll area borderless", scrollArea, PB_ScrollArea_BorderLess, "ZarnetScrollArea", 0,
     WS_BORDER, 0, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE},
    {"scroll bar", scrollBar, 0, "ScrollBar", 0, SBS_VERT},
    {"scroll bar vertical", scrollBar, PB_ScrollBar_Vertical, "ScrollBar", SBS_VERT},
    {"spin", spin, 0, "Edit", 0, 0, WS_EX_CLIENTEDGE},
    {"string", string, 0, "Edit", ES_AUTOHSCROLL, ES_PASSWORD, WS_EX_CLIENTEDGE},
    {"string numeric", string, PB_String_Numeric, "Edit", ES_NUMBER},
    {"string multiline", string, PB_String_MultiLine, "Edit", ES_MULTILINE},
    {"string password", string, PB_String_Password, "Edit", ES_PASSWORD},
    {"string read only", string, PB_String_ReadOnly, "Edit", ES_READONLY},
    {"string lower case", string, PB_String_LowerCase, "Edit", ES_LOWERCASE},
    {"string upper case", string, PB_String_UpperCase, "Edit", ES_UPPERCASE},
    {"string borderless", string, PB_String_BorderLess, "Edit", 0, 0, 0, WS_EX_CLIENTEDGE},
    {"string center", string, 0x1, "Edit", ES_CENTER},
    {"string right", string, 0x2, "Edit", ES_RIGHT},
    {"string horizontal scroll", string, 0x100080, "Edit", WS_HSCROLL | ES_AUTOHSCROLL},
    {"string vertical scroll", string, 0x200040, "Edit", WS_VSCROLL | ES_AUTOVSCROLL},
    {"string drops unknown bits", string, 0x80000000, "Edit", 0, WS_POPUP},
    {"text", text, 0, "Static", 0, SS_CENTER | SS_RIGHT, 0, WS_EX_STATICEDGE},
    {"text center", text, PB_Text_Center, "Static", SS_CENTER},
    {"text right", text, PB_Text_Right, "Static", SS_RIGHT},
    // Both together would be SS_ICON, a static that shows (and keeps) no text.
    {"text center and right", text, PB_Text_Center | PB_Text_Right, "Static", SS_CENTER, SS_RIGHT},
    {"text border", text, PB_Text_Border, "Static", 0, 0, WS_EX_STATICEDGE},
    {"track bar", trackBar, 0, "msctls_trackbar32", 0, TBS_VERT | TBS_AUTOTICKS},
    {"track bar vertical", trackBar, PB_TrackBar_Vertical, "msctls_trackbar32", TBS_VERT},
    {"track bar ticks", trackBar, PB_TrackBar_Ticks, "msctls_trackbar32", TBS_AUTOTICKS},
    {"track bar both", trackBar, 0x8, "msctls_trackbar32", TBS_BOTH},
    {"track bar left/top", trackBar, 0x4, "msctls_trackbar32", TBS_LEFT},
    {"tree", tree, 0, "SysTreeView32", TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
     TVS_CHECKBOXES, WS_EX_CLIENTEDGE},
    {"tree no lines", tree, PB_Tree_NoLines, "SysTreeView32", TVS_HASBUTTONS, TVS_HASLINES},
    {"tree no buttons", tree, PB_Tree_NoButtons, "SysTreeView32", TVS_HASLINES, TVS_HASBUTTONS},
    {"tree show selection", tree, PB_Tree_AlwaysShowSelection, "SysTreeView32", TVS_SHOWSELALWAYS},
    {"tree check boxes", tree, PB_Tree_CheckBoxes, "SysTreeView32", TVS_CHECKBOXES},
    {"tree uneven heights", tree, 0x4020, "SysTreeView32", TVS_NONEVENHEIGHT | TVS_SHOWSELALWAYS},
    {"web without browser", web, 0, "Static", 0, 0, WS_EX_CLIENTEDGE},
    {"calendar", calendar, 0, "SysMonthCal32", WS_BORDER},
    {"calendar borderless", calendar, PB_Calendar_Borderless, "SysMonthCal32", 0, WS_BORDER},
    {"date", date, 0, "SysDateTimePick32", 0, DTS_UPDOWN | DTS_SHOWNONE},
    {"date up-down", date, PB_Date_UpDown, "SysDateTimePick32", DTS_UPDOWN},
    {"date check box", date, PB_Date_CheckBox, "SysDateTimePick32", DTS_SHOWNONE},
    {"ip address", ip, 0, "SysIPAddress32"},
    {"container", container, 0, "ZarnetBox", 0, WS_BORDER, 0, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE},
    {"container flat", container, PB_Container_Flat, "ZarnetBox", WS_BORDER},
    {"container raised", container, PB_Container_Raised, "ZarnetBox", 0, 0, WS_EX_DLGMODALFRAME},
    {"container single", container, PB_Container_Single, "ZarnetBox", 0, 0, WS_EX_STATICEDGE},
    {"container double", container, PB_Container_Double, "ZarnetBox", 0, 0, WS_EX_CLIENTEDGE},
};

class StyleTest : public tktest::WindowTest {};

TEST_F(StyleTest, EachFlagGivesItsClassAndStyles) {
    for (const StyleCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const int g = c.make(c.flags);
        ASSERT_NE(g, 0);
        HWND h = GadgetID(g);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(className(h), c.cls);
        EXPECT_EQ(GetParent(h), hwnd());
        EXPECT_TRUE(style(h) & WS_CHILD);
        EXPECT_EQ(style(h) & c.on, c.on);
        EXPECT_EQ(style(h) & c.off, 0u);
        EXPECT_EQ(exStyle(h) & c.exOn, c.exOn);
        EXPECT_EQ(exStyle(h) & c.exOff, 0u);
        EXPECT_EQ(style(h) & c.lowMask, c.low);
        if (c.listEx) {
            const auto ex = static_cast<DWORD>(SendMessageA(h, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
            EXPECT_EQ(ex & c.listEx, c.listEx);
        }
        FreeGadget(g);
        EXPECT_FALSE(IsGadget(g));
        EXPECT_FALSE(::IsWindow(h));
    }
}

// The kinds whose constructor takes no flags at all still get a kind each.
TEST_F(StyleTest, EveryKindReportsItsType) {
    const int first = ButtonGadget(PB_Any, 0, 0, 10, 10, "a");
    const int second = ButtonGadget(PB_Any, 0, 0, 10, 10, "b");
    const int split = SplitterGadget(PB_Any, 10, 10, 200, 100, first, second);
    EXPECT_EQ(GadgetType(split), KindSplitter);
    EXPECT_EQ(className(GadgetID(split)), "ZarnetSplitter");
    EXPECT_EQ(GadgetType(spin(0)), KindSpin);
    EXPECT_EQ(GadgetType(link(0)), KindHyperLink);
    EXPECT_EQ(GadgetType(12345678), 0);
}

} // namespace
