#include "text/format.h"

#include <cstdint>
#include <cstring>

namespace zarnet::text {
namespace {

// The output as snprintf fills it: what does not fit is counted, not written.
struct Sink {
    char* out;
    std::size_t size;
    std::size_t length = 0;

    void put(char c) {
        if (length + 1 < size) out[length] = c;
        ++length;
    }
    void repeat(char c, int n) {
        for (; n > 0; --n)
            put(c);
    }
    void text(const char* s, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            put(s[i]);
    }
};

struct Spec {
    bool left = false;
    bool zero = false;
    int width = 0;
    int precision = -1; // none given
};

// One conversion's text: a sign, leading zeros and the body, padded to the
// width with spaces on the left (or right), or with zeros after the sign.
void field(Sink& sink, const Spec& spec, const char* sign, const char* body, std::size_t bodyLen,
           int zeros) {
    const std::size_t signLen = std::strlen(sign);
    int pad = spec.width - static_cast<int>(signLen + bodyLen) - zeros;
    if (pad > 0 && spec.zero && !spec.left && spec.precision < 0) {
        zeros += pad;
        pad = 0;
    }
    if (!spec.left) sink.repeat(' ', pad);
    sink.text(sign, signLen);
    sink.repeat('0', zeros);
    sink.text(body, bodyLen);
    if (spec.left) sink.repeat(' ', pad);
}

void integer(Sink& sink, const Spec& spec, const char* sign, unsigned long long value,
             unsigned base, bool upper) {
    const char* digitsOf = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    // A precision of 0 prints no digit for the value 0.
    if (value != 0 || spec.precision != 0) {
        do {
            *--p = digitsOf[value % base];
            value /= base;
        } while (value != 0);
    }
    const int length = static_cast<int>(end - p);
    const int zeros = spec.precision > length ? spec.precision - length : 0;
    field(sink, spec, sign, length ? p : "", static_cast<std::size_t>(length), zeros);
}

enum class Size { Char, Short, Int, Long, LongLong, SizeT, IntMax };

long long signedArgument(Size size, std::va_list& args) {
    switch (size) {
    case Size::Char:
        return static_cast<signed char>(va_arg(args, int));
    case Size::Short:
        return static_cast<short>(va_arg(args, int));
    case Size::Int:
        return va_arg(args, int);
    case Size::Long:
        return va_arg(args, long);
    case Size::LongLong:
        return va_arg(args, long long);
    case Size::SizeT:
        return va_arg(args, std::ptrdiff_t);
    case Size::IntMax:
        return va_arg(args, std::intmax_t);
    }
    return 0;
}

unsigned long long unsignedArgument(Size size, std::va_list& args) {
    switch (size) {
    case Size::Char:
        return static_cast<unsigned char>(va_arg(args, unsigned));
    case Size::Short:
        return static_cast<unsigned short>(va_arg(args, unsigned));
    case Size::Int:
        return va_arg(args, unsigned);
    case Size::Long:
        return va_arg(args, unsigned long);
    case Size::LongLong:
        return va_arg(args, unsigned long long);
    case Size::SizeT:
        return va_arg(args, std::size_t);
    case Size::IntMax:
        return va_arg(args, std::uintmax_t);
    }
    return 0;
}

int number(const char*& p, std::va_list& args) {
    if (*p == '*') {
        ++p;
        return va_arg(args, int);
    }
    int n = 0;
    while (*p >= '0' && *p <= '9')
        n = n * 10 + (*p++ - '0');
    return n;
}

} // namespace

int formatToV(char* out, std::size_t size, const char* format, std::va_list argsIn) {
    std::va_list args;
    va_copy(args, argsIn);
    Sink sink{out, size};
    const char* p = format;
    while (*p) {
        if (*p != '%') {
            sink.put(*p++);
            continue;
        }
        const char* start = p++;
        Spec spec;
        for (;; ++p) {
            if (*p == '-')
                spec.left = true;
            else if (*p == '0')
                spec.zero = true;
            else
                break;
        }
        spec.width = number(p, args);
        if (spec.width < 0) { // a negative '*' width is the '-' flag
            spec.left = true;
            spec.width = -spec.width;
        }
        if (*p == '.') {
            ++p;
            spec.precision = number(p, args);
            if (spec.precision < 0) spec.precision = -1; // as if none was given
        }
        Size size = Size::Int;
        if (p[0] == 'h' && p[1] == 'h') {
            size = Size::Char;
            p += 2;
        } else if (p[0] == 'l' && p[1] == 'l') {
            size = Size::LongLong;
            p += 2;
        } else if (*p == 'h' || *p == 'l' || *p == 'z' || *p == 'j') {
            size = *p == 'h'   ? Size::Short
                   : *p == 'l' ? Size::Long
                   : *p == 'z' ? Size::SizeT
                               : Size::IntMax;
            ++p;
        }
        switch (*p) {
        case 'd':
        case 'i': {
            const long long v = signedArgument(size, args);
            const unsigned long long magnitude = v < 0 ? 0ull - static_cast<unsigned long long>(v)
                                                       : static_cast<unsigned long long>(v);
            integer(sink, spec, v < 0 ? "-" : "", magnitude, 10, false);
            break;
        }
        case 'u':
            integer(sink, spec, "", unsignedArgument(size, args), 10, false);
            break;
        case 'x':
            integer(sink, spec, "", unsignedArgument(size, args), 16, false);
            break;
        case 'X':
            integer(sink, spec, "", unsignedArgument(size, args), 16, true);
            break;
        case 'c': {
            const char c = static_cast<char>(va_arg(args, int));
            spec.zero = false;
            spec.precision = -1;
            field(sink, spec, "", &c, 1, 0);
            break;
        }
        case 's': {
            const char* s = va_arg(args, const char*);
            if (!s) s = "(null)";
            std::size_t n = 0;
            while ((spec.precision < 0 || n < static_cast<std::size_t>(spec.precision)) && s[n])
                ++n;
            spec.zero = false;
            spec.precision = -1;
            field(sink, spec, "", s, n, 0);
            break;
        }
        case '%':
            sink.put('%');
            break;
        default:
            // Not ours to format: the text stays as written.
            sink.text(start, static_cast<std::size_t>(p - start) + (*p ? 1 : 0));
            if (!*p) --p;
            break;
        }
        ++p;
    }
    va_end(args);
    if (size != 0) out[sink.length < size ? sink.length : size - 1] = '\0';
    return static_cast<int>(sink.length);
}

int formatTo(char* out, std::size_t size, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int n = formatToV(out, size, format, args);
    va_end(args);
    return n;
}

namespace {
std::string formatV(const char* format, std::va_list args) {
    char small[256];
    const int n = formatToV(small, sizeof small, format, args);
    if (static_cast<std::size_t>(n) < sizeof small)
        return std::string(small, static_cast<std::size_t>(n));
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    formatToV(text.data(), text.size(), format, args);
    text.resize(static_cast<std::size_t>(n));
    return text;
}
} // namespace

std::string format(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::string text = formatV(format, args);
    va_end(args);
    return text;
}

void print(std::FILE* to, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const std::string text = formatV(format, args);
    va_end(args);
    std::fwrite(text.data(), 1, text.size(), to);
}

} // namespace zarnet::text
