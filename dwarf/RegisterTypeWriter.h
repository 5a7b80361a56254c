#pragma once
// Writes the registers of one DWARF type as lines of the register-group XML: structure
// members become registers at their member offsets, arrays numbered registers, bit-field
// members bit fields, and whatever is reached through a const type is read-only.
//
// Damaged or self-referencing types are bounded: a type that is already being written
// further up (a list node reached through its own next pointer) is not entered again,
// types nest at most maxTypeDepth deep, and one group visits at most maxTypesPerGroup
// types (each array element counts, and so does a type that is not entered). A type whose
// walk wrote and refused nothing is not walked again: it writes nothing wherever it is.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

class DwarfDebugInfo;
class DwarfDebuggingInformationEntry;

class RegisterTypeWriter {
public:
    static const unsigned maxTypeDepth = 64;
    static const uint32_t maxTypesPerGroup = 1u << 20;

    RegisterTypeWriter(const DwarfDebugInfo& reader, FILE* stream) : reader(reader), stream(stream) {}

    // Starts the type budget of a new group.
    void startGroup(const char* groupName);
    // Writes `type` placed `offset` bytes from the group start and returns the offset
    // just past it. `access` is "Read/Write" or "ReadOnly".
    uint32_t writeRegisterType(const DwarfDebuggingInformationEntry* type, const std::string& name,
                               uint32_t offset, const char* access);
    // The entry that the DW_AT_type of `entry` names, or null.
    const DwarfDebuggingInformationEntry* typeOf(const DwarfDebuggingInformationEntry* entry) const;

private:
    // Null, already being written further up, or too deep; counted in `refusals`.
    bool isRefused(const DwarfDebuggingInformationEntry* type);
    bool mayEnter(const DwarfDebuggingInformationEntry* type);
    // Whether the group may write more types; warns once when it may not.
    bool typesAllowed();
    uint32_t writeType(const DwarfDebuggingInformationEntry* type, const std::string& name, uint32_t offset,
                       const char* access);
    uint32_t writeArray(const DwarfDebuggingInformationEntry* array, const std::string& name, uint32_t offset,
                        const char* access);
    uint32_t writeStructure(const DwarfDebuggingInformationEntry* structure, const std::string& name,
                            uint32_t offset, const char* access);
    void writeUnion(const DwarfDebuggingInformationEntry* unionType, uint32_t offset, const char* access);
    void writeBitFieldRegister(const DwarfDebuggingInformationEntry* structure, const std::string& name,
                               uint32_t offset, uint32_t size, const char* access);
    void writeMembers(const DwarfDebuggingInformationEntry* structure, const std::string& name, uint32_t offset,
                      const char* access);
    void writeBitFieldField(const char* name, uint32_t start, uint32_t size);
    uint32_t memberOffset(const DwarfDebuggingInformationEntry* member);
    bool isBitField(const DwarfDebuggingInformationEntry* member);
    bool hasBitField(const DwarfDebuggingInformationEntry* structure);

    const DwarfDebugInfo& reader;
    FILE* stream;
    std::vector<const DwarfDebuggingInformationEntry*> typesInProgress;   // the path from the variable
    uint32_t typesLeft = maxTypesPerGroup;
    bool budgetReported = false;
    std::string groupName;
    // What is asked of an entry, worked out once: a structure is reached again in every
    // group that uses it and at every visit, and each lookup may follow a specification
    // chain, or evaluate a location block that loops up to the step limit.
    std::unordered_map<const DwarfDebuggingInformationEntry*, uint32_t> memberOffsets;
    mutable std::unordered_map<const DwarfDebuggingInformationEntry*, const DwarfDebuggingInformationEntry*> types;
    std::unordered_map<const DwarfDebuggingInformationEntry*, bool> bitFields;
    std::unordered_map<const DwarfDebuggingInformationEntry*, bool> bitFieldStructures;

    // A type whose walk wrote nothing: the visits it took and the offset it moved by, or,
    // for a walk cut short by the budget, the least number of visits it needs.
    struct SilentType {
        uint32_t visits;
        uint32_t advance;
        bool cutShort;
    };
    std::unordered_map<const DwarfDebuggingInformationEntry*, SilentType> silentTypes;
    uint64_t linesWritten = 0;   // registers opened so far
    uint64_t refusals = 0;       // types refused so far
};
