#pragma once
// Collects listing text in a large buffer and hands it to the stdio stream in big pieces;
// the entry listing writes millions of small fields, where one fprintf each would dominate
// the run time. Call flush() before anything else writes to the same stream.
#include <cstdint>
#include <cstdio>
#include <cstring>

class DwarfTextWriter {
public:
    explicit DwarfTextWriter(FILE* stream) : stream(stream) {}
    ~DwarfTextWriter() { flush(); }
    DwarfTextWriter(const DwarfTextWriter&) = delete;
    DwarfTextWriter& operator=(const DwarfTextWriter&) = delete;

    void flush()
    {
        if (used)
            fwrite(buffer, 1, used, stream);
        used = 0;
    }

    void bytes(const char* text, size_t length)
    {
        if (length > sizeof buffer - used) {
            flush();
            if (length > sizeof buffer) {
                fwrite(text, 1, length, stream);
                return;
            }
        }
        memcpy(buffer + used, text, length);
        used += length;
    }
    void text(const char* text) { bytes(text, strlen(text)); }
    void character(char c)
    {
        if (used == sizeof buffer)
            flush();
        buffer[used++] = c;
    }
    // "%x" and "%X".
    void hex(uint32_t value, bool upperCase = false);
    // "%02x".
    void hexByte(uint8_t value);
    // "%d" of a signed 32-bit value.
    void decimal(int32_t value);

private:
    FILE* stream;
    size_t used = 0;
    char buffer[1 << 16];
};
