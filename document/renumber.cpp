#include "document/renumber.h"

#include "document/catalogue.h"

#include <algorithm>
#include <cstdint>

namespace zarnet {

bool roomForNumbers(const Design& d, size_t count) {
    const int64_t fresh = std::max<int64_t>(0, int64_t{kHighestNumber} + 1 - d.nextNumber);
    return static_cast<int64_t>(count) <= static_cast<int64_t>(d.numberPool.size()) + fresh;
}

void Renumbering::renumber(Item& it) {
    const int old = it.number;
    it.number = static_cast<int16_t>(into_.takeNumber());
    if (old < 0) return;
    if (numbers_.size() <= static_cast<size_t>(old))
        numbers_.resize(static_cast<size_t>(old) + 1, -1);
    numbers_[static_cast<size_t>(old)] = it.number;
}

int Renumbering::map(int old) const {
    if (old < 0 || static_cast<size_t>(old) >= numbers_.size()) return old;
    const int to = numbers_[static_cast<size_t>(old)];
    return to >= 0 ? to : old;
}

void Renumbering::relink(Item& splitter) const {
    splitter.para1 = map(splitter.para1);
    splitter.para2 = map(splitter.para2);
}

int FontMerge::map(int index) {
    if (index < 0 || static_cast<size_t>(index) >= from_.size()) return -1;
    int& to = mapped_[static_cast<size_t>(index)];
    if (to >= 0) return to;
    const FontEntry& f = from_[static_cast<size_t>(index)];
    // An entry not in use stays one: it names no font, and making it one
    // would give the gadget a font called "" at size 0.
    const auto same = std::find_if(into_.begin(), into_.end(), [&](const FontEntry& e) {
        if (!f.gFontUsed) return !e.gFontUsed;
        return e.gFontUsed && e.gFontsize == f.gFontsize && e.gFontName == f.gFontName &&
               e.gFontstyle == f.gFontstyle;
    });
    to = static_cast<int>(same - into_.begin());
    if (same == into_.end())
        into_.push_back(f.gFontUsed ? FontEntry{1, 0, f.gFontsize, f.gFontName, f.gFontstyle}
                                    : FontEntry{0, 0, 0, {}, 0});
    return to;
}

} // namespace zarnet
