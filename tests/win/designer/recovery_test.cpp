// Recovery copies in-process: the copy follows the design on the scripted
// clock, goes when the design is clean, and is offered, restored, thrown
// away or reported at the next start.
#include "designer_fixture.h"

#include "designer/recovery/recovery_win.h"
#include "document/design_file.h"
#include "document/example_design.h"
#include "document/path_text.h"
#include "document/xp_manifest.h"

using namespace zarnet;
using namespace zarnet::designer;
using namespace zarnet::recovery;
using designertest::DesignerTest;
using designertest::exampleDesign;

namespace {

struct ScriptedClock : tk::Clock {
    uint32_t now() override { return ms; }
    void sleep(uint32_t n) override { ms += n; }
    uint32_t ms = 1000;
};

// A process that is alive (a copy of this program, started suspended)
// until the object goes.
struct LiveProcess {
    PROCESS_INFORMATION info{};
    LiveProcess() {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        CreateProcessA(self, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                       &si, &info);
    }
    ~LiveProcess() {
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    ProcessIdentity identity() const {
        FILETIME c, e, k, u;
        GetProcessTimes(info.hProcess, &c, &e, &k, &u);
        return {info.dwProcessId, (uint64_t(c.dwHighDateTime) << 32) | c.dwLowDateTime};
    }
};

class RecoveryTest : public DesignerTest {
  protected:
    void SetUp() override {
        DesignerTest::SetUp();
        tk::setClock(&clock);
        design = folder + "form.zrf";
        ASSERT_TRUE(CopyFileA(exampleDesign().c_str(), design.c_str(), FALSE));
    }
    void TearDown() override {
        DesignerTest::TearDown();
        tk::setClock(nullptr);
    }
    std::string recoveryFolder() const { return userData() + "recovery\\"; }
    std::string ownCopy() const { return recoveryFolder() + copyFileName(currentProcess()); }
    std::optional<RecoveryCopy> copyIn(const std::string& path) {
        const auto bytes = readFileBytes(pathFromText(path));
        return bytes ? readCopy(*bytes).copy : std::nullopt;
    }
    bool exists(const std::string& path) { return fileSizeOrMissing(pathFromText(path)) >= 0; }
    void edit() {
        d.menuPosition = {200 + 3 * int(d.design.items.size() % 20), 240};
        d.menuCommand(ButtonGadget);
        d.commitEdits();
        ASSERT_TRUE(d.design.modified);
    }
    void later(uint32_t ms) {
        clock.ms += ms;
        d.pass();
    }
    // A copy made by a designer that is gone, in the folder the next start
    // looks in.
    std::vector<uint8_t> placeCopy(const std::string& name, ProcessIdentity writer,
                                   uint64_t writtenAt = 0x01DA000000000000ull) {
        Design made = zarnet::makeExampleDesign();
        made.items.pop_back();
        const RecoveryCopy c{writer, writtenAt, name, writeDesign(made)};
        CreateDirectoryA(userData().c_str(), nullptr);
        CreateDirectoryA(recoveryFolder().c_str(), nullptr);
        EXPECT_TRUE(
            writeFileAtomic(pathFromText(recoveryFolder() + copyFileName(writer)), writeCopy(c)));
        return c.design;
    }
    ScriptedClock clock;
    std::string design;
};

// Process ids that no process has: a designer that ended.
constexpr ProcessIdentity kEnded{0x7FFFFFF0u, 1}, kEndedToo{0x7FFFFFE0u, 2};

} // namespace

TEST_F(RecoveryTest, CopyFollowsTheDesignOnTheTimerButNotDuringADrag) {
    start({design});
    SetForegroundWindow(d.canvas);
    edit();
    d.pass();
    EXPECT_FALSE(exists(ownCopy())) << "written before the delay";
    later(CopyTimer::kQuietMs);
    auto copy = copyIn(ownCopy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->designName, design);
    EXPECT_EQ(copy->writer, currentProcess());
    EXPECT_EQ(copy->design, d.designBytes().bytes);

    // A drag held for longer than the latest write: the copy keeps the
    // state before it, then follows once the button is let go.
    const size_t item = d.design.items.size() - 1;
    const std::vector<uint8_t> before = copy->design;
    input.moveTo(on(item));
    input.press(VK_LBUTTON);
    passes(3);
    input.moveTo(on(item, 40, 30));
    passes(2);
    ASSERT_EQ(d.gesture, Designer::Gesture::Moving);
    later(CopyTimer::kLatestMs + 5000);
    later(CopyTimer::kLatestMs + 5000);
    EXPECT_EQ(copyIn(ownCopy())->design, before);
    input.release(VK_LBUTTON);
    passes(2);
    later(CopyTimer::kQuietMs);
    copy = copyIn(ownCopy());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy->design, before);
    EXPECT_EQ(copy->design, d.designBytes().bytes);
}

TEST_F(RecoveryTest, CleanStatesRemoveTheCopy) {
    struct Case {
        const char* what;
        std::function<void()> clean;
    };
    const Case cases[] = {
        {"save", [&] { d.menuCommand(MenuSave); }},
        {"undone to the saved state", [&] { d.undo(); }},
        {"New after No",
         [&] {
             requesters.answers = {IDNO};
             d.menuCommand(MenuNew);
         }},
        {"Load after No",
         [&] {
             requesters.answers = {IDNO};
             requesters.files = {design};
             d.menuCommand(MenuLoad);
         }},
        {"Exit after No",
         [&] {
             requesters.answers = {IDNO};
             d.menuCommand(MenuExit);
         }},
    };
    start({design});
    SetForegroundWindow(d.canvas);
    for (const Case& c : cases) {
        edit();
        d.pass();
        later(CopyTimer::kQuietMs);
        ASSERT_TRUE(exists(ownCopy())) << c.what;
        c.clean();
        d.pass();
        EXPECT_FALSE(exists(ownCopy())) << c.what;
        if (d.ended) break;
    }
    EXPECT_TRUE(d.ended);
}

TEST_F(RecoveryTest, StartOffersCopiesOfEndedDesigners) {
    enum class Then { Restored, Deleted, Kept };
    struct Case {
        const char* what;
        std::string name; // the design the copy belongs to
        bool live, damaged;
        std::deque<int> answers;
        Then then;
        bool stale = false; // written before its design's file was saved
    };
    const Case cases[] = {
        {"Yes restores a saved design's changes", design, false, false, {IDYES}, Then::Restored},
        {"Yes restores an untitled design", "", false, false, {IDYES}, Then::Restored},
        {"No deletes", design, false, false, {IDNO}, Then::Deleted},
        {"a damaged copy is reported and kept", design, false, true, {}, Then::Kept},
        {"a running designer's copy is left alone", design, true, false, {IDYES}, Then::Kept},
        {"a copy older than its file is not offered", design, false, false, {IDYES}, Then::Kept,
         true},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(userData());
        LiveProcess running;
        const ProcessIdentity writer = c.live ? running.identity() : kEnded;
        const std::vector<uint8_t> held =
            placeCopy(c.name, writer, c.stale ? 0x01DA000000000000ull : systemTimeNow());
        const std::string path = recoveryFolder() + copyFileName(writer);
        if (c.damaged) {
            auto bytes = *readFileBytes(pathFromText(path));
            bytes.resize(bytes.size() / 2);
            writeFileAtomic(pathFromText(path), bytes);
        }
        requesters.shown.clear();
        requesters.answers = c.answers;
        start({design});
        if (c.damaged) {
            ASSERT_EQ(requesters.shown.size(), 1u) << c.what;
            EXPECT_EQ(requesters.shown[0].title, "Error") << c.what;
            EXPECT_NE(requesters.shown[0].text.find(path), std::string::npos) << c.what;
        } else if (c.live || c.stale) {
            EXPECT_TRUE(requesters.shown.empty()) << c.what;
        } else {
            ASSERT_EQ(requesters.shown.size(), 1u) << c.what;
            EXPECT_EQ(requesters.shown[0].title, "Info");
            const std::string shownName = c.name.empty() ? "untitled" : c.name;
            const std::string asked = "Zarnet found unsaved changes to " + shownName + " from ";
            EXPECT_EQ(requesters.shown[0].text.substr(0, asked.size()), asked) << c.what;
        }
        EXPECT_EQ(exists(path), c.then == Then::Kept) << c.what;
        if (c.then == Then::Restored) {
            EXPECT_EQ(d.designBytes().bytes, held) << c.what;
            EXPECT_TRUE(d.design.modified) << c.what;
            EXPECT_EQ(d.design.fileName, c.name.empty() ? "New" : c.name) << c.what;
            EXPECT_EQ(title()[0], '*') << c.what;
            // This process holds the work now, in a copy of its own.
            const auto own = copyIn(ownCopy());
            ASSERT_TRUE(own) << c.what;
            EXPECT_EQ(own->design, held) << c.what;
        } else {
            EXPECT_FALSE(d.design.modified) << c.what;
            EXPECT_EQ(d.design.fileName, design) << c.what;
        }
        d.shutdown();
        d = Designer{};
    }
}

TEST_F(RecoveryTest, OneRestorePerStartAndNoneOnARestart) {
    placeCopy(design, kEnded, 0x01DA000000000001ull);
    const auto newer = placeCopy("", kEndedToo, 0x01DA000000000002ull);
    requesters.answers = {IDYES, IDYES};
    start({design});
    // The newest is asked for first; after a Yes nothing more is offered.
    ASSERT_EQ(requesters.shown.size(), 1u);
    EXPECT_NE(requesters.shown[0].text.find("untitled"), std::string::npos);
    EXPECT_EQ(d.designBytes().bytes, newer);
    EXPECT_TRUE(exists(recoveryFolder() + copyFileName(kEnded)));
    EXPECT_FALSE(exists(recoveryFolder() + copyFileName(kEndedToo)));
    d.shutdown();
    d = Designer{};

    // A designer started by a restart takes over its design, modified, and
    // offers nothing: it writes its own copy at once.
    ASSERT_TRUE(CopyFileA(design.c_str(), (folder + "backup").c_str(), FALSE));
    requesters.shown.clear();
    start({folder + "backup", "0", design, "1"});
    EXPECT_TRUE(requesters.shown.empty());
    EXPECT_TRUE(exists(recoveryFolder() + copyFileName(kEnded)));
    const auto own = copyIn(ownCopy());
    ASSERT_TRUE(own);
    EXPECT_EQ(own->designName, design);
}
