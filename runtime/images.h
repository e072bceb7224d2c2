// Pictures of image-capable gadgets at run time: loading them from a design
// record, the key-colour transparency, replacing a gadget's picture from a
// running program and the icon-to-bitmap conversion. Images are the
// toolkit's numbered images; the runtime owns both pictures of every image
// record (gImageValue).
#pragma once

#include "runtime/runtime.h"

#include <cstdint>

namespace zarnet {

// Lays the b by h top-left region of image TransImage over image ZielImage
// at (x, y): ZielImage keeps its pixels where the source has the key colour
// TransColor (0x00BBGGRR; -1: the colour of the source's pixel (b-1, 0)) and
// takes the source's elsewhere. The source region is then filled with the
// button-face colour, so drawing an image onto itself turns every pixel of
// the key colour into the button face. False, changing nothing, when either
// is no image or the memory for the work is not there.
bool DrawTransparentImage(int TransImage, int ZielImage, int x, int y, int b, int h,
                          int32_t TransColor);

// Replaces the picture of gadget idgadget by image idimage, which the
// runtime then owns. idreturn 0: the replaced unscaled image is freed and 0
// comes back; otherwise its number comes back. A gadget without a picture
// from its design, or idimage that is no image, changes nothing: idreturn
// comes back unchanged and the caller keeps idimage.
int ZarnetSetImage(int idgadget, int idimage, int idreturn);

// A new opaque image of the same size with image idimage drawn on the
// button-face colour at (0, 0); 0 when idimage is no image.
int ConvertIcoToBmp(int idimage);

// The loader's step for an image-capable record: appends its image record,
// decodes the picture, applies the image flags and shows it. A picture that
// runs out of memory on the way is dropped like one that does not decode.
void loadRecordImage(Runtime& rt);

// Gives an image record a fresh shown copy of its unscaled image (scaled to
// a gadget of this outer size when the record's flags say so) and puts it
// on the gadget, freeing the copy it replaces. False when the memory for
// the copy was not there: the gadget then shows no picture. A gadget too
// small to show a pixel shows none either, but that is no failure.
bool showRecordImage(gimcontent& rec, int gadgetWidth, int gadgetHeight);

} // namespace zarnet
