// PureBasic's constant values as the toolkit understands them. Flag values
// are PureBasic's own; the toolkit maps them to Win32 styles.
#pragma once

#include <cstdint>

namespace tk {

// Object numbering: #PB_Any asks the toolkit to allocate a number. Numbers
// from #PB_Any are small integers mapped to objects (never addresses), so they
// fit the 32-bit slots of a design's item array on every target.
inline constexpr int PB_Any = -1;
inline constexpr int PB_All = -1;     // SetWindowCallback: every window
inline constexpr int PB_Default = -1; // SetGadgetFont: the default font
// Explicitly numbered objects take numbers 0..kMaxStaticNumber; #PB_Any
// numbers start above that range and are never reused within a process.
inline constexpr int kMaxStaticNumber = 0xFFFFF;

// Window callback result asking for the toolkit's own handling.
inline constexpr intptr_t PB_ProcessPureBasicEvents = -1;

// Event codes returned by WindowEvent(). Codes of other window messages come
// back unchanged (they are the message numbers).
inline constexpr int PB_Event_MoveWindow = 3;   // WM_MOVE
inline constexpr int PB_Event_SizeWindow = 5;   // WM_SIZE
inline constexpr int PB_Event_Repaint = 15;     // WM_PAINT
inline constexpr int PB_Event_CloseWindow = 16; // WM_CLOSE
inline constexpr int PB_Event_SysCommand = 274; // WM_SYSCOMMAND
inline constexpr int PB_Event_Gadget = 13100;
inline constexpr int PB_Event_Menu = 13101;
inline constexpr int PB_Event_ActivateWindow = 13104;

// EventType() of gadget events.
inline constexpr int PB_EventType_LeftClick = 0;
inline constexpr int PB_EventType_RightClick = 1;
inline constexpr int PB_EventType_LeftDoubleClick = 2;
inline constexpr int PB_EventType_RightDoubleClick = 3;
inline constexpr int PB_EventType_Focus = 14;
inline constexpr int PB_EventType_LostFocus = 15;
inline constexpr int PB_EventType_Change = 768;

// Window flags.
inline constexpr uint32_t PB_Window_ScreenCentered = 0x1;
inline constexpr uint32_t PB_Window_WindowCentered = 0x2;
inline constexpr uint32_t PB_Window_Tool = 0x4;
inline constexpr uint32_t PB_Window_NoGadgets = 0x8;
inline constexpr uint32_t PB_Window_MaximizeGadget = 0xC90000;
inline constexpr uint32_t PB_Window_MinimizeGadget = 0xCA0000;
inline constexpr uint32_t PB_Window_SizeGadget = 0xC40000;
inline constexpr uint32_t PB_Window_SystemMenu = 0xC80000;
inline constexpr uint32_t PB_Window_TitleBar = 0xC00000;
inline constexpr uint32_t PB_Window_Maximize = 0x1000000;
inline constexpr uint32_t PB_Window_Invisible = 0x10000000;
inline constexpr uint32_t PB_Window_Minimize = 0x20000000;
inline constexpr uint32_t PB_Window_BorderLess = 0x80000000;

// Gadget flags. Where PureBasic's value is also the Win32 style of the same
// meaning the toolkit passes it on; the others are translated.
inline constexpr uint32_t PB_Button_Right = 0x200;
inline constexpr uint32_t PB_Button_Left = 0x100;
inline constexpr uint32_t PB_Button_MultiLine = 0x2000;
inline constexpr uint32_t PB_Button_Toggle = 0x1003;
inline constexpr uint32_t PB_CheckBox_Right = 0x200;
inline constexpr uint32_t PB_CheckBox_Center = 0x300;
inline constexpr uint32_t PB_ComboBox_Editable = 0x42;
inline constexpr uint32_t PB_ComboBox_LowerCase = 0x4000;
inline constexpr uint32_t PB_ComboBox_UpperCase = 0x2000;
inline constexpr uint32_t PB_Explorer_NoFiles = 0x1;
inline constexpr uint32_t PB_Explorer_NoParentFolder = 0x2;
inline constexpr uint32_t PB_Explorer_NoFolders = 0x4;
inline constexpr uint32_t PB_Explorer_NoDirectoryChange = 0x8;
inline constexpr uint32_t PB_Explorer_NoDriveRequester = 0x10;
inline constexpr uint32_t PB_Explorer_NoSort = 0x20;
inline constexpr uint32_t PB_Explorer_AutoSort = 0x40;
inline constexpr uint32_t PB_Explorer_DrivesOnly = 0x80;
inline constexpr uint32_t PB_Explorer_Editable = 0x100;
inline constexpr uint32_t PB_Explorer_NoMyDocuments = 0x200;
inline constexpr uint32_t PB_Explorer_BorderLess = 0x100000;
inline constexpr uint32_t PB_Explorer_MultiSelect = 0x200000;
inline constexpr uint32_t PB_Explorer_GridLines = 0x400000;
inline constexpr uint32_t PB_Explorer_HeaderDragDrop = 0x800000;
inline constexpr uint32_t PB_Explorer_AlwaysShowSelection = 0x1000000;
inline constexpr uint32_t PB_Explorer_FullRowSelect = 0x2000000;
inline constexpr uint32_t PB_Explorer_NoLines = 0x4000000;
inline constexpr uint32_t PB_Explorer_NoButtons = 0x8000000;
inline constexpr uint32_t PB_Frame3D_Double = 0x1;
inline constexpr uint32_t PB_Frame3D_Single = 0x2;
inline constexpr uint32_t PB_Frame3D_Flat = 0x3;
inline constexpr uint32_t PB_Image_Border = 0x200;
inline constexpr uint32_t PB_ListIcon_CheckBoxes = 0x1;
inline constexpr uint32_t PB_ListIcon_MultiSelect = 0x4;
inline constexpr uint32_t PB_ListIcon_AlwaysShowSelection = 0x8;
inline constexpr uint32_t PB_ListIcon_GridLines = 0x10000;
inline constexpr uint32_t PB_ListIcon_HeaderDragDrop = 0x10000000;
inline constexpr uint32_t PB_ListIcon_FullRowSelect = 0x40000000;
inline constexpr uint32_t PB_ProgressBar_Smooth = 0x1;
inline constexpr uint32_t PB_ProgressBar_Vertical = 0x4;
inline constexpr uint32_t PB_ScrollArea_Flat = 0x1;
inline constexpr uint32_t PB_ScrollArea_Raised = 0x2;
inline constexpr uint32_t PB_ScrollArea_Single = 0x4;
inline constexpr uint32_t PB_ScrollArea_BorderLess = 0x8;
inline constexpr uint32_t PB_ScrollBar_Vertical = 0x1;
inline constexpr uint32_t PB_String_Numeric = 0x2000;
inline constexpr uint32_t PB_String_MultiLine = 0x4;
inline constexpr uint32_t PB_String_Password = 0x20;
inline constexpr uint32_t PB_String_ReadOnly = 0x800;
inline constexpr uint32_t PB_String_LowerCase = 0x10;
inline constexpr uint32_t PB_String_UpperCase = 0x8;
inline constexpr uint32_t PB_String_BorderLess = 0x20000;
inline constexpr uint32_t PB_Text_Center = 0x1;
inline constexpr uint32_t PB_Text_Right = 0x2;
inline constexpr uint32_t PB_Text_Border = 0x20000;
inline constexpr uint32_t PB_TrackBar_Ticks = 0x1;
inline constexpr uint32_t PB_TrackBar_Vertical = 0x2;
inline constexpr uint32_t PB_Tree_NoButtons = 0x1;
inline constexpr uint32_t PB_Tree_NoLines = 0x2;
inline constexpr uint32_t PB_Tree_AlwaysShowSelection = 0x20;
inline constexpr uint32_t PB_Tree_CheckBoxes = 0x100;
inline constexpr uint32_t PB_Calendar_Borderless = 0x800000;
inline constexpr uint32_t PB_Date_UpDown = 0x1;
inline constexpr uint32_t PB_Date_CheckBox = 0x2;
inline constexpr uint32_t PB_Container_Flat = 0x1;
inline constexpr uint32_t PB_Container_Raised = 0x2;
inline constexpr uint32_t PB_Container_Single = 0x4;
inline constexpr uint32_t PB_Container_BorderLess = 0x0;
inline constexpr uint32_t PB_Container_Double = 0x8;
inline constexpr uint32_t PB_Editor_Flat = 0x1;
inline constexpr uint32_t PB_Editor_Raised = 0x2;
inline constexpr uint32_t PB_Editor_Single = 0x4;
inline constexpr uint32_t PB_Editor_Default = 0x8;
inline constexpr uint32_t PB_Splitter_Vertical = 0x1;
inline constexpr uint32_t PB_Splitter_Separator = 0x2;
inline constexpr uint32_t PB_Splitter_FirstFixed = 0x4;
inline constexpr uint32_t PB_Splitter_SecondFixed = 0x8;

// Gadget attributes (Get/SetGadgetAttribute).
inline constexpr int PB_Splitter_FirstMinimumSize = 1;
inline constexpr int PB_Splitter_SecondMinimumSize = 2;
inline constexpr int PB_Splitter_FirstGadget = 3;
inline constexpr int PB_Splitter_SecondGadget = 4;
inline constexpr int PB_ScrollArea_InnerWidth = 10;
inline constexpr int PB_ScrollArea_InnerHeight = 11;
inline constexpr int PB_ScrollArea_X = 12;
inline constexpr int PB_ScrollArea_Y = 13;
inline constexpr int PB_ScrollArea_ScrollStep = 14;
inline constexpr int PB_Minimum = 20; // progress, track bar, scroll bar, spin
inline constexpr int PB_Maximum = 21;
inline constexpr int PB_ScrollBar_PageLength = 22;
inline constexpr int PB_ListIcon_ColumnWidth = 30; // item attribute, column given

// Gadget colours (Set/GetGadgetColor).
inline constexpr int PB_Gadget_FrontColor = 1;
inline constexpr int PB_Gadget_BackColor = 2;

// Font styles of LoadFont.
inline constexpr uint32_t PB_Font_Underline = 0x4;
inline constexpr uint32_t PB_Font_StrikeOut = 0x8;
inline constexpr uint32_t PB_Font_HighQuality = 0x10;
inline constexpr uint32_t PB_Font_Bold = 0x100;
inline constexpr uint32_t PB_Font_Italic = 0x200;

// Message requester flags and results (the platform's values).
inline constexpr uint32_t PB_MessageRequester_Ok = 0x0;
inline constexpr uint32_t PB_MessageRequester_YesNoCancel = 0x3;
inline constexpr uint32_t PB_MessageRequester_YesNo = 0x4;
inline constexpr int PB_MessageRequester_Yes = 6;
inline constexpr int PB_MessageRequester_No = 7;
inline constexpr int PB_MessageRequester_Cancel = 2;

// Menu item states.
inline constexpr int PB_MenuItem_Checked = 1;

} // namespace tk
