#pragma once
// A read cursor over one bounded byte range (normally a whole section). Every read checks
// the bound: a read that does not fit returns zero, leaves the cursor at the end and sets
// a sticky error, so a reader can decode a damaged table without checking each field and
// look at `failed()` once. Multi-byte values use the cursor's byte order unless a read
// names its own (0 little-endian, anything else big-endian).
#include <cstdint>

class ByteCursor {
public:
    ByteCursor() = default;
    ByteCursor(const uint8_t* start, const uint8_t* end, int bigEndian)
        : start_(start), pos_(start), end_(end), bigEndian_(bigEndian) {}
    ByteCursor(const uint8_t* start, uint32_t size, int bigEndian)
        : ByteCursor(start, start + size, bigEndian) {}

    const uint8_t* start() const { return start_; }
    const uint8_t* position() const { return pos_; }
    const uint8_t* end() const { return end_; }
    uint32_t offset() const { return uint32_t(pos_ - start_); }
    uint32_t remaining() const { return uint32_t(end_ - pos_); }
    bool atEnd() const { return pos_ >= end_; }
    bool failed() const { return failed_; }
    int bigEndian() const { return bigEndian_; }

    // Moves to `offset` from the start; an offset past the end moves to the end and fails.
    void seek(uint32_t offset);
    // Moves by `delta` bytes either way; leaving the range clamps to its edge and fails.
    void skip(int64_t delta);
    void seekTo(const uint8_t* p) { seek(uint32_t(p - start_)); }

    // Unsigned 1-, 2-, 4- or 8-byte value (any size 1 to 8) in the cursor's byte order.
    uint64_t readUnsigned(unsigned size) { return readUnsigned(size, bigEndian_); }
    uint64_t readUnsigned(unsigned size, int bigEndian);
    // The same, sign-extended from the top bit of its `size` bytes.
    int64_t readSigned(unsigned size) { return readSigned(size, bigEndian_); }
    int64_t readSigned(unsigned size, int bigEndian);

    uint8_t readU8() { return uint8_t(readUnsigned(1)); }
    uint16_t readU16() { return uint16_t(readUnsigned(2)); }
    uint32_t readU32() { return uint32_t(readUnsigned(4)); }

    // LEB128 into 32 bits, as readUleb128/readSleb128; a value cut off by the end fails.
    uint32_t readUleb128();
    int32_t readSleb128();
    // LEB128 into 64 bits; bits beyond 64 are dropped.
    uint64_t readUleb128Wide();
    int64_t readSleb128Wide();

    // The NUL-terminated text at the cursor, moving past its terminator. A text without a
    // terminator before the end fails and returns null; `length` gets strlen.
    const char* readString(uint32_t& length);

private:
    void fail() { failed_ = true; pos_ = end_; }
    // Assembles a LEB128 value's low 64 bits; `shift` gets 7 times its byte count and
    // `last` its final byte. False (and failed) when the end comes first.
    bool readLebBits(uint64_t& result, unsigned& shift, uint8_t& last);

    const uint8_t* start_ = nullptr;
    const uint8_t* pos_ = nullptr;
    const uint8_t* end_ = nullptr;
    int bigEndian_ = 0;
    bool failed_ = false;
};
