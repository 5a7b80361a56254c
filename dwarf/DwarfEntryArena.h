#pragma once
// Memory for the entries of one unit's tree. Entries are small and numerous: they are
// handed out by bumping a pointer through blocks, and all of them are given back at once
// when the tree is released or the unit destroyed. Blocks come from malloc, which hands
// the memory of a released tree to the next tree read, so a listing that reads and
// releases the units one after another touches fresh pages only for its largest tree.
#include <cstddef>
#include <vector>

class DwarfEntryArena {
public:
    DwarfEntryArena() = default;
    ~DwarfEntryArena();
    DwarfEntryArena(const DwarfEntryArena&) = delete;
    DwarfEntryArena& operator=(const DwarfEntryArena&) = delete;

    // The size of the first block; later blocks double, up to a limit.
    void setFirstBlockSize(size_t size);
    // `size` bytes aligned for any entry.
    void* allocate(size_t size);
    // Frees every block. The entries must have been destroyed.
    void release();

private:
    struct Block {
        void* memory;
        size_t size;
        bool mapped;    // else from malloc
    };
    void addBlock(size_t minimum);

    std::vector<Block> blocks;
    size_t firstBlockSize = 64 * 1024;
    char* next = nullptr;
    char* end = nullptr;
};
