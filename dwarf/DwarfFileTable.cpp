#include "dwarf/DwarfFileTable.h"
#include "dwarf/DwarfCompilationUnit.h"
#include "dwarf/DwarfFilePath.h"

void addFile(DwarfCompilationUnit& unit, uint32_t directoryNumber, uint32_t, uint32_t, const char* name,
             const char* compilationDirectory)
{
    const char* directory = nullptr;
    if (name[0] != '/') {
        directory = includeDirectory(unit, directoryNumber);
        if (!directory)
            directory = compilationDirectory;
    }
    unit.fileTable.emplace_back(name, directory);
}

const char* includeDirectory(const DwarfCompilationUnit& unit, uint32_t number)
{
    if (number == 0 || number > unit.includeDirectories.size())
        return nullptr;
    return unit.includeDirectories[number - 1];
}

bool fileIndex(const DwarfCompilationUnit& unit, uint32_t number, uint32_t& index)
{
    index = number - unit.firstFileNumber;
    return number >= unit.firstFileNumber && index < unit.fileTable.size();
}

std::string filePath(const DwarfCompilationUnit& unit, uint32_t number)
{
    uint32_t index = 0;
    if (!fileIndex(unit, number, index))
        return std::string();
    const auto& file = unit.fileTable[index];
    std::string path = file.second ? std::string(file.second) + "/" + file.first : std::string(file.first);
    return normalisePath(path);
}
