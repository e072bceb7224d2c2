// A designer installed where the user cannot write (Program Files): its
// preferences and backups live in the user's own data folder, and the
// visual-style toggle says why it cannot act instead of restarting.
#include "designer_fixture.h"

#include "document/design_file.h"
#include "document/path_text.h"
#include "document/xp_manifest.h"

using namespace zarnet;
using namespace zarnet::designer;
using designertest::DesignerTest;
using designertest::exampleDesign;

namespace {

std::optional<Preferences> preferencesIn(const std::string& path) {
    const auto bytes = readFileBytes(pathFromText(path));
    if (!bytes) return std::nullopt;
    return parsePreferences(*bytes);
}

Preferences showingGrid(int shown) {
    Preferences p{1, 100, 120, 230, 500, 0, 60, 70, 400, 90, 1, 0, 30, 40};
    p[PrefShowGrid] = shown;
    return p;
}

class UserDataTest : public DesignerTest {
  protected:
    // The designer as installed in `program`, which need not exist (a
    // folder that cannot be written).
    void startIn(const std::string& program, std::vector<std::string> parameters = {}) {
        StartOptions o;
        o.parameters = std::move(parameters);
        o.programFolder = program;
        o.userDataFolder = userData();
        ASSERT_TRUE(d.start(o));
    }
    std::string installed() const { return folder + "installed\\"; }
};

} // namespace

TEST_F(UserDataTest, PreferencesBesideTheProgramFirstElseTheUsersOwn) {
    struct Case {
        const char* what;
        bool programWritable;
        int besideProgram, inUserFolder; // "Show Grid" stored there, -1 no file
        int shownAtStart;                // -1: a first run
        bool writtenBesideProgram;       // else in the user's folder
    };
    const Case cases[] = {
        {"portable copy keeps its own", true, 1, 0, 1, true},
        {"portable copy, first run", true, -1, -1, -1, true},
        {"installed, first run", false, -1, -1, -1, false},
        {"installed, later run", false, -1, 1, 1, false},
        {"writable folder, the user's file", true, -1, 1, 1, false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(installed());
        std::filesystem::remove_all(userData());
        const std::string beside = installed() + "preferences.zrp";
        const std::string own = userData() + "preferences.zrp";
        if (c.programWritable) CreateDirectoryA(installed().c_str(), nullptr);
        if (c.besideProgram >= 0)
            writeFileAtomic(pathFromText(beside),
                            serialisePreferences(showingGrid(c.besideProgram)));
        if (c.inUserFolder >= 0) {
            CreateDirectoryA(userData().c_str(), nullptr);
            writeFileAtomic(pathFromText(own), serialisePreferences(showingGrid(c.inUserFolder)));
        }
        startIn(installed());
        EXPECT_EQ(d.firstRun, c.shownAtStart < 0) << c.what;
        if (c.shownAtStart >= 0) {
            EXPECT_EQ(menuCheck(MenuShowGrid), c.shownAtStart) << c.what;
        }
        // The user changes the grid and ends the designer.
        const int shown = menuCheck(MenuShowGrid);
        d.menuCommand(MenuShowGrid);
        d.menuCommand(MenuExit);
        ASSERT_TRUE(d.ended) << c.what;
        const auto written = preferencesIn(c.writtenBesideProgram ? beside : own);
        ASSERT_TRUE(written) << c.what;
        EXPECT_EQ((*written)[PrefShowGrid], shown ? 0 : 1) << c.what;
        // The other place keeps what it had.
        const auto other = preferencesIn(c.writtenBesideProgram ? own : beside);
        const int otherBefore = c.writtenBesideProgram ? c.inUserFolder : c.besideProgram;
        EXPECT_EQ(other.has_value(), otherBefore >= 0) << c.what;
        if (other) {
            EXPECT_EQ((*other)[PrefShowGrid], otherBefore) << c.what;
        }
        d.shutdown();
        d = Designer{};
    }
}

TEST_F(UserDataTest, ToggleXpSkinInAFolderThatCannotBeWritten) {
    startIn(installed(), {exampleDesign()});
    d.design.modified = true;
    const auto before = writeDesign(d.design);
    const size_t shownBefore = requesters.shown.size();
    d.toggleXpStyle();
    // One message naming the folder; the designer goes on with its design.
    ASSERT_EQ(requesters.shown.size(), shownBefore + 1);
    EXPECT_EQ(requesters.shown.back().text,
              "Can't toggle the XP skin: the folder\r" + installed() + "\rcannot be written.");
    EXPECT_FALSE(d.ended);
    EXPECT_TRUE(d.design.modified);
    EXPECT_EQ(writeDesign(d.design), before);
    EXPECT_FALSE(d.xpStyle);
    EXPECT_TRUE(d.pass());
    // The backup taken first (in the user's folder) is gone again.
    EXPECT_EQ(d.backupFile, userData() + "backup");
    EXPECT_EQ(fileSizeOrMissing(pathFromText(d.backupFile)), -1);
    EXPECT_EQ(fileSizeOrMissing(pathFromText(installed() + "Zarnet.exe.manifest")), -1);
}
