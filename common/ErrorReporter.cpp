#include "common/ErrorReporter.h"

ErrorReporter* theErrorReporter = nullptr;
