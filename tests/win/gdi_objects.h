// How many GDI objects the process holds now, leaving out the copies of the
// stock fonts that Wine's calendar and IP address controls make and never
// free (one or two a control made): none of our code copies a stock font, so
// what is left is ours to free.
#pragma once

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

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

// Wine keeps the process's GDI handles in a table the process block points
// to (GdiSharedHandleTable); an entry in use has a type. Reading it finds
// every object without asking Wine about handles that are not there, which
// it logs as "invalid handle", the warning a run is gated on.
struct WineGdiEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique; // the handle's upper half
    uint8_t type;    // 0: free
    uint8_t flags;
    uint64_t user;
};
static_assert(sizeof(WineGdiEntry) == 24);
constexpr size_t kWineGdiEntries = 0x10000;

inline const WineGdiEntry* wineGdiTable() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr))
        return nullptr;
    const auto* peb = reinterpret_cast<const uint8_t*>(info.PebBaseAddress);
    constexpr size_t kTableAt = sizeof(void*) == 8 ? 0xF8 : 0x94;
    const auto* table = *reinterpret_cast<const WineGdiEntry* const*>(peb + kTableAt);
    // Trusted only where it reads and holds a stock brush under its handle.
    MEMORY_BASIC_INFORMATION m{};
    if (!table || !VirtualQuery(table, &m, sizeof m) || m.State != MEM_COMMIT ||
        reinterpret_cast<const uint8_t*>(m.BaseAddress) + m.RegionSize <
            reinterpret_cast<const uint8_t*>(table + kWineGdiEntries))
        return nullptr;
    const auto brush = reinterpret_cast<uintptr_t>(GetStockObject(WHITE_BRUSH));
    const WineGdiEntry& e = table[brush & 0xFFFF];
    return e.type && e.unique == ((brush >> 16) & 0xFFFF) ? table : nullptr;
}

// Every live object under Wine: from its table, else by asking about each
// index, as Wine takes a bare table index for a handle (logging each free
// one). Empty elsewhere.
inline std::vector<HGDIOBJ> wineLiveObjects() {
    std::vector<HGDIOBJ> out;
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) return out;
    const WineGdiEntry* table = wineGdiTable();
    for (uintptr_t index = 0x20; index < kWineGdiEntries; ++index) {
        if (table && !table[index].type) continue;
        const auto object =
            reinterpret_cast<HGDIOBJ>(index | (table ? uintptr_t{table[index].unique} << 16 : 0));
        if (table || GetObjectType(object)) out.push_back(object);
    }
    return out;
}

inline size_t gdiObjectCount() {
    const std::vector<HGDIOBJ> live = wineLiveObjects();
    if (live.empty()) return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return static_cast<size_t>(std::count_if(live.begin(), live.end(), [](HGDIOBJ o) {
        return !(GetObjectType(o) == OBJ_FONT && copiesStockFont(o));
    }));
}

// The live objects by kind, for a report: "fonts 12, bitmaps 30, ...".
inline std::string gdiObjectKinds() {
    size_t n[6] = {};
    for (HGDIOBJ o : wineLiveObjects()) {
        switch (GetObjectType(o)) {
        case OBJ_FONT:
            ++n[0];
            break;
        case OBJ_BITMAP:
            ++n[1];
            break;
        case OBJ_BRUSH:
            ++n[2];
            break;
        case OBJ_DC:
        case OBJ_MEMDC:
            ++n[3];
            break;
        case OBJ_REGION:
            ++n[4];
            break;
        default:
            ++n[5];
            break;
        }
    }
    char out[160];
    std::snprintf(out, sizeof out, "fonts %u, bitmaps %u, brushes %u, DCs %u, regions %u, other %u",
                  unsigned(n[0]), unsigned(n[1]), unsigned(n[2]), unsigned(n[3]), unsigned(n[4]),
                  unsigned(n[5]));
    return out;
}

} // namespace wintest
