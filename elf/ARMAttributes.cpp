#include "elf/ARMAttributes.h"

#include "common/ByteCursor.h"
#include "common/ByteOrder.h"

#include <algorithm>
#include <cstring>

namespace {

const char* const tagNames[] = {
    "", "Tag_File", "Tag_Section", "Tag_Symbol", "Tag_CPU_raw_name", "Tag_CPU_name",
    "Tag_CPU_arch", "Tag_CPU_arch_profile", "Tag_ARM_ISA_use", "Tag_THUMB_ISA_use",
    "Tag_FP_arch", "Tag_WMMX_arch", "Tag_Advanced_SIMD_arch", "Tag_PCS_config",
    "Tag_ABI_PCS_R9_use", "Tag_ABI_PCS_RW_data", "Tag_ABI_PCS_RO_data", "Tag_ABI_PCS_GOT_use",
    "Tag_ABI_PCS_wchar_t", "Tag_ABI_FP_rounding", "Tag_ABI_FP_denormal", "Tag_ABI_FP_exceptions",
    "Tag_ABI_FP_user_exceptions", "Tag_ABI_FP_number_model", "Tag_ABI_align_needed",
    "Tag_ABI_align8_preserved", "Tag_ABI_enum_size", "Tag_ABI_HardFP_use", "Tag_ABI_VFP_args",
    "Tag_ABI_WMMX_args", "Tag_ABI_optimization_goals", "Tag_ABI_FP_optimization_goals",
    "Tag_compatibility", "", "Tag_CPU_unaligned_access", "", "Tag_FP_HP_extension", "",
    "Tag_ABI_FP_16bit_format", "", "", "", "Tag_MPextension_use", "", "Tag_DIV_use", "", "", "",
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    "Tag_nodefaults", "Tag_also_compatible_with", "Tag_T2EE_use", "Tag_conformance",
    "Tag_Virtualization_use", "", "Tag_MPExtension_use",
};
const unsigned lastNamedTag = 70;
static_assert(sizeof tagNames / sizeof tagNames[0] == lastNamedTag + 1, "one name per tag 0 to 70");

const char* const architectureNames[] = {
    "Pre-v4", "ARM v4", "ARM v4T", "ARM v5T", "ARM v5TE", "ARM v5TEJ", "ARM v6", "ARM v6KZ",
    "ARM v6T2", "ARM v6K", "ARM v7", "ARM v6-M", "ARM v6S-M", "ARM v7E-M", "ARM v8",
};
const uint32_t lastArchitecture = 14;

enum : unsigned {
    Tag_File = 1, Tag_CPU_raw_name = 4, Tag_CPU_name = 5, Tag_CPU_arch = 6,
    Tag_CPU_arch_profile = 7, Tag_compatibility = 32, Tag_also_compatible_with = 65,
    Tag_conformance = 67,
};

// Byte 0 is the format version 'A'; bytes 1 to 4 the first subsection's length, counted
// from byte 1; bytes 5 to 10 its vendor name with the NUL; the attributes follow.
const uint32_t vendorOffset = 5;
const uint32_t attributesOffset = 11;
const char aeabi[] = "aeabi";

bool isStringTag(unsigned tag)
{
    return tag == Tag_CPU_raw_name || tag == Tag_CPU_name || tag == Tag_compatibility
        || tag == Tag_also_compatible_with || tag == Tag_conformance;
}

void printNumber(unsigned tag, uint32_t value, FILE* stream)
{
    if (tag == Tag_CPU_arch && value <= lastArchitecture)
        fprintf(stream, "%s\n", architectureNames[value]);
    else if (tag == Tag_CPU_arch)
        fprintf(stream, "unknown arch %d\n", int(value));
    else if (tag == Tag_CPU_arch_profile && value != 0)
        fprintf(stream, "%c\n", int(value));
    else if (tag != Tag_CPU_arch_profile)
        fprintf(stream, "%d\n", int(value));
}

// Decodes and prints the attribute at the cursor. Nothing is printed when its value does
// not fit before the cursor's end; that is reported as false.
bool printAttribute(ByteCursor& cursor, FILE* stream)
{
    unsigned tag = cursor.readU8();
    uint32_t number = 0;
    const char* text = nullptr;
    uint32_t length = 0;
    if (tag == Tag_File)
        number = cursor.readU32();
    else if (isStringTag(tag))
        text = cursor.readString(length);
    else
        number = cursor.readUleb128();
    if (cursor.failed())
        return false;

    if (tag <= lastNamedTag)
        fprintf(stream, "%s ", tagNames[tag]);
    else
        fprintf(stream, "unknown tag %d\n", int(tag));
    if (text)
        fprintf(stream, "%s\n", text);
    else if (tag == Tag_File)
        fprintf(stream, "%d\n", int(number));
    else
        printNumber(tag, number, stream);
    return true;
}

} // namespace

bool printARMAttributes(const ElfFile& image, FILE* stream)
{
    const ElfSection* section = image.getSection(QStringLiteral(".ARM.attributes"));
    uint32_t size = section ? section->availableSize() : 0;
    if (size < attributesOffset || section->data[0] != 'A'
        || memcmp(section->data + vendorOffset, aeabi, sizeof aeabi) != 0)
        return true;
    // The attributes end with the subsection: remaining = length - 10 bytes from byte 11.
    // A subsection that claims more than the section holds ends with the contents.
    uint64_t subsectionEnd = 1 + uint64_t(readU32(section->data + 1, image.bigEndian));
    uint32_t end = uint32_t(std::min<uint64_t>(subsectionEnd, size));
    if (end <= attributesOffset)
        return true;
    ByteCursor cursor(section->data + attributesOffset, end - attributesOffset, image.bigEndian);
    while (!cursor.atEnd())
        if (!printAttribute(cursor, stream))
            return false;
    return true;
}
