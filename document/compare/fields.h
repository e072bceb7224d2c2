// The stored fields of a gadget as the diff and the merge see them: one
// table, each field with the name a user knows, a value that compares by
// meaning (a font by its description, not its table index; a picture by
// its bytes) and a way to copy it from one item to another.
#pragma once

#include "document/design_dump.h"
#include "document/model.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zarnet::compare {

// A field's value, viewing into the item and font table it came from.
struct Value {
    int64_t n = 0, m = 0, k = 0;
    std::string_view s;
    std::span<const uint8_t> bytes;
    bool operator==(const Value& o) const;
};

enum class Kind {
    Number,
    Text,
    Flags,   // style bits by the catalogue's names (a hyperlink's colour)
    Picture, // size and a short hash
    ImageFlags,
    Status,
    Anchors,
    Font,
    Switch,  // off / on
    Tooltip, // none / simple / extended
    Colour,
};

struct Field {
    std::string_view key; // stable, the model's name
    Kind kind;
    Value (*get)(const Item&, const std::vector<FontEntry>&);
    void (*copy)(Item& to, const Item& from);
};

// Every stored gadget field, in record order.
std::span<const Field> gadgetFields();

// The field's name for a gadget of type typ: the catalogue's role for the
// parameters ("minimum (para1)"), else its own.
std::string fieldLabel(const Field& f, int typ);
// A value as the diff prints it, for a gadget of type typ.
std::string formatValue(const Field& f, const Value& v, int typ);

// Font table entry `index` as the diff describes it: "default", or the
// face, size and style in words.
Value fontValue(const std::vector<FontEntry>& fonts, int index);
std::string describeFont(const Value& v);

// Text in double quotes, control characters escaped.

// "#3 ButtonGadget \"Ok\"".
std::string gadgetTitle(const Item& it);

} // namespace zarnet::compare
