#include "designer/recovery/recovery_file.h"

#include "document/byte_reader.h"
#include "document/design_file.h"
#include "text/format.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace zarnet::recovery {

namespace {

constexpr uint8_t kMagic[4] = {'Z', 'R', 'C', 'V'};
constexpr uint16_t kVersion = 1;
// Magic, version, zero, id, creation, time written, the two lengths, CRC.
constexpr size_t kFixedSize = 4 + 2 + 2 + 4 + 8 + 8 + 4 + 4 + 4;

void put(std::vector<uint8_t>& out, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint64_t u32(ByteReader& r, const char* field) {
    return static_cast<uint32_t>(r.lng(field));
}
uint64_t u64(ByteReader& r, const char* field) {
    const uint64_t low = u32(r, field);
    return low | (u32(r, field) << 32);
}

} // namespace

uint32_t crc32(std::span<const uint8_t> bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (uint8_t b : bytes)
        c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::vector<uint8_t> writeCopy(const RecoveryCopy& copy) {
    std::vector<uint8_t> out;
    out.reserve(kFixedSize + copy.designName.size() + copy.design.size());
    for (uint8_t b : kMagic)
        out.push_back(b);
    put(out, kVersion, 2);
    put(out, 0, 2);
    put(out, copy.writer.pid, 4);
    put(out, copy.writer.created, 8);
    put(out, copy.writtenAt, 8);
    put(out, copy.designName.size(), 4);
    out.insert(out.end(), copy.designName.begin(), copy.designName.end());
    put(out, copy.design.size(), 4);
    out.insert(out.end(), copy.design.begin(), copy.design.end());
    put(out, crc32(out), 4);
    return out;
}

CopyRead readCopy(std::span<const uint8_t> bytes) {
    auto refuse = [](std::string why) { return CopyRead{std::nullopt, std::move(why)}; };
    if (bytes.size() < 4 || !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin()))
        return refuse("it is not a recovery copy of this program");
    if (bytes.size() < kFixedSize) return refuse("it is cut short");
    ByteReader r(bytes, 4);
    const uint64_t version = static_cast<uint16_t>(r.word("version"));
    if (version != kVersion || r.word("reserved") != 0)
        return refuse("it was written by another version of this program");
    RecoveryCopy copy;
    copy.writer.pid = static_cast<uint32_t>(u32(r, "process id"));
    copy.writer.created = u64(r, "process creation time");
    copy.writtenAt = u64(r, "time written");
    // Every length is checked against what is left before anything is
    // taken, so a damaged length can neither read past the end nor make
    // the reader ask for a huge buffer.
    const uint64_t nameLength = u32(r, "name length");
    if (nameLength > kMaxNameLength || nameLength > r.remaining())
        return refuse("it is cut short or damaged");
    const auto name = r.block(static_cast<int64_t>(nameLength), "name");
    copy.designName.assign(name.begin(), name.end());
    const uint64_t designLength = u32(r, "design length");
    if (!r.ok() || designLength + 4 != r.remaining()) return refuse("it is cut short or damaged");
    const auto design = r.block(static_cast<int64_t>(designLength), "design");
    const uint32_t stored = static_cast<uint32_t>(u32(r, "checksum"));
    if (!r.ok() || !r.atEnd()) return refuse("it is cut short or damaged");
    if (stored != crc32(bytes.first(bytes.size() - 4))) return refuse("it is damaged");
    const LoadResult loaded = readDesign(design, Strictness::Editable);
    if (!loaded.design)
        return refuse("the design in it does not read (offset " +
                      std::to_string(loaded.error.offset) + ": " + loaded.error.what + ")");
    copy.design.assign(design.begin(), design.end());
    return {std::move(copy), {}};
}

std::string copyFileName(ProcessIdentity writer) {
    char name[48];
    zarnet::text::formatTo(name, sizeof name, "%lu-%016llX", static_cast<unsigned long>(writer.pid),
                           static_cast<unsigned long long>(writer.created));
    return name + std::string(kCopyExtension);
}

std::optional<ProcessIdentity> identityOfFileName(std::string_view fileName) {
    const std::string_view ext = kCopyExtension;
    if (fileName.size() <= ext.size() || fileName.substr(fileName.size() - ext.size()) != ext)
        return std::nullopt;
    fileName.remove_suffix(ext.size());
    const size_t dash = fileName.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const std::string_view pid = fileName.substr(0, dash), created = fileName.substr(dash + 1);
    if (pid.empty() || created.size() != 16) return std::nullopt;
    ProcessIdentity id;
    const auto a = std::from_chars(pid.data(), pid.data() + pid.size(), id.pid);
    const auto b = std::from_chars(created.data(), created.data() + created.size(), id.created, 16);
    if (a.ec != std::errc{} || a.ptr != pid.data() + pid.size() || b.ec != std::errc{} ||
        b.ptr != created.data() + created.size())
        return std::nullopt;
    // One spelling per process: the one this program writes.
    if (copyFileName(id) != std::string(fileName) + std::string(ext)) return std::nullopt;
    return id;
}

} // namespace zarnet::recovery
