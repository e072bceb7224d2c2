// The commands of zarnet-cli. Each returns the process exit code:
// 0 success, 1 a failure it reported, 2 a usage error; or kBadArguments for
// arguments it cannot take, which shows the usage and exits with 2.
#pragma once

#include "document/design_file.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace zarnet::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kBadArguments = -1;

struct Command {
    std::string_view name;
    std::string_view usage;  // the arguments, as shown in the usage text
    int (*run)(std::span<const std::string_view> args);
};

std::span<const Command> designCommands();

// Reads a whole design file; on failure prints "FILE: what is wrong" on
// stderr and returns nothing.
std::optional<Design> loadDesign(std::string_view file, Strictness strictness);
std::span<const Command> generateCommands();
// diff and merge of design files.
std::span<const Command> compareCommands();

// check --keyboard FILE: prints each keyboard-access finding as a line;
// 0 with none, 1 with findings, 2 when the file cannot be read.
int checkKeyboard(std::string_view file);

} // namespace zarnet::cli
