// What the operations of a random run share: the selection as they find
// it, and the operations on the editors, which live in a file of their own.
#pragma once

#include "random_edit.h"

namespace randomedit::ops {

using S = Session;

bool single(S& s);
bool selected(S& s);
zarnet::Item& marked(S& s);
std::string named(S& s, size_t i);
// Marks one shown item unless one is marked already.
bool markOne(S& s, Rng& r);
// The marked item or group, or one made now.
bool selectSome(S& s, Rng& r);
// The right button on the marked item opens its pop-up (or its values
// editor); elsewhere it would open a menu, which is not for this run.
bool openPopup(S& s, Rng& r);
void clickIn(HWND editor, const std::string& caption);

void stylePopup(S& s, Rng& r);
void popupUntouched(S& s, Rng& r);
void valuesUntouched(S& s, Rng& r);
void valuesEditor(S& s, Rng& r);
void font(S& s, Rng& r);
void tooltip(S& s, Rng& r);
void statusToggle(S& s, Rng& r);
void hideFromTree(S& s, Rng& r);
void rename(S& s, Rng& r);

} // namespace randomedit::ops
