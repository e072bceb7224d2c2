// Linked into every Windows program, ahead of the standard library, as
// lean_runtime.cpp is.
//
// The five POSIX thread calls the exception runtime makes (a lock around its
// emergency memory and its table of unwind data, and a once-only set-up).
// Without them here the whole POSIX threads library comes with those calls.
// Their types are that library's: a lock is a pointer-sized word that starts
// as -1 and becomes a critical section when first used; a once-only flag is a
// long that starts as 0.
#include <windows.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::intptr_t kUnmadeLock = -1;

CRITICAL_SECTION* lockOf(std::intptr_t* word) {
    void* const unmade = reinterpret_cast<void*>(kUnmadeLock);
    auto* slot = reinterpret_cast<void* volatile*>(word);
    void* made = InterlockedCompareExchangePointer(slot, unmade, unmade);
    if (made != unmade) return static_cast<CRITICAL_SECTION*>(made);
    auto* section = static_cast<CRITICAL_SECTION*>(std::malloc(sizeof(CRITICAL_SECTION)));
    if (!section) std::abort();
    InitializeCriticalSection(section);
    made = InterlockedCompareExchangePointer(slot, section, unmade);
    if (made == unmade) return section;
    DeleteCriticalSection(section); // another thread made it first
    std::free(section);
    return static_cast<CRITICAL_SECTION*>(made);
}

} // namespace

extern "C" {

int pthread_mutex_init(std::intptr_t* word, const unsigned*) {
    *word = kUnmadeLock;
    lockOf(word);
    return 0;
}

int pthread_mutex_destroy(std::intptr_t* word) {
    if (*word != kUnmadeLock) {
        auto* section = reinterpret_cast<CRITICAL_SECTION*>(*word);
        DeleteCriticalSection(section);
        std::free(section);
    }
    *word = kUnmadeLock;
    return 0;
}

int pthread_mutex_lock(std::intptr_t* word) {
    EnterCriticalSection(lockOf(word));
    return 0;
}

int pthread_mutex_unlock(std::intptr_t* word) {
    LeaveCriticalSection(lockOf(word));
    return 0;
}

int pthread_once(long* once, void (*run)()) {
    enum : long { kNotRun = 0, kRunning = 1, kDone = 2 };
    const long was = InterlockedCompareExchange(once, kRunning, kNotRun);
    if (was == kNotRun) {
        run();
        InterlockedExchange(once, kDone);
    } else {
        while (InterlockedCompareExchange(once, kDone, kDone) != kDone)
            Sleep(0);
    }
    return 0;
}

} // extern "C"
