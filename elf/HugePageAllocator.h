#pragma once
// An allocator for large arrays that are filled right away, such as the symbols of a
// table of 100,000 entries: blocks of 2 MiB and more are aligned to huge pages and marked
// for them, so the kernel maps them a few huge pages at a time instead of faulting in
// thousands of single pages. Smaller blocks are plain aligned allocations.
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

template <class T>
class HugePageAllocator {
public:
    using value_type = T;

    HugePageAllocator() = default;
    template <class U>
    HugePageAllocator(const HugePageAllocator<U>&) {}

    T* allocate(size_t count)
    {
        if (count > maxCount)
            throw std::bad_array_new_length();
        size_t bytes = count * sizeof(T);
        bool huge = bytes >= hugePage;
        size_t alignment = huge ? hugePage : alignof(std::max_align_t);
        // aligned_alloc wants a size that is a multiple of the alignment.
        size_t rounded = (bytes + alignment - 1) / alignment * alignment;
        void* block = aligned_alloc(alignment, rounded ? rounded : alignment);
        if (!block)
            throw std::bad_alloc();
        if (huge)
            madvise(block, rounded, MADV_HUGEPAGE);
        return static_cast<T*>(block);
    }

    void deallocate(T* block, size_t) { free(block); }

    template <class U>
    bool operator==(const HugePageAllocator<U>&) const { return true; }
    template <class U>
    bool operator!=(const HugePageAllocator<U>&) const { return false; }

private:
    static constexpr size_t hugePage = 2 * 1024 * 1024;
    static constexpr size_t maxCount = (PTRDIFF_MAX - hugePage) / sizeof(T);
};
