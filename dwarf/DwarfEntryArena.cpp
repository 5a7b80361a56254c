#include "dwarf/DwarfEntryArena.h"
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace {
const size_t smallestBlockSize = 4 * 1024;
// Blocks grow to one huge page; blocks of that size are mapped on a huge-page boundary, so
// that the kernel may back a giant unit's tree with few pages.
const size_t hugePageSize = 2 * 1024 * 1024;
const size_t alignment = alignof(std::max_align_t);

void* mapHugeBlock(size_t size)
{
    // Map one huge page more, to place the block on a huge-page boundary; the spare head and
    // tail are unmapped again.
    size_t mappedSize = size + hugePageSize;
    void* mapped = mmap(nullptr, mappedSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    uintptr_t start = (uintptr_t(mapped) + hugePageSize - 1) & ~uintptr_t(hugePageSize - 1);
    size_t head = start - uintptr_t(mapped);
    if (head)
        munmap(mapped, head);
    if (hugePageSize - head)
        munmap(reinterpret_cast<void*>(start + size), hugePageSize - head);
    madvise(reinterpret_cast<void*>(start), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(start);
}
}

DwarfEntryArena::~DwarfEntryArena()
{
    release();
}

void DwarfEntryArena::setFirstBlockSize(size_t size)
{
    firstBlockSize = std::clamp(size, smallestBlockSize, hugePageSize);
}

void* DwarfEntryArena::allocate(size_t size)
{
    size = (size + alignment - 1) & ~(alignment - 1);
    if (size_t(end - next) < size)
        addBlock(size);
    void* result = next;
    next += size;
    return result;
}

void DwarfEntryArena::release()
{
    for (const Block& block : blocks) {
        if (block.mapped)
            munmap(block.memory, block.size);
        else
            free(block.memory);
    }
    blocks.clear();
    next = end = nullptr;
}

void DwarfEntryArena::addBlock(size_t minimum)
{
    size_t size = blocks.empty() ? firstBlockSize : std::min(blocks.back().size * 2, hugePageSize);
    size = std::max(size, minimum);
    Block block{size >= hugePageSize ? mapHugeBlock(size) : nullptr, size, true};
    if (!block.memory) {
        block.memory = malloc(size);
        block.mapped = false;
        if (!block.memory)
            throw std::bad_alloc();
    }
    blocks.push_back(block);
    next = static_cast<char*>(block.memory);
    end = next + size;
}
