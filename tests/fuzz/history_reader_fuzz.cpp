// The history file a restart leaves beside the backup, as any bytes: what
// reads is a sound history whose written form reads back the same.
#include "designer/history/history_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto h = zarnet::designer::readHistory({data, size});
    if (!h) return 0;
    if (h->states().empty() || h->position() >= h->states().size()) std::abort();
    const std::vector<uint8_t> once = zarnet::designer::writeHistory(*h);
    const auto back = zarnet::designer::readHistory(once);
    if (!back || zarnet::designer::writeHistory(*back) != once) std::abort();
    return 0;
}
