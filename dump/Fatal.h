#pragma once
// Ends the run after an error: one formatted line on standard error, exit status 1.
// Open output streams are flushed by exit().

[[noreturn]] void fatal(const char* format, ...) __attribute__((format(printf, 1, 2)));
