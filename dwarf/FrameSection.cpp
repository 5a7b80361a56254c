#include "dwarf/FrameSection.h"
#include "common/ByteCursor.h"
#include "dwarf/DwarfTextWriter.h"
#include "dwarf/DwarfWarning.h"
#include <algorithm>

namespace {

const uint32_t cieId = 0xFFFFFFFF;

// How an operand of an instruction below 0x40 is read and what is printed for it.
enum Operand {
    None,
    Byte,
    Half,
    Word,
    Unsigned,           // ULEB128
    UnsignedFactored,   // ULEB128 times the data alignment factor
    SignedFactored,     // SLEB128 times the data alignment factor
};

struct Opcode {
    const char* name;
    Operand first;
    Operand second;
};

// Opcodes 0x00 to 0x16. Those listed with " - eek" have their operands left unread: the
// bytes after them decode as further instructions.
const Opcode opcodes[] = {
    {"DW_CFA_nop", None, None},
    {"DW_CFA_set_loc", Word, None},
    {"DW_CFA_advance_loc1", Byte, None},
    {"DW_CFA_advance_loc2", Half, None},
    {"DW_CFA_advance_loc4", Word, None},
    {"DW_CFA_offset_extended", Unsigned, UnsignedFactored},
    {"DW_CFA_restore_extended", Unsigned, None},
    {"DW_CFA_undefined", Unsigned, None},
    {"DW_CFA_same_value", Unsigned, None},
    {"DW_CFA_register", Unsigned, Unsigned},
    {"DW_CFA_remember_state", None, None},
    {"DW_CFA_restore_state", None, None},
    {"DW_CFA_def_cfa", Unsigned, Unsigned},
    {"DW_CFA_def_cfa_register", Unsigned, None},
    {"DW_CFA_def_cfa_offset", Unsigned, None},
    {"DW_CFA_def_cfa_expression - eek", None, None},
    {"DW_CFA_def_expression - eek", None, None},
    {"DW_CFA_offset_extended_sf", Unsigned, SignedFactored},
    {"DW_CFA_def_cfa_sf", Unsigned, SignedFactored},
    {"DW_CFA_def_cfa_offset_sf", SignedFactored, None},
    {"DW_CFA_val_offset - eek", None, None},
    {"DW_CFA_val_offset_sf - eek", None, None},
    {"DW_CFA_val_expression - eek", None, None},
};
const uint8_t opcodeCount = sizeof opcodes / sizeof opcodes[0];

// 32-bit products wrap, as the listing prints them with "%d".
int32_t times(uint32_t value, uint32_t factor)
{
    return int32_t(value * factor);
}

int32_t readOperand(Operand operand, const FrameSection& frames, ByteCursor& cursor)
{
    switch (operand) {
    case None:
        break;
    case Byte:
        return cursor.readU8();
    case Half:
        return cursor.readU16();
    case Word:
        return int32_t(cursor.readU32());
    case Unsigned:
        return int32_t(cursor.readUleb128());
    case UnsignedFactored:
        return times(cursor.readUleb128(), uint32_t(frames.dataAlignmentFactor));
    case SignedFactored:
        return times(uint32_t(cursor.readSleb128()), uint32_t(frames.dataAlignmentFactor));
    }
    return 0;
}

// "name\n", or "name(a, b, ...)\n".
void printInstruction(DwarfTextWriter& out, const char* name, const int32_t* operands, int count)
{
    out.text(name);
    for (int i = 0; i < count; ++i) {
        out.text(i ? ", " : "(");
        out.decimal(operands[i]);
    }
    out.text(count ? ")\n" : "\n");
}

// "\nlength: %d cie_id: 0x%X ", the start of every entry's header line.
void printEntryStart(DwarfTextWriter& out, uint32_t length, uint32_t id)
{
    out.text("\nlength: ");
    out.decimal(int32_t(length));
    out.text(" cie_id: 0x");
    out.hex(id, true);
    out.character(' ');
}

// The CIE header after its length and id: it replaces the holder's factors. Entry headers
// print only when they were read whole.
void dumpCie(FrameSection& frames, ByteCursor& cursor, DwarfTextWriter& out, uint32_t length)
{
    uint8_t version = cursor.readU8();
    uint32_t augmentationLength = 0;
    const char* augmentation = cursor.readString(augmentationLength);
    uint8_t addressSize = version > 3 ? cursor.readU8() : 0;
    uint8_t segmentSelectorSize = version > 3 ? cursor.readU8() : 0;
    uint32_t codeAlignmentFactor = cursor.readUleb128();
    int32_t dataAlignmentFactor = cursor.readSleb128();
    uint8_t returnAddressRegister = cursor.readU8();
    if (cursor.failed())
        return;
    frames.codeAlignmentFactor = codeAlignmentFactor;
    frames.dataAlignmentFactor = dataAlignmentFactor;
    frames.returnAddressRegister = returnAddressRegister;
    printEntryStart(out, length, cieId);
    out.text("CIE\nversion: ");
    out.decimal(version);
    out.text("\naugmentation : ");
    out.bytes(augmentation, augmentationLength);
    if (version > 3) {
        out.text("\naddress size: ");
        out.decimal(addressSize);
        out.text("\npointer size: ");
        out.decimal(segmentSelectorSize);
    }
    out.text("\ncode_alignment_factor: 0x");
    out.hex(codeAlignmentFactor, true);
    out.text("\ndata_alignment_factor: 0x");
    out.hex(uint32_t(dataAlignmentFactor), true);
    out.text("\nreturn_address_register: ");
    out.decimal(returnAddressRegister);
    out.text("\n\n");
}

void dumpFde(ByteCursor& cursor, DwarfTextWriter& out, uint32_t length, uint32_t id)
{
    uint32_t initialLocation = cursor.readU32();
    uint32_t addressRange = cursor.readU32();
    if (cursor.failed())
        return;
    printEntryStart(out, length, id);
    out.text("FDE initial_location: 0x");
    out.hex(initialLocation, true);
    out.text(" address_range: 0x");
    out.hex(addressRange, true);
    out.character('\n');
}

// One entry at the cursor; false when the section ended inside it.
bool dumpEntry(FrameSection& frames, ByteCursor& cursor, DwarfTextWriter& out)
{
    uint32_t length = cursor.readU32();
    // Instructions are read while the cursor is before the entry's end, which a length
    // beyond the section puts at the section's end.
    uint32_t end = cursor.offset() + std::min(length, cursor.remaining());
    uint32_t id = cursor.readU32();
    if (id == cieId)
        dumpCie(frames, cursor, out, length);
    else
        dumpFde(cursor, out, length, id);
    // Every instruction reads at least its opcode byte, and a failed read moves the cursor
    // to the section's end, so this loop ends.
    while (!cursor.failed() && cursor.offset() < end)
        dumpFrameInstruction(frames, cursor, out);
    return !cursor.failed();
}

} // namespace

void dumpFrameInstruction(const FrameSection& frames, ByteCursor& cursor, DwarfTextWriter& out)
{
    uint8_t opcode = cursor.readU8();
    if (cursor.failed())
        return;
    uint8_t low = opcode & 0x3F;
    int32_t operands[3] = {};
    switch (opcode >> 6) {
    case 1:
        operands[0] = times(low, frames.codeAlignmentFactor);
        printInstruction(out, "DW_CFA_advance_loc", operands, 1);
        return;
    case 2: {
        uint32_t offset = cursor.readUleb128();
        operands[0] = low;
        operands[1] = int32_t(offset);
        operands[2] = times(offset, uint32_t(frames.dataAlignmentFactor));
        if (!cursor.failed())
            printInstruction(out, "DW_CFA_offset", operands, 3);
        return;
    }
    case 3:
        operands[0] = low;
        printInstruction(out, "DW_CFA_restore", operands, 1);
        return;
    }
    if (opcode >= opcodeCount) {
        out.text("Unknown DW_CFI ");
        out.decimal(opcode);
        out.text(" - eek\n");
        return;
    }
    const Opcode& form = opcodes[opcode];
    operands[0] = readOperand(form.first, frames, cursor);
    operands[1] = readOperand(form.second, frames, cursor);
    if (!cursor.failed())
        printInstruction(out, form.name, operands, (form.first != None) + (form.second != None));
}

void dumpFrames(FrameSection& frames, FILE* stream)
{
    if (!frames.data)
        return;
    DwarfTextWriter out(stream);
    ByteCursor cursor(frames.data, frames.size, int(frames.byteOrder));
    while (!cursor.atEnd()) {
        uint32_t entryOffset = cursor.offset();
        if (!dumpEntry(frames, cursor, out)) {
            out.flush();
            dwarfWarning(".debug_frame: the entry at 0x%x is cut short by the end of the section", entryOffset);
            return;
        }
    }
}
