// The operations of a random run, each one thing a user does: the
// designer's own paths with the cursor, keys and buttons scripted, the
// editors driven through their controls by the clock, the requesters
// answered from queues. Each draws its choices from the step's stream and
// does nothing where the user could not act.
#include "random_edit_ops.h"

#include "designer/arrange/align.h"
#include "designer/canvas/selection.h"
#include "document/catalogue.h"
#include "document/design_file.h"
#include "toolkit/toolkit.h"

#include <filesystem>

namespace randomedit::ops {

using namespace zarnet;
using namespace zarnet::designer;

bool single(S& s) {
    return s.d.sel.marked >= 0 && !s.d.sel.groupMode;
}

bool selected(S& s) {
    return s.d.sel.marked >= 0 || s.d.sel.groupMode;
}

Item& marked(S& s) {
    return s.d.design.items[static_cast<size_t>(s.d.sel.marked)];
}

std::string named(S& s, size_t i) {
    const Item& it = s.d.design.items[i];
    return it.name + " #" + std::to_string(it.number);
}

bool markOne(S& s, Rng& r) {
    if (single(s)) return true;
    // A click on a member would drag the group; elsewhere it ends it.
    if (s.d.sel.groupMode) s.d.unmarkAll();
    const auto shown = s.shownItems();
    return !shown.empty() && s.mark(r.pick(shown), r);
}

bool selectSome(S& s, Rng& r) {
    if (selected(s)) return true;
    return r.chance(20) ? s.groupOf(2, false, r) : markOne(s, r);
}

} // namespace randomedit::ops

namespace randomedit {

namespace {

using namespace zarnet;
using namespace zarnet::designer;
using namespace ops;

// A container of the design marked, so that creation goes into it.
void maybeMarkContainer(S& s, Rng& r) {
    if (!r.chance(40)) return;
    std::vector<size_t> parents;
    for (size_t i : s.shownItems())
        if (isParentType(s.d.design.items[i].typ)) parents.push_back(i);
    if (!parents.empty()) s.mark(r.pick(parents), r);
}

// Where creation puts the new gadget: inside the marked container's shown
// area, else anywhere over the canvas.
POINT creationPoint(S& s, Rng& r) {
    if (single(s) && isParentType(marked(s).typ)) {
        const Item& c = marked(s);
        const int tab =
            c.typ == PanelGadget ? static_cast<int>(tk::GetGadgetState(number(c.id))) : 0;
        RECT a{};
        HWND list = tk::GadgetListHandle(number(c.id), tab);
        GetWindowRect(list ? list : tk::GadgetID(number(c.id)), &a);
        RECT canvas{};
        GetClientRect(s.d.canvas, &canvas);
        MapWindowPoints(s.d.canvas, HWND_DESKTOP, reinterpret_cast<POINT*>(&canvas), 2);
        IntersectRect(&a, &a, &canvas);
        if (a.right - a.left > 4 && a.bottom - a.top > 4)
            return {a.left + r.range(1, a.right - a.left - 2),
                    a.top + r.range(1, a.bottom - a.top - 2)};
    }
    return s.canvasPoint(r.range(0, 600), r.range(0, 440));
}

void createByMenu(S& s, Rng& r) {
    const auto order = creationMenuOrder();
    const int typ = order[r.below(static_cast<uint32_t>(order.size()))];
    // The main menu opens from a right click off any marked item.
    if (selected(s)) s.d.unmarkAll();
    s.d.menuPosition = {r.range(-5, 600), r.range(-5, 440)};
    s.command(typ);
}

void createBySpace(S& s, Rng& r) {
    maybeMarkContainer(s, r);
    s.input.moveTo(creationPoint(s, r));
    s.key(VK_SPACE);
}

void createByLetters(S& s, Rng& r) {
    maybeMarkContainer(s, r);
    const auto order = creationMenuOrder();
    const std::string_view code =
        gadgetType(order[r.below(static_cast<uint32_t>(order.size()))]).code;
    s.input.moveTo(creationPoint(s, r));
    s.input.hold(code[0], 2);
    s.input.holdLater(code[1], 600, 5);
    s.passes(1);
}

void markByClick(S& s, Rng& r) {
    const auto shown = s.shownItems();
    if (shown.empty()) return;
    if (auto p = s.pointOn(r.pick(shown), r)) {
        if (r.chance(15))
            s.click(*p, {VK_SHIFT});
        else
            s.click(*p);
    }
}

void markFromTree(S& s, Rng& r) {
    std::vector<size_t> entries;
    for (size_t i = 0; i < s.d.design.items.size(); ++i)
        if (s.d.design.items[i].treeitem) entries.push_back(i);
    if (entries.empty()) return;
    const Item& it = s.d.design.items[r.pick(entries)];
    TreeView_SelectItem(tk::GadgetID(s.d.tree), reinterpret_cast<HTREEITEM>(it.treeitem));
    s.d.followTreeSelection(false);
}

void groupByControl(S& s, Rng& r) {
    s.groupOf(static_cast<size_t>(r.range(2, 4)), false, r);
}

void rubberBand(S& s, Rng& r) {
    const POINT from = s.canvasPoint(r.range(0, 500), r.range(0, 380));
    const POINT to{from.x + r.range(40, 350), from.y + r.range(40, 250)};
    s.input.press(VK_MENU);
    s.input.moveTo(from);
    s.input.hold(VK_LBUTTON, 40);
    s.input.moveLater(to, 100);
    s.passes(2);
    s.input.release(VK_MENU);
    s.passes(2);
}

void clickCanvas(S& s, Rng& r) {
    s.click(s.canvasPoint(r.range(0, 630), r.range(0, 470)));
}

// A point on the selection: the marked item or a group member.
std::optional<POINT> onSelection(S& s, Rng& r) {
    if (s.d.sel.groupMode) {
        if (s.d.sel.group.empty()) return std::nullopt;
        return s.pointOn(s.d.sel.group[r.below(static_cast<uint32_t>(s.d.sel.group.size()))].item,
                         r);
    }
    return s.d.sel.marked >= 0 ? s.pointOn(static_cast<size_t>(s.d.sel.marked), r) : std::nullopt;
}

void dragMove(S& s, Rng& r) {
    if (!selectSome(s, r)) return;
    const auto from = onSelection(s, r);
    if (!from) return;
    const POINT to{from->x + r.range(-40, 40), from->y + r.range(-40, 40)};
    if (r.chance(30))
        s.drag(*from, to, {VK_SHIFT});
    else
        s.drag(*from, to);
}

void dragMark(S& s, Rng& r) {
    if (!selectSome(s, r)) return;
    const int mark = s.d.sel.marks[r.below(4)];
    if (!mark || !tk::IsGadget(mark)) return;
    RECT m;
    GetWindowRect(tk::GadgetID(mark), &m);
    const POINT from{m.left + 2, m.top + 2};
    const POINT to{from.x + r.range(-50, 50), from.y + r.range(-50, 50)};
    if (r.chance(30))
        s.drag(from, to, {VK_SHIFT});
    else
        s.drag(from, to);
}

void arrowKey(S& s, Rng& r) {
    if (!selected(s) && r.chance(80)) selectSome(s, r);
    static const std::vector<int> arrows{VK_UP, VK_RIGHT, VK_DOWN, VK_LEFT};
    const int k = r.pick(arrows);
    const bool control = r.chance(35), shift = r.chance(30);
    if (control && shift)
        s.key(k, {VK_CONTROL, VK_SHIFT});
    else if (control)
        s.key(k, {VK_CONTROL});
    else if (shift)
        s.key(k, {VK_SHIFT});
    else
        s.key(k);
}

void typedRect(S& s, Rng& r) {
    if (!selectSome(s, r)) return;
    static const std::vector<int> fields{FieldX, FieldY, FieldWidth, FieldHeight};
    static const std::vector<std::string> typed{"0",   "-1",   "7",     "35",  "120",
                                                "333", "-500", "99999", "abc", ""};
    const int f = r.pick(fields);
    tk::SetGadgetText(s.d.fields[f], r.pick(typed));
    s.d.applyTypedRect(f);
}

void deleteSelection(S& s, Rng& r) {
    if (!selected(s) && (!r.chance(60) || !selectSome(s, r))) return;
    if (single(s) && r.chance(30)) {
        // DEL on the marked item's entry in the object manager.
        s.input.hold(VK_DELETE, 6);
        s.d.objectManagerBranch();
        return;
    }
    s.key(VK_DELETE);
}

// CTRL+C, CTRL+X, CTRL+D and CTRL+V on what is marked; a paste goes into a
// marked container, at the cursor or a step off the copied place.
void clipboard(S& s, Rng& r) {
    static const std::vector<int> keys{'C', 'C', 'X', 'D', 'V', 'V'};
    const int key = r.pick(keys);
    if (key != 'V' && !selectSome(s, r)) return;
    if (key == 'V') {
        maybeMarkContainer(s, r);
        s.input.moveTo(r.chance(60) ? creationPoint(s, r) : POINT{-50, -50});
    }
    s.key(key, {VK_CONTROL});
}

bool groupMenuOffers(S& s, int id) {
    s.d.buildGroupMenu();
    return !(GetMenuState(tk::MenuID(kGroupMenu), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED);
}

void combineSplitter(S& s, Rng& r) {
    const int id = r.chance(50) ? MenuVerticalSplitter : MenuHorizontalSplitter;
    if (s.groupOf(2, true, r) && groupMenuOffers(s, id)) s.command(id);
}

void combineContainer(S& s, Rng& r) {
    if (s.groupOf(static_cast<size_t>(r.range(2, 4)), false, r) &&
        groupMenuOffers(s, MenuContainer))
        s.command(MenuContainer);
}

// One command of the group menu's "Align" submenu on a group.
void align(S& s, Rng& r) {
    if (!s.groupOf(static_cast<size_t>(r.range(2, 5)), false, r)) return;
    const int id = MenuAlignFirst + r.range(0, static_cast<int>(alignMenu().size()) - 1);
    if (groupMenuOffers(s, id)) s.command(id);
}

// The tab order sorted, or set by clicks on shown gadgets while the badges
// show (which then go again).
void tabOrder(S& s, Rng& r) {
    if (r.chance(40)) {
        s.command(MenuSortTabOrder);
        return;
    }
    s.command(MenuShowTabOrder);
    for (int n = r.range(1, 4); n > 0; --n) {
        const std::vector<size_t> shown = s.shownItems();
        if (shown.empty()) break;
        if (const auto at = s.pointOn(r.pick(shown), r)) s.click(*at);
    }
    s.command(MenuShowTabOrder);
}

void structurePopup(S& s, Rng& r) {
    std::vector<size_t> candidates;
    for (size_t i = 0; i < s.d.design.items.size(); ++i) {
        const int t = s.d.design.items[i].typ;
        if ((t == PanelGadget || t == ContainerGadget || t == SplitterGadget) &&
            s.d.design.items[i].treeitem)
            candidates.push_back(i);
    }
    if (candidates.empty()) return;
    const Item& it = s.d.design.items[r.pick(candidates)];
    TreeView_SelectItem(tk::GadgetID(s.d.tree), reinterpret_cast<HTREEITEM>(it.treeitem));
    s.d.followTreeSelection(false);
    static const std::vector<std::string> panel{"New Panel after", "New Panel before",
                                                "Remove Panel"};
    const std::string caption = it.typ == PanelGadget       ? r.pick(panel)
                                : it.typ == ContainerGadget ? "Remove ContainerGadget"
                                                            : "Remove SplitterGadget";
    s.clock.steps.push_back([caption](HWND e) { clickIn(e, caption); });
    openPopup(s, r);
}

void reorderInTree(S& s, Rng& r) {
    std::vector<size_t> entries;
    for (size_t i = 0; i < s.d.design.items.size(); ++i)
        if (s.d.design.items[i].treeitem) entries.push_back(i);
    if (entries.size() < 2) return;
    const size_t dragged = r.pick(entries);
    const Item& from = s.d.design.items[dragged];
    std::vector<size_t> targets;
    for (size_t i : entries) {
        const Item& it = s.d.design.items[i];
        const bool bothTabs = it.typ == kTabRecord && from.typ == kTabRecord;
        if (i != dragged && it.parent == from.parent && (bothTabs || it.tab == from.tab))
            targets.push_back(i);
    }
    const size_t target = !targets.empty() && r.chance(75) ? r.pick(targets) : r.pick(entries);
    s.d.dropTreeEntry(static_cast<int>(dragged), static_cast<int>(target));
}

// What the user does to the design's gadgets themselves: scrolling a
// scroll area, showing another panel tab, moving a separator, widening a
// list's first column.
void liveGadgets(S& s, Rng& r) {
    std::vector<size_t> items;
    for (size_t i = 0; i < s.d.design.items.size(); ++i) {
        const int t = s.d.design.items[i].typ;
        if (s.d.design.items[i].id && (t == ScrollAreaGadget || t == PanelGadget ||
                                       t == SplitterGadget || t == ListIconGadget))
            items.push_back(i);
    }
    if (items.empty()) return;
    const Item& it = s.d.design.items[r.pick(items)];
    const int g = number(it.id);
    switch (it.typ) {
    case ScrollAreaGadget:
        tk::SetGadgetAttribute(g, r.chance(50) ? tk::PB_ScrollArea_X : tk::PB_ScrollArea_Y,
                               r.range(0, 200));
        break;
    case PanelGadget:
        tk::SetGadgetState(g, r.range(0, std::max(0, tk::CountGadgetItems(g) - 1)));
        break;
    case SplitterGadget:
        tk::SetGadgetState(g, r.range(0, 300));
        break;
    default:
        tk::SetGadgetItemAttribute(g, 0, tk::PB_ListIcon_ColumnWidth, r.range(10, 200), 0);
        break;
    }
    tk::DrainEvents();
}

void grid(S& s, Rng& r) {
    static const std::vector<std::string> typed{"2", "7", "10", "25", "1", "250", "", "abc"};
    switch (r.range(0, 5)) {
    case 0:
        s.command(MenuGrid);
        break;
    case 1:
        s.command(r.chance(50) ? MenuGrid5 : MenuGrid10);
        break;
    case 2:
        s.requesters.inputs = {r.pick(typed)};
        s.command(MenuUserGrid);
        break;
    case 3:
        s.d.setGridFromButton(r.chance(50) ? 5 : 10);
        break;
    case 4:
        tk::SetGadgetText(s.d.fields[FieldUserGrid], r.pick(typed));
        s.d.setGridFromField();
        break;
    default:
        s.command(MenuShowGrid);
        break;
    }
}

// The answer to "Save Zarnet now?", with a name ready for a design never saved.
void answerSaveQuestion(S& s, Rng& r) {
    static const std::vector<int> answers{IDYES, IDNO, IDNO, IDCANCEL};
    s.requesters.answers = {r.pick(answers)};
    if (s.d.design.fileName == "New") s.requesters.files.push_back(s.freshFile("asked"));
}

void remember(S& s, const std::string& file) {
    if (std::filesystem::exists(file) &&
        std::find(s.savedFiles.begin(), s.savedFiles.end(), file) == s.savedFiles.end())
        s.savedFiles.push_back(file);
}

void rememberAll(S& s) {
    for (const auto& e : std::filesystem::directory_iterator(s.folder))
        if (isDesignFile(e.path())) remember(s, e.path().string());
}

void newDesign(S& s, Rng& r) {
    answerSaveQuestion(s, r);
    const bool system = r.chance(50);
    s.command(system ? int(SysNew) : int(MenuNew), system);
    rememberAll(s);
}

void saveAs(S& s, Rng& r) {
    if (r.chance(85))
        s.requesters.files = {r.chance(20) ? s.freshFile("upper", ".ZRF") : s.freshFile("saved")};
    const bool system = r.chance(50);
    s.command(system ? int(SysSaveAs) : int(MenuSaveAs), system);
    rememberAll(s);
}

void save(S& s, Rng& r) {
    if (s.d.design.fileName == "New") s.requesters.files = {s.freshFile("saved")};
    const bool system = r.chance(50);
    s.command(system ? int(SysSave) : int(MenuSave), system);
    rememberAll(s);
}

// Loading a design this designer saved, then saving it, gives the file back.
void load(S& s, Rng& r) {
    std::vector<std::string> files = s.savedFiles;
    files.push_back(s.startFile);
    const std::string file = r.pick(files);
    answerSaveQuestion(s, r);
    s.requesters.files.push_back(file);
    const bool system = r.chance(50);
    s.command(system ? int(SysLoad) : int(MenuLoad), system);
    rememberAll(s);
    if (file == s.startFile || s.d.design.fileName != file || s.d.design.modified) return;
    const auto before = readFileBytes(file).value_or(std::vector<uint8_t>{});
    const auto after = s.savedBytes();
    if (before != after)
        s.note("load: loading " + std::filesystem::path(file).filename().string() +
               " and saving it again changes it, " + differenceAt(before, after));
}

// A user trying things out: a few steps undone, some of them redone, by
// keys and by the menu; the checks after the step see every handle and the
// design as the history holds it.
void undoRedo(S& s, Rng& r) {
    SetForegroundWindow(s.d.canvas);
    const int back = r.range(1, 3), again = r.range(0, back);
    for (int k = 0; k < back; ++k)
        if (r.chance(50))
            s.key('Z', {VK_CONTROL});
        else
            s.command(int(MenuUndo), false);
    for (int k = 0; k < again; ++k)
        if (r.chance(50))
            s.key('Y', {VK_CONTROL});
        else
            s.command(int(MenuRedo), false);
}

// The restart: the backup written, a new designer started on it with the
// name and modified flag, the same design saved again.
void restart(S& s, Rng&) {
    const auto before = s.savedBytes();
    const std::string backup = s.d.backupFile, name = s.d.design.fileName;
    const bool modified = s.d.design.modified;
    if (!s.begin({backup, "0", name, modified ? "1" : "0"})) {
        s.note("restart: the designer did not start again");
        return;
    }
    if (std::filesystem::exists(backup)) s.note("restart: the backup was left behind");
    if (s.d.design.fileName != name || s.d.design.modified != modified)
        s.note("restart: the name or the modified flag did not come across");
    const auto after = s.savedBytes();
    if (before != after)
        s.note("restart: the design read back from the backup saves differently, " +
               differenceAt(before, after));
}

} // namespace

const std::vector<Operation>& operations() {
    static const std::vector<Operation> table{
        {"create-by-menu", 8, createByMenu},
        {"create-by-space", 5, createBySpace},
        {"create-by-letters", 4, createByLetters},
        {"mark-by-click", 9, markByClick},
        {"mark-from-tree", 4, markFromTree},
        {"group-by-control", 5, groupByControl},
        {"rubber-band", 2, rubberBand},
        {"click-canvas", 2, clickCanvas},
        {"drag-move", 6, dragMove},
        {"drag-mark", 4, dragMark},
        {"arrow-key", 8, arrowKey},
        {"typed-rect", 2, typedRect},
        {"delete", 5, deleteSelection},
        {"clipboard", 5, clipboard},
        {"align", 3, align},
        {"tab-order", 3, tabOrder},
        {"combine-splitter", 4, combineSplitter},
        {"combine-container", 3, combineContainer},
        {"structure-popup", 3, structurePopup},
        {"tree-reorder", 4, reorderInTree},
        {"style-popup", 5, stylePopup},
        {"popup-untouched", 2, popupUntouched},
        {"values-editor", 5, valuesEditor},
        {"values-untouched", 2, valuesUntouched},
        {"font", 3, font},
        {"tooltip", 4, tooltip},
        {"status-toggle", 3, statusToggle},
        {"hide-from-tree", 1, hideFromTree},
        {"rename", 1, rename},
        {"live-gadgets", 3, liveGadgets},
        {"grid", 2, grid},
        {"new", 1, newDesign},
        {"save-as", 2, saveAs},
        {"save", 1, save},
        {"load", 2, load},
        {"restart", 1, restart},
        {"undo-redo", 3, undoRedo},
    };
    return table;
}

} // namespace randomedit
