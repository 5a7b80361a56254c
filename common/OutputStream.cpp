#include "common/OutputStream.h"

namespace {
FILE* theOutput = nullptr;
}

FILE* outputStream()
{
    return theOutput ? theOutput : stdout;
}

void setOutputStream(FILE* stream)
{
    theOutput = stream;
}
