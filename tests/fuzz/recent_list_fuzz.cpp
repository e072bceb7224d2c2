// The designer's list of recent designs over any bytes: whatever the file
// holds, the list read is one a user could have made (at most ten paths,
// none twice, none empty or with control characters), it reads back
// unchanged once written, and opening one more design keeps it so.
#include "designer/shell/design_lists.h"

#include <cstdlib>

namespace {

using namespace zarnet::designer;

void sound(const std::vector<std::string>& list) {
    if (list.size() > kRecentCount) std::abort();
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].empty() || list[i].size() > kRecentPathLimit) std::abort();
        for (char c : list[i])
            if (static_cast<unsigned char>(c) < 0x20) std::abort();
        for (size_t j = 0; j < i; ++j)
            if (samePath(list[i], list[j])) std::abort();
    }
    if (parseRecentList(serialiseRecentList(list)) != list) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto list = parseRecentList({data, size});
    sound(list);
    // The file's last path opened again, and a new one: first in the list.
    const std::string again = list.empty() ? "C:\\a.zrf" : list.back();
    for (const std::string& path : {again, std::string("C:\\new.zrf")}) {
        const auto after =
            withRecentDesign(list, path, [](const std::string& p) { return p.size() % 3 != 0; });
        sound(after);
        if (after.empty() || after.front() != path) std::abort();
    }
    return 0;
}
