#include "dump/Fatal.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void fatal(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    vfprintf(stderr, format, arguments);
    va_end(arguments);
    exit(1);
}
