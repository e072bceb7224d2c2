// The object manager: the tree of every design item and the field panel
// below it, plus the learner window's layout.
#include "designer/shell/designer.h"

#include "designer/shell/tree_filter.h"
#include "designer/shell/type_icons.h"
#include "document/catalogue.h"
#include "toolkit/toolkit.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

// Image list index of type icon entry 1..30.
constexpr int iconIndex(int entry) { return entry - 1; }

// The fields that only mean something for a marked item.
constexpr int kItemFields[] = {1,  24, 25, 26, 27, 11, 12, 13, 14, 8,  9,  10,
                               15, 16, 17, 18, 19, 4,  5,  6,  32, 33, 34, 35};

} // namespace

// Every node is shown open: entries go in already expanded, which spares
// expanding them one by one afterwards.
HTREEITEM insertTreeEntry(HWND tree, HTREEITEM parent, const std::string& text, int icon,
                          HTREEITEM after) {
    TVINSERTSTRUCTA ins = {};
    ins.hParent = parent;
    ins.hInsertAfter = after;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    ins.item.state = ins.item.stateMask = TVIS_EXPANDED;
    ins.item.pszText = const_cast<char*>(text.c_str());
    ins.item.iImage = ins.item.iSelectedImage = iconIndex(icon);
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

void Designer::decodeTypeIcons() {
    if (typeIcons) ImageList_Destroy(typeIcons);
    typeIcons = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 30, 0);
    for (int entry = 1; entry <= 30; ++entry) {
        const auto file = typeIconFile(entry);
        // The icon's image starts after its 6-byte header and one 16-byte
        // directory entry.
        constexpr size_t kImageAt = 22;
        HICON icon = CreateIconFromResourceEx(const_cast<uint8_t*>(file.data() + kImageAt),
                                              static_cast<DWORD>(file.size() - kImageAt), TRUE,
                                              0x00030000, 16, 16, 0);
        if (icon) {
            ImageList_AddIcon(typeIcons, icon);
            DestroyIcon(icon);
        } else {
            // Keeps the indexes of the later icons right.
            HBITMAP blank = CreateBitmap(16, 16, 1, 32, nullptr);
            ImageList_Add(typeIcons, blank, nullptr);
            DeleteObject(blank);
        }
    }
    SendMessageA(tk::GadgetID(tree), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(typeIcons));
}

void Designer::rebuildTree() {
    HWND t = tk::GadgetID(tree);
    if (!t) return;
    // Filled while hidden: a shown tree lays itself out again on every
    // entry, redrawing off or not.
    const bool shown = IsWindowVisible(t);
    if (shown) ShowWindow(t, SW_HIDE);
    EnableWindow(t, FALSE);
    SendMessageA(t, WM_SETREDRAW, FALSE, 0);
    SendMessageA(t, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    struct Node {
        HTREEITEM container; // the panel, scroll area or container entry
        HTREEITEM current;   // where its children go: itself or its tab
    };
    std::vector<Node> open;
    // With a filter typed in the find box only the entries it keeps go in;
    // the others (and so everything below them) have no entry.
    const std::vector<bool> keep = treeFilterKeeps(design.items, treeFilter);
    for (size_t i = 0; i < design.items.size(); ++i) {
        Item& it = design.items[i];
        it.treeitem = 0;
        if (it.typ == kTabRecord) {
            if (open.empty()) continue;
            open.back().current =
                keep[i] ? insertTreeEntry(t, open.back().container, it.wtext, kTabIcon) : nullptr;
            it.treeitem = reinterpret_cast<Handle>(open.back().current);
            continue;
        }
        if (it.typ == kCloseRecord) {
            if (!open.empty()) open.pop_back();
            continue;
        }
        HTREEITEM parent = open.empty() ? TVI_ROOT : open.back().current;
        HTREEITEM entry =
            keep[i] ? insertTreeEntry(t, parent, treeText(it), treeIcon(it)) : nullptr;
        it.treeitem = reinterpret_cast<Handle>(entry);
        if (isParentType(it.typ)) open.push_back({entry, entry});
    }
    lastTreeSelection = nullptr;
    if (HTREEITEM first = TreeView_GetRoot(t)) TreeView_EnsureVisible(t, first);
    SendMessageA(t, WM_SETREDRAW, TRUE, 0);
    EnableWindow(t, TRUE);
    if (shown) ShowWindow(t, SW_SHOWNA);
}

void Designer::layoutObjectManager() {
    RECT c;
    GetClientRect(objectManager, &c);
    // The find box takes the tree's top; the tree is shorter by as much.
    tk::ResizeGadget(findField, 0, 0, c.right, kFindFieldHeight);
    tk::ResizeGadget(tree, 0, kFindFieldHeight, c.right, std::max(0L, c.bottom - 277 - kFindFieldHeight));
    tk::ResizeGadget(fields[FieldPanel], (c.right - 190) / 2, c.bottom - 272, -1, -1);
}

void Designer::layoutLearner() {
    RECT c;
    GetClientRect(learner, &c);
    tk::ResizeGadget(tipField, 0, 0, c.right, c.bottom);
}

void Designer::clearFields() {
    for (int f : {FieldX, FieldY, FieldWidth, FieldHeight, FieldName, FieldNumber})
        tk::SetGadgetText(fields[f], "");
    for (int f : {int(FieldFixed), int(FieldDisable), int(FieldHide), 16, 17, 18, 19, 32, 33, 34, 35, int(FieldFont),
                  int(FieldTooltip), int(FieldExtend)})
        tk::SetGadgetState(fields[f], 0);
    for (int f : kItemFields) tk::DisableGadget(fields[f], true);
}

} // namespace zarnet::designer
