// The recovery copy: what a designer keeps of a modified design while it
// runs, so that a crash, a kill or a power cut loses at most the last few
// seconds of work. One file per designer process in the user's own data
// folder, named for the process, replaced whole (temporary file and
// rename) at every write.
//
// Layout, little-endian:
//   "ZRCV"   magic
//   u16      version (1)
//   u16      zero
//   u32      process id of the writer
//   u64      creation time of that process (FILETIME ticks)
//   u64      time written (FILETIME ticks, UTC)
//   u32 n    length of the design's file name, then n bytes (no zero);
//            n = 0 for a design never saved
//   u32 m    length of the design file, then m bytes (a whole design file)
//   u32      CRC-32 of every byte before it
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zarnet::recovery {

// A process as the system knows it: the id alone is reused, the id with
// the moment the process was created is not.
struct ProcessIdentity {
    uint32_t pid = 0;
    uint64_t created = 0;
    bool operator==(const ProcessIdentity&) const = default;
};

struct RecoveryCopy {
    ProcessIdentity writer;
    uint64_t writtenAt = 0;      // FILETIME ticks, UTC
    std::string designName;      // the design's file; empty when never saved
    std::vector<uint8_t> design; // the design file's bytes
};

inline constexpr char kCopyExtension[] = ".zrv";
inline constexpr size_t kMaxNameLength = 32767;
// Larger than any design the designer can hold; a file claiming more is
// not one of ours and is not read into memory.
inline constexpr uint64_t kMaxCopySize = 512ull << 20;

std::vector<uint8_t> writeCopy(const RecoveryCopy& copy);

struct CopyRead {
    std::optional<RecoveryCopy> copy;
    std::string fault; // why it cannot be used, when no copy
};
// The copy in these bytes, only when every part of it is whole: the
// lengths, the checksum and the design inside it (which must read as a
// design the designer can edit).
CopyRead readCopy(std::span<const uint8_t> bytes);

// The file name of a process's copy, and the process a name stands for.
std::string copyFileName(ProcessIdentity writer);
std::optional<ProcessIdentity> identityOfFileName(std::string_view fileName);

uint32_t crc32(std::span<const uint8_t> bytes);

} // namespace zarnet::recovery
