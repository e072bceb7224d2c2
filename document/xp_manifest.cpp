#include "document/xp_manifest.h"

#include "document/design_file.h"
#include "document/file_system.h"

#include <string>

namespace zarnet {
namespace {

// Stands for the processorArchitecture line, filled in per architecture.
constexpr std::string_view kArchLine = "@arch";

constexpr std::string_view kLines[] = {
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)",
    R"(<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">)",
    R"(<assemblyIdentity)",
    R"(version="1.0.0.0")",
    kArchLine,
    R"(name="CompanyName.ProductName.YourApp")",
    R"(type="win32")",
    R"(/>)",
    R"(<description>Your application description here.</description>)",
    R"(<dependency>)",
    R"(<dependentAssembly>)",
    R"(<assemblyIdentity)",
    R"(type="win32")",
    R"(name="Microsoft.Windows.Common-Controls")",
    R"(version="6.0.0.0")",
    kArchLine,
    R"(publicKeyToken="6595b64144ccf1df")",
    R"(language="*")",
    R"(/>)",
    R"(</dependentAssembly>)",
    R"(</dependency>)",
    R"(</assembly>)",
};

std::string manifestFor(std::string_view arch) {
    std::string t;
    for (std::string_view line : kLines) {
        if (line == kArchLine) {
            t += "processorArchitecture=\"";
            t += arch;
            t += '"';
        } else {
            t += line;
        }
        t += " \r\n\r\n";
    }
    return t;
}

} // namespace

std::string_view xpManifestText(ManifestArch arch) {
    static const std::string x86 = manifestFor("X86");
    static const std::string amd64 = manifestFor("amd64");
    return arch == ManifestArch::Amd64 ? amd64 : x86;
}

bool writeXpManifest(const std::string& path) {
    const std::string_view text = xpManifestText();
    return writeFileAtomic(path, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

long long fileSizeOrMissing(const std::string& path) {
    const files::Kind kind = files::targetKindOf(path);
    if (kind == files::Kind::Missing || kind == files::Kind::Unknown) return -1;
    const auto size = files::sizeOf(path);
    return size ? static_cast<long long>(*size) : 0;
}

} // namespace zarnet
