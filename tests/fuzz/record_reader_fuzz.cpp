// The runtime's record reader: the shared reader record walks any bytes
// without reading past the end, and every image view lies inside the data.
#include "document/design_format.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    zarnet::ByteReader in(bytes);
    zarnet::DesignHeader header;
    if (!zarnet::readHeader(in, header)) return 0;
    const int32_t fonts = in.lng("gFonts");
    zarnet::FontEntry font;
    for (int32_t i = 0; i < fonts && in.ok(); ++i) zarnet::readFontEntry(in, font);
    const int32_t count = in.lng("gcount");
    zarnet::ReaderRecord rec;
    for (int32_t i = 0; i < count && in.ok(); ++i) {
        if (!zarnet::readRecord(in, rec)) break;
        if (!rec.image.empty() &&
            (rec.image.data() < data || rec.image.data() + rec.image.size() > data + size))
            std::abort();
    }
    if (in.pos() > size) std::abort();
    return 0;
}
