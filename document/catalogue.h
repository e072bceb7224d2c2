// The gadget type catalogue: one static, read-only table indexed by the
// gadget type 1..29. Slot 0 exists and carries nothing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zarnet {

inline constexpr int kTypeCount = 29;       // gadget types are 1..29
inline constexpr int kTabRecord = 100;      // record code of a panel tab
inline constexpr int kCloseRecord = 0;      // record code closing a parent
inline constexpr int kMaxStyleFlags = 14;

// A tab or close record: an entry of the item list that is no gadget.
inline constexpr bool isRecord(int typ) { return typ == kTabRecord || typ == kCloseRecord; }

// Gadget type numbers, in PureBasic's command order.
enum GadgetType : int {
    ButtonGadget = 1, ButtonImageGadget, CheckBoxGadget, ComboBoxGadget, EditorGadget,
    ExplorerComboGadget, ExplorerListGadget, ExplorerTreeGadget, Frame3DGadget,
    HyperLinkGadget, ImageGadget, ListIconGadget, ListViewGadget, OptionGadget, PanelGadget,
    ProgressBarGadget, ScrollAreaGadget, ScrollBarGadget, SpinGadget, StringGadget,
    TextGadget, TrackBarGadget, TreeGadget, WebGadget, CalendarGadget, DateGadget,
    IPAddressGadget, ContainerGadget, SplitterGadget
};

// Field mask bits: which optional fields a design record carries.
enum MaskBit : uint8_t { MaskText = 1, MaskFlags = 2, MaskPara1 = 4, MaskPara2 = 8, MaskPara3 = 16 };

// The flag bit that turns a ButtonGadget into an image-capable bitmap button.
inline constexpr uint32_t kButtonBitmapFlag = 0x80;

// One argument of a gadget's creation call after x, y, w, h.
enum class CreateArg : uint8_t {
    Text,        // wtext
    Flags,       // flags
    Para1,       // para1 (for a splitter: the first child's gadget)
    Para2,       // para2 (for a splitter: the second child's gadget)
    Para3,       // para3
    Zero,        // a literal 0 (no image yet)
};

struct StyleFlag {
    std::string_view name;
    uint32_t value;
};

struct TypeDefaults {
    int width, height;
    uint32_t flags;
    int para1, para2, para3;
    int font;
};

struct GadgetTypeInfo {
    std::string_view name;          // PureBasic command, default item name, menu label
    std::string_view code;          // two-letter keyboard code; empty for the splitter
    uint8_t mask;                   // zarntyp field mask
    std::string_view textRole;      // what the text means; empty when not stored
    std::string_view para1Role, para2Role, para3Role;
    std::span<const CreateArg> createArgs;
    std::span<const StyleFlag> styleFlags;
    TypeDefaults defaults;
    std::string_view initialText;   // text of a new item
};

// Whole row for a type 1..29; the caller must pass a valid type.
const GadgetTypeInfo& gadgetType(int typ);
bool isGadgetType(int typ);

inline std::string_view typeName(int typ) { return gadgetType(typ).name; }
inline uint8_t typeMask(int typ) { return gadgetType(typ).mask; }

// Types that open a gadget list: panel, scroll area, container.
bool isParentType(int typ);
// Image capability depends on the type and, for buttons, on bit 128 of flags.
bool isImageCapable(int typ, uint32_t flags);
// 1 = image shown as gadget state (types 2, 11), 2 = button bitmap, 0 = none.
int imageKind(int typ, uint32_t flags);
// Types whose style entries are mutually exclusive border styles (5, 17, 28).
bool hasExclusiveStyles(int typ);

// Keyboard creation: the type whose code is these two letters (case-insensitive).
std::optional<int> typeByCode(char first, char second);

// The 28 creatable types in creation-menu order (alphabetical, ignoring case).
std::span<const int> creationMenuOrder();

// The 29 field masks as written into the generated include.
const std::array<uint8_t, kTypeCount + 1>& fieldMasks();

// Texts of the previews that are never stored.
inline constexpr std::string_view kComboPreviewItem = "Test-Item ";
inline constexpr std::string_view kNewPanelTab = "Panel 0";

} // namespace zarnet
