// generate include, generate program and constants.
#include "cli/commands.h"
#include "document/path_text.h"

#include "designer/generate/constants.h"
#include "designer/generate/include_writer.h"
#include "designer/generate/program.h"
#include "document/design_file.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zarnet::cli {
namespace {

namespace fs = std::filesystem;

// Positional arguments plus an optional "--prefix P" anywhere among them.
struct Arguments {
    std::vector<std::string_view> positional;
    std::string prefix;
};

std::optional<Arguments> parse(std::span<const std::string_view> args) {
    Arguments a;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--prefix") {
            if (i + 1 >= args.size()) return std::nullopt;
            a.prefix = std::string(args[++i]);
        } else if (args[i].starts_with("--")) {
            return std::nullopt;
        } else {
            a.positional.push_back(args[i]);
        }
    }
    return a;
}

int cannotWrite(const std::string& path) {
    std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
    return kExitFailed;
}

// The include's name beside a file, in the text the user gave for the file.
std::string includeBeside(const std::string& file) {
    const std::string_view name = gen::designFileName(file);
    return file.substr(0, file.size() - name.size()) + std::string(gen::kIncludeFileName);
}

int generateInclude(const std::string& designPath) {
    const auto design = loadDesign(designPath, Strictness::Lenient);
    if (!design) return kExitFailed;
    if (!gen::writeIncludeFor(*design, pathFromText(designPath)))
        return cannotWrite(includeBeside(designPath));
    return kExitOk;
}

int generateProgram(const std::string& designPath, const std::string& sourcePath,
                    const std::string& prefix) {
    const auto design = loadDesign(designPath, Strictness::Lenient);
    if (!design) return kExitFailed;
    switch (gen::writeProgram(*design, designPath, pathFromText(sourcePath), prefix)) {
    case gen::ProgramResult::IncludeFailed:
        return cannotWrite(includeBeside(sourcePath));
    case gen::ProgramResult::SourceFailed:
        return cannotWrite(sourcePath);
    case gen::ProgramResult::Written:
        break;
    }
    // The program embeds the design by its bare file name.
    std::error_code ec;
    const fs::path designFolder = fs::absolute(pathFromText(designPath), ec).parent_path();
    const fs::path sourceFolder = fs::absolute(pathFromText(sourcePath), ec).parent_path();
    if (!ec && designFolder.lexically_normal() != sourceFolder.lexically_normal())
        std::fprintf(stderr,
                     "%s: warning: the program embeds %s by name; it builds only beside it\n",
                     sourcePath.c_str(), std::string(gen::designFileName(designPath)).c_str());
    return kExitOk;
}

int generate(std::span<const std::string_view> args) {
    const auto a = parse(args);
    if (!a || a->positional.empty()) return kExitUsage;
    const std::string_view what = a->positional[0];
    if (what == "include" && a->positional.size() == 2 && a->prefix.empty())
        return generateInclude(std::string(a->positional[1]));
    if (what == "program" && a->positional.size() == 3)
        return generateProgram(std::string(a->positional[1]), std::string(a->positional[2]),
                               a->prefix);
    return kExitUsage;
}

int constants(std::span<const std::string_view> args) {
    const auto a = parse(args);
    if (!a || a->positional.size() != 1) return kExitUsage;
    const auto design = loadDesign(a->positional[0], Strictness::Lenient);
    if (!design) return kExitFailed;
    const std::string text = gen::constantsText(gen::buildConstants(*design, a->prefix));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

const Command kCommands[] = {
    {"generate", "include DESIGN | program DESIGN OUT.pb [--prefix P]", generate},
    {"constants", "DESIGN [--prefix P]", constants},
};

} // namespace

std::span<const Command> generateCommands() {
    return kCommands;
}

} // namespace zarnet::cli
