#include "document/compare/design_view.h"

#include "document/catalogue.h"
#include "document/compare/fields.h"

#include <algorithm>

namespace zarnet::compare {

DesignView::DesignView(const Design& d) : d_(d), place_(d.items.size()), order_(d.items.size(), 0) {
    struct Open {
        int number;
        int tab;
    };
    std::vector<Open> open;
    for (size_t i = 0; i < d.items.size(); ++i) {
        const Item& it = d.items[i];
        if (it.typ == kCloseRecord) {
            if (!open.empty()) open.pop_back();
            continue;
        }
        if (it.typ == kTabRecord) {
            if (!open.empty()) {
                ++open.back().tab;
                tabs_[open.back().number].push_back(it.wtext);
            }
            continue;
        }
        if (!it.isGadget() || it.number < 0) continue;
        const auto n = static_cast<size_t>(it.number);
        if (index_.size() <= n) index_.resize(n + 1, -1);
        index_[n] = static_cast<int>(i);
        const Place p =
            open.empty() ? Place{} : Place{open.back().number, std::max(open.back().tab, 0)};
        place_[i] = p;
        std::vector<int>& siblings = children_[p];
        order_[i] = static_cast<int>(siblings.size());
        siblings.push_back(it.number);
        if (isParentType(it.typ)) {
            open.push_back({it.number, it.typ == PanelGadget ? -1 : 0});
            if (it.typ == PanelGadget) tabs_[it.number];
        }
    }
    for (size_t n = 0; n < index_.size(); ++n)
        if (index_[n] >= 0) numbers_.push_back(static_cast<int>(n));
}

const std::vector<int>& DesignView::children(Place p) const {
    static const std::vector<int> none;
    const auto at = children_.find(p);
    return at == children_.end() ? none : at->second;
}

const std::vector<std::string>& DesignView::tabs(int panel) const {
    static const std::vector<std::string> none;
    const auto at = tabs_.find(panel);
    return at == tabs_.end() ? none : at->second;
}

std::vector<std::string> DesignView::unusedFonts() const {
    std::vector<bool> used(d_.fonts.size(), false);
    for (const Item& it : d_.items) {
        if (!it.isGadget()) continue;
        for (int f : {it.font, it.tooltip == 2 ? it.tfont : -1})
            if (f >= 0 && static_cast<size_t>(f) < used.size()) used[static_cast<size_t>(f)] = true;
    }
    std::vector<std::string> out;
    for (size_t i = 0; i < d_.fonts.size(); ++i)
        if (d_.fonts[i].gFontUsed != 0 && !used[i])
            out.push_back(describeFont(fontValue(d_.fonts, static_cast<int>(i))));
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

} // namespace zarnet::compare
