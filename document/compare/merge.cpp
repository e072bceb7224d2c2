#include "document/compare/merge.h"

#include "document/catalogue.h"
#include "document/compare/design_view.h"
#include "document/compare/diff.h"
#include "document/compare/fields.h"
#include "document/design_file.h"
#include "document/renumber.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

namespace zarnet::compare {
namespace {

enum Side { Base = 0, Ours = 1, Theirs = 2 };

// A gadget's identity across the three designs: a number of the base for
// the gadgets it holds, else the side that added it with its number there.
using Key = int64_t;
constexpr Key kTop = -1;
Key keyOf(int side, int n) {
    return Key{side} * 65536 + n;
}

struct Entity {
    Key key = 0;
    const Item* v[3] = {nullptr, nullptr, nullptr}; // base, ours, theirs
    int n[3] = {-1, -1, -1};
    Item item;
    int fontFrom = Ours, tfontFrom = Ours;
    int para1From = Ours, para2From = Ours;
    Key parent = kTop;
    int tab = 0;
    std::vector<std::string> tabs;
    int number = -1;
};

struct Merger {
    const Design* d[3];
    DesignView view[3];
    Prefer prefer;
    MergeResult result;
    std::vector<Entity> entities;
    std::unordered_map<Key, size_t> byKey;
    // Per side, per number: the entity of that side's gadget.
    std::vector<int> entityOf[3];

    Merger(const Design& b, const Design& o, const Design& t, Prefer p)
        : d{&b, &o, &t}, view{DesignView(b), DesignView(o), DesignView(t)}, prefer(p) {}

    // The key of side s's gadget numbered n.
    Key sideKey(int s, int n) const {
        if (n < 0) return kTop;
        if (s == Base || sameGadget(view[Base], view[s], n)) return keyOf(Base, n);
        return keyOf(s, n);
    }
    Entity* entityFor(int s, int n) {
        if (n < 0 || static_cast<size_t>(n) >= entityOf[s].size()) return nullptr;
        const int e = entityOf[s][static_cast<size_t>(n)];
        return e < 0 ? nullptr : &entities[static_cast<size_t>(e)];
    }
    Key placeKey(int s, int n) const {
        const Place p = view[s].placeOf(n);
        return p.parent < 0 ? kTop : sideKey(s, p.parent);
    }

    // Next number as either side moved it; where both did, the higher.
    int mergedNextNumber() const {
        const int b = d[Base]->nextNumber, o = d[Ours]->nextNumber, t = d[Theirs]->nextNumber;
        return o == t || t == b ? o : o == b ? t : std::max(o, t);
    }

    void conflict(const std::string& line) { result.conflicts.push_back(line); }
    int chosen() const { return prefer == Prefer::Theirs ? Theirs : Ours; }

    std::string title(const Entity& e) const {
        for (int s : {Base, Ours, Theirs})
            if (e.v[s]) return gadgetTitle(*e.v[s]);
        return "#?";
    }

    // Whether side s changed the base's gadget n in any field, place or tab.
    bool changed(int s, int n) const {
        const Item& b = *view[Base].gadget(n);
        const Item& x = *view[s].gadget(n);
        for (const Field& f : gadgetFields())
            if (!(f.get(b, d[Base]->fonts) == f.get(x, d[s]->fonts))) return true;
        if (placeKey(Base, n) != placeKey(s, n) ||
            view[Base].placeOf(n).tab != view[s].placeOf(n).tab)
            return true;
        return view[Base].tabs(n) != view[s].tabs(n);
    }

    void add(Entity e) {
        byKey[e.key] = entities.size();
        for (int s : {Base, Ours, Theirs})
            if (e.n[s] >= 0) {
                auto& of = entityOf[s];
                if (of.size() <= static_cast<size_t>(e.n[s]))
                    of.resize(static_cast<size_t>(e.n[s]) + 1, -1);
                of[static_cast<size_t>(e.n[s])] = static_cast<int>(entities.size());
            }
        entities.push_back(std::move(e));
    }

    void gather();
    bool number();
    void mergeFields(Entity& e);
    void mergePlace(Entity& e);
    void mergeTabs(Entity& e);
    std::vector<Key> order(Key parent, int tab);
    std::optional<Design> build();
    void mergeFonts(Design& m);
    void mergeHeader(Design& m);
};

void Merger::gather() {
    std::set<int> all;
    for (int s : {Base, Ours, Theirs})
        all.insert(view[s].numbers().begin(), view[s].numbers().end());
    for (int n : all) {
        if (const Item* b = view[Base].gadget(n)) {
            const bool inO = sameGadget(view[Base], view[Ours], n);
            const bool inT = sameGadget(view[Base], view[Theirs], n);
            Entity e;
            e.key = keyOf(Base, n);
            e.v[Base] = b;
            e.n[Base] = n;
            if (inO) e.v[Ours] = view[Ours].gadget(n), e.n[Ours] = n;
            if (inT) e.v[Theirs] = view[Theirs].gadget(n), e.n[Theirs] = n;
            bool keep = inO && inT;
            if (inO != inT) {
                const int stays = inO ? Ours : Theirs;
                if (changed(stays, n)) {
                    conflict(gadgetTitle(*b) + ": removed in " + (inO ? "theirs" : "ours") +
                             ", changed in " + (inO ? "ours" : "theirs"));
                    keep = chosen() == stays;
                }
            }
            if (keep) add(std::move(e));
        }
        for (int s : {Ours, Theirs}) {
            const Item* x = view[s].gadget(n);
            if (!x || sideKey(s, n) != keyOf(s, n)) continue;
            Entity e;
            e.key = keyOf(s, n);
            e.v[s] = x;
            e.n[s] = n;
            add(std::move(e));
        }
    }
}

// Numbers: base gadgets and ours' new ones keep theirs; theirs' new gadgets
// keep theirs unless taken, else take a free number as a paste does. Two
// new gadgets alike in everything are one.
bool Merger::number() {
    Design m;
    m.nextNumber = mergedNextNumber();
    std::vector<Entity*> fresh;
    std::set<int> taken;
    for (Entity& e : entities)
        if (e.v[Base] || e.v[Ours]) taken.insert(e.n[e.v[Base] ? Base : Ours]);
    for (Entity& e : entities) {
        if (e.v[Base] || e.v[Ours]) {
            e.number = e.n[e.v[Base] ? Base : Ours];
            continue;
        }
        const int n = e.n[Theirs];
        if (!taken.count(n)) {
            e.number = n;
            taken.insert(n);
            continue;
        }
        fresh.push_back(&e);
    }
    for (int n : taken)
        m.nextNumber = std::max(m.nextNumber, n + 1);
    for (int n : taken) {
        Item it;
        it.typ = ButtonGadget;
        it.number = static_cast<int16_t>(n);
        m.items.push_back(it);
    }
    m.rebuildNumberPool();
    std::sort(fresh.begin(), fresh.end(), [&](const Entity* a, const Entity* b) {
        return view[Theirs].indexOf(a->n[Theirs]) < view[Theirs].indexOf(b->n[Theirs]);
    });
    if (!roomForNumbers(m, fresh.size())) {
        conflict("theirs' new gadgets find no free numbers");
        return false;
    }
    Renumbering renumbering(m);
    for (Entity* e : fresh) {
        Item it;
        it.number = static_cast<int16_t>(e->n[Theirs]);
        renumbering.renumber(it);
        e->number = it.number;
        result.renumbered.emplace_back(e->n[Theirs], e->number);
    }
    return true;
}

void Merger::mergeFields(Entity& e) {
    int only = -1;
    if (!e.v[Base])
        only = e.v[Ours] ? Ours : Theirs;
    else if (!e.v[Theirs])
        only = Ours;
    else if (!e.v[Ours])
        only = Theirs;
    if (only >= 0) {
        e.item = *e.v[only];
        e.fontFrom = e.tfontFrom = e.para1From = e.para2From = only;
        return;
    }
    e.item = *e.v[Ours];
    for (const Field& f : gadgetFields()) {
        // A splitter's gadgets compare by which gadget they name, not by
        // number: a side may have put another gadget under the same number.
        const bool link =
            e.v[Base]->typ == SplitterGadget && (f.key == "para1" || f.key == "para2");
        const auto valueOf = [&](int s) {
            Value v = f.get(*e.v[s], d[s]->fonts);
            if (link) v.m = sideKey(s, static_cast<int>(v.n));
            return v;
        };
        const Value b = valueOf(Base), o = valueOf(Ours), t = valueOf(Theirs);
        int from = Ours;
        if (o == t || t == b)
            from = Ours;
        else if (o == b)
            from = Theirs;
        else {
            const int typ = e.v[Base]->typ;
            conflict(title(e) + ": " + fieldLabel(f, typ) + ": ours " + formatValue(f, b, typ) +
                     " -> " + formatValue(f, o, typ) + ", theirs " + formatValue(f, b, typ) +
                     " -> " + formatValue(f, t, typ));
            from = chosen();
        }
        f.copy(e.item, *e.v[from]);
        if (f.key == "font") e.fontFrom = from;
        if (f.key == "tfont") e.tfontFrom = from;
        if (f.key == "para1") e.para1From = from;
        if (f.key == "para2") e.para2From = from;
    }
    // A picture only a picture-capable gadget holds, as the file would.
    if (!isImageCapable(e.item.typ, e.item.flags)) {
        e.item.image.clear();
        e.item.aflag = 0;
    }
}

void Merger::mergePlace(Entity& e) {
    const auto at = [&](int s) {
        return std::pair{placeKey(s, e.n[s]), view[s].placeOf(e.n[s]).tab};
    };
    int from = e.v[Ours] ? Ours : Theirs;
    if (e.v[Base] && e.v[Ours] && e.v[Theirs]) {
        const auto b = at(Base), o = at(Ours), t = at(Theirs);
        if (o == t || t == b)
            from = Ours;
        else if (o == b)
            from = Theirs;
        else {
            conflict(title(e) + ": parent: ours " +
                     describePlace(view[Base], view[Base].placeOf(e.n[Base])) + " -> " +
                     describePlace(view[Ours], view[Ours].placeOf(e.n[Ours])) + ", theirs " +
                     describePlace(view[Base], view[Base].placeOf(e.n[Base])) + " -> " +
                     describePlace(view[Theirs], view[Theirs].placeOf(e.n[Theirs])));
            from = chosen();
        }
    }
    std::tie(e.parent, e.tab) = at(from);
}

void Merger::mergeTabs(Entity& e) {
    if (e.item.typ != PanelGadget) return;
    const auto tabsOf = [&](int s) {
        return e.v[s] ? view[s].tabs(e.n[s]) : std::vector<std::string>{};
    };
    if (!(e.v[Base] && e.v[Ours] && e.v[Theirs])) {
        e.tabs = tabsOf(e.v[Ours] ? Ours : Theirs);
        return;
    }
    const auto b = tabsOf(Base), o = tabsOf(Ours), t = tabsOf(Theirs);
    if (o == t || t == b)
        e.tabs = o;
    else if (o == b)
        e.tabs = t;
    else if (o.size() == b.size() && t.size() == b.size()) {
        e.tabs = o;
        for (size_t k = 0; k < b.size(); ++k) {
            if (o[k] == t[k] || t[k] == b[k]) continue;
            if (o[k] == b[k])
                e.tabs[k] = t[k];
            else {
                conflict(title(e) + ": tab " + std::to_string(k) + ": ours " + quoted(b[k]) +
                         " -> " + quoted(o[k]) + ", theirs " + quoted(b[k]) + " -> " +
                         quoted(t[k]));
                e.tabs[k] = chosen() == Ours ? o[k] : t[k];
            }
        }
    } else {
        conflict(title(e) + ": tabs: ours " + std::to_string(b.size()) + " -> " +
                 std::to_string(o.size()) + ", theirs " + std::to_string(b.size()) + " -> " +
                 std::to_string(t.size()) + " with other titles");
        e.tabs = chosen() == Ours ? o : t;
    }
}

// The order of the merged gadgets at one place: ours' order, with theirs'
// new and moved gadgets placed after the gadget they follow in theirs (a
// new one also after ours' new ones there, as if added after them).
std::vector<Key> Merger::order(Key parent, int tab) {
    std::vector<Key> members;
    for (const Entity& e : entities)
        if (e.parent == parent && e.tab == tab) members.push_back(e.key);
    const std::set<Key> here(members.begin(), members.end());
    const auto sideList = [&](int s, bool onlyHere) {
        std::vector<Key> out;
        int pn = -1;
        if (parent != kTop) {
            const Entity& p = entities[byKey.at(parent)];
            if (!p.v[s]) return out;
            pn = p.n[s];
        }
        const Place place{pn, tab};
        if (parent == kTop && tab != 0) return out;
        for (int n : view[s].children(place)) {
            const Entity* e = entityFor(s, n);
            if (!e) continue;
            if (!onlyHere || here.count(e->key)) out.push_back(e->key);
        }
        return out;
    };
    const std::vector<Key> b = sideList(Base, false), o = sideList(Ours, false),
                           t = sideList(Theirs, true);
    const auto toInts = [](const std::vector<Key>& v) {
        return std::vector<int>(v.begin(), v.end());
    };
    // Keys fit in an int: side * 65536 + number.
    const std::vector<int> oMovedV = reordered(toInts(b), toInts(o)),
                           tMovedV = reordered(toInts(b), toInts(t));
    const std::set<Key> oMoved(oMovedV.begin(), oMovedV.end()),
        tMoved(tMovedV.begin(), tMovedV.end());
    const std::set<Key> inBase(b.begin(), b.end());
    std::map<Key, size_t> tIndex;
    for (size_t i = 0; i < t.size(); ++i)
        tIndex[t[i]] = i;

    std::vector<Key> list;
    for (Key k : o)
        if (here.count(k)) list.push_back(k);
    std::set<Key> placed(list.begin(), list.end());
    Key prev = kTop;
    bool havePrev = false;
    const auto predecessorIn = [](const std::vector<Key>& v, Key k) {
        const auto it = std::find(v.begin(), v.end(), k);
        return it == v.begin() || it == v.end() ? kTop - 1 : *(it - 1);
    };
    for (Key k : t) {
        bool move = !placed.count(k);
        if (!move && tMoved.count(k)) {
            move = true;
            if (oMoved.count(k) && predecessorIn(o, k) != predecessorIn(t, k)) {
                conflict(title(entities[byKey.at(k)]) + ": order: moved in ours and in theirs");
                move = chosen() == Theirs;
            }
        }
        if (move) {
            list.erase(std::remove(list.begin(), list.end(), k), list.end());
            size_t pos = 0;
            if (havePrev)
                pos =
                    static_cast<size_t>(std::find(list.begin(), list.end(), prev) - list.begin()) +
                    1;
            // New here: also after everything theirs puts before it that
            // ours moved or added after its predecessor.
            if (!inBase.count(k))
                while (pos < list.size() &&
                       (!tIndex.count(list[pos]) || tIndex.at(list[pos]) < tIndex.at(k)))
                    ++pos;
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(pos, list.size())), k);
            placed.insert(k);
        }
        prev = k;
        havePrev = true;
    }
    for (Key k : members)
        if (!placed.count(k)) list.push_back(k);
    // A splitter stands after both its gadgets.
    for (bool moved = true; moved;) {
        moved = false;
        for (size_t i = 0; i < list.size() && !moved; ++i) {
            const Entity& s = entities[byKey.at(list[i])];
            if (s.item.typ != SplitterGadget) continue;
            size_t last = i;
            for (int c : {s.item.para1, s.item.para2})
                for (size_t j = i + 1; j < list.size(); ++j)
                    if (entities[byKey.at(list[j])].number == c) last = std::max(last, j);
            if (last > i) {
                const Key k = list[i];
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
                list.insert(list.begin() + static_cast<std::ptrdiff_t>(last), k);
                moved = true;
            }
        }
    }
    return list;
}

void Merger::mergeHeader(Design& m) {
    const auto pick = [&](const char* name, int64_t b, int64_t o, int64_t t) -> int64_t {
        if (o == t || t == b) return o;
        if (o == b) return t;
        conflict("window: " + std::string(name) + ": ours " + std::to_string(b) + " -> " +
                 std::to_string(o) + ", theirs " + std::to_string(b) + " -> " + std::to_string(t));
        return chosen() == Ours ? o : t;
    };
    const Design &b = *d[Base], &o = *d[Ours], &t = *d[Theirs];
    m.clientWidth =
        static_cast<int>(pick("client width", b.clientWidth, o.clientWidth, t.clientWidth));
    m.clientHeight =
        static_cast<int>(pick("client height", b.clientHeight, o.clientHeight, t.clientHeight));
    m.gridStep = static_cast<int>(pick("grid step", b.gridStep, o.gridStep, t.gridStep));
    m.gWindow = static_cast<int32_t>(pick("gWindow", b.gWindow, o.gWindow, t.gWindow));
    m.gMenu = static_cast<int32_t>(pick("gMenu", b.gMenu, o.gMenu, t.gMenu));
    m.gStatusBar =
        static_cast<int32_t>(pick("gStatusBar", b.gStatusBar, o.gStatusBar, t.gStatusBar));
    m.gToolBar = static_cast<int32_t>(pick("gToolBar", b.gToolBar, o.gToolBar, t.gToolBar));
    m.gLanguage = static_cast<uint8_t>(pick("gLanguage", b.gLanguage, o.gLanguage, t.gLanguage));
}

// Ours' font table, gadgets' fonts found in it by content or added; entries
// no gadget uses kept as either side left them, the others released.
void Merger::mergeFonts(Design& m) {
    const auto unusedOf = [&](int s) {
        const auto v = view[s].unusedFonts();
        return std::set<std::string>(v.begin(), v.end());
    };
    const std::set<std::string> ub = unusedOf(Base), uo = unusedOf(Ours), ut = unusedOf(Theirs);
    std::set<std::string> keep;
    for (const auto& f : uo)
        if (ut.count(f) || !ub.count(f)) keep.insert(f);
    for (const auto& f : ut)
        if (!ub.count(f)) keep.insert(f);
    std::vector<bool> in(m.fonts.size(), false);
    for (const Item& it : m.items) {
        if (!it.isGadget()) continue;
        for (int f : {it.font, it.tooltip == 2 ? it.tfont : -1})
            if (f >= 0 && static_cast<size_t>(f) < in.size()) in[static_cast<size_t>(f)] = true;
    }
    std::set<std::string> present;
    for (size_t i = 0; i < m.fonts.size(); ++i) {
        if (m.fonts[i].gFontUsed == 0 || in[i]) continue;
        const std::string what = describeFont(fontValue(m.fonts, static_cast<int>(i)));
        if (keep.count(what) && present.insert(what).second) continue;
        m.fonts[i] = FontEntry{0, 0, 0, {}, 0};
    }
    for (const FontEntry& f : d[Theirs]->fonts) {
        if (f.gFontUsed == 0) continue;
        const std::vector<FontEntry> one{f};
        const std::string what = describeFont(fontValue(one, 0));
        if (keep.count(what) && present.insert(what).second) m.fonts.push_back(f);
    }
}

std::optional<Design> Merger::build() {
    gather();
    if (!number()) return std::nullopt;
    for (Entity& e : entities) {
        mergeFields(e);
        mergePlace(e);
        mergeTabs(e);
    }
    // Splitter links and numbers in merged terms.
    for (Entity& e : entities) {
        e.item.number = static_cast<int16_t>(e.number);
        if (e.item.typ != SplitterGadget) continue;
        for (auto [para, from] :
             {std::pair{&e.item.para1, e.para1From}, std::pair{&e.item.para2, e.para2From}}) {
            Entity* child = entityFor(from, *para);
            *para = child ? child->number : -1;
        }
    }
    Design m;
    mergeHeader(m);
    m.nextNumber = 0;
    for (const Entity& e : entities)
        m.nextNumber = std::max(m.nextNumber, e.number + 1);
    m.nextNumber = std::max(m.nextNumber, mergedNextNumber());

    // Fonts of every gadget by content into ours' table.
    m.fonts = d[Ours]->fonts;
    {
        FontMerge from[3] = {FontMerge(d[Base]->fonts, m.fonts), FontMerge(d[Ours]->fonts, m.fonts),
                             FontMerge(d[Theirs]->fonts, m.fonts)};
        for (Entity& e : entities) {
            e.item.font = from[e.fontFrom].map(e.item.font);
            e.item.tfont = e.item.tooltip == 2 ? from[e.tfontFrom].map(e.item.tfont) : -1;
        }
    }

    // The item sequence, walked from the top without recursion.
    struct Frame {
        std::vector<Key> list;
        size_t next = 0;
        Key parent;
        int tab;
        int tabs; // a panel's tab count; -1 for other parents and the top
    };
    std::vector<Frame> stack;
    stack.push_back({order(kTop, 0), 0, kTop, 0, -1});
    std::set<Key> emitted;
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next < f.list.size()) {
            Entity& e = entities[byKey.at(f.list[f.next++])];
            if (!emitted.insert(e.key).second) continue;
            Item it;
            static_cast<RecordFields&>(it) = e.item;
            it.image = e.item.image;
            m.items.push_back(std::move(it));
            if (!isParentType(e.item.typ)) continue;
            if (e.item.typ == PanelGadget) {
                if (e.tabs.empty()) {
                    m.items.push_back(makeCloseRecord());
                    continue;
                }
                m.items.push_back(makeTabRecord(0, e.tabs[0]));
                stack.push_back({order(e.key, 0), 0, e.key, 0, static_cast<int>(e.tabs.size())});
            } else {
                stack.push_back({order(e.key, 0), 0, e.key, 0, -1});
            }
            continue;
        }
        if (f.parent == kTop) {
            stack.pop_back();
            continue;
        }
        if (f.tabs > 0 && f.tab + 1 < f.tabs) {
            const int tab = f.tab + 1;
            const Entity& panel = entities[byKey.at(f.parent)];
            m.items.push_back(makeTabRecord(tab, panel.tabs[static_cast<size_t>(tab)]));
            f.list = order(f.parent, tab);
            f.next = 0;
            f.tab = tab;
            continue;
        }
        m.items.push_back(makeCloseRecord());
        stack.pop_back();
    }
    for (const Entity& e : entities)
        if (!emitted.count(e.key)) {
            const bool parentKept = e.parent == kTop || byKey.count(e.parent);
            conflict(
                title(e) +
                (parentKept
                     ? ": its place (" + std::string("tab ") + std::to_string(e.tab) +
                           " of its parent) no longer exists, or its parents enclose each other"
                     : ": its parent was removed on the other side"));
        }

    mergeFonts(m);
    m.recomputeNesting();
    m.rebuildNumberPool();
    return m;
}

// What the model's rules and the strict reader say of a merged design.
std::optional<std::string> refusal(const Design& m) {
    if (auto bad = checkInvariants(m))
        return "record " + std::to_string(bad->item) + ": " + bad->message;
    std::set<int> held;
    for (const Item& it : m.items)
        if (it.typ == SplitterGadget)
            for (int c : {it.para1, it.para2})
                if (!held.insert(c).second)
                    return "gadget " + std::to_string(c) + " is held by two splitters";
    const LoadResult back = readDesign(writeDesign(m), Strictness::Strict);
    if (!back.design) return "offset " + std::to_string(back.error.offset) + ": " + back.error.what;
    return std::nullopt;
}

} // namespace

MergeResult mergeDesigns(const Design& base, const Design& ours, const Design& theirs,
                         Prefer prefer) {
    Merger mg(base, ours, theirs, prefer);
    std::optional<Design> m = mg.build();
    MergeResult r = std::move(mg.result);
    if (m) {
        if (auto why = refusal(*m)) {
            r.conflicts.push_back("the merged design would break the model's rules: " + *why);
            m.reset();
        }
    }
    if (!m && prefer != Prefer::None) {
        m = prefer == Prefer::Ours ? ours : theirs;
        r.tookWhole = true;
    }
    if (!r.conflicts.empty() && prefer == Prefer::None) m.reset();
    if (m) m->fileName = ours.fileName;
    r.merged = std::move(m);
    return r;
}

} // namespace zarnet::compare
