#include "designer/history/snapshot.h"

#include <unordered_map>
#include <unordered_set>

namespace zarnet::designer {

namespace {

bool sameImage(const std::vector<uint8_t>& live, const ItemRecord& r) {
    return r.image ? *r.image == live : live.empty();
}

FontRecord fontRecord(const FontEntry& f) {
    return {f.gFontUsed, f.gFontsize, f.gFontName, f.gFontstyle};
}

} // namespace

bool Snapshot::sameHeader(const Snapshot& o) const {
    return clientWidth == o.clientWidth && clientHeight == o.clientHeight &&
           nextNumber == o.nextNumber && numberPool == o.numberPool && poolCursor == o.poolCursor &&
           gWindow == o.gWindow && gMenu == o.gMenu && gStatusBar == o.gStatusBar &&
           gToolBar == o.gToolBar && gLanguage == o.gLanguage;
}

bool Snapshot::operator==(const Snapshot& o) const {
    if (!sameHeader(o) || fonts != o.fonts || items.size() != o.items.size()) return false;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == o.items[i]) continue;
        const ItemRecord &a = *items[i], &b = *o.items[i];
        if (!(a.fields == b.fields)) return false;
        const bool pictureA = a.image && !a.image->empty(), pictureB = b.image && !b.image->empty();
        if (pictureA != pictureB || (pictureA && *a.image != *b.image)) return false;
    }
    return true;
}

size_t Snapshot::bytesBeyond(const Snapshot* previous) const {
    std::unordered_set<const void*> known;
    if (previous)
        for (const SharedRecord& r : previous->items) {
            known.insert(r.get());
            if (r->image) known.insert(r->image.get());
        }
    size_t bytes = items.size() * sizeof(SharedRecord) + sizeof(Snapshot);
    for (const FontRecord& f : fonts)
        bytes += sizeof(f) + f.name.size();
    for (const SharedRecord& r : items) {
        if (!known.insert(r.get()).second) continue;
        bytes += sizeof(ItemRecord) + r->fields.name.size() + r->fields.wtext.size() +
                 r->fields.columns.size() + r->fields.tooltipText.size();
        if (r->image && known.insert(r->image.get()).second) bytes += r->image->size();
    }
    return bytes;
}

bool sameRecord(const Item& it, const ItemRecord& r) {
    return static_cast<const RecordFields&>(it) == r.fields && sameImage(it.image, r);
}

bool sameFonts(const std::vector<FontEntry>& live, const std::vector<FontRecord>& stored) {
    if (live.size() != stored.size()) return false;
    for (size_t i = 0; i < live.size(); ++i)
        if (!(fontRecord(live[i]) == stored[i])) return false;
    return true;
}

Snapshot takeSnapshot(const Design& d, const Snapshot* previous) {
    Snapshot s;
    s.clientWidth = d.clientWidth;
    s.clientHeight = d.clientHeight;
    s.nextNumber = d.nextNumber;
    s.numberPool = d.numberPool;
    s.poolCursor = d.poolCursor;
    s.gWindow = d.gWindow;
    s.gMenu = d.gMenu;
    s.gStatusBar = d.gStatusBar;
    s.gToolBar = d.gToolBar;
    s.gLanguage = d.gLanguage;
    if (previous && sameFonts(d.fonts, previous->fonts))
        s.fonts = previous->fonts;
    else
        for (const FontEntry& f : d.fonts)
            s.fonts.push_back(fontRecord(f));

    // Records of the previous snapshot by item number, for items whose
    // place in the list moved; made only when one is looked for.
    std::unordered_map<int, const SharedRecord*> byNumber;
    bool indexed = false;
    auto earlier = [&](const Item& it) -> const SharedRecord* {
        if (!previous || !it.isGadget()) return nullptr;
        if (!indexed) {
            for (const SharedRecord& r : previous->items)
                if (r->fields.typ >= 1 && r->fields.typ <= 29)
                    byNumber.emplace(r->fields.number, &r);
            indexed = true;
        }
        const auto found = byNumber.find(it.number);
        return found == byNumber.end() ? nullptr : found->second;
    };

    s.items.reserve(d.items.size());
    for (size_t i = 0; i < d.items.size(); ++i) {
        const Item& it = d.items[i];
        const SharedRecord* same =
            previous && i < previous->items.size() ? &previous->items[i] : nullptr;
        if (same && sameRecord(it, **same)) {
            s.items.push_back(*same);
            continue;
        }
        const SharedRecord* moved = earlier(it);
        if (moved && sameRecord(it, **moved)) {
            s.items.push_back(*moved);
            continue;
        }
        auto r = std::make_shared<ItemRecord>();
        r->fields = it;
        if (!it.image.empty()) {
            for (const SharedRecord* from : {same, moved})
                if (!r->image && from && (*from)->image && *(*from)->image == it.image)
                    r->image = (*from)->image;
            if (!r->image) r->image = std::make_shared<const std::vector<uint8_t>>(it.image);
        }
        s.items.push_back(std::move(r));
    }
    return s;
}

void restoreRecord(Item& it, const ItemRecord& r) {
    static_cast<RecordFields&>(it) = r.fields;
    if (r.image)
        it.image = *r.image;
    else
        it.image.clear();
}

Item itemFromRecord(const ItemRecord& r) {
    Item it;
    restoreRecord(it, r);
    return it;
}

void restoreHeader(Design& d, const Snapshot& s) {
    d.clientWidth = s.clientWidth;
    d.clientHeight = s.clientHeight;
    d.nextNumber = s.nextNumber;
    d.numberPool = s.numberPool;
    d.poolCursor = s.poolCursor;
    d.gWindow = s.gWindow;
    d.gMenu = s.gMenu;
    d.gStatusBar = s.gStatusBar;
    d.gToolBar = s.gToolBar;
    d.gLanguage = s.gLanguage;
}

} // namespace zarnet::designer
