#pragma once
// Memory for the entries of all units of one reader. Entries are small and numerous, and
// touching fresh memory a page at a time costs more than reading the entries: small blocks
// are mapped with their pages populated in one go, large ones as huge pages where the
// kernel allows, and both are handed out by bumping a pointer.
// Nothing is released before the arena is destroyed; the units destroy their entries
// (which own nothing) before that.
#include <cstddef>
#include <vector>

class DwarfEntryArena {
public:
    DwarfEntryArena() = default;
    ~DwarfEntryArena();
    DwarfEntryArena(const DwarfEntryArena&) = delete;
    DwarfEntryArena& operator=(const DwarfEntryArena&) = delete;

    // `size` bytes aligned for any entry.
    void* allocate(size_t size);

private:
    struct Block {
        void* memory;
        size_t size;
        bool mapped;    // else from malloc
    };
    void addBlock(size_t minimum);

    std::vector<Block> blocks;
    char* next = nullptr;
    char* end = nullptr;
};
