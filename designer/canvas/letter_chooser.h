// Keyboard creation by two letters: the first letter lists the types whose
// code begins with it in a small pop-up at the cursor, the second picks one.
#pragma once

#include <windows.h>

#include <vector>

namespace zarnet::designer {

// The types whose two-letter code begins with `letter` (A..Z), in type order.
std::vector<int> typesStartingWith(char letter);

// Shows the chooser for the candidates of `letter` and waits for the next
// key press or mouse button. The chooser belongs to `owner`, which is
// active again afterwards. Returns the candidate whose second letter is
// then down, or 0; the pressed key has been released when it returns.
int chooseByLetters(char letter, HFONT fixedFont, HWND owner);

} // namespace zarnet::designer
