// Menu 0's recent designs and templates in-process: which designs the list
// keeps and where its file lives, entries of files that are gone, the save
// question before either opens a design, and templates saved without
// overwriting one unasked.
#include "designer_fixture.h"

#include "document/catalogue.h"
#include "document/design_file.h"
#include "document/path_text.h"

using namespace zarnet;
using namespace zarnet::designer;
using designertest::DesignerTest;
using designertest::gadget;

namespace {

Design withButtons(int count, int width = 300) {
    Design d;
    d.clientWidth = width;
    d.clientHeight = 200;
    for (int i = 0; i < count; ++i) {
        d.items.push_back(gadget(ButtonGadget, i, 10, 10 + 30 * i));
        d.nextNumber = i + 1;
    }
    d.recomputeNesting();
    return d;
}

std::vector<std::string> listIn(const std::string& file) {
    const auto bytes = readFileBytes(pathFromText(file));
    return bytes ? parseRecentList(*bytes) : std::vector<std::string>{};
}

class DesignListsTest : public DesignerTest {
  protected:
    std::string write(const std::string& path, const Design& design) {
        EXPECT_TRUE(writeFileAtomic(pathFromText(path), writeDesign(design))) << path;
        return path;
    }
    // Entries as the menu shows them now: the paths and which are greyed.
    std::vector<bool> recentEnabled() {
        d.fillDesignLists();
        std::vector<bool> enabled;
        for (size_t i = 0; i < d.recentShown.size(); ++i)
            enabled.push_back(
                !(GetMenuState(d.recentMenu, MenuRecentFirst + i, MF_BYCOMMAND) & MF_GRAYED));
        return enabled;
    }
    size_t buttonsNow() const {
        size_t n = 0;
        for (const Item& it : d.design.items)
            n += it.typ == ButtonGadget ? 1 : 0;
        return n;
    }
};

TEST_F(DesignListsTest, OpenedAndSavedDesignsMostRecentFirst) {
    const std::string a = write(folder + "a.zrf", withButtons(1)),
                      b = write(folder + "b.zrf", withButtons(2)),
                      c = write(folder + "c.zrf", withButtons(3));
    start({a});
    const std::string list = folder + kRecentListName;
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> listed;
    } steps[] = {
        {"opened at start-up", [] {}, {a}},
        {"loaded",
         [&] {
             requesters.files = {b};
             d.load();
         },
         {b, a}},
        {"saved as",
         [&] {
             requesters.files = {folder + "d"};
             d.saveAs();
         },
         {folder + "d.zrf", b, a}},
        {"chosen from the list",
         [&] {
             d.fillDesignLists();
             d.menuCommand(MenuRecentFirst + 2);
         },
         {a, folder + "d.zrf", b}},
        {"a template saved is not a design opened",
         [&] {
             requesters.inputs = {"t"};
             d.menuCommand(MenuSaveTemplate);
         },
         {a, folder + "d.zrf", b}},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(listIn(list), s.listed) << s.what;
    }
    EXPECT_EQ(d.design.fileName, a);
    EXPECT_EQ(buttonsNow(), 1u);
    EXPECT_FALSE(d.history.canUndo()) << "opening is not an edit";

    // A file that is gone shows greyed, and leaves the list when it is
    // written next.
    DeleteFileA((folder + "d.zrf").c_str());
    EXPECT_EQ(recentEnabled(), (std::vector<bool>{true, false, true}));
    requesters.files = {c};
    d.load();
    EXPECT_EQ(listIn(list), (std::vector<std::string>{c, a, b}));

    // Gone between showing the menu and choosing: the design stays, the
    // user is told, and the list forgets it.
    d.fillDesignLists();
    DeleteFileA(a.c_str());
    const size_t shown = requesters.shown.size();
    d.menuCommand(MenuRecentFirst + 1);
    ASSERT_EQ(requesters.shown.size(), shown + 1);
    EXPECT_EQ(requesters.shown.back().title, "Error");
    EXPECT_EQ(d.design.fileName, c);
    EXPECT_EQ(buttonsNow(), 3u);
    EXPECT_EQ(listIn(list), (std::vector<std::string>{c, b}));
}

TEST_F(DesignListsTest, UnsavedChangesAreAskedAboutFirst) {
    const std::string a = write(folder + "a.zrf", withButtons(1)),
                      b = write(folder + "b.zrf", withButtons(2));
    CreateDirectoryA((folder + "templates").c_str(), nullptr);
    write(folder + "templates\\form.zrf", withButtons(4, 420));
    struct Case {
        const char* what;
        int command;
        int answer;
        size_t buttons;
        std::string name;
    } cases[] = {
        {"recent, cancelled", MenuRecentFirst + 1, IDCANCEL, 1, a},
        {"recent, not saved", MenuRecentFirst + 1, IDNO, 2, b},
        {"template, cancelled", MenuTemplateFirst, IDCANCEL, 1, a},
        {"template, not saved", MenuTemplateFirst, IDNO, 4, "New"},
    };
    for (const Case& c : cases) {
        write(folder + kRecentListName, Design{}); // not a list: ignored, then replaced
        start({b});
        requesters.files = {a};
        d.load();
        d.design.modified = true;
        d.fillDesignLists();
        ASSERT_EQ(d.recentShown, (std::vector<std::string>{a, b})) << c.what;
        ASSERT_EQ(d.templatesShown.size(), 1u) << c.what;
        requesters.answers = {c.answer};
        const size_t shown = requesters.shown.size();
        d.menuCommand(c.command);
        ASSERT_GT(requesters.shown.size(), shown) << c.what;
        EXPECT_EQ(requesters.shown[shown].text, "Save Zarnet now?") << c.what;
        EXPECT_EQ(buttonsNow(), c.buttons) << c.what;
        EXPECT_EQ(d.design.fileName, c.name) << c.what;
        EXPECT_EQ(d.design.modified, c.answer == IDCANCEL) << c.what;
        d.shutdown();
        d = Designer{};
    }
}

TEST_F(DesignListsTest, ATemplateOpensAsANewDesign) {
    CreateDirectoryA((folder + "templates").c_str(), nullptr);
    CreateDirectoryA(userData().c_str(), nullptr);
    CreateDirectoryA((userData() + "templates").c_str(), nullptr);
    const std::string shipped = write(folder + "templates\\Dialog.zrf", withButtons(2, 360));
    write(folder + "templates\\notes.txt", Design{});
    write(userData() + "templates\\Mine.zrf", withButtons(1));
    const auto templateBytes = readFileBytes(pathFromText(shipped));
    start();
    d.fillDesignLists();
    ASSERT_EQ(d.templatesShown,
              (std::vector<std::string>{shipped, userData() + "templates\\Mine.zrf"}));
    // The user's own come after a line: Dialog, -, Mine.
    EXPECT_EQ(GetMenuItemCount(d.templateMenu), 3);
    d.menuCommand(MenuTemplateFirst);
    EXPECT_EQ(buttonsNow(), 2u);
    EXPECT_EQ(d.design.fileName, "New");
    EXPECT_EQ(title(), canvasTitle(false, "New", 360, 200));
    EXPECT_FALSE(d.history.canUndo());
    // Save asks for a name; the template stays as it was and is no recent design.
    requesters.files = {folder + "mine"};
    d.save();
    EXPECT_EQ(requesters.shown.back().title, "Save Zarnet");
    EXPECT_EQ(d.design.fileName, folder + "mine.zrf");
    EXPECT_EQ(readFileBytes(pathFromText(shipped)), templateBytes);
    EXPECT_EQ(listIn(folder + kRecentListName), (std::vector<std::string>{folder + "mine.zrf"}));
}

TEST_F(DesignListsTest, SaveAsTemplateAsksBeforeReplacing) {
    start({write(folder + "form.zrf", withButtons(2))});
    const std::string made = userData() + "templates\\Login.zrf";
    struct Step {
        const char* what;
        std::vector<std::string> typed;
        std::deque<int> answers;
        size_t buttons;         // the design's when saved
        long long savedButtons; // in the template after, -1 none
        const char* suggestion; // what the name field offered
    } steps[] = {
        {"cancelled", {}, {}, 2, -1, "form"},
        {"not a file name", {"Log/in"}, {}, 2, -1, "form"},
        {"new", {" Login "}, {}, 2, 2, "form"},
        {"exists, kept", {"login"}, {IDNO}, 3, 2, "form"},
        {"exists, replaced", {"Login.zrf"}, {IDYES}, 3, 3, "form"},
    };
    for (const Step& s : steps) {
        if (buttonsNow() < s.buttons)
            d.rebuildAround([&] {
                d.design.items.push_back(gadget(ButtonGadget, d.design.takeNumber(), 100, 100));
                return true;
            });
        const bool modified = d.design.modified = s.buttons == 3;
        requesters.inputs = {s.typed.begin(), s.typed.end()};
        requesters.answers = s.answers;
        const size_t shown = requesters.shown.size();
        d.menuCommand(MenuSaveTemplate);
        ASSERT_GT(requesters.shown.size(), shown) << s.what;
        EXPECT_EQ(requesters.shown[shown].title, "Save as Template") << s.what;
        EXPECT_EQ(requesters.shown[shown].defaultText, s.suggestion) << s.what;
        const auto saved = readFileBytes(pathFromText(made));
        if (s.savedButtons < 0) {
            EXPECT_FALSE(saved) << s.what;
        } else {
            ASSERT_TRUE(saved) << s.what;
            const auto back = readDesign(*saved, Strictness::Strict);
            ASSERT_TRUE(back.design) << s.what;
            EXPECT_EQ(back.design->items.size(), static_cast<size_t>(s.savedButtons)) << s.what;
        }
        // The design keeps its own name and state.
        EXPECT_EQ(d.design.fileName, folder + "form.zrf") << s.what;
        EXPECT_EQ(d.design.modified, modified) << s.what;
    }
    d.fillDesignLists();
    EXPECT_EQ(d.templatesShown, (std::vector<std::string>{made}));
}

TEST_F(DesignListsTest, ListBesideThePreferencesElseTheUsersOwn) {
    const std::string a = write(folder + "a.zrf", withButtons(1));
    struct Case {
        const char* what;
        bool programWritable;
        std::string listAt;
    } cases[] = {
        {"portable copy", true, folder + "installed\\" + kRecentListName},
        {"installed where the user cannot write", false, userData() + kRecentListName},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(folder + "installed");
        std::filesystem::remove_all(userData());
        if (c.programWritable) CreateDirectoryA((folder + "installed").c_str(), nullptr);
        StartOptions o;
        o.parameters = {a};
        o.programFolder = folder + "installed\\";
        o.userDataFolder = userData();
        ASSERT_TRUE(d.start(o)) << c.what;
        EXPECT_EQ(listIn(c.listAt), (std::vector<std::string>{a})) << c.what;
        d.fillDesignLists();
        EXPECT_EQ(d.recentShown, (std::vector<std::string>{a})) << c.what;
        d.menuCommand(MenuExit);
        d.shutdown();
        d = Designer{};
    }
}

} // namespace

namespace {

// The templates shipped beside the program open as they are and would be
// saved unchanged: nothing in them is one the canvas moves or drops.
TEST_F(DesignListsTest, ShippedTemplatesOpenAndSaveUnchanged) {
    CreateDirectoryA((folder + "templates").c_str(), nullptr);
    const char* shipped[] = {"Dialog with OK and Cancel", "Main window with splitter",
                             "Settings with two tabs"};
    for (const char* name : shipped) {
        const std::string from = designertest::windowsPathIn(
            "ZARNET_SOURCE", std::string("examples/templates/") + name + ".zrf");
        ASSERT_TRUE(
            CopyFileA(from.c_str(), (folder + "templates\\" + name + ".zrf").c_str(), FALSE))
            << from;
    }
    start();
    d.fillDesignLists();
    ASSERT_EQ(d.templatesShown.size(), std::size(shipped));
    for (size_t i = 0; i < std::size(shipped); ++i) {
        d.menuCommand(MenuTemplateFirst + static_cast<int>(i));
        EXPECT_EQ(d.design.fileName, "New") << shipped[i];
        EXPECT_EQ(savedBytes(), readFileBytes(pathFromText(d.templatesShown[i])).value())
            << shipped[i];
    }
}

} // namespace
