// zarnet-assoc: asks once, registers Zarnet.exe (expected next to this tool)
// as the program that opens .zrf design files, reports, and ends.
#include <windows.h>

#include "assoc/association.h"

namespace {

using namespace zarnet::assoc;

HKEY rootKey(Root root) {
    switch (root) {
    case Root::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case Root::CurrentUser:
        return HKEY_CURRENT_USER;
    case Root::LocalMachine:
        break;
    }
    return HKEY_LOCAL_MACHINE;
}

// A key that cannot be created is skipped without a word: the user gets the
// same closing message either way.
void writeEntry(const Entry& entry) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(rootKey(entry.root), entry.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, &disposition) != ERROR_SUCCESS) {
        return;
    }
    // The size counts the terminating zero, as REG_SZ data must.
    RegSetValueExA(key, entry.valueName, 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(entry.data.c_str()),
                   static_cast<DWORD>(entry.data.size() + 1));
    RegCloseKey(key);
}

std::string modulePath() {
    constexpr DWORD kFetched = 1000;
    char path[kFetched + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, kFetched);
    return std::string(path, length <= kFetched ? length : kFetched);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (MessageBoxA(nullptr, "Do you want to associate *.zrf file\rwith Zarnet.exe?",
                    "Make Zarnet files loading faster", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return 0;
    }
    const std::string command = openCommand(modulePath());
    const Branch branch = branchFor(static_cast<std::uint32_t>(GetVersion()));
    for (const Entry& entry : entriesFor(branch, command))
        writeEntry(entry);
    MessageBoxA(nullptr, "Now you can doubleclick on *.zrf files\rto open them with Zarnet", "OK!",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
