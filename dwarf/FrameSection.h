#pragma once
// The call-frame information of .debug_frame and its listing: every CIE with its header
// fields and initial instructions, every FDE with its address range and instructions, one
// line per call-frame instruction. The instructions are printed, not executed.
#include <cstdint>
#include <cstdio>

class ByteCursor;
class DwarfTextWriter;

class FrameSection {
public:
    // byteOrder: 0 little-endian, anything else big-endian.
    explicit FrameSection(uint32_t byteOrder) : byteOrder(byteOrder) {}

    const uint8_t* data = nullptr;   // null when the image has no .debug_frame
    uint32_t size = 0;
    // Set by each CIE as it is listed; an FDE uses those of the most recent one. Before any
    // CIE both factors are 1, so the operands print as encoded.
    uint32_t codeAlignmentFactor = 1;
    int32_t dataAlignmentFactor = 1;
    uint8_t returnAddressRegister = 0;
    uint32_t byteOrder;
};

// Lists every entry. An entry's instructions are decoded while the cursor is before the
// entry's end, and the next entry starts where they stopped. Nothing is read past the
// section: a field or operand cut off by its end ends the listing with a warning.
void dumpFrames(FrameSection& frames, FILE* stream);
// Decodes the instruction at the cursor with the current alignment factors and prints its
// line. An instruction cut off by the cursor's end prints nothing and leaves it failed.
void dumpFrameInstruction(const FrameSection& frames, ByteCursor& cursor, DwarfTextWriter& out);
