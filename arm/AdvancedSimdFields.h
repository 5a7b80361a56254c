#pragma once
// Field access for the Advanced SIMD encodings in their A32 layout (bits 23:0; T32
// words are handed over in the same layout).
#include <cstdint>

namespace simd {

// Bits hi:lo, right-aligned.
inline int field(uint32_t bits, int hi, int lo)
{
    return int((bits >> lo) & ((2u << (hi - lo)) - 1));
}

inline bool bit(uint32_t bits, int n)
{
    return (bits >> n) & 1;
}

// The register numbers D:Vd, N:Vn and M:Vm (0-31).
inline int vd(uint32_t bits) { return bit(bits, 22) << 4 | field(bits, 15, 12); }
inline int vn(uint32_t bits) { return bit(bits, 7) << 4 | field(bits, 19, 16); }
inline int vm(uint32_t bits) { return bit(bits, 5) << 4 | field(bits, 3, 0); }

} // namespace simd
