// The recent designs' file and the templates menu 0 offers: what a damaged
// or foreign file gives, how an opened or saved design moves the list, and
// which typed names can name a template.
#include "designer/shell/design_lists.h"

#include "document/design_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace zarnet::designer {
namespace {

using List = std::vector<std::string>;

std::vector<uint8_t> bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

List tenPaths() {
    List ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back("C:\\d\\" + std::to_string(i) + ".zrf");
    return ten;
}

TEST(RecentList, FilesReadBackOrGiveWhatCanBeTrusted) {
    const std::string heading = "Zarnet recent designs\r\n";
    const List ten = tenPaths();
    std::string eleven = heading;
    for (int i = 0; i < 11; ++i)
        eleven += "C:\\d\\" + std::to_string(i) + ".zrf\r\n";
    std::string huge = heading + "C:\\a.zrf\r\n";
    huge.resize(kRecentListLimit + 1, 'x');
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        List read;
    } cases[] = {
        {"round trip", serialiseRecentList(ten), ten},
        {"empty list", serialiseRecentList({}), {}},
        {"empty file", {}, {}},
        {"LF line ends", bytes("Zarnet recent designs\nC:\\a.zrf\n"), {"C:\\a.zrf"}},
        {"another heading", bytes("Zarnet recent design\r\nC:\\a.zrf\r\n"), {}},
        {"another program's file", bytes("\x89PNG\r\n\x1a\nC:\\a.zrf\r\n"), {}},
        {"heading cut short", bytes("Zarnet rec"), {}},
        {"last path cut short", bytes(heading + "C:\\a.zrf\r\nC:\\b.z"), {"C:\\a.zrf"}},
        {"too long to be ours", bytes(huge), {}},
        {"more than ten", bytes(eleven), ten},
        {"blank, control and overlong lines",
         bytes(heading + "\r\nC:\\a\x01.zrf\r\n" + std::string(kRecentPathLimit + 1, 'p') +
               "\r\nC:\\b.zrf\r\n"),
         {"C:\\b.zrf"}},
        {"a NUL inside a line", bytes(heading + std::string("C:\\a\0.zrf\r\n", 11)), {}},
        {"repeats kept once, first place",
         bytes(heading + "C:\\A.zrf\r\nC:\\b.zrf\r\nc:/a.ZRF\r\n"),
         {"C:\\A.zrf", "C:\\b.zrf"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseRecentList(c.file), c.read) << c.what;
    // Every prefix of a good file is read without fault and gives a prefix
    // of its list.
    const auto good = serialiseRecentList(ten);
    for (size_t n = 0; n <= good.size(); ++n) {
        const List got = parseRecentList(std::span(good).first(n));
        ASSERT_LE(got.size(), ten.size());
        EXPECT_TRUE(std::equal(got.begin(), got.end(), ten.begin())) << n;
    }
}

TEST(RecentList, AnOpenedOrSavedDesignGoesFirst) {
    const List ten = tenPaths();
    const std::set<std::string> gone = {"C:\\d\\2.zrf", "C:\\d\\5.zrf"};
    const std::function<bool(const std::string&)> exists = [&](const std::string& p) {
        return !gone.count(p);
    };
    const std::function<bool(const std::string&)> all = [](const std::string&) { return true; };
    struct Case {
        const char* what;
        List before;
        std::string path;
        bool someGone;
        List after;
    } cases[] = {
        {"first design", {}, "C:\\x.zrf", false, {"C:\\x.zrf"}},
        {"new on top, the tenth falls off",
         ten,
         "C:\\x.zrf",
         false,
         {"C:\\x.zrf", ten[0], ten[1], ten[2], ten[3], ten[4], ten[5], ten[6], ten[7], ten[8]}},
        {"known one moves to the top, spelt as now",
         {"C:\\a.zrf", "C:\\b.zrf", "C:\\c.zrf"},
         "c:/B.ZRF",
         false,
         {"c:/B.ZRF", "C:\\a.zrf", "C:\\c.zrf"}},
        {"already first",
         {"C:\\a.zrf", "C:\\b.zrf"},
         "C:\\a.zrf",
         false,
         {"C:\\a.zrf", "C:\\b.zrf"}},
        {"missing files dropped, room for the rest",
         ten,
         "C:\\x.zrf",
         true,
         {"C:\\x.zrf", ten[0], ten[1], ten[3], ten[4], ten[6], ten[7], ten[8], ten[9]}},
        {"no design, only the dropping",
         ten,
         "",
         true,
         {ten[0], ten[1], ten[3], ten[4], ten[6], ten[7], ten[8], ten[9]}},
        {"a path no file can have is not listed",
         {"C:\\a.zrf"},
         "C:\\a\r\n.zrf",
         false,
         {"C:\\a.zrf"}},
    };
    for (const Case& c : cases) {
        const List after = withRecentDesign(c.before, c.path, c.someGone ? exists : all);
        EXPECT_EQ(after, c.after) << c.what;
        EXPECT_EQ(parseRecentList(serialiseRecentList(after)), after) << c.what;
    }
}

TEST(Templates, TypedNamesThatCanNameAFile) {
    struct Case {
        const char* typed;
        const char* file; // nullptr: refused
    } cases[] = {
        {"Login", "Login.zrf"},     {"  My dialog. ", "My dialog.zrf"},
        {"Main.ZRF", "Main.ZRF"},   {"v1.2 form", "v1.2 form.zrf"},
        {"R&D", "R&D.zrf"},         {"", nullptr},
        {"  ..  ", nullptr},        {"a/b", nullptr},
        {"a\\b", nullptr},          {"what?", nullptr},
        {"C:form", nullptr},        {"tab\there", nullptr},
        {"con", nullptr},           {"NUL.zrf", nullptr},
        {"com1", nullptr},          {"Lpt9 .txt", nullptr},
        {"console", "console.zrf"}, {"com10", "com10.zrf"},
    };
    for (const Case& c : cases) {
        const auto name = templateFileName(c.typed);
        if (c.file)
            EXPECT_EQ(name, std::optional<std::string>(c.file)) << c.typed;
        else
            EXPECT_FALSE(name) << c.typed << " gave " << name.value_or("");
    }
    EXPECT_FALSE(templateFileName(std::string(201, 'a')));
    EXPECT_EQ(menuText("R&D && more"), "R&&D &&&& more");
}

TEST(Templates, ListedByFolderThenByName) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string root =
        (std::filesystem::temp_directory_path() / (std::string("zarnet-lists-") + info->name()))
            .string();
    std::filesystem::remove_all(root);
    const std::string shipped = root + "/shipped/", own = root + "/own/";
    std::filesystem::create_directories(shipped + "folder.zrf");
    std::filesystem::create_directories(own);
    for (const std::string& f : {shipped + "b dialog.zrf", shipped + "A main.ZRF",
                                 shipped + "notes.txt", shipped + ".zrf", own + "mine.zrf"})
        ASSERT_TRUE(writeFileAtomic(f, bytes("x"))) << f;
    const std::string folders[] = {shipped, root + "/none/", own};
    const auto found = listTemplates(folders);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].title, "A main");
    EXPECT_EQ(found[0].path, shipped + "A main.ZRF");
    EXPECT_EQ(found[1].title, "b dialog");
    EXPECT_EQ(found[2].title, "mine");
    EXPECT_EQ(found[2].folder, 2u);
    // No more than the menu can hold.
    for (size_t i = 0; i < kTemplateCount + 5; ++i)
        ASSERT_TRUE(writeFileAtomic(own + "t" + std::to_string(i) + ".zrf", bytes("x")));
    EXPECT_EQ(listTemplates(folders).size(), kTemplateCount);
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace zarnet::designer
