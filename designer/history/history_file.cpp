#include "designer/history/history_file.h"

#include "document/byte_reader.h"
#include "document/catalogue.h"

#include <algorithm>
#include <map>

namespace zarnet::designer {

namespace {

constexpr uint8_t kMagic[4] = {'Z', 'R', 'H', 'S'};
constexpr uint32_t kVersion = 1;

class Writer {
  public:
    void u8(uint32_t v) { out_.push_back(static_cast<uint8_t>(v)); }
    void u32(uint32_t v) {
        for (int i = 0; i < 4; ++i) u8((v >> (8 * i)) & 0xFF);
    }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void u64(uint64_t v) {
        u32(static_cast<uint32_t>(v));
        u32(static_cast<uint32_t>(v >> 32));
    }
    void bytes(std::span<const uint8_t> b) {
        u32(static_cast<uint32_t>(b.size()));
        out_.insert(out_.end(), b.begin(), b.end());
    }
    void str(const std::string& s) {
        bytes({reinterpret_cast<const uint8_t*>(s.data()), s.size()});
    }
    std::vector<uint8_t> take() { return std::move(out_); }

  private:
    std::vector<uint8_t> out_;
};

// The stored fields of a record, in one order for writing and reading.
template <class Io> void fields(Io& io, RecordFields& f) {
    for (int* v : {&f.typ, &f.x, &f.y, &f.w, &f.h, &f.para1, &f.para2, &f.para3, &f.para5, &f.para6,
                   &f.aflag, &f.status, &f.auto_, &f.font, &f.tooltip, &f.ttime, &f.tfont, &f.twidth,
                   &f.tballoon, &f.color})
        io.integer(*v);
    int number = f.number;
    io.integer(number);
    f.number = static_cast<int16_t>(number);
    for (uint32_t* v : {&f.flags, &f.tfcolor, &f.tbcolor})
        io.word(*v);
    for (std::string* s : {&f.name, &f.wtext, &f.columns, &f.tooltipText})
        io.text(*s);
}

struct Out {
    Writer& w;
    void integer(int& v) { w.i32(v); }
    void word(uint32_t& v) { w.u32(v); }
    void text(std::string& s) { w.str(s); }
};

struct In {
    ByteReader& r;
    void integer(int& v) { v = r.lng("field"); }
    void word(uint32_t& v) { v = static_cast<uint32_t>(r.lng("field")); }
    void text(std::string& s) {
        const uint32_t n = static_cast<uint32_t>(r.lng("length"));
        const auto b = r.block(n, "text");
        s.assign(b.begin(), b.end());
    }
};

// A count read from the bytes, believed only as far as the bytes left can
// hold that many entries of at least `least` bytes each.
std::optional<size_t> count(ByteReader& r, size_t least) {
    const uint32_t n = static_cast<uint32_t>(r.lng("count"));
    if (!r.ok() || n > r.remaining() / least) return std::nullopt;
    return n;
}

} // namespace

std::vector<uint8_t> writeHistory(const History& h) {
    std::map<const void*, uint32_t> pictureIndex, recordIndex;
    std::vector<const std::vector<uint8_t>*> pictures;
    std::vector<const ItemRecord*> records;
    for (const Snapshot& s : h.states())
        for (const SharedRecord& r : s.items) {
            if (!recordIndex.try_emplace(r.get(), static_cast<uint32_t>(records.size())).second)
                continue;
            records.push_back(r.get());
            if (r->image &&
                pictureIndex.try_emplace(r->image.get(), static_cast<uint32_t>(pictures.size())).second)
                pictures.push_back(r->image.get());
        }
    Writer w;
    for (uint8_t b : kMagic)
        w.u8(b);
    w.u32(kVersion);
    w.u32(static_cast<uint32_t>(pictures.size()));
    for (const auto* p : pictures)
        w.bytes(*p);
    w.u32(static_cast<uint32_t>(records.size()));
    Out out{w};
    for (const ItemRecord* r : records) {
        RecordFields f = r->fields;
        fields(out, f);
        w.i32(r->image ? static_cast<int32_t>(pictureIndex.at(r->image.get())) : -1);
    }
    w.u32(static_cast<uint32_t>(h.states().size()));
    for (const Snapshot& s : h.states()) {
        for (int v : {s.clientWidth, s.clientHeight, s.nextNumber})
            w.i32(v);
        w.u32(static_cast<uint32_t>(s.numberPool.size()));
        for (int n : s.numberPool)
            w.i32(n);
        w.u32(static_cast<uint32_t>(s.poolCursor));
        for (int32_t v : {s.gWindow, s.gMenu, s.gStatusBar, s.gToolBar})
            w.i32(v);
        w.u8(s.gLanguage);
        w.u32(static_cast<uint32_t>(s.fonts.size()));
        for (const FontRecord& f : s.fonts) {
            w.u8(f.used);
            w.i32(f.size);
            w.str(f.name);
            w.i32(f.style);
        }
        w.u32(static_cast<uint32_t>(s.items.size()));
        for (const SharedRecord& r : s.items)
            w.u32(recordIndex.at(r.get()));
    }
    for (const StepInfo& step : h.stepInfos()) {
        w.u8(step.rebuilt ? 1 : 0);
        w.u64(step.mergeKey);
    }
    w.u32(static_cast<uint32_t>(h.position()));
    w.i32(static_cast<int32_t>(h.savePoint()));
    return w.take();
}

std::optional<History> readHistory(std::span<const uint8_t> bytes) {
    if (bytes.size() < 8 || !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin()))
        return std::nullopt;
    ByteReader r(bytes, 4);
    if (static_cast<uint32_t>(r.lng("version")) != kVersion) return std::nullopt;

    std::vector<std::shared_ptr<const std::vector<uint8_t>>> pictures;
    const auto pictureCount = count(r, 4);
    if (!pictureCount) return std::nullopt;
    for (size_t i = 0; i < *pictureCount && r.ok(); ++i) {
        const auto b = r.block(static_cast<uint32_t>(r.lng("picture length")), "picture");
        pictures.push_back(std::make_shared<const std::vector<uint8_t>>(b.begin(), b.end()));
    }
    std::vector<SharedRecord> records;
    const auto recordCount = count(r, 4 * 27);
    if (!recordCount) return std::nullopt;
    In in{r};
    for (size_t i = 0; i < *recordCount && r.ok(); ++i) {
        auto rec = std::make_shared<ItemRecord>();
        fields(in, rec->fields);
        const int32_t picture = r.lng("picture index");
        if (picture >= static_cast<int32_t>(pictures.size()) || picture < -1) return std::nullopt;
        if (picture >= 0) rec->image = pictures[static_cast<size_t>(picture)];
        const int typ = rec->fields.typ;
        if (typ != kTabRecord && typ != kCloseRecord && !isGadgetType(typ)) return std::nullopt;
        records.push_back(std::move(rec));
    }
    std::deque<Snapshot> states;
    const auto stateCount = count(r, 4 * 10);
    if (!stateCount || *stateCount == 0) return std::nullopt;
    for (size_t k = 0; k < *stateCount && r.ok(); ++k) {
        Snapshot s;
        s.clientWidth = r.lng("width");
        s.clientHeight = r.lng("height");
        s.nextNumber = r.lng("next number");
        const auto pool = count(r, 4);
        if (!pool) return std::nullopt;
        for (size_t i = 0; i < *pool; ++i)
            s.numberPool.push_back(r.lng("pool"));
        s.poolCursor = std::min<size_t>(static_cast<uint32_t>(r.lng("cursor")), s.numberPool.size());
        s.gWindow = r.lng("window");
        s.gMenu = r.lng("menu");
        s.gStatusBar = r.lng("status bar");
        s.gToolBar = r.lng("tool bar");
        s.gLanguage = r.byte("language");
        const auto fonts = count(r, 13);
        if (!fonts) return std::nullopt;
        for (size_t i = 0; i < *fonts && r.ok(); ++i) {
            FontRecord f;
            f.used = r.byte("used");
            f.size = r.lng("size");
            in.text(f.name);
            f.style = r.lng("style");
            s.fonts.push_back(std::move(f));
        }
        const auto items = count(r, 4);
        if (!items) return std::nullopt;
        for (size_t i = 0; i < *items && r.ok(); ++i) {
            const uint32_t at = static_cast<uint32_t>(r.lng("record"));
            if (at >= records.size()) return std::nullopt;
            s.items.push_back(records[at]);
        }
        states.push_back(std::move(s));
    }
    std::deque<StepInfo> steps;
    for (size_t k = 1; k < states.size() && r.ok(); ++k) {
        StepInfo step;
        step.rebuilt = r.byte("rebuilt") != 0;
        const uint32_t low = static_cast<uint32_t>(r.lng("merge key"));
        step.mergeKey = low | (uint64_t{static_cast<uint32_t>(r.lng("merge key"))} << 32);
        steps.push_back(step);
    }
    const uint32_t at = static_cast<uint32_t>(r.lng("position"));
    const int32_t saved = r.lng("save point");
    if (!r.ok() || !r.atEnd()) return std::nullopt;
    History h;
    if (!h.adopt(std::move(states), std::move(steps), at, saved)) return std::nullopt;
    return h;
}

} // namespace zarnet::designer
