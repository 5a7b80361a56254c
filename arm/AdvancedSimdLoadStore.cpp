// Handler 150, Advanced SIMD element and structure loads and stores (vld1-vld4,
// vst1-vst4): multiple structures, one lane, or one structure to all lanes. The
// alignment field is not printed.
#include "arm/ARMInstructionSetDisassembler.h"
#include "arm/AdvancedSimdFields.h"

using simd::bit;
using simd::field;

namespace {

// Multiple structures, by type (bits 11:8): structure size, registers, register spacing.
struct MultipleLayout {
    int elements;
    int registers;
    int spacing;
};

const MultipleLayout multipleLayouts[11] = {
    {4, 4, 1}, {4, 4, 2}, {1, 4, 1}, {2, 4, 1}, {3, 3, 1}, {3, 3, 2},
    {1, 3, 1}, {1, 1, 1}, {2, 2, 1}, {2, 2, 2}, {1, 2, 1}};

// The alignment, index and size fields that the architecture reserves (UNDEFINED).
bool reservedFields(uint32_t bits)
{
    const int align = field(bits, 5, 4);
    if (!bit(bits, 23)) {
        const int type = field(bits, 11, 8);
        if (type > 10 || (field(bits, 7, 6) == 3 && multipleLayouts[type].elements != 1))
            return true;
        // One- and three-register vld1 and vld3 have no 128-bit alignment; the
        // two-register forms no 256-bit one.
        if (type == 4 || type == 5 || type == 6 || type == 7)
            return (align & 2) != 0;
        return (type == 8 || type == 9 || type == 10) && align == 3;
    }
    const int elements = field(bits, 9, 8) + 1;
    const int size = field(bits, 11, 10);
    if (size == 3) {   // all lanes, loads only; the element size in bits 7:6
        const int elementSize = field(bits, 7, 6);
        const bool a = bit(bits, 4);
        return !bit(bits, 21) || (elementSize == 3 && (elements != 4 || !a))
               || (elements == 1 && elementSize == 0 && a) || (elements == 3 && a);
    }
    const int indexAlign = field(bits, 7, 4);
    switch (elements) {
    case 1:
        return size == 0   ? (indexAlign & 1) != 0
               : size == 1 ? (indexAlign & 2) != 0
                           : (indexAlign & 4) != 0 || (indexAlign & 3) == 1 || (indexAlign & 3) == 2;
    case 2:
        return size == 2 && (indexAlign & 2) != 0;
    case 3:
        return (indexAlign & (size == 2 ? 3 : 1)) != 0;
    default:
        return size == 2 && (indexAlign & 3) == 3;
    }
}

} // namespace

void ARMInstructionSetDisassembler::advancedSimdLoadStore(uint32_t bits)
{
    static const char* const names[2][4] = {{"vst1", "vst2", "vst3", "vst4"},
                                            {"vld1", "vld2", "vld3", "vld4"}};
    const bool load = bit(bits, 21);
    const int rn = field(bits, 19, 16);
    const int rm = field(bits, 3, 0);
    if (reservedFields(bits)) {
        undefinedInstruction();
        return;
    }
    char* const start = out;
    simdUndefined = false;
    int elements, registers, spacing, size, lane;
    if (!bit(bits, 23)) {
        const int type = field(bits, 11, 8);
        size = field(bits, 7, 6);
        elements = multipleLayouts[type].elements;
        registers = multipleLayouts[type].registers;
        spacing = multipleLayouts[type].spacing;
        lane = kNoLane;
    } else if (field(bits, 11, 10) == 3) {
        // One structure to all lanes (loads only); bit 5 doubles the registers of vld1 and
        // the spacing of the others; size 3 is vld4 of words with 16-byte alignment.
        elements = field(bits, 9, 8) + 1;
        size = field(bits, 7, 6);
        size = size == 3 ? 2 : size;
        registers = elements == 1 ? 1 + bit(bits, 5) : elements;
        spacing = elements == 1 ? 1 : 1 + bit(bits, 5);
        lane = kAllLanes;
    } else {
        // One lane: index_align (bits 7:4) holds the index above the element size's bits
        // and, for halfwords and words, the register spacing.
        elements = field(bits, 9, 8) + 1;
        size = field(bits, 11, 10);
        registers = elements;
        spacing = elements == 1 || size == 0 ? 1 : 1 + bit(bits, 4 + size);
        lane = field(bits, 7, 4) >> (size + 1);
    }
    emitSimdSizedMnemonic(names[load][elements - 1], size);
    emitSimdList(simd::vd(bits), registers, spacing, lane);
    emitText(", [");
    emitRegister(rn);
    emitChar(']');
    if (rm == 13) {
        emitChar('!');
    } else if (rm != 15) {
        emitText(", r");
        emitDecimal(uint32_t(rm));
    }
    if (simdUndefined) {
        out = start;
        undefinedInstruction();
    }
}
