#pragma once
// The directory and file tables of a version-5 line-program header. Each table is a list of
// entry formats ((content type, form) pairs), a count, then the entries, whose fields are
// attribute values of those forms: paths as DW_FORM_string, line_strp, strp or strx,
// directory numbers as data or udata. Directory 0 and file 0 are entries like the others.
#include "common/ByteCursor.h"

class DwarfCompilationUnit;

// Reads both tables at the cursor (just after the standard opcode lengths) into the unit's
// include directories and file table, and numbers the unit's files from 0. Relative file
// names are completed as for older headers. False when an entry format uses a form that
// is not read, or a table runs past the cursor's end; the tables then stop there.
bool readVersion5FileTables(ByteCursor& cursor, DwarfCompilationUnit& unit, const char* compilationDirectory);
