// Recovery copies of unsaved work: written on a timer while the design is
// modified, removed when it no longer is or the designer ends cleanly,
// and offered at start-up when the designer that wrote one is gone.
#include "designer/shell/designer.h"

#include "designer/recovery/recovery_win.h"
#include "document/design_file.h"
#include "document/path_text.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

namespace {

// Anything that changes the design moves the revision or, for undo and
// redo, the place in the history.
uint64_t designState(const Design& design, const History& history) {
    return design.revision * 0x9E3779B97F4A7C15ull + history.position();
}

std::string fullPathOf(const std::string& name) {
    char full[MAX_PATH * 4];
    const DWORD n = GetFullPathNameA(name.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full, n) : name;
}

} // namespace

std::string Designer::recoveryFolder() const {
    return userDataFolder.empty() ? std::string() : userDataFolder + "recovery\\";
}

void Designer::keepRecoveryCopy() {
    if (recoveryFolder().empty() || !canvas) return;
    const uint32_t ms = tk::clock().now();
    const bool gestureRunning = gesture != Gesture::Idle || treeDragged != nullptr;
    switch (
        recoveryTimer.step({ms, design.modified, gestureRunning, designState(design, history)})) {
    case recovery::CopyTimer::Action::Write:
        recoveryTimer.written(writeRecoveryCopy(), ms);
        break;
    case recovery::CopyTimer::Action::Remove:
        dropRecoveryCopy();
        break;
    case recovery::CopyTimer::Action::None:
        break;
    }
}

bool Designer::writeRecoveryCopy() {
    const DesignBytes d = designBytes();
    if (!d.fault.empty()) return false;
    // The full path: a designer started in another folder restores it to
    // the same file.
    const recovery::RecoveryCopy copy{recovery::currentProcess(), recovery::systemTimeNow(),
                                      design.fileName == "New" ? std::string()
                                                               : fullPathOf(design.fileName),
                                      d.bytes};
    userDataFile("recovery"); // makes the user's folder when needed
    CreateDirectoryA(recoveryFolder().c_str(), nullptr);
    return writeFileAtomic(pathFromText(recoveryFolder() + recovery::copyFileName(copy.writer)),
                           recovery::writeCopy(copy));
}

bool Designer::writeRecoveryCopyNow() {
    if (recoveryFolder().empty() || !design.modified) return false;
    const uint32_t ms = tk::clock().now();
    recoveryTimer.forget();
    recoveryTimer.step({ms, true, false, designState(design, history)});
    const bool ok = writeRecoveryCopy();
    recoveryTimer.written(ok, ms);
    return ok;
}

void Designer::dropRecoveryCopy() {
    if (!recoveryTimer.onDisk()) return;
    DeleteFileA((recoveryFolder() + recovery::copyFileName(recovery::currentProcess())).c_str());
    recoveryTimer.removed();
}

void Designer::handOverRecoveryCopy(HANDLE nextDesigner) {
    if (!recoveryTimer.onDisk()) return;
    const auto next = recovery::processOfHandle(nextDesigner);
    if (!next) return; // it stays this process's, offered once this one is gone
    // Renamed in one step, so the copy always names a process that holds
    // the design: never offered while the new designer runs, and offered
    // if it ends before it writes a copy of its own.
    const std::string from = recoveryFolder() + recovery::copyFileName(recovery::currentProcess());
    const std::string to = recoveryFolder() + recovery::copyFileName(*next);
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) recoveryTimer.removed();
}

void Designer::startRecovery() {
    const std::string folder = recoveryFolder();
    if (folder.empty()) return;
    // A copy is kept up to date while a requester, a menu or an editor
    // holds the thread too, not only from the main loop.
    tk::setModalTick([] {
        if (Designer* d = activeDesigner()) d->keepRecoveryCopy();
    });
    if (handedOver) {
        // The copy the old designer handed over is this process's own now:
        // brought up to date at once, or gone when nothing is unsaved.
        recoveryTimer.adopt();
        if (design.modified)
            writeRecoveryCopyNow();
        else
            dropRecoveryCopy();
        return;
    }
    const std::vector<recovery::FoundCopy> found = recovery::scanFolder(folder);
    const recovery::OfferPlan plan =
        recovery::planOffers(found, recovery::currentProcess(), recovery::processAlive);
    for (size_t i : plan.unreadable)
        tk::MessageRequester("Error",
                             recovery::unreadableMessage(found[i].path, found[i].read.fault));
    for (size_t i : plan.offered) {
        const recovery::RecoveryCopy& copy = *found[i].read.copy;
        const int answer = tk::MessageRequester(
            "Info",
            recovery::restoreQuestion(
                copy.designName, recovery::localTimeOf(copy.writtenAt),
                found[i].fileSavedAt
                    ? std::optional(recovery::localTimeOf(*found[i].fileSavedAt))
                    : std::nullopt),
            tk::PB_MessageRequester_YesNo);
        // Only a clear No throws the work away.
        if (answer == IDNO) DeleteFileA(found[i].path.c_str());
        if (answer != IDYES) continue;
        if (restoreCopy(copy) && writeRecoveryCopyNow()) DeleteFileA(found[i].path.c_str());
        return;
    }
}

bool Designer::restoreCopy(const recovery::RecoveryCopy& copy) {
    const std::string name = copy.designName.empty() ? std::string("New") : copy.designName;
    clearDesign();
    const bool ok = readDesignBytes(copy.design, name, false);
    design.fileName = ok ? name : "New";
    design.modified = ok;
    rebuildTree();
    refreshTitle();
    return ok;
}

} // namespace zarnet::designer
