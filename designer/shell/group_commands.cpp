// The group menu's property entries (one font, tooltip, anchor or state for
// every member at once) and the front and back entries of both pop-ups.
// Each entry does what the object manager's control of the same property
// does for the group, so a member that cannot take a property keeps its
// value as it would there, and each is one step of the edit history.
#include "designer/shell/designer.h"

#include "toolkit/toolkit.h"

#include <algorithm>
#include <optional>

namespace zarnet::designer {

namespace {

struct AnchorEntry {
    int field, bit;
    const char* text;
};
constexpr AnchorEntry kAnchorEntries[] = {
    {16, 1, "RX: x in proportion to the window"},
    {17, 2, "RY: y in proportion to the window"},
    {18, 4, "RW: width in proportion to the window"},
    {19, 8, "RH: height in proportion to the window"},
    {32, 16, "X: keeps its distance to the right border"},
    {33, 32, "Y: keeps its distance to the bottom border"},
    {34, 64, "W: width follows the right border"},
    {35, 128, "H: height follows the bottom border"},
};

struct StatusEntry {
    int id, field, bit;
};
constexpr StatusEntry kStatusEntries[] = {
    {MenuGroupHidden, FieldHide, kStatusHidden},
    {MenuGroupDisabled, FieldDisable, kStatusDisabled},
    {MenuGroupFixed, FieldFixed, kStatusFixed},
};

enum class Common { None, All, Some };

// A check mark for all, a bullet for some, nothing for none.
void showCommon(int menu, int id, Common c) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    HMENU h = tk::MenuID(menu);
    if (!GetMenuItemInfoA(h, static_cast<UINT>(id), FALSE, &info)) return;
    info.fType = c == Common::Some ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
    info.fState = c == Common::None ? (info.fState & ~MFS_CHECKED) : (info.fState | MFS_CHECKED);
    SetMenuItemInfoA(h, static_cast<UINT>(id), FALSE, &info);
}

} // namespace

void addStackingEntries() {
    tk::MenuItem(MenuBringToFront, "Bring to Front\tCtrl+Shift+]");
    tk::MenuItem(MenuSendToBack, "Send to Back\tCtrl+Shift+[");
    tk::MenuItem(MenuBringForward, "Bring Forward\tCtrl+]");
    tk::MenuItem(MenuSendBackward, "Send Backward\tCtrl+[");
}

void Designer::addGroupPropertyEntries() {
    tk::MenuBar();
    tk::MenuItem(MenuGroupFont, "Font...");
    tk::MenuItem(MenuGroupFontOff, "Default Font");
    tk::MenuItem(MenuGroupTooltip, "Tooltip...");
    tk::OpenSubMenu("Anchors");
    for (size_t k = 0; k < std::size(kAnchorEntries); ++k)
        tk::MenuItem(MenuGroupAnchorFirst + static_cast<int>(k), kAnchorEntries[k].text);
    tk::CloseSubMenu();
    tk::MenuItem(MenuGroupHidden, "Hidden");
    tk::MenuItem(MenuGroupDisabled, "Disabled");
    tk::MenuItem(MenuGroupFixed, "Fixed");
    tk::MenuBar();
    addStackingEntries();

    const auto common = [&](auto has) {
        const size_t n = static_cast<size_t>(std::count_if(
            sel.group.begin(), sel.group.end(),
            [&](const GroupMember& m) { return has(design.items[m.item]); }));
        return n == 0 ? Common::None : n == sel.group.size() ? Common::All : Common::Some;
    };
    for (size_t k = 0; k < std::size(kAnchorEntries); ++k)
        showCommon(kGroupMenu, MenuGroupAnchorFirst + static_cast<int>(k),
                   common([&](const Item& it) { return (it.auto_ & kAnchorEntries[k].bit) != 0; }));
    for (const StatusEntry& e : kStatusEntries)
        showCommon(kGroupMenu, e.id,
                   common([&](const Item& it) { return (it.status & e.bit) != 0; }));
}

namespace {

// Many members changed one after another repaint once, at the end.
class CanvasRedrawOff {
  public:
    explicit CanvasRedrawOff(HWND canvas) : canvas_(canvas) {
        SendMessageA(canvas_, WM_SETREDRAW, FALSE, 0);
    }
    ~CanvasRedrawOff() {
        SendMessageA(canvas_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(canvas_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    CanvasRedrawOff(const CanvasRedrawOff&) = delete;
    CanvasRedrawOff& operator=(const CanvasRedrawOff&) = delete;

  private:
    HWND canvas_;
};

} // namespace

void Designer::groupPropertyCommand(int id) {
    if (!sel.groupMode) return;
    // The requesters open windows of their own over the canvas, which must
    // go on painting meanwhile.
    std::optional<CanvasRedrawOff> quiet;
    if (id != MenuGroupFont && id != MenuGroupTooltip) quiet.emplace(canvas);
    // What the entry would set: on, unless every member has it already.
    const auto turnOn = [&](auto has) {
        return !std::all_of(sel.group.begin(), sel.group.end(),
                            [&](const GroupMember& m) { return has(design.items[m.item]); });
    };
    if (id == MenuGroupFont || id == MenuGroupFontOff || id == MenuGroupTooltip) {
        if (id == MenuGroupFontOff) tk::SetGadgetState(fields[FieldFont], 0);
        fontOrTooltipField(id == MenuGroupFont      ? FieldSelectFont
                           : id == MenuGroupFontOff ? FieldFont
                                                    : FieldEdit);
        return;
    }
    for (const StatusEntry& e : kStatusEntries) {
        if (e.id != id) continue;
        const bool on = turnOn([&](const Item& it) { return (it.status & e.bit) != 0; });
        tk::SetGadgetState(fields[e.field], on ? 1 : 0);
        fieldEvent(e.field);
        if (sel.groupMode) showFields();
        return;
    }
    const int k = id - MenuGroupAnchorFirst;
    if (k < 0 || k >= static_cast<int>(std::size(kAnchorEntries))) return;
    const AnchorEntry& a = kAnchorEntries[k];
    tk::SetGadgetState(fields[a.field],
                       turnOn([&](const Item& it) { return (it.auto_ & a.bit) != 0; }) ? 1 : 0);
    fieldEvent(a.field);
}

} // namespace zarnet::designer
