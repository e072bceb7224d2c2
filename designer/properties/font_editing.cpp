#include "designer/properties/font_editing.h"

namespace zarnet::designer {

FontEditorState startFontEditor(const Design& d, const FontTargets& t, FontRole role) {
    FontEditorState s;
    s.role = role;
    if (t.group || t.items.size() != 1 || t.items[0] >= d.items.size()) return s;
    const Item& it = d.items[t.items[0]];
    const int entry = role == FontRole::Font ? it.font : it.tfont;
    if (!fontInUse(d, entry) || fontUsedElsewhere(d, entry, t, role)) return s;
    s.replace = true;
    s.current = entry;
    return s;
}

void fontRowClicked(FontEditorState& s, int entry) {
    s.current = entry;
}

FontChosen fontChosen(Design& d, FontEditorState& s, const FontTargets& t,
                      const FontChoice& choice) {
    FontChosen c;
    if (s.replace && fontInUse(d, s.current) && !fontUsedElsewhere(d, s.current, t, s.role)) {
        c.entry = s.current;
        c.oldFont = replaceFontEntry(d, s.current, choice);
    } else {
        c.entry = newFontEntry(d, choice);
        c.newRow = true;
        s.current = c.entry;
        s.replace = true;
    }
    noteEdit(d);
    return c;
}

} // namespace zarnet::designer
