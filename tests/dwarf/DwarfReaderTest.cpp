// The reader's model where the listing does not show it: lazy unit reading, lookups by
// offset, references across units, attribute lookup through specifications and origins,
// and the indexes other parts of the tool walk.
#include "DwarfTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

// Two units: the first holds a class with a declared member function, its definition
// (through DW_AT_specification), an inlined copy (through DW_AT_abstract_origin),
// variables and entries naming themselves or each other; the second refers back with DW_FORM_ref_addr.
class DwarfReaderTwoUnits : public ::testing::Test {
protected:
    void SetUp() override
    {
        Bytes abbrev = abbreviations(
            {{1, DW_TAG_compile_unit, true, {{DW_AT_name, DW_FORM_string}}},
             {2, DW_TAG_class_type, true, {{DW_AT_name, DW_FORM_string}}},
             {3, DW_TAG_subprogram, false,
              {{DW_AT_name, DW_FORM_string}, {DW_AT_linkage_name, DW_FORM_strp},
               {DW_AT_declaration, DW_FORM_flag_present}}},
             {4, DW_TAG_subprogram, false, {{DW_AT_specification, DW_FORM_ref4}, {DW_AT_low_pc, DW_FORM_addr}}},
             {5, DW_TAG_subprogram, false, {{DW_AT_abstract_origin, DW_FORM_ref4}, {DW_AT_low_pc, DW_FORM_addr}}},
             {6, DW_TAG_variable, false, {{DW_AT_name, DW_FORM_string}, {DW_AT_location, DW_FORM_exprloc}}},
             {7, DW_TAG_variable, false, {{DW_AT_specification, DW_FORM_ref_addr}}},
             {8, DW_TAG_subprogram, false, {{DW_AT_specification, DW_FORM_ref4}}},
             {9, DW_TAG_subprogram, false, {{DW_AT_abstract_origin, DW_FORM_ref_addr}}}});
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
        first.uleb(8).u32(0x50);                                        // 0x4B and 0x50 refer
        first.uleb(9).u32(0x4B);                                        // to each other
        first.u8(0);
        Bytes second;
        second.uleb(1).str("two");
        second.uleb(7).u32(0x2D);                                       // zeta in the first unit
        second.uleb(7).u32(0x2E);                                       // no entry starts there
        second.u8(0);
        firstLength = unitBytes(first).size();
        // An empty .debug_pubnames: names are not collected, which would read the trees.
        loaded = loadDwarf(unitsImage(abbrev, {unitBytes(first), unitBytes(second)},
                                      {{".debug_str", Bytes().str("_ZN1A1fEi").data}, {".debug_pubnames", {}}}));
        ASSERT_EQ(loaded.reader->units.size(), 2u);
    }

    DwarfCompilationUnit& unit(size_t i) { return *loaded.reader->units.at(i); }
    // An entry of the first unit that must exist.
    DwarfDebuggingInformationEntry* entry(uint32_t offset)
    {
        DwarfDebuggingInformationEntry* found = unit(0).findEntry(offset);
        if (!found)
            throw std::runtime_error("no entry at offset " + std::to_string(offset));
        return found;
    }

    LoadedDwarf loaded;
    uint32_t firstLength = 0;
};

TEST_F(DwarfReaderTwoUnits, UnitsOpenLazilyAndAreFoundByOffset)
{
    DwarfDebugInfo& reader = *loaded.reader;
    ASSERT_NE(unit(0).headerEntry, nullptr);
    EXPECT_EQ(unit(0).headerEntry->offset, 0xBu);
    EXPECT_STREQ(unit(0).headerEntry->name(), "one");
    DwarfDebuggingInformationEntry* tree = unit(0).readEntries();
    EXPECT_NE(tree, unit(0).headerEntry);   // a separate object
    EXPECT_EQ(unit(0).readEntries(), tree);
    EXPECT_EQ(reader.findUnit(firstLength), &unit(1));
    EXPECT_EQ(reader.findUnit(1), nullptr);
    EXPECT_EQ(reader.findUnitContaining(firstLength - 1), &unit(0));
    EXPECT_EQ(reader.findUnitContaining(firstLength), &unit(1));
    EXPECT_EQ(reader.findUnitContaining(firstLength + unit(1).length()), nullptr);
    EXPECT_EQ(unit(0).findEntry(0x14), nullptr);
    EXPECT_EQ(unit(0).findEntry(0x1000), nullptr);
}

TEST_F(DwarfReaderTwoUnits, ReferencesAndAttributeLookup)
{
    DwarfDebuggingInformationEntry* variable = unit(1).readEntries()->firstChild;
    ASSERT_NE(variable, nullptr);
    EXPECT_EQ(variable->specification(), entry(0x2D));
    EXPECT_STREQ(variable->name(), "zeta");
    // Without a name of its own or through a reference, only the enclosing search finds one.
    DwarfDebuggingInformationEntry* unresolved = variable->nextSibling;
    EXPECT_EQ(unresolved->specification(), nullptr);
    EXPECT_FALSE(unresolved->lookupAttribute(DW_AT_name, false));
    auto enclosingName = unresolved->lookupAttribute(DW_AT_name, true);
    ASSERT_TRUE(enclosingName);
    EXPECT_STREQ(enclosingName->text(), "two");

    // The definition finds its name through DW_AT_specification; the inlined copy finds the
    // linkage name through its origin, then the origin's specification; own attributes win.
    EXPECT_FALSE(entry(0x1B)->findAttribute(DW_AT_name));
    auto name = entry(0x1B)->lookupAttribute(DW_AT_name, false);
    ASSERT_TRUE(name);
    EXPECT_STREQ(name->text(), "f");
    auto linkageName = entry(0x24)->lookupAttribute(DW_AT_linkage_name, false);
    ASSERT_TRUE(linkageName);
    EXPECT_STREQ(linkageName->text(), "_ZN1A1fEi");
    EXPECT_EQ(entry(0x24)->lookupAttribute(DW_AT_low_pc, false)->value, 0x8000u);
    // The enclosing search goes up through the class and the unit, and ends there.
    EXPECT_FALSE(entry(0x13)->lookupAttribute(DW_AT_location, true));
    // Reference cycles are dead ends: only the enclosing search finds a name.
    EXPECT_EQ(entry(0x46)->specification(), entry(0x46));
    for (uint32_t looping : {0x46u, 0x4Bu, 0x50u}) {
        EXPECT_FALSE(entry(looping)->lookupAttribute(DW_AT_name, false)) << looping;
        auto enclosing = entry(looping)->lookupAttribute(DW_AT_name, true);
        ASSERT_TRUE(enclosing) << looping;
        EXPECT_STREQ(enclosing->text(), "one");
        EXPECT_STREQ(entry(looping)->name(), "") << looping;
    }
}

TEST_F(DwarfReaderTwoUnits, SubprogramVariableAndNameIndexes)
{
    DwarfCompilationUnit& first = unit(0);
    first.readEntries();
    // Subprograms by DW_AT_low_pc: those without one (0) first, in reading order.
    std::vector<uint32_t> subprograms;
    for (auto* subprogram : first.subprograms)
        subprograms.push_back(subprogram->offset);
    EXPECT_EQ(subprograms, (std::vector<uint32_t>{0x13, 0x46, 0x4B, 0x50, 0x24, 0x1B}));
    // Variables by the DW_OP_addr of their location: 0x1000 before 0x2000.
    ASSERT_EQ(first.variables.size(), 2u);
    EXPECT_STREQ(first.variables[0]->name(), "alpha");
    EXPECT_STREQ(first.variables[1]->name(), "zeta");
    // The declaration stays out; the definition and the inlined copy find the linkage name
    // through their chains and are named by its demangled text; those in reference cycles
    // have no name and stay out.
    EXPECT_EQ(first.pendingCount, 5u);
    std::vector<std::string> names;
    for (auto* named : first.namedEntries)
        names.push_back(named->name());
    EXPECT_EQ(names, (std::vector<std::string>{"A", "A::f(int)", "A::f(int)", "alpha", "zeta"}));
    EXPECT_STREQ(entry(0x1B)->name(), "A::f(int)");
}
