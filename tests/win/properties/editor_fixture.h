// Runs the property editors over a plain canvas window in the test's own
// process. The editors' loops pause through the clock seam; each pause
// carries out the next scripted step (a click on one of the editor's
// controls, a typed field), so the real loop handles real control events.
#pragma once

#include "designer/canvas/canvas_build.h"
#include "designer/canvas/creation.h"
#include "designer/properties/editors.h"
#include "document/catalogue.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace propertiestest {

using namespace zarnet;
using namespace zarnet::designer;

class Buttons : public tk::InputSource {
  public:
    short asyncKeyState(int key) override {
        if (auto h = held.find(key); h != held.end() && h->second > 0) {
            --h->second;
            return short(0x8000);
        }
        return 0;
    }
    POINT cursorPos() override { return cursor; }
    uint32_t lastInputTime() override { return 0; }
    std::map<int, int> held; // key -> queries it still reads down
    POINT cursor{0, 0};
};

class Requesters : public tk::Requesters {
  public:
    int message(std::string_view title, std::string_view text, uint32_t) override {
        messages.push_back(std::string(title) + ": " + std::string(text));
        return IDOK;
    }
    std::string openFile(std::string_view, std::string_view, std::string_view pattern,
                         int) override {
        patterns.emplace_back(pattern);
        return take(files, std::string());
    }
    std::string saveFile(std::string_view, std::string_view, std::string_view, int) override {
        return {};
    }
    std::string input(std::string_view, std::string_view, std::string_view) override { return {}; }
    int32_t colour(int32_t initial) override {
        colourAsked.push_back(initial);
        return take(colours, -1);
    }
    std::optional<tk::FontChoice> font(std::string_view name, int size, uint32_t) override {
        fontAsked.push_back(std::string(name) + "/" + std::to_string(size));
        return take(fonts, std::optional<tk::FontChoice>());
    }
    std::deque<std::string> files;
    std::deque<int32_t> colours;
    std::deque<std::optional<tk::FontChoice>> fonts;
    std::vector<std::string> messages, patterns, fontAsked;
    std::vector<int32_t> colourAsked;

  private:
    template <class T> static T take(std::deque<T>& q, T fallback) {
        if (q.empty()) return fallback;
        T v = std::move(q.front());
        q.pop_front();
        return v;
    }
};

// Each pause of an editor's loop runs the next step; with no step left the
// editor is closed by its "Close" button (or, failing that, the test fails
// after a while instead of hanging).
class Steps : public tk::Clock {
  public:
    uint32_t now() override { return ticks; }
    void sleep(uint32_t ms) override {
        ticks += ms;
        ++pauses;
        if (!steps.empty()) {
            auto step = std::move(steps.front());
            steps.pop_front();
            step();
        } else if (fallback) {
            fallback();
        }
    }
    std::deque<std::function<void()>> steps;
    std::function<void()> fallback;
    uint32_t ticks = 0;
    int pauses = 0;
};

// The visible toolkit window owned by the canvas: the open editor.
HWND editorWindow(HWND canvas);
// A control of the open editor by its caption (or, for an empty caption,
// the n-th control of that class).
HWND control(HWND editor, const std::string& caption);
HWND controlOfClass(HWND editor, const char* cls, int nth);
void click(HWND canvas, const std::string& caption);

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A new item of typ at (x, y), inside item `inside` (on tab `tab`) when
    // given.
    size_t add(int typ, int x, int y, int inside = -1, int tab = 0);
    Item& item(size_t i) { return design.items[i]; }
    int gadget(size_t i) { return static_cast<int>(design.items[i].id); }
    HWND hwnd(size_t i) { return tk::GadgetID(gadget(i)); }

    // Steps for the running editor.
    void then(std::function<void()> step) { steps.steps.push_back(std::move(step)); }
    void thenClick(const std::string& caption) {
        then([this, caption] { click(canvas, caption); });
    }
    void thenType(const char* cls, int nth, const std::string& text);
    // Closes whatever editor is open once the steps are used up.
    void closeWhenDone(const std::string& caption = "Close");

    // The values editor of the item with these steps.
    void valuesEditor(size_t i) { runValuesEditor(host, i); }

    Buttons buttons;
    Requesters requesters;
    Steps steps;
    int canvasWindow = 0;
    HWND canvas = nullptr;
    Design design;
    std::array<TypeDefaults, kTypeCount + 1> defaults{};
    TooltipDefaults tooltipDefaults;
    EditorHost host;
    std::vector<size_t> remarked;
    int rebuilds = 0, treeRebuilds = 0, idlePauses = 0;
    HWND heldEditor = nullptr;
    std::vector<size_t> retitled;
    std::string folder;
};

// A file in the test's folder with these bytes; returns its path.
std::string writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> bmpBytes(int w, int h, uint32_t colour);
std::vector<uint8_t> icoBytes(int w, int h, uint32_t colour);

} // namespace propertiestest
