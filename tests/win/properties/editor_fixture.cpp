#include "editor_fixture.h"

#include "designer/properties/values_apply.h"
#include "imaging/pixel_ops.h"
#include "tests/win/unmanaged_windows.h"

#include <filesystem>
#include <fstream>

namespace propertiestest {

namespace {

struct Found {
    HWND owner;
    HWND window = nullptr;
};

BOOL CALLBACK findEditor(HWND h, LPARAM p) {
    auto* f = reinterpret_cast<Found*>(p);
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (GetWindow(h, GW_OWNER) == f->owner && IsWindowVisible(h) &&
        std::string(cls).rfind("ZarnetWindow", 0) == 0)
        f->window = h;
    return TRUE;
}

struct Child {
    std::string caption;
    const char* cls = nullptr;
    int nth = 0;
    HWND found = nullptr;
};

BOOL CALLBACK findChild(HWND h, LPARAM p) {
    auto* c = reinterpret_cast<Child*>(p);
    char text[256] = {}, cls[64] = {};
    GetWindowTextA(h, text, sizeof text);
    GetClassNameA(h, cls, sizeof cls);
    const bool match = c->cls ? lstrcmpiA(cls, c->cls) == 0 : c->caption == text;
    if (match && c->nth-- == 0) {
        c->found = h;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND editorWindow(HWND canvas) {
    Found f{canvas};
    EnumThreadWindows(GetCurrentThreadId(), findEditor, reinterpret_cast<LPARAM>(&f));
    return f.window;
}

HWND control(HWND editor, const std::string& caption) {
    Child c{caption};
    if (editor) EnumChildWindows(editor, findChild, reinterpret_cast<LPARAM>(&c));
    return c.found;
}

HWND controlOfClass(HWND editor, const char* cls, int nth) {
    Child c{{}, cls, nth};
    if (editor) EnumChildWindows(editor, findChild, reinterpret_cast<LPARAM>(&c));
    return c.found;
}

void click(HWND canvas, const std::string& caption) {
    HWND h = control(editorWindow(canvas), caption);
    if (!h) {
        ADD_FAILURE() << "no control \"" << caption << "\" in the open editor";
        return;
    }
    SendMessageA(h, BM_CLICK, 0, 0);
}

void EditorTest::SetUp() {
    tk::setInputSource(&buttons);
    tk::setRequesters(&requesters);
    tk::setClock(&steps);
    buttons.cursor = {300, 300};
    for (int t = 1; t <= kTypeCount; ++t) defaults[static_cast<size_t>(t)] = gadgetType(t).defaults;
    canvasWindow = tk::OpenWindow(tk::PB_Any, 20, 20, 640, 480, "Canvas");
    ASSERT_NE(canvasWindow, 0);
    canvas = tk::WindowID(canvasWindow);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = std::string(temp) + "zarnet-properties-" + info->name() + "\\";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);

    host.design = &design;
    host.canvas = canvas;
    host.canvasWindow = canvasWindow;
    host.typeDefaults = &defaults;
    host.tooltipDefaults = &tooltipDefaults;
    host.tempImageFile = conversionFilePath(temp);
    host.refreshTitle = [] {};
    host.rebuildCanvas = [this](bool keep) {
        ++rebuilds;
        refreshModelFromCanvas(design, keep);
        freeCanvas(design);
        buildCanvas(design, canvasWindow);
    };
    host.remark = [this](size_t i) { remarked.push_back(i); };
    host.rebuildTree = [this] { ++treeRebuilds; };
    host.retitleTreeEntry = [this](size_t i) { retitled.push_back(i); };
    // An editor left open by a failed step is closed rather than hanging
    // the run.
    steps.fallback = [this] {
        HWND e = editorWindow(canvas);
        if (!e) return;
        if (++idlePauses > 20000) {
            ADD_FAILURE() << "an editor did not close";
            std::exit(3);
        }
        // PROPERTIES_HOLD=ms keeps each editor on screen that long before it
        // closes, for a look at it.
        if (const char* hold = std::getenv("PROPERTIES_HOLD"); hold && e != heldEditor) {
            heldEditor = e;
            Sleep(static_cast<DWORD>(std::atoi(hold)));
        }
        for (const char* c : {"Close", "Cancel"})
            if (HWND h = control(e, c)) {
                SendMessageA(h, BM_CLICK, 0, 0);
                return;
            }
        // The pop-up closes on a left click beside it.
        RECT r{};
        GetWindowRect(e, &r);
        buttons.cursor = {r.right + 20, r.bottom + 20};
        buttons.held[VK_LBUTTON] = 1;
    };
}

void EditorTest::TearDown() {
    freeCanvas(design);
    freeDesignFonts(design);
    tk::CloseWindow(canvasWindow);
    tk::setInputSource(nullptr);
    tk::setRequesters(nullptr);
    tk::setClock(nullptr);
    std::filesystem::remove_all(folder);
}

size_t EditorTest::add(int typ, int x, int y, int inside, int tab) {
    const auto at = createItem(design, canvasWindow, typ, x, y, inside, tab,
                               defaults[static_cast<size_t>(typ)], tooltipDefaults);
    EXPECT_TRUE(at.has_value());
    return at.value_or(0);
}

void EditorTest::thenType(const char* cls, int nth, const std::string& text) {
    then([this, cls, nth, text] {
        HWND h = controlOfClass(editorWindow(canvas), cls, nth);
        if (!h) {
            ADD_FAILURE() << "no control " << nth << " of class " << cls;
            return;
        }
        SetWindowTextA(h, text.c_str());
    });
}

void EditorTest::closeWhenDone(const std::string& caption) { thenClick(caption); }

std::string writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<uint8_t> bmpBytes(int w, int h, uint32_t colour) {
    auto img = imaging::makeImage(w, h, colour | 0xFF000000u);
    return img ? imaging::encodeBmp(*img) : std::vector<uint8_t>{};
}

std::vector<uint8_t> icoBytes(int w, int h, uint32_t colour) {
    // One 32-bit entry: directory, BITMAPINFOHEADER of twice the height,
    // the colour rows bottom-up, then the AND mask (all opaque).
    const uint32_t maskRow = static_cast<uint32_t>(((w + 31) / 32) * 4);
    const uint32_t pixels = static_cast<uint32_t>(w * h * 4), mask = maskRow * static_cast<uint32_t>(h);
    const uint32_t size = 40 + pixels + mask;
    std::vector<uint8_t> b;
    auto u16 = [&](uint32_t v) { b.push_back(uint8_t(v)); b.push_back(uint8_t(v >> 8)); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    u16(0); u16(1); u16(1);
    b.push_back(uint8_t(w)); b.push_back(uint8_t(h)); b.push_back(0); b.push_back(0);
    u16(1); u16(32); u32(size); u32(22);
    u32(40); u32(static_cast<uint32_t>(w)); u32(static_cast<uint32_t>(2 * h)); u16(1); u16(32);
    u32(0); u32(pixels + mask); u32(0); u32(0); u32(0); u32(0);
    for (int i = 0; i < w * h; ++i) u32(colour | 0xFF000000u);
    b.insert(b.end(), mask, 0);
    return b;
}

} // namespace propertiestest

int main(int argc, char** argv) {
    if (const int code = wineharness::rerunWithUnmanagedWindows(); code != -1) return code;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
