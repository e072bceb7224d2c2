// What must hold after every step: the item list's invariants, font
// references inside the font table, the canvas and the object manager tree
// showing the list as it is, the title, and a save that reads back to the
// same bytes. Each finding starts with the name of what it looked at.
#include "random_edit.h"

#include "designer/shell/shell_logic.h"
#include "document/design_dump.h"
#include "document/design_file.h"
#include "toolkit/images.h"
#include "toolkit/toolkit.h"
#include "tests/win/designer/tree_entries.h"
#include "tests/win/gdi_objects.h"

#include <chrono>
#include <set>
#include <sstream>

namespace randomedit {

using namespace zarnet;
using namespace zarnet::designer;

namespace {

std::string describe(const Design& d, size_t i) {
    const Item& it = d.items[i];
    std::string s = "record " + std::to_string(i);
    if (it.isGadget()) s += " (" + it.name + " #" + std::to_string(it.number) + ")";
    if (it.typ == kTabRecord) s += " (tab \"" + it.wtext + "\")";
    if (it.typ == kCloseRecord) s += " (close)";
    return s;
}

std::optional<std::string> fonts(const Designer& d) {
    const Design& ds = d.design;
    auto usable = [&](int entry) {
        return entry == -1 || (entry >= 0 && static_cast<size_t>(entry) < ds.fonts.size() &&
                               ds.fonts[static_cast<size_t>(entry)].gFontUsed);
    };
    for (size_t i = 0; i < ds.items.size(); ++i) {
        const Item& it = ds.items[i];
        if (!it.isGadget()) continue;
        if (!usable(it.font))
            return "fonts: " + describe(ds, i) + " uses font entry " + std::to_string(it.font) +
                   " of " + std::to_string(ds.fonts.size()) + ", which is not in use";
        if (it.tooltip == 2 && !usable(it.tfont))
            return "fonts: " + describe(ds, i) + " has tooltip font entry " +
                   std::to_string(it.tfont) + " of " + std::to_string(ds.fonts.size()) +
                   ", which is not in use";
    }
    // New items start from these; a stale entry here reaches the next one.
    if (!usable(d.tooltipDefaults.tfont))
        return "fonts: the tooltip defaults name font entry " +
               std::to_string(d.tooltipDefaults.tfont) + " of " + std::to_string(ds.fonts.size()) +
               ", which is not in use";
    for (int t = 1; t <= kTypeCount; ++t)
        if (!usable(d.typeDefaults[static_cast<size_t>(t)].font))
            return "fonts: the defaults of " + std::string(typeName(t)) + " name font entry " +
                   std::to_string(d.typeDefaults[static_cast<size_t>(t)].font) + " of " +
                   std::to_string(ds.fonts.size()) + ", which is not in use";
    return std::nullopt;
}

// No live gadget draws with a deleted font or bitmap, and every font entry
// and picture an item names is still loaded.
std::optional<std::string> handles(const Design& ds) {
    for (size_t i = 0; i < ds.items.size(); ++i) {
        const Item& it = ds.items[i];
        if (!it.isGadget() || !it.id || !tk::IsGadget(number(it.id))) continue;
        const HWND w = tk::GadgetID(number(it.id));
        const auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(w, WM_GETFONT, 0, 0));
        if (font && GetObjectType(font) != OBJ_FONT)
            return "handles: " + describe(ds, i) + " draws with a font that no longer exists";
        if (it.font >= 0 && static_cast<size_t>(it.font) < ds.fonts.size()) {
            const Handle loaded = ds.fonts[static_cast<size_t>(it.font)].loadedFont;
            if (loaded && !tk::IsFont(static_cast<int>(loaded)))
                return "handles: " + describe(ds, i) + " names font entry " +
                       std::to_string(it.font) + ", whose font was freed";
        }
        for (const Handle image : {it.decodedImage, it.shownImage})
            if (image && !tk::IsImage(static_cast<int>(image)))
                return "handles: " + describe(ds, i) + " holds a picture that was freed";
        const UINT get = it.typ == ImageGadget ? STM_GETIMAGE : BM_GETIMAGE;
        if (it.typ == ImageGadget || it.typ == ButtonImageGadget)
            if (const auto shown = reinterpret_cast<HGDIOBJ>(SendMessageA(w, get, IMAGE_BITMAP, 0));
                shown && GetObjectType(shown) != OBJ_BITMAP)
                return "handles: " + describe(ds, i) + " shows a bitmap that no longer exists";
    }
    return std::nullopt;
}

std::optional<std::string> numbers(const Design& d) {
    std::set<int> used, pooled;
    for (const Item& it : d.items)
        if (it.isGadget()) used.insert(it.number);
    for (int n : d.numberPool) {
        if (n < 0 || n >= d.nextNumber)
            return "numbers: pool holds " + std::to_string(n) + ", not below next number";
        if (used.count(n))
            return "numbers: pool holds " + std::to_string(n) + ", which an item uses";
        if (!pooled.insert(n).second) return "numbers: pool holds " + std::to_string(n) + " twice";
    }
    return std::nullopt;
}

// Parent, tab and level of every record as the list order gives them, and
// the live gadgets: their kind, the window they lie in, hidden bits, panel
// tabs, splitters and their two gadgets.
std::optional<std::string> canvas(const Designer& d) {
    const Design& ds = d.design;
    struct Open {
        size_t index;
        int tab;
        int tabs = 0;
    };
    std::vector<Open> open;
    int deepest = 0;
    auto fail = [&](size_t i, const std::string& what) {
        return "canvas: " + describe(ds, i) + " " + what;
    };
    for (size_t i = 0; i < ds.items.size(); ++i) {
        const Item& it = ds.items[i];
        if (it.typ == kTabRecord || it.typ == kCloseRecord) {
            if (open.empty()) return fail(i, "lies outside any parent");
            Open& top = open.back();
            if (it.parent != ds.items[top.index].id)
                return fail(i, "belongs to another parent gadget");
            if (it.typ == kTabRecord) {
                ++top.tab;
                ++top.tabs;
                if (it.number != top.tab)
                    return fail(i, "is numbered " + std::to_string(it.number) + ", not " +
                                       std::to_string(top.tab));
                continue;
            }
            const Item& p = ds.items[top.index];
            if (p.typ == PanelGadget && p.id && tk::CountGadgetItems(number(p.id)) != top.tabs)
                return fail(top.index, "shows " +
                                           std::to_string(tk::CountGadgetItems(number(p.id))) +
                                           " tabs, the list has " + std::to_string(top.tabs));
            open.pop_back();
            continue;
        }
        const Handle parent = open.empty() ? 0 : ds.items[open.back().index].id;
        const int tab = open.empty() ? 0 : std::max(open.back().tab, 0);
        const int level = static_cast<int>(open.size());
        deepest = std::max(deepest, level);
        if (it.parent != parent) return fail(i, "has the wrong parent gadget");
        if (it.tab != tab)
            return fail(i, "is on tab " + std::to_string(it.tab) + ", the list says " +
                               std::to_string(tab));
        if (it.level != level)
            return fail(i, "has level " + std::to_string(it.level) + ", the list says " +
                               std::to_string(level));
        if (!it.id || !tk::IsGadget(number(it.id))) return fail(i, "has no live gadget");
        if (tk::GadgetType(number(it.id)) != it.typ)
            return fail(i,
                        "shows a gadget of kind " + std::to_string(tk::GadgetType(number(it.id))));
        HWND holder = parent ? tk::GadgetListHandle(number(parent), tab) : d.canvas;
        if (GetParent(tk::GadgetID(number(it.id))) != holder)
            return fail(i, "lies in another window than its parent's");
        if (isParentType(it.typ)) open.push_back({i, it.typ == PanelGadget ? -1 : 0});
    }
    if (ds.maximumDepth < deepest)
        return "canvas: maximum depth " + std::to_string(ds.maximumDepth) +
               " is below the deepest level " + std::to_string(deepest);
    // Splitters and the two gadgets each holds.
    std::vector<int> heldBy(ds.items.size(), -1);
    for (size_t i = 0; i < ds.items.size(); ++i) {
        const Item& s = ds.items[i];
        if (s.typ != SplitterGadget) continue;
        int children[2] = {-1, -1};
        for (size_t k = 0; k < ds.items.size(); ++k)
            for (int c = 0; c < 2; ++c)
                if (children[c] < 0 && ds.items[k].isGadget() &&
                    ds.items[k].number == (c ? s.para2 : s.para1))
                    children[c] = static_cast<int>(k);
        for (int c = 0; c < 2; ++c) {
            if (children[c] < 0) continue;
            const Item& child = ds.items[static_cast<size_t>(children[c])];
            heldBy[static_cast<size_t>(children[c])] = static_cast<int>(i);
            if ((c ? s.secondgadget : s.firstgadget) != child.id)
                return fail(i, "holds a stale gadget");
            if (child.insplitter != 1 || child.splitter != s.id)
                return fail(static_cast<size_t>(children[c]),
                            "does not know the splitter holding it");
        }
    }
    for (size_t i = 0; i < ds.items.size(); ++i)
        if (ds.items[i].isGadget() && heldBy[i] < 0 && ds.items[i].insplitter != 0)
            return fail(i, "counts as held by a splitter that does not hold it");
    // Hidden by its own bit, or with a hidden splitter holding it.
    for (size_t i = 0; i < ds.items.size(); ++i) {
        if (!ds.items[i].isGadget()) continue;
        bool hidden = false;
        for (int at = static_cast<int>(i), guard = 0; at >= 0 && guard < 64; ++guard) {
            hidden = hidden || (ds.items[static_cast<size_t>(at)].status & kStatusHidden);
            at = heldBy[static_cast<size_t>(at)];
        }
        if (tk::GadgetHidden(number(ds.items[i].id)) != hidden)
            return fail(i, hidden ? "shows on the canvas though hidden"
                                  : "is hidden on the canvas, not in the list");
    }
    return std::nullopt;
}

using Entry = wintest::TreeEntry;

std::optional<std::string> tree(const Designer& d) {
    const Design& ds = d.design;
    const std::vector<Entry> shown = wintest::treeEntries(tk::GadgetID(d.tree));
    std::vector<int> depths; // entry depth of each open parent's children
    size_t at = 0;
    for (size_t i = 0; i < ds.items.size(); ++i) {
        const Item& it = ds.items[i];
        if (it.typ == kCloseRecord) {
            if (!depths.empty()) depths.pop_back();
            continue;
        }
        int depth = depths.empty() ? 0 : depths.back();
        std::string text;
        if (it.typ == kTabRecord) {
            depth -= 1; // children of a tab sit one below it
            text = it.parent ? tk::GetGadgetItemText(number(it.parent), it.number) : it.wtext;
        } else {
            text = treeText(it);
        }
        if (at >= shown.size()) return "tree: " + describe(ds, i) + " has no entry";
        const Entry& e = shown[at++];
        if (e.depth != depth || e.text != text ||
            reinterpret_cast<HTREEITEM>(it.treeitem) != e.handle)
            return "tree: entry " + std::to_string(at - 1) + " reads \"" + e.text + "\" at depth " +
                   std::to_string(e.depth) + " for " + describe(ds, i) + ", expected \"" + text +
                   "\" at depth " + std::to_string(depth);
        if (it.typ == PanelGadget)
            depths.push_back(depth + 2);
        else if (isParentType(it.typ))
            depths.push_back(depth + 1);
    }
    if (at != shown.size())
        return "tree: " + std::to_string(shown.size() - at) + " entries more than records";
    return std::nullopt;
}

size_t firstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return i;
}

} // namespace

size_t gdiObjects() { return wintest::gdiObjectCount(); }

std::string differenceAt(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after) {
    std::string out = "first difference at byte " + std::to_string(firstDifference(before, after)) +
                      " of " + std::to_string(before.size()) + "/" + std::to_string(after.size());
    // The first line of the two listings that differs, under the record it
    // belongs to.
    const auto a = readDesign(before, Strictness::Lenient),
               b = readDesign(after, Strictness::Lenient);
    if (!a.design || !b.design) return out;
    std::istringstream la(dumpDesign(*a.design)), lb(dumpDesign(*b.design));
    std::string x, y, record;
    while (std::getline(la, x) && std::getline(lb, y)) {
        const size_t text = x.find_first_not_of(' ');
        if (text != std::string::npos && x[text] == '#') record = x.substr(text);
        if (x == y) continue;
        auto trimmed = [](const std::string& line) {
            return line.substr(std::min(line.find_first_not_of(' '), line.size()));
        };
        return out + ": " +
               (record.empty() || x.find('#') != std::string::npos ? ""
                                                                   : "under " + record + ": ") +
               "\"" + trimmed(x) + "\" became \"" + trimmed(y) + "\"";
    }
    return out;
}

std::optional<std::string> Session::check() {
    const auto began = std::chrono::steady_clock::now();
    struct Timed {
        Spent& t;
        std::chrono::steady_clock::time_point from;
        ~Timed() {
            ++t.count;
            t.seconds +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
        }
    } timed{spent["(checks)"], began};
    if (!noted.empty()) return noted;
    if (!running) return "session: the designer is not running";
    if (auto bad = checkInvariants(d.design))
        return "list: " + describe(d.design, bad->item) + ": " + bad->message;
    if (auto bad = fonts(d)) return bad;
    if (auto bad = handles(d.design)) return bad;
    if (auto bad = numbers(d.design)) return bad;
    if (auto bad = canvas(d)) return bad;
    if (auto bad = tree(d)) return bad;
    if (auto bad = historyInStep(d)) return bad;
    // The title shows the modified marker and the name, then the client
    // size or the last position or size report of a drag.
    const std::string title = tk::GetWindowTitle(kCanvasWindow);
    const std::string expected =
        canvasTitle(d.design.modified, d.design.fileName, tk::WindowWidth(kCanvasWindow),
                    tk::WindowHeight(kCanvasWindow));
    const std::string lead =
        (d.design.modified ? "*" : "") + std::string(filePart(d.design.fileName)) + "   ";
    if (title != expected && title.rfind(lead + "Positon ", 0) != 0 &&
        title.rfind(lead + "Size ", 0) != 0)
        return "title: \"" + title + "\", expected \"" + expected + "\"";
    const std::vector<uint8_t> bytes = savedBytes();
    if (bytes.empty()) return "save: the design could not be written";
    if (!lastOperation.empty() && bytes != lastSaved) ++spent[lastOperation].changed;
    lastSaved = bytes;
    auto back = readDesign(bytes, Strictness::Strict);
    if (!back.design)
        return "save: the saved design does not read back: offset " +
               std::to_string(back.error.offset) + ": " + back.error.what;
    const std::vector<uint8_t> again = writeDesign(*back.design);
    if (again != bytes)
        return "save: the saved design read back saves differently, " + differenceAt(bytes, again);
    return std::nullopt;
}

} // namespace randomedit
