// The decisions of the file association tool, kept free of the Windows API so
// they can be checked on their own.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zarnet::assoc {

// The registry roots the tool writes below; main maps them to HKEY values.
enum class Root { ClassesRoot, CurrentUser, LocalMachine };

// Which set of entries a platform gets: the NT line registers for the user,
// the older line for the whole machine.
enum class Branch { PerUser, MachineWide };

struct Entry {
    Root root;
    const char* key;
    const char* valueName; // nullptr: the key's default value
    std::string data;
};

// The folder of a module path including its trailing backslash; a leading
// double quote (a path taken from a quoted command line) is dropped. A path
// without any backslash has no folder part.
std::string ownDirectory(std::string_view modulePath);

// The shell command that opens a design file with the designer lying next to
// the tool: "<dir>Zarnet.exe" "%1".
std::string openCommand(std::string_view modulePath);

// Chooses the branch from the value GetVersion returns: the NT line reports
// its build number in the high word, the older line leaves bits 16..23 clear.
Branch branchFor(std::uint32_t version);

// The two entries of a branch, in the order they are written.
std::array<Entry, 2> entriesFor(Branch branch, const std::string& command);

} // namespace zarnet::assoc
