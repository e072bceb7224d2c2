// Combo boxes, list views (list boxes), list icons and trees: gadgets made
// of items.
#include "toolkit/gadgets.h"

#include "toolkit/kinds.h"
#include "toolkit/state.h"

#include <algorithm>

namespace tk {
using namespace detail;

namespace detail {

int listViewInsertColumn(HWND list, int pos, std::string_view title, int width) {
    std::string t(title);
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = t.data();
    col.cx = width;
    const int count =
        Header_GetItemCount(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)));
    const int at = pos < 0 || pos > count ? count : pos;
    col.iSubItem = at;
    return static_cast<int>(SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(at),
                                         reinterpret_cast<LPARAM>(&col)));
}

std::string listViewItemText(HWND list, int item, int column) {
    std::string buf(1024, '\0');
    LVITEMA it{};
    it.iSubItem = column;
    it.pszText = buf.data();
    it.cchTextMax = static_cast<int>(buf.size());
    const int n = static_cast<int>(SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                                                reinterpret_cast<LPARAM>(&it)));
    buf.resize(static_cast<size_t>(std::clamp(n, 0, static_cast<int>(buf.size()))));
    return buf;
}

} // namespace detail

namespace {

// ---- combo box ----

int comboAdd(GadgetRec& g, int pos, std::string_view text, HBITMAP, int) {
    const std::string t(text);
    const auto lp = reinterpret_cast<LPARAM>(t.c_str());
    const LRESULT r = pos < 0 ? SendMessageA(g.hwnd, CB_ADDSTRING, 0, lp)
                              : SendMessageA(g.hwnd, CB_INSERTSTRING, static_cast<WPARAM>(pos), lp);
    return r < 0 ? -1 : static_cast<int>(r);
}
void comboRemove(GadgetRec& g, int pos) {
    SendMessageA(g.hwnd, CB_DELETESTRING, static_cast<WPARAM>(pos), 0);
}
void comboClear(GadgetRec& g) {
    SendMessageA(g.hwnd, CB_RESETCONTENT, 0, 0);
}
int comboCount(GadgetRec& g) {
    return static_cast<int>(SendMessageA(g.hwnd, CB_GETCOUNT, 0, 0));
}
std::string comboItem(GadgetRec& g, int item, int) {
    const LRESULT n = SendMessageA(g.hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
    if (n < 0) return {};
    std::string s(static_cast<size_t>(n) + 1, '\0');
    SendMessageA(g.hwnd, CB_GETLBTEXT, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
}
void setComboItem(GadgetRec& g, int item, std::string_view text, int) {
    if (item < 0 || item >= comboCount(g)) return;
    const LRESULT sel = SendMessageA(g.hwnd, CB_GETCURSEL, 0, 0);
    comboRemove(g, item);
    const std::string t(text);
    SendMessageA(g.hwnd, CB_INSERTSTRING, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(t.c_str()));
    if (sel == item) SendMessageA(g.hwnd, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}
int64_t comboState(GadgetRec& g) {
    return static_cast<int>(SendMessageA(g.hwnd, CB_GETCURSEL, 0, 0));
}
void setComboState(GadgetRec& g, int64_t v) {
    SendMessageA(g.hwnd, CB_SETCURSEL, static_cast<WPARAM>(v), 0);
}
void setComboText(GadgetRec& g, std::string_view text) {
    const std::string t(text);
    if ((GetWindowLongA(g.hwnd, GWL_STYLE) & 3) == CBS_DROPDOWNLIST) {
        // A fixed list can only show one of its items.
        SendMessageA(
            g.hwnd, CB_SETCURSEL,
            static_cast<WPARAM>(SendMessageA(g.hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(t.c_str()))),
            0);
    } else {
        SetWindowTextA(g.hwnd, t.c_str());
    }
}
void comboCommand(GadgetRec& g, HWND, int code) {
    if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) pushGadgetEvent(g, PB_EventType_Change);
}

// ---- list view (a list box) ----

bool multiSelect(GadgetRec& g) {
    return GetWindowLongA(g.hwnd, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
}
int listAdd(GadgetRec& g, int pos, std::string_view text, HBITMAP, int) {
    const std::string t(text);
    const auto lp = reinterpret_cast<LPARAM>(t.c_str());
    const LRESULT r = pos < 0 ? SendMessageA(g.hwnd, LB_ADDSTRING, 0, lp)
                              : SendMessageA(g.hwnd, LB_INSERTSTRING, static_cast<WPARAM>(pos), lp);
    return r < 0 ? -1 : static_cast<int>(r);
}
void listRemove(GadgetRec& g, int pos) {
    SendMessageA(g.hwnd, LB_DELETESTRING, static_cast<WPARAM>(pos), 0);
}
void listClear(GadgetRec& g) {
    SendMessageA(g.hwnd, LB_RESETCONTENT, 0, 0);
}
int listCount(GadgetRec& g) {
    return static_cast<int>(SendMessageA(g.hwnd, LB_GETCOUNT, 0, 0));
}
std::string listItem(GadgetRec& g, int item, int) {
    const LRESULT n = SendMessageA(g.hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(item), 0);
    if (n < 0) return {};
    std::string s(static_cast<size_t>(n) + 1, '\0');
    SendMessageA(g.hwnd, LB_GETTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
}
void setListItem(GadgetRec& g, int item, std::string_view text, int) {
    if (item < 0 || item >= listCount(g)) return;
    listRemove(g, item);
    const std::string t(text);
    SendMessageA(g.hwnd, LB_INSERTSTRING, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(t.c_str()));
}
int64_t listState(GadgetRec& g) {
    if (multiSelect(g)) return static_cast<int>(SendMessageA(g.hwnd, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageA(g.hwnd, LB_GETCURSEL, 0, 0));
}
void setListState(GadgetRec& g, int64_t v) {
    if (multiSelect(g)) {
        SendMessageA(g.hwnd, LB_SETSEL, FALSE, -1);
        if (v >= 0) SendMessageA(g.hwnd, LB_SETSEL, TRUE, static_cast<LPARAM>(v));
    } else {
        SendMessageA(g.hwnd, LB_SETCURSEL, static_cast<WPARAM>(v), 0);
    }
}
int64_t listItemState(GadgetRec& g, int item) {
    if (multiSelect(g)) return SendMessageA(g.hwnd, LB_GETSEL, static_cast<WPARAM>(item), 0) > 0;
    return listState(g) == item;
}
void setListItemState(GadgetRec& g, int item, int64_t v) {
    if (multiSelect(g))
        SendMessageA(g.hwnd, LB_SETSEL, v != 0, item);
    else if (v)
        setListState(g, item);
    else if (listState(g) == item)
        setListState(g, -1);
}
std::string listText(GadgetRec& g) {
    const int sel = static_cast<int>(listState(g));
    return sel < 0 ? std::string() : listItem(g, sel, 0);
}
void listCommand(GadgetRec& g, HWND, int code) {
    if (code == LBN_SELCHANGE)
        pushGadgetEvent(g, PB_EventType_LeftClick);
    else if (code == LBN_DBLCLK)
        pushGadgetEvent(g, PB_EventType_LeftDoubleClick);
}

// ---- list icon: rows whose columns are separated by line feeds ----

constexpr int64_t kItemSelected = 1, kItemChecked = 2;

void setListIconCell(HWND h, int item, int column, const std::string& text) {
    LVITEMA it{};
    it.iSubItem = column;
    it.pszText = const_cast<char*>(text.c_str());
    SendMessageA(h, LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}
int listIconCount(GadgetRec& g) {
    return static_cast<int>(SendMessageA(g.hwnd, LVM_GETITEMCOUNT, 0, 0));
}
int listIconAdd(GadgetRec& g, int pos, std::string_view text, HBITMAP, int) {
    const int count = listIconCount(g);
    std::string row(text);
    size_t cut = row.find('\n');
    std::string first = row.substr(0, cut);
    LVITEMA it{};
    it.mask = LVIF_TEXT;
    it.iItem = pos < 0 || pos > count ? count : pos;
    it.pszText = first.data();
    const int at =
        static_cast<int>(SendMessageA(g.hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
    for (int column = 1; at >= 0 && cut != std::string::npos; ++column) {
        const size_t next = row.find('\n', cut + 1);
        setListIconCell(g.hwnd, at, column,
                        row.substr(cut + 1, next == std::string::npos ? next : next - cut - 1));
        cut = next;
    }
    return at;
}
void listIconRemove(GadgetRec& g, int pos) {
    SendMessageA(g.hwnd, LVM_DELETEITEM, static_cast<WPARAM>(pos), 0);
}
void listIconClear(GadgetRec& g) {
    SendMessageA(g.hwnd, LVM_DELETEALLITEMS, 0, 0);
}
// Item -1 stands for the column titles.
std::string listIconItem(GadgetRec& g, int item, int column) {
    if (item >= 0) return listViewItemText(g.hwnd, item, column);
    std::string buf(512, '\0');
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT;
    col.pszText = buf.data();
    col.cchTextMax = static_cast<int>(buf.size());
    if (!SendMessageA(g.hwnd, LVM_GETCOLUMNA, static_cast<WPARAM>(column),
                      reinterpret_cast<LPARAM>(&col)))
        return {};
    return std::string(col.pszText);
}
void setListIconItem(GadgetRec& g, int item, std::string_view text, int column) {
    std::string t(text);
    if (item >= 0) {
        setListIconCell(g.hwnd, item, column, t);
        return;
    }
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT;
    col.pszText = t.data();
    SendMessageA(g.hwnd, LVM_SETCOLUMNA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&col));
}
int64_t listIconState(GadgetRec& g) {
    return static_cast<int>(
        SendMessageA(g.hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}
void selectListIconItem(HWND h, int item, bool on) {
    LVITEMA it{};
    it.stateMask = LVIS_SELECTED | (on ? LVIS_FOCUSED : 0);
    it.state = on ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(h, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}
void setListIconState(GadgetRec& g, int64_t v) {
    selectListIconItem(g.hwnd, -1, false);
    if (v >= 0) selectListIconItem(g.hwnd, static_cast<int>(v), true);
}
int64_t listIconItemState(GadgetRec& g, int item) {
    const auto s = static_cast<UINT>(SendMessageA(
        g.hwnd, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED | LVIS_STATEIMAGEMASK));
    return ((s & LVIS_SELECTED) ? kItemSelected : 0) |
           (((s & LVIS_STATEIMAGEMASK) >> 12) == 2 ? kItemChecked : 0);
}
void setListIconItemState(GadgetRec& g, int item, int64_t v) {
    selectListIconItem(g.hwnd, item, v & kItemSelected);
    LVITEMA it{};
    it.stateMask = LVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK((v & kItemChecked) ? 2 : 1);
    SendMessageA(g.hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&it));
}
int64_t listIconItemAttribute(GadgetRec& g, int, int attribute, int column) {
    if (attribute != PB_ListIcon_ColumnWidth) return 0;
    return static_cast<int>(
        SendMessageA(g.hwnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}
void setListIconItemAttribute(GadgetRec& g, int, int attribute, int64_t v, int column) {
    if (attribute == PB_ListIcon_ColumnWidth)
        SendMessageA(g.hwnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                     static_cast<LPARAM>(v));
}
std::string listIconText(GadgetRec& g) {
    const int sel = static_cast<int>(listIconState(g));
    return sel < 0 ? std::string() : listViewItemText(g.hwnd, sel, 0);
}
bool listIconNotify(GadgetRec& g, NMHDR* hdr, LRESULT*) {
    switch (hdr->code) {
    case NM_CLICK:
        pushGadgetEvent(g, PB_EventType_LeftClick);
        break;
    case NM_DBLCLK:
        pushGadgetEvent(g, PB_EventType_LeftDoubleClick);
        break;
    case NM_RCLICK:
        pushGadgetEvent(g, PB_EventType_RightClick);
        break;
    case NM_RDBLCLK:
        pushGadgetEvent(g, PB_EventType_RightDoubleClick);
        break;
    default:
        break;
    }
    return false;
}

// ---- tree: a flat list of entries in display order, each with a level ----

constexpr int64_t kTreeSelected = 1, kTreeExpanded = 2, kTreeChecked = 4, kTreeCollapsed = 8;

HTREEITEM treeNext(HWND h, HTREEITEM item) {
    if (HTREEITEM child = TreeView_GetChild(h, item)) return child;
    for (HTREEITEM at = item; at; at = TreeView_GetParent(h, at))
        if (HTREEITEM next = TreeView_GetNextSibling(h, at)) return next;
    return nullptr;
}
HTREEITEM treeAt(HWND h, int index) {
    if (index < 0) return nullptr;
    HTREEITEM item = TreeView_GetRoot(h);
    for (int i = 0; item && i < index; ++i)
        item = treeNext(h, item);
    return item;
}
int treeIndex(HWND h, HTREEITEM target) {
    int i = 0;
    for (HTREEITEM item = TreeView_GetRoot(h); item; item = treeNext(h, item), ++i)
        if (item == target) return i;
    return -1;
}
int treeLevel(HWND h, HTREEITEM item) {
    int level = 0;
    while ((item = TreeView_GetParent(h, item)) != nullptr)
        ++level;
    return level;
}
int treeCount(GadgetRec& g) {
    return static_cast<int>(TreeView_GetCount(g.hwnd));
}
int treeAdd(GadgetRec& g, int pos, std::string_view text, HBITMAP, int sublevel) {
    HWND h = g.hwnd;
    std::string t(text);
    TVINSERTSTRUCTA ins{};
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = t.data();
    HTREEITEM before = treeAt(h, pos);
    if (before) {
        // Insert in front of the entry at pos, among its siblings.
        ins.hParent = TreeView_GetParent(h, before);
        HTREEITEM prev = TreeView_GetPrevSibling(h, before);
        ins.hInsertAfter = prev ? prev : TVI_FIRST;
    } else {
        // Append: the parent is the latest entry one level up.
        HTREEITEM last = nullptr;
        for (HTREEITEM item = TreeView_GetRoot(h); item; item = treeNext(h, item))
            last = item;
        HTREEITEM parent = last;
        int level = last ? treeLevel(h, last) : -1;
        const int want = std::clamp(sublevel, 0, level + 1);
        while (parent && level >= want) {
            parent = TreeView_GetParent(h, parent);
            --level;
        }
        ins.hParent = parent ? parent : TVI_ROOT;
        ins.hInsertAfter = TVI_LAST;
    }
    HTREEITEM made = reinterpret_cast<HTREEITEM>(
        SendMessageA(h, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    return made ? treeIndex(h, made) : -1;
}
void treeRemove(GadgetRec& g, int pos) {
    if (HTREEITEM item = treeAt(g.hwnd, pos)) TreeView_DeleteItem(g.hwnd, item);
}
void treeClear(GadgetRec& g) {
    TreeView_DeleteAllItems(g.hwnd);
}
std::string treeItemText(HWND h, HTREEITEM item) {
    std::string buf(1024, '\0');
    TVITEMA it{};
    it.mask = TVIF_TEXT;
    it.hItem = item;
    it.pszText = buf.data();
    it.cchTextMax = static_cast<int>(buf.size());
    if (!item || !SendMessageA(h, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it))) return {};
    return std::string(it.pszText);
}
std::string treeItem(GadgetRec& g, int item, int) {
    return treeItemText(g.hwnd, treeAt(g.hwnd, item));
}
void setTreeItem(GadgetRec& g, int item, std::string_view text, int) {
    std::string t(text);
    TVITEMA it{};
    it.mask = TVIF_TEXT;
    it.hItem = treeAt(g.hwnd, item);
    it.pszText = t.data();
    if (it.hItem) SendMessageA(g.hwnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}
int64_t treeState(GadgetRec& g) {
    HTREEITEM sel = TreeView_GetSelection(g.hwnd);
    return sel ? treeIndex(g.hwnd, sel) : -1;
}
void setTreeState(GadgetRec& g, int64_t v) {
    TreeView_SelectItem(g.hwnd, treeAt(g.hwnd, static_cast<int>(v)));
}
std::string treeText(GadgetRec& g) {
    return treeItemText(g.hwnd, TreeView_GetSelection(g.hwnd));
}
int64_t treeItemState(GadgetRec& g, int item) {
    HTREEITEM at = treeAt(g.hwnd, item);
    if (!at) return 0;
    const UINT s =
        TreeView_GetItemState(g.hwnd, at, TVIS_SELECTED | TVIS_EXPANDED | TVIS_STATEIMAGEMASK);
    int64_t r = (s & TVIS_SELECTED) ? kTreeSelected : 0;
    if (TreeView_GetChild(g.hwnd, at)) r |= (s & TVIS_EXPANDED) ? kTreeExpanded : kTreeCollapsed;
    if (((s & TVIS_STATEIMAGEMASK) >> 12) == 2) r |= kTreeChecked;
    return r;
}
void setTreeItemState(GadgetRec& g, int item, int64_t v) {
    HTREEITEM at = treeAt(g.hwnd, item);
    if (!at) return;
    if (v & kTreeSelected) TreeView_SelectItem(g.hwnd, at);
    if (v & kTreeExpanded) TreeView_Expand(g.hwnd, at, TVE_EXPAND);
    if (v & kTreeCollapsed) TreeView_Expand(g.hwnd, at, TVE_COLLAPSE);
    if (GetWindowLongA(g.hwnd, GWL_STYLE) & TVS_CHECKBOXES)
        TreeView_SetItemState(g.hwnd, at, INDEXTOSTATEIMAGEMASK((v & kTreeChecked) ? 2 : 1),
                              TVIS_STATEIMAGEMASK);
}
bool treeNotify(GadgetRec& g, NMHDR* hdr, LRESULT*) {
    switch (hdr->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        pushGadgetEvent(g, PB_EventType_Change);
        break;
    default:
        return listIconNotify(g, hdr, nullptr);
    }
    return false;
}

} // namespace

void detail::registerLists(KindOps* t) {
    KindOps& c = t[KindComboBox];
    c.addItem = comboAdd;
    c.removeItem = comboRemove;
    c.clearItems = comboClear;
    c.countItems = comboCount;
    c.getItemText = comboItem;
    c.setItemText = setComboItem;
    c.getState = comboState;
    c.setState = setComboState;
    c.setText = setComboText;
    c.command = comboCommand;

    KindOps& l = t[KindListView];
    l.addItem = listAdd;
    l.removeItem = listRemove;
    l.clearItems = listClear;
    l.countItems = listCount;
    l.getItemText = listItem;
    l.setItemText = setListItem;
    l.getState = listState;
    l.setState = setListState;
    l.getItemState = listItemState;
    l.setItemState = setListItemState;
    l.getText = listText;
    l.command = listCommand;

    KindOps& i = t[KindListIcon];
    i.addItem = listIconAdd;
    i.removeItem = listIconRemove;
    i.clearItems = listIconClear;
    i.countItems = listIconCount;
    i.getItemText = listIconItem;
    i.setItemText = setListIconItem;
    i.getState = listIconState;
    i.setState = setListIconState;
    i.getItemState = listIconItemState;
    i.setItemState = setListIconItemState;
    i.getItemAttribute = listIconItemAttribute;
    i.setItemAttribute = setListIconItemAttribute;
    i.getText = listIconText;
    i.notify = listIconNotify;

    KindOps& r = t[KindTree];
    r.addItem = treeAdd;
    r.removeItem = treeRemove;
    r.clearItems = treeClear;
    r.countItems = treeCount;
    r.getItemText = treeItem;
    r.setItemText = setTreeItem;
    r.getState = treeState;
    r.setState = setTreeState;
    r.getItemState = treeItemState;
    r.setItemState = setTreeItemState;
    r.getText = treeText;
    r.notify = treeNotify;
}

int ComboBoxGadget(int gadget, int x, int y, int w, int h, uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindComboBox, {}, flags, x, y, w, h);
    if (g) g->requestedHeight = h;
    return constructed(gadget, g);
}

int ListViewGadget(int gadget, int x, int y, int w, int h, uint32_t flags) {
    return constructed(gadget, createStyled(gadget, KindListView, {}, flags, x, y, w, h));
}

int ListIconGadget(int gadget, int x, int y, int w, int h, std::string_view firstColumnTitle,
                   int firstColumnWidth, uint32_t flags) {
    GadgetRec* g = createStyled(gadget, KindListIcon, {}, flags, x, y, w, h);
    if (g) listViewInsertColumn(g->hwnd, 0, firstColumnTitle, firstColumnWidth);
    return constructed(gadget, g);
}

int TreeGadget(int gadget, int x, int y, int w, int h, uint32_t flags) {
    return constructed(gadget, createStyled(gadget, KindTree, {}, flags, x, y, w, h));
}

} // namespace tk
