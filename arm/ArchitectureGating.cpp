// The gating table: one row per -arch level.
#include "arm/ArchitectureGating.h"

namespace {

constexpr bool Y = true, N = false;

// Columns as in ArchitectureFeatures:
//   A32: unconditional space, v5, v6, media, barriers
//   T16: v5, CBZ/CBNZ, v6, IT, hints
//   T32: Thumb-2
//   Advanced SIMD
const ArchitectureFeatures features[12] = {
    /* 0  unrestricted */ {Y, Y, Y, Y, Y,  Y, Y, Y, Y, Y,  Y,  Y},
    /* 1  v4T          */ {N, N, N, N, N,  N, N, N, N, N,  N,  N},
    /* 2  v5TE         */ {Y, Y, N, N, N,  Y, N, N, N, N,  N,  Y},
    /* 3  v6           */ {Y, Y, Y, Y, N,  Y, Y, Y, N, N,  N,  Y},
    /* 4  v6T2         */ {Y, Y, Y, Y, N,  Y, Y, Y, Y, Y,  Y,  Y},
    /* 5  v6M          */ {Y, Y, Y, Y, N,  Y, N, Y, N, Y,  Y,  Y},
    /* 6  v7M          */ {Y, Y, Y, Y, N,  Y, Y, Y, Y, Y,  Y,  Y},
    /* 7  v7EM         */ {Y, Y, Y, Y, N,  Y, Y, Y, Y, Y,  Y,  Y},
    /* 8  v7R          */ {Y, Y, Y, Y, Y,  Y, Y, Y, Y, Y,  Y,  Y},
    /* 9  v7A          */ {Y, Y, Y, Y, Y,  Y, Y, Y, Y, Y,  Y,  Y},
    /* 10 v8M_Baseline */ {Y, Y, Y, Y, N,  Y, Y, Y, Y, Y,  Y,  Y},
    /* 11 v8M_Mainline */ {Y, Y, Y, Y, N,  Y, Y, Y, Y, Y,  Y,  Y},
};

} // namespace

const ArchitectureFeatures& architectureFeatures(ArchitectureLevel level)
{
    return features[level >= 0 && level < 12 ? level : 0];
}
