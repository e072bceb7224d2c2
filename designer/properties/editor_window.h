// What the editor windows share: a yellow pop-up with a thin border and no
// title owned by the canvas, dragged by its background, polled by its own
// loop.
#pragma once

#include "designer/properties/editors.h"

#include <string>

namespace zarnet::designer {

inline constexpr COLORREF kEditorColour = RGB(255, 255, 180);

// Opens the editor window with a client area of w by h, at (x, y) or
// centred on the screen; its gadget list becomes current. 0 on failure.
int openEditorWindow(const EditorHost& host, int x, int y, int w, int h, bool centred);

// Closes it and makes the canvas window and its gadget list current again.
void closeEditorWindow(const EditorHost& host, int window);

// The next event, or 0 after a pause of 4 ms when none was waiting.
int nextEditorEvent();

// A press on the window's own background (not on a gadget) moves it as
// its caption would. True when the event was such a press.
bool dragByBackground(int event, int window);

// Labels and check boxes drawn on the editor's colour.
void onEditorColour(int gadget);

// A changed design: the modified marker and the title.
void markModified(EditorHost& host);

} // namespace zarnet::designer
