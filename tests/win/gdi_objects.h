// How many GDI objects the process holds now, leaving out the copies of the
// stock fonts that Wine's calendar and IP address controls make and never
// free (one or two a control made): none of our code copies a stock font, so
// what is left is ours to free.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstring>

namespace wintest {

inline bool copiesStockFont(HGDIOBJ object) {
    LOGFONTA font;
    if (GetObjectA(object, sizeof font, &font) != sizeof font) return false;
    for (int stock : {DEFAULT_GUI_FONT, ANSI_VAR_FONT, SYSTEM_FONT}) {
        HGDIOBJ s = GetStockObject(stock);
        LOGFONTA original;
        if (s == object || GetObjectA(s, sizeof original, &original) != sizeof original) continue;
        // The calendar's copy is bold; the face name is compared as text.
        original.lfWeight = font.lfWeight;
        if (std::memcmp(&font, &original, offsetof(LOGFONTA, lfFaceName)) == 0 &&
            std::strcmp(font.lfFaceName, original.lfFaceName) == 0)
            return true;
    }
    return false;
}

inline size_t gdiObjectCount() {
    // Wine takes a handle's bare table index for the handle: walking the
    // indexes finds every object (GetGuiResources answers 0 there).
    size_t live = 0;
    for (uintptr_t index = 0x20; index < 0x10000; ++index) {
        const auto object = reinterpret_cast<HGDIOBJ>(index);
        const DWORD type = GetObjectType(object);
        if (type && !(type == OBJ_FONT && copiesStockFont(object))) ++live;
    }
    return live;
}

} // namespace wintest
