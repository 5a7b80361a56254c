#include "common/ByteCursor.h"
#include <cstring>

void ByteCursor::seek(uint32_t offset)
{
    if (offset > uint32_t(end_ - start_))
        fail();
    else
        pos_ = start_ + offset;
}

void ByteCursor::skip(int64_t delta)
{
    int64_t target = int64_t(pos_ - start_) + delta;
    if (target < 0) {
        failed_ = true;
        pos_ = start_;
    } else if (target > int64_t(end_ - start_)) {
        fail();
    } else {
        pos_ = start_ + target;
    }
}

uint64_t ByteCursor::readUnsigned(unsigned size, int bigEndian)
{
    if (size == 0 || size > 8 || remaining() < size) {
        fail();
        return 0;
    }
    uint64_t value = 0;
    for (unsigned i = 0; i < size; ++i) {
        unsigned index = bigEndian ? i : size - 1 - i;
        value = value << 8 | pos_[index];
    }
    pos_ += size;
    return value;
}

int64_t ByteCursor::readSigned(unsigned size, int bigEndian)
{
    uint64_t value = readUnsigned(size, bigEndian);
    if (size == 0 || size >= 8)
        return int64_t(value);
    unsigned shift = 64 - 8 * size;
    return int64_t(value << shift) >> shift;
}

bool ByteCursor::readLebBits(uint64_t& result, unsigned& shift, uint8_t& last)
{
    result = 0;
    shift = 0;
    while (pos_ < end_) {
        last = *pos_++;
        if (shift < 64)
            result |= uint64_t(last & 0x7F) << shift;
        shift += 7;
        if (!(last & 0x80))
            return true;
    }
    fail();
    return false;
}

uint64_t ByteCursor::readUleb128Wide()
{
    uint64_t result;
    unsigned shift;
    uint8_t last;
    readLebBits(result, shift, last);
    return result;
}

int64_t ByteCursor::readSleb128Wide()
{
    uint64_t result;
    unsigned shift;
    uint8_t last = 0;
    if (readLebBits(result, shift, last) && shift < 64 && (last & 0x40))
        result |= ~uint64_t(0) << shift;
    return int64_t(result);
}

uint32_t ByteCursor::readUleb128()
{
    return uint32_t(readUleb128Wide());
}

int32_t ByteCursor::readSleb128()
{
    // Sign-extending from the last byte into 64 bits and keeping the low 32 gives the same
    // value as assembling 32 bits and extending when fewer were read.
    return int32_t(uint32_t(uint64_t(readSleb128Wide())));
}

const char* ByteCursor::readString(uint32_t& length)
{
    const void* nul = pos_ < end_ ? std::memchr(pos_, 0, size_t(end_ - pos_)) : nullptr;
    if (!nul) {
        length = 0;
        fail();
        return nullptr;
    }
    const char* text = reinterpret_cast<const char*>(pos_);
    length = uint32_t(static_cast<const uint8_t*>(nul) - pos_);
    pos_ += length + 1;
    return text;
}
