// The design file byte format: the header, font entries and records, read
// through one bounds-checked cursor. These pieces serve the designer's
// reader, the runtime loader and the compact layout reader alike.
#pragma once

#include "document/byte_reader.h"
#include "document/model.h"

#include <span>

namespace zarnet {

enum class Layout {
    Design,   // the full design file
    Compact,  // the older panel layout: 20-byte header, fields 1..10 only
};

inline constexpr size_t kHeaderSize = 37;
inline constexpr size_t kCompactHeaderSize = 20;
inline constexpr int32_t kFormatMark = 1000;

struct DesignHeader {
    int32_t nextNumber = 0;
    int32_t clientWidth = 0, clientHeight = 0;
    int32_t gridStep = 0;
    int32_t formatMark = kFormatMark;  // the compact layout's record count
    int32_t gWindow = 0, gMenu = 0, gStatusBar = 0, gToolBar = 0;
    uint8_t gLanguage = 0;
};

// What a record holds beyond its stored fields.
struct RecordExtras {
    int32_t memsize = 0;
    std::span<const uint8_t> image;  // view into the design data
    int isimage = 0;                 // 0 none, 1 gadget state, 2 button bitmap
    size_t start = 0;                // offset of the record's type byte
};

// The reader record: one per reader, shared by all records it reads, so a
// field that a record does not carry keeps the value an earlier record left.
struct ReaderRecord : RecordFields, RecordExtras {};

// Header of either layout. For the compact layout formatMark receives the
// record count stored at offset 16 and the reserved fields stay 0.
bool readHeader(ByteReader& in, DesignHeader& h, Layout layout = Layout::Design);
// One font table entry; unused entries are a single zero byte.
bool readFontEntry(ByteReader& in, FontEntry& f);
// The next record (tab, close or gadget) into rec; false with the cursor's
// error set when the data ends inside it or its type is unknown.
bool readRecord(ByteReader& in, RecordFields& rec, RecordExtras& extras,
                Layout layout = Layout::Design);
inline bool readRecord(ByteReader& in, ReaderRecord& rec, Layout layout = Layout::Design) {
    return readRecord(in, rec, rec, layout);
}

// Fixed header values a generated program reads directly.
int32_t headerMaxItem(std::span<const uint8_t> data);       // long at 0 minus 1
int32_t headerClientWidth(std::span<const uint8_t> data);   // long at 4
int32_t headerClientHeight(std::span<const uint8_t> data);  // long at 8

// Recognised image formats, from the picture's own bytes.
enum class ImageFormat { Other, Png, Jpeg };
ImageFormat sniffImageFormat(std::span<const uint8_t> bytes);

} // namespace zarnet
