#include "designer/shell/shell_logic.h"

namespace zarnet::designer {

namespace {

// Lines end with CR LF; a tip that ends with a line break keeps it.
constexpr std::string_view kTips[] = {
    "",
    "Welcome to Zarnet!\r\n"
    "\r\n"
    "Please press [RIGHT BUTTON] in the main window to see what you can do.\r\n"
    "Press [ESCAPE] to re-initialize your design.\r\n"
    "\r\n"
    "When you are grown up to an expert, you can turn off learner mode in the \"view\" menu.\r\n"
    "\r\n",
    "You can press [RETURN] on marked gadget to edit values, or\r\n"
    "[RIGHT BUTTON] to edit styles and in some cases more.\r\n"
    "Unmark gadget and hold [MENU] to edit such things as\r\n"
    "splitter position or column width.\r\n"
    "\r\n"
    "You can also create gadgets by pressing the first two letters of their name.\r\n"
    "\r\n"
    "Another way of creation is to mark any gadget, then unmark and press [SPACE]\r\n"
    "and you create a gadget of same type below your mouse pointer.\r\n",
    "Press [SHIFT] for pixel precise moving.\r\n"
    "\r\n"
    "This works also for groups or for movement by [CURSOR KEYS]\r\n"
    "\r\n"
    "You can also change positon if you direct input them\r\n"
    "in the object manager fields.",
    "Press [SHIFT] for pixel precise scaling.\r\n"
    "\r\n"
    "This works also for groups.\r\n"
    "Also you can use [CURSOR KEYS] + [CONTROL] to size single gadgets\r\n"
    "\r\n"
    "You can also change size of single gadgets if you direct input them\r\n"
    "in the object manager fields.",
    "To add gadgets to a PanelGadget, ScrollArea or ContainerGadget\r\n"
    "you have to select it first and then press [RIGHT BUTTON] inside,\r\n"
    "or use the fast ways by pressing first letters or [SPACE]\r\n"
    "\r\n"
    "If you want select a group of gadgets inside them, you have to mark\r\n"
    "parent first, too. Then press and hold [CONTROL] to make the\r\n"
    "selection.",
    "If you want select or move FrameGadgets you have to hold [SHIFT] key.\r\n"
    "\r\n"
    "If the FrameGadget is child of a ContainerGadget and the ContainerGadget\r\n"
    "is part of SplitterGadget, you have to unmark container first and then\r\n"
    "hold [SHIFT] + [X] key to select FrameGadget.",
    "If you want to select or move SplitterGadgets inside Panel, Container or ScrollArea\r\n"
    "you have to hold [SHIFT] key.",
    "You can also press [ENTER] for a fast preview, but you have to\r\n"
    "unmark all gadgets first.\r\n"
    "\r\n"
    "You can also close the preview window by pressing [ESCAPE]",
    "You can also press [CONTROL] in the object manager to toggle\r\n"
    "show and hide for a gadget.",
    "Press [RIGHT BUTTON] above group, to see group options.\r\n"
    "\r\n"
    "You can also press [CONTROL] to add/remove item in the group.\r\n"
    "\r\n"
    "Press and hold [MENU] when you are selecting to make a multi select.",
    "This works for groups, too.",
};

} // namespace

std::string_view tipText(int n) {
    if (n < 0 || n >= static_cast<int>(std::size(kTips))) return {};
    return kTips[n];
}

} // namespace zarnet::designer
