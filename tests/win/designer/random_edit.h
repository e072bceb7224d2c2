// Seeded random editing of the designer in the test's own process: a table
// of real designer operations (menu commands, keys and clicks through the
// input seam, the editors through their entry points with scripted
// requesters), each step checked against the design's invariants, the
// canvas, the object manager tree and a save that reads back to itself.
// The test program runs a bounded number of steps per seed; the bench
// program runs long.
#pragma once

#include "designer_fixture.h"

#include "document/model.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace randomedit {

// splitmix64: small, fast and the same on every build.
class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    // The stream of one step of one run: a step draws the same numbers
    // whichever steps ran before it, so a shortened run keeps its steps.
    Rng(uint64_t seed, uint32_t step)
        : state_(seed * 0x9E3779B97F4A7C15ull ^ (uint64_t{step} << 1 | 1)) {
        next();
    }
    uint64_t next();
    // 0 .. n-1 (0 when n is 0).
    uint32_t below(uint32_t n) { return n ? static_cast<uint32_t>(next() % n) : 0; }
    int range(int low, int high) {
        return low + static_cast<int>(below(static_cast<uint32_t>(high - low + 1)));
    }
    bool chance(int percent) { return below(100) < static_cast<uint32_t>(percent); }
    template <class T> const T& pick(const std::vector<T>& v) {
        return v[below(static_cast<uint32_t>(v.size()))];
    }

  private:
    uint64_t state_;
};

// The designs a run starts from, written as files by the session.
struct StartDesign {
    std::string name;
    zarnet::Design design;
};
std::vector<StartDesign> startDesigns();
// Picture files (BMP, icon, one that is no picture) for the values editor.
std::vector<std::pair<std::string, std::vector<uint8_t>>> pictureFiles();

// Requesters that can also answer the font and colour dialogs.
class Requesters : public designertest::ScriptedRequesters {
  public:
    int32_t colour(int32_t) override;
    std::optional<tk::FontChoice> font(std::string_view, int, uint32_t) override;
    std::deque<int32_t> colours;
    std::deque<tk::FontChoice> fonts;
    void clear();
};

// The designer's clock: time passes only as the designer sleeps, and every
// pause inside an editor's own loop carries out the next scripted step for
// it; with none left, the open editor is closed as a user would.
class EditorClock : public tk::Clock {
  public:
    uint32_t now() override { return ticks; }
    void sleep(uint32_t ms) override;
    std::deque<std::function<void(HWND editor)>> steps;
    HWND canvas = nullptr;
    uint32_t ticks = 0;
    uint64_t pausesInOperation = 0;
    designertest::ScriptedInput* input = nullptr;
};

// The visible editor window the designer opened over its canvas, or null.
HWND openEditor(HWND canvas);
// The editor's control by caption, or the n-th of a window class.
HWND editorControl(HWND editor, const std::string& caption);
HWND editorControlOfClass(HWND editor, const char* cls, int nth);
std::vector<HWND> editorControls(HWND editor, const char* cls);

// Two saves of a design told apart for a report: the first byte and the
// first line of their listings that differ.
std::string differenceAt(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after);
// The GDI objects this process holds.
size_t gdiObjects();

// Whether the path names a design file (".zrf" in any case).
bool isDesignFile(const std::filesystem::path& p);

// The scripted keys, buttons and cursor; the designer never finds itself
// idle, so no pass waits for input that is not coming.
class Input : public designertest::ScriptedInput {
  public:
    uint32_t lastInputTime() override { return ++ticks_; }

  private:
    uint32_t ticks_ = 0;
};

// The history holds the design as it stands (edits committed first).
std::optional<std::string> historyInStep(zarnet::designer::Designer& d);

class Session;
struct Operation {
    const char* name;
    int weight;
    void (*run)(Session&, Rng&);
};
const std::vector<Operation>& operations();
// The operation step `step` of run `seed` carries out.
const Operation& operationOf(uint64_t seed, uint32_t step);

struct Finding {
    uint32_t step = 0; // index into the steps run
    std::string operation;
    std::string what;
};

class Session {
  public:
    // `folder` (ending in a backslash) is the designer's program folder.
    explicit Session(std::string folder);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // A fresh designer started with these parameters (a design file, and
    // for a restart the window, name and modified flag); false when it
    // did not start.
    bool begin(const std::vector<std::string>& parameters);
    void end();
    // Carries out one step; its operation's name.
    const char* step(uint64_t seed, uint32_t index);
    // Every check; the first fault found, or nothing.
    std::optional<std::string> check();
    // A fresh designer on `designFile` running these steps with a check
    // after each: the first finding, or nothing.
    std::optional<Finding> run(const std::string& designFile, uint64_t seed,
                               const std::vector<uint32_t>& steps);

    // --- for the operations ---
    POINT canvasPoint(int x, int y);
    // A point inside the item's gadget where it shows (inside every
    // ancestor), or nothing when it does not show.
    std::optional<POINT> pointOn(size_t item, Rng& rng);
    void passes(int n);
    void click(POINT at, std::initializer_list<int> keys = {});
    void drag(POINT from, POINT to, std::initializer_list<int> keys = {});
    void rightClick(POINT at);
    void key(int vk, std::initializer_list<int> mods = {});
    // A menu or system menu command, posted and taken by the main loop.
    void command(int id, bool systemMenu = false);
    // Real items that show on the canvas.
    std::vector<size_t> shownItems();
    // Real items sharing the item's parent and tab, outside splitters.
    std::vector<size_t> siblingsOf(size_t item);
    // Marks an item as the user would: a click on it, or its tree entry.
    bool mark(size_t item, Rng& rng);
    // A group of `count` siblings or more, built by CONTROL-clicks.
    bool groupOf(size_t count, bool exactly, Rng& rng);
    // A new file name in the session's folder.
    std::string freshFile(const char* stem, const char* suffix = "");
    // The design as a save would write it now.
    std::vector<uint8_t> savedBytes();
    void note(std::string finding) {
        if (noted.empty()) noted = std::move(finding);
    }

    zarnet::designer::Designer d;
    Input input;
    Requesters requesters;
    EditorClock clock;
    std::string folder;
    std::vector<std::string> savedFiles; // designs saved by the run, for Load
    std::string startFile;
    // The start designs as first written: a run that saves over its start
    // file must not change where the next run starts.
    std::map<std::string, std::vector<uint8_t>> startBytes;
    std::string noted; // an operation's own finding
    bool running = false;
    int fileCounter = 0;
    uintptr_t menuTimer = 0;
    // Time spent per operation and in the checks, for the long run's report.
    struct Spent {
        uint64_t count = 0;
        uint64_t changed = 0; // steps after which the saved design differed
        double seconds = 0;
    };
    std::string lastOperation;
    std::vector<uint8_t> lastSaved;
    std::map<std::string, Spent> spent;
    std::string timeReport() const;
    // The marked item and the list in short, printed after each step when
    // tracing.
    std::string summary() const;
    bool trace = false;
    // After a run, every step undone and redone (the history's own check).
    bool undoAll = false;
    std::vector<uint8_t> historyBase; // the design where the history began
    int historyBaseGrid = 10;
    void noteHistoryBase();
    std::optional<std::string> undoAndRedoAll();
    // GDI objects an undo and redo of every step may leave (a cached
    // icon, a tooltip's font).
    static constexpr size_t kObjectSlack = 24;
    // Findings containing one of these texts are counted, not reported,
    // and the run goes on: faults already known while they are mended.
    std::vector<std::string> known;
    std::map<std::string, uint64_t> knownSeen;
};

} // namespace randomedit
