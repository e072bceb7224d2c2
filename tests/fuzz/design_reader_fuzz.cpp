// The designer's reader in its three modes over any bytes. Whatever reads
// in one mode gives a design whose invariants hold, which this system's
// writer saves, which reads back strictly and saves to the same bytes again;
// whatever is refused names a place inside the data. Strict bytes are the
// writer's own; the editable mode takes everything the lenient one takes.
#include "document/design_file.h"

#include <cstdlib>

namespace {

using zarnet::Strictness;

void refusedWithinData(const zarnet::LoadResult& r, size_t size) {
    if (!r.design && (r.error.offset > size || r.error.what.empty())) std::abort();
}

// Saved, read back strictly and saved again: the same bytes.
void savesToItself(const zarnet::Design& d) {
    if (zarnet::checkInvariants(d)) std::abort();
    const std::vector<uint8_t> once = zarnet::writeDesign(d);
    const auto back = zarnet::readDesign(once, Strictness::Strict);
    if (!back.design || zarnet::writeDesign(*back.design) != once) std::abort();
    if (back.design->numberPool != d.numberPool || back.design->maximumDepth != d.maximumDepth)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const auto strict = zarnet::readDesign(bytes, Strictness::Strict);
    const auto lenient = zarnet::readDesign(bytes, Strictness::Lenient);
    const auto editable = zarnet::readDesign(bytes, Strictness::Editable);
    for (const auto* r : {&strict, &lenient, &editable}) {
        refusedWithinData(*r, size);
        if (r->design) savesToItself(*r->design);
    }
    if (strict.design &&
        zarnet::writeDesign(*strict.design) != std::vector<uint8_t>(data, data + size))
        std::abort();
    if (strict.design && !lenient.design) std::abort();
    // Numbers below next number leave nothing for the editable mode to
    // raise: both read the same design.
    if (lenient.design && (!editable.design || zarnet::writeDesign(*lenient.design) !=
                                                   zarnet::writeDesign(*editable.design)))
        std::abort();
    return 0;
}
