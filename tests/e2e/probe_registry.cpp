// Registry access for end-to-end tests: exact bytes in, exact bytes out.
#include "probe.h"

namespace probe {

bool registryKeyExists(HKEY root, const std::string& key) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

std::optional<RegistryValue> readRegistryValue(HKEY root, const std::string& key,
                                               const char* valueName) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return std::nullopt;
    RegistryValue value;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(h, valueName, nullptr, &value.type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        value.data.resize(size);
        rc = RegQueryValueExA(h, valueName, nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    RegCloseKey(h);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    return value;
}

bool writeRegistryString(HKEY root, const std::string& key, const char* valueName,
                         const std::string& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG rc =
        RegSetValueExA(h, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(h);
    return rc == ERROR_SUCCESS;
}

bool deleteRegistryTree(HKEY root, const std::string& key) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &h) == ERROR_SUCCESS) {
        char name[256];
        for (;;) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(h, 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            if (!deleteRegistryTree(h, name)) break;
        }
        RegCloseKey(h);
        RegDeleteKeyA(root, key.c_str());
    }
    return !registryKeyExists(root, key);
}

namespace {
std::string wineAppKey(const std::string& exeName) {
    return "Software\\Wine\\AppDefaults\\" + exeName;
}
} // namespace

bool setWineUnmanagedWindows(const std::string& exeName) {
    return writeRegistryString(HKEY_CURRENT_USER, wineAppKey(exeName) + "\\X11 Driver", "Managed",
                               "N");
}

bool setWineWindowsVersion(const std::string& exeName, const std::string& version) {
    return writeRegistryString(HKEY_CURRENT_USER, wineAppKey(exeName), "Version", version);
}

bool clearWineSettings(const std::string& exeName) {
    return deleteRegistryTree(HKEY_CURRENT_USER, wineAppKey(exeName));
}

} // namespace probe
