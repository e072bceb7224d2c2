// The values editor's window content per gadget type: which controls it
// shows, where, with which texts and starting states. The Win32 editor
// creates exactly these.
#pragma once

#include "designer/canvas/geometry.h"
#include "document/model.h"

#include <string>
#include <vector>

namespace zarnet::designer {

inline constexpr int kValuesEditorSize = 200; // square window

enum class ValuesControlKind {
    Text,        // plain label
    RightText,   // right-aligned label
    NumberField, // digits-only string field
    CheckBox,
    Button,
    TextEditor, // multi-line; 0 by 0 when the type has nothing to type
};

enum class ValuesRole {
    ItemIndex,
    Close,
    FieldLabel,
    Field, // `field` says which: 0, 1, 2 map to para1, para2, para3
    FirstMinimum,
    SecondMinimum,
    LoadImage,
    Transparent,
    AutoResize,
    FreeImage,
    Editor,
};

struct ValuesControl {
    ValuesRole role;
    ValuesControlKind kind;
    Rect rect;
    std::string text; // caption, or a field's starting text
    int field = -1;   // for Field and FieldLabel
    bool checked = false;
    bool enabled = true;
};

// Where the text editor's starting text comes from.
enum class EditorSource {
    None,            // picture items have no text editor
    CurrentTabTitle, // the title of the canvas panel's showing tab
    ItemText,        // `wtext`
    GadgetText,      // the canvas gadget's current text
};

struct ValuesLayout {
    std::vector<ValuesControl> controls;
    EditorSource source = EditorSource::GadgetText;
    bool pictures = false; // "Close" applies nothing else
    int fieldCount = 0;    // number fields shown, para1 first
};

ValuesLayout valuesEditorLayout(const Item& item);

} // namespace zarnet::designer
