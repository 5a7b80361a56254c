#pragma once
// LEB128 decoding into 32-bit values. The cursor never passes `end`: a value whose
// last byte (bit 7 clear) is missing stops at the end of the buffer.
#include <cstdint>

// Unsigned LEB128; bits beyond 32 are dropped.
uint32_t readUleb128(const uint8_t*& cursor, const uint8_t* end);

// Signed LEB128; sign-extended from bit 6 of the last byte when fewer than 32 bits were read.
int32_t readSleb128(const uint8_t*& cursor, const uint8_t* end);
