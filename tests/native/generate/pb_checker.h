// A structural checker for the PureBasic text we generate: block keywords
// nest properly, Break and ProcedureReturn sit where they may, every called
// procedure is defined before its first use or is a known command, every
// label referenced is defined, every identifier is spelled one way
// (PureBasic ignores case, so two spellings would silently be one name), and
// every constant is a well-formed name, defined once ignoring case, before
// its use (or is one of the built-in ones we use).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zarnet::test {

struct PbProblem {
    size_t line; // 1-based
    std::string what;
};

std::vector<PbProblem> checkPureBasic(std::string_view text);

// "line N: what" per problem, for test failure messages.
std::string describe(const std::vector<PbProblem>& problems);

} // namespace zarnet::test
