#include "assoc/association.h"

namespace zarnet::assoc {

std::string ownDirectory(std::string_view modulePath) {
    if (!modulePath.empty() && modulePath.front() == '"') modulePath.remove_prefix(1);
    const auto slash = modulePath.rfind('\\');
    if (slash == std::string_view::npos) return {};
    return std::string(modulePath.substr(0, slash + 1));
}

std::string openCommand(std::string_view modulePath) {
    std::string command = "\"";
    command += ownDirectory(modulePath);
    command += "Zarnet.exe\" \"%1\"";
    return command;
}

Branch branchFor(std::uint32_t version) {
    return (version & 0x00FF0000u) != 0 ? Branch::PerUser : Branch::MachineWide;
}

std::array<Entry, 2> entriesFor(Branch branch, const std::string& command) {
    if (branch == Branch::PerUser) {
        return {{
            {Root::ClassesRoot, "Applications\\Zarnet.exe\\shell\\open\\command", nullptr, command},
            {Root::CurrentUser,
             "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.zrf",
             "Application", "Zarnet.exe"},
        }};
    }
    return {{
        {Root::LocalMachine, "Software\\Classes\\Zarnet.exe\\shell\\open\\command", nullptr,
         command},
        {Root::LocalMachine, "Software\\CLASSES\\.zrf", nullptr, "Zarnet.exe"},
    }};
}

} // namespace zarnet::assoc
