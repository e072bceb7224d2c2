// check --keyboard: the keyboard-access findings of a design, one a line.
#include "cli/commands.h"

#include "designer/arrange/keyboard_check.h"
#include "text/format.h"

#include <cstdio>

namespace zarnet::cli {

int checkKeyboard(std::string_view file) {
    // Any design the designer can read is worth checking, so the format
    // need not be the strictest.
    const auto design = loadDesign(file, Strictness::Lenient);
    if (!design) return kExitUsage;
    const auto findings = designer::checkKeyboardAccess(*design);
    for (const auto& f : findings)
        zarnet::text::print(stdout, "%s\n", designer::formatFinding(file, f).c_str());
    return findings.empty() ? kExitOk : kExitFailed;
}

} // namespace zarnet::cli
