// zarnet-cli: list, check, round-trip and generate from design files.
#include "cli/commands.h"

#include "text/format.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace zarnet::cli;

namespace {

std::vector<Command> allCommands() {
    std::vector<Command> all;
    for (const auto& group : {designCommands(), generateCommands(), compareCommands()})
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

int usage(const std::vector<Command>& commands) {
    std::fputs("usage:\n  zarnet-cli --version\n", stderr);
    for (const Command& c : commands)
        zarnet::text::print(stderr, "  zarnet-cli %.*s %.*s\n", int(c.name.size()), c.name.data(),
                            int(c.usage.size()), c.usage.data());
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<Command> commands = allCommands();
    if (argc < 2) return usage(commands);
    const std::string_view name = argv[1];
    if (name == "--version" && argc == 2) {
        zarnet::text::print(stdout, "zarnet-cli %s\n", ZARNET_VERSION);
        return 0;
    }
    std::vector<std::string_view> args(argv + 2, argv + argc);
    for (const Command& c : commands) {
        if (c.name != name) continue;
        const int rc = c.run(args);
        return rc == kBadArguments ? usage(commands) : rc;
    }
    return usage(commands);
}
