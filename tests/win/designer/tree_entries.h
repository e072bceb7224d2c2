// The entries a tree view shows, in the order it shows them, with their
// depth: what the tests compare the object manager's tree with.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace wintest {

struct TreeEntry {
    HTREEITEM handle;
    int depth;
    std::string text;
};

inline void appendTreeEntries(HWND t, HTREEITEM e, int depth, std::vector<TreeEntry>& out) {
    for (; e; e = TreeView_GetNextSibling(t, e)) {
        char text[512] = {};
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = e;
        tv.pszText = text;
        tv.cchTextMax = sizeof text;
        TreeView_GetItem(t, &tv);
        out.push_back({e, depth, text});
        appendTreeEntries(t, TreeView_GetChild(t, e), depth + 1, out);
    }
}

inline std::vector<TreeEntry> treeEntries(HWND t) {
    std::vector<TreeEntry> out;
    appendTreeEntries(t, TreeView_GetRoot(t), 0, out);
    return out;
}

} // namespace wintest
