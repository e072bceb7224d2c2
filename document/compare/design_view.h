// A design seen by item number: where each gadget lies (its parent, its
// tab, its place among its siblings, which is the tab order), the titles of
// each panel's tabs, and which fonts no gadget uses. Built in one walk over
// a design whose invariants hold.
#pragma once

#include "document/model.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zarnet::compare {

struct Place {
    int parent = -1; // number of the enclosing panel, scroll area or container; -1 top level
    int tab = 0;     // tab of a panel's child
    bool operator==(const Place&) const = default;
    auto operator<=>(const Place&) const = default;
};

class DesignView {
  public:
    explicit DesignView(const Design& d);

    const Design& design() const { return d_; }
    // Index of the gadget numbered n, or -1.
    int indexOf(int n) const {
        return n >= 0 && static_cast<size_t>(n) < index_.size() ? index_[static_cast<size_t>(n)]
                                                                : -1;
    }
    const Item* gadget(int n) const {
        const int i = indexOf(n);
        return i < 0 ? nullptr : &d_.items[static_cast<size_t>(i)];
    }
    Place placeOf(int n) const { return place_[static_cast<size_t>(indexOf(n))]; }
    // Position among the siblings of the gadget's place, from 0.
    int orderOf(int n) const { return order_[static_cast<size_t>(indexOf(n))]; }
    // The numbers of the gadgets at a place, in list order.
    const std::vector<int>& children(Place p) const;
    const std::map<Place, std::vector<int>>& places() const { return children_; }
    // Tab titles of the panel numbered n.
    const std::vector<std::string>& tabs(int panel) const;
    // Every gadget number in ascending order.
    const std::vector<int>& numbers() const { return numbers_; }
    // Font table entries in use that no gadget names, by description.
    std::vector<std::string> unusedFonts() const;

  private:
    const Design& d_;
    std::vector<int> index_;
    std::vector<Place> place_; // per item index
    std::vector<int> order_;   // per item index
    std::map<Place, std::vector<int>> children_;
    std::map<int, std::vector<std::string>> tabs_;
    std::vector<int> numbers_;
};

} // namespace zarnet::compare
