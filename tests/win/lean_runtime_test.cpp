// The programs' own replacements for parts of the C++ runtime: the errors
// the programs catch still reach them, and exceptions and locks stay right
// when two threads use them at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <new>
#include <string>
#include <vector>

// The programs' thread calls (built for this test under names of their own).
extern "C" int pthread_once(long* once, void (*run)());
extern "C" int pthread_mutex_lock(std::intptr_t* word);
extern "C" int pthread_mutex_unlock(std::intptr_t* word);

namespace {

// A container asked to pass its largest size fails as running out of
// memory does, which is what the programs' commands and readers catch.
TEST(LeanRuntime, ContainersPastTheirLargestSizeThrowBadAlloc) {
    const struct {
        const char* what;
        std::function<void()> run;
    } cases[] = {
        {"vector reserve", [] { std::vector<int>().reserve(std::vector<int>().max_size() + 1); }},
        {"vector resize",
         [] { std::vector<uint32_t>().resize(std::numeric_limits<std::size_t>::max() / 2); }},
        {"vector insert",
         [] {
             std::vector<char> v(16);
             const std::size_t many = v.max_size() - 8;
             v.insert(v.end(), many, 'x');
         }},
        {"string reserve", [] { std::string().reserve(std::string().max_size() + 1); }},
        {"string append",
         [] {
             std::string s(16, 'a');
             s.append(s.max_size() - 8, 'b');
         }},
        {"new[] of too many",
         [] {
             volatile std::size_t n = std::numeric_limits<std::size_t>::max() / 2;
             delete[] new int[n];
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(c.run(), std::bad_alloc);
    }
}

DWORD WINAPI throwAndCatchInAThread(void* result) {
    int caught = 0;
    try {
        throw 2;
    } catch (int v) {
        caught = v;
    }
    *static_cast<int*>(result) = caught + (std::uncaught_exceptions() == 0 ? 0 : 100);
    return 0;
}

// Each thread has its own record of the exceptions it is handling: another
// thread's throw and catch leaves this thread's exception as it was.
TEST(LeanRuntime, EachThreadHandlesItsOwnExceptions) {
    int theirs = 0;
    int rethrown = 0;
    try {
        throw 1;
    } catch (int) {
        HANDLE t = CreateThread(nullptr, 0, throwAndCatchInAThread, &theirs, 0, nullptr);
        ASSERT_NE(t, nullptr);
        WaitForSingleObject(t, INFINITE);
        CloseHandle(t);
        try {
            throw;
        } catch (int v) {
            rethrown = v;
        }
    }
    EXPECT_EQ(theirs, 2);
    EXPECT_EQ(rethrown, 1);
    EXPECT_EQ(std::uncaught_exceptions(), 0);
    EXPECT_FALSE(std::current_exception());
}

struct Shared {
    std::intptr_t lock = -1; // as the runtime's locks start
    long once = 0;
    int runs = 0;
    long count = 0;
};
Shared shared;

void countRun() {
    Sleep(20); // the other threads arrive while this runs
    ++shared.runs;
}

DWORD WINAPI addUnderTheLock(void*) {
    pthread_once(&shared.once, countRun);
    for (int i = 0; i < 20000; ++i) {
        pthread_mutex_lock(&shared.lock);
        const long c = shared.count;
        if (i % 1000 == 0) Sleep(0);
        shared.count = c + 1;
        pthread_mutex_unlock(&shared.lock);
    }
    return 0;
}

TEST(LeanRuntime, LocksAndOnceOnlyHoldAcrossThreads) {
    HANDLE threads[4];
    for (HANDLE& t : threads) {
        t = CreateThread(nullptr, 0, addUnderTheLock, nullptr, 0, nullptr);
        ASSERT_NE(t, nullptr);
    }
    WaitForMultipleObjects(4, threads, TRUE, INFINITE);
    for (HANDLE t : threads)
        CloseHandle(t);
    EXPECT_EQ(shared.runs, 1);
    EXPECT_EQ(shared.count, 4 * 20000);
}

} // namespace
