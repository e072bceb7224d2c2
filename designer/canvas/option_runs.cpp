#include "designer/canvas/option_runs.h"

#include "designer/canvas/structure.h"
#include "document/catalogue.h"

#include <algorithm>
#include <map>

namespace zarnet::designer {

namespace {

bool isOption(const Item& it) {
    return it.typ == OptionGadget;
}

// Option number to the lowest number of its group, for a sound list.
std::map<int, int> groupsByNumber(const std::vector<Item>& items) {
    const std::vector<int> starts = optionGroupStarts(items);
    std::map<int, int> lowest; // group start index -> lowest number in it
    for (size_t i = 0; i < items.size(); ++i)
        if (starts[i] >= 0) {
            auto [at, fresh] = lowest.try_emplace(starts[i], items[i].number);
            if (!fresh) at->second = std::min<int>(at->second, items[i].number);
        }
    std::map<int, int> out;
    for (size_t i = 0; i < items.size(); ++i)
        if (starts[i] >= 0) out[items[i].number] = lowest[starts[i]];
    return out;
}

} // namespace

std::vector<int> optionGroupStarts(const std::vector<Item>& items) {
    std::vector<int> starts(items.size(), -1);
    const auto scopes = scopesOf(items);
    int previous = -1; // the last real item made before this one
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        if (!it.isGadget()) continue;
        if (isOption(it)) {
            const bool continues = previous >= 0 && isOption(items[static_cast<size_t>(previous)]) &&
                                   (!scopes || (*scopes)[i] == (*scopes)[static_cast<size_t>(previous)]);
            starts[i] = continues ? starts[static_cast<size_t>(previous)] : static_cast<int>(i);
        }
        previous = static_cast<int>(i);
    }
    return starts;
}

bool sameOptionGroups(const std::vector<Item>& before, const std::vector<Item>& after) {
    const std::map<int, int> a = groupsByNumber(before), b = groupsByNumber(after);
    // Two options share a group in one list exactly when they do in the
    // other: compare the partitions through each group's lowest number
    // among the options both lists hold.
    std::map<int, int> lowA, lowB;
    for (const auto& [number, group] : a)
        if (b.count(number)) {
            lowA.try_emplace(group, number);
            lowB.try_emplace(b.at(number), number);
        }
    for (const auto& [number, group] : a) {
        const auto other = b.find(number);
        if (other == b.end()) continue;
        if (lowA.at(group) != lowB.at(other->second)) return false;
    }
    return true;
}

size_t groupSafeSlot(const std::vector<Item>& items, const std::vector<size_t>& slots,
                     InsertEnds ends, bool* safe) {
    const auto optionAt = [&](size_t i) { return i < items.size() && isOption(items[i]); };
    for (auto slot = slots.rbegin(); slot != slots.rend(); ++slot) {
        const bool before = *slot > 0 && optionAt(*slot - 1);
        const bool after = optionAt(*slot);
        if (before && after) continue; // inside a group: it would split
        if ((before && ends.firstIsOption) || (after && ends.lastIsOption)) continue;
        if (safe) *safe = true;
        return *slot;
    }
    if (safe) *safe = false;
    return slots.back();
}

} // namespace zarnet::designer
