// Shared by the picture fuzz targets.
#pragma once

#include "imaging/decode.h"

#include <optional>

namespace zarnet::imaging::fuzz {
// Aborts unless the picture is whole; then transparency, scaling and BMP
// output run on it.
void checkAndUse(const std::optional<Image>& img, const uint8_t* data, size_t size);
} // namespace zarnet::imaging::fuzz
