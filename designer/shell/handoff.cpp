// Handing the design to another process through the backup file: the
// preview in the viewer, the restart, and the visual-style toggle that
// restarts with or without the manifest.
#include "designer/shell/designer.h"

#include "designer/canvas/canvas_build.h"
#include "document/design_file.h"
#include "document/path_text.h"
#include "document/xp_manifest.h"
#include "toolkit/toolkit.h"

#include <shellapi.h>

namespace zarnet::designer {

namespace {

bool sameFile(const std::string& a, const std::string& b) {
    return !a.empty() && lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// Starts a program with these parameters; the process handle, or nullptr.
HANDLE startProgram(const std::string& program, const std::string& parameters) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) return nullptr;
    return info.hProcess;
}

std::string inQuotes(const std::string& s) { return "\"" + s + "\""; }

} // namespace

std::string Designer::designerManifest() const { return programFolder + "Zarnet.exe.manifest"; }
std::string Designer::viewerManifest() const { return programFolder + "Pelmo.exe.manifest"; }

bool Designer::writeBackup() {
    // Beside the program, unless that folder cannot be written (a read-only
    // install) or the user keeps a design under that very name there: then
    // in the temporary folder.
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string candidates[] = {programFolder + "backup", std::string(temp) + "zarnet-backup"};
    refreshModelFromCanvas(design);
    design.clientWidth = tk::WindowWidth(kCanvasWindow);
    design.clientHeight = tk::WindowHeight(kCanvasWindow);
    design.gridStep = gridSize;
    const auto bytes = writeDesign(design);
    for (const std::string& path : candidates) {
        if (sameFile(path, design.fileName)) continue;
        if (writeFileAtomic(pathFromText(path), bytes)) {
            backupFile = path;
            return true;
        }
    }
    backupFile.clear();
    return false;
}

void Designer::preview() {
    const bool modified = design.modified;
    const bool written = writeBackup();
    design.modified = modified;
    if (!written) {
        tk::MessageRequester("Error", "Can't write the preview file\r" + programFolder + "backup");
        return;
    }
    if (fileSizeOrMissing(pathFromText(designerManifest())) < 1) {
        if (fileSizeOrMissing(pathFromText(viewerManifest())) >= 1)
            DeleteFileA(viewerManifest().c_str());
    } else if (fileSizeOrMissing(pathFromText(viewerManifest())) < 0) {
        writeXpManifest(pathFromText(viewerManifest()));
    }
    if (prefs[PrefObjectManagerVisible] == 1) tk::HideWindow(kObjectManagerWindow, true);
    if (prefs[PrefLearnerMode] == 1) tk::HideWindow(kLearnerWindow, true);
    tk::HideWindow(kCanvasWindow, true);
    HANDLE viewer = startProgram(viewerProgram, inQuotes(backupFile));
    if (viewer) {
        DWORD code = STILL_ACTIVE;
        while (GetExitCodeProcess(viewer, &code) && code == STILL_ACTIVE)
            if (tk::WindowEvent() == 0) tk::clock().sleep(4);
        CloseHandle(viewer);
    }
    DeleteFileA(backupFile.c_str());
    if (prefs[PrefObjectManagerVisible] == 1) tk::HideWindow(kObjectManagerWindow, false);
    if (prefs[PrefLearnerMode] == 1) {
        tk::HideWindow(kLearnerWindow, false);
        showTip(8);
    }
    refreshTitle();
    tk::HideWindow(kCanvasWindow, false);
    tk::SetActiveWindow(kCanvasWindow);
    tk::UseGadgetList(canvas);
    if (!viewer) tk::MessageRequester("Error", "Can't start the preview:\r" + viewerProgram);
}

bool Designer::restart() {
    const bool modified = design.modified;
    const bool written = writeBackup();
    design.modified = modified;
    if (!written) {
        tk::MessageRequester("Error", "Can't restart Zarnet: the design could not be written to\r" +
                                          programFolder + "backup");
        return false;
    }
    // No designer handler runs while this process ends.
    tk::SetWindowCallback(nullptr);
    writePreferences();
    const std::string parameters =
        inQuotes(backupFile) + " " +
        std::to_string(reinterpret_cast<uintptr_t>(canvas)) + " " + inQuotes(design.fileName) +
        " " + (design.modified ? "1" : "0");
    HANDLE next = startProgram(programFile, parameters);
    if (!next) {
        // The design stays here, untouched, and this designer goes on.
        DeleteFileA(backupFile.c_str());
        tk::SetWindowCallback(designerWindowProc);
        tk::MessageRequester("Error", "Can't restart Zarnet:\r" + programFile);
        return false;
    }
    CloseHandle(next);
    if (canvasDC) ReleaseDC(canvas, canvasDC);
    canvasDC = nullptr;
    ended = true;
    return true;
}

void Designer::toggleXpStyle() {
    const std::string manifest = designerManifest();
    if (fileSizeOrMissing(pathFromText(manifest)) < 0)
        writeXpManifest(pathFromText(manifest));
    else
        DeleteFileA(manifest.c_str());
    restart();
}

} // namespace zarnet::designer
