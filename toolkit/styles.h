// How PureBasic's gadget flags become Win32 window classes and styles.
// Internal to toolkit/; kept apart so the mapping can be read in one place.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tk::detail {

struct StyleSet {
    const char* cls = "Static";
    DWORD style = 0; // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle = 0;
    DWORD listExStyle = 0; // list view extended styles
};

// Unknown bits of a kind's flags are dropped, so a damaged design can never
// ask for a pop-up or an owner-drawn control.
StyleSet stylesFor(int kind, uint32_t flags);

// The class of the editor gadget: the rich edit control when it can be loaded.
const char* editorClass();

} // namespace tk::detail
