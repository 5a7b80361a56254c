#include "elf/NameStorage.h"

#include <algorithm>

namespace {
// Characters per block: 2 MiB, one huge page.
const size_t blockSize = 1024 * 1024;
} // namespace

QString NameStorage::add(const char* bytes, size_t length)
{
    if (length == 0)
        return QString();
    if (blocks.empty() || blocks.back().capacity() - blocks.back().size() < length) {
        blocks.emplace_back();
        blocks.back().reserve(std::max(blockSize, length));
    }
    Block& block = blocks.back();
    size_t start = block.size();
    for (size_t i = 0; i < length; ++i)
        block.push_back(QChar(uchar(bytes[i])));
    return QString::fromRawData(block.data() + start, qsizetype(length));
}
