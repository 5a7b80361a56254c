#pragma once
// Hex dump rows for the reader's diagnostics: " %02X" per byte, two spaces, then the bytes
// as characters ("." when not printable). Rows of 16 positions; a dump of n bytes writes
// n / 16 + 1 rows. Positions outside the section show as missing bytes (spaces).
#include <cstdint>
#include <cstdio>

void printHexDump(FILE* stream, const uint8_t* section, uint32_t sectionSize, int64_t start, uint32_t count);
