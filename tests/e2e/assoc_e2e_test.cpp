// zarnet-assoc started as a process under Wine, its message boxes answered
// by clicking their buttons, and Wine's real registry read afterwards.
#include "probe.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartMs = 20000; // the first start in a fresh prefix is slow
constexpr DWORD kExitMs = 10000;

const char kQuestionTitle[] = "Make Zarnet files loading faster";
const char kQuestionText[] = "Do you want to associate *.zrf file\rwith Zarnet.exe?";
const char kDoneTitle[] = "OK!";
const char kDoneText[] = "Now you can doubleclick on *.zrf files\rto open them with Zarnet";

struct Place {
    HKEY root;
    const char* key;
    const char* value; // nullptr: default value
};
const Place kUserCommand{HKEY_CLASSES_ROOT, "Applications\\Zarnet.exe\\shell\\open\\command",
                         nullptr};
const Place kUserExtension{HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.zrf",
                           "Application"};
const Place kMachineCommand{HKEY_LOCAL_MACHINE,
                            "Software\\Classes\\Zarnet.exe\\shell\\open\\command", nullptr};
const Place kMachineExtension{HKEY_LOCAL_MACHINE, "Software\\CLASSES\\.zrf", nullptr};

// The topmost keys the tool can create, removed before and after each test
// so runs do not see each other's entries.
const Place kCreatedTrees[] = {
    {HKEY_CLASSES_ROOT, "Applications\\Zarnet.exe", nullptr},
    {HKEY_CURRENT_USER, kUserExtension.key, nullptr},
    {HKEY_LOCAL_MACHINE, "Software\\Classes\\Zarnet.exe", nullptr},
    {HKEY_LOCAL_MACHINE, kMachineExtension.key, nullptr},
};
const char kExe[] = "zarnet-assoc.exe";

probe::RegistryValue regSz(const std::string& text) {
    probe::RegistryValue v;
    v.type = REG_SZ;
    v.data.assign(text.begin(), text.end());
    v.data.push_back(0); // the size counts the terminating zero
    return v;
}

std::optional<probe::RegistryValue> read(const Place& p) {
    return probe::readRegistryValue(p.root, p.key, p.value);
}

std::string printable(const std::optional<probe::RegistryValue>& v) {
    if (!v) return "(missing)";
    std::string s = "type " + std::to_string(v->type) + " [";
    for (unsigned char c : v->data) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        s += c >= 32 && c < 127 ? std::string(1, char(c)) : std::string(hex);
    }
    return s + "]";
}

class AssocTool : public ::testing::Test {
  protected:
    void SetUp() override { prepare(nullptr); }
    void TearDown() override {
        cleanEntries();
        probe::clearWineSettings(kExe);
    }

    static void cleanEntries() {
        for (const Place& p : kCreatedTrees) {
            ASSERT_TRUE(probe::deleteRegistryTree(p.root, p.key)) << p.key;
        }
    }

    // No entries of the tool; Wine's settings for it as given (a Windows
    // version, or Wine's default when nullptr).
    static void prepare(const char* windowsVersion) {
        cleanEntries();
        ASSERT_TRUE(probe::clearWineSettings(kExe));
        ASSERT_TRUE(probe::setWineUnmanagedWindows(kExe));
        if (windowsVersion != nullptr) {
            ASSERT_TRUE(probe::setWineWindowsVersion(kExe, windowsVersion));
        }
    }

    static void expectNothingOf(const std::vector<Place>& places) {
        for (const Place& p : places) {
            EXPECT_FALSE(probe::registryKeyExists(p.root, p.key)) << p.key;
        }
    }

    // Starts the tool and checks its question.
    static probe::MessageBoxInfo startAndAsk(probe::Process& tool, const std::string& path) {
        tool = probe::Process(probe::quoted(path));
        EXPECT_TRUE(tool.started()) << path << " error " << tool.startError();
        auto box = probe::waitForMessageBox(tool.id(), kStartMs);
        if (!box) {
            ADD_FAILURE() << "no question from " << path;
            return {};
        }
        EXPECT_EQ(box->title, kQuestionTitle);
        EXPECT_EQ(box->text, kQuestionText);
        EXPECT_EQ(box->buttons.size(), 2u);
        EXPECT_TRUE(box->hasButton(IDYES));
        EXPECT_TRUE(box->hasButton(IDNO));
        return *box;
    }
};

TEST_F(AssocTool, AnsweringNoWritesNothingAndEnds) {
    probe::Process tool;
    const auto question = startAndAsk(tool, probe::programPath(kExe));
    ASSERT_NE(question.hwnd, nullptr);
    ASSERT_TRUE(probe::answer(question, IDNO));
    // A second message would hold the process open: it must end by itself.
    EXPECT_EQ(tool.waitExitOrKill(kExitMs), std::optional<DWORD>(0));
    expectNothingOf({kUserCommand, kUserExtension, kMachineCommand, kMachineExtension});
}

TEST_F(AssocTool, AnsweringYesWritesTheBranchEntriesExactly) {
    // The tool as built, a copy in a folder whose name has a space (started
    // from a quoted path), and the tool on the older platform line.
    struct Case {
        const char* name;
        bool spacedCopy;
        const char* windowsVersion; // nullptr: Wine's default (NT line)
        bool machineWide;
    };
    const Case cases[] = {
        {"as built", false, nullptr, false},
        {"quoted path with a space", true, nullptr, false},
        {"Windows 98", false, "win98", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(c.windowsVersion);
        std::string folder = probe::programFolder();
        if (c.spacedCopy) {
            char temp[MAX_PATH] = {};
            ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
            folder = std::string(temp) + "zarnet assoc e2e\\";
            CreateDirectoryA(folder.c_str(), nullptr);
            ASSERT_TRUE(
                CopyFileA(probe::programPath(kExe).c_str(), (folder + kExe).c_str(), FALSE));
        }

        probe::Process tool;
        const auto question = startAndAsk(tool, folder + kExe);
        ASSERT_NE(question.hwnd, nullptr);
        ASSERT_TRUE(probe::answer(question, IDYES));
        const auto done = probe::waitForMessageBox(tool.id(), kExitMs);
        ASSERT_TRUE(done.has_value());
        EXPECT_EQ(done->title, kDoneTitle);
        EXPECT_EQ(done->text, kDoneText);
        EXPECT_EQ(done->buttons.size(), 1u);
        ASSERT_TRUE(probe::answer(*done, IDOK));
        EXPECT_EQ(tool.waitExitOrKill(kExitMs), std::optional<DWORD>(0));

        const std::string command = "\"" + folder + "Zarnet.exe\" \"%1\"";
        const Place& commandPlace = c.machineWide ? kMachineCommand : kUserCommand;
        const Place& extensionPlace = c.machineWide ? kMachineExtension : kUserExtension;
        EXPECT_EQ(read(commandPlace), regSz(command)) << printable(read(commandPlace));
        EXPECT_EQ(read(extensionPlace), regSz("Zarnet.exe")) << printable(read(extensionPlace));
        if (c.machineWide) {
            expectNothingOf({kUserCommand, kUserExtension});
        } else {
            expectNothingOf({kMachineCommand, kMachineExtension});
        }

        if (c.spacedCopy) {
            DeleteFileA((folder + kExe).c_str());
            RemoveDirectoryA(folder.c_str());
        }
    }
}

} // namespace
