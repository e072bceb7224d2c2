// printf's integer and string conversions, done by our own code. The C++
// library on Windows routes every snprintf and fprintf to MinGW's own
// printf, which brings its floating-point formatting (about 30 KB) into
// every program; nothing here formats a floating-point number.
//
// Understood: the flags '-' and '0', a width and a precision (digits or
// '*'), the sizes hh, h, l, ll, z and j, and the conversions d i u x X c s %.
// Anything else is copied to the output as written.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <string>

// The compiler checks each call's arguments against its format, by the
// C standard's rules (on Windows too, where its "printf" means Microsoft's).
#if defined(__clang__)
#define ZARNET_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define ZARNET_FORMAT(f, a) __attribute__((format(gnu_printf, f, a)))
#endif

namespace zarnet::text {

// As std::snprintf: writes at most size - 1 characters and a terminating
// zero (nothing when size is 0) and returns the length the whole text has.
int formatTo(char* out, std::size_t size, const char* format, ...) ZARNET_FORMAT(3, 4);
int formatToV(char* out, std::size_t size, const char* format, std::va_list args);

// The formatted text as a string.
std::string format(const char* format, ...) ZARNET_FORMAT(1, 2);

// As std::fprintf.
void print(std::FILE* to, const char* format, ...) ZARNET_FORMAT(2, 3);

} // namespace zarnet::text
