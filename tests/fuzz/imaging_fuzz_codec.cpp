// The PNG and JPEG wrappers: whatever libpng and libjpeg make of the bytes,
// the process goes on and the result is a whole picture or none.
#include "imaging_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zarnet::imaging;
    const std::span<const uint8_t> bytes(data, size);
    fuzz::checkAndUse(decodePng(bytes), data, size);
    fuzz::checkAndUse(decodeJpeg(bytes), data, size);
    return 0;
}
