// Runs the designer in the test's own process: scripted keys, buttons and
// cursor, scripted requesters, and a fresh program folder for each test.
#pragma once

#include "designer/shell/designer.h"
#include "document/design_file.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <functional>
#include <thread>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace designertest {

class ScriptedInput : public tk::InputSource {
  public:
    short asyncKeyState(int key) override {
        ++queries_;
        for (auto& [k, at] : later_)
            if (at.first > 0 && queries_ >= at.first) {
                heldFor_[k] = at.second;
                at.first = 0;
            }
        if (auto held = heldFor_.find(key); held != heldFor_.end() && held->second > 0) {
            --held->second;
            return short(0x8000);
        }
        if (auto t = tapped_.find(key); t != tapped_.end() && t->second) {
            t->second = false; // "pressed since the last query", once
            return 1;
        }
        return down_[key] ? short(0x8000) : 0;
    }
    // Down for the next `queries` queries of the key, then up, as a key
    // the user presses and lets go.
    void hold(int key, int queries) {
        heldFor_[key] = queries;
        ++changes_;
    }
    // Pressed and let go before the next query: only the "pressed since
    // the last query" bit tells of it.
    void tap(int key) {
        tapped_[key] = true;
        ++changes_;
    }
    // Down for `queries` queries of the key once `after` more queries of
    // any key have been made: a key pressed while a modal loop polls.
    void holdLater(int key, int after, int queries) {
        later_[key] = {queries_ + static_cast<uint64_t>(after), queries};
        ++changes_;
    }
    // The cursor goes to `p` once `after` more key queries have been made.
    void moveLater(POINT p, int after) {
        moveAt_ = queries_ + static_cast<uint64_t>(after);
        moveTo_ = p;
        ++changes_;
    }
    POINT cursorPos() override {
        if (moveAt_ && queries_ >= moveAt_) {
            cursor = moveTo_;
            moveAt_ = 0;
        }
        return cursor;
    }
    uint32_t lastInputTime() override { return changes_; }
    void press(int key) {
        down_[key] = true;
        ++changes_;
    }
    void release(int key) {
        down_[key] = false;
        ++changes_;
    }
    void moveTo(POINT p) {
        cursor = p;
        ++changes_;
    }
    POINT cursor{0, 0};

  private:
    std::map<int, bool> down_;
    std::map<int, int> heldFor_;
    std::map<int, bool> tapped_;
    std::map<int, std::pair<uint64_t, int>> later_;
    uint64_t queries_ = 0, moveAt_ = 0;
    POINT moveTo_{};
    uint32_t changes_ = 0;
};

// Answers requesters from queues and remembers what they showed.
class ScriptedRequesters : public tk::Requesters {
  public:
    struct Shown {
        std::string title, text, defaultText, pattern;
    };
    int message(std::string_view title, std::string_view text, uint32_t) override {
        shown.push_back({std::string(title), std::string(text), {}, {}});
        return take(answers, IDOK);
    }
    std::string openFile(std::string_view title, std::string_view def, std::string_view pattern,
                         int) override {
        shown.push_back({std::string(title), {}, std::string(def), std::string(pattern)});
        return take(files, std::string());
    }
    std::string saveFile(std::string_view title, std::string_view def, std::string_view pattern,
                         int) override {
        shown.push_back({std::string(title), {}, std::string(def), std::string(pattern)});
        return take(files, std::string());
    }
    std::string input(std::string_view title, std::string_view text,
                      std::string_view def) override {
        shown.push_back({std::string(title), std::string(text), std::string(def), {}});
        return take(inputs, std::string());
    }
    int32_t colour(int32_t) override { return -1; }
    std::optional<tk::FontChoice> font(std::string_view, int, uint32_t) override {
        return std::nullopt;
    }

    std::deque<int> answers;
    std::deque<std::string> files, inputs;
    std::vector<Shown> shown;

  private:
    template <class T> static T take(std::deque<T>& q, T fallback) {
        if (q.empty()) return fallback;
        T v = q.front();
        q.pop_front();
        return v;
    }
};

// A folder of the test run's environment (ZARNET_SOURCE, ZARNET_BUILD)
// plus a file below it, as a Windows path the way a user passes one.
inline std::string windowsPathIn(const char* variable, const std::string& relative) {
    const char* root = std::getenv(variable);
    std::string path = "Z:" + std::string(root ? root : "") + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
// A file's bytes, none when it cannot be read.
inline std::vector<uint8_t> fileBytes(const std::string& path) {
    return zarnet::readFileBytes(path).value_or(std::vector<uint8_t>{});
}

inline std::string exampleDesign() { return windowsPathIn("ZARNET_SOURCE", "examples/example.zrf"); }

// A record of the design model with its number and rectangle.
inline zarnet::Item gadget(int typ, int number, int x, int y, int w = 80, int h = 20) {
    zarnet::Item it = zarnet::makeItem(typ);
    it.number = static_cast<int16_t>(number);
    it.x = x;
    it.y = y;
    it.w = w;
    it.h = h;
    return it;
}

// From another thread, while the designer runs a loop of its own: waits
// for the window `find` returns to show, then hands it to `act` once.
class WindowWatcher {
  public:
    WindowWatcher(std::function<HWND()> find, std::function<void(HWND)> act, int tries = 600)
        : thread_([this, find, act, tries] {
              for (int i = 0; i < tries && !stop_; ++i) {
                  HWND w = find();
                  if (w && IsWindowVisible(w)) {
                      seen = true;
                      act(w);
                      return;
                  }
                  Sleep(30);
              }
          }) {}
    ~WindowWatcher() {
        stop_ = true;
        thread_.join();
    }
    std::atomic<bool> seen{false};

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Canvas gestures through the input seam, shared by the fixture and the
// random edit; `passes(n)` runs n passes of the designer's loop.
template <class Passes>
void dragGesture(ScriptedInput& input, Passes passes, POINT from, POINT to,
                 std::initializer_list<int> keys) {
    for (int k : keys) input.press(k);
    input.moveTo(from);
    input.press(VK_LBUTTON);
    passes(3);
    input.moveTo(to);
    passes(2);
    input.release(VK_LBUTTON);
    passes(2);
    for (int k : keys) input.release(k);
}
// A click the user lets go of whatever the designer waits for.
template <class Passes>
void clickGesture(ScriptedInput& input, Passes passes, POINT at, std::initializer_list<int> keys) {
    for (int k : keys) input.press(k);
    input.moveTo(at);
    input.hold(VK_LBUTTON, 12);
    passes(4);
    for (int k : keys) input.release(k);
}

class DesignerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tk::setInputSource(&input);
        tk::setRequesters(&requesters);
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::string(temp) + "zarnet-designer-" + info->name() + "\\";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        d.shutdown();
        tk::setInputSource(nullptr);
        tk::setRequesters(nullptr);
        std::filesystem::remove_all(folder);
    }
    // Starts the designer with these parameters in the test's folder.
    void start(std::vector<std::string> parameters = {}) {
        zarnet::designer::StartOptions o;
        o.parameters = std::move(parameters);
        o.programFolder = folder;
        o.userDataFolder = userData();
        ASSERT_TRUE(d.start(o));
    }
    // Starts the designer on the design, written as sample.zrf in the folder.
    void startOn(const zarnet::Design& design) {
        const std::string file = folder + "sample.zrf";
        ASSERT_TRUE(zarnet::writeFileAtomic(file, zarnet::writeDesign(design)));
        start({file});
    }
    // The design as a save would write it now.
    std::vector<uint8_t> savedBytes() { return d.designBytes().bytes; }
    // Runs passes of the main loop until two in a row found no event.
    void run() {
        for (int idle = 0, i = 0; idle < 2 && i < 200 && d.pass(); ++i)
            idle = d.event == 0 ? idle + 1 : 0;
    }
    // The user's own data folder of the designer under test.
    std::string userData() const { return folder + "user\\"; }
    std::string title() { return tk::GetWindowTitle(zarnet::designer::kCanvasWindow); }

    // Canvas gestures through the input seam.
    void passes(int n) {
        for (int i = 0; i < n; ++i) d.pass();
    }
    // The screen point at (dx, dy) inside the item's live gadget.
    POINT on(size_t item, int dx = 5, int dy = 5) {
        RECT r;
        GetWindowRect(tk::GadgetID(static_cast<int>(d.design.items[item].id)), &r);
        return {r.left + dx, r.top + dy};
    }
    void withKeys(std::initializer_list<int> keys, bool down) {
        for (int k : keys) down ? input.press(k) : input.release(k);
    }
    void drag(POINT from, POINT to, std::initializer_list<int> keys = {}) {
        dragGesture(input, [this](int n) { passes(n); }, from, to, keys);
    }
    void click(POINT at, std::initializer_list<int> keys = {}) {
        clickGesture(input, [this](int n) { passes(n); }, at, keys);
    }
    std::string fieldText(int field) { return tk::GetGadgetText(d.fields[field]); }
    int menuCheck(int id) { return tk::GetMenuItemState(zarnet::designer::kMainMenu, id); }

    ScriptedInput input;
    ScriptedRequesters requesters;
    std::string folder;
    zarnet::designer::Designer d;
};

} // namespace designertest

