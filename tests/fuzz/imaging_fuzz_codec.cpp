// The PNG and JPEG wrappers: whatever libpng and libjpeg make of the bytes,
// the process goes on and the result is a whole picture or none.
#include "imaging/decode.h"

namespace zarnet::imaging::fuzz {
// Aborts unless the picture is whole; then transparency, scaling and BMP
// output run on it.
void checkAndUse(const std::optional<Image>& img, const uint8_t* data, size_t size);
} // namespace zarnet::imaging::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zarnet::imaging;
    const std::span<const uint8_t> bytes(data, size);
    fuzz::checkAndUse(decodePng(bytes), data, size);
    fuzz::checkAndUse(decodeJpeg(bytes), data, size);
    return 0;
}
