// The designer's reader: any bytes either load into a design that writes
// back to exactly the same bytes (when strict) or give a positioned error.
#include "document/design_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    auto strict = zarnet::readDesign(bytes, zarnet::Strictness::Strict);
    if (strict.design) {
        if (zarnet::writeDesign(*strict.design) != std::vector<uint8_t>(data, data + size))
            std::abort();
    } else if (strict.error.offset > size || strict.error.what.empty()) {
        std::abort();
    }
    auto lenient = zarnet::readDesign(bytes, zarnet::Strictness::Lenient);
    if (strict.design && !lenient.design) std::abort();
    return 0;
}
