// diff and merge: design files under version control.
#include "cli/commands.h"

#include "document/compare/diff.h"
#include "document/compare/merge.h"
#include "document/design_file.h"
#include "document/path_text.h"
#include "text/format.h"

#include <cstdio>
#include <string>

namespace zarnet::cli {
namespace {

using compare::Change;

// What git gives a diff command for an added or removed file.
bool isNoFile(std::string_view path) {
    return path == "/dev/null" || path == "nul" || path == "NUL";
}

const char* colourOf(Change::Kind k) {
    switch (k) {
    case Change::Kind::Removed:
        return "\x1b[31m";
    case Change::Kind::Added:
        return "\x1b[32m";
    default:
        return "\x1b[33m";
    }
}

void printChanges(const compare::Difference& diff, bool stat, bool colour) {
    if (stat) {
        zarnet::text::print(stdout, "%s\n", compare::statLine(diff).c_str());
        return;
    }
    for (const Change& c : diff.changes) {
        if (colour)
            zarnet::text::print(stdout, "%s%s\x1b[0m\n", colourOf(c.kind), c.line.c_str());
        else
            zarnet::text::print(stdout, "%s\n", c.line.c_str());
    }
}

// diff [--stat] [--color] A B: 0 equal, 1 different, 2 unreadable.
// diff --git PATH OLD HEX MODE NEW HEX MODE: git's diff command; prints the
// changes under a header and exits 0, as git expects of a diff that ran.
int diff(std::span<const std::string_view> args) {
    bool stat = false, colour = false, git = false;
    std::vector<std::string_view> files;
    for (std::string_view a : args) {
        if (a == "--stat")
            stat = true;
        else if (a == "--color")
            colour = true;
        else if (a == "--git")
            git = true;
        else if (a.starts_with("--") && files.empty())
            return kBadArguments;
        else
            files.push_back(a);
    }
    if (git) {
        if (files.size() != 7) return kBadArguments;
        files = {files[0], files[1], files[4]};
    } else if (files.size() != 2) {
        return kBadArguments;
    }
    const size_t first = git ? 1 : 0;
    std::optional<Design> sides[2];
    for (size_t i = 0; i < 2; ++i) {
        const std::string_view file = files[first + i];
        sides[i] = git && isNoFile(file) ? std::optional<Design>(Design{})
                                         : loadDesign(file, Strictness::Lenient);
        if (!sides[i]) return kExitUsage;
    }
    const compare::Difference d = compare::diffDesigns(*sides[0], *sides[1]);
    if (git) {
        const std::string path(files[0]);
        zarnet::text::print(stdout, "zarnet diff a/%s b/%s\n", path.c_str(), path.c_str());
        printChanges(d, stat, colour);
        return kExitOk;
    }
    printChanges(d, stat, colour);
    return d.equal() ? kExitOk : kExitFailed;
}

// merge [--prefer ours|theirs] BASE OURS THEIRS: git's merge driver (%O %A
// %B). The merge goes over OURS; on a conflict OURS stays as it was.
int merge(std::span<const std::string_view> args) {
    compare::Prefer prefer = compare::Prefer::None;
    std::vector<std::string_view> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--prefer") {
            if (i + 1 >= args.size()) return kBadArguments;
            const std::string_view side = args[++i];
            if (side == "ours")
                prefer = compare::Prefer::Ours;
            else if (side == "theirs")
                prefer = compare::Prefer::Theirs;
            else
                return kBadArguments;
        } else if (args[i].starts_with("--")) {
            return kBadArguments;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 3) return kBadArguments;
    std::optional<Design> sides[3];
    for (size_t i = 0; i < 3; ++i)
        if (!(sides[i] = loadDesign(files[i], Strictness::Lenient))) return kExitUsage;
    const std::string ours(files[1]);
    const compare::MergeResult r = compare::mergeDesigns(*sides[0], *sides[1], *sides[2], prefer);
    const char* how = prefer == compare::Prefer::None   ? "conflict"
                      : prefer == compare::Prefer::Ours ? "conflict, taken from ours"
                                                        : "conflict, taken from theirs";
    for (const std::string& c : r.conflicts)
        zarnet::text::print(stderr, "%s: %s: %s\n", ours.c_str(), how, c.c_str());
    if (!r.merged) return kExitFailed;
    if (r.tookWhole) {
        zarnet::text::print(stderr, "%s: the sides could not be merged; %s taken whole\n",
                            ours.c_str(), prefer == compare::Prefer::Ours ? "ours" : "theirs");
        if (prefer == compare::Prefer::Ours) return kExitOk;
    }
    if (!writeFileAtomic(pathFromText(ours), writeDesign(*r.merged))) {
        zarnet::text::print(stderr, "%s: cannot be written\n", ours.c_str());
        return kExitUsage;
    }
    return kExitOk;
}

const Command kCompareCommands[] = {
    {"diff", "[--stat] [--color] A B", diff},
    {"merge", "[--prefer ours|theirs] BASE OURS THEIRS", merge},
};

} // namespace

std::span<const Command> compareCommands() {
    return kCompareCommands;
}

} // namespace zarnet::cli
