// Items arriving in a design from elsewhere (a paste, the other side of a
// merge) keep nothing of their old numbering: each real item takes a free
// number of the design it joins, the pool's first before next number, and
// every splitter among them follows its gadgets to their new numbers.
// Fonts arrive by content: an equal entry in use serves, else one is added.
#pragma once

#include "document/model.h"

#include <cstddef>
#include <vector>

namespace zarnet {

// The highest item number a design file holds.
inline constexpr int kHighestNumber = 32767;

// Whether `count` more items find numbers in `d` (pool and numbers left
// below the highest).
bool roomForNumbers(const Design& d, size_t count);

// Old numbers to the ones they took in the design they joined.
class Renumbering {
  public:
    explicit Renumbering(Design& into) : into_(into) {}
    // Gives `it` the design's next free number and remembers the old one.
    void renumber(Item& it);
    // The new number of `old`, or `old` itself when it was not renumbered.
    int map(int old) const;
    // A splitter's two gadgets named by their new numbers.
    void relink(Item& splitter) const;

  private:
    Design& into_;
    std::vector<int> numbers_; // indexed by old number; -1 = kept
};

// Font table indexes of one table mapped into another: an entry in use
// with the same face, size and style serves, else one is added; an entry
// not in use maps to one not in use.
class FontMerge {
  public:
    FontMerge(const std::vector<FontEntry>& from, std::vector<FontEntry>& into)
        : from_(from), into_(into), mapped_(from.size(), -1) {}
    // -1 (and any index outside the table) stays -1, the default font.
    int map(int index);

  private:
    const std::vector<FontEntry>& from_;
    std::vector<FontEntry>& into_;
    std::vector<int> mapped_;
};

} // namespace zarnet
