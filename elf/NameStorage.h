#pragma once
// Storage for the texts of symbol names. Large blocks hold many names at once, each
// converted from its 8-bit bytes once, and every QString handed out refers to its place
// in a block without a copy of its own (QString::fromRawData): a table of 100,000 names
// then costs a few block allocations instead of 100,000 small ones. The storage must
// outlive the texts made from it (a copy that is changed gets its own data); the image
// model keeps it for as long as its symbols.
#include "elf/HugePageAllocator.h"

#include <QString>
#include <cstddef>
#include <vector>

class NameStorage {
public:
    // A text of `length` bytes, one character per byte.
    QString add(const char* bytes, size_t length);
    // Sizes the next block for about `characters` in all (small tables, small blocks).
    void expect(size_t characters) { nextBlockSize = characters; }
    void clear()
    {
        blocks.clear();
        nextBlockSize = 0;
    }

private:
    using Block = std::vector<QChar, HugePageAllocator<QChar>>;
    // Each block is reserved once and never grows past it, so its characters stay put.
    std::vector<Block> blocks;
    size_t nextBlockSize = 0;
};
