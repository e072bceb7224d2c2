// One PureBasic constant per design record, named after the item, whose
// value is the item number (a tab's value is its tab index).
#pragma once

#include "document/model.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarnet::gen {

struct ConstantEntry {
    std::string name;      // the plain name, padded, then "= " and the value
    std::string plainName; // "#" + prefix + name as PureBasic accepts it
    int32_t value = 0;
    int32_t type = 0; // 1..29, or 100 for a tab
};

// Every record but close records, in sequence order. In prefix + name
// (a tab: its title) every character but ASCII letters, digits and "_"
// becomes "_", and "_" goes in front of an empty name or one starting with
// a digit. PureBasic ignores case, so names equal but for ASCII case are
// equal: a later one gets the record's number appended, then "_2", "_3", ...
// until the name is free.
std::vector<ConstantEntry> buildConstants(const Design& d, std::string_view prefix);

// Each name followed by a single CR, as the generated program carries it.
std::string constantsText(const std::vector<ConstantEntry>& entries);
// The same without the final CR, as it goes onto the clipboard.
std::string clipboardText(const std::vector<ConstantEntry>& entries);
// "Copy constants to clipboard": the constants of d with this prefix, CR
// between lines and none after the last.
std::string clipboardText(const Design& d, std::string_view prefix);

} // namespace zarnet::gen
