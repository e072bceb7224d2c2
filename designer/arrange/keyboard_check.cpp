#include "designer/arrange/keyboard_check.h"

#include "designer/arrange/tab_units.h"
#include "designer/canvas/option_runs.h"
#include "document/catalogue.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zarnet::designer {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool hasCaption(int typ) {
    return isGadgetType(typ) && gadgetType(typ).textRole == "caption";
}

bool isInput(int typ) {
    switch (typ) {
    case StringGadget:
    case EditorGadget:
    case ComboBoxGadget:
    case SpinGadget:
    case ListViewGadget:
    case ListIconGadget:
    case TreeGadget:
    case DateGadget:
    case IPAddressGadget:
    case TrackBarGadget:
        return true;
    default:
        return false;
    }
}

// Gadgets the tab order steps onto but that never keep the focus.
bool takesFocus(int typ) {
    return typ != TextGadget && typ != ImageGadget && typ != ProgressBarGadget &&
           typ != HyperLinkGadget;
}

// Wrappers the tab order passes through, and the frame beneath its siblings.
bool takesPart(int typ) {
    return typ != ScrollAreaGadget && typ != ContainerGadget && typ != SplitterGadget &&
           typ != Frame3DGadget;
}

// The panel tabs a gadget lies on, outermost first.
using PanelPath = std::vector<std::pair<size_t, size_t>>;

// Whether two gadgets can be seen at once: no panel holds them on
// different tabs. The panels holding both are the first of either path.
bool shownTogether(const PanelPath& a, const PanelPath& b) {
    for (size_t k = 0; k < a.size() && k < b.size(); ++k) {
        if (a[k].first != b[k].first) return true;
        if (a[k].second != b[k].second) return false;
    }
    return true;
}

class Checker {
  public:
    explicit Checker(const Design& d)
        : d_(d), active_(d.items.size(), false), path_(d.items.size()), prev_(d.items.size(), -1),
          next_(d.items.size(), -1) {}

    std::vector<KeyboardFinding> run() {
        const auto top = tabUnits(d_.items);
        if (!top) return {};
        for (const TabUnit& u : *top)
            survey(u, true, {});
        order(flatten(*top), -1, -1);
        std::vector<std::vector<std::string>> found(d_.items.size());
        sameKeys(found);
        for (size_t i = 0; i < d_.items.size(); ++i) {
            if (!active_[i] || !takesPart(d_.items[i].typ)) continue;
            if (isInput(d_.items[i].typ)) unnamed(i, found[i]);
            if (d_.items[i].typ == TextGadget) leadsNowhere(i, found[i]);
        }
        farInGroup(found);
        std::vector<KeyboardFinding> out;
        for (size_t i = 0; i < found.size(); ++i)
            for (std::string& what : found[i])
                out.push_back({i, d_.items[i].number, d_.items[i].name, std::move(what)});
        return out;
    }

  private:
    // Which gadgets are active and the panel tabs each lies on.
    void survey(const TabUnit& u, bool shown, const PanelPath& path) {
        shown = shown && (d_.items[u.item].status & (kStatusHidden | kStatusDisabled)) == 0;
        active_[u.item] = shown;
        path_[u.item] = path;
        for (const TabUnit& h : u.held)
            survey(h, shown, path);
        for (size_t k = 0; k < u.pages.size(); ++k) {
            PanelPath inner = path;
            if (d_.items[u.item].typ == PanelGadget) inner.push_back({u.item, k});
            for (const TabUnit& c : u.pages[k])
                survey(c, shown, inner);
        }
    }

    struct Step {
        size_t item;
        const TabUnit* panel; // set for a panel, whose tabs are walked apart
    };

    std::vector<Step> flatten(const std::vector<TabUnit>& units) const {
        std::vector<Step> out;
        for (const TabUnit& u : units)
            flattenUnit(u, out);
        return out;
    }

    void flattenUnit(const TabUnit& u, std::vector<Step>& out) const {
        if (!active_[u.item]) return;
        for (const TabUnit& h : u.held)
            flattenUnit(h, out);
        const int typ = d_.items[u.item].typ;
        if (typ == PanelGadget) {
            out.push_back({u.item, &u});
        } else if (isParentType(typ)) {
            for (const std::vector<TabUnit>& page : u.pages)
                for (const TabUnit& c : page)
                    flattenUnit(c, out);
        } else if (takesPart(typ)) {
            out.push_back({u.item, nullptr});
        }
    }

    // Neighbours in one run of the order; `before` and `after` are what
    // surrounds the run (-1: nothing).
    void order(const std::vector<Step>& steps, int before, int after) {
        for (size_t k = 0; k < steps.size(); ++k) {
            const size_t i = steps[k].item;
            prev_[i] = k > 0 ? static_cast<int>(steps[k - 1].item) : before;
            next_[i] = k + 1 < steps.size() ? static_cast<int>(steps[k + 1].item) : after;
        }
        for (const Step& s : steps) {
            if (!s.panel) continue;
            for (const std::vector<TabUnit>& page : s.panel->pages)
                order(flatten(page), static_cast<int>(s.item), next_[s.item]);
        }
    }

    std::string gadget(int i) const {
        const Item& it = d_.items[static_cast<size_t>(i)];
        return "gadget " + std::to_string(it.number) + " \"" + it.name + "\"";
    }

    void sameKeys(std::vector<std::vector<std::string>>& found) const {
        std::array<std::vector<size_t>, 256> byKey;
        for (size_t i = 0; i < d_.items.size(); ++i) {
            const Item& it = d_.items[i];
            if (!active_[i] || !hasCaption(it.typ)) continue;
            const auto key = accessKey(it.wtext);
            if (!key) continue;
            std::vector<size_t>& earlier = byKey[static_cast<unsigned char>(*key)];
            for (const size_t e : earlier)
                if (shownTogether(path_[e], path_[i])) {
                    found[i].push_back("access key Alt+" + std::string(1, upper(*key)) +
                                       " is also used by " + gadget(static_cast<int>(e)));
                    break;
                }
            earlier.push_back(i);
        }
    }

    void unnamed(size_t i, std::vector<std::string>& found) const {
        const int p = prev_[i];
        if (p >= 0 && d_.items[static_cast<size_t>(p)].typ == TextGadget) return;
        std::string what = "no TextGadget directly before it in tab order names it";
        if (p >= 0) what += " (" + gadget(p) + " comes before it)";
        found.push_back(std::move(what));
    }

    void leadsNowhere(size_t i, std::vector<std::string>& found) const {
        const auto key = accessKey(d_.items[i].wtext);
        if (!key) return;
        const std::string k = "access key Alt+" + std::string(1, upper(*key));
        const int n = next_[i];
        if (n < 0)
            found.push_back(k + " leads nowhere: no gadget follows it in tab order");
        else if (!takesFocus(d_.items[static_cast<size_t>(n)].typ))
            found.push_back(k + " leads to " + gadget(n) + ", which cannot take the focus");
    }

    // An option listed right after another is one group with it wherever it
    // stands: the arrow keys move between them and only one is ever on, so
    // two far apart on the form are most likely two questions made one.
    void farInGroup(std::vector<std::vector<std::string>>& found) const {
        const std::vector<int> starts = optionGroupStarts(d_.items);
        int previous = -1;
        for (size_t i = 0; i < d_.items.size(); ++i) {
            if (starts[i] < 0) continue;
            const Item& it = d_.items[i];
            if (previous >= 0 && starts[static_cast<size_t>(previous)] == starts[i]) {
                const Item& p = d_.items[static_cast<size_t>(previous)];
                // The empty space between two spans on one axis.
                const auto gap = [](int64_t a, int64_t aw, int64_t b, int64_t bw) {
                    const int64_t aEnd = a + std::max<int64_t>(aw, 0);
                    const int64_t bEnd = b + std::max<int64_t>(bw, 0);
                    return std::max<int64_t>(0, std::max(b - aEnd, a - bEnd));
                };
                const int64_t apart = std::max(gap(p.x, p.w, it.x, it.w), gap(p.y, p.h, it.y, it.h));
                const int64_t far = int64_t{3} * std::max(std::max(p.h, it.h), kOptionRow);
                if (apart > far)
                    found[i].push_back("is one group of options with " + gadget(previous) +
                                       " but stands " + std::to_string(apart) + " pixels from it");
            }
            previous = static_cast<int>(i);
        }
    }

    static constexpr int kOptionRow = 20;

    const Design& d_;
    std::vector<bool> active_;
    std::vector<PanelPath> path_;
    std::vector<int> prev_, next_;
};

} // namespace

std::optional<char> accessKey(std::string_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return lower(caption[i + 1]);
        ++i; // "&&" shows one ampersand
    }
    return std::nullopt;
}

std::vector<KeyboardFinding> checkKeyboardAccess(const Design& d) {
    return Checker(d).run();
}

std::string formatFinding(std::string_view file, const KeyboardFinding& f) {
    std::string line(file);
    line += ": gadget " + std::to_string(f.number) + " \"" + f.name + "\": " + f.what;
    return line;
}

} // namespace zarnet::designer
