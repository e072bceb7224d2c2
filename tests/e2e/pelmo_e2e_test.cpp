// Pelmo started as a user starts it, and checked from outside: its window,
// its controls against the design, its keys, its manifest switch and its
// messages.
#include "probe.h"

#include "document/catalogue.h"
#include "document/design_file.h"
#include "document/xp_manifest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <tuple>
#include <map>

namespace {

using namespace zarnet;

constexpr DWORD kStartMs = 60000; // a loaded machine has taken over 20 s
constexpr DWORD kExitMs = 10000;
const char kTitle[] = "Zarnet preview";
const char kExe[] = "Pelmo.exe";
// The manifest Pelmo writes: the one of this build's architecture.
const long long kManifest = static_cast<long long>(xpManifestText().size());
const char kQuestion[] =
    "Please drop a Zarnet file\ron the Pelmo icon.\r\rYou can also use commandline:\r"
    "Pelmo.exe design.zrf 0 (or 1 for XP style)\r\rDo you want to toggle Pelmo XP style now?";

std::string exampleDesign() {
    return probe::windowsPath(std::string(ZARNET_SOURCE_DIR) + "/examples/example.zrf");
}

long long sizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Each test gets its own copy of Pelmo in a folder whose name has a space,
// so the manifest beside it is the test's own and paths need quoting.
class Pelmo : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        dir = std::string(tmp) + "pelmo e2e " + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(dir.c_str(), nullptr);
        exe = dir + kExe;
        manifest = exe + ".manifest";
        ASSERT_TRUE(CopyFileA(probe::programPath(kExe).c_str(), exe.c_str(), FALSE));
        design = dir + "my design.zrf";
        ASSERT_TRUE(CopyFileA(exampleDesign().c_str(), design.c_str(), FALSE));
        DeleteFileA(manifest.c_str());
        probe::setWineUnmanagedWindows(kExe);
    }
    void TearDown() override {
        for (const std::string& f : {manifest, exe, design, dir + "short.zrf"})
            DeleteFileA(f.c_str());
        RemoveDirectoryA(dir.c_str());
        probe::clearWineSettings(kExe);
    }
    probe::Process start(const std::string& args) {
        return probe::Process(probe::quoted(exe) + (args.empty() ? "" : " " + args));
    }
    void makeManifest(long long size) {
        DeleteFileA(manifest.c_str());
        if (size < 0) return;
        std::ofstream f(manifest, std::ios::binary);
        if (size == kManifest)
            f << xpManifestText();
        else
            f << std::string(static_cast<size_t>(size), 'x');
    }
    // The viewer window of whichever Pelmo process shows it (a restarted
    // one is not the process we started).
    HWND waitForAnyViewer(DWORD timeoutMs) {
        for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
            HWND w = FindWindowA(nullptr, kTitle);
            if (w && IsWindowVisible(w)) return w;
            Sleep(50);
        }
        return nullptr;
    }
    std::string dir, exe, manifest, design;
};

TEST_F(Pelmo, ShowsTheDesignWithItsControls) {
    auto bytes = readFileBytes(std::string(ZARNET_SOURCE_DIR) + "/examples/example.zrf");
    ASSERT_TRUE(bytes);
    auto loaded = readDesign(*bytes);
    ASSERT_TRUE(loaded.design);
    const Design& d = *loaded.design;

    probe::Process p = start(probe::quoted(design));
    ASSERT_TRUE(p.started());
    HWND win = probe::waitForWindow(p.id(), kTitle, "", kStartMs);
    ASSERT_NE(win, nullptr);
    const RECT client = probe::clientRect(win);
    EXPECT_EQ(client.right - client.left, d.clientWidth);
    EXPECT_EQ(client.bottom - client.top, d.clientHeight);

    const std::map<int, std::string> classOf = {
        {TextGadget, "Static"},         {StringGadget, "Edit"},
        {CheckBoxGadget, "Button"},     {PanelGadget, "SysTabControl32"},
        {ContainerGadget, "ZarnetBox"}, {ButtonGadget, "Button"}};
    const auto children = probe::childWindows(win);
    for (const Item& it : d.items) {
        if (it.level != 0 || !it.isGadget()) continue;
        bool found = false;
        for (const probe::WindowInfo& c : children) {
            found = found || (c.className == classOf.at(it.typ) && c.rect.left == it.x &&
                              c.rect.top == it.y && c.rect.right - c.rect.left == it.w &&
                              c.rect.bottom - c.rect.top == it.h && c.visible);
        }
        EXPECT_TRUE(found) << it.name << " " << classOf.at(it.typ) << " at " << it.x << "," << it.y
                           << " " << it.w << "x" << it.h;
    }
    // Nested gadgets sit in their parents at their stored coordinates.
    HWND track = probe::findChild(win, "msctls_trackbar32", "");
    ASSERT_NE(track, nullptr);
    const probe::WindowInfo t = probe::describe(track);
    EXPECT_EQ(t.rect.left, 5);
    EXPECT_EQ(t.rect.top, 5);
    EXPECT_EQ(t.rect.right - t.rect.left, 105);
    EXPECT_NE(probe::findChild(win, "Button", "Second"), nullptr);
    EXPECT_NE(probe::findChild(win, "SysListView32", ""), nullptr);

    EXPECT_TRUE(probe::closeWindow(win));
    EXPECT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0));
}

// TAB walks the gadgets in list order, into a container and out again,
// whatever their places on the window; a panel's tab row is a stop before
// its page, and a splitter's gadgets come where the splitter stands, as
// the designer's tab-order badges number them: real keys through the X
// server.
TEST_F(Pelmo, TabFollowsTheListOrder) {
    auto field = [](int number, int x, int y, const char* text) {
        Item it = makeItem(StringGadget);
        it.number = static_cast<int16_t>(number);
        std::tie(it.x, it.y, it.w, it.h) = std::tuple(x, y, 100, 20);
        it.wtext = text;
        return it;
    };
    auto parent = [](int typ, int number, int x, int y) {
        Item it = makeItem(typ);
        it.number = static_cast<int16_t>(number);
        std::tie(it.x, it.y, it.w, it.h) = std::tuple(x, y, 150, 100);
        return it;
    };
    Item split = parent(SplitterGadget, 9, 320, 10);
    split.para1 = 6, split.para2 = 7;
    Design d;
    d.items = {field(0, 10, 100, "one"),
               parent(ContainerGadget, 1, 150, 10),
               field(2, 10, 10, "two"),
               makeCloseRecord(),
               field(3, 10, 10, "three"),
               parent(PanelGadget, 4, 10, 150),
               makeTabRecord(0, "A"),
               field(5, 5, 5, "four"),
               makeCloseRecord(),
               field(6, 0, 0, "five"),
               field(7, 0, 0, "six"),
               field(8, 200, 200, "seven"),
               split};
    d.nextNumber = 10;
    d.recomputeNesting();
    const std::string file = dir + "short.zrf";
    ASSERT_TRUE(writeFileAtomic(file, writeDesign(d)));
    probe::Process p = start(probe::quoted(file));
    HWND win = probe::waitForWindow(p.id(), kTitle, "", kStartMs);
    ASSERT_NE(win, nullptr);
    // A click on the window's empty part gives it the keyboard.
    POINT empty{600, 400};
    ClientToScreen(win, &empty);
    ASSERT_TRUE(probe::runShell("xdotool mousemove " + std::to_string(empty.x) + " " +
                                    std::to_string(empty.y) + " click 1",
                                kExitMs));
    auto focused = [&] {
        GUITHREADINFO info{sizeof info};
        GetGUIThreadInfo(GetWindowThreadProcessId(win, nullptr), &info);
        char text[32] = {};
        if (!info.hwndFocus) return std::string();
        GetClassNameA(info.hwndFocus, text, sizeof text);
        if (std::string(text) == "SysTabControl32") return std::string("tab row");
        // Another process's edit field answers only the message.
        SendMessageA(info.hwndFocus, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    const std::vector<std::string> cycle = {"one",  "two",   "three", "tab row",
                                            "four", "seven", "five",  "six"};
    std::vector<std::string> seen;
    for (size_t i = 0; i <= cycle.size(); ++i) {
        ASSERT_TRUE(probe::runShell("xdotool key Tab", kExitMs));
        Sleep(200);
        seen.push_back(focused());
    }
    ASSERT_TRUE(probe::runShell("xdotool key shift+Tab", kExitMs));
    Sleep(200);
    seen.push_back(focused());
    for (size_t i = 1; i < seen.size(); ++i) {
        const auto at = std::find(cycle.begin(), cycle.end(), seen[i - 1]);
        ASSERT_NE(at, cycle.end()) << "\"" << seen[i - 1] << "\" of " << seen.size();
        const size_t k = static_cast<size_t>(at - cycle.begin());
        const size_t next =
            i + 1 == seen.size() ? (k + cycle.size() - 1) % cycle.size() : (k + 1) % cycle.size();
        EXPECT_EQ(seen[i], cycle[next]) << "after " << seen[i - 1];
    }
    EXPECT_TRUE(probe::closeWindow(win));
    EXPECT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0));
}

TEST_F(Pelmo, EscapeEndsIt) {
    probe::Process p = start(probe::quoted(design));
    HWND win = probe::waitForWindow(p.id(), kTitle, "", kStartMs);
    ASSERT_NE(win, nullptr);
    SetForegroundWindow(win);
    // A real key through the X server, as a user's keyboard delivers it.
    EXPECT_TRUE(probe::runShell("xdotool key Escape", kExitMs));
    EXPECT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0));
}

TEST_F(Pelmo, StyleSwitchRestartsWithTheQuotedDesign) {
    struct Case {
        long long manifestBefore; // -1 none
        const char* style;
        long long manifestAfter;
    } cases[] = {{-1, "1", kManifest}, {5, "1", 5},           {kManifest, "0", -1},
                 {-1, "0", -1},        {kManifest, "XP", -1}, {0, "0", 0}};
    for (const Case& c : cases) {
        makeManifest(c.manifestBefore);
        probe::Process p = start(probe::quoted(design) + " " + c.style);
        ASSERT_TRUE(p.started());
        // The first process ends by itself; the restarted one shows the design,
        // which it only can when its single parameter kept the space-holding
        // path together.
        EXPECT_EQ(p.waitExit(kStartMs), std::optional<DWORD>(0)) << c.style;
        HWND win = waitForAnyViewer(kStartMs);
        ASSERT_NE(win, nullptr) << "style " << c.style << ": no restarted viewer";
        EXPECT_EQ(sizeOf(manifest), c.manifestAfter) << "style " << c.style;
        probe::closeWindow(win);
        EXPECT_TRUE(probe::waitUntilGone(win, kExitMs))
            << "style " << c.style << " manifest " << c.manifestBefore;
        p.kill();
    }
}

TEST_F(Pelmo, NoParameterAsksToToggle) {
    struct Case {
        long long before;
        int answer;
        long long after;
    } cases[] = {{-1, IDYES, kManifest},
                 {kManifest, IDYES, -1},
                 {0, IDYES, -1},
                 {-1, IDNO, -1},
                 {kManifest, IDNO, kManifest}};
    for (const Case& c : cases) {
        makeManifest(c.before);
        probe::Process p = start("");
        auto box = probe::waitForMessageBox(p.id(), kStartMs);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->title, "Info");
        EXPECT_EQ(box->text, kQuestion);
        EXPECT_TRUE(box->hasButton(IDYES) && box->hasButton(IDNO));
        EXPECT_TRUE(probe::answer(*box, c.answer));
        EXPECT_EQ(p.waitExitOrKill(kExitMs), std::optional<DWORD>(0));
        EXPECT_EQ(sizeOf(manifest), c.after) << c.before << " answered " << c.answer;
    }
}

TEST_F(Pelmo, UnreadableDesignsAreReportedByName) {
    {
        std::ofstream f(dir + "short.zrf", std::ios::binary);
        auto bytes = readFileBytes(std::string(ZARNET_SOURCE_DIR) + "/examples/example.zrf");
        f.write(reinterpret_cast<const char*>(bytes->data()), 200);
    }
    for (const std::string& file : {dir + "missing.zrf", dir + "short.zrf"}) {
        probe::Process p = start(probe::quoted(file));
        auto box = probe::waitForMessageBox(p.id(), kStartMs);
        ASSERT_TRUE(box) << file;
        EXPECT_EQ(box->title, "Error");
        EXPECT_NE(box->text.find(file), std::string::npos) << box->text;
        EXPECT_TRUE(probe::answer(*box, IDOK));
        EXPECT_TRUE(p.waitExit(kExitMs).has_value()) << file;
        EXPECT_EQ(FindWindowA(nullptr, kTitle), nullptr);
    }
}

} // namespace
