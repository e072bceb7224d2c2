// The include on disk: writing it, keeping it when saving beside it, and the
// full program's files.
#include "designer/generate/generated_file.h"
#include "designer/generate/include_writer.h"
#include "designer/generate/program.h"
#include "document/design_file.h"
#include "generate_designs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zarnet::gen {
namespace {

namespace fs = std::filesystem;

class Folder : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zarnet_generate_" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string at(const char* name) const { return (dir_ / name).string(); }
    std::string include() const { return at("zarnet_include.pbi"); }

    std::string saveDesign(const char* name, const Design& d) const {
        const auto bytes = writeDesign(d);
        EXPECT_TRUE(writeFileAtomic(at(name), bytes));
        return at(name);
    }
    static std::string read(const std::string& p) {
        const auto bytes = readFileBytes(p);
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
    }
    static Features carried(const std::string& p) {
        Features f;
        scanInclude(read(p), f);
        return f;
    }

    fs::path dir_;
};

const Design kWithImages = test::designNeeding(test::NeedPng | test::NeedTransparency);
const Design kPlain = test::designNeeding(0);

TEST_F(Folder, SavingBesideAnotherDesignKeepsItsBlocks) {
    const std::string a = saveDesign("A.zrf", kWithImages);
    ASSERT_TRUE(writeIncludeFor(kWithImages, a));
    const std::string b = saveDesign("B.zrf", kPlain);
    EXPECT_EQ(maintainInclude(kPlain, b), Upkeep::Rewritten);
    const Features f = carried(include());
    EXPECT_TRUE(f.images && f.png && f.transparency);
    EXPECT_TRUE(f.usedType[ImageGadget]);

    // "Generate include source only" for B: A's needs are gone.
    ASSERT_TRUE(writeIncludeFor(kPlain, b));
    EXPECT_EQ(carried(include()), test::featuresOf(0));
}

TEST_F(Folder, TheOnlyDesignRebuildsFromItselfAlone) {
    const std::string a = saveDesign("A.zrf", kWithImages);
    ASSERT_TRUE(writeIncludeFor(kWithImages, a));
    saveDesign("notes.zrf.bak", kWithImages); // no design file
    fs::create_directory(at("old.zrf"));      // a folder is no design either
    saveDesign("A.zrf", kPlain);
    EXPECT_EQ(maintainInclude(kPlain, a), Upkeep::Rewritten);
    EXPECT_EQ(carried(include()), test::featuresOf(0));
}

TEST_F(Folder, SavingNeverCreatesAnInclude) {
    const std::string a = saveDesign("A.zrf", kPlain);
    saveDesign("B.zrf", kPlain);
    EXPECT_EQ(maintainInclude(kPlain, a), Upkeep::NoInclude);
    EXPECT_FALSE(fs::exists(include()));
    std::ofstream(include()).close(); // an empty one does not count
    EXPECT_EQ(maintainInclude(kPlain, a), Upkeep::NoInclude);
    EXPECT_EQ(fs::file_size(include()), 0u);
}

// Other designs are what "*.zrf" finds: the extension in any case, and a
// file called ".zrf" too.
TEST_F(Folder, OtherDesignsMatchTheDesignPattern) {
    for (const char* other : {"A.ZRF", ".zrf"}) {
        const std::string a = saveDesign("A.zrf", kWithImages);
        ASSERT_TRUE(writeIncludeFor(kWithImages, a));
        fs::rename(a, at(other));
        const std::string b = saveDesign("B.zrf", kPlain);
        EXPECT_EQ(maintainInclude(kPlain, b), Upkeep::Rewritten);
        EXPECT_TRUE(carried(include()).images) << other;
        fs::remove(at(other));
    }
}

TEST_F(Folder, AFailedWriteLeavesTheOldInclude) {
    const std::string a = saveDesign("A.zrf", kWithImages);
    ASSERT_TRUE(writeIncludeFor(kWithImages, a));
    const std::string before = read(include());
    // The new text goes to a temporary name first; block that name.
    fs::create_directory(fs::path(include()) += ".tmp~");
    EXPECT_FALSE(writeIncludeFor(kPlain, a));
    EXPECT_EQ(maintainInclude(kPlain, a), Upkeep::Failed);
    EXPECT_EQ(writeProgram(kPlain, a, at("A.pb"), ""), ProgramResult::IncludeFailed);
    EXPECT_FALSE(fs::exists(at("A.pb")));
    EXPECT_EQ(read(include()), before);
}

TEST_F(Folder, ProgramAndIncludeLieBesideTheSource) {
    Design d = test::designNeeding(test::NeedAnchors);
    const std::string design = saveDesign("form.zrf", d);
    fs::create_directory(at("src"));
    const std::string source = (fs::path(at("src")) / "form.pb").string();
    ASSERT_EQ(writeProgram(d, design, source, "W_"), ProgramResult::Written);
    EXPECT_EQ(read(source), programText(buildConstants(d, "W_"), "form.zrf"));
    EXPECT_EQ(read((fs::path(at("src")) / "zarnet_include.pbi").string()),
              includeText(test::featuresOf(test::NeedAnchors)));
    EXPECT_FALSE(fs::exists(include()));
}

TEST_F(Folder, TargetsAreToldApart) {
    const std::string design = saveDesign("form.zrf", kPlain);
    std::ofstream(at("empty.pb")).close();
    std::ofstream(at("full.pb")) << "x";
    fs::create_directory(at("folder.pb"));
    fs::create_symlink(design, at("link.pb"));
    fs::create_symlink(at("nowhere"), at("dangling.pb"));
    const struct {
        const char* name;
        Target target;
    } cases[] = {
        {"new.pb", Target::Free},          {"empty.pb", Target::Empty},
        {"full.pb", Target::Occupied},     {"folder.pb", Target::Occupied},
        {"dangling.pb", Target::Occupied}, {"form.zrf", Target::Design},
        {"link.pb", Target::Design},       {"Other.ZRF", Target::Design},
        {".zrf", Target::Design},          {"form.zrf.pb", Target::Free},
    };
    for (const auto& c : cases)
        EXPECT_EQ(classifyTarget(at(c.name), design), c.target) << c.name;
}

// A design may bear any name, the include's or a source's among them.
TEST_F(Folder, GenerationLeavesADesignUnderAnyName) {
    const std::string asInclude = saveDesign("zarnet_include.pbi", kWithImages);
    const std::string bytes = read(asInclude);
    EXPECT_FALSE(writeIncludeFor(kPlain, asInclude));
    EXPECT_EQ(maintainInclude(kPlain, asInclude), Upkeep::NoInclude);
    EXPECT_EQ(writeProgram(kPlain, asInclude, at("p.pb"), ""), ProgramResult::Refused);
    EXPECT_EQ(read(asInclude), bytes);
    EXPECT_FALSE(fs::exists(at("p.pb")));

    const std::string asSource = saveDesign("form.pb", kPlain);
    const std::string sourceBytes = read(asSource);
    EXPECT_EQ(writeProgram(kPlain, asSource, asSource, ""), ProgramResult::Refused);
    EXPECT_EQ(writeProgram(kPlain, asSource, at("form.zrf"), ""), ProgramResult::Refused);
    EXPECT_EQ(read(asSource), sourceBytes);
    EXPECT_FALSE(fs::exists(at("form.zrf")));
}

} // namespace
} // namespace zarnet::gen
