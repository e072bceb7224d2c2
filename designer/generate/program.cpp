#include "designer/generate/program.h"

#include "designer/generate/generated_file.h"
#include "designer/generate/include_writer.h"
#include "document/catalogue.h"
#include "document/path_text.h"

namespace zarnet::gen {
namespace {

constexpr std::string_view kHead =
    "\r\n"
    "Procedure MyCallback(WindowID,Message,wParam,lParam)\r\n"
    "  Result = #PB_ProcessPureBasicEvents \r\n"
    "  ; \r\n"
    "  ; Your code here\r\n"
    "  ; \r\n"
    "  ProcedureReturn Result\r\n"
    "EndProcedure\r\n"
    "\r\n"
    "IncludeFile \"zarnet_include.pbi\"\r\n"
    "\r\n"
    "maxitems     = ZarnetMaxItem(?gadgets)\r\n"
    "clientwidth  = ZarnetClientWidth(?gadgets)\r\n"
    "clientheight = ZarnetClientHeight(?gadgets)\r\n"
    "\r\n"
    "Dim gadget.l(maxitems)\r\n"
    "\r\n"
    "windowflags=#PB_Window_ScreenCentered|#PB_Window_SystemMenu|#PB_Window_MaximizeGadget|"
    "#PB_Window_MinimizeGadget|#PB_Window_SizeGadget|#PB_Window_Invisible\r\n"
    "If OpenWindow(0,0,0,clientwidth,clientheight,windowflags,\"Made with Zarnet\")\r\n"
    "  CreateGadgetList(WindowID())\r\n"
    "  \r\n"
    "  Zarnet(0,?gadgets,@gadget(),0,0,0)\r\n"
    "  ZarnetCallback(@MyCallback()) \r\n"
    "\r\n"
    "  HideWindow(0,0)";

// Frames, images, progress bars, texts and containers raise no events.
bool raisesEvents(int typ) {
    return typ != Frame3DGadget && typ != ImageGadget && typ != ProgressBarGadget &&
           typ != TextGadget && typ != ContainerGadget;
}

void line(std::string& out, std::string_view text = {}) {
    out += text;
    out += "\r\n";
}

} // namespace

std::string_view programHead() {
    return kHead;
}

std::string programText(const std::vector<ConstantEntry>& constants,
                        std::string_view embeddedName) {
    std::string out;
    line(out);
    out += constantsText(constants);
    line(out);
    out += kHead;
    line(out);
    line(out);
    line(out, "  Repeat");
    line(out, "    event=WaitWindowEvent()");
    line(out, "    If event=#PB_Event_Gadget");
    line(out, "      Select EventGadgetID()");
    for (const ConstantEntry& c : constants) {
        if (!raisesEvents(c.type)) continue;
        line(out, "        case gadget(" + c.plainName + ")");
        line(out, "          ;your code here");
        line(out);
    }
    line(out, "      EndSelect");
    line(out, "    ElseIf event=#WM_SIZE Or event=#WM_PAINT");
    line(out, "      While WindowEvent():Wend");
    line(out, "    EndIf");
    line(out, "  Until event=#PB_Event_CloseWindow");
    line(out, "EndIf");
    line(out);
    line(out, "DataSection");
    line(out, "  gadgets:");
    line(out, "  IncludeBinary \"" + std::string(embeddedName) + "\"");
    line(out, "EndDataSection");
    return out;
}

std::string defaultSourceName(std::string_view designPath) {
    std::string out;
    for (size_t i = 0; i < designPath.size();) {
        if (designPath.substr(i, 4) == ".zrf") {
            out += ".pb";
            i += 4;
        } else {
            out += designPath[i++];
        }
    }
    return out;
}

std::string withSourceExtension(std::string name) {
    std::string tail = name.size() >= 3 ? name.substr(name.size() - 3) : name;
    for (char& c : tail)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (tail != ".pb") name += ".pb";
    return name;
}

std::string_view designFileName(std::string_view designPath) {
    const size_t slash = designPath.find_last_of("\\/");
    return slash == std::string_view::npos ? designPath : designPath.substr(slash + 1);
}

ProgramResult writeProgram(const Design& d, std::string_view designPath,
                           const std::string& sourcePath, std::string_view prefix) {
    const std::string design = pathFromText(designPath);
    const std::string include = includePathBeside(sourcePath);
    if (classifyTarget(sourcePath, design) == Target::Design ||
        classifyTarget(include, design) == Target::Design)
        return ProgramResult::Refused;
    const std::vector<ConstantEntry> constants = buildConstants(d, prefix);
    if (!writeInclude(include, d)) return ProgramResult::IncludeFailed;
    if (!writeGeneratedText(sourcePath, programText(constants, designFileName(designPath))))
        return ProgramResult::SourceFailed;
    return ProgramResult::Written;
}

} // namespace zarnet::gen
