// The reader's model of hand-made units: unit layout, decoded values and their classes,
// references, attribute lookup through specifications and origins, and the indexes.
#include "DwarfTestSupport.h"
#include "dwarf/DwarfAttributeIterator.h"
#include "dwarf/DwarfConstants.h"
#include "dwarf/DwarfDebuggingInformationSubprogram.h"
#include "dwarf/DwarfDebuggingInformationVariable.h"

#include <gtest/gtest.h>

namespace {

// The attribute values of the first entry after the compile unit of the only unit.
std::vector<DwarfAttributeValue> valuesOf(const AttributeForms& forms, const Bytes& attributeBytes,
                                          LoadedDwarf& loaded, uint8_t addressSize = 4)
{
    bool big = attributeBytes.bigEndian;
    Bytes abbrev(big);
    addAbbreviation(abbrev, 1, DW_TAG_compile_unit, true, {});
    addAbbreviation(abbrev, 2, DW_TAG_base_type, false, forms);
    abbrev.u8(0);
    Bytes entries(big);
    entries.uleb(1).uleb(2).raw(attributeBytes.data).u8(0);
    loaded = loadDwarf(dwarfImage(big, {{".debug_abbrev", abbrev.data},
                                        {".debug_info", unitBytes(big, 0, entries, 4, addressSize).data},
                                        {".debug_str", Bytes().str("xyz").data}}));
    if (loaded.reader->units.size() != 1)
        return {};
    DwarfDebuggingInformationEntry* unit = loaded.reader->units[0]->readEntries();
    if (!unit || !unit->firstChild)
        return {};
    return unit->firstChild->attributes();
}

} // namespace

TEST(DwarfReaderForms, FixedSizeFormsInBothByteOrders)
{
    for (bool big : {false, true}) {
        LoadedDwarf loaded;
        Bytes bytes(big);
        bytes.u32(0x11223344).u16(0xA1B2).u32(0xC1D2E3F4).u8(0x81).u8(1).u32(0xB).u8(0xB).u16(0xB).u32(0xB);
        auto values = valuesOf({{1, DW_FORM_addr}, {2, DW_FORM_data2}, {3, DW_FORM_data4}, {4, DW_FORM_data1},
                                {5, DW_FORM_flag}, {6, DW_FORM_sec_offset}, {7, DW_FORM_ref1}, {8, DW_FORM_ref2},
                                {9, DW_FORM_ref4}},
                               bytes, loaded);
        ASSERT_EQ(values.size(), 9u);
        uint32_t expected[] = {0x11223344, 0xA1B2, 0xC1D2E3F4, 0x81, 1, 0xB, 0xB, 0xB, 0xB};
        for (size_t i = 0; i < values.size(); ++i) {
            EXPECT_EQ(values[i].attribute, i + 1);
            EXPECT_EQ(values[i].value, expected[i]) << "attribute " << i + 1 << (big ? " big" : " little");
        }
        EXPECT_EQ(values[0].valueClass, DwarfValueClass::Constant);
        EXPECT_EQ(values[5].valueClass, DwarfValueClass::Reference);
        EXPECT_EQ(values[5].data, nullptr);
        EXPECT_EQ(values[6].valueClass, DwarfValueClass::Reference);
        EXPECT_EQ(values[6].referencedUnit(), loaded.reader->units[0].get());
    }
}

TEST(DwarfReaderForms, StringsBlocksAndEightByteForms)
{
    LoadedDwarf loaded;
    Bytes bytes;
    bytes.str("abc").u32(0).u32(1).u32(4).raw({1, 2, 3, 4, 5, 6, 7, 8}).raw({8, 7, 6, 5, 4, 3, 2, 1})
        .raw({9, 9, 9, 9, 9, 9, 9, 9}).uleb(3).raw({0xA, 0xB, 0xC}).u16(0);
    auto values = valuesOf({{1, DW_FORM_string}, {2, DW_FORM_strp}, {3, DW_FORM_strp}, {4, DW_FORM_strp},
                            {5, DW_FORM_data8}, {6, DW_FORM_ref8}, {7, DW_FORM_ref_sig8}, {8, DW_FORM_exprloc},
                            {9, DW_FORM_block2}},
                           bytes, loaded);
    ASSERT_EQ(values.size(), 9u);
    EXPECT_EQ(values[0].valueClass, DwarfValueClass::String);
    EXPECT_EQ(values[0].value, 4u);   // the text and its NUL
    EXPECT_STREQ(values[0].text(), "abc");
    EXPECT_EQ(values[1].value, 3u);   // through .debug_str: the length only
    EXPECT_STREQ(values[1].text(), "xyz");
    EXPECT_EQ(values[2].value, 2u);
    EXPECT_STREQ(values[2].text(), "yz");
    EXPECT_EQ(values[3].valueClass, DwarfValueClass::String);   // offset 4 = the section size
    EXPECT_EQ(values[3].value, 0u);
    EXPECT_EQ(values[3].data, nullptr);
    EXPECT_EQ(values[4].valueClass, DwarfValueClass::Block);
    EXPECT_EQ(values[4].value, 8u);
    EXPECT_EQ(values[4].bytes()[0], 1);
    EXPECT_EQ(values[5].valueClass, DwarfValueClass::Reference);
    EXPECT_EQ(values[5].value, 8u);
    EXPECT_EQ(values[6].valueClass, DwarfValueClass::Reference);
    EXPECT_EQ(values[6].value, 8u);
    EXPECT_EQ(loaded.reader->resolveReference(values[5]), nullptr);
    EXPECT_EQ(loaded.reader->resolveReference(values[6]), nullptr);
    EXPECT_EQ(values[7].valueClass, DwarfValueClass::Block);
    EXPECT_EQ(values[7].value, 3u);
    EXPECT_EQ(values[7].bytes()[2], 0xC);
    EXPECT_EQ(values[8].value, 0u);
}

TEST(DwarfReaderForms, LebFormsIndirectAndFlagPresent)
{
    LoadedDwarf loaded;
    Bytes bytes;
    bytes.sleb(-1).sleb(-200).uleb(0xFFFFFFFF).uleb(DW_FORM_data1).u8(0x5A).uleb(0x80).uleb(DW_FORM_indirect)
        .uleb(DW_FORM_udata).uleb(77);
    auto values = valuesOf({{1, DW_FORM_sdata}, {2, DW_FORM_sdata}, {3, DW_FORM_udata}, {4, DW_FORM_indirect},
                            {5, DW_FORM_flag_present}, {6, DW_FORM_ref_udata}, {7, DW_FORM_indirect}},
                           bytes, loaded);
    ASSERT_EQ(values.size(), 7u);
    EXPECT_EQ(values[0].valueClass, DwarfValueClass::SignedConstant);
    EXPECT_EQ(int32_t(values[0].value), -1);
    EXPECT_EQ(int32_t(values[1].value), -200);
    EXPECT_EQ(values[2].value, 0xFFFFFFFFu);
    EXPECT_EQ(values[3].form, uint32_t(DW_FORM_data1));
    EXPECT_EQ(values[3].value, 0x5Au);
    EXPECT_EQ(values[4].valueClass, DwarfValueClass::Constant);
    EXPECT_EQ(values[4].value, 1u);
    EXPECT_EQ(values[5].valueClass, DwarfValueClass::Reference);
    EXPECT_EQ(values[5].value, 0x80u);
    EXPECT_EQ(values[6].form, uint32_t(DW_FORM_udata));
    EXPECT_EQ(values[6].value, 77u);
}

TEST(DwarfReaderForms, AddressIsFourBytesWhateverTheHeaderSays)
{
    LoadedDwarf loaded;
    Bytes bytes;
    bytes.u32(0x8000).u8(9);
    auto values = valuesOf({{DW_AT_low_pc, DW_FORM_addr}, {0x0B, DW_FORM_data1}}, bytes, loaded, 8);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].value, 0x8000u);
    EXPECT_EQ(values[1].value, 9u);
    EXPECT_EQ(loaded.reader->units[0]->addressSize, 8u);
}

TEST(DwarfReaderForms, UnknownFormKeepsTheCursor)
{
    LoadedDwarf loaded;
    Bytes bytes;
    bytes.u8(0x33);
    auto values = valuesOf({{1, 0x1A}, {2, DW_FORM_data1}}, bytes, loaded);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].form, 0x1Au);
    EXPECT_EQ(values[0].value, 0u);
    EXPECT_EQ(values[0].data, nullptr);
    EXPECT_EQ(values[1].value, 0x33u);
}

namespace {

// Two units: the first holds a class with a declared member function, its definition
// (through DW_AT_specification), an inlined copy (through DW_AT_abstract_origin) and variables; the second refers
// back into the first with DW_FORM_ref_addr.
struct TwoUnits {
    TwoUnits()
    {
        Bytes abbrev;
        addAbbreviation(abbrev, 1, DW_TAG_compile_unit, true, {{DW_AT_name, DW_FORM_string}});
        addAbbreviation(abbrev, 2, DW_TAG_class_type, true, {{DW_AT_name, DW_FORM_string}});
        addAbbreviation(abbrev, 3, DW_TAG_subprogram, false,
                        {{DW_AT_name, DW_FORM_string}, {DW_AT_linkage_name, DW_FORM_strp},
                         {DW_AT_declaration, DW_FORM_flag_present}});
        addAbbreviation(abbrev, 4, DW_TAG_subprogram, false,
                        {{DW_AT_specification, DW_FORM_ref4}, {DW_AT_low_pc, DW_FORM_addr}});
        addAbbreviation(abbrev, 5, DW_TAG_subprogram, false,
                        {{DW_AT_abstract_origin, DW_FORM_ref4}, {DW_AT_low_pc, DW_FORM_addr}});
        addAbbreviation(abbrev, 6, DW_TAG_variable, false,
                        {{DW_AT_name, DW_FORM_string}, {DW_AT_location, DW_FORM_exprloc}});
        addAbbreviation(abbrev, 7, DW_TAG_variable, false, {{DW_AT_specification, DW_FORM_ref_addr}});
        addAbbreviation(abbrev, 8, DW_TAG_subprogram, false, {{DW_AT_specification, DW_FORM_ref4}});
        abbrev.u8(0);

        Bytes first;
        first.uleb(1).str("one");                                       // 0xB
        first.uleb(2).str("A");                                         // 0x10
        first.uleb(3).str("f").u32(0);                                  // 0x13
        first.u8(0);                                                    // end of A (0x1A)
        first.uleb(4).u32(0x13).u32(0x9000);                            // 0x1B
        first.uleb(5).u32(0x1B).u32(0x8000);                            // 0x24
        first.uleb(6).str("zeta").uleb(5).raw({3, 0x00, 0x20, 0, 0});   // 0x2D
        first.uleb(6).str("alpha").uleb(5).raw({3, 0x00, 0x10, 0, 0});  // 0x39
        first.uleb(8).u32(0x46);                                        // 0x46, refers to itself
        first.u8(0);
        Bytes info = unitBytes(false, 0, first);
        firstLength = info.size();
        Bytes second;
        second.uleb(1).str("two");
        second.uleb(7).u32(0x2D);                                       // zeta in the first unit
        second.uleb(7).u32(0x2E);                                       // no entry starts there
        second.u8(0);
        info.raw(unitBytes(false, 0, second).data);
        loaded = loadDwarf(dwarfImage(false, {{".debug_abbrev", abbrev.data}, {".debug_info", info.data},
                                              {".debug_str", Bytes().str("_ZN1A1fEi").data}}));
    }

    DwarfCompilationUnit& unit(size_t i) { return *loaded.reader->units.at(i); }

    LoadedDwarf loaded;
    uint32_t firstLength;
};

std::vector<std::string> namesOf(const std::vector<DwarfDebuggingInformationEntry*>& entries)
{
    std::vector<std::string> names;
    for (auto* entry : entries)
        names.push_back(entry->name());
    return names;
}

} // namespace

TEST(DwarfReaderUnits, UnitsAndHeaderEntries)
{
    TwoUnits t;
    ASSERT_EQ(t.loaded.reader->units.size(), 2u);
    EXPECT_EQ(t.unit(0).offset, 0u);
    EXPECT_EQ(t.unit(1).offset, t.firstLength);
    EXPECT_EQ(t.unit(0).length(), t.firstLength);
    ASSERT_NE(t.unit(0).headerEntry, nullptr);
    EXPECT_EQ(t.unit(0).headerEntry->offset, 0xBu);
    EXPECT_EQ(t.unit(0).headerEntry->tag, uint32_t(DW_TAG_compile_unit));
    EXPECT_STREQ(t.unit(0).headerEntry->name(), "one");
    EXPECT_FALSE(t.unit(0).entriesRead);
    DwarfDebuggingInformationEntry* tree = t.unit(0).readEntries();
    ASSERT_NE(tree, nullptr);
    EXPECT_NE(tree, t.unit(0).headerEntry);   // a separate object
    EXPECT_EQ(tree->offset, 0xBu);
    EXPECT_EQ(t.unit(0).readEntries(), tree);
    EXPECT_EQ(t.unit(0).allEntries.size(), 8u);
}

TEST(DwarfReaderUnits, FindUnitAndFindUnitContaining)
{
    TwoUnits t;
    DwarfDebugInfo& reader = *t.loaded.reader;
    EXPECT_EQ(reader.findUnit(0), &t.unit(0));
    EXPECT_EQ(reader.findUnit(t.firstLength), &t.unit(1));
    EXPECT_EQ(reader.findUnit(1), nullptr);
    EXPECT_EQ(reader.findUnitContaining(0), &t.unit(0));
    EXPECT_EQ(reader.findUnitContaining(t.firstLength - 1), &t.unit(0));
    EXPECT_EQ(reader.findUnitContaining(t.firstLength), &t.unit(1));
    EXPECT_EQ(reader.findUnitContaining(t.firstLength + t.unit(1).length()), nullptr);
}

TEST(DwarfReaderUnits, FindEntryNeedsAnExactOffset)
{
    TwoUnits t;
    ASSERT_NE(t.unit(0).findEntry(0x13), nullptr);
    EXPECT_EQ(t.unit(0).findEntry(0x13)->tag, uint32_t(DW_TAG_subprogram));
    EXPECT_EQ(t.unit(0).findEntry(0x14), nullptr);
    EXPECT_EQ(t.unit(0).findEntry(0x1000), nullptr);
    EXPECT_NE(dynamic_cast<DwarfDebuggingInformationSubprogram*>(t.unit(0).findEntry(0x13)), nullptr);
    EXPECT_NE(dynamic_cast<DwarfDebuggingInformationVariable*>(t.unit(0).findEntry(0x2D)), nullptr);
}

TEST(DwarfReaderUnits, TreeLinks)
{
    TwoUnits t;
    DwarfDebuggingInformationEntry* unit = t.unit(0).readEntries();
    DwarfDebuggingInformationEntry* classA = unit->firstChild;
    ASSERT_NE(classA, nullptr);
    EXPECT_EQ(classA->parent, unit);
    ASSERT_NE(classA->firstChild, nullptr);
    EXPECT_EQ(classA->firstChild->offset, 0x13u);
    EXPECT_EQ(classA->firstChild->parent, classA);
    EXPECT_EQ(classA->firstChild->nextSibling, nullptr);
    ASSERT_NE(classA->nextSibling, nullptr);
    EXPECT_EQ(classA->nextSibling->offset, 0x1Bu);
    EXPECT_EQ(unit->nextSibling, nullptr);
}

TEST(DwarfReaderReferences, CrossUnitReferencesReadTheTargetUnit)
{
    TwoUnits t;
    DwarfDebuggingInformationEntry* second = t.unit(1).readEntries();
    ASSERT_NE(second, nullptr);
    DwarfDebuggingInformationEntry* variable = second->firstChild;
    ASSERT_NE(variable, nullptr);
    // Naming the second unit's entries already went through the first unit.
    EXPECT_TRUE(t.unit(0).entriesRead);
    DwarfDebuggingInformationEntry* target = variable->specification();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->unit, &t.unit(0));
    EXPECT_EQ(target->offset, 0x2Du);
    EXPECT_STREQ(variable->name(), "zeta");
    EXPECT_EQ(variable->nextSibling->specification(), nullptr);
}

TEST(DwarfReaderLookup, SpecificationAbstractOriginAndEnclosing)
{
    TwoUnits t;
    DwarfDebuggingInformationEntry* definition = t.unit(0).findEntry(0x1B);
    DwarfDebuggingInformationEntry* inlined = t.unit(0).findEntry(0x24);
    ASSERT_NE(definition, nullptr);
    ASSERT_NE(inlined, nullptr);
    EXPECT_FALSE(definition->findAttribute(DW_AT_name));
    auto name = definition->lookupAttribute(DW_AT_name, false);
    ASSERT_TRUE(name);
    EXPECT_STREQ(name->text(), "f");
    // Through the abstract origin, then its specification.
    ASSERT_TRUE(inlined->lookupAttribute(DW_AT_linkage_name, false));
    EXPECT_STREQ(inlined->lookupAttribute(DW_AT_linkage_name, false)->text(), "_ZN1A1fEi");
    // Own attributes win over the origin's.
    EXPECT_EQ(inlined->lookupAttribute(DW_AT_low_pc, false)->value, 0x8000u);
    // Enclosing entries: the declaration's class and then the unit.
    DwarfDebuggingInformationEntry* declaration = t.unit(0).findEntry(0x13);
    EXPECT_FALSE(declaration->lookupAttribute(DW_AT_location, true));
    DwarfDebuggingInformationEntry* member = t.unit(0).findEntry(0x13);
    EXPECT_STREQ(member->lookupAttribute(DW_AT_name, false)->text(), "f");
    EXPECT_FALSE(t.unit(0).findEntry(0x24)->lookupAttribute(0x3E, true));
}

TEST(DwarfReaderLookup, SelfReferenceEndsTheSearch)
{
    TwoUnits t;
    DwarfDebuggingInformationEntry* looping = t.unit(0).findEntry(0x46);
    ASSERT_NE(looping, nullptr);
    EXPECT_EQ(looping->specification(), looping);
    EXPECT_FALSE(looping->lookupAttribute(DW_AT_name, true));
    EXPECT_STREQ(looping->name(), "");
}

TEST(DwarfReaderIndexes, SubprogramsVariablesAndNamedEntries)
{
    TwoUnits t;
    DwarfCompilationUnit& unit = t.unit(0);
    unit.readEntries();
    ASSERT_EQ(unit.subprograms.size(), 4u);
    // By DW_AT_low_pc: those without one (0) first, in reading order.
    EXPECT_EQ(unit.subprograms[0]->offset, 0x13u);
    EXPECT_EQ(unit.subprograms[1]->offset, 0x46u);
    EXPECT_EQ(unit.subprograms[2]->offset, 0x24u);
    EXPECT_EQ(unit.subprograms[3]->offset, 0x1Bu);
    ASSERT_EQ(unit.variables.size(), 2u);
    EXPECT_STREQ(unit.variables[0]->name(), "alpha");   // 0x1000 before 0x2000
    EXPECT_STREQ(unit.variables[1]->name(), "zeta");
    // The declaration stays out; the definition and the inlined copy find the linkage name
    // through their specification and origin chains and are named by its demangled text;
    // the self-referencing one has no name and stays out.
    EXPECT_EQ(unit.pendingCount, 3u);
    EXPECT_EQ(namesOf(unit.namedEntries),
              (std::vector<std::string>{"A", "A::f(int)", "A::f(int)", "alpha", "zeta"}));
    EXPECT_STREQ(unit.findEntry(0x1B)->name(), "A::f(int)");
}

TEST(DwarfReaderDamage, InfoWithoutAbbreviationsHasNoUnits)
{
    Bytes entries;
    entries.uleb(1).u8(0);
    auto loaded = loadDwarf(dwarfImage(false, {{".debug_info", unitBytes(false, 0, entries).data}}));
    EXPECT_TRUE(loaded.reader->units.empty());
}

TEST(DwarfReaderDamage, AbbreviationOddities)
{
    Bytes abbrev;
    abbrev.uleb(0);   // a stray zero code before a real one
    abbrev.uleb(5).uleb(DW_TAG_compile_unit).u8(0).uleb(0).uleb(DW_FORM_data1).uleb(DW_AT_name)
        .uleb(DW_FORM_string).uleb(0).uleb(0);
    abbrev.u8(0);
    Bytes entries;
    entries.uleb(5).str("x");
    auto loaded = loadDwarf(dwarfImage(false, {{".debug_abbrev", abbrev.data},
                                               {".debug_info", unitBytes(false, 0, entries).data}}));
    ASSERT_EQ(loaded.reader->units.size(), 1u);
    const DwarfAbbreviation* abbreviation = loaded.reader->units[0]->findAbbreviation(5);
    ASSERT_NE(abbreviation, nullptr);
    ASSERT_EQ(abbreviation->attributeForms.size(), 1u);   // (0, data1) passed over
    EXPECT_EQ(abbreviation->attributeForms[0].first, uint32_t(DW_AT_name));
    EXPECT_EQ(loaded.reader->units[0]->findAbbreviation(4), nullptr);
    ASSERT_NE(loaded.reader->units[0]->headerEntry, nullptr);
    EXPECT_STREQ(loaded.reader->units[0]->headerEntry->name(), "x");
}

TEST(DwarfReaderDamage, PartialUnitHasNoHeaderEntryButATree)
{
    Bytes abbrev;
    addAbbreviation(abbrev, 1, DW_TAG_partial_unit, false, {});
    abbrev.u8(0);
    auto loaded = loadDwarf(dwarfImage(false, {{".debug_abbrev", abbrev.data},
                                               {".debug_info", unitBytes(false, 0, Bytes().uleb(1)).data}}));
    ASSERT_EQ(loaded.reader->units.size(), 1u);
    EXPECT_EQ(loaded.reader->units[0]->headerEntry, nullptr);
    ASSERT_NE(loaded.reader->units[0]->readEntries(), nullptr);
    EXPECT_EQ(loaded.reader->units[0]->readEntries()->tag, uint32_t(DW_TAG_partial_unit));
}
