// Preview, restart and generation from the designer, in-process: the real
// Pelmo.exe is started for previews; requesters are scripted.
#include "designer_fixture.h"

#include "designer/history/history_file.h"

#include "designer/generate/constants.h"
#include "document/design_file.h"
#include "document/xp_manifest.h"

#include <fstream>

using namespace zarnet;
using namespace zarnet::designer;
using designertest::DesignerTest;
using designertest::exampleDesign;

namespace {

std::string pelmo() {
    return designertest::windowsPathIn("ZARNET_BUILD", "bin/Pelmo.exe");
}

long long sizeOf(const std::string& path) {
    return fileSizeOrMissing(path);
}

void makeFile(const std::string& path, long long size) {
    DeleteFileA(path.c_str());
    if (size < 0) return;
    std::ofstream f(path, std::ios::binary);
    f << std::string(static_cast<size_t>(size), 'x');
}

// Closes the viewer's window as soon as it shows, from another thread,
// while the designer waits for the viewer in its own loop.
struct ViewerCloser : designertest::WindowWatcher {
    ViewerCloser()
        : WindowWatcher([] { return FindWindowA(nullptr, "Zarnet preview"); },
                        [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); }) {}
};

std::string clipboard() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

} // namespace

TEST_F(DesignerTest, PreviewKeepsTheDesignAndSyncsTheViewerManifest) {
    ASSERT_TRUE(CopyFileA(pelmo().c_str(), (folder + "Pelmo.exe").c_str(), FALSE));
    start({exampleDesign()});
    d.design.modified = true;
    // Designer manifest (size or -1 missing), viewer manifest before, after.
    // The manifest this build writes: its size names its architecture.
    const long long m = static_cast<long long>(xpManifestText().size());
    struct Case {
        long long designer, viewerBefore, viewerAfter;
    } cases[] = {{m, -1, m}, {m, 5, 5}, {-1, m, -1}, {0, m, -1}, {-1, 0, 0}};
    for (const Case& c : cases) {
        makeFile(folder + "Zarnet.exe.manifest", c.designer);
        makeFile(folder + "Pelmo.exe.manifest", c.viewerBefore);
        ViewerCloser closer;
        d.preview();
        EXPECT_TRUE(closer.seen) << c.designer << "/" << c.viewerBefore;
        EXPECT_EQ(sizeOf(folder + "Pelmo.exe.manifest"), c.viewerAfter)
            << c.designer << "/" << c.viewerBefore;
        EXPECT_EQ(sizeOf(folder + "backup"), -1);
        EXPECT_EQ(title()[0], '*');
        EXPECT_TRUE(IsWindowVisible(d.canvas) && IsWindowVisible(d.objectManager));
    }
    EXPECT_EQ(tk::GetGadgetText(d.tipField), std::string(tipText(8)));
}

TEST_F(DesignerTest, PreviewWithoutAViewerOrAWritableFolder) {
    start({exampleDesign()});
    // No Pelmo.exe beside the designer: the windows come back, the backup
    // goes, and the message names the missing program.
    d.preview();
    EXPECT_EQ(requesters.shown.back().text, "Can't start the preview:\r" + folder + "Pelmo.exe");
    EXPECT_EQ(sizeOf(folder + "backup"), -1);
    EXPECT_TRUE(IsWindowVisible(d.canvas));
    // "backup" cannot be written beside the program (a folder holds the
    // name): the preview goes through the user's own folder, and when that
    // cannot be written either, through the temporary folder.
    ASSERT_TRUE(CopyFileA(pelmo().c_str(), (folder + "Pelmo.exe").c_str(), FALSE));
    CreateDirectoryA((folder + "backup").c_str(), nullptr);
    for (const char* where : {"user\\backup", "zarnet-backup"}) {
        ViewerCloser closer;
        d.preview();
        EXPECT_TRUE(closer.seen) << where;
        EXPECT_NE(d.backupFile.find(where), std::string::npos) << d.backupFile;
        EXPECT_EQ(sizeOf(d.backupFile), -1) << where;
        CreateDirectoryA((userData() + "backup").c_str(), nullptr);
    }
}

TEST_F(DesignerTest, RestartThatCannotStartKeepsTheDesigner) {
    zarnet::designer::StartOptions o;
    o.parameters = {exampleDesign()};
    o.programFolder = folder;
    o.programFile = folder + "missing.exe";
    ASSERT_TRUE(d.start(o));
    d.design.modified = true;
    const auto before = writeDesign(d.design);
    EXPECT_FALSE(d.restart());
    EXPECT_FALSE(d.ended);
    EXPECT_EQ(requesters.shown.back().text, "Can't restart Zarnet:\r" + folder + "missing.exe");
    EXPECT_EQ(sizeOf(folder + "backup"), -1);
    EXPECT_TRUE(d.design.modified);
    EXPECT_EQ(writeDesign(d.design), before);
    // The toggle fails to restart the same way and puts the manifest back
    // as it was: none, or the one there before.
    for (long long before : {-1LL, 5LL}) {
        makeFile(folder + "Zarnet.exe.manifest", before);
        d.toggleXpStyle();
        EXPECT_EQ(sizeOf(folder + "Zarnet.exe.manifest"), before);
        EXPECT_FALSE(d.ended);
    }
}

// A restart (ESC, the XP-style toggle) hands the history over with the
// design: the new designer undoes what the old one did.
TEST_F(DesignerTest, ARestartHandsOverTheHistory) {
    start({exampleDesign()});
    for (const char* name : {"First", "Second"}) {
        d.design.items[0].name = name;
        zarnet::noteEdit(d.design);
        d.commitEdits();
    }
    std::string why;
    ASSERT_TRUE(d.writeBackup(why)) << why;
    const std::string backup = d.backupFile, history = backup + ".history";
    ASSERT_TRUE(zarnet::writeFileAtomic(history, zarnet::designer::writeHistory(d.history)));
    const size_t steps = d.history.steps();
    d.shutdown();
    d = zarnet::designer::Designer{};
    start({backup, "0", exampleDesign(), "1"});
    EXPECT_EQ(sizeOf(history), -1) << "read and removed";
    ASSERT_EQ(d.history.steps(), steps);
    d.undo();
    EXPECT_EQ(d.design.items[0].name, "First");
    d.undo();
    EXPECT_FALSE(d.history.canUndo());
    EXPECT_FALSE(d.design.modified) << "back at the file's state";
}

TEST_F(DesignerTest, GenerationBesideTheSavedDesign) {
    const std::string design = folder + "form.zrf";
    ASSERT_TRUE(CopyFileA(exampleDesign().c_str(), design.c_str(), FALSE));
    start({design});
    // A never-saved design whose Save as is cancelled: nothing generated.
    d.design.fileName = "New";
    d.menuCommand(MenuFullSource);
    EXPECT_EQ(requesters.shown.back().text, "You have to save Zarnet file first!");
    d.design.fileName = design;

    requesters.files = {folder + "form"};
    requesters.inputs = {"Win1_"};
    d.menuCommand(MenuFullSource);
    EXPECT_EQ(requesters.shown.back().text, "Source has been generated.");
    const auto& asked = requesters.shown[requesters.shown.size() - 3];
    EXPECT_EQ(asked.title, "Save source (must be same path as design)");
    EXPECT_EQ(asked.defaultText, folder + "form.pb");
    EXPECT_EQ(asked.pattern, "PureBasic source (*.pb)|*.pb");
    const auto source = readFileBytes(folder + "form.pb");
    ASSERT_TRUE(source);
    EXPECT_NE(std::string(source->begin(), source->end()).find("#Win1_"), std::string::npos);
    EXPECT_GT(sizeOf(folder + "zarnet_include.pbi"), 0);

    // The overwrite question answered No leaves the source as it was.
    requesters.files = {folder + "form.pb"};
    requesters.answers = {IDNO};
    d.menuCommand(MenuFullSource);
    EXPECT_EQ(requesters.shown.back().title, "Warning");
    EXPECT_EQ(requesters.shown.back().text, "File exist. Do you want to overwrite?");
    EXPECT_EQ(readFileBytes(folder + "form.pb"), source);

    DeleteFileA((folder + "zarnet_include.pbi").c_str());
    d.menuCommand(MenuIncludeSource);
    EXPECT_EQ(requesters.shown.back().text, "Include source has been generated.");
    EXPECT_GT(sizeOf(folder + "zarnet_include.pbi"), 0);

    // The clipboard: the constants text with its prefix, offered again.
    requesters.inputs = {"P_"};
    d.menuCommand(MenuConstants);
    EXPECT_EQ(requesters.shown.back().defaultText, "Win1_");
    EXPECT_EQ(clipboard(), gen::clipboardText(d.design, "P_"));
    EXPECT_EQ(clipboard().find('\n'), std::string::npos);
    // Saving first rewrote the design unchanged.
    EXPECT_EQ(readFileBytes(design), readFileBytes(exampleDesign()));
}
