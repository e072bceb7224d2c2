// The marked gadget's context pop-up: a check box per style entry of its
// type and the container and panel commands, polled by its own loop.
#include "designer/properties/editor_window.h"
#include "designer/properties/live_update.h"
#include "designer/properties/panel_commands.h"
#include "designer/properties/panel_tabs.h"
#include "designer/properties/style_flags.h"
#include "document/catalogue.h"
#include "toolkit/toolkit.h"

#include <utility>

namespace zarnet::designer {

namespace {

bool buttonDown(int key) { return (tk::input().asyncKeyState(key) & 0x8000) != 0; }

// Down now or pressed since the last look: a quick click between two polls
// still counts.
bool buttonPressed(int key) { return tk::input().asyncKeyState(key) != 0; }

void waitForButtonsUp(std::initializer_list<int> keys) {
    for (;;) {
        bool down = false;
        for (int k : keys) down = down || buttonDown(k);
        if (!down) return;
        tk::DrainEvents();
        tk::Delay(4);
    }
}

bool cursorOver(int window) {
    RECT r;
    if (!GetWindowRect(tk::WindowID(window), &r)) return false;
    const POINT p = tk::input().cursorPos();
    return PtInRect(&r, p) != 0;
}

struct Popup {
    EditorHost& host;
    size_t index;
    POINT rightClickAt;
    ContextPopupLayout layout;
    int window = 0;
    std::vector<int> boxes;                                 // gadget of box i
    std::vector<std::pair<int, PopupCommand>> commands;     // gadget, command
    bool close = false, valuesWanted = false, menuOpen = false;

    Item& item() { return host.design->items[index]; }

    void build() {
        for (const PopupButton& b : layout.buttons) {
            const int g = tk::ButtonGadget(tk::PB_Any, b.rect.x, b.rect.y, b.rect.w, b.rect.h,
                                           b.text);
            if (!b.enabled) tk::DisableGadget(g, true);
            if (!b.tooltip.empty()) tk::GadgetToolTip(g, b.tooltip);
            commands.emplace_back(g, b.command);
        }
        for (const PopupCheckBox& c : layout.boxes) {
            const int g = tk::CheckBoxGadget(tk::PB_Any, c.rect.x, c.rect.y, c.rect.w, c.rect.h,
                                             c.label);
            onEditorColour(g);
            tk::SetGadgetState(g, c.checked ? 1 : 0);
            boxes.push_back(g);
        }
    }

    std::vector<bool> checks() const {
        std::vector<bool> v;
        for (int g : boxes) v.push_back(tk::GetGadgetState(g) != 0);
        return v;
    }

    void apply(const StyleChange& c) {
        Item& it = item();
        it.flags = c.flags;
        if (c.swapSize) std::swap(it.w, it.h);
        for (size_t i = 0; i < boxes.size() && i < c.checks.size(); ++i)
            tk::SetGadgetState(boxes[i], c.checks[i] ? 1 : 0);
        switch (c.update) {
        case CanvasUpdate::None:
            break;
        case CanvasUpdate::RestyleInPlace:
            restyleBorder(it, c.native);
            break;
        case CanvasUpdate::Recreate:
            recreateGadget(host, index);
            if (host.remark) host.remark(index);
            break;
        case CanvasUpdate::RebuildCanvas:
        case CanvasUpdate::RebuildWithoutSplitterPositions:
            if (host.rebuildCanvas)
                host.rebuildCanvas(c.update == CanvasUpdate::RebuildCanvas);
            if (host.remark) host.remark(index);
            break;
        }
        if (c.updatesTypeDefaults && host.typeDefaults)
            (*host.typeDefaults)[static_cast<size_t>(item().typ)].flags = item().flags;
        if (c.closePopup) close = true;
        tk::UseGadgetList(tk::WindowID(window));
    }

    void boxClicked(int k) {
        markModified(host);
        if (!hasExclusiveStyles(item().typ)) refreshFromGadget(item());
        apply(styleBoxClicked(item(), checks(), k));
    }

    void command(PopupCommand c) {
        markModified(host);
        switch (c) {
        case PopupCommand::NewColor: {
            refreshFromGadget(item());
            const int32_t colour = chooseColour(tk::WindowID(window),
                                                static_cast<int32_t>(item().flags));
            apply(linkColourChosen(item(), colour < 0 ? std::nullopt
                                                      : std::optional<uint32_t>(colour)));
            close = true;
            return;
        }
        case PopupCommand::NewGadget:
            if (host.creationMenu < 0) return;
            menuOpen = true;
            tk::DisplayPopupMenu(host.creationMenu, tk::WindowID(window));
            return;
        case PopupCommand::RemoveContainer:
            if (host.removeContainer) host.removeContainer(index);
            break;
        case PopupCommand::RemoveSplitter:
            if (host.removeSplitter) host.removeSplitter(index);
            break;
        case PopupCommand::NewPanelAfter:
            addPanelTab(host, index, TabSide::After);
            break;
        case PopupCommand::NewPanelBefore:
            addPanelTab(host, index, TabSide::Before);
            break;
        case PopupCommand::RemovePanel:
            removeShowingTab(host, index);
            break;
        }
        close = true;
    }

    void event(int ev) {
        if (ev == tk::PB_Event_Menu && tk::EventWindow() == window) {
            const int choice = tk::EventMenu();
            if (choice >= 1 && choice < 30 && host.createInside)
                host.createInside(choice, rightClickAt);
            close = true;
            return;
        }
        if (ev != tk::PB_Event_Gadget || tk::EventWindow() != window) {
            dragByBackground(ev, window);
            return;
        }
        const int g = tk::EventGadget();
        for (size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i] == g) return boxClicked(layout.boxes[i].entry);
        for (const auto& [gadget, c] : commands)
            if (gadget == g) return command(c);
    }

    void run() {
        // Clicks from before the pop-up opened are not its business.
        for (int key : {VK_LBUTTON, VK_RBUTTON}) tk::input().asyncKeyState(key);
        while (!close) {
            const int ev = nextEditorEvent();
            if (ev) event(ev);
            if (close) break;
            if (menuOpen) {
                // The menu has gone when its choice was read or it was
                // dismissed; a dismissed menu leaves the pop-up open.
                if (ev == 0) menuOpen = false;
                continue;
            }
            if (buttonPressed(VK_LBUTTON) && !cursorOver(window)) close = true;
            if (buttonPressed(VK_RBUTTON)) {
                close = true;
                valuesWanted = cursorOver(window);
            }
        }
    }
};

} // namespace

bool runContextPopup(EditorHost& host, size_t item, POINT rightClickAt) {
    if (!host.design || item >= host.design->items.size()) return false;
    const Item& it = host.design->items[item];
    PopupSubject subject;
    subject.typ = it.typ;
    subject.flags = it.flags;
    subject.insplitter = it.insplitter;
    if (it.typ == PanelGadget) subject.tabCount = panelTabCount(host.design->items, item);
    auto layout = contextPopupLayout(subject);
    if (!layout) return true;

    waitForButtonsUp({VK_RBUTTON});
    const POINT cursor = tk::input().cursorPos();
    const Point at = popupPosition({cursor.x, cursor.y}, layout->height,
                                   GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    Popup p{host, item, rightClickAt, std::move(*layout)};
    p.window = openEditorWindow(host, at.x, at.y, kPopupWidth, p.layout.height + 10, false);
    if (!p.window) return false;
    p.build();
    p.run();
    closeEditorWindow(host, p.window);
    waitForButtonsUp({VK_LBUTTON, VK_RBUTTON});
    return p.valuesWanted;
}

} // namespace zarnet::designer
