// The in-memory design: design-wide values, the ordered item sequence and
// the font table. It mirrors the design file record for record.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zarnet {

// Opaque platform handle (gadget, image, font) kept by the editing state.
using Handle = std::uintptr_t;

// A handle as the toolkit's object number it holds.
inline int number(Handle h) { return static_cast<int>(h); }

// The fields one design record carries. Which of them a record holds depends
// on its type; see the design file reader and writer.
struct RecordFields {
    int typ = 0;            // 1..29, 100 tab record, 0 close record
    int16_t number = 0;     // item number; tab index in a tab record
    int x = 0, y = 0, w = 0, h = 0;
    std::string name;
    std::string wtext;      // the item's text; the title of a tab record
    uint32_t flags = 0;
    int para1 = 0, para2 = 0, para3 = 0;
    int para5 = 0, para6 = 0;  // splitter minimum sizes
    std::string columns;       // list icon only, carried unchanged
    int aflag = 0;             // image flags, stored as a byte
    int status = 0;            // 1 hidden, 2 disabled, 4 fixed
    int auto_ = 0;             // anchor flags (`auto`)
    int font = -1;             // font table index or -1
    int tooltip = 0;           // 0 none, 2 extended, other simple
    std::string tooltipText;
    int ttime = 0;
    uint32_t tfcolor = 0, tbcolor = 0;
    int tfont = -1;
    int twidth = 0;
    int tballoon = 0;          // stored as a byte
    int color = 0;

    bool operator==(const RecordFields&) const = default;
};

inline constexpr int kStatusHidden = 1;
inline constexpr int kStatusDisabled = 2;
inline constexpr int kStatusFixed = 4;

struct Item : RecordFields {
    std::vector<uint8_t> image;  // the picture file's bytes; empty = no image

    // Editing state, never stored.
    Handle id = 0;
    int level = 0;
    Handle parent = 0;
    int tab = 0;
    uint32_t frontColor = 0, backColor = 0xFFFFFF;
    Handle decodedImage = 0, shownImage = 0;
    Handle firstgadget = 0, secondgadget = 0;
    int firstitem = -1, seconditem = -1;  // indexes into the item sequence
    int insplitter = 0;
    Handle splitter = 0;
    int bandmark = 0;
    int view1 = 0, view2 = 0;
    Handle treeitem = 0;

    bool isGadget() const { return typ >= 1 && typ <= 29; }
};

struct FontEntry {
    uint8_t gFontUsed = 1;   // 0 = no longer in use; the slot keeps its index
    Handle loadedFont = 0;
    int gFontsize = 0;
    std::string gFontName;
    int gFontstyle = 0;
};

struct Design {
    std::string fileName = "New";
    bool modified = false;
    // Counts the edits made to the design: every change goes through
    // noteEdit, so a different count means the design may have changed.
    uint64_t revision = 0;
    int clientWidth = 640, clientHeight = 480;
    int gridStep = 10;
    int nextNumber = 0;
    std::deque<int> numberPool;
    // The pool's current position as an insertion point: released numbers
    // go in here, so numbers released together are taken in release order.
    size_t poolCursor = 0;
    int32_t gWindow = 0, gMenu = 0, gStatusBar = 0, gToolBar = 0;
    uint8_t gLanguage = 0;
    int maximumDepth = 0;
    std::vector<Item> items;
    std::vector<FontEntry> fonts;

    // The number a new item takes: the pool's first, else next number.
    int takeNumber();
    // A deleted item's number goes back to the pool, after the pool's
    // current position (the front once a number has been taken).
    void releaseNumber(int number);
    // After loading: every unused number below next number, ascending.
    void rebuildNumberPool();
    // Levels, tabs and maximum depth from the sequence's nesting.
    void recomputeNesting();
};

// Every edit of a design ends here: the design is modified and its
// revision moves on (the history and the recovery copy follow it).
inline void noteEdit(Design& d) {
    d.modified = true;
    ++d.revision;
}

// Resets a design to the state of File > New.
void resetToNew(Design& d);

// A new item of type typ with the catalogue's defaults (no number yet).
Item makeItem(int typ);
Item makeTabRecord(int tabIndex, std::string title);
Item makeCloseRecord();

struct InvariantError {
    size_t item;           // index in the item sequence
    std::string message;
};

// Checks the six invariants of the item sequence plus the font references.
std::optional<InvariantError> checkInvariants(const Design& d);

} // namespace zarnet
