// Handing the design to another process through the backup file: the
// preview in the viewer, the restart, and the visual-style toggle that
// restarts with or without the manifest.
#include "designer/shell/designer.h"

#include "designer/canvas/canvas_build.h"
#include "designer/history/history_file.h"
#include "document/design_file.h"
#include "document/path_text.h"
#include "document/xp_manifest.h"
#include "toolkit/toolkit.h"

#include <shellapi.h>

#include <utility>

namespace zarnet::designer {

namespace {

// Two names of one file: the same text, or (for names that differ, say by
// drive letter or short form) the same file on disk.
bool sameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    if (lstrcmpiA(a.c_str(), b.c_str()) == 0) return true;
    auto identity = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
        HANDLE h =
            CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        const bool ok = GetFileInformationByHandle(h, &info) != 0;
        CloseHandle(h);
        return ok;
    };
    BY_HANDLE_FILE_INFORMATION x{}, y{};
    return identity(a, x) && identity(b, y) && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
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

bool Designer::writeBackup(std::string& why) {
    // Beside the program, unless that folder cannot be written (a read-only
    // install) or the user keeps a design under that very name there: then
    // in the user's own data folder, or else the temporary folder.
    const DesignBytes d = designBytes();
    backupFile.clear();
    if (!d.fault.empty()) {
        why = d.fault;
        return false;
    }
    why = "the design could not be written to\r" + programFolder + "backup";
    for (const std::string& path : backupCandidates()) {
        if (sameFile(path, design.fileName)) continue;
        if (!userDataFolder.empty() && path == userDataFolder + "backup")
            userDataFile("backup"); // the folder is made when first needed
        // The other process reads this file: it must read back as written.
        if (writeFileAtomic(pathFromText(path), d.bytes) &&
            readFileBytes(pathFromText(path)) == d.bytes) {
            backupFile = path;
            return true;
        }
    }
    return false;
}

void Designer::adoptHandedHistory() {
    const std::string file = std::exchange(handedHistory, std::string());
    const auto bytes = readFileBytes(pathFromText(file));
    DeleteFileA(file.c_str());
    auto handed = bytes ? readHistory(*bytes) : std::nullopt;
    if (!handed) return;
    // Taken only when it ends where the design it came with stands; the
    // numbers free for new items come from it, as the old designer had them.
    const Snapshot& held = handed->current();
    Snapshot now = history.current();
    now.numberPool = held.numberPool;
    now.poolCursor = held.poolCursor;
    if (!(now == held)) return;
    design.numberPool = held.numberPool;
    design.poolCursor = held.poolCursor;
    history = std::move(*handed);
    committedRevision = design.revision;
}

bool Designer::isOwnBackup(const std::string& path) const {
    for (const std::string& b : backupCandidates())
        if (sameFile(b, path)) return true;
    return false;
}

std::vector<std::string> Designer::backupCandidates() const {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    std::vector<std::string> candidates{programFolder + "backup"};
    if (!userDataFolder.empty()) candidates.push_back(userDataFolder + "backup");
    candidates.push_back(std::string(temp) + "zarnet-backup");
    return candidates;
}

void Designer::preview() {
    const bool modified = design.modified;
    std::string why;
    const bool written = writeBackup(why);
    design.modified = modified;
    if (!written) {
        tk::MessageRequester("Error", "Can't start the preview: " + why);
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
    return restartWith(false);
}

void Designer::toggleXpStyle() {
    restartWith(true);
}

bool Designer::restartWith(bool toggleManifest) {
    commitEdits(true);
    const bool modified = design.modified;
    std::string why;
    const bool written = writeBackup(why);
    design.modified = modified;
    if (!written) {
        tk::MessageRequester("Error", "Can't restart Zarnet: " + why);
        return false;
    }
    // The style changes only now that the design is safe in the backup,
    // and changes back if the new designer cannot be started.
    const auto manifest = pathFromText(designerManifest());
    // Only a toggle reads (and may have to put back) the manifest.
    const auto manifestBefore = toggleManifest ? readFileBytes(manifest) : std::nullopt;
    if (toggleManifest) {
        const bool toggled = manifestBefore ? DeleteFileA(designerManifest().c_str()) != 0
                                            : writeXpManifest(manifest);
        if (!toggled) {
            // A folder the user cannot write (Program Files): the style
            // stays and so does this designer, with its design.
            DeleteFileA(backupFile.c_str());
            tk::MessageRequester("Error", "Can't toggle the XP skin: the folder\r" + programFolder +
                                              "\rcannot be written.");
            return false;
        }
    }
    // No designer handler runs while this process ends.
    tk::SetWindowCallback(nullptr);
    writePreferences();
    const std::string parameters =
        inQuotes(backupFile) + " " +
        std::to_string(reinterpret_cast<uintptr_t>(canvas)) + " " + inQuotes(design.fileName) +
        " " + (design.modified ? "1" : "0");
    // The history goes with the design; without it the restart still goes
    // on, as it did before there was one.
    const std::string historyFile = backupFile + kHistorySuffix;
    writeFileAtomic(pathFromText(historyFile), writeHistory(history));
    HANDLE next = startProgram(programFile, parameters);
    if (!next) {
        // The design stays here, untouched, and this designer goes on.
        DeleteFileA(historyFile.c_str());
        DeleteFileA(backupFile.c_str());
        if (toggleManifest) {
            if (manifestBefore)
                writeFileAtomic(manifest, *manifestBefore);
            else
                DeleteFileA(designerManifest().c_str());
        }
        tk::SetWindowCallback(designerWindowProc);
        tk::MessageRequester("Error", "Can't restart Zarnet:\r" + programFile);
        return false;
    }
    handOverRecoveryCopy(next);
    CloseHandle(next);
    if (canvasDC) ReleaseDC(canvas, canvasDC);
    canvasDC = nullptr;
    ended = true;
    return true;
}

} // namespace zarnet::designer
