// libpng's error and warning handlers for our reader and writer: an error
// jumps back to the job's setjmp, a warning is ignored.
#pragma once

#include <png.h>

namespace zarnet::imaging {

[[noreturn]] inline void pngJumpOnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
inline void pngIgnoreWarning(png_structp, png_const_charp) {}

} // namespace zarnet::imaging
