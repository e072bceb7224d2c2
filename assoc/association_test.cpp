#include "assoc/association.h"

#include <gtest/gtest.h>

namespace {

using namespace zarnet::assoc;

TEST(AssocOpenCommand, FolderOfTheToolWithoutAnyLeadingQuote) {
    struct Case {
        const char* modulePath;
        const char* command;
    };
    const Case cases[] = {
        {R"(D:\Tools\zarnet-assoc.exe)", R"("D:\Tools\Zarnet.exe" "%1")"},
        {R"("D:\Tools\zarnet-assoc.exe)", R"("D:\Tools\Zarnet.exe" "%1")"},
        {R"("C:\Program Files\Zarnet\zarnet-assoc.exe")",
         R"("C:\Program Files\Zarnet\Zarnet.exe" "%1")"},
        {R"(C:\zarnet-assoc.exe)", R"("C:\Zarnet.exe" "%1")"},
        {R"(\\server\share\z\zarnet-assoc.exe)", R"("\\server\share\z\Zarnet.exe" "%1")"},
        // Without a folder part the command names the designer alone.
        {"zarnet-assoc.exe", R"("Zarnet.exe" "%1")"},
        {"\"", R"("Zarnet.exe" "%1")"},
        {"", R"("Zarnet.exe" "%1")"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(openCommand(c.modulePath), c.command) << c.modulePath;
    }
}

TEST(AssocBranch, ChosenFromBits16To23OfTheVersion) {
    struct Case {
        std::uint32_t version;
        Branch branch;
    };
    const Case cases[] = {
        {0x05650004u, Branch::PerUser},     // NT 4.0, build 1381
        {0x0A280105u, Branch::PerUser},     // XP, build 2600
        {0x1DB10106u, Branch::PerUser},     // 7 SP1, build 7601
        {0x23F00206u, Branch::PerUser},     // 8 and later as reported to this tool
        {0x00010000u, Branch::PerUser},     // lowest bit of the range
        {0x00800000u, Branch::PerUser},     // highest bit of the range
        {0xC0000004u, Branch::MachineWide}, // 95
        {0xC0000A04u, Branch::MachineWide}, // 98
        {0xC0005A04u, Branch::MachineWide}, // Me
        {0x00000000u, Branch::MachineWide},
        {0xFF00FFFFu, Branch::MachineWide}, // bits outside the range do not count
    };
    for (const Case& c : cases) {
        EXPECT_EQ(branchFor(c.version), c.branch) << std::hex << c.version;
    }
}

} // namespace
