#include "document/catalogue.h"

#include <algorithm>
#include <cctype>

namespace zarnet {
namespace {

using A = CreateArg;

// Creation call arguments after x, y, w, h.
constexpr CreateArg kArgsTextFlags[] = {A::Text, A::Flags};
constexpr CreateArg kArgsZero[] = {A::Zero};
constexpr CreateArg kArgsFlags[] = {A::Flags};
constexpr CreateArg kArgsZeroFlags[] = {A::Zero, A::Flags};
constexpr CreateArg kArgsListIcon[] = {A::Text, A::Para1, A::Flags};
constexpr CreateArg kArgsText[] = {A::Text};
constexpr CreateArg kArgsRangeFlags[] = {A::Para1, A::Para2, A::Flags};
constexpr CreateArg kArgsThreeFlags[] = {A::Para1, A::Para2, A::Para3, A::Flags};
constexpr CreateArg kArgsRange[] = {A::Para1, A::Para2};
constexpr std::span<const CreateArg> kArgsNone{};

constexpr StyleFlag kButtonFlags[] = {
    {"PB_Button_Right", 0x200},    {"PB_Button_Left", 0x100},  {"PB_Button_MultiLine", 0x2000},
    {"PB_Button_Toggle", 0x1003},  {"API_Button_Flat", 0x8000}, {"API_Button_Top", 0x400},
    {"API_Button_Bottom", 0x800},  {"API_Button_Bitmap", 0x80}};
constexpr StyleFlag kCheckBoxFlags[] = {{"PB_CheckBox_Right", 0x200},
                                        {"PB_CheckBox_Center", 0x300}};
constexpr StyleFlag kComboFlags[] = {{"PB_ComboBox_Editable", 0x42},
                                     {"PB_ComboBox_LowerCase", 0x4000},
                                     {"PB_ComboBox_UpperCase", 0x2000},
                                     {"API_ComboBox_Sort", 0x100}};
constexpr StyleFlag kEditorFlags[] = {{"Editor_Flat", 0x1},
                                      {"Editor_Raised", 0x2},
                                      {"Editor_Single", 0x4},
                                      {"Editor_BorderLess", 0x0},
                                      {"Editor_Default", 0x8}};
constexpr StyleFlag kExplorerComboFlags[] = {{"PB_Explorer_DrivesOnly", 0x80},
                                             {"PB_Explorer_Editable", 0x100},
                                             {"PB_Explorer_NoMyDocuments", 0x200}};
constexpr StyleFlag kExplorerListFlags[] = {
    {"PB_Explorer_BorderLess", 0x100000},       {"PB_Explorer_AlwaysShowSelection", 0x1000000},
    {"PB_Explorer_MultiSelect", 0x200000},      {"PB_Explorer_GridLines", 0x400000},
    {"PB_Explorer_HeaderDragDrop", 0x800000},   {"PB_Explorer_FullRowSelect", 0x2000000},
    {"PB_Explorer_NoFiles", 0x1},               {"PB_Explorer_NoFolders", 0x4},
    {"PB_Explorer_NoParentFolder", 0x2},        {"PB_Explorer_NoDirectoryChange", 0x8},
    {"PB_Explorer_NoDriveRequester", 0x10},     {"PB_Explorer_NoSort", 0x20},
    {"PB_Explorer_NoMyDocuments", 0x200},       {"PB_Explorer_AutoSort", 0x40}};
constexpr StyleFlag kExplorerTreeFlags[] = {
    {"PB_Explorer_BorderLess", 0x100000},   {"PB_Explorer_AlwaysShowSelection", 0x1000000},
    {"PB_Explorer_NoLines", 0x4000000},     {"PB_Explorer_NoButtons", 0x8000000},
    {"PB_Explorer_NoFiles", 0x1},           {"PB_Explorer_NoDriveRequester", 0x10},
    {"PB_Explorer_NoMyDocuments", 0x200},   {"PB_Explorer_AutoSort", 0x40}};
constexpr StyleFlag kFrameFlags[] = {
    {"PB_Frame3D_Single", 0x2}, {"PB_Frame3D_Double", 0x1}, {"PB_Frame3D_Flat", 0x3}};
constexpr StyleFlag kImageFlags[] = {{"PB_Image_Border", 0x200}};
constexpr StyleFlag kListIconFlags[] = {
    {"PB_ListIcon_CheckBoxes", 0x1},          {"PB_ListIcon_MultiSelect", 0x4},
    {"PB_ListIcon_GridLines", 0x10000},       {"PB_ListIcon_FullRowSelect", 0x40000000},
    {"PB_ListIcon_HeaderDragDrop", 0x10000000}, {"PB_ListIcon_AlwaysShowSelection", 0x8},
    {"API_ListIcon_NoColumnHeader", 0x4000},  {"API_ListIcon_NoSortHeader", 0x8000}};
constexpr StyleFlag kListViewFlags[] = {{"API_ListView_ExtendedSelect", 0x800},
                                        {"API_ListView_MultipleSelect", 0x8},
                                        {"API_ListView_NoSelect", 0x4000},
                                        {"API_ListView_Sort", 0x2}};
constexpr StyleFlag kProgressFlags[] = {{"PB_ProgressBar_Vertical", 0x4},
                                        {"PB_ProgressBar_Smooth", 0x1}};
constexpr StyleFlag kScrollAreaFlags[] = {{"PB_ScrollArea_Flat", 0x1},
                                          {"PB_ScrollArea_Raised", 0x2},
                                          {"PB_ScrollArea_Single", 0x4},
                                          {"PB_ScrollArea_BorderLess", 0x8},
                                          {"PB_ScrollArea_Default", 0x0}};
constexpr StyleFlag kScrollBarFlags[] = {{"PB_ScrollBar_Vertical", 0x1}};
constexpr StyleFlag kStringFlags[] = {
    {"PB_String_Numeric", 0x2000},     {"PB_String_MultiLine", 0x4},
    {"PB_String_Password", 0x20},      {"PB_String_ReadOnly", 0x800},
    {"PB_String_LowerCase", 0x10},     {"PB_String_UpperCase", 0x8},
    {"PB_String_BorderLess", 0x20000}, {"API_String_Center", 0x1},
    {"API_String_Right", 0x2},         {"API_String_HorzScroll", 0x100080},
    {"API_String_VertScroll", 0x200040}};
constexpr StyleFlag kTextFlags[] = {
    {"PB_Text_Center", 0x1}, {"PB_Text_Right", 0x2}, {"PB_Text_Border", 0x20000}};
constexpr StyleFlag kTrackBarFlags[] = {
    {"PB_TrackBar_Vertical", 0x2}, {"PB_TrackBar_Ticks", 0x1}, {"API_TrackBar_Both", 0x8},
    {"API_TrackBar_Left", 0x4},    {"API_TrackBar_Right", 0x0}, {"API_TrackBar_Top", 0x4},
    {"API_TrackBar_Bottom", 0x0}};
constexpr StyleFlag kTreeFlags[] = {{"PB_Tree_AlwaysShowSelection", 0x20},
                                    {"PB_Tree_NoLines", 0x2},
                                    {"PB_Tree_NoButtons", 0x1},
                                    {"PB_Tree_CheckBoxes", 0x100}};
constexpr StyleFlag kCalendarFlags[] = {{"PB_Calendar_Borderless", 0x800000}};
constexpr StyleFlag kDateFlags[] = {{"PB_Date_UpDown", 0x1}, {"PB_Date_Checkbox", 0x2}};
constexpr StyleFlag kContainerFlags[] = {{"PB_Container_Flat", 0x1},
                                         {"PB_Container_Raised", 0x2},
                                         {"PB_Container_Single", 0x4},
                                         {"PB_Container_BorderLess", 0x0},
                                         {"PB_Container_Double", 0x8}};
constexpr StyleFlag kSplitterFlags[] = {{"PB_Splitter_Vertical", 0x1},
                                        {"PB_Splitter_Separator", 0x2},
                                        {"PB_Splitter_FirstFixed", 0x4},
                                        {"PB_Splitter_SecondFixed", 0x8}};
constexpr std::span<const StyleFlag> kNoFlags{};

constexpr TypeDefaults kSmall{80, 20, 0, 0, 0, 0, -1};
constexpr TypeDefaults kRange100{80, 20, 0, 0, 100, 0, -1};
constexpr TypeDefaults kScrollBar{80, 20, 0, 0, 100, 25, -1};
constexpr TypeDefaults kTrackBar{80, 20, 0, 0, 20, 0, -1};
constexpr TypeDefaults kDate{100, 20, 0, 0, 0, 0, -1};
constexpr TypeDefaults kEditor{80, 80, 8, 0, 0, 0, -1};
constexpr TypeDefaults kListIcon{80, 80, 0, 70, 0, 0, -1};
constexpr TypeDefaults kCalendar{210, 170, 0, 0, 0, 0, -1};
constexpr TypeDefaults kContainer{80, 80, 2, 0, 0, 0, -1};
constexpr TypeDefaults kSquare{80, 80, 0, 0, 0, 0, -1};

// The address a new web gadget starts with.
constexpr std::string_view kWebStart = "http://www.purebasic.com";

const GadgetTypeInfo kTypes[kTypeCount + 1] = {
    {},
    {"ButtonGadget", "BU", 3, "caption", "", "", "", kArgsTextFlags, kButtonFlags, kSmall, "Button"},
    {"ButtonImageGadget", "BI", 0, "", "", "", "", kArgsZero, kNoFlags, kSquare, ""},
    {"CheckBoxGadget", "CH", 3, "caption", "", "", "", kArgsTextFlags, kCheckBoxFlags, kSmall, "CheckBox"},
    {"ComboBoxGadget", "CB", 2, "", "", "", "", kArgsFlags, kComboFlags, kSquare, ""},
    {"EditorGadget", "ED", 2, "", "", "", "", kArgsFlags, kEditorFlags, kEditor, ""},
    {"ExplorerComboGadget", "EC", 3, "start directory", "", "", "", kArgsTextFlags, kExplorerComboFlags, kSquare, "c:\\"},
    {"ExplorerListGadget", "EL", 3, "start directory", "", "", "", kArgsTextFlags, kExplorerListFlags, kSquare, "c:\\"},
    {"ExplorerTreeGadget", "ET", 3, "start directory", "", "", "", kArgsTextFlags, kExplorerTreeFlags, kSquare, "c:\\"},
    {"Frame3DGadget", "FR", 3, "caption", "", "", "", kArgsTextFlags, kFrameFlags, kSquare, "Frame"},
    {"HyperLinkGadget", "HL", 3, "caption", "", "", "", kArgsTextFlags, kNoFlags, kSmall, "Hyperlink"},
    {"ImageGadget", "IM", 2, "", "", "", "", kArgsZeroFlags, kImageFlags, kSquare, ""},
    {"ListIconGadget", "LI", 7, "title of the first column", "width of the first column", "", "", kArgsListIcon, kListIconFlags, kListIcon, "Column0"},
    {"ListViewGadget", "LV", 2, "", "", "", "", kArgsNone, kListViewFlags, kSquare, ""},
    {"OptionGadget", "OP", 1, "caption", "", "", "", kArgsText, kNoFlags, kSmall, "Option"},
    {"PanelGadget", "PA", 0, "", "", "", "", kArgsNone, kNoFlags, kSquare, ""},
    {"ProgressBarGadget", "PB", 14, "", "minimum", "maximum", "", kArgsRangeFlags, kProgressFlags, kRange100, ""},
    {"ScrollAreaGadget", "SA", 30, "", "inner width", "inner height", "scroll step", kArgsThreeFlags, kScrollAreaFlags, kSquare, ""},
    {"ScrollBarGadget", "SB", 30, "", "minimum", "maximum", "page length", kArgsThreeFlags, kScrollBarFlags, kScrollBar, ""},
    {"SpinGadget", "SP", 12, "", "minimum", "maximum", "", kArgsRange, kNoFlags, kRange100, ""},
    {"StringGadget", "ST", 3, "content", "", "", "", kArgsTextFlags, kStringFlags, kSmall, "String"},
    {"TextGadget", "TX", 3, "caption", "", "", "", kArgsTextFlags, kTextFlags, kSmall, "Text"},
    {"TrackBarGadget", "TB", 14, "", "minimum", "maximum", "", kArgsRangeFlags, kTrackBarFlags, kTrackBar, ""},
    {"TreeGadget", "TR", 2, "", "", "", "", kArgsFlags, kTreeFlags, kSquare, ""},
    {"WebGadget", "WE", 1, "address of the page", "", "", "", kArgsText, kNoFlags, kSquare, kWebStart},
    {"CalendarGadget", "CA", 2, "", "", "", "", kArgsZeroFlags, kCalendarFlags, kCalendar, ""},
    {"DateGadget", "DA", 2, "", "", "", "", kArgsTextFlags, kDateFlags, kDate, ""},
    {"IPAddressGadget", "IP", 0, "", "", "", "", kArgsNone, kNoFlags, kSmall, ""},
    {"ContainerGadget", "CO", 2, "", "", "", "", kArgsFlags, kContainerFlags, kContainer, ""},
    {"SplitterGadget", "", 30, "", "number of the first gadget", "number of the second gadget", "position of the separator", kArgsRangeFlags, kSplitterFlags, kSquare, ""},
};

constexpr int kMenuOrder[] = {1,  2,  25, 3,  4,  28, 26, 5,  6,  7,  8,  9,  10, 11,
                              27, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};

} // namespace

bool isGadgetType(int typ) { return typ >= 1 && typ <= kTypeCount; }

const GadgetTypeInfo& gadgetType(int typ) { return kTypes[isGadgetType(typ) ? typ : 0]; }

bool isParentType(int typ) {
    return typ == PanelGadget || typ == ScrollAreaGadget || typ == ContainerGadget;
}

bool isImageCapable(int typ, uint32_t flags) { return imageKind(typ, flags) != 0; }

int imageKind(int typ, uint32_t flags) {
    if (typ == ButtonImageGadget || typ == ImageGadget) return 1;
    if (typ == ButtonGadget && (flags & kButtonBitmapFlag)) return 2;
    return 0;
}

bool hasExclusiveStyles(int typ) {
    return typ == EditorGadget || typ == ScrollAreaGadget || typ == ContainerGadget;
}

std::optional<int> typeByCode(char first, char second) {
    const char a = static_cast<char>(std::toupper(static_cast<unsigned char>(first)));
    const char b = static_cast<char>(std::toupper(static_cast<unsigned char>(second)));
    for (int t = 1; t <= kTypeCount; ++t) {
        const auto code = kTypes[t].code;
        if (code.size() == 2 && code[0] == a && code[1] == b) return t;
    }
    return std::nullopt;
}

std::span<const int> creationMenuOrder() { return kMenuOrder; }

const std::array<uint8_t, kTypeCount + 1>& fieldMasks() {
    static const std::array<uint8_t, kTypeCount + 1> masks = [] {
        std::array<uint8_t, kTypeCount + 1> m{};
        for (int t = 1; t <= kTypeCount; ++t) m[t] = kTypes[t].mask;
        return m;
    }();
    return masks;
}

} // namespace zarnet
