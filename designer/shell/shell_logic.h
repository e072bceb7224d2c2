// The designer shell's rules that need no window: learner tips, the canvas
// title, the preferences record, design and grid naming rules and the
// object manager's stored field panel.
#pragma once

#include "document/model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zarnet::designer {

// Learner tips 1..11; any other index gives an empty text.
std::string_view tipText(int n);

// "*" when modified, the file part of the name (after the last backslash),
// then "   client W x H".
std::string canvasTitle(bool modified, std::string_view fileName, int clientWidth,
                        int clientHeight);
// The file part of a path: the text after the last backslash.
std::string_view filePart(std::string_view path);

// A design name from the save requester: ".zrf" goes on unless the last
// three characters, lower-cased, already read "zrf".
std::string withDesignExtension(std::string_view name);

// PureBasic's Val(): optional blanks, an optional sign and the leading
// decimal digits; anything else reads as 0. Saturates instead of wrapping.
long decimalValue(std::string_view text);
// A grid step typed or asked for, limited to 2..100.
int clampGridStep(long value);

// The preferences file: 14 signed 32-bit little-endian integers.
enum PrefIndex : int {
    PrefObjectManagerVisible, PrefObjectManagerX, PrefObjectManagerY, PrefObjectManagerWidth,
    PrefObjectManagerHeight, PrefLearnerMode, PrefLearnerX, PrefLearnerY, PrefLearnerWidth,
    PrefLearnerHeight, PrefGridSnap, PrefShowGrid, PrefCanvasX, PrefCanvasY, PrefCount
};
using Preferences = std::array<int32_t, PrefCount>;

inline constexpr char kPreferencesName[] = "preferences.zrp";
inline constexpr int kObjectManagerDefaultWidth = 200;
inline constexpr int kObjectManagerDefaultHeight = 469; // the field panel's 477 less 8
inline constexpr int kLearnerDefaultWidth = 500;
inline constexpr int kLearnerDefaultHeight = 100;

// Every integer lying beyond the end of a short file reads as 0; a final
// partial integer keeps the bytes that are there in its low-order bytes.
Preferences parsePreferences(std::span<const uint8_t> bytes);
std::vector<uint8_t> serialisePreferences(const Preferences& p);
// A first run's values; the canvas position is filled in by start-up.
Preferences defaultPreferences(int screenWidth, int screenHeight);

struct WindowRect {
    int x = 0, y = 0, w = 0, h = 0;
};
// A window stored off every monitor, or too small to see or grab, comes
// back at its default place and size; anything else as stored (also on a
// second monitor). Returns the rectangle to use, or nothing when the stored
// one is fine.
std::optional<WindowRect> reachableWindow(WindowRect stored, WindowRect fallback,
                                          std::span<const WindowRect> monitors, int minimumSize);

// The designer's parameters as a restart writes them: its own backup file
// (`ownBackup` says whether parameter 1 is one), a window handle in decimal,
// a design name and the modified flag "0" or "1". Anything else (several
// files dropped on the program, say) is a design file to open, nothing more.
bool isRestartCommandLine(const std::vector<std::string>& parameters, bool ownBackup);

// An item's entry in the object manager tree: "*" when hidden, the name,
// and " [Splitter]" for one of a splitter's two gadgets.
std::string treeText(const Item& it);

// The object manager's field panel in the compact layout, read at start-up.
std::span<const uint8_t> fieldPanelLayout();
inline constexpr int kFieldPanelMaxItem = 36;

} // namespace zarnet::designer
