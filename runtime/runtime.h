// The design runtime: turns design data in memory into live gadgets in an
// open window, and chains the program's window callback in front of the
// runtime's own size handling. All state lives in one process-wide object.
#pragma once

#include "document/design_format.h"
#include "toolkit/events.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace zarnet {

// The runtime's reader record: the shared design record (fields a record
// does not carry keep what an earlier record left) plus the loader's own.
struct ZarnContent : ReaderRecord {
    int32_t id = 0;                        // gadget number just created
    size_t gpo = 0;                        // read position in the design data
    tk::WindowCallback callback = nullptr; // the program's window callback
    int blocked = 0;                       // nonzero while a load runs
};

// Reference sizes of a window (or parent gadget) the runtime serves.
struct gwcontent {
    int32_t id = 0, orW = 0, orH = 0;
};

// An anchored gadget and the image record of an image-capable one. The
// loader leaves filling them to the hooks below.
struct gascontent {
    int32_t id = 0, winid = 0, typ = 0, flag = 0, orX = 0, orY = 0, orW = 0, orH = 0;
    int adimage = -1; // index into gImageValue, -1 for none
};
struct gimcontent {
    int32_t idgadget = 0, idtyp = 0, frame = 0;
    intptr_t idimage = 0, idoimage = 0; // image handles
    uint8_t aflag = 0;
};

struct Runtime;

// Where image handling, anchors and extended tooltips plug in. Each hook
// runs at its step of a gadget record, after the record's bytes are read;
// an empty hook skips the step.
struct RuntimeHooks {
    // An image-capable record; its bytes are in ZarnValue.image (may be empty).
    std::function<void(Runtime&)> loadImage;
    // A record whose anchor byte is not 0; window is the load's window.
    std::function<void(Runtime&, int window)> registerAnchor;
    // A record with tooltip kind 2; its fields are in ZarnValue.
    std::function<void(Runtime&)> extendedTooltip;
    // WM_SIZE reaching gCallback while no load runs.
    std::function<void(Runtime&, HWND, WPARAM, LPARAM)> resize;
};

struct Runtime {
    ZarnContent ZarnValue;
    std::vector<int32_t> ZarnParent; // gadget numbers of the open parents
    std::vector<gwcontent> gWinValue, gParentValue;
    std::vector<gascontent> gAutoValue;
    std::vector<gimcontent> gImageValue;
    std::vector<int32_t> gFontTable; // font numbers; 0 for unused or failed slots
    std::vector<uint8_t> gFontUsed;  // the design's gFontUsed per slot
    RuntimeHooks hooks;

    // The font of a table index, or nullptr when the index names no loaded
    // font of the current table (for hooks reading tfont).
    HFONT fontOfIndex(int index) const;
};

Runtime& runtime();

// What a load did. A design that breaks one of the runtime's limits stops
// at the breaking record; everything built before it stays.
struct LoadReport {
    bool complete = true;
    size_t offset = 0;  // where loading stopped
    std::string reason; // why, when not complete
    int records = 0;    // records processed
};

// Header queries (0 / -1 when the data is too short to hold the value).
int32_t ZarnetMaxItem(std::span<const uint8_t> gdata);
int32_t ZarnetClientWidth(std::span<const uint8_t> gdata);
int32_t ZarnetClientHeight(std::span<const uint8_t> gdata);

// Creates every gadget of the design in window gidwindow, whose gadget list
// must be current, storing each gadget number in gitems at its item number.
// Top-level gadgets move by (goffx, goffy). gtranslate is reserved.
LoadReport Zarnet(int gidwindow, std::span<const uint8_t> gdata, std::span<int32_t> gitems,
                  int goffx, int goffy, int32_t gtranslate = 0);

// The compact layout (the designer's own panel): no window registration,
// fonts, status, anchors, tooltips or trailer.
LoadReport ZarnetCompact(std::span<const uint8_t> gdata, std::span<int32_t> gitems, int goffx,
                         int goffy);

// Stores the program's callback (nullptr for none) and installs gCallback
// as the window callback of every window.
void ZarnetCallback(tk::WindowCallback gocallback);

// The installed callback: the program's callback decides the result; the
// size handling runs afterwards whatever it returned.
LRESULT gCallback(HWND gWindowID, UINT gMessage, WPARAM gwParam, LPARAM glParam);

} // namespace zarnet
