// The tag, attribute and form name tables and the path normalisation of decl_file paths.
#include "dwarf/DwarfFilePath.h"
#include "dwarf/DwarfNames.h"

#include <gtest/gtest.h>

#include <string>

TEST(DwarfNames, TagsOfDwarf4AndVendorCodes)
{
    EXPECT_STREQ(tagName(0x01).text(), "DW_TAG_array_type");
    EXPECT_STREQ(tagName(0x11).text(), "DW_TAG_compile_unit");
    EXPECT_STREQ(tagName(0x2E).text(), "DW_TAG_subprogram");
    EXPECT_STREQ(tagName(0x2F).text(), "DW_TAG_template_type_param");
    EXPECT_STREQ(tagName(0x30).text(), "DW_TAG_template_value_param");
    EXPECT_STREQ(tagName(0x34).text(), "DW_TAG_variable");
    EXPECT_STREQ(tagName(0x3E).text(), "DW_TAG_mutable_type");
    EXPECT_STREQ(tagName(0x43).text(), "DW_TAG_template_alias");
    EXPECT_STREQ(tagName(0x47).text(), "DW_TAG_atomic_type");
    EXPECT_STREQ(tagName(0x4080).text(), "DW_TAG_lo_user");
    EXPECT_STREQ(tagName(0x4081).text(), "DW_TAG_MIPS_loop");
    EXPECT_STREQ(tagName(0x4101).text(), "DW_TAG_format_label");
    EXPECT_STREQ(tagName(0x410A).text(), "DW_TAG_GNU_call_site_parameter");
    EXPECT_STREQ(tagName(0xFFFF).text(), "DW_TAG_hi_user");
    for (uint32_t reserved : {0x00u, 0x06u, 0x07u, 0x09u, 0x0Cu, 0x0Eu, 0x14u, 0x44u, 0x46u, 0x48u, 0x407Fu, 0x4082u,
                              0x4100u, 0x410Bu, 0xFFFEu, 0x10000u})
        EXPECT_EQ(knownTagName(reserved), nullptr) << std::hex << reserved;
    for (uint32_t code = 0x01; code <= 0x43; ++code) {
        bool reserved = code == 0x06 || code == 0x07 || code == 0x09 || code == 0x0C || code == 0x0E || code == 0x14;
        EXPECT_EQ(knownTagName(code) == nullptr, reserved) << std::hex << code;
    }
}

TEST(DwarfNames, AttributesOfDwarf4AndVendorCodes)
{
    EXPECT_STREQ(attributeName(0x01).text(), "DW_AT_sibling");
    EXPECT_STREQ(attributeName(0x0A).text(), "DW_AT_subscr_data");
    EXPECT_STREQ(attributeName(0x0F).text(), "DW_AT_element_list");
    EXPECT_STREQ(attributeName(0x14).text(), "DW_AT_member");
    EXPECT_STREQ(attributeName(0x2E).text(), "DW_AT_stride_size");
    EXPECT_STREQ(attributeName(0x3A).text(), "DW_AT_decl_file");
    EXPECT_STREQ(attributeName(0x51).text(), "DW_AT_stride");
    EXPECT_STREQ(attributeName(0x6B).text(), "DW_AT_main_data_bit_offset");
    EXPECT_STREQ(attributeName(0x6E).text(), "DW_AT_linkage_name");
    EXPECT_STREQ(attributeName(0x87).text(), "DW_AT_noreturn");
    EXPECT_STREQ(attributeName(0x2000).text(), "DW_AT_lo_user");
    EXPECT_STREQ(attributeName(0x2007).text(), "DW_AT_MIPS_linkage_name");
    EXPECT_STREQ(attributeName(0x2011).text(), "DW_AT_MIPS_assumed_size");
    EXPECT_STREQ(attributeName(0x2101).text(), "DW_AT_sf_names");
    EXPECT_STREQ(attributeName(0x2119).text(), "DW_AT_GNU_macros");
    EXPECT_STREQ(attributeName(0x2130).text(), "DW_AT_GNU_dwo_name");
    EXPECT_STREQ(attributeName(0x2135).text(), "DW_AT_GNU_pubtypes");
    EXPECT_STREQ(attributeName(0x3FE1).text(), "DW_AT_APPLE_optimized");
    EXPECT_STREQ(attributeName(0x3FE6).text(), "DW_AT_APPLE_runtime_class");
    EXPECT_STREQ(attributeName(0x3FFF).text(), "DW_AT_hi_user");
    for (uint32_t code = 0x01; code <= 0x6E; ++code) {
        bool reserved = (code >= 0x04 && code <= 0x08) || code == 0x0E || code == 0x1F || code == 0x23 || code == 0x24
            || code == 0x26 || code == 0x28 || code == 0x29 || code == 0x2B || code == 0x2D || code == 0x30;
        EXPECT_EQ(knownAttributeName(code) == nullptr, reserved) << std::hex << code;
    }
    for (uint32_t unknown : {0x6Fu, 0x86u, 0x88u, 0x1FFFu, 0x2012u, 0x2100u, 0x211Au, 0x2136u, 0x2137u, 0x3FE0u, 0x3FE7u})
        EXPECT_EQ(knownAttributeName(unknown), nullptr) << std::hex << unknown;
}

TEST(DwarfNames, Forms)
{
    EXPECT_STREQ(formName(0x01).text(), "DW_FORM_addr");
    EXPECT_STREQ(formName(0x0E).text(), "DW_FORM_strp");
    EXPECT_STREQ(formName(0x19).text(), "DW_FORM_flag_present");
    EXPECT_STREQ(formName(0x20).text(), "DW_FORM_ref_sig8");
    EXPECT_STREQ(formName(0x1F01).text(), "DW_FORM_GNU_addr_index");
    EXPECT_STREQ(formName(0x1F02).text(), "DW_FORM_GNU_str_index");
    EXPECT_STREQ(formName(0x1F20).text(), "DW_FORM_GNU_ref_alt");
    EXPECT_STREQ(formName(0x1F21).text(), "DW_FORM_GNU_strp_alt");
    for (uint32_t unknown : {0x00u, 0x02u, 0x1Au, 0x1Fu, 0x21u, 0x1F00u, 0x1F03u, 0x1F22u})
        EXPECT_EQ(knownFormName(unknown), nullptr) << std::hex << unknown;
}

TEST(DwarfNames, FallbackTextsCarryTheirOwnCode)
{
    DwarfCodeName first = tagName(0x48);
    DwarfCodeName second = tagName(0x4100);
    EXPECT_STREQ(first.text(), "unexpected DW_TAG 0x48");
    EXPECT_STREQ(second.text(), "unexpected DW_TAG 0x4100");
    EXPECT_STREQ(attributeName(0x2137).text(), "unexpected DW_AT 0x2137");
    EXPECT_STREQ(formName(0xABCDEF12).text(), "unexpected DW_FORM 0xabcdef12");
    DwarfCodeName copy = first;
    EXPECT_STREQ(copy.text(), "unexpected DW_TAG 0x48");
}

TEST(DwarfFilePath, NormalisationRule)
{
    EXPECT_EQ(normalisePath("src/main.c"), "src/main.c");
    EXPECT_EQ(normalisePath("src/./lib/../x.c"), "src/x.c");
    EXPECT_EQ(normalisePath("/usr//include/./stdio.h"), "/usr/include/stdio.h");
    EXPECT_EQ(normalisePath("../up.c"), "../up.c");
    EXPECT_EQ(normalisePath("a/../../b.c"), "../b.c");
    EXPECT_EQ(normalisePath("./a.c"), "a.c");
    EXPECT_EQ(normalisePath("/a/b/../../c"), "/c");
    EXPECT_EQ(normalisePath("/../x"), "/../x");
    EXPECT_EQ(normalisePath("dir/"), "dir");
    EXPECT_EQ(normalisePath("a.c"), "a.c");
    EXPECT_EQ(normalisePath(""), "");
}

#include "dwarf/DwarfTextWriter.h"

#include <climits>
#include <cstdlib>

TEST(DwarfTextWriter, NumbersAndLongTexts)
{
    char* buffer = nullptr;
    size_t length = 0;
    FILE* stream = open_memstream(&buffer, &length);
    std::string longText(200000, 'x');
    {
        DwarfTextWriter out(stream);
        out.hex(0);
        out.character(' ');
        out.hex(0xFFFFFFFF, true);
        out.character(' ');
        out.hex(0xABC);
        out.character(' ');
        out.hexByte(0x0F);
        out.character(' ');
        out.decimal(INT_MIN);
        out.character(' ');
        out.decimal(0);
        out.character(' ');
        out.decimal(-7);
        out.character(' ');
        out.text(longText.c_str());
    }
    fclose(stream);
    std::string text(buffer, length);
    free(buffer);
    EXPECT_EQ(text, "0 FFFFFFFF abc 0f -2147483648 0 -7 " + longText);
}
