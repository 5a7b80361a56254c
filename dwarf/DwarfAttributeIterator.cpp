#include "dwarf/DwarfAttributeIterator.h"
#include "dwarf/DwarfAbbreviation.h"
#include "dwarf/DwarfCompilationUnit.h"
#include "dwarf/DwarfDebuggingInformationEntry.h"

DwarfAttributeIterator::DwarfAttributeIterator(const DwarfDebuggingInformationEntry& entry)
    : entry(entry), context(entry.unit->formContext()), cursor(entry.attributeBytes())
{
}

bool DwarfAttributeIterator::next(DwarfAttributeValue& value)
{
    const DwarfAbbreviation& abbreviation = entry.abbreviation();
    const auto& forms = abbreviation.attributeForms;
    if (index >= forms.size())
        return false;
    value.attribute = forms[index].first;
    // The unit read checked every entry it kept, so a value cut short only happens for
    // entries cut by a damaged unit; it then reads as 0.
    if (readAttributeValue(abbreviation, index, cursor, context, value) == DwarfFormStatus::Truncated) {
        value.valueClass = DwarfValueClass::Constant;
        value.value = 0;
        value.data = nullptr;
    }
    ++index;
    return true;
}
