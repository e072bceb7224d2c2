// The tooltip editor: the text of the marked item's tooltip and the
// extended settings (colours, delay, width, balloon, font) kept as the
// tooltip defaults, tried out on a live test button.
#include "designer/properties/editor_window.h"
#include "designer/properties/font_list.h"
#include "runtime/tooltips.h"
#include "toolkit/toolkit.h"

#include <algorithm>

namespace zarnet::designer {

namespace {

struct TooltipEditor {
    EditorHost& host;
    FontTargets targets;
    bool extended;
    TooltipDefaults& td;
    FontEditorState fontState;
    int window = 0;
    int text = 0, test = 0, front = 0, back = 0, time = 0, width = 0, balloon = 0, font = 0;
    int list = 0, select = 0, close = 0, cancel = 0;
    HWND extendedTip = nullptr;
    // Fonts replaced in place are freed on "Close" only: "Cancel" puts the
    // table back as it was, with them.
    std::vector<Handle> replaced;

    Design& d() { return *host.design; }

    HFONT tipFont() {
        if (td.tfont < 0 || static_cast<size_t>(td.tfont) >= d().fonts.size()) return nullptr;
        const Handle f = d().fonts[static_cast<size_t>(td.tfont)].loadedFont;
        return f ? tk::FontID(number(f)) : nullptr;
    }

    // The test button made again with the editor's text as its tooltip.
    void buildTestButton() {
        if (extendedTip) DestroyWindow(extendedTip);
        extendedTip = nullptr;
        if (test) tk::FreeGadget(test);
        tk::UseGadgetList(tk::WindowID(window));
        test = tk::ButtonGadget(tk::PB_Any, 215, 5, 180, 40, "Click to update test button");
        const std::string tip = targets.group ? std::string() : tk::GetGadgetText(text);
        if (extended)
            extendedTip = ApiToolTip(tk::GadgetID(test), tip, td.tfcolor, td.tbcolor, tipFont(),
                                     td.ttime, td.twidth, td.tballoon);
        else
            tk::GadgetToolTip(test, tip);
    }

    void strip(int x, int y, int w, int h) { tk::TextGadget(tk::PB_Any, x, y, w, h, ""); }

    void build() {
        text = tk::EditorGadget(tk::PB_Any, 5, 5, 200, 200);
        if (targets.group) {
            tk::SetGadgetText(text, "This is a group!");
            tk::DisableGadget(text, true);
        } else {
            tk::SetGadgetText(text, d().items[targets.items.front()].tooltipText);
        }
        strip(215, 75, 180, 2);
        strip(215, 210, 180, 2);
        strip(215, 75, 2, 137);
        strip(393, 75, 2, 137);
        front = tk::ButtonGadget(tk::PB_Any, 220, 81, 170, 20, "Front color");
        back = tk::ButtonGadget(tk::PB_Any, 220, 103, 170, 20, "Back color");
        onEditorColour(tk::TextGadget(tk::PB_Any, 220, 127, 105, 18, "Time before tooltip"));
        time = tk::StringGadget(tk::PB_Any, 325, 125, 65, 20, std::to_string(td.ttime),
                                tk::PB_String_Numeric | ES_RIGHT);
        onEditorColour(tk::TextGadget(tk::PB_Any, 220, 147, 105, 18, "Maximal tooltip width"));
        width = tk::StringGadget(tk::PB_Any, 325, 145, 65, 20, std::to_string(td.twidth),
                                 tk::PB_String_Numeric | ES_RIGHT);
        balloon = tk::CheckBoxGadget(tk::PB_Any, 220, 165, 175, 20, "Balloon Style");
        font = tk::CheckBoxGadget(tk::PB_Any, 220, 185, 175, 20, "Font");
        onEditorColour(balloon);
        onEditorColour(font);
        list = fontListGadget(5, 215, 390, 130, d());
        select = tk::ButtonGadget(tk::PB_Any, 130, 350, 140, 20, "Select New Font");
        close = tk::ButtonGadget(tk::PB_Any, 90, 375, 100, 20, "Close");
        cancel = tk::ButtonGadget(tk::PB_Any, 210, 375, 100, 20, "Cancel");
        tk::SetGadgetState(balloon, td.tballoon ? 1 : 0);
        if (fontState.current >= 0) selectFontRow(list, fontState.current);
        const TooltipEditorEnables e = tooltipEditorEnables(extended, td);
        tk::SetGadgetState(font, e.fontChecked ? 1 : 0);
        for (int g : {front, back, time, width, balloon, font})
            tk::DisableGadget(g, !e.extended);
        enableFontList(e.fontList);
        buildTestButton();
        SetFocus(tk::GadgetID(text));
    }

    void enableFontList(bool on) {
        tk::DisableGadget(list, !on);
        tk::DisableGadget(select, !on);
    }

    void colour(uint32_t& c) {
        const int32_t chosen = chooseColour(tk::WindowID(window), static_cast<int32_t>(c));
        if (chosen >= 0) c = static_cast<uint32_t>(chosen);
    }

    // -2 while open, else the result.
    int event(int ev) {
        if (dragByBackground(ev, window)) return -2;
        if (ev == tk::PB_Event_CloseWindow && tk::EventWindow() == window) return -1;
        if (ev != tk::PB_Event_Gadget || tk::EventWindow() != window) return -2;
        const int g = tk::EventGadget();
        if (g == close) {
            markModified(host);
            const std::string typed = tk::GetGadgetText(text);
            return closeTooltipEditor(d(), targets, typed, td);
        }
        if (g == cancel) return -1;
        if (g == test) {
            buildTestButton();
        } else if (g == balloon) {
            td.tballoon = tk::GetGadgetState(balloon) != 0 ? 1 : 0;
        } else if (g == time && tk::EventType() == tk::PB_EventType_Change) {
            td.ttime = tooltipTimeFromField(tk::GetGadgetText(time));
        } else if (g == width && tk::EventType() == tk::PB_EventType_Change) {
            td.twidth = tooltipWidthFromField(tk::GetGadgetText(width));
        } else if (g == front) {
            colour(td.tfcolor);
        } else if (g == back) {
            colour(td.tbcolor);
        } else if (g == font) {
            const bool on = tk::GetGadgetState(font) != 0;
            enableFontList(on);
            if (!on) td.tfont = -1;
        } else if (g == select) {
            if (const auto chosen = chooseFont(d(), fontState, targets)) {
                td.tfont = chosen->entry;
                replaced.push_back(chosen->oldFont);
                showFontRow(list, d(), chosen->entry, chosen->newRow);
            }
        } else if (g == list && tk::EventType() == tk::PB_EventType_LeftClick) {
            const int entry = fontRowEntry(list, static_cast<int>(tk::GetGadgetState(list)));
            if (entry >= 0) {
                fontRowClicked(fontState, entry);
                td.tfont = entry;
            }
        }
        return -2;
    }
};

} // namespace

int runTooltipEditor(EditorHost& host, const std::vector<size_t>& items, bool extended) {
    if (!host.design || items.empty() || !host.tooltipDefaults) return -1;
    TooltipDefaults& td = *host.tooltipDefaults;
    const TooltipDefaults atOpening = td;
    const std::vector<FontEntry> fontsAtOpening = host.design->fonts;
    const FontTargets targets{items, items.size() > 1};
    TooltipEditor e{host, targets, extended, td,
                    startFontEditor(*host.design, targets, FontRole::TooltipFont)};
    e.window = openEditorWindow(host, 0, 0, 400, 400, true);
    if (!e.window) return -1;
    e.build();
    int result = -2;
    while (result == -2)
        if (const int ev = nextEditorEvent()) result = e.event(ev);
    // The test tooltip shows the chosen font: it goes before any font does.
    if (e.extendedTip) DestroyWindow(e.extendedTip);
    e.extendedTip = nullptr;
    if (result < 0) {
        // A cancelled editor leaves the settings new tooltips start with
        // alone, and the font table as it found it: every font loaded since
        // goes, those a later choice replaced in place among them.
        td = atOpening;
        std::vector<Handle> made;
        const auto fromOpening = [&](Handle f) {
            return std::any_of(fontsAtOpening.begin(), fontsAtOpening.end(),
                               [f](const FontEntry& e) { return e.loadedFont == f; });
        };
        for (const FontEntry& entry : host.design->fonts)
            if (entry.loadedFont && !fromOpening(entry.loadedFont)) made.push_back(entry.loadedFont);
        for (const Handle f : e.replaced)
            if (f && !fromOpening(f) && std::find(made.begin(), made.end(), f) == made.end())
                made.push_back(f);
        freeFonts(made);
        host.design->fonts = fontsAtOpening;
    } else {
        freeFonts(e.replaced);
    }
    releaseFonts(host);
    closeEditorWindow(host, e.window);
    return result;
}

} // namespace zarnet::designer
