#pragma once
// Counts and prints diagnostics: "<program>: error: <message>" on standard error.
#include <QString>
#include <cstdint>
#include <cstdio>

class ErrorReporter {
public:
    ErrorReporter(const QString& programName, FILE* stream)
        : programName(programName), stream(stream) {}

    QString programName;     // argv[0] as invoked, directory part included
    FILE* stream;            // standard error
    uint32_t errorCount = 0;
};

// The one reporter of the process, created by the driver before the options.
extern ErrorReporter* theErrorReporter;
