// Writes fuzzing seeds with the project's own writer: design files into the
// first folder, compact layouts (the same records behind a 20-byte header)
// into the second, and, given a third, large designs and files that claim
// all a design can hold, for the runs that look for readers taking memory
// from what a file says rather than from what it brings.
#include "document/design_file.h"
#include "document/example_design.h"
#include "test_designs.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> compactOf(const zarnet::Design& d) {
    // Strip the record fields the compact layout lacks by writing only the
    // mask fields: easiest from the model with every optional part cleared.
    std::vector<uint8_t> out;
    auto lng = [&](int32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    };
    auto str = [&](const std::string& s) {
        out.insert(out.end(), s.begin(), s.end());
        out.push_back(0);
    };
    lng(d.nextNumber);
    lng(d.clientWidth);
    lng(d.clientHeight);
    lng(d.gridStep);
    lng(static_cast<int32_t>(d.items.size()));
    for (const zarnet::Item& it : d.items) {
        out.push_back(static_cast<uint8_t>(it.typ));
        out.push_back(static_cast<uint8_t>(it.number & 0xFF));
        out.push_back(static_cast<uint8_t>((it.number >> 8) & 0xFF));
        if (it.typ == zarnet::kTabRecord) str(it.wtext);
        if (!it.isGadget()) continue;
        lng(it.x), lng(it.y), lng(it.w), lng(it.h);
        str(it.name);
        const uint8_t m = zarnet::typeMask(it.typ);
        if (m & 1) str(it.wtext);
        if (m & 2) lng(static_cast<int32_t>(it.flags));
        if (m & 4) lng(it.para1);
        if (m & 8) lng(it.para2);
        if (m & 16) lng(it.para3);
    }
    return out;
}

bool put(const fs::path& file, const std::vector<uint8_t>& bytes) {
    return zarnet::writeFileAtomic(file.string(), bytes);
}

std::vector<std::vector<uint8_t>> largeSeeds() {
    using namespace zarnet;
    auto putLong = [](std::vector<uint8_t>& b, size_t at, int32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
    };
    const std::vector<uint8_t> empty = writeDesign(Design{});
    std::vector<std::vector<uint8_t>> out;
    // Every record a close record with nothing open.
    std::vector<uint8_t> closes(empty.begin(), empty.begin() + 45);
    closes.resize(45 + 3 * size_t(kMaxRecords) + 4, 0);
    putLong(closes, 41, kMaxRecords);
    out.push_back(closes);
    // The most font entries a design holds, all unused.
    std::vector<uint8_t> fonts(empty.begin(), empty.begin() + 37);
    fonts.resize(41 + size_t(kMaxFontEntries) + 8, 0);
    putLong(fonts, 37, kMaxFontEntries);
    out.push_back(fonts);
    // A panel with as many tabs as the records allow, and a design of as
    // many gadgets as there are numbers.
    Design tabs;
    Item panel = makeItem(PanelGadget);
    tabs.items.push_back(panel);
    tabs.nextNumber = 1;
    for (int i = 0; i + 2 < kMaxRecords; ++i)
        tabs.items.push_back(makeTabRecord(i, ""));
    tabs.items.push_back(makeCloseRecord());
    out.push_back(writeDesign(tabs));
    Design full;
    for (int i = 0; i < kMaxGadgets; ++i) {
        Item it = makeItem(TextGadget);
        it.number = static_cast<int16_t>(i);
        full.items.push_back(std::move(it));
    }
    full.nextNumber = kMaxGadgets;
    out.push_back(writeDesign(full));
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fputs("usage: write_design_seeds DESIGN_DIR COMPACT_DIR [LARGE_DIR]\n", stderr);
        return 2;
    }
    const fs::path designs = argv[1], compacts = argv[2];
    fs::create_directories(designs);
    fs::create_directories(compacts);
    const zarnet::Design samples[] = {zarnet::Design{}, zarnet::makeExampleDesign(),
                                      zarnet::test::everyTypeDesign()};
    int n = 0;
    for (const zarnet::Design& d : samples) {
        const std::string name = "seed" + std::to_string(n++);
        if (!put(designs / (name + ".zrf"), zarnet::writeDesign(d)) ||
            !put(compacts / (name + ".bin"), compactOf(d))) {
            std::fprintf(stderr, "cannot write seeds\n");
            return 1;
        }
    }
    if (argc == 4) {
        const fs::path large = argv[3];
        fs::create_directories(large);
        int k = 0;
        for (const auto& bytes : largeSeeds())
            if (!put(large / ("large" + std::to_string(k++) + ".zrf"), bytes)) {
                std::fprintf(stderr, "cannot write seeds\n");
                return 1;
            }
    }
    return 0;
}
