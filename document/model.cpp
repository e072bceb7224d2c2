#include "document/model.h"

#include "document/catalogue.h"

#include <algorithm>

namespace zarnet {

int Design::takeNumber() {
    if (!numberPool.empty()) {
        const int n = numberPool.front();
        numberPool.pop_front();
        poolCursor = 0;
        return n;
    }
    return nextNumber++;
}

void Design::releaseNumber(int number) {
    poolCursor = std::min(poolCursor, numberPool.size());
    numberPool.insert(numberPool.begin() + static_cast<std::ptrdiff_t>(poolCursor), number);
    ++poolCursor;
}

void Design::rebuildNumberPool() {
    std::vector<bool> used(static_cast<size_t>(std::max(nextNumber, 0)), false);
    for (const Item& it : items)
        if (it.isGadget() && it.number >= 0 && it.number < nextNumber) used[it.number] = true;
    numberPool.clear();
    for (int n = 0; n < nextNumber; ++n)
        if (!used[n]) numberPool.push_back(n);
    poolCursor = numberPool.size();
}

void Design::recomputeNesting() {
    struct Open {
        int typ;
        int tab;
    };
    std::vector<Open> open;
    maximumDepth = 0;
    for (Item& it : items) {
        if (it.typ == kCloseRecord) {
            it.level = open.empty() ? 0 : static_cast<int>(open.size()) - 1;
            it.tab = 0;
            if (!open.empty()) open.pop_back();
            continue;
        }
        if (it.typ == kTabRecord) {
            it.level = open.empty() ? 0 : static_cast<int>(open.size()) - 1;
            if (!open.empty()) {
                it.tab = open.back().tab + 1;
                open.back().tab = it.tab;
            }
            continue;
        }
        it.level = static_cast<int>(open.size());
        it.tab = (!open.empty() && open.back().typ == PanelGadget) ? std::max(open.back().tab, 0) : 0;
        maximumDepth = std::max(maximumDepth, it.level);
        if (isParentType(it.typ)) open.push_back({it.typ, -1});
    }
}

void resetToNew(Design& d) { d = Design{}; }

Item makeItem(int typ) {
    const GadgetTypeInfo& info = gadgetType(typ);
    Item it;
    it.typ = typ;
    it.name = std::string(info.name);
    it.wtext = std::string(info.initialText);
    it.w = info.defaults.width;
    it.h = info.defaults.height;
    it.flags = info.defaults.flags;
    it.para1 = info.defaults.para1;
    it.para2 = info.defaults.para2;
    it.para3 = info.defaults.para3;
    it.font = info.defaults.font;
    return it;
}

Item makeTabRecord(int tabIndex, std::string title) {
    Item it;
    it.typ = kTabRecord;
    it.number = static_cast<int16_t>(tabIndex);
    it.wtext = std::move(title);
    return it;
}

Item makeCloseRecord() {
    Item it;
    it.typ = kCloseRecord;
    return it;
}

namespace {

bool validFontRef(const Design& d, int index) {
    return index == -1 || (index >= 0 && static_cast<size_t>(index) < d.fonts.size());
}

} // namespace

std::optional<InvariantError> checkInvariants(const Design& d) {
    struct Open {
        size_t index;
        int typ;
        bool sawTab;
        bool expectTab;  // a panel's contents start with a tab record
    };
    std::vector<Open> open;
    // Per item number: the parent scope (index of the opening item, or -1)
    // the item was created in.
    std::vector<long> scopeOf(static_cast<size_t>(std::max(d.nextNumber, 0)), -2);
    std::vector<bool> seen(static_cast<size_t>(std::max(d.nextNumber, 0)), false);
    auto fail = [](size_t i, std::string m) { return InvariantError{i, std::move(m)}; };

    for (size_t i = 0; i < d.items.size(); ++i) {
        const Item& it = d.items[i];
        const long scope = open.empty() ? -1 : static_cast<long>(open.back().index);
        if (it.typ == kCloseRecord) {
            if (open.empty()) return fail(i, "close record without an open parent");
            open.pop_back();
            continue;
        }
        if (it.typ == kTabRecord) {
            if (open.empty() || open.back().typ != PanelGadget)
                return fail(i, "tab record outside a panel");
            open.back().sawTab = true;
            open.back().expectTab = false;
            continue;
        }
        if (!isGadgetType(it.typ))
            return fail(i, "record type " + std::to_string(it.typ) + " is not a gadget type");
        if (!open.empty() && open.back().expectTab)
            return fail(i, "panel contents do not start with a tab record");
        if (it.number < 0 || it.number >= d.nextNumber)
            return fail(i, "item number " + std::to_string(it.number) + " is not below next number " +
                               std::to_string(d.nextNumber));
        if (seen[it.number])
            return fail(i, "item number " + std::to_string(it.number) + " is used twice");
        seen[it.number] = true;
        if (it.typ == SplitterGadget) {
            for (int child : {it.para1, it.para2}) {
                if (child < 0 || child >= d.nextNumber || scopeOf[child] == -2)
                    return fail(i, "splitter child " + std::to_string(child) +
                                       " names no earlier item");
                if (scopeOf[child] != scope)
                    return fail(i, "splitter child " + std::to_string(child) +
                                       " lies in another parent");
            }
            if (it.para1 == it.para2) return fail(i, "splitter names the same child twice");
        }
        if (!validFontRef(d, it.font))
            return fail(i, "font index " + std::to_string(it.font) + " is outside the font table");
        if (it.tooltip == 2 && !validFontRef(d, it.tfont))
            return fail(i, "tooltip font index " + std::to_string(it.tfont) +
                               " is outside the font table");
        if (!it.image.empty() && !isImageCapable(it.typ, it.flags))
            return fail(i, "image data on an item that cannot show one");
        scopeOf[it.number] = scope;
        if (isParentType(it.typ)) open.push_back({i, it.typ, false, it.typ == PanelGadget});
    }
    if (!open.empty()) return fail(open.back().index, "parent is never closed");
    return std::nullopt;
}

} // namespace zarnet
