#pragma once
// Ends the run after an error: one formatted line on standard error, exit status 1.
// Open output streams are flushed by exit().

[[noreturn]] void fatal(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Replaces exit(1) after the message, for callers that run the dump sequence many times in
// one process (the fuzz targets throw from it). A handler that returns still ends the run.
void setFatalHandler(void (*handler)());
