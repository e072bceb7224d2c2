#include "designer/generate/constants.h"

#include "document/catalogue.h"

#include <algorithm>
#include <unordered_map>

namespace zarnet::gen {
namespace {

char foldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// PureBasic reads "Ok" and "OK" as one constant, so names are compared and
// hashed with ASCII case folded.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

uint32_t nameHash(std::string_view s) {
    uint32_t h = 2166136261u; // FNV-1a, then a final mix: the table uses the low bits
    for (char c : s)
        h = (h ^ static_cast<uint8_t>(foldCase(c))) * 16777619u;
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    return h;
}

std::string foldedName(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = foldCase(c);
    return out;
}

bool constantChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Item names and tab titles are free text; a constant name is not.
void appendConstantChars(std::string& out, std::string_view text) {
    for (char c : text)
        out += constantChar(c) ? c : '_';
}

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
        const uint32_t h = nameHash(name);
        for (size_t i = h & mask();; i = (i + 1) & mask()) {
            const Slot& s = slots_[i];
            if (s.entry == 0) return false;
            if (s.hash == h && sameName(entries_[s.entry - 1].plainName, name)) return true;
        }
    }
    // Asks for the slot a later look-up of name starts at.
    void prefetch(std::string_view name) const {
        __builtin_prefetch(&slots_[nameHash(name) & mask()]);
    }
    void add(size_t entry) {
        const uint32_t h = nameHash(entries_[entry].plainName);
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
        appendConstantChars(base, std::to_string(number)); // a negative number's "-"
        if (!used_.contains(base)) return base;
        int& suffix = lastSuffix_[foldedName(base)];
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

// The name a record starts from: "#", then the prefix and its name (a tab:
// its title) made into a name PureBasic accepts.
void baseName(std::string& out, std::string_view prefix, const Item& it) {
    const std::string_view name = it.typ == kTabRecord ? it.wtext : it.name;
    const std::string_view start = prefix.empty() ? name : prefix;
    out = start.empty() || (start[0] >= '0' && start[0] <= '9') ? "#_" : "#";
    appendConstantChars(out, prefix);
    appendConstantChars(out, name);
}

} // namespace

std::vector<ConstantEntry> buildConstants(const Design& d, std::string_view prefix) {
    std::vector<ConstantEntry> entries;
    entries.reserve(d.items.size());
    NamePool names(entries, d.items.size());
    size_t longest = 0;
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
    for (ConstantEntry& e : entries) {
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

std::string clipboardText(const Design& d, std::string_view prefix) {
    return clipboardText(buildConstants(d, prefix));
}

} // namespace zarnet::gen
