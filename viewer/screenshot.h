// Pelmo --screenshot OUT.png [--compare OLD.zrf] FILE.zrf: the design's
// window, drawn by its real controls and never shown, written as a PNG;
// with an older design, the gadgets added or changed since framed in red
// and the removed ones listed under the picture. Exits as the diff does:
// 0 nothing changed (or nothing to compare), 1 changes, 2 a file that
// cannot be read or written.
#pragma once

#include <string>

namespace zarnet::viewer {

int takeScreenshot(const std::string& out, const std::string& design, const std::string& older);

} // namespace zarnet::viewer
