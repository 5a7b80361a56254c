#include "dump/Fatal.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {
void (*fatalHandler)() = nullptr;
}

void setFatalHandler(void (*handler)())
{
    fatalHandler = handler;
}

void fatal(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    vfprintf(stderr, format, arguments);
    va_end(arguments);
    if (fatalHandler)
        fatalHandler();
    exit(1);
}
