#pragma once
// Storage for the entries of one unit: storage of one entry size in growing chunks, so a
// tree of a million entries costs a few dozen allocations. Entries never move; the pool
// destroys them when it is destroyed.
#include "dwarf/DwarfDebuggingInformationEntry.h"
#include <algorithm>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

class DwarfEntryPool {
    typedef std::aligned_storage<sizeof(DwarfDebuggingInformationEntry),
                                 alignof(DwarfDebuggingInformationEntry)>::type Slot;
    struct Chunk {
        std::unique_ptr<Slot[]> storage;
        size_t capacity;
    };

public:
    DwarfEntryPool() = default;
    DwarfEntryPool(const DwarfEntryPool&) = delete;
    DwarfEntryPool& operator=(const DwarfEntryPool&) = delete;
    ~DwarfEntryPool()
    {
        for (size_t c = 0; c < chunks.size(); ++c) {
            size_t count = c + 1 < chunks.size() ? chunks[c].capacity : used;
            for (size_t i = 0; i < count; ++i)
                reinterpret_cast<DwarfDebuggingInformationEntry*>(&chunks[c].storage[i])->~DwarfDebuggingInformationEntry();
        }
    }

    template <class T, class... Arguments>
    T* create(Arguments&&... arguments)
    {
        static_assert(std::is_base_of<DwarfDebuggingInformationEntry, T>::value, "entries only");
        static_assert(sizeof(T) == sizeof(Slot), "every entry type has the same size");
        if (chunks.empty() || used == chunks.back().capacity) {
            size_t capacity = chunks.empty() ? 64 : std::min<size_t>(chunks.back().capacity * 2, 65536);
            chunks.push_back(Chunk{std::unique_ptr<Slot[]>(new Slot[capacity]), capacity});
            used = 0;
        }
        return new (&chunks.back().storage[used++]) T(std::forward<Arguments>(arguments)...);
    }

private:
    std::vector<Chunk> chunks;
    size_t used = 0;    // storage taken in the last chunk
};
