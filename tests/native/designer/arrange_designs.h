// Tiny designs for the arrange tests, written as space-separated records:
//   K:name[=text][@x,y][!h|!d]   a real item of kind K
//   W:name/a/b[...]              a splitter holding the items named a and b
//   |  a tab record    .  a close record
// Kinds: T text, S string, E editor, C combo box, N spin, L list view,
// I list icon, R tree, D date, A IP address, K track bar, B button,
// X check box, O option, H hyperlink, G image, Q progress bar, F frame,
// P panel, Y scroll area, Z container, W splitter. "!h" hides the item,
// "!d" disables it. Items are numbered in order of appearance.
#pragma once

#include "designer/canvas/structure.h"
#include "document/catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace zarnet::designer::test {

inline Design design(const std::string& text) {
    static const std::map<char, int> kinds{
        {'T', TextGadget},      {'S', StringGadget},      {'E', EditorGadget},
        {'C', ComboBoxGadget},  {'N', SpinGadget},        {'L', ListViewGadget},
        {'I', ListIconGadget},  {'R', TreeGadget},        {'D', DateGadget},
        {'A', IPAddressGadget}, {'K', TrackBarGadget},    {'B', ButtonGadget},
        {'X', CheckBoxGadget},  {'O', OptionGadget},      {'H', HyperLinkGadget},
        {'G', ImageGadget},     {'Q', ProgressBarGadget}, {'F', Frame3DGadget},
        {'P', PanelGadget},     {'Y', ScrollAreaGadget},  {'Z', ContainerGadget},
        {'W', SplitterGadget}};
    Design d;
    std::map<std::string, int> numbers;
    std::istringstream in(text);
    for (std::string tok; in >> tok;) {
        if (tok == "|" || tok == ".") {
            d.items.push_back(tok == "|" ? makeTabRecord(0, "Tab") : makeCloseRecord());
            continue;
        }
        Item it = makeItem(kinds.at(tok[0]));
        std::string rest = tok.substr(2);
        if (const size_t bang = rest.find('!'); bang != std::string::npos) {
            it.status = rest[bang + 1] == 'h' ? kStatusHidden : kStatusDisabled;
            rest.resize(bang);
        }
        if (const size_t at = rest.rfind('@'); at != std::string::npos) {
            const size_t comma = rest.find(',', at);
            it.x = std::stoi(rest.substr(at + 1, comma - at - 1));
            it.y = std::stoi(rest.substr(comma + 1));
            rest.resize(at);
        }
        if (const size_t eq = rest.find('='); eq != std::string::npos) {
            it.wtext = rest.substr(eq + 1);
            rest.resize(eq);
        }
        if (it.typ == SplitterGadget) {
            const size_t a = rest.find('/'), b = rest.find('/', a + 1);
            it.para1 = numbers.at(rest.substr(a + 1, b - a - 1));
            it.para2 = numbers.at(rest.substr(b + 1));
            rest.resize(a);
            for (Item& c : d.items)
                if (c.isGadget() && (c.number == it.para1 || c.number == it.para2))
                    c.insplitter = 1;
        }
        it.name = rest;
        it.number = static_cast<int16_t>(d.takeNumber());
        numbers[it.name] = it.number;
        d.items.push_back(std::move(it));
    }
    renumberTabs(d.items);
    resolveSplitterChildren(d.items);
    d.recomputeNesting();
    EXPECT_FALSE(checkInvariants(d)) << text;
    return d;
}

// The list in the same notation, names only.
inline std::string order(const Design& d) {
    std::string out;
    for (const Item& it : d.items)
        out += (out.empty() ? "" : " ") + (it.typ == kTabRecord     ? std::string("|")
                                           : it.typ == kCloseRecord ? std::string(".")
                                                                    : it.name);
    return out;
}

inline int numberOf(const Design& d, const std::string& name) {
    for (const Item& it : d.items)
        if (it.isGadget() && it.name == name) return it.number;
    ADD_FAILURE() << "no item " << name;
    return -1;
}

inline size_t indexOf(const Design& d, const std::string& name) {
    for (size_t i = 0; i < d.items.size(); ++i)
        if (d.items[i].isGadget() && d.items[i].name == name) return i;
    ADD_FAILURE() << "no item " << name;
    return 0;
}

} // namespace zarnet::designer::test
