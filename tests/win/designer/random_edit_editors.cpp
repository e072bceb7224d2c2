// The operations of a random run on the editors: the context pop-up, the
// values editor, the font and tooltip editors with the object manager's
// switches, driven through their controls by the clock.
#include "random_edit_ops.h"

#include "designer/canvas/selection.h"
#include "document/catalogue.h"
#include "toolkit/toolkit.h"

namespace randomedit::ops {

using namespace zarnet;
using namespace zarnet::designer;

namespace {

// A click on one of the open editor's enabled buttons and boxes.
void clickAnyButton(HWND editor, Rng& r) {
    std::vector<HWND> buttons;
    for (HWND h : editorControls(editor, "Button")) {
        char text[128] = {};
        GetWindowTextA(h, text, sizeof text);
        if (IsWindowEnabled(h) && IsWindowVisible(h) && std::string(text) != "New Gadget")
            buttons.push_back(h);
    }
    if (!buttons.empty()) SendMessageA(r.pick(buttons), BM_CLICK, 0, 0);
}

tk::FontChoice someFont(Rng& r) {
    static const std::vector<tk::FontChoice> fonts{{"Arial", 10, 0, 0},
                                                   {"Courier New", 12, tk::PB_Font_Bold, 0},
                                                   {"Times New Roman", 9, 0x200, 0},
                                                   {"Tahoma", 14, tk::PB_Font_Bold | 0x200, 0}};
    return r.pick(fonts);
}

// A row of the editor's font list clicked.
void clickFontRow(HWND e, uint32_t pick) {
    HWND list = editorControlOfClass(e, "SysListView32", 0);
    if (!list || !IsWindowEnabled(list)) return;
    const int rows = ListView_GetItemCount(list);
    if (rows <= 0) return;
    const int row = static_cast<int>(pick % static_cast<uint32_t>(rows));
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NMITEMACTIVATE n{};
    n.hdr.hwndFrom = list;
    n.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
    n.hdr.code = NM_CLICK;
    n.iItem = row;
    SendMessageA(GetParent(list), WM_NOTIFY, n.hdr.idFrom, reinterpret_cast<LPARAM>(&n));
}

} // namespace

bool openPopup(S& s, Rng& r) {
    if (!single(s)) return false;
    const auto p = s.pointOn(static_cast<size_t>(s.d.sel.marked), r);
    if (!p || !cursorOverItem(s.d.design, static_cast<size_t>(s.d.sel.marked), *p)) return false;
    s.rightClick(*p);
    return true;
}

void clickIn(HWND editor, const std::string& caption) {
    HWND h = editorControl(editor, caption);
    if (h && IsWindowEnabled(h)) SendMessageA(h, BM_CLICK, 0, 0);
}

namespace {

void fontSteps(S& s, Rng& r) {
    if (r.chance(80)) s.requesters.fonts = {someFont(r)};
    const uint32_t row = r.below(16);
    if (r.chance(70))
        s.clock.steps.push_back([](HWND e) { clickIn(e, "Select New Font"); });
    else
        s.clock.steps.push_back([row](HWND e) { clickFontRow(e, row); });
}

// Opening an editor and closing it untouched leaves the saved design as it
// was.
void untouched(S& s, Rng& r, bool popup) {
    if (!markOne(s, r)) return;
    const size_t at = static_cast<size_t>(s.d.sel.marked);
    const std::string what = named(s, at);
    const auto before = s.savedBytes();
    if (popup) {
        if (!openPopup(s, r)) return;
    } else {
        s.key(VK_RETURN);
    }
    const auto after = s.savedBytes();
    if (before != after)
        s.note(std::string("untouched: opening and closing the ") +
               (popup ? "context pop-up" : "values editor") + " of " + what +
               " changed the saved design, " + differenceAt(before, after));
}

} // namespace

void stylePopup(S& s, Rng& r) {
    if (!markOne(s, r)) return;
    s.requesters.colours = {static_cast<int32_t>(r.below(0x1000000))};
    const int clicks = r.range(1, 2);
    for (int k = 0; k < clicks; ++k) {
        const uint64_t pick = r.next();
        s.clock.steps.push_back([pick](HWND e) {
            Rng choose(pick);
            clickAnyButton(e, choose);
        });
    }
    openPopup(s, r);
}

void popupUntouched(S& s, Rng& r) {
    untouched(s, r, true);
}

void valuesUntouched(S& s, Rng& r) {
    untouched(s, r, false);
}

void valuesEditor(S& s, Rng& r) {
    if (!markOne(s, r)) return;
    static const std::vector<std::string> texts{
        "", "Hello", "Text 1", "  spaced  ", "two\r\nlines", std::string(120, 'x')};
    static const std::vector<std::string> numbers{"0",   "5",   "50",    "-3", "100",
                                                  "250", "abc", "99999", ""};
    const auto pictures = pictureFiles();
    s.requesters.files = {s.folder + r.pick(pictures).first};
    const int actions = r.range(1, 3);
    for (int k = 0; k < actions; ++k) {
        const int kind = r.range(0, 2);
        const std::string text = kind == 0 ? r.pick(texts) : r.pick(numbers);
        const int nth = r.range(0, 2);
        const uint64_t pick = r.next();
        s.clock.steps.push_back([kind, text, nth, pick](HWND e) {
            if (kind == 0) {
                if (HWND h = editorControlOfClass(e, "RichEdit20A", 0); h && IsWindowEnabled(h))
                    SetWindowTextA(h, text.c_str());
            } else if (kind == 1) {
                if (HWND h = editorControlOfClass(e, "Edit", nth); h && IsWindowEnabled(h))
                    SetWindowTextA(h, text.c_str());
            } else {
                Rng choose(pick);
                clickAnyButton(e, choose);
            }
        });
    }
    s.key(VK_RETURN);
}

void font(S& s, Rng& r) {
    if (!selectSome(s, r)) return;
    const int f = s.d.fields[FieldFont];
    if (r.chance(60)) {
        fontSteps(s, r);
        s.d.fieldEvent(FieldSelectFont);
        return;
    }
    const bool on = tk::GetGadgetState(f) == 0;
    tk::SetGadgetState(f, on ? 1 : 0);
    if (on) fontSteps(s, r);
    s.d.fieldEvent(FieldFont);
}

void tooltip(S& s, Rng& r) {
    if (!selectSome(s, r)) return;
    const int which = r.range(0, 4);
    if (which < 2) {
        const int field = which == 0 ? FieldTooltip : FieldExtend;
        tk::SetGadgetState(s.d.fields[field], tk::GetGadgetState(s.d.fields[field]) == 0 ? 1 : 0);
        s.d.fieldEvent(field);
        return;
    }
    static const std::vector<std::string> texts{"", "Tip", "Another tip"};
    static const std::vector<std::string> numbers{"0", "100", "750", "abc", "99999"};
    if (r.chance(80)) {
        const std::string text = r.pick(texts);
        s.clock.steps.push_back([text](HWND e) {
            if (HWND h = editorControlOfClass(e, "RichEdit20A", 0); h && IsWindowEnabled(h))
                SetWindowTextA(h, text.c_str());
        });
    }
    const int extras = r.range(0, 3);
    s.requesters.colours = {static_cast<int32_t>(r.below(0x1000000)),
                            static_cast<int32_t>(r.below(0x1000000))};
    s.requesters.fonts = {someFont(r)};
    for (int k = 0; k < extras; ++k) {
        const int kind = r.range(0, 6);
        const std::string number = r.pick(numbers);
        const int nth = r.range(0, 1);
        const uint32_t row = r.below(16);
        s.clock.steps.push_back([kind, number, nth, row](HWND e) {
            static const char* captions[] = {"Balloon Style", "Font", "Select New Font",
                                             "Front color", "Back color"};
            if (kind < 5) {
                clickIn(e, captions[kind]);
            } else if (kind == 5) {
                if (HWND h = editorControlOfClass(e, "Edit", nth); h && IsWindowEnabled(h))
                    SetWindowTextA(h, number.c_str());
            } else {
                clickFontRow(e, row);
            }
        });
    }
    if (r.chance(25)) s.clock.steps.push_back([](HWND e) { clickIn(e, "Cancel"); });
    s.d.fieldEvent(FieldEdit);
}

void statusToggle(S& s, Rng& r) {
    if (!selectSome(s, r)) return;
    static const std::vector<int> fields{FieldFixed, FieldDisable, FieldHide, 16, 17, 18,
                                         19,         32,           33,        34, 35};
    const int f = r.pick(fields);
    tk::SetGadgetState(s.d.fields[f], tk::GetGadgetState(s.d.fields[f]) == 0 ? 1 : 0);
    s.d.fieldEvent(f);
}

void hideFromTree(S& s, Rng& r) {
    std::vector<size_t> items;
    for (size_t i = 0; i < s.d.design.items.size(); ++i)
        if (s.d.design.items[i].isGadget() && s.d.design.items[i].treeitem) items.push_back(i);
    if (items.empty()) return;
    s.d.toggleHiddenFromTree(reinterpret_cast<HTREEITEM>(s.d.design.items[r.pick(items)].treeitem));
}

void rename(S& s, Rng& r) {
    if (!markOne(s, r)) return;
    static const std::vector<std::string> names{"OkButton", "", "name with spaces", "Item_2",
                                                std::string(60, 'n')};
    tk::SetGadgetText(s.d.fields[FieldName], r.pick(names));
    s.d.renameMarked();
}

} // namespace randomedit::ops
