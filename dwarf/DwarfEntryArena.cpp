#include "dwarf/DwarfEntryArena.h"
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace {
const size_t firstBlockSize = 64 * 1024;
const size_t largestBlockSize = 1024 * 1024;
const size_t alignment = alignof(std::max_align_t);
}

DwarfEntryArena::~DwarfEntryArena()
{
    for (const Block& block : blocks) {
        if (block.mapped)
            munmap(block.memory, block.size);
        else
            free(block.memory);
    }
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

void DwarfEntryArena::addBlock(size_t minimum)
{
    size_t size = blocks.empty() ? firstBlockSize : std::min(blocks.back().size * 2, largestBlockSize);
    size = std::max(size, minimum);
    Block block{mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0),
                size, true};
    if (block.memory == MAP_FAILED) {
        block.memory = malloc(size);
        block.mapped = false;
        if (!block.memory)
            throw std::bad_alloc();
    }
    blocks.push_back(block);
    next = static_cast<char*>(block.memory);
    end = next + size;
}
