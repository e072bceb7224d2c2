// Per-kind behaviour behind the common gadget operations. Each family file
// fills the entries of its kinds; a missing entry means the operation does
// nothing for that kind (or, for text, uses the window text).
#pragma once

#include "toolkit/state.h"

#include <commctrl.h>

#include <string>
#include <string_view>

namespace tk::detail {

struct KindOps {
    std::string (*getText)(GadgetRec&) = nullptr;
    void (*setText)(GadgetRec&, std::string_view) = nullptr;
    int64_t (*getState)(GadgetRec&) = nullptr;
    void (*setState)(GadgetRec&, int64_t) = nullptr;
    int (*addItem)(GadgetRec&, int pos, std::string_view text, HBITMAP image, int flags) = nullptr;
    void (*removeItem)(GadgetRec&, int pos) = nullptr;
    void (*clearItems)(GadgetRec&) = nullptr;
    int (*countItems)(GadgetRec&) = nullptr;
    std::string (*getItemText)(GadgetRec&, int item, int column) = nullptr;
    void (*setItemText)(GadgetRec&, int item, std::string_view text, int column) = nullptr;
    int64_t (*getItemState)(GadgetRec&, int item) = nullptr;
    void (*setItemState)(GadgetRec&, int item, int64_t state) = nullptr;
    int64_t (*getItemAttribute)(GadgetRec&, int item, int attribute, int column) = nullptr;
    void (*setItemAttribute)(GadgetRec&, int item, int attribute, int64_t value,
                             int column) = nullptr;
    int64_t (*getAttribute)(GadgetRec&, int attribute) = nullptr;
    void (*setAttribute)(GadgetRec&, int attribute, int64_t value) = nullptr;
    // Notifications of the control, already routed to its gadget.
    void (*command)(GadgetRec&, HWND from, int code) = nullptr;
    bool (*notify)(GadgetRec&, NMHDR* hdr, LRESULT* result) = nullptr;
    void (*scroll)(GadgetRec&, HWND from, UINT msg, WPARAM wParam) = nullptr;
    // Geometry of kinds made of more than one window.
    void (*place)(GadgetRec&, int x, int y, int w, int h) = nullptr;
    RECT (*bounds)(GadgetRec&) = nullptr;
};

const KindOps& opsOf(int kind);

// Creates a gadget of a kind with the styles its PureBasic flags map to.
GadgetRec* createStyled(int requested, int kind, std::string_view text, uint32_t flags, int x,
                        int y, int w, int h);

// Filled by the family files.
void registerButtons(
    KindOps* table); // button, image button, check box, option, hyperlink, image, text, frame, web
void registerInputs(KindOps* table);     // string, editor, spin, IP address, calendar, date
void registerRanges(KindOps* table);     // progress bar, track bar, scroll bar
void registerLists(KindOps* table);      // combo box, list view, list icon, tree
void registerContainers(KindOps* table); // container, scroll area, panel
void registerSplitter(KindOps* table);
void registerExplorers(KindOps* table);

// Passes control notifications a toolkit parent window receives on to the
// top-level window; true when it did (with the result).
bool forwardToTop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

// Shared by the list family and the explorers.
int listViewInsertColumn(HWND list, int pos, std::string_view title, int width);
std::string listViewItemText(HWND list, int item, int column);
void splitterLayout(GadgetRec& g);
void scrollAreaUpdate(GadgetRec& g);
void panelShowPage(GadgetRec& g, int tab);

} // namespace tk::detail
