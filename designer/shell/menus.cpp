// The main pop-up menu, the creation list, the canvas's system menu and
// the commands they carry.
#include "designer/shell/designer.h"

#include "designer/arrange/align.h"
#include "designer/arrange/tab_order.h"
#include "designer/canvas/structure.h"
#include "document/catalogue.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

namespace {

void creationEntries() {
    for (int typ : creationMenuOrder()) tk::MenuItem(typ, typeName(typ));
}

} // namespace

void Designer::buildMenus() {
    tk::CreatePopupMenu(kMainMenu);
    tk::OpenSubMenu("New Gadget");
    creationEntries();
    tk::CloseSubMenu();
    tk::MenuBar();
    tk::MenuItem(MenuUndo, "Undo");
    tk::MenuItem(MenuRedo, "Redo");
    tk::MenuItem(MenuPaste, "Paste");
    tk::MenuBar();
    tk::MenuItem(MenuShowTabOrder, kShowTabOrderText);
    tk::MenuItem(MenuSortTabOrder, kSortTabOrderText);
    tk::MenuItem(MenuCheckKeyboard, "Check Keyboard Access");
    addStackingEntries();
    tk::MenuBar();
    tk::MenuItem(MenuPreview, "Preview Zarnet");
    tk::MenuBar();
    tk::MenuItem(MenuToggleXp, "Toggle XP Skin");
    tk::MenuBar();
    tk::MenuItem(MenuNew, "New Zarnet");
    tk::MenuBar();
    tk::MenuItem(MenuLoad, "Load Zarnet");
    tk::MenuItem(MenuSave, "Save Zarnet");
    tk::MenuItem(MenuSaveAs, "Save Zarnet as..");
    designListEntries();
    tk::MenuBar();
    tk::OpenSubMenu("Generate source          ");
    tk::MenuItem(MenuFullSource, "Generate full source");
    tk::MenuItem(MenuIncludeSource, "Generate include source only");
    tk::MenuItem(MenuConstants, "Copy constants to clipboard");
    tk::CloseSubMenu();
    tk::MenuBar();
    tk::OpenSubMenu("View");
    tk::MenuItem(MenuObjectManager, "Object Manager");
    tk::MenuItem(MenuLearner, "Learner Mode");
    tk::CloseSubMenu();
    tk::MenuBar();
    tk::MenuItem(MenuGrid, "Grid");
    tk::OpenSubMenu("Gridsize");
    tk::MenuItem(MenuGrid5, "5 Pixel");
    tk::MenuItem(MenuGrid10, "10 Pixel");
    tk::MenuItem(MenuUserGrid, "User size");
    tk::CloseSubMenu();
    tk::MenuItem(MenuShowGrid, "Show Grid");
    tk::MenuBar();
    tk::MenuItem(MenuExit, "Exit");

    tk::CreatePopupMenu(kCreationMenu);
    creationEntries();

    tk::SetMenuItemState(kMainMenu, MenuGrid, prefs[PrefGridSnap]);
    tk::SetMenuItemState(kMainMenu, MenuShowGrid, prefs[PrefShowGrid]);
    tk::SetMenuItemState(kMainMenu, MenuObjectManager, prefs[PrefObjectManagerVisible]);
    tk::SetMenuItemState(kMainMenu, MenuLearner, prefs[PrefLearnerMode]);
}

void Designer::rebuildSystemMenu() {
    if (!systemMenu) return;
    DeleteMenu(systemMenu, SC_MINIMIZE, MF_BYCOMMAND);
    DeleteMenu(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(systemMenu, SC_RESTORE, MF_BYCOMMAND);
    // Each entry goes in at position 2, before the one inserted just before.
    struct Entry {
        UINT id;
        const char* text; // nullptr: a separator
    };
    static constexpr Entry kEntries[] = {
        {SysSaveAs, "Save Zarnet as.."}, {SysSave, "Save Zarnet"},      {SysLoad, "Load Zarnet"},
        {143, nullptr},                  {SysNew, "New Zarnet"},        {141, nullptr},
        {SysToggleXp, "Toggle XP Skin"}, {142, nullptr},
    };
    for (const Entry& e : kEntries) {
        if (e.text)
            InsertMenuA(systemMenu, 2, MF_BYPOSITION, e.id, e.text);
        else
            InsertMenuA(systemMenu, 2, MF_BYPOSITION | MF_SEPARATOR, e.id, nullptr);
    }
}

void Designer::toggleCheck(int id, int& preference) {
    const int state = 1 - tk::GetMenuItemState(kMainMenu, id);
    tk::SetMenuItemState(kMainMenu, id, state);
    preference = state;
}

void Designer::menuCommand(int id) {
    if (id >= 1 && id <= 28) {
        createFromMenu(id);
        return;
    }
    if (designListCommand(id)) return;
    if (id >= MenuAlignFirst && static_cast<size_t>(id - MenuAlignFirst) < alignMenu().size()) {
        alignGroup(static_cast<size_t>(id - MenuAlignFirst));
        return;
    }
    if (id >= MenuBringToFront && id <= MenuSendBackward) {
        // From the group menu the group; from the main pop-up what the right
        // click unmarked.
        std::vector<size_t> items = selectedItems();
        if (items.empty())
            for (const int n : menuStackItems)
                if (const int i = itemByNumber(design.items, n); i >= 0) items.push_back(static_cast<size_t>(i));
        static constexpr Restack kMoves[] = {Restack::ToFront, Restack::ToBack, Restack::Forward,
                                             Restack::Backward};
        restack(kMoves[id - MenuBringToFront], std::move(items));
        return;
    }
    if (id >= MenuGroupFont && id < MenuGroupAnchorFirst + 8) {
        groupPropertyCommand(id);
        return;
    }
    switch (id) {
    case MenuUndo:
        undo();
        break;
    case MenuRedo:
        redo();
        break;
    case MenuShowTabOrder:
        toggleTabOrder();
        break;
    case MenuSortTabOrder:
        sortTabOrder();
        break;
    case MenuCheckKeyboard:
        showKeyboardCheck();
        break;
    case MenuPaste: {
        POINT at = menuPosition;
        ClientToScreen(canvas, &at);
        pasteClipboard(at);
        break;
    }
    case MenuSaveAs:
        saveAs();
        break;
    case MenuSave:
        save();
        break;
    case MenuNew:
        newDesign();
        break;
    case MenuExit:
        exit();
        break;
    case MenuLoad:
        load();
        break;
    case MenuGrid:
        toggleCheck(MenuGrid, prefs[PrefGridSnap]);
        break;
    case MenuObjectManager:
        toggleCheck(MenuObjectManager, prefs[PrefObjectManagerVisible]);
        tk::HideWindow(kObjectManagerWindow, prefs[PrefObjectManagerVisible] == 0);
        break;
    case MenuLearner:
        toggleCheck(MenuLearner, prefs[PrefLearnerMode]);
        tk::HideWindow(kLearnerWindow, prefs[PrefLearnerMode] == 0);
        break;
    case MenuUserGrid:
        askGridSize();
        break;
    case MenuHorizontalSplitter:
    case MenuVerticalSplitter:
        combineToSplitter(id == MenuVerticalSplitter);
        break;
    case MenuContainer:
        combineToContainer();
        break;
    case MenuGrid5:
        setGridFromMenu(5);
        break;
    case MenuGrid10:
        setGridFromMenu(10);
        break;
    case MenuShowGrid:
        toggleShowGrid();
        break;
    case MenuPreview:
        preview();
        break;
    case MenuToggleXp:
        toggleXpStyle();
        break;
    case MenuFullSource:
        generateProgram();
        break;
    case MenuIncludeSource:
        generateInclude();
        break;
    case MenuConstants:
        copyConstants();
        break;
    default:
        break;
    }
}

void Designer::systemCommand(int id) {
    switch (id) {
    case SysLoad:
        load();
        break;
    case SysSave:
        save();
        break;
    case SysSaveAs:
        saveAs();
        break;
    case SysNew:
        newDesign();
        break;
    case SysToggleXp:
        toggleXpStyle();
        break;
    default:
        break;
    }
}

} // namespace zarnet::designer
