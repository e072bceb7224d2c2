// The PureBasic runtime as fixed text blocks, cut where the include writer
// decides what a design needs. Each block's last line has no line break of
// its own; the texts use "\n" and are written with CR LF.
#pragma once

#include <string>
#include <string_view>

namespace zarnet::gen {

struct RuntimeBlocks {
    std::string_view init;            // structures, reader record, lists, masks
    std::string_view drawTransparent; // DrawTransparentImage()
    std::string_view apiToolTip;      // ApiToolTip()
    std::string_view setImage;        // ZarnetSetImage() and ConvertIcoToBmp()
    std::string_view creationTail;    // end of ReCreateObject() to gCallback()'s Select
    std::string_view resize;          // the WM_SIZE case of gCallback()
    std::string_view loaderHead;      // end of gCallback() to the gFonts read
    std::string_view fonts;           // the font table
    std::string_view recordLoop;      // window registration to list-icon columns
    std::string_view imageLoad;       // the image of an image-capable record
    std::string_view status;          // hiding, disabling, the anchor byte
    std::string_view anchorRegister;  // registration for automatic resizing
    std::string_view fontApply;       // the gadget font and the tooltip byte
    std::string_view tooltip;         // simple and extended tooltips
    std::string_view loaderTail;      // colour byte to the end of Zarnet()
};

const RuntimeBlocks& runtimeBlocks();

// "Case t:ZarnValue\id=Name(#PB_Any,...)" for gadget type t (1..29).
std::string caseLine(int typ);

} // namespace zarnet::gen
