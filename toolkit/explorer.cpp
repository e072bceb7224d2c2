// The explorer combo, list and tree: real drives, folders and files from a
// start directory, with the system's small icons.
#include "toolkit/gadgets.h"

#include "text/format.h"
#include "toolkit/kinds.h"
#include "toolkit/state.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tk {
using namespace detail;

namespace {

struct Entry {
    std::string name;
    bool folder = false;
    uint64_t size = 0;
    FILETIME modified{};
};

bool lessName(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
}

// "C:\dir\*.txt" -> "C:\dir\" and "*.txt"; a bare folder gets "*.*".
void splitStart(std::string_view start, std::string& dir, std::string& pattern) {
    std::string s(start);
    if (s.empty()) {
        char cwd[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, cwd);
        s = cwd;
    }
    const size_t slash = s.find_last_of("\\/");
    const std::string last = s.substr(slash == std::string::npos ? 0 : slash + 1);
    if (last.find_first_of("*?") != std::string::npos) {
        pattern = last;
        s.resize(slash == std::string::npos ? 0 : slash + 1);
    } else {
        pattern = "*.*";
    }
    if (!s.empty() && s.back() != '\\' && s.back() != '/') s += '\\';
    dir = s;
}

std::vector<Entry> listFolder(const std::string& dir, const std::string& pattern, bool folders,
                              bool files, bool sorted) {
    std::vector<Entry> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) continue;
        const bool folder = fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (folder ? !folders : (!files || !PathMatchSpecA(name.c_str(), pattern.c_str())))
            continue;
        out.push_back({name, folder,
                       (static_cast<uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow,
                       fd.ftLastWriteTime});
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    if (sorted) {
        std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) {
            if (a.folder != b.folder) return a.folder;
            return lessName(a.name, b.name);
        });
    }
    return out;
}

std::vector<std::string> drives() {
    std::vector<std::string> out;
    char buf[512] = {};
    const DWORD n = GetLogicalDriveStringsA(sizeof buf - 1, buf);
    for (const char* p = buf; n && n < sizeof buf && *p; p += std::strlen(p) + 1)
        out.emplace_back(p);
    return out;
}

std::string documentsFolder() {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PERSONAL, FALSE)) return {};
    std::string s = path;
    if (!s.empty() && s.back() != '\\') s += '\\';
    return s;
}

HIMAGELIST systemIcons() {
    SHFILEINFOA info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

// Icons by name and kind: no disk access needed.
int iconOf(const std::string& path, bool folder) {
    SHFILEINFOA info{};
    SHGetFileInfoA(path.c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info,
                   sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    return info.iIcon;
}
int driveIcon(const std::string& root) {
    SHFILEINFOA info{};
    SHGetFileInfoA(root.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return info.iIcon;
}

bool isRoot(const std::string& dir) {
    return dir.size() <= 3;
}

std::string parentOf(const std::string& dir) {
    if (isRoot(dir)) return dir;
    const size_t cut = dir.find_last_of('\\', dir.size() - 2);
    return cut == std::string::npos ? dir : dir.substr(0, cut + 1);
}

// ---- explorer list ----

constexpr LPARAM kParentRow = 2, kFolderRow = 1, kFileRow = 0;

void listAddRow(HWND h, int row, const std::string& name, int icon, LPARAM kind) {
    LVITEMA it{};
    it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    it.iItem = row;
    it.pszText = const_cast<char*>(name.c_str());
    it.iImage = icon;
    it.lParam = kind;
    SendMessageA(h, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

void listSetCell(HWND h, int row, int column, const std::string& text) {
    LVITEMA it{};
    it.iSubItem = column;
    it.pszText = const_cast<char*>(text.c_str());
    SendMessageA(h, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
}

std::string formatTime(const FILETIME& ft) {
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st)) return {};
    char buf[32];
    zarnet::text::formatTo(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u", st.wYear, st.wMonth,
                           st.wDay, st.wHour, st.wMinute);
    return buf;
}

void fillList(GadgetRec& g) {
    HWND h = g.hwnd;
    SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    SendMessageA(h, LVM_DELETEALLITEMS, 0, 0);
    int row = 0;
    if (!(g.flags & PB_Explorer_NoParentFolder) && !isRoot(g.directory))
        listAddRow(h, row++, "..", iconOf(g.directory, true), kParentRow);
    const auto entries =
        listFolder(g.directory, g.pattern, !(g.flags & PB_Explorer_NoFolders),
                   !(g.flags & PB_Explorer_NoFiles), !(g.flags & PB_Explorer_NoSort));
    for (const Entry& e : entries) {
        listAddRow(h, row, e.name, iconOf(g.directory + e.name, e.folder),
                   e.folder ? kFolderRow : kFileRow);
        if (!e.folder) {
            char size[32];
            zarnet::text::formatTo(size, sizeof size, "%llu KB",
                                   static_cast<unsigned long long>((e.size + 1023) / 1024));
            listSetCell(h, row, 1, size);
        }
        const char* dot = std::strrchr(e.name.c_str(), '.');
        listSetCell(h, row, 2, e.folder ? "Folder" : dot ? std::string(dot + 1) + " File" : "File");
        listSetCell(h, row, 3, formatTime(e.modified));
        ++row;
    }
    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h, nullptr, TRUE);
}

void listNavigate(GadgetRec& g, std::string_view path) {
    splitStart(path, g.directory, g.pattern);
    fillList(g);
}

LPARAM rowKind(HWND h, int row) {
    LVITEMA it{};
    it.mask = LVIF_PARAM;
    it.iItem = row;
    SendMessageA(h, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    return it.lParam;
}

bool explorerListNotify(GadgetRec& g, NMHDR* hdr, LRESULT*) {
    switch (hdr->code) {
    case NM_CLICK:
        pushGadgetEvent(g, PB_EventType_LeftClick);
        break;
    case NM_RCLICK:
        pushGadgetEvent(g, PB_EventType_RightClick);
        break;
    case NM_DBLCLK: {
        pushGadgetEvent(g, PB_EventType_LeftDoubleClick);
        const int row = reinterpret_cast<NMITEMACTIVATE*>(hdr)->iItem;
        if (row < 0 || (g.flags & PB_Explorer_NoDirectoryChange)) break;
        const LPARAM kind = rowKind(g.hwnd, row);
        if (kind == kParentRow)
            listNavigate(g, parentOf(g.directory) + g.pattern);
        else if (kind == kFolderRow)
            listNavigate(g, g.directory + listViewItemText(g.hwnd, row, 0) + "\\" + g.pattern);
        break;
    }
    default:
        break;
    }
    return false;
}

std::string directoryText(GadgetRec& g) {
    return g.directory;
}
void setListText(GadgetRec& g, std::string_view path) {
    listNavigate(g, path);
}
int64_t explorerListState(GadgetRec& g) {
    return static_cast<int>(
        SendMessageA(g.hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}
int explorerListCount(GadgetRec& g) {
    return static_cast<int>(SendMessageA(g.hwnd, LVM_GETITEMCOUNT, 0, 0));
}
std::string explorerListItem(GadgetRec& g, int item, int column) {
    return listViewItemText(g.hwnd, item, column);
}

// ---- explorer tree: folders load when first opened ----

HTREEITEM treeInsert(GadgetRec& g, HTREEITEM parent, const std::string& text,
                     const std::string& path, bool folder, int icon) {
    g.treePaths.push_back(path);
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = const_cast<char*>(text.c_str());
    ins.item.lParam = static_cast<LPARAM>(g.treePaths.size() - 1);
    ins.item.cChildren = folder ? 1 : 0;
    ins.item.iImage = ins.item.iSelectedImage = icon;
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(g.hwnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

const std::string* pathOf(GadgetRec& g, HTREEITEM item) {
    TVITEMA it{};
    it.mask = TVIF_PARAM;
    it.hItem = item;
    if (!item || !SendMessageA(g.hwnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it)))
        return nullptr;
    const auto i = static_cast<size_t>(it.lParam);
    return i < g.treePaths.size() ? &g.treePaths[i] : nullptr;
}

void populate(GadgetRec& g, HTREEITEM item) {
    if (TreeView_GetChild(g.hwnd, item)) return;
    const std::string* p = pathOf(g, item);
    if (!p) return;
    const std::string dir = *p;
    const auto entries = listFolder(dir, g.pattern, true, !(g.flags & PB_Explorer_NoFiles),
                                    !(g.flags & PB_Explorer_NoSort));
    for (const Entry& e : entries)
        treeInsert(g, item, e.name, dir + e.name + (e.folder ? "\\" : ""), e.folder,
                   iconOf(dir + e.name, e.folder));
    if (entries.empty()) {
        TVITEMA it{};
        it.mask = TVIF_CHILDREN;
        it.hItem = item;
        SendMessageA(g.hwnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    }
}

void treeSelectPath(GadgetRec& g, const std::string& target) {
    HTREEITEM item = TreeView_GetRoot(g.hwnd);
    HTREEITEM found = nullptr;
    while (item) {
        const std::string* p = pathOf(g, item);
        if (p && target.size() >= p->size() &&
            lstrcmpiA(target.substr(0, p->size()).c_str(), p->c_str()) == 0) {
            found = item;
            if (p->size() == target.size()) break;
            populate(g, item);
            TreeView_Expand(g.hwnd, item, TVE_EXPAND);
            item = TreeView_GetChild(g.hwnd, item);
        } else {
            item = TreeView_GetNextSibling(g.hwnd, item);
        }
    }
    if (found) {
        TreeView_SelectItem(g.hwnd, found);
        TreeView_EnsureVisible(g.hwnd, found);
    }
}

void fillTree(GadgetRec& g) {
    TreeView_DeleteAllItems(g.hwnd);
    g.treePaths.clear();
    if (!(g.flags & PB_Explorer_NoMyDocuments)) {
        const std::string docs = documentsFolder();
        if (!docs.empty()) treeInsert(g, TVI_ROOT, "My Documents", docs, true, iconOf(docs, true));
    }
    for (const std::string& d : drives())
        treeInsert(g, TVI_ROOT, d, d, true, driveIcon(d));
    treeSelectPath(g, g.directory);
}

bool explorerTreeNotify(GadgetRec& g, NMHDR* hdr, LRESULT* result) {
    switch (hdr->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
        if (nm->action & TVE_EXPAND) populate(g, nm->itemNew.hItem);
        *result = FALSE;
        return true;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        pushGadgetEvent(g, PB_EventType_Change);
        break;
    case NM_CLICK:
        pushGadgetEvent(g, PB_EventType_LeftClick);
        break;
    case NM_DBLCLK:
        pushGadgetEvent(g, PB_EventType_LeftDoubleClick);
        break;
    case NM_RCLICK:
        pushGadgetEvent(g, PB_EventType_RightClick);
        break;
    default:
        break;
    }
    return false;
}

std::string explorerTreeText(GadgetRec& g) {
    const std::string* p = pathOf(g, TreeView_GetSelection(g.hwnd));
    return p ? *p : std::string();
}
void setTreeText(GadgetRec& g, std::string_view path) {
    std::string pattern;
    splitStart(path, g.directory, pattern);
    treeSelectPath(g, g.directory);
}

// ---- explorer combo: drives and the folders down to the current one ----

void comboAddEntry(GadgetRec& g, const std::string& text, const std::string& path, int indent,
                   int icon) {
    g.treePaths.push_back(path);
    COMBOBOXEXITEMA it{};
    it.mask = CBEIF_TEXT | CBEIF_INDENT | CBEIF_LPARAM | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    it.iItem = -1;
    it.pszText = const_cast<char*>(text.c_str());
    it.iIndent = indent;
    it.iImage = it.iSelectedImage = icon;
    it.lParam = static_cast<LPARAM>(g.treePaths.size() - 1);
    SendMessageA(g.hwnd, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

void fillCombo(GadgetRec& g) {
    SendMessageA(g.hwnd, CB_RESETCONTENT, 0, 0);
    g.treePaths.clear();
    int select = -1;
    if (!(g.flags & (PB_Explorer_NoMyDocuments | PB_Explorer_DrivesOnly))) {
        const std::string docs = documentsFolder();
        if (!docs.empty()) {
            if (lstrcmpiA(docs.c_str(), g.directory.c_str()) == 0) select = 0;
            comboAddEntry(g, "My Documents", docs, 0, iconOf(docs, true));
        }
    }
    for (const std::string& d : drives()) {
        const int at = static_cast<int>(g.treePaths.size());
        comboAddEntry(g, d, d, 0, driveIcon(d));
        if (lstrcmpiA(d.c_str(), g.directory.substr(0, d.size()).c_str()) != 0) continue;
        if (select < 0) select = at;
        if (g.flags & PB_Explorer_DrivesOnly) continue;
        // The folders leading to the current directory, indented.
        int indent = 1;
        for (size_t from = d.size(); from < g.directory.size(); ++indent) {
            const size_t cut = g.directory.find('\\', from);
            if (cut == std::string::npos) break;
            const std::string path = g.directory.substr(0, cut + 1);
            select = static_cast<int>(g.treePaths.size());
            comboAddEntry(g, g.directory.substr(from, cut - from), path, indent,
                          iconOf(path, true));
            from = cut + 1;
        }
    }
    SendMessageA(g.hwnd, CB_SETCURSEL, static_cast<WPARAM>(select), 0);
}

void comboNavigate(GadgetRec& g, std::string_view path) {
    splitStart(path, g.directory, g.pattern);
    fillCombo(g);
}

void explorerComboCommand(GadgetRec& g, HWND, int code) {
    if (code != CBN_SELCHANGE) return;
    const auto sel = static_cast<int>(SendMessageA(g.hwnd, CB_GETCURSEL, 0, 0));
    COMBOBOXEXITEMA it{};
    it.mask = CBEIF_LPARAM;
    it.iItem = sel;
    if (sel < 0 || !SendMessageA(g.hwnd, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it))) return;
    const auto i = static_cast<size_t>(it.lParam);
    if (i >= g.treePaths.size()) return;
    const std::string path = g.treePaths[i];
    comboNavigate(g, path);
    pushGadgetEvent(g, PB_EventType_Change);
}

void setExplorerComboText(GadgetRec& g, std::string_view path) {
    comboNavigate(g, path);
}

GadgetRec* createExplorer(int gadget, int kind, int x, int y, int w, int h, std::string_view start,
                          uint32_t flags) {
    GadgetRec* g = createStyled(gadget, kind, {}, flags, x, y, w, h);
    if (!g) return nullptr;
    splitStart(start, g->directory, g->pattern);
    return g;
}

} // namespace

void detail::registerExplorers(KindOps* t) {
    KindOps& l = t[KindExplorerList];
    l.notify = explorerListNotify;
    l.getText = directoryText;
    l.setText = setListText;
    l.getState = explorerListState;
    l.countItems = explorerListCount;
    l.getItemText = explorerListItem;
    KindOps& r = t[KindExplorerTree];
    r.notify = explorerTreeNotify;
    r.getText = explorerTreeText;
    r.setText = setTreeText;
    KindOps& c = t[KindExplorerCombo];
    c.command = explorerComboCommand;
    c.getText = directoryText;
    c.setText = setExplorerComboText;
}

int ExplorerListGadget(int gadget, int x, int y, int w, int h, std::string_view directory,
                       uint32_t flags) {
    GadgetRec* g = createExplorer(gadget, KindExplorerList, x, y, w, h, directory, flags);
    if (!g) return 0;
    SendMessageA(g->hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(systemIcons()));
    listViewInsertColumn(g->hwnd, 0, "Name", 150);
    listViewInsertColumn(g->hwnd, 1, "Size", 70);
    listViewInsertColumn(g->hwnd, 2, "Type", 90);
    listViewInsertColumn(g->hwnd, 3, "Modified", 120);
    fillList(*g);
    return constructed(gadget, g);
}

int ExplorerTreeGadget(int gadget, int x, int y, int w, int h, std::string_view directory,
                       uint32_t flags) {
    GadgetRec* g = createExplorer(gadget, KindExplorerTree, x, y, w, h, directory, flags);
    if (!g) return 0;
    SendMessageA(g->hwnd, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(systemIcons()));
    fillTree(*g);
    return constructed(gadget, g);
}

int ExplorerComboGadget(int gadget, int x, int y, int w, int h, std::string_view directory,
                        uint32_t flags) {
    GadgetRec* g = createExplorer(gadget, KindExplorerCombo, x, y, w, h, directory, flags);
    if (!g) return 0;
    g->requestedHeight = h;
    SendMessageA(g->hwnd, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(systemIcons()));
    fillCombo(*g);
    return constructed(gadget, g);
}

} // namespace tk
