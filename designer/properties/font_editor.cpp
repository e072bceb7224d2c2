// The font editor: the design's fonts in a list; a row clicked or a font
// chosen in the font dialog becomes the marked item's or the group's font.
#include "designer/properties/editor_window.h"
#include "designer/properties/font_list.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

namespace {

// The targets' canvas gadgets show the entry's font.
void showFont(Design& d, const FontTargets& t, int entry) {
    const Handle loaded = entry >= 0 && static_cast<size_t>(entry) < d.fonts.size()
                              ? d.fonts[static_cast<size_t>(entry)].loadedFont
                              : 0;
    for (size_t i : t.items)
        if (d.items[i].id)
            tk::SetGadgetFont(number(d.items[i].id), loaded ? tk::FontID(number(loaded)) : nullptr);
}

} // namespace

int runFontEditor(EditorHost& host, const std::vector<size_t>& items) {
    if (!host.design || items.empty() || !host.typeDefaults) return 0;
    Design& d = *host.design;
    const FontTargets targets{items, items.size() > 1};
    FontEditorState state = startFontEditor(d, targets, FontRole::Font);

    const int window = openEditorWindow(host, 0, 0, 400, 400, true);
    if (!window) return 0;
    const int list = fontListGadget(5, 5, 390, 320, d);
    const int select = tk::ButtonGadget(tk::PB_Any, 130, 330, 140, 20, "Select New Font");
    const int close = tk::ButtonGadget(tk::PB_Any, 150, 375, 100, 20, "Close");
    if (state.current >= 0) selectFontRow(list, state.current);

    auto assign = [&](int entry) {
        assignFont(d, targets, entry, *host.typeDefaults);
        showFont(d, targets, entry);
    };
    int result = 0;
    for (bool done = false; !done;) {
        const int ev = nextEditorEvent();
        if (dragByBackground(ev, window)) continue;
        if (ev == tk::PB_Event_CloseWindow && tk::EventWindow() == window) break;
        if (ev != tk::PB_Event_Gadget || tk::EventWindow() != window) continue;
        const int g = tk::EventGadget();
        if (g == close) {
            done = true;
        } else if (g == select) {
            if (const auto chosen = chooseFont(d, state, targets)) {
                assign(chosen->entry);
                freeFonts({chosen->oldFont});
                showFontRow(list, d, chosen->entry, chosen->newRow);
                result = 1;
            }
        } else if (g == list && tk::EventType() == tk::PB_EventType_LeftClick) {
            const int entry = fontRowEntry(list, static_cast<int>(tk::GetGadgetState(list)));
            if (entry >= 0) {
                fontRowClicked(state, entry);
                assign(entry);
                result = 1;
            }
        }
    }
    releaseFonts(host);
    closeEditorWindow(host, window);
    return result;
}

} // namespace zarnet::designer
