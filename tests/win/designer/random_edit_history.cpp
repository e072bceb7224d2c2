// The history in the random edit: after every step it holds the design as
// it stands, and after a run every step undone gives back the design the
// history began with, byte for byte, and every step redone the design the
// run ended with; the canvas and tree are checked after each one.
#include "random_edit.h"

#include "designer/canvas/canvas_build.h"
#include "designer/history/snapshot.h"

#include <set>

namespace randomedit {

using zarnet::designer::takeSnapshot;

namespace {

// The fields two records differ in, as "name old -> new".
std::string changedFields(const zarnet::RecordFields& was, const zarnet::RecordFields& is) {
    using F = zarnet::RecordFields;
    const std::pair<const char*, int F::*> ints[] = {
        {"x", &F::x},           {"y", &F::y},
        {"w", &F::w},           {"h", &F::h},
        {"para1", &F::para1},   {"para2", &F::para2},
        {"para3", &F::para3},   {"para5", &F::para5},
        {"para6", &F::para6},   {"aflag", &F::aflag},
        {"status", &F::status}, {"auto", &F::auto_},
        {"font", &F::font},     {"tooltip", &F::tooltip},
        {"ttime", &F::ttime},   {"tfont", &F::tfont},
        {"twidth", &F::twidth}, {"tballoon", &F::tballoon},
        {"color", &F::color}};
    const std::pair<const char*, std::string F::*> texts[] = {{"name", &F::name},
                                                              {"wtext", &F::wtext},
                                                              {"columns", &F::columns},
                                                              {"tooltip text", &F::tooltipText}};
    std::string out;
    auto add = [&out](const char* name, const std::string& a, const std::string& b) {
        out += std::string(out.empty() ? "" : ", ") + name + " " + a + " -> " + b;
    };
    for (const auto& [name, m] : ints)
        if (was.*m != is.*m) add(name, std::to_string(was.*m), std::to_string(is.*m));
    for (const auto& [name, m] : texts)
        if (was.*m != is.*m) add(name, "\"" + was.*m + "\"", "\"" + is.*m + "\"");
    if (was.flags != is.flags) add("flags", std::to_string(was.flags), std::to_string(is.flags));
    if (was.tfcolor != is.tfcolor || was.tbcolor != is.tbcolor) add("tooltip colours", "", "");
    if (was.number != is.number)
        add("number", std::to_string(was.number), std::to_string(is.number));
    return out;
}

} // namespace

std::optional<std::string> historyInStep(zarnet::designer::Designer& d) {
    d.commitEdits();
    if (d.gesture != zarnet::designer::Designer::Gesture::Idle) return std::nullopt;
    zarnet::designer::refreshModelFromCanvas(d.design);
    d.design.clientWidth = tk::WindowWidth(zarnet::designer::kCanvasWindow);
    d.design.clientHeight = tk::WindowHeight(zarnet::designer::kCanvasWindow);
    auto now = takeSnapshot(d.design, &d.history.current());
    const auto& held = d.history.current();
    // A separator or a column dragged on the canvas changes the design
    // with no edit step; the next step (or undo, or a save) takes it in.
    if (now.items.size() == held.items.size()) {
        std::set<int> children; // sized by their splitter's separator
        for (const auto& r : now.items)
            if (r->fields.typ == zarnet::SplitterGadget)
                children.insert({r->fields.para1, r->fields.para2});
        for (size_t i = 0; i < now.items.size(); ++i) {
            zarnet::RecordFields f = now.items[i]->fields;
            const zarnet::RecordFields& h = held.items[i]->fields;
            if (f.typ != h.typ || f == h) continue;
            if (f.typ == zarnet::SplitterGadget) f.para3 = h.para3;
            if (f.typ == zarnet::ListIconGadget) f.para1 = h.para1;
            if (f.typ >= 1 && f.typ <= 29 && children.contains(f.number)) {
                f.x = h.x;
                f.y = h.y;
                f.w = h.w;
                f.h = h.h;
            }
            if (f == h) now.items[i] = held.items[i];
        }
    }
    if (now == held) return std::nullopt;
    std::string where = "the header";
    if (now.items.size() != held.items.size())
        where = "the list's length";
    else if (now.fonts != held.fonts)
        where = "the font table";
    else
        for (size_t i = 0; i < now.items.size(); ++i)
            if (!(now.items[i]->fields == held.items[i]->fields)) {
                where = "item " + std::to_string(i) + ": " +
                        changedFields(held.items[i]->fields, now.items[i]->fields);
                break;
            }
    return "history: the design changed without an edit step (" + where + ")";
}

void Session::noteHistoryBase() {
    if (d.history.steps() != 0) return;
    historyBase = savedBytes();
    historyBaseGrid = d.gridSize;
}

std::optional<std::string> Session::undoAndRedoAll() {
    d.commitEdits(true); // what was dragged on the canvas since the last step
    const std::vector<uint8_t> after = savedBytes();
    // Fonts, bitmaps and brushes the process holds where the run ended; a
    // first use of a control may leave objects for good, so the count is
    // compared with itself after every step has been undone and redone.
    const size_t objects = gdiObjects();
    const int grid = d.gridSize;
    const size_t steps = d.history.position();
    SetForegroundWindow(d.canvas);
    passes(1);
    // The keys for the first ones, as a user presses them; the menu
    // command for the rest.
    for (size_t k = 0; k < steps; ++k) {
        if (k < 3)
            key('Z', {VK_CONTROL});
        else
            d.menuCommand(zarnet::designer::MenuUndo);
        if (d.history.position() != steps - k - 1)
            return "undo " + std::to_string(k + 1) + " of " + std::to_string(steps) +
                   ": the history did not move back";
        if (auto bad = check()) return "undo " + std::to_string(k + 1) + ": " + *bad;
    }
    d.gridSize = historyBaseGrid;
    const std::vector<uint8_t> undone = savedBytes();
    d.gridSize = grid;
    if (undone != historyBase)
        return "undo all: the design differs from where its history began, " +
               differenceAt(historyBase, undone);
    // With no step to undo the marker stays as the last edit left it: closing
    // an editor marks the design modified even when nothing changed.
    if (steps > 0 && d.design.modified == d.history.atSavePoint())
        return "undo all: the modified marker does not follow the save point";

    for (size_t k = 0; k < steps; ++k) {
        if (k < 3)
            key('Y', {VK_CONTROL});
        else
            d.menuCommand(zarnet::designer::MenuRedo);
        if (auto bad = check()) return "redo " + std::to_string(k + 1) + ": " + *bad;
    }
    if (d.history.position() != steps) return "redo all: the history did not come back";
    if (const size_t now = gdiObjects(); now > objects + kObjectSlack)
        return "undo and redo all: " + std::to_string(now) + " GDI objects, " +
               std::to_string(objects) + " before: the steps leak them";
    const std::vector<uint8_t> redone = savedBytes();
    if (redone != after)
        return "redo all: the design differs from where the run ended, " +
               differenceAt(after, redone);
    return std::nullopt;
}

} // namespace randomedit
