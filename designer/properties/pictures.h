// Pictures of image gadgets, image buttons and bitmap buttons, as the
// values editor loads, frees and re-flags them on the live gadget.
#pragma once

#include "document/model.h"

#include <cstdint>
#include <string>

namespace zarnet::designer {

// Larger files are refused before they are read.
inline constexpr uint64_t kMaxPictureFileBytes = uint64_t{64} * 1024 * 1024;

struct PictureLoad {
    bool loaded = false;
    std::string message;           // why not, naming the file; empty when loaded
    bool checkTransparent = false; // the "Transpareny" box must show checked
};

// Loads the picture file `path` into the item with the image flags `aflag`
// (icons go through `conversionFile`, which is deleted afterwards whatever
// happened). A file that cannot be read, is too large or does not decode
// leaves the item's picture, flags and gadget as they were.
PictureLoad loadPicture(Item& it, const std::string& path, int aflag,
                        const std::string& conversionFile);

// The item's picture data shown on its gadget again with the image flags
// `aflag` (transparency, stretching to the gadget).
void reflagPicture(Item& it, int aflag);

// The picture data dropped; the gadget shows the placeholder. False when
// the item had no picture data (nothing changes).
bool freePicture(Item& it);

} // namespace zarnet::designer
