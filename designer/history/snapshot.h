// A design as the history keeps it: what its file stores plus the numbering
// pool, with the records of items that did not change shared between the
// snapshots of consecutive steps, and pictures shared on their own.
#pragma once

#include "document/model.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace zarnet::designer {

struct ItemRecord {
    RecordFields fields;
    std::shared_ptr<const std::vector<uint8_t>> image; // null: no picture
};
using SharedRecord = std::shared_ptr<const ItemRecord>;

struct FontRecord {
    uint8_t used = 1;
    int size = 0;
    std::string name;
    int style = 0;
    bool operator==(const FontRecord&) const = default;
};

struct Snapshot {
    std::vector<SharedRecord> items;
    std::vector<FontRecord> fonts;
    int clientWidth = 0, clientHeight = 0;
    int nextNumber = 0;
    std::deque<int> numberPool;
    size_t poolCursor = 0;
    int32_t gWindow = 0, gMenu = 0, gStatusBar = 0, gToolBar = 0;
    uint8_t gLanguage = 0;

    // Everything but the items and fonts.
    bool sameHeader(const Snapshot& o) const;
    bool operator==(const Snapshot& o) const; // by content
    // Bytes held by records and pictures first seen here (`previous`
    // holding the ones already counted).
    size_t bytesBeyond(const Snapshot* previous) const;
};

// The design as it stands (its items refreshed from the canvas first),
// reusing the records and pictures of `previous` that are unchanged.
Snapshot takeSnapshot(const Design& d, const Snapshot* previous);

bool sameRecord(const Item& it, const ItemRecord& r);
bool sameFonts(const std::vector<FontEntry>& live, const std::vector<FontRecord>& stored);

// Puts the record's stored fields and picture into the item; its editing
// state (live gadget, nesting) stays.
void restoreRecord(Item& it, const ItemRecord& r);
// An item made from a record, with fresh editing state.
Item itemFromRecord(const ItemRecord& r);
// The header fields (size, numbering, window values) into the design.
void restoreHeader(Design& d, const Snapshot& s);

} // namespace zarnet::designer
