#include "designer/properties/values_layout.h"

#include "document/catalogue.h"

#include <array>
#include <span>
#include <string_view>

namespace zarnet::designer {

namespace {

using K = ValuesControlKind;
using R = ValuesRole;

constexpr Rect kHidden{0, 0, 0, 0};

void addFields(ValuesLayout& l, const Item& it, std::span<const std::string_view> labels) {
    const std::array<int, 3> values{it.para1, it.para2, it.para3};
    for (size_t i = 0; i < labels.size(); ++i) {
        const int y = 35 + 40 * static_cast<int>(i);
        const int f = static_cast<int>(i);
        l.controls.push_back(
            {R::FieldLabel, K::RightText, {5, y, 75, 20}, std::string(labels[i]), f});
        l.controls.push_back(
            {R::Field, K::NumberField, {85, y, 90, 20}, std::to_string(values[i]), f});
    }
    l.fieldCount = static_cast<int>(labels.size());
    l.controls.push_back({R::Editor, K::TextEditor, kHidden, {}});
}

} // namespace

ValuesLayout valuesEditorLayout(const Item& it) {
    ValuesLayout l;
    l.controls.push_back(
        {R::ItemIndex, K::Text, {5, 5, 190, 15}, "Item Index " + std::to_string(it.number)});
    // Explorer gadgets show the folder they ended up in and the web gadget
    // its page, which may differ from what the design asks for: their
    // editor starts with the stored text, so closing it changes nothing.
    const bool storedText = it.typ == ListIconGadget || it.typ == ExplorerComboGadget ||
                            it.typ == ExplorerListGadget || it.typ == ExplorerTreeGadget ||
                            it.typ == WebGadget;
    l.source = it.typ == PanelGadget ? EditorSource::CurrentTabTitle
               : storedText          ? EditorSource::ItemText
                                     : EditorSource::GadgetText;
    static constexpr std::string_view kScrollArea[] = {"InnerWidth", "InnerHeight", "ScrollStep"};
    static constexpr std::string_view kRange[] = {"Minimal", "Maximal", "PageSize"};

    if (isImageCapable(it.typ, it.flags)) {
        l.source = EditorSource::None;
        l.pictures = true;
        const bool transparent = it.aflag == 1 || it.aflag == 3;
        const bool resize = it.aflag == 2 || it.aflag == 3;
        l.controls.push_back({R::LoadImage, K::Button, {20, 35, 160, 20}, "Load Image"});
        l.controls.push_back(
            {R::Transparent, K::CheckBox, {30, 65, 140, 20}, "Transpareny", -1, transparent});
        // An image gadget shows its picture at its own size unless the
        // picture is stretched when loaded, so the switch is shown but fixed.
        l.controls.push_back({R::AutoResize,
                              K::CheckBox,
                              {30, 85, 140, 20},
                              "Auto resize image",
                              -1,
                              resize,
                              it.typ != ImageGadget});
        l.controls.push_back({R::FreeImage, K::Button, {20, 115, 160, 20}, "Free Image"});
    } else if (it.typ == SplitterGadget) {
        l.controls.push_back({R::FirstMinimum,
                              K::CheckBox,
                              {5, 55, 190, 20},
                              "Actual as first minimum size",
                              -1,
                              it.para5 > 0});
        l.controls.push_back({R::SecondMinimum,
                              K::CheckBox,
                              {5, 85, 190, 20},
                              "Actual as second minimum size",
                              -1,
                              it.para6 > 0});
        l.controls.push_back({R::Editor, K::TextEditor, kHidden, {}});
    } else if (it.typ == ScrollAreaGadget) {
        addFields(l, it, kScrollArea);
    } else if (it.typ == ScrollBarGadget) {
        addFields(l, it, kRange);
    } else if (it.typ == ProgressBarGadget || it.typ == SpinGadget || it.typ == TrackBarGadget) {
        addFields(l, it, std::span(kRange).first(2));
    } else {
        l.controls.push_back({R::Editor, K::TextEditor, {5, 25, 190, 145}, {}});
    }
    l.controls.push_back({R::Close, K::Button, {50, 175, 100, 20}, "Close"});
    return l;
}

} // namespace zarnet::designer
