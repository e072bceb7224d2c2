#include "designer/canvas/canvas_build.h"

#include "designer/canvas/live_gadget.h"
#include "designer/canvas/structure.h"
#include "document/catalogue.h"
#include "toolkit/events.h"
#include "toolkit/fonts.h"
#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

#include <commctrl.h>

#include <vector>

namespace zarnet::designer {

namespace {

struct OpenParent {
    Handle gadget;
    int tab;
    bool listOpen;  // false when the platform refused the parent gadget
};

// Types whose live text is the stored text. Explorer gadgets report the
// folder they ended up in and the web gadget its page, which may differ
// from what the design asks for on this machine.
bool liveTextIsStored(int typ) {
    switch (typ) {
    case ButtonGadget:
    case CheckBoxGadget:
    case Frame3DGadget:
    case HyperLinkGadget:
    case OptionGadget:
    case StringGadget:
    case TextGadget:
        return true;
    default:
        return false;
    }
}

// Builds the live gadgets of items [begin, end) into the current gadget
// list; `open` holds the parents whose lists are open around them.
void buildRange(Design& d, size_t begin, size_t end, std::vector<OpenParent>& open) {
    for (size_t i = begin; i < end; ++i) {
        Item& it = d.items[i];
        if (it.insplitter == -1) it.insplitter = 0;
        it.bandmark = 0;
    }
    for (size_t i = begin; i < end; ++i) {
        Item& it = d.items[i];
        if (it.typ == kTabRecord) {
            if (open.empty()) continue;
            it.parent = open.back().gadget;
            it.number = static_cast<int16_t>(++open.back().tab);
            if (it.parent) tk::AddGadgetItem(number(it.parent), -1, it.wtext);
            continue;
        }
        if (it.typ == kCloseRecord) {
            if (open.empty()) continue;
            if (open.back().listOpen) tk::CloseGadgetList();
            it.parent = open.back().gadget;
            open.pop_back();
            continue;
        }
        it.parent = open.empty() ? 0 : open.back().gadget;
        it.tab = open.empty() ? 0 : std::max(open.back().tab, 0);
        if (it.typ == SplitterGadget) {
            it.firstitem = itemByNumber(d.items, it.para1);
            it.seconditem = itemByNumber(d.items, it.para2);
            if (it.firstitem < 0 || it.seconditem < 0) continue;
            Item& first = d.items[static_cast<size_t>(it.firstitem)];
            Item& second = d.items[static_cast<size_t>(it.seconditem)];
            it.firstgadget = first.id;
            it.secondgadget = second.id;
            createLiveGadget(it, d);
            if (second.parent) {
                it.parent = second.parent;
                it.tab = second.tab;
            }
            for (Item* child : {&first, &second}) {
                child->splitter = it.id;
                child->insplitter = 1;
            }
            if (it.id && it.para3 != -1) tk::SetGadgetState(number(it.id), it.para3);
            continue;
        }
        createLiveGadget(it, d);
        if (isParentType(it.typ)) open.push_back({it.id, it.typ == PanelGadget ? -1 : 0, it.id != 0});
    }
}

// Once every gadget of the range is made: panels back on their tab,
// scroll areas at their scroll position, and splitter separators set again
// (a splitter adopted by another was resized by it after its separator was
// set; inner ones come first in the list).
void settleRange(Design& d, size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
        Item& it = d.items[i];
        if (!it.isGadget() || !it.id) continue;
        const int g = number(it.id);
        if (it.typ == PanelGadget) {
            tk::SetGadgetState(g, it.view1);
        } else if (it.typ == ScrollAreaGadget && (it.view1 || it.view2)) {
            tk::SetGadgetAttribute(g, tk::PB_ScrollArea_X, it.view1);
            tk::SetGadgetAttribute(g, tk::PB_ScrollArea_Y, it.view2);
        } else if (it.typ == SplitterGadget && it.para3 != -1) {
            tk::SetGadgetState(g, it.para3);
        }
    }
}

} // namespace

void buildCanvas(Design& d, int canvasWindow) {
    HWND canvas = tk::WindowID(canvasWindow);
    tk::UseGadgetList(canvas);
    // Gadgets made in a shown window are each shown as they come, which
    // makes a large design take three times as long to build (redrawing
    // switched off does not avoid it); the canvas is hidden while it fills.
    const bool shown = IsWindowVisible(canvas);
    if (shown) ShowWindow(canvas, SW_HIDE);
    std::vector<OpenParent> open;
    buildRange(d, 0, d.items.size(), open);
    for (; !open.empty(); open.pop_back())
        if (open.back().listOpen) tk::CloseGadgetList();
    settleRange(d, 0, d.items.size());
    if (shown) ShowWindow(canvas, SW_SHOW);
    tk::DrainEvents();
}

void buildRun(Design& d, size_t first, size_t count, int canvasWindow) {
    // The parent the run lies in, and its current tab, from the list before it.
    struct Open {
        size_t item;
        int tab;
    };
    std::vector<Open> around;
    for (size_t i = 0; i < first; ++i) {
        const Item& it = d.items[i];
        if (it.typ == kTabRecord && !around.empty())
            ++around.back().tab;
        else if (it.typ == kCloseRecord && !around.empty())
            around.pop_back();
        else if (it.isGadget() && isParentType(it.typ))
            around.push_back({i, it.typ == PanelGadget ? -1 : 0});
    }
    tk::UseGadgetList(tk::WindowID(canvasWindow));
    std::vector<OpenParent> open;
    bool opened = false;
    if (!around.empty()) {
        const Item& p = d.items[around.back().item];
        const int tab = std::max(around.back().tab, 0);
        if (p.id) {
            tk::OpenGadgetList(number(p.id), p.typ == PanelGadget ? tab : -1);
            opened = true;
        }
        open.push_back({p.id, p.typ == PanelGadget ? tab : 0, false});
    }
    buildRange(d, first, first + count, open);
    if (opened) tk::CloseGadgetList();
    tk::UseGadgetList(tk::WindowID(canvasWindow));
    settleRange(d, first, first + count);
    // A frame lies below its siblings, as it does when first made.
    for (size_t i = first; i < first + count; ++i) {
        const Item& it = d.items[i];
        if (it.typ == Frame3DGadget && it.id)
            SetWindowPos(tk::GadgetID(number(it.id)), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void freeRun(Design& d, size_t first, size_t count) {
    // Splitters first: freeing one frees its two children as well.
    for (size_t i = first; i < first + count; ++i)
        if (d.items[i].typ == SplitterGadget) freeLiveGadget(d.items[i]);
    for (size_t i = first; i < first + count; ++i)
        if (d.items[i].isGadget()) freeLiveGadget(d.items[i]);
}

void refreshModelFromCanvas(Design& d, bool keepSplitterPositions, Refresh scope) {
    const bool everything = scope == Refresh::Everything;
    for (Item& it : d.items) {
        if (it.bandmark == -1) continue;
        if (it.typ == kTabRecord) {
            if (!everything) continue;
            if (it.parent && tk::IsGadget(number(it.parent)))
                it.wtext = tk::GetGadgetItemText(number(it.parent), it.number);
            continue;
        }
        if (!it.isGadget() || it.insplitter == -1 || !it.id) continue;
        if (scope == Refresh::Live && it.insplitter != 1 && it.typ != SplitterGadget &&
            it.typ != ListIconGadget && it.typ != StringGadget)
            continue;
        const int g = number(it.id);
        if (!tk::IsGadget(g)) continue;
        if (it.typ != ImageGadget) {
            const RECT r = tk::GadgetBounds(g);
            it.x = r.left;
            it.y = r.top;
            it.w = r.right - r.left;
            if (it.typ != ComboBoxGadget && it.typ != ExplorerComboGadget) it.h = r.bottom - r.top;
        }
        if (it.typ == ListIconGadget)
            it.para1 = static_cast<int>(
                tk::GetGadgetItemAttribute(g, 0, tk::PB_ListIcon_ColumnWidth, 0));
        else if (liveTextIsStored(it.typ) && (everything || it.typ == StringGadget))
            it.wtext = tk::GetGadgetText(g);
        if (it.typ == SplitterGadget)
            it.para3 = keepSplitterPositions ? static_cast<int>(tk::GetGadgetState(g)) : -1;
        if (!everything) continue;
        if (it.typ == PanelGadget) it.view1 = static_cast<int>(tk::GetGadgetState(g));
        if (it.typ == ScrollAreaGadget) {
            it.view1 = static_cast<int>(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_X));
            it.view2 = static_cast<int>(tk::GetGadgetAttribute(g, tk::PB_ScrollArea_Y));
        }
    }
}

void freeCanvas(Design& d) {
    // Splitters first: freeing one frees its two children as well.
    for (Item& it : d.items)
        if (it.typ == SplitterGadget) freeLiveGadget(it);
    for (Item& it : d.items)
        if (it.isGadget()) freeLiveGadget(it);
    tk::DrainEvents();
}

void loadDesignFonts(Design& d) {
    for (FontEntry& f : d.fonts) {
        if (f.gFontUsed == 0 || f.loadedFont) continue;
        const int font = tk::LoadFont(tk::PB_Any, f.gFontName, f.gFontsize,
                                      static_cast<uint32_t>(f.gFontstyle));
        f.loadedFont = static_cast<Handle>(font > 0 ? font : 0);
    }
}

void freeDesignFonts(Design& d) {
    for (FontEntry& f : d.fonts) {
        if (f.loadedFont) tk::FreeFont(number(f.loadedFont));
        f.loadedFont = 0;
    }
}

} // namespace zarnet::designer
