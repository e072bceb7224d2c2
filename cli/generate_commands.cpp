// Source generation commands; filled in with the generators.
#include "cli/commands.h"

namespace zarnet::cli {

std::span<const Command> generateCommands() { return {}; }

} // namespace zarnet::cli
