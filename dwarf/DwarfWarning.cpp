#include "dwarf/DwarfWarning.h"
#include "common/ErrorReporter.h"
#include <cstdarg>
#include <cstdio>

void dwarfWarning(const char* format, ...)
{
    QByteArray program = theErrorReporter ? theErrorReporter->programName.toLatin1() : QByteArray("morvane");
    fflush(stdout);
    fprintf(stderr, "%s: warning: ", program.constData());
    va_list arguments;
    va_start(arguments, format);
    vfprintf(stderr, format, arguments);
    va_end(arguments);
    fputc('\n', stderr);
}
