// Buffers sized from what a file says: a 32-bit program may not find the
// room for a large one, and that must be an answer the caller can report,
// never the end of the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <vector>

namespace zarnet {

// Sizes `v` to n elements; false (and `v` as it was) when there is no room.
template <class T> bool tryResize(std::vector<T>& v, size_t n) noexcept {
    try {
        v.resize(n);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

} // namespace zarnet
