// A picture as a PNG file: 8 bits per channel, RGB, or RGBA when asked.
#pragma once

#include "imaging/image.h"

#include <optional>
#include <vector>

namespace zarnet::imaging {

// Nothing for an empty picture or when libpng fails.
std::optional<std::vector<uint8_t>> encodePng(const Image& img, bool withAlpha = false);

} // namespace zarnet::imaging
