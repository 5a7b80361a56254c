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

} // namespace

void ARMInstructionSetDisassembler::advancedSimdLoadStore(uint32_t bits)
{
    static const char* const names[2][4] = {{"vst1", "vst2", "vst3", "vst4"},
                                            {"vld1", "vld2", "vld3", "vld4"}};
    const bool load = bit(bits, 21);
    const int rn = field(bits, 19, 16);
    const int rm = field(bits, 3, 0);
    char* const start = out;
    simdUndefined = false;
    int elements, registers, spacing, size, lane;
    if (!bit(bits, 23)) {
        const int type = field(bits, 11, 8);
        size = field(bits, 7, 6);
        if (type > 10 || (size == 3 && multipleLayouts[type].elements != 1)) {
            undefinedInstruction();
            return;
        }
        elements = multipleLayouts[type].elements;
        registers = multipleLayouts[type].registers;
        spacing = multipleLayouts[type].spacing;
        lane = kNoLane;
    } else if (field(bits, 11, 10) == 3) {
        // One structure to all lanes (loads only); bit 5 doubles the registers of vld1 and
        // the spacing of the others; size 3 is vld4 of words with 16-byte alignment.
        elements = field(bits, 9, 8) + 1;
        size = field(bits, 7, 6);
        if (!load || (size == 3 && elements != 4)) {
            undefinedInstruction();
            return;
        }
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
