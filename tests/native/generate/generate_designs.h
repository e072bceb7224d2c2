// Designs for the generator tests, built from what they should need.
#pragma once

#include "designer/generate/features.h"
#include "tests/native/test_designs.h"

#include <string_view>
#include <vector>

namespace zarnet::test {

inline std::vector<uint8_t> bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

using namespace std::string_view_literals;
inline const std::vector<uint8_t> kPngBytes = bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR"sv);
inline const std::vector<uint8_t> kJpegBytes = bytes("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01"sv);

// One switch per feature a design can need; each adds the item that needs it.
enum Need : unsigned {
    NeedImage = 1,        // a bitmap button without image data
    NeedPng = 2,          // an image gadget holding a PNG
    NeedJpeg = 4,         // a button image gadget holding a JPEG
    NeedTransparency = 8, // a bitmap button drawn transparent
    NeedTooltip = 16,
    NeedExtendedTooltip = 32,
    NeedAnchors = 64,
    NeedFonts = 128,
    NeedAll = 255,
};

inline Design designNeeding(unsigned needs) {
    Design d;
    addItem(d, TextGadget);
    if (needs & NeedImage) addItem(d, ButtonGadget).flags = kButtonBitmapFlag;
    if (needs & NeedPng) addItem(d, ImageGadget).image = kPngBytes;
    if (needs & NeedJpeg) addItem(d, ButtonImageGadget).image = kJpegBytes;
    if (needs & NeedTransparency) {
        Item& it = addItem(d, ButtonGadget);
        it.flags = kButtonBitmapFlag | 0x200;
        it.aflag = 1;
    }
    if (needs & NeedTooltip) {
        Item& it = addItem(d, StringGadget);
        it.tooltip = 1;
        it.tooltipText = "tip";
    }
    if (needs & NeedExtendedTooltip) {
        Item& it = addItem(d, TreeGadget);
        it.tooltip = 2;
        it.tooltipText = "extended";
    }
    if (needs & NeedAnchors) addItem(d, EditorGadget).auto_ = 64 | 128;
    if (needs & NeedFonts) {
        d.fonts.push_back({1, 0, 10, "Arial", 0});
        addItem(d, CheckBoxGadget).font = 0;
    }
    return d;
}

// What designNeeding(needs) must make an include carry.
inline gen::Features featuresOf(unsigned needs) {
    gen::Features f;
    f.images = needs & (NeedImage | NeedPng | NeedJpeg | NeedTransparency);
    f.png = needs & NeedPng;
    f.jpeg = needs & NeedJpeg;
    f.transparency = needs & NeedTransparency;
    f.tooltips = needs & (NeedTooltip | NeedExtendedTooltip);
    f.extendedTooltips = needs & NeedExtendedTooltip;
    f.anchors = needs & NeedAnchors;
    f.fonts = needs & NeedFonts;
    f.usedType[TextGadget] = true;
    f.usedType[ButtonGadget] = needs & (NeedImage | NeedTransparency);
    f.usedType[ImageGadget] = needs & NeedPng;
    f.usedType[ButtonImageGadget] = needs & NeedJpeg;
    f.usedType[StringGadget] = needs & NeedTooltip;
    f.usedType[TreeGadget] = needs & NeedExtendedTooltip;
    f.usedType[EditorGadget] = needs & NeedAnchors;
    f.usedType[CheckBoxGadget] = needs & NeedFonts;
    return f;
}

} // namespace zarnet::test
