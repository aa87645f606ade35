#pragma once
#include "linefiles/text_encoding.h"
#include "ordering/line_span.h"

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

// Allocates like std::allocator but leaves new chars uninitialised: the reader sizes the
// buffer to the file and fills it from the file at once, so clearing hundreds of MB first
// would only cost time.
template <typename T> struct UninitializedAllocator {
    using value_type = T;
    UninitializedAllocator() = default;
    template <typename U> UninitializedAllocator(const UninitializedAllocator<U>&) noexcept {}
    T* allocate(size_t count) { return std::allocator<T>().allocate(count); }
    void deallocate(T* pointer, size_t count) noexcept { std::allocator<T>().deallocate(pointer, count); }
    template <typename U> void construct(U* pointer) noexcept { ::new (static_cast<void*>(pointer)) U; }
    template <typename U, typename... Args> void construct(U* pointer, Args&&... args) {
        ::new (static_cast<void*>(pointer)) U(std::forward<Args>(args)...);
    }
};

template <typename T, typename U>
bool operator==(const UninitializedAllocator<T>&, const UninitializedAllocator<U>&) noexcept {
    return true;
}
template <typename T, typename U>
bool operator!=(const UninitializedAllocator<T>&, const UninitializedAllocator<U>&) noexcept {
    return false;
}

using LineText = std::vector<char, UninitializedAllocator<char>>;

// The non-empty lines of one input file: its bytes in one buffer and one span per line, in
// input order (so offsets increase with the line's position in the file). The first
// markLength bytes of text are the file's byte-order mark, which the output repeats first.
// For UTF-8 and UTF-16 lines, keys holds one sort key per line, in the same order: the line's
// characters as Windows-1252 bytes, stored in keyText at the line's offset divided by its unit
// width, so that a key leads back to its line. For Ansi lines the lines are their own keys and
// keys stays empty.
struct LineArray {
    LineText text;
    std::vector<LineSpan> lines;
    TextEncoding encoding = TextEncoding::Ansi;
    uint32_t markLength = 0;
    LineText keyText;
    std::vector<LineSpan> keys;
};
