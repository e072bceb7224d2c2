// The values editor: the marked item's text, ranges, inner size, splitter
// minimum sizes or picture, in a small window with its own loop.
#include "designer/canvas/structure.h"
#include "designer/properties/editor_window.h"
#include "designer/properties/pictures.h"
#include "designer/properties/values_apply.h"
#include "designer/properties/values_layout.h"
#include "document/catalogue.h"
#include "toolkit/toolkit.h"

#include <array>

namespace zarnet::designer {

namespace {

struct ValuesEditor {
    EditorHost& host;
    size_t index;
    ValuesLayout layout;
    int window = 0;
    std::vector<int> gadgets; // one per control of the layout
    int editor = 0;
    std::array<int, 3> fields{};
    int transparent = 0, autoResize = 0;
    bool close = false;

    Item& item() { return host.design->items[index]; }
    int canvasGadget() { return number(item().id); }

    int make(const ValuesControl& c) {
        const Rect& r = c.rect;
        int g = 0;
        switch (c.kind) {
        case ValuesControlKind::Text:
            g = tk::TextGadget(tk::PB_Any, r.x, r.y, r.w, r.h, c.text);
            onEditorColour(g);
            break;
        case ValuesControlKind::RightText:
            g = tk::TextGadget(tk::PB_Any, r.x, r.y, r.w, r.h, c.text, tk::PB_Text_Right);
            onEditorColour(g);
            break;
        case ValuesControlKind::NumberField:
            g = tk::StringGadget(tk::PB_Any, r.x, r.y, r.w, r.h, c.text, tk::PB_String_Numeric);
            break;
        case ValuesControlKind::CheckBox:
            g = tk::CheckBoxGadget(tk::PB_Any, r.x, r.y, r.w, r.h, c.text);
            onEditorColour(g);
            tk::SetGadgetState(g, c.checked ? 1 : 0);
            break;
        case ValuesControlKind::Button:
            g = tk::ButtonGadget(tk::PB_Any, r.x, r.y, r.w, r.h, c.text);
            break;
        case ValuesControlKind::TextEditor:
            g = tk::EditorGadget(tk::PB_Any, r.x, r.y, r.w, r.h);
            break;
        }
        if (g && !c.enabled) tk::DisableGadget(g, true);
        return g;
    }

    std::string startingText() {
        const int g = canvasGadget();
        switch (layout.source) {
        case EditorSource::CurrentTabTitle:
            return tk::GetGadgetItemText(g, static_cast<int>(tk::GetGadgetState(g)));
        case EditorSource::ItemText:
            return item().wtext;
        case EditorSource::GadgetText:
            return tk::GetGadgetText(g);
        case EditorSource::None:
            break;
        }
        return {};
    }

    void build() {
        for (const ValuesControl& c : layout.controls) {
            const int g = make(c);
            gadgets.push_back(g);
            switch (c.role) {
            case ValuesRole::Editor:
                editor = g;
                break;
            case ValuesRole::Field:
                fields[static_cast<size_t>(c.field)] = g;
                break;
            case ValuesRole::Transparent:
                transparent = g;
                break;
            case ValuesRole::AutoResize:
                autoResize = g;
                break;
            default:
                break;
            }
        }
        if (!editor) return;
        const std::string text = startingText();
        tk::SetGadgetText(editor, text);
        HWND e = tk::GadgetID(editor);
        SetFocus(e);
        if (!text.empty()) SendMessageA(e, EM_SETSEL, 0, -1);
    }

    int currentFlags() {
        return pictureFlags(tk::GetGadgetState(transparent) != 0,
                            tk::GetGadgetState(autoResize) != 0);
    }

    void minimumSize(bool first, int box) {
        Item& s = item();
        // By number: list positions move whenever items go in before it.
        const int child = itemByNumber(host.design->items, first ? s.para1 : s.para2);
        PixelSize size;
        if (child >= 0 && static_cast<size_t>(child) < host.design->items.size()) {
            const int g = number(host.design->items[static_cast<size_t>(child)].id);
            size = {tk::GadgetWidth(g), tk::GadgetHeight(g)};
        }
        const int v = actualMinimumSize(tk::GetGadgetState(box) != 0, s.flags, size);
        (first ? s.para5 : s.para6) = v;
        tk::SetGadgetAttribute(canvasGadget(),
                               first ? tk::PB_Splitter_FirstMinimumSize
                                     : tk::PB_Splitter_SecondMinimumSize,
                               v);
        markModified(host);
    }

    void loadImage() {
        const int aflag = currentFlags();
        const std::string path =
            tk::OpenFileRequester("Load Image", "", "Image files|*.bmp;*.ico;*.jpg;*.png", 0);
        if (path.empty()) return;
        const PictureLoad r = loadPicture(item(), path, aflag, host.tempImageFile);
        if (!r.loaded) {
            tk::MessageRequester("Warning", r.message, MB_ICONWARNING);
            return;
        }
        if (r.checkTransparent) tk::SetGadgetState(transparent, 1);
        markModified(host);
    }

    void applyEffect(const ValuesClose& r, int tab) {
        Item& it = item();
        const int g = canvasGadget();
        switch (r.effect) {
        case ValuesEffect::None:
        case ValuesEffect::SpinRange:
            break;
        case ValuesEffect::TabTitle: {
            const std::string& title = host.design->items[*r.tabRecord].wtext;
            tk::SetGadgetItemText(g, tab, title);
            if (host.retitleTreeEntry) host.retitleTreeEntry(*r.tabRecord);
            break;
        }
        case ValuesEffect::ColumnTitle:
            tk::SetGadgetItemText(g, -1, it.wtext, 0);
            break;
        case ValuesEffect::InnerSize:
            tk::SetGadgetAttribute(g, tk::PB_ScrollArea_InnerWidth, it.para1);
            tk::SetGadgetAttribute(g, tk::PB_ScrollArea_InnerHeight, it.para2);
            break;
        case ValuesEffect::ProgressRange:
        case ValuesEffect::TrackBarRange:
            tk::SetGadgetAttribute(g, tk::PB_Minimum, it.para1);
            tk::SetGadgetAttribute(g, tk::PB_Maximum, it.para2);
            if (r.effect == ValuesEffect::ProgressRange) tk::SetGadgetState(g, 50);
            break;
        case ValuesEffect::ScrollBarRange:
            tk::SetGadgetAttribute(g, tk::PB_Minimum, it.para1);
            tk::SetGadgetAttribute(g, tk::PB_Maximum, it.para2);
            tk::SetGadgetAttribute(g, tk::PB_ScrollBar_PageLength, it.para3);
            break;
        case ValuesEffect::GadgetText:
            tk::SetGadgetText(g, it.wtext);
            break;
        }
    }

    void closeClicked() {
        if (layout.pictures) {
            close = true;
            return;
        }
        ValuesInput in;
        if (editor) in.text = tk::GetGadgetText(editor);
        for (size_t f = 0; f < fields.size(); ++f)
            if (fields[f]) in.fields[f] = tk::GetGadgetText(fields[f]);
        const int tab = item().typ == PanelGadget
                            ? static_cast<int>(tk::GetGadgetState(canvasGadget()))
                            : 0;
        TypeDefaults scratch{};
        TypeDefaults& defaults =
            host.typeDefaults ? (*host.typeDefaults)[static_cast<size_t>(item().typ)] : scratch;
        const ValuesClose r = closeValuesEditor(*host.design, index, tab, defaults, in);
        if (!r.closes) {
            // What was typed is corrected in the fields for the user to see
            // before "Close" stores it.
            for (size_t f = 0; f < fields.size(); ++f)
                if (fields[f]) tk::SetGadgetText(fields[f], r.fields[f]);
            tk::MessageRequester("Warning", r.message, MB_ICONWARNING);
            if (r.focusField >= 0 && fields[static_cast<size_t>(r.focusField)])
                SetFocus(tk::GadgetID(fields[static_cast<size_t>(r.focusField)]));
            return;
        }
        applyEffect(r, tab);
        markModified(host);
        close = true;
    }

    void event(int ev) {
        if (dragByBackground(ev, window)) return;
        if (ev == tk::PB_Event_CloseWindow && tk::EventWindow() == window) {
            closeClicked();
            return;
        }
        if (ev != tk::PB_Event_Gadget || tk::EventWindow() != window) return;
        const int g = tk::EventGadget();
        for (size_t i = 0; i < gadgets.size(); ++i) {
            if (gadgets[i] != g) continue;
            switch (layout.controls[i].role) {
            case ValuesRole::Close:
                return closeClicked();
            case ValuesRole::FirstMinimum:
                return minimumSize(true, g);
            case ValuesRole::SecondMinimum:
                return minimumSize(false, g);
            case ValuesRole::LoadImage:
                return loadImage();
            case ValuesRole::FreeImage:
                if (freePicture(item())) markModified(host);
                return;
            case ValuesRole::Transparent:
            case ValuesRole::AutoResize:
                reflagPicture(item(), currentFlags());
                markModified(host);
                return;
            default:
                return;
            }
        }
    }
};

} // namespace

void runValuesEditor(EditorHost& host, size_t item) {
    if (!host.design || item >= host.design->items.size() || !host.design->items[item].isGadget())
        return;
    ValuesEditor e{host, item, valuesEditorLayout(host.design->items[item])};
    e.window = openEditorWindow(host, 0, 0, kValuesEditorSize, kValuesEditorSize, true);
    if (!e.window) return;
    e.build();
    while (!e.close)
        if (const int ev = nextEditorEvent()) e.event(ev);
    closeEditorWindow(host, e.window);
}

} // namespace zarnet::designer
