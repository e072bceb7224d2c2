// Our own decoders: BMP files and icon directories over any bytes.
#include "imaging_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zarnet::imaging;
    const std::span<const uint8_t> bytes(data, size);
    fuzz::checkAndUse(decodeBmp(bytes), data, size);
    fuzz::checkAndUse(decodeIco(bytes), data, size);
    return 0;
}
