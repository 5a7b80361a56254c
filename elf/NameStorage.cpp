#include "elf/NameStorage.h"

#include <algorithm>

namespace {
// Characters per block: 2 MiB, one huge page; less when fewer are expected.
const size_t largestBlock = 1024 * 1024;
const size_t smallestBlock = 256;
} // namespace

QString NameStorage::add(const char* bytes, size_t length)
{
    if (length == 0)
        return QString();
    if (blocks.empty() || blocks.back().capacity() - blocks.back().size() < length) {
        size_t size = std::clamp(nextBlockSize, smallestBlock, largestBlock);
        // Demangled names outgrow the first guess; doubling keeps a small table's
        // storage small (a 2 MiB block costs a huge page cleared for a few names).
        nextBlockSize = size * 2;
        blocks.emplace_back();
        blocks.back().reserve(std::max(size, length));
    }
    Block& block = blocks.back();
    size_t start = block.size();
    for (size_t i = 0; i < length; ++i)
        block.push_back(QChar(uchar(bytes[i])));
    return QString::fromRawData(block.data() + start, qsizetype(length));
}
