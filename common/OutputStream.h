#pragma once
// The process-wide listing stream: standard output, or the output file named on the
// command line. Set once by the driver before any image is processed.
#include <cstdio>

FILE* outputStream();
void setOutputStream(FILE* stream);
