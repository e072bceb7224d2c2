#include "designer/generate/templates.h"

#include "document/catalogue.h"

namespace zarnet::gen {
namespace {

constexpr std::string_view kInit =
#include "designer/generate/templates/init.inc"
    ;
constexpr std::string_view kDrawTransparent =
#include "designer/generate/templates/draw_transparent.inc"
    ;
constexpr std::string_view kApiToolTip =
#include "designer/generate/templates/api_tooltip.inc"
    ;
constexpr std::string_view kSetImage =
#include "designer/generate/templates/set_image.inc"
    ;
constexpr std::string_view kCreationTail =
#include "designer/generate/templates/creation_tail.inc"
    ;
constexpr std::string_view kResize =
#include "designer/generate/templates/resize.inc"
    ;
constexpr std::string_view kLoaderHead =
#include "designer/generate/templates/loader_head.inc"
    ;
constexpr std::string_view kFonts =
#include "designer/generate/templates/fonts.inc"
    ;
constexpr std::string_view kRecordLoop =
#include "designer/generate/templates/record_loop.inc"
    ;
constexpr std::string_view kImageLoad =
#include "designer/generate/templates/image_load.inc"
    ;
constexpr std::string_view kStatus =
#include "designer/generate/templates/status.inc"
    ;
constexpr std::string_view kAnchorRegister =
#include "designer/generate/templates/anchor_register.inc"
    ;
constexpr std::string_view kFontApply =
#include "designer/generate/templates/font_apply.inc"
    ;
constexpr std::string_view kTooltip =
#include "designer/generate/templates/tooltip.inc"
    ;
constexpr std::string_view kLoaderTail =
#include "designer/generate/templates/loader_tail.inc"
    ;

std::string_view argumentText(CreateArg a) {
    switch (a) {
    case CreateArg::Text:
        return "ZarnValue\\wtext";
    case CreateArg::Flags:
        return "ZarnValue\\flags";
    case CreateArg::Para1:
        return "ZarnValue\\para1";
    case CreateArg::Para2:
        return "ZarnValue\\para2";
    case CreateArg::Para3:
        return "ZarnValue\\para3";
    case CreateArg::Zero:
        return "0";
    }
    return "0";
}

} // namespace

const RuntimeBlocks& runtimeBlocks() {
    static const RuntimeBlocks blocks{kInit,         kDrawTransparent, kApiToolTip, kSetImage,
                                      kCreationTail, kResize,          kLoaderHead, kFonts,
                                      kRecordLoop,   kImageLoad,       kStatus,     kAnchorRegister,
                                      kFontApply,    kTooltip,         kLoaderTail};
    return blocks;
}

std::string caseLine(int typ) {
    const GadgetTypeInfo& info = gadgetType(typ);
    std::string line = "Case " + std::to_string(typ) + ":ZarnValue\\id=";
    line += info.name;
    line += "(#PB_Any,ZarnValue\\x,ZarnValue\\y,ZarnValue\\w,ZarnValue\\h";
    for (CreateArg a : info.createArgs) {
        line += ',';
        line += argumentText(a);
    }
    line += ')';
    return line;
}

} // namespace zarnet::gen
