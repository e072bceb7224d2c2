// A readable listing of a design: header, font table and every record with
// all of its stored fields, indented by nesting.
#pragma once

#include "document/model.h"

#include <string>

namespace zarnet {

std::string dumpDesign(const Design& d);

} // namespace zarnet
