#include "toolkit/styles.h"

#include "toolkit/constants.h"
#include "toolkit/gadgets.h"
#include "toolkit/state.h"

#include <commctrl.h>

namespace tk::detail {
namespace {

// Border styles shared by editor, container and scroll area flags.
DWORD borderStyle(uint32_t flags, uint32_t flat) {
    return (flags & flat) ? WS_BORDER : 0;
}
DWORD borderExStyle(uint32_t flags, uint32_t raised, uint32_t single, uint32_t sunken) {
    DWORD ex = 0;
    if (flags & raised) ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    if (flags & single) ex |= WS_EX_STATICEDGE;
    if (flags & sunken) ex |= WS_EX_CLIENTEDGE;
    return ex;
}

} // namespace

const char* editorClass() {
    static const char* cls = LoadLibraryA("riched20.dll") ? "RichEdit20A" : "Edit";
    return cls;
}

StyleSet stylesFor(int kind, uint32_t f) {
    StyleSet s;
    switch (kind) {
    case KindButton:
        s.cls = "Button";
        // PureBasic's button flags are the button styles of the same meaning.
        s.style = WS_TABSTOP | (f & (PB_Button_Right | PB_Button_Left | PB_Button_MultiLine |
                                     PB_Button_Toggle | BS_FLAT | BS_TOP | BS_BOTTOM | BS_BITMAP));
        break;
    case KindButtonImage:
        s.cls = "Button";
        s.style = WS_TABSTOP | BS_BITMAP | (f & PB_Button_Toggle);
        break;
    case KindCheckBox:
        s.cls = "Button";
        s.style = WS_TABSTOP | BS_AUTOCHECKBOX | (f & PB_CheckBox_Center);
        break;
    case KindOption:
        s.cls = "Button";
        s.style = WS_TABSTOP | BS_AUTORADIOBUTTON;
        break;
    case KindComboBox:
        s.cls = "ComboBox";
        s.style = WS_TABSTOP | WS_VSCROLL | ((f & CBS_DROPDOWN) ? CBS_DROPDOWN : CBS_DROPDOWNLIST) |
                  (f & (CBS_AUTOHSCROLL | CBS_LOWERCASE | CBS_UPPERCASE | CBS_SORT));
        break;
    case KindEditor:
        s.cls = editorClass();
        s.style = WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                  borderStyle(f, PB_Editor_Flat);
        s.exStyle = borderExStyle(f, PB_Editor_Raised, PB_Editor_Single, PB_Editor_Default);
        break;
    case KindExplorerCombo:
        s.cls = WC_COMBOBOXEXA;
        s.style = WS_TABSTOP | WS_VSCROLL |
                  ((f & PB_Explorer_Editable) ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
        break;
    case KindExplorerList:
        s.cls = WC_LISTVIEWA;
        s.style = WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS |
                  ((f & PB_Explorer_MultiSelect) ? 0 : LVS_SINGLESEL) |
                  ((f & PB_Explorer_AlwaysShowSelection) ? LVS_SHOWSELALWAYS : 0);
        s.exStyle = (f & PB_Explorer_BorderLess) ? 0 : WS_EX_CLIENTEDGE;
        s.listExStyle = ((f & PB_Explorer_GridLines) ? LVS_EX_GRIDLINES : 0) |
                        ((f & PB_Explorer_HeaderDragDrop) ? LVS_EX_HEADERDRAGDROP : 0) |
                        ((f & PB_Explorer_FullRowSelect) ? LVS_EX_FULLROWSELECT : 0);
        break;
    case KindExplorerTree:
        s.cls = WC_TREEVIEWA;
        s.style = WS_TABSTOP | TVS_LINESATROOT | ((f & PB_Explorer_NoLines) ? 0 : TVS_HASLINES) |
                  ((f & PB_Explorer_NoButtons) ? 0 : TVS_HASBUTTONS) |
                  ((f & PB_Explorer_AlwaysShowSelection) ? TVS_SHOWSELALWAYS : 0);
        s.exStyle = (f & PB_Explorer_BorderLess) ? 0 : WS_EX_CLIENTEDGE;
        break;
    case KindFrame3D:
        if ((f & PB_Frame3D_Flat) == 0) {
            s.cls = "Button";
            s.style = BS_GROUPBOX;
        } else {
            // A captionless frame: an empty static drawn with a hollow brush
            // so the gadgets inside it stay visible.
            s.cls = "Static";
            const uint32_t kind3d = f & PB_Frame3D_Flat;
            if (kind3d == PB_Frame3D_Flat)
                s.style = WS_BORDER;
            else if (kind3d == PB_Frame3D_Single)
                s.exStyle = WS_EX_STATICEDGE;
            else
                s.exStyle = WS_EX_CLIENTEDGE;
        }
        break;
    case KindHyperLink:
        s.cls = "Static";
        s.style = SS_NOTIFY;
        break;
    case KindImage:
        s.cls = "Static";
        s.style = SS_BITMAP | SS_NOTIFY;
        s.exStyle = (f & PB_Image_Border) ? WS_EX_CLIENTEDGE : 0;
        break;
    case KindListIcon:
        s.cls = WC_LISTVIEWA;
        s.style = WS_TABSTOP | LVS_REPORT | ((f & PB_ListIcon_MultiSelect) ? 0 : LVS_SINGLESEL) |
                  (f & (LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER));
        s.exStyle = WS_EX_CLIENTEDGE;
        s.listExStyle = ((f & PB_ListIcon_CheckBoxes) ? LVS_EX_CHECKBOXES : 0) |
                        ((f & PB_ListIcon_GridLines) ? LVS_EX_GRIDLINES : 0) |
                        ((f & PB_ListIcon_FullRowSelect) ? LVS_EX_FULLROWSELECT : 0) |
                        ((f & PB_ListIcon_HeaderDragDrop) ? LVS_EX_HEADERDRAGDROP : 0);
        break;
    case KindListView:
        s.cls = "ListBox";
        s.style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                  (f & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL | LBS_NOSEL | LBS_SORT));
        s.exStyle = WS_EX_CLIENTEDGE;
        break;
    case KindPanel:
        s.cls = WC_TABCONTROLA;
        s.style = WS_TABSTOP | WS_CLIPCHILDREN;
        s.exStyle = WS_EX_CONTROLPARENT; // TAB goes on into the shown page
        break;
    case KindProgressBar:
        s.cls = PROGRESS_CLASSA;
        s.style = f & (PBS_SMOOTH | PBS_VERTICAL);
        break;
    case KindScrollArea:
        s.cls = kScrollAreaClass;
        s.style = WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN | borderStyle(f, PB_ScrollArea_Flat);
        s.exStyle = borderExStyle(f, PB_ScrollArea_Raised, PB_ScrollArea_Single, 0);
        // Without a border flag the area has the sunken default border.
        if ((f & (PB_ScrollArea_Flat | PB_ScrollArea_Raised | PB_ScrollArea_Single |
                  PB_ScrollArea_BorderLess)) == 0)
            s.exStyle |= WS_EX_CLIENTEDGE;
        s.exStyle |= WS_EX_CONTROLPARENT;
        break;
    case KindScrollBar:
        s.cls = "ScrollBar";
        s.style = (f & PB_ScrollBar_Vertical) ? SBS_VERT : SBS_HORZ;
        break;
    case KindSpin:
        s.cls = "Edit";
        s.style = WS_TABSTOP | ES_AUTOHSCROLL;
        s.exStyle = WS_EX_CLIENTEDGE;
        break;
    case KindString:
        s.cls = "Edit";
        s.style = WS_TABSTOP | ES_AUTOHSCROLL |
                  (f & (PB_String_Numeric | PB_String_MultiLine | PB_String_Password |
                        PB_String_ReadOnly | PB_String_LowerCase | PB_String_UpperCase | ES_CENTER |
                        ES_RIGHT | WS_HSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | ES_AUTOVSCROLL));
        s.exStyle = (f & PB_String_BorderLess) ? 0 : WS_EX_CLIENTEDGE;
        break;
    case KindText:
        s.cls = "Static";
        // SS_NOTIFY: without it the static passes the mouse through and a
        // tooltip on the text never shows.
        // Centre and right together would make SS_ICON, a static that
        // shows no text and reads back empty: the text is centred.
        s.style = SS_NOTIFY | ((f & SS_CENTER) ? SS_CENTER : (f & SS_RIGHT));
        s.exStyle = (f & PB_Text_Border) ? WS_EX_STATICEDGE : 0;
        break;
    case KindTrackBar:
        s.cls = TRACKBAR_CLASSA;
        s.style = WS_TABSTOP | (f & (TBS_AUTOTICKS | TBS_VERT | TBS_LEFT | TBS_BOTH));
        break;
    case KindTree:
        s.cls = WC_TREEVIEWA;
        // The two "no" flags switch off defaults; the other tree styles pass.
        s.style = WS_TABSTOP | TVS_LINESATROOT | ((f & PB_Tree_NoLines) ? 0 : TVS_HASLINES) |
                  ((f & PB_Tree_NoButtons) ? 0 : TVS_HASBUTTONS) | (f & 0xFFFC & ~TVS_LINESATROOT);
        s.exStyle = WS_EX_CLIENTEDGE;
        break;
    case KindWeb:
        s.cls = "Static";
        s.style = SS_LEFT | SS_NOPREFIX;
        s.exStyle = WS_EX_CLIENTEDGE;
        break;
    case KindCalendar:
        s.cls = MONTHCAL_CLASSA;
        s.style = (f & PB_Calendar_Borderless) ? 0 : WS_BORDER;
        break;
    case KindDate:
        s.cls = DATETIMEPICK_CLASSA;
        s.style = WS_TABSTOP | ((f & PB_Date_UpDown) ? DTS_UPDOWN : 0) |
                  ((f & PB_Date_CheckBox) ? DTS_SHOWNONE : 0);
        break;
    case KindIPAddress:
        s.cls = WC_IPADDRESSA;
        s.style = WS_TABSTOP;
        break;
    case KindContainer:
        s.cls = kBoxClass;
        s.style = borderStyle(f, PB_Container_Flat);
        s.exStyle =
            borderExStyle(f, PB_Container_Raised, PB_Container_Single, PB_Container_Double) |
            WS_EX_CONTROLPARENT;
        break;
    case KindSplitter:
        s.cls = kSplitterClass;
        s.style = WS_CLIPCHILDREN;
        s.exStyle = WS_EX_CONTROLPARENT;
        break;
    default:
        break;
    }
    return s;
}

} // namespace tk::detail
