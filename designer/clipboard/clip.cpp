#include "designer/clipboard/clip.h"

#include "designer/canvas/option_runs.h"
#include "designer/canvas/placement.h"
#include "designer/canvas/structure.h"
#include "document/catalogue.h"
#include "document/design_file.h"
#include "document/renumber.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

// An item with the stored fields and picture of `from` and fresh editing state.
Item storedCopy(const Item& from) {
    Item it;
    static_cast<RecordFields&>(it) = from;
    it.image = from.image;
    return it;
}

} // namespace

std::vector<size_t> copiedRecords(const Design& d, std::span<const size_t> roots) {
    const std::vector<Item>& items = d.items;
    std::vector<bool> take(items.size(), false);
    std::vector<size_t> pending(roots.begin(), roots.end());
    while (!pending.empty()) {
        const size_t i = pending.back();
        pending.pop_back();
        if (i >= items.size() || take[i] || isRecord(items[i].typ)) continue;
        const auto end = runEnd(items, i);
        if (!end) continue;
        for (size_t k = i; k < *end; ++k)
            take[k] = true;
        if (items[i].typ != SplitterGadget) continue;
        for (int child : {items[i].para1, items[i].para2})
            if (const int c = itemByNumber(items, child); c >= 0)
                pending.push_back(static_cast<size_t>(c));
    }
    std::vector<size_t> out;
    for (size_t i = 0; i < items.size(); ++i)
        if (take[i]) out.push_back(i);
    return out;
}

std::vector<uint8_t> copyToClip(const Design& d, std::span<const size_t> roots) {
    const std::vector<size_t> records = copiedRecords(d, roots);
    if (records.empty()) return {};
    Design clip;
    clip.clientWidth = d.clientWidth;
    clip.clientHeight = d.clientHeight;
    clip.gridStep = d.gridStep;
    FontMerge fonts(d.fonts, clip.fonts);
    for (size_t i : records) {
        Item it = storedCopy(d.items[i]);
        it.font = fonts.map(it.font);
        it.tfont = fonts.map(it.tfont);
        if (it.isGadget()) clip.nextNumber = std::max(clip.nextNumber, it.number + 1);
        clip.items.push_back(std::move(it));
    }
    return writeDesign(clip);
}

std::optional<Design> readClip(std::span<const uint8_t> bytes) {
    LoadResult read = readDesign(bytes, Strictness::Strict);
    if (!read.design || clipRoots(*read.design).empty()) return std::nullopt;
    return std::move(read.design);
}

std::vector<size_t> clipRoots(const Design& clip) {
    const std::vector<bool> held = splitterChildren(clip.items);
    std::vector<size_t> roots;
    int depth = 0;
    for (size_t i = 0; i < clip.items.size(); ++i) {
        const Item& it = clip.items[i];
        if (it.typ == kCloseRecord) --depth;
        if (!it.isGadget()) continue;
        if (depth == 0 && !held[i]) roots.push_back(i);
        if (isParentType(it.typ)) ++depth;
    }
    return roots;
}

Rect clipBounds(const Design& clip) {
    const std::vector<size_t> roots = clipRoots(clip);
    if (roots.empty()) return {};
    const Item& first = clip.items[roots.front()];
    int64_t left = first.x, top = first.y, right = int64_t{first.x} + first.w,
            bottom = int64_t{first.y} + first.h;
    for (size_t i : roots) {
        const Item& it = clip.items[i];
        left = std::min<int64_t>(left, it.x);
        top = std::min<int64_t>(top, it.y);
        right = std::max(right, int64_t{it.x} + it.w);
        bottom = std::max(bottom, int64_t{it.y} + it.h);
    }
    const auto clampInt = [](int64_t v) {
        return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {clampInt(left), clampInt(top), clampInt(right - left), clampInt(bottom - top)};
}

Point withinReach(const Rect& r, Area a) {
    if (reachable(r, a)) return {r.x, r.y};
    const auto axis = [](int p, int size, int extent) {
        const int need = std::max(1, std::min(size, kReachMargin));
        if (extent < need) return 0;
        return static_cast<int>(
            std::clamp<int64_t>(p, int64_t{need} - size, int64_t{extent} - need));
    };
    return {axis(r.x, r.w, a.w), axis(r.y, r.h, a.h)};
}

namespace {

// The list index the clip's records go to: `end` (the target's last place)
// unless that would make one group of the clip's options and the target's,
// else the nearest earlier place between two of the target's children that
// keeps every group as it is; nullopt when there is none.
std::optional<size_t> pasteSlot(const Design& d, const Design& clip, PasteTarget target,
                                size_t end) {
    const auto scopes = scopesOf(d.items);
    if (!scopes) return end;
    if (target.at >= 0) {
        const auto at = static_cast<size_t>(target.at);
        const bool child = at < d.items.size() && d.items[at].isGadget() &&
                           (*scopes)[at] == Scope{target.container, target.tab};
        return child ? at : end;
    }
    InsertEnds ends;
    int depth = 0;
    bool first = true;
    for (const Item& it : clip.items) {
        if (it.typ == kCloseRecord) --depth;
        if (!it.isGadget()) continue;
        if (depth == 0) {
            if (first) ends.firstIsOption = it.typ == OptionGadget;
            first = false;
            ends.lastIsOption = it.typ == OptionGadget;
        }
        if (isParentType(it.typ)) ++depth;
    }
    std::vector<size_t> slots;
    for (size_t i = 0; i < end && i < d.items.size(); ++i)
        if (d.items[i].isGadget() && (*scopes)[i] == Scope{target.container, target.tab})
            slots.push_back(i);
    slots.push_back(end);
    bool safe = false;
    const size_t slot = groupSafeSlot(d.items, slots, ends, &safe);
    return safe ? std::optional<size_t>(slot) : std::nullopt;
}

} // namespace

std::optional<Pasted> pasteClip(Design& d, const Design& clip, PasteTarget target, Point topLeft) {
    const auto place = placeNewItem(d, target.container, target.tab, ButtonGadget);
    if (!place) return std::nullopt;
    const std::vector<size_t> roots = clipRoots(clip);
    if (roots.empty()) return std::nullopt;
    const size_t needed = static_cast<size_t>(std::count_if(
        clip.items.begin(), clip.items.end(), [](const Item& it) { return it.isGadget(); }));
    if (!roomForNumbers(d, needed)) return std::nullopt;
    const auto slot = pasteSlot(d, clip, target, std::min(place->listIndex, d.items.size()));
    if (!slot) return std::nullopt;
    for (const Item& it : clip.items)
        if (it.typ == SplitterGadget &&
            (it.para1 < 0 || it.para2 < 0 || itemByNumber(clip.items, it.para1) < 0 ||
             itemByNumber(clip.items, it.para2) < 0))
            return std::nullopt;

    const Rect bounds = clipBounds(clip);
    const int64_t dx = int64_t{topLeft.x} - bounds.x, dy = int64_t{topLeft.y} - bounds.y;
    Renumbering numbers(d);
    FontMerge fonts(clip.fonts, d.fonts);
    std::vector<Item> run;
    run.reserve(clip.items.size());
    for (const Item& from : clip.items) {
        Item it = storedCopy(from);
        if (it.isGadget()) numbers.renumber(it);
        it.font = fonts.map(it.font);
        it.tfont = fonts.map(it.tfont);
        run.push_back(std::move(it));
    }
    for (size_t i : roots) {
        run[i].x = static_cast<int>(std::clamp<int64_t>(run[i].x + dx, INT32_MIN, INT32_MAX));
        run[i].y = static_cast<int>(std::clamp<int64_t>(run[i].y + dy, INT32_MIN, INT32_MAX));
    }
    for (Item& it : run)
        if (it.typ == SplitterGadget) numbers.relink(it);

    Pasted pasted;
    pasted.first = *slot;
    pasted.count = run.size();
    for (size_t i : roots)
        pasted.roots.push_back(pasted.first + i);
    d.items.insert(d.items.begin() + static_cast<std::ptrdiff_t>(pasted.first),
                   std::make_move_iterator(run.begin()), std::make_move_iterator(run.end()));
    d.recomputeNesting();
    resolveSplitterChildren(d.items);
    noteEdit(d);
    return pasted;
}

} // namespace zarnet::designer
