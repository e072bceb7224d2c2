// What the designer's generation commands ask and report, word for word.
#pragma once

#include <string_view>

namespace zarnet::gen::text {

inline constexpr std::string_view kInfoTitle = "Info";
inline constexpr std::string_view kWarningTitle = "Warning";
inline constexpr std::string_view kSaveFirst = "You have to save Zarnet file first!";

inline constexpr std::string_view kSourceRequesterTitle =
    "Save source (must be same path as design)";
inline constexpr std::string_view kSourcePattern = "PureBasic source (*.pb)|*.pb";
inline constexpr std::string_view kOverwriteQuestion = "File exist. Do you want to overwrite?";
inline constexpr std::string_view kSourceGenerated = "Source has been generated.";
inline constexpr std::string_view kIncludeGenerated = "Include source has been generated.";

inline constexpr std::string_view kPrefixTitle = "Define prefix (..if needed)";
inline constexpr std::string_view kPrefixMessage = "# + prefix + gadget_name = gadget_number";

} // namespace zarnet::gen::text
