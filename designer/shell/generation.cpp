// Source generation from the designer: the full program, the include
// alone and the constants on the clipboard.
#include "designer/shell/designer.h"

#include "designer/canvas/canvas_build.h"
#include "designer/generate/constants.h"
#include "designer/generate/generated_file.h"
#include "designer/generate/include_writer.h"
#include "designer/generate/program.h"
#include "document/path_text.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

namespace {

constexpr char kSaveFirst[] = "You have to save Zarnet file first!";

} // namespace

std::string Designer::savedForGeneration() {
    const std::string name = save();
    if (name.empty()) tk::MessageRequester("Info", kSaveFirst);
    return name;
}

std::string Designer::askPrefix() {
    prefix = tk::InputRequester("Define prefix (..if needed)",
                                "# + prefix + gadget_name = gadget_number", prefix);
    return prefix;
}

void Designer::generateProgram() {
    const std::string designPath = savedForGeneration();
    if (designPath.empty()) return;
    const std::string chosen =
        tk::SaveFileRequester("Save source (must be same path as design)",
                              gen::defaultSourceName(designPath), "PureBasic source (*.pb)|*.pb");
    if (chosen.empty()) return;
    const std::string source = gen::withSourceExtension(chosen);
    const auto sourcePath = pathFromText(source);
    switch (gen::classifyTarget(sourcePath, pathFromText(designPath))) {
    case gen::Target::Design:
        tk::MessageRequester("Error", "A design file is never replaced by source:\r" + source);
        return;
    case gen::Target::Occupied:
        if (tk::MessageRequester("Warning", "File exist. Do you want to overwrite?",
                                 tk::PB_MessageRequester_YesNo) != IDYES)
            return;
        break;
    default:
        break;
    }
    switch (gen::writeProgram(design, designPath, sourcePath, askPrefix())) {
    case gen::ProgramResult::Written:
        tk::MessageRequester("Info", "Source has been generated.");
        break;
    case gen::ProgramResult::Refused:
        tk::MessageRequester("Error", "A design file is never replaced by source:\r" + source);
        break;
    case gen::ProgramResult::IncludeFailed:
        tk::MessageRequester("Error", "Can't write the include beside\r" + source);
        break;
    case gen::ProgramResult::SourceFailed:
        tk::MessageRequester("Error", "Can't write the source\r" + source);
        break;
    }
}

void Designer::generateInclude() {
    const std::string designPath = savedForGeneration();
    if (designPath.empty()) return;
    if (gen::writeIncludeFor(design, pathFromText(designPath)))
        tk::MessageRequester("Info", "Include source has been generated.");
    else
        tk::MessageRequester("Error", "Can't write the include beside\r" + designPath);
}

void Designer::copyConstants() {
    refreshModelFromCanvas(design);
    const std::string text = gen::clipboardText(design, askPrefix());
    if (!OpenClipboard(canvas)) return;
    EmptyClipboard();
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        char* p = static_cast<char*>(GlobalLock(mem));
        memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
        if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
    }
    CloseClipboard();
}

} // namespace zarnet::designer
