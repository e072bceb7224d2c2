// Linked into every Windows program. A program that ends through
// std::terminate (an exception nothing caught) ends at once: the standard
// library's own handler would first print the exception's type by its
// demangled name, and its C++ name demangler is about 50 KB of every
// program for a line on a console that GUI programs do not have.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
