// The random-edit session: the designer with its seams scripted, the
// gestures the operations are made of, and one step at a time.
#include "random_edit.h"

#include "designer/canvas/selection.h"
#include "designer/shell/shell_logic.h"
#include "document/catalogue.h"
#include "document/design_file.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace randomedit {

using namespace zarnet;
using namespace zarnet::designer;

uint64_t Rng::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int32_t Requesters::colour(int32_t) {
    if (colours.empty()) return -1;
    const int32_t c = colours.front();
    colours.pop_front();
    return c;
}

std::optional<tk::FontChoice> Requesters::font(std::string_view, int, uint32_t) {
    if (fonts.empty()) return std::nullopt;
    tk::FontChoice f = fonts.front();
    fonts.pop_front();
    return f;
}

void Requesters::clear() {
    answers.clear();
    files.clear();
    inputs.clear();
    colours.clear();
    fonts.clear();
    shown.clear();
}

namespace {

struct Search {
    HWND owner;
    std::vector<HWND> skip;
    HWND found = nullptr;
};

BOOL CALLBACK findEditor(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (GetWindow(h, GW_OWNER) == s->owner && IsWindowVisible(h) &&
        std::string(cls).rfind("ZarnetWindow", 0) == 0 &&
        std::find(s->skip.begin(), s->skip.end(), h) == s->skip.end())
        s->found = h;
    return TRUE;
}

struct Children {
    std::string caption;
    const char* cls = nullptr;
    std::vector<HWND> found;
};

BOOL CALLBACK findChildren(HWND h, LPARAM p) {
    auto* c = reinterpret_cast<Children*>(p);
    char text[256] = {}, cls[64] = {};
    GetWindowTextA(h, text, sizeof text);
    GetClassNameA(h, cls, sizeof cls);
    if (c->cls ? lstrcmpiA(cls, c->cls) == 0 : c->caption == text) c->found.push_back(h);
    return TRUE;
}

std::vector<HWND> editorSkip; // the designer's own tool windows

// Ends a run that no longer makes progress, saying where it stood.
// A menu opened by a stray right click would wait for the user; it is
// closed again, and the operation that opened it says so.
bool menuClosed = false;
void CALLBACK endStrayMenus(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
        EndMenu();
        menuClosed = true;
    }
}

[[noreturn]] void hung() {
    std::fprintf(stderr, "random edit: an operation did not finish (a loop waits for ever)\n");
    std::fflush(stderr);
    std::exit(3);
}

} // namespace

HWND openEditor(HWND canvas) {
    Search s{canvas, editorSkip};
    EnumThreadWindows(GetCurrentThreadId(), findEditor, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::vector<HWND> editorControls(HWND editor, const char* cls) {
    Children c{{}, cls};
    if (editor) EnumChildWindows(editor, findChildren, reinterpret_cast<LPARAM>(&c));
    return c.found;
}

HWND editorControl(HWND editor, const std::string& caption) {
    Children c{caption};
    if (editor) EnumChildWindows(editor, findChildren, reinterpret_cast<LPARAM>(&c));
    return c.found.empty() ? nullptr : c.found.front();
}

HWND editorControlOfClass(HWND editor, const char* cls, int nth) {
    const auto all = editorControls(editor, cls);
    return nth >= 0 && static_cast<size_t>(nth) < all.size() ? all[static_cast<size_t>(nth)]
                                                             : nullptr;
}

void EditorClock::sleep(uint32_t ms) {
    ticks += ms;
    if (++pausesInOperation > 400000) hung();
    // An editor takes the foreground when it opens; looking for one costs a
    // walk over the windows, so while the canvas is in front it is done
    // only now and then.
    if (GetForegroundWindow() == canvas && pausesInOperation % 64 != 0) return;
    HWND editor = openEditor(canvas);
    if (!editor) return;
    if (!steps.empty()) {
        auto step = std::move(steps.front());
        steps.pop_front();
        step(editor);
        return;
    }
    for (const char* caption : {"Close", "Cancel"})
        if (HWND h = editorControl(editor, caption); h && IsWindowEnabled(h)) {
            SendMessageA(h, BM_CLICK, 0, 0);
            return;
        }
    // A pop-up closes on a click beside it.
    RECT r{};
    GetWindowRect(editor, &r);
    input->moveTo({r.right + 20, r.bottom + 20});
    input->hold(VK_LBUTTON, 1);
}

Session::Session(std::string f) : folder(std::move(f)) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    clock.input = &input;
    tk::setInputSource(&input);
    tk::setRequesters(&requesters);
    tk::setClock(&clock);
    menuTimer = SetTimer(nullptr, 0, 200, endStrayMenus);
}

Session::~Session() {
    end();
    KillTimer(nullptr, menuTimer);
    tk::setInputSource(nullptr);
    tk::setRequesters(nullptr);
    tk::setClock(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

bool Session::begin(const std::vector<std::string>& parameters) {
    end();
    StartOptions o;
    o.parameters = parameters;
    o.programFolder = folder;
    o.userDataFolder = folder + "user data\\";
    input = Input{};
    requesters.clear();
    if (!d.start(o)) return false;
    running = true;
    clock.canvas = d.canvas;
    editorSkip = {d.objectManager, d.learner};
    SetForegroundWindow(d.canvas);
    tk::DrainEvents();
    return true;
}

void Session::end() {
    if (!running) return;
    d.shutdown();
    d = Designer{};
    running = false;
}

std::optional<Finding> Session::run(const std::string& designFile, uint64_t seed,
                                    const std::vector<uint32_t>& steps) {
    // Every run starts from the same folder: what an earlier one saved
    // would change what this one picks.
    end();
    // Nor may the preferences or the clipboard an earlier run left.
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (isDesignFile(e.path()) || e.path().filename() == "backup" ||
            e.path().filename() == zarnet::designer::kPreferencesName)
            std::filesystem::remove(e.path());
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(folder) / "user data", ignored);
    if (const auto start = startBytes.find(designFile); start != startBytes.end())
        zarnet::writeFileAtomic(designFile, start->second);
    startFile = designFile;
    savedFiles.clear();
    fileCounter = 0;
    lastOperation.clear();
    lastSaved.clear();
    noted.clear();
    clock.ticks = 0;
    if (!begin({designFile})) return Finding{0, "start", "the designer did not start"};
    if (auto bad = check()) return Finding{0, "start", *bad};
    if (undoAll) noteHistoryBase();
    for (size_t k = 0; k < steps.size(); ++k) {
        const char* name = step(seed, steps[k]);
        if (trace) std::printf("step %u %s: %s\n", steps[k], name, summary().c_str());
        if (auto bad = check()) {
            const auto isKnown =
                std::find_if(known.begin(), known.end(), [&](const std::string& text) {
                    return bad->find(text) != std::string::npos;
                });
            if (isKnown != known.end()) {
                ++knownSeen[*isKnown];
                continue;
            }
            end();
            return Finding{static_cast<uint32_t>(k), name, *bad};
        }
        if (undoAll) noteHistoryBase();
    }
    if (undoAll && running && !steps.empty())
        if (auto bad = undoAndRedoAll()) {
            end();
            return Finding{static_cast<uint32_t>(steps.size() - 1), "undo and redo all", *bad};
        }
    end();
    return std::nullopt;
}

const Operation& operationOf(uint64_t seed, uint32_t step) {
    Rng rng(seed, step);
    const auto& ops = operations();
    int total = 0;
    for (const Operation& op : ops)
        total += op.weight;
    int at = static_cast<int>(rng.below(static_cast<uint32_t>(total)));
    for (const Operation& op : ops) {
        if (at < op.weight) return op;
        at -= op.weight;
    }
    return ops.back();
}

const char* Session::step(uint64_t seed, uint32_t index) {
    const Operation& op = operationOf(seed, index);
    Rng rng(seed, index);
    rng.next(); // the draw that chose the operation
    noted.clear();
    requesters.clear();
    clock.steps.clear();
    clock.pausesInOperation = 0;
    SetForegroundWindow(d.canvas);
    menuClosed = false;
    const auto began = std::chrono::steady_clock::now();
    op.run(*this, rng);
    if (!running) return op.name;
    if (menuClosed) note(std::string("session: ") + op.name + " opened a menu by mistake");
    // What the user lets go of at the end of a gesture.
    if (HWND e = openEditor(d.canvas)) {
        note(std::string("editor: ") + op.name + " left an editor open");
        SendMessageA(e, WM_CLOSE, 0, 0);
    }
    const POINT cursor = input.cursor;
    input = Input{};
    input.cursor = cursor;
    for (int i = 0; i < 20 && d.gesture != Designer::Gesture::Idle; ++i)
        d.pass();
    tk::DrainEvents();
    Spent& t = spent[op.name];
    lastOperation = op.name;
    ++t.count;
    t.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    return op.name;
}

std::string Session::summary() const {
    std::string out = d.sel.groupMode ? "group" : "marked " + std::to_string(d.sel.marked);
    out += ", fonts " + std::to_string(d.design.fonts.size()) + ":";
    for (const Item& it : d.design.items) {
        out += ' ';
        if (it.typ == kTabRecord)
            out += "[tab";
        else if (it.typ == kCloseRecord)
            out += "]";
        else
            out += std::string(gadgetType(it.typ).code.empty() ? "SP" : gadgetType(it.typ).code) +
                   std::to_string(it.number);
        if (it.isGadget() && it.font >= 0) out += "/f" + std::to_string(it.font);
        if (it.isGadget() && it.tooltip)
            out += "/t" + std::to_string(it.tooltip) + "." + std::to_string(it.tfont);
    }
    return out;
}

std::string Session::timeReport() const {
    std::string out;
    for (const auto& [name, t] : spent) {
        char line[160];
        std::snprintf(line, sizeof line, "  %-20s %7llu x %8.1f ms, %5.1f %% changed the design\n",
                      name.c_str(), static_cast<unsigned long long>(t.count),
                      t.count ? 1000 * t.seconds / t.count : 0.0,
                      t.count ? 100.0 * t.changed / t.count : 0.0);
        out += line;
    }
    return out;
}

// ---- Gestures ----

POINT Session::canvasPoint(int x, int y) {
    POINT p{x, y};
    ClientToScreen(d.canvas, &p);
    return p;
}

std::optional<POINT> Session::pointOn(size_t item, Rng& rng) {
    const Item& it = d.design.items[item];
    if (!it.isGadget() || !it.id) return std::nullopt;
    HWND w = tk::GadgetID(static_cast<int>(it.id));
    if (!w || !IsWindowVisible(w)) return std::nullopt;
    RECT r;
    GetWindowRect(w, &r);
    // Clipped by every window it lies in, up to the canvas's client area.
    for (HWND up = GetParent(w); up; up = GetParent(up)) {
        RECT c;
        GetClientRect(up, &c);
        MapWindowPoints(up, HWND_DESKTOP, reinterpret_cast<POINT*>(&c), 2);
        IntersectRect(&r, &r, &c);
        if (up == d.canvas) break;
    }
    if (r.right - r.left < 3 || r.bottom - r.top < 3) return std::nullopt;
    return POINT{r.left + 1 + rng.range(0, r.right - r.left - 3),
                 r.top + 1 + rng.range(0, r.bottom - r.top - 3)};
}

void Session::passes(int n) {
    for (int i = 0; i < n && running; ++i)
        d.pass();
}

void Session::click(POINT at, std::initializer_list<int> keys) {
    designertest::clickGesture(input, [this](int n) { passes(n); }, at, keys);
}

void Session::drag(POINT from, POINT to, std::initializer_list<int> keys) {
    designertest::dragGesture(input, [this](int n) { passes(n); }, from, to, keys);
}

void Session::rightClick(POINT at) {
    input.moveTo(at);
    input.hold(VK_RBUTTON, 6);
    passes(2);
}

void Session::key(int vk, std::initializer_list<int> mods) {
    for (int k : mods)
        input.press(k);
    input.hold(vk, 2);
    passes(1);
    for (int k : mods)
        input.release(k);
}

void Session::command(int id, bool systemMenu) {
    if (systemMenu)
        PostMessageA(d.canvas, WM_SYSCOMMAND, static_cast<WPARAM>(id), 0);
    else
        PostMessageA(d.canvas, WM_COMMAND, static_cast<WPARAM>(id), 0);
    const int expected = systemMenu ? tk::PB_Event_SysCommand : tk::PB_Event_Menu;
    for (int i = 0; i < 50 && running; ++i) {
        d.pass();
        if (d.event == expected) return;
    }
    note("loop: the posted command " + std::to_string(id) + " never reached the designer");
}

std::vector<size_t> Session::shownItems() {
    std::vector<size_t> out;
    for (size_t i = 0; i < d.design.items.size(); ++i) {
        const Item& it = d.design.items[i];
        if (it.isGadget() && it.id && IsWindowVisible(tk::GadgetID(static_cast<int>(it.id))))
            out.push_back(i);
    }
    return out;
}

std::vector<size_t> Session::siblingsOf(size_t item) {
    std::vector<size_t> out;
    const Item& of = d.design.items[item];
    for (size_t i = 0; i < d.design.items.size(); ++i) {
        const Item& it = d.design.items[i];
        if (i != item && it.isGadget() && it.parent == of.parent && it.tab == of.tab &&
            it.insplitter != 1)
            out.push_back(i);
    }
    return out;
}

bool Session::mark(size_t item, Rng& rng) {
    if (rng.chance(60))
        if (auto p = pointOn(item, rng)) {
            click(*p);
            return d.sel.marked >= 0;
        }
    const Item& it = d.design.items[item];
    if (!it.treeitem) return false;
    TreeView_SelectItem(tk::GadgetID(d.tree), reinterpret_cast<HTREEITEM>(it.treeitem));
    d.followTreeSelection(false);
    return d.sel.marked >= 0;
}

bool Session::groupOf(size_t count, bool exactly, Rng& rng) {
    std::vector<size_t> candidates;
    for (size_t i : shownItems()) {
        if (d.design.items[i].insplitter == 1) continue;
        size_t shownSiblings = 0;
        for (size_t s : siblingsOf(i))
            if (pointOn(s, rng)) ++shownSiblings;
        if (shownSiblings + 1 >= count) candidates.push_back(i);
    }
    if (candidates.empty()) return false;
    const size_t first = rng.pick(candidates);
    const auto p = pointOn(first, rng);
    if (!p) return false;
    if (d.sel.groupMode) d.unmarkAll();
    click(*p);
    if (d.sel.marked < 0) return false;
    std::vector<size_t> others = siblingsOf(static_cast<size_t>(d.sel.marked));
    for (size_t k = others.size(); k > 1; --k)
        std::swap(others[k - 1], others[rng.below(static_cast<uint32_t>(k))]);
    for (size_t s : others) {
        if (d.sel.groupMode && d.sel.group.size() >= count) break;
        if (auto q = pointOn(s, rng)) click(*q, {VK_CONTROL});
    }
    if (!d.sel.groupMode) return false;
    return exactly ? d.sel.group.size() == count : d.sel.group.size() >= count;
}

std::string Session::freshFile(const char* stem, const char* suffix) {
    return folder + stem + std::to_string(++fileCounter) + suffix;
}

bool isDesignFile(const std::filesystem::path& p) {
    return lstrcmpiA(p.extension().string().c_str(), ".zrf") == 0;
}

std::vector<uint8_t> Session::savedBytes() {
    const bool modified = d.design.modified;
    std::string why;
    const bool written = d.writeBackup(why);
    d.design.modified = modified;
    if (!written) return {};
    return readFileBytes(d.backupFile).value_or(std::vector<uint8_t>{});
}

} // namespace randomedit
