// generate include, generate program and constants.
#include "cli/commands.h"

#include "designer/generate/constants.h"
#include "designer/generate/generated_file.h"
#include "designer/generate/include_writer.h"
#include "designer/generate/program.h"
#include "document/design_file.h"
#include "document/file_system.h"
#include "document/path_text.h"
#include "text/format.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace zarnet::cli {
namespace {

// Positional arguments plus "--prefix P" and "--force" anywhere among them.
struct Arguments {
    std::vector<std::string_view> positional;
    std::string prefix;
    bool force = false;
};

std::optional<Arguments> parse(std::span<const std::string_view> args) {
    Arguments a;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--prefix") {
            if (i + 1 >= args.size()) return std::nullopt;
            a.prefix = std::string(args[++i]);
        } else if (args[i] == "--force") {
            a.force = true;
        } else if (args[i].starts_with("--")) {
            return std::nullopt;
        } else {
            a.positional.push_back(args[i]);
        }
    }
    return a;
}

int cannotWrite(const std::string& path) {
    zarnet::text::print(stderr, "%s: cannot be written\n", path.c_str());
    return kExitFailed;
}

// The include's name beside a file, in the text the user gave for the file.
std::string includeBeside(const std::string& file) {
    const std::string_view name = gen::designFileName(file);
    return file.substr(0, file.size() - name.size()) + std::string(gen::kIncludeFileName);
}

bool namesDesign(const std::string& file, const std::string& designPath) {
    return gen::classifyTarget(pathFromText(file), pathFromText(designPath)) == gen::Target::Design;
}

int refuseDesign(const std::string& file) {
    zarnet::text::print(stderr, "%s: is a design file; generated text never replaces one\n",
                        file.c_str());
    return kExitFailed;
}

// A design file is never replaced; anything else of the name only with
// --force. file is the name as the user's text gives it.
bool mayWrite(const std::string& file, const std::string& designPath, bool force) {
    switch (gen::classifyTarget(pathFromText(file), pathFromText(designPath))) {
    case gen::Target::Free:
        return true;
    case gen::Target::Design:
        refuseDesign(file);
        return false;
    case gen::Target::Empty:
    case gen::Target::Occupied:
        // Our own include is rewritten by every save in the designer too.
        if (force || (gen::designFileName(file) == gen::kIncludeFileName &&
                      gen::isOurInclude(pathFromText(file))))
            return true;
        zarnet::text::print(stderr, "%s: already exists; add --force to replace it\n",
                            file.c_str());
        return false;
    }
    return false;
}

int generateInclude(const std::string& designPath, bool force) {
    const auto design = loadDesign(designPath, Strictness::Lenient);
    if (!design) return kExitFailed;
    if (!mayWrite(includeBeside(designPath), designPath, force)) return kExitFailed;
    if (!gen::writeIncludeFor(*design, pathFromText(designPath)))
        return cannotWrite(includeBeside(designPath));
    return kExitOk;
}

int generateProgram(const std::string& designPath, const std::string& out,
                    const std::string& prefix, bool force) {
    const auto design = loadDesign(designPath, Strictness::Lenient);
    if (!design) return kExitFailed;
    // Asked to write to a design's name, the user meant something else: the
    // ".pb" added below would leave the design alone but write beside it.
    if (namesDesign(out, designPath)) return refuseDesign(out);
    const std::string sourcePath = gen::withSourceExtension(out);
    if (!mayWrite(sourcePath, designPath, force) ||
        !mayWrite(includeBeside(sourcePath), designPath, force))
        return kExitFailed;
    switch (gen::writeProgram(*design, designPath, pathFromText(sourcePath), prefix)) {
    case gen::ProgramResult::Refused: // only if the folder changed since the checks
        return refuseDesign(namesDesign(sourcePath, designPath) ? sourcePath
                                                                : includeBeside(sourcePath));
    case gen::ProgramResult::IncludeFailed:
        return cannotWrite(includeBeside(sourcePath));
    case gen::ProgramResult::SourceFailed:
        return cannotWrite(sourcePath);
    case gen::ProgramResult::Written:
        break;
    }
    // The program embeds the design by its bare file name.
    const auto folderOf = [](const std::string& file) {
        const std::string folder(files::folderOf(file));
        return folder.empty() ? std::string(".") : folder;
    };
    if (!files::sameFile(folderOf(designPath), folderOf(sourcePath)))
        zarnet::text::print(
            stderr, "%s: warning: the program embeds %s by name; it builds only beside it\n",
            sourcePath.c_str(), std::string(gen::designFileName(designPath)).c_str());
    return kExitOk;
}

int generate(std::span<const std::string_view> args) {
    const auto a = parse(args);
    if (!a || a->positional.empty()) return kBadArguments;
    const std::string_view what = a->positional[0];
    if (what == "include" && a->positional.size() == 2 && a->prefix.empty())
        return generateInclude(std::string(a->positional[1]), a->force);
    if (what == "program" && a->positional.size() == 3)
        return generateProgram(std::string(a->positional[1]), std::string(a->positional[2]),
                               a->prefix, a->force);
    return kBadArguments;
}

int constants(std::span<const std::string_view> args) {
    const auto a = parse(args);
    if (!a || a->positional.size() != 1 || a->force) return kBadArguments;
    const auto design = loadDesign(a->positional[0], Strictness::Lenient);
    if (!design) return kExitFailed;
    const std::string text = gen::constantsText(gen::buildConstants(*design, a->prefix));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

const Command kGenerateCommands[] = {
    {"generate", "include DESIGN [--force] | program DESIGN OUT[.pb] [--prefix P] [--force]",
     generate},
    {"constants", "DESIGN [--prefix P]", constants},
};

} // namespace

std::span<const Command> generateCommands() {
    return kGenerateCommands;
}

} // namespace zarnet::cli
