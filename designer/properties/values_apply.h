// What the values editor does with what was typed and picked: numbers read
// from its fields, checked against what the gadget can take, stored in the
// item and the type defaults on "Close"; and the rules of its picture
// controls (picture flags, icon conversion, the size a picture is
// stretched to, a splitter's minimum sizes).
#pragma once

#include "document/catalogue.h"
#include "document/model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarnet::designer {

// --- Numbers typed into fields ---

enum class NumberStatus {
    Number,     // an optional sign and digits, nothing else
    Empty,      // nothing but blanks: reads as 0
    NotANumber, // anything else; `value` is what its leading digits say
    OutOfRange, // beyond 32 bits; `value` is the nearest that fits
};

struct NumberReading {
    NumberStatus status = NumberStatus::Empty;
    int value = 0;
    bool operator==(const NumberReading&) const = default;
};

NumberReading readNumber(std::string_view text);

// A field's value the way live fields use it (the tooltip editor's): the
// leading number, 0 for an empty field, held within [lo, hi].
int fieldNumber(std::string_view text, int lo, int hi);

// The values one field may hold.
struct FieldLimits {
    int lo = 0, hi = 0;
};

// Limits of the number fields of a type's values editor (para1..para3);
// nullopt for a field the type does not show.
std::optional<FieldLimits> fieldLimits(int typ, int field);

// --- "Close" ---

struct ValuesInput {
    std::string text;                  // the text editor's text
    std::array<std::string, 3> fields; // the number fields, para1 first
};

// What the canvas must show after the values were stored.
enum class ValuesEffect {
    None,           // picture items: everything happened while the editor was open
    TabTitle,       // the showing tab's title (canvas and object manager) := text
    ColumnTitle,    // the list's first column header := text
    InnerSize,      // the scroll area's inner width and height := para1, para2
    ProgressRange,  // range para1..para2, state 50
    TrackBarRange,  // minimum para1, maximum para2
    SpinRange,      // nothing on the canvas
    ScrollBarRange, // minimum, maximum and page
    GadgetText,     // the canvas gadget's text := text
};

struct ValuesClose {
    // false: nothing was stored; the editor stays open with `fields` in its
    // number fields and `message` shown, so the user sees what "Close" will
    // store the next time.
    bool closes = true;
    std::string message;
    std::array<std::string, 3> fields;
    int focusField = -1; // the first field that was corrected
    ValuesEffect effect = ValuesEffect::None;
    std::optional<size_t> tabRecord; // TabTitle: the renamed tab record
};

// "Close" on the values editor of the item at `index`. `currentTab` is the
// tab a panel shows; `defaults` are the type defaults of the item's type,
// which take the ranges of range gadgets.
ValuesClose closeValuesEditor(Design& d, size_t index, int currentTab, TypeDefaults& defaults,
                              const ValuesInput& in);

// --- Pictures ---

// `aflag` from the two check boxes: 1 transparent, 2 stretched.
int pictureFlags(bool transparent, bool autoResize);

struct PictureLoadPlan {
    bool convertIcon = false;      // go through the conversion file first
    int aflag = 0;                 // the item's aflag after loading
    bool checkTransparent = false; // the "Transpareny" box must show checked
    bool operator==(const PictureLoadPlan&) const = default;
};

// Icons become bitmaps for every picture item but a button image, and a
// converted icon is always transparent.
PictureLoadPlan pictureLoadPlan(std::string_view path, int typ, int aflag);

// Where icons are converted: "zrimage.bmp" in the temporary folder.
std::string conversionFilePath(std::string_view tempDir);

struct PixelSize {
    int w = 0, h = 0;
    bool operator==(const PixelSize&) const = default;
};

// The size a stretched picture takes, nullopt when `aflag` does not
// stretch: a bordered image gadget's inside, otherwise the canvas gadget's
// size (`gadget`). Never below 1 by 1.
std::optional<PixelSize> pictureScaleSize(const Item& it, PixelSize gadget);

// "Actual as first/second minimum size": the child's width across a
// vertical splitter, its height along a horizontal one; 0 when unchecked.
int actualMinimumSize(bool checked, uint32_t splitterFlags, PixelSize child);

} // namespace zarnet::designer
