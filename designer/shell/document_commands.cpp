// New, Load, Save, Save as and Exit, the question that guards them, the
// design read onto the canvas and the preferences written at the end.
#include "designer/shell/designer.h"

#include "designer/canvas/canvas_build.h"
#include "designer/generate/include_writer.h"
#include "document/design_file.h"
#include "document/path_text.h"
#include "toolkit/toolkit.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

constexpr char kPattern[] = "Zarnet file (*.zrf)|*.zrf";

// A window as big as a damaged header asks for could not be shown.
int windowSize(int stored) { return std::clamp(stored, 0, 10000); }

} // namespace

void Designer::noteCanvasFit(int width, int height) {
    askedWidth = windowSize(width);
    askedHeight = windowSize(height);
    fittedWidth = tk::WindowWidth(kCanvasWindow);
    fittedHeight = tk::WindowHeight(kCanvasWindow);
}

void Designer::takeClientSize(Design& d) const {
    const int w = tk::WindowWidth(kCanvasWindow), h = tk::WindowHeight(kCanvasWindow);
    const bool asFitted = w == fittedWidth && h == fittedHeight;
    d.clientWidth = asFitted ? askedWidth : w;
    d.clientHeight = asFitted ? askedHeight : h;
}

namespace {

} // namespace

bool Designer::askToSave() {
    if (!design.modified) return true;
    const int answer =
        tk::MessageRequester("Info", "Save Zarnet now?", tk::PB_MessageRequester_YesNoCancel);
    if (answer == IDCANCEL) return false;
    if (answer == IDYES) {
        save();
        // A save that failed or was cancelled keeps the design; going on
        // would throw the unsaved changes away.
        if (design.modified) return false;
    }
    return true;
}

void Designer::clearDesign() {
    unmark(sel);
    gesture = Gesture::Idle;
    freeCanvas(design);
    freeDesignFonts(design);
    const int grid = design.gridStep;
    resetToNew(design);
    design.gridStep = grid;
    // Defaults that name a font entry named one of the old table; the next
    // design's table does not have it.
    for (TypeDefaults& t : typeDefaults)
        t.font = -1;
    tooltipDefaults.tfont = -1;
    rebuildTree();
    clearFields();
}

void Designer::newDesign() {
    if (!askToSave()) return;
    clearDesign();
    design.fileName = "New";
    design.modified = false;
    design.gWindow = 0;
    tk::ResizeWindow(kCanvasWindow, -1, -1, 640, 480);
    noteCanvasFit(640, 480);
    tk::SetActiveWindow(kCanvasWindow);
    resetHistory(true);
    refreshTitle();
}

void Designer::load() {
    if (!askToSave()) return;
    const std::string file = tk::OpenFileRequester("Load Zarnet", design.fileName, kPattern, 0);
    if (file.empty()) return;
    openDesign(file);
}

void Designer::openDesign(const std::string& fileName) {
    clearDesign();
    const bool loaded = loadFile(fileName, false);
    rebuildTree();
    resetHistory(true);
    refreshTitle();
    if (loaded) noteRecentDesign(fileName);
}

bool Designer::loadFile(const std::string& fileName, bool atStartUp) {
    const bool ok = readDesignFile(fileName, atStartUp);
    design.modified = false;
    return ok;
}

bool Designer::readDesignFile(const std::string& fileName, bool atStartUp) {
    return readDesignBytes(readFileBytes(pathFromText(fileName)), fileName, atStartUp);
}

bool Designer::readDesignBytes(const std::optional<std::vector<uint8_t>>& bytes,
                               const std::string& fileName, bool atStartUp) {
    std::string problem;
    std::optional<Design> loaded;
    if (bytes) {
        LoadResult r = readDesign(*bytes, Strictness::Editable);
        if (r.design)
            loaded = std::move(r.design);
        else
            problem = "\r\r" + fileName + "\roffset " + std::to_string(r.error.offset) + ": " +
                      r.error.what;
    }
    if (!loaded) {
        tk::MessageRequester("Error", "Can't open Zarnet!" + problem);
        if (atStartUp) openCanvas(640, 480, true);
        return false;
    }
    const std::string keepName = fileName;
    design = std::move(*loaded);
    design.fileName = keepName;
    const int step = clampGridStep(design.gridStep);
    loadDesignFonts(design);
    if (atStartUp) {
        gridSize = step;
        openCanvas(windowSize(design.clientWidth), windowSize(design.clientHeight), false);
        if (!canvas) return false;
        noteCanvasFit(design.clientWidth, design.clientHeight);
    } else {
        if (step != gridSize) {
            gridSize = step;
            rebuildGridBrush();
            applyGrid();
            syncGridButtons();
            tk::SetGadgetText(fields[FieldUserGrid], std::to_string(gridSize));
        }
        tk::ResizeWindow(kCanvasWindow, -1, -1, windowSize(design.clientWidth),
                         windowSize(design.clientHeight));
        noteCanvasFit(design.clientWidth, design.clientHeight);
        if (design.gWindow == 0 && !layoutEstablished)
            tk::ResizeWindow(kCanvasWindow, prefs[PrefCanvasX], prefs[PrefCanvasY], -1, -1);
    }
    buildCanvas(design, kCanvasWindow);
    return true;
}

std::string Designer::save() {
    if (design.fileName == "New") return saveAs();
    return saveTo(design.fileName) ? design.fileName : std::string();
}

std::string Designer::saveAs() {
    const std::string chosen = tk::SaveFileRequester("Save Zarnet", design.fileName, kPattern, 0);
    if (chosen.empty()) return {};
    const std::string name = withDesignExtension(chosen);
    const std::string previous = design.fileName;
    design.fileName = name;
    if (saveTo(name)) return name;
    design.fileName = previous;
    return {};
}

DesignBytes Designer::designBytes() {
    refreshModelFromCanvas(design);
    takeClientSize(design);
    design.gridStep = gridSize;
    DesignBytes out;
    try {
        out.bytes = writeDesign(design);
        // A design that would not read back is never written: the old file
        // stays, and so does the design in memory.
        const LoadResult back = readDesign(out.bytes, Strictness::Editable);
        if (!back.design)
            out.fault = "the design is damaged (offset " + std::to_string(back.error.offset) +
                        ": " + back.error.what + ")";
    } catch (const std::bad_alloc&) {
        out.fault = "there is not enough memory to write the design";
    }
    if (!out.fault.empty()) out.bytes.clear();
    return out;
}

bool Designer::saveTo(const std::string& fileName) {
    commitEdits(true);
    const DesignBytes d = designBytes();
    if (!d.fault.empty()) {
        tk::MessageRequester("Error", "Can't save Zarnet!\r\rNothing was written to\r" + fileName +
                                          "\rbecause " + d.fault + ".");
        refreshTitle();
        return false;
    }
    const auto path = pathFromText(fileName);
    // Written beside the target and renamed over it only when complete, so
    // a failure leaves the old file as it was.
    if (!writeFileAtomic(path, d.bytes)) {
        tk::MessageRequester("Error", "Can't save Zarnet!");
        refreshTitle();
        return false;
    }
    design.modified = false;
    history.markSaved();
    gen::maintainInclude(design, path);
    refreshTitle();
    noteRecentDesign(fileName);
    return true;
}

void Designer::writePreferences() {
    // A minimized canvas is remembered where it will be restored.
    prefs[PrefCanvasX] = tk::WindowX(kCanvasWindow);
    prefs[PrefCanvasY] = tk::WindowY(kCanvasWindow);
    RECT r;
    GetWindowRect(objectManager, &r);
    prefs[PrefObjectManagerX] = r.left;
    prefs[PrefObjectManagerY] = r.top;
    prefs[PrefObjectManagerWidth] = r.right - r.left;
    prefs[PrefObjectManagerHeight] = r.bottom - r.top;
    GetWindowRect(learner, &r);
    prefs[PrefLearnerX] = r.left;
    prefs[PrefLearnerY] = r.top;
    prefs[PrefLearnerWidth] = r.right - r.left;
    prefs[PrefLearnerHeight] = r.bottom - r.top;
    // A folder that cannot be written (a program installed for all users)
    // sends them to the user's own folder; if that fails too they are lost
    // silently.
    const auto bytes = serialisePreferences(prefs);
    if (writeFileAtomic(pathFromText(preferencesFile), bytes)) return;
    const std::string own = userDataFile(kPreferencesName);
    if (!own.empty() && writeFileAtomic(pathFromText(own), bytes)) preferencesFile = own;
}

void Designer::exit() {
    if (!askToSave()) return;
    if (canvasDC) ReleaseDC(canvas, canvasDC);
    canvasDC = nullptr;
    writePreferences();
    dropRecoveryCopy();
    ended = true;
}

} // namespace zarnet::designer
