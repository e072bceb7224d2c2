// Start-up: paths, preferences, the command line, the three windows, the
// menus and the wait for ESC to be released.
#include "designer/shell/designer.h"

#include "document/path_text.h"
#include "runtime/procedures.h"
#include "runtime/runtime.h"
#include "toolkit/toolkit.h"
#include "toolkit/images.h"

#include "designer/canvas/canvas_build.h"
#include "designer/canvas/live_gadget.h"
#include "document/design_file.h"
#include "document/xp_manifest.h"

#include <shlobj.h>

#include <algorithm>

namespace zarnet::designer {

namespace {

std::string stripQuotes(std::string s) {
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
    if (!s.empty() && s.front() == '"') return s.substr(1);
    return s;
}

std::string parameter(const std::vector<std::string>& p, size_t i) {
    return i < p.size() ? stripQuotes(p[i]) : std::string();
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Tool windows stored off the screen or too small to grab come back at
// their first-run place and size.
constexpr int kSmallestToolWindow = 40;

BOOL CALLBACK addMonitor(HMONITOR, HDC, LPRECT r, LPARAM out) {
    reinterpret_cast<std::vector<WindowRect>*>(out)->push_back(
        {r->left, r->top, r->right - r->left, r->bottom - r->top});
    return TRUE;
}

// Every monitor's rectangle on the virtual screen.
std::vector<WindowRect> monitorRects() {
    std::vector<WindowRect> out;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&out));
    if (out.empty())
        out.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    return out;
}

} // namespace

std::vector<std::string> commandLineParameters(const char* commandLine) {
    std::vector<std::string> out;
    std::string_view s = commandLine ? commandLine : "";
    size_t i = 0;
    bool first = true;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        if (i >= s.size()) break;
        std::string word;
        bool quoted = false;
        for (; i < s.size(); ++i) {
            const char c = s[i];
            if (c == '"') {
                quoted = !quoted;
                continue;
            }
            if (!quoted && (c == ' ' || c == '\t')) break;
            word += c;
        }
        if (!first) out.push_back(word);
        first = false;
    }
    return out;
}

std::string Designer::userDataFile(const char* name) const {
    if (userDataFolder.empty()) return {};
    CreateDirectoryA(userDataFolder.substr(0, userDataFolder.size() - 1).c_str(), nullptr);
    return userDataFolder + name;
}

bool Designer::start(const StartOptions& options) {
    activeDesigner() = this;
    waitForMessages = options.waitForMessages;
    registerRuntimeProcedures();
    InitCommonControls();

    // Paths beside the program.
    char buf[1024] = {};
    const DWORD n = GetModuleFileNameA(nullptr, buf, 1000);
    programFile = options.programFile.empty() ? std::string(buf, n) : options.programFile;
    programFolder = options.programFolder.empty() ? folderOf(std::string(buf, n)) : options.programFolder;
    if (!programFolder.empty() && programFolder.back() != '\\' && programFolder.back() != '/')
        programFolder += '\\';
    if (options.userDataFolder.empty()) {
        char appData[MAX_PATH] = {};
        if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData) == S_OK)
            userDataFolder = std::string(appData) + "\\Zarnet\\";
    } else {
        userDataFolder = options.userDataFolder;
        if (userDataFolder.back() != '\\' && userDataFolder.back() != '/') userDataFolder += '\\';
    }
    // Preferences beside the program come first (a portable copy keeps its
    // own); an installed program that cannot write there keeps them per user.
    preferencesFile = programFolder + kPreferencesName;
    if (!userDataFolder.empty() && fileSizeOrMissing(pathFromText(preferencesFile)) < 0 &&
        fileSizeOrMissing(pathFromText(userDataFolder + kPreferencesName)) >= 0)
        preferencesFile = userDataFolder + kPreferencesName;
    viewerProgram = programFolder + "Pelmo.exe";
    char temp[1001] = {};
    GetTempPathA(1000, temp);
    tempImageFile = std::string(temp) + "zrimage.bmp";

    fixedFont = CreateFontA(16, 10, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "FixedSys");
    markImage = tk::CreateImage(tk::PB_Any, 6, 6, RGB(0, 100, 0));

    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    if (auto bytes = readFileBytes(pathFromText(preferencesFile)))
        prefs = parsePreferences(*bytes);
    else
        firstRun = true;

    const std::string designFile = parameter(options.parameters, 0);
    if (designFile.empty()) {
        openCanvas(640, 480, false);
        design.fileName = "New";
    } else {
        std::vector<std::string> params;
        for (size_t i = 0; i < options.parameters.size(); ++i)
            params.push_back(parameter(options.parameters, i));
        if (isRestartCommandLine(params, isOwnBackup(designFile))) {
            const auto waitFor = decimalValue(params[1]);
            if (waitFor != 0) {
                HWND old = reinterpret_cast<HWND>(static_cast<intptr_t>(waitFor));
                while (::IsWindow(old))
                    tk::clock().sleep(4);
            }
            // A backup that does not load stays where it is, so the design
            // in it is not lost with it; the empty canvas then does not take
            // the design's name, so no save can put it over the real file.
            if (loadFile(designFile, true)) {
                handedOver = true;
                handedHistory = designFile + kHistorySuffix;
                DeleteFileA(designFile.c_str());
                design.fileName = params[2];
                design.modified = params[3] == "1";
            }
        } else {
            // A file the user opens; any further parameters (more files
            // dropped on the program) are not ours to act on.
            if (loadFile(designFile, true)) noteRecentDesign(designFile);
        }
    }
    if (!canvas) return false;
    refreshTitle();

    RECT outer;
    GetWindowRect(canvas, &outer);
    if (firstRun) {
        prefs = defaultPreferences(screenW, screenH);
        prefs[PrefCanvasX] = outer.left;
        prefs[PrefCanvasY] = outer.top;
    }

    systemMenu = GetSystemMenu(canvas, FALSE);
    canvasDC = GetDC(canvas);
    rebuildSystemMenu();

    tk::UseGadgetList(canvas);
    focusControl = tk::ButtonGadget(tk::PB_Any, 0, 0, 0, 0, "");
    seedTypeDefaults();

    if (designFile.empty()) gridSize = 10;

    openObjectManager();
    openLearner();

    rebuildGridBrush();
    applyGrid();
    syncGridButtons();
    tk::SetGadgetText(fields[FieldUserGrid], std::to_string(gridSize));
    clearFields();

    static constexpr std::pair<int, const char*> kAnchorTips[] = {
        {16, "Relative to window"},
        {17, "Relative to window"},
        {18, "Relative to window"},
        {19, "Relative to window"},
        {32, "Fixed position to the right border"},
        {33, "Fixed position to the bottom border"},
        {34, "Fixed horizontal border distance"},
        {35, "Fixed vertikal border distance"},
    };
    for (const auto& [field, text] : kAnchorTips) tk::GadgetToolTip(fields[field], text);

    tk::ResizeWindow(kObjectManagerWindow, prefs[PrefObjectManagerX], prefs[PrefObjectManagerY], -1,
                     -1);
    tk::ResizeWindow(kLearnerWindow, prefs[PrefLearnerX], prefs[PrefLearnerY], -1, -1);
    showTip(1);
    if (prefs[PrefObjectManagerVisible] == 1) tk::HideWindow(kObjectManagerWindow, false);
    if (prefs[PrefLearnerMode] == 1) tk::HideWindow(kLearnerWindow, false);
    tk::HideWindow(kCanvasWindow, false);

    decodeTypeIcons();
    rebuildTree();

    if (design.gWindow == 0) {
        // A canvas remembered off the current screen stays centred.
        const WindowRect stored{prefs[PrefCanvasX], prefs[PrefCanvasY], outer.right - outer.left,
                          outer.bottom - outer.top};
        if (!reachableWindow(stored, {}, monitorRects(), 1))
            tk::ResizeWindow(kCanvasWindow, prefs[PrefCanvasX], prefs[PrefCanvasY], -1, -1);
    }
    SetForegroundWindow(canvas);
    tk::SetActiveWindow(kCanvasWindow);
    tk::UseGadgetList(canvas);

    buildMenus();
    rebuildGridBrush();
    applyGrid();
    xpStyle = fileSizeOrMissing(pathFromText(designerManifest())) >= 1;
    tk::SetWindowCallback(designerWindowProc);
    // A press on a design scroll bar goes to the designer: the bar is
    // disabled until the next pass, so it does not act.
    setControlPressedHandler([](int gadget) {
        Designer* d = activeDesigner();
        if (!d) return;
        tk::DisableGadget(gadget, true);
        d->disabledControl = gadget;
    });
    layoutEstablished = true;
    startRecovery();
    // A design handed over by a restart, or restored from a recovery copy,
    // may already differ from its file.
    resetHistory(!design.modified);
    if (handedOver) adoptHandedHistory();

    tk::InputSource& in = tk::input();
    in.asyncKeyState(VK_ESCAPE);
    while (in.asyncKeyState(VK_ESCAPE) != 0)
        if (tk::WindowEvent() == 0) tk::clock().sleep(4);
    return true;
}

void Designer::openCanvas(int clientWidth, int clientHeight, bool errorWindow) {
    // The canvas opened after a design failed to load is shown at once and
    // has no minimize button; the normal one opens invisible.
    const uint32_t flags = errorWindow
                               ? tk::PB_Window_ScreenCentered | tk::PB_Window_SystemMenu |
                                     tk::PB_Window_TitleBar | tk::PB_Window_SizeGadget
                               : tk::PB_Window_ScreenCentered | tk::PB_Window_SystemMenu |
                                     tk::PB_Window_MinimizeGadget | tk::PB_Window_SizeGadget |
                                     tk::PB_Window_Invisible;
    if (!tk::OpenWindow(kCanvasWindow, 0, 0, clientWidth, clientHeight, "", flags)) return;
    canvas = tk::WindowID(kCanvasWindow);
}

HWND Designer::openToolWindow(int window, int firstPref, WindowRect fallback, const char* title) {
    int& x = prefs[firstPref];
    int& y = prefs[firstPref + 1];
    int& w = prefs[firstPref + 2];
    int& h = prefs[firstPref + 3];
    bool restore = !firstRun;
    if (restore) {
        if (auto r = reachableWindow({x, y, w, h}, fallback, monitorRects(), kSmallestToolWindow)) {
            x = r->x;
            y = r->y;
            w = r->w;
            h = r->h;
            restore = false;
        }
    }
    // Opened beyond the screen's right edge, placed once start-up is done;
    // a first run's sizes are inner sizes, a later run's the stored outer
    // rectangle.
    const uint32_t flags = tk::PB_Window_SystemMenu | tk::PB_Window_SizeGadget |
                           tk::PB_Window_TitleBar | tk::PB_Window_Invisible;
    tk::OpenWindow(window, GetSystemMetrics(SM_CXSCREEN), y, w, h, title, flags, canvas);
    HWND hwnd = tk::WindowID(window);
    SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    if (restore) SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER);
    return hwnd;
}

void Designer::openObjectManager() {
    const WindowRect fallback{GetSystemMetrics(SM_CXSCREEN) - 300, 150, kObjectManagerDefaultWidth,
                        kObjectManagerDefaultHeight};
    objectManager =
        openToolWindow(kObjectManagerWindow, PrefObjectManagerX, fallback, " Object Manager");
    openFindField();
    tree = tk::TreeGadget(tk::PB_Any, 0, 0, prefs[PrefObjectManagerWidth],
                          prefs[PrefObjectManagerHeight] - 269, tk::PB_Tree_AlwaysShowSelection);
    HWND treeHwnd = tk::GadgetID(tree);
    SetWindowLongA(treeHwnd, GWL_STYLE, GetWindowLongA(treeHwnd, GWL_STYLE) | TVS_NONEVENHEIGHT);
    fields.fill(0);
    ZarnetCompact(fieldPanelLayout(), fields, 0, 0);
    layoutObjectManager();
    // Entries can be dragged (to reorder them) whatever the tree started with.
    SetWindowLongA(treeHwnd, GWL_STYLE, GetWindowLongA(treeHwnd, GWL_STYLE) & ~TVS_DISABLEDRAGDROP);
    SendMessageA(treeHwnd, TVM_SETITEMHEIGHT, 18, 0);
}

void Designer::openLearner() {
    const WindowRect fallback{50, GetSystemMetrics(SM_CYSCREEN) - 200, kLearnerDefaultWidth,
                        kLearnerDefaultHeight};
    learner = openToolWindow(kLearnerWindow, PrefLearnerX, fallback, " Learner");
    tipField = tk::StringGadget(tk::PB_Any, 0, 0, prefs[PrefLearnerWidth], prefs[PrefLearnerHeight],
                                "Zarnet", tk::PB_String_MultiLine | tk::PB_String_ReadOnly);
    HWND field = tk::GadgetID(tipField);
    // Read-only, multi-line, with a vertical scroll bar.
    SetWindowLongA(field, GWL_STYLE,
                   GetWindowLongA(field, GWL_STYLE) | WS_VSCROLL | ES_AUTOVSCROLL | ES_READONLY);
    SetWindowPos(field, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    layoutLearner();
}

} // namespace zarnet::designer
