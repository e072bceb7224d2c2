// dump, check and roundtrip.
#include "cli/commands.h"

#include "document/design_dump.h"
#include "document/design_file.h"
#include "document/path_text.h"

#include <cstdio>
#include <string>

namespace zarnet::cli {
namespace {

struct Loaded {
    std::optional<Design> design;
    int exitCode = kExitOk;
};

Loaded load(std::string_view file, Strictness strictness) {
    const std::string path(file);
    auto bytes = readFileBytes(pathFromText(path));
    if (!bytes) {
        std::fprintf(stderr, "%s: cannot be opened or read\n", path.c_str());
        return {std::nullopt, kExitFailed};
    }
    LoadResult r = readDesign(*bytes, strictness);
    if (!r.design) {
        std::fprintf(stderr, "%s: offset %zu: %s\n", path.c_str(), r.error.offset,
                     r.error.what.c_str());
        return {std::nullopt, kExitFailed};
    }
    return {std::move(r.design), kExitOk};
}

int dump(std::span<const std::string_view> args) {
    if (args.size() != 1) return kExitUsage;
    Loaded l = load(args[0], Strictness::Lenient);
    if (!l.design) return l.exitCode;
    std::fputs(dumpDesign(*l.design).c_str(), stdout);
    return kExitOk;
}

int check(std::span<const std::string_view> args) {
    if (args.size() != 1) return kExitUsage;
    return load(args[0], Strictness::Strict).exitCode;
}

int roundtrip(std::span<const std::string_view> args) {
    if (args.size() != 2) return kExitUsage;
    Loaded l = load(args[0], Strictness::Strict);
    if (!l.design) return l.exitCode;
    const std::string out(args[1]);
    if (!writeFileAtomic(pathFromText(out), writeDesign(*l.design))) {
        std::fprintf(stderr, "%s: cannot be written\n", out.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

const Command kCommands[] = {
    {"dump", "FILE", dump},
    {"check", "FILE", check},
    {"roundtrip", "IN OUT", roundtrip},
};

} // namespace

std::span<const Command> designCommands() { return kCommands; }

} // namespace zarnet::cli
