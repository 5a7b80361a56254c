#pragma once
// One line on standard error about damaged DWARF data: "<program>: warning: <message>".
// The reader goes on after it; it never ends the run.
void dwarfWarning(const char* format, ...) __attribute__((format(printf, 1, 2)));
