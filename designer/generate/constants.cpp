#include "designer/generate/constants.h"

#include "document/catalogue.h"

#include <algorithm>
#include <unordered_map>

namespace zarnet::gen {
namespace {

// The names chosen so far: an open-addressing table of 32-bit hashes and
// entry indexes. Large designs spend their time on look-ups, and eight bytes
// a slot keep the table of 20,000 records within the processor's cache. It
// is sized once, as no more names than records are ever added.
class NameSet {
  public:
    NameSet(const std::vector<ConstantEntry>& entries, size_t most) : entries_(entries) {
        size_t size = 16;
        while (size < 2 * most)
            size *= 2;
        slots_.resize(size);
    }
    bool contains(std::string_view name) const {
        const uint32_t h = hash(name);
        for (size_t i = h & mask();; i = (i + 1) & mask()) {
            const Slot& s = slots_[i];
            if (s.entry == 0) return false;
            if (s.hash == h && entries_[s.entry - 1].plainName == name) return true;
        }
    }
    // Asks for the slot a later look-up of name starts at.
    void prefetch(std::string_view name) const { __builtin_prefetch(&slots_[hash(name) & mask()]); }
    void add(size_t entry) {
        const uint32_t h = hash(entries_[entry].plainName);
        size_t i = h & mask();
        while (slots_[i].entry != 0)
            i = (i + 1) & mask();
        slots_[i] = {h, static_cast<uint32_t>(entry + 1)};
    }

  private:
    struct Slot {
        uint32_t hash = 0;
        uint32_t entry = 0; // index + 1; 0 marks a free slot
    };
    static uint32_t hash(std::string_view s) {
        return static_cast<uint32_t>(std::hash<std::string_view>{}(s));
    }
    size_t mask() const { return slots_.size() - 1; }

    const std::vector<ConstantEntry>& entries_;
    std::vector<Slot> slots_;
};

// Equal names get the record's number, then "_2", "_3" ... Names are only
// ever added, so a suffix found taken stays taken and the search for the
// next free one resumes where the last search for that name stopped.
class NamePool {
  public:
    NamePool(const std::vector<ConstantEntry>& entries, size_t most) : used_(entries, most) {}

    std::string choose(std::string base, int number) {
        if (!used_.contains(base)) return base;
        base += std::to_string(number);
        if (!used_.contains(base)) return base;
        int& suffix = lastSuffix_[base];
        if (suffix < 1) suffix = 1;
        for (;;) {
            std::string candidate = base + "_" + std::to_string(++suffix);
            if (!used_.contains(candidate)) return candidate;
        }
    }
    void add(size_t entry) { used_.add(entry); }
    void prefetch(std::string_view name) const { used_.prefetch(name); }

  private:
    NameSet used_;
    std::unordered_map<std::string, int> lastSuffix_;
};

// The name a record starts from: "#", the prefix, its name (a tab: its title).
void baseName(std::string& out, std::string_view prefix, const Item& it) {
    out = "#";
    out += prefix;
    out += it.typ == kTabRecord ? it.wtext : it.name;
}

} // namespace

std::vector<ConstantEntry> buildConstants(const Design& d, std::string_view prefix) {
    std::vector<ConstantEntry> entries;
    entries.reserve(d.items.size());
    NamePool names(entries, d.items.size());
    size_t longest = 0; // underscores for spaces keep the length
    std::string ahead;
    for (size_t i = 0; i < d.items.size(); ++i) {
        // Large designs wait on memory: the records are big, and every
        // look-up lands somewhere else in the name table. So the walk asks
        // for the records a few steps ahead, and for the table slots of the
        // next record's two first candidate names.
        if (i + 8 < d.items.size()) {
            const char* record = reinterpret_cast<const char*>(&d.items[i + 8]);
            __builtin_prefetch(record);
            __builtin_prefetch(record + 64);
        }
        if (i + 2 < d.items.size() && d.items[i + 2].typ != kCloseRecord) {
            baseName(ahead, prefix, d.items[i + 2]);
            names.prefetch(ahead);
            ahead += std::to_string(d.items[i + 2].number);
            names.prefetch(ahead);
        }
        const Item& it = d.items[i];
        if (it.typ == kCloseRecord) continue;
        std::string base;
        baseName(base, prefix, it);
        ConstantEntry& e = entries.emplace_back();
        e.plainName = names.choose(std::move(base), it.number);
        e.value = it.number;
        e.type = it.typ;
        names.add(entries.size() - 1);
        longest = std::max(longest, e.plainName.size());
    }
    // Only now: names are told apart before spaces become underscores.
    for (ConstantEntry& e : entries) {
        std::replace(e.plainName.begin(), e.plainName.end(), ' ', '_');
        const std::string value = std::to_string(e.value);
        e.name.reserve(longest + 3 + value.size());
        e.name = e.plainName;
        e.name.append(longest + 1 - e.plainName.size(), ' ');
        e.name += "= ";
        e.name += value;
    }
    return entries;
}

std::string constantsText(const std::vector<ConstantEntry>& entries) {
    std::string text;
    for (const ConstantEntry& e : entries) {
        text += e.name;
        text += '\r';
    }
    return text;
}

std::string clipboardText(const std::vector<ConstantEntry>& entries) {
    std::string text = constantsText(entries);
    if (!text.empty()) text.pop_back();
    return text;
}

} // namespace zarnet::gen
