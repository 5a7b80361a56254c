#pragma once
// What each -arch level admits, for all four instruction sets, in one table
// (arm/ArchitectureGating.cpp). The decoders ask it and print "undefined opcode" for
// whatever a level does not admit; nothing else in arm/ tests the level for gating.
#include <cstdint>

// -arch levels; 0 admits every encoding the decoders know.
enum ArchitectureLevel : int32_t {
    ArchUnrestricted = 0,
    ArchV4T = 1,
    ArchV5TE = 2,
    ArchV6 = 3,
    ArchV6T2 = 4,
    ArchV6M = 5,
    ArchV7M = 6,
    ArchV7EM = 7,
    ArchV7R = 8,
    ArchV7A = 9,
    ArchV8MBaseline = 10,
    ArchV8MMainline = 11
};

struct ArchitectureFeatures {
    // A32
    bool unconditionalSpace; // condition 15 words: "2" coprocessor forms, BLX (immediate),
                             // PLD/PLI, Advanced SIMD; without it they decode as ordinary
                             // instructions without a condition suffix
    bool armV5;              // CLZ, BLX (register), QADD family, BKPT, halfword multiplies,
                             // LDRD/STRD, MCRR/MRRC
    bool armV6;              // CPS, SETEND, SRS, RFE, MCRR2/MRRC2
    bool armMedia;           // the media space
    bool barriers;           // CLREX, DSB, DMB, ISB
    // T16
    bool thumbV5;            // BLX (register), BKPT, the BLX second half
    bool compareBranchZero;  // CBZ, CBNZ
    bool thumbV6;            // extends, REV family, SETEND, CPS
    bool ifThen;             // IT
    bool thumbHints;         // NOP, YIELD, WFE, WFI, SEV
    // T32
    bool thumb2;             // 32-bit Thumb; without it BL/BLX are T16 halfword pairs
    // coprocessor, VFP, Advanced SIMD (the "2" forms and the SIMD data processing and
    // element loads of A32 live in the unconditional space above)
    bool advancedSimd;       // also the SIMD scalar moves and VDUP of the VFP space
};

const ArchitectureFeatures& architectureFeatures(ArchitectureLevel level);
