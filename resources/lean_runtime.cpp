// Linked into every Windows program, ahead of the standard library, so two
// of the library's parts that cost far more than they give are never pulled
// in (lean_threads.cpp keeps out a third).
//
// The std::__throw_* helpers (functexcept.o). The library's build std::logic_error and friends,
// whose message strings drag in the whole reference-counted std::string, the SSO std::string and
// std::random_device behind it: about 75 KB of every program for errors
// that nothing here catches by type.
//
// What the programs rely on is kept: running out of memory throws
// std::bad_alloc, which the commands, the picture decoders and the file
// readers catch to refuse the one thing that did not fit. A container that
// would pass its largest size (std::length_error) is the same failure told
// differently, and every place that catches length_error catches
// bad_alloc the same way, so it is thrown as bad_alloc too: a place that
// caught bad_alloc alone now refuses the request instead of ending the
// program. The other errors (an index out of range, a bad argument to a
// conversion) are program faults that no handler here catches; they end
// the program as an uncaught exception does, through std::terminate.
#include <windows.h>

#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace std {

void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_length_error(const char*) {
    throw bad_alloc();
}
void __throw_bad_exception() {
    throw bad_exception();
}
void __throw_bad_cast() {
    throw bad_cast();
}
void __throw_bad_typeid() {
    throw bad_typeid();
}

// Program faults: nothing catches them.
void __throw_logic_error(const char*) {
    std::terminate();
}
void __throw_domain_error(const char*) {
    std::terminate();
}
void __throw_invalid_argument(const char*) {
    std::terminate();
}
void __throw_out_of_range(const char*) {
    std::terminate();
}
void __throw_out_of_range_fmt(const char*, ...) {
    std::terminate();
}
void __throw_runtime_error(const char*) {
    std::terminate();
}
void __throw_range_error(const char*) {
    std::terminate();
}
void __throw_overflow_error(const char*) {
    std::terminate();
}
void __throw_underflow_error(const char*) {
    std::terminate();
}

} // namespace std

// The exception-handling globals (eh_globals.o): the exceptions being
// handled on this thread. The library keeps them in emulated thread-local
// storage, which brings the POSIX threads library (about 30 KB) into
// programs that start no thread of their own; Windows' own thread-local
// slots give the same, one record a thread. The record of a thread that
// ends is not freed: it is a few bytes, made only on a thread that threw.
namespace {

struct EhGlobals {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};

LONG ehSlot = static_cast<LONG>(TLS_OUT_OF_INDEXES);

DWORD slotOfThisProgram() {
    LONG slot = InterlockedCompareExchange(&ehSlot, 0, 0);
    if (slot != static_cast<LONG>(TLS_OUT_OF_INDEXES)) return static_cast<DWORD>(slot);
    const DWORD made = TlsAlloc();
    if (made == TLS_OUT_OF_INDEXES) std::abort();
    slot = InterlockedCompareExchange(&ehSlot, static_cast<LONG>(made),
                                      static_cast<LONG>(TLS_OUT_OF_INDEXES));
    if (slot == static_cast<LONG>(TLS_OUT_OF_INDEXES)) return made;
    TlsFree(made); // another thread made it first
    return static_cast<DWORD>(slot);
}

} // namespace

extern "C" void* __cxa_get_globals() noexcept {
    const DWORD slot = slotOfThisProgram();
    void* globals = TlsGetValue(slot);
    if (!globals) {
        globals = std::calloc(1, sizeof(EhGlobals));
        if (!globals || !TlsSetValue(slot, globals)) std::abort();
    }
    return globals;
}

extern "C" void* __cxa_get_globals_fast() noexcept {
    return __cxa_get_globals();
}
