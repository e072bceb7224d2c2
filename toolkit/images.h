// Pictures: numbered images held as 32-bit top-down DIB sections, decoded
// from memory, copied, scaled, drawn on and put on gadgets. The pixels are
// those of imaging::Image (0xAARRGGBB, straight alpha); GDI shows them
// ignoring alpha, so code that puts a picture with transparent parts on a
// control flattens it first (FlattenImage).
#pragma once

#include "imaging/image.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tk {

// Numbers work as for every toolkit object: #PB_Any allocates one (the
// result), an explicit number replaces the image of that number (result
// nonzero). 0 means nothing was made, which is also what running out of
// memory (or GDI handles) gives: large pictures can exhaust a 32-bit
// process, and that is a result like any other here, never an exception.

// Decodes BMP, ICO, PNG or JPEG data. Data that does not decode, of any
// kind and from any decoder, gives 0 and no image.
int CatchImage(int image, std::span<const uint8_t> data);
// A new opaque image filled with one colour (0x00BBGGRR).
int CreateImage(int image, int width, int height, uint32_t colour = 0);
// A new image holding these pixels.
int CreateImageFromPixels(int image, const zarnet::imaging::Image& pixels);
int CopyImage(int image, int copy);
// A copy scaled as ResizeImage scales, made without a full-size copy first.
int CopyImage(int image, int copy, int width, int height);
// Scales the image smoothly to the new size; its number stays, its
// handle changes. False (image unchanged) when the size is not allowed
// or the memory for the work is not there.
bool ResizeImage(int image, int width, int height);
void FreeImage(int image);
bool IsImage(int image);
HBITMAP ImageID(int image); // nullptr when not an image
int ImageWidth(int image);  // 0 when not an image
int ImageHeight(int image);

// A copy of the pixels of an image (nothing when no image or no memory),
// and writing pixels of the same size back.
std::optional<zarnet::imaging::Image> ImagePixels(int image);
bool SetImagePixels(int image, const zarnet::imaging::Image& pixels);

// Lays the image over an opaque background (0x00BBGGRR) where it is not
// opaque, so a control that ignores alpha shows it as intended. Done in
// place, so it needs no memory.
void FlattenImage(int image, uint32_t background);
// True when every pixel of the image is known to be opaque without looking
// at them: decoded from a format that has no transparency, or made or
// flattened here since its pixels last changed. A picture that is may be
// shown as it is, needing neither a copy nor flattening.
bool ImageOpaque(int image);

// Drawing on an image: StartDrawing opens it (false when it is no image,
// another drawing is open or there is no memory for the working copy), the
// drawing calls change it, StopDrawing ends the drawing. A drawing call
// that needs a copy it cannot have draws nothing. Colours are 0x00BBGGRR;
// everything drawn is opaque.
bool StartDrawing(int image);
void StopDrawing();
void Box(int x, int y, int width, int height, uint32_t colour);
// Another image (or the one being drawn on, as it was when drawing began
// or last drawn to), blended by its alpha; with a size, scaled first.
void DrawImage(int image, int x, int y);
void DrawImage(int image, int x, int y, int width, int height);
void DrawingFont(HFONT font); // nullptr: the default GUI font
// Text at (x, y); background -1 leaves the picture behind the letters.
void DrawImageText(int x, int y, std::string_view text, uint32_t front, int32_t background = -1);

// Puts a picture on a gadget, nullptr taking it away: an image gadget
// shows it as its state and, like PureBasic's, fits its inner area to the
// picture; an image button shows it as its state; a button created with
// the bitmap style shows it through BM_SETIMAGE. The gadget does not own
// the bitmap: free it only after it has been replaced. A copy an image
// gadget made of the bitmap it replaces (the XP look does) is freed here.
void SetGadgetImage(int gadget, HBITMAP image);

} // namespace tk
