// dump, check and roundtrip.
#include "cli/commands.h"

#include "document/design_dump.h"
#include "document/design_file.h"
#include "document/path_text.h"
#include "text/format.h"

#include <cstdio>
#include <string>

namespace zarnet::cli {

std::optional<Design> loadDesign(std::string_view file, Strictness strictness) {
    const std::string path(file);
    auto bytes = readFileBytes(pathFromText(path));
    if (!bytes) {
        zarnet::text::print(stderr, "%s: cannot be opened or read\n", path.c_str());
        return std::nullopt;
    }
    LoadResult r = readDesign(*bytes, strictness);
    if (!r.design) {
        zarnet::text::print(stderr, "%s: offset %zu: %s\n", path.c_str(), r.error.offset,
                            r.error.what.c_str());
        return std::nullopt;
    }
    return std::move(r.design);
}

namespace {

int dump(std::span<const std::string_view> args) {
    if (args.size() != 1) return kBadArguments;
    const auto design = loadDesign(args[0], Strictness::Lenient);
    if (!design) return kExitFailed;
    std::fputs(dumpDesign(*design).c_str(), stdout);
    return kExitOk;
}

int check(std::span<const std::string_view> args) {
    if (!args.empty() && args[0] == "--keyboard")
        return args.size() == 2 ? checkKeyboard(args[1]) : kBadArguments;
    if (args.size() != 1) return kBadArguments;
    return loadDesign(args[0], Strictness::Strict) ? kExitOk : kExitFailed;
}

int roundtrip(std::span<const std::string_view> args) {
    if (args.size() != 2) return kBadArguments;
    const auto design = loadDesign(args[0], Strictness::Strict);
    if (!design) return kExitFailed;
    const std::string out(args[1]);
    if (!writeFileAtomic(pathFromText(out), writeDesign(*design))) {
        zarnet::text::print(stderr, "%s: cannot be written\n", out.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

const Command kDesignCommands[] = {
    {"dump", "FILE", dump},
    {"check", "[--keyboard] FILE", check},
    {"roundtrip", "IN OUT", roundtrip},
};

} // namespace

std::span<const Command> designCommands() {
    return kDesignCommands;
}

} // namespace zarnet::cli
