// The compact layout reader over any bytes.
#include "document/design_format.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    zarnet::ByteReader in(bytes);
    zarnet::DesignHeader header;
    if (!zarnet::readHeader(in, header, zarnet::Layout::Compact)) return 0;
    zarnet::ReaderRecord rec;
    for (int32_t i = 0; i < header.formatMark && in.ok(); ++i)
        zarnet::readRecord(in, rec, zarnet::Layout::Compact);
    if (in.pos() > size) std::abort();
    return 0;
}
