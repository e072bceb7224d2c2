// A readable listing of a design: header, font table and every record with
// all of its stored fields, indented by nesting.
#pragma once

#include "document/model.h"

#include <string>
#include <string_view>

namespace zarnet {

std::string dumpDesign(const Design& d);

// A stored string as the listings show it: in double quotes, with quotes,
// backslashes and control bytes escaped.
std::string quoted(std::string_view s);

} // namespace zarnet
