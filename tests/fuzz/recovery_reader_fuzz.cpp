// The recovery copy reader over any bytes: a copy it accepts is exactly
// what the writer makes of it, and a refusal always says why. The same
// bytes as a file name: a name it takes is the one the writer gives.
#include "designer/recovery/recovery_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const zarnet::recovery::CopyRead r = zarnet::recovery::readCopy(bytes);
    if (r.copy) {
        if (zarnet::recovery::writeCopy(*r.copy) != std::vector<uint8_t>(data, data + size))
            std::abort();
    } else if (r.fault.empty()) {
        std::abort();
    }
    const std::string_view name(reinterpret_cast<const char*>(data), size);
    if (const auto id = zarnet::recovery::identityOfFileName(name))
        if (zarnet::recovery::copyFileName(*id) != name) std::abort();
    return 0;
}
