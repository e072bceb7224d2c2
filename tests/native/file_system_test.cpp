// The file system's answers the generators and the viewer rely on, on disk.
#include "document/design_file.h"
#include "document/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace zarnet::files {
namespace {

#ifdef _WIN32
constexpr char kSep = '\\';
#else
constexpr char kSep = '/';
#endif

TEST(FileSystem, NamesSplitIntoFolderAndName) {
    const struct {
        std::string path, folder;
    } cases[] = {
        {"form.zrf", ""},
        {"a/b/form.zrf", "a/b/"},
        {"/form.zrf", "/"},
        {"a/b/", "a/b/"},
#ifdef _WIN32
        {"C:\\d\\form.zrf", "C:\\d\\"},
        {"C:\\d/e\\form.zrf", "C:\\d/e\\"},
        {"C:form.zrf", "C:"},
#else
        {"a\\b.zrf", ""},
#endif
    };
    for (const auto& c : cases) {
        EXPECT_EQ(folderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(std::string(folderOf(c.path)) + std::string(nameOf(c.path)), c.path);
    }
}

class FileSystemOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = (std::filesystem::temp_directory_path() / (std::string("zarnet-fs-") + info->name()))
                   .string() +
               kSep;
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
        std::filesystem::create_directories(dir_ + "folder");
        write("three", {1, 2, 3});
        std::fclose(std::fopen((dir_ + "empty").c_str(), "wb"));
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    void write(const std::string& name, std::vector<uint8_t> bytes) {
        ASSERT_TRUE(writeFileAtomic(dir_ + name, bytes)) << name;
    }
    std::string dir_;
};

TEST_F(FileSystemOnDisk, KindsAndSizes) {
    const struct {
        const char* name;
        Kind kind;
        std::optional<uint64_t> size;
    } cases[] = {
        {"three", Kind::File, 3},
        {"empty", Kind::File, 0},
        {"folder", Kind::Folder, std::nullopt},
        {"missing", Kind::Missing, std::nullopt},
        {"missing/inside", Kind::Missing, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kindOf(dir_ + c.name), c.kind) << c.name;
        EXPECT_EQ(targetKindOf(dir_ + c.name), c.kind) << c.name;
        EXPECT_EQ(sizeOf(dir_ + c.name), c.size) << c.name;
    }
}

TEST_F(FileSystemOnDisk, FolderEntriesSameFilesAndReplacing) {
    auto entries = entriesOf(dir_).value_or(std::vector<Entry>{});
    std::sort(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "empty");
    EXPECT_TRUE(entries[1].folder);
    EXPECT_FALSE(entries[2].folder);
    EXPECT_FALSE(entriesOf(dir_ + "missing"));

    // Another spelling of the same file is the same file; a copy is not.
    EXPECT_TRUE(sameFile(dir_ + "three", dir_ + "folder" + kSep + ".." + kSep + "three"));
    EXPECT_FALSE(sameFile(dir_ + "three", dir_ + "empty"));
    EXPECT_FALSE(sameFile(dir_ + "three", dir_ + "missing"));

    // A rename takes the place of a file that has the name.
    ASSERT_TRUE(replaceFile(dir_ + "three", dir_ + "empty"));
    EXPECT_EQ(sizeOf(dir_ + "empty"), 3u);
    EXPECT_EQ(kindOf(dir_ + "three"), Kind::Missing);
    EXPECT_TRUE(removeFile(dir_ + "empty"));
    EXPECT_FALSE(removeFile(dir_ + "empty"));
}

} // namespace
} // namespace zarnet::files
